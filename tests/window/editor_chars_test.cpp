// Characters typed into editors: numeric rules at the caret, allowChar and
// ignoreChar with their set-and-range syntax, the input limit.
#include <gtest/gtest.h>

#include "window/editor_chars.h"

namespace maltrove {
namespace {

CGridColumn Column(int dataType, std::string allow = "", std::string ignore = "") {
  CGridColumn c;
  c.dataType = dataType;
  c.allowChar = std::move(allow);
  c.ignoreChar = std::move(ignore);
  return c;
}

TEST(EditorCharsTest, NumericColumnsTakeDigitsOneDotAndALeadingSign) {
  const CGridColumn n = Column(kDataNumeric);
  EXPECT_FALSE(AcceptTypedChar(n, "a", "", 0));
  EXPECT_TRUE(AcceptTypedChar(n, "-", "", 0));
  EXPECT_TRUE(AcceptTypedChar(n, "-", "12", 0)) << "at the caret, not at the end";
  EXPECT_FALSE(AcceptTypedChar(n, "-", "12", 2));
  EXPECT_TRUE(AcceptTypedChar(n, ".", "12", 2));
  EXPECT_FALSE(AcceptTypedChar(n, ".", "1.2", 3));
  EXPECT_FALSE(AcceptTypedChar(n, "한", "", 0));
  EXPECT_TRUE(AcceptTypedChar(Column(kDataString), "한", "", 0));
}

TEST(EditorCharsTest, IgnoreCharReadsRangesAndTheLeadingMinus) {
  const CGridColumn c = Column(kDataString, "", "a-cx");
  EXPECT_FALSE(AcceptTypedChar(c, "b", "", 0));
  EXPECT_FALSE(AcceptTypedChar(c, "x", "", 0));
  EXPECT_TRUE(AcceptTypedChar(c, "d", "", 0));
  EXPECT_TRUE(AcceptTypedChar(c, "-", "", 0)) << "a '-' not in front is a range mark";
  EXPECT_FALSE(AcceptTypedChar(Column(kDataString, "", "-"), "-", "", 0));
  EXPECT_FALSE(AcceptTypedChar(Column(kDataString, "", "가나"), "나", "", 0));
  EXPECT_TRUE(AcceptTypedChar(Column(kDataString, "", "가나"), "다", "", 0));
}

TEST(EditorCharsTest, AllowCharOverridesTheNumericRules) {
  const CGridColumn c = Column(kDataNumeric, "0-9a-f");
  EXPECT_TRUE(AcceptTypedChar(c, "e", "", 0));
  EXPECT_FALSE(AcceptTypedChar(c, "g", "", 0));
  EXPECT_FALSE(AcceptTypedChar(c, "-", "", 0));
}

TEST(EditorCharsTest, TheTextIsCutToTheInputLimitBeforeTheCaretRule) {
  CGridColumn n = Column(kDataNumeric);
  n.inputLimit = 2;
  // Beyond the limit the text before the caret is "12", which has no dot.
  EXPECT_TRUE(AcceptTypedChar(n, ".", "12.5", 4));
}

}  // namespace
}  // namespace maltrove
