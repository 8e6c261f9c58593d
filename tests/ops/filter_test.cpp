#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/grid_model.h"
#include "ops/filter_dialog.h"
#include "ops/grid_filter.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

// Columns: 0 text, 1 text, 2 numeric, 3 dateTime, 4 select, 5 checkBox,
// 6 radio, 7 calendar, 8 button.
class GridFilterTest : public ::testing::Test {
 protected:
  GridFilterTest() : ui(log) {
    Add("name", kDataString, kInputText);
    Add("city", kDataString, kInputText);
    Add("amount", kDataNumeric, kInputText);
    Add("when", kDataDateTime, kInputText);
    Add("region", kDataString, kInputSelect);
    g.setColumnCombo(4, "Seoul;Busan", "S;B");
    Add("flag", kDataString, kInputCheckBox);
    Add("pick", kDataString, kInputRadio);
    Add("day", kDataDateTime, kInputCalendar);
    Add("go", kDataString, kInputButton);
  }

  void Add(const std::string& name, int dataType, int inputType) {
    g.insertColumn(-1, name, 80, name, dataType, inputType, "", "", 0, "");
  }

  // One row per entry: name, city, amount, when, region; `checked` for col 5.
  void Row(const std::string& name, const std::string& city, const std::string& amount = "",
           const std::string& when = "", const std::string& region = "", int checked = 0) {
    const int r = g.insertRow(-1);
    g.setCellStringData(r, 0, name);
    g.setCellStringData(r, 1, city);
    g.setCellStringData(r, 2, amount);
    g.setCellStringData(r, 3, when);
    g.setCellStringData(r, 4, region);
    g.setCellChecked(r, 5, checked);
  }

  void Filter(int c1, int op1, const std::string& v1, int j1 = 0, int c2 = -1, int op2 = 0,
              const std::string& v2 = "", int j2 = 0, int c3 = -1, int op3 = 0,
              const std::string& v3 = "") {
    ApplyFilterMember(&g, &ui, c1, op1, v1, j1, c2, op2, v2, j2, c3, op3, v3);
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int r = 0; r < g.getRowCount(); ++r) names.push_back(g.getCellStringData(r, 0));
    return names;
  }

  using Names_t = std::vector<std::string>;
  CGridModel g;
  std::ostringstream log;
  platform::HeadlessUserInterface ui;
};

TEST_F(GridFilterTest, EqualKeepsExactlyTheMatchingRowsUnderTheProgressDialog) {
  Row("A", "x");
  Row("a", "y");
  Row("A", "z");
  Row("AA", "x");
  Filter(0, kFilterEqual, "A");
  EXPECT_TRUE(g.isFiltered());
  EXPECT_EQ(g.getRowCount(), 2);
  EXPECT_EQ(g.getCellStringData(1, 1), "z");
  EXPECT_EQ(log.str(), "DIALOG 잠시만 기다려 주십시오.: 데이터를 필터링 중입니다.\n");
}

TEST_F(GridFilterTest, UnusedFirstConditionCountsAsFalse) {
  Row("p", "x");
  Row("q", "y");
  Row("r", "x");
  Filter(-1, kFilterEqual, "", 1, 1, kFilterEqual, "x");
  EXPECT_EQ(g.getRowCount(), 0);
  Filter(-1, kFilterEqual, "", 0, 1, kFilterEqual, "x");
  EXPECT_EQ(Names(), (Names_t{"p", "r"}));
}

TEST_F(GridFilterTest, JoinsApplyLeftToRightWithoutPrecedence) {
  Row("t-f-f", "1");  // (T or F) and F: dropped, though T or (F and F) holds
  Row("f-t-t", "2");
  Row("t-f-t", "3");
  Row("f-f-t", "3");
  // name starts with "t" or city is "2", and name ends with "t"
  Filter(0, kFilterStartsWith, "t", 0, 1, kFilterEqual, "2", 1, 0, kFilterEndsWith, "t");
  EXPECT_EQ(Names(), (Names_t{"f-t-t", "t-f-t"}));
}

