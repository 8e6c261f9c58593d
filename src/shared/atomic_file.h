// Whole-file saves that never leave a half-written file behind.
#pragma once

#include <sys/types.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace maltrove {

// Whether a written file must survive a crash of the machine: saves the user
// keeps are synced to the disk before they replace the earlier file; the
// program's own temporaries need not wait for the disk.
enum class FileSync { kDurable, kTemporary };

// Writes the pieces, one after the other, to a temporary file beside `path`,
// syncs it (kDurable) and renames it over `path`. Any failure on the way (disk full, a
// file size limit, a folder that cannot be written) removes the temporary and
// keeps an earlier file of that name whole; errno then tells the first cause.
// The new file gets `mode`; a symbolic link at `path` is replaced, never
// followed.
bool WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces,
                         mode_t mode, FileSync sync = FileSync::kDurable);

inline bool WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode,
                                FileSync sync = FileSync::kDurable) {
  return WriteFileAtomically(path, {content}, mode, sync);
}

}  // namespace maltrove
