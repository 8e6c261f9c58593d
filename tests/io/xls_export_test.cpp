// Excel export: the statements, WorkbookDatabase, the written workbooks as
// three independent readers see them (our WorkbookReader, FreeXL loaded with
// dlopen, and xlrd), and the members behind the headless dialogs.
#include "io/xls_export.h"

#include <dlfcn.h>
#include <freexl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "io/workbook_database.h"
#include "io/xls/workbook_reader.h"
#include "io/xls/workbook_writer.h"
#include "io/xls/xls_test_util.h"
#include "platform/headless_progress.h"
#include "platform/headless_ui.h"
#include "platform/services.h"
#include "platform/spawn_shell.h"

namespace maltrove {
namespace {

using xls::testing::TempDir;

// ---------------------------------------------------------------------------
// What a reader saw: per sheet its name, size and non-empty cells.

struct Value {
  enum Kind { kEmpty, kNumber, kText } kind = kEmpty;
  double number = 0;
  std::string text;

  bool operator==(const Value& o) const {
    return kind == o.kind && (kind != kNumber || number == o.number) &&
           (kind != kText || text == o.text);
  }
};

Value N(double v) { return {Value::kNumber, v, {}}; }
Value T(std::string v) { return {Value::kText, 0, std::move(v)}; }
Value E() { return {}; }

std::ostream& operator<<(std::ostream& out, const Value& v) {
  if (v.kind == Value::kNumber) return out << "number " << v.number;
  if (v.kind == Value::kText) return out << "text '" << v.text << "'";
  return out << "empty";
}

struct SeenSheet {
  std::string name;
  uint32_t rows = 0;
  uint32_t cols = 0;
  std::map<std::pair<uint32_t, uint32_t>, Value> cells;
};
using SeenBook = std::vector<SeenSheet>;

bool ReadWithWorkbookReader(const std::string& path, SeenBook* book, std::string* error) {
  xls::WorkbookReader reader;
  if (!reader.Open(path, error)) return false;
  for (size_t i = 0; i < reader.sheets().size(); ++i) {
    xls::Sheet sheet;
    if (!reader.ReadSheet(i, &sheet, error)) return false;
    SeenSheet seen{sheet.name, sheet.rows, sheet.columns, {}};
    for (const xls::Cell& c : sheet.cells) {
      if (c.type == xls::CellType::kNumber) seen.cells[{c.row, c.col}] = N(c.number);
      else if (c.type == xls::CellType::kText) seen.cells[{c.row, c.col}] = T(c.text);
      else seen.cells[{c.row, c.col}] = T("?other");
    }
    book->push_back(std::move(seen));
  }
  return true;
}

// FreeXL through dlopen, so that the test links nothing beyond the library
// under test; the types and constants come from its header.
class FreeXl {
 public:
  FreeXl() {
    handle_ = ::dlopen("libfreexl.so.1", RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) return;
    ok_ = Load(open_, "freexl_open") && Load(close_, "freexl_close") &&
          Load(info_, "freexl_get_info") && Load(name_, "freexl_get_worksheet_name") &&
          Load(select_, "freexl_select_active_worksheet") &&
          Load(dimensions_, "freexl_worksheet_dimensions") && Load(cell_, "freexl_get_cell_value");
  }
  ~FreeXl() {
    if (handle_ != nullptr) ::dlclose(handle_);
  }