TEST_F(GridFilterTest, StringOperatorsCompareBytesCaseSensitively) {
  Row("서울특별시", "");
  Row("10", "");
  Row("9", "");
  Row("Apple", "");
  Row("", "");
  Filter(0, kFilterContains, "특별");
  EXPECT_EQ(Names(), (Names_t{"서울특별시"}));
  Filter(0, kFilterLess, "9");  // code order: "" < "10" < "9"
  EXPECT_EQ(Names(), (Names_t{"10", ""}));
  Filter(0, kFilterNotStartsWith, "a");
  EXPECT_EQ(g.getRowCount(), 5);
  Filter(0, kFilterNotEndsWith, "시");
  EXPECT_EQ(g.getRowCount(), 4);
  Filter(0, kFilterNotContains, "");
  EXPECT_EQ(g.getRowCount(), 0);
  Filter(0, 12, "Apple");  // unknown code
  EXPECT_EQ(g.getRowCount(), 0);
}

TEST_F(GridFilterTest, NullStringCellComparesAsEmptyWhateverTextItKept) {
  Row("stale", "abc");
  g.setColumnFieldTypeInputType(1, kDataDateTime, kInputText);
  g.setCellStringData(0, 1, "xyz");  // not a date: null, the text stays
  g.setColumnFieldTypeInputType(1, kDataString, kInputText);
  Filter(1, kFilterNotEqual, "");
  EXPECT_EQ(g.getRowCount(), 0);
  Filter(1, kFilterNotContains, "q");
  EXPECT_EQ(g.getRowCount(), 1);
}

TEST_F(GridFilterTest, NumbersCompareByValueAndSubstringOperatorsNeverHold) {
  Row("nine", "", "9");
  Row("ten", "", "10");
  Row("none", "");  // null counts as 0
  Filter(2, kFilterGreater, "9.5");
  EXPECT_EQ(Names(), (Names_t{"ten"}));
  Filter(2, kFilterEqual, "");
  EXPECT_EQ(Names(), (Names_t{"none"}));
  Filter(2, kFilterContains, "1");
  EXPECT_EQ(g.getRowCount(), 0);
  Filter(42, kFilterEqual, "");  // no such column: false
  EXPECT_EQ(g.getRowCount(), 0);
}

TEST_F(GridFilterTest, CheckBoxTakesOnlyTheExactWordTrueForChecked) {
  Row("on", "", "", "", "", 1);
  Row("off", "");
  Filter(5, kFilterNotEqual, "true");  // the operator is not used
  EXPECT_EQ(Names(), (Names_t{"on"}));
  Filter(5, kFilterEqual, "TRUE");
  EXPECT_EQ(Names(), (Names_t{"off"}));
  Filter(5, kFilterEqual, "1");
  EXPECT_EQ(Names(), (Names_t{"off"}));
}

TEST_F(GridFilterTest, DateTimeComparesTheCellsDay) {
  Row("early", "", "", "20070415000000");
  Row("late", "", "", "20070415235959");
  Row("next", "", "", "20070416000000");
  Row("before", "", "", "20070414120000");
  Filter(3, kFilterEqual, "20070415");
  EXPECT_EQ(Names(), (Names_t{"early", "late"}));
  Filter(3, kFilterGreater, "20070415");
  EXPECT_EQ(Names(), (Names_t{"next"}));
}

TEST_F(GridFilterTest, SelectComparesTheLabel) {
  Row("s", "", "", "", "S");
  Row("b", "", "", "", "B");
  Filter(4, kFilterEqual, "Busan");
  EXPECT_EQ(Names(), (Names_t{"b"}));
  Filter(4, kFilterEqual, "b");  // stored as "B", shown as Busan
  EXPECT_EQ(Names(), (Names_t{"b"}));
  Filter(4, kFilterGreater, "Busan");
  EXPECT_EQ(Names(), (Names_t{"s"}));
}

TEST_F(GridFilterTest, OutputTextOfAMaskedColumnIsCompared) {
  g.setColumnOutputType(1, "###-####");
  Row("m", "1234567");
  Filter(1, kFilterEqual, "123-4567");
  EXPECT_EQ(Names(), (Names_t{"m"}));
}

