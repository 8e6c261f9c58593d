// CompactText: inline and heap texts, copies, moves and assignment from itself.
#include "model/compact_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace maltrove {
namespace {

TEST(CompactTextTest, TextsOfEveryLengthAroundTheInlineLimitReadBack) {
  for (size_t n = 0; n <= 40; ++n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('a' + i % 26));
    CompactText t(s);
    EXPECT_EQ(t.size(), n);
    EXPECT_EQ(t.view(), s);
    EXPECT_EQ(t.empty(), n == 0);
    EXPECT_EQ(t.str(), s);
  }
}

TEST(CompactTextTest, KoreanOfFifteenBytesStaysWhole) {
  const std::string seoul = "서울특별시";  // 15 bytes
  CompactText t(seoul);
  EXPECT_EQ(t, seoul);
  t = seoul + "청";
  EXPECT_EQ(t, seoul + "청");
}

TEST(CompactTextTest, CopiesAndMovesAreIndependent) {
  CompactText longText(std::string(100, 'x'));
  CompactText copy = longText;
  copy = std::string(100, 'y');
  EXPECT_EQ(longText, std::string(100, 'x'));
  CompactText moved = std::move(longText);
  EXPECT_EQ(moved, std::string(100, 'x'));
  EXPECT_TRUE(longText.empty());  // NOLINT: a moved-from text is empty
  CompactText shortText("abc");
  moved = shortText;
  EXPECT_EQ(moved, "abc");
  shortText = std::move(copy);
  EXPECT_EQ(shortText, std::string(100, 'y'));
  std::vector<CompactText> grown(3, CompactText("keep"));
  grown.resize(1000);
  EXPECT_EQ(grown[2], "keep");
  EXPECT_TRUE(grown[999].empty());
}

TEST(CompactTextTest, AssignsFromAPartOfItself) {
  CompactText t(std::string("0123456789abcdefghij"));
  t = t.view().substr(2, 16);  // heap to heap of another size
  EXPECT_EQ(t, "23456789abcdefgh");
  t = t.view();  // itself
  EXPECT_EQ(t, "23456789abcdefgh");
  t = std::string("ABCDEFGHIJKLMNOP");  // the same size: in place
  EXPECT_EQ(t, "ABCDEFGHIJKLMNOP");
  t = t.view().substr(1, 15);  // heap to inline
  EXPECT_EQ(t, "BCDEFGHIJKLMNOP");
  t = t.view().substr(1);  // inline to inline
  EXPECT_EQ(t, "CDEFGHIJKLMNOP");
  const CompactText& same = t;
  t = same;
  EXPECT_EQ(t, "CDEFGHIJKLMNOP");
  t.clear();
  EXPECT_TRUE(t.empty());
}

// Every short length over every other, and every part of a short text
// stored over the text itself.
TEST(CompactTextTest, ShortStoresOfEveryLengthAndOverlap) {
  const std::string letters = "ABCDEFGHIJKLMNO";
  for (size_t before = 0; before <= CompactText::kInline; ++before) {
    for (size_t after = 0; after <= CompactText::kInline; ++after) {
      CompactText t(std::string(before, 'x'));
      t = letters.substr(0, after);
      ASSERT_EQ(t.view(), letters.substr(0, after)) << before << " then " << after;
    }
  }
  for (size_t start = 0; start <= letters.size(); ++start) {
    for (size_t n = 0; start + n <= letters.size(); ++n) {
      CompactText t(letters);
      t = t.view().substr(start, n);  // moved to the front, or in place
      ASSERT_EQ(t.view(), letters.substr(start, n)) << start << "+" << n;
    }
  }
}

// The ASCII note follows every store: bytes past the text (left from a
// longer text before) must not count, every byte of it must.
TEST(CompactTextTest, InlineAsciiLooksAtTheTextsBytesOnly) {
  const std::string korean = "서울특별시";  // 15 bytes, none ASCII
  for (size_t n = 0; n <= CompactText::kInline; ++n) {
    CompactText t(korean);
    t = std::string(n, 'a');
    EXPECT_TRUE(t.isInlineAscii()) << n;
    for (size_t at = 0; at < n; ++at) {
      std::string text(n, 'a');
      text[at] = static_cast<char>(0xC3);
      t = text;
      EXPECT_FALSE(t.isInlineAscii()) << n << " at " << at;
    }
  }
  EXPECT_FALSE(CompactText(std::string(16, 'a')).isInlineAscii());  // on the heap
  EXPECT_TRUE(CompactText().isInlineAscii());
  for (const std::string& shortText : {std::string("a\xC3\xA9"), std::string("abc")}) {
    CompactText fromHeap(std::string(40, 'z'));
    fromHeap = shortText;  // from the heap back inline
    EXPECT_EQ(fromHeap.isInlineAscii(), shortText == "abc");
    EXPECT_EQ(fromHeap.view(), shortText);
    CompactText moved(std::move(fromHeap));
    EXPECT_EQ(moved.isInlineAscii(), shortText == "abc");
    EXPECT_EQ(CompactText(moved).isInlineAscii(), shortText == "abc");
  }
}

}  // namespace
}  // namespace maltrove
