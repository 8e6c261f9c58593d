// The page's characterSet decides the code page of separated-value files
// that the grid's members write and read.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "control/korvale_grid_ctrl.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DsvCharacterSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "maltrove-dsvcs-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    services_.ui = &ui_;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A grid of the page: its params, two text columns, and the rows given.
  std::unique_ptr<CKorvaleGridCtrl> Grid(const std::string& characterSet) {
    auto grid = std::make_unique<CKorvaleGridCtrl>(services_);
    grid->LoadProperties({{"characterSet", characterSet}});
    grid->setGridStyleXML(
        "<gridStyle><column id=\"name\" name=\"이름\"/><column id=\"memo\" name=\"메모\"/></gridStyle>");
    return grid;
  }

  std::string Save(CKorvaleGridCtrl& grid, const std::string& name) {
    const std::string path = (dir_ / name).string();
    ui_.QueueAnswer(path);
    ui_.QueueAnswer("delim=,;header=1;quotes=0");
    EXPECT_EQ(grid.saveDSVDialog(name, ",", 1, 0, 0, 0, 0), 1);
    return path;
  }

  int Open(CKorvaleGridCtrl& grid, const std::string& path) {
    ui_.QueueAnswer(path);
    ui_.QueueAnswer("delim=,;header=1");
    return grid.openDSVDialog(",", 1, 0, 0, 0, 0, 0);
  }

  fs::path dir_;
  std::ostringstream log_;
  platform::HeadlessUserInterface ui_{log_};
  platform::Services services_;
};

TEST_F(DsvCharacterSetTest, EucKrPageWritesCp949AndReadsItBack) {
  auto grid = Grid("euc-kr");
  grid->grid().model().insertRow(-1);
  grid->grid().model().setCellStringData(0, 0, "홍길동");
  grid->grid().model().setCellStringData(0, 1, "똠방각하");  // beyond EUC-KR, inside CP949
  grid->grid().model().insertRow(-1);
  grid->grid().model().setCellStringData(1, 0, "김철수");
  grid->grid().model().setCellStringData(1, 1, "a,b");
  const std::string path = Save(*grid, "korean.csv");
  const std::string text = "이름,메모\r\n홍길동,똠방각하\r\n김철수,a,b";
  const std::string utf8 = (dir_ / "expected.utf8").string();
  std::ofstream(utf8, std::ios::binary) << text;
  const std::string cp949 = (dir_ / "expected.cp949").string();
  ASSERT_EQ(std::system(("iconv -f UTF-8 -t CP949 '" + utf8 + "' > '" + cp949 + "'").c_str()), 0);
  EXPECT_EQ(Bytes(path), Bytes(cp949));

  // Read back by a page in euc-kr and by one that named no character set.
  for (const char* characterSet : {"euc-kr", ""}) {
    auto back = Grid(characterSet);
    ASSERT_EQ(Open(*back, path), 1) << characterSet;
    ASSERT_EQ(back->grid().model().getRowCount(), 2);
    EXPECT_EQ(back->grid().model().getCellStringData(0, 0), "홍길동");
    EXPECT_EQ(back->grid().model().getCellStringData(0, 1), "똠방각하");
    EXPECT_EQ(back->grid().model().getCellStringData(1, 0), "김철수");
  }
  // The import dialog showed the decoded header names as mapping items.
  EXPECT_NE(log_.str().find("이름=이름 메모=메모"), std::string::npos) << log_.str();
}

TEST_F(DsvCharacterSetTest, PagesWithoutACodePageWriteUtf8) {
  for (const char* characterSet : {"", "utf-8", "no-such-encoding"}) {
    auto grid = Grid(characterSet);
    grid->grid().model().insertRow(-1);
    grid->grid().model().setCellStringData(0, 0, "홍길동");
    const std::string path = Save(*grid, std::string("plain") + characterSet + ".csv");
    EXPECT_EQ(Bytes(path), "이름,메모\r\n홍길동,") << characterSet;
  }
}

TEST_F(DsvCharacterSetTest, APageInAnotherCodePageReadsFilesWithoutAMarkInIt) {
  const fs::path path = dir_ / "cyrillic.csv";
  // "Имя,Город" / "Иван,Москва" in windows-1251.
  std::ofstream(path, std::ios::binary)
      << "\xC8\xEC\xFF,\xC3\xEE\xF0\xEE\xE4\r\n\xC8\xE2\xE0\xED,\xCC\xEE\xF1\xEA\xE2\xE0";
  auto grid = Grid("windows-1251");
  ASSERT_EQ(Open(*grid, path.string()), 1);
  ASSERT_EQ(grid->grid().model().getRowCount(), 1);
  EXPECT_EQ(grid->grid().model().getCellStringData(0, 0), "Иван");
  EXPECT_EQ(grid->grid().model().getCellStringData(0, 1), "Москва");
}

}  // namespace
}  // namespace maltrove
