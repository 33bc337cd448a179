#include "editor/sound.h"

#include <chrono>
#include <limits>

namespace vantaro {

MoveSounds::MoveSounds(SoundOutput& output, Clock clock)
    : output_(output), clock_(std::move(clock)), lastStart_(std::numeric_limits<int>::min()) {}

void MoveSounds::PlayMove(const Options& options, int capturedStones) {
  const std::int64_t now = clock_();
  if (now - lastStart_ <= 200) return;
  const std::u16string& file = capturedStones == 0   ? options.MoveSoundFile
                               : capturedStones <= 3 ? options.deadStoneSoundFile3
                                                     : options.deadStoneSoundFile5;
  if (file.empty()) return;
  output_.PlayFile(file);
  lastStart_ = now;
}

std::int64_t MoveSounds::SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace vantaro
