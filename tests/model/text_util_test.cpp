#include "model/text_util.h"

#include <gtest/gtest.h>

namespace maltrove {
namespace {

TEST(TrimTest, RemovesAsciiWhitespaceOnlyAtEnds) {
  EXPECT_EQ(Trim(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("a b \t"), "a b");  // blanks at one end only
  EXPECT_EQ(Trim("\r\na b"), "a b");
  EXPECT_EQ(Trim("a"), "a");
  EXPECT_EQ(Trim("\xE3\x80\x80x"), "\xE3\x80\x80x");  // ideographic space is kept
  // Exactly the six blanks, of all 256 bytes.
  const std::string_view blanks(" \t\n\v\f\r");
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(IsAsciiSpace(c), blanks.find(c) != std::string_view::npos) << b;
  }
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

// A text is valid exactly when the repair leaves it as it is. Every lead
// byte meets following bytes at and beside the edges of every range, behind
// ASCII bytes that put the sequence at the start, inside and past the
// eight-byte step, and cut short by the end of the text.
TEST(IsValidUtf8Test, AgreesWithTheRepairOnEverySequenceShape) {
  const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x81, 0x8F, 0x90,
                                 0x9F, 0xA0, 0xA1, 0xBE, 0xBF, 0xC0, 0xFF};
  int checked = 0;
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned char second : edges) {
      for (unsigned char third : edges) {
        for (unsigned char fourth : {0x80, 0x41}) {
          const std::string sequence = {static_cast<char>(lead), static_cast<char>(second),
                                        static_cast<char>(third), static_cast<char>(fourth)};
          for (size_t prefix : {0, 7, 9}) {
            for (size_t length = 1; length <= sequence.size(); ++length) {
              // Continuation bytes lie past the end: a check must not read them.
              const std::string buffer = std::string(prefix, 'a') + sequence + "\x80\x80\x80";
              const std::string_view text(buffer.data(), prefix + length);
              ASSERT_EQ(IsValidUtf8(text), NormalizeUtf8(text) == text)
                  << "lead " << lead << " second " << int(second) << " third " << int(third)
                  << " prefix " << prefix << " length " << length;
              ++checked;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 200000);
  EXPECT_TRUE(IsValidUtf8("\xEC\x84\x9C\xEC\x9A\xB8 abcdefgh \xF0\x9F\x98\x80"));
}

}  // namespace
}  // namespace maltrove
