#include "record/zero_bytes.h"

#include <algorithm>
#include <cstring>

namespace vantaro {

std::optional<ZeroFreeText> DropZeroBytes(std::string_view bytes) {
  const char* zero = static_cast<const char*>(std::memchr(bytes.data(), 0, bytes.size()));
  if (zero == nullptr) return std::nullopt;
  ZeroFreeText result;
  result.text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') {
      result.removedAt.push_back(i);
    } else {
      result.text.push_back(bytes[i]);
    }
  }
  return result;
}

ZeroByteOffsets::ZeroByteOffsets(DiagnosticSink& sink, const std::vector<std::size_t>& removedAt)
    : sink_(sink), removedAt_(removedAt) {
  for (size_t i = 0; i < removedAt_.size();) {
    size_t run = 1;
    while (i + run < removedAt_.size() && removedAt_[i + run] == removedAt_[i] + run) ++run;
    sink_.Report(removedAt_[i], run == 1 ? std::string("a 0 byte skipped")
                                         : std::to_string(run) + " 0 bytes skipped");
    i += run;
  }
}

// The i-th removed byte stood before the kept byte at offset removedAt[i] - i
// of the text: the offset moves past every byte removed at or before it.
void ZeroByteOffsets::Report(std::size_t offset, std::string_view message) {
  size_t low = 0;
  size_t high = removedAt_.size();
  while (low < high) {
    const size_t middle = (low + high) / 2;
    if (removedAt_[middle] - middle <= offset) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  sink_.Report(offset + low, message);
}

}  // namespace vantaro
