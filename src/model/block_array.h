// BlockArray: elements indexed from 0 in fixed blocks of kBlockSize. Growing
// only ever adds a block: no element moves, and an element's address holds
// until the array is cleared. The model keeps its rows and each column's
// cells (CellColumn) in them, indexed by row id.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace maltrove {

template <typename T>
class BlockArray {
 public:
  static constexpr uint32_t kBlockShift = 10;
  static constexpr uint32_t kBlockSize = 1u << kBlockShift;

  BlockArray() = default;
  BlockArray(const BlockArray&) = delete;
  BlockArray& operator=(const BlockArray&) = delete;
  BlockArray(BlockArray&& other) noexcept
      : blocks_(std::move(other.blocks_)), size_(other.size_) {
    other.size_ = 0;
  }
  BlockArray& operator=(BlockArray&& other) noexcept {
    if (this != &other) {
      clear();
      blocks_ = std::move(other.blocks_);
      size_ = other.size_;
      other.size_ = 0;
    }
    return *this;
  }
  ~BlockArray() { clear(); }

  // `count` elements at their defaults.
  explicit BlockArray(uint32_t count) { resize(count); }

  uint32_t size() const { return size_; }
  T& operator[](uint32_t id) {
    return blocks_[id >> kBlockShift].get()[id & (kBlockSize - 1)];
  }
  const T& operator[](uint32_t id) const {
    return blocks_[id >> kBlockShift].get()[id & (kBlockSize - 1)];
  }

  // One more element, built from `args` (at its default without), at the
  // index size() had.
  template <typename... Args>
  T& push_back(Args&&... args) {
    if ((size_ & (kBlockSize - 1)) == 0 && (size_ >> kBlockShift) == blocks_.size()) {
      blocks_.emplace_back(static_cast<T*>(
          ::operator new(sizeof(T) * kBlockSize, std::align_val_t(alignof(T)))));
    }
    T* added = new (&(*this)[size_]) T(std::forward<Args>(args)...);
    ++size_;
    return *added;
  }

  void resize(uint32_t count) {
    while (size_ < count) push_back();
  }

  void clear() {
    if constexpr (!std::is_trivially_destructible_v<T>) {
      // Block by block: a whole table's cells go here at once.
      uint32_t left = size_;
      for (auto& block : blocks_) {
        const uint32_t count = left < kBlockSize ? left : kBlockSize;
        T* elements = block.get();
        for (uint32_t i = 0; i < count; ++i) elements[i].~T();
        left -= count;
      }
    }
    size_ = 0;
    blocks_.clear();
  }

 private:
  // Raw storage for kBlockSize elements, of which the first ones are built.
  struct FreeBlock {
    void operator()(T* block) const {
      ::operator delete(block, std::align_val_t(alignof(T)));
    }
  };
  std::vector<std::unique_ptr<T, FreeBlock>> blocks_;
  uint32_t size_ = 0;
};

}  // namespace maltrove
