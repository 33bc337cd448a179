#pragma once

#include <string>
#include <string_view>

namespace vantaro::cli {

// Appends UTF-8 text as a JSON string literal, quotes included.
void AppendJsonString(std::string_view utf8, std::string& out);

}  // namespace vantaro::cli
