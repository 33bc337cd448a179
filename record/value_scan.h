#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace vantaro {

static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

// The first ']' or '\\' from p on, or end: eight bytes at a time, since values
// such as comments run long. The two bytes differ only in their lowest bit.
inline const char* FindClosingBracketOrEscape(const char* p, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t x = (word | kOnes) ^ (kOnes * ']');  // 0 at ']' and '\\'
    const std::uint64_t zeros = (x - kOnes) & ~x & kHighBits;
    if (zeros != 0) return p + std::countr_zero(zeros) / 8;
    p += 8;
  }
  while (p < end && *p != ']' && *p != '\\') ++p;
  return p;
}

}  // namespace vantaro
