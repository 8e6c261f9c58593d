#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ops/grid_calculate.h"

namespace maltrove {
namespace {

// Columns: 0 numeric, 1 text, 2 text, 3 checkBox, 4 button, 5 radio.
class CalculateTest : public ::testing::Test {
 protected:
  void AddRow(const std::string& number, const std::string& text, int checked) {
    const int r = g.insertRow(-1);
    g.setCellStringData(r, 0, number);
    g.setCellStringData(r, 1, text);
    g.setCellStringData(r, 2, text);
    g.setCellChecked(r, 3, checked);
  }
  void SetUp() override {
    g.insertColumn(-1, "", 80, "", kDataNumeric, kInputText, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputCheckBox, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputButton, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputRadio, "", "", -1, "");
  }
  double Calc(int col, const std::string& calculation, int col2 = -1,
              const std::string& condition = "") {
    return CalculateMember(g, col, calculation, col2, condition);
  }
  CGridModel g;
};

TEST_F(CalculateTest, MaxAndMinOfNegativeNumbers) {
  AddRow("-5", "a", 0);
  AddRow("-2", "b", 0);
  EXPECT_EQ(Calc(0, "max"), -2);
  EXPECT_EQ(Calc(0, "min"), -5);
  EXPECT_EQ(Calc(0, "average"), -3.5);
}

TEST_F(CalculateTest, TextColumnsOnlyCountAndNamesAreExact) {
  AddRow("1", "a", 0);
  AddRow("2", "b", 0);
  AddRow("", "c", 0);  // an empty cell is worth 0 but still counts
  EXPECT_EQ(Calc(1, "sum"), 0);
  EXPECT_EQ(Calc(1, "count"), 3);
  EXPECT_EQ(Calc(99, "count"), 3);
  EXPECT_EQ(Calc(0, "average"), 1);
  EXPECT_EQ(Calc(0, "Sum"), 0);
  EXPECT_EQ(Calc(0, "total"), 0);
}

TEST_F(CalculateTest, ConditionsOnTextCheckStateAndButtons) {
  AddRow("10", "x", 1);
  AddRow("20", "y", 0);
  AddRow("40", "x", 1);
  EXPECT_EQ(Calc(0, "average", 2, "nobody"), 0);
  EXPECT_EQ(Calc(0, "sum", 2, "x"), 50);
  EXPECT_EQ(Calc(0, "sum", 2, "X"), 0);  // byte for byte
  EXPECT_EQ(Calc(0, "sum", 3, "checked"), 50);
  EXPECT_EQ(Calc(0, "sum", 3, "unchecked"), 20);
  EXPECT_EQ(Calc(0, "count", 3, "1.0"), 2);  // read as a number
  EXPECT_EQ(Calc(0, "count", 4, ""), 0);
  EXPECT_EQ(Calc(0, "count", 99, ""), 0);
  g.setCellChecked(1, 5, 1);
  EXPECT_EQ(Calc(0, "max", 5, "checked"), 20);
}

TEST_F(CalculateTest, SearchesOnlyTheFilteredRows) {
  AddRow("1", "a", 0);
  AddRow("2", "b", 0);
  AddRow("4", "c", 0);
  g.showFilteredRows({g.allRow(0), g.allRow(2)});
  EXPECT_EQ(Calc(0, "sum"), 5);
  EXPECT_EQ(Calc(0, "count"), 2);
}

TEST_F(CalculateTest, ValuesAreTheOutputTextReadAsANumber) {
  AddRow("1234.5", "a", 0);
  g.setColumnOutputType(0, "#,###.##");
  EXPECT_EQ(Calc(0, "sum"), 1);  // "1,234.50" reads as 1
  g.setColumnOutputType(0, "");
  // Every value must come out as its 16-digit output text reads back.
  for (const char* text : {"0.30000000000000004", "0.1", "-77.125", "123456789012345.6",
                           "9007199254740993", "1e-20", "4.9e-324", "0.000123", "1e300",
                           "0.9999999999999999", "5e-324", "0.5"}) {
    g.setCellStringData(0, 0, text);
    const double expected = LeadingNumber(g.getCellStringData(0, 0));
    EXPECT_EQ(Calc(0, "sum"), expected) << text;
  }
  std::mt19937_64 random(7);
  char text[40];
  for (int i = 0; i < 20000; ++i) {
    const uint64_t bits = random();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (i % 2 == 0) {  // short decimals of every length and scale
      std::snprintf(text, sizeof text, "%.*g", 1 + i / 2 % 17, x);
    } else {
      std::snprintf(text, sizeof text, "%.*f", i % 7, static_cast<double>(bits % 100000000000) /
                                                       static_cast<double>(1 + bits % 9999));
    }
    g.setCellStringData(0, 0, text);
    const double expected = LeadingNumber(g.getCellStringData(0, 0));
    if (!std::isnan(expected)) {
      ASSERT_EQ(Calc(0, "sum"), expected) << text;
    }
  }
  g.setCellStringData(0, 0, "-0");
  EXPECT_FALSE(std::signbit(Calc(0, "max")));  // its text is "0"
}

TEST(LeadingNumberTest, ReadsTheLeadingNumericPart) {
  EXPECT_EQ(LeadingNumber("  +12.5abc"), 12.5);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber("-3e2x"), -300);
  EXPECT_EQ(LeadingNumber("0x10"), 16);
  EXPECT_EQ(LeadingNumber("1,234"), 1);
}

TEST_F(CalculateTest, AverageWithAConditionDividesByTheRowsThatMatch) {
  AddRow("10", "x", 1);
  AddRow("20", "y", 0);
  AddRow("40", "x", 1);
  AddRow("7", "z", 0);
  EXPECT_EQ(Calc(0, "average", 2, "x"), 25);
  EXPECT_EQ(Calc(0, "average", 1, "y"), 20);
  EXPECT_EQ(Calc(0, "average", 3, "checked"), 25);
  EXPECT_EQ(Calc(0, "average", 3, "unchecked"), 13.5);
  EXPECT_EQ(Calc(0, "count", 2, "x"), 2);
  EXPECT_EQ(Calc(0, "max", 2, "x"), 40);
  EXPECT_EQ(Calc(0, "min", 2, "x"), 10);
  EXPECT_EQ(Calc(0, "average"), 19.25);
}

TEST_F(CalculateTest, EveryRowCountsPastTheFirstBlocks) {
  for (int i = 1; i <= 1000; ++i) AddRow(std::to_string(i), i % 4 == 0 ? "x" : "y", i % 2);
  EXPECT_EQ(Calc(0, "sum"), 500500);
  EXPECT_EQ(Calc(0, "max"), 1000);
  EXPECT_EQ(Calc(0, "min"), 1);
  EXPECT_EQ(Calc(0, "sum", 2, "x"), 4 * 250 * 251 / 2);
  EXPECT_EQ(Calc(0, "count", 3, "checked"), 500);
  EXPECT_EQ(Calc(0, "sum", 3, "unchecked"), 2 * 500 * 501 / 2);
  std::vector<CGridRow*> odd;
  for (int r = 0; r < 1000; r += 2) odd.push_back(g.allRow(r));
  g.setRowOrder({});  // not a permutation: nothing changes
  g.showFilteredRows(odd);
  EXPECT_EQ(Calc(0, "sum"), 500 * 500);  // 1 + 3 + ... + 999
  EXPECT_EQ(Calc(0, "max"), 999);
}

TEST_F(CalculateTest, NumbersChangedOutsideTheInputAreReadFromTheirText) {
  AddRow("0.1", "a", 0);
  AddRow("0.2", "b", 0);
  EXPECT_EQ(Calc(0, "sum"), 0.1 + 0.2);
  g.setColumnFieldTypeInputType(0, kDataNumeric, kInputCheckBox);
  g.setCellChecked(0, 0, 7);
  g.setColumnFieldTypeInputType(0, kDataNumeric, kInputText);
  EXPECT_EQ(Calc(0, "sum"), 7 + 0.2);
  g.setColumnFieldTypeInputType(0, kDataDateTime, kInputText);
  g.setCellStringData(1, 0, "200704151201");  // 12:01, a fraction without end
  g.setColumnFieldTypeInputType(0, kDataNumeric, kInputText);
  EXPECT_EQ(Calc(0, "max"), LeadingNumber(g.getCellStringData(1, 0)));
}

}  // namespace
}  // namespace maltrove
