// The paint rules, checked on the recording surface: what is drawn where, in
// which colour and in which order.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/recording_surface.h"
#include "window/grid_painter.h"
#include "window/grid_wnd.h"
#include "window/fake_window.h"

namespace maltrove {
namespace {

using platform::DrawCall;
using platform::RecordingSurface;

const Colour kEven = Rgb(0xEE, 0xEE, 0xEE);
const Colour kWhite = Rgb(0xFF, 0xFF, 0xFF);

class PaintTest : public ::testing::Test {
 protected:
  void Columns(int count, int inputType = kInputText, int width = 100) {
    for (int i = 0; i < count; ++i) {
      model().insertColumn(-1, "C" + std::to_string(i), width, "", kDataString, inputType, "", "",
                           0, "");
    }
  }
  void Rows(int count) {
    for (int i = 0; i < count; ++i) model().insertRow(-1);
  }
  CGridModel& model() { return wnd_.model(); }
  void Show(int width = 640, int height = 480) {
    window_ = std::make_unique<testing::FakeWindow>(platform::Size{width, height});
    wnd_.Attach(window_.get());
  }
  const RecordingSurface& Paint() {
    surface_.clear();
    wnd_.OnPaint(surface_);
    return surface_;
  }
  // The calls of one kind whose rectangle starts at (x, y).
  std::vector<DrawCall> At(DrawCall::Kind kind, int x, int y) const {
    std::vector<DrawCall> found;
    for (const DrawCall& call : surface_.calls()) {
      if (call.kind == kind && call.rect.left == x && call.rect.top == y) found.push_back(call);
    }
    return found;
  }
  // The device rectangle of a body cell with nothing scrolled.
  Rect CellAt(int row, int col) { return CellRect(*model().column(col), *model().row(row)); }
  Colour FillOf(int row, int col) {
    const Rect r = CellAt(row, col);
    auto fills = At(DrawCall::kFill, r.left, r.top);
    return fills.empty() ? kNoColour : fills.front().colour;
  }
  size_t IndexOf(const DrawCall* call) const { return call - surface_.calls().data(); }

  ~PaintTest() override { wnd_.Attach(nullptr); }

  CGridWnd wnd_;
  std::unique_ptr<testing::FakeWindow> window_;
  RecordingSurface surface_;
};

TEST_F(PaintTest, EvenColoursPaintEverySecondRowAndARowColourWins) {
  Columns(1);
  Rows(6);
  Show();
  model().style().rowCellBackgroundColorEven = kEven;
  model().row(3)->cellBackgroundColor = Rgb(0x12, 0x34, 0x56);
  Paint();
  EXPECT_EQ(FillOf(0, 0), kWhite);
  EXPECT_EQ(FillOf(1, 0), kEven);
  EXPECT_EQ(FillOf(2, 0), kWhite);
  EXPECT_EQ(FillOf(3, 0), Rgb(0x12, 0x34, 0x56));
  EXPECT_EQ(FillOf(4, 0), kWhite);
  EXPECT_EQ(FillOf(5, 0), kEven);
}

TEST_F(PaintTest, TheFocusedCellShowsFocusedColoursInsideASelection) {
  Columns(2);
  Rows(3);
  Show();
  model().style().focusedCellBackgroundColor = Rgb(1, 2, 3);
  model().addSelection(1, -1);
  wnd_.setFocusCell(1, 1);
  Paint();
  EXPECT_EQ(FillOf(1, 1), Rgb(1, 2, 3));
  EXPECT_EQ(FillOf(1, 0), model().style().selectedCellBackgroundColor);
  EXPECT_EQ(FillOf(0, 0), kWhite);
}

TEST_F(PaintTest, DashedBordersAreOnePixelAndTheFocusFrameTwo) {
  Columns(1);
  Rows(1);
  Show();
  model().style().cellBorderStyle = platform::kPenDash;
  model().style().cellBorderWidth = 4;
  wnd_.setFocusCell(0, 0);
  Paint();
  const Rect cell = CellAt(0, 0);
  auto frames = At(DrawCall::kFrame, cell.left, cell.top);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.front().pen.width, 1);
  EXPECT_EQ(frames.front().pen.style, platform::kPenDash);
  const CGridColumn& c = *model().column(0);
  const CGridRow& r = *model().row(0);
  auto focus = At(DrawCall::kFrame, c.left - 1, r.top - 1);
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].pen.width, 2);
  EXPECT_EQ(focus[0].rect, (Rect{c.left - 1, r.top - 1, c.left + c.width + 1, r.top + r.height + 1}));

  model().style().cellBorderStyle = platform::kPenSolid;
  model().style().cellBorderWidth = 3;
  Paint();
  EXPECT_EQ(At(DrawCall::kFrame, c.left - 1, r.top - 1).at(0).pen.width, 4);
}

