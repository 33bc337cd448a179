#include "record/variation_hand_over.h"

namespace vantaro {

bool VariationHandOver::ReachedAt(std::size_t offset) {
  std::uint64_t state = state_.load();
  while (true) {
    // A claim further on waits for the reader to get there; one at an
    // offset the reader never stopped at is a text the two walked apart,
    // which the reader then reads alone.
    if ((state & kClaimed) != 0) return state >> 1 == offset;
    if (state_.compare_exchange_weak(state, std::uint64_t{offset} << 1)) return false;
  }
}

void VariationHandOver::Finish() {
  finished_.store(true);
  std::uint64_t state = state_.load();
  while ((state & kClaimed) == 0 && !state_.compare_exchange_weak(state, ~kClaimed)) {
  }
}

bool VariationHandOver::Claim(std::size_t offset) {
  std::uint64_t state = state_.load();
  while (true) {
    if ((state & kClaimed) != 0 || state >> 1 >= offset) return false;
    if (state_.compare_exchange_weak(state, (std::uint64_t{offset} << 1) | kClaimed)) return true;
  }
}

}  // namespace vantaro
