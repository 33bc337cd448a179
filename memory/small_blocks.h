#pragma once

#include <cstddef>
#include <new>

namespace vantaro {

// Memory for the small objects a record holds by the million (nodes, their
// property arrays, texts): blocks in size classes of 8 bytes up to 256,
// without per-block headers and without the general heap's searching and
// merging, and without a lock (each thread has pools of its own, and a block
// may be released on any thread). Freed blocks are reused, never given back
// to the system. The caller gives the size again when it releases a block.
// Larger requests, and every request under AddressSanitizer, go to the
// general heap.
void* AllocateBlock(std::size_t bytes);
void ReleaseBlock(void* block, std::size_t bytes) noexcept;

// Blocks are aligned for pointers and doubles, not more: a finer size class
// than the heap's 16 bytes saves a tenth of a large record's memory.
inline constexpr std::size_t kBlockAlignment = 8;

// An allocator for standard containers over the same blocks.
template <typename T>
struct BlockAllocator {
  static_assert(alignof(T) <= kBlockAlignment);
  using value_type = T;
  BlockAllocator() = default;
  template <typename U>
  BlockAllocator(const BlockAllocator<U>&) {}
  T* allocate(std::size_t count) { return static_cast<T*>(AllocateBlock(count * sizeof(T))); }
  void deallocate(T* pointer, std::size_t count) noexcept {
    ReleaseBlock(pointer, count * sizeof(T));
  }
  template <typename U>
  bool operator==(const BlockAllocator<U>&) const {
    return true;
  }
};

}  // namespace vantaro