  bool Read(const std::string& path, SeenBook* book, std::string* error) const {
    if (!ok_) return Fail(error, "libfreexl.so.1 cannot be loaded");
    const void* xls = nullptr;
    int rc = open_(path.c_str(), &xls);
    if (rc != FREEXL_OK) return Fail(error, "freexl_open: " + std::to_string(rc));
    struct Closer {
      const FreeXl* f;
      const void* h;
      ~Closer() { f->close_(h); }
    } closer{this, xls};
    unsigned int sheets = 0;
    if (info_(xls, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) return Fail(error, "sheet count");
    for (unsigned short s = 0; s < sheets; ++s) {
      SeenSheet seen;
      const char* name = nullptr;
      if (name_(xls, s, &name) != FREEXL_OK || select_(xls, s) != FREEXL_OK) {
        return Fail(error, "sheet " + std::to_string(s));
      }
      seen.name = name != nullptr ? name : "";
      unsigned int rows = 0;
      unsigned short cols = 0;
      if (dimensions_(xls, &rows, &cols) != FREEXL_OK) return Fail(error, "dimensions");
      seen.rows = rows;
      seen.cols = cols;
      for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < cols; ++c) {
          FreeXL_CellValue v;
          if (cell_(xls, r, c, &v) != FREEXL_OK) return Fail(error, "cell value");
          switch (v.type) {
            case FREEXL_CELL_NULL: break;
            case FREEXL_CELL_INT: seen.cells[{r, c}] = N(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: seen.cells[{r, c}] = N(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT: seen.cells[{r, c}] = T(v.value.text_value); break;
            default: seen.cells[{r, c}] = T("?other");
          }
        }
      }
      book->push_back(std::move(seen));
    }
    return true;
  }

 private:
  template <typename F>
  bool Load(F& function, const char* symbol) {
    function = reinterpret_cast<F>(::dlsym(handle_, symbol));
    return function != nullptr;
  }
  static bool Fail(std::string* error, std::string message) {
    *error = std::move(message);
    return false;
  }

  void* handle_ = nullptr;
  bool ok_ = false;
  decltype(&freexl_open) open_ = nullptr;
  decltype(&freexl_close) close_ = nullptr;
  decltype(&freexl_get_info) info_ = nullptr;
  decltype(&freexl_get_worksheet_name) name_ = nullptr;
  decltype(&freexl_select_active_worksheet) select_ = nullptr;
  decltype(&freexl_worksheet_dimensions) dimensions_ = nullptr;
  decltype(&freexl_get_cell_value) cell_ = nullptr;
};

std::string Unhex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

bool ReadWithXlrd(const std::string& path, SeenBook* book, std::string* error) {
  xls::testing::XlrdBook x;
  if (!xls::testing::XlrdDump(path, &x, error)) return false;
  for (const xls::testing::XlrdSheet& s : x.sheets) {
    SeenSheet seen{Unhex(s.name), static_cast<uint32_t>(s.rows), static_cast<uint32_t>(s.cols), {}};
    for (const auto& [where, cell] : s.cells) {
      const auto key = std::make_pair(static_cast<uint32_t>(where.first),
                                      static_cast<uint32_t>(where.second));
      if (cell.first == 1) seen.cells[key] = T(Unhex(cell.second));
      else if (cell.first == 2) seen.cells[key] = N(std::strtod(cell.second.c_str(), nullptr));
      else seen.cells[key] = T("?other");
    }
    book->push_back(std::move(seen));
  }
  return true;
}

struct ExpectedSheet {
  std::string name;
  std::vector<std::vector<Value>> rows;  // the header row first
};

void ExpectSheetSeen(const SeenSheet& seen, const ExpectedSheet& want) {
  EXPECT_EQ(seen.name, want.name);
  size_t cols = 0;
  for (const auto& row : want.rows) cols = std::max(cols, row.size());
  EXPECT_EQ(seen.rows, want.rows.size()) << want.name;
  EXPECT_EQ(seen.cols, cols) << want.name;
  int mismatches = 0;
  for (uint32_t r = 0; r < want.rows.size() && mismatches < 10; ++r) {
    for (uint32_t c = 0; c < want.rows[r].size(); ++c) {
      auto it = seen.cells.find({r, c});
      const Value got = it == seen.cells.end() ? E() : it->second;
      if (got == want.rows[r][c]) continue;
      ++mismatches;
      ADD_FAILURE() << want.name << " row " << r << " col " << c << ": got " << got
                    << ", want " << want.rows[r][c];
    }
  }
  for (const auto& [where, value] : seen.cells) {
    if (where.first >= want.rows.size() || where.second >= want.rows[where.first].size()) {
      ADD_FAILURE() << "unexpected cell " << where.first << "," << where.second << ": " << value;
      break;
    }
  }
}

// The workbook as each of the three readers sees it.
void ExpectWorkbook(const std::string& path, const std::vector<ExpectedSheet>& sheets) {
  static const FreeXl freexl;
  using Reader = std::function<bool(const std::string&, SeenBook*, std::string*)>;
  const std::pair<const char*, Reader> readers[] = {
      {"WorkbookReader", ReadWithWorkbookReader},
      {"FreeXL", [](const std::string& p, SeenBook* b, std::string* e) {
         return freexl.Read(p, b, e);
       }},
      {"xlrd", ReadWithXlrd},
  };
  for (const auto& [name, read] : readers) {
    SCOPED_TRACE(name);
    SeenBook book;
    std::string error;
    ASSERT_TRUE(read(path, &book, &error)) << error;
    ASSERT_EQ(book.size(), sheets.size());
    for (size_t i = 0; i < sheets.size(); ++i) ExpectSheetSeen(book[i], sheets[i]);
  }
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// ---------------------------------------------------------------------------
// A grid with every kind of column the rules distinguish.

void FillSampleGrid(CGridModel& g) {
  g.insertColumn(-1, "이름", 80, "name", kDataString, kInputText, "", "", 0, "");
  g.insertColumn(-1, "a.b", 80, "amount", kDataNumeric, kInputText, "", "#,###.##", 0, "");
  g.insertColumn(-1, "", 80, "code.no", kDataString, kInputText, "", "", 0, "");
  g.insertColumn(-1, "Secret", 80, "secret", kDataString, kInputText, "", "", 0, "");
  g.setColumnVisible(3, 0);
  g.insertColumn(-1, "Pick", 80, "pick", kDataString, kInputCheckBox, "", "", 0, "");
  const char* rows[3][5] = {{"김민수", "1234.5", "007", "s0", "1"},
                            {"O'Brien", "", "", "s1", "0"},
                            {"서울 O'Hara's", "-7", "NULL", "s2", "1"}};
  for (int r = 0; r < 3; ++r) {
    g.insertRow(-1);
    for (int c = 0; c < 5; ++c) g.setCellStringData(r, c, rows[r][c]);
  }
}

TEST(XlsExportStatementTest, TableAndRowStatementsFollowTheColumnRules) {
  CGridModel g;
  FillSampleGrid(g);
  const std::vector<int> listed = {0, 1, 2};
  EXPECT_EQ(GridTableStatement(g, listed),
            "CREATE TABLE Sheet1 ( [이름] text, [a_b] numeric, [code_no] text)");
  EXPECT_EQ(GridInsertStatement(g, listed, 0, false),
            "INSERT INTO Sheet1 ([이름], [a_b], [code_no]) VALUES ('김민수', '1234.5', '007')");
  // An empty numeric value is NULL, an empty text value ''; apostrophes doubled.
  EXPECT_EQ(GridInsertStatement(g, listed, 1, false),
            "INSERT INTO Sheet1 ([이름], [a_b], [code_no]) VALUES ('O''Brien', NULL, '')");
  // The word NULL stays text in a text column.
  EXPECT_EQ(GridInsertStatement(g, listed, 2, false),
            "INSERT INTO Sheet1 ([이름], [a_b], [code_no]) VALUES ('서울 O''Hara''s', '-7', 'NULL')");
  // nType: the display text.
  EXPECT_EQ(GridInsertStatement(g, {1}, 0, true),
            "INSERT INTO Sheet1 ([a_b]) VALUES ('1,234.50')");
}

TEST(XlsExportStatementTest, ClosingBracketInANameIsDoubled) {
  CGridColumn column;
  column.label = "x]y.z";
  EXPECT_EQ(WorkbookColumnName(column), "[x]]y_z]");
  EXPECT_EQ(RewriteBracketNames("SELECT [x]]y], '[no]', \"[no]\" -- [no]\n/* [no] */ [a`b]"),
            "SELECT `x]y`, '[no]', \"[no]\" -- [no]\n/* [no] */ `a``b`");
}

// ---------------------------------------------------------------------------

TEST(WorkbookDatabaseTest, RefusesWhatTheDriverCannotDo) {
  TempDir dir;
  WorkbookDatabase db;
  std::string error;
  ASSERT_TRUE(db.Open(dir.File("a.xls"), &error)) << error;
  EXPECT_FALSE(db.Execute("CREATE TABLE t (a text); CREATE TABLE u (b text)", &error));
  EXPECT_EQ(error, "only one statement at a time");
  EXPECT_FALSE(db.Execute("ATTACH DATABASE 'x.db' AS x", &error));
  EXPECT_FALSE(db.Execute("PRAGMA table_info(t)", &error));
  EXPECT_FALSE(db.Execute("VACUUM INTO 'copy.db'", &error));
  EXPECT_FALSE(db.Execute("   ", &error));
  EXPECT_FALSE(db.Execute("CREATE TABLE [a:b] (c text)", &error));
  EXPECT_NE(error.find("a:b"), std::string::npos) << error;
  EXPECT_FALSE(db.Execute("CREATE TABLE [x]]y] (c text)", &error));  // no "]" in sheet names
  EXPECT_TRUE(db.Execute("CREATE TABLE [x y] ([p]]q] numeric);", &error)) << error;
  EXPECT_TRUE(db.Execute("INSERT INTO [x y] ([p]]q]) VALUES ('12')", &error)) << error;
  EXPECT_FALSE(db.Execute("INSERT INTO missing VALUES (1)", &error));
  ASSERT_TRUE(db.Close(&error)) << error;
  ExpectWorkbook(dir.File("a.xls"), {{"x y", {{T("p]q")}, {N(12)}}}});
  EXPECT_FALSE(Exists(dir.File("x.db")));
  EXPECT_FALSE(Exists(dir.File("copy.db")));
}

TEST(WorkbookDatabaseTest, NoTableWritesNoFile) {
  TempDir dir;
  WorkbookDatabase db;
  std::string error;
  ASSERT_TRUE(db.Open(dir.File("none.xls"), &error)) << error;
  EXPECT_TRUE(db.Close(&error)) << error;
  EXPECT_FALSE(Exists(dir.File("none.xls")));
}

// Each kind of stored value becomes its cell: integers and reals as numbers,
// an infinite real as its text, text as text, NULL as an empty cell.
TEST(WorkbookDatabaseTest, StoredValuesBecomeCellsOfTheirKind) {
  TempDir dir;
  const std::string path = dir.File("kinds.xls");
  WorkbookDatabase db;
  std::string error;
  ASSERT_TRUE(db.Open(path, &error)) << error;
  ASSERT_TRUE(db.Execute("CREATE TABLE t ([a] numeric, [b] text, [c])", &error)) << error;
  ASSERT_TRUE(db.Execute("INSERT INTO t VALUES ('1e999', 'x y', 12)", &error)) << error;
  ASSERT_TRUE(db.Execute("INSERT INTO t VALUES ('-1e999', NULL, 2.5)", &error)) << error;
  ASSERT_TRUE(db.Execute("INSERT INTO t VALUES ('7', '', -3)", &error)) << error;
  ASSERT_TRUE(db.Close(&error)) << error;
  ExpectWorkbook(path, {{"t",
                         {{T("a"), T("b"), T("c")},
                          {T("Inf"), T("x y"), N(12)},
                          {T("-Inf"), E(), N(2.5)},
                          {N(7), E(), N(-3)}}}});
}

TEST(WorkbookDatabaseTest, LoadsAnExistingWorkbookWithTypedColumns) {
  TempDir dir;
  const std::string path = dir.File("in.xls");
  xls::WorkbookWriter w;
  const int s = w.AddSheet("Data");
  w.SetText(s, 0, 0, "num");
  w.SetText(s, 0, 1, "txt");
  w.SetText(s, 0, 3, "num");  // column 2 has no name; column 3 repeats one
  w.SetNumber(s, 1, 0, 1.5);
  w.SetText(s, 1, 1, "a");
  w.SetNumber(s, 1, 2, 7);
  w.SetNumber(s, 1, 3, 8);
  w.SetNumber(s, 2, 1, 9);  // a number in a text column
  w.SetText(s, 2, 3, "x");
  const int second = w.AddSheet("빈 시트");
  w.SetText(second, 0, 0, "only");
  std::string error;
  ASSERT_TRUE(w.Save(path, &error)) << error;

  WorkbookDatabase db;
  ASSERT_TRUE(db.Open(path, &error)) << error;
  ASSERT_TRUE(db.Execute("CREATE TABLE Types AS SELECT typeof([num]) AS a, typeof([txt]) AS b, "
                         "typeof(F3) AS c, typeof(F4) AS d, [txt] AS e FROM [Data] ORDER BY rowid",
                         &error))
      << error;
  ASSERT_TRUE(db.Execute("INSERT INTO [빈 시트] ([only]) VALUES ('new')", &error)) << error;
  ASSERT_TRUE(db.Close(&error)) << error;
  ExpectWorkbook(path, {{"Data",
                         {{T("num"), T("txt"), T("F3"), T("F4")},
                          {N(1.5), T("a"), N(7), T("8")},
                          {E(), T("9"), E(), T("x")}}},
                        {"빈 시트", {{T("only")}, {T("new")}}},
                        {"Types",
                         {{T("a"), T("b"), T("c"), T("d"), T("e")},
                          {T("real"), T("text"), T("integer"), T("text"), T("a")},
                          {T("null"), T("text"), T("null"), T("text"), T("9")}}}});
}

TEST(WorkbookDatabaseTest, OpenFailsForAFolderThatDoesNotExistOrAFileThatIsNotAWorkbook) {
  TempDir dir;
  WorkbookDatabase db;
  std::string error;
  EXPECT_FALSE(db.Open(dir.File("no/such/folder.xls"), &error));
  EXPECT_FALSE(error.empty());
  xls::testing::WriteBytes(dir.File("text.xls"), {'n', 'o', 't'});
  EXPECT_FALSE(db.Open(dir.File("text.xls"), &error));
}

// ---------------------------------------------------------------------------

TEST(XlsExportTest, RowsAreWrittenWithNamesNumbersTextAndEmptyCells) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  const std::string path = dir.File("grid.xls");
  std::string error;
  ASSERT_TRUE(ExportGridToWorkbook(g, path, false, false, false, nullptr, &error)) << error;
  // Hidden and check-box columns are left out of the table and the rows.
  ExpectWorkbook(path, {{"Sheet1",
                         {{T("이름"), T("a_b"), T("code_no")},
                          {T("김민수"), N(1234.5), T("007")},
                          {T("O'Brien"), E(), E()},
                          {T("서울 O'Hara's"), N(-7), T("NULL")}}}});

  ASSERT_TRUE(ExportGridToWorkbook(g, path, true, true, false, nullptr, &error)) << error;
  ExpectWorkbook(path, {{"Sheet1",
                         {{T("이름"), T("a_b"), T("code_no"), T("Secret"), T("Pick")},
                          {T("김민수"), N(1234.5), T("007"), T("s0"), T("1")},
                          {T("O'Brien"), E(), E(), T("s1"), T("0")},
                          {T("서울 O'Hara's"), N(-7), T("NULL"), T("s2"), T("1")}}}});
}

TEST(XlsExportTest, DisplayTextThatIsNoNumberStaysTextInANumericColumn) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  const std::string path = dir.File("display.xls");
  std::string error;
  ASSERT_TRUE(ExportGridToWorkbook(g, path, false, false, true, nullptr, &error)) << error;
  ExpectWorkbook(path, {{"Sheet1",
                         {{T("이름"), T("a_b"), T("code_no")},
                          {T("김민수"), T("1,234.50"), T("007")},
                          {T("O'Brien"), E(), E()},
                          {T("서울 O'Hara's"), N(-7), T("NULL")}}}});
}

TEST(XlsExportTest, TheBoundRowsEqualTheLiteralStatements) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  std::string error;
  const std::string exported = dir.File("exported.xls");
  ASSERT_TRUE(ExportGridToWorkbook(g, exported, true, true, false, nullptr, &error)) << error;
  const std::string literal = dir.File("literal.xls");
  WorkbookDatabase db;
  ASSERT_TRUE(db.Open(literal, &error)) << error;
  const std::vector<int> all = {0, 1, 2, 3, 4};
  ASSERT_TRUE(db.Execute(GridTableStatement(g, all), &error)) << error;
  for (int r = 0; r < g.getRowCount(); ++r) {
    ASSERT_TRUE(db.Execute(GridInsertStatement(g, all, r, false), &error)) << error;
  }
  ASSERT_TRUE(db.Close(&error)) << error;
  EXPECT_EQ(xls::testing::ReadBytes(exported), xls::testing::ReadBytes(literal));
}

// Plain date columns take the export's own path (each column's last date
// text kept): repeated, changed, empty and returning dates, and a patterned
// date column beside them, must store what the literal statements store.
TEST(XlsExportTest, DateColumnsEqualTheLiteralStatements) {
  TempDir dir;
  CGridModel g;
  g.insertColumn(-1, "day", 80, "", kDataDateTime, kInputText, "", "", 0, "");
  g.insertColumn(-1, "when", 80, "", kDataDateTime, kInputCalendar, "", "", 0, "");
  g.insertColumn(-1, "shown", 80, "", kDataDateTime, kInputText, "%Y-%m-%d", "", 0, "");
  const char* days[] = {"20070415", "20070415", "20261207", "", "20070415", "19000101"};
  for (int r = 0; r < 6; ++r) {
    g.insertRow(-1);
    for (int c = 0; c < 3; ++c) {
      std::string day = days[(r + c) % 6];
      if (c == 2 && !day.empty()) day = day.substr(0, 4) + "-" + day.substr(4, 2) + "-" + day.substr(6);
      g.setCellStringData(r, c, day);
    }
  }
  std::string error;
  const std::string exported = dir.File("dates.xls");
  ASSERT_TRUE(ExportGridToWorkbook(g, exported, true, true, false, nullptr, &error)) << error;
  const std::string literal = dir.File("dates_literal.xls");
  WorkbookDatabase db;
  ASSERT_TRUE(db.Open(literal, &error)) << error;
  const std::vector<int> all = {0, 1, 2};
  ASSERT_TRUE(db.Execute(GridTableStatement(g, all), &error)) << error;
  for (int r = 0; r < g.getRowCount(); ++r) {
    ASSERT_TRUE(db.Execute(GridInsertStatement(g, all, r, false), &error)) << error;
  }
  ASSERT_TRUE(db.Close(&error)) << error;
  EXPECT_EQ(xls::testing::ReadBytes(exported), xls::testing::ReadBytes(literal));
  ExpectWorkbook(exported, {{"Sheet1",
                             {{T("day"), T("when"), T("shown")},
                              {T("20070415000000"), T("20070415000000"), T("2026-12-07")},
                              {T("20070415000000"), T("20261207000000"), E()},
                              {T("20261207000000"), E(), T("2007-04-15")},
                              {E(), T("20070415000000"), T("1900-01-01")},
                              {T("20070415000000"), T("19000101000000"), T("2007-04-15")},
                              {T("19000101000000"), T("20070415000000"), T("2007-04-15")}}}});
}

// Rows go to the table in batches (fewer rows per batch for a wide table):
// full batches, a last short one, and dates that change inside a batch must
// store what one literal statement per row stores, in the same order.
TEST(XlsExportTest, RowsInBatchesEqualTheLiteralStatements) {
  for (const auto& [rows, wide] : {std::pair{16, 0}, {37, 0}, {20, 97}}) {
    TempDir dir;
    CGridModel g;
    g.insertColumn(-1, "n", 80, "", kDataString, kInputText, "", "", 0, "");
    g.insertColumn(-1, "day", 80, "", kDataDateTime, kInputText, "", "", 0, "");
    g.insertColumn(-1, "v", 80, "", kDataNumeric, kInputText, "", "", 0, "");
    for (int c = 0; c < wide; ++c) {
      g.insertColumn(-1, "w" + std::to_string(c), 80, "", kDataString, kInputText, "", "", 0, "");
    }
    for (int r = 0; r < rows; ++r) {
      g.insertRow(-1);
      g.setCellStringData(r, 0, "row " + std::to_string(r));
      g.setCellStringData(r, 1, r % 5 == 4 ? "" : "200701" + std::to_string(10 + r % 3));
      g.setCellStringData(r, 2, r % 7 == 6 ? "" : std::to_string(r) + ".5");
      for (int c = 0; c < wide; ++c) g.setCellStringData(r, 3 + c, std::to_string(r * c));
    }
    std::string error;
    const std::string exported = dir.File("batches.xls");
    ASSERT_TRUE(ExportGridToWorkbook(g, exported, true, true, false, nullptr, &error)) << error;
    const std::string literal = dir.File("batches_literal.xls");
    WorkbookDatabase db;
    ASSERT_TRUE(db.Open(literal, &error)) << error;
    std::vector<int> all(static_cast<size_t>(3 + wide));
    for (size_t c = 0; c < all.size(); ++c) all[c] = static_cast<int>(c);
    ASSERT_TRUE(db.Execute(GridTableStatement(g, all), &error)) << error;
    for (int r = 0; r < rows; ++r) {
      ASSERT_TRUE(db.Execute(GridInsertStatement(g, all, r, false), &error)) << error;
    }
    ASSERT_TRUE(db.Close(&error)) << error;
    EXPECT_EQ(xls::testing::ReadBytes(exported), xls::testing::ReadBytes(literal)) << rows;
    xls::WorkbookReader reader;
    ASSERT_TRUE(reader.Open(exported, &error)) << error;
    xls::Sheet sheet;
    ASSERT_TRUE(reader.ReadSheet(0, &sheet, &error)) << error;
    EXPECT_EQ(sheet.rows, static_cast<uint32_t>(rows + 1));
    EXPECT_EQ(sheet.Find(rows, 0)->text, "row " + std::to_string(rows - 1));
    EXPECT_EQ(sheet.Find(2, 1)->text, "20070111000000");
  }
}

// Numbers of every shape in numeric columns (their output and their display
// texts, with and without a pattern) must be stored as the literal
// statements store them: integers, zero of either sign, long and inexact
// decimals, and texts that are no number.
TEST(XlsExportTest, NumericTextsEqualTheLiteralStatements) {
  const char* numbers[] = {"0",     "-0",         "-0.0",        "12",
                           "-7.25", "0.1",        "2.675",       "123456789012345",
                           "1234567890123456789", "99999999999999.9", "0.000001", "",
                           "4.35",  "12345678.1234567", "1e5", "-.5"};
  for (const bool displayText : {false, true}) {
    TempDir dir;
    CGridModel g;
    g.insertColumn(-1, "plain", 80, "", kDataNumeric, kInputText, "", "", 0, "");
    g.insertColumn(-1, "shown", 80, "", kDataNumeric, kInputText, "", "#,###.##", 0, "");
    g.setColumnDisplayType(1, "#,###.##");
    g.insertColumn(-1, "text", 80, "", kDataString, kInputText, "", "", 0, "");
    const int rows = static_cast<int>(std::size(numbers));
    for (int r = 0; r < rows; ++r) {
      g.insertRow(-1);
      g.setCellStringData(r, 0, numbers[r]);
      g.setCellStringData(r, 1, numbers[(r + 3) % rows]);
      g.setCellStringData(r, 2, numbers[(r + 5) % rows]);
    }
    std::string error;
    const std::string exported = dir.File("numbers.xls");
    ASSERT_TRUE(ExportGridToWorkbook(g, exported, true, true, displayText, nullptr, &error))
        << error;
    const std::string literal = dir.File("numbers_literal.xls");
    WorkbookDatabase db;
    ASSERT_TRUE(db.Open(literal, &error)) << error;
    const std::vector<int> all = {0, 1, 2};
    ASSERT_TRUE(db.Execute(GridTableStatement(g, all), &error)) << error;
    for (int r = 0; r < rows; ++r) {
      ASSERT_TRUE(db.Execute(GridInsertStatement(g, all, r, displayText), &error)) << error;
    }
    ASSERT_TRUE(db.Close(&error)) << error;
    EXPECT_EQ(xls::testing::ReadBytes(exported), xls::testing::ReadBytes(literal)) << displayText;
  }
}

TEST(XlsExportTest, AGridWithoutRowsGivesTheHeaderOnly) {
  TempDir dir;
  CGridModel g;
  g.insertColumn(-1, "v.1", 80, "", kDataNumeric, kInputText, "", "", 0, "");
  g.insertColumn(-1, "", 80, "fld", kDataString, kInputText, "", "", 0, "");
  const std::string path = dir.File("empty.xls");
  std::string error;
  ASSERT_TRUE(ExportGridToWorkbook(g, path, false, false, false, nullptr, &error)) << error;
  ExpectWorkbook(path, {{"Sheet1", {{T("v_1"), T("fld")}}}});
}

TEST(XlsExportTest, AnEarlierFileIsReplacedAndProgressCountsRows) {
  TempDir dir;
  const std::string path = dir.File("old.xls");
  xls::WorkbookWriter w;
  w.SetText(w.AddSheet("Old"), 0, 0, "old");
  std::string error;
  ASSERT_TRUE(w.Save(path, &error)) << error;
  CGridModel g;
  FillSampleGrid(g);
  std::ostringstream log;
  platform::HeadlessUserInterface ui(log);
  auto progress = ui.CreateProgressDialog();
  ASSERT_TRUE(ExportGridToWorkbook(g, path, false, false, false, progress.get(), &error)) << error;
  auto* headless = static_cast<platform::HeadlessProgressDialog*>(progress.get());
  EXPECT_EQ(headless->range(), 3);
  EXPECT_EQ(headless->position(), 3);
  SeenBook book;
  ASSERT_TRUE(ReadWithWorkbookReader(path, &book, &error)) << error;
  ASSERT_EQ(book.size(), 1u);
  EXPECT_EQ(book[0].name, "Sheet1");
}

TEST(XlsExportTest, FullSheetAndOneRowTooMany) {
  TempDir dir;
  CGridModel g;
  g.insertColumn(-1, "n", 80, "", kDataNumeric, kInputText, "", "", 0, "");
  g.insertColumn(-1, "t", 80, "", kDataString, kInputText, "", "", 0, "");
  const int rows = CGridModel::kMaxRows;  // 65,536
  for (int r = 0; r < rows; ++r) {
    g.insertRow(-1);
    g.setCellStringData(r, 0, std::to_string(r));
    g.setCellStringData(r, 1, "행 " + std::to_string(r));
  }
  std::vector<std::vector<Value>> expected = {{T("n"), T("t")}};
  for (int r = 0; r < rows - 1; ++r) {
    expected.push_back({N(r), T("행 " + std::to_string(r))});
  }
  const std::string path = dir.File("full.xls");
  std::string error;
  // 65,536 sheet rows hold the header and 65,535 grid rows; the last grid
  // row fails as the driver fails on a full sheet, the rest stays written.
  EXPECT_FALSE(ExportGridToWorkbook(g, path, false, false, false, nullptr, &error));
  EXPECT_NE(error.find("65535"), std::string::npos) << error;
  ExpectWorkbook(path, {{"Sheet1", expected}});

  g.removeRow(rows - 1);
  ASSERT_TRUE(ExportGridToWorkbook(g, path, false, false, false, nullptr, &error)) << error;
  ExpectWorkbook(path, {{"Sheet1", expected}});
}

TEST(XlsExportTest, AFileThatCannotBeWrittenFails) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  std::string error;
  EXPECT_FALSE(ExportGridToWorkbook(g, dir.File("missing/grid.xls"), false, false, false, nullptr,
                                    &error));
  EXPECT_FALSE(error.empty());
  // A folder where the file should be: neither replaced nor removed.
  const std::string folder = dir.File("folder.xls");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  EXPECT_FALSE(ExportGridToWorkbook(g, folder, false, false, false, nullptr, &error));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_FALSE(ExportStatementsToWorkbook(dir.File("missing/q.xls"), "SELECT 1",
                                          "CREATE TABLE a (b text)", &error));
}

