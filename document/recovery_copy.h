#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantaro {

// What a recovery copy says about the record it holds.
struct RecoveryInfo {
  std::string path;       // the record's file; empty for a record never saved
  int game = 1;           // the game's place in its file's collection, from 1
  int codePage = 0;       // the code page of the copy's text
  std::int64_t time = 0;  // when the copy was written, in seconds since 1970
};

struct RecoveredRecord {
  RecoveryInfo info;
  std::string sgf;  // the record as Save would write it
};

// One recovery copy in the journal's folder: ID.sgf (the copy), ID.tmp (the
// next copy while it is written) and ID.lock, which its program holds locked
// (flock) as long as it runs, so that no other program takes the copy; the
// kernel lets go of the lock when the program ends, however it ends.
// Not thread-safe: one thread at a time uses a copy.
class RecoveryCopy {
 public:
  // A copy yet to be made in folder: the first Write makes its lock and file.
  explicit RecoveryCopy(std::filesystem::path folder);
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;
  // Lets go of the lock and leaves the files, as a program that is killed does.
  ~RecoveryCopy();

  // Puts the record's SGF in the copy's place: written whole to ID.tmp, made
  // durable, then renamed over the copy, so that a crash at any moment
  // leaves the previous copy whole. False when that failed (the previous
  // copy stays).
  bool Write(const RecoveryInfo& info, std::string_view sgf);
  // The copy as last written; nullopt when there is none or it is damaged.
  std::optional<RecoveredRecord> Read() const;
  // Deletes the copy and its lock. Nothing when there is no copy.
  void Remove();

  std::filesystem::path file() const;

 private:
  friend std::vector<std::unique_ptr<RecoveryCopy>> TakeAbandonedCopies(
      const std::filesystem::path& folder);
  std::filesystem::path PathOf(std::string_view extension) const;
  // A new lock of a new name, held.
  bool MakeLock();
  // The lock of the copy id, when no running program holds it.
  bool TakeLock(std::string id);

  std::filesystem::path folder_;
  std::string id_;
  int lock_ = -1;
};

// Takes the copies in folder whose programs have ended, oldest first: each
// comes back locked for this program. Copies that a running program holds
// are left alone, and so are the leftovers of an unfinished copy that is no
// longer anyone's (a lock without a copy, a temporary file): those go.
std::vector<std::unique_ptr<RecoveryCopy>> TakeAbandonedCopies(const std::filesystem::path& folder);

// Where the journal keeps its copies: $XDG_STATE_HOME/vantaro/recovery, or
// ~/.local/state/vantaro/recovery when that is not set.
std::filesystem::path RecoveryFolder();

// The time in the user's time zone, as "2024-05-01 14:32".
std::string LocalTimeText(std::int64_t secondsSince1970);

}  // namespace vantaro
