// Base64 text in its line layout and single-entry zip archives, checked
// against python3's zipfile.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "formats/base64.h"
#include "formats/zip_archive.h"

namespace maltrove {
namespace {

std::string As(size_t count) { return std::string(count, 'A'); }

std::string RandomBytes(std::mt19937& random, size_t size) {
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// Every line but the last holds exactly 76 characters; CR LF appears only as
// the break between lines.
void ExpectLayout(const std::string& text, size_t byteCount) {
  const size_t groups = byteCount / 3;
  EXPECT_EQ(text.size(), 4 * ((byteCount + 2) / 3) + 2 * (groups / 19));
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    if (end == std::string::npos) {
      EXPECT_LE(line.size(), 76u);
      break;
    }
    EXPECT_EQ(line.size(), 76u);
    start = end + 2;
  }
}

TEST(Base64Test, KnownGroups) {
  EXPECT_EQ(Base64Encode("Man"), "TWFu");
  EXPECT_EQ(Base64Encode("Ma"), "TWE=");
  EXPECT_EQ(Base64Encode("M"), "TQ==");
  EXPECT_EQ(Base64Encode("\xFF\xFE\xFD"), "//79");
}

TEST(Base64Test, LineBoundaries) {
  const std::string crlf = "\r\n";
  const std::pair<size_t, std::string> cases[] = {
      {0, ""},
      {1, "AA=="},
      {2, "AAA="},
      {3, "AAAA"},
      {56, As(72) + "AAA="},
      {57, As(76) + crlf},
      {58, As(76) + crlf + "AA=="},
      {59, As(76) + crlf + "AAA="},
      {113, As(76) + crlf + As(72) + "AAA="},
      {114, As(76) + crlf + As(76) + crlf},
      {115, As(76) + crlf + As(76) + crlf + "AA=="},
  };
  for (const auto& [size, expected] : cases) {
    const std::string text = Base64Encode(std::string(size, '\0'));
    EXPECT_EQ(text, expected) << size << " bytes";
    ExpectLayout(text, size);
    std::string back;
    ASSERT_TRUE(Base64Decode(text, &back));
    EXPECT_EQ(back, std::string(size, '\0')) << size << " bytes";
  }
}

TEST(Base64Test, LenientDecoding) {
  std::string bytes = "stale";
  ASSERT_TRUE(Base64Decode("", &bytes));
  EXPECT_EQ(bytes, "");
  ASSERT_TRUE(Base64Decode("TWE", &bytes));
  EXPECT_EQ(bytes, "Ma");
  ASSERT_TRUE(Base64Decode("TQ", &bytes));
  EXPECT_EQ(bytes, "M");
  ASSERT_TRUE(Base64Decode("TWFuT", &bytes));
  EXPECT_EQ(bytes, "Man");
  ASSERT_TRUE(Base64Decode(" T\tW\r\nF=u== ", &bytes));
  EXPECT_EQ(bytes, "Man");
  ASSERT_TRUE(Base64Decode(std::string_view("TWFu\0TWFu", 9), &bytes));
  EXPECT_EQ(bytes, "Man");
  ASSERT_TRUE(Base64Decode("\r\n=== \n", &bytes));
  EXPECT_EQ(bytes, "");
}

TEST(Base64Test, RandomRoundTripsWithBreaksAnywhere) {
  std::mt19937 random(20240607);
  std::vector<size_t> sizes;
  for (size_t size = 0; size <= 300; ++size) sizes.push_back(size);
  sizes.push_back(1 << 20);
  const char fillers[] = {'\r', '\n', ' ', '\t', '='};
  for (size_t size : sizes) {
    const std::string bytes = RandomBytes(random, size);
    const std::string text = Base64Encode(bytes);
    ExpectLayout(text, size);
    std::string back;
    ASSERT_TRUE(Base64Decode(text, &back));
    ASSERT_EQ(back, bytes) << size << " bytes";
    if (size > 4096) continue;

    std::string flat;
    for (char c : text)
      if (c != '\r' && c != '\n') flat += c;
    ASSERT_TRUE(Base64Decode(flat, &back));
    EXPECT_EQ(back, bytes) << size << " bytes without breaks";

    std::string scattered;
    for (char c : flat) {
      while (random() % 4 == 0) scattered += fillers[random() % sizeof(fillers)];
      scattered += c;
    }
    ASSERT_TRUE(Base64Decode(scattered, &back));
    EXPECT_EQ(back, bytes) << size << " bytes with breaks and blanks";
  }
}

class ZipArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("maltrove-zip-" + std::to_string(getpid()) + "-" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::string Run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[256];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0) output.append(buffer, got);
    pclose(pipe);
    return output;
  }
  std::string PythonListing(const std::string& zipPath) const {
    return Run("python3 -c \"import zipfile,sys; z=zipfile.ZipFile(sys.argv[1]); print(z.namelist()); "
               "print(z.getinfo('mvgvector.xml').compress_type)\" '" + zipPath + "' 2>&1");
  }
  // Writes a deflated archive holding each source file under the name that follows it.
  void PythonZip(const std::string& zipPath, const std::vector<std::string>& pairs) const {
    std::string command = "python3 -c \"import zipfile,sys; z=zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED); "
                          "[z.write(sys.argv[i], sys.argv[i+1]) for i in range(2, len(sys.argv), 2)]; z.close()\" '" +
                          zipPath + "'";
    for (const auto& item : pairs) command += " '" + item + "'";
    Run(command);
  }
  std::string SampleXml() const {
    std::string xml = "<?xml version=\"1.0\"?>\n<vector>\n";
    std::mt19937 random(7);
    for (int row = 0; row < 2000; ++row)
      xml += "  <record vectorkey=\"" + std::to_string(row) + "\"><c>" + std::to_string(random()) + "</c></record>\n";
    return xml + "</vector>\n";
  }

