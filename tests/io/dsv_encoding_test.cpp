// Separated-value files in the encodings Korean systems write, made by the
// system's iconv program, imported, previewed and exported.
#include "io/dsv_encoding.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "io/dsv_dialogs.h"
#include "io/dsv_transfer.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;

// Mixed Hangul, ASCII, commas inside quotes and quotes inside values.
const std::string kText =
    "이름,메모,코드\r\n"
    "홍길동,\"서울, 종로\",A-1\r\n"
    "김철수,O'Brien \"둘째\",b2\r\n"
    "plain,ascii,3";

class DsvEncodingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "maltrove-dsv-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  // The UTF-8 text converted by the iconv program; prefix goes first.
  std::string MadeByIconv(const std::string& name, const std::string& text, const char* encoding,
                          const std::string& prefix = "") {
    const std::string source = Path(name + ".utf8");
    Write(source, text);
    const std::string body = Path(name + ".body");
    const std::string command =
        std::string("iconv -f UTF-8 -t ") + encoding + " '" + source + "' > '" + body + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const std::string path = Path(name);
    Write(path, prefix + Bytes(body));
    return path;
  }

  // The file's bytes decoded by the iconv program; empty when it refuses.
  std::string DecodedByIconv(const std::string& path, const char* encoding) {
    const std::string out = path + ".decoded";
    const std::string command =
        std::string("iconv -f ") + encoding + " -t UTF-8 '" + path + "' > '" + out + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return Bytes(out);
  }

  fs::path dir_;
};

// A grid of three text columns and the options that map field k to column k.
struct ThreeColumns {
  CGridModel grid;
  DsvImportOptions options;
  ThreeColumns() {
    for (const char* name : {"이름", "메모", "코드"}) {
      grid.insertColumn(-1, name, 80, name, kDataString, kInputText, "", "", 0, "");
    }
    options.columns = {0, 1, 2};
    options.mapping = {0, 1, 2};
    options.mappingText = {"이름", "메모", "코드"};
    options.firstLineIsHeader = true;
  }
};

void ExpectImportedExactly(const std::string& text) {
  ThreeColumns t;
  ASSERT_EQ(ImportSeparatedValues(&t.grid, text, t.options, nullptr, nullptr), DsvImportResult::kDone);
  ASSERT_EQ(t.grid.getRowCount(), 3);
  EXPECT_EQ(t.grid.getCellStringData(0, 0), "홍길동");
  EXPECT_EQ(t.grid.getCellStringData(0, 1), "\"서울");  // the delimiter splits a quoted value
  EXPECT_EQ(t.grid.getCellStringData(0, 2), "종로\"");  // the cell trims its value
  EXPECT_EQ(t.grid.getCellStringData(1, 0), "김철수");
  EXPECT_EQ(t.grid.getCellStringData(1, 1), "O'Brien \"둘째\"");
  EXPECT_EQ(t.grid.getCellStringData(2, 2), "3");
}

