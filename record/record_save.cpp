#include "record/record_save.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace vantaro {
namespace {

std::string ResolveLinks(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path : resolved.string();
}

// The process's file-creation mask; reading it means setting it, so it is
// put back at once.
mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

}  // namespace

IoResult SaveRecordFile(GameTree& root, const SgfOutput& output, const std::string& path) {
  const std::string target = ResolveLinks(path);
  const std::filesystem::path targetPath(target);
  std::string temporary =
      (targetPath.parent_path() / ("." + targetPath.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return {false, std::strerror(errno)};
  // mkstemp makes the file private; a saved record keeps the mode of the file
  // it replaces, and a new one gets the mode any other new file would get.
  struct stat existing;
  if (stat(target.c_str(), &existing) == 0) {
    fchmod(fd, existing.st_mode & 07777);
  } else {
    fchmod(fd, 0666 & ~CurrentUmask());
  }

  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    close(fd);
    unlink(temporary.c_str());
    return {false, std::strerror(error)};
  }
  bool written = WriteSgf(root, output, file);
  written = std::fflush(file) == 0 && written;
  int error = errno;
  written = written && fsync(fileno(file)) == 0;
  if (!written) error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && std::rename(temporary.c_str(), target.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    unlink(temporary.c_str());
    return {false, std::strerror(error != 0 ? error : EIO)};
  }
  return {true, {}};
}

IoResult SaveRecordFile(GameTree& root, int codePage, const std::string& path) {
  return SaveRecordFile(root, SgfOutput{codePage, std::nullopt, true}, path);
}

}  // namespace vantaro
