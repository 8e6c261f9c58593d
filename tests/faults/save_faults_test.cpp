// Every save meets a full disk half-way (a file size limit in a forked
// child): the member answers its failure value, the earlier file stays
// whole and no temporary file is left beside it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "control/korvale_grid_ctrl.h"
#include "faults/fault_child.h"
#include "gateway/maltrove_dbgateway_ctrl.h"
#include "platform/headless_ui.h"
#include "platform/ini_registry.h"
#include "platform/temp_folder.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::FolderEntries;
using testing::RunWithFileSizeLimit;

constexpr rlim_t kLimit = 4096;  // far below every new file written here
constexpr int kRows = 3000;

class SaveFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("maltrove-savefaults-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "tmp");
    fs::create_directories(dir_ / "files");
    setenv("TMPDIR", (dir_ / "tmp/").c_str(), 1);
    processFolder_ = platform::ProcessTempFolder();  // made here, not in a child
    ASSERT_FALSE(processFolder_.empty());
    services_.ui = &ui_;
    registry_ = std::make_unique<platform::IniRegistry>((dir_ / "config" / "registry.ini").string());
    services_.registry = registry_.get();
    grid_ = std::make_unique<CKorvaleGridCtrl>(services_);
    ASSERT_EQ(grid_->setGridStyleXML("<gridStyle><column id=\"name\"/>"
                                     "<column id=\"n\" dataType=\"numeric\"/></gridStyle>"), 1);
    AddRows(2);
  }
  void TearDown() override {
    grid_.reset();
    unsetenv("TMPDIR");
    fs::remove_all(dir_);
  }

  void AddRows(int count) {
    CGridModel& model = grid_->grid().model();
    for (int i = 0; i < count; ++i) {
      const int row = model.insertRow(-1);
      model.setCellStringData(row, 0, "행 " + std::to_string(row));
      model.setCellStringData(row, 1, std::to_string(row));
    }
  }
  fs::path File(const char* name) const { return dir_ / "files" / name; }

  // `save` fails under the limit, leaves `targets` as they were and adds
  // nothing to their folder or to the process's temporary folder; without
  // the limit the same save succeeds and changes the first target.
  void ExpectFailureKeepsFiles(const std::vector<fs::path>& targets,
                               const std::function<int()>& save, int failure, int success,
                               rlim_t limit = kLimit) {
    std::vector<std::string> before;
    for (const fs::path& target : targets) before.push_back(FileBytes(target));
    const auto entries = FolderEntries(targets.front().parent_path());
    ASSERT_FALSE(before.front().empty());
    EXPECT_EQ(RunWithFileSizeLimit(limit, save), failure);
    for (size_t i = 0; i < targets.size(); ++i) {
      EXPECT_TRUE(FileBytes(targets[i]) == before[i]) << targets[i] << " changed";
    }
    EXPECT_EQ(FolderEntries(targets.front().parent_path()), entries);
    EXPECT_TRUE(FolderEntries(processFolder_).empty());
    EXPECT_EQ(save(), success);
    EXPECT_TRUE(FileBytes(targets.front()) != before.front()) << targets.front() << " unchanged";
  }

  fs::path dir_;
  std::string processFolder_;
  std::ostringstream log_;
  platform::HeadlessUserInterface ui_{log_};
  std::unique_ptr<platform::IniRegistry> registry_;
  platform::Services services_;
  std::unique_ptr<CKorvaleGridCtrl> grid_;
};

TEST_F(SaveFaultsTest, XmlFilePairAndCombinedFile) {
  ASSERT_EQ(grid_->saveXMLFile(File("s.xml"), File("v.xml"), 0), 1);
  ASSERT_EQ(grid_->saveXMLFileEx(File("both.xml"), 0), 1);
  AddRows(kRows);
  ExpectFailureKeepsFiles({File("v.xml"), File("s.xml")},
                          [&] { return grid_->saveXMLFile(File("s.xml"), File("v.xml"), 0); }, 0, 1);
  ExpectFailureKeepsFiles({File("both.xml")},
                          [&] { return grid_->saveXMLFileEx(File("both.xml"), 0); }, 0, 1);
}

