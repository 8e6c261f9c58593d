#include <gtest/gtest.h>

#include <QFontInfo>

#include "image_checks.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_text.h"

namespace maltrove::platform {
namespace {

const FontDescription kDotum{"돋움", 10, false, false};

TEST(QtFonts, PointsToPixelsRoundsHalfUp) {
  EXPECT_EQ(PointsToPixels(10, 96), 13);
  EXPECT_EQ(PointsToPixels(9, 96), 12);
  EXPECT_EQ(PointsToPixels(1, 36), 1);  // 0.5
  EXPECT_EQ(PointsToPixels(12, 96), 16);
}

TEST(QtFonts, DescriptionBecomesFont) {
  const QFont font = MakeFont(FontDescription{" , Arial, 굴림", 10, true, true}, 96);
  EXPECT_EQ(font.family(), QStringLiteral("Arial"));
  EXPECT_EQ(font.pixelSize(), 13);
  EXPECT_EQ(font.weight(), 700);
  EXPECT_TRUE(font.italic());
  EXPECT_EQ(MakeFont(kDotum, 96).weight(), 400);
  EXPECT_EQ(MakeFont(kDotum, 120).pixelSize(), 17);
}

TEST(QtFonts, KoreanFacesResolveToNanum) {
  for (const char* face : {"돋움", "굴림", "Dotum", "Gulim"}) {
    const QFontInfo info(MakeFont(FontDescription{face, 10}, 96));
    EXPECT_EQ(info.family(), QStringLiteral("NanumGothic")) << face;
  }
  for (const char* face : {"돋움체", "GulimChe"}) {
    const QFontInfo info(MakeFont(FontDescription{face, 10}, 96));
    EXPECT_EQ(info.family(), QStringLiteral("NanumGothicCoding")) << face;
  }
}

QImage Write(const std::string& text, const FontDescription& font, const Rect& rect, int flags) {
  return Paint(200, 40, 1, [&](QtSurface& s) { s.Text(text, rect, font, kBlack, flags); });
}

TEST(QtSurfaceText, KoreanTextShowsKoreanGlyphs) {
  const Rect rect{0, 0, 200, 40};
  const QImage korean = Write("돋움 한글 테스트", kDotum, rect, kTextSingleLine);
  if (const char* folder = std::getenv("MALTROVE_TEST_PNG")) {
    korean.save(QString::fromUtf8(folder) + QStringLiteral("/korean_text.png"));
  }
  EXPECT_FALSE(Ink(korean).isNull());
  // Each syllable against the picture of a character no font has.
  const QImage missing = Write("\xEF\xBF\xBF", kDotum, rect, kTextSingleLine);  // U+FFFF
  for (const char* syllable : {"한", "글", "돋"}) {
    EXPECT_NE(Write(syllable, kDotum, rect, kTextSingleLine), missing) << syllable;
  }
}

TEST(QtSurfaceText, ClippedToItsRectWithoutBackground) {
  const Rect rect{10, 5, 40, 25};
  const QImage image = Write("WWWWWWWWWWWWWW", kDotum, rect, kTextSingleLine | kTextVCenter);
  const QRect ink = Ink(image);
  EXPECT_FALSE(ink.isNull());
  EXPECT_TRUE(QRect(10, 5, 30, 20).contains(ink)) << ink.x() << "," << ink.right();
  EXPECT_EQ(ink.right(), 39);  // cut by the rect, not ending before it
}

TEST(QtSurfaceText, AlignsLeftCentreAndRight) {
  const Rect rect{0, 0, 200, 40};
  const QRect left = Ink(Write("abc", kDotum, rect, kTextSingleLine));
  const QRect centre = Ink(Write("abc", kDotum, rect, kTextSingleLine | kTextCenter));
  const QRect right = Ink(Write("abc", kDotum, rect, kTextSingleLine | kTextRight));
  EXPECT_LT(left.left(), 3);
  EXPECT_NEAR(centre.center().x(), 100, 3);
  EXPECT_GT(right.right(), 195);
  const QRect top = Ink(Write("abc", kDotum, rect, kTextSingleLine));
  const QRect middle = Ink(Write("abc", kDotum, rect, kTextSingleLine | kTextVCenter));
  EXPECT_LT(top.top(), 8);
  EXPECT_NEAR(middle.center().y(), 20, 3);
}

TEST(QtSurfaceText, NoMnemonicProcessing) {
  const Rect rect{0, 0, 200, 40};
  EXPECT_NE(Write("a&b", kDotum, rect, kTextSingleLine), Write("ab", kDotum, rect, kTextSingleLine));
}

TEST(QtTextMeasurer, WordBreakWrapsToTheWidth) {
  QtTextMeasurer measurer;
  const Size one = measurer.MeasureText("alpha beta gamma", kDotum, 0, 0);
  const Size wrapped = measurer.MeasureText("alpha beta gamma", kDotum, kTextWordBreak, 50);
  const Size breaks = measurer.MeasureText("alpha\nbeta", kDotum, 0, 0);
  const Size single = measurer.MeasureText("alpha\nbeta", kDotum, kTextSingleLine, 0);
  EXPECT_GT(one.width, 50);
  EXPECT_LE(wrapped.width, 50);
  EXPECT_GE(wrapped.height, 3 * one.height);
  EXPECT_EQ(breaks.height, 2 * one.height);
  EXPECT_EQ(single.height, one.height);
}

TEST(QtTextMeasurer, MatchesWhatTextDraws) {
  QtTextMeasurer measurer;
  const Size size = measurer.MeasureText("alpha beta gamma", kDotum, kTextWordBreak, 50);
  const QImage image = Write("alpha beta gamma", kDotum, {0, 0, 50, 40}, kTextWordBreak);
  const QRect ink = Ink(image);
  EXPECT_LE(ink.right(), size.width);
  EXPECT_LE(ink.bottom(), size.height);
  EXPECT_GT(ink.bottom(), size.height - 13);  // three lines drawn, not one
}

TEST(QtTextMeasurer, EllipsisShortensToTheWidth) {
  const QImage image = Write("alpha beta gamma delta", kDotum, {0, 0, 60, 20},
                             kTextSingleLine | kTextEllipsis);
  const QImage plain = Write("alpha beta gamma delta", kDotum, {0, 0, 60, 20}, kTextSingleLine);
  EXPECT_NE(image, plain);
  EXPECT_LT(Ink(image).right(), 60);
}

}  // namespace
}  // namespace maltrove::platform
