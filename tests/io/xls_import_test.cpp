#include "io/xls_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "io/excel_sheet_dialog.h"
#include "io/xls/xls_test_util.h"
#include "platform/headless_ui.h"
#include "platform/ini_registry.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;
using xls::testing::TempDir;

// xlwt writes neither defined names nor formula results: the script adds a
// NAME record after the link table and stores 42.5 as every formula's result.
constexpr char kBookScript[] = R"PY(
import sys, struct, datetime, xlwt
from xlwt import BIFFRecords
_init = BIFFRecords.FormulaRecord.__init__
def _formula(self, row, col, xf, rpn, calc_flags=0):
    _init(self, row, col, xf, rpn, calc_flags)
    self._rec_data = self._rec_data[:6] + struct.pack('<d', 42.5) + self._rec_data[14:]
BIFFRecords.FormulaRecord.__init__ = _formula
_links = xlwt.Workbook._Workbook__all_links_rec
def _with_name(self):
    name = b'Totals'
    rpn = struct.pack('<BHHHHH', 0x3B, 0, 0, 2, 0, 1)
    body = struct.pack('<HBBHHHBBBBB', 0, 0, len(name), len(rpn), 0, 0, 0, 0, 0, 0, 0) + name + rpn
    return _links(self) + struct.pack('<HH', 0x18, len(body)) + body
xlwt.Workbook._Workbook__all_links_rec = _with_name
b = xlwt.Workbook(encoding='utf-8')
d = b.add_sheet('Data')
s = b.add_sheet('Summary')
day = xlwt.easyxf(num_format_str='YYYY-MM-DD')
rows = [['Name', 'Amount', 'When', 'Note'],
        ['Kim', 1500, datetime.date(2024, 1, 15), 'ok'],
        ['Lee', 'abc', datetime.date(2024, 2, 29), '1.5E+10'],
        ['Park', 1.5e10, '2024-03-01', 'x' * 20000],
        ['Choi', xlwt.Formula('B2*2'), None, '  padded  '],
        [None, None, None, None],
        ['Jung', -0.25, datetime.date(1999, 12, 31), 7]]
for r, row in enumerate(rows):
    for c, v in enumerate(row):
        if v is not None:
            d.write(r, c, v, day if isinstance(v, datetime.date) else xlwt.Style.default_style)
s.write(0, 0, 'Total')
s.write(0, 1, xlwt.Formula('SUM(Data!B2:B4)'))
b.save(sys.argv[1])
)PY";

class ObservingUi : public platform::HeadlessUserInterface {
 public:
  using HeadlessUserInterface::HeadlessUserInterface;
  std::string RunDialog(const std::string& caption, const std::string& description) override {
    if (onDialog) onDialog();
    return HeadlessUserInterface::RunDialog(caption, description);
  }
  std::function<void()> onDialog;
};

class XlsImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!xls::testing::HavePythonModules("xlwt")) GTEST_SKIP() << "needs python3-xlwt";
    const char* tmp = std::getenv("TMPDIR");
    savedTmp_ = tmp ? tmp : "";
    setenv("TMPDIR", dir_.path().c_str(), 1);
    book_ = dir_.File("book.xls");
    std::ofstream(dir_.File("make.py")) << kBookScript;
    std::string out;
    ASSERT_EQ(xls::testing::Run(std::string(xls::testing::kPython) + " " + dir_.File("make.py") +
                                    " " + book_ + " 2>&1", &out), 0) << out;
    grid_.insertColumn(-1, "Name", 80, "name", kDataString, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "Amount", 80, "amount", kDataNumeric, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "When", 80, "when", kDataDateTime, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "Note", 80, "note", kDataString, kInputText, "", "", 0, "");
    services_.ui = &ui_;
    services_.registry = &registry_;
  }
  void TearDown() override {
    if (savedTmp_.empty()) unsetenv("TMPDIR"); else setenv("TMPDIR", savedTmp_.c_str(), 1);
  }

  int32_t Import(const std::string& path, std::vector<std::string> answers, int header = 1,
                 int append = 0, int skipEmpty = 0) {
    ui_.QueueAnswer(path);
    for (const std::string& a : answers) ui_.QueueAnswer(a);
    return OpenXlsDialogMember(&grid_, services_, header, append, 0, 0, skipEmpty);
  }
  std::string Cell(int row, int col) const { return grid_.getCellStringData(row, col); }
  bool Logged(const std::string& text) const { return log_.str().find(text) != std::string::npos; }

  TempDir dir_;
  std::string savedTmp_;
  std::string book_;
  std::ostringstream log_;
  ObservingUi ui_{log_};
  platform::IniRegistry registry_{dir_.File("registry.ini")};
  CGridModel grid_;
  platform::Services services_;
};

