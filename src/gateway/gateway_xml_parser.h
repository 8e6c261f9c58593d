// CGateWayXMLParser: reads the mapping XML (the names of the output columns)
// and the data-type XML (their types) of executeQuery.
#pragma once

#include <string>
#include <vector>

#include "shared/xml_parser.h"

namespace maltrove {

// One output column: the element name its values are written under.
struct CDBGFieldInfo {
  std::string name;
  int type = 1;  // 1 "String", 2 "int", 3 "long", 4 "double"
  std::string value;
};

class CGateWayXMLParser : public XML_PARSER {
 public:
  enum Mode { kMapping = 1, kDataTypes = 2 };

  CGateWayXMLParser(int parserVersion, std::vector<CDBGFieldInfo>* fields)
      : XML_PARSER(parserVersion), fields_(fields) {}

  // Prepares the declaration with `encoding` and reads the text.
  bool Read(const std::string& text, Mode mode, const std::string& encoding);

  bool Parse_Node() override;

 private:
  std::vector<CDBGFieldInfo>* fields_;
  Mode mode_ = kMapping;
};

}  // namespace maltrove
