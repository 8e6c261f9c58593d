// Cross-checks against FreeXL and xlrd, and reads files made by xlwt.
#include <freexl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "io/xls/biff_records.h"
#include "io/xls/compound_file.h"
#include "io/xls/workbook_reader.h"
#include "io/xls/workbook_writer.h"
#include "io/xls/xls_fixtures.h"
#include "io/xls/xls_test_util.h"
#include "io/xls/xls_text.h"

namespace maltrove::xls {
namespace {

using testing::TempDir;

#define REQUIRE_PYTHON(modules)                                                 \
  if (!testing::HavePythonModules(modules))                                     \
  GTEST_SKIP() << "needs /usr/bin/python3 with " modules                        \
                  " (Debian python3-xlrd, python3-xlwt)"

// Every cell our reader returns must be what xlrd returns, and the reverse.
void ExpectSameAsXlrd(const std::string& path) {
  testing::XlrdBook book;
  std::string error;
  ASSERT_TRUE(testing::XlrdDump(path, &book, &error)) << error;
  WorkbookReader r;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  EXPECT_EQ(book.datemode, r.date1904() ? 1 : 0);
  ASSERT_EQ(book.sheets.size(), r.sheets().size());
  for (size_t i = 0; i < book.sheets.size(); ++i) {
    const testing::XlrdSheet& x = book.sheets[i];
    Sheet s;
    ASSERT_TRUE(r.ReadSheet(i, &s, &error)) << error;
    EXPECT_EQ(x.name, testing::Hex(s.name));
    EXPECT_EQ(static_cast<uint32_t>(x.rows), s.rows) << s.name;
    EXPECT_EQ(static_cast<uint32_t>(x.cols), s.columns) << s.name;
    EXPECT_EQ(x.cells.size(), s.cells.size()) << s.name;
    for (const Cell& c : s.cells) {
      auto it = x.cells.find({static_cast<int>(c.row), c.col});
      ASSERT_NE(it, x.cells.end()) << s.name << " " << c.row << "," << c.col;
      const auto& [type, value] = it->second;
      const std::string where = s.name + " " + std::to_string(c.row) + "," + std::to_string(c.col);
      switch (c.type) {
        case CellType::kNumber:
          EXPECT_EQ(type, c.date ? 3 : 2) << where;
          EXPECT_EQ(std::strtod(value.c_str(), nullptr), c.number) << where;
          break;
        case CellType::kText:
          EXPECT_EQ(type, 1) << where;
          EXPECT_EQ(value, testing::Hex(c.text)) << where;
          break;
        case CellType::kBoolean:
          EXPECT_EQ(type, 4) << where;
          EXPECT_EQ(value, c.boolean ? "1" : "0") << where;
          break;
        case CellType::kError:
          EXPECT_EQ(type, 5) << where;
          EXPECT_EQ(value, std::to_string(c.error)) << where;
          break;
        case CellType::kEmpty:
          ADD_FAILURE() << "empty cell listed at " << where;
      }
    }
  }
}

struct FreeXl {
  const void* handle = nullptr;
  ~FreeXl() {
    if (handle) freexl_close(handle);
  }
};

std::string SampleWorkbook(const TempDir& dir) {
  WorkbookWriter w;
  const int data = w.AddSheet("Data");
  const int korean = w.AddSheet("한글");
  const double numbers[] = {1, -2.5, 0.125, 1.5e10, -123456.789};
  for (uint32_t i = 0; i < std::size(numbers); ++i) w.SetNumber(data, 1, i, numbers[i]);
  w.SetText(data, 0, 0, "Name");
  w.SetText(data, 0, 1, "it's");
  w.SetText(data, 0, 3, "가나다");
  w.SetText(data, 3, 2, "after a gap");
  w.SetText(korean, 0, 0, "한국어 'quoted' 😀");
  // FreeXL 1.0.6 opens no workbook with a string spanning three records or more.
  w.SetText(korean, 1, 0, std::string(12000, 'L'));
  std::string error;
  const std::string path = dir.File("sample.xls");
  EXPECT_TRUE(w.Save(path, &error)) << error;
  return path;
}

TEST(CrossCheck, FreeXlReadsOurWorkbook) {
  TempDir dir;
  const std::string path = SampleWorkbook(dir);
  FreeXl f;
  ASSERT_EQ(freexl_open(path.c_str(), &f.handle), FREEXL_OK);
  unsigned int count = 0;
  ASSERT_EQ(freexl_get_info(f.handle, FREEXL_BIFF_SHEET_COUNT, &count), FREEXL_OK);
  ASSERT_EQ(count, 2u);
  unsigned int version = 0;
  freexl_get_info(f.handle, FREEXL_BIFF_VERSION, &version);
  EXPECT_EQ(version, unsigned{FREEXL_BIFF_VER_8});
  const char* name = nullptr;
  ASSERT_EQ(freexl_get_worksheet_name(f.handle, 1, &name), FREEXL_OK);
  EXPECT_STREQ(name, "한글");

  WorkbookReader r;
  std::string error;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  for (unsigned short i = 0; i < 2; ++i) {
    Sheet s;
    ASSERT_TRUE(r.ReadSheet(i, &s, &error)) << error;
    ASSERT_EQ(freexl_select_active_worksheet(f.handle, i), FREEXL_OK);
    unsigned int rows = 0;
    unsigned short cols = 0;
    ASSERT_EQ(freexl_worksheet_dimensions(f.handle, &rows, &cols), FREEXL_OK);
    EXPECT_EQ(rows, s.rows);
    EXPECT_EQ(cols, s.columns);
    for (uint32_t row = 0; row < rows; ++row) {
      for (uint16_t col = 0; col < cols; ++col) {
        FreeXL_CellValue v;
        ASSERT_EQ(freexl_get_cell_value(f.handle, row, col, &v), FREEXL_OK);
        const Cell* c = s.Find(row, col);
        if (!c) {
          EXPECT_EQ(v.type, FREEXL_CELL_NULL) << row << "," << col;
        } else if (c->type == CellType::kNumber) {
          ASSERT_EQ(v.type, FREEXL_CELL_DOUBLE) << row << "," << col;
          EXPECT_EQ(v.value.double_value, c->number);
        } else {
          ASSERT_EQ(v.type, FREEXL_CELL_SST_TEXT) << row << "," << col;
          EXPECT_EQ(v.value.text_value, c->text);
        }
      }
    }
  }
}

TEST(CrossCheck, XlrdReadsOurWorkbook) {
  REQUIRE_PYTHON("xlrd");
  TempDir dir;
  ExpectSameAsXlrd(SampleWorkbook(dir));
}

TEST(CrossCheck, XlrdAndFreeXlReadOurFullHeightWorkbook) {
  REQUIRE_PYTHON("xlrd");
  TempDir dir;
  WorkbookWriter w;
  const int s = w.AddSheet("Tall");
  for (uint32_t r = 0; r < 65536; ++r) {
    w.SetNumber(s, r, 0, r + 0.5);
    w.SetNumber(s, r, 1, -static_cast<double>(r));
    w.SetText(s, r, 2, "가나다라마바사아자차카타파하 " + std::to_string(r));
  }
  const std::string path = dir.File("tall.xls");
  std::string error;
  ASSERT_TRUE(w.Save(path, &error)) << error;
  ASSERT_GT(testing::ReadBytes(path).size(), 7u << 20);
  ExpectSameAsXlrd(path);

  FreeXl f;
  ASSERT_EQ(freexl_open(path.c_str(), &f.handle), FREEXL_OK);
  ASSERT_EQ(freexl_select_active_worksheet(f.handle, 0), FREEXL_OK);
  unsigned int rows = 0;
  unsigned short cols = 0;
  ASSERT_EQ(freexl_worksheet_dimensions(f.handle, &rows, &cols), FREEXL_OK);
  EXPECT_EQ(rows, 65536u);
  EXPECT_EQ(cols, 3u);
  FreeXL_CellValue v;
  ASSERT_EQ(freexl_get_cell_value(f.handle, 65535, 2, &v), FREEXL_OK);
  EXPECT_STREQ(v.value.text_value, "가나다라마바사아자차카타파하 65535");
  ASSERT_EQ(freexl_get_cell_value(f.handle, 65535, 0, &v), FREEXL_OK);
  EXPECT_EQ(v.value.double_value, 65535.5);
}

TEST(CrossCheck, ReadsXlwtWorkbooks) {
  REQUIRE_PYTHON("xlwt, xlrd");
  TempDir dir;
  const std::string path = dir.File("xlwt.xls");
  const std::string script = dir.File("make.py");
  std::ofstream(script) << R"PY(
import sys, datetime, xlwt
b = xlwt.Workbook(encoding='utf-8')
d = b.add_sheet('Data')
s = b.add_sheet('Summary')
date = xlwt.easyxf(num_format_str='YYYY-MM-DD')
stamp = xlwt.easyxf(num_format_str='yyyy-mm-dd hh:mm:ss')
money = xlwt.easyxf(num_format_str='#,##0.00')
elapsed = xlwt.easyxf(num_format_str='[h]:mm')
for r in range(20):
    d.write(r, 0, r + 1)
    d.write(r, 1, (r + 1) * 1.25, money)
    d.write(r, 2, xlwt.Formula('A%d+B%d' % (r + 1, r + 1)))
    d.write(r, 3, datetime.date(2024, 1, 1) + datetime.timedelta(days=r), date)
    d.write(r, 4, '이름 %d' % r)
d.write(20, 0, True)
d.write(20, 1, datetime.datetime(2024, 2, 29, 13, 45, 30), stamp)
d.write(20, 2, 1.5, elapsed)
d.write(20, 3, -1.5e10)
d.write(20, 4, 'x' * 20000 + '끝')
d.write(21, 0, '', money)
s.write(0, 0, 'Total')
s.write(0, 1, xlwt.Formula('SUM(Data!A1:A20)'))
s.write(1, 0, xlwt.Formula('"a"&"b"'))
b.save(sys.argv[1])
)PY";
  std::string out;
  ASSERT_EQ(testing::Run(std::string(testing::kPython) + " " + script + " " + path + " 2>&1", &out), 0) << out;
  ExpectSameAsXlrd(path);

