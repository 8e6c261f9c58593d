#include "host/page/web_page.h"

#include <iostream>

namespace maltrove::host {

const char kBridgeMark[] = "\x01maltrove";

namespace {

// Where a console line came from, as "file:line".
std::string Place(const QString& source, int line) {
  const QUrl url(source);
  const QString name = url.isLocalFile() ? url.toLocalFile() : source;
  return (name + QLatin1Char(':') + QString::number(line)).toStdString();
}

bool SameOrigin(const QUrl& a, const QUrl& b) {
  return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
         a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
         a.port(-1) == b.port(-1);
}

}  // namespace

WebPage::WebPage(QWebEngineProfile* profile, QUrl trusted, platform::UserInterface& ui,
                 Bridge bridge, std::function<void()> foreign, QObject* parent)
    : QWebEnginePage(profile, parent),
      trusted_(std::move(trusted)),
      ui_(ui),
      bridge_(std::move(bridge)),
      foreign_(std::move(foreign)) {}

bool WebPage::Trusted(const QUrl& origin) const {
  if (SameOrigin(origin, trusted_)) return true;
  // A file page's origin arrives as "file:" or "file:///", without a host.
  return trusted_.isLocalFile() && origin.scheme() == QLatin1String("file");
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                       const QString& message, int line, const QString& source) {
  if (level == ErrorMessageLevel && message.startsWith(QLatin1String("Uncaught"))) {
    uncaught_error_ = true;
    std::cerr << Place(source, line) << ": " << message.toStdString() << std::endl;
  } else if (level == InfoMessageLevel) {
    std::cout << message.toStdString() << std::endl;
  } else {
    std::cerr << message.toStdString() << std::endl;
  }
}

void WebPage::javaScriptAlert(const QUrl&, const QString& text) {
  ui_.ShowMessage("alert", text.toStdString(), platform::MessageBoxButtons::kOk);
}

bool WebPage::javaScriptConfirm(const QUrl&, const QString& text) {
  return ui_.ShowMessage("confirm", text.toStdString(), platform::MessageBoxButtons::kOkCancel) ==
         platform::MessageBoxAnswer::kOk;
}

bool WebPage::javaScriptPrompt(const QUrl& origin, const QString& text, const QString& value,
                               QString* result) {
  if (text == QLatin1String(kBridgeMark)) {
    if (!Trusted(origin)) {
      foreign_();
      return false;  // the page sees null: no control
    }
    *result = bridge_(value);
    return true;
  }
  const std::string answer = ui_.RunDialog("prompt", text.toStdString());
  if (answer == "cancel") return false;
  *result = answer == "ok" ? value : QString::fromStdString(answer);
  return true;
}

}  // namespace maltrove::host
