#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string_view>

namespace vantaro {

// The offset of the first '(' that opens a variation of the root of the
// first game tree in text (UTF-8 or any code page without lead bytes) for
// which wanted(offset) holds; npos when there is none, or once stop is set.
//
// It knows only values, escapes and parentheses, so it runs far ahead of a
// reading: a text it walks otherwise than the reader (a stray '[' outside
// any property, say) gives an offset the reader never stops at, which the
// hand-over turns down.
std::size_t FindRootVariation(std::string_view text,
                              const std::function<bool(std::size_t)>& wanted,
                              const std::atomic<bool>& stop);

}  // namespace vantaro
