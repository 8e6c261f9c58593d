#include "host/keyboard_input.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace maltrove::host {

namespace {

bool SendKey(QEvent::Type type, const KeyStroke& stroke) {
  QWidget* target = KeyboardFocus();
  if (target == nullptr) return false;
  QKeyEvent event(type, stroke.key, stroke.modifiers, stroke.text);
  QCoreApplication::sendEvent(target, &event);
  return true;
}

}  // namespace

QWidget* KeyboardFocus() {
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  QWidget* active = QApplication::activeWindow();
  if (active == nullptr) return nullptr;
  return active->focusWidget() != nullptr ? active->focusWidget() : active;
}

bool SendStroke(const KeyStroke& stroke) {
  if (!SendKey(QEvent::KeyPress, stroke)) return false;
  SendKey(QEvent::KeyRelease, stroke);
  ProcessPendingEvents();
  return true;
}

void SendComposition(QWidget* target, const QString& preedit, const QString& commit) {
  QList<QInputMethodEvent::Attribute> attributes{
      {QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1, QVariant()}};
  QInputMethodEvent event(preedit, attributes);
  event.setCommitString(commit);
  QCoreApplication::sendEvent(target, &event);
  ProcessPendingEvents();
}

void ProcessPendingEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

}  // namespace maltrove::host
