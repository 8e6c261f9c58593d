#include "platform/recording_surface.h"

#include <algorithm>

namespace maltrove::platform {

namespace {

// Characters, not bytes, so Korean text measures like Latin text.
int CountCharacters(const std::string& text) {
  int count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

}  // namespace

void RecordingSurface::SetOrigin(int dx, int dy) {
  dx_ = dx;
  dy_ = dy;
}

DrawCall& RecordingSurface::Add(DrawCall::Kind kind, const Rect& rect) {
  DrawCall call;
  call.kind = kind;
  call.rect = rect.moved(dx_, dy_);
  call.clip = clip_;
  calls_.push_back(call);
  return calls_.back();
}

void RecordingSurface::FillRect(const Rect& rect, Colour colour) {
  Add(DrawCall::kFill, rect).colour = colour;
}

void RecordingSurface::FrameRect(const Rect& rect, const Pen& pen) {
  DrawCall& call = Add(DrawCall::kFrame, rect);
  call.pen = pen;
  call.colour = pen.colour;
}

void RecordingSurface::Line(int x1, int y1, int x2, int y2, const Pen& pen) {
  DrawCall& call = Add(DrawCall::kLine, Rect{x1, y1, x2, y2});
  call.pen = pen;
  call.colour = pen.colour;
}

void RecordingSurface::Edge3D(const Rect& rect, Colour light, Colour dark) {
  DrawCall& call = Add(DrawCall::kEdge, rect);
  call.colour = light;
  call.colour2 = dark;
}

void RecordingSurface::Text(const std::string& text, const Rect& rect, const FontDescription& font,
                            Colour colour, int flags) {
  DrawCall& call = Add(DrawCall::kText, rect);
  call.text = text;
  call.font = font;
  call.colour = colour;
  call.flags = flags;
}

void RecordingSurface::DrawGlyph(Glyph glyph, const Rect& rect) {
  Add(DrawCall::kGlyph, rect).glyph = glyph;
}

void RecordingSurface::DrawBitmap(const Bitmap& bitmap, const Rect& rect) {
  Add(DrawCall::kBitmap, rect).text = bitmap.source();
}

Size RecordingSurface::MeasureText(const std::string& text, const FontDescription&, int flags,
                                   int wrapWidth) {
  int widest = 0;
  int lines = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = (flags & kTextSingleLine) ? std::string::npos : text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    int width = CountCharacters(line) * kCharWidth;
    if ((flags & kTextWordBreak) && wrapWidth > 0 && width > wrapWidth) {
      const int perLine = std::max(1, wrapWidth / kCharWidth);
      const int characters = CountCharacters(line);
      lines += (characters + perLine - 1) / perLine;
      width = perLine * kCharWidth;
    } else {
      ++lines;
    }
    widest = std::max(widest, width);
    start = end + 1;
  }
  return {widest, lines * kLineHeight};
}

const DrawCall* RecordingSurface::LastFillAt(int x, int y) const {
  for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
    if (it->kind == DrawCall::kFill && it->rect.contains(x, y)) return &*it;
  }
  return nullptr;
}

const DrawCall* RecordingSurface::FindText(const std::string& text) const {
  for (const DrawCall& call : calls_) {
    if (call.kind == DrawCall::kText && call.text == text) return &call;
  }
  return nullptr;
}

}  // namespace maltrove::platform
