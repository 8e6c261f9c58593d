// Long operations under the progress dialog.
//
// Modal: the work runs on a worker thread while the calling thread sits in
// the dialog's modal loop. The worker waits (polling every 200 ms) until the
// dialog is ready, works, then makes the dialog closable and posts OK when
// the work succeeded or Cancel when it failed.
//
// Modeless: the work runs on the calling thread with the dialog shown beside
// it; the operation steps the bar and pumps messages itself.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/progress_dialog.h"

namespace maltrove::platform {

class UserInterface;

// True when the work reported success. Without a user interface the dialog
// shows nothing; the protocol is the same.
bool RunModalOperation(UserInterface* ui, const std::string& message,
                       const std::function<bool(ProgressDialog&)>& work);

class ModelessProgress {
 public:
  ModelessProgress(UserInterface* ui, const std::string& message);
  ~ModelessProgress();  // closable, OK, closed
  ModelessProgress(const ModelessProgress&) = delete;
  ModelessProgress& operator=(const ModelessProgress&) = delete;

  ProgressDialog& dialog() { return *dialog_; }

 private:
  std::unique_ptr<ProgressDialog> dialog_;
};

}  // namespace maltrove::platform
