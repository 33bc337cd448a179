#include "memory/small_blocks.h"

#include <array>
#include <atomic>
#include <memory>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTARO_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VANTARO_ADDRESS_SANITIZER 1
#endif

namespace vantaro {
namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kLargestBlock = 256;
constexpr std::size_t kClassCount = kLargestBlock / kGranule;
constexpr std::size_t kSlabBytes = 64 * 1024;

struct FreeBlock {
  FreeBlock* next;
};

class BlockPools {
 public:
  // Never destroyed: objects with static storage may still own blocks at exit.
  static BlockPools& Instance() {
    static BlockPools& pools = *std::make_unique<BlockPools>().release();
    return pools;
  }

  void* Allocate(std::size_t sizeClass) {
    const Lock lock(busy_);
    FreeBlock*& head = free_[sizeClass];
    if (head == nullptr) AddSlab(sizeClass);
    FreeBlock* block = head;
    head = block->next;
    // Blocks freed by a closed record have long left the cache; fetching the
    // next one now overlaps that wait with the caller's use of this one.
    // Reading a record after closing another spent nearly half its time here.
    if (head != nullptr) __builtin_prefetch(head, 1);
    return block;
  }

  void Release(void* pointer, std::size_t sizeClass) {
    const Lock lock(busy_);
    auto* block = static_cast<FreeBlock*>(pointer);
    block->next = free_[sizeClass];
    free_[sizeClass] = block;
  }

 private:
  // The program allocates on one thread; the lock only keeps a stray second
  // thread from corrupting a free list.
  struct Lock {
    explicit Lock(std::atomic_flag& flag) : flag(flag) {
      while (flag.test_and_set(std::memory_order_acquire)) {
      }
    }
    ~Lock() { flag.clear(std::memory_order_release); }
    std::atomic_flag& flag;
  };

  void AddSlab(std::size_t sizeClass) {
    const std::size_t blockBytes = (sizeClass + 1) * kGranule;
    const std::size_t count = kSlabBytes / blockBytes;
    auto slab = std::make_unique_for_overwrite<std::byte[]>(count * blockBytes);
    for (std::size_t i = count; i-- > 0;) {
      auto* block = reinterpret_cast<FreeBlock*>(slab.get() + i * blockBytes);
      block->next = free_[sizeClass];
      free_[sizeClass] = block;
    }
    slabs_.push_back(std::move(slab));
  }

  std::atomic_flag busy_;
  std::array<FreeBlock*, kClassCount> free_{};
  std::vector<std::unique_ptr<std::byte[]>> slabs_;
};

}  // namespace

#ifdef VANTARO_ADDRESS_SANITIZER
void* AllocateBlock(std::size_t bytes) {
  return ::operator new(bytes);
}
void ReleaseBlock(void* block, std::size_t) noexcept {
  ::operator delete(block);
}
#else
static std::size_t SizeClass(std::size_t bytes) {
  return (bytes + kGranule - 1) / kGranule - 1;
}

void* AllocateBlock(std::size_t bytes) {
  if (bytes == 0 || bytes > kLargestBlock) return ::operator new(bytes);
  return BlockPools::Instance().Allocate(SizeClass(bytes));
}

void ReleaseBlock(void* block, std::size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes == 0 || bytes > kLargestBlock) {
    ::operator delete(block);
    return;
  }
  BlockPools::Instance().Release(block, SizeClass(bytes));
}
#endif

}  // namespace vantaro
