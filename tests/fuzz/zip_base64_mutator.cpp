// Structure-aware mutation of the zipped transport: decode the Base64,
// unpack the one entry, mutate the XML, pack and encode again. Plain byte
// mutation almost never survives the archive's checksum; it is still used
// for inputs that do not decode and now and then for the layers themselves.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "formats/base64.h"
#include "formats/zip_archive.h"
#include "fuzz/fuzz_support.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

constexpr char kEntry[] = "mvgvector.xml";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Unpack(const std::string& text, std::string* xml) {
  const std::string& folder = maltrove::fuzz::FuzzFolder();
  std::string archive;
  if (!maltrove::Base64Decode(text, &archive) || archive.empty()) return false;
  std::ofstream(folder + "mutate.zip", std::ios::binary | std::ios::trunc) << archive;
  if (!maltrove::ExtractEntry(folder + "mutate.zip", kEntry, folder + "mutate.xml")) return false;
  *xml = ReadAll(folder + "mutate.xml");
  return true;
}

bool Pack(const std::string& xml, std::string* text) {
  const std::string& folder = maltrove::fuzz::FuzzFolder();
  std::ofstream(folder + "mutate.xml", std::ios::binary | std::ios::trunc) << xml;
  if (!maltrove::ZipSingleFile(folder + "mutate.zip", kEntry, folder + "mutate.xml")) return false;
  *text = maltrove::Base64Encode(ReadAll(folder + "mutate.zip"));
  return true;
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
  std::string xml;
  if (seed % 16 == 0 ||
      !Unpack(std::string(reinterpret_cast<const char*>(data), size), &xml)) {
    return LLVMFuzzerMutate(data, size, maxSize);
  }
  // The XML may grow to what still fits once packed and encoded (deflate of
  // small text rarely grows it; Base64 adds a third).
  const size_t original = xml.size();
  const size_t room = std::max(original, maxSize * 3 / 5);
  xml.resize(room);
  xml.resize(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(xml.data()), original, room));
  std::string text;
  if (!Pack(xml, &text) || text.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, text.data(), text.size());
  return text.size();
}
