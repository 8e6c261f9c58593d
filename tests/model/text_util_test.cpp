#include "model/text_util.h"

#include <gtest/gtest.h>

namespace maltrove {
namespace {

TEST(TrimTest, RemovesAsciiWhitespaceOnlyAtEnds) {
  EXPECT_EQ(Trim(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xE3\x80\x80x"), "\xE3\x80\x80x");  // ideographic space is kept
}

TEST(SplitListTest, DropsOnlyAnEmptyLastPiece) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitList("a;b;"), (V{"a", "b"}));
  EXPECT_EQ(SplitList("a;;b"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitList(";"), (V{""}));
  EXPECT_TRUE(SplitList("").empty());
}

TEST(TruncateUtf8Test, NeverSplitsAMultiByteCharacter) {
  const std::string word = "a\xEA\xB0\x80";  // "a가"
  EXPECT_EQ(TruncateUtf8(word, 2), "a");
  EXPECT_EQ(TruncateUtf8(word, 3), "a");
  EXPECT_EQ(TruncateUtf8(word, 4), word);
  EXPECT_EQ(TruncateUtf8("abcdef", 4), "abcd");
  EXPECT_EQ(TruncateUtf8("abc", 0), "");
}

TEST(NormalizeUtf8Test, ReplacesIllFormedSequences) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(NormalizeUtf8("\xEA\xB0\x80x"), "\xEA\xB0\x80x");
  EXPECT_EQ(NormalizeUtf8("a\xFF" "b"), "a" + fffd + "b");
  EXPECT_EQ(NormalizeUtf8("\xEA\xB0x"), fffd + "x");            // cut short: one U+FFFD
  EXPECT_EQ(NormalizeUtf8("\xC0\xAF"), fffd + fffd);            // overlong "/"
  EXPECT_EQ(NormalizeUtf8("\xED\xA0\x80"), fffd + fffd + fffd);  // surrogate
  EXPECT_EQ(NormalizeUtf8("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);
}

}  // namespace
}  // namespace maltrove
