#pragma once

#include <string>
#include <sys/types.h>

namespace maltrove::platform {

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content);

// Writes the file through a temporary beside it and a rename, so a failure
// half-way leaves any earlier file of that name intact. false on failure.
bool WriteFileAtomically(const std::string& path, const std::string& content, mode_t mode);

}  // namespace maltrove::platform