  std::filesystem::path dir_;
};

TEST_F(ZipArchiveTest, FileRoundTripThroughBase64) {
  const std::string xml = SampleXml();
  WriteFile(Path("mvgvector.xml"), xml);
  ASSERT_TRUE(ZipSingleFile(Path("mvgvector.zip"), "mvgvector.xml", Path("mvgvector.xml")));
  const std::string archive = ReadFile(Path("mvgvector.zip"));
  EXPECT_LT(archive.size(), xml.size());

  std::string decoded;
  ASSERT_TRUE(Base64Decode(Base64Encode(archive), &decoded));
  ASSERT_EQ(decoded, archive);
  WriteFile(Path("copy.zip"), decoded);
  ASSERT_TRUE(ExtractEntry(Path("copy.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_EQ(ReadFile(Path("out.xml")), xml);
}

TEST_F(ZipArchiveTest, ArchiveReadsInPython) {
  WriteFile(Path("data.xml"), SampleXml());
  ASSERT_TRUE(ZipSingleFile(Path("a.zip"), "other.xml", Path("data.xml")));
  // A second call replaces the archive rather than adding to it.
  ASSERT_TRUE(ZipSingleFile(Path("a.zip"), "mvgvector.xml", Path("data.xml")));
  EXPECT_EQ(PythonListing(Path("a.zip")), "['mvgvector.xml']\n8\n");

  WriteFile(Path("empty.xml"), "");
  ASSERT_TRUE(ZipSingleFile(Path("b.zip"), "mvgvector.xml", Path("empty.xml")));
  EXPECT_EQ(PythonListing(Path("b.zip")), "['mvgvector.xml']\n8\n");
  ASSERT_TRUE(ExtractEntry(Path("b.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_TRUE(std::filesystem::exists(Path("out.xml")));
  EXPECT_EQ(ReadFile(Path("out.xml")), "");
}

TEST_F(ZipArchiveTest, MissingSourceLeavesNoArchive) {
  EXPECT_FALSE(ZipSingleFile(Path("a.zip"), "mvgvector.xml", Path("absent.xml")));
  EXPECT_FALSE(std::filesystem::exists(Path("a.zip")));
}

TEST_F(ZipArchiveTest, PythonArchiveExtracts) {
  const std::string xml = SampleXml();
  WriteFile(Path("data.xml"), xml);
  WriteFile(Path("other.txt"), "other");
  PythonZip(Path("p.zip"), {Path("other.txt"), "dir/mvgvector.xml", Path("data.xml"), "mvgvector.xml"});
  ASSERT_TRUE(std::filesystem::exists(Path("p.zip")));
  WriteFile(Path("out.xml"), "old content");
  ASSERT_TRUE(ExtractEntry(Path("p.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_EQ(ReadFile(Path("out.xml")), xml);
}

TEST_F(ZipArchiveTest, NonArchiveOrMissingEntryFails) {
  WriteFile(Path("plain.zip"), "this is not a zip archive at all");
  EXPECT_FALSE(ExtractEntry(Path("plain.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_FALSE(std::filesystem::exists(Path("out.xml")));

  EXPECT_FALSE(ExtractEntry(Path("absent.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_FALSE(std::filesystem::exists(Path("out.xml")));

  WriteFile(Path("data.xml"), "<vector/>");
  PythonZip(Path("p.zip"), {Path("data.xml"), "other.xml", Path("data.xml"), "dir/mvgvector.xml"});
  ASSERT_TRUE(std::filesystem::exists(Path("p.zip")));
  EXPECT_FALSE(ExtractEntry(Path("p.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_FALSE(ExtractEntry(Path("p.zip"), "MVGVECTOR.XML", Path("out.xml")));
  EXPECT_FALSE(std::filesystem::exists(Path("out.xml")));
  EXPECT_TRUE(ExtractEntry(Path("p.zip"), "other.xml", Path("out.xml")));
}

// The uncompressed size is patched in both the local and the central header.
TEST_F(ZipArchiveTest, DeclaredSizeBoundsExtraction) {
  const std::string xml = SampleXml();
  WriteFile(Path("data.xml"), xml);
  ASSERT_TRUE(ZipSingleFile(Path("a.zip"), "mvgvector.xml", Path("data.xml")));
  const std::string archive = ReadFile(Path("a.zip"));
  auto patched = [&archive](uint32_t size) {
    std::string bytes = archive;
    const std::pair<std::string, size_t> fields[] = {{std::string("PK\3\4", 4), 22}, {std::string("PK\1\2", 4), 24}};
    for (const auto& [signature, offset] : fields) {
      const size_t at = bytes.find(signature);
      for (int i = 0; i < 4; ++i) bytes[at + offset + i] = static_cast<char>(size >> (8 * i) & 0xFF);
    }
    return bytes;
  };
  WriteFile(Path("huge.zip"), patched((uint32_t{1} << 30) + 1));
  EXPECT_FALSE(ExtractEntry(Path("huge.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_FALSE(std::filesystem::exists(Path("out.xml")));
  WriteFile(Path("short.zip"), patched(100));
  EXPECT_FALSE(ExtractEntry(Path("short.zip"), "mvgvector.xml", Path("out.xml")));
  EXPECT_FALSE(std::filesystem::exists(Path("out.xml")));
  WriteFile(Path("same.zip"), patched(static_cast<uint32_t>(xml.size())));
  EXPECT_TRUE(ExtractEntry(Path("same.zip"), "mvgvector.xml", Path("out.xml")));
}

}  // namespace
}  // namespace maltrove
