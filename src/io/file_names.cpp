#include "io/file_names.h"

#include <cctype>

namespace maltrove {

std::string FileExtension(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  return FileExtension(path).empty() ? path + extension : path;
}

}  // namespace maltrove
