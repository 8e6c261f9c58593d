// RecordingSurface: a DrawSurface that lists what was drawn where, in
// device coordinates (the origin applied), so tests can check the paint
// order and colours without pixels. Text measures 7 pixels per character
// and 13 pixels per line.
#pragma once

#include <string>
#include <vector>

#include "platform/draw_surface.h"

namespace maltrove::platform {

struct DrawCall {
  enum Kind { kFill, kFrame, kLine, kEdge, kText, kGlyph, kBitmap };
  Kind kind;
  Rect rect;  // for a line: left/top the start, right/bottom the end
  Colour colour = 0;
  Colour colour2 = 0;  // the dark colour of an edge
  Pen pen;
  std::string text;  // text, or the bitmap's source
  FontDescription font;
  int flags = 0;
  Glyph glyph = Glyph::kRadioOff;
  Rect clip;  // the clip in force, empty when none
};

class RecordingSurface : public DrawSurface, public TextMeasurer {
 public:
  static constexpr int kCharWidth = 7;
  static constexpr int kLineHeight = 13;

  void SetOrigin(int dx, int dy) override;
  void SetClip(const Rect& clip) override { clip_ = clip; }
  void ClearClip() override { clip_ = Rect(); }
  void FillRect(const Rect& rect, Colour colour) override;
  void FrameRect(const Rect& rect, const Pen& pen) override;
  void Line(int x1, int y1, int x2, int y2, const Pen& pen) override;
  void Edge3D(const Rect& rect, Colour light, Colour dark) override;
  void Text(const std::string& text, const Rect& rect, const FontDescription& font, Colour colour,
            int flags) override;
  void DrawGlyph(Glyph glyph, const Rect& rect) override;
  void DrawBitmap(const Bitmap& bitmap, const Rect& rect) override;
  Size MeasureText(const std::string& text, const FontDescription& font, int flags,
                   int wrapWidth) override;

  const std::vector<DrawCall>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

  // Helpers for tests: the last fill covering the point, the texts drawn.
  const DrawCall* LastFillAt(int x, int y) const;
  const DrawCall* FindText(const std::string& text) const;

 private:
  DrawCall& Add(DrawCall::Kind kind, const Rect& rect);

  int dx_ = 0;
  int dy_ = 0;
  Rect clip_;
  std::vector<DrawCall> calls_;
};

}  // namespace maltrove::platform
