// What every fuzz target shares: a private temporary folder, a headless
// host that answers the controls' dialogs, and calls by member name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch_object.h"
#include "control/korvale_grid_ctrl.h"
#include "gateway/maltrove_dbgateway_ctrl.h"
#include "platform/headless_ui.h"
#include "platform/services.h"

namespace maltrove::fuzz {

// Columns of every data type and every input type, with masks, limits,
// select items and check boxes: the grid user input is loaded into.
extern const char kEveryColumnStyle[];

// The process's own folder (ending in '/'), made on first use and removed
// at exit; $TMPDIR points into it so that the controls' temporary files
// stay inside too.
const std::string& FuzzFolder();

// Writes `bytes` as a file of the fuzz folder and returns its path.
std::string WriteInputFile(const std::string& name, const uint8_t* data, size_t size);

// A host without windows: dialogs are answered from a queue, messages
// discarded.
class FuzzHost {
 public:
  FuzzHost();
  platform::HeadlessUserInterface& ui() { return ui_; }
  const platform::Services& services() const { return services_; }

  // A grid with the columns of kEveryColumnStyle.
  std::unique_ptr<CKorvaleGridCtrl> NewGrid();

 private:
  std::ostream discard_{nullptr};
  platform::HeadlessUserInterface ui_{discard_};
  platform::Services services_;
};

// Invokes a member by name the way script does; the result, or empty.
automation::Variant Call(automation::DispatchObject& object, const char* name,
                         std::vector<automation::Variant> args = {},
                         automation::MemberKind kind = automation::MemberKind::kMethod);

// Aborts with `what` (a finding for the fuzzer) when `holds` is false.
void Require(bool holds, const char* what);

}  // namespace maltrove::fuzz
