#include "platform/progress_operation.h"

#include <thread>

#include "platform/headless_progress.h"
#include "platform/user_interface.h"

namespace maltrove::platform {

namespace {

constexpr std::chrono::milliseconds kReadyPoll(200);

std::unique_ptr<ProgressDialog> CreateDialog(UserInterface* ui, const std::string& message) {
  std::unique_ptr<ProgressDialog> dialog =
      ui != nullptr ? ui->CreateProgressDialog() : std::make_unique<HeadlessProgressDialog>();
  dialog->SetMessage(message);
  return dialog;
}

}  // namespace

bool RunModalOperation(UserInterface* ui, const std::string& message,
                       const std::function<bool(ProgressDialog&)>& work) {
  std::unique_ptr<ProgressDialog> dialog = CreateDialog(ui, message);
  std::thread worker([&dialog, &work] {
    while (!dialog->WaitUntilReady(kReadyPoll)) {
    }
    dialog->SetRange(0);
    dialog->SetPosition(0);
    bool ok = false;
    try {
      ok = work(*dialog);
    } catch (...) {
      ok = false;  // a failed worker still ends the dialog
    }
    dialog->SetClosable();
    dialog->Post(ok ? ProgressDialog::kOk : ProgressDialog::kCancel);
  });
  ProgressDialog::Result result = dialog->RunModal();
  worker.join();
  return result == ProgressDialog::kOk;
}

ModelessProgress::ModelessProgress(UserInterface* ui, const std::string& message)
    : dialog_(CreateDialog(ui, message)) {
  dialog_->ShowModeless();
  dialog_->SetPosition(0);
}

ModelessProgress::~ModelessProgress() {
  dialog_->SetClosable();
  dialog_->Post(ProgressDialog::kOk);
  dialog_->Close();
}

}  // namespace maltrove::platform
