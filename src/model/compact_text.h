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

  void assign(std::string_view s) {
    if (s.size() <= kInline && !onHeap()) {
      // The common store, inline: a short text over a short one.
      const bool highBytes = CopyShort(bytes_, s.data(), s.size());
      setInlineSize(s.size(), highBytes);
      return;
    }
    assignElsewhere(s);
  }
  void clear() { assign(std::string_view()); }

  const char* data() const { return onHeap() ? heapData() : bytes_; }
  size_t size() const {
    return onHeap() ? heapSize() : static_cast<uint8_t>(bytes_[kInline]) & kSizeBits;
  }
  bool empty() const { return size() == 0; }
  std::string_view view() const { return std::string_view(data(), size()); }
  operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }

  // Whether the text lies inline and is plain ASCII (so also valid UTF-8),
  // as noted when it was stored: the text itself is not read again.
  bool isInlineAscii() const { return static_cast<uint8_t>(bytes_[kInline]) <= kInline; }

  friend bool operator==(const CompactText& a, std::string_view b) { return a.view() == b; }
  friend std::ostream& operator<<(std::ostream& out, const CompactText& t) { return out << t.view(); }

 private:
  static constexpr char kHeapTag = static_cast<char>(0x80);
  // The last byte of an inline text: its size, plus kHighBytes when a byte
  // of it is not ASCII.
  static constexpr uint8_t kSizeBits = 0x1F;
  static constexpr uint8_t kHighBytes = 0x40;

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
  void assignElsewhere(std::string_view s);
  void setInlineSize(size_t n, bool highBytes) {
    bytes_[kInline] = static_cast<char>(n | (highBytes ? kHighBytes : 0));
  }
  // Copies n <= 16 bytes with every load before the first store, so that
  // the source may lie in the destination (a part of this text). Answers
  // whether a byte is not ASCII, from the loaded bytes.
  static bool CopyShort(char* to, const char* from, size_t n) {
    if (n >= 8) return CopyHeadAndTail<uint64_t>(to, from, n);
    if (n >= 4) return CopyHeadAndTail<uint32_t>(to, from, n);
    if (n == 0) return false;
    const char first = from[0], middle = from[n / 2], last = from[n - 1];
    to[0] = first;
    to[n / 2] = middle;
    to[n - 1] = last;
    return ((first | middle | last) & 0x80) != 0;
  }
  // CopyShort of one word to two: the first and the last word, which may
  // overlap.
  template <typename Word>
  static bool CopyHeadAndTail(char* to, const char* from, size_t n) {
    Word head, tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + n - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + n - sizeof tail, &tail, sizeof tail);
    return ((head | tail) & static_cast<Word>(0x8080808080808080u)) != 0;
  }

  // Inline: the text, then its length (and kHighBytes) in the last byte. On
  // the heap: the pointer, the 32-bit length, and kHeapTag in the last byte.
  alignas(8) char bytes_[16];
};

static_assert(sizeof(CompactText) == 16);

}  // namespace maltrove
