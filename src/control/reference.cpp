#include "control/reference.h"

namespace maltrove {

std::string ResolveReference(const std::string& documentUrl, const std::string& reference) {
  if (reference.find("://") != std::string::npos) return reference;
  const size_t scheme = documentUrl.find("://");
  if (scheme == std::string::npos) return reference;
  if (!reference.empty() && reference.front() == '/') {
    const size_t root = documentUrl.find('/', scheme + 3);
    return (root == std::string::npos ? documentUrl : documentUrl.substr(0, root)) + reference;
  }
  return documentUrl.substr(0, documentUrl.rfind('/')) + "/" + reference;
}

}  // namespace maltrove
