#include "platform/temp_folder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace maltrove::platform {

namespace {

constexpr char kProcessPrefix[] = "maltrove-";

std::mutex processFolderLock;
std::string* processFolder = nullptr;  // made once, lives to the exit handler
pid_t folderOwner = 0;  // a forked child that exits must not remove its parent's folder

void RemoveProcessFolder() {
  std::lock_guard<std::mutex> hold(processFolderLock);
  if (processFolder == nullptr || folderOwner != getpid()) return;
  std::error_code ignored;
  std::filesystem::remove_all(*processFolder, ignored);
  delete processFolder;
  processFolder = nullptr;
}

// The pid in a name "maltrove-<pid>-<random>", or 0.
pid_t PidOfProcessFolder(const std::string& name) {
  if (name.rfind(kProcessPrefix, 0) != 0) return 0;
  const size_t begin = sizeof kProcessPrefix - 1;
  const size_t dash = name.find('-', begin);
  if (dash == std::string::npos || dash == begin || dash - begin > 9) return 0;
  pid_t pid = 0;
  for (size_t i = begin; i < dash; ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    pid = pid * 10 + (name[i] - '0');
  }
  return pid;
}

void RemoveStaleProcessFolders(const std::string& parent) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(parent, error)) {
    const pid_t pid = PidOfProcessFolder(entry.path().filename().string());
    if (pid <= 0 || pid == getpid() || kill(pid, 0) == 0 || errno != ESRCH) continue;
    struct stat info;
    if (lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != getuid()) {
      continue;
    }
    std::error_code ignored;
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

}  // namespace

std::string TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir != nullptr && *tmpdir != '\0') {
    std::string path = tmpdir;
    if (path.back() != '/') path += '/';
    return path;
  }
  std::string path = "/tmp/maltrove-" + std::to_string(getuid());
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info;
  // lstat: a link planted by someone else must not redirect our files.
  if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
    return {};
  }
  if ((info.st_mode & 0777) != 0700 && chmod(path.c_str(), 0700) != 0) return {};
  return path + '/';
}

std::string ProcessTempFolder() {
  const std::string parent = TempFolder();
  if (parent.empty()) return {};
  std::lock_guard<std::mutex> hold(processFolderLock);
  if (processFolder != nullptr) {
    struct stat info;
    if (processFolder->rfind(parent, 0) == 0 && lstat(processFolder->c_str(), &info) == 0 &&
        S_ISDIR(info.st_mode)) {
      return *processFolder;
    }
    // Gone, or the temporary folder moved: made anew where it is now.
    std::error_code ignored;
    if (folderOwner == getpid()) std::filesystem::remove_all(*processFolder, ignored);
    delete processFolder;
    processFolder = nullptr;
  }
  RemoveStaleProcessFolders(parent);
  std::string path = parent + kProcessPrefix + std::to_string(getpid()) + "-XXXXXX";
  if (mkdtemp(path.data()) == nullptr) return {};  // mode 0700
  static const bool registered = std::atexit(RemoveProcessFolder) == 0;
  (void)registered;
  processFolder = new std::string(path + '/');
  folderOwner = getpid();
  return *processFolder;
}

}  // namespace maltrove::platform
