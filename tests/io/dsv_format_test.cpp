#include "io/dsv_format.h"

#include <gtest/gtest.h>

#include "io/dsv_transfer.h"
#include "io/file_names.h"

namespace maltrove {
namespace {

TEST(DsvFormatTest, DelimiterCandidatesOfTheDefaultSetting) {
  const std::vector<std::string> items = DelimiterCandidates(",\\t:;|@#$&*!");
  EXPECT_EQ(items, (std::vector<std::string>{",", "Tab", ":", ";", "|", "@", "#", "$", "&", "*", "!"}));
  EXPECT_EQ(DelimiterOf("Tab"), '\t');
  EXPECT_EQ(DelimiterOf("\\x"), '\\');  // a two-character candidate uses its first character
  EXPECT_EQ(DelimiterOf(""), ',');
}

TEST(DsvFormatTest, LinesEndAtAnyBreak) {
  const std::vector<std::string_view> lines = SplitLines("a\r\nb\nc\rd");
  EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("").size(), 1u);
  EXPECT_EQ(SplitFields("x,,y", ',', false), (std::vector<std::string>{"x", "", "y"}));
  EXPECT_EQ(SplitFields("\"q\",r", ',', true), (std::vector<std::string>{"q", "r"}));
  EXPECT_EQ(TrimLine("\ta\tb\t ", '\t'), "\ta\tb\t");  // tabs are fields, not blanks
  EXPECT_EQ(TrimLine("  a,b ", ','), "a,b");
}

TEST(FileNamesTest, ExtensionsOfPaths) {
  EXPECT_EQ(FileExtension("/a/b.XLS"), ".xls");
  EXPECT_EQ(FileExtension("/a.d/b"), "");  // a dot in a folder name is no extension
  EXPECT_EQ(WithDefaultExtension("/a.d/b", ".csv"), "/a.d/b.csv");
  EXPECT_EQ(WithDefaultExtension("/a/b.txt", ".csv"), "/a/b.txt");
}

TEST(DsvFormatTest, LetterNamesLikeASpreadsheet) {
  EXPECT_EQ(LetterName(0), "A");
  EXPECT_EQ(LetterName(25), "Z");
  EXPECT_EQ(LetterName(26), "AA");
  EXPECT_EQ(LetterName(52), "BA");
  EXPECT_EQ(LetterName(701), "ZZ");
  EXPECT_EQ(LetterName(702), "AAA");
}

TEST(DsvFormatTest, ListedColumnsAndHeaderNames) {
  CGridModel grid;
  grid.insertColumn(-1, "", 10, "plain", kDataString, kInputText, "", "", 0, "");
  grid.insertColumn(-1, "Check", 10, "c", kDataString, kInputCheckBox, "", "", 0, "");
  grid.insertColumn(-1, "Hidden", 10, "h", kDataString, kInputText, "", "", 0, "");
  grid.setColumnVisible(2, 0);
  grid.setColumnLabel(0, "  ");
  EXPECT_EQ(ListedColumns(grid, false, false), std::vector<int>{0});
  EXPECT_EQ(ListedColumns(grid, true, true), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(HeaderName(*grid.column(0)), "plain");
  EXPECT_TRUE(LooksLikeHeader(grid, {0}, {" PLAIN "}));
  EXPECT_FALSE(LooksLikeHeader(grid, {0}, {"other"}));
}

}  // namespace
}  // namespace maltrove

namespace maltrove {
namespace {

TEST(DsvImportTest, InvalidUtf8IsRepairedNotLost) {
  CGridModel grid;
  grid.insertColumn(-1, "", 10, "a", kDataString, kInputText, "", "", 0, "");
  grid.insertColumn(-1, "", 10, "b", kDataString, kInputText, "", "", 0, "");
  DsvImportOptions options;
  options.columns = {0, 1};
  options.mapping = {0, 1};
  options.mappingText = {"A", "B"};
  const std::string text = "ok,\xff\xfe" "bad\r\n\xe3\x81,end";
  EXPECT_EQ(ImportSeparatedValues(&grid, text, options, nullptr, nullptr), DsvImportResult::kDone);
  ASSERT_EQ(grid.getRowCount(), 2);
  EXPECT_EQ(grid.getCellStringData(0, 1), "\xEF\xBF\xBD\xEF\xBF\xBD" "bad");
  EXPECT_EQ(grid.getCellStringData(1, 0), "\xEF\xBF\xBD");
  EXPECT_EQ(grid.getCellStringData(1, 1), "end");
}

}  // namespace
}  // namespace maltrove
