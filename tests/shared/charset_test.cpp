#include "shared/charset_table.h"

#include <gtest/gtest.h>

namespace maltrove {
namespace {

TEST(CharsetTableTest, HoldsEveryEntryAsACrLfLine) {
  std::string_view text = CharsetDataText();
  size_t lines = 0;
  for (size_t pos = text.find('\n'); pos != std::string_view::npos; pos = text.find('\n', pos + 1)) {
    EXPECT_EQ(text[pos - 1], '\r');
    ++lines;
  }
  EXPECT_EQ(lines, 119u);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.substr(0, 19), "708 1256 ASMO-708\r\n");
}

int CodePageOf(std::string_view name) {
  int page = -7;
  int family = -7;
  LookupEncoding(name, &page, &family);
  return page;
}

TEST(CharsetTableTest, FindsNamesInAnyCase) {
  int page = 0;
  int family = 0;
  EXPECT_TRUE(LookupEncoding("UTF-8", &page, &family));
  EXPECT_EQ(page, 65001);
  EXPECT_EQ(family, 1200);
  EXPECT_EQ(CodePageOf("uTf-8"), 65001);
  EXPECT_EQ(CodePageOf("  utf-8\t"), 65001);
  EXPECT_EQ(CodePageOf("windows-1252"), 1252);
  EXPECT_EQ(CodePageOf("WINDOWS-1252"), 1252);
  EXPECT_EQ(CodePageOf("Windows-1252"), 1252);
}

TEST(CharsetTableTest, FirstLineNamingTheEncodingWins) {
  EXPECT_EQ(CodePageOf("euc-kr"), 949);  // also on the 51949 line, which comes later
  EXPECT_EQ(CodePageOf("csEUCKR"), 51949);
  EXPECT_EQ(CodePageOf("iso-8859-1"), 28591);
  EXPECT_EQ(CodePageOf("ascii"), 20127);
  EXPECT_EQ(CodePageOf("iso-2022-jp"), 50220);
  EXPECT_EQ(CodePageOf("x-ebcdic-finlandsweden-euro"), 1143);
  EXPECT_EQ(CodePageOf("visual"), 28598);
}

TEST(CharsetTableTest, BlanksInsideANameSplitIt) {
  EXPECT_EQ(CodePageOf("latin3"), 28593);
  EXPECT_EQ(CodePageOf("csiso"), 28593);
  EXPECT_EQ(CodePageOf("csISO Latin3"), 0);
}

TEST(CharsetTableTest, UnknownNameGivesZeroAndEmptyNameTouchesNothing) {
  int page = 5;
  int family = 6;
  EXPECT_FALSE(LookupEncoding("no-such-encoding", &page, &family));
  EXPECT_EQ(page, 0);
  EXPECT_EQ(family, 0);
  page = 5;
  family = 6;
  EXPECT_FALSE(LookupEncoding(" \t ", &page, &family));
  EXPECT_EQ(page, 5);
  EXPECT_EQ(family, 6);
}

}  // namespace
}  // namespace maltrove
