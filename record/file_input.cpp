#include "record/file_input.h"

#include "record/mapping_guard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace vantaro {
namespace {

struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

FileInput::~FileInput() {
  if (mapping_ == nullptr) return;
  UnguardMapping(guard_);
  munmap(mapping_, size_);
}

// Opening a FIFO blocks until a program opens it for writing, which may never
// happen: it is opened without waiting, and read with waiting once open, when
// a FIFO without a writer simply reads as ended.
bool FileInput::Open(const std::string& path, std::string& error) {
  const FileDescriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  struct stat status;
  if (file.fd < 0 || fstat(file.fd, &status) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (S_ISDIR(status.st_mode)) {
    error = std::strerror(EISDIR);
    return false;
  }
  if (S_ISREG(status.st_mode) && status.st_size > 0) {
    void* mapping =
        mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, file.fd, 0);
    if (mapping != MAP_FAILED) {
      mapping_ = mapping;
      data_ = static_cast<const char*>(mapping);
      size_ = static_cast<size_t>(status.st_size);
      guard_ = GuardMapping(mapping_, size_);
      return true;
    }
  }
  const int flags = fcntl(file.fd, F_GETFL);
  if (flags >= 0) fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
  return ReadWhole(file.fd, status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0, error);
}

// Pipes and special files: read until the end, whatever size they report.
bool FileInput::ReadWhole(int fd, size_t sizeHint, std::string& error) {
  size_t capacity = sizeHint > 0 ? sizeHint : 65536;
  auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
  size_t length = 0;
  while (true) {
    if (length == capacity) {
      auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
      std::memcpy(larger.get(), buffer.get(), length);
      buffer = std::move(larger);
      capacity *= 2;
    }
    const ssize_t count = read(fd, buffer.get() + length, capacity - length);
    if (count < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return false;
    }
    if (count == 0) break;
    length += static_cast<size_t>(count);
  }
  copy_ = std::move(buffer);
  data_ = copy_.get();
  size_ = length;
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
  const FileDescriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  struct stat status;
  if (file.fd < 0 || fstat(file.fd, &status) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (S_ISDIR(status.st_mode)) {
    error = std::strerror(EISDIR);
    return false;
  }
  const int flags = fcntl(file.fd, F_GETFL);
  if (flags >= 0) fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
  const size_t expected = status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0;
  bytes.resize(std::max<size_t>(expected + 1, 4096));
  size_t length = 0;
  while (true) {
    if (length == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t count = read(file.fd, bytes.data() + length, bytes.size() - length);
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

}  // namespace vantaro
