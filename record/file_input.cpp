#include "record/file_input.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "record/mapping_guard.h"

namespace vantaro {
namespace {

struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) close(fd);
  }
};

// Opening a FIFO blocks until a program opens it for writing, which may never
// happen: it is opened without waiting, and read with waiting once open, when
// a FIFO without a writer simply reads as ended. -1 with the reason for a
// folder and for what cannot be opened.
int OpenForReading(const std::string& path, struct stat& status, std::string& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = std::strerror(errno);
    return -1;
  }
  int problem = 0;
  if (fstat(fd, &status) != 0) {
    problem = errno;
  } else if (S_ISDIR(status.st_mode)) {
    problem = EISDIR;
  }
  if (problem != 0) {
    close(fd);
    error = std::strerror(problem);
    return -1;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

// Reads until the end, whatever size the file reports.
bool ReadToEnd(int fd, size_t sizeHint, std::string& bytes, std::string& error) {
  bytes.resize(std::max<size_t>(sizeHint + 1, 4096));
  size_t length = 0;
  while (true) {
    if (length == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t count = read(fd, bytes.data() + length, bytes.size() - length);
    if (count < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return false;
    }
    if (count == 0) break;
    length += static_cast<size_t>(count);
  }
  bytes.resize(length);
  return true;
}

size_t SizeOf(const struct stat& status) {
  return status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0;
}

}  // namespace

FileInput::~FileInput() {
  if (mapping_ == nullptr) return;
  UnguardMapping(guard_);
  munmap(mapping_, size_);
}

bool FileInput::Open(const std::string& path, std::string& error) {
  struct stat status;
  const FileDescriptor file{OpenForReading(path, status, error)};
  if (file.fd < 0) return false;
  if (S_ISREG(status.st_mode) && status.st_size > 0) {
    void* mapping = mmap(nullptr, SizeOf(status), PROT_READ, MAP_PRIVATE, file.fd, 0);
    if (mapping != MAP_FAILED) {
      mapping_ = mapping;
      data_ = static_cast<const char*>(mapping);
      size_ = SizeOf(status);
      guard_ = GuardMapping(mapping_, size_);
      return true;
    }
  }
  if (!ReadToEnd(file.fd, SizeOf(status), copy_, error)) return false;
  data_ = copy_.data();
  size_ = copy_.size();
  return true;
}

bool FileInput::Intact() const {
  return !MappingWasCut(guard_);
}

void FileInput::Release(const char* upTo) const {
  if (mapping_ == nullptr || upTo <= data_) return;
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t length = std::min(static_cast<size_t>(upTo - data_), size_) / page * page;
  if (length <= released_) return;
  madvise(static_cast<char*>(mapping_) + released_, length - released_, MADV_DONTNEED);
  released_ = length;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  struct stat status;
  const FileDescriptor file{OpenForReading(path, status, error)};
  return file.fd >= 0 && ReadToEnd(file.fd, SizeOf(status), bytes, error);
}

}  // namespace vantaro
