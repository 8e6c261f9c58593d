#include "platform/qt/qt_user_interface.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>

#include "platform/qt/file_filter.h"
#include "platform/qt/form_dialog.h"
#include "platform/qt/qt_progress_dialog.h"

namespace maltrove::platform {

namespace {

// Dialogs are modal on the window the user is working in.
QWidget* Owner() { return QApplication::activeWindow(); }

QMessageBox::StandardButtons ButtonsOf(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kOk: return QMessageBox::Ok;
    case MessageBoxButtons::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxButtons::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxButtons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

MessageBoxAnswer AnswerOf(int button, MessageBoxButtons buttons) {
  switch (button) {
    case QMessageBox::Ok: return MessageBoxAnswer::kOk;
    case QMessageBox::Yes: return MessageBoxAnswer::kYes;
    case QMessageBox::No: return MessageBoxAnswer::kNo;
    default:
      // Escape on a Yes/No box answers No, as its close button does.
      return buttons == MessageBoxButtons::kYesNo ? MessageBoxAnswer::kNo : MessageBoxAnswer::kCancel;
  }
}

}  // namespace

MessageBoxAnswer QtUserInterface::ShowMessage(const std::string& caption, const std::string& text,
                                              MessageBoxButtons buttons) {
  QMessageBox box(Owner());
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(buttons == MessageBoxButtons::kOk ? QMessageBox::Information : QMessageBox::Question);
  box.setStandardButtons(ButtonsOf(buttons));
  if (buttons == MessageBoxButtons::kYesNo) box.setEscapeButton(QMessageBox::No);
  return AnswerOf(box.exec(), buttons);
}

std::optional<std::string> QtUserInterface::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(Owner(), QString::fromStdString(request.caption));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtFileFilter(request.filter));
  if (!request.defaultExtension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  }
  if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = WithDefaultExtension(dialog.selectedFiles().first(), request.defaultExtension);
  return path.toStdString();
}

std::string QtUserInterface::RunDialog(const std::string& caption, const std::string& description) {
  bool ok = false;
  const QString answer = QInputDialog::getText(
      Owner(), QString::fromStdString(caption), QString::fromStdString(description),
      QLineEdit::Normal, QString(), &ok);
  return ok ? answer.toStdString() : std::string("cancel");
}

bool QtUserInterface::RunForm(DialogForm& form) {
  FormDialog dialog(form, Owner());
  dialog.exec();
  return true;
}

bool QtUserInterface::ShowModelessForm(std::shared_ptr<DialogForm> form) {
  auto* dialog = new FormDialog(*form, Owner());
  dialog->Keep(std::move(form));
  dialog->setModal(false);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  return true;
}

std::unique_ptr<ProgressDialog> QtUserInterface::CreateProgressDialog() {
  return std::make_unique<QtProgressDialog>(Owner());
}

int QtUserInterface::PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) {
  QMenu menu;
  for (const MenuItem& item : items) {
    if (item.command == 0) {
      menu.addSeparator();
      continue;
    }
    // The text after a tab is the item's shortcut, shown at the right.
    QAction* action = menu.addAction(QString::fromStdString(item.text));
    action->setData(item.command);
    action->setEnabled(item.enabled);
  }
  QAction* chosen = menu.exec(QPoint(screenX, screenY));
  return chosen != nullptr ? chosen->data().toInt() : 0;
}

}  // namespace maltrove::platform
