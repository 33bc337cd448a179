#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "options/options.h"

namespace vantaro {

// Plays a sound file asynchronously, fire and forget; silent when it cannot.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void PlayFile(const std::u16string& path) = 0;
};

// Chooses the sound of a move by the stones it took, and keeps sounds at
// least 201 ms apart so that a quick series of moves makes one sound. One
// object serves every editor of the program, as the gap spans them.
class MoveSounds {
 public:
  using Clock = std::function<std::int64_t()>;  // milliseconds
  explicit MoveSounds(SoundOutput& output, Clock clock = SteadyMilliseconds);

  void PlayMove(const Options& options, int capturedStones);

  static std::int64_t SteadyMilliseconds();

 private:
  SoundOutput& output_;
  Clock clock_;
  std::int64_t lastStart_;
};

}  // namespace vantaro
