// GridWidget: the Qt window of a control, hosting a WindowClient. Paint,
// size, timer, pointer and key events become calls on the client; the
// client's requests become widget operations; typed text and input-method
// compositions reach the client as text. The in-place editors are child
// widgets. Painting goes to an
// off-screen image that is copied to the window in one step.
#pragma once

#include <QImage>
#include <QWidget>
#include <map>

#include "platform/native_window.h"
#include "platform/qt/qt_text.h"

namespace maltrove::platform {

class TipWindow;

class GridWidget : public QWidget, public NativeWindow {
  Q_OBJECT

 public:
  // Attaches itself to `client`, which must outlive the widget.
  GridWidget(QWidget* parent, WindowClient* client);
  ~GridWidget() override;

  // NativeWindow.
  Size ClientSize() const override;
  void Invalidate(const Rect& rect) override;
  void InvalidateAll() override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void CaptureMouse(bool capture) override;
  void SetCursor(CursorShape shape) override;
  void TakeFocus() override;
  Point CursorPosition() const override;
  Point ClientToScreen(Point point) const override;
  Rect ScreenArea() const override;
  std::shared_ptr<Bitmap> LoadBitmap(const std::string& path) override;
  void ShowTip(const std::string& text, const Rect& screenRect, int wrapWidth) override;
  void HideTip() override;
  FontDescription TipFont() const override;
  Size MeasureText(const std::string& text, const FontDescription& font, int flags,
                   int wrapWidth) override;
  std::unique_ptr<EditorWindow> CreateEditor(const EditorRequest& request,
                                             EditorListener* listener) override;
  void Post(int message, int a, int b) override;
  void NotifyAccessibility(AccessibleChange change, int row, int col) override;

  // What the client tells assistive technologies; may be nullptr.
  const AccessibleTable* AccessibleModel() const { return client_->Accessible(); }
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  WindowClient* client_;
  QImage buffer_;
  std::map<int, int> timers_;  // client id -> Qt timer id
  bool captured_ = false;
  int wheel_rest_ = 0;  // angle delta short of a whole notch
  TipWindow* tip_ = nullptr;
  QtTextMeasurer measurer_;
};

}  // namespace maltrove::platform
