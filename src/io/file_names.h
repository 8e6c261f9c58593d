#pragma once

#include <string>

namespace maltrove {

// The lower-case extension of a '/' path, with its dot; "" when it has none.
std::string FileExtension(const std::string& path);

// The path with `extension` (".csv") added when it has none, as a save
// dialog's default extension does.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace maltrove