TEST(XlsExportTest, DuplicateColumnNamesFailTheTableStatement) {
  TempDir dir;
  CGridModel g;
  g.insertColumn(-1, "same", 80, "", kDataString, kInputText, "", "", 0, "");
  g.insertColumn(-1, "same", 80, "", kDataString, kInputText, "", "", 0, "");
  const std::string path = dir.File("dup.xls");
  std::string error;
  EXPECT_FALSE(ExportGridToWorkbook(g, path, false, false, false, nullptr, &error));
  EXPECT_FALSE(Exists(path));
}

// ---------------------------------------------------------------------------

TEST(XlsStatementExportTest, SixthRunsBeforeFifth) {
  TempDir dir;
  const std::string path = dir.File("query.xls");
  std::string error;
  ASSERT_TRUE(ExportStatementsToWorkbook(
      path, "INSERT INTO [매출] ([이름], [금액.원]) VALUES ('O''Brien', 12.5)",
      "CREATE TABLE [매출] ([이름] text, [금액.원] numeric)", &error))
      << error;
  ExpectWorkbook(path, {{"매출", {{T("이름"), T("금액.원")}, {T("O'Brien"), N(12.5)}}}});

  ASSERT_TRUE(ExportStatementsToWorkbook(
      path, "INSERT INTO Sheet1 SELECT 'a', NULL UNION ALL SELECT 'b', '3'",
      "CREATE TABLE Sheet1 (x text, y numeric)", &error))
      << error;
  ExpectWorkbook(path, {{"Sheet1", {{T("x"), T("y")}, {T("a"), E()}, {T("b"), N(3)}}}});
}

