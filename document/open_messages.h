#pragma once

#include <string>

#include "record/io_result.h"

namespace vantaro {

// The name the user knows a file by: the last part of its path.
std::u16string FileTitle(const std::string& path);

// What Open says of a record that its reader could not make sense of.
inline constexpr char16_t kParseError[] =
    u"Some error happened while parsing. Game record might be incorrect.";

// What Open tells the user when the file at path gave no record: it is
// missing, a folder, not readable for this user, not a game record at all,
// or a record that its reader could not make sense of.
std::u16string OpenFailureMessage(const std::string& path, const IoResult& result);

}  // namespace vantaro
