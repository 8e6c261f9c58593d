#include "model/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

namespace maltrove {
namespace {

double Serial(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  double serial = 0;
  EXPECT_TRUE(OleDateFromParts(y, mo, d, h, mi, s, &serial));
  return serial;
}

TEST(OleDateTest, KnownSerials) {
  EXPECT_EQ(Serial(1899, 12, 30), 0);
  EXPECT_EQ(Serial(1900, 1, 1), 2);
  EXPECT_EQ(Serial(2007, 4, 15, 18), 39187.75);
  EXPECT_EQ(Serial(9999, 12, 31), 2958465);
  EXPECT_EQ(Serial(100, 1, 1), -657434);
  EXPECT_EQ(Serial(1899, 12, 29, 6), -1.25);  // negative day, forward fraction
}

TEST(OleDateTest, RefusesImpossibleParts) {
  double s = 0;
  EXPECT_TRUE(OleDateFromParts(2000, 2, 29, 0, 0, 0, &s));
  EXPECT_FALSE(OleDateFromParts(1900, 2, 29, 0, 0, 0, &s));
  EXPECT_FALSE(OleDateFromParts(2007, 4, 31, 0, 0, 0, &s));
  EXPECT_FALSE(OleDateFromParts(2007, 13, 1, 0, 0, 0, &s));
  EXPECT_FALSE(OleDateFromParts(2007, 1, 1, 24, 0, 0, &s));
  EXPECT_FALSE(OleDateFromParts(2007, 1, 1, 0, 0, 60, &s));
  EXPECT_FALSE(OleDateFromParts(10000, 1, 1, 0, 0, 0, &s));
  EXPECT_FALSE(OleDateFromParts(99, 12, 31, 0, 0, 0, &s));
}

TEST(OleDateTest, PartsRoundToTheNearestSecond) {
  DateParts p{};
  ASSERT_TRUE(OleDateToParts(Serial(2007, 4, 15, 10, 20, 30) + 0.5 / 86400, &p));
  EXPECT_EQ(p.second, 31);
  ASSERT_TRUE(OleDateToParts(Serial(2007, 4, 15, 10, 20, 30) + 0.49 / 86400, &p));
  EXPECT_EQ(p.second, 30);
  EXPECT_EQ(DateStorageText(Serial(2007, 12, 31, 23, 59, 59) + 0.6 / 86400),
            "20080101000000");
  EXPECT_EQ(DateStorageText(-1.25), "18991229060000");
  EXPECT_EQ(DateStorageText(-1.9999999), "18991230000000");
}

TEST(OleDateTest, PartsRefuseSerialsOutsideTheRange) {
  DateParts p{};
  EXPECT_TRUE(OleDateToParts(Serial(9999, 12, 31, 23, 59, 59), &p));
  EXPECT_FALSE(OleDateToParts(Serial(9999, 12, 31, 23, 59, 59) + 0.6 / 86400, &p));
  EXPECT_FALSE(OleDateToParts(-657435, &p));
  EXPECT_FALSE(OleDateToParts(std::nan(""), &p));
}

TEST(OleDateTest, StorageAndFormattedText) {
  double d = Serial(2007, 4, 15, 9, 5, 7);
  EXPECT_EQ(DateStorageText(d), "20070415090507");
  EXPECT_EQ(DateStorageText(0), "");
  EXPECT_EQ(FormatDate(d, ""), "20070415090507");
  EXPECT_EQ(FormatDate(d, "%Y-%m-%d %H:%M:%S %a %j"), "2007-04-15 09:05:07 Sun 105");
  EXPECT_EQ(FormatDate(0, "%Y"), "");
  EXPECT_EQ(FormatDate(-1.25, "%Y"), "");
}

TEST(OleDateTest, FormatIgnoresTheProcessTimeZone) {
  const char* saved = std::getenv("TZ");
  std::string previous = saved ? saved : "";
  setenv("TZ", "Asia/Seoul", 1);
  tzset();
  EXPECT_EQ(FormatDate(Serial(1970, 1, 2), "%s %Z %%s"), "86400 UTC %s");
  if (saved) setenv("TZ", previous.c_str(), 1);
  else unsetenv("TZ");
  tzset();
}

TEST(ParseDateDigitsTest, ReadsPartsByPosition) {
  double s = 0;
  ASSERT_TRUE(ParseDateDigits("20070415", &s));
  EXPECT_EQ(s, Serial(2007, 4, 15));
  ASSERT_TRUE(ParseDateDigits("20070415183", &s));  // a lone minute digit is ignored
  EXPECT_EQ(s, Serial(2007, 4, 15, 18));
  ASSERT_TRUE(ParseDateDigits("20070415183059999", &s));
  EXPECT_EQ(s, Serial(2007, 4, 15, 18, 30, 59));
}

TEST(ParseDateDigitsTest, NullDates) {
  double s = 0;
  EXPECT_FALSE(ParseDateDigits("18991231", &s));
  EXPECT_FALSE(ParseDateDigits("20071301", &s));
  EXPECT_FALSE(ParseDateDigits("200704", &s));  // no day
  EXPECT_FALSE(ParseDateDigits("20070400", &s));
  EXPECT_FALSE(ParseDateDigits("2007-4-15", &s));
  EXPECT_FALSE(ParseDateDigits("2007041524", &s));
  EXPECT_FALSE(ParseDateDigits("", &s));
}

}  // namespace
}  // namespace maltrove
