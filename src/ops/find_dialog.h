// CGridFindDlg: the find dialog as a model of its controls, shown through the
// user interface. The search itself is FindCell (grid_find.h); a hit moves
// the grid's focus, which fires onCellFocused.
#pragma once

#include <string>

#include "ops/grid_find.h"
#include "model/grid_messages.h"
#include "platform/user_interface.h"
#include "window/grid_wnd.h"

namespace maltrove {

inline constexpr char kFindDialogCaption[] = "찾기";
inline constexpr char kFindEndMessageStart[] = "더 이상 찾을 수 없습니다. ";
inline constexpr char kFindEndMessageDown[] = "처음";
inline constexpr char kFindEndMessageUp[] = "마지막";
inline constexpr char kFindEndMessageEnd[] = "부터 다시 검색하시겠습니까?";

// Answers of a host without windows: "cancel" (or ""), or items joined by
// ";" and applied in order. name=value items set the controls:
//   text=T      the search text (a ";" in T is written ";;")
//   dir=up|down the direction
//   case=0|1    the case check box; checked (1) distinguishes upper and
//               lower case as its label says, unchecked ignores case
//   whole=0|1   whole-cell match
// and bare items press buttons: "find" (or "ok", Find Next being the OK
// button) presses Find Next, which does nothing while it is disabled;
// "cancel" closes the dialog. After the answer is applied the
// dialog is shown again, until it is closed. The end-of-search question is a
// message box answered "yes", "no" or "cancel".
// The dialog's description for the host lists the same names with the
// current values, and findEnabled=0|1 for the Find Next button.
inline constexpr char kFindTextName[] = "text";
inline constexpr char kFindDirectionName[] = "dir";
inline constexpr char kFindCaseName[] = "case";
inline constexpr char kFindWholeName[] = "whole";
inline constexpr char kFindEnabledName[] = "findEnabled";
inline constexpr char kFindUpValue[] = "up";
inline constexpr char kFindDownValue[] = "down";
inline constexpr char kFindPressFind[] = "find";
inline constexpr char kFindPressOk[] = "ok";
inline constexpr char kFindPressCancel[] = "cancel";

class CGridFindDlg : public platform::DialogForm {
 public:
  static constexpr int kDirectionUp = 0;
  static constexpr int kDirectionDown = 1;

  CGridFindDlg(CGridWnd* wnd, platform::UserInterface* ui);

  // Opening: a selection that is just the focused cell is dropped.
  void OnInitDialog();

  void SetText(const std::string& text) { text_ = text; }
  const std::string& text() const { return text_; }
  void SetDirection(int direction) { direction_ = direction; }
  int direction() const { return direction_; }
  void SetCaseChecked(bool checked) { caseChecked_ = checked; }
  bool caseChecked() const { return caseChecked_; }
  void SetWholeCell(bool whole) { wholeCell_ = whole; }
  bool wholeCell() const { return wholeCell_; }

  // Find Next is enabled while the text, trimmed, is not empty.
  bool IsFindNextEnabled() const;
  FindOptions Options() const;

  // Searches from the focused cell; at the end asks whether to start again.
  // Yes restarts at the first (down) or last (up) cell after moving the
  // focus to (-1, -1), unless the search already covered the whole grid;
  // No leaves the dialog open; Cancel closes it.
  void FindNext();
  // The edit control's keys.
  void PressEnter();
  void PressEscape() { Cancel(); }
  void Cancel() { closed_ = true; }
  bool closed() const { return closed_; }

  // Shows the dialog until it is closed.
  void DoModal();
  // The headless host's loop: queued answers until the dialog is closed.
  void RunQueued();
  std::string Description() const;
  void ApplyAnswer(const std::string& answer);

  // The dialog as a form: the search text, the direction, the two options,
  // Find Next (repeatable, the dialog stays) and Cancel.
  std::string FormCaption() const override { return kFindDialogCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  // The grid, or nullptr once it is gone while the dialog stays open.
  CGridWnd* Grid() const { return lifetime_.expired() ? nullptr : wnd_; }

  CGridWnd* wnd_;
  std::weak_ptr<const void> lifetime_;
  platform::UserInterface* ui_;
  std::string text_;
  int direction_ = kDirectionDown;
  bool caseChecked_ = false;
  bool wholeCell_ = false;
  bool closed_ = false;
};

// The grid's find command (Ctrl+F, context menu): nothing with a negative
// contextMenuLevel, otherwise a new find dialog, beside the grid when the
// user interface shows windows.
void RunFindCommand(CGridWnd* wnd, platform::UserInterface* ui);

}  // namespace maltrove
