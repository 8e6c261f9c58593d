#include "platform/ini_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace maltrove::platform
