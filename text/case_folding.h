#pragma once

#include <string>
#include <string_view>

namespace vantaro {

// UTF-8 text with the case of every letter folded, in any script, so that
// texts that differ only in case compare equal. Bytes that are not valid
// UTF-8 stay as they are.
std::string FoldCase(std::string_view utf8);

}  // namespace vantaro
