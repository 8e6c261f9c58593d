#include "platform/ini_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace maltrove::platform {
namespace {

const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

class IniRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("maltrove-registry-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    path_ = (dir_ / "sub" / "registry.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(IniRegistryTest, DistinguishesMissingKeyValueAndType) {
  IniRegistry registry(path_);
  uint32_t value = 0;
  EXPECT_EQ(registry.ReadDword(kKey, "MaxConnectionsPerServer", &value), RegistryRead::kNoKey);
  ASSERT_TRUE(registry.WriteDword(kKey, "Other", 1));
  EXPECT_EQ(registry.ReadDword(kKey, "MaxConnectionsPerServer", &value), RegistryRead::kNoValue);
  {
    std::ofstream(path_, std::ios::app) << "Text=\"abc\"\n";
  }
  EXPECT_EQ(registry.ReadDword(kKey, "Text", &value), RegistryRead::kNotDword);
}

TEST_F(IniRegistryTest, WritesAndOverwritesWithoutTouchingOtherValues) {
  IniRegistry registry(path_);
  ASSERT_TRUE(registry.WriteDword("Other\\Key", "MaxConnectionsPerServer", 9));
  ASSERT_TRUE(registry.WriteDword(kKey, "MaxConnectionsPerServer", 4));
  ASSERT_TRUE(registry.WriteDword(kKey, "MaxConnectionsPerServer", 0xFFFFFFFF));
  uint32_t value = 0;
  ASSERT_EQ(registry.ReadDword(kKey, "MaxConnectionsPerServer", &value), RegistryRead::kValue);
  EXPECT_EQ(value, 0xFFFFFFFFu);
  ASSERT_EQ(registry.ReadDword("Other\\Key", "MaxConnectionsPerServer", &value),
            RegistryRead::kValue);
  EXPECT_EQ(value, 9u);
  struct stat info;
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(IniRegistryTest, UnwritableStoreReportsFailure) {
  IniRegistry registry("/proc/maltrove/registry.ini");
  EXPECT_FALSE(registry.WriteDword(kKey, "MaxConnectionsPerServer", 2));
}

// A damaged file (cut short, binary bytes, runaway lines, far too large)
// reads as absent values; the next write leaves a clean file that reads back.
TEST_F(IniRegistryTest, DamagedFilesReadAsDefaultsAndTheNextWriteRepairsThem) {
  const std::string good = std::string("[HKEY_CURRENT_USER\\") + kKey + "]\nMaxConnectionsPerServer=dword:0000000a\n";
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
  const std::string section = std::string("[HKEY_CURRENT_USER\\") + kKey + "]\n";
  const struct {
    const char* what;
    std::string content;
    RegistryRead read;
  } damaged[] = {
      {"cut inside the value", good.substr(0, good.size() - 5), RegistryRead::kNotDword},
      {"cut inside the section", good.substr(0, 20), RegistryRead::kNoKey},
      {"binary bytes", garbage, RegistryRead::kNoKey},
      {"binary bytes inside the section", section + garbage + "\n", RegistryRead::kNoValue},
      {"a sign in the digits", section + "MaxConnectionsPerServer=dword:-0000001\n", RegistryRead::kNotDword},
      {"a runaway line", section + "MaxConnectionsPerServer=dword:0000000a" + std::string(100000, 'f') + "\n",
       RegistryRead::kNoValue},
      {"a file far too large", good + std::string(2 << 20, '\n'), RegistryRead::kNoKey},
  };
  for (const auto& c : damaged) {
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path());
    {
      std::ofstream(path_, std::ios::binary | std::ios::trunc) << c.content;
    }
    IniRegistry registry(path_);
    uint32_t value = 77;
    EXPECT_EQ(registry.ReadDword(kKey, "MaxConnectionsPerServer", &value), c.read) << c.what;
    EXPECT_EQ(value, 77u) << c.what;
    ASSERT_TRUE(registry.WriteDword(kKey, "MaxConnectionsPerServer", 3)) << c.what;
    EXPECT_EQ(registry.ReadDword(kKey, "MaxConnectionsPerServer", &value), RegistryRead::kValue) << c.what;
    EXPECT_EQ(value, 3u) << c.what;
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      EXPECT_LE(line.size(), 200u) << c.what;
      for (unsigned char ch : line) EXPECT_GE(ch, 0x20) << c.what;
    }
  }
}

}  // namespace
}  // namespace maltrove::platform
