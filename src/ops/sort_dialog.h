// CGridSortDlg: the sort dialog as a model of its controls (three column
// combo boxes and three directions), shown through the user interface.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/grid_messages.h"
#include "model/grid_model.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace platform {
struct DialogAnswer;
}

inline constexpr char kSortDialogCaption[] = "정렬";
inline constexpr char kSortChooseItem[] = "선택하세요";
inline constexpr char kSortNoneItem[] = "(없음)";
inline constexpr char kSortDuplicateMessage[] = "선택한 컬럼이 중복되었습니다.";
inline constexpr char kSortNoKeyMessage[] = "정렬을 위한 컬럼이 지정되지 않았습니다.";

// Answers of a host without windows: "cancel" (or ""), or name=value pairs
// joined by ";" that set the controls before OK is pressed, for example
// "key1=2;dir1=desc". keyN takes a column index (from 0) or "none", applied
// in the order key1, key2, key3; dirN takes "asc" or "desc".
inline constexpr const char* kSortKeyNames[3] = {"key1", "key2", "key3"};
inline constexpr const char* kSortDirectionNames[3] = {"dir1", "dir2", "dir3"};
inline constexpr char kSortNoneValue[] = "none";
inline constexpr char kSortAscendingValue[] = "asc";
inline constexpr char kSortDescendingValue[] = "desc";

class CGridSortDlg : public platform::DialogForm {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;

  CGridSortDlg(CGridModel* grid, platform::UserInterface* ui);

  const std::vector<std::string>& items(int box) const { return boxes_[box].items; }
  // The selected item's index, or -1 for none.
  int selection(int box) const { return boxes_[box].selection; }
  int direction(int box) const { return boxes_[box].direction; }
  void SetDirection(int box, int direction) { boxes_[box].direction = direction; }

  // The user picks item `index` of the box's current list.
  void SelectColumn(int box, int index);
  // False (after a message) when no first key is chosen; otherwise sorts under
  // the modal progress dialog and answers true: the dialog closes with OK.
  bool Ok();
  // Shows the dialog through the user interface; kIdOk or kIdCancel.
  int DoModal();

  std::string Description() const;

  // The dialog as a form: three groups with a column box and two direction
  // buttons each, then OK and Cancel.
  std::string FormCaption() const override { return kSortDialogCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  struct Box {
    std::vector<std::string> items;
    int selection = 0;
    int direction = 0;
    bool touched = false;  // "선택하세요" removed
  };

  void ApplyAnswer(const platform::DialogAnswer& answer);

  CGridModel* grid_;
  platform::UserInterface* ui_;
  std::array<Box, 3> boxes_;
  int result_ = kIdCancel;
};

}  // namespace maltrove