TEST(XlsImportRules, GeneralFormTypedTextAndExponentShape) {
  EXPECT_EQ(GeneralNumberText(15000000000), "15000000000");
  EXPECT_EQ(GeneralNumberText(150000000000), "1.5E+11");
  EXPECT_EQ(GeneralNumberText(0.00001), "1E-05");
  EXPECT_EQ(GeneralNumberText(-0.25), "-0.25");
  EXPECT_EQ(GeneralNumberText(1.0 / 3), "0.333333333");
  EXPECT_EQ(GeneralNumberText(99999999999.9), "1E+11");
  CGridColumn text, select;
  select.dataType = kDataNumeric;
  select.inputType = kInputSelect;
  CGridColumn stamp;
  stamp.dataType = kDataDateTime;
  auto number = [](double n) { ExcelValue v; v.kind = ExcelValue::kDouble; v.number = n; return v; };
  ExcelValue v = number(1.5e10);
  EXPECT_EQ(TypedValueText(v, nullptr), "15000000000.");  // "%f" with its zeros removed
  EXPECT_EQ(TypedValueText(v, &text), "15000000000");
  EXPECT_EQ(TypedValueText(number(2.5), &select), "2.5");
  ExcelValue date;
  date.kind = ExcelValue::kDate;
  date.year = 2024, date.month = 3, date.day = 1;
  EXPECT_EQ(TypedValueText(date, nullptr), "20240301");
  ExcelValue text_date;
  text_date.kind = ExcelValue::kText;
  text_date.text = "2024-03-01 x";
  EXPECT_EQ(TypedValueText(text_date, &stamp), "20240301");
  EXPECT_TRUE(IsExponentNotation("1.5E+10"));
  EXPECT_TRUE(IsExponentNotation("15e-3"));
  EXPECT_FALSE(IsExponentNotation("1E+1"));  // under five characters
  EXPECT_FALSE(IsExponentNotation("-1.5E+10"));
  EXPECT_TRUE(IsExcelPath("/a/B.XLS"));
  EXPECT_FALSE(IsExcelPath("/a/b.xlsx"));
}

TEST_F(XlsImportTest, ListsWorksheetsButNotNamedRanges) {
  std::vector<std::string> names;
  ASSERT_TRUE(ListExcelSheets(book_, &names));
  EXPECT_EQ(names, (std::vector<std::string>{"Data", "Summary"}));
}

TEST_F(XlsImportTest, ImportsTypedValuesAndReportsRefusedOnes) {
  ASSERT_EQ(Import(book_, {"ok"}), 1);
  EXPECT_TRUE(Logged("DIALOG 엑셀 워크시트 선택: 워크시트 목록 : Data, Summary | sheet=Data | 총 6 건"));
  EXPECT_TRUE(Logged("엑셀 미리보기 데이터를 구성하는 중입니다."));
  EXPECT_TRUE(Logged("엑셀 파일을 불러오기 위해 준비 중입니다."));
  EXPECT_TRUE(Logged("DIALOG Microsoft Internet Explorer: 엑셀 데이터 2 행의 Amount 칼럼이 "
                     "지정된 형식과 일치하지 않습니다."));
  ASSERT_EQ(grid_.getRowCount(), 6);
  EXPECT_EQ(Cell(0, 0), "Kim");
  EXPECT_EQ(Cell(0, 1), "1500");
  EXPECT_EQ(Cell(0, 2), "20240115000000");
  EXPECT_EQ(Cell(1, 1), "");  // "abc" refused, the import went on
  EXPECT_EQ(Cell(1, 2), "20240229000000");
  EXPECT_EQ(Cell(1, 3), "1.5E+10");
  EXPECT_EQ(Cell(2, 1), "15000000000");
  EXPECT_EQ(Cell(2, 2), "20240301000000");  // text "2024-03-01" keeps its digits
  EXPECT_EQ(Cell(2, 3), std::string(20000, 'x'));
  EXPECT_EQ(Cell(3, 1), "42.5");  // the formula's stored result
  EXPECT_EQ(Cell(3, 3), "padded");
  EXPECT_EQ(Cell(5, 1), "-0.25");
  EXPECT_EQ(Cell(5, 3), "7");
}

