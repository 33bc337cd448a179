#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "document/background_jobs.h"
#include "document/recovery_copy.h"

namespace vantaro {

// The recovery copy of the open record, kept in the background: the window
// hands over the record's bytes and goes on, while a worker thread writes
// them. One copy at a time belongs to the journal.
class RecoveryJournal {
 public:
  using Clock = std::chrono::steady_clock;
  // Copies are written at most this often.
  static constexpr std::chrono::milliseconds kMinimumInterval{1000};

  explicit RecoveryJournal(std::filesystem::path folder);
  // Finishes the writing and removing that was asked for.
  ~RecoveryJournal();

  const std::filesystem::path& folder() const { return folder_; }

  // Writes the copy in the background (its lock and file are made by the
  // first one). A copy not yet started when the next comes is skipped.
  void Keep(const RecoveryInfo& info, std::string sgf, Clock::time_point now);
  // Removes the copy in the background; nothing when there is none.
  void Discard();
  // Makes a copy taken from a program that ended the journal's own, so that
  // the next copies replace it.
  void Adopt(std::unique_ptr<RecoveryCopy> copy);
  // How long to wait before the next copy may be written.
  std::chrono::milliseconds DelayBeforeNextCopy(Clock::time_point now) const;
  // Waits until everything asked for so far is on disk.
  void Flush() { jobs_.WaitUntilIdle(); }

 private:
  std::filesystem::path folder_;
  std::shared_ptr<RecoveryCopy> copy_;
  std::optional<Clock::time_point> lastKept_;
  BackgroundJobs jobs_;  // last: its thread ends before the rest goes
};

}  // namespace vantaro
