// The radio and check-box pictures as shapes in a 12x12 box, centred in the
// rectangle they are given, in the colours of the classic controls.
#pragma once

#include <QPainter>
#include <QRect>

#include "platform/draw_surface.h"

namespace maltrove::platform {

constexpr int kGlyphSize = 12;

void PaintGlyph(QPainter& painter, Glyph glyph, const QRect& rect);

}  // namespace maltrove::platform
