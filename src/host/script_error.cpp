#include "host/script_error.h"

namespace maltrove::host {

QJSValue MakeAutomationError(QJSEngine& engine, automation::HResult hr, const QString& subject) {
  const uint32_t code = static_cast<uint32_t>(hr);
  const QString hex = QString::number(code, 16).toUpper().rightJustified(8, QLatin1Char('0'));
  const QString message = QStringLiteral("%1: %2 (0x%3)")
                              .arg(subject, QString::fromUtf8(automation::Describe(hr)), hex);
  QJSValue error = engine.newErrorObject(QJSValue::GenericError, message);
  error.setProperty(QStringLiteral("number"), static_cast<double>(code));
  error.setProperty(QStringLiteral("description"), message);
  return error;
}

void ThrowAutomationError(QJSEngine& engine, automation::HResult hr, const QString& subject) {
  engine.throwError(MakeAutomationError(engine, hr, subject));
}

}  // namespace maltrove::host
