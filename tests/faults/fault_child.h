// Faults injected for real in a forked child, so that the test process
// itself keeps its limits and its memory.
#pragma once

#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace maltrove::testing {

// Runs `action` in a forked child whose writes fail past `limit` bytes of
// any file (RLIMIT_FSIZE with SIGXFSZ ignored: write answers EFBIG, as a
// full disk answers ENOSPC). Returns what `action` returned (0 to 255), or
// -1 when the child did not end normally.
int RunWithFileSizeLimit(rlim_t limit, const std::function<int()>& action);

// The names of the entries of a folder.
std::set<std::string> FolderEntries(const std::filesystem::path& folder);

// The whole content of a file, empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& path);

}  // namespace maltrove::testing
