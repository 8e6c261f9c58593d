#pragma once

#include <string>

namespace maltrove {

// A reference resolved against the URL of the hosting page: unchanged when it
// holds "://" or when the page has no URL with "://"; for a reference that
// begins with "/" the page's scheme, host and port are put in front;
// otherwise the page's folder and a "/".
std::string ResolveReference(const std::string& documentUrl, const std::string& reference);

}  // namespace maltrove
