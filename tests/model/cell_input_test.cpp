// The input pipeline of setCellStringData and the texts a cell gives back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "model/grid_model.h"

namespace maltrove {
namespace {

class CellInputTest : public ::testing::Test {
 protected:
  int Column(int dataType, int inputType = kInputText, const std::string& output = "",
             const std::string& display = "") {
    int col = g.insertColumn(-1, "", 100, "", dataType, inputType, output, display, 0, "");
    if (g.getRowCount() == 0) g.insertRow(-1);
    return col;
  }
  // Stores and reads back the output text; "refused" when refused.
  std::string Store(int col, const std::string& text) {
    if (g.setCellStringData(0, col, text) == 0) return "refused";
    return g.getCellStringData(0, col);
  }
  CGridModel g;
};

TEST_F(CellInputTest, NumericRules) {
  int n = Column(kDataNumeric);
  EXPECT_EQ(Store(n, "12."), "12");
  EXPECT_EQ(Store(n, "+1.5"), "1.5");
  EXPECT_EQ(Store(n, "  7 "), "7");
  EXPECT_EQ(Store(n, "1.2.3"), "refused");
  EXPECT_EQ(g.getCellStringData(0, n), "7");  // a refusal leaves the cell unchanged
  EXPECT_EQ(Store(n, "1-2"), "refused");
  EXPECT_EQ(Store(n, "-0.25"), "-0.25");
  EXPECT_EQ(Store(n, ""), "");
  EXPECT_TRUE(g.cell(0, n)->isNull);
}

TEST_F(CellInputTest, NumericValuesAreReadExactlyAsStrtod) {
  int n = Column(kDataNumeric);
  for (const char* text : {"0.1", "-0.3", "123456789012345", "1234567890123456", "0.000001",
                           "99999999999.9999", "+2.675", "3", "-0", ".5", "7.0000000000000001"}) {
    ASSERT_EQ(g.setCellStringData(0, n, text), 1) << text;
    EXPECT_EQ(g.cell(0, n)->number, std::strtod(text, nullptr)) << text;
  }
}

TEST_F(CellInputTest, AllowAndIgnoreCharacters) {
  int n = Column(kDataNumeric);
  g.setColumnAllowChar(n, "0-9");
  EXPECT_EQ(Store(n, "-5"), "refused");
  g.setColumnAllowChar(n, "-0-9");
  EXPECT_EQ(Store(n, "-5"), "-5");
  g.setColumnAllowChar(n, "");
  g.setColumnIgnoreChar(n, ",");
  EXPECT_EQ(Store(n, "1,234"), "1234");
  int s = Column(kDataString);
  g.setColumnAllowChar(s, "0-9a-f");
  EXPECT_EQ(Store(s, "c0ffee"), "c0ffee");
  EXPECT_EQ(Store(s, "coffee"), "refused");
}

TEST_F(CellInputTest, DateTimeValues) {
  int d = Column(kDataDateTime);
  EXPECT_EQ(Store(d, "20070415"), "20070415000000");
  EXPECT_EQ(g.storageText(0, d), "20070415000000");
  EXPECT_EQ(Store(d, "18991231"), "");
  EXPECT_TRUE(g.cell(0, d)->isNull);
  EXPECT_EQ(Store(d, "20071301"), "");
  EXPECT_EQ(Store(d, "20080229235959"), "20080229235959");
  g.setColumnDisplayType(d, "%Y-%m-%d %H:%M");
  EXPECT_EQ(g.displayText(0, d), "2008-02-29 23:59");
}

TEST_F(CellInputTest, DateMaskIsRemovedInPatternOrder) {
  int d = Column(kDataDateTime, kInputText, "%d/%m/%Y");
  // Digits are read as yyyyMMdd in the pattern's order: 1504-20-07 is no date.
  EXPECT_EQ(Store(d, "15/04/2007"), "");
  EXPECT_TRUE(g.cell(0, d)->isNull);
  int iso = Column(kDataDateTime, kInputText, "%Y-%m-%d");
  EXPECT_EQ(Store(iso, "2007-04-15"), "2007-04-15");
  EXPECT_EQ(g.storageText(0, iso), "20070415000000");
}

TEST_F(CellInputTest, StringLimitAndMasks) {
  int s = Column(kDataString);
  g.setColumnInputLimit(s, 4);
  EXPECT_EQ(Store(s, "abcdef"), "abcd");
  g.setColumnInputLimit(s, 4);
  EXPECT_EQ(Store(s, "가나"), "가");  // never half a character
  int phone = Column(kDataString, kInputText, "###-####|####-####");
  EXPECT_EQ(Store(phone, "123-4567"), "123-4567");
  EXPECT_EQ(g.cell(0, phone)->text, "1234567");
  EXPECT_EQ(Store(phone, "12345678"), "1234-5678");
}

TEST_F(CellInputTest, InvalidUtf8IsRepairedNotStoredBroken) {
  int s = Column(kDataString);
  EXPECT_EQ(Store(s, std::string("a\xff" "b")), "a\xEF\xBF\xBD" "b");
}

TEST_F(CellInputTest, NumericDisplayPatterns) {
  int n = Column(kDataNumeric, kInputText, "", "#,###.##");
  g.setCellStringData(0, n, "1234.5");
  EXPECT_EQ(g.displayText(0, n), "1,234.50");
  EXPECT_EQ(g.storageText(0, n), "1234.50");
  g.setColumnDisplayType(n, "#,###.###");
  g.setCellStringData(0, n, "1234567.891");
  EXPECT_EQ(g.displayText(0, n), "1,234,567.891");
  g.setCellStringData(0, n, "-123456");
  g.setColumnDisplayType(n, "#,###");
  EXPECT_EQ(g.displayText(0, n), "-123,456");
  g.setColumnDisplayType(n, "");
  g.setCellStringData(0, n, "0.1");
  EXPECT_EQ(g.displayText(0, n), "0.1");
}

TEST_F(CellInputTest, SelectMatching) {
  int c = Column(kDataString, kInputSelect);
  g.setColumnCombo(c, "Seoul;Busan", "S;B");
  EXPECT_EQ(Store(c, "Busan"), "B");
  EXPECT_EQ(g.getCellComboData(0, c), "Busan");
  EXPECT_EQ(Store(c, "b"), "B");
  EXPECT_EQ(Store(c, "Daegu"), "");
  g.modifyCombo(0, c, "North;South", "N;S2");
  EXPECT_EQ(Store(c, "South"), "S2");  // the cell's own lists
  g.setCellComboData(0, c, "Seoul");
  EXPECT_EQ(g.cell(0, c)->text, "");  // Seoul's value S is not in the cell's lists
}

TEST_F(CellInputTest, SelectMatchMethods) {
  int bank = Column(kDataString, kInputSelect);
  g.setColumnCombo(bank, "국민;기업", "04;03");
  g.column(bank)->selectMatchMethod = "bankCode";
  EXPECT_EQ(Store(bank, "국민은행"), "04");
  EXPECT_EQ(Store(bank, "4"), "04");
  int byValue = Column(kDataString, kInputSelect);
  g.setColumnCombo(byValue, "One;Two", "");
  g.column(byValue)->selectMatchMethod = "value";
  EXPECT_EQ(Store(byValue, "Two"), "Two");
  EXPECT_EQ(Store(byValue, "two"), "");
}

TEST_F(CellInputTest, MissingCellsAreRefused) {
  Column(kDataString);
  EXPECT_EQ(g.setCellStringData(1, 0, "x"), 0);
  EXPECT_EQ(g.setCellStringData(0, 1, "x"), 0);
  EXPECT_EQ(g.setCellStringData(-1, 0, "x"), 0);
  EXPECT_EQ(g.getCellStringData(0, 5), "");
}

TEST_F(CellInputTest, ColumnDefaultsAreCheckedByType) {
  int n = Column(kDataNumeric);
  g.setColumnDefault(n, "5");
  g.setColumnDefault(n, "12a");
  EXPECT_EQ(g.getColumnDefault(n), "5");
  g.setColumnDefault(n, "-1.5");
  EXPECT_EQ(g.getColumnDefault(n), "-1.5");
  int d = Column(kDataDateTime);
  g.setColumnDefault(d, "2007-01-01");
  EXPECT_EQ(g.getColumnDefault(d), "");
  g.insertRow(-1);
  EXPECT_EQ(g.getCellStringData(1, n), "-1.5");
}

TEST_F(CellInputTest, LoneAndRepeatedDecimalPoints) {
  int n = Column(kDataNumeric);
  EXPECT_EQ(Store(n, "."), "");  // the last "." goes, nothing is left
  EXPECT_TRUE(g.cell(0, n)->isNull);
  EXPECT_EQ(Store(n, ".5"), "0.5");
  EXPECT_EQ(Store(n, "5.."), "5");  // one "." goes, "5." reads as 5
  EXPECT_FALSE(g.cell(0, n)->isNull);
  EXPECT_EQ(Store(n, "1..5"), "refused");
  EXPECT_EQ(Store(n, "..5"), "refused");
  EXPECT_EQ(Store(n, "..."), "refused");
  EXPECT_EQ(g.getCellStringData(0, n), "5");
  EXPECT_EQ(Store(n, ".."), "0");  // "." is stored: not empty, its value is 0
  EXPECT_FALSE(g.cell(0, n)->isNull);
}

TEST_F(CellInputTest, DefaultsWithRepeatedPointsReadTheLeadingNumber) {
  int n = g.insertColumn(-1, "", 100, "", kDataNumeric, kInputText, "", "", 0, "12..5");
  int d = g.insertColumn(-1, "", 100, "", kDataNumeric, kInputText, "", "", 0, "3.25.1");
  int lone = g.insertColumn(-1, "", 100, "", kDataNumeric, kInputText, "", "", 0, ".");
  g.insertRow(-1);
  EXPECT_EQ(g.getCellStringData(0, n), "12");
  EXPECT_EQ(g.getCellStringData(0, d), "3.25");
  EXPECT_EQ(g.cell(0, d)->number, 3.25);
  EXPECT_EQ(g.getCellStringData(0, lone), "0");
  EXPECT_FALSE(g.cell(0, lone)->isNull);
}

TEST_F(CellInputTest, SelectValuesWithoutLabelsStillMatch) {
  int c = Column(kDataString, kInputSelect);
  g.setColumnCombo(c, "", "A;B");
  EXPECT_EQ(Store(c, "B"), "B");
  EXPECT_EQ(Store(c, "a"), "A");
  EXPECT_EQ(g.getCellComboData(0, c), "A");  // no label: the value itself
  g.setColumnCombo(c, "Alpha;Beta", "");
  EXPECT_EQ(Store(c, "Beta"), "");  // labels alone match nothing
}

}  // namespace
}  // namespace maltrove
