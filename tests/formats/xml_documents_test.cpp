// Documents the grid writes and the files it loads: well-formed output
// (checked by xmllint), Korean text through euc-kr and UTF-8 files, and the
// rewrite of a file in place.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "formats/grid_style_xml.h"
#include "formats/grid_xml_parser.h"
#include "formats/vector_writer.h"
#include "formats/xml_settings.h"
#include "shared/code_page.h"

namespace maltrove {
namespace {

const char kKorean[] = "한글 \"값\" & <태그>";

class XmlDocumentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("maltrove-xml-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    grid_.insertColumn(-1, "이름", 100, "name", kDataString, kInputText, "", "", 0, "");
    grid_.insertColumn(-1, "", 60, "n", kDataNumeric, kInputText, "", "#,###.##", 0, "");
    grid_.insertColumn(-1, "", 60, "ok", kDataString, kInputCheckBox, "", "", 0, "");
    grid_.insertColumn(-1, "", 60, "c", kDataString, kInputSelect, "", "", 0, "");
    grid_.setColumnCombo(3, "가<;나&", "1;2");
    grid_.column(0)->allowChar = "";
    grid_.insertRow(-1);
    grid_.setCellStringData(0, 0, kKorean);
    grid_.setCellStringData(0, 1, "1234.5");
    grid_.setCellChecked(0, 2, 1);
    grid_.setCellStringData(0, 3, "나&");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string PathOf(const char* name) const { return (dir_ / name).string(); }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Exit status of xmllint --noout on the text.
  int Xmllint(const std::string& text) {
    const std::string path = PathOf("lint.xml");
    Write(path, text);
    return std::system(("xmllint --noout --nonet '" + path + "' 2>&1").c_str());
  }

  std::filesystem::path dir_;
  CGridModel grid_;
};

TEST_F(XmlDocumentsTest, WrittenDocumentsAreWellFormed) {
  VectorRows all{RowRange(grid_, 0, 0), false, 1};
  EXPECT_EQ(Xmllint(VectorDocument(grid_, all, CellForm::kOutput)), 0);
  EXPECT_EQ(Xmllint(VectorDocument(grid_, all, CellForm::kDisplay)), 0);
  EXPECT_EQ(Xmllint(TextDeclaration(grid_) + GridStyleXml(grid_)), 0);
  EXPECT_EQ(Xmllint(SingleRowXml(grid_, 0)), 0);
  EXPECT_NE(Xmllint("<vector><data></vector>"), 0);  // xmllint does catch faults
}

TEST_F(XmlDocumentsTest, KoreanSurvivesAnEucKrFile) {
  SetCharacterSet(&grid_, "euc-kr");
  ASSERT_EQ(grid_.outputCodePage, 949);
  const std::string path = PathOf("rows.xml");
  // Written as UTF-8 without a declaration; the load rewrites it in euc-kr.
  Write(path, VectorDocument(grid_, {RowRange(grid_, 0, 0), false, 1}, CellForm::kOutput)
                  .substr(TextDeclaration(grid_).size()));
  CGridModel loaded;
  loaded.insertColumn(-1, "", 10, "name", kDataString, kInputText, "", "", 0, "");
  SetCharacterSet(&loaded, "euc-kr");
  CGridXMLParser parser(&loaded, 30, nullptr, nullptr, false);
  ASSERT_TRUE(parser.LoadFile(path));
  EXPECT_EQ(loaded.getCellStringData(0, 0), kKorean);

  const std::string bytes = Bytes(path);
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"euc-kr\"?>\r\n", 0), 0u);
  std::string hangul;
  ASSERT_TRUE(ConvertFromUtf8("한글", 949, &hangul));
  EXPECT_EQ(hangul, "\xC7\xD1\xB1\xDB");
  EXPECT_NE(bytes.find(hangul), std::string::npos);
  EXPECT_EQ(bytes.find("한글"), std::string::npos);  // no UTF-8 left
  EXPECT_FALSE(std::filesystem::exists(path + "_bak"));

  // Loading it again (now euc-kr, declared) gives the same text.
  CGridXMLParser again(&loaded, 30, nullptr, nullptr, false);
  ASSERT_TRUE(again.LoadFile(path));
  EXPECT_EQ(loaded.getCellStringData(1, 0), kKorean);
}

TEST_F(XmlDocumentsTest, Utf8AndMarkedFilesDecodeOnce) {
  const std::string path = PathOf("marked.xml");
  std::string utf16;
  ASSERT_TRUE(ConvertFromUtf8("<vector><data vectorkey=\"0\"><record><name value=\"한글\"/>"
                              "</record></data></vector>",
                              1200, &utf16));
  Write(path, "\xFF\xFE" + utf16);
  CGridXMLParser parser(&grid_, 30, nullptr, nullptr, false);
  ASSERT_TRUE(parser.LoadFile(path));
  EXPECT_EQ(grid_.getCellStringData(0, 0), "한글");  // file loads place rows from 0
  // The grid has no characterSet: the file is now UTF-8 and says so.
  EXPECT_EQ(Bytes(path).rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u);
  EXPECT_NE(Bytes(path).find("한글"), std::string::npos);
}

