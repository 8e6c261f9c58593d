// The pixels a pen covers, in the manner of the window system's cosmetic
// pens: a line's pixels by Bresenham without its end point, dash patterns
// that run on across segments, wide solid pens growing around the line.
#pragma once

#include <QRect>
#include <vector>

#include "platform/draw_surface.h"

namespace maltrove::platform {

// Where a pen's dash pattern stands; carried from one segment to the next.
struct DashPhase {
  int position = 0;
};

// The rectangles that draw the segment (x1, y1) up to, not including,
// (x2, y2) with `pen`; nothing for the none style.
std::vector<QRect> SegmentRects(int x1, int y1, int x2, int y2, const Pen& pen,
                                DashPhase& phase);

// The rectangles of the outline of `rect`: columns left and right - 1, rows
// top and bottom - 1, for a 1-pixel pen.
std::vector<QRect> FrameRects(const Rect& rect, const Pen& pen);

}  // namespace maltrove::platform
