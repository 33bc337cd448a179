#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace vantaro {

// The bytes of a whole file, mapped into memory when the file allows it.
// A reader that has finished with a stretch of the bytes can give its memory
// back, so that reading a huge record does not hold the file and the
// record in memory at the same time.
class FileInput {
 public:
  FileInput() = default;
  FileInput(const FileInput&) = delete;
  FileInput& operator=(const FileInput&) = delete;
  ~FileInput();

  // False with the system's reason when the file cannot be read.
  bool Open(const std::string& path, std::string& error);

  std::string_view bytes() const { return {data_, size_}; }

  // The memory of the bytes before upTo is no longer needed now; reading them
  // again stays correct (they come back from the file), only slower.
  void Release(const char* upTo) const;

 private:
  bool ReadWhole(int fd, size_t sizeHint, std::string& error);

  const char* data_ = nullptr;
  size_t size_ = 0;
  void* mapping_ = nullptr;
  std::unique_ptr<char[]> copy_;  // for files that cannot be mapped
  mutable size_t released_ = 0;   // the mapped bytes given back, from the start
};

}  // namespace vantaro