TEST_F(XlsImportTest, RowRangeIsCheckedAndKept) {
  // The range message takes the queued "ok"; the next answer is asked for.
  ASSERT_EQ(Import(book_, {"from=3;to=7", "ok", "from=3;to=4", "ok"}), 1);
  EXPECT_TRUE(Logged("DIALOG Microsoft Internet Explorer: 가져올 행 범위가 올바르지 않습니다."));
  ASSERT_EQ(grid_.getRowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "Park");
  EXPECT_EQ(Cell(1, 0), "Choi");
}

TEST_F(XlsImportTest, DuplicateFieldQuestion) {
  ASSERT_EQ(Import(book_, {"map4=1", "no", "cancel"}), 0);
  EXPECT_TRUE(Logged("같은 필드로 지정된 항목이 있습니다.\\n\\n계속하시겠습니까?"));
  EXPECT_EQ(grid_.getRowCount(), 0);
  ASSERT_EQ(Import(book_, {"map4=1;map2=0;from=1;to=1", "yes"}), 1);
  ASSERT_EQ(grid_.getRowCount(), 1);
  EXPECT_EQ(Cell(0, 3), "Kim");
  EXPECT_EQ(Cell(0, 1), "");
}

TEST_F(XlsImportTest, SheetChoiceSkipEmptyAndLetters) {
  // Summary has one row: to=5 is refused and the dialog asks again.
  ASSERT_EQ(Import(book_, {"header=0;sheet=Summary;to=5", "ok", "to=1"}, 1), 1);
  EXPECT_TRUE(Logged("sheet=Summary | 총 1 건 | from=1 to=5 | header=0 clear=1 | 칼럼 : 0=(지정 안함) 1=A 2=B"));
  ASSERT_EQ(grid_.getRowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "Total");
  EXPECT_EQ(Cell(0, 1), "42.5");
  ASSERT_EQ(Import(book_, {"ok"}, 1, 0, 1), 1);
  EXPECT_EQ(grid_.getRowCount(), 5);  // the empty row is dropped
  EXPECT_EQ(Cell(4, 0), "Jung");
}

TEST_F(XlsImportTest, ExistingRowsAreDeletedOnlyWhenAsked) {
  grid_.insertRow(-1);
  grid_.setCellStringData(0, 0, "before");
  ASSERT_EQ(Import(book_, {"to=1"}, 1, 1), 1);
  ASSERT_EQ(grid_.getRowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "before");
  ASSERT_EQ(Import(book_, {"to=1;clear=1"}, 1, 1), 1);
  ASSERT_EQ(grid_.getRowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "Kim");
}

TEST_F(XlsImportTest, CorruptWorkbooksGiveAMessageAndNoRows) {
  const std::vector<uint8_t> bytes = xls::testing::ReadBytes(book_);
  const std::string truncated = dir_.File("truncated.xls");
  xls::testing::WriteBytes(truncated, {bytes.begin(), bytes.begin() + 1200});
  const std::string text = dir_.File("text.xls");
  std::ofstream(text) << "Name,Amount\nKim,1500\n";
  for (const std::string& path : {truncated, text}) {
    EXPECT_EQ(Import(path, {"ok"}), 0) << path;
    EXPECT_EQ(grid_.getRowCount(), 0);
  }
  EXPECT_TRUE(Logged("ODBC 드라이버가 정상적으로 설치되지 않았습니다.[ERROR-0004]"));
  EXPECT_EQ(ui_.PendingAnswers(), 0u);

  CSelectExcelSheet broken(&grid_, book_, text, {});
  ASSERT_TRUE(broken.OnInitDialog(&ui_));  // the list comes from the workbook itself
  EXPECT_TRUE(Logged("OLE DB 드라이버가 정상적으로 설치되지 않았습니다.[ERROR-0002]"));
  CSelectExcelSheet missing(&grid_, book_, "", {});
  ASSERT_TRUE(missing.OnInitDialog(&ui_));
  missing.SelectSheet("Missing");
  EXPECT_TRUE(Logged("OLE DB 드라이버가 정상적으로 설치되지 않았습니다.[ERROR-0003]"));
  EXPECT_EQ(missing.total(), 0);
  EXPECT_FALSE(missing.OnOK());
  EXPECT_EQ(grid_.getRowCount(), 0);
}

