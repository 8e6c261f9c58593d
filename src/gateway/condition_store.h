// Saved conditions: pieces of SQL kept as files "<base>query/<key>.sql".
#pragma once

#include <string>

namespace maltrove {

class ConditionStore {
 public:
  explicit ConditionStore(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

  // 1 when written or when the key is blank (nothing to write), 0 when the
  // file cannot be written or the key is not a plain file name.
  int Save(const std::string& key, const std::string& text) const;
  // The saved text; empty for a blank or refused key or an unreadable file.
  std::string Read(const std::string& key) const;

  // A key names a file in the query folder only: no "/" or "\", and not
  // "." or ".." or anything starting with "..".
  static bool IsPlainKey(const std::string& key);

 private:
  std::string PathOf(const std::string& key) const;

  std::string baseFolder_;
};

// The statement a member runs: the query, one blank and the condition,
// trimmed at both ends.
std::string StatementText(const std::string& query, const std::string& condition);

}  // namespace maltrove