TEST(XlsStatementExportTest, AFailingStatementKeepsWhatWasDone) {
  TempDir dir;
  const std::string path = dir.File("query.xls");
  std::string error;
  EXPECT_FALSE(ExportStatementsToWorkbook(path, "INSERT INTO Nowhere VALUES (1)",
                                          "CREATE TABLE Sheet1 (a text)", &error));
  EXPECT_NE(error.find("Nowhere"), std::string::npos) << error;
  ExpectWorkbook(path, {{"Sheet1", {{T("a")}}}});
  EXPECT_FALSE(ExportStatementsToWorkbook(path, "CREATE TABLE Sheet1 (a text)", "", &error));
  ExpectWorkbook(path, {{"Sheet1", {{T("a")}}}});  // a failed export keeps the earlier file
}

// ---------------------------------------------------------------------------

struct MemberHarness {
  std::ostringstream uiLog;
  std::ostringstream shellLog;
  platform::HeadlessUserInterface ui{uiLog};
  platform::HeadlessShell shell{shellLog};
  platform::Services services;
  MemberHarness() {
    services.ui = &ui;
    services.shell = &shell;
  }
};

TEST(XlsExportMemberTest, AnsweringNoLeavesTheFileClosedAndReturnsOne) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  MemberHarness h;
  h.ui.QueueAnswer(dir.File("answer"));  // no extension: .xls is added
  h.ui.QueueAnswer("no");
  EXPECT_EQ(SaveXlsDialogMember(&g, h.services, "초기.xls", 0, 0, 0), 1);
  const std::string path = dir.File("answer.xls");
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(h.uiLog.str(),
            "DIALOG 다른 이름으로 저장: save 초기.xls\n"
            "DIALOG 잠시만 기다려 주십시오.: 엑셀 파일을 저장 중입니다.\n"
            "DIALOG Microsoft Internet Explorer: 저장한 엑셀 파일을 실행하시겠습니까?\n");
  EXPECT_EQ(h.shellLog.str(), "");
  ExpectWorkbook(path, {{"Sheet1",
                         {{T("이름"), T("a_b"), T("code_no")},
                          {T("김민수"), N(1234.5), T("007")},
                          {T("O'Brien"), E(), E()},
                          {T("서울 O'Hara's"), N(-7), T("NULL")}}}});
}

