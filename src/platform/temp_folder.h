#pragma once

#include <string>

namespace maltrove::platform {

// The per-user temporary folder, ending in '/': $TMPDIR when set, else
// /tmp/maltrove-<uid>/, created with mode 0700 and refused (empty result)
// when another user owns it.
std::string TempFolder();

}  // namespace maltrove::platform
