#include "gateway/condition_store.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/file_io.h"
#include "shared/trim.h"

namespace maltrove {

namespace {

// Creates every missing folder of a '/' path (the last part is a file name).
void CreateFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0700);
  }
}

}  // namespace

bool ConditionStore::IsPlainKey(const std::string& key) {
  if (key.find('/') != std::string::npos || key.find('\\') != std::string::npos) return false;
  if (key == "." || key.rfind("..", 0) == 0) return false;
  return key.find('\0') == std::string::npos;
}

std::string ConditionStore::PathOf(const std::string& key) const {
  return baseFolder_ + "query/" + key + ".sql";
}

int ConditionStore::Save(const std::string& key, const std::string& text) const {
  if (TrimBlanks(key).empty()) return 1;
  if (!IsPlainKey(key)) return 0;
  const std::string path = PathOf(key);
  CreateFolders(path);
  return platform::WriteFileAtomically(path, text, 0600) ? 1 : 0;
}

std::string ConditionStore::Read(const std::string& key) const {
  if (TrimBlanks(key).empty() || !IsPlainKey(key)) return {};
  std::string text;
  if (!platform::ReadWholeFile(PathOf(key), &text)) return {};
  // The text ends at its first zero byte, as a C string would.
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

std::string StatementText(const std::string& query, const std::string& condition) {
  return std::string(TrimBlanks(condition.empty() ? query : query + " " + condition));
}

}  // namespace maltrove
