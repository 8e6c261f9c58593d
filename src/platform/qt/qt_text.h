// Text layout shared by drawing and measuring, in the manner of DrawText:
// lines break at line breaks (unless single line) and, with word break and
// a width, between words; ellipsis shortens a line wider than the width.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "platform/draw_surface.h"

namespace maltrove::platform {

struct TextLayout {
  QStringList lines;
  int lineHeight = 0;
  int ascent = 0;
  Size size;  // the widest line by the lines' total height
};

// `width` <= 0 means no width: no wrapping and no ellipsis.
TextLayout LayOutText(const QString& text, const QFont& font, int flags, int width);

// Draws a laid-out text inside `rect` (clipping is the caller's).
void DrawTextLayout(QPainter& painter, const TextLayout& layout, const QFont& font,
                    const QRect& rect, int flags);

// TextMeasurer with the same layout as DrawTextLayout.
class QtTextMeasurer : public TextMeasurer {
 public:
  Size MeasureText(const std::string& text, const FontDescription& font, int flags,
                   int wrapWidth) override;
};

}  // namespace maltrove::platform
