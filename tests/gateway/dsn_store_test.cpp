#include "gateway/dsn_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gateway/rc2_cipher.h"

namespace maltrove {
namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) (hex += kDigits[c >> 4]) += kDigits[c & 15];
  return hex;
}

std::string Unhex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::string Counting(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

// Ciphertexts of the pass-phrase key, and one record as the file holds it.
const std::string kDemoCipher = "3ffa94d598bc60ee6f07970c7c82287a";
const std::string kEmptyCipher = "8e1b1413818ae8c0";
std::string RecordHex(const std::string& cipher_hex) {
  return Hex(std::string(1, static_cast<char>(cipher_hex.size() / 2)) + std::string(3, '\0')) +
         cipher_hex;
}

TEST(Rc2CipherTest, PassPhraseKeyKnownAnswers) {
  std::string cipher, plain;
  ASSERT_TRUE(EncipherValue("MaltroveDemo", &cipher));
  EXPECT_EQ(Hex(cipher), kDemoCipher);
  ASSERT_TRUE(DecipherValue(cipher, &plain));
  EXPECT_EQ(plain, "MaltroveDemo");
  // An empty value is one whole block of padding.
  ASSERT_TRUE(EncipherValue("", &cipher));
  EXPECT_EQ(Hex(cipher), kEmptyCipher);
  ASSERT_TRUE(DecipherValue(cipher, &plain));
  EXPECT_EQ(plain, "");
}

// Wine's rsaenh vectors, which Windows also passes: MD2 of the bytes 0..1999
// (i & 0xff), CryptDeriveKey(CALG_RC2, 40 << 16), CBC.
TEST(Rc2CipherTest, MatchesWindowsFortyBitSaltedKey) {
  const std::string md2 = Unhex("d5e1a7e9ac38c127f7731dba811698e0");
  std::string cipher;
  ASSERT_TRUE(EncipherWithHashKey(md2, Counting(13), &cipher));
  EXPECT_EQ(Hex(cipher), "c09ae42f0a476711fb1887ce0c7507b1");
  ASSERT_TRUE(EncipherWithHashKey(md2, Counting(23), &cipher));
  EXPECT_EQ(Hex(cipher), "c09ae42f0a47671110f5da614e3dabc09785011297a4f7d3");
}

TEST(Rc2CipherTest, LengthLimitsAndBadPadding) {
  std::string cipher, plain;
  ASSERT_TRUE(EncipherValue(std::string(247, 'x'), &cipher));
  EXPECT_EQ(cipher.size(), 248u);
  EXPECT_FALSE(EncipherValue(std::string(248, 'x'), &cipher));
  EXPECT_FALSE(DecipherValue("", &plain));
  EXPECT_FALSE(DecipherValue(std::string(12, 'a'), &plain));
  EXPECT_FALSE(DecipherValue(std::string(256, 'a'), &plain));
  // With a zero IV the first block stands alone: its last byte is the padding.
  for (const char* block : {"ABCDEFG\x09", "ABCDEF\x01\x02", "ABCDEFG\x00"}) {
    ASSERT_TRUE(EncipherValue(std::string(block, 8), &cipher));
    EXPECT_FALSE(DecipherValue(cipher.substr(0, 8), &plain)) << Hex(block);
  }
}

class DsnStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "maltrove-dsn-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/MVDBG/dsn/dsn.inf";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string FileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void PutFile(const std::string& bytes) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
  }
  static mode_t Mode(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }
  void ExpectUnreadable(const std::string& why) const {
    DsnStore store(path_);
    std::string dsn, id, password;
    EXPECT_FALSE(store.Read(&dsn, &id, &password)) << why;
    EXPECT_EQ(store.DsnInfoXml(), "") << why;
    EXPECT_EQ(store.ConnectionString(), "") << why;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(DsnStoreTest, WritesTheWindowsBytes) {
  ASSERT_TRUE(DsnStore(path_).Write("MaltroveDemo", "", ""));
  const std::string bytes = FileBytes();
  EXPECT_EQ(bytes.size(), 44u);
  EXPECT_EQ(Hex(bytes), RecordHex(kDemoCipher) + RecordHex(kEmptyCipher) + RecordHex(kEmptyCipher));
}

TEST_F(DsnStoreTest, EmptyValuesRoundTrip) {
  DsnStore store(path_);
  ASSERT_TRUE(store.Write("", "", ""));
  EXPECT_EQ(FileBytes().size(), 36u);
  EXPECT_EQ(store.DsnInfoXml(),
            "<DSNINFO>\r\n\t<DSN value=\"\"/>\r\n\t<ID value=\"\"/>\r\n"
            "\t<PASSWORD value=\"\"/>\r\n</DSNINFO>\r\n");
  EXPECT_EQ(store.ConnectionString(), "DSN=;UID=;PWD=");
}

TEST_F(DsnStoreTest, KoreanTextAndQuoteComeBackUnescaped) {
  DsnStore store(path_);
  ASSERT_TRUE(store.Write("한글DB", "사용자", "pa\"ss<&>"));
  std::string dsn, id, password;
  ASSERT_TRUE(store.Read(&dsn, &id, &password));
  EXPECT_EQ(dsn, "한글DB");
  EXPECT_EQ(id, "사용자");
  EXPECT_EQ(password, "pa\"ss<&>");
  EXPECT_EQ(store.DsnInfoXml(),
            "<DSNINFO>\r\n\t<DSN value=\"한글DB\"/>\r\n\t<ID value=\"사용자\"/>\r\n"
            "\t<PASSWORD value=\"pa\"ss<&>\"/>\r\n</DSNINFO>\r\n");
  EXPECT_EQ(store.ConnectionString(), "DSN=한글DB;UID=사용자;PWD=pa\"ss<&>");
}

TEST_F(DsnStoreTest, LongestValueAcceptedLongerRefusedKeepingTheFile) {
  DsnStore store(path_);
  const std::string longest(247, 'd');
  ASSERT_TRUE(store.Write(longest, "u", "p"));
  std::string dsn, id, password;
  ASSERT_TRUE(store.Read(&dsn, &id, &password));
  EXPECT_EQ(dsn, longest);
  const std::string before = FileBytes();
  EXPECT_FALSE(store.Write("d", "u", std::string(248, 'p')));
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(DsnStoreTest, DamagedFilesFail) {
  ExpectUnreadable("missing file");
  ASSERT_TRUE(DsnStore(path_).Write("MaltroveDemo", "", ""));
  const std::string good = FileBytes();
  for (size_t size = 0; size < good.size(); ++size) {
    PutFile(good.substr(0, size));
    ExpectUnreadable("cut at " + std::to_string(size));
  }
  std::string bad = good;
  bad[0] = 44;  // 300 = 0x12c
  bad[1] = 1;
  PutFile(bad);
  ExpectUnreadable("length 300");
  bad = good;
  bad[0] = 12;
  PutFile(bad);
  ExpectUnreadable("length 12");
  bad = good;
  bad[19] ^= 0x5a;  // last block of the first record
  PutFile(bad);
  ExpectUnreadable("bad padding");
  PutFile(good + "trailing");
  EXPECT_NE(DsnStore(path_).ConnectionString(), "");
}

TEST_F(DsnStoreTest, ModesAndSymbolicLinks) {
  const mode_t old_mask = umask(0);
  DsnStore store(path_);
  ASSERT_TRUE(store.Write("a", "b", "c"));
  umask(old_mask);
  EXPECT_EQ(Mode(dir_ + "/MVDBG"), 0700u);
  EXPECT_EQ(Mode(dir_ + "/MVDBG/dsn"), 0700u);
  EXPECT_EQ(Mode(path_), 0600u);
  ASSERT_EQ(chmod(path_.c_str(), 0644), 0);
  ASSERT_TRUE(store.Write("a", "b", "c"));
  EXPECT_EQ(Mode(path_), 0600u);
  // A link at the path is refused for reading and replaced, not followed, by writing.
  const std::string target = dir_ + "/elsewhere";
  std::ofstream(target) << "keep";
  std::filesystem::remove(path_);
  std::filesystem::create_symlink(target, path_);
  ExpectUnreadable("symbolic link");
  ASSERT_TRUE(store.Write("a", "b", "c"));
  EXPECT_FALSE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(store.ConnectionString(), "DSN=a;UID=b;PWD=c");
  std::ifstream in(target);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "keep");
}

}  // namespace
}  // namespace maltrove
