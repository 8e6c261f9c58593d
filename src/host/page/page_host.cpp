#include "host/page/page_host.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <iostream>

// The bridge script lives in this static library's resources.
static void InitPageResources() { Q_INIT_RESOURCE(page); }

namespace maltrove::host {

namespace {

// Time for the load handlers' layout changes to reach the controls' windows.
constexpr int kSettleMs = 300;
// An event handler that runs longer than this no longer holds the control.
constexpr int kEventWaitMs = 10000;
// setHtml() carries the page's UTF-8 in a base64 data: URL, which Chromium
// caps at 2 MB.
constexpr qsizetype kLargestServedPage = 1400 * 1000;

QString BridgeSource() {
  InitPageResources();
  QFile file(QStringLiteral(":/maltrove/page_bridge.js"));
  file.open(QIODevice::ReadOnly);
  return QString::fromUtf8(file.readAll());
}

}  // namespace

PageHost::PageHost(const automation::ClassRegistry& classes, const PageOptions& options,
                   platform::UserInterface& ui, const QElapsedTimer& clock)
    : classes_(classes), options_(options), clock_(clock), ui_(ui) {
  profile_ = std::make_unique<QWebEngineProfile>();  // off the record: nothing kept on disk
  view_ = std::make_unique<QWebEngineView>();
  view_->resize(options_.size);
}

PageHost::~PageHost() {
  if (controls_) controls_->ReleaseAll();
  view_.reset();
  profile_.reset();
}

void PageHost::InjectBridge() {
  QWebEngineScript script;
  script.setName(QStringLiteral("maltrove-bridge"));
  script.setSourceCode(BridgeSource());
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::MainWorld);
  script.setRunsOnSubFrames(false);
  page_->scripts().insert(script);
}

int PageHost::Run(const PageSource& source) {
  Start(source);
  return Exec();
}

void PageHost::Start(const PageSource& source) {
  platform::Services services;
  services.ui = &ui_;
  services.clipboard = &clipboard_;
  services.registry = &registry_;
  services.downloader = &downloader_;
  services.shell = &shell_;
  // The controls resolve their relative references against the page's address.
  services.documentUrl = source.url.toString(QUrl::FullyEncoded).toStdString();
  controls_ = std::make_unique<PageControls>(classes_, services, view_.get(),
                                             [this](const QJsonArray& e) { SendEvent(e); });
  page_ = new WebPage(profile_.get(), source.url, ui_,
                      [this](const QString& request) {
                        controls_->SetZoom(page_->zoomFactor());
                        return controls_->Answer(request);
                      },
                      [this] { controls_->NewDocument(QString()); },
                      view_.get());
  view_->setPage(page_);
  InjectBridge();
  connect(page_, &QWebEnginePage::loadFinished, this, &PageHost::OnLoaded);
  connect(page_, &QWebEnginePage::windowCloseRequested, this, [this] { Finish(0); });
  // A larger page is loaded from its address, as it is: its JScript handler
  // declarations stay unconverted.
  if (source.html.toUtf8().size() <= kLargestServedPage) {
    page_->setHtml(source.html, source.url);
  } else {
    page_->load(source.url);
  }
  view_->show();
  WatchFirstPaint();
  if (options_.quitAfterMs >= 0) {
    QTimer::singleShot(options_.quitAfterMs, this, [this] { Finish(0); });
  }
}

int PageHost::Exec() {
  if (status_ < 0) QApplication::exec();
  controls_->ReleaseAll();
  const int status = status_ < 0 ? 0 : status_;
  return status == 0 && page_->uncaughtError() ? 1 : status;
}

void PageHost::OnLoaded(bool ok) {
  if (loaded_) return;
  loaded_ = true;
  if (!ok) {
    // A page that closes itself while loading ends its load too: let the
    // close request come first.
    QTimer::singleShot(kSettleMs, this, [this] {
      if (status_ >= 0) return;
      std::cerr << "maltrove-page: the page did not load" << std::endl;
      Finish(1);
    });
    return;
  }
  if (qEnvironmentVariableIsSet("MALTROVE_PAGE_TIMING")) {
    std::cerr << "timing: page loaded after " << clock_.elapsed() << " ms" << std::endl;
  }
  QTimer::singleShot(kSettleMs, this, &PageHost::Settled);
}

void PageHost::Settled() {
  if (options_.screenshot.isEmpty() || status_ >= 0) return;
  const bool saved = view_->grab().save(options_.screenshot, "PNG");
  if (!saved) std::cerr << "maltrove-page: cannot write " << options_.screenshot.toStdString() << std::endl;
  Finish(saved ? 0 : 1);
}

void PageHost::Finish(int status) {
  if (status_ >= 0) return;
  status_ = status;
  QApplication::exit(status);
}

void PageHost::SendEvent(const QJsonArray& event) {
  const QString args = QString::fromUtf8(QJsonDocument(event).toJson(QJsonDocument::Compact));
  auto done = std::make_shared<bool>(false);
  QEventLoop loop;
  page_->runJavaScript(QStringLiteral("window.__maltrove && __maltrove.fire.apply(null, %1)").arg(args),
                       [done, &loop](const QVariant&) {
                         *done = true;
                         loop.quit();
                       });
  if (*done) return;
  QTimer::singleShot(kEventWaitMs, &loop, &QEventLoop::quit);
  loop.exec();
}

void PageHost::WatchFirstPaint() {
  if (!qEnvironmentVariableIsSet("MALTROVE_PAGE_TIMING")) return;
  controls_->OnFirstPaint([this] {
    std::cerr << "timing: first control painted after " << clock_.elapsed() << " ms" << std::endl;
  });
}

}  // namespace maltrove::host
