// The page bridge's create requests: the <object classid> and its <param>s
// as the page's script hands them to the host, which creates the control
// and loads the parameters into it. Input: the request's JSON text. Member
// calls are left out: through them a page may write files wherever it asks.
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include "automation/class_registry.h"
#include "control/grid_classes.h"
#include "fuzz/fuzz_support.h"
#include "gateway/gateway_classes.h"
#include "host/page/page_controls.h"

using namespace maltrove::fuzz;

namespace {

const maltrove::automation::ClassRegistry& Classes() {
  static const maltrove::automation::ClassRegistry classes = [] {
    maltrove::automation::ClassRegistry r;
    maltrove::RegisterGridClasses(&r);
    maltrove::RegisterGatewayClasses(&r);
    return r;
  }();
  return classes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  FuzzFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (QJsonDocument::fromJson(text).object().value(QLatin1String("op")) == QLatin1String("invoke")) {
    return 0;
  }
  {
    FuzzHost host;
    maltrove::host::PageControls controls(Classes(), host.services(), nullptr,
                                          [](const QJsonArray&) {});
    const QString answer = controls.Answer(QString::fromUtf8(text));
    Require(QJsonDocument::fromJson(answer.toUtf8()).isObject(),
            "the bridge answered no JSON object");
  }
  // What the host's event loop does between two calls of the page.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}
