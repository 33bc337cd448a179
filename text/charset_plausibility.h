#pragma once

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

// A score PlausibilityScore cannot exceed for the bytes in the code page,
// found without decoding them: most code pages can be ruled out of a
// contest this way for the price of one pass over the bytes.
double PlausibilityCeiling(std::string_view bytes, int codePage);

}  // namespace vantaro
