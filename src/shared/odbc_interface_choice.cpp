#include "shared/odbc_interface_choice.h"

#include <dlfcn.h>
#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "shared/ascii_case.h"
#include "shared/trim.h"

namespace maltrove {

namespace {

constexpr std::string_view kPsqlAnsi = "psqlodbca.so";
constexpr std::string_view kPsqlUnicode = "psqlodbcw.so";

struct Attribute {
  size_t begin = 0;  // of the pair in the string
  size_t end = 0;    // after its value (before any ';')
  std::string key;
  std::string value;
};

// KEY=value pairs separated by ';'; a value in braces may hold ';'.
std::vector<Attribute> Attributes(std::string_view text) {
  std::vector<Attribute> pairs;
  size_t pos = 0;
  while (pos < text.size()) {
    Attribute pair;
    pair.begin = pos;
    const size_t eq = text.find('=', pos);
    const size_t semicolon = text.find(';', pos);
    if (eq == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < eq)) {
      if (semicolon == std::string_view::npos) break;
      pos = semicolon + 1;  // a pair without '='
      continue;
    }
    pair.key = std::string(TrimBlanks(text.substr(pos, eq - pos)));
    const size_t valueBegin = eq + 1;
    size_t valueEnd;
    if (valueBegin < text.size() && text[valueBegin] == '{') {
      size_t close = text.find('}', valueBegin);
      if (close == std::string_view::npos) close = text.size();
      pair.value = std::string(text.substr(valueBegin + 1, close - valueBegin - 1));
      valueEnd = std::min(text.find(';', close), text.size());
    } else {
      valueEnd = std::min(text.find(';', valueBegin), text.size());
      pair.value = std::string(text.substr(valueBegin, valueEnd - valueBegin));
    }
    pair.end = valueEnd;
    pairs.push_back(std::move(pair));
    pos = valueEnd + 1;
  }
  return pairs;
}

std::string ProfileString(const std::string& section, const char* entry, const char* file) {
  char buffer[1024] = {};
  const int length =
      SQLGetPrivateProfileString(section.c_str(), entry, "", buffer, sizeof(buffer), file);
  if (length <= 0) return {};
  return std::string(TrimBlanks(std::string_view(buffer, strnlen(buffer, sizeof(buffer)))));
}

std::string Folder(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFile(const std::string& path) { return !path.empty() && access(path.c_str(), R_OK) == 0; }

// A driver library named without a folder lives where the driver manager
// keeps its drivers (<libdir>/odbc on Debian), else on the loader's path.
std::string LocateLibrary(const std::string& library) {
  if (library.find('/') != std::string::npos) return library;
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&SQLDriverConnect), &info) != 0 && info.dli_fname) {
    const std::string candidate = Folder(info.dli_fname) + "odbc/" + library;
    if (IsFile(candidate)) return candidate;
  }
  return library;
}

// The library of a driver given by name (a section of odbcinst.ini) or path.
std::string DriverLibrary(const std::string& driver) {
  if (driver.empty()) return {};
  std::string library = ProfileString(driver, "Driver", "ODBCINST.INI");
  if (library.empty() && driver.find('/') != std::string::npos) library = driver;
  return library.empty() ? std::string() : LocateLibrary(library);
}

bool ExportsWideEntryPoints(const std::string& library) {
  static std::mutex mutex;
  static std::map<std::string, bool> known;
  std::lock_guard lock(mutex);
  if (auto it = known.find(library); it != known.end()) return it->second;
  bool wide = false;
  if (void* handle = dlopen(library.c_str(), RTLD_LAZY | RTLD_LOCAL)) {
    wide = dlsym(handle, "SQLDriverConnectW") != nullptr &&
           dlsym(handle, "SQLExecDirectW") != nullptr && dlsym(handle, "SQLGetDiagRecW") != nullptr;
    dlclose(handle);
  }
  known.emplace(library, wide);
  return wide;
}

// "KEY=value;" as a driver reads it; false for a value it could not hold.
bool AppendAttribute(std::string_view key, std::string_view value, std::string* out) {
  if (value.find('}') != std::string_view::npos || key.find_first_of("{}=;") != std::string_view::npos) {
    return false;
  }
  out->append(key);
  if (value.find(';') != std::string_view::npos || value.starts_with('{')) {
    out->append("={").append(value).append("};");
  } else {
    out->append("=").append(value).append(";");
  }
  return true;
}

