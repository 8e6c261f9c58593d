// Real pointer input for a control's window: Qt mouse and wheel events sent
// to the deepest child under the point, or to the widget holding the
// pointer while a button is down, as the window system would deliver them.
#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace maltrove::host {

class PointerInput {
 public:
  explicit PointerInput(QWidget* control) : control_(control) {}

  // `at` is in the control's client coordinates.
  void Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void DoubleClick(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  // Carries the buttons held since the last press.
  void Move(QPoint at, Qt::KeyboardModifiers modifiers);
  void Wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers);

 private:
  QWidget* Target(QPoint at) const;
  void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
            Qt::KeyboardModifiers modifiers);

  QPointer<QWidget> control_;
  QPointer<QWidget> pressed_;  // receives the pointer while a button is down
  Qt::MouseButtons held_;
};

// "shift", "ctrl" (or "control") and "alt" anywhere in the text.
Qt::KeyboardModifiers ModifiersOf(const QString& keys);

}  // namespace maltrove::host
