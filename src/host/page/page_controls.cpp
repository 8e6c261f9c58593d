#include "host/page/page_controls.h"

#include <QCoreApplication>
#include <QEvent>
#include <QJsonDocument>
#include <set>

#include "host/event_relay.h"
#include "host/page/wire_value.h"

namespace maltrove::host {

using automation::DispatchObject;
using automation::HResult;
using automation::MemberKind;
using automation::Variant;

struct PageControls::Control {
  std::shared_ptr<DispatchObject> object;
  std::unique_ptr<platform::Services> services;
  QString progId;
  EventRelay* relay = nullptr;
  QPointer<QWidget> frame;   // clips the window to the element's visible part
  QPointer<QWidget> window;  // the control's own window, or none
};

namespace {

// How long after a page's last call the controls' windows paint again.
constexpr int kPaintHoldMs = 15;

QJsonObject Failure(HResult hr, const QString& subject) {
  const uint32_t code = static_cast<uint32_t>(hr);
  const QString hex = QString::number(code, 16).toUpper().rightJustified(8, QLatin1Char('0'));
  const QString message = QStringLiteral("%1: %2 (0x%3)")
                              .arg(subject, QString::fromUtf8(automation::Describe(hr)), hex);
  return {{QStringLiteral("x"),
           QJsonObject{{QStringLiteral("number"), static_cast<double>(code)},
                       {QStringLiteral("message"), message}}}};
}

// [name, dispid, isMethod], once per name (a property has a get and a put).
QJsonArray MemberList(const DispatchObject& object) {
  QJsonArray members;
  std::set<std::string> listed;
  for (const automation::MemberInfo& m : object.Members()) {
    if (!listed.insert(m.name).second) continue;
    members.append(QJsonArray{QString::fromStdString(m.name), m.dispid,
                              m.kind == MemberKind::kMethod});
  }
  return members;
}

QJsonArray EventNames(const DispatchObject& object) {
  QJsonArray names;
  for (const automation::EventInfo& e : object.Events()) names.append(QString::fromStdString(e.name));
  return names;
}

// A browser scripts a control and hands it the page's <param>s only when
// it declares itself safe for untrusted callers and untrusted data.
HResult RequireSafety(DispatchObject& object) {
  constexpr uint32_t kSafeForUntrustedCaller = 1, kSafeForUntrustedData = 2;
  HResult hr = object.SetInterfaceSafetyOptions(automation::SafetyInterface::kDispatch,
                                                kSafeForUntrustedCaller, kSafeForUntrustedCaller);
  if (!Succeeded(hr)) return hr;
  return object.SetInterfaceSafetyOptions(automation::SafetyInterface::kPersistPropertyBag,
                                          kSafeForUntrustedData, kSafeForUntrustedData);
}

automation::PropertyBag ToBag(const QJsonObject& params) {
  automation::PropertyBag bag;
  for (auto it = params.begin(); it != params.end(); ++it) {
    bag[it.key().toStdString()] = it.value().toString().toStdString();
  }
  return bag;
}

}  // namespace

PageControls::PageControls(const automation::ClassRegistry& classes,
                           const platform::Services& services, QWidget* view, EventSender send)
    : classes_(classes), services_(services), view_(view), send_(std::move(send)) {
  paint_timer_.setSingleShot(true);
  paint_timer_.setInterval(kPaintHoldMs);
  connect(&paint_timer_, &QTimer::timeout, this, &PageControls::ReleasePaints);
}

PageControls::~PageControls() { ReleaseAll(); }

void PageControls::ReleaseAll() {
  for (auto& control : controls_) delete control->frame;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    (*it)->object->Unadvise((*it)->relay);
    delete (*it)->relay;
    (*it)->object.reset();
  }
  controls_.clear();
}

PageControls::Control* PageControls::At(int index) const {
  if (index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[index]->object ? controls_[index].get() : nullptr;
}

// A page calling in a loop would otherwise have the windows painted between
// every two calls; they paint once the page's script leaves them alone.
void PageControls::HoldPaints() {
  if (!paint_timer_.isActive()) {
    for (const auto& control : controls_) {
      if (control->window) control->window->setUpdatesEnabled(false);
    }
  }
  paint_timer_.start();
}

void PageControls::ReleasePaints() {
  for (const auto& control : controls_) {
    if (control->window) control->window->setUpdatesEnabled(true);
  }
}

// Events that worker threads queued to the controls' relays, and no other
// posted event: the engine's own must wait for the event loop.
void PageControls::DeliverQueuedEvents() {
  for (const auto& control : controls_) {
    if (control->relay) QCoreApplication::sendPostedEvents(control->relay, QEvent::MetaCall);
  }
}

void PageControls::NewDocument(const QString& token) {
  if (token == document_) return;
  ReleaseAll();
  document_ = token;
}

QWidget* PageControls::Window(int index) const {
  Control* control = At(index);
  return control ? control->window.data() : nullptr;
}

int PageControls::IndexOf(const DispatchObject* object) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->object.get() == object) return static_cast<int>(i);
  }
  return -1;
}

QString PageControls::Answer(const QString& request) {
  const QJsonObject r = QJsonDocument::fromJson(request.toUtf8()).object();
  const QString op = r.value(QLatin1String("op")).toString();
  QJsonObject answer;
  if (op == QLatin1String("invoke")) {
    answer = Invoke(r);
  } else if (op == QLatin1String("create")) {
    answer = Create(r);
  } else if (op == QLatin1String("place")) {
    answer = Place(r);
  } else if (op == QLatin1String("document")) {
    NewDocument(r.value(QLatin1String("doc")).toString());
  } else {
    answer = Failure(HResult::kMemberNotFound, QStringLiteral("page bridge"));
  }
  return QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact));
}

