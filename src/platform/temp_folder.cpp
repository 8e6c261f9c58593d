#include "platform/temp_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace maltrove::platform {

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

}  // namespace maltrove::platform