TEST_F(PaintTest, CheckBoxGlyphIsCentredWhenEmptyAndLeftWithText) {
  Columns(1, kInputCheckBox);
  Rows(2);
  Show();
  model().setCellChecked(0, 0, 1);
  model().setCellStringData(1, 0, "1");
  Paint();
  std::vector<DrawCall> glyphs;
  for (const DrawCall& call : surface_.calls()) {
    if (call.kind == DrawCall::kGlyph) glyphs.push_back(call);
  }
  ASSERT_EQ(glyphs.size(), 2u);
  const CGridColumn& c = *model().column(0);
  const int contentLeft = c.left + c.cell.paddingLeft;
  const int contentWidth = c.width - c.cell.paddingLeft - c.cell.paddingRight;
  const std::string text1 = model().displayText(1, 0);
  const std::string text0 = model().displayText(0, 0);
  // Whichever row has no text has its glyph centred; a row with text puts it left.
  for (int row = 0; row < 2; ++row) {
    const DrawCall& g = glyphs[row];
    EXPECT_EQ(g.rect.width(), 12);
    EXPECT_EQ(g.rect.height(), 12);
    const std::string& text = row == 0 ? text0 : text1;
    if (text.empty()) {
      EXPECT_EQ(g.rect.left, contentLeft + (contentWidth - 12) / 2);
    } else {
      EXPECT_EQ(g.rect.left, contentLeft + 2);
      const DrawCall* drawn = surface_.FindText(text);
      ASSERT_NE(drawn, nullptr);
      EXPECT_EQ(drawn->rect.left, g.rect.left + 16);
    }
  }
  EXPECT_EQ(glyphs[0].glyph, platform::Glyph::kCheckOn);
}

TEST_F(PaintTest, CheckBoxWithLabelTextPutsTheGlyphLeft) {
  model().insertColumn(-1, "chk", 100, "chk", kDataString, kInputCheckBox, "", "", 0, "");
  model().setColumnCombo(0, "예", "Y");
  Rows(1);
  Show();
  model().setCellStringData(0, 0, "Y");
  Paint();
  const std::string text = model().displayText(0, 0);
  ASSERT_FALSE(text.empty());
  const DrawCall* drawn = surface_.FindText(text);
  ASSERT_NE(drawn, nullptr);
  const CGridColumn& c = *model().column(0);
  for (const DrawCall& call : surface_.calls()) {
    if (call.kind != DrawCall::kGlyph) continue;
    EXPECT_EQ(call.rect.left, c.left + c.cell.paddingLeft + 2);
    EXPECT_EQ(drawn->rect.left, call.rect.left + 16);
  }
}

TEST_F(PaintTest, FixedColumnsStayInPlaceWithADoubleSeparatorWhenScrolled) {
  Columns(12);
  Rows(3);
  Show(500, 300);
  model().setFixedColumnCount(2);
  wnd_.ScrollTo(false, 250);
  ASSERT_EQ(wnd_.scroll().horizontal, 250);
  Paint();
  for (int col = 0; col < 2; ++col) {
    const Rect cell = CellAt(0, col);  // unscrolled
    EXPECT_FALSE(At(DrawCall::kFill, cell.left, cell.top).empty()) << col;
  }
  // A scrolling column is drawn shifted by the position.
  const Rect third = CellAt(0, 4);
  EXPECT_FALSE(At(DrawCall::kFill, third.left - 250, third.top).empty());
  // Two lines at the right of column 1, header pen then cell pen.
  const Rect second = CellAt(0, 1);
  auto outer = At(DrawCall::kLine, second.right - 1, second.top);
  auto inner = At(DrawCall::kLine, second.right - 2, second.top);
  ASSERT_FALSE(outer.empty());
  ASSERT_FALSE(inner.empty());
  EXPECT_EQ(outer.back().colour, model().style().headerBorderColor);
  EXPECT_EQ(inner.back().colour, model().style().cellBorderColor);
  // The last of those lines is drawn without scrolling: they stay in place.
  EXPECT_EQ(outer.back().rect.left, second.right - 1);
}

