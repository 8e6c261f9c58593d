#pragma once

#include <ostream>

#include "platform/shell.h"

namespace maltrove::platform {

// Opens files with xdg-open, without waiting for the program.
class XdgShell : public Shell {
 public:
  bool Open(const std::string& path) override;
};

// Writes "OPEN <path>" to the log instead of starting a program.
class HeadlessShell : public Shell {
 public:
  explicit HeadlessShell(std::ostream& log) : log_(log) {}
  bool Open(const std::string& path) override;

 private:
  std::ostream& log_;
};

}  // namespace maltrove::platform
