// The separated-value export and import dialogs shown as forms: keys and
// clicks choose the options, and the file or the grid shows the result.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "io/dsv_dialogs.h"
#include "io/dsv_format.h"
#include "io/dsv_transfer.h"
#include "platform/qt/qt_user_interface.h"
#include "platform_qt/form_driver.h"

namespace maltrove {
namespace {

using namespace platform::testing;
using platform::FormDialog;

constexpr char kDelimiters[] = ",\\t:;|@#$&*!";

class DsvFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallFontSubstitutions();
    grid_.insertColumn(-1, "이름", 90, "name", kDataString, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "수량", 70, "count", kDataNumeric, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "비고", 120, "note", kDataString, kInputText, "", "", 0, "");
  }
  void AddRow(const std::string& name, const std::string& count, const std::string& note) {
    const int row = grid_.insertRow(-1);
    grid_.setCellStringData(row, 0, name);
    grid_.setCellStringData(row, 1, count);
    grid_.setCellStringData(row, 2, note);
  }
  std::string Cell(int row, int col) const { return grid_.getCellStringData(row, col); }

  platform::QtUserInterface ui_;
  CGridModel grid_;
};

TEST_F(DsvFormsTest, ExportOptionsChosenByKeysAndClicksReachTheFile) {
  AddRow("김철수", "3", "say \"hi\"");
  AddRow("이영희", "5", "");
  CSaveSeparatedValueDlg dialog({kDelimiters, ",", 0, false});
  WhenFormShown([](FormDialog* form) {
    Choose(Widget<QComboBox>(form, CSaveSeparatedValueDlg::kIdDelimiter), "|");
    Click(Widget<QCheckBox>(form, CSaveSeparatedValueDlg::kIdHeader));
    auto* quotes = Widget<QCheckBox>(form, CSaveSeparatedValueDlg::kIdQuotes);
    Click(quotes);
    SavePicture(form, "export");
    QTest::keyClick(quotes, Qt::Key_Return);  // the default button
  });
  DsvExportOptions options;
  ASSERT_TRUE(dialog.DoModal(&ui_, &options));
  const std::string path = ::testing::TempDir() + "forms_export.csv";
  ASSERT_TRUE(ExportSeparatedValues(grid_, path, options, nullptr));
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "이름|수량|비고\r\n김철수|3|say hi\r\n이영희|5|");
  std::filesystem::remove(path);
}

TEST_F(DsvFormsTest, EscapeCancelsTheExport) {
  CSaveSeparatedValueDlg dialog({kDelimiters, ";", 1, false});
  bool header = false;
  WhenFormShown([&](FormDialog* form) {
    header = Widget<QCheckBox>(form, CSaveSeparatedValueDlg::kIdHeader)->isChecked();
    QTest::keyClick(form, Qt::Key_Escape);
  });
  DsvExportOptions options;
  EXPECT_FALSE(dialog.DoModal(&ui_, &options));
  EXPECT_TRUE(header) << "nHeader 1 starts the box checked";
}

TEST_F(DsvFormsTest, ImportWithAChosenDelimiterAndMappingFillsTheGrid) {
  AddRow("old", "1", "gone");
  const std::string text = "x1;3;김철수\r\nx2;5;이영희";
  COpenSeparatedValueDlg dialog(grid_, text, {kDelimiters, ",", 0, false},
                                ListedColumns(grid_, false, false), false, false);
  QString previewName, mappingCell;
  WhenFormShown([&](FormDialog* form) {
    Choose(Widget<QComboBox>(form, COpenSeparatedValueDlg::kIdDelimiter), ";");
    auto* nameBox = Widget<QComboBox>(form, COpenSeparatedValueDlg::kIdMapping + 1);
    ASSERT_NE(nameBox->findText("C"), -1) << "the boxes list the fields of the new delimiter";
    Choose(nameBox, "C");
    Choose(Widget<QComboBox>(form, COpenSeparatedValueDlg::kIdMapping + 3), kNotAssigned);
    Click(Widget<QCheckBox>(form, COpenSeparatedValueDlg::kIdClear));
    auto* list = Widget<QTableWidget>(form, COpenSeparatedValueDlg::kIdPreviewList);
    mappingCell = list->item(0, 1)->text();
    previewName = list->item(1, 1)->text();
    SavePicture(form, "import");
    Click(Widget<QPushButton>(form, COpenSeparatedValueDlg::kIdOk));
  });
  DsvImportOptions options;
  ASSERT_TRUE(dialog.DoModal(&ui_, &options));
  EXPECT_EQ(mappingCell, QStringLiteral("C"));
  EXPECT_EQ(previewName, QStringLiteral("김철수"));
  ASSERT_EQ(ImportSeparatedValues(&grid_, text, options, &ui_, nullptr), DsvImportResult::kDone);
  ASSERT_EQ(grid_.getRowCount(), 2) << "the old row was deleted first";
  EXPECT_EQ(Cell(0, 0), "김철수");
  EXPECT_EQ(Cell(0, 1), "3");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_EQ(Cell(1, 0), "이영희");
  EXPECT_EQ(Cell(1, 1), "5");
}

TEST_F(DsvFormsTest, TheHeaderBoxTurnsTheFirstLineIntoFieldNames) {
  const std::string text = "번호,이름\r\n7,박\r\n8,최";
  COpenSeparatedValueDlg dialog(grid_, text, {kDelimiters, ",", 0, false},
                                ListedColumns(grid_, false, false), false, false);
  WhenFormShown([&](FormDialog* form) {
    Click(Widget<QCheckBox>(form, COpenSeparatedValueDlg::kIdHeader));
    Choose(Widget<QComboBox>(form, COpenSeparatedValueDlg::kIdMapping + 1), "이름");
    Choose(Widget<QComboBox>(form, COpenSeparatedValueDlg::kIdMapping + 2), "번호");
    Click(Widget<QPushButton>(form, COpenSeparatedValueDlg::kIdOk));
  });
  DsvImportOptions options;
  ASSERT_TRUE(dialog.DoModal(&ui_, &options));
  ASSERT_EQ(ImportSeparatedValues(&grid_, text, options, &ui_, nullptr), DsvImportResult::kDone);
  ASSERT_EQ(grid_.getRowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "박");
  EXPECT_EQ(Cell(0, 1), "7");
  EXPECT_EQ(Cell(1, 0), "최");
}

}  // namespace
}  // namespace maltrove
