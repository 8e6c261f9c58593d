#include "host/page/windowed_ui.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <iostream>

#include "platform/headless_progress.h"

namespace maltrove::host {

using platform::MessageBoxAnswer;
using platform::MessageBoxButtons;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

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

// "Excel (*.xls)|*.xls|Text (*.csv)|*.csv" -> "Excel (*.xls);;Text (*.csv)".
QString QtFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split(QLatin1Char('|'));
  QStringList names;
  for (int i = 0; i < parts.size(); i += 2) {
    if (!parts[i].isEmpty()) names.append(parts[i]);
  }
  return names.join(QStringLiteral(";;"));
}

}  // namespace

MessageBoxAnswer WindowedUserInterface::ShowMessage(const std::string& caption,
                                                    const std::string& text,
                                                    MessageBoxButtons buttons) {
  switch (QMessageBox::information(owner_, Q(caption), Q(text), ButtonsOf(buttons))) {
    case QMessageBox::Yes: return MessageBoxAnswer::kYes;
    case QMessageBox::No: return MessageBoxAnswer::kNo;
    case QMessageBox::Cancel: return MessageBoxAnswer::kCancel;
    default: return MessageBoxAnswer::kOk;
  }
}

std::optional<std::string> WindowedUserInterface::ChooseFile(
    const platform::FileDialogRequest& request) {
  const QString path =
      request.save
          ? QFileDialog::getSaveFileName(owner_, Q(request.caption), Q(request.initialName),
                                         QtFilter(request.filter))
          : QFileDialog::getOpenFileName(owner_, Q(request.caption), QString(),
                                         QtFilter(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::string WindowedUserInterface::RunDialog(const std::string& caption,
                                             const std::string& description) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(owner_, Q(caption), Q(description), QLineEdit::Normal, QString(), &ok);
  return ok ? answer.toStdString() : "cancel";
}

std::unique_ptr<platform::ProgressDialog> WindowedUserInterface::CreateProgressDialog() {
  return std::make_unique<platform::HeadlessProgressDialog>(
      [](const std::string&, const std::string&) {});
}

int WindowedUserInterface::PopupMenu(const std::vector<platform::MenuItem>& items, int screenX,
                                     int screenY) {
  QMenu menu(owner_);
  for (const platform::MenuItem& item : items) {
    if (item.command == 0) {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(Q(item.text));
    action->setEnabled(item.enabled);
    action->setData(item.command);
  }
  QAction* chosen = menu.exec(QPoint(screenX, screenY));
  return chosen ? chosen->data().toInt() : 0;
}

}  // namespace maltrove::host
