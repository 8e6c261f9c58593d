// Whole-file saves that never leave a half-written file behind.
#pragma once

#include <sys/types.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace maltrove {

// Writes the pieces, one after the other, to a temporary file beside `path`,
// syncs it and renames it over `path`. Any failure on the way (disk full, a
// file size limit, a folder that cannot be written) removes the temporary and
// keeps an earlier file of that name whole; errno then tells the first cause.
// The new file gets `mode`; a symbolic link at `path` is replaced, never
// followed.
bool WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces,
                         mode_t mode);

inline bool WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode) {
  return WriteFileAtomically(path, {content}, mode);
}

}  // namespace maltrove
