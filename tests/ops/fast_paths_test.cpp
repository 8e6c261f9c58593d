// The quick loops of calculate, filter and sort against the general rules
// they stand in for, on values chosen where the two could part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/grid_model.h"
#include "ops/grid_calculate.h"
#include "ops/grid_filter.h"
#include "ops/grid_sort.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

std::string Bits(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return std::to_string(bits);
}

// Column 0 numeric, column 1 text "all" in every row: a condition on it
// passes every row but takes calculate's general path.
class CalculatePathsTest : public ::testing::Test {
 protected:
  CalculatePathsTest() {
    g.insertColumn(-1, "", 80, "", kDataNumeric, kInputText, "", "", 0, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", 0, "");
  }
  void Add(const std::string& number) {
    const int r = g.insertRow(-1);
    g.setCellStringData(r, 0, number);
    g.setCellStringData(r, 1, "all");
  }
  void ExpectPathsAgree(const char* what) {
    for (const char* calculation : {"sum", "average", "max", "min"}) {
      const double fast = CalculateMember(g, 0, calculation, -1, "");
      const double general = CalculateMember(g, 0, calculation, 1, "all");
      EXPECT_EQ(Bits(fast), Bits(general)) << what << " " << calculation;
    }
  }
  CGridModel g;
};

TEST_F(CalculatePathsTest, StoredNumbersGiveWhatTheOutputTextsGive) {
  // Empty cells (one emptied after holding a number), -0, numbers whose
  // text does not read back, integers beyond 2^53, tiny and huge values.
  for (const char* text : {"12.5", "", "-0", "0.30000000000000004", "9007199254740993",
                           "1e-20", "-77.125", "1e300", "123456789012345.6", "0.1", "nan",
                           "-1e300", "4.9e-324", "7"}) {
    Add(text);
  }
  g.setCellStringData(0, 0, "");  // null through the member, its number 0
  g.cell(6, 0)->isNull = true;      // null with its number and text still kept
  ExpectPathsAgree("mixed");
  EXPECT_EQ(CalculateMember(g, 0, "count", -1, ""), 14);

  // Blocks of 256 rows: the rows beyond the first block, and a filtered view.
  std::mt19937_64 random(11);
  for (int i = 0; i < 700; ++i) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", 1 + i % 17,
                  static_cast<double>(random() % 2000001) / 7.0 - 100000);
    Add(i % 9 == 0 ? "" : text);
  }
  ExpectPathsAgree("many");
  std::vector<CGridRow*> odd;
  for (int r = 1; r < g.getRowCount(); r += 2) odd.push_back(g.row(r));
  g.showFilteredRows(odd);
  ExpectPathsAgree("filtered");
}

TEST_F(CalculatePathsTest, EmptyColumnAndOnlyNullCells) {
  ExpectPathsAgree("no rows");
  Add("");
  Add("");
  ExpectPathsAgree("null cells");
  EXPECT_EQ(CalculateMember(g, 0, "sum", -1, ""), 0);
  EXPECT_FALSE(std::signbit(CalculateMember(g, 0, "min", -1, "")));
}

// Column 0 text (the filtered one), column 1 a row number.
class FilterPathsTest : public ::testing::Test {
 protected:
  FilterPathsTest() : ui(log) {
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", 0, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", 0, "");
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> rows;
    for (int r = 0; r < g.getRowCount(); ++r) rows.push_back(g.getCellStringData(r, 1));
    return rows;
  }
  // The rows every condition evaluator's general test lets pass.
  std::vector<std::string> Expected(const FilterRequest& request) const {
    const FilterEvaluator evaluator(g, request);
    std::vector<std::string> rows;
    for (int i = 0; i < g.allRowCount(); ++i) {
      const uint32_t id = g.allRowIds()[i];
      if (evaluator.Matches(id)) rows.push_back(g.getCellStringData(i, 1));
    }
    return rows;
  }
  std::ostringstream log;
  platform::HeadlessUserInterface ui;
  CGridModel g;
};

TEST_F(FilterPathsTest, InlineAndWorkerAndGeneralTestAgreeForEveryOperator) {
  const std::vector<std::string> texts = {"", "Park", "park", "Kim Park", "Parker",
                                          "서울 Park 1", "P", "arkP", "Park Jiyoung 100001",
                                          "ZZZ", "Pa"};
  for (int r = 0; r < 2600; ++r) {  // more than one block of rows and of progress
    g.insertRow(-1);
    g.setCellStringData(r, 0, texts[(r * 7) % texts.size()]);
    g.setCellStringData(r, 1, std::to_string(r));
  }
  // A null cell that still holds a text compares as empty.
  g.cell(5, 0)->isNull = true;
  ASSERT_FALSE(g.cell(5, 0)->text.empty());
  for (const std::string value : {"Park", "", "P", "Kim Park", "서울"}) {
    for (int op = -1; op <= kFilterOperatorCount; ++op) {
      FilterRequest request;
      request.conditions[0] = ScriptFilterCondition(g, 0, op, value);
      const std::vector<std::string> expected = Expected(request);
      ApplyFilterMember(&g, nullptr, 0, op, value, 0, -1, 0, "", 0, -1, 0, "");
      const std::vector<std::string> inlineRows = Shown();
      ApplyFilterMember(&g, &ui, 0, op, value, 0, -1, 0, "", 0, -1, 0, "");
      EXPECT_EQ(inlineRows, expected) << "op " << op << " value " << value;
      EXPECT_EQ(Shown(), expected) << "op " << op << " value " << value;
      ClearFilterMember(&g);
    }
  }
  // Two conditions take the general evaluation on both paths.
  ApplyFilterMember(&g, nullptr, 0, kFilterContains, "Park", 1, 1, kFilterStartsWith, "1", 0, -1,
                    0, "");
  const std::vector<std::string> inlineRows = Shown();
  ApplyFilterMember(&g, &ui, 0, kFilterContains, "Park", 1, 1, kFilterStartsWith, "1", 0, -1, 0,
                    "");
  EXPECT_EQ(inlineRows, Shown());
  EXPECT_FALSE(inlineRows.empty());
}

