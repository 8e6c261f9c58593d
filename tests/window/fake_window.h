// FakeWindow: a NativeWindow for the window logic's tests. It records
// invalidations, timers, the capture and the tips, and measures text as the
// recording surface does.
#pragma once

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_window.h"
#include "platform/recording_surface.h"

namespace maltrove::testing {

class FakeBitmap : public platform::Bitmap {
 public:
  explicit FakeBitmap(std::string source) : source_(std::move(source)) {}
  platform::Size size() const override { return {16, 16}; }
  const std::string& source() const override { return source_; }

 private:
  std::string source_;
};

class FakeWindow : public platform::NativeWindow {
 public:
  explicit FakeWindow(platform::Size size) : size_(size) {}

  platform::Size ClientSize() const override { return size_; }
  void Invalidate(const platform::Rect& rect) override { invalidated.push_back(rect); }
  void InvalidateAll() override { ++invalidatedAll; }
  void SetTimer(int id, int milliseconds) override { timers[id] = milliseconds; }
  void KillTimer(int id) override { timers.erase(id); }
  void CaptureMouse(bool capture) override { captured = capture; }
  void SetCursor(platform::CursorShape shape) override { cursor = shape; }
  void TakeFocus() override { focused = true; }
  platform::Point CursorPosition() const override { return cursorPosition; }
  platform::Point ClientToScreen(platform::Point point) const override {
    return {point.x + origin.x, point.y + origin.y};
  }
  platform::Rect ScreenArea() const override { return screen; }
  // Reads the first line of the file as the picture's name; nullptr for a
  // missing or empty file.
  std::shared_ptr<platform::Bitmap> LoadBitmap(const std::string& path) override {
    std::ifstream in(path);
    std::string name;
    if (!std::getline(in, name) || name.empty()) return nullptr;
    return std::make_shared<FakeBitmap>(name);
  }
  void ShowTip(const std::string& text, const platform::Rect& rect, int wrapWidth) override {
    tipText = text;
    tipRect = rect;
    tipWrap = wrapWidth;
    tipShown = true;
  }
  void HideTip() override { tipShown = false; }
  platform::FontSpec TipFont() const override { return {"Sans", 9, false, false}; }
  platform::Size MeasureText(const std::string& text, const platform::FontSpec& font, int flags,
                             int wrapWidth) override {
    return measurer_.MeasureText(text, font, flags, wrapWidth);
  }

  bool TimerRunning(int id) const { return timers.count(id) != 0; }

  platform::Size size_;
  platform::Point origin{100, 100};
  platform::Rect screen{0, 0, 1024, 768};
  platform::Point cursorPosition{10, 10};
  std::vector<platform::Rect> invalidated;
  int invalidatedAll = 0;
  std::map<int, int> timers;
  bool captured = false;
  bool focused = false;
  platform::CursorShape cursor = platform::CursorShape::kArrow;
  std::string tipText;
  platform::Rect tipRect;
  int tipWrap = 0;
  bool tipShown = false;

 private:
  platform::RecordingSurface measurer_;
};

}  // namespace maltrove::testing
