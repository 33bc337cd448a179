#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vantaro {

// One worker thread for the work the window must not wait for, such as
// writing the recovery copy. Jobs run one at a time, in the order given. A
// job given as Replaceable is dropped when another job is given before it
// has started: a newer copy makes an older one pointless, while a removal
// must never be lost.
class BackgroundJobs {
 public:
  enum class Kind { Replaceable, Kept };

  BackgroundJobs() = default;
  BackgroundJobs(const BackgroundJobs&) = delete;
  BackgroundJobs& operator=(const BackgroundJobs&) = delete;
  // Runs what is queued, then stops the thread.
  ~BackgroundJobs();

  // The thread starts with the first job; when no thread can be started the
  // job runs at once on the caller's.
  void Submit(std::function<void()> job, Kind kind);
  // Waits until every job given so far has run.
  void WaitUntilIdle();

 private:
  struct Job {
    std::function<void()> run;
    Kind kind;
  };
  void Work();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> queue_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace vantaro
