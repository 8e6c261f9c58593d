// PageHost: one top-level window showing the user's page in Qt WebEngine
// with the page bridge injected into it, and the run's end: window.close()
// (status 0), --quit-after, --screenshot, or the window closed; status 1
// when page script left an error uncaught.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <iostream>
#include <memory>

#include "automation/class_registry.h"
#include "host/page/page_controls.h"
#include "host/page/page_options.h"
#include "host/page/page_source.h"
#include "host/page/web_page.h"
#include "platform/curl_downloader.h"
#include "platform/ini_registry.h"
#include "platform/memory_clipboard.h"
#include "platform/spawn_shell.h"

namespace maltrove::host {

class PageHost : public QObject {
 public:
  // `ui` answers every dialog; `clock` runs since the program started.
  PageHost(const automation::ClassRegistry& classes, const PageOptions& options,
           platform::UserInterface& ui, const QElapsedTimer& clock);
  ~PageHost() override;

  // Shows the page and runs until the end; returns the exit status.
  int Run(const PageSource& page);

  // Run() in two steps, for tests that act on the page in between.
  void Start(const PageSource& page);
  int Exec();

  bool loaded() const { return loaded_; }
  QWebEngineView& view() { return *view_; }
  // The window of the page's index-th control, or nullptr.
  QWidget* ControlWindow(int index) const { return controls_ ? controls_->Window(index) : nullptr; }

 private:
  void InjectBridge();
  void OnLoaded(bool ok);
  void Settled();
  void Finish(int status);
  void SendEvent(const QJsonArray& event);
  void WatchFirstPaint();

  const automation::ClassRegistry& classes_;
  const PageOptions& options_;
  const QElapsedTimer& clock_;
  platform::UserInterface& ui_;
  platform::MemoryClipboard clipboard_;
  platform::IniRegistry registry_{platform::IniRegistry::DefaultPath()};
  platform::CurlDownloader downloader_;
  platform::HeadlessShell shell_{std::cerr};

  std::unique_ptr<QWebEngineProfile> profile_;
  std::unique_ptr<QWebEngineView> view_;
  WebPage* page_ = nullptr;  // owned by view_
  std::unique_ptr<PageControls> controls_;
  int status_ = -1;
  bool loaded_ = false;
};

}  // namespace maltrove::host
