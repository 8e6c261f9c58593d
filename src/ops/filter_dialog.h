// CGridFilterDlg: the filter dialog as a model of its controls (per condition
// a column combo box, an operator combo box and four value controls of which
// one is visible; two join combo boxes), shown through the user interface.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/grid_messages.h"
#include "model/grid_model.h"
#include "ops/grid_filter.h"
#include "platform/dialog_answer.h"
#include "platform/user_interface.h"

namespace maltrove {

inline constexpr char kFilterDialogCaption[] = "필터링";
inline constexpr char kFilterChooseItem[] = "선택하세요";
inline constexpr char kFilterNoneItem[] = "(없음)";
inline constexpr char kFilterCheckCaptionDefault[] = "선택된 행";
inline constexpr char kFilterNoColumnMessage[] =
    "필터링을 위한 컬럼이 지정되지 않았습니다.ERROR-0006";
inline constexpr const char* kFilterJoinLabels[2] = {"또는", "그리고"};
inline constexpr const char* kFilterConditionLabels[3] = {"첫째 기준 :", "둘째 기준 :",
                                                           "셋째 기준 :"};
inline constexpr const char* kFilterHeadingLabels[4] = {"컬럼", "비교 연산자", "값", "논리연산"};

// Answers of a host without windows (platform/dialog_answer.h): "cancel" or
// "", or name=value pairs joined by ";" that set the controls before OK is
// pressed ("ok" presses OK alone), e.g.
// "col1=2;op1=10;val1=Kim;join1=and;col2=0;op2=0;val2=7". The columns are
// chosen first, whatever the order. colN takes a column index (from 0) or
// "none"; opN an operator code; valN the text of the visible value control
// (edit text, item label, "1"/"true" or "0"/"false" for the check box,
// yyyyMMdd for the date); joinN "or" or "and". A value cannot hold ";".
// Pairs the controls cannot take are ignored.
inline constexpr const char* kFilterColumnNames[3] = {"col1", "col2", "col3"};
inline constexpr const char* kFilterOperatorNames[3] = {"op1", "op2", "op3"};
inline constexpr const char* kFilterValueNames[3] = {"val1", "val2", "val3"};
inline constexpr const char* kFilterJoinNames[2] = {"join1", "join2"};
inline constexpr char kFilterNoneValue[] = "none";
inline constexpr char kFilterOrValue[] = "or";
inline constexpr char kFilterAndValue[] = "and";

enum class FilterValueControl { kNone, kEdit, kCombo, kCheck, kDate };

class CGridFilterDlg : public platform::DialogForm {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;

  struct ColumnItem {
    std::string label;
    int column;  // -1 for "선택하세요" and "(없음)"
  };

  CGridFilterDlg(CGridModel* grid, platform::UserInterface* ui);

  // Column combo box of condition k (0..2); selection -1 for none.
  const std::vector<ColumnItem>& columnItems(int k) const { return conditions_[k].columns; }
  int columnSelection(int k) const { return conditions_[k].columnSelection; }
  // The user picks item `index` of the box's current list.
  void SelectColumnItem(int k, int index);
  // Picks the item of a column index, or "(없음)" for -1; false when not listed.
  bool SelectColumn(int k, int col);

  // Operator combo box: the codes listed, in item order.
  const std::vector<int>& operatorCodes(int k) const { return conditions_[k].operators; }
  std::vector<std::string> operatorLabels(int k) const;
  int operatorSelection(int k) const { return conditions_[k].operatorSelection; }
  bool SelectOperatorCode(int k, int code);

  FilterValueControl visibleValueControl(int k) const { return conditions_[k].visible; }
  const std::string& editText(int k) const { return conditions_[k].editText; }
  bool editDigitsOnly(int k) const { return conditions_[k].digitsOnly; }
  bool editRightAligned(int k) const { return conditions_[k].rightAligned; }
  // False when the edit takes digits only and the text holds another character.
  bool SetEditText(int k, const std::string& text);
  const std::vector<std::string>& valueItems(int k) const { return conditions_[k].valueItems; }
  int valueSelection(int k) const { return conditions_[k].valueSelection; }
  bool SelectValueLabel(int k, const std::string& label);
  bool checked(int k) const { return conditions_[k].checked; }
  const std::string& checkCaption(int k) const { return conditions_[k].checkCaption; }
  void SetChecked(int k, bool checked) { conditions_[k].checked = checked; }
  double date(int k) const { return conditions_[k].date; }
  void SetDate(int k, double serial) { conditions_[k].date = serial; }

  // Join combo box j (0 between conditions 1-2, 1 between 2-3).
  int joinSelection(int j) const { return joinSelections_[j]; }
  void SelectJoin(int j, int index) { joinSelections_[j] = index; }

  // The request as OK reads it from the controls.
  FilterRequest Request() const;
  // False (after a message) when no first column is chosen; otherwise filters
  // under the modal progress dialog and answers true: the dialog closes.
  bool Ok();
  // Shows the dialog through the user interface; kIdOk or kIdCancel.
  int DoModal();

  std::string Description() const;

  // The dialog as a form: headings, a line per condition (label, column,
  // operator, the value controls, the join), OK and Cancel. The date picker
  // is an edit holding yyyy-MM-dd.
  std::string FormCaption() const override { return kFilterDialogCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  struct Condition {
    std::vector<ColumnItem> columns;
    int columnSelection = 0;
    bool promptRemoved = false;
    std::vector<int> operators;
    int operatorSelection = -1;
    FilterValueControl visible = FilterValueControl::kNone;
    std::string editText;
    bool digitsOnly = false;
    bool rightAligned = false;
    std::vector<std::string> valueItems;
    int valueSelection = -1;
    bool checked = false;
    std::string checkCaption;
    double date = 0;
  };

  void ColumnChanged(int k);
  void ApplyAnswer(const platform::DialogAnswer& answer);
  void SetValue(int k, const std::string& value);

  CGridModel* grid_;
  platform::UserInterface* ui_;
  std::array<Condition, 3> conditions_;
  std::array<int, 2> joinSelections_ = {0, 0};
  int result_ = kIdCancel;
  std::array<std::string, 3> dateDrafts_;  // what is typed into a date until it is one
};

}  // namespace maltrove
