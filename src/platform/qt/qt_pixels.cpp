#include "platform/qt/qt_pixels.h"

#include <algorithm>
#include <cstdlib>

namespace maltrove::platform {

namespace {

// Cosmetic pens' patterns: dash 18 on 6 off, dot 3 on 3 off.
struct Pattern {
  int on;
  int off;
};

bool Dashed(const Pen& pen) { return pen.style == kPenDash || pen.style == kPenDot; }

Pattern PatternOf(const Pen& pen) { return pen.style == kPenDash ? Pattern{18, 6} : Pattern{3, 3}; }

int PenWidth(const Pen& pen) { return Dashed(pen) || pen.width < 1 ? 1 : pen.width; }

// The square a wide pen paints around the pixel (x, y); even widths lean
// toward the top and left.
QRect PixelBox(int x, int y, int width) {
  const int back = width / 2;
  return QRect(x - back, y - back, width, width);
}

bool Lit(const Pen& pen, int position) {
  if (!Dashed(pen)) return true;
  const Pattern pattern = PatternOf(pen);
  return position % (pattern.on + pattern.off) < pattern.on;
}

// Joins pixels lying next to each other on one row or column.
void Add(std::vector<QRect>& rects, const QRect& box) {
  if (!rects.empty()) {
    QRect& last = rects.back();
    const bool sameRow = last.top() == box.top() && last.height() == box.height();
    const bool sameColumn = last.left() == box.left() && last.width() == box.width();
    if (sameRow && box.left() <= last.right() + 1 && box.right() + 1 >= last.left()) {
      last = last.united(box);
      return;
    }
    if (sameColumn && box.top() <= last.bottom() + 1 && box.bottom() + 1 >= last.top()) {
      last = last.united(box);
      return;
    }
  }
  rects.push_back(box);
}

}  // namespace

// A horizontal or vertical segment (every line the grid draws) as whole
// runs of lit pixels rather than pixel by pixel.
std::vector<QRect> StraightRects(int x1, int y1, int x2, int y2, const Pen& pen,
                                 DashPhase& phase) {
  std::vector<QRect> rects;
  const bool horizontal = y1 == y2;
  const int length = horizontal ? std::abs(x2 - x1) : std::abs(y2 - y1);
  const int step = horizontal ? (x1 < x2 ? 1 : -1) : (y1 < y2 ? 1 : -1);
  const int width = PenWidth(pen);
  auto run = [&](int from, int count) {
    // Pixels from .. from + (count - 1) * step along the segment.
    const int a = from;
    const int b = from + (count - 1) * step;
    const int low = std::min(a, b);
    const int high = std::max(a, b);
    const QRect first = horizontal ? PixelBox(low, y1, width) : PixelBox(x1, low, width);
    const QRect last = horizontal ? PixelBox(high, y1, width) : PixelBox(x1, high, width);
    rects.push_back(first.united(last));
  };
  const int start = horizontal ? x1 : y1;
  if (!Dashed(pen)) {
    if (length > 0) run(start, length);
    phase.position += length;
    return rects;
  }
  const Pattern pattern = PatternOf(pen);
  const int period = pattern.on + pattern.off;
  int i = 0;
  while (i < length) {
    const int offset = (phase.position + i) % period;
    if (offset < pattern.on) {
      const int count = std::min(pattern.on - offset, length - i);
      run(start + i * step, count);
      i += count;
    } else {
      i += period - offset;
    }
  }
  phase.position += length;
  return rects;
}

std::vector<QRect> SegmentRects(int x1, int y1, int x2, int y2, const Pen& pen,
                                DashPhase& phase) {
  std::vector<QRect> rects;
  if (pen.style == kPenNone) return rects;
  if (x1 == x2 || y1 == y2) return StraightRects(x1, y1, x2, y2, pen, phase);
  const int width = PenWidth(pen);
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1;
  int y = y1;
  while (x != x2 || y != y2) {
    if (Lit(pen, phase.position++)) Add(rects, PixelBox(x, y, width));
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
  return rects;
}

std::vector<QRect> FrameRects(const Rect& rect, const Pen& pen) {
  std::vector<QRect> rects;
  if (rect.empty() || pen.style == kPenNone) return rects;
  const int r = rect.right - 1;
  const int b = rect.bottom - 1;
  const int corners[5][2] = {{rect.left, rect.top}, {r, rect.top}, {r, b}, {rect.left, b},
                             {rect.left, rect.top}};
  DashPhase phase;
  for (int i = 0; i < 4; ++i) {
    for (const QRect& piece :
         SegmentRects(corners[i][0], corners[i][1], corners[i + 1][0], corners[i + 1][1], pen,
                      phase)) {
      rects.push_back(piece);
    }
  }
  if (rects.empty()) rects.push_back(PixelBox(rect.left, rect.top, PenWidth(pen)));  // 1x1
  return rects;
}

}  // namespace maltrove::platform
