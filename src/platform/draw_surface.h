// DrawSurface: the few drawing operations the grid window paints with.
// Coordinates are logical pixels; rectangles exclude their right and bottom
// edges, as the window system's rectangles do, so a 1-pixel outline of
// (l, t, r, b) lies on columns l and r - 1 and rows t and b - 1.
#pragma once

#include <memory>
#include <string>

#include "model/colour.h"

namespace maltrove::platform {

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int width = 0;
  int height = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  bool operator==(const Rect& other) const = default;
};

// Pen style codes of the grid's border-style settings.
enum PenStyle { kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenNone = 5 };

struct Pen {
  Colour colour = 0;
  int width = 1;
  int style = kPenSolid;
};

// A font as the grid's styles name it: a comma list of faces (the first
// non-empty one is used), a size in points, italic and bold.
struct FontDescription {
  std::string faces;
  int pointSize = 10;
  bool italic = false;
  bool bold = false;
  bool operator==(const FontDescription& other) const = default;
};

// Text layout flags.
enum TextFlags {
  kTextLeft = 0,
  kTextCenter = 1 << 0,
  kTextRight = 1 << 1,
  kTextVCenter = 1 << 2,
  kTextSingleLine = 1 << 3,
  kTextWordBreak = 1 << 4,  // break at line breaks and, for a width, between words
  kTextEllipsis = 1 << 5,
};

// The check-box and radio pictures, drawn as shapes so they stay sharp at
// any scale.
enum class Glyph { kRadioOff, kRadioOn, kCheckOff, kCheckOn };

// A picture loaded from a file.
class Bitmap {
 public:
  virtual ~Bitmap() = default;
  virtual Size size() const = 0;
  // The file it came from, for diagnostics and tests.
  virtual const std::string& source() const = 0;
};

class DrawSurface {
 public:
  virtual ~DrawSurface() = default;

  // Moves the drawing origin: later coordinates are offset by (dx, dy).
  virtual void SetOrigin(int dx, int dy) = 0;
  // Limits drawing to `clip` (in device coordinates, the origin not
  // applied); an empty optional removes the limit.
  virtual void SetClip(const Rect& clip) = 0;
  virtual void ClearClip() = 0;

  virtual void FillRect(const Rect& rect, Colour colour) = 0;
  // The outline of `rect` with `pen`; wider pens grow around the 1-pixel line.
  virtual void FrameRect(const Rect& rect, const Pen& pen) = 0;
  // A line from (x1, y1) up to, not including, (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, const Pen& pen) = 0;
  // A raised 3-D edge: `light` along the top and left, `dark` along the
  // bottom and right.
  virtual void Edge3D(const Rect& rect, Colour light, Colour dark) = 0;
  virtual void Text(const std::string& text, const Rect& rect, const FontDescription& font,
                    Colour colour, int flags) = 0;
  virtual void DrawGlyph(Glyph glyph, const Rect& rect) = 0;
  // Stretches the bitmap over `rect`.
  virtual void DrawBitmap(const Bitmap& bitmap, const Rect& rect) = 0;
};

// Text measurement, shared by painting and the data tips.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The size of the text's rectangle; with kTextWordBreak and a width above
  // 0 the text is wrapped to that width.
  virtual Size MeasureText(const std::string& text, const FontDescription& font, int flags,
                           int wrapWidth) = 0;
};

}  // namespace maltrove::platform
