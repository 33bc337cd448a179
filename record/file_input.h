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
//
// Another program may cut the file short while it is mapped (a sync client,
// an editor that saves in place). The pages past the new end then read as
// 0 bytes instead of killing the process, and Intact() turns false: a
// reader checks it once it has finished and treats the bytes as unread.
class FileInput {
 public:
  FileInput() = default;
  FileInput(const FileInput&) = delete;
  FileInput& operator=(const FileInput&) = delete;
  ~FileInput();

  // False with the system's reason when the file cannot be read. A pipe or a
  // FIFO is read to its end; one that no program writes to reads as empty
  // instead of waiting for a writer.
  bool Open(const std::string& path, std::string& error);

  std::string_view bytes() const { return {data_, size_}; }

  // False once the file has shrunk under the bytes read from it.
  bool Intact() const;

  // The memory of the bytes before upTo is no longer needed now; reading them
  // again stays correct (they come back from the file), only slower.
  void Release(const char* upTo) const;

 private:
  const char* data_ = nullptr;
  size_t size_ = 0;
  void* mapping_ = nullptr;
  int guard_ = -1;               // the mapping's slot in the bus error guard
  std::string copy_;             // for files that cannot be mapped
  mutable size_t released_ = 0;  // the mapped bytes given back, from the start
};

// Reads a whole file into bytes, reusing their memory: for the many small
// files of a folder, which mapping would only slow down. Opens a FIFO as
// FileInput does. False with the system's reason.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// What a reader reports when the file was cut short under it.
inline constexpr char kFileCutShortError[] = "the file was cut short while it was read";

}  // namespace vantaro
