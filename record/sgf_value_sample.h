#pragma once

#include <string>
#include <string_view>

#include "text/charset_detection.h"

namespace vantaro {

// What the charset of SGF text is judged by: the values that hold a byte of
// 0x80 or above, unescaped, one per line, up to limit bytes. The identifiers,
// brackets and point values around them are ASCII and say nothing about it.
std::string SgfValueSample(std::string_view text, size_t limit = kDetectionSampleSize);

}  // namespace vantaro