// The settings of a DSN as attributes, without its Driver and Description.
bool AppendDsnAttributes(const std::string& dsn, std::string* out) {
  char keys[4096] = {};
  if (SQLGetPrivateProfileString(dsn.c_str(), nullptr, "", keys, sizeof(keys) - 1, "ODBC.INI") <= 0) {
    return false;
  }
  // Keys one after another, each ending in a zero, the list in another.
  for (const char* key = keys; key < keys + sizeof(keys) && *key != '\0'; key += strlen(key) + 1) {
    if (EqualsIgnoringAsciiCase(key, "Driver") || EqualsIgnoringAsciiCase(key, "Description")) continue;
    if (!AppendAttribute(key, ProfileString(dsn, key, "ODBC.INI"), out)) return false;
  }
  return true;
}

// The connection string with library as its driver. A DSN is spelled out
// into its settings: unixODBC's SQLDriverConnectW loses memory on every
// connection whose string names both a DSN and a driver. The caller's own
// attributes follow, so they win; empty ones are left to the DSN, as a
// driver reading the DSN itself would.
bool WithDriver(const std::string& connectionString, const std::vector<Attribute>& pairs,
                const std::string& library, std::string* out) {
  if (library.find('}') != std::string::npos) return false;
  *out = "DRIVER={" + library + "};";
  std::string own;
  bool dsn = false;
  for (const Attribute& pair : pairs) {
    if (EqualsIgnoringAsciiCase(pair.key, "DRIVER")) continue;
    if (EqualsIgnoringAsciiCase(pair.key, "DSN")) {
      if (dsn) continue;  // the driver manager reads the first only
      dsn = true;
      if (!AppendDsnAttributes(pair.value, out)) return false;
      continue;
    }
    if (TrimBlanks(pair.value).empty()) continue;
    own.append(connectionString, pair.begin, pair.end - pair.begin).append(";");
  }
  out->append(own);
  return true;
}

}  // namespace

std::string ConnectionAttribute(std::string_view connectionString, std::string_view key,
                                bool* found) {
  for (const Attribute& pair : Attributes(connectionString)) {
    if (EqualsIgnoringAsciiCase(pair.key, key)) {
      if (found) *found = true;
      return pair.value;
    }
  }
  if (found) *found = false;
  return {};
}

OdbcInterfaceChoice ChooseOdbcInterface(const std::string& connectionString) {
  OdbcInterfaceChoice choice{connectionString, false};
  const std::vector<Attribute> pairs = Attributes(connectionString);
  // The driver manager follows whichever of DSN and DRIVER comes first.
  const Attribute* decisive = nullptr;
  for (const Attribute& pair : pairs) {
    if (EqualsIgnoringAsciiCase(pair.key, "DSN") || EqualsIgnoringAsciiCase(pair.key, "DRIVER") || EqualsIgnoringAsciiCase(pair.key, "FILEDSN")) {
      decisive = &pair;
      break;
    }
  }
  if (decisive != nullptr && EqualsIgnoringAsciiCase(decisive->key, "FILEDSN")) return choice;
  const bool namesDriver = decisive != nullptr && EqualsIgnoringAsciiCase(decisive->key, "DRIVER");
  std::string driver;
  if (namesDriver) {
    driver = decisive->value;
  } else {
    const std::string dsn = decisive == nullptr || decisive->value.empty() ? "Default" : decisive->value;
    driver = ProfileString(dsn, "Driver", "ODBC.INI");
  }
  std::string library = DriverLibrary(driver);
  if (library.empty()) return choice;

  if (decisive != nullptr && FileName(library) == kPsqlAnsi) {
    const std::string unicode = Folder(library) + std::string(kPsqlUnicode);
    std::string rewritten;
    if (IsFile(unicode) && WithDriver(connectionString, pairs, unicode, &rewritten)) {
      library = unicode;
      choice.connectionString = rewritten;
    }
  }
  choice.wide = ExportsWideEntryPoints(library);
  return choice;
}

}  // namespace maltrove
