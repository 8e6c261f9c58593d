#include "formats/xml_file_rewrite.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "formats/xml_settings.h"
#include "shared/atomic_file.h"
#include "shared/charset_table.h"
#include "shared/code_page.h"

namespace maltrove {

namespace {

constexpr int kUtf8 = 65001;
constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;

bool ReadBytes(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The value of the encoding pseudo-attribute of the declaration, or "".
std::string DeclaredName(const std::string& text, size_t* valueBegin, size_t* valueEnd) {
  if (text.compare(0, 5, "<?xml") != 0) return {};
  const size_t close = text.find("?>");
  const size_t key = text.find("encoding", 5);
  if (close == std::string::npos || key == std::string::npos || key > close) return {};
  const size_t quote = text.find_first_of("\"'", key);
  if (quote == std::string::npos || quote > close) return {};
  const size_t end = text.find(text[quote], quote + 1);
  if (end == std::string::npos || end > close) return {};
  *valueBegin = quote + 1;
  *valueEnd = end;
  return text.substr(quote + 1, end - quote - 1);
}

bool DecodeFileText(const std::string& bytes, std::string* text) {
  int codePage = kUtf8;
  size_t skip = 0;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    skip = 3;
  } else if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
    codePage = kUtf16Le;
    skip = 2;
  } else if (bytes.compare(0, 2, "\xFE\xFF") == 0) {
    codePage = kUtf16Be;
    skip = 2;
  } else {
    // The declaration is ASCII in every encoding a declaration can name here.
    size_t b = 0, e = 0;
    const std::string name = DeclaredName(bytes.substr(0, 256), &b, &e);
    int family = 0;
    if (!name.empty() && !LookupEncoding(name, &codePage, &family)) codePage = kUtf8;
  }
  return ConvertToUtf8(std::string_view(bytes).substr(skip), codePage, text);
}

// The declaration of text names `encoding` afterwards.
std::string DeclareEncoding(const std::string& text, const std::string& encoding) {
  size_t b = 0, e = 0;
  if (DeclaredName(text, &b, &e).empty()) return PrepareDeclaration(text, encoding);
  std::string out = text;
  out.replace(b, e - b, encoding);
  return out;
}

}  // namespace

bool ReadXmlFileText(const std::string& path, std::string* text) {
  std::string bytes;
  return ReadBytes(path, &bytes) && DecodeFileText(bytes, text);
}

bool RewriteXmlFile(const std::string& path, const std::string& encoding, int codePage) {
  // The file keeps its mode; a failure half-way keeps it as it was.
  struct stat info;
  std::string bytes, text, encoded;
  return stat(path.c_str(), &info) == 0 && ReadBytes(path, &bytes) &&
         DecodeFileText(bytes, &text) &&
         ConvertFromUtf8(DeclareEncoding(text, encoding), codePage, &encoded) &&
         WriteFileAtomically(path, encoded, info.st_mode & 07777);
}

}  // namespace maltrove
