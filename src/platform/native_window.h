// NativeWindow and WindowClient: the seam between a window of the platform
// and the logic that paints it and answers its input. The platform side
// turns its paint, size, timer, pointer and key events into calls on the
// client; the client asks the window for repaints, timers, the capture, the
// cursor and the screen.
#pragma once

#include <memory>
#include <string>

#include "platform/draw_surface.h"
#include "platform/editor_window.h"

namespace maltrove::platform {

enum class CursorShape { kArrow, kSizeHorizontal, kSizeVertical };

// Modifier bits of pointer and key input.
enum InputKeys { kKeyShift = 1, kKeyControl = 2, kKeyAlt = 4 };

// Key codes of the keys the grid acts on (the window system's virtual-key
// numbers); letters and digits are their upper-case character codes.
enum VirtualKey {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkEscape = 0x1B,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkF2 = 0x71,
};

class NativeWindow : public TextMeasurer {
 public:
  ~NativeWindow() override = default;

  virtual Size ClientSize() const = 0;
  virtual void Invalidate(const Rect& rect) = 0;
  virtual void InvalidateAll() = 0;
  // Timers fire WindowClient::OnTimer(id) every `milliseconds` until killed;
  // setting an id again restarts it.
  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;
  virtual void CaptureMouse(bool capture) = 0;
  virtual void SetCursor(CursorShape shape) = 0;
  virtual void TakeFocus() = 0;
  // Where the pointer is now, in client coordinates.
  virtual Point CursorPosition() const = 0;
  virtual Point ClientToScreen(Point point) const = 0;
  // The usable area of the screen the window is on, in screen coordinates.
  virtual Rect ScreenArea() const = 0;
  // Loads a picture file; nullptr when it cannot be read.
  virtual std::shared_ptr<Bitmap> LoadBitmap(const std::string& path) = 0;
  // The data-tip window: shows `text` in `screenRect` (wrapping it when
  // `wrapWidth` > 0) without taking the focus, or hides it.
  virtual void ShowTip(const std::string& text, const Rect& screenRect, int wrapWidth) = 0;
  virtual void HideTip() = 0;
  // The font the tips are written in.
  virtual FontDescription TipFont() const = 0;
  // An in-place editor as a child of the window, not yet shown.
  virtual std::unique_ptr<EditorWindow> CreateEditor(const EditorRequest& request,
                                                     EditorListener* listener) = 0;
  // Queues a message for WindowClient::OnPosted, delivered from the event
  // loop after the current event.
  virtual void Post(int message, int a, int b) = 0;
  // Tells assistive technologies what changed (row/col -1 when not a cell).
  virtual void NotifyAccessibility(AccessibleChange change, int row, int col) = 0;
};

class WindowClient {
 public:
  virtual ~WindowClient() = default;
  virtual void Attach(NativeWindow* window) = 0;  // nullptr when the window goes
  virtual void OnPaint(DrawSurface& surface) = 0;
  virtual void OnSize(int width, int height) = 0;
  virtual void OnTimer(int id) = 0;
  virtual void OnMouseDown(int x, int y, int keys) = 0;
  virtual void OnMouseMove(int x, int y, int keys, bool leftHeld) = 0;
  virtual void OnMouseUp(int x, int y, int keys) = 0;
  virtual void OnDoubleClick(int x, int y, int keys) = 0;
  virtual void OnRightClick(int x, int y, int keys) = 0;
  // Positive notches roll away from the user.
  virtual void OnWheel(int x, int y, int notches, int linesPerNotch) = 0;
  // `key` is a VirtualKey code, or the character's code for other keys.
  virtual void OnKeyDown(int key, int keys) = 0;
  virtual void OnMouseLeave() = 0;
  // Any key pressed anywhere in the application (the data tip hides).
  virtual void OnThreadKeyPress() = 0;
  // The text a key typed (UTF-8), after its OnKeyDown; not for Escape,
  // Enter, Tab or Backspace, which arrive as keys only.
  virtual void OnChar(const std::string& character, int keys) = 0;
  // An input-method composition aimed at the grid itself.
  virtual void OnComposition(const std::string& preedit, const std::string& commit) = 0;
  virtual void OnPosted(int message, int a, int b) = 0;
  virtual void OnFocusLost() = 0;
  virtual const AccessibleTable* Accessible() const = 0;
};

}  // namespace maltrove::platform
