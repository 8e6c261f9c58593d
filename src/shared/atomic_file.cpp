#include "shared/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace maltrove {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces,
                         mode_t mode, FileSync sync) {
  if (path.empty() || path.back() == '/') {
    errno = EISDIR;
    return false;
  }
  std::string temp = path + ".XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fchmod(fd, mode) == 0;
  for (std::string_view piece : pieces) ok = ok && WriteAll(fd, piece);
  ok = ok && (sync == FileSync::kTemporary || fsync(fd) == 0);
  int cause = ok ? 0 : errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    cause = errno;
  }
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    cause = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    errno = cause;
    return false;
  }
  return true;
}

}  // namespace maltrove
