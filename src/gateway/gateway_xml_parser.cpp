#include "gateway/gateway_xml_parser.h"

#include <cerrno>
#include <cstdlib>

#include "shared/xml_declaration.h"

namespace maltrove {

namespace {

// "%d" of the vectorkey attribute; -1 when it does not read.
int ReadKey(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(begin, &end, 10);
  if (end == begin || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return -1;
  return static_cast<int>(value);
}

int TypeCode(const std::string& name, int current) {
  if (name == "String") return 1;
  if (name == "int") return 2;
  if (name == "long") return 3;
  if (name == "double") return 4;
  return current;
}

}  // namespace

bool CGateWayXMLParser::Read(const std::string& text, Mode mode, const std::string& encoding) {
  mode_ = mode;
  return Load_XML_String(PrepareDeclaration(text, encoding));
}

bool CGateWayXMLParser::Parse_Node() {
  if (!Is_Tag("<data>") || !Is_Child_Of("<vector>") || !Find_Attribute("value")) return true;
  const std::string value = Get_Attribute_Value();
  const int key = Find_Attribute("vectorkey") ? ReadKey(Get_Attribute_Value()) : -1;
  const bool listed = key >= 0 && key < static_cast<int>(fields_->size());
  if (mode_ == kMapping) {
    CDBGFieldInfo field{value, 1, {}};
    if (listed) {
      fields_->insert(fields_->begin() + key, std::move(field));
    } else {
      fields_->push_back(std::move(field));
    }
  } else if (listed) {
    (*fields_)[key].type = TypeCode(value, (*fields_)[key].type);
  }
  return true;
}

}  // namespace maltrove
