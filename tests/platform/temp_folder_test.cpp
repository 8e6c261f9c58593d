#include "platform/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace maltrove::platform {
namespace {

namespace fs = std::filesystem;

// The pid of a process that has ended.
pid_t EndedPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

class ProcessTempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("maltrove-tempfolder-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    setenv("TMPDIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(ProcessTempFolderTest, OneFolderOfThisProcessInsideTheUsersFolder) {
  const std::string folder = ProcessTempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.rfind(dir_.string() + "/maltrove-" + std::to_string(getpid()) + "-", 0), 0u);
  EXPECT_EQ(folder.back(), '/');
  struct stat info;
  ASSERT_EQ(lstat(folder.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(ProcessTempFolder(), folder);
  fs::remove_all(folder);  // removed behind its back: made again
  const std::string again = ProcessTempFolder();
  EXPECT_TRUE(fs::is_directory(again));
}

TEST_F(ProcessTempFolderTest, FoldersOfEndedProcessesAreRemoved) {
  const fs::path stale = dir_ / ("maltrove-" + std::to_string(EndedPid()) + "-AbC123");
  const fs::path live = dir_ / ("maltrove-" + std::to_string(getppid()) + "-XyZ789");
  const fs::path notOurs = dir_ / ("maltrove-" + std::to_string(EndedPid()) + "-file");
  fs::create_directories(stale);
  std::ofstream(stale / "mvgvector.xml") << "left behind";
  fs::create_directories(live);
  std::ofstream(notOurs) << "a file, not a folder";
  fs::create_directories(dir_ / "MVDBG");
  // The folder is made in the new TMPDIR; making it clears what ended.
  const std::string folder = ProcessTempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(notOurs));
  EXPECT_TRUE(fs::exists(dir_ / "MVDBG"));
}

TEST_F(ProcessTempFolderTest, RemovedWhenTheProcessExits) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = fork();
  if (child == 0) {
    // A process of its own: its folder is made afresh in a folder of its own.
    setenv("TMPDIR", (dir_ / "child").c_str(), 1);
    fs::create_directories(dir_ / "child");
    const std::string folder = ProcessTempFolder();
    std::ofstream(folder + "mvg.xml") << "x";
    const bool made = fs::exists(folder + "mvg.xml");
    (void)!write(pipeEnds[1], made ? "1" : "0", 1);
    std::exit(0);  // the exit handlers run
  }
  close(pipeEnds[1]);
  char made = 0;
  ASSERT_EQ(read(pipeEnds[0], &made, 1), 1);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(made, '1');
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_TRUE(fs::is_empty(dir_ / "child"));
}

}  // namespace
}  // namespace maltrove::platform
