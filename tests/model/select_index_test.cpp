// The split select lists a select column stores through: the same values as
// matching on the lists themselves, and never the lists of before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/cell_value.h"
#include "model/grid_model.h"
#include "model/select_lists.h"

namespace maltrove {
namespace {

// Every pair of lists, method and input of a small set, split or not.
TEST(SelectListIndexTest, MatchesAsTheListsThemselves) {
  const std::vector<std::string> lists = {"",      ";",         "a",     "a;",  "a;;b",
                                          ";a",    "A;b;c",     "b;a;a", "S;B", "Seoul;Busan",
                                          "04;03", "국민;기업", "x;y;z;w"};
  const std::vector<std::string> methods = {"", "value", "bankCode", "text"};
  const std::vector<std::string> inputs = {"",  "a", "A",     "b",     "B",    "c", "x",
                                           "w", "z", "Busan", "busan", "국민", "4", "S"};
  int matched = 0;
  for (const std::string& method : methods) {
    for (const std::string& values : lists) {
      for (const std::string& datas : lists) {
        CGridColumn column;
        column.dataType = kDataString;
        column.inputType = kInputSelect;
        column.comboValues = values;
        column.comboDatas = datas;
        column.selectMatchMethod = method;
        SelectListIndex index;
        index.Rebuild(column);
        ASSERT_TRUE(index.Follows(column));
        for (const std::string& input : inputs) {
          std::string scratch, indexScratch;
          const std::string_view expected = MatchSelectView(column, nullptr, input, &scratch);
          const std::string_view got = index.Match(input, &indexScratch);
          ASSERT_EQ(got, expected) << "values '" << values << "' datas '" << datas
                                   << "' method '" << method << "' input '" << input << "'";
          matched += expected.empty() ? 0 : 1;
        }
      }
    }
  }
  EXPECT_GT(matched, 1000);  // not a comparison of empty answers
}

// A change of any one byte of any list, at any length, is seen.
TEST(SelectListIndexTest, SeesAChangeOfAnyByte) {
  for (size_t n = 1; n <= 40; ++n) {
    for (size_t at = 0; at < n; ++at) {
      CGridColumn column;
      column.comboValues = column.comboDatas = column.selectMatchMethod = std::string(n, 'a');
      SelectListIndex index;
      index.Rebuild(column);
      for (std::string* list :
           {&column.comboValues, &column.comboDatas, &column.selectMatchMethod}) {
        (*list)[at] = 'b';
        EXPECT_FALSE(index.Follows(column)) << n << " at " << at;
        (*list)[at] = 'a';
        EXPECT_TRUE(index.Follows(column)) << n << " at " << at;
      }
    }
  }
}

class SelectIndexFollowsTest : public ::testing::Test {
 protected:
  int SelectColumn(const std::string& datas, const std::string& values, int at = -1) {
    const int col = g.insertColumn(at, "", 100, "", kDataString, kInputSelect, "", "", 0, "");
    g.setColumnCombo(col, datas, values);
    return col;
  }
  std::string Store(int row, int col, const std::string& text) {
    g.setCellStringData(row, col, text);
    return g.getCellStringData(row, col);
  }
  void SetUp() override {
    g.insertRow(-1);
    g.insertRow(-1);
  }
  CGridModel g;
};

TEST_F(SelectIndexFollowsTest, ColumnListsChangedThroughTheModel) {
  const int c = SelectColumn("Seoul;Busan", "S;B");
  EXPECT_EQ(Store(0, c, "Busan"), "B");
  g.setColumnCombo(c, "Seoul;Busan", "S;C");  // the same sizes
  EXPECT_EQ(Store(0, c, "Busan"), "C");
  EXPECT_EQ(Store(0, c, "B"), "");
  g.setColumnCombo(c, "Seoul;Pusan", "S;C");
  EXPECT_EQ(Store(0, c, "Busan"), "");
  EXPECT_EQ(Store(0, c, "Pusan"), "C");
  g.setColumnCombo(c, "", "");
  EXPECT_EQ(Store(0, c, "S"), "");
}

TEST_F(SelectIndexFollowsTest, ColumnFieldsWrittenDirectly) {
  const int c = SelectColumn("One;Two", "1;2");
  EXPECT_EQ(Store(0, c, "Two"), "2");
  CGridColumn* column = g.column(c);
  column->comboValues = "1;3";  // as a style file's reader writes them
  EXPECT_EQ(Store(0, c, "Two"), "3");
  column->comboDatas += ";Six";
  column->comboValues += ";6";
  EXPECT_EQ(Store(0, c, "Six"), "6");
  column->selectMatchMethod = "value";
  EXPECT_EQ(Store(0, c, "Six"), "");
  EXPECT_EQ(Store(0, c, "6"), "6");
  column->selectMatchMethod = "bankCode";
  column->comboDatas = "국민;기업";
  column->comboValues = "04;03";
  EXPECT_EQ(Store(0, c, "기업은행"), "03");
  column->selectMatchMethod.clear();
  EXPECT_EQ(Store(0, c, "기업은행"), "");
  EXPECT_EQ(Store(0, c, "기업"), "03");
}

TEST_F(SelectIndexFollowsTest, CellListsOverTheColumnLists) {
  const int c = SelectColumn("Seoul;Busan", "S;B");
  EXPECT_EQ(Store(0, c, "Busan"), "B");
  g.modifyCombo(1, c, "North;Busan", "N;B2");
  EXPECT_EQ(Store(1, c, "Busan"), "B2");  // the cell's own lists
  EXPECT_EQ(Store(0, c, "Busan"), "B");   // its neighbour keeps the column's
  g.modifyCombo(1, c, "North;Busan", "N;B3");
  EXPECT_EQ(Store(1, c, "Busan"), "B3");
  g.modifyCombo(1, c, "", "N;B3");  // only one list: the column's count
  EXPECT_EQ(Store(1, c, "Busan"), "B");
  g.modifyCombo(0, c, "Busan", "B4");
  g.setColumnCombo(c, "Busan", "B5");
  EXPECT_EQ(Store(0, c, "Busan"), "B4");
  EXPECT_EQ(Store(1, c, "Busan"), "B5");
}

TEST_F(SelectIndexFollowsTest, ColumnsInsertedAndRemovedAround) {
  const int first = SelectColumn("Seoul;Busan", "S;B");
  const int second = SelectColumn("Seoul;Busan", "1;2");
  EXPECT_EQ(Store(0, first, "Busan"), "B");
  EXPECT_EQ(Store(0, second, "Busan"), "2");
  SelectColumn("Busan", "X", 0);  // in front: both move up by one
  EXPECT_EQ(Store(0, first + 1, "Busan"), "B");
  EXPECT_EQ(Store(0, second + 1, "Busan"), "2");
  EXPECT_EQ(Store(0, 0, "Busan"), "X");
  g.removeColumn(first + 1);  // the second moves down into its place
  EXPECT_EQ(Store(0, first + 1, "Busan"), "2");
  EXPECT_EQ(Store(0, 0, "Busan"), "X");
  g.removeAllColumns();
  const int fresh = SelectColumn("Seoul;Busan", "S;N");
  EXPECT_EQ(Store(0, fresh, "Busan"), "N");
}

}  // namespace
}  // namespace maltrove
