#include "model/char_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "model/bank_codes.h"

namespace maltrove {
namespace {

// Feeds text through the rule character by character, and checks that the
// one-pass form used by the input pipeline agrees.
bool Accepts(bool numeric, std::string_view allowChar, std::string_view text) {
  bool accepted = true;
  for (size_t i = 0; i < text.size() && accepted; ++i) {
    accepted = IsCharAllowed(numeric, allowChar, text[i], text.substr(0, i));
  }
  EXPECT_EQ(IsTextAllowed(numeric, allowChar, text), accepted) << "text '" << text << "'";
  return accepted;
}

TEST(CharRulesTest, NumericColumn) {
  EXPECT_TRUE(Accepts(true, "", "+1.5"));
  EXPECT_FALSE(Accepts(true, "", "1.2.3"));
  EXPECT_FALSE(Accepts(true, "", "1-2"));
  EXPECT_FALSE(Accepts(true, "", "1e5"));
}

TEST(CharRulesTest, TextColumnWithoutAllowCharTakesAnything) {
  EXPECT_TRUE(Accepts(false, "", "a-b.c.d \xEA\xB0\x80"));
}

TEST(CharRulesTest, AllowCharAloneDecides) {
  EXPECT_FALSE(Accepts(true, "0-9", "-5"));
  EXPECT_TRUE(Accepts(true, "-0-9", "-5"));
  EXPECT_FALSE(Accepts(true, "0-9", "1.5"));
  EXPECT_TRUE(Accepts(false, "0-9a-f", "09af"));
  EXPECT_FALSE(Accepts(false, "0-9a-f", "g"));
  EXPECT_TRUE(Accepts(false, "xyz", "zyx"));
}

TEST(CharRulesTest, DanglingDashInAllowCharEndsTheScan) {
  EXPECT_TRUE(Accepts(false, "ab-", "a"));
  EXPECT_FALSE(Accepts(false, "a-", "b"));
  EXPECT_FALSE(Accepts(false, "a-", "-"));
}

TEST(CharRulesTest, RangesCompareUnsignedBytes) {
  EXPECT_TRUE(Accepts(false, "\x80-\xFF", "\xEA\xB0\x80"));
  EXPECT_FALSE(Accepts(false, "a-z", "\xEA"));
}

TEST(CharRulesTest, RemoveChars) {
  EXPECT_EQ(RemoveChars("1,234,567", ","), "1234567");
  EXPECT_EQ(RemoveChars("a-b c", " -"), "abc");
}

TEST(BankCodesTest, NamesAndNumbersGiveCodes) {
  EXPECT_EQ(BankCodeFor("국민은행"), "04");
  EXPECT_EQ(BankCodeFor("4"), "04");
  EXPECT_EQ(BankCodeFor("sc제일"), "23");
  EXPECT_EQ(BankCodeFor("우체국"), "71");
}

TEST(BankCodesTest, OtherTextIsReturnedUnchanged) {
  EXPECT_EQ(BankCodeFor("Sc제일"), "Sc제일");
  EXPECT_EQ(BankCodeFor("국민 "), "국민 ");
  EXPECT_EQ(BankCodeFor("8"), "8");
  EXPECT_EQ(BankCodeFor(""), "");
}

TEST(CharRulesTest, NumericColumnTakesOnePoint) {
  EXPECT_TRUE(Accepts(true, "", "."));
  EXPECT_TRUE(Accepts(true, "", "-.5"));
  EXPECT_FALSE(Accepts(true, "", ".."));
  EXPECT_FALSE(Accepts(true, "", "5.."));
  EXPECT_TRUE(IsCharAllowed(true, "", '.', "12"));
  EXPECT_FALSE(IsCharAllowed(true, "", '.', "1.2"));
  EXPECT_FALSE(IsCharAllowed(true, "", '.', "."));
  EXPECT_TRUE(IsTextAllowed(true, "", "."));
  EXPECT_FALSE(IsTextAllowed(true, "", "1.."));
  EXPECT_FALSE(IsTextAllowed(true, "", ".1."));
}

}  // namespace
}  // namespace maltrove
