// Single-entry zip archives (deflate) over libzip.
#pragma once

#include <string>

namespace maltrove {

// Creates (or replaces) `zipPath` holding the file `sourcePath` as the one
// entry `entryName`, deflated at the default level. On failure no archive is
// left at `zipPath`.
bool ZipSingleFile(const std::string& zipPath, const std::string& entryName, const std::string& sourcePath);

// Writes the entry named exactly `entryName` to `destinationPath` (created
// anew). Fails for a file that is not an archive, a missing entry, an entry
// larger than 1 GiB or any read or write error; a destination created by the
// failed call is removed.
bool ExtractEntry(const std::string& zipPath, const std::string& entryName, const std::string& destinationPath);

}  // namespace maltrove