QJsonObject PageControls::Create(const QJsonObject& request) {
  const QString classid = request.value(QLatin1String("classid")).toString();
  const QString subject = QStringLiteral("cannot create '%1'").arg(classid);
  // Only the registered controls, and only by class id, as <object> names them.
  if (!classid.startsWith(QLatin1String("clsid:"), Qt::CaseInsensitive)) {
    return Failure(HResult::kClassNotRegistered, subject);
  }
  auto control = std::make_unique<Control>();
  control->services = std::make_unique<platform::Services>(services_);
  HResult hr = classes_.Create(classid.toStdString(), *control->services, &control->object);
  if (Succeeded(hr)) hr = RequireSafety(*control->object);
  if (!Succeeded(hr)) return Failure(hr, subject);
  control->object->LoadProperties(ToBag(request.value(QLatin1String("params")).toObject()));
  control->progId = QString::fromStdString(classes_.Find(classid.toStdString())->progId);

  const int index = static_cast<int>(controls_.size());
  control->relay = new EventRelay(
      [this, index](const auto& event, const auto& args) { OnEvent(index, event, args); }, this);
  control->object->Advise(control->relay);
  if (view_) {
    control->frame = new QWidget(view_);
    control->window = static_cast<QWidget*>(control->object->InPlaceActivate(control->frame));
    if (!control->window) delete control->frame;
    else control->window->installEventFilter(this);
  }
  const bool windowed = !control->window.isNull();
  QJsonObject made{{QStringLiteral("index"), index},
                   {QStringLiteral("progId"), control->progId},
                   {QStringLiteral("windowed"), windowed},
                   {QStringLiteral("members"), MemberList(*control->object)},
                   {QStringLiteral("events"), EventNames(*control->object)}};
  controls_.push_back(std::move(control));
  return {{QStringLiteral("v"), made}};
}

QJsonObject PageControls::Invoke(const QJsonObject& request) {
  const QString name = request.value(QLatin1String("n")).toString();
  Control* control = At(request.value(QLatin1String("o")).toInt(-1));
  const int kind = request.value(QLatin1String("k")).toInt(-1);
  if (control == nullptr || kind < 0 || kind > static_cast<int>(MemberKind::kPropertyPut)) {
    return Failure(HResult::kMemberNotFound, name);
  }
  const QString subject = control->progId + QLatin1Char('.') + name;
  const QJsonArray wire = request.value(QLatin1String("a")).toArray();
  std::vector<Variant> args(wire.size());
  const ObjectAt objects = [this](int i) {
    Control* c = At(i);
    return c ? c->object : nullptr;
  };
  for (qsizetype i = 0; i < wire.size(); ++i) {
    if (!FromWire(wire[i], objects, &args[i])) return Failure(HResult::kTypeMismatch, subject);
  }

  HoldPaints();
  ++calls_running_;
  Variant result;
  std::string exception;
  std::shared_ptr<DispatchObject> object = control->object;  // a handler may not free it
  const HResult hr = object->Invoke(request.value(QLatin1String("d")).toInt(),
                                    static_cast<MemberKind>(kind), args, &result, &exception);
  DeliverQueuedEvents();
  --calls_running_;

  QJsonObject answer;
  if (!Succeeded(hr)) {
    answer = Failure(hr, exception.empty() ? subject
                                           : subject + QStringLiteral(": ") +
                                                 QString::fromStdString(exception));
  } else if (!result.isEmpty()) {
    answer.insert(QStringLiteral("v"),
                  ToWire(result, [this](const DispatchObject* o) { return IndexOf(o); }));
  }
  if (calls_running_ == 0 && !answer_events_.isEmpty()) {
    answer.insert(QStringLiteral("e"), answer_events_);
    answer_events_ = QJsonArray();
  }
  return answer;
}

QJsonObject PageControls::Place(const QJsonObject& request) {
  Control* control = At(request.value(QLatin1String("o")).toInt(-1));
  const QJsonArray g = request.value(QLatin1String("g")).toArray();
  if (control == nullptr || !control->frame || !control->window || g.size() != 9) return {};
  auto scaled = [this, &g](int i) { return qRound(g[i].toDouble() * zoom_); };
  const QRect box(scaled(0), scaled(1), scaled(2), scaled(3));
  const QRect clip(scaled(4), scaled(5), scaled(6), scaled(7));
  const bool shown = g[8].toInt() != 0 && !clip.isEmpty();
  control->frame->setGeometry(clip);
  control->window->setGeometry(box.translated(-clip.topLeft()));
  control->frame->setVisible(shown);
  if (shown) control->frame->raise();
  return {};
}

bool PageControls::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && first_paint_) {
    auto handler = std::move(first_paint_);
    first_paint_ = nullptr;
    handler();
  }
  return QObject::eventFilter(watched, event);
}

void PageControls::OnEvent(int index, const automation::EventInfo& event,
                           const std::vector<Variant>& args) {
  QJsonArray wire_args;
  for (const Variant& arg : args) {
    wire_args.append(ToWire(arg, [this](const DispatchObject* o) { return IndexOf(o); }));
  }
  const QJsonArray wire{index, QString::fromStdString(event.name), wire_args};
  if (calls_running_ > 0) {
    answer_events_.append(wire);
  } else {
    send_(wire);
  }
}

}  // namespace maltrove::host
