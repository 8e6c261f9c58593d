#include "model/compact_text.h"

#include <cstdlib>
#include <new>

namespace maltrove {

void CompactText::release() {
  if (onHeap()) std::free(heapData());
  bytes_[kInline] = 0;
}

// assign's other cases: a text to or from the heap.
void CompactText::assignElsewhere(std::string_view s) {
  if (s.size() <= kInline) {
    // s may point into this text's own block: copy before freeing it.
    char copy[kInline];
    const bool highBytes = CopyShort(copy, s.data(), s.size());
    release();
    CopyShort(bytes_, copy, s.size());
    setInlineSize(s.size(), highBytes);
    return;
  }
  if (s.size() > UINT32_MAX) throw std::bad_alloc();
  if (onHeap() && heapSize() == s.size()) {
    std::memmove(heapData(), s.data(), s.size());
    return;
  }
  char* block = static_cast<char*>(std::malloc(s.size()));
  if (block == nullptr) throw std::bad_alloc();
  std::memcpy(block, s.data(), s.size());
  release();
  const auto n = static_cast<uint32_t>(s.size());
  std::memcpy(bytes_, &block, sizeof block);
  std::memcpy(bytes_ + sizeof block, &n, sizeof n);
  bytes_[kInline] = kHeapTag;
}

}  // namespace maltrove
