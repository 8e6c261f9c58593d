// ScriptHost: runs one script file in a QJSEngine with the WScript object and
// the ActiveXObject constructor of Windows Script Host, and the window verbs
// of WindowVerbs. Every control it
// creates gets headless services: dialogs answered from WScript.Answer's
// queue and logged to standard error, a memory clipboard, the INI registry.
#pragma once

#include <QJSEngine>
#include <QObject>
#include <QStringList>
#include <iostream>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "automation/class_registry.h"
#include "host/dispatch_bridge.h"
#include "host/window_verbs.h"
#include "platform/curl_downloader.h"
#include "platform/headless_ui.h"
#include "platform/ini_registry.h"
#include "host/choosing_ui.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/services.h"
#include "platform/spawn_shell.h"

namespace maltrove::host {

class ScriptHost : public QObject, public BridgeHost {
  Q_OBJECT

 public:
  // `scriptPath` is absolute; `classes` must outlive the host.
  ScriptHost(const automation::ClassRegistry& classes, QString scriptPath, QStringList arguments);
  ~ScriptHost() override;

  // Runs the script and releases its controls; returns the exit status.
  int Run(const QString& source);

  // BridgeHost.
  QJSEngine& engine() override { return *engine_; }
  void CallEventHandler(const QJSValue& function, const QJSValueList& args) override;
  QJSValue ProxyOf(const std::shared_ptr<automation::DispatchObject>& object) override;
  std::shared_ptr<automation::DispatchObject> ObjectOf(const QJSValue& value) override;

  // The native side of WScript and ActiveXObject, reached only by the prelude.
  Q_INVOKABLE void echo(const QString& text);
  Q_INVOKABLE void quit(int code);
  Q_INVOKABLE void answer(const QString& value);
  Q_INVOKABLE QJSValue create(const QString& progId, const QJSValue& params);
  Q_INVOKABLE void connectObject(const QJSValue& bridge, const QString& prefix);
  Q_INVOKABLE QString documentUrl() const { return document_url_; }
  Q_INVOKABLE void setDocumentUrl(const QString& url) { document_url_ = url; }
  Q_INVOKABLE QJSValue scriptArguments();
  Q_INVOKABLE QString scriptFullName() const { return script_path_; }

 private:
  void InstallGlobals();
  DispatchBridge* AddBridge(std::shared_ptr<automation::DispatchObject> object,
                            const QString& name);
  // Ends the script with the status; the first call wins.
  void Stop(int status);
  void ReportUncaught(const QJSValue& error, const QStringList& trace);
  void ReleaseControls();

  const automation::ClassRegistry& classes_;
  const QString script_path_;
  const QStringList arguments_;
  QString document_url_;

  platform::HeadlessUserInterface queue_{std::cerr};
  ChoosingUserInterface ui_{&queue_};
  platform::QtClipboard clipboard_;
  platform::IniRegistry registry_{platform::IniRegistry::DefaultPath()};
  platform::CurlDownloader downloader_;
  platform::HeadlessShell shell_{std::cerr};
  // One per control, for as long as the control lives.
  std::vector<std::unique_ptr<platform::Services>> services_;

  std::unique_ptr<QJSEngine> engine_;
  std::unique_ptr<WindowVerbs> windows_;
  std::unique_ptr<ProxyFactory> proxies_;
  QJSValue call_handler_;
  std::vector<DispatchBridge*> bridges_;  // in creation order
  std::unordered_map<automation::DispatchObject*, DispatchBridge*> bridge_of_;
  std::optional<int> exit_status_;
};

}  // namespace maltrove::host
