#pragma once

#include <string>

namespace maltrove::platform {

// The per-user temporary folder, ending in '/': $TMPDIR when set, else
// /tmp/maltrove-<uid>/, created with mode 0700 and refused (empty result)
// when another user owns it.
std::string TempFolder();

// This process's own folder inside TempFolder(), ending in '/': made on first
// use as "maltrove-<pid>-<random>" with mode 0700 and removed with its files
// when the process exits. Files with fixed names live here, so that two
// processes of one user never read each other's. Folders of processes that
// ended without removing theirs are removed when it is made. Empty when it
// cannot be made.
std::string ProcessTempFolder();

}  // namespace maltrove::platform
