#include "platform/qt/grid_widget.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QtMath>

#include "platform/qt/grid_accessible.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/qt_editor.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/tip_window.h"

namespace maltrove::platform {

namespace {

constexpr int kNotch = 120;  // angle delta of one wheel notch

Point LogicalPoint(const QPointF& position) {
  return {qFloor(position.x()), qFloor(position.y())};
}

Qt::CursorShape QtShape(CursorShape shape) {
  switch (shape) {
    case CursorShape::kSizeHorizontal: return Qt::SizeHorCursor;
    case CursorShape::kSizeVertical: return Qt::SizeVerCursor;
    case CursorShape::kArrow: break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

GridWidget::GridWidget(QWidget* parent, WindowClient* client) : QWidget(parent), client_(client) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_OpaquePaintEvent);
  qApp->installEventFilter(this);
  InstallGridAccessibility();
  client_->Attach(this);
}

GridWidget::~GridWidget() {
  qApp->removeEventFilter(this);
  for (const auto& [id, qtId] : timers_) QObject::killTimer(qtId);
  timers_.clear();
  if (captured_) releaseMouse();
  delete tip_;
  tip_ = nullptr;
  client_->Attach(nullptr);
}

Size GridWidget::ClientSize() const { return {width(), height()}; }

void GridWidget::Invalidate(const Rect&) { update(); }

void GridWidget::InvalidateAll() { update(); }

void GridWidget::SetTimer(int id, int milliseconds) {
  KillTimer(id);
  const int qtId = startTimer(std::max(0, milliseconds));
  if (qtId != 0) timers_[id] = qtId;
}

void GridWidget::KillTimer(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  QObject::killTimer(it->second);
  timers_.erase(it);
}

void GridWidget::CaptureMouse(bool capture) {
  if (capture == captured_) return;
  captured_ = capture;
  if (capture) {
    grabMouse();
  } else {
    releaseMouse();
  }
}

void GridWidget::SetCursor(CursorShape shape) { setCursor(QtShape(shape)); }

void GridWidget::TakeFocus() { setFocus(Qt::OtherFocusReason); }

Point GridWidget::CursorPosition() const {
  const QPoint point = mapFromGlobal(QCursor::pos());
  return {point.x(), point.y()};
}

Point GridWidget::ClientToScreen(Point point) const {
  const QPoint screen = mapToGlobal(QPoint(point.x, point.y));
  return {screen.x(), screen.y()};
}

Rect GridWidget::ScreenArea() const {
  const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (where == nullptr) return {};
  const QRect area = where->availableGeometry();
  return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

std::shared_ptr<Bitmap> GridWidget::LoadBitmap(const std::string& path) {
  return LoadQtBitmap(path);
}

void GridWidget::ShowTip(const std::string& text, const Rect& screenRect, int wrapWidth) {
  if (tip_ == nullptr) tip_ = new TipWindow(this);
  tip_->ShowText(QString::fromStdString(text),
                 QRect(screenRect.left, screenRect.top, screenRect.width(), screenRect.height()),
                 wrapWidth);
}

void GridWidget::HideTip() {
  if (tip_ != nullptr) tip_->hide();
}

FontDescription GridWidget::TipFont() const { return TipWindow::Font(); }

Size GridWidget::MeasureText(const std::string& text, const FontDescription& font, int flags,
                             int wrapWidth) {
  return measurer_.MeasureText(text, font, flags, wrapWidth);
}

std::unique_ptr<EditorWindow> GridWidget::CreateEditor(const EditorRequest& request,
                                                       EditorListener* listener) {
  return MakeQtEditor(this, request, listener);
}

// Queued on the widget: a message still waiting when the widget goes is
// dropped with it.
void GridWidget::Post(int message, int a, int b) {
  QMetaObject::invokeMethod(
      this, [this, message, a, b] { client_->OnPosted(message, a, b); }, Qt::QueuedConnection);
}

void GridWidget::NotifyAccessibility(AccessibleChange change, int row, int col) {
  if (QAccessible::isActive()) NotifyGridAccessibility(this, change, row, col);
}

bool GridWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) client_->OnThreadKeyPress();
  return QWidget::eventFilter(watched, event);
}

// Tab and Shift+Tab are the grid's keys, not focus moves.
bool GridWidget::focusNextPrevChild(bool) { return false; }

void GridWidget::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels(qCeil(width() * ratio), qCeil(height() * ratio));
  if (buffer_.size() != pixels || buffer_.devicePixelRatio() != ratio) {
    buffer_ = QImage(pixels, QImage::Format_RGB32);
    buffer_.setDevicePixelRatio(ratio);
  }
  {
    QPainter painter(&buffer_);
    QtSurface surface(painter);
    client_->OnPaint(surface);
  }
  QPainter window(this);
  window.drawImage(QPoint(0, 0), buffer_);
}

void GridWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  client_->OnSize(width(), height());
}

void GridWidget::timerEvent(QTimerEvent* event) {
  for (const auto& [id, qtId] : timers_) {
    if (qtId == event->timerId()) {
      client_->OnTimer(id);  // may kill or restart timers: nothing is used after it
      return;
    }
  }
  QWidget::timerEvent(event);
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
  const Point at = LogicalPoint(event->position());
  const int keys = KeysOf(event->modifiers());
  if (event->button() == Qt::LeftButton) client_->OnMouseDown(at.x, at.y, keys);
  if (event->button() == Qt::RightButton) client_->OnRightClick(at.x, at.y, keys);
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
  const Point at = LogicalPoint(event->position());
  client_->OnMouseMove(at.x, at.y, KeysOf(event->modifiers()),
                       (event->buttons() & Qt::LeftButton) != 0);
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const Point at = LogicalPoint(event->position());
  client_->OnMouseUp(at.x, at.y, KeysOf(event->modifiers()));
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const Point at = LogicalPoint(event->position());
  const int keys = KeysOf(event->modifiers());
  if (event->button() == Qt::LeftButton) client_->OnDoubleClick(at.x, at.y, keys);
  if (event->button() == Qt::RightButton) client_->OnRightClick(at.x, at.y, keys);
}

void GridWidget::wheelEvent(QWheelEvent* event) {
  wheel_rest_ += event->angleDelta().y();
  const int notches = wheel_rest_ / kNotch;
  wheel_rest_ -= notches * kNotch;
  if (notches == 0) return;
  const Point at = LogicalPoint(event->position());
  client_->OnWheel(at.x, at.y, notches, QApplication::wheelScrollLines());
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
  const int key = KeyCodeOf(*event);
  if (key == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  const int keys = KeysOf(event->modifiers());
  client_->OnKeyDown(key, keys);
  const QString typed = TypedText(*event);
  if (!typed.isEmpty()) client_->OnChar(typed.toStdString(), keys);
}

void GridWidget::inputMethodEvent(QInputMethodEvent* event) {
  client_->OnComposition(event->preeditString().toStdString(),
                         event->commitString().toStdString());
  event->accept();
}

// The candidate window sits at the focused cell.
QVariant GridWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImHints: return static_cast<int>(Qt::ImhNone);
    case Qt::ImCursorRectangle: {
      const AccessibleTable* model = AccessibleModel();
      if (model == nullptr || model->FocusedRow() < 0 || model->FocusedColumn() < 0) return QRect();
      const Rect cell = model->CellBounds(model->FocusedRow(), model->FocusedColumn());
      return QRect(cell.left, cell.top, cell.width(), cell.height());
    }
    default: break;
  }
  return QWidget::inputMethodQuery(query);
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  client_->OnFocusLost();
}

void GridWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  client_->OnMouseLeave();
}

}  // namespace maltrove::platform
