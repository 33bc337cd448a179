#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantaro {

// What tells one version of a file from another without reading it: the
// file itself (a program that saves by renaming makes a new one), its size
// and the time it was last written, to the nanosecond.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path; nullopt when there is no file there.
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace vantaro
