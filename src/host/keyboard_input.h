// Real keyboard input for scripts: key strokes and input-method
// compositions sent to the widget that has the keyboard focus, as the
// window system would deliver them, each followed by the events it queued.
#pragma once

#include <QString>
#include <QWidget>

#include "host/send_keys.h"

namespace maltrove::host {

// QApplication::focusWidget(), else the active window's focus widget;
// nullptr when no window has the focus.
QWidget* KeyboardFocus();

// A press and a release, each to the widget holding the focus then (a
// press may move the focus, as F2 opening an editor does). False when no
// window has the focus.
bool SendStroke(const KeyStroke& stroke);

// One QInputMethodEvent with the pre-edit (its cursor at the end) and the
// committed text.
void SendComposition(QWidget* target, const QString& preedit, const QString& commit);

// Runs what the input queued: posted messages, repaints.
void ProcessPendingEvents();

}  // namespace maltrove::host