TEST_F(PaintTest, HiddenColumnHeaderMovesTheFirstRowToThree) {
  Columns(1);
  Rows(1);
  Show();
  model().setColumnHeaderVisible(0);
  EXPECT_EQ(model().row(0)->top, 3);
  Paint();
  EXPECT_FALSE(At(DrawCall::kFill, model().column(0)->left - 2, 1).empty());
  // No column header is drawn.
  EXPECT_EQ(surface_.FindText("C0"), nullptr);
}

TEST_F(PaintTest, HeadersAndTheCornerComeAfterTheBodyAndTheFocusFrame) {
  Columns(2);
  Rows(2);
  Show();
  wnd_.setFocusCell(1, 1);
  model().setCellStringData(0, 0, "body");
  Paint();
  const DrawCall* body = surface_.FindText("body");
  const DrawCall* header = surface_.FindText("C0");
  const DrawCall* rowHeader = surface_.FindText("2");
  ASSERT_NE(body, nullptr);
  ASSERT_NE(header, nullptr);
  ASSERT_NE(rowHeader, nullptr);
  const CGridColumn& c = *model().column(1);
  const CGridRow& r = *model().row(1);
  auto focus = At(DrawCall::kFrame, c.left - 1, r.top - 1);
  ASSERT_EQ(focus.size(), 1u);
  size_t focusIndex = 0;
  for (size_t i = 0; i < surface_.calls().size(); ++i) {
    if (surface_.calls()[i].kind == DrawCall::kFrame &&
        surface_.calls()[i].rect == focus[0].rect) {
      focusIndex = i;
    }
  }
  EXPECT_LT(IndexOf(body), focusIndex);
  EXPECT_LT(focusIndex, IndexOf(header));
  EXPECT_LT(IndexOf(header), IndexOf(rowHeader));
  // The corner is the last header filled.
  const Rect corner = CornerRect(model().style());
  auto corners = At(DrawCall::kFill, corner.left, corner.top);
  ASSERT_FALSE(corners.empty());
  EXPECT_EQ(corners.back().rect, corner);
  // Focused row and column headers take the focused header colour.
  EXPECT_EQ(header->colour, model().style().columnHeaderDefault.textColor);
  EXPECT_EQ(surface_.FindText("C1")->colour, model().style().focusedHeaderTextColor);
}

TEST_F(PaintTest, AFocusedFixedColumnHasItsFrameDrawnAgainAboveTheFrozenCells) {
  Columns(4);
  Rows(2);
  Show();
  model().setFixedColumnCount(1);
  wnd_.setFocusCell(0, 0);
  Paint();
  const CGridColumn& c = *model().column(0);
  const CGridRow& r = *model().row(0);
  auto frames = At(DrawCall::kFrame, c.left - 1, r.top - 1);
  ASSERT_EQ(frames.size(), 2u);
  // The second frame comes after the frozen cell's own fill.
  size_t lastFill = 0, lastFrame = 0;
  for (size_t i = 0; i < surface_.calls().size(); ++i) {
    const DrawCall& call = surface_.calls()[i];
    if (call.kind == DrawCall::kFill && call.rect == CellAt(0, 0)) lastFill = i;
    if (call.kind == DrawCall::kFrame && call.rect == frames[0].rect) lastFrame = i;
  }
  EXPECT_GT(lastFrame, lastFill);
}

TEST_F(PaintTest, ButtonCellsAreRaisedAndSunkenWhilePressed) {
  Columns(1, kInputButton);
  Rows(1);
  Show();
  const ButtonColours& colours = model().column(0)->button;
  const Rect cell = CellAt(0, 0);
  // The edges drawn inside the cell: +1 raised, -1 sunken.
  auto buttonEdges = [&](int direction) {
    return std::count_if(surface_.calls().begin(), surface_.calls().end(), [&](const DrawCall& c) {
      const bool inside = c.rect.left > cell.left && c.rect.top > cell.top &&
                          c.rect.right < cell.right && c.rect.bottom < cell.bottom;
      const Colour light = direction > 0 ? colours.highlight : colours.shadow;
      const Colour dark = direction > 0 ? colours.shadow : colours.highlight;
      return inside && c.kind == DrawCall::kEdge && c.colour == light && c.colour2 == dark;
    });
  };
  Paint();
  EXPECT_EQ(buttonEdges(+1), 1);
  EXPECT_EQ(buttonEdges(-1), 0);

  PaintState state;
  state.client = {640, 480};
  state.view = {640, 480};
  state.pressedRow = 0;
  state.pressedCol = 0;
  surface_.clear();
  GridPainter(model(), state, surface_).Paint();
  EXPECT_EQ(buttonEdges(-1), 1);
  EXPECT_EQ(buttonEdges(+1), 0);
  // A read-only button does not go down.
  model().setColumnReadOnly(0, 1);
  surface_.clear();
  GridPainter(model(), state, surface_).Paint();
  EXPECT_EQ(buttonEdges(-1), 0);
}

