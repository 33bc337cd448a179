#pragma once

#include <string_view>

namespace vantaro {

// How many bytes of a record's values the detection looks at: far more than
// any detector needs, and it keeps detection cheap on huge files.
constexpr size_t kDetectionSampleSize = 64 * 1024;

// The code page of record text that carries no usable charset label, judged
// from the bytes of its values only (the ASCII structure around them says
// nothing about the charset; callers pass the values, one per line).
// 65001 when the bytes are valid UTF-8, or nearly (IsMostlyUtf8). Otherwise the loaded code page
// whose decoding is the most plausible text (PlausibilityScore) among the four East Asian
// double-byte code pages, Windows-1252, fallbackCodePage and what two charset detectors (uchardet
// and ICU's) propose; the detectors' choice weighs more the more text there is, and
// fallbackCodePage wins a tie. Only the first kDetectionSampleSize bytes are judged.
int DetectCodePage(std::string_view valueBytes, int fallbackCodePage);

}  // namespace vantaro
