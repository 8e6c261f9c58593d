// CompactText: a text in 16 bytes. Up to 15 bytes lie inline (most
// values of a grid: codes, names, numbers, dates); a longer text lives on
// the heap in a block of exactly its size.
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace maltrove {

class CompactText {
 public:
  static constexpr size_t kInline = 15;

  CompactText() { bytes_[kInline] = 0; }
  explicit CompactText(std::string_view s) : CompactText() { assign(s); }
  CompactText(const CompactText& other) : CompactText() { assign(other.view()); }
  CompactText(CompactText&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.bytes_[kInline] = 0;
  }
  ~CompactText() {
    if (onHeap()) release();
  }

  CompactText& operator=(const CompactText& other) {
    if (this != &other) assign(other.view());
    return *this;
  }
  CompactText& operator=(CompactText&& other) noexcept {
    if (this != &other) {
      release();
      std::memcpy(bytes_, other.bytes_, sizeof bytes_);
      other.bytes_[kInline] = 0;
    }
    return *this;
  }
  CompactText& operator=(std::string_view s) {
    assign(s);
    return *this;
  }

  void assign(std::string_view s);
  void clear() { assign(std::string_view()); }

  const char* data() const { return onHeap() ? heapData() : bytes_; }
  size_t size() const { return onHeap() ? heapSize() : static_cast<uint8_t>(bytes_[kInline]); }
  bool empty() const { return size() == 0; }
  std::string_view view() const { return std::string_view(data(), size()); }
  operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }

  friend bool operator==(const CompactText& a, std::string_view b) { return a.view() == b; }
  friend std::ostream& operator<<(std::ostream& out, const CompactText& t) { return out << t.view(); }

 private:
  static constexpr char kHeapTag = static_cast<char>(0x80);

  bool onHeap() const { return bytes_[kInline] == kHeapTag; }
  char* heapData() const {
    char* p;
    std::memcpy(&p, bytes_, sizeof p);
    return p;
  }
  uint32_t heapSize() const {
    uint32_t n;
    std::memcpy(&n, bytes_ + sizeof(char*), sizeof n);
    return n;
  }
  void release();

  // Inline: the text, then its length in the last byte. On the heap: the
  // pointer, the 32-bit length, and kHeapTag in the last byte.
  alignas(8) char bytes_[16];
};

static_assert(sizeof(CompactText) == 16);

}  // namespace maltrove