TEST_F(XmlDocumentsTest, AFileThatCannotLoadIsKept) {
  const std::string path = PathOf("broken.xml");
  Write(path, "<vector><data>");
  CGridXMLParser parser(&grid_, 30, nullptr, nullptr, false);
  EXPECT_FALSE(parser.LoadFile(path));
  EXPECT_EQ(parser.statusText(), "XML Document FAILED to load");
  EXPECT_EQ(grid_.getRowCount(), 1);
  EXPECT_NE(Bytes(path).find("<vector><data>"), std::string::npos);
  CGridXMLParser missing(&grid_, 30, nullptr, nullptr, false);
  EXPECT_FALSE(missing.LoadFile(PathOf("missing.xml")));
  EXPECT_FALSE(std::filesystem::exists(PathOf("missing.xml")));
  EXPECT_FALSE(std::filesystem::exists(PathOf("missing.xml_bak")));
}

TEST(PrepareDeclarationTest, AddsOnlyWhatIsMissing) {
  EXPECT_EQ(PrepareDeclaration("<a/>", "euc-kr"),
            "<?xml version=\"1.0\" encoding=\"euc-kr\"?>\r\n<a/>");
  EXPECT_EQ(PrepareDeclaration("<?xml version=\"1.0\"?><a/>", "utf-8"),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>");
  const std::string named = "<?xml version=\"1.0\" encoding=\"ascii\"?><a/>";
  EXPECT_EQ(PrepareDeclaration(named, "utf-8"), named);
}

TEST_F(XmlDocumentsTest, RowsFromTextFollowTheRowsAlreadyThere) {
  grid_.insertRow(-1);
  grid_.insertRow(-1);
  grid_.setCellStringData(1, 0, "second");
  grid_.setCellStringData(2, 0, "third");
  const std::string xml =
      "<vector result=\"3\"><data vectorkey=\"1\"><record><name value=\"b\"/></record></data>"
      "<data vectorkey=\"0\"><record><name value=\"a\"/></record></data>"
      "<data vectorkey=\"9\"><record><name value=\"z\"/></record></data></vector>";
  CGridXMLParser parser(&grid_, 1, nullptr, nullptr, false);
  ASSERT_TRUE(parser.LoadText(xml));
  ASSERT_EQ(grid_.getRowCount(), 6);
  // Offset 3: key 1 lands past the end (appended), key 0 at 3, key 9 appended.
  const std::vector<std::string> expected = {kKorean, "second", "third", "a", "b", "z"};
  for (int r = 0; r < 6; ++r) EXPECT_EQ(grid_.getCellStringData(r, 0), expected[r]) << r;
  EXPECT_EQ(grid_.isRowInserted(3), 1);
  CGridXMLParser again(&grid_, 1, nullptr, nullptr, false);
  ASSERT_TRUE(again.LoadText(
      "<vector><data vectorkey=\"-6\"><record><name value=\"top\"/></record></data></vector>"));
  EXPECT_EQ(grid_.getCellStringData(0, 0), "top");  // 6 + -6 = 0: the first position
  EXPECT_EQ(grid_.getCellStringData(1, 0), kKorean);
}

TEST(GridStyleLimitsTest, HugeWidthsAndHeightsFromXmlAreClamped) {
  CGridModel grid;
  CGridXMLParser parser(&grid, 1, nullptr, nullptr, false);
  ASSERT_TRUE(parser.LoadText(
      "<gridStyle cellHeightDefault=\"2147483647\" columnHeaderHeight=\"99999999999\">"
      "<column id=\"a\" width=\"11111111111\"/><column id=\"b\" width=\"2000000000\"/>"
      "<column id=\"c\" width=\"-11111111111\"/></gridStyle>"));
  ASSERT_EQ(grid.getColumnCount(), 3);
  EXPECT_EQ(grid.getColumnWidth(0), CGridModel::kMaxWidth);
  EXPECT_EQ(grid.getColumnWidth(1), CGridModel::kMaxWidth);
  EXPECT_EQ(grid.getColumnWidth(2), -CGridModel::kGap);
  EXPECT_EQ(grid.cellHeightDefault(), CGridModel::kMaxHeight);
  EXPECT_EQ(grid.columnHeaderHeight(), CGridModel::kMaxHeight);
  ASSERT_EQ(grid.insertRow(-1), 0);
  EXPECT_EQ(grid.getRowHeight(0), CGridModel::kMaxHeight);
  EXPECT_EQ(grid.contentBottom(), grid.row(0)->top + CGridModel::kMaxHeight + 2);
  EXPECT_NE(GridStyleXml(grid).find("width=\"100000\""), std::string::npos);
}

TEST_F(XmlDocumentsTest, AnInputLimitOfOneIsWrittenAndReadBack) {
  grid_.setColumnInputLimit(0, 1);
  const std::string written = GridStyleXml(grid_);
  EXPECT_NE(written.find("inputLimit=\"1\""), std::string::npos);
  EXPECT_EQ(written.find("inputLimit=\"0\""), std::string::npos);
  CGridModel copy;
  CGridXMLParser parser(&copy, 1, nullptr, nullptr, false);
  ASSERT_TRUE(parser.LoadText(written));
  EXPECT_EQ(copy.getColumnInputLimit(0), 1);
  EXPECT_EQ(copy.getColumnInputLimit(1), 0);
}

}  // namespace
}  // namespace maltrove
