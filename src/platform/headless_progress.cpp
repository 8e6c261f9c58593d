#include "platform/headless_progress.h"

namespace maltrove::platform {

void HeadlessProgressDialog::SetMessage(const std::string& message) {
  std::lock_guard<std::mutex> lock(mutex_);
  message_ = message;
}

std::string HeadlessProgressDialog::message() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return message_;
}

void HeadlessProgressDialog::SetRange(int high) { range_ = high; }
void HeadlessProgressDialog::SetPosition(int position) { position_ = position; }

void HeadlessProgressDialog::Step() {
  if (position_ < range_) ++position_;
}

void HeadlessProgressDialog::SetClosable() { closable_ = true; }

void HeadlessProgressDialog::Post(Result result) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!closable_) return;  // only the operation may end the dialog
  result_ = result;
  posted_.notify_all();
}

void HeadlessProgressDialog::Show() {
  if (logger_) logger_(kProgressCaption, message());
  std::lock_guard<std::mutex> lock(mutex_);
  ready_ = true;
  posted_.notify_all();
}

bool HeadlessProgressDialog::WaitUntilReady(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return posted_.wait_for(lock, timeout, [this] { return ready_.load(); });
}

ProgressDialog::Result HeadlessProgressDialog::RunModal() {
  Show();
  std::unique_lock<std::mutex> lock(mutex_);
  posted_.wait(lock, [this] { return result_ != 0; });
  return static_cast<Result>(result_);
}

}  // namespace maltrove::platform
