#include "shared/code_page.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace maltrove {

namespace {

struct CodePageName {
  int codePage;
  const char* name;
};

// Sorted by code page.
constexpr CodePageName kCodePageNames[] = {
    {37, "IBM037"},          {437, "CP437"},          {500, "IBM500"},
    {708, "ASMO-708"},       {737, "CP737"},          {775, "CP775"},
    {850, "CP850"},          {852, "CP852"},          {855, "CP855"},
    {857, "CP857"},          {858, "CP858"},          {860, "CP860"},
    {861, "CP861"},          {862, "CP862"},          {863, "CP863"},
    {864, "CP864"},          {865, "CP865"},          {866, "CP866"},
    {869, "CP869"},          {870, "IBM870"},         {874, "CP874"},
    {875, "IBM875"},         {932, "CP932"},          {936, "CP936"},
    {949, "CP949"},          {950, "CP950"},          {1026, "IBM1026"},
    {1047, "IBM1047"},       {1140, "IBM1140"},       {1141, "IBM1141"},
    {1142, "IBM1142"},       {1143, "IBM1143"},       {1144, "IBM1144"},
    {1145, "IBM1145"},       {1146, "IBM1146"},       {1147, "IBM1147"},
    {1148, "IBM1148"},       {1149, "IBM1149"},       {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},      {1250, "CP1250"},        {1251, "CP1251"},
    {1252, "CP1252"},        {1253, "CP1253"},        {1254, "CP1254"},
    {1255, "CP1255"},        {1256, "CP1256"},        {1257, "CP1257"},
    {1258, "CP1258"},        {1361, "JOHAB"},         {10000, "MACINTOSH"},
    {10007, "MAC-CYRILLIC"}, {10017, "MACUKRAINIAN"}, {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},       {12000, "UTF-32LE"},     {12001, "UTF-32BE"},
    {20106, "ISO646-DE"},    {20107, "ISO646-SE"},    {20108, "ISO646-NO"},
    {20127, "ASCII"},        {20273, "IBM273"},       {20277, "IBM277"},
    {20278, "IBM278"},       {20280, "IBM280"},       {20284, "IBM284"},
    {20285, "IBM285"},       {20290, "IBM290"},       {20297, "IBM297"},
    {20420, "IBM420"},       {20423, "IBM423"},       {20424, "IBM424"},
    {20866, "KOI8-R"},       {20871, "IBM871"},       {20880, "IBM880"},
    {20905, "IBM905"},       {21025, "IBM1025"},      {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},   {28592, "ISO-8859-2"},   {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},   {28595, "ISO-8859-5"},   {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},   {28598, "ISO-8859-8"},   {28599, "ISO-8859-9"},
    {28600, "ISO-8859-10"},  {28601, "ISO-8859-11"},  {28603, "ISO-8859-13"},
    {28604, "ISO-8859-14"},  {28605, "ISO-8859-15"},  {28606, "ISO-8859-16"},
    {38598, "ISO-8859-8"},   {50220, "ISO-2022-JP"},  {50221, "ISO-2022-JP"},
    {50222, "ISO-2022-JP"},  {50225, "ISO-2022-KR"},  {50930, "IBM930"},
    {50933, "IBM933"},       {50935, "IBM935"},       {50937, "IBM937"},
    {50939, "IBM939"},       {51932, "EUC-JP"},       {51936, "EUC-CN"},
    {51949, "EUC-KR"},       {54936, "GB18030"},      {65000, "UTF-7"},
    {65001, "UTF-8"},
};

constexpr bool IsSorted() {
  for (size_t i = 1; i < std::size(kCodePageNames); ++i) {
    if (kCodePageNames[i - 1].codePage >= kCodePageNames[i].codePage) return false;
  }
  return true;
}
static_assert(IsSorted());

bool IsUtf8CodePage(int codePage) { return codePage == 0 || codePage == 65001; }

// Bytes skipped after input that does not decode.
size_t DecodeUnit(int codePage) {
  if (codePage == 1200 || codePage == 1201) return 2;
  if (codePage == 12000 || codePage == 12001) return 4;
  return 1;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the UTF-8 sequence at the front of s when it is well formed,
// else of its maximal ill-formed subpart (at least 1).
size_t Utf8PieceLength(const unsigned char* s, size_t size, bool* valid) {
  unsigned char lead = s[0];
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  size_t count;
  *valid = false;
  if (lead < 0x80) {
    count = 0;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    count = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 2;
    if (lead == 0xE0) lo = 0xA0;
    if (lead == 0xED) hi = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 3;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;
  } else {
    return 1;
  }
  size_t n = 1;
  for (size_t k = 0; k < count; ++k, ++n) {
    if (n >= size || s[n] < lo || s[n] > hi) return n;
    lo = 0x80;
    hi = 0xBF;
  }
  *valid = true;
  return n;
}

// Copies UTF-8 text, each ill-formed piece replaced by U+FFFD.
std::string RepairUtf8(std::string_view text) {
  auto bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::string out;
  out.reserve(text.size());
  size_t run = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    if (bytes[pos] < 0x80) {
      ++pos;
      continue;
    }
    bool valid = false;
    size_t length = Utf8PieceLength(bytes + pos, text.size() - pos, &valid);
    if (!valid) {
      out.append(text, run, pos - run);
      out.append(kReplacement);
      run = pos + length;
    }
    pos += length;
  }
  out.append(text, run, text.size() - run);
  return out;
}

// iconv descriptors stay open per thread; iconv_open is costly next to
// converting a short text.
class ConverterCache {
 public:
  ConverterCache() = default;
  ConverterCache(const ConverterCache&) = delete;
  ConverterCache& operator=(const ConverterCache&) = delete;
  ~ConverterCache() {
    for (const Entry& entry : entries_) {
      if (entry.cd != kNone) iconv_close(entry.cd);
    }
  }

