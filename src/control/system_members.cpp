// Members of the control that reach the system: the registry value, the log
// file and file sizes.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "control/korvale_grid_ctrl.h"
#include "platform/registry.h"
#include "platform/temp_folder.h"

namespace maltrove {

namespace {
constexpr char kInternetSettings[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr char kMaxConnections[] = "MaxConnectionsPerServer";
constexpr char kLogFile[] = "gridlog.txt";
}  // namespace

int32_t CKorvaleGridCtrl::readRegVal() {
  if (services_.registry == nullptr) return -1;
  uint32_t value = 0;
  switch (services_.registry->ReadDword(kInternetSettings, kMaxConnections, &value)) {
    case platform::RegistryRead::kValue: return static_cast<int32_t>(value);
    case platform::RegistryRead::kNoKey: return -1;
    default: return 2;
  }
}

int32_t CKorvaleGridCtrl::writeRegVal(int32_t value) {
  if (services_.registry == nullptr) return 1;
  return services_.registry->WriteDword(kInternetSettings, kMaxConnections,
                                        static_cast<uint32_t>(value))
             ? 0
             : 1;
}

int32_t CKorvaleGridCtrl::deleteLog() {
  const std::string folder = platform::TempFolder();
  if (folder.empty()) return 1;
  return std::remove((folder + kLogFile).c_str()) == 0 ? 0 : 1;
}

int32_t CKorvaleGridCtrl::getFileSize(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  struct stat info;
  const bool known = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
  std::fclose(file);
  if (!known) return 0;
  // A long holds sizes up to 2 GiB - 1; larger files report that much.
  return info.st_size > INT_MAX ? INT_MAX : static_cast<int32_t>(info.st_size);
}

}  // namespace maltrove
