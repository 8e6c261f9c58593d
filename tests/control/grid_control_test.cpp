// The control object: persisted properties, references, files it writes and
// the zipped transport checked with standard tools.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "control/korvale_grid_ctrl.h"
#include "control/reference.h"
#include "formats/base64.h"
#include "platform/file_io.h"
#include "platform/temp_folder.h"

namespace maltrove {
namespace {

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PersistedPropertiesTest, DefaultsWithoutParams) {
  CKorvaleGridCtrl grid(platform::Services{});
  grid.LoadProperties({});
  EXPECT_EQ(grid.parserVersion(), 30);
  EXPECT_EQ(grid.grid().model().characterSet, "");
  EXPECT_EQ(grid.delimiter(), ",\\t:;|@#$&*!");
  EXPECT_EQ(grid.delimiter().size(), 12u);
  EXPECT_EQ(grid.protectKeyboard(), 1);
}

TEST(PersistedPropertiesTest, PostProcessing) {
  CKorvaleGridCtrl grid(platform::Services{});
  grid.LoadProperties({{"parserVersion", "35"}, {"protectKeyboard", "FALSE"},
                       {"characterSet", "EUC-KR"}});
  EXPECT_EQ(grid.parserVersion(), 30);
  EXPECT_EQ(grid.protectKeyboard(), 1);
  EXPECT_EQ(grid.grid().model().outputCodePage, 949);
  CKorvaleGridCtrl other(platform::Services{});
  other.LoadProperties({{"parserVersion", "40"}, {"protectKeyboard", "false"}});
  EXPECT_EQ(other.parserVersion(), 40);
  EXPECT_EQ(other.protectKeyboard(), 0);
}

TEST(PersistedPropertiesTest, ScrollBarImagesAreResolvedAndTheMenuSwitchRead) {
  platform::Services services;
  services.documentUrl = "http://host/app/page.html";
  CKorvaleGridCtrl grid(services);
  grid.LoadProperties({{"hscrollbarThumbImage", "img/thumb.bmp"},
                       {"vscrollbarUpButtonImage", "/img/up.bmp"},
                       {"vscrollbarBorderColor", "disable"},
                       {"hscrollbarBorderColor", "#808080"}});
  EXPECT_EQ(grid.grid().horizontalSkin().images["ThumbImage"], "http://host/app/img/thumb.bmp");
  EXPECT_EQ(grid.grid().verticalSkin().images["UpButtonImage"], "http://host/img/up.bmp");
  EXPECT_EQ(grid.grid().horizontalSkin().borderColor, "#808080");
  EXPECT_EQ(grid.grid().model().style().contextMenuLevel, -1);
  automation::PropertyBag saved = grid.SaveProperties();
  EXPECT_EQ(saved["parserVersion"], "30");
  EXPECT_EQ(saved["vscrollbarBorderColor"], "");
  EXPECT_EQ(saved.size(), 18u);
}

TEST(ResolveReferenceTest, RulesOfTheHostingPage) {
  const std::string page = "http://host:8080/app/page.html";
  EXPECT_EQ(ResolveReference(page, "img/bar.bmp"), "http://host:8080/app/img/bar.bmp");
  EXPECT_EQ(ResolveReference(page, "/img/bar.bmp"), "http://host:8080/img/bar.bmp");
  EXPECT_EQ(ResolveReference(page, "ftp://x/y"), "ftp://x/y");
  EXPECT_EQ(ResolveReference("http://host", "/a.xml"), "http://host/a.xml");
  EXPECT_EQ(ResolveReference("file:///srv/page.js", "/a.xml"), "file:///a.xml");
  EXPECT_EQ(ResolveReference("", "a.xml"), "a.xml");
  EXPECT_EQ(ResolveReference("C:\\pages\\a.html", "a.xml"), "a.xml");
}

class GridFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("maltrove-files-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_ / "tmp");
    setenv("TMPDIR", (dir_ / "tmp/").c_str(), 1);
    grid_.setGridStyleXML("<gridStyle><column id=\"name\"/><column id=\"n\" dataType=\"numeric\"/></gridStyle>");
    grid_.grid().model().insertRow(-1);
    grid_.grid().model().setCellStringData(0, 0, "한글");
    grid_.grid().model().setCellStringData(0, 1, "5");
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    std::filesystem::remove_all(dir_);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
  CKorvaleGridCtrl grid_{platform::Services{}};
};

TEST_F(GridFilesTest, FilesAreWrittenInTheGridsEncoding) {
  grid_.setCharacterSet("euc-kr");
  ASSERT_EQ(grid_.saveXMLFile(Path("s.xml"), Path("v.xml"), 0), 1);
  const std::string bytes = Bytes(Path("v.xml"));
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"euc-kr\"?>\r\n<vector result=\"1\">", 0), 0u);
  EXPECT_NE(bytes.find("\xC7\xD1\xB1\xDB"), std::string::npos);
  EXPECT_EQ(bytes.find("한글"), std::string::npos);
  grid_.setCharacterSet("utf-8");
  ASSERT_EQ(grid_.saveXMLFileEx(Path("both.xml"), 0), 1);
  EXPECT_NE(Bytes(Path("both.xml")).find("한글"), std::string::npos);
}

