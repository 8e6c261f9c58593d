// DispatchBridge: the script's view of one control. The native object offers
// name lookup and invoke; a JS Proxy around it turns property reads, writes
// and calls into those, so that DispatchObject::Invoke, not QJSEngine's
// QObject binding, counts and coerces the arguments.
#pragma once

#include <QJSEngine>
#include <QObject>
#include <memory>
#include <vector>

#include "automation/dispatch_object.h"
#include "host/variant_convert.h"

namespace maltrove::host {

class EventRelay;

// What a bridge needs from the host running the script.
class BridgeHost : public ObjectTable {
 public:
  virtual QJSEngine& engine() = 0;
  // Calls an event handler; a throw in it is an uncaught exception.
  virtual void CallEventHandler(const QJSValue& function, const QJSValueList& args) = 0;
};

class DispatchBridge : public QObject {
  Q_OBJECT

 public:
  // `name` (the ProgID) prefixes error messages.
  DispatchBridge(std::shared_ptr<automation::DispatchObject> object, QString name,
                 BridgeHost& host, QObject* parent);
  ~DispatchBridge() override;

  const std::shared_ptr<automation::DispatchObject>& object() const { return object_; }
  const QJSValue& proxy() const { return proxy_; }
  void SetProxy(QJSValue proxy) { proxy_ = std::move(proxy); }

  // WScript.ConnectObject: each event calls the global function
  // prefix + event name, when there is one.
  void Connect(const QString& prefix);

  // Called by the proxy. resolve() gives {id, method} and throws for an
  // unknown name; knows() only answers. invoke() takes a MemberKind and
  // hands on queued events before it returns.
  Q_INVOKABLE QJSValue resolve(const QString& name);
  Q_INVOKABLE bool knows(const QString& name) const;
  Q_INVOKABLE QJSValue invoke(int dispid, int kind, const QJSValue& args, const QString& name);
  Q_INVOKABLE bool attachEvent(const QString& event, const QJSValue& handler);
  Q_INVOKABLE bool detachEvent(const QString& event, const QJSValue& handler);

 private:
  struct Attached {
    std::string event;  // folded, as attached ("oncellfocused")
    QJSValue handler;
  };

  void Deliver(const automation::EventInfo& event, const std::vector<automation::Variant>& args);
  bool HasEvent(const std::string& folded) const;
  QJSValue Fail(automation::HResult hr, const QString& member);

  std::shared_ptr<automation::DispatchObject> object_;
  QString name_;
  BridgeHost& host_;
  EventRelay* relay_;
  QJSValue proxy_;
  QStringList prefixes_;
  std::vector<Attached> attached_;
};

// Wraps bridges in proxies (one factory per engine) and finds the bridge
// behind a proxy.
class ProxyFactory {
 public:
  explicit ProxyFactory(QJSEngine& engine);

  QJSValue Wrap(DispatchBridge* bridge) const;
  // A JS function: the bridge object behind a proxy, other values unchanged.
  const QJSValue& unwrapFunction() const { return unwrap_; }

 private:
  QJSEngine& engine_;
  QJSValue wrap_;
  QJSValue unwrap_;
};

}  // namespace maltrove::host
