#include "window/scroll_bar.h"

#include <algorithm>
#include <cmath>

namespace maltrove {

namespace {

const Colour kTrackColour = Rgb(0xF0, 0xF0, 0xF0);
const Colour kFaceColour = Rgb(0xE0, 0xE0, 0xE0);
const Colour kThumbColour = Rgb(0xC8, 0xC8, 0xC8);
const Colour kLight = Rgb(0xFF, 0xFF, 0xFF);
const Colour kShadow = Rgb(0x80, 0x80, 0x80);
const Colour kArrowColour = Rgb(0x40, 0x40, 0x40);

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

void CXScrollBar::Place(const Rect& rect, bool shown) {
  rect_ = rect;
  shown_ = shown;
}

void CXScrollBar::SetRange(int extent, int page) {
  extent_ = std::max(extent, 0);
  page_ = std::max(page, 0);
  position_ = std::clamp(position_, 0, limit());
}

void CXScrollBar::SetPosition(int position) { position_ = std::clamp(position, 0, limit()); }

int CXScrollBar::limit() const { return std::max(extent_ - page_, 0); }

Rect CXScrollBar::FirstArrowRect() const {
  if (vertical_) return {rect_.left, rect_.top, rect_.right, rect_.top + kArrowLength};
  return {rect_.left, rect_.top, rect_.left + kArrowLength, rect_.bottom};
}

Rect CXScrollBar::SecondArrowRect() const {
  if (vertical_) return {rect_.left, rect_.bottom - kArrowLength, rect_.right, rect_.bottom};
  return {rect_.right - kArrowLength, rect_.top, rect_.right, rect_.bottom};
}

Rect CXScrollBar::TrackRect() const {
  if (vertical_) return {rect_.left, rect_.top + kArrowLength, rect_.right, rect_.bottom - kArrowLength};
  return {rect_.left + kArrowLength, rect_.top, rect_.right - kArrowLength, rect_.bottom};
}

// The bar's length times the visible share, less both arrows, never below
// one arrow's length (nor beyond the track).
int CXScrollBar::ThumbLength() const {
  const int track = std::max(Length() - 2 * kArrowLength, 0);
  if (extent_ <= 0) return track;
  const int length = Round(static_cast<double>(Length()) * page_ / extent_) - 2 * kArrowLength;
  return std::min(std::max(length, kArrowLength), track);
}

int CXScrollBar::ThumbStart() const {
  if (dragging_) return dragThumbStart_;
  const int travel = Length() - 2 * kArrowLength - ThumbLength();
  if (limit() <= 0 || travel <= 0) return kArrowLength;
  return kArrowLength + Round(static_cast<double>(travel) * position_ / limit());
}

Rect CXScrollBar::ThumbRect() const {
  const int start = Start() + ThumbStart();
  const int end = start + ThumbLength();
  if (vertical_) return {rect_.left, start, rect_.right, end};
  return {start, rect_.top, end, rect_.bottom};
}

// ---- input ---------------------------------------------------------------------------

void CXScrollBar::OnPress(int x, int y) {
  lastX_ = x;
  lastY_ = y;
  if (FirstArrowRect().contains(x, y)) {
    held_ = Held::kFirstArrow;
    firstPushed_ = true;
  } else if (SecondArrowRect().contains(x, y)) {
    held_ = Held::kSecondArrow;
    secondPushed_ = true;
  } else if (!scrollable() || !TrackRect().contains(x, y)) {
    return;
  } else if (ThumbRect().contains(x, y)) {
    dragging_ = true;
    dragThumbStart_ = ThumbStart();
    dragOffset_ = Along(x, y) - (Start() + dragThumbStart_);
    return;
  } else {
    held_ = Along(x, y) < Along(ThumbRect().left, ThumbRect().top) ? Held::kTrackBack
                                                                    : Held::kTrackForward;
  }
  owner_->RepaintBar(vertical_);
  Step();
  owner_->SetBarTimer(vertical_, kDelayTimer, kDelayMs);
}

void CXScrollBar::OnDrag(int x, int y) {
  lastX_ = x;
  lastY_ = y;
  if (held_ == Held::kFirstArrow || held_ == Held::kSecondArrow) {
    const bool inside = HeldPartContainsPointer();
    bool& pushed = held_ == Held::kFirstArrow ? firstPushed_ : secondPushed_;
    if (pushed != inside) {
      pushed = inside;
      owner_->RepaintBar(vertical_);
    }
  }
  if (!dragging_) return;
  const int first = kArrowLength;
  const int last = Length() - kArrowLength - ThumbLength();
  dragThumbStart_ = std::clamp(Along(x, y) - Start() - dragOffset_, first, std::max(first, last));
  // The thumb touching an arrow means the very start or end; in between the
  // position follows the thumb's share of its travel.
  int position = 0;
  if (dragThumbStart_ >= last) {
    position = limit();
  } else if (dragThumbStart_ > first) {
    position = Round(static_cast<double>(dragThumbStart_ - first) * limit() / (last - first));
  }
  owner_->OnScroll(vertical_, ScrollCode::kThumbTrack, position);
}

void CXScrollBar::OnRelease() {
  owner_->KillBarTimer(vertical_, kDelayTimer);
  owner_->KillBarTimer(vertical_, kRepeatTimer);
  held_ = Held::kNone;
  firstPushed_ = secondPushed_ = false;
  dragging_ = false;
  owner_->RepaintBar(vertical_);
}

void CXScrollBar::OnTimer(int timer) {
  if (timer == kDelayTimer) {
    owner_->KillBarTimer(vertical_, kDelayTimer);
    owner_->SetBarTimer(vertical_, kRepeatTimer, kRepeatMs);
    return;
  }
  if (held_ != Held::kNone && HeldPartContainsPointer()) Step();
}

bool CXScrollBar::HeldPartContainsPointer() const {
  const Rect thumb = ThumbRect();
  const Rect track = TrackRect();
  switch (held_) {
    case Held::kFirstArrow:
      return FirstArrowRect().contains(lastX_, lastY_);
    case Held::kSecondArrow:
      return SecondArrowRect().contains(lastX_, lastY_);
    case Held::kTrackBack:
      return track.contains(lastX_, lastY_) &&
             Along(lastX_, lastY_) < Along(thumb.left, thumb.top);
    case Held::kTrackForward:
      return track.contains(lastX_, lastY_) &&
             Along(lastX_, lastY_) >= Along(thumb.right, thumb.bottom);
    case Held::kNone:
      break;
  }
  return false;
}

void CXScrollBar::Step() {
  switch (held_) {
    case Held::kFirstArrow:
      owner_->OnScroll(vertical_, ScrollCode::kLineBack, 0);
      break;
    case Held::kSecondArrow:
      owner_->OnScroll(vertical_, ScrollCode::kLineForward, 0);
      break;
    case Held::kTrackBack:
      owner_->OnScroll(vertical_, ScrollCode::kPageBack, 0);
      break;
    case Held::kTrackForward:
      owner_->OnScroll(vertical_, ScrollCode::kPageForward, 0);
      break;
    case Held::kNone:
      break;
  }
}

// ---- painting ----------------------------------------------------------------------

void CXScrollBar::PaintArrow(platform::DrawSurface& surface, const Rect& rect, bool first) const {
  const bool pushed = first ? firstPushed_ : secondPushed_;
  const Slot slot = first ? (pushed ? kFirstPushed : kFirstArrow)
                          : (pushed ? kSecondPushed : kSecondArrow);
  const Rect inner = rect.inflated(-1, -1);
  if (images_[slot]) {
    surface.DrawBitmap(*images_[slot], inner);
  } else {
    surface.FillRect(inner, kFaceColour);
    // A small triangle pointing away from the track, drawn line by line.
    const int cx = (inner.left + inner.right) / 2;
    const int cy = (inner.top + inner.bottom) / 2;
    const int offset = pushed ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
      const int tip = (first ? -2 : 1) + (first ? i : -i);
      const platform::Pen pen{kArrowColour, 1, platform::kPenSolid};
      if (vertical_) {
        const int y = cy + tip + offset;
        surface.Line(cx - i + offset, y, cx + i + 1 + offset, y, pen);
      } else {
        const int x = cx + tip + offset;
        surface.Line(x, cy - i + offset, x, cy + i + 1 + offset, pen);
      }
    }
  }
  if (pushed) {
    surface.Edge3D(rect, kShadow, kLight);
  } else {
    surface.Edge3D(rect, kLight, kShadow);
  }
}

void CXScrollBar::Paint(platform::DrawSurface& surface) const {
  if (!shown_ || rect_.empty()) return;
  const Rect track = TrackRect();
  if (images_[kBackground]) {
    surface.DrawBitmap(*images_[kBackground], track);
  } else {
    surface.FillRect(track, kTrackColour);
  }
  PaintArrow(surface, FirstArrowRect(), true);
  PaintArrow(surface, SecondArrowRect(), false);
  if (!scrollable()) return;
  const Rect thumb = ThumbRect();
  if (images_[kThumb]) {
    surface.DrawBitmap(*images_[kThumb], thumb);
  } else {
    surface.FillRect(thumb, kThumbColour);
  }
  surface.FrameRect(thumb, {border_, 1, platform::kPenSolid});
}

}  // namespace maltrove
