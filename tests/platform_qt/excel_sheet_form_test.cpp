// The sheet-selection dialog shown as a form: a person picks the sheet, the
// row range and the mapping; the grid receives those rows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "io/excel_sheet_dialog.h"
#include "io/xls/workbook_writer.h"
#include "io/xls_import.h"
#include "platform/ini_registry.h"
#include "platform/qt/qt_user_interface.h"
#include "platform/services.h"
#include "platform_qt/form_driver.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;
using namespace platform::testing;
using platform::FormDialog;

const char* const kNames[] = {"강", "남", "도", "류", "문", "박"};

class ExcelSheetFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallFontSubstitutions();
    dir_ = ::testing::TempDir() + "excel_form_" + std::to_string(::getpid());
    fs::create_directories(dir_);
    book_ = dir_ + "/book.xls";
    WriteBook();
    grid_.insertColumn(-1, "이름", 90, "name", kDataString, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "수량", 70, "count", kDataNumeric, kInputText, "", "", 0, "");
    services_.ui = &ui_;
    services_.registry = &registry_;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // "요약" comes first; "자료" holds a header row and six rows of a number
  // and a name.
  void WriteBook() {
    xls::WorkbookWriter book;
    const int summary = book.AddSheet("요약");
    book.SetText(summary, 0, 0, "합계");
    const int data = book.AddSheet("자료");
    book.SetText(data, 0, 0, "번호");
    book.SetText(data, 0, 1, "이름");
    for (uint32_t r = 1; r <= 6; ++r) {
      book.SetNumber(data, r, 0, r * 10);
      book.SetText(data, r, 1, kNames[r - 1]);
    }
    std::string error;
    ASSERT_TRUE(book.Save(book_, &error)) << error;
  }
  std::string Cell(int row, int col) const { return grid_.getCellStringData(row, col); }

  std::string dir_;
  std::string book_;
  platform::QtUserInterface ui_;
  platform::IniRegistry registry_{::testing::TempDir() + "excel_form_registry.ini"};
  platform::Services services_;
  CGridModel grid_;
};

TEST_F(ExcelSheetFormTest, ASheetARangeAndAMappingChosenByHandAreImported) {
  QString total, refusal;
  int refusedStillShown = 0;
  WhenFormShown([&](FormDialog* form) {
    Choose(Widget<QComboBox>(form, CSelectExcelSheet::kIdSheets), "자료");
    total = Widget<QLabel>(form, CSelectExcelSheet::kIdTotal)->text();
    Choose(Widget<QComboBox>(form, CSelectExcelSheet::kIdMapping + 1), "이름");
    Choose(Widget<QComboBox>(form, CSelectExcelSheet::kIdMapping + 2), "번호");
    Type(Widget<QLineEdit>(form, CSelectExcelSheet::kIdFrom), "2");
    auto* to = Widget<QLineEdit>(form, CSelectExcelSheet::kIdTo);
    Type(to, "9");
    SavePicture(form, "excel_sheet");
    WhenMessageShown([&](QWidget* box) {
      refusal = qobject_cast<QMessageBox*>(box)->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    auto* ok = Widget<QPushButton>(form, CSelectExcelSheet::kIdOk);
    Click(ok);
    refusedStillShown = form->isVisible();
    Type(to, "4");
    Click(ok);
  });
  ASSERT_EQ(OpenXlsFile(&grid_, services_, book_, 1, 0, 0, 0, 0), 1);
  EXPECT_EQ(total, QStringLiteral("총 6 건"));
  EXPECT_EQ(refusal, QStringLiteral("가져올 행 범위가 올바르지 않습니다."));
  EXPECT_TRUE(refusedStillShown) << "a refused OK keeps the dialog open";
  ASSERT_EQ(grid_.getRowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Cell(row, 0), kNames[row + 1]);
    EXPECT_EQ(Cell(row, 1), std::to_string((row + 2) * 10));
  }
}

TEST_F(ExcelSheetFormTest, ThePreviewFollowsTheHeaderBoxAndCancelImportsNothing) {
  QString firstWithHeader, firstWithout, totalWithout;
  WhenFormShown([&](FormDialog* form) {
    Choose(Widget<QComboBox>(form, CSelectExcelSheet::kIdSheets), "자료");
    auto* list = Widget<QTableWidget>(form, CSelectExcelSheet::kIdPreviewList);
    firstWithHeader = list->item(1, 1)->text();
    Click(Widget<QCheckBox>(form, CSelectExcelSheet::kIdHeader));
    firstWithout = list->item(1, 1)->text();
    totalWithout = Widget<QLabel>(form, CSelectExcelSheet::kIdTotal)->text();
    QTest::keyClick(form, Qt::Key_Escape);
  });
  EXPECT_EQ(OpenXlsFile(&grid_, services_, book_, 1, 0, 0, 0, 0), 0);
  EXPECT_EQ(firstWithHeader, QStringLiteral("10"));
  EXPECT_EQ(firstWithout, QStringLiteral("번호"));
  EXPECT_EQ(totalWithout, QStringLiteral("총 7 건"));
  EXPECT_EQ(grid_.getRowCount(), 0);
}

}  // namespace
}  // namespace maltrove
