#include "record/mapping_guard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace vantaro {
namespace {

// Enough for every file the program reads at once (the folder listing reads
// one per thread).
constexpr int kSlots = 64;

struct Slot {
  std::atomic<std::uintptr_t> begin{0};
  std::atomic<std::size_t> size{0};
  std::atomic<bool> cut{false};
  std::atomic<bool> taken{false};
};

Slot slots[kSlots];
struct sigaction previousAction;
std::uintptr_t pageSize = 4096;

// Only async-signal-safe work here: atomics, mmap and sigaction.
void OnBusError(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (Slot& slot : slots) {
    const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
    const std::size_t size = slot.size.load(std::memory_order_acquire);
    if (begin == 0 || address < begin || address >= begin + size) continue;
    const std::uintptr_t page = address & ~(pageSize - 1);
    const std::uintptr_t end = (begin + size + pageSize - 1) & ~(pageSize - 1);
    mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    slot.cut.store(true, std::memory_order_release);
    return;
  }
  if ((previousAction.sa_flags & SA_SIGINFO) != 0 && previousAction.sa_sigaction != nullptr) {
    previousAction.sa_sigaction(signal, info, context);
  } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
    previousAction.sa_handler(signal);
  } else {
    // The fault repeats on return, now with the default action.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(SIGBUS, &fallback, nullptr);
  }
}

void InstallHandler() {
  pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &previousAction);
}

}  // namespace

int GuardMapping(const void* begin, std::size_t size) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandler);
  for (int i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (!slots[i].taken.compare_exchange_strong(expected, true)) continue;
    slots[i].cut.store(false);
    slots[i].size.store(size, std::memory_order_release);
    slots[i].begin.store(reinterpret_cast<std::uintptr_t>(begin), std::memory_order_release);
    return i;
  }
  return -1;
}

bool MappingWasCut(int slot) {
  return slot >= 0 && slots[slot].cut.load(std::memory_order_acquire);
}

void UnguardMapping(int slot) {
  if (slot < 0) return;
  slots[slot].begin.store(0, std::memory_order_release);
  slots[slot].taken.store(false, std::memory_order_release);
}

}  // namespace vantaro
