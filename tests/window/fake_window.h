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

// An editor that keeps its text and records what the grid asked of it.
class FakeEditor : public platform::EditorWindow {
 public:
  FakeEditor(const platform::EditorRequest& request, platform::EditorListener* listener,
             FakeEditor** live)
      : request(request), listener(listener), text(request.text), selected(request.selected),
        live_(live) {
    *live_ = this;
  }
  ~FakeEditor() override {
    if (*live_ == this) *live_ = nullptr;
  }
  void Place(const platform::Rect& rect) override { placed = rect; }
  void Focus() override { focused = true; }
  bool HasFocus() const override { return focused; }
  std::string Text() const override {
    if (request.kind == platform::EditorKind::kSelect) {
      return selected >= 0 && selected < static_cast<int>(request.items.size()) ? request.items[selected] : "";
    }
    return text;
  }
  int SelectedIndex() const override { return selected; }
  bool Date(int* y, int* m, int* d) const override {
    *y = year;
    *m = month;
    *d = day;
    return hasDate;
  }
  // Typing replaces the whole text the first time (it starts selected).
  void Type(const std::string& typed) override {
    text = replaceOnType ? typed : text + typed;
    replaceOnType = false;
  }
  void Compose(const std::string& preedit, const std::string& commit) override {
    if (replaceOnType && (!preedit.empty() || !commit.empty())) text.clear();
    replaceOnType = false;
    text += commit;
    this->preedit = preedit;
    compositions.push_back(preedit + "|" + commit);
  }
  void StepDateField() override { ++dateSteps; }
  void* Handle() override { return this; }

  // Types a character as a person would: asking the grid first.
  void Key(const std::string& character) {
    const std::string before = replaceOnType ? "" : text;
    if (listener->AcceptEditorChar(character, before, static_cast<int>(before.size()))) {
      Type(character);
    }
  }

  platform::EditorRequest request;
  platform::EditorListener* listener;
  std::string text;
  std::string preedit;
  int selected;
  bool replaceOnType = true;
  bool focused = false;
  bool hasDate = false;
  int year = 0, month = 0, day = 0;
  int dateSteps = 0;
  platform::Rect placed;
  std::vector<std::string> compositions;

 private:
  FakeEditor** live_;
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
  platform::FontDescription TipFont() const override { return {"Sans", 9, false, false}; }
  platform::Size MeasureText(const std::string& text, const platform::FontDescription& font, int flags,
                             int wrapWidth) override {
    return measurer_.MeasureText(text, font, flags, wrapWidth);
  }

  std::unique_ptr<platform::EditorWindow> CreateEditor(const platform::EditorRequest& request,
                                                       platform::EditorListener* listener) override {
    ++editorsCreated;
    return std::make_unique<FakeEditor>(request, listener, &editor);
  }
  void Post(int message, int a, int b) override { posted.push_back({message, a, b}); }
  // Delivers the posted messages, as the event loop would.
  void DeliverPosted(platform::WindowClient& client) {
    while (!posted.empty()) {
      const Posted next = posted.front();
      posted.erase(posted.begin());
      client.OnPosted(next.message, next.a, next.b);
    }
  }
  void NotifyAccessibility(platform::AccessibleChange, int, int) override {}

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
  struct Posted {
    int message, a, b;
  };
  std::vector<Posted> posted;
  FakeEditor* editor = nullptr;  // the editor alive now
  int editorsCreated = 0;

 private:
  platform::RecordingSurface measurer_;
};

}  // namespace maltrove::testing
