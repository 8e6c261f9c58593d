// A worker that throws half-way through an import (here: its progress
// dialog runs out of memory): the dialog still closes, with Cancel, the rows
// the import appended are taken back and the member answers 0.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>

#include "control/korvale_grid_ctrl.h"
#include "platform/headless_progress.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;

// A progress dialog whose bar throws std::bad_alloc on its n-th advance.
class FailingProgress : public platform::HeadlessProgressDialog {
 public:
  FailingProgress(int failAt, Result* closedWith) : failAt_(failAt), closedWith_(closedWith) {}
  void SetPosition(int position) override {
    if (position > 0) Advance();
    HeadlessProgressDialog::SetPosition(position);
  }
  void Step() override {
    Advance();
    HeadlessProgressDialog::Step();
  }
  void Post(Result result) override {
    *closedWith_ = result;
    HeadlessProgressDialog::Post(result);
  }

 private:
  void Advance() {
    if (++advances_ == failAt_) throw std::bad_alloc();
  }
  int failAt_;
  int advances_ = 0;
  Result* closedWith_;
};

class FailingProgressUi : public platform::HeadlessUserInterface {
 public:
  using HeadlessUserInterface::HeadlessUserInterface;
  std::unique_ptr<platform::ProgressDialog> CreateProgressDialog() override {
    ++dialogs;
    return std::make_unique<FailingProgress>(failAt, &closedWith);
  }
  int failAt = 0;  // 0: never
  int dialogs = 0;
  platform::ProgressDialog::Result closedWith{};
};

class ImportFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("maltrove-importfaults-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "tmp");
    setenv("TMPDIR", (dir_ / "tmp/").c_str(), 1);
    services_.ui = &ui_;
    grid_ = std::make_unique<CKorvaleGridCtrl>(services_);
    ASSERT_EQ(grid_->setGridStyleXML("<gridStyle><column id=\"name\" name=\"Name\"/>"
                                     "<column id=\"n\" name=\"N\" dataType=\"numeric\"/></gridStyle>"), 1);
    ASSERT_EQ(grid_->insertRowXML("<vector><data vectorkey=\"0\"><record><name value=\"kept\"/>"
                                  "<n value=\"7\"/></record></data></vector>"), 1);
  }
  void TearDown() override {
    grid_.reset();
    unsetenv("TMPDIR");
    fs::remove_all(dir_);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  std::string Rows() { return grid_->getAllXML(); }

  fs::path dir_;
  std::ostringstream log_;
  FailingProgressUi ui_{log_};
  platform::Services services_;
  std::unique_ptr<CKorvaleGridCtrl> grid_;
};

TEST_F(ImportFaultsTest, SeparatedValuesTakeTheirRowsBack) {
  {
    std::ofstream csv(Path("rows.csv"), std::ios::binary);
    for (int i = 0; i < 40; ++i) csv << "name " << i << "," << i << "\r\n";
  }
  const std::string before = Rows();
  ui_.failAt = 10;  // after nine lines were appended
  ui_.QueueAnswer(Path("rows.csv"));
  ui_.QueueAnswer("delim=,;header=0");
  EXPECT_EQ(grid_->openDSVDialog(",", 0, 1, 0, 0, 0, 0), 0);
  EXPECT_EQ(ui_.closedWith, platform::ProgressDialog::kCancel);
  ui_.failAt = 0;
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(grid_->grid().model().immediateDrawMode(), 1);

  // The same import without the fault appends every line.
  ui_.QueueAnswer(Path("rows.csv"));
  ui_.QueueAnswer("delim=,;header=0");
  EXPECT_EQ(grid_->openDSVDialog(",", 0, 1, 0, 0, 0, 0), 1);
  EXPECT_EQ(ui_.closedWith, platform::ProgressDialog::kOk);
  EXPECT_EQ(grid_->grid().model().getRowCount(), 41);
}

TEST_F(ImportFaultsTest, WorkbookRowsTakenBack) {
  CKorvaleGridCtrl source(services_);
  ASSERT_EQ(source.setGridStyleXML("<gridStyle><column id=\"name\" name=\"Name\"/>"
                                   "<column id=\"n\" name=\"N\" dataType=\"numeric\"/></gridStyle>"), 1);
  for (int i = 0; i < 30; ++i) {
    source.grid().model().insertRow(-1);
    source.grid().model().setCellStringData(i, 0, "name " + std::to_string(i));
    source.grid().model().setCellStringData(i, 1, std::to_string(i));
  }
  ui_.QueueAnswer(Path("book.xls"));
  ui_.QueueAnswer("no");
  ASSERT_EQ(source.saveXLSDialog("book.xls", 0, 0, 0), 1);

  const std::string before = Rows();
  ui_.failAt = 12;
  ui_.QueueAnswer(Path("book.xls"));
  ui_.QueueAnswer("sheet=Sheet1;header=1");
  EXPECT_EQ(grid_->openXLSDialog(1, 1, 0, 0, 0), 0);
  EXPECT_EQ(ui_.closedWith, platform::ProgressDialog::kCancel);
  ui_.failAt = 0;
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(grid_->grid().model().immediateDrawMode(), 1);

  ui_.QueueAnswer(Path("book.xls"));
  ui_.QueueAnswer("sheet=Sheet1;header=1");
  EXPECT_EQ(grid_->openXLSDialog(1, 1, 0, 0, 0), 1);
  EXPECT_EQ(grid_->grid().model().getRowCount(), 31);
}

// Vector rows are inserted where their keys say, not appended: a load that
// stops half-way keeps the rows it made, as one that meets bad XML does. The
// worker's exception still ends the dialog and the member's answer is 0.
TEST_F(ImportFaultsTest, VectorRowsStopWithTheDialogClosed) {
  std::string xml = "<vector result=\"30\">";
  for (int i = 0; i < 30; ++i) {
    xml += "<data vectorkey=\"" + std::to_string(i + 1) + "\"><record><name value=\"r" +
           std::to_string(i) + "\"/></record></data>";
  }
  xml += "</vector>";
  ui_.failAt = 5;
  EXPECT_EQ(grid_->insertRowXML(xml), 0);
  EXPECT_EQ(ui_.closedWith, platform::ProgressDialog::kCancel);
  ui_.failAt = 0;
  EXPECT_EQ(grid_->grid().model().getCellStringData(0, 0), "kept");
  EXPECT_LT(grid_->grid().model().getRowCount(), 31);
  EXPECT_EQ(grid_->insertRowXML(xml), 1);
}

}  // namespace
}  // namespace maltrove
