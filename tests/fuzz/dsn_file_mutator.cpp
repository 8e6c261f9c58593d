// Mutates the values inside the DSN file: decipher the three records,
// mutate one value, encipher again. Random bytes almost never carry valid
// padding in all three records; plain mutation still runs now and then and
// for files that do not decipher.
#include <cstdint>
#include <cstring>
#include <string>

#include "gateway/rc2_cipher.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

bool Decipher(const uint8_t* data, size_t size, std::string values[3], size_t* used) {
  size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    if (size - at < 4) return false;
    const uint32_t length = data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                            static_cast<uint32_t>(data[at + 3]) << 24;
    at += 4;
    if (length > size - at) return false;
    if (!maltrove::DecipherValue(
            std::string_view(reinterpret_cast<const char*>(data + at), length), &values[i])) {
      return false;
    }
    at += length;
  }
  *used = at;
  return true;
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
  std::string values[3];
  size_t used = 0;
  if (seed % 8 == 0 || !Decipher(data, size, values, &used)) {
    return LLVMFuzzerMutate(data, size, maxSize);
  }
  std::string& value = values[seed % 3];
  if (value.empty()) value = " ";  // the mutation needs a byte to start from
  const size_t original = value.size();
  value.resize(maltrove::kMaxPlainValueLength);
  value.resize(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(value.data()), original,
                                maltrove::kMaxPlainValueLength));
  std::string file;
  for (const std::string& plain : values) {
    std::string cipher;
    if (!maltrove::EncipherValue(plain, &cipher)) return LLVMFuzzerMutate(data, size, maxSize);
    const auto length = static_cast<uint32_t>(cipher.size());
    for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<char>(length >> shift));
    file += cipher;
  }
  file.append(reinterpret_cast<const char*>(data + used), size - used);  // bytes after the records
  if (file.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, file.data(), file.size());
  return file.size();
}
