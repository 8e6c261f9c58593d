#include "formats/colour_text.h"

#include <gtest/gtest.h>

#include "formats/charset_names.h"

namespace maltrove {
namespace {

TEST(ColourTextTest, WritesRedGreenBlueInUpperCase) {
  EXPECT_EQ(ColourToText(Rgb(0xEC, 0xE9, 0xD8)), "#ECE9D8");
  EXPECT_EQ(ColourToText(Rgb(0x0A, 0, 0xB0)), "#0A00B0");
  EXPECT_EQ(ColourToText(kNoColour), "#FFFFFF");
}

TEST(ColourTextTest, ReadsOnlySevenCharacterHashForms) {
  EXPECT_EQ(TextToColour("#ff0000"), Rgb(0xFF, 0, 0));
  EXPECT_EQ(TextToColour("#ECE9D8"), Rgb(0xEC, 0xE9, 0xD8));
  EXPECT_EQ(TextToColour("red"), 0u);
  EXPECT_EQ(TextToColour("#F00"), 0u);
  EXPECT_EQ(TextToColour("ECE9D8#"), 0u);
  EXPECT_EQ(TextToColour("#ECE9D8 "), 0u);
}

TEST(ColourTextTest, APairThatDoesNotReadEndsTheRead) {
  EXPECT_EQ(TextToColour("#12zz56"), Rgb(0x12, 0, 0));
  EXPECT_EQ(TextToColour("#zz3456"), 0u);
  EXPECT_EQ(TextToColour("#1234zz"), Rgb(0x12, 0x34, 0));
}

TEST(CharSetNamesTest, MapsBothWaysExactly) {
  EXPECT_EQ(CharSetName(129), "hangul");
  EXPECT_EQ(CharSetName(1), "default");
  EXPECT_EQ(CharSetName(255), "oem");
  EXPECT_EQ(CharSetName(3), "");
  EXPECT_EQ(CharSetCode("easteurope"), 238);
  EXPECT_EQ(CharSetCode("ansi"), 0);
  EXPECT_EQ(CharSetCode("Hangul"), -1);
  EXPECT_EQ(CharSetCode(""), -1);
}

}  // namespace
}  // namespace maltrove
