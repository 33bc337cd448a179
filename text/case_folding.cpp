#include "text/case_folding.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace vantaro {

std::string FoldCase(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const auto length = static_cast<int32_t>(utf8.size());
  for (int32_t i = 0; i < length;) {
    if (bytes[i] < 0x80) {
      const char c = static_cast<char>(bytes[i++]);
      folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
      continue;
    }
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) {
      folded.append(utf8.substr(static_cast<size_t>(start), static_cast<size_t>(i - start)));
      continue;
    }
    uint8_t encoded[U8_MAX_LENGTH];
    int32_t size = 0;
    U8_APPEND_UNSAFE(encoded, size, u_foldCase(c, U_FOLD_CASE_DEFAULT));
    folded.append(reinterpret_cast<const char*>(encoded), static_cast<size_t>(size));
  }
  return folded;
}

}  // namespace vantaro
