#include "record/record_save.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "record/sgf_writer.h"

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

IoResult SaveRecordFile(GameTree& root, int codePage, const std::string& path,
                        std::string_view before, std::string_view after, std::string* written) {
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
  const auto put = [file](std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
  bool done = put(before);
  if (written != nullptr) {
    written->clear();
    WriteSgf(root, codePage, *written);
    done = put(*written) && done;
  } else {
    done = WriteSgf(root, codePage, file) && done;
  }
  done = put(after) && done;
  done = std::fflush(file) == 0 && done;
  int error = errno;
  done = done && fsync(fileno(file)) == 0;
  if (!done) error = errno;
  if (std::fclose(file) != 0 && done) {
    done = false;
    error = errno;
  }
  if (done && std::rename(temporary.c_str(), target.c_str()) != 0) {
    done = false;
    error = errno;
  }
  if (!done) {
    unlink(temporary.c_str());
    return {false, std::strerror(error != 0 ? error : EIO)};
  }
  return {true, {}};
}

IoResult SaveCollectionGame(GameTree& root, int codePage, const std::string& path,
                            SgfCollection& collection, std::size_t index) {
  // Only the game of a file of one is not kept: a large record is then
  // written straight to the file.
  std::string written;
  const IoResult saved =
      SaveRecordFile(root, codePage, path, collection.Before(index), collection.After(index),
                     collection.GameCount() > 1 ? &written : nullptr);
  if (saved.ok) collection.ReplaceGame(index, written);
  return saved;
}

}  // namespace vantaro
