// ChoosingUserInterface: real dialogs when the host has a display, the
// answer queue otherwise. Answers a script queued always come first, so
// scripts stay deterministic on any machine.
#pragma once

#include "platform/headless_ui.h"
#include "platform/qt/qt_user_interface.h"

namespace maltrove::host {

class ChoosingUserInterface : public platform::UserInterface {
 public:
  explicit ChoosingUserInterface(platform::HeadlessUserInterface* queue) : queue_(queue) {}

  // Whether the platform shows windows to a person (not offscreen).
  static bool HasDisplay();

  platform::MessageBoxAnswer ShowMessage(const std::string& caption, const std::string& text,
                                         platform::MessageBoxButtons buttons) override {
    return Choose().ShowMessage(caption, text, buttons);
  }
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest& request) override {
    return Choose().ChooseFile(request);
  }
  std::string RunDialog(const std::string& caption, const std::string& description) override {
    return Choose().RunDialog(caption, description);
  }
  std::unique_ptr<platform::ProgressDialog> CreateProgressDialog() override {
    return Choose().CreateProgressDialog();
  }
  bool RunForm(platform::DialogForm& form) override { return Choose().RunForm(form); }
  bool ShowModelessForm(std::shared_ptr<platform::DialogForm> form) override {
    return Choose().ShowModelessForm(std::move(form));
  }
  int PopupMenu(const std::vector<platform::MenuItem>& items, int x, int y) override {
    return Choose().PopupMenu(items, x, y);
  }

 private:
  platform::UserInterface& Choose();

  platform::HeadlessUserInterface* queue_;
  platform::QtUserInterface windows_;
};

}  // namespace maltrove::host
