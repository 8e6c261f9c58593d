#include "platform/qt/qt_surface.h"

#include <cmath>

#include "platform/qt/qt_bitmap.h"
#include "platform/qt/qt_colour.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_glyphs.h"
#include "platform/qt/qt_pixels.h"
#include "platform/qt/qt_static_text.h"
#include "platform/qt/qt_text.h"

namespace maltrove::platform {

QtSurface::QtSurface(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtSurface::SetOrigin(int dx, int dy) {
  dx_ = dx;
  dy_ = dy;
}

void QtSurface::SetClip(const Rect& clip) {
  painter_.setClipRect(QRect(clip.left, clip.top, clip.width(), clip.height()));
}

void QtSurface::ClearClip() { painter_.setClipping(false); }

QRect QtSurface::Placed(const Rect& rect) const {
  return QRect(rect.left + dx_, rect.top + dy_, rect.width(), rect.height());
}

void QtSurface::FillPieces(const std::vector<QRect>& pieces, Colour colour) {
  const QColor qcolour = ToQColor(colour);
  for (const QRect& piece : pieces) painter_.fillRect(piece.translated(dx_, dy_), qcolour);
}

void QtSurface::FillRect(const Rect& rect, Colour colour) {
  if (!rect.empty()) painter_.fillRect(Placed(rect), ToQColor(colour));
}

void QtSurface::FrameRect(const Rect& rect, const Pen& pen) {
  FillPieces(FrameRects(rect, pen), pen.colour);
}

void QtSurface::Line(int x1, int y1, int x2, int y2, const Pen& pen) {
  DashPhase phase;
  FillPieces(SegmentRects(x1, y1, x2, y2, pen, phase), pen.colour);
}

void QtSurface::Edge3D(const Rect& rect, Colour light, Colour dark) {
  if (rect.empty()) return;
  const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  FillRect({l, t, r - 1, t + 1}, light);
  FillRect({l, t, l + 1, b - 1}, light);
  FillRect({l, b - 1, r, b}, dark);
  FillRect({r - 1, t, r, b}, dark);
}

void QtSurface::Text(const std::string& text, const Rect& rect, const FontDescription& font,
                     Colour colour, int flags) {
  if (rect.empty() || text.empty()) return;
  const QFont& qfont = FontFor(font);
  const QRect box = Placed(rect);
  if (IsPlainLine(text, flags)) {
    DrawLine(text, qfont, box, colour, flags);
    return;
  }
  const TextLayout layout = LayOutText(QString::fromStdString(text), qfont, flags, box.width());
  painter_.save();
  painter_.setClipRect(box, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  painter_.setPen(ToQColor(colour));
  DrawTextLayout(painter_, layout, qfont, box, flags);
  painter_.restore();
}

// One line without breaks, wrapping or ellipsis: the common cell text.
bool QtSurface::IsPlainLine(const std::string& text, int flags) {
  if (!(flags & kTextSingleLine) || (flags & kTextEllipsis)) return false;
  return text.find_first_of("\r\n") == std::string::npos;
}

void QtSurface::DrawLine(const std::string& text, const QFont& font, const QRect& box,
                         Colour colour, int flags) {
  const QStaticText& line = SharedStaticTextCache().Get(text, font);
  const QFontMetrics metrics(font);
  const int width = static_cast<int>(std::ceil(line.size().width()));
  const int height = metrics.height();
  int left = box.left();
  if (flags & kTextRight) left = box.left() + box.width() - width;
  if (flags & kTextCenter) left = box.left() + (box.width() - width) / 2;
  int top = box.top();
  if (flags & kTextVCenter) top += (box.height() - height) / 2;
  const bool fits = left >= box.left() && left + width <= box.left() + box.width() &&
                    top >= box.top() && top + height <= box.top() + box.height();
  if (!fits) {
    painter_.save();
    painter_.setClipRect(box, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  painter_.setPen(ToQColor(colour));
  painter_.setFont(font);
  painter_.drawStaticText(QPoint(left, top), line);
  if (!fits) painter_.restore();
}

void QtSurface::DrawGlyph(Glyph glyph, const Rect& rect) {
  PaintGlyph(painter_, glyph, Placed(rect));
}

void QtSurface::DrawBitmap(const Bitmap& bitmap, const Rect& rect) {
  const auto* qt = dynamic_cast<const QtBitmap*>(&bitmap);
  if (qt == nullptr || rect.empty()) return;
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter_.drawImage(Placed(rect), qt->image());
  painter_.restore();
}

}  // namespace maltrove::platform
