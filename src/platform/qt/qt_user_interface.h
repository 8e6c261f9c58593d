// QtUserInterface: the controls' dialogs as real windows: message boxes,
// file dialogs, the progress dialog and the context menu. Dialogs of the
// controls' own that have no window yet ask for their answer text.
#pragma once

#include "platform/user_interface.h"

namespace maltrove::platform {

class QtUserInterface : public UserInterface {
 public:
  MessageBoxAnswer ShowMessage(const std::string& caption, const std::string& text,
                               MessageBoxButtons buttons) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::string RunDialog(const std::string& caption, const std::string& description) override;
  std::unique_ptr<ProgressDialog> CreateProgressDialog() override;
  bool RunForm(DialogForm& form) override;
  bool ShowModelessForm(std::shared_ptr<DialogForm> form) override;
  int PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) override;
};

}  // namespace maltrove::platform