TEST_F(GridFilterTest, NewFilterStartsFromAllRowsAndLaysOutTheShownRows) {
  for (const char* n : {"a", "b", "a", "b"}) Row(n, "");
  g.setRowHeight(1, 30);
  Filter(0, kFilterEqual, "a");
  Filter(0, kFilterEqual, "b");
  EXPECT_EQ(g.getRowCount(), 2);
  EXPECT_EQ(g.row(0)->top, g.columnHeaderHeight() + 6);
  EXPECT_EQ(g.row(1)->top, g.row(0)->top + 30 + 3);
}

TEST_F(GridFilterTest, ClearingRestoresTheOrderFromBeforeEvenAfterSortingTheView) {
  for (const char* n : {"k1", "x", "k2", "k3"}) Row(n, "");
  Filter(0, kFilterStartsWith, "k");
  g.setRowOrder({g.row(2), g.row(1), g.row(0)});
  EXPECT_EQ(Names(), (Names_t{"k3", "k2", "k1"}));
  ClearFilterMember(&g);
  EXPECT_FALSE(g.isFiltered());
  EXPECT_EQ(Names(), (Names_t{"k1", "x", "k2", "k3"}));
  EXPECT_EQ(g.row(3)->top, g.row(2)->top + g.row(2)->height + 3);
}

TEST_F(GridFilterTest, RowsInsertedWhileFilteredJoinTheEndOfAllRows) {
  for (const char* n : {"k1", "x", "k2"}) Row(n, "");
  Filter(0, kFilterStartsWith, "k");
  g.setCellStringData(g.insertRow(0), 0, "new");
  EXPECT_EQ(Names(), (Names_t{"new", "k1", "k2"}));
  ClearFilterMember(&g);
  EXPECT_EQ(Names(), (Names_t{"k1", "x", "k2", "new"}));
}

TEST_F(GridFilterTest, EmptyGridStillRunsTheDialogAndEndsFiltered) {
  Filter(0, kFilterEqual, "A");
  EXPECT_TRUE(g.isFiltered());
  EXPECT_EQ(g.getRowCount(), 0);
}

// ---- the dialog ---------------------------------------------------------------

TEST_F(GridFilterTest, DialogListsColumnsButRadioAndButton) {
  CGridFilterDlg dlg(&g, &ui);
  std::vector<std::string> labels;
  for (const auto& item : dlg.columnItems(1)) labels.push_back(item.label);
  EXPECT_EQ(labels, (Names_t{"선택하세요", "(없음)", "name", "city", "amount", "when", "region",
                             "flag", "day"}));
  EXPECT_EQ(dlg.columnSelection(1), 0);
  EXPECT_EQ(dlg.visibleValueControl(1), FilterValueControl::kNone);
  EXPECT_EQ(dlg.Description(), "0:name, 1:city, 2:amount, 3:when, 4:region, 5:flag, 7:day");
}

TEST_F(GridFilterTest, DialogPreparesControlsForTheChosenColumn) {
  CGridFilterDlg dlg(&g, &ui);
  ASSERT_TRUE(dlg.SelectColumn(0, 4));
  EXPECT_EQ(dlg.columnItems(0)[0].label, "(없음)");
  EXPECT_EQ(dlg.visibleValueControl(0), FilterValueControl::kCombo);
  EXPECT_EQ(dlg.valueItems(0), (Names_t{"Seoul", "Busan"}));
  EXPECT_EQ(dlg.operatorLabels(0).size(), 6u);
  EXPECT_FALSE(dlg.SelectColumn(0, 6));  // radio: not listed

  dlg.SelectColumn(0, 2);
  EXPECT_TRUE(dlg.editDigitsOnly(0) && dlg.editRightAligned(0));
  EXPECT_FALSE(dlg.SetEditText(0, "1.5"));
  EXPECT_EQ(dlg.operatorCodes(0).size(), 12u);
  dlg.SelectColumn(0, 0);
  EXPECT_FALSE(dlg.editDigitsOnly(0));

  g.setColumnDefault(5, "  done ");
  dlg.SelectColumn(1, 5);
  EXPECT_EQ(dlg.visibleValueControl(1), FilterValueControl::kCheck);
  EXPECT_EQ(dlg.checkCaption(1), "done");
  EXPECT_EQ(dlg.operatorLabels(1), (Names_t{"=   (같다)"}));
  dlg.SelectColumn(1, -1);  // "(없음)": the controls stay
  EXPECT_EQ(dlg.visibleValueControl(1), FilterValueControl::kCheck);
  EXPECT_EQ(dlg.Request().conditions[1].column, -1);
}

