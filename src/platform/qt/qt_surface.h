// QtSurface: the drawing surface over a QPainter. Fills and lines are
// painted as whole logical pixels without antialiasing, so they are exact at
// a device pixel ratio of 1 and sharp at higher ratios when the painter's
// device carries the ratio.
#pragma once

#include <QPainter>

#include "platform/draw_surface.h"

namespace maltrove::platform {

class QtSurface : public DrawSurface {
 public:
  // `painter` must stay active while the surface is used.
  explicit QtSurface(QPainter& painter);

  void SetOrigin(int dx, int dy) override;
  void SetClip(const Rect& clip) override;
  void ClearClip() override;

  void FillRect(const Rect& rect, Colour colour) override;
  void FrameRect(const Rect& rect, const Pen& pen) override;
  void Line(int x1, int y1, int x2, int y2, const Pen& pen) override;
  void Edge3D(const Rect& rect, Colour light, Colour dark) override;
  void Text(const std::string& text, const Rect& rect, const FontDescription& font, Colour colour,
            int flags) override;
  void DrawGlyph(Glyph glyph, const Rect& rect) override;
  void DrawBitmap(const Bitmap& bitmap, const Rect& rect) override;

 private:
  QRect Placed(const Rect& rect) const;
  void FillPieces(const std::vector<QRect>& pieces, Colour colour);
  static bool IsPlainLine(const std::string& text, int flags);
  void DrawLine(const std::string& text, const QFont& font, const QRect& box, Colour colour,
                int flags);

  QPainter& painter_;
  int dx_ = 0;
  int dy_ = 0;
};

}  // namespace maltrove::platform
