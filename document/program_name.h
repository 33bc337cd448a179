#pragma once

#include <string>
#include <string_view>

namespace vantaro {

// The one name the program gives itself: in window titles, message boxes,
// the menus and About.
inline constexpr std::string_view kProgramName = "Vantaro";

// The project's version, as the build names it ("0.1.0").
std::string_view ProgramVersion();

// What About shows: the name and the version ("Vantaro 0.1.0").
std::string AboutLine();

}  // namespace vantaro