  // A descriptor in its initial state, or kNone.
  iconv_t Get(int codePage, bool toUtf8) {
    for (const Entry& entry : entries_) {
      if (entry.codePage == codePage && entry.toUtf8 == toUtf8) return Reset(entry.cd);
    }
    iconv_t cd = kNone;
    if (const char* name = IconvName(codePage)) {
      cd = toUtf8 ? iconv_open("UTF-8", name) : iconv_open(name, "UTF-8");
    }
    entries_.push_back({codePage, toUtf8, cd});
    return cd;
  }

  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

 private:
  struct Entry {
    int codePage;
    bool toUtf8;
    iconv_t cd;
  };

  static iconv_t Reset(iconv_t cd) {
    if (cd != kNone) iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return cd;
  }

  std::vector<Entry> entries_;
};

thread_local ConverterCache t_converters;

// Output of iconv, grown whenever it runs out of room.
class Sink {
 public:
  explicit Sink(size_t expected) : buffer_(expected + 16, '\0') {}

  // Converts until the input is used up or stops at a fault; returns 0 or
  // the errno of the fault. A null input flushes the shift state.
  int Pump(iconv_t cd, char** in, size_t* inLeft) {
    for (;;) {
      if (buffer_.size() - used_ < 16) buffer_.resize(buffer_.size() * 2);
      char* out = buffer_.data() + used_;
      size_t outLeft = buffer_.size() - used_;
      size_t result = iconv(cd, in, inLeft, &out, &outLeft);
      used_ = out - buffer_.data();
      if (result != static_cast<size_t>(-1)) return 0;
      if (errno != E2BIG) return errno;
      buffer_.resize(buffer_.size() * 2);
    }
  }

  void Append(std::string_view bytes) {
    if (buffer_.size() - used_ < bytes.size() + 16) buffer_.resize(buffer_.size() * 2 + bytes.size());
    std::copy(bytes.begin(), bytes.end(), buffer_.data() + used_);
    used_ += bytes.size();
  }

  std::string Take() {
    buffer_.resize(used_);
    return std::move(buffer_);
  }

 private:
  std::string buffer_;
  size_t used_ = 0;
};

}  // namespace

const char* IconvName(int codePage) {
  if (codePage == 0) return "UTF-8";
  auto found = std::lower_bound(std::begin(kCodePageNames), std::end(kCodePageNames), codePage,
                                [](const CodePageName& entry, int page) { return entry.codePage < page; });
  if (found == std::end(kCodePageNames) || found->codePage != codePage) return nullptr;
  return found->name;
}

bool ConvertFromUtf8(std::string_view text, int codePage, std::string* out) {
  if (IsUtf8CodePage(codePage)) {
    out->assign(text);
    return true;
  }
  iconv_t cd = t_converters.Get(codePage, false);
  if (cd == ConverterCache::kNone) {
    out->assign(text);
    return false;
  }
  Sink sink(text.size());
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0 && sink.Pump(cd, &in, &inLeft) != 0) {
    // Unrepresentable or ill-formed: one '?' through the converter, which
    // also shifts a stateful encoding back as needed.
    bool valid = false;
    size_t skip = std::min(inLeft, Utf8PieceLength(reinterpret_cast<unsigned char*>(in), inLeft, &valid));
    in += skip;
    inLeft -= skip;
    char question[] = "?";
    char* q = question;
    size_t qLeft = 1;
    sink.Pump(cd, &q, &qLeft);
  }
  sink.Pump(cd, nullptr, nullptr);
  *out = sink.Take();
  return true;
}

bool ConvertFromUtf8Exactly(std::string_view text, int codePage, std::string* out) {
  if (IsUtf8CodePage(codePage)) {
    *out = RepairUtf8(text);
    return *out == text;
  }
  iconv_t cd = t_converters.Get(codePage, false);
  if (cd == ConverterCache::kNone) return false;
  Sink sink(text.size());
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  if (sink.Pump(cd, &in, &inLeft) != 0 || sink.Pump(cd, nullptr, nullptr) != 0) return false;
  *out = sink.Take();
  // Some converters map a character they lack to a look-alike without an
  // error; only text that decodes back unchanged is exact.
  std::string back;
  return ConvertToUtf8(*out, codePage, &back) && back == text;
}

bool ConvertToUtf8(std::string_view bytes, int codePage, std::string* out) {
  if (IsUtf8CodePage(codePage)) {
    *out = RepairUtf8(bytes);
    return true;
  }
  iconv_t cd = t_converters.Get(codePage, true);
  if (cd == ConverterCache::kNone) {
    *out = RepairUtf8(bytes);
    return false;
  }
  Sink sink(bytes.size() * 2);
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  const size_t unit = DecodeUnit(codePage);
  while (inLeft > 0) {
    int fault = sink.Pump(cd, &in, &inLeft);
    if (fault == 0) break;
    sink.Append(kReplacement);
    if (fault == EINVAL) break;  // the input ends inside a character
    size_t skip = std::min(inLeft, unit);
    in += skip;
    inLeft -= skip;
  }
  *out = sink.Take();
  return true;
}

std::string ConvertCodePage(std::string_view text, int from, int to) {
  if (text.empty()) return {};
  std::string utf8;
  ConvertToUtf8(text, from, &utf8);
  if (IsUtf8CodePage(to)) return utf8;
  std::string out;
  ConvertFromUtf8(utf8, to, &out);
  return out;
}

}  // namespace maltrove
