// WebPage: the engine's page with the host's answers to what page script
// asks of its browser: console lines go to standard output (errors to
// standard error), alert/confirm/prompt to the user-interface service, and
// prompts carrying the bridge's mark to the page bridge, but only for the
// origin of the page the user opened.
#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <functional>

#include "platform/user_interface.h"

namespace maltrove::host {

class WebPage : public QWebEnginePage {
 public:
  using Bridge = std::function<QString(const QString& request)>;

  // `foreign` is told when a document of another origin knocks.
  WebPage(QWebEngineProfile* profile, QUrl trusted, platform::UserInterface& ui, Bridge bridge,
          std::function<void()> foreign, QObject* parent);

  // True once an uncaught error of page script was reported.
  bool uncaughtError() const { return uncaught_error_; }

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override;
  void javaScriptAlert(const QUrl& origin, const QString& text) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& text) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& text, const QString& value,
                        QString* result) override;

 private:
  bool Trusted(const QUrl& origin) const;

  const QUrl trusted_;
  platform::UserInterface& ui_;
  Bridge bridge_;
  std::function<void()> foreign_;
  bool uncaught_error_ = false;
};

// The mark a bridge request carries as the prompt's text.
extern const char kBridgeMark[];

}  // namespace maltrove::host
