#include "platform/qt/qt_glyphs.h"

#include <QPainterPath>

namespace maltrove::platform {

namespace {

const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(64, 64, 64);
const QColor kLight(227, 227, 227);
const QColor kHighlight(255, 255, 255);
const QColor kMark(0, 0, 0);

// A sunken square: grey and dark grey on the top and left, light and white
// on the bottom and right, a white well.
void PaintBox(QPainter& painter, const QRect& box) {
  const int l = box.left(), t = box.top(), s = kGlyphSize;
  painter.fillRect(QRect(l, t, s, s), kHighlight);
  painter.fillRect(QRect(l, t, s - 1, 1), kShadow);
  painter.fillRect(QRect(l, t, 1, s - 1), kShadow);
  painter.fillRect(QRect(l + 1, t + 1, s - 3, 1), kDarkShadow);
  painter.fillRect(QRect(l + 1, t + 1, 1, s - 3), kDarkShadow);
  painter.fillRect(QRect(l + 1, t + s - 2, s - 2, 1), kLight);
  painter.fillRect(QRect(l + s - 2, t + 1, 1, s - 2), kLight);
}

void PaintCheck(QPainter& painter, const QRect& box) {
  QPainterPath mark;
  mark.moveTo(box.left() + 3.0, box.top() + 5.5);
  mark.lineTo(box.left() + 5.0, box.top() + 7.5);
  mark.lineTo(box.left() + 9.0, box.top() + 3.5);
  painter.setPen(QPen(kMark, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(mark);
}

// A sunken circle: the upper left half grey, the lower right half light.
void PaintRadio(QPainter& painter, const QRect& box, bool on) {
  const QRectF outer(box.left() + 0.5, box.top() + 0.5, kGlyphSize - 1.0, kGlyphSize - 1.0);
  QLinearGradient edge(outer.topLeft(), outer.bottomRight());
  edge.setColorAt(0.49, kShadow);
  edge.setColorAt(0.51, kLight);
  painter.setPen(QPen(QBrush(edge), 1.0));
  painter.setBrush(kHighlight);
  painter.drawEllipse(outer);
  painter.setPen(QPen(kDarkShadow, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(outer.adjusted(1, 1, -1, -1), 45 * 16, 180 * 16);
  if (!on) return;
  painter.setPen(Qt::NoPen);
  painter.setBrush(kMark);
  painter.drawEllipse(QPointF(box.left() + kGlyphSize / 2.0, box.top() + kGlyphSize / 2.0), 2.0,
                      2.0);
}

}  // namespace

void PaintGlyph(QPainter& painter, Glyph glyph, const QRect& rect) {
  const QRect box(rect.left() + (rect.width() - kGlyphSize) / 2,
                  rect.top() + (rect.height() - kGlyphSize) / 2, kGlyphSize, kGlyphSize);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (glyph == Glyph::kCheckOff || glyph == Glyph::kCheckOn) {
    PaintBox(painter, box);
    if (glyph == Glyph::kCheckOn) PaintCheck(painter, box);
  } else {
    PaintRadio(painter, box, glyph == Glyph::kRadioOn);
  }
  painter.restore();
}

}  // namespace maltrove::platform
