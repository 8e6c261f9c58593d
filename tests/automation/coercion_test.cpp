#include "automation/coercion.h"

#include <gtest/gtest.h>

namespace maltrove::automation {
namespace {

Variant CoerceOk(const Variant& in, ValueType to) {
  Variant out;
  EXPECT_EQ(Coerce(in, to, &out), HResult::kOk);
  return out;
}

HResult CoerceResult(const Variant& in, ValueType to) {
  Variant out;
  return Coerce(in, to, &out);
}

TEST(CoercionTest, NumbersBecomeTextForStringParameters) {
  EXPECT_EQ(CoerceOk(int32_t{42}, ValueType::kString), Variant("42"));
  EXPECT_EQ(CoerceOk(-7, ValueType::kString), Variant("-7"));
  EXPECT_EQ(CoerceOk(1.5, ValueType::kString), Variant("1.5"));
  EXPECT_EQ(CoerceOk(0.1, ValueType::kString), Variant("0.1"));
  EXPECT_EQ(CoerceOk(1e20, ValueType::kString), Variant("1E+20"));
  EXPECT_EQ(CoerceOk(Variant(), ValueType::kString), Variant(""));
}

TEST(CoercionTest, NumericStringsBecomeLongs) {
  EXPECT_EQ(CoerceOk("12", ValueType::kLong), Variant(12));
  EXPECT_EQ(CoerceOk(" -3 ", ValueType::kLong), Variant(-3));
  EXPECT_EQ(CoerceOk("2.5", ValueType::kLong), Variant(2));  // half to even
  EXPECT_EQ(CoerceOk("3.5", ValueType::kLong), Variant(4));
  EXPECT_EQ(CoerceOk(2.6, ValueType::kLong), Variant(3));
  EXPECT_EQ(CoerceOk(true, ValueType::kLong), Variant(-1));
  EXPECT_EQ(CoerceOk(Variant(), ValueType::kLong), Variant(0));
}

TEST(CoercionTest, EverythingElseIsATypeMismatch) {
  EXPECT_EQ(CoerceResult("x", ValueType::kLong), HResult::kTypeMismatch);
  EXPECT_EQ(CoerceResult("", ValueType::kLong), HResult::kTypeMismatch);
  EXPECT_EQ(CoerceResult("12abc", ValueType::kLong), HResult::kTypeMismatch);
  EXPECT_EQ(CoerceResult("0x10", ValueType::kLong), HResult::kTypeMismatch);
  EXPECT_EQ(CoerceResult("nan", ValueType::kDouble), HResult::kTypeMismatch);
  EXPECT_EQ(CoerceResult("inf", ValueType::kLong), HResult::kTypeMismatch);
}

TEST(CoercionTest, LongsOutOfRangeOverflow) {
  EXPECT_EQ(CoerceResult(3e9, ValueType::kLong), HResult::kOverflow);
  EXPECT_EQ(CoerceResult("-2147483649", ValueType::kLong), HResult::kOverflow);
  EXPECT_EQ(CoerceOk("-2147483648", ValueType::kLong), Variant(INT32_MIN));
}

TEST(CoercionTest, DoublesAndBools) {
  EXPECT_EQ(CoerceOk(3, ValueType::kDouble), Variant(3.0));
  EXPECT_EQ(CoerceOk("1e3", ValueType::kDouble), Variant(1000.0));
  EXPECT_EQ(CoerceOk("True", ValueType::kBool), Variant(true));
  EXPECT_EQ(CoerceOk(0, ValueType::kBool), Variant(false));
  EXPECT_EQ(CoerceOk("abc", ValueType::kVariant), Variant("abc"));
}

}  // namespace
}  // namespace maltrove::automation
