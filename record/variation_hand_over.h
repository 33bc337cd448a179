#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <utility>
#include <vector>

#include "game/game_tree.h"

namespace vantaro {

// Variations of a game's root read on another thread, each with the offset
// of its '('.
struct HandedOverVariations {
  std::vector<std::pair<std::unique_ptr<GameTree>, std::size_t>> trees;
  std::size_t end = 0;  // where the reading goes on: past the last one and the space after it
};

// Lets a helper thread read the last variations of a large game's root while
// the reader reads the ones before, and hands them over when the reader gets
// there. The reader's progress and the helper's claim share one atomic word,
// so that either the reader sees the claim at the '(' claimed, or the claim
// fails because the reader got there first.
class VariationHandOver {
 public:
  VariationHandOver() : variations_(delivered_.get_future()) {}

  // Reader: at the '(' of a variation of the root. True when the helper has
  // taken the variations from there on; Take then waits for them.
  bool ReachedAt(std::size_t offset);
  HandedOverVariations Take() { return variations_.get(); }
  // Reader: the reading is over; a later claim fails and the helper stops.
  void Finish();

  // Helper: takes the variations from the one at offset on, unless the
  // reader is there already. A helper that claims must Deliver.
  bool Claim(std::size_t offset);
  void Deliver(HandedOverVariations variations) { delivered_.set_value(std::move(variations)); }
  const std::atomic<bool>& finished() const { return finished_; }
  // The offset of the last root variation the reader has reached.
  std::size_t readerAt() const { return static_cast<std::size_t>(state_.load() >> 1); }

 private:
  static constexpr std::uint64_t kClaimed = 1;
  // The offset of the reader's last root variation, or of the claimed one,
  // shifted left by one, with kClaimed set once claimed.
  std::atomic<std::uint64_t> state_{0};
  std::atomic<bool> finished_{false};
  std::promise<HandedOverVariations> delivered_;
  std::future<HandedOverVariations> variations_;
};

}  // namespace vantaro
