#include "platform/ini_registry.h"

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

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Section(const std::string& key) { return "[HKEY_CURRENT_USER\\" + key + "]"; }

bool IsSection(const std::string& line) { return !line.empty() && line.front() == '['; }

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
    data = data.substr(sizeof kDwordPrefix - 1);
    char* end = nullptr;
    unsigned long v = std::strtoul(data.c_str(), &end, 16);
    if (data.empty() || data.size() > 8 || *end != '\0') return RegistryRead::kNotDword;
    *value = static_cast<uint32_t>(v);
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
