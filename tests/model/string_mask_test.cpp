#include "model/string_mask.h"

#include <gtest/gtest.h>

namespace maltrove {
namespace {

TEST(ApplyStringMaskTest, PicksAlternativeByHashCount) {
  EXPECT_EQ(ApplyStringMask("###-####|####-####", "1234567"), "123-4567");
  EXPECT_EQ(ApplyStringMask("###-####|####-####", "12345678"), "1234-5678");
  EXPECT_EQ(ApplyStringMask("###-####|####-####", "12"), "12-");
  EXPECT_EQ(ApplyStringMask("(##)", "123"), "(12)");
  EXPECT_EQ(ApplyStringMask("", "abc"), "abc");
}

TEST(RemoveStringMaskTest, StripsDecorationsAndKeepsAtMostTheHashes) {
  EXPECT_EQ(RemoveStringMask("###-####|####-####", "1234-5678"), "12345678");
  EXPECT_EQ(RemoveStringMask("###-###|#", "12-34|56"), "123456");
  EXPECT_EQ(RemoveStringMask("###-###", "123-4567"), "123456");
  EXPECT_EQ(RemoveStringMask("", " a-b "), " a-b ");
}

TEST(RemoveNumericMaskTest, KeepsTheDecimalPoint) {
  EXPECT_EQ(RemoveNumericMask("#,###.##", "1,234.50"), "1234.50");
  EXPECT_EQ(RemoveNumericMask("$ #,###", "$ 1,234"), "1234");
  EXPECT_EQ(RemoveNumericMask("", "1,234"), "1,234");
}

TEST(RemoveDateMaskTest, TakesDigitsInTheOrderOfThePattern) {
  EXPECT_EQ(RemoveDateMask("%Y-%m-%d", "2007-04-15"), "20070415");
  EXPECT_EQ(RemoveDateMask("%d/%m/%Y %H:%M", "15/04/2007 09:30"), "150420070930");
  EXPECT_EQ(RemoveDateMask("%Y-%m-%d %H:%M:%S", "2007-04-1"), "2007041");
  EXPECT_EQ(RemoveDateMask("%Y%m%d", "2007x0415"), "20070415");
  EXPECT_EQ(RemoveDateMask("%%%Y", "2007"), "2007");
  EXPECT_EQ(RemoveDateMask("", "2007-04-15"), "2007-04-15");
}

TEST(ApplyStringMaskTest, AnAlternativeWithMoreHashesIsNotAFit) {
  EXPECT_EQ(ApplyStringMask("####-####|###-####", "1234567"), "123-4567");
  EXPECT_EQ(ApplyStringMask("####-####|###-####", "12345678"), "1234-5678");
  EXPECT_EQ(ApplyStringMask("####-####|###-####", "123"), "123-");  // none fits: the first
}

}  // namespace
}  // namespace maltrove
