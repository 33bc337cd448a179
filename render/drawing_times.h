#pragma once

#include <chrono>
#include <string_view>

namespace vantaro {

// Where the drawer's timed steps report how long they took. The desktop
// program keeps them in its profile (section "Performance", one entry per
// timer name); without a sink they go nowhere.
class DrawingTimes {
 public:
  virtual ~DrawingTimes() = default;
  virtual void Record(std::string_view timer, int milliseconds) = 0;
};

// Times its own lifetime and reports it under the name when it ends; with a
// null sink it does nothing. The name must outlive the timer.
class ScopedDrawingTimer {
 public:
  ScopedDrawingTimer(DrawingTimes* sink, std::string_view name)
      : sink_(sink), name_(name), start_(std::chrono::steady_clock::now()) {}
  ScopedDrawingTimer(const ScopedDrawingTimer&) = delete;
  ScopedDrawingTimer& operator=(const ScopedDrawingTimer&) = delete;
  ~ScopedDrawingTimer() {
    if (sink_ == nullptr) return;
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    sink_->Record(
        name_,
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
  }

 private:
  DrawingTimes* sink_;
  std::string_view name_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace vantaro
