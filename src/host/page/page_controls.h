// PageControls: the host's end of the page bridge. It creates the controls
// a page's <object> elements name, runs the members the page calls, lays the
// controls' windows over their elements and hands their events to the page:
// events fired while a page call runs travel back in that call's answer;
// others (user input) go to the page at once and are waited for.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "automation/class_registry.h"
#include "automation/dispatch_object.h"
#include "platform/services.h"

namespace maltrove::host {

class EventRelay;

class PageControls : public QObject {
 public:
  // Runs the page's handlers of one event [index, name, [args]] and returns
  // when they ran.
  using EventSender = std::function<void(const QJsonArray& event)>;

  // `services` is the template every control's services are copied from;
  // the controls' windows become children of `view`.
  PageControls(const automation::ClassRegistry& classes, const platform::Services& services,
               QWidget* view, EventSender send);
  ~PageControls() override;

  // One request of the page bridge (JSON text) and its answer.
  QString Answer(const QString& request);

  void SetZoom(double zoom) { zoom_ = zoom; }
  // Called once, when a control's window first paints.
  void OnFirstPaint(std::function<void()> handler) { first_paint_ = std::move(handler); }
  // The index-th control's window, or nullptr.
  QWidget* Window(int index) const;
  // A document of the opened page's origin began (`token` names it) or one
  // of another origin did (empty): the controls of the document before go.
  void NewDocument(const QString& token);
  // Destroys the windows, then the controls, newest first.
  void ReleaseAll();

 private:
  struct Control;

  QJsonObject Create(const QJsonObject& request);
  QJsonObject Invoke(const QJsonObject& request);
  QJsonObject Place(const QJsonObject& request);
  void OnEvent(int index, const automation::EventInfo& event,
               const std::vector<automation::Variant>& args);
  void DeliverQueuedEvents();
  void HoldPaints();
  void ReleasePaints();
  Control* At(int index) const;
  int IndexOf(const automation::DispatchObject* object) const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  const automation::ClassRegistry& classes_;
  const platform::Services services_;
  QPointer<QWidget> view_;
  EventSender send_;
  std::vector<std::unique_ptr<Control>> controls_;
  double zoom_ = 1.0;
  int calls_running_ = 0;
  QJsonArray answer_events_;  // fired during the running call
  std::function<void()> first_paint_;
  QString document_;  // the token of the document the controls belong to
  QTimer paint_timer_;
};

}  // namespace maltrove::host
