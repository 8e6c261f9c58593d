#include "shared/xml_escape.h"

#include <array>

namespace maltrove {

namespace {

// Index into kEntities plus one, 0 for characters written as they are.
constexpr std::array<unsigned char, 256> MakeEntityIndex() {
  std::array<unsigned char, 256> index{};
  index['&'] = 1;
  index['"'] = 2;
  index['\''] = 3;
  index['<'] = 4;
  index['>'] = 5;
  return index;
}

constexpr std::array<unsigned char, 256> kEntityIndex = MakeEntityIndex();
constexpr std::string_view kEntities[] = {"&amp;", "&quot;", "&apos;", "&lt;", "&gt;"};

}  // namespace

void AppendXmlEscaped(std::string* out, std::string_view text) {
  const char* run = text.data();
  const char* end = text.data() + text.size();
  for (const char* p = run; p != end; ++p) {
    unsigned char entity = kEntityIndex[static_cast<unsigned char>(*p)];
    if (entity == 0) continue;
    out->append(run, p - run);
    out->append(kEntities[entity - 1]);
    run = p + 1;
  }
  out->append(run, end - run);
}

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendXmlEscaped(&out, text);
  return out;
}

}  // namespace maltrove
