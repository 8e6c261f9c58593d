#pragma once

#include <string>

#include "shared/atomic_file.h"

namespace maltrove::platform {

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content);

using maltrove::WriteFileAtomically;

}  // namespace maltrove::platform