TEST_F(GridFilterTest, DialogOkWithoutFirstColumnComplainsThenTakesTheNextAnswer) {
  Row("A", "x");
  Row("B", "y", "", "", "", 1);
  Row("C", "z");
  ui.QueueAnswer("col2=1;val2=x");
  ui.QueueAnswer("ok");  // the message box
  ui.QueueAnswer("col1=5;val1=1;join1=or");
  CGridFilterDlg dlg(&g, &ui);
  EXPECT_EQ(dlg.DoModal(), CGridFilterDlg::kIdOk);
  EXPECT_EQ(Names(), (Names_t{"A", "B"}));  // checked or city x
  const std::string d = "DIALOG 필터링: 0:name, 1:city, 2:amount, 3:when, 4:region, 5:flag, 7:day\n";
  EXPECT_EQ(log.str(), d +
                           "DIALOG Microsoft Internet Explorer: "
                           "필터링을 위한 컬럼이 지정되지 않았습니다.ERROR-0006\n" +
                           d + "DIALOG 잠시만 기다려 주십시오.: 데이터를 필터링 중입니다.\n");
}

TEST_F(GridFilterTest, DialogValuesByInputType) {
  Row("s", "", "7", "", "S");
  Row("b", "", "12", "", "B");
  g.setCellStringData(1, 7, "20070415183000");
  ui.QueueAnswer("op1=4;col1=2;val1=10");
  CGridFilterDlg(&g, &ui).DoModal();
  EXPECT_EQ(Names(), (Names_t{"s"}));
  ui.QueueAnswer("col1=4;op1=0;val1=Busan");
  CGridFilterDlg(&g, &ui).DoModal();
  EXPECT_EQ(Names(), (Names_t{"b"}));
  ui.QueueAnswer("col1=7;val1=20070415");
  CGridFilterDlg(&g, &ui).DoModal();
  EXPECT_EQ(Names(), (Names_t{"b"}));
  ui.QueueAnswer("col1=0;op1=0;val1=s;join1=and;col2=0;op2=0;val2=b");
  CGridFilterDlg(&g, &ui).DoModal();
  EXPECT_EQ(g.getRowCount(), 0);
}

TEST_F(GridFilterTest, DialogCancelLeavesTheFilterAsItWas) {
  Row("a", "");
  Row("b", "");
  Filter(0, kFilterEqual, "a");
  ui.QueueAnswer("cancel");
  EXPECT_EQ(CGridFilterDlg(&g, &ui).DoModal(), CGridFilterDlg::kIdCancel);
  EXPECT_EQ(CGridFilterDlg(&g, &ui).DoModal(), CGridFilterDlg::kIdCancel);  // empty queue
  EXPECT_EQ(Names(), (Names_t{"a"}));
}

TEST_F(GridFilterTest, LessOrEqualIncludesTheBoundOfNumbersAndDays) {
  Row("nine", "", "9", "20070415120000");
  Row("ten", "", "10", "20070416000000");
  Row("none", "");  // null: 0 and day 0
  Row("small", "", "8.5", "20070414235959");
  Filter(2, kFilterLessEqual, "9");
  EXPECT_EQ(Names(), (Names_t{"nine", "none", "small"}));
  Filter(2, kFilterLess, "9");
  EXPECT_EQ(Names(), (Names_t{"none", "small"}));
  Filter(2, kFilterGreaterEqual, "10");
  EXPECT_EQ(Names(), (Names_t{"ten"}));
  Filter(3, kFilterLessEqual, "20070415");
  EXPECT_EQ(Names(), (Names_t{"nine", "none", "small"}));
  Filter(3, kFilterLess, "20070415");
  EXPECT_EQ(Names(), (Names_t{"none", "small"}));
  Filter(3, kFilterGreaterEqual, "20070415");
  EXPECT_EQ(Names(), (Names_t{"nine", "ten"}));
  Filter(3, kFilterNotEqual, "20070415");
  EXPECT_EQ(Names(), (Names_t{"ten", "none", "small"}));
}

}  // namespace
}  // namespace maltrove
