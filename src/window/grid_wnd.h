// CGridWnd: the grid's logic object. It owns the model and everything the
// grid's window shows: the scroll positions and bars, the data tip, the
// focus rules. It paints through the platform's drawing surface and answers
// the platform window's input; without a window (headless) it keeps the
// model and the focus rules only.
#pragma once

#include <cstdint>
#include <string>

#include "model/grid_model.h"
#include "platform/native_window.h"
#include "window/data_tip.h"
#include "window/grid_events.h"
#include "window/grid_geometry.h"
#include "window/scroll_bar.h"
#include "window/scroll_bar_skin.h"

namespace maltrove::platform {
class UrlDownloader;
}

namespace maltrove {

class CGridWnd : public GridView, public platform::WindowClient, public ScrollBarOwner {
 public:
  static constexpr int kBarSize = 22;
  static constexpr int kGridTimer = 1;  // one second: hides a tip left behind
  static constexpr int kLineStep = 10;
  static constexpr int kWheelStep = 20;

  CGridWnd();
  ~CGridWnd() override;
  CGridWnd(const CGridWnd&) = delete;
  CGridWnd& operator=(const CGridWnd&) = delete;

  CGridModel& model() { return model_; }
  const CGridModel& model() const { return model_; }
  void setEvents(GridEvents* events) { events_ = events; }
  // Where the scroll-bar pictures are downloaded from.
  void setDownloader(platform::UrlDownloader* downloader) { downloader_ = downloader; }

  int32_t getFocusedRowIndex() const { return model_.focusedRow(); }
  int32_t getFocusedColIndex() const { return model_.focusedCol(); }
  // Moves the focus; a negative index focuses index 0, while onCellFocused
  // reports the position as requested.
  void setFocusCell(int32_t row, int32_t col);

  // Both horizontal scroll bars share one skin.
  ScrollBarSkin& horizontalSkin() { return horizontalSkin_; }
  ScrollBarSkin& verticalSkin() { return verticalSkin_; }
  // Loads the skins' pictures into the bars (when there is a window).
  void ApplySkins();

  // Window state, for the window's tests and tools.
  bool hasWindow() const { return window_ != nullptr; }
  ScrollPosition scroll() const { return {hbar_.position(), vbar_.position()}; }
  const CXScrollBar& verticalBar() const { return vbar_; }
  const CXScrollBar& horizontalBar() const { return hbar_; }
  const Rect& frozenStrip() const { return frozenStrip_; }
  const TFXDataTip& dataTip() const { return tip_; }
  // Scrolls so that the cell is in view; repaints when a position changed.
  void EnsureVisible(int row, int col);
  void ScrollTo(bool vertical, int position);

  // GridView: the model's repaint requests.
  void RepaintAll() override;
  void RepaintRow(int row) override;
  void RepaintColumn(int col) override;
  void RepaintCell(int row, int col) override;
  void RecomputeScrollBars() override;

  // WindowClient.
  void Attach(platform::NativeWindow* window) override;
  void OnPaint(platform::DrawSurface& surface) override;
  void OnSize(int width, int height) override;
  void OnTimer(int id) override;
  void OnMouseDown(int x, int y, int keys) override;
  void OnMouseMove(int x, int y, int keys, bool leftHeld) override;
  void OnMouseUp(int x, int y, int keys) override;
  void OnDoubleClick(int x, int y, int keys) override;
  void OnRightClick(int x, int y, int keys) override;
  void OnWheel(int x, int y, int notches, int linesPerNotch) override;
  void OnKeyDown(int key, int keys) override;
  void OnMouseLeave() override;
  void OnThreadKeyPress() override;

  // ScrollBarOwner.
  void OnScroll(bool vertical, ScrollCode code, int position) override;
  void SetBarTimer(bool vertical, int timer, int milliseconds) override;
  void KillBarTimer(bool vertical, int timer) override;
  void RepaintBar(bool vertical) override;

 private:
  platform::Size ClientSize() const;
  platform::Size ViewSize() const;
  bool BothBarsNeeded(bool* horizontal, bool* vertical) const;
  int PageStep(bool vertical) const;
  void InvalidateContent(Rect rect, bool fixedColumn);
  void UpdateDataTip(int x, int y);
  void HideTip();
  void LoadSkin(const ScrollBarSkin& skin, CXScrollBar* bar);
  CXScrollBar* BarAt(int x, int y);

  CGridModel model_;
  GridEvents* events_ = nullptr;
  platform::NativeWindow* window_ = nullptr;
  platform::UrlDownloader* downloader_ = nullptr;
  ScrollBarSkin horizontalSkin_;
  ScrollBarSkin verticalSkin_;
  CXScrollBar vbar_{true, this};
  CXScrollBar hbar_{false, this};
  Rect frozenStrip_;  // under the header column and the fixed columns
  CXScrollBar* capturedBar_ = nullptr;
  TFXDataTip tip_;
  int tipRow_ = -1;
  int tipCol_ = -1;
  int pressedRow_ = -2;
  int pressedCol_ = -2;
  bool editorOpen_ = false;
};

}  // namespace maltrove
