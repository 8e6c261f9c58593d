// The gateway's query preview shown as a form, over a SQLite data source of
// its own: the condition typed by hand runs the query again and OK keeps it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

#include "gateway/preview_dialog.h"
#include "platform/qt/qt_user_interface.h"
#include "platform_qt/form_driver.h"
#include "shared/odbc_recordset.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;
using namespace platform::testing;
using platform::FormDialog;

constexpr char kConnect[] = "ODBC;DSN=maltrove_forms;UID=;PWD=";
constexpr char kQuery[] = "SELECT name, qty FROM items";

// The variables must be set before the first ODBC call of the program.
class PreviewFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = ::testing::TempDir() + "preview_form_" + std::to_string(::getpid());
    fs::create_directories(folder_);
    std::ofstream(folder_ + "/odbcinst.ini")
        << "[SQLite3]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n";
    std::ofstream(folder_ + "/odbc.ini")
        << "[maltrove_forms]\nDriver=SQLite3\nDatabase=" << folder_ << "/t.db\nTimeout=2000\n";
    setenv("ODBCSYSINI", folder_.c_str(), 1);
    setenv("ODBCINI", (folder_ + "/odbc.ini").c_str(), 1);
    CDatabaseEx db;
    ASSERT_TRUE(db.Open(kConnect + 5));
    db.ExecuteSQLCount("CREATE TABLE items (name TEXT, qty INTEGER)");
    db.ExecuteSQLCount(
        "INSERT INTO items VALUES ('사과', 3), ('배', 7), ('감', 12), ('귤', 1)");
  }
  static void TearDownTestSuite() { fs::remove_all(folder_); }

  void SetUp() override {
    platform::InstallFontSubstitutions();
    columns_.resize(2);
    columns_[0].name = "품명";
    columns_[1].name = "수량";
  }

  static std::string folder_;
  std::vector<CDBGFieldInfo> columns_;
  platform::QtUserInterface ui_;
};

std::string PreviewFormTest::folder_;

std::vector<QString> Column(QTableWidget* list, int column) {
  std::vector<QString> texts;
  for (int row = 0; row < list->rowCount(); ++row) texts.push_back(list->item(row, column)->text());
  return texts;
}

TEST_F(PreviewFormTest, AnEditedConditionRunsAgainAndOkKeepsIt) {
  CPreviewDlg dialog(kConnect, kQuery, "WHERE qty > 2 ORDER BY qty", true, columns_);
  std::vector<QString> before, after;
  QString title;
  WhenFormShown([&](FormDialog* form) {
    auto* list = Widget<QTableWidget>(form, CPreviewDlg::kIdList);
    title = list->horizontalHeaderItem(0)->text();
    before = Column(list, 0);
    Type(Widget<QLineEdit>(form, CPreviewDlg::kIdCondition), "WHERE qty < 10 ORDER BY name");
    Click(Widget<QPushButton>(form, CPreviewDlg::kIdRun));
    after = Column(list, 0);
    SavePicture(form, "query_preview");
    QTest::keyClick(Widget<QLineEdit>(form, CPreviewDlg::kIdCondition), Qt::Key_Return);
  });
  ASSERT_TRUE(dialog.DoModal(&ui_));
  EXPECT_EQ(title, QStringLiteral("품명"));
  EXPECT_EQ(before, (std::vector<QString>{"사과", "배", "감"}));
  EXPECT_EQ(after, (std::vector<QString>{"귤", "배", "사과"}));
  EXPECT_EQ(dialog.condition(), "WHERE qty < 10 ORDER BY name");
  ASSERT_EQ(dialog.rows().size(), 3u);
  EXPECT_EQ(dialog.rows()[2][1], "3");
}

TEST_F(PreviewFormTest, WithoutAConditionKeyTheConditionIsFixedAndCancelLeaves) {
  CPreviewDlg dialog(kConnect, kQuery, "WHERE qty = 12", false, columns_);
  bool editable = true, runnable = true;
  int rows = 0;
  WhenFormShown([&](FormDialog* form) {
    editable = Widget<QLineEdit>(form, CPreviewDlg::kIdCondition)->isEnabled();
    runnable = Widget<QPushButton>(form, CPreviewDlg::kIdRun)->isEnabled();
    rows = Widget<QTableWidget>(form, CPreviewDlg::kIdList)->rowCount();
    Click(Widget<QPushButton>(form, CPreviewDlg::kIdCancel));
  });
  EXPECT_FALSE(dialog.DoModal(&ui_));
  EXPECT_FALSE(editable);
  EXPECT_FALSE(runnable);
  EXPECT_EQ(rows, 1);
}

}  // namespace
}  // namespace maltrove
