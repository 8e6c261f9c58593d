#include "platform/qt/qt_progress_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace maltrove::platform {

QtProgressDialog::QtProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      message_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setWindowTitle(QString::fromUtf8(kProgressCaption));
  setModal(true);
  bar_->setRange(0, 0);
  bar_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(bar_);
  setMinimumWidth(300);
}

void QtProgressDialog::SetMessage(const std::string& message) {
  const QString text = QString::fromStdString(message);
  QMetaObject::invokeMethod(this, [this, text] { message_->setText(text); }, Qt::AutoConnection);
}

void QtProgressDialog::SetRange(int high) {
  high_ = high;
  QMetaObject::invokeMethod(this, [this] { UpdateBar(); }, Qt::QueuedConnection);
}

void QtProgressDialog::SetPosition(int position) {
  position_ = position;
  QMetaObject::invokeMethod(this, [this] { UpdateBar(); }, Qt::QueuedConnection);
}

void QtProgressDialog::Step() {
  if (position_ < high_) ++position_;
  QMetaObject::invokeMethod(this, [this] { UpdateBar(); }, Qt::QueuedConnection);
}

void QtProgressDialog::UpdateBar() {
  // A range of 0 shows a busy bar.
  bar_->setRange(0, high_);
  if (high_ > 0) bar_->setValue(position_);
}

bool QtProgressDialog::WaitUntilReady(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return shown_.wait_for(lock, timeout, [this] { return ready_.load(); });
}

void QtProgressDialog::Post(Result result) {
  QMetaObject::invokeMethod(
      this,
      [this, result] {
        if (closable_) done(result);
      },
      Qt::QueuedConnection);
}

ProgressDialog::Result QtProgressDialog::RunModal() {
  const int result = exec();
  return result == kOk ? kOk : kCancel;
}

void QtProgressDialog::ShowModeless() {
  setModal(false);
  show();
  PumpMessages();
}

void QtProgressDialog::PumpMessages() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgressDialog::Close() { hide(); }

void QtProgressDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  std::lock_guard<std::mutex> lock(mutex_);
  ready_ = true;
  shown_.notify_all();
}

// Only the operation ends the dialog.
void QtProgressDialog::closeEvent(QCloseEvent* event) {
  if (!closable_) event->ignore();
}

void QtProgressDialog::reject() {
  if (closable_) QDialog::reject();
}

}  // namespace maltrove::platform
