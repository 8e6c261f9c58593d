#include "platform/ini_registry.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/file_io.h"

namespace maltrove::platform {

namespace {

const char kDwordPrefix[] = "dword:";

// A registry file is a few lines; anything far larger is damaged.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;
constexpr size_t kMaxLineLength = 4096;

bool IsSection(const std::string& line) { return !line.empty() && line.front() == '['; }

// Lines of the kinds a registry file holds; anything else (binary bytes, a
// line cut in two, a runaway line) is damage that is read as absent and
// dropped by the next write.
bool IsWellFormed(const std::string& line) {
  if (line.size() > kMaxLineLength) return false;
  for (unsigned char c : line) {
    if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
  }
  if (line.empty() || line.front() == ';') return true;
  if (IsSection(line)) return line.back() == ']';
  return line.find('=') != std::string::npos ||
         line.rfind("Windows Registry Editor", 0) == 0 || line == "REGEDIT4";
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxFileSize) return lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsWellFormed(line)) lines.push_back(line);
  }
  return lines;
}

// Exactly the eight hexadecimal digits that a DWORD is written with.
bool ParseDword(const std::string& digits, uint32_t* value) {
  if (digits.size() != 8) return false;
  uint32_t v = 0;
  for (char c : digits) {
    int d = 0;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v << 4 | static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

std::string Section(const std::string& key) { return "[HKEY_CURRENT_USER\\" + key + "]"; }

}  // namespace

std::string IniRegistry::DefaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && *config != '\0') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/maltrove/registry.ini";
}

RegistryRead IniRegistry::ReadDword(const std::string& key, const std::string& name,
                                    uint32_t* value) {
  std::vector<std::string> lines = ReadLines(path_);
  const std::string section = Section(key);
  size_t i = 0;
  while (i < lines.size() && lines[i] != section) ++i;
  if (i == lines.size()) return RegistryRead::kNoKey;
  const std::string prefix = name + "=";
  for (++i; i < lines.size() && !IsSection(lines[i]); ++i) {
    if (lines[i].compare(0, prefix.size(), prefix) != 0) continue;
    std::string data = lines[i].substr(prefix.size());
    if (data.compare(0, sizeof kDwordPrefix - 1, kDwordPrefix) != 0) return RegistryRead::kNotDword;
    if (!ParseDword(data.substr(sizeof kDwordPrefix - 1), value)) return RegistryRead::kNotDword;
    return RegistryRead::kValue;
  }
  return RegistryRead::kNoValue;
}

bool IniRegistry::WriteDword(const std::string& key, const std::string& name, uint32_t value) {
  std::vector<std::string> lines = ReadLines(path_);
  char entry[64];
  std::snprintf(entry, sizeof entry, "%s%08x", kDwordPrefix, value);
  const std::string line = name + "=" + entry;
  const std::string section = Section(key);
  const std::string prefix = name + "=";

  size_t i = 0;
  while (i < lines.size() && lines[i] != section) ++i;
  if (i == lines.size()) {
    lines.push_back(section);
    lines.push_back(line);
  } else {
    size_t j = i + 1;
    while (j < lines.size() && !IsSection(lines[j]) &&
           lines[j].compare(0, prefix.size(), prefix) != 0) {
      ++j;
    }
    if (j < lines.size() && !IsSection(lines[j])) lines[j] = line;
    else lines.insert(lines.begin() + static_cast<long>(i) + 1, line);
  }

  std::ostringstream text;
  for (const std::string& l : lines) text << l << '\n';
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  return WriteFileAtomically(path_, text.str(), 0600);
}

}  // namespace maltrove::platform
