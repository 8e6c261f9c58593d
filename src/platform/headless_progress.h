// A progress dialog without a window: it keeps the bar's state and ends its
// modal loop when the operation posts OK or Cancel after SetClosable().
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "platform/progress_dialog.h"

namespace maltrove::platform {

class HeadlessProgressDialog : public ProgressDialog {
 public:
  // Called once with the caption and message when the dialog is shown.
  using Logger = std::function<void(const std::string& caption, const std::string& text)>;

  HeadlessProgressDialog() = default;
  explicit HeadlessProgressDialog(Logger logger) : logger_(std::move(logger)) {}

  void SetMessage(const std::string& message) override;
  void SetRange(int high) override;
  void SetPosition(int position) override;
  void Step() override;
  bool IsReady() const override { return ready_; }
  bool WaitUntilReady(std::chrono::milliseconds timeout) override;
  void SetClosable() override;
  void Post(Result result) override;
  Result RunModal() override;
  void ShowModeless() override { Show(); }
  void PumpMessages() override {}
  void Close() override {}

  int range() const { return range_; }
  int position() const { return position_; }
  std::string message() const;

 private:
  void Show();

  Logger logger_;
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::string message_;
  std::atomic<bool> ready_{false};
  std::atomic<bool> closable_{false};
  std::atomic<int> range_{0};
  std::atomic<int> position_{0};
  int result_ = 0;
};

}  // namespace maltrove::platform