TEST_F(DsvEncodingTest, EveryKoreanEncodingImportsExactly) {
  struct Case {
    const char* name;
    const char* encoding;
    std::string mark;
  };
  const Case cases[] = {
      {"cp949.csv", "CP949", ""},
      {"euckr.csv", "EUC-KR", ""},
      {"utf8.csv", "UTF-8", ""},
      {"utf8bom.csv", "UTF-8", "\xEF\xBB\xBF"},
      {"utf16le.csv", "UTF-16LE", "\xFF\xFE"},
      {"utf16be.csv", "UTF-16BE", "\xFE\xFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = MadeByIconv(c.name, kText, c.encoding, c.mark);
    std::string text;
    ASSERT_TRUE(ReadTextFile(path, &text));
    EXPECT_EQ(text, kText);
    ExpectImportedExactly(text);
  }
  std::string text;
  EXPECT_FALSE(ReadTextFile(Path("missing.csv"), &text));
}

TEST_F(DsvEncodingTest, TheCodePageIsChosenInOrder) {
  const std::string cp949 = Bytes(MadeByIconv("a.csv", "홍길동", "CP949"));
  EXPECT_EQ(SeparatedValuesCodePage(cp949, 0), 949);
  EXPECT_EQ(SeparatedValuesCodePage(cp949, 65001), 949);  // a UTF-8 page names no other code page
  EXPECT_EQ(SeparatedValuesCodePage("plain,ascii", 1251), 65001);
  EXPECT_EQ(SeparatedValuesCodePage("\xED\x99\x8D", 1251), 65001);

  // A page in another code page decodes files without a mark in it.
  const std::string cyrillic = Bytes(MadeByIconv("ru.csv", "Привет,мир", "CP1251"));
  EXPECT_EQ(DecodeSeparatedValues(cyrillic, 1251), "Привет,мир");
  EXPECT_NE(DecodeSeparatedValues(cyrillic, 0), "Привет,мир");
  // A mark outweighs the page.
  EXPECT_EQ(DecodeSeparatedValues("\xEF\xBB\xBF" "a,\xED\x99\x8D", 1251), "a,홍");
  // ASCII is the same in every case, and an empty file is empty.
  EXPECT_EQ(DecodeSeparatedValues("a,b\r\n\"c\",d", 949), "a,b\r\n\"c\",d");
  EXPECT_EQ(DecodeSeparatedValues("", 949), "");
  EXPECT_EQ(DecodeSeparatedValues("\xFF\xFE", 0), "");
  // Bytes CP949 lacks become U+FFFD rather than vanish.
  EXPECT_EQ(DecodeSeparatedValues("a\xFF" "b", 0), "a\xEF\xBF\xBD" "b");
}

TEST_F(DsvEncodingTest, AsciiOnlyFileImportsAsItIs) {
  const std::string path = MadeByIconv("ascii.csv", "id,name\r\n1,\"Kim, C\"\r\n2,Lee", "UTF-8");
  std::string text;
  ASSERT_TRUE(ReadTextFile(path, &text, 949));
  EXPECT_EQ(text, "id,name\r\n1,\"Kim, C\"\r\n2,Lee");
}

// What the page asked for: euc-kr.
TEST_F(DsvEncodingTest, ExportInThePagesCodePageIsCp949AndReadsBack) {
  ThreeColumns t;
  ASSERT_EQ(ImportSeparatedValues(&t.grid, kText, t.options, nullptr, nullptr), DsvImportResult::kDone);
  DsvExportOptions options;
  options.header = true;
  options.codePage = 949;
  const std::string path = Path("out.csv");
  ASSERT_TRUE(ExportSeparatedValues(t.grid, path, options, nullptr));
  const std::string bytes = Bytes(path);
  // Each value is trimmed: the second line's split value loses its blank.
  const std::string expected = "이름,메모,코드\r\n홍길동,\"서울,종로\"\r\n김철수,O'Brien \"둘째\",b2\r\nplain,ascii,3";
  EXPECT_EQ(bytes, Bytes(MadeByIconv("expected.csv", expected, "CP949")));
  EXPECT_EQ(DecodedByIconv(path, "CP949"), expected);
  EXPECT_EQ(bytes.find("\xEF\xBB\xBF"), std::string::npos);
  std::string back;
  ASSERT_TRUE(ReadTextFile(path, &back));
  EXPECT_EQ(back, expected);

  // Without a code page of the page: UTF-8 as it is.
  options.codePage = 0;
  ASSERT_TRUE(ExportSeparatedValues(t.grid, path, options, nullptr));
  EXPECT_EQ(Bytes(path), expected);
}

TEST_F(DsvEncodingTest, TextCp949CannotHoldIsWrittenAsUtf8WithAMark) {
  const std::string text = "홍길동,emoji 😀,ไทย";
  const std::string bytes = EncodeSeparatedValues(text, 949);
  EXPECT_EQ(bytes, "\xEF\xBB\xBF" + text);
  EXPECT_EQ(DecodeSeparatedValues(bytes, 949), text);
  EXPECT_EQ(EncodeSeparatedValues("홍길동", 949), "\xC8\xAB\xB1\xE6\xB5\xBF");
  EXPECT_EQ(EncodeSeparatedValues("똠방각하", 949), Bytes(MadeByIconv("x", "똠방각하", "CP949")));
  // UTF-16 carries its mark so that a reader can tell it.
  EXPECT_EQ(EncodeSeparatedValues("a홍", 1200), std::string("\xFF\xFE" "a\0\x4D\xD6", 6));
  EXPECT_EQ(DecodeSeparatedValues(EncodeSeparatedValues(text, 1201), 0), text);
  EXPECT_EQ(EncodeSeparatedValues(text, 65001), text);
}

TEST_F(DsvEncodingTest, ThePreviewShowsDecodedText) {
  std::string text;
  ASSERT_TRUE(ReadTextFile(MadeByIconv("preview.csv", kText, "CP949"), &text));
  ThreeColumns t;
  COpenSeparatedValueDlg dialog(t.grid, text, {",", ",", 1, false}, {0, 1, 2}, true, false);
  dialog.Preview();
  EXPECT_EQ(dialog.mappingItems(),
            (std::vector<std::string>{"(지정 안함)", "이름", "메모", "코드"}));
  ASSERT_GE(dialog.previewRows().size(), 3u);
  EXPECT_EQ(dialog.previewRows()[1], (std::vector<std::string>{"2", "홍길동", "\"서울", " 종로\""}));
  EXPECT_EQ(dialog.previewRows()[2][1], "김철수");
}

}  // namespace
}  // namespace maltrove