TEST_F(SaveFaultsTest, LoadingRewritesTheFileWholeOrNotAtAll) {
  AddRows(kRows);
  ASSERT_EQ(grid_->saveXMLFile(File("s.xml"), File("v.xml"), 0), 1);
  grid_->setCharacterSet("euc-kr");  // the load rewrites the file in EUC-KR
  const std::string before = FileBytes(File("v.xml"));
  EXPECT_EQ(RunWithFileSizeLimit(kLimit, [&] {
              return grid_->openXMLFile(File("s.xml"), File("v.xml"));
            }), 0);
  EXPECT_TRUE(FileBytes(File("v.xml")) == before) << "v.xml changed";
  EXPECT_EQ(FolderEntries(dir_ / "files"), (std::set<std::string>{"s.xml", "v.xml"}));
  EXPECT_EQ(grid_->openXMLFile(File("s.xml"), File("v.xml")), 1);
  EXPECT_EQ(grid_->grid().model().getRowCount(), kRows + 2);
}

TEST_F(SaveFaultsTest, ZippedTransportBothWays) {
  AddRows(kRows);
  const std::string zipped = grid_->getAllXMLZipBase64();
  ASSERT_FALSE(zipped.empty());
  EXPECT_EQ(RunWithFileSizeLimit(kLimit, [&] { return grid_->getAllXMLZipBase64().empty() ? 0 : 1; }),
            0);
  EXPECT_TRUE(FolderEntries(processFolder_).empty());
  grid_->grid().model().removeAllRows();
  // Loading writes the archive and its entry as temporaries: the entry fails.
  EXPECT_EQ(RunWithFileSizeLimit(kLimit, [&] {
              const int result = grid_->setAllXMLZipBase64(zipped);
              return result * 2 + (grid_->grid().model().getRowCount() == 0 ? 1 : 0);
            }), 1);
  EXPECT_TRUE(FolderEntries(processFolder_).empty());
  EXPECT_EQ(grid_->setAllXMLZipBase64(zipped), 1);
  EXPECT_EQ(grid_->grid().model().getRowCount(), kRows + 2);
}

TEST_F(SaveFaultsTest, SeparatedValuesAndWorkbooks) {
  const auto exportCsv = [&] {
    ui_.QueueAnswer(File("out.csv").string());
    ui_.QueueAnswer("delim=,;header=1;quotes=0");
    return grid_->saveDSVDialog("out.csv", ",", 1, 0, 0, 0, 0);
  };
  const auto exportXls = [&] {
    ui_.QueueAnswer(File("book.xls").string());
    ui_.QueueAnswer("no");  // do not open the saved workbook
    return grid_->saveXLSDialog("book.xls", 0, 0, 0);
  };
  ASSERT_EQ(exportCsv(), 1);
  ASSERT_EQ(exportXls(), 1);
  AddRows(kRows);
  ExpectFailureKeepsFiles({File("out.csv")}, exportCsv, 0, 1);
  ExpectFailureKeepsFiles({File("book.xls")}, exportXls, 0, 1);
}

TEST_F(SaveFaultsTest, RegistryFile) {
  const fs::path path = dir_ / "config" / "registry.ini";
  for (int i = 0; i < 200; ++i) {  // other programs' values, written before
    ASSERT_TRUE(registry_->WriteDword("Software\\Other\\Key" + std::to_string(i), "Value", i));
  }
  ASSERT_EQ(grid_->writeRegVal(4), 0);
  ExpectFailureKeepsFiles({path}, [&] { return grid_->writeRegVal(6); }, 1, 0);
  EXPECT_EQ(grid_->readRegVal(), 6);
}

TEST_F(SaveFaultsTest, DsnFileAndConditionFiles) {
  CMaltroveDBGatewayCtrl gateway(services_);
  gateway.LoadProperties({{"tempURL", (dir_ / "gateway").string()}});
  ASSERT_EQ(gateway.setDSN("a", "b", "c"), 1);
  const std::string value(200, 'x');
  ExpectFailureKeepsFiles({dir_ / "gateway" / "dsn" / "dsn.inf"},
                          [&] { return gateway.setDSN(value, value, value); }, 0, 1, 256);
  EXPECT_NE(gateway.getDSN().find(value), std::string::npos);

  ASSERT_EQ(gateway.setCondition("k", "WHERE a = 1"), 1);
  const std::string longCondition = "WHERE a IN (" + std::string(3 * kLimit, '1') + ")";
  ExpectFailureKeepsFiles({dir_ / "gateway" / "query" / "k.sql"},
                          [&] { return gateway.setCondition("k", longCondition); }, 0, 1);
}

}  // namespace
}  // namespace maltrove
