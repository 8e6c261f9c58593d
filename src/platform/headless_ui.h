// HeadlessUserInterface: every dialog is written as one line
// "DIALOG <caption>: <text>" and answered by the next queued answer. With the
// queue empty a message box is answered "ok", a file or other dialog "cancel".
#pragma once

#include <deque>
#include <mutex>
#include <ostream>

#include "platform/user_interface.h"

namespace maltrove::platform {

class HeadlessUserInterface : public UserInterface {
 public:
  explicit HeadlessUserInterface(std::ostream& log) : log_(log) {}

  void QueueAnswer(const std::string& answer);
  size_t PendingAnswers() const;

  MessageBoxAnswer ShowMessage(const std::string& caption, const std::string& text,
                               MessageBoxButtons buttons) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  std::string RunDialog(const std::string& caption, const std::string& description) override;
  std::unique_ptr<ProgressDialog> CreateProgressDialog() override;
  // Logged as "DIALOG menu: item|item|..." (a disabled item in brackets, a
  // separator as "-"); answered by an item's text before any tab, or its
  // command number; anything else, or no answer, dismisses it.
  int PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) override;

 private:
  void Log(const std::string& caption, const std::string& text);
  std::optional<std::string> NextAnswer();

  std::ostream& log_;
  mutable std::mutex mutex_;
  std::deque<std::string> answers_;
};

}  // namespace maltrove::platform
