#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace maltrove::xls {

// A version 3 compound file (512-byte sectors) holding one stream at the root,
// laid out as: header, stream sectors, directory sector, FAT sectors, DIFAT
// sectors. Split into the parts around the stream so a large stream can be
// written without copying it.
struct CompoundFileFrame {
  std::vector<uint8_t> head;  // the 512-byte header
  size_t stream_padding = 0;  // zero bytes after the stream up to a sector boundary
  std::vector<uint8_t> tail;  // directory, FAT and DIFAT sectors
};

// The stream should be at least 4096 bytes: a smaller one belongs in the
// mini stream, which this writer does not produce. Returns false when the name
// is longer than 31 UTF-16 units or the stream exceeds 4 GiB.
bool MakeCompoundFileFrame(std::u16string_view stream_name, uint64_t stream_size,
                           CompoundFileFrame* frame);

std::vector<uint8_t> MakeCompoundFile(std::u16string_view stream_name,
                                      std::span<const uint8_t> stream);

// Reads version 3 and 4 compound files. All offsets, chains and sizes are
// checked, so malformed input yields an error rather than a crash or a loop.
class CompoundFileReader {
 public:
  bool Open(std::vector<uint8_t> bytes, std::string* error);

  // Streams directly under the root storage, in directory order.
  std::vector<std::string> StreamNames() const;
  bool HasStream(std::string_view name) const;  // ASCII names, case-insensitive
  bool ReadStream(std::string_view name, std::vector<uint8_t>* out, std::string* error) const;

 private:
  struct Entry {
    std::u16string name;
    uint8_t type = 0;
    uint32_t left = 0, right = 0, child = 0;
    uint32_t start = 0;
    uint64_t size = 0;
  };

  bool ReadChain(const std::vector<uint32_t>& table, uint32_t start, size_t unit_count,
                 std::vector<uint32_t>* chain, std::string* error) const;
  bool ReadRegular(uint32_t start, uint64_t size, std::vector<uint8_t>* out,
                   std::string* error) const;
  const Entry* FindRootChild(std::string_view name) const;

  std::vector<uint8_t> bytes_;
  size_t sector_size_ = 512;
  size_t sector_count_ = 0;  // whole sectors present after the header
  uint32_t mini_cutoff_ = 4096;
  std::vector<uint32_t> fat_;
  uint32_t first_mini_fat_ = 0;
  std::vector<Entry> entries_;
  std::vector<uint32_t> root_children_;  // entry ids directly under the root
};

}  // namespace maltrove::xls
