#include "host/window_input.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWheelEvent>

namespace maltrove::host {

namespace {

constexpr int kNotch = 120;

// Eats the pointer moves the platform reports for a cursor the host moved:
// the host sends its own, with the buttons it holds.
class SwallowPlatformMoves : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::MouseMove && event->spontaneous();
  }
};

// Puts the pointer at `global`, so that the window finds it there.
void MoveCursor(QPoint global) {
  if (QCursor::pos() == global) return;
  SwallowPlatformMoves swallow;
  QCoreApplication::instance()->installEventFilter(&swallow);
  QCursor::setPos(global);
  QCoreApplication::processEvents();
  QCoreApplication::instance()->removeEventFilter(&swallow);
}

}  // namespace

Qt::KeyboardModifiers ModifiersOf(const QString& keys) {
  const QString text = keys.toLower();
  Qt::KeyboardModifiers modifiers;
  if (text.contains(QLatin1String("shift"))) modifiers |= Qt::ShiftModifier;
  if (text.contains(QLatin1String("ctrl")) || text.contains(QLatin1String("control"))) {
    modifiers |= Qt::ControlModifier;
  }
  if (text.contains(QLatin1String("alt"))) modifiers |= Qt::AltModifier;
  return modifiers;
}

QWidget* PointerInput::Target(QPoint at) const {
  if (QWidget* grabber = QWidget::mouseGrabber()) return grabber;
  if (held_ != Qt::NoButton && pressed_) return pressed_;
  QWidget* child = control_->childAt(at);
  return child != nullptr ? child : control_.data();
}

void PointerInput::Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                        Qt::KeyboardModifiers modifiers) {
  const QPoint global = control_->mapToGlobal(at);
  MoveCursor(global);
  const QPointF local = target->mapFromGlobal(QPointF(global));
  const QPointF scene = target->window()->mapFromGlobal(QPointF(global));
  QMouseEvent event(type, local, scene, QPointF(global), button, held_, modifiers);
  QApplication::sendEvent(target, &event);
}

void PointerInput::Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  pressed_ = Target(at);
  held_ |= button;
  Send(pressed_, QEvent::MouseButtonPress, at, button, modifiers);
}

void PointerInput::Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QWidget* target = Target(at);
  held_ &= ~Qt::MouseButtons(button);
  Send(target, QEvent::MouseButtonRelease, at, button, modifiers);
  if (held_ == Qt::NoButton) pressed_ = nullptr;
}

void PointerInput::DoubleClick(QPoint at, Qt::MouseButton button,
                               Qt::KeyboardModifiers modifiers) {
  pressed_ = Target(at);
  held_ |= button;
  Send(pressed_, QEvent::MouseButtonDblClick, at, button, modifiers);
}

void PointerInput::Move(QPoint at, Qt::KeyboardModifiers modifiers) {
  Send(Target(at), QEvent::MouseMove, at, Qt::NoButton, modifiers);
}

void PointerInput::Wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
  QWidget* target = Target(at);
  const QPoint global = control_->mapToGlobal(at);
  MoveCursor(global);
  QWheelEvent event(target->mapFromGlobal(QPointF(global)), QPointF(global), QPoint(),
                    QPoint(0, notches * kNotch), held_, modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

}  // namespace maltrove::host
