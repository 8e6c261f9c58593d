#pragma once

#include <string>

namespace maltrove::platform {

// The shell's "open" verb: opens a file with its associated program.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool Open(const std::string& path) = 0;
};

}  // namespace maltrove::platform
