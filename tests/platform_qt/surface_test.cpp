#include <gtest/gtest.h>

#include "image_checks.h"

namespace maltrove::platform {
namespace {

constexpr Colour kRed = Rgb(255, 0, 0);

TEST(QtSurface, FillRectExcludesRightAndBottom) {
  QImage image = Paint(20, 20, 1, [](QtSurface& s) { s.FillRect({2, 3, 6, 8}, kRed); });
  EXPECT_EQ(Ink(image), QRect(QPoint(2, 3), QPoint(5, 7)));
  EXPECT_EQ(At(image, 2, 3), kRed);
  EXPECT_EQ(At(image, 5, 7), kRed);
}

TEST(QtSurface, FrameRectLiesOnFirstAndLastColumnsAndRows) {
  QImage image = Paint(20, 20, 1, [](QtSurface& s) { s.FrameRect({2, 2, 8, 6}, Pen{}); });
  EXPECT_EQ(Ink(image), QRect(QPoint(2, 2), QPoint(7, 5)));
  for (int x = 2; x <= 7; ++x) {
    EXPECT_EQ(At(image, x, 2), kBlack) << x;
    EXPECT_EQ(At(image, x, 5), kBlack) << x;
  }
  for (int y = 2; y <= 5; ++y) {
    EXPECT_EQ(At(image, 2, y), kBlack) << y;
    EXPECT_EQ(At(image, 7, y), kBlack) << y;
  }
  EXPECT_EQ(At(image, 3, 3), kWhite);
}

TEST(QtSurface, TwoPixelPenGrowsAroundTheLine) {
  QImage image =
      Paint(30, 30, 1, [](QtSurface& s) { s.FrameRect({10, 10, 20, 20}, Pen{kBlack, 2}); });
  EXPECT_EQ(At(image, 8, 15), kWhite);
  EXPECT_EQ(At(image, 9, 15), kBlack);
  EXPECT_EQ(At(image, 10, 15), kBlack);
  EXPECT_EQ(At(image, 11, 15), kWhite);
  EXPECT_EQ(At(image, 17, 15), kWhite);
  EXPECT_EQ(At(image, 18, 15), kBlack);
  EXPECT_EQ(At(image, 19, 15), kBlack);
  EXPECT_EQ(At(image, 20, 15), kWhite);
}

TEST(QtSurface, DashedAndDottedPensAreOnePixelWide) {
  // Dashes are 18 on 6 off, dots 3 on 3 off.
  for (auto [style, gap] : {std::pair{kPenDash, 18}, std::pair{kPenDot, 3}}) {
    QImage image = Paint(40, 20, 1, [style = style](QtSurface& s) {
      s.Line(0, 10, 40, 10, Pen{kBlack, 3, style});
    });
    EXPECT_EQ(Ink(image).top(), 10) << style;
    EXPECT_EQ(Ink(image).bottom(), 10) << style;
    EXPECT_EQ(At(image, 0, 10), kBlack) << style;
    EXPECT_EQ(At(image, gap - 1, 10), kBlack) << style;
    EXPECT_EQ(At(image, gap, 10), kWhite) << style;
  }
}

TEST(QtSurface, NoneStyleDrawsNothing) {
  QImage image = Paint(20, 20, 1, [](QtSurface& s) {
    s.FrameRect({2, 2, 10, 10}, Pen{kBlack, 1, kPenNone});
    s.Line(0, 0, 15, 0, Pen{kBlack, 1, kPenNone});
  });
  EXPECT_TRUE(Ink(image).isNull());
}

TEST(QtSurface, LineExcludesItsEndPoint) {
  QImage image = Paint(20, 20, 1, [](QtSurface& s) {
    s.Line(2, 5, 10, 5, Pen{});
    s.Line(12, 2, 12, 9, Pen{});
  });
  EXPECT_EQ(At(image, 2, 5), kBlack);
  EXPECT_EQ(At(image, 9, 5), kBlack);
  EXPECT_EQ(At(image, 10, 5), kWhite);
  EXPECT_EQ(At(image, 12, 8), kBlack);
  EXPECT_EQ(At(image, 12, 9), kWhite);
  QImage diagonal = Paint(20, 20, 1, [](QtSurface& s) { s.Line(0, 0, 5, 5, Pen{}); });
  EXPECT_EQ(Ink(diagonal), QRect(0, 0, 5, 5));
}

TEST(QtSurface, Edge3DLightTopLeftDarkBottomRight) {
  constexpr Colour kLight = Rgb(200, 200, 200);
  constexpr Colour kDark = Rgb(60, 60, 60);
  QImage image = Paint(20, 20, 1, [](QtSurface& s) { s.Edge3D({2, 2, 10, 10}, kLight, kDark); });
  EXPECT_EQ(At(image, 2, 2), kLight);
  EXPECT_EQ(At(image, 5, 2), kLight);
  EXPECT_EQ(At(image, 2, 5), kLight);
  EXPECT_EQ(At(image, 9, 2), kDark);
  EXPECT_EQ(At(image, 9, 5), kDark);
  EXPECT_EQ(At(image, 2, 9), kDark);
  EXPECT_EQ(At(image, 5, 9), kDark);
  EXPECT_EQ(At(image, 5, 5), kWhite);
  EXPECT_EQ(Ink(image), QRect(2, 2, 8, 8));
}

TEST(QtSurface, OriginMovesDrawingButNotTheClip) {
  QImage image = Paint(30, 30, 1, [](QtSurface& s) {
    s.SetOrigin(10, 10);
    s.SetClip({0, 0, 15, 15});
    s.FillRect({0, 0, 20, 20}, kRed);
  });
  EXPECT_EQ(Ink(image), QRect(QPoint(10, 10), QPoint(14, 14)));
  QImage cleared = Paint(30, 30, 1, [](QtSurface& s) {
    s.SetClip({0, 0, 5, 5});
    s.ClearClip();
    s.FillRect({0, 0, 20, 20}, kRed);
  });
  EXPECT_EQ(Ink(cleared), QRect(0, 0, 20, 20));
}

TEST(QtSurface, GlyphsStayInsideTheirBoxAndDiffer) {
  QImage pictures[4];
  const Glyph glyphs[4] = {Glyph::kRadioOff, Glyph::kRadioOn, Glyph::kCheckOff, Glyph::kCheckOn};
  for (int i = 0; i < 4; ++i) {
    pictures[i] = Paint(40, 40, 1, [&](QtSurface& s) { s.DrawGlyph(glyphs[i], {10, 10, 22, 22}); });
    const QRect ink = Ink(pictures[i]);
    EXPECT_FALSE(ink.isNull()) << i;
    EXPECT_TRUE(QRect(10, 10, 12, 12).contains(ink)) << i;
  }
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[2], pictures[3]);
  EXPECT_NE(pictures[0], pictures[2]);
}

TEST(QtSurface, RatioTwoLineIsTwoSharpDevicePixels) {
  QImage image = Paint(20, 20, 2, [](QtSurface& s) {
    s.Line(2, 5, 15, 5, Pen{});
    s.FrameRect({1, 8, 6, 12}, Pen{});
  });
  for (int x = 4; x < 30; ++x) {
    EXPECT_EQ(At(image, x, 10), kBlack) << x;
    EXPECT_EQ(At(image, x, 11), kBlack) << x;
    EXPECT_EQ(At(image, x, 9), kWhite) << x;
    EXPECT_EQ(At(image, x, 12), kWhite) << x;
  }
  EXPECT_EQ(At(image, 3, 10), kWhite);
  EXPECT_EQ(At(image, 30, 10), kWhite);
  EXPECT_EQ(Ink(image), QRect(QPoint(2, 10), QPoint(29, 23)));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Colour c = At(image, x, y);
      ASSERT_TRUE(c == kBlack || c == kWhite) << x << "," << y;
    }
  }
}

TEST(QtSurface, BitmapStretchesOverItsRect) {
  QImage source(2, 2, QImage::Format_RGB32);
  source.fill(Qt::red);
  QtBitmap bitmap(source, "red.png");
  QImage image = Paint(20, 20, 1, [&](QtSurface& s) { s.DrawBitmap(bitmap, {3, 4, 13, 9}); });
  EXPECT_EQ(Ink(image), QRect(3, 4, 10, 5));
  EXPECT_EQ(At(image, 12, 8), kRed);
}

}  // namespace
}  // namespace maltrove::platform
