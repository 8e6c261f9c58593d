#include "platform/spawn_shell.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace maltrove::platform {

bool XdgShell::Open(const std::string& path) {
  const char* argv[] = {"xdg-open", path.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv),
                   environ) != 0) {
    return false;
  }
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool HeadlessShell::Open(const std::string& path) {
  log_ << "OPEN " << path << std::endl;
  return true;
}

}  // namespace maltrove::platform
