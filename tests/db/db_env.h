// Loads the file named by MALTROVE_DB_ENV (written by start_databases.sh)
// into this process's environment: ODBCSYSINI, ODBCINI, PG*, MALTROVE_*.
#pragma once

#include <stdlib.h>

#include <fstream>
#include <string>

namespace maltrove::testing {

// False when MALTROVE_DB_ENV is unset or its file cannot be read.
inline bool LoadDbEnv() {
  const char* path = ::getenv("MALTROVE_DB_ENV");
  if (path == nullptr || *path == '\0') return false;
  std::ifstream in(path);
  if (!in) return false;
  bool loaded = false;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("export ", 0) == 0) line.erase(0, 7);
    const auto eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    std::string value = line.substr(eq + 1);
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
      value = value.substr(1, value.size() - 2);
    }
    ::setenv(line.substr(0, eq).c_str(), value.c_str(), 1);
    loaded = true;
  }
  return loaded;
}

// The value of an environment variable, empty when unset.
inline std::string DbEnv(const char* name) {
  const char* value = ::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace maltrove::testing
