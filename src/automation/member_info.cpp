#include "automation/member_info.h"

#include <cctype>

#include "automation/member_table.h"

namespace maltrove::automation {

const char* KindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::kMethod: return "method";
    case MemberKind::kPropertyGet: return "propget";
    case MemberKind::kPropertyPut: return "propput";
  }
  return "?";
}

std::string FoldCase(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace maltrove::automation