TEST_F(PaintTest, HiddenCellsKeepTheirBackgroundButShowNoText) {
  Columns(1);
  Rows(1);
  Show();
  model().setCellStringData(0, 0, "secret");
  model().setCellVisible(0, 0, 0);
  Paint();
  EXPECT_EQ(surface_.FindText("secret"), nullptr);
  EXPECT_EQ(FillOf(0, 0), kWhite);
  model().setCellVisible(0, 0, 1);
  Paint();
  EXPECT_NE(surface_.FindText("secret"), nullptr);
}

TEST_F(PaintTest, MultiLineCellsBreakLinesOthersStayOnOne) {
  model().insertColumn(-1, "m", 100, "m", kDataString, kInputMultiLine, "", "", 0, "");
  model().insertColumn(-1, "t", 100, "t", kDataString, kInputText, "", "", 0, "");
  Rows(1);
  Show();
  model().setCellStringData(0, 0, "a\nb");
  model().setCellStringData(0, 1, "c");
  Paint();
  EXPECT_EQ(surface_.FindText(model().displayText(0, 0))->flags & platform::kTextSingleLine, 0);
  EXPECT_NE(surface_.FindText("c")->flags & platform::kTextSingleLine, 0);
}

TEST_F(PaintTest, OnlyRowsNearTheViewArePainted) {
  Columns(3);
  Rows(5000);
  Show(400, 300);
  wnd_.ScrollTo(true, model().row(4000)->top);
  Paint();
  int fills = 0;
  int lowest = 1 << 30;
  for (const DrawCall& call : surface_.calls()) {
    if (call.kind == DrawCall::kText && call.rect.left < 60) {
      lowest = std::min(lowest, std::stoi(call.text));
    }
    if (call.kind == DrawCall::kFill) ++fills;
  }
  // About 300 / 23 rows in view, plus a row or two beyond each edge.
  EXPECT_LT(fills, 4 * 20 + 10);
  EXPECT_GE(lowest, 3999);
  EXPECT_LE(lowest, 4001);
}

TEST_F(PaintTest, RepaintRequestsFollowTheDrawingSwitch) {
  Columns(2);
  Rows(3);
  Show();
  window_->invalidated.clear();
  window_->invalidatedAll = 0;
  model().setCellStringData(1, 1, "x");
  ASSERT_EQ(window_->invalidated.size(), 1u);
  const Rect cell = CellAt(1, 1);
  EXPECT_EQ(window_->invalidated[0], cell.inflated(2, 2));

  model().setImmediateDrawMode(0);
  window_->invalidated.clear();
  window_->invalidatedAll = 0;
  model().setCellStringData(1, 1, "y");
  model().insertRow(-1);
  EXPECT_TRUE(window_->invalidated.empty());
  EXPECT_EQ(window_->invalidatedAll, 0);
  model().setImmediateDrawMode(1);
  EXPECT_EQ(window_->invalidatedAll, 1);
}

TEST_F(PaintTest, EvenRowHeaderColoursApplyToOddRows) {
  Columns(1);
  Rows(2);
  Show();
  model().style().rowHeaderBackgroundColorEven = kEven;
  model().style().rowHeaderTextColorEven = Rgb(0, 0, 0xFF);
  Paint();
  EXPECT_EQ(surface_.FindText("1")->colour, model().style().rowHeader.textColor);
  EXPECT_EQ(surface_.FindText("2")->colour, Rgb(0, 0, 0xFF));
  const Rect second = RowHeaderRect(*model().row(1), model().style());
  EXPECT_EQ(At(DrawCall::kFill, second.left, second.top).at(0).colour, kEven);
}

}  // namespace
}  // namespace maltrove
