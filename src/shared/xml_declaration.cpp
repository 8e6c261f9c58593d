#include "shared/xml_declaration.h"

namespace maltrove {

std::string PrepareDeclaration(std::string_view text, const std::string& encoding) {
  const std::string attribute = " encoding=\"" + encoding + "\"";
  const size_t h = text.find("<?xml");
  const size_t o = text.find("?>");
  if (h == std::string_view::npos || o == std::string_view::npos || o <= h + 6) {
    std::string out = "<?xml version=\"1.0\"" + attribute + "?>\r\n";
    out.append(text);
    return out;
  }
  const size_t named = text.find("encoding", h + 6);
  std::string out(text);
  if (named == std::string_view::npos || named >= o) out.insert(o, attribute);
  return out;
}

}  // namespace maltrove
