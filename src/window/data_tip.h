// TFXDataTip: the small window that shows a cell's whole text when the
// pointer rests on it. A request starts a 200 ms delay; the tip then appears
// below and right of the pointer, inside the screen, wrapped at 400 pixels
// when the text has line breaks or is wider than the screen.
#pragma once

#include <string>

#include "platform/native_window.h"

namespace maltrove {

class TFXDataTip {
 public:
  static constexpr int kTimerId = 1010;
  static constexpr int kDelayMs = 200;
  static constexpr int kWrapWidth = 400;

  void Attach(platform::NativeWindow* window) { window_ = window; }

  // A request for `text` at a client point; ignored outside the client area
  // or at the same point as the last request.
  void Request(const std::string& text, platform::Point client);
  void OnTimer();
  void Hide();
  // Forgets the last point, so the next request at it counts again.
  void Reset() { hasPoint_ = false; }

  bool shown() const { return shown_; }
  bool pending() const { return pending_; }
  const std::string& text() const { return text_; }
  // Where the tip was last shown, in screen coordinates.
  const platform::Rect& shownRect() const { return shownRect_; }
  int shownWrapWidth() const { return wrapWidth_; }

 private:
  platform::NativeWindow* window_ = nullptr;
  std::string text_;
  platform::Point last_;
  bool hasPoint_ = false;
  platform::Point screenPoint_;
  bool pending_ = false;
  bool shown_ = false;
  platform::Rect shownRect_;
  int wrapWidth_ = 0;
};

}  // namespace maltrove
