#include "document/recovery_journal.h"

#include <algorithm>

namespace vantaro {

RecoveryJournal::RecoveryJournal(std::filesystem::path folder) : folder_(std::move(folder)) {}

RecoveryJournal::~RecoveryJournal() = default;

void RecoveryJournal::Keep(const RecoveryInfo& info, std::string sgf, Clock::time_point now) {
  if (!copy_) copy_ = std::make_shared<RecoveryCopy>(folder_);
  // A copy that cannot be written (a full disk, a folder that may not be
  // made) leaves the previous one; the next change tries again.
  jobs_.Submit([copy = copy_, info, sgf = std::move(sgf)] { copy->Write(info, sgf); },
               BackgroundJobs::Kind::Replaceable);
  lastKept_ = now;
}

void RecoveryJournal::Discard() {
  if (!copy_) return;
  jobs_.Submit([copy = std::move(copy_)] { copy->Remove(); }, BackgroundJobs::Kind::Kept);
}

void RecoveryJournal::Adopt(std::unique_ptr<RecoveryCopy> copy) {
  Discard();
  copy_ = std::move(copy);
}

std::chrono::milliseconds RecoveryJournal::DelayBeforeNextCopy(Clock::time_point now) const {
  if (!lastKept_) return std::chrono::milliseconds(0);
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(now - *lastKept_);
  return std::max(std::chrono::milliseconds(0), kMinimumInterval - since);
}

}  // namespace vantaro
