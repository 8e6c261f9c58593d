#include "host/script_host.h"

#include <QJSValueIterator>
#include <QUrl>

#include "host/event_relay.h"
#include "host/script_error.h"

namespace maltrove::host {

using automation::DispatchObject;
using automation::HResult;

namespace {

// Installs WScript and ActiveXObject; returns the function through which
// event handlers are called, which tells a throw from a normal return.
const char kPrelude[] = R"js(
(function (host, unwrap, global, windows) {
  var args = host.scriptArguments();
  Object.defineProperty(args, "Item", { value: function (i) { return this[i]; } });
  Object.defineProperty(args, "Count", { value: function () { return this.length; } });
  var wscript = {
    Arguments: args,
    ScriptFullName: host.scriptFullName(),
    Echo: function () { host.echo(Array.prototype.map.call(arguments, String).join(" ")); },
    Quit: function (code) { host.quit(code === undefined ? 0 : Number(code)); },
    Answer: function (value) { host.answer(String(value)); },
    ConnectObject: function (object, prefix) { host.connectObject(unwrap(object), String(prefix)); },
    CreateWindow: function (object, width, height) {
      windows.createWindow(unwrap(object), Number(width), Number(height));
    },
    Screenshot: function (object, path) { return windows.screenshot(unwrap(object), String(path)); },
    Pixel: function (object, x, y) { return windows.pixel(unwrap(object), Number(x), Number(y)); },
    Sleep: function (ms) { windows.sleep(Number(ms)); },
    Mouse: function (object, action, x, y, keys) {
      windows.mouse(unwrap(object), String(action), Number(x), Number(y),
                    keys === undefined ? "" : String(keys));
    },
    Wheel: function (object, x, y, notches) {
      windows.wheel(unwrap(object), Number(x), Number(y), Number(notches));
    },
    DataTip: function (object) { return windows.dataTip(unwrap(object)); },
    Compose: function (object, preedit, commit) {
      windows.compose(unwrap(object), String(preedit), commit === undefined ? "" : String(commit));
    }
  };
  var shell = {
    SendKeys: function (keys) { windows.sendKeys(String(keys)); }
  };
  Object.defineProperty(wscript, "DocumentURL", {
    get: function () { return host.documentUrl(); },
    set: function (url) { host.setDocumentUrl(String(url)); },
    enumerable: true
  });
  global.WScript = wscript;
  global.ActiveXObject = function ActiveXObject(progId, params) {
    if (String(progId).toLowerCase() === "wscript.shell") return shell;
    return host.create(String(progId), params);
  };
  return function callHandler(handler) {
    try {
      handler.apply(undefined, Array.prototype.slice.call(arguments, 1));
    } catch (e) {
      return { thrown: e };
    }
  };
})
)js";

// The engine names scripts by URL; messages name them by path.
QString LocalName(const QString& name) {
  const QUrl url(name);
  return url.isLocalFile() ? url.toLocalFile() : name;
}

// "file:line" of the first frame in a named file: the host's own code
// (proxies, prelude) has no file name. Trace frames read
// "function:line:column:file".
QString PlaceInTrace(const QStringList& trace) {
  for (const QString& frame : trace) {
    const QString file = frame.section(QLatin1Char(':'), 3);
    if (!file.isEmpty()) {
      return LocalName(file) + QLatin1Char(':') + frame.section(QLatin1Char(':'), 1, 1);
    }
  }
  return {};
}

// The same from an Error's stack, whose frames read "function@file:line".
QString PlaceInStack(const QString& stack) {
  for (const QString& frame : stack.split(QLatin1Char('\n'))) {
    const QString where = frame.section(QLatin1Char('@'), 1);
    const int colon = where.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) return LocalName(where.left(colon)) + where.mid(colon);
  }
  return {};
}

// Where a value was thrown: by the trace of the throw when there is one,
// else by the stack an Error carries.
QString Location(const QJSValue& error, const QStringList& trace, const QString& script) {
  QString place = PlaceInTrace(trace);
  if (place.isEmpty() && error.isError()) {
    place = PlaceInStack(error.property(QStringLiteral("stack")).toString());
  }
  return place.isEmpty() ? script : place;
}

automation::PropertyBag ToBag(const QJSValue& params) {
  automation::PropertyBag bag;
  QJSValueIterator it(params);
  while (it.hasNext()) {
    it.next();
    bag[it.name().toStdString()] = it.value().toString().toStdString();
  }
  return bag;
}

}  // namespace

ScriptHost::ScriptHost(const automation::ClassRegistry& classes, QString scriptPath,
                       QStringList arguments)
    : classes_(classes),
      script_path_(std::move(scriptPath)),
      arguments_(std::move(arguments)),
      document_url_(QStringLiteral("file://") + script_path_),
      engine_(std::make_unique<QJSEngine>()),
      windows_(std::make_unique<WindowVerbs>(*engine_, *this)) {
  InstallGlobals();
}

ScriptHost::~ScriptHost() { ReleaseControls(); }

