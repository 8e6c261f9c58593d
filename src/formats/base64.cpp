#include "formats/base64.h"

#include <array>
#include <cstdint>

namespace maltrove {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kGroupsPerLine = 19;

constexpr std::array<int8_t, 256> MakeDecodeTable() {
  std::array<int8_t, 256> table{};
  for (auto& value : table) value = -1;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
  return table;
}

constexpr std::array<int8_t, 256> kDecode = MakeDecodeTable();

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  const size_t groups = bytes.size() / 3;
  const size_t rest = bytes.size() % 3;
  const size_t breaks = groups / kGroupsPerLine;
  std::string text(4 * (groups + (rest ? 1 : 0)) + 2 * breaks, '\0');
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  char* out = text.data();
  for (size_t g = 0; g < groups; ++g, in += 3) {
    const uint32_t v = uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2];
    *out++ = kAlphabet[v >> 18];
    *out++ = kAlphabet[v >> 12 & 63];
    *out++ = kAlphabet[v >> 6 & 63];
    *out++ = kAlphabet[v & 63];
    if ((g + 1) % kGroupsPerLine == 0) {
      *out++ = '\r';
      *out++ = '\n';
    }
  }
  if (rest) {
    const uint32_t v = uint32_t{in[0]} << 16 | (rest == 2 ? uint32_t{in[1]} << 8 : 0);
    *out++ = kAlphabet[v >> 18];
    *out++ = kAlphabet[v >> 12 & 63];
    *out++ = rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    *out++ = '=';
  }
  return text;
}

bool Base64Decode(std::string_view text, std::string* bytes) {
  bytes->clear();
  bytes->reserve(text.size() / 4 * 3 + 2);
  uint32_t value = 0;
  int count = 0;
  for (char c : text) {
    if (c == '\0') break;
    const int digit = kDecode[static_cast<unsigned char>(c)];
    if (digit < 0) continue;
    value = value << 6 | static_cast<uint32_t>(digit);
    if (++count == 4) {
      if (bytes->size() + 3 > text.size()) return false;
      const char group[3] = {static_cast<char>(value >> 16), static_cast<char>(value >> 8), static_cast<char>(value)};
      bytes->append(group, 3);
      value = 0;
      count = 0;
    }
  }
  if (count >= 2) {
    if (bytes->size() + static_cast<size_t>(count - 1) > text.size()) return false;
    value <<= 6 * (4 - count);
    bytes->push_back(static_cast<char>(value >> 16));
    if (count == 3) bytes->push_back(static_cast<char>(value >> 8));
  }
  return true;
}

}  // namespace maltrove
