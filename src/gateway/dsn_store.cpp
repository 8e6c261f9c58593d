#include "gateway/dsn_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "gateway/rc2_cipher.h"
#include "shared/atomic_file.h"

namespace maltrove {
namespace {

constexpr int kRecordCount = 3;

void AppendRecord(const std::string& cipher, std::string* content) {
  const auto length = static_cast<uint32_t>(cipher.size());
  for (int shift = 0; shift < 32; shift += 8) content->push_back(static_cast<char>(length >> shift));
  content->append(cipher);
}

// Every folder along the path that does not exist yet, as the original
// creates them; failures are left to the file's own creation.
void CreateParentFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (path[slash - 1] == '/') continue;
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) == 0) chmod(folder.c_str(), 0700);  // whatever the umask
  }
}

bool ReadExact(int fd, char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReadRecord(int fd, std::string* value) {
  unsigned char head[4];
  if (!ReadExact(fd, reinterpret_cast<char*>(head), sizeof head)) return false;
  const uint32_t length = head[0] | (head[1] << 8) | (head[2] << 16) | (uint32_t{head[3]} << 24);
  // Checked before reading, so a damaged length never reads past its record.
  if (length == 0 || length > kMaxCipherValueLength || length % 8 != 0) return false;
  char cipher[kMaxCipherValueLength];
  if (!ReadExact(fd, cipher, length)) return false;
  return DecipherValue(std::string_view(cipher, length), value);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool DsnStore::Write(const std::string& dsn, const std::string& id,
                     const std::string& password) const {
  // The original stops at the first value it cannot encipher and leaves the
  // records written so far; enciphering everything first keeps the old file.
  std::string content;
  for (const std::string* value : {&dsn, &id, &password}) {
    std::string cipher;
    if (!EncipherValue(*value, &cipher)) return false;
    AppendRecord(cipher, &content);
  }
  if (path_.empty() || path_.back() == '/') return false;
  CreateParentFolders(path_);
  // A fresh 0600 file through a rename: a link planted at the path is replaced,
  // never followed, and a failed write keeps the earlier file.
  return WriteFileAtomically(path_, content, 0600);
}

bool DsnStore::Read(std::string* dsn, std::string* id, std::string* password) const {
  // O_NONBLOCK so a FIFO planted at the path cannot hang the open.
  Fd fd(open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  struct stat info;
  if (fd.get() < 0 || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::string values[kRecordCount];
  for (std::string& value : values) {
    if (!ReadRecord(fd.get(), &value)) return false;
  }
  *dsn = std::move(values[0]);
  *id = std::move(values[1]);
  *password = std::move(values[2]);
  return true;
}

std::string DsnStore::DsnInfoXml() const {
  std::string dsn, id, password;
  if (!Read(&dsn, &id, &password)) return {};
  return "<DSNINFO>\r\n\t<DSN value=\"" + dsn + "\"/>\r\n\t<ID value=\"" + id +
         "\"/>\r\n\t<PASSWORD value=\"" + password + "\"/>\r\n</DSNINFO>\r\n";
}

std::string DsnStore::ConnectionString() const {
  std::string dsn, id, password;
  if (!Read(&dsn, &id, &password)) return {};
  return "DSN=" + dsn + ";UID=" + id + ";PWD=" + password;
}

}  // namespace maltrove
