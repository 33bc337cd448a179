#include "record/root_variation_finder.h"

#include "record/sgf_parser.h"
#include "record/value_scan.h"

namespace vantaro {

std::size_t FindRootVariation(std::string_view text,
                              const std::function<bool(std::size_t)>& wanted,
                              const std::atomic<bool>& stop) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = FindFirstGameStart(begin, end);
  if (p == nullptr) return std::string_view::npos;
  ++p;
  std::size_t depth = 1;
  while (p < end) {
    const char c = *p++;
    if (c == '[') {
      while (true) {
        p = FindClosingBracketOrEscape(p, end);
        if (p >= end) return std::string_view::npos;
        if (*p == ']') break;
        p += 2;  // the '\' and the byte it keeps
      }
      ++p;
    } else if (c == '(') {
      if (depth == 1) {
        if (stop.load(std::memory_order_relaxed)) break;
        const auto offset = static_cast<std::size_t>(p - 1 - begin);
        if (wanted(offset)) return offset;
      }
      ++depth;
    } else if (c == ')' && --depth == 0) {
      break;
    }
  }
  return std::string_view::npos;
}

}  // namespace vantaro
