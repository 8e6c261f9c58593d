// The answers a host without windows gives the controls' own dialogs: "cancel",
// or name=value pairs separated by ";" that set the dialog's controls before
// OK is pressed.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace maltrove::platform {

struct DialogAnswer {
  bool cancel = true;
  std::map<std::string, std::string> values;

  std::optional<std::string> Get(const std::string& name) const;
};

// "" and "cancel" cancel; "ok" presses OK without changing anything.
DialogAnswer ParseDialogAnswer(const std::string& text);

}  // namespace maltrove::platform
