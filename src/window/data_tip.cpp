#include "window/data_tip.h"

#include <algorithm>

namespace maltrove {

namespace {

constexpr int kBelowPointer = 16;
constexpr int kOffsetX = 10;
constexpr int kOffsetY = 5;
constexpr int kTextMargin = 4;

// Moves `rect` so it lies inside `area` where it can.
platform::Rect KeepInside(platform::Rect rect, const platform::Rect& area) {
  if (rect.right > area.right) rect = rect.moved(area.right - rect.right, 0);
  if (rect.bottom > area.bottom) rect = rect.moved(0, area.bottom - rect.bottom);
  if (rect.left < area.left) rect = rect.moved(area.left - rect.left, 0);
  if (rect.top < area.top) rect = rect.moved(0, area.top - rect.top);
  return rect;
}

}  // namespace

void TFXDataTip::Request(const std::string& text, platform::Point client) {
  if (window_ == nullptr) return;
  const platform::Size size = window_->ClientSize();
  if (client.x < 0 || client.y < 0 || client.x >= size.width || client.y >= size.height) return;
  if (hasPoint_ && client.x == last_.x && client.y == last_.y) return;
  last_ = client;
  hasPoint_ = true;
  text_ = text;
  screenPoint_ = window_->ClientToScreen(client);
  screenPoint_.y += kBelowPointer;
  window_->KillTimer(kTimerId);
  window_->SetTimer(kTimerId, kDelayMs);
  pending_ = true;
}

void TFXDataTip::OnTimer() {
  if (window_ == nullptr) return;
  window_->KillTimer(kTimerId);
  if (!pending_) return;
  pending_ = false;
  const platform::FontDescription font = window_->TipFont();
  const platform::Rect screen = window_->ScreenArea();
  platform::Size extent = window_->MeasureText(text_, font, 0, 0);
  wrapWidth_ = 0;
  if (text_.find("\r\n") != std::string::npos || extent.width > screen.width()) {
    wrapWidth_ = kWrapWidth;
    extent = window_->MeasureText(text_, font, platform::kTextWordBreak, kWrapWidth);
  }
  const int width = extent.width + kTextMargin;
  const int height = extent.height + kTextMargin;
  platform::Rect rect{screenPoint_.x, screenPoint_.y, screenPoint_.x + width,
                      screenPoint_.y + height};
  rect = rect.inflated(4, 2).moved(kOffsetX, kOffsetY);
  shownRect_ = KeepInside(rect, screen);
  window_->ShowTip(text_, shownRect_, wrapWidth_);
  shown_ = true;
}

void TFXDataTip::Hide() {
  if (window_ != nullptr) {
    window_->KillTimer(kTimerId);
    if (shown_) window_->HideTip();
  }
  pending_ = false;
  shown_ = false;
}

}  // namespace maltrove
