#include "memory/small_blocks.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <memory>
#include <system_error>
#include <thread>

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

constexpr std::size_t kGranule = kBlockAlignment;
constexpr std::size_t kLargestBlock = 256;
constexpr std::size_t kClassCount = kLargestBlock / kGranule;
constexpr std::size_t kSlabBytes = 64 * 1024;
// Slabs are cut from chunks of address space this large, which the kernel may
// back with huge pages: a large record then costs a page fault per 2 MB
// instead of one per 4 KB. Only the pages used are ever committed.
constexpr std::size_t kChunkBytes = 64 << 20;
// Memory first touched costs a page fault and the zeroing of the page, a
// tenth of reading a large record: another thread has the kernel do that for
// the next step of the chunk (a huge page) while this one fills the current
// step, asked for once the slabs come within kReadyLead of it. Steps are
// whole huge pages from the chunk's start, which the kernel aligns for them,
// so that no page is made ready long before it is used, or at all.
constexpr std::size_t kReadyStep = 2 << 20;
constexpr std::size_t kReadyLead = kReadyStep / 2;

// Leaves the pages as they are if the kernel cannot, or no thread starts.
void ReadyPagesAlongside(std::byte* from, std::size_t bytes) {
  try {
    std::thread([from, bytes] { madvise(from, bytes, MADV_POPULATE_WRITE); }).detach();
  } catch (const std::system_error&) {
  }
}

struct FreeBlock {
  FreeBlock* next;
};

// The unused part of a slab, handed out front to back.
struct BumpRange {
  std::byte* next = nullptr;
  std::byte* end = nullptr;
};

class BlockPools {
 public:
  // One set of pools per thread, so that allocating takes no lock: a block
  // released on another thread than the one that allocated it simply serves
  // the releasing thread next. Never destroyed: objects with static storage
  // may still own blocks at exit, and blocks outlive the thread that made them.
  static BlockPools& Instance() {
    thread_local BlockPools* pools = nullptr;
    if (pools == nullptr) pools = std::make_unique<BlockPools>().release();
    return *pools;
  }

  // Reused blocks first; otherwise the next block of the class's slab, so that
  // memory is first touched by the object placed in it.
  void* Allocate(std::size_t sizeClass) {
    FreeBlock*& head = free_[sizeClass];
    if (head != nullptr) {
      FreeBlock* block = head;
      head = block->next;
      // Blocks freed by a closed record have long left the cache; fetching the
      // next one now overlaps that wait with the caller's use of this one.
      // Reading a record after closing another spent nearly half its time here.
      if (head != nullptr) __builtin_prefetch(head, 1);
      return block;
    }
    const std::size_t blockBytes = (sizeClass + 1) * kGranule;
    BumpRange& slab = slabs_[sizeClass];
    if (static_cast<std::size_t>(slab.end - slab.next) < blockBytes) slab = NewSlab();
    void* block = slab.next;
    slab.next += blockBytes;
    return block;
  }

  void Release(void* pointer, std::size_t sizeClass) {
    auto* block = static_cast<FreeBlock*>(pointer);
    block->next = free_[sizeClass];
    free_[sizeClass] = block;
  }

 private:
  // Chunks and slabs are never given back: the blocks in them live as long as
  // the process may use them. When no chunk can be mapped, a slab comes from
  // the general heap, which fails the usual way when memory is exhausted.
  BumpRange NewSlab() {
    if (static_cast<std::size_t>(chunk_.end - chunk_.next) < kSlabBytes) {
      void* chunk = mmap(nullptr, kChunkBytes, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
      if (chunk == MAP_FAILED) {
        auto* slab = static_cast<std::byte*>(::operator new(kSlabBytes));
        return {slab, slab + kSlabBytes};
      }
      madvise(chunk, kChunkBytes, MADV_HUGEPAGE);
      chunk_.next = static_cast<std::byte*>(chunk);
      chunk_.end = chunk_.next + kChunkBytes;
      readyUpTo_ = chunk_.next;
    }
    const BumpRange slab{chunk_.next, chunk_.next + kSlabBytes};
    chunk_.next += kSlabBytes;
    if (readyUpTo_ < chunk_.end &&
        readyUpTo_ - chunk_.next < static_cast<std::ptrdiff_t>(kReadyLead)) {
      const auto bytes = std::min(kReadyStep, static_cast<std::size_t>(chunk_.end - readyUpTo_));
      ReadyPagesAlongside(readyUpTo_, bytes);
      readyUpTo_ += bytes;
    }
    return slab;
  }

  std::array<FreeBlock*, kClassCount> free_{};
  std::array<BumpRange, kClassCount> slabs_{};
  BumpRange chunk_;
  std::byte* readyUpTo_ = nullptr;  // the end of the pages of chunk_ asked for
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
