#include "document/background_jobs.h"

#include <algorithm>
#include <system_error>

namespace vantaro {

BackgroundJobs::~BackgroundJobs() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void BackgroundJobs::Submit(std::function<void()> job, Kind kind) {
  {
    std::lock_guard lock(mutex_);
    std::erase_if(queue_, [](const Job& queued) { return queued.kind == Kind::Replaceable; });
    queue_.push_back({std::move(job), kind});
    if (!thread_.joinable()) {
      try {
        thread_ = std::thread([this] { Work(); });
      } catch (const std::system_error&) {
        Job now = std::move(queue_.back());
        queue_.pop_back();
        now.run();
        return;
      }
    }
  }
  changed_.notify_all();
}

void BackgroundJobs::WaitUntilIdle() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void BackgroundJobs::Work() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
    if (queue_.empty()) return;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    lock.unlock();
    job.run();
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace vantaro
