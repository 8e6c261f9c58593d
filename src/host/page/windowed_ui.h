// WindowedUserInterface: the controls' and the page's dialogs as real
// windows, for a host with a display. The controls' own dialogs (sort,
// filter, find, import options) take their answer text in an input box;
// the progress dialog stays headless.
#pragma once

#include <QWidget>

#include "platform/user_interface.h"

namespace maltrove::host {

class WindowedUserInterface : public platform::UserInterface {
 public:
  explicit WindowedUserInterface(QWidget* owner) : owner_(owner) {}

  platform::MessageBoxAnswer ShowMessage(const std::string& caption, const std::string& text,
                                         platform::MessageBoxButtons buttons) override;
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest& request) override;
  std::string RunDialog(const std::string& caption, const std::string& description) override;
  std::unique_ptr<platform::ProgressDialog> CreateProgressDialog() override;
  int PopupMenu(const std::vector<platform::MenuItem>& items, int screenX, int screenY) override;

 private:
  QWidget* owner_;
};

}  // namespace maltrove::host
