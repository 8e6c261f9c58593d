#pragma once

#include <string>
#include <utility>

namespace maltrove {

// The enciphered DSN file: three records (data-source name, user id,
// password), each a 4-byte little-endian length and its RC2 ciphertext, byte
// for byte as the Windows gateway writes them. Nothing is cached; every call
// goes to the file. Values are UTF-8 bytes.
class DsnStore {
 public:
  explicit DsnStore(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // Creates the missing parent folders (mode 0700) and replaces the file
  // (mode 0600) all at once: when a value cannot be enciphered (longer than
  // 247 bytes) or the write fails, any earlier file stays as it was.
  bool Write(const std::string& dsn, const std::string& id, const std::string& password) const;

  // False for a missing or damaged file: a length of 0, above 255 or not a
  // multiple of 8, a file ending inside a record, bad padding. Bytes after
  // the third record are ignored.
  bool Read(std::string* dsn, std::string* id, std::string* password) const;

  // The getDSN text, values inserted unescaped; "" on any failure.
  std::string DsnInfoXml() const;

  // "DSN=...;UID=...;PWD=..." unquoted; "" on any failure.
  std::string ConnectionString() const;

 private:
  std::string path_;
};

}  // namespace maltrove
