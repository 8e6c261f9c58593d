#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace maltrove {
namespace {

TEST(FormatNumberTest, DecimalsComeFromHashesAfterTheFirstDot) {
  EXPECT_EQ(FormatNumber(1234.5, "#,###.##"), "1234.50");
  EXPECT_EQ(FormatNumber(2.345, "0.#"), "2.3");
  EXPECT_EQ(FormatNumber(0.126, "#.#.#"), "0.13");  // both hashes after the first dot
  EXPECT_EQ(FormatNumber(7, "#."), "7");
}

TEST(FormatNumberTest, WithoutDecimalsUsesIntegerOrSixteenDigits) {
  EXPECT_EQ(FormatNumber(3, ""), "3");
  EXPECT_EQ(FormatNumber(0.1, ""), "0.1");
  EXPECT_EQ(FormatNumber(0.1 + 0.2, ""), "0.3");
  EXPECT_EQ(FormatNumber(-2.5, "###"), "-2.5");
  EXPECT_EQ(FormatNumber(1e-7, ""), "1e-07");
}

TEST(FormatNumberTest, ExtremeValuesAreSafe) {
  EXPECT_EQ(FormatNumber(-0.0, ""), "0");
  EXPECT_EQ(FormatNumber(-0.0, "#.##"), "0.00");
  EXPECT_EQ(FormatNumber(1e20, ""), "100000000000000000000");
  EXPECT_EQ(FormatNumber(-9223372036854775808.0, ""), "-9223372036854775808");
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max(), "").size(), 309u);
  EXPECT_EQ(FormatNumber(std::nan(""), ""), "nan");
  EXPECT_EQ(FormatNumber(-HUGE_VAL, ""), "-inf");
  EXPECT_EQ(FormatNumber(1, "." + std::string(5000, '#')).size(), 1002u);
}

TEST(FormatNumberWithGroupingTest, GroupsIntegerPartByThrees) {
  EXPECT_EQ(FormatNumberWithGrouping(1234.5, "#,###.##"), "1,234.50");
  EXPECT_EQ(FormatNumberWithGrouping(1234567.891, "#,###"), "1,234,567.891");
  EXPECT_EQ(FormatNumberWithGrouping(-123456, "#,###"), "-123,456");
  EXPECT_EQ(FormatNumberWithGrouping(-1234, "#,###"), "-1,234");
}

TEST(FormatNumberWithGroupingTest, ShortIntegerPartsStayAsTheyAre) {
  EXPECT_EQ(FormatNumberWithGrouping(123.45, "#,###"), "123.45");
  EXPECT_EQ(FormatNumberWithGrouping(999, "#,###"), "999");
  EXPECT_EQ(FormatNumberWithGrouping(-123, "#,###"), "-123");
  EXPECT_EQ(FormatNumberWithGrouping(1.5e-7, "#,###"), "1.5e-07");
}

TEST(FormatNumberWithGroupingTest, CommaAfterTheDotDoesNotGroup) {
  EXPECT_EQ(FormatNumberWithGrouping(1234.5, "###.#,#"), "1234.50");
  EXPECT_EQ(FormatNumberWithGrouping(1234, "####"), "1234");
}

TEST(NumberReadsBackTest, AgreesWithReadingThePrintedText) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> digits(1, 17), exponent(-12, 12);
  for (int i = 0; i < 200000; ++i) {
    std::string text = std::to_string(random() % 100000000000000000ULL).substr(0, digits(random));
    const double x = std::strtod((text + "e" + std::to_string(exponent(random))).c_str(), nullptr);
    const bool readsBack = std::strtod(FormatNumber(x, "").c_str(), nullptr) == x;
    // A yes must be right; a no only costs the slow path.
    if (NumberReadsBack(x)) {
      ASSERT_TRUE(readsBack) << FormatNumber(x, "");
    }
  }
  EXPECT_TRUE(NumberReadsBack(1234.56));
  EXPECT_TRUE(NumberReadsBack(-77.125));
  EXPECT_TRUE(NumberReadsBack(0));
  EXPECT_FALSE(NumberReadsBack(0.1 + 0.2));  // 0.30000000000000004 prints as 0.3
}

// A stored short decimal passes its count of fraction digits, which settles
// the answer without dividing: it must be the answer the division gives.
TEST(NumberReadsBackTest, FractionDigitsGiveTheAnswerOfTheDivision) {
  const double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int> digits(1, 15), fraction(0, 15);
  int yes = 0;
  for (int i = 0; i < 300000; ++i) {
    const int64_t mantissa =
        static_cast<int64_t>(random() % 1000000000000000ULL / static_cast<uint64_t>(powers[15 - digits(random)]));
    const int k = fraction(random);
    const double x = (i % 2 ? -1.0 : 1.0) * (static_cast<double>(mantissa) / powers[k]);
    ASSERT_EQ(NumberReadsBack(x, k), NumberReadsBack(x)) << mantissa << " / 10^" << k;
    yes += NumberReadsBack(x);
  }
  EXPECT_GT(yes, 1000);
  EXPECT_FALSE(NumberReadsBack(8.12345678901234, 14));  // more fraction digits than fit
  EXPECT_FALSE(NumberReadsBack(0.5, 1));                 // a power of two stays a no
  EXPECT_TRUE(NumberReadsBack(-77.125, 3));
  EXPECT_TRUE(NumberReadsBack(0.123456789012345, 15));
}

}  // namespace
}  // namespace maltrove
