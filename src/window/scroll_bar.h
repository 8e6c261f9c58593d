// CXScrollBar: a scroll bar drawn by the grid itself, with six picture slots
// a page can fill (track, thumb, both arrows, both arrows pushed) and a clean
// look of its own when a slot is empty. It turns presses, drags and its
// repeat timers into scroll requests to its owner; the owner decides the
// step sizes and hands back the range and position.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "model/colour.h"
#include "platform/draw_surface.h"

namespace maltrove {

using platform::Rect;

enum class ScrollCode { kLineBack, kLineForward, kPageBack, kPageForward, kThumbTrack };

// What a bar asks of the grid that owns it.
class ScrollBarOwner {
 public:
  virtual ~ScrollBarOwner() = default;
  // `position` is meaningful for kThumbTrack only.
  virtual void OnScroll(bool vertical, ScrollCode code, int position) = 0;
  virtual void SetBarTimer(bool vertical, int timer, int milliseconds) = 0;
  virtual void KillBarTimer(bool vertical, int timer) = 0;
  virtual void RepaintBar(bool vertical) = 0;
};

class CXScrollBar {
 public:
  enum Slot { kBackground, kThumb, kFirstArrow, kSecondArrow, kFirstPushed, kSecondPushed, kSlots };
  enum Timer { kRepeatTimer = 1, kDelayTimer = 2 };
  static constexpr int kArrowLength = 18;
  static constexpr int kDelayMs = 500;
  static constexpr int kRepeatMs = 100;
  static constexpr Colour kDefaultBorder = Rgb(0x4D, 0x4D, 0x4D);

  CXScrollBar(bool vertical, ScrollBarOwner* owner) : vertical_(vertical), owner_(owner) {}

  bool vertical() const { return vertical_; }
  bool shown() const { return shown_; }
  const Rect& rect() const { return rect_; }
  void Place(const Rect& rect, bool shown);

  // The scroll range is 0 .. extent, `page` of it visible at once; the
  // position runs from 0 to limit() = extent - page.
  void SetRange(int extent, int page);
  void SetPosition(int position);
  int position() const { return position_; }
  int limit() const;
  bool scrollable() const { return limit() > 0; }

  void SetImage(Slot slot, std::shared_ptr<platform::Bitmap> image) { images_[slot] = std::move(image); }
  const platform::Bitmap* image(Slot slot) const { return images_[slot].get(); }
  void SetBorderColour(Colour colour) { border_ = colour; }
  Colour borderColour() const { return border_; }

  // Geometry within the bar, in the owner's client coordinates.
  Rect FirstArrowRect() const;
  Rect SecondArrowRect() const;
  Rect TrackRect() const;
  Rect ThumbRect() const;
  int ThumbLength() const;

  void Paint(platform::DrawSurface& surface) const;

  // Pointer input while the bar has the capture (from press to release).
  void OnPress(int x, int y);
  void OnDrag(int x, int y);
  void OnRelease();
  void OnTimer(int timer);
  bool dragging() const { return dragging_; }
  bool pushed(bool first) const { return first ? firstPushed_ : secondPushed_; }

 private:
  enum class Held { kNone, kFirstArrow, kSecondArrow, kTrackBack, kTrackForward };
  int Along(int x, int y) const { return vertical_ ? y : x; }
  int Start() const { return vertical_ ? rect_.top : rect_.left; }
  int Length() const { return vertical_ ? rect_.height() : rect_.width(); }
  int ThumbStart() const;  // offset of the thumb from the bar's start
  bool HeldPartContainsPointer() const;
  void Step();
  void PaintArrow(platform::DrawSurface& surface, const Rect& rect, bool first) const;

  const bool vertical_;
  ScrollBarOwner* const owner_;
  Rect rect_;
  bool shown_ = false;
  int extent_ = 0;
  int page_ = 0;
  int position_ = 0;
  Colour border_ = kDefaultBorder;
  std::array<std::shared_ptr<platform::Bitmap>, kSlots> images_;

  Held held_ = Held::kNone;
  bool firstPushed_ = false;
  bool secondPushed_ = false;
  bool dragging_ = false;
  int dragOffset_ = 0;     // the pointer's offset within the thumb
  int dragThumbStart_ = 0;  // where the dragged thumb is drawn
  int lastX_ = 0;
  int lastY_ = 0;
};

}  // namespace maltrove