void ScriptHost::InstallGlobals() {
  proxies_ = std::make_unique<ProxyFactory>(*engine_);
  QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
  QJSEngine::setObjectOwnership(windows_.get(), QJSEngine::CppOwnership);
  QJSValue prelude = engine_->evaluate(QString::fromUtf8(kPrelude));
  call_handler_ = prelude.call({engine_->newQObject(this), proxies_->unwrapFunction(),
                                engine_->globalObject(), engine_->newQObject(windows_.get())});
}

int ScriptHost::Run(const QString& source) {
  QString code = source;
  if (code.startsWith(QLatin1String("#!"))) code.replace(0, 2, QStringLiteral("//"));
  QStringList trace;
  QJSValue result = engine_->evaluate(code, script_path_, 1, &trace);
  if (!exit_status_) {
    if (!trace.isEmpty() || result.isError()) {
      ReportUncaught(result, trace);
      Stop(1);
    } else {
      EventRelay::DeliverQueued();  // events raised before the end still arrive
    }
  }
  ReleaseControls();
  return exit_status_.value_or(0);
}

void ScriptHost::Stop(int status) {
  if (!exit_status_) exit_status_ = status;
  engine_->setInterrupted(true);
}

void ScriptHost::ReportUncaught(const QJSValue& error, const QStringList& trace) {
  std::cerr << Location(error, trace, script_path_).toStdString() << ": "
            << error.toString().toStdString() << std::endl;
}

void ScriptHost::ReleaseControls() {
  windows_->CloseAll();  // a control's window goes before the control
  // Newest first, so a control outlives those created after it.
  for (auto it = bridges_.rbegin(); it != bridges_.rend(); ++it) delete *it;
  bridges_.clear();
  bridge_of_.clear();
}

DispatchBridge* ScriptHost::AddBridge(std::shared_ptr<DispatchObject> object,
                                      const QString& name) {
  DispatchObject* key = object.get();
  auto* bridge = new DispatchBridge(std::move(object), name, *this, this);
  bridge->SetProxy(proxies_->Wrap(bridge));
  bridges_.push_back(bridge);
  bridge_of_[key] = bridge;
  return bridge;
}

QJSValue ScriptHost::ProxyOf(const std::shared_ptr<DispatchObject>& object) {
  auto it = bridge_of_.find(object.get());
  if (it != bridge_of_.end()) return it->second->proxy();
  return AddBridge(object, QStringLiteral("object"))->proxy();
}

std::shared_ptr<DispatchObject> ScriptHost::ObjectOf(const QJSValue& value) {
  auto* bridge = qobject_cast<DispatchBridge*>(value.toQObject());
  return bridge == nullptr ? nullptr : bridge->object();
}

void ScriptHost::CallEventHandler(const QJSValue& function, const QJSValueList& args) {
  if (exit_status_) return;
  QJSValueList call_args{function};
  call_args.append(args);
  QJSValue outcome = call_handler_.call(call_args);
  if (exit_status_ || !outcome.isObject()) return;
  ReportUncaught(outcome.property(QStringLiteral("thrown")), {});
  Stop(1);
}

void ScriptHost::echo(const QString& text) {
  std::cout << text.toStdString() << '\n' << std::flush;
}

void ScriptHost::quit(int code) { Stop(code); }

void ScriptHost::answer(const QString& value) { queue_.QueueAnswer(value.toStdString()); }

QJSValue ScriptHost::create(const QString& progId, const QJSValue& params) {
  const QString subject = QStringLiteral("cannot create '%1'").arg(progId);
  const bool has_params = !params.isUndefined() && !params.isNull();
  if (has_params && !params.isObject()) {
    ThrowAutomationError(*engine_, HResult::kTypeMismatch, subject);
    return {};
  }
  auto services = std::make_unique<platform::Services>();
  services->ui = &ui_;
  services->clipboard = &clipboard_;
  services->registry = &registry_;
  services->downloader = &downloader_;
  services->shell = &shell_;
  services->documentUrl = document_url_.toStdString();

  const std::string name = progId.toStdString();
  std::shared_ptr<DispatchObject> object;
  HResult hr = classes_.Create(name, *services, &object);
  if (!Succeeded(hr)) {
    ThrowAutomationError(*engine_, hr, subject);
    return {};
  }
  services_.push_back(std::move(services));
  if (has_params) object->LoadProperties(ToBag(params));

  auto it = bridge_of_.find(object.get());
  if (it != bridge_of_.end()) return it->second->proxy();
  return AddBridge(std::move(object), QString::fromStdString(classes_.Find(name)->progId))
      ->proxy();
}

void ScriptHost::connectObject(const QJSValue& bridge, const QString& prefix) {
  auto* target = qobject_cast<DispatchBridge*>(bridge.toQObject());
  if (target == nullptr) {
    ThrowAutomationError(*engine_, HResult::kTypeMismatch,
                         QStringLiteral("WScript.ConnectObject"));
    return;
  }
  target->Connect(prefix);
}

QJSValue ScriptHost::scriptArguments() {
  QJSValue list = engine_->newArray(arguments_.size());
  for (int i = 0; i < arguments_.size(); ++i) list.setProperty(i, arguments_[i]);
  return list;
}

}  // namespace maltrove::host
