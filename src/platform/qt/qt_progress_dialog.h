// QtProgressDialog: the progress dialog of long operations as a real window.
// The user cannot close it: Escape and the window's close are refused; only
// the operation ends it by posting OK or Cancel once it is closable. Bar
// updates and posts may come from the worker thread.
#pragma once

#include <QDialog>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "platform/progress_dialog.h"

class QLabel;
class QProgressBar;

namespace maltrove::platform {

class QtProgressDialog : public QDialog, public ProgressDialog {
  Q_OBJECT

 public:
  explicit QtProgressDialog(QWidget* parent);

  void SetMessage(const std::string& message) override;
  void SetRange(int high) override;
  void SetPosition(int position) override;
  void Step() override;
  bool IsReady() const override { return ready_; }
  bool WaitUntilReady(std::chrono::milliseconds timeout) override;
  void SetClosable() override { closable_ = true; }
  void Post(Result result) override;
  Result RunModal() override;
  void ShowModeless() override;
  void PumpMessages() override;
  void Close() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  // Applies the bar's values on the dialog's thread.
  void UpdateBar();

  QLabel* message_;
  QProgressBar* bar_;
  std::atomic<int> high_{0};
  std::atomic<int> position_{0};
  std::atomic<bool> ready_{false};
  std::atomic<bool> closable_{false};
  std::mutex mutex_;
  std::condition_variable shown_;
};

}  // namespace maltrove::platform