  WorkbookReader r;
  std::string error;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  EXPECT_EQ(r.sheet_names(), (std::vector<std::string>{"Data", "Summary"}));
  Sheet s;
  ASSERT_TRUE(r.ReadSheet(0, &s, &error)) << error;
  EXPECT_EQ(s.Find(0, 0)->number, 1);
  EXPECT_FALSE(s.Find(0, 1)->date);
  EXPECT_TRUE(s.Find(0, 3)->date);
  EXPECT_EQ(s.Find(0, 3)->number, 45292);  // 2024-01-01
  EXPECT_EQ(r.FormatCode(s.Find(0, 3)->format), "YYYY-MM-DD");
  EXPECT_TRUE(s.Find(20, 1)->date);
  EXPECT_TRUE(s.Find(20, 2)->date);
  EXPECT_EQ(s.Find(20, 0)->type, CellType::kBoolean);
  EXPECT_EQ(s.Find(20, 4)->text, std::string(20000, 'x') + "끝");
  EXPECT_EQ(s.Find(5, 4)->text, "이름 5");
  EXPECT_EQ(s.Find(21, 0), nullptr);  // a formatted blank
  // xlwt stores formulas without a result: an empty text.
  const Cell* formula = s.Find(0, 2);
  EXPECT_TRUE(formula->formula);
  EXPECT_EQ(formula->type, CellType::kText);
  EXPECT_EQ(formula->text, "");
}

TEST(CrossCheck, ReadsStoredFormulaResults) {
  TempDir dir;
  const std::string path = dir.File("formulas.xls");
  testing::WriteBytes(path, testing::FormulaWorkbook());
  if (testing::HavePythonModules("xlrd")) ExpectSameAsXlrd(path);

  WorkbookReader r;
  std::string error;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  EXPECT_TRUE(r.date1904());
  ASSERT_EQ(r.sheets().size(), 2u);  // the chart sheet is left out
  EXPECT_EQ(r.sheets()[0].name, "Calc");
  EXPECT_FALSE(r.sheets()[0].hidden);
  EXPECT_EQ(r.sheets()[1].name, "Hidden");
  EXPECT_TRUE(r.sheets()[1].hidden);
  Sheet s;
  ASSERT_TRUE(r.ReadSheet(0, &s, &error)) << error;
  const Cell* c = s.Find(0, 2);
  EXPECT_TRUE(c->formula);
  EXPECT_EQ(c->type, CellType::kNumber);
  EXPECT_EQ(c->number, 3);
  EXPECT_TRUE(s.Find(0, 3)->date);
  EXPECT_EQ(s.Find(1, 0)->text, "abc");
  EXPECT_EQ(s.Find(1, 1)->type, CellType::kBoolean);
  EXPECT_TRUE(s.Find(1, 1)->boolean);
  EXPECT_EQ(s.Find(1, 2)->type, CellType::kError);
  EXPECT_STREQ(ErrorText(s.Find(1, 2)->error), "#DIV/0!");
  EXPECT_EQ(s.Find(1, 3)->type, CellType::kText);
  EXPECT_EQ(s.Find(1, 3)->text, "");
  EXPECT_EQ(s.Find(1, 4)->text, Utf16ToUtf8(testing::kLongFormulaText));
  EXPECT_EQ(s.Find(1, 5)->text, "arr");
  const double rk[] = {123, 1.23, 1.5, -5, 0.25, 12345.67};
  for (uint16_t i = 0; i < 6; ++i) EXPECT_EQ(s.Find(2, i)->number, rk[i]) << i;
  EXPECT_TRUE(s.Find(3, 0)->boolean);
  EXPECT_STREQ(ErrorText(s.Find(3, 1)->error), "#N/A");
  EXPECT_EQ(s.Find(3, 2)->text, "label é");
  EXPECT_EQ(s.Find(3, 3)->text, "rich 가");
  EXPECT_EQ(s.Find(3, 4), nullptr);
  const bool dates[] = {true, false, true, true, false};
  for (uint16_t i = 0; i < 5; ++i) EXPECT_EQ(s.Find(4, i)->date, dates[i]) << i;
  EXPECT_EQ(r.FormatCode(164), "yyyy\\-mm\\-dd");
  EXPECT_EQ(r.FormatCode(14), "m/d/yyyy");
  EXPECT_EQ(s.Find(5, 0)->text, "Rich");
  EXPECT_EQ(s.Find(5, 1)->text, "Plain");
  EXPECT_EQ(s.Find(5, 2)->text, "한글");
  EXPECT_EQ(s.rows, 6u);
  EXPECT_EQ(s.columns, 6u);
  ASSERT_TRUE(r.ReadSheet(1, &s, &error)) << error;
  EXPECT_EQ(s.Find(0, 0)->number, 7);
}

TEST(CrossCheck, ReadsExcel95Workbooks) {
  TempDir dir;
  const std::string path = dir.File("excel95.xls");
  testing::WriteBytes(path, testing::MiniStreamFile(u"Book", testing::Biff5BookStream()));
  if (testing::HavePythonModules("xlrd")) ExpectSameAsXlrd(path);
  WorkbookReader r;
  std::string error;
  ASSERT_TRUE(r.Open(path, &error)) << error;
  EXPECT_EQ(r.biff_version(), 5);
  EXPECT_EQ(r.code_page(), 949);
  EXPECT_EQ(r.sheet_names(), std::vector<std::string>{"시트"});
  Sheet s;
  ASSERT_TRUE(r.ReadSheet(0, &s, &error)) << error;
  EXPECT_EQ(s.Find(0, 0)->text, "안녕 Excel 95");
  EXPECT_EQ(s.Find(0, 1)->number, 2.5);
  EXPECT_TRUE(s.Find(0, 2)->date);
  EXPECT_EQ(s.Find(1, 0)->number, 42);
  EXPECT_EQ(s.Find(1, 1)->text, "Total 95");
}

TEST(CrossCheck, DateFormatCodes) {
  for (const char* code : {"yyyy-mm-dd", "d-mmm", "h:mm AM/PM", "[h]:mm:ss", "[$-412]yyyy\"년\"",
                           "mm:ss.0", "[Red]dd/mm"})
    EXPECT_TRUE(IsDateFormatCode(code)) << code;
  for (const char* code : {"General", "0.00", "#,##0 \"days\"", "[Red]#,##0", "0.0\\d", "@",
                           "_(* #,##0_)", "0.00E+00"})
    EXPECT_FALSE(IsDateFormatCode(code)) << code;
}

TEST(CrossCheck, CorruptFilesFailCleanly) {
  TempDir dir;
  std::string error;
  WorkbookReader r;
  const std::string text = dir.File("table.xls");
  std::ofstream(text) << "Name\tAmount\nKim\t10\n";
  EXPECT_FALSE(r.Open(text, &error));
  EXPECT_NE(error.find("not an Excel"), std::string::npos) << error;
  EXPECT_FALSE(r.Open(dir.File("absent.xls"), &error));
  EXPECT_FALSE(error.empty());

  std::vector<uint8_t> good = testing::FormulaWorkbook();
  const std::string truncated = dir.File("truncated.xls");
  testing::WriteBytes(truncated, std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2));
  EXPECT_FALSE(r.Open(truncated, &error));
  EXPECT_FALSE(error.empty());

  // A well-formed compound file whose stream is not a workbook.
  std::vector<uint8_t> junk(5000, 'x');
  EXPECT_FALSE(r.OpenBytes(MakeCompoundFile(u"Workbook", junk), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(r.OpenBytes(MakeCompoundFile(u"WordDocument", junk), &error));
  EXPECT_NE(error.find("Workbook"), std::string::npos);

  BiffWriter w;
  WriteBof(w, kBofGlobals);
  w.Begin(record::kFilePass);
  w.U16(0);
  w.End();
  WriteEof(w);
  w.bytes().resize(4096, 0);
  EXPECT_FALSE(r.OpenBytes(MakeCompoundFile(u"Workbook", w.bytes()), &error));
  EXPECT_NE(error.find("password"), std::string::npos);
}

}  // namespace
}  // namespace maltrove::xls
