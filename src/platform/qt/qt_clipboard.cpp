#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace maltrove::platform {

std::string QtClipboard::GetText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return {};
  return data->text().toStdString();
}

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtClipboard::SetTable(const std::string& text, const std::string& html) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(text));
  data->setHtml(QString::fromStdString(html));
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace maltrove::platform
