#include "platform/qt/tip_window.h"

#include <QApplication>
#include <QPainter>

#include "platform/qt/qt_colour.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_surface.h"

namespace maltrove::platform {

namespace {
constexpr int kInset = 2;
}

TipWindow::TipWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("maltrove-datatip"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
}

void TipWindow::ShowText(const QString& text, const QRect& screenRect, int wrapWidth) {
  text_ = text;
  wrap_width_ = wrapWidth;
  setProperty("text", text);
  setGeometry(screenRect);
  show();
  update();
}

FontDescription TipWindow::Font() { return DescriptionOf(QApplication::font(), ScreenDpi()); }

void TipWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtSurface surface(painter);
  const Colour back = FromQColor(palette().color(QPalette::ToolTipBase));
  const Colour fore = FromQColor(palette().color(QPalette::ToolTipText));
  const Rect all{0, 0, width(), height()};
  surface.FillRect(all, back);
  surface.FrameRect(all, Pen{fore, 1, kPenSolid});
  const int flags = wrap_width_ > 0 ? kTextWordBreak : 0;
  surface.Text(text_.toStdString(), all.inflated(-kInset, -kInset), Font(), fore, flags);
}

}  // namespace maltrove::platform