TEST_F(GridFilesTest, ZippedTextUnpacksWithStandardTools) {
  const std::string text = grid_.getAllXMLZipBase64();
  ASSERT_FALSE(text.empty());
  {
    std::ofstream(Path("zipped.txt"), std::ios::binary) << text;
  }
  const std::string command =
      "python3 -c 'import base64,io,sys,zipfile; z=zipfile.ZipFile(io.BytesIO("
      "base64.b64decode(open(sys.argv[1]).read()))); print(z.namelist()); "
      "sys.stdout.write(z.read(\"mvgvector.xml\").decode())' " + Path("zipped.txt") + " > " +
      Path("unpacked.txt");
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string unpacked = Bytes(Path("unpacked.txt"));
  EXPECT_EQ(unpacked.rfind("['mvgvector.xml']\n", 0), 0u);
  EXPECT_NE(unpacked.find("<vector result=\"1\">"), std::string::npos);
  EXPECT_NE(unpacked.find("<name value=\"한글\"/>"), std::string::npos);
  // The temporaries live in the process's own folder, and go.
  const std::string own = platform::ProcessTempFolder();
  EXPECT_EQ(own.rfind((dir_ / "tmp").string() + "/maltrove-", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(own));
}

TEST_F(GridFilesTest, ArchivesMadeByStandardToolsLoad) {
  const std::string make =
      "python3 -c 'import base64,io,sys,zipfile; b=io.BytesIO(); z=zipfile.ZipFile(b,\"w\","
      "zipfile.ZIP_DEFLATED); z.writestr(sys.argv[2], \"<vector><data vectorkey=\\\"0\\\"><record>"
      "<name value=\\\"zipped\\\"/></record></data></vector>\"); z.close(); "
      "open(sys.argv[1],\"w\").write(base64.b64encode(b.getvalue()).decode())' ";
  ASSERT_EQ(std::system((make + Path("good.txt") + " mvgvector.xml").c_str()), 0);
  ASSERT_EQ(std::system((make + Path("other.txt") + " other.xml").c_str()), 0);
  EXPECT_EQ(grid_.setAllXMLZipBase64(Bytes(Path("good.txt"))), 1);
  EXPECT_EQ(grid_.grid().model().getCellStringData(0, 0), "zipped");  // placed by its vectorkey
  EXPECT_EQ(grid_.grid().model().getRowCount(), 2);
  EXPECT_EQ(grid_.setAllXMLZipBase64(Bytes(Path("other.txt"))), 0);
  EXPECT_EQ(grid_.setAllXMLZipBase64(Base64Encode("plain text, no archive")), 0);
  EXPECT_EQ(grid_.grid().model().getRowCount(), 2);
  EXPECT_TRUE(std::filesystem::is_empty(platform::ProcessTempFolder()));
}

// A write that fails half-way (here: the file size limit, as a full disk
// would) keeps the earlier file and reports failure.
TEST_F(GridFilesTest, AFailedSaveKeepsTheEarlierFile) {
  ASSERT_EQ(grid_.saveXMLFileEx(Path("kept.xml"), 0), 1);
  const std::string before = Bytes(Path("kept.xml"));
  for (int r = 0; r < 2000; ++r) grid_.grid().model().insertRow(-1);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const int result = grid_.saveXMLFileEx(Path("kept.xml"), 0);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Bytes(Path("kept.xml")), before);
  int leftovers = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    leftovers += entry.path().filename().string().rfind("kept.xml.", 0) == 0;
  }
  EXPECT_EQ(leftovers, 0);
}

}  // namespace
}  // namespace maltrove