TEST_F(XlsImportTest, PreviewMappingAndTotal) {
  grid_.setColumnVisible(3, 0);  // hidden columns are not fillable
  CSelectExcelSheet dialog(&grid_, book_, "", {true, false, false, false, false});
  ASSERT_TRUE(dialog.OnInitDialog(&ui_));
  EXPECT_EQ(dialog.total(), 6);
  EXPECT_EQ(dialog.to(), 6);
  EXPECT_EQ(dialog.mappingRow(), (std::vector<std::string>{"Name", "Amount", "When"}));
  dialog.SetMapping(2, 4);
  EXPECT_EQ(dialog.columnMap(), (std::vector<int>{1, 4, 3, -1}));
  ASSERT_EQ(dialog.previewRows().size(), 6u);
  EXPECT_EQ(dialog.previewRows()[1], (std::vector<std::string>{"2", "Lee", "1.5E+10", "20240229"}));
}

TEST_F(XlsImportTest, WorkingCopyTakesTheFirstFreeNameAndIsRemoved) {
  std::ofstream(dir_.File("MG_Temp_0.xls")) << "taken";
  bool sawCopy = false;
  ui_.onDialog = [&] {
    sawCopy = xls::testing::ReadBytes(dir_.File("MG_Temp_1.xls")) == xls::testing::ReadBytes(book_);
  };
  EXPECT_EQ(Import(book_, {"cancel"}), 0);
  EXPECT_TRUE(sawCopy);
  EXPECT_FALSE(fs::exists(dir_.File("MG_Temp_1.xls")));
  EXPECT_TRUE(fs::exists(dir_.File("MG_Temp_0.xls")));
}

TEST_F(XlsImportTest, TypeGuessRowsAreZeroWhileOpenAndRestoredAfter) {
  ASSERT_TRUE(registry_.WriteDword(kJet40ExcelKey, kTypeGuessRows, 16));
  uint32_t during35 = 1, during40 = 1;
  ui_.onDialog = [&] {
    registry_.ReadDword(kJet35ExcelKey, kTypeGuessRows, &during35);
    registry_.ReadDword(kJet40ExcelKey, kTypeGuessRows, &during40);
  };
  EXPECT_EQ(Import(book_, {"cancel"}), 0);
  EXPECT_EQ(during35, 0u);
  EXPECT_EQ(during40, 0u);
  uint32_t after = 0;
  ASSERT_EQ(registry_.ReadDword(kJet40ExcelKey, kTypeGuessRows, &after), platform::RegistryRead::kValue);
  EXPECT_EQ(after, 16u);
  ASSERT_EQ(registry_.ReadDword(kJet35ExcelKey, kTypeGuessRows, &after), platform::RegistryRead::kValue);
  EXPECT_EQ(after, kDefaultTypeGuessRows);  // absent before: the engines' default
}

TEST_F(XlsImportTest, CancelledOrMissingFileReturnsZero) {
  EXPECT_EQ(OpenXlsDialogMember(&grid_, services_, 1, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Logged("open Microsoft Excel Files (*.xls)|*.xls|All Files (*.*)|*.*||"));
  EXPECT_EQ(Import(dir_.File("none.xls"), {}), 0);
  uint32_t value = 0;
  EXPECT_EQ(registry_.ReadDword(kJet40ExcelKey, kTypeGuessRows, &value), platform::RegistryRead::kNoKey);
}

// Root reads every file, so as root the check runs in a child that has
// given up root for the "nobody" user.
TEST_F(XlsImportTest, UnreadableFileAsksUntilCancel) {
  ASSERT_EQ(chmod(book_.c_str(), 0), 0);
  auto check = [this]() {
    return Import(book_, {"ok", "cancel"}) == 1 && Logged("엑셀 파일이 사용 중인 것 같습니다.") &&
           ui_.PendingAnswers() == 0u && grid_.getRowCount() == 0;
  };
  if (geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  // Only the test's own folder is opened up for "nobody".
  ASSERT_EQ(std::filesystem::path(book_).parent_path(), std::filesystem::path(dir_.path()));
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
    _exit(dropped && check() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace maltrove