TEST_F(FilterPathsTest, InlineFilterLaysOutTheShownRows) {
  for (int r = 0; r < 4; ++r) {
    g.insertRow(-1);
    g.setCellStringData(r, 0, r % 2 == 0 ? "keep" : "drop");
    g.setCellStringData(r, 1, std::to_string(r));
  }
  ApplyFilterMember(&g, nullptr, 0, kFilterEqual, "keep", 0, -1, 0, "", 0, -1, 0, "");
  EXPECT_TRUE(g.isFiltered());
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0", "2"}));
  EXPECT_EQ(g.row(0)->top, g.firstRowTop());
  EXPECT_EQ(g.row(1)->top, g.firstRowTop() + g.row(0)->height + CGridModel::kGap);
}

// Column 0 the row's identity, 1 text, 2 numeric.
class SortPathsTest : public ::testing::Test {
 protected:
  SortPathsTest() {
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", 0, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", 0, "");
    g.insertColumn(-1, "", 80, "", kDataNumeric, kInputText, "", "", 0, "");
  }
  void Add(const std::string& text, const std::string& number) {
    const int r = g.insertRow(-1);
    g.setCellStringData(r, 0, std::to_string(r));
    g.setCellStringData(r, 1, text);
    g.setCellStringData(r, 2, number);
  }
  std::vector<const CGridRow*> Rows() const {
    std::vector<const CGridRow*> rows;
    for (int r = 0; r < g.getRowCount(); ++r) rows.push_back(g.row(r));
    return rows;
  }
  // The stable sort by the keys' comparison of whole values.
  std::vector<const CGridRow*> Expected(const std::vector<SortKey>& keys) const {
    std::vector<const CGridRow*> rows = Rows();
    std::stable_sort(rows.begin(), rows.end(), [&](const CGridRow* a, const CGridRow* b) {
      for (const SortKey& key : keys) {
        const int c = CompareRows(g, *a, *b, key.position - 1);
        if (c != 0) return key.direction != 0 ? c > 0 : c < 0;
      }
      return false;
    });
    return rows;
  }
  void ExpectSorted(int p1, int d1, int p2 = -1, int d2 = 0) {
    std::vector<SortKey> keys = {{p1, d1}};
    if (p2 != -1) keys.push_back({p2, d2});
    const std::vector<const CGridRow*> expected = Expected(keys);
    SortMember(&g, nullptr, p1, d1, p2, d2, -1, 0);
    EXPECT_EQ(Rows(), expected) << p1 << "/" << d1 << " " << p2 << "/" << d2;
  }
  CGridModel g;
};

TEST_F(SortPathsTest, CodedKeysOrderAsTheWholeValues) {
  // Texts alike in their first eight bytes and beyond, shorter than eight,
  // bytes above 0x7F; numbers of both signs, -0, huge, tiny and empty.
  const std::vector<std::string> texts = {"abcdefghX", "abcdefgh", "abcdefghA", "abcdefg",
                                          "", "abcdefghAB", "가나다라마", "가나", "ABCDEFGH",
                                          "abcdefgh\x7F", "abcdefghXYZ", "a"};
  const std::vector<std::string> numbers = {"0",   "-0",   "1",     "-1",    "",  "1e300",
                                            "-1e300", "4.9e-324", "-4.9e-324", "2.5", "-2.5", "1"};
  std::mt19937 random(3);
  for (int r = 0; r < 1500; ++r) {
    Add(texts[random() % texts.size()], numbers[random() % numbers.size()]);
  }
  ExpectSorted(2, 0);
  ExpectSorted(2, 1);
  ExpectSorted(3, 0);
  ExpectSorted(3, 1);
  ExpectSorted(3, 1, 2, 0);
  ExpectSorted(2, 1, 3, 0);
}

TEST_F(SortPathsTest, NotANumberKeepsTheMergeSortsOrder) {
  // NaN is neither below nor above any number: the keys compare it equal.
  const double values[] = {3, NAN, 1, 2, NAN, 0, -1, NAN};
  for (double v : values) {
    Add("x", "0");
    CGridCell* cell = g.cell(g.getRowCount() - 1, 2);
    cell->number = v;
    cell->numberReadsBack = false;
  }
  std::vector<const CGridRow*> expected = Rows();
  std::stable_sort(expected.begin(), expected.end(), [&](const CGridRow* a, const CGridRow* b) {
    const double x = (*g.columnCells(2))[a->id].number;
    const double y = (*g.columnCells(2))[b->id].number;
    return x < y;
  });
  SortMember(&g, nullptr, 3, 0, -1, 0, -1, 0);
  EXPECT_EQ(Rows(), expected);
}

}  // namespace
}  // namespace maltrove
