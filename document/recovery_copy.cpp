#include "document/recovery_copy.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <fstream>
#include <iterator>
#include <set>

namespace vantaro {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "vantaro recovery copy 1\n";
// A lock file can vanish between being opened and being locked; so few
// programs run at once that a few attempts always suffice.
constexpr int kLockAttempts = 8;

bool IsStillNamed(int fd, const fs::path& path) {
  struct stat held;
  struct stat named;
  return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// The lock file at path, locked for this program: -1 while another program
// holds it. A lock file that its owner removed between our opening and our
// locking it belongs to nobody, so the name is opened again.
int LockFile(const fs::path& path) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return -1;
    }
    if (IsStillNamed(fd, path)) return fd;
    close(fd);
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// A rename is durable once the folder that holds the name is.
void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Header values stay on one line whatever a path holds.
std::string Escaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\n') {
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string Unescaped(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;
      plain += text[i] == 'n' ? '\n' : text[i];
    } else {
      plain += text[i];
    }
  }
  return plain;
}

std::string Header(const RecoveryInfo& info) {
  return std::string(kMagic) + "path=" + Escaped(info.path) +
         "\ngame=" + std::to_string(info.game) + "\ncode page=" + std::to_string(info.codePage) +
         "\ntime=" + std::to_string(info.time) + "\n\n";
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

// The header's lines, "name=value" each; false when one is malformed.
bool ParseHeader(std::string_view lines, RecoveryInfo& info) {
  bool hasCodePage = false;
  while (!lines.empty()) {
    const size_t end = std::min(lines.find('\n'), lines.size());
    const std::string_view line = lines.substr(0, end);
    lines.remove_prefix(std::min(end + 1, lines.size()));
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (name == "path") {
      info.path = Unescaped(value);
    } else if (name == "game") {
      if (!ParseNumber(value, info.game)) return false;
    } else if (name == "code page") {
      if (!ParseNumber(value, info.codePage)) return false;
      hasCodePage = true;
    } else if (name == "time") {
      if (!ParseNumber(value, info.time)) return false;
    }
  }
  return hasCodePage;
}

fs::path HomeFolder() {
  if (const char* home = getenv("HOME"); home != nullptr && home[0] == '/') return home;
  const passwd* user = getpwuid(getuid());
  return user != nullptr && user->pw_dir != nullptr ? fs::path(user->pw_dir) : fs::path("/tmp");
}

}  // namespace

RecoveryCopy::RecoveryCopy(fs::path folder) : folder_(std::move(folder)) {}

RecoveryCopy::~RecoveryCopy() {
  if (lock_ >= 0) close(lock_);
}

fs::path RecoveryCopy::PathOf(std::string_view extension) const {
  return folder_ / (id_ + std::string(extension));
}

fs::path RecoveryCopy::file() const {
  return PathOf(".sgf");
}

bool RecoveryCopy::MakeLock() {
  std::error_code error;
  fs::create_directories(folder_, error);
  // Copies hold the user's records: nobody else reads them.
  fs::permissions(folder_, fs::perms::owner_all, error);
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    std::string name = (folder_ / "XXXXXX.lock").string();
    const int fd = mkstemps(name.data(), 5);
    if (fd < 0) return false;
    // Another program may take a fresh lock file for a leftover and remove
    // it before it is locked here.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && IsStillNamed(fd, name)) {
      lock_ = fd;
      id_ = fs::path(name).stem().string();
      return true;
    }
    close(fd);
  }
  return false;
}

bool RecoveryCopy::TakeLock(std::string id) {
  id_ = std::move(id);
  lock_ = LockFile(PathOf(".lock"));
  return lock_ >= 0;
}

bool RecoveryCopy::Write(const RecoveryInfo& info, std::string_view sgf) {
  if (lock_ < 0 && !MakeLock()) return false;
  const fs::path temporary = PathOf(".tmp");
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool written = WriteAll(fd, Header(info)) && WriteAll(fd, sgf) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), file().c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder_);
  return true;
}

std::optional<RecoveredRecord> RecoveryCopy::Read() const {
  std::ifstream in(file(), std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  const size_t headerEnd = bytes.find("\n\n", kMagic.size() - 1);
  if (headerEnd == std::string::npos) return std::nullopt;
  RecoveredRecord record;
  const size_t linesStart = std::min(kMagic.size(), headerEnd);
  if (!ParseHeader(std::string_view(bytes).substr(linesStart, headerEnd - linesStart),
                   record.info)) {
    return std::nullopt;
  }
  record.sgf = bytes.substr(headerEnd + 2);
  return record;
}

void RecoveryCopy::Remove() {
  if (lock_ < 0) return;
  unlink(file().c_str());
  unlink(PathOf(".tmp").c_str());
  // Unlinked while still held, so that nobody takes the name meanwhile.
  unlink(PathOf(".lock").c_str());
  close(lock_);
  lock_ = -1;
}

std::vector<std::unique_ptr<RecoveryCopy>> TakeAbandonedCopies(const fs::path& folder) {
  std::set<std::string> ids;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path name = entry->path().filename();
    const std::string extension = name.extension().string();
    if (extension == ".sgf" || extension == ".lock" || extension == ".tmp") {
      ids.insert(name.stem().string());
    }
  }
  std::vector<std::pair<fs::file_time_type, std::unique_ptr<RecoveryCopy>>> taken;
  for (const std::string& id : ids) {
    auto copy = std::make_unique<RecoveryCopy>(folder);
    if (!copy->TakeLock(id)) continue;
    // Unfinished work of a program that ended: a lock or a temporary file
    // without a copy, or a newer copy that was never completed.
    const fs::path file = copy->file();
    unlink(copy->PathOf(".tmp").c_str());
    const fs::file_time_type written = fs::last_write_time(file, error);
    if (error) {
      copy->Remove();
      continue;
    }
    taken.emplace_back(written, std::move(copy));
  }
  std::stable_sort(taken.begin(), taken.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::unique_ptr<RecoveryCopy>> copies;
  for (auto& [time, copy] : taken) copies.push_back(std::move(copy));
  return copies;
}

fs::path RecoveryFolder() {
  const char* state = getenv("XDG_STATE_HOME");
  const fs::path base =
      state != nullptr && state[0] == '/' ? fs::path(state) : HomeFolder() / ".local" / "state";
  return base / "vantaro" / "recovery";
}

std::string LocalTimeText(std::int64_t secondsSince1970) {
  const std::time_t time = static_cast<std::time_t>(secondsSince1970);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return {};
  char text[32];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return std::string(text, length);
}

}  // namespace vantaro
