#pragma once

#include <cstddef>
#include <string_view>

namespace vantaro {

// How much the bytes, decoded in the code page, look like real text of the
// code page's language. Only the non-ASCII characters count: a common
// character of the language scores (about one point per byte), an ordinary
// one nothing, while rare characters, symbols where letters are expected,
// long runs of accented letters and bytes that do not decode cost points.
// Meant for comparing code pages on the same bytes, short texts included:
// the two bytes of a player's name are enough to prefer the one common
// character they make in one code page over two symbols in another.
double PlausibilityScore(std::string_view bytes, int codePage);

// The bytes of 0x80 and above in a text, and how many of them stand in
// runs of one or two.
struct NonAsciiRuns {
  std::size_t bytes = 0;
  std::size_t inShortRuns = 0;
};
NonAsciiRuns CountNonAsciiRuns(std::string_view bytes);

// A score PlausibilityScore cannot exceed for bytes with those runs in the
// code page, found without decoding them: one count of the bytes rules most
// code pages out of a contest.
double PlausibilityCeiling(const NonAsciiRuns& runs, int codePage);

}  // namespace vantaro
