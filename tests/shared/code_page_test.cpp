#include "shared/code_page.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include "shared/xml_escape.h"

namespace maltrove {
namespace {

const std::string kHangul = "\xED\x95\x9C\xEA\xB8\x80";  // "한글"
const std::string kReplacement = "\xEF\xBF\xBD";

std::string From(std::string_view text, int codePage) {
  std::string out;
  EXPECT_TRUE(ConvertFromUtf8(text, codePage, &out));
  return out;
}

std::string To(std::string_view bytes, int codePage) {
  std::string out;
  EXPECT_TRUE(ConvertToUtf8(bytes, codePage, &out));
  return out;
}

TEST(CodePageTest, EveryNamedConverterOpens) {
  for (int page = 0; page < 65536; ++page) {
    const char* name = IconvName(page);
    if (!name) continue;
    iconv_t cd = iconv_open("UTF-8", name);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << page << " " << name;
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  EXPECT_STREQ(IconvName(0), "UTF-8");
  EXPECT_EQ(IconvName(57002), nullptr);
}

TEST(CodePageTest, KoreanRoundTrips) {
  EXPECT_EQ(From(kHangul, 949), "\xC7\xD1\xB1\xDB");
  EXPECT_EQ(From(kHangul, 51949), "\xC7\xD1\xB1\xDB");
  EXPECT_EQ(From(kHangul, 1200), std::string("\x5C\xD5\x00\xAE", 4));
  EXPECT_EQ(From(kHangul, 1201), std::string("\xD5\x5C\xAE\x00", 4));
  for (int page : {949, 51949, 1200, 1201, 1361, 50225, 65000, 65001, 0}) {
    EXPECT_EQ(To(From(kHangul, page), page), kHangul) << page;
  }
  const std::string ttom = "\xEB\x98\xA0";  // "똠": in the extended set of 949 only
  EXPECT_EQ(To(From(ttom, 949), 949), ttom);
  EXPECT_EQ(From(ttom, 51949), "?");
}

TEST(CodePageTest, LongOutputIsNotCut) {
  EXPECT_EQ(From(std::string(1000, 'a'), 1200).size(), 2000u);
  std::string euros = ConvertCodePage(std::string(1000, '\x80'), 1252, 65001);
  EXPECT_EQ(euros.size(), 3000u);
  EXPECT_EQ(euros.substr(2997), "\xE2\x82\xAC");
  EXPECT_EQ(To(From(euros, 65000), 65000), euros);
}

TEST(CodePageTest, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(From("a" + kHangul + "b", 1252), "a??b");
  EXPECT_EQ(From("x\xF0\x9F\x98\x80y", 949), "x?y");
  EXPECT_EQ(From("a\xFF" "b", 1252), "a?b");
  // The '?' passes through the converter, so a stateful encoding stays in step.
  EXPECT_EQ(To(From(kHangul + "\xF0\x9F\x98\x80" + kHangul, 50225), 50225), kHangul + "?" + kHangul);
}

TEST(CodePageTest, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(To("a\xFF" "b", 949), "a" + kReplacement + "b");
  EXPECT_EQ(To("a\xC7", 949), "a" + kReplacement);  // cut short
  EXPECT_EQ(To("a\xC0\xAF" "b", 65001), "a" + kReplacement + kReplacement + "b");
  EXPECT_EQ(To("a\xEA\xB0", 0), "a" + kReplacement);
  EXPECT_EQ(To(std::string("\x00\xD8\x41\x00", 4), 1200), kReplacement + "A");  // lone surrogate
}

TEST(CodePageTest, UnknownCodePageFallsBackToUtf8) {
  std::string out;
  EXPECT_FALSE(ConvertFromUtf8(kHangul, 57002, &out));
  EXPECT_EQ(out, kHangul);
  EXPECT_FALSE(ConvertToUtf8("a\xFF", 12345, &out));
  EXPECT_EQ(out, "a" + kReplacement);
}

TEST(CodePageTest, ConvertsBetweenCodePages) {
  EXPECT_EQ(ConvertCodePage("\xC7\xD1\xB1\xDB", 949, 1200), std::string("\x5C\xD5\x00\xAE", 4));
  EXPECT_EQ(ConvertCodePage("\xE9", 1252, 0), "\xC3\xA9");
  EXPECT_EQ(ConvertCodePage("\xE9", 28591, 1252), "\xE9");
  EXPECT_EQ(ConvertCodePage("", 949, 1252), "");
}

TEST(XmlEscapeTest, EscapesTheFiveCharacters) {
  EXPECT_EQ(XmlEscape("a<b & 'c'"), "a&lt;b &amp; &apos;c&apos;");
  EXPECT_EQ(XmlEscape("&amp;"), "&amp;amp;");
  EXPECT_EQ(XmlEscape("\"x\">"), "&quot;x&quot;&gt;");
  std::string out = "<";
  AppendXmlEscaped(&out, "plain");
  EXPECT_EQ(out, "<plain");
}

TEST(CodePageTest, BigEndianUtf16GoesOnAfterALoneSurrogate) {
  EXPECT_EQ(To(std::string("\xD8\x00\x00\x41", 4), 1201), kReplacement + "A");
  EXPECT_EQ(To(std::string("\x00\x42\xDC\x00\xD5\x5C", 6), 1201), "B" + kReplacement + "\xED\x95\x9C");
  EXPECT_EQ(To(std::string("\xD8\x3D\xDE\x00\x00\x43", 6), 1201), "\xF0\x9F\x98\x80" "C");
}

}  // namespace
}  // namespace maltrove
