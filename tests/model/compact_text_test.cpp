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

}  // namespace
}  // namespace maltrove
