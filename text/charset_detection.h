#pragma once

#include <string_view>

namespace vantaro {

// The code page for record text that carries no usable charset label: 65001
// when the bytes are valid UTF-8; otherwise the charset the detector finds,
// when it is one of the loaded code pages; otherwise fallbackCodePage.
int DetectCodePage(std::string_view bytes, int fallbackCodePage);

}  // namespace vantaro
