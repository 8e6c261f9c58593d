#pragma once

#include <string>
#include <sys/types.h>

namespace maltrove::platform {

// Writes the file through a temporary beside it and a rename, so a failure
// half-way leaves any earlier file of that name intact. false on failure.
bool WriteFileAtomically(const std::string& path, const std::string& content, mode_t mode);

}  // namespace maltrove::platform
