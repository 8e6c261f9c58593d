// CGridWnd: the grid's logic object. It owns the model and everything the
// grid's window shows: the scroll positions and bars, the data tip, the
// focus rules. It paints through the platform's drawing surface and answers
// the platform window's input; without a window (headless) it keeps the
// model and the focus rules only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/grid_model.h"
#include "platform/native_window.h"
#include "window/data_tip.h"
#include "window/grid_commands.h"
#include "window/keyboard_security.h"
#include "window/grid_events.h"
#include "window/grid_geometry.h"
#include "window/scroll_bar.h"
#include "window/scroll_bar_skin.h"

namespace maltrove::platform {
class UrlDownloader;
class UserInterface;
}

namespace maltrove {

class CGridWnd : public GridView,
                 public platform::WindowClient,
                 public ScrollBarOwner,
                 public platform::EditorListener,
                 public platform::AccessibleTable {
 public:
  static constexpr int kBarSize = 22;
  static constexpr int kGridTimer = 1;  // one second: hides a tip left behind
  static constexpr int kLineStep = 10;
  static constexpr int kWheelStep = 20;
  static constexpr int kCloseRequest = 0x433;  // posted by editors: row step, column step
  static constexpr int kPostedKey = 0x434;     // a key handed on to the grid: key, modifiers
  static constexpr int kMinColumnWidth = 20;
  static constexpr int kMinRowHeight = 16;

  CGridWnd();
  ~CGridWnd() override;
  CGridWnd(const CGridWnd&) = delete;
  CGridWnd& operator=(const CGridWnd&) = delete;

  CGridModel& model() { return model_; }
  const CGridModel& model() const { return model_; }
  // Expires when the grid goes: windows that outlive a call (the modeless
  // find dialog) check it before they touch the grid.
  std::weak_ptr<const void> lifetime() const { return lifetime_; }
  void setEvents(GridEvents* events) { events_ = events; }
  // Where the scroll-bar pictures are downloaded from.
  void setDownloader(platform::UrlDownloader* downloader) { downloader_ = downloader; }
  // Message boxes and the context menu.
  void setUserInterface(platform::UserInterface* ui) { ui_ = ui; }
  void setCommands(GridCommands* commands) { commands_ = commands; }
  // Text editors hand their keys to the keyboard-security module.
  void setProtectKeyboard(bool on) { protectKeyboard_ = on; }
  void setKeyboardSecurityLibrary(std::string name) { security_.SetLibrary(std::move(name)); }

  // The state part of the reset: no focus, all rows in use, no editor, no
  // pointer interaction, status cleared.
  void ResetState();
  // Opens the focused cell's editor (F2, a click on the focused cell).
  void OpenEditor();
  bool editorOpen() const { return editor_ != nullptr; }
  // The pointer interaction state, for tests.
  int pressKind() const { return pressKind_; }
  size_t selectionAnchor() const { return selectionAnchor_; }

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
  void OnChar(const std::string& character, int keys) override;
  void OnComposition(const std::string& preedit, const std::string& commit) override;
  void OnPosted(int message, int a, int b) override;
  void OnFocusLost() override;
  const platform::AccessibleTable* Accessible() const override { return this; }

  // EditorListener.
  bool AcceptEditorChar(const std::string& character, const std::string& text,
                        int caret) override;
  void OnEditorKey(int key, int keys) override;
  void OnEditorFocusLost() override;
  void OnEditorListClosed(bool chosen) override;
  void OnEditorDateEdited() override;

  // AccessibleTable.
  int RowCount() const override { return model_.getRowCount(); }
  int ColumnCount() const override { return model_.getColumnCount(); }
  std::string CellText(int row, int col) const override;
  std::string ColumnHeaderText(int col) const override;
  std::string RowHeaderText(int row) const override;
  int FocusedRow() const override { return model_.focusedRow(); }
  int FocusedColumn() const override { return model_.focusedCol(); }
  bool IsCellSelected(int row, int col) const override;
  int CellChecked(int row, int col) const override;
  bool IsColumnVisible(int col) const override;
  Rect CellBounds(int row, int col) const override;

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
  bool InBarSquare(int x, int y) const;
  GridHit Hit(int x, int y) const;

  // Pointer.
  void PressCell(const GridHit& hit, int keys);
  void SelectRange(int row, int col);
  void DragResize(int x, int y);
  void ReleaseOnCell(const GridHit& hit);
  void UpdateCursor(int x, int y);
  void ShowContextMenu(int x, int y);
  void RunMenuCommand(int command);
  void InsertRowAtContext();
  void DeleteSelectedRows();

  // Keys.
  bool RunAccelerator(int key, int keys);
  bool Navigate(int key, int keys);
  void MoveFocusTo(int row, int col);
  int NextVisibleColumn(int col, int step) const;
  int FirstVisibleColumn() const;
  int LastVisibleColumn() const;
  void PageMove(bool down);
  bool CanStartEditByTyping() const;

  // Editors.
  bool CreateEditorFor(int row, int col, bool takeFocus);
  void PlaceEditor();
  void PostClose(int rowStep, int colStep);
  void CloseEditor(int rowStep, int colStep);
  bool CommitEditor();
  void DestroyEditor();

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
  int pressKind_ = kHitNothing;
  bool clickedFocused_ = false;
  bool mouseDown_ = false;
  size_t selectionAnchor_ = 0;  // selection entries a Shift range keeps
  platform::Point lastMouse_;
  int contextRow_ = -1;
  bool contextOnRowHeader_ = false;

  platform::UserInterface* ui_ = nullptr;
  GridCommands* commands_ = nullptr;
  bool protectKeyboard_ = false;
  KeyboardSecurity security_;
  std::unique_ptr<platform::EditorWindow> editor_;
  int editorRow_ = -1;
  int editorCol_ = -1;
  std::string editorStartText_;  // what a text editor opened with
  std::vector<std::string> editorValues_;  // the values of a select editor's labels
  std::vector<std::string> editorLabels_;
  bool waitingForCommit_ = false;  // an input-method composition opened the editor
  bool closing_ = false;
  bool paintedOnce_ = false;
  std::shared_ptr<const void> lifetime_ = std::make_shared<int>(0);
};

}  // namespace maltrove
