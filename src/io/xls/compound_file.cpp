#include "io/xls/compound_file.h"

#include <algorithm>
#include <cstring>

namespace maltrove::xls {

namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kFreeSect = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSect = 0xFFFFFFFD;
constexpr uint32_t kDifSect = 0xFFFFFFFC;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderDifatEntries = 109;
constexpr size_t kDirEntrySize = 128;
constexpr size_t kMiniSectorSize = 64;
constexpr uint8_t kTypeStream = 2;
constexpr uint8_t kTypeRoot = 5;

void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutDirEntry(uint8_t* p, std::u16string_view name, uint8_t type, uint32_t child,
                 uint32_t start, uint32_t size) {
  for (size_t i = 0; i < name.size(); ++i) Put16(p + 2 * i, name[i]);
  Put16(p + 0x40, static_cast<uint16_t>((name.size() + 1) * 2));
  p[0x42] = type;
  p[0x43] = 1;  // black
  Put32(p + 0x44, kNoStream);
  Put32(p + 0x48, kNoStream);
  Put32(p + 0x4C, child);
  Put32(p + 0x74, start);
  Put32(p + 0x78, size);
}

bool SetError(std::string* error, const char* message) {
  if (error) *error = message;
  return false;
}

bool NameEquals(std::u16string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<char16_t>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

bool MakeCompoundFileFrame(std::u16string_view stream_name, uint64_t stream_size,
                           CompoundFileFrame* frame) {
  if (stream_name.empty() || stream_name.size() > 31 || stream_size > 0xFFFFFFFFull) return false;
  const uint64_t ss = 512;
  const uint64_t per_sector = ss / 4;
  const uint64_t stream_sectors = (stream_size + ss - 1) / ss;
  uint64_t fat_sectors = 0;
  uint64_t difat_sectors = 0;
  for (;;) {
    uint64_t total = stream_sectors + 1 + fat_sectors + difat_sectors;
    uint64_t need_fat = (total + per_sector - 1) / per_sector;
    uint64_t need_difat = need_fat > kHeaderDifatEntries
                              ? (need_fat - kHeaderDifatEntries + per_sector - 2) / (per_sector - 1)
                              : 0;
    if (need_fat <= fat_sectors && need_difat <= difat_sectors) break;
    fat_sectors = std::max(fat_sectors, need_fat);
    difat_sectors = std::max(difat_sectors, need_difat);
  }
  const auto dir_sector = static_cast<uint32_t>(stream_sectors);
  const uint32_t first_fat = dir_sector + 1;
  const auto first_difat = static_cast<uint32_t>(first_fat + fat_sectors);
  const uint64_t total = stream_sectors + 1 + fat_sectors + difat_sectors;

  frame->head.assign(ss, 0);
  uint8_t* h = frame->head.data();
  std::memcpy(h, kSignature, 8);
  Put16(h + 0x18, 0x003E);
  Put16(h + 0x1A, 3);
  Put16(h + 0x1C, 0xFFFE);
  Put16(h + 0x1E, 9);
  Put16(h + 0x20, 6);
  Put32(h + 0x2C, static_cast<uint32_t>(fat_sectors));
  Put32(h + 0x30, dir_sector);
  Put32(h + 0x38, 4096);
  Put32(h + 0x3C, kEndOfChain);
  Put32(h + 0x44, difat_sectors ? first_difat : kEndOfChain);
  Put32(h + 0x48, static_cast<uint32_t>(difat_sectors));
  for (size_t i = 0; i < kHeaderDifatEntries; ++i)
    Put32(h + 0x4C + 4 * i, i < fat_sectors ? first_fat + static_cast<uint32_t>(i) : kFreeSect);

  frame->stream_padding = static_cast<size_t>(stream_sectors * ss - stream_size);
  frame->tail.assign((1 + fat_sectors + difat_sectors) * ss, 0);
  uint8_t* dir = frame->tail.data();
  PutDirEntry(dir, u"Root Entry", kTypeRoot, 1, kEndOfChain, 0);
  PutDirEntry(dir + kDirEntrySize, stream_name, kTypeStream, kNoStream,
              stream_sectors ? 0 : kEndOfChain, static_cast<uint32_t>(stream_size));
  for (size_t e = 2; e < 4; ++e)
    for (size_t off : {0x44, 0x48, 0x4C}) Put32(dir + e * kDirEntrySize + off, kNoStream);

  uint8_t* fat = dir + ss;
  for (uint64_t i = 0; i < fat_sectors * per_sector; ++i) {
    uint32_t v = kFreeSect;
    if (i + 1 < stream_sectors) v = static_cast<uint32_t>(i + 1);
    else if (i + 1 == stream_sectors || i == dir_sector) v = kEndOfChain;
    else if (i >= first_fat && i < first_difat) v = kFatSect;
    else if (i >= first_difat && i < total) v = kDifSect;
    Put32(fat + 4 * i, v);
  }
  uint8_t* difat = fat + fat_sectors * ss;
  uint64_t next_fat = kHeaderDifatEntries;
  for (uint64_t d = 0; d < difat_sectors; ++d) {
    uint8_t* p = difat + d * ss;
    for (uint64_t k = 0; k + 1 < per_sector; ++k, ++next_fat)
      Put32(p + 4 * k, next_fat < fat_sectors ? first_fat + static_cast<uint32_t>(next_fat) : kFreeSect);
    Put32(p + ss - 4, d + 1 < difat_sectors ? first_difat + static_cast<uint32_t>(d + 1) : kEndOfChain);
  }
  return true;
}

std::vector<uint8_t> MakeCompoundFile(std::u16string_view stream_name,
                                      std::span<const uint8_t> stream) {
  CompoundFileFrame frame;
  if (!MakeCompoundFileFrame(stream_name, stream.size(), &frame)) return {};
  std::vector<uint8_t> out;
  out.reserve(frame.head.size() + stream.size() + frame.stream_padding + frame.tail.size());
  out.insert(out.end(), frame.head.begin(), frame.head.end());
  out.insert(out.end(), stream.begin(), stream.end());
  out.insert(out.end(), frame.stream_padding, 0);
  out.insert(out.end(), frame.tail.begin(), frame.tail.end());
  return out;
}

bool CompoundFileReader::Open(std::vector<uint8_t> bytes, std::string* error) {
  bytes_ = std::move(bytes);
  fat_.clear();
  entries_.clear();
  root_children_.clear();
  const uint8_t* h = bytes_.data();
  if (bytes_.size() < 512 || std::memcmp(h, kSignature, 8) != 0)
    return SetError(error, "not an Excel 97-2003 file (no compound file signature)");
  if (Get16(h + 0x1C) != 0xFFFE) return SetError(error, "compound file: bad byte order mark");
  const uint16_t major = Get16(h + 0x1A);
  const uint16_t shift = Get16(h + 0x1E);
  if (!((major == 3 && shift == 9) || (major == 4 && shift == 12)))
    return SetError(error, "compound file: unsupported version or sector size");
  if (Get16(h + 0x20) != 6) return SetError(error, "compound file: bad mini sector size");
  sector_size_ = size_t{1} << shift;
  if (bytes_.size() < sector_size_) return SetError(error, "compound file: truncated header");
  sector_count_ = (bytes_.size() - sector_size_) / sector_size_;
  mini_cutoff_ = Get32(h + 0x38);
  first_mini_fat_ = Get32(h + 0x3C);
  const uint32_t fat_count = Get32(h + 0x2C);
  if (fat_count == 0 || fat_count > sector_count_)
    return SetError(error, "compound file: bad FAT sector count");

  const size_t per_sector = sector_size_ / 4;
  std::vector<uint32_t> fat_sectors;
  fat_sectors.reserve(fat_count);
  for (size_t i = 0; i < kHeaderDifatEntries && fat_sectors.size() < fat_count; ++i)
    fat_sectors.push_back(Get32(h + 0x4C + 4 * i));
  std::vector<bool> seen(sector_count_, false);
  uint32_t difat = Get32(h + 0x44);
  while (fat_sectors.size() < fat_count) {
    if (difat >= sector_count_) return SetError(error, "compound file: DIFAT chain is broken");
    if (seen[difat]) return SetError(error, "compound file: DIFAT chain loops");
    seen[difat] = true;
    const uint8_t* p = h + (size_t{difat} + 1) * sector_size_;
    for (size_t k = 0; k + 1 < per_sector && fat_sectors.size() < fat_count; ++k)
      fat_sectors.push_back(Get32(p + 4 * k));
    difat = Get32(p + sector_size_ - 4);
  }
  fat_.resize(fat_sectors.size() * per_sector);
  for (size_t i = 0; i < fat_sectors.size(); ++i) {
    if (fat_sectors[i] >= sector_count_) return SetError(error, "compound file: FAT sector out of range");
    const uint8_t* p = h + (size_t{fat_sectors[i]} + 1) * sector_size_;
    for (size_t k = 0; k < per_sector; ++k) fat_[i * per_sector + k] = Get32(p + 4 * k);
  }

  std::vector<uint32_t> dir_chain;
  if (!ReadChain(fat_, Get32(h + 0x30), 0, &dir_chain, error)) return false;
  if (dir_chain.empty()) return SetError(error, "compound file: no directory");
  const size_t per_dir_sector = sector_size_ / kDirEntrySize;
  entries_.reserve(dir_chain.size() * per_dir_sector);
  for (uint32_t sector : dir_chain) {
    if (sector >= sector_count_) return SetError(error, "compound file: directory sector out of range");
    const uint8_t* base = h + (size_t{sector} + 1) * sector_size_;
    for (size_t e = 0; e < per_dir_sector; ++e) {
      const uint8_t* p = base + e * kDirEntrySize;
      Entry entry;
      size_t name_len = std::min<size_t>(Get16(p + 0x40) / 2, 32);
      for (size_t i = 0; i < name_len; ++i) {
        char16_t c = Get16(p + 2 * i);
        if (c == 0) break;
        entry.name.push_back(c);
      }
      entry.type = p[0x42];
      entry.left = Get32(p + 0x44);
      entry.right = Get32(p + 0x48);
      entry.child = Get32(p + 0x4C);
      entry.start = Get32(p + 0x74);
      entry.size = Get32(p + 0x78);
      if (major == 4) entry.size |= static_cast<uint64_t>(Get32(p + 0x7C)) << 32;
      entries_.push_back(std::move(entry));
    }
  }
  if (entries_[0].type != kTypeRoot) return SetError(error, "compound file: no root entry");

  // Walk the root's sibling tree; ids are checked and each visited once.
  std::vector<bool> visited(entries_.size(), false);
  std::vector<uint32_t> stack;
  if (entries_[0].child != kNoStream) stack.push_back(entries_[0].child);
  while (!stack.empty()) {
    uint32_t id = stack.back();
    stack.pop_back();
    if (id == 0 || id >= entries_.size()) return SetError(error, "compound file: bad directory tree");
    if (visited[id]) return SetError(error, "compound file: directory tree loops");
    visited[id] = true;
    root_children_.push_back(id);
    if (entries_[id].right != kNoStream) stack.push_back(entries_[id].right);
    if (entries_[id].left != kNoStream) stack.push_back(entries_[id].left);
  }
  std::sort(root_children_.begin(), root_children_.end());
  return true;
}

bool CompoundFileReader::ReadChain(const std::vector<uint32_t>& table, uint32_t start,
                                   size_t unit_count, std::vector<uint32_t>* chain,
                                   std::string* error) const {
  chain->clear();
  std::vector<bool> visited(table.size(), false);
  for (uint32_t cur = start; cur != kEndOfChain; cur = table[cur]) {
    if (unit_count && chain->size() == unit_count) break;
    if (cur >= table.size()) return SetError(error, "compound file: sector chain is broken");
    if (visited[cur]) return SetError(error, "compound file: sector chain loops");
    visited[cur] = true;
    chain->push_back(cur);
  }
  if (chain->size() < unit_count) return SetError(error, "compound file: sector chain ends early");
  return true;
}

bool CompoundFileReader::ReadRegular(uint32_t start, uint64_t size, std::vector<uint8_t>* out,
                                     std::string* error) const {
  out->clear();
  if (size == 0) return true;
  if (size > bytes_.size()) return SetError(error, "compound file: stream larger than the file");
  std::vector<uint32_t> chain;
  const size_t units = static_cast<size_t>((size + sector_size_ - 1) / sector_size_);
  if (!ReadChain(fat_, start, units, &chain, error)) return false;
  out->resize(static_cast<size_t>(size));
  size_t done = 0;
  for (uint32_t sector : chain) {
    if (sector >= sector_count_) return SetError(error, "compound file: stream sector out of range");
    size_t n = std::min(sector_size_, out->size() - done);
    std::memcpy(out->data() + done, bytes_.data() + (size_t{sector} + 1) * sector_size_, n);
    done += n;
  }
  return true;
}

const CompoundFileReader::Entry* CompoundFileReader::FindRootChild(std::string_view name) const {
  for (uint32_t id : root_children_)
    if (NameEquals(entries_[id].name, name)) return &entries_[id];
  return nullptr;
}

std::vector<std::string> CompoundFileReader::StreamNames() const {
  std::vector<std::string> names;
  for (uint32_t id : root_children_) {
    if (entries_[id].type != kTypeStream) continue;
    std::string name;
    for (char16_t c : entries_[id].name) name.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    names.push_back(std::move(name));
  }
  return names;
}

bool CompoundFileReader::HasStream(std::string_view name) const {
  const Entry* e = FindRootChild(name);
  return e && e->type == kTypeStream;
}

bool CompoundFileReader::ReadStream(std::string_view name, std::vector<uint8_t>* out,
                                    std::string* error) const {
  const Entry* e = FindRootChild(name);
  if (!e || e->type != kTypeStream) return SetError(error, "compound file: stream not found");
  out->clear();
  if (e->size == 0) return true;
  if (e->size >= mini_cutoff_) return ReadRegular(e->start, e->size, out, error);

  const Entry& root = entries_[0];
  std::vector<uint8_t> mini_stream;
  if (!ReadRegular(root.start, root.size, &mini_stream, error)) return false;
  std::vector<uint32_t> mini_fat_chain;
  if (!ReadChain(fat_, first_mini_fat_, 0, &mini_fat_chain, error)) return false;
  std::vector<uint32_t> mini_fat;
  mini_fat.reserve(mini_fat_chain.size() * sector_size_ / 4);
  for (uint32_t sector : mini_fat_chain) {
    if (sector >= sector_count_) return SetError(error, "compound file: mini FAT sector out of range");
    const uint8_t* p = bytes_.data() + (size_t{sector} + 1) * sector_size_;
    for (size_t k = 0; k < sector_size_ / 4; ++k) mini_fat.push_back(Get32(p + 4 * k));
  }
  std::vector<uint32_t> chain;
  const size_t units = static_cast<size_t>((e->size + kMiniSectorSize - 1) / kMiniSectorSize);
  if (!ReadChain(mini_fat, e->start, units, &chain, error)) return false;
  out->resize(static_cast<size_t>(e->size));
  size_t done = 0;
  for (uint32_t unit : chain) {
    size_t n = std::min(kMiniSectorSize, out->size() - done);
    size_t at = size_t{unit} * kMiniSectorSize;
    if (at + n > mini_stream.size()) return SetError(error, "compound file: mini sector out of range");
    std::memcpy(out->data() + done, mini_stream.data() + at, n);
    done += n;
  }
  return true;
}

}  // namespace maltrove::xls