TEST(XlsExportMemberTest, AnsweringYesOpensTheFile) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  MemberHarness h;
  const std::string path = dir.File("open.xls");
  h.ui.QueueAnswer(path);
  h.ui.QueueAnswer("yes");
  EXPECT_EQ(SaveXlsDialogAutoOpenMember(&g, h.services, "", 1, 1, 1), 1);
  EXPECT_EQ(h.shellLog.str(), "OPEN " + path + "\n");
  ExpectWorkbook(path, {{"Sheet1",
                         {{T("이름"), T("a_b"), T("code_no"), T("Secret"), T("Pick")},
                          {T("김민수"), T("1,234.50"), T("007"), T("s0"), T("1")},
                          {T("O'Brien"), E(), E(), T("s1"), T("0")},
                          {T("서울 O'Hara's"), N(-7), T("NULL"), T("s2"), T("1")}}}});
}

TEST(XlsExportMemberTest, CancelAndFailureReturnZeroWithoutQuestion) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  MemberHarness h;
  h.ui.QueueAnswer("cancel");
  EXPECT_EQ(SaveXlsDialogMember(&g, h.services, "a.xls", 0, 0, 0), 0);
  h.ui.QueueAnswer(dir.File("missing/a.xls"));
  EXPECT_EQ(SaveXlsDialogMember(&g, h.services, "a.xls", 0, 0, 0), 0);
  EXPECT_EQ(h.uiLog.str().find("실행하시겠습니까"), std::string::npos) << h.uiLog.str();
  EXPECT_EQ(h.shellLog.str(), "");
  EXPECT_EQ(h.ui.PendingAnswers(), 0u);
}

TEST(XlsExportMemberTest, QueryMemberRunsTheStatements) {
  TempDir dir;
  CGridModel g;
  FillSampleGrid(g);
  MemberHarness h;
  const std::string path = dir.File("query.xls");
  h.ui.QueueAnswer(path);
  h.ui.QueueAnswer("yes");
  EXPECT_EQ(SaveXlsQueryAutoOpenMember(&g, h.services, "q.xls", 0, 0, 0,
                                       "INSERT INTO Sheet1 VALUES ('한글', 1)",
                                       "CREATE TABLE Sheet1 ([t] text, [n] numeric)"),
            1);
  EXPECT_EQ(h.shellLog.str(), "OPEN " + path + "\n");
  ExpectWorkbook(path, {{"Sheet1", {{T("t"), T("n")}, {T("한글"), N(1)}}}});

  h.ui.QueueAnswer(path);
  EXPECT_EQ(SaveXlsQueryAutoOpenMember(&g, h.services, "q.xls", 0, 0, 0, "bad sql",
                                       "CREATE TABLE Sheet1 (a text)"),
            0);
  EXPECT_EQ(h.ui.PendingAnswers(), 0u);
}

}  // namespace
}  // namespace maltrove
