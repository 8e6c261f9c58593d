#include "host/dispatch_bridge.h"

#include <algorithm>

#include "automation/member_table.h"
#include "host/event_relay.h"
#include "host/script_error.h"

namespace maltrove::host {

using automation::DispId;
using automation::FoldCase;
using automation::HResult;
using automation::MemberKind;
using automation::Variant;

namespace {

// Symbols (the engine's own conversions) read as undefined; every string
// name goes to the control, so an unknown one throws. The kinds 0, 1, 2 are
// MemberKind's method, propget and propput.
const char kProxySource[] = R"js(
(function () {
  var bridges = new WeakMap();
  function unwrap(value) {
    return (typeof value === "object" && value !== null && bridges.get(value)) || value;
  }
  function argumentList(list) {
    return Array.prototype.map.call(list, unwrap);
  }
  function wrap(bridge) {
    var proxy = new Proxy({}, {
      get: function (target, name) {
        if (typeof name === "symbol") return undefined;
        if (name === "attachEvent" || name === "detachEvent") {
          return function (event, handler) { return bridge[name](String(event), handler); };
        }
        var member = bridge.resolve(name);
        if (member.method) {
          return function () { return bridge.invoke(member.id, 0, argumentList(arguments), name); };
        }
        return bridge.invoke(member.id, 1, [], name);
      },
      has: function (target, name) {
        return typeof name === "string" &&
               (name === "attachEvent" || name === "detachEvent" || bridge.knows(name));
      },
      set: function (target, name, value) {
        if (typeof name === "symbol") throw new TypeError("a control has no symbol properties");
        var member = bridge.resolve(name);
        bridge.invoke(member.id, 2, [unwrap(value)], name);
        return true;
      }
    });
    bridges.set(proxy, bridge);
    return proxy;
  }
  return { wrap: wrap, unwrap: unwrap };
})()
)js";

bool IsKind(int kind) {
  return kind >= static_cast<int>(MemberKind::kMethod) &&
         kind <= static_cast<int>(MemberKind::kPropertyPut);
}

}  // namespace

DispatchBridge::DispatchBridge(std::shared_ptr<automation::DispatchObject> object, QString name,
                               BridgeHost& host, QObject* parent)
    : QObject(parent), object_(std::move(object)), name_(std::move(name)), host_(host) {
  relay_ = new EventRelay([this](const auto& event, const auto& args) { Deliver(event, args); },
                          this);
  object_->Advise(relay_);
}

DispatchBridge::~DispatchBridge() {
  object_->Unadvise(relay_);
  object_.reset();
}

void DispatchBridge::Connect(const QString& prefix) {
  if (!prefixes_.contains(prefix)) prefixes_.append(prefix);
}

QJSValue DispatchBridge::Fail(HResult hr, const QString& member) {
  ThrowAutomationError(host_.engine(), hr, name_ + QLatin1Char('.') + member);
  return QJSValue();
}

bool DispatchBridge::knows(const QString& name) const {
  DispId id = 0;
  return Succeeded(object_->GetDispId(name.toStdString(), &id));
}

QJSValue DispatchBridge::resolve(const QString& name) {
  DispId id = 0;
  HResult hr = object_->GetDispId(name.toStdString(), &id);
  if (!Succeeded(hr)) return Fail(hr, name);
  QJSValue member = host_.engine().newObject();
  member.setProperty(QStringLiteral("id"), id);
  member.setProperty(QStringLiteral("method"), object_->HasMember(id, MemberKind::kMethod));
  return member;
}

QJSValue DispatchBridge::invoke(int dispid, int kind, const QJSValue& args, const QString& name) {
  if (!IsKind(kind)) return Fail(HResult::kMemberNotFound, name);
  const int count = args.property(QStringLiteral("length")).toInt();
  std::vector<Variant> in(count);
  for (int i = 0; i < count; ++i) {
    if (!ToVariant(args.property(i), host_, &in[i])) return Fail(HResult::kTypeMismatch, name);
  }
  Variant result;
  std::string exception;
  HResult hr = object_->Invoke(dispid, static_cast<MemberKind>(kind), in, &result, &exception);
  EventRelay::DeliverQueued();
  if (!Succeeded(hr)) {
    if (exception.empty()) return Fail(hr, name);
    return Fail(hr, name + QStringLiteral(": ") + QString::fromStdString(exception));
  }
  return ToScript(result, host_);
}

bool DispatchBridge::HasEvent(const std::string& folded) const {
  for (const automation::EventInfo& event : object_->Events()) {
    const std::string name = FoldCase(event.name);
    if (folded == name || folded == "on" + name) return true;
  }
  return false;
}

bool DispatchBridge::attachEvent(const QString& event, const QJSValue& handler) {
  const std::string folded = FoldCase(event.toStdString());
  if (!handler.isCallable() || !HasEvent(folded)) return false;
  for (const Attached& a : attached_) {
    if (a.event == folded && a.handler.strictlyEquals(handler)) return true;
  }
  attached_.push_back(Attached{folded, handler});
  return true;
}

bool DispatchBridge::detachEvent(const QString& event, const QJSValue& handler) {
  const std::string folded = FoldCase(event.toStdString());
  auto it = std::find_if(attached_.begin(), attached_.end(), [&](const Attached& a) {
    return a.event == folded && a.handler.strictlyEquals(handler);
  });
  if (it == attached_.end()) return false;
  attached_.erase(it);
  return true;
}

void DispatchBridge::Deliver(const automation::EventInfo& event,
                             const std::vector<Variant>& args) {
  QJSValueList js_args;
  for (const Variant& arg : args) js_args.append(ToScript(arg, host_));

  const QString name = QString::fromStdString(event.name);
  const QJSValue global = host_.engine().globalObject();
  for (const QString& prefix : QStringList(prefixes_)) {
    QJSValue function = global.property(prefix + name);
    if (function.isCallable()) host_.CallEventHandler(function, js_args);
  }

  const std::string folded = FoldCase(event.name);
  const std::vector<Attached> attached = attached_;  // a handler may detach itself
  for (const Attached& a : attached) {
    if (a.event == folded || a.event == "on" + folded) host_.CallEventHandler(a.handler, js_args);
  }
}

ProxyFactory::ProxyFactory(QJSEngine& engine) : engine_(engine) {
  QJSValue module = engine_.evaluate(QString::fromUtf8(kProxySource));
  wrap_ = module.property(QStringLiteral("wrap"));
  unwrap_ = module.property(QStringLiteral("unwrap"));
}

QJSValue ProxyFactory::Wrap(DispatchBridge* bridge) const {
  QJSEngine::setObjectOwnership(bridge, QJSEngine::CppOwnership);
  return wrap_.call({engine_.newQObject(bridge)});
}

}  // namespace maltrove::host
