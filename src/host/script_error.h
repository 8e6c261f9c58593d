// The errors script sees from the automation layer: an Error whose `number`
// is the HRESULT as an unsigned value and whose `description` repeats the
// message, as JScript gives them.
#pragma once

#include <QJSEngine>
#include <QString>

#include "automation/hresult.h"

namespace maltrove::host {

// "<subject>: <description> (0x8002000E)".
QJSValue MakeAutomationError(QJSEngine& engine, automation::HResult hr, const QString& subject);

// Throws the error into the script calling the current native function.
void ThrowAutomationError(QJSEngine& engine, automation::HResult hr, const QString& subject);

}  // namespace maltrove::host
