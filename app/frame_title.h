#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantaro::app {

// The main window's title: the document's title ("Untitled" when it has
// none) without its extension, cut to 10 characters followed by "..." when
// longer, then the game's place in its file when given, " R" when the
// record is read-only and " *" when it is modified.
std::u16string FrameTitle(std::u16string_view documentTitle, bool readOnly, bool modified,
                          std::u16string_view place = {});
// The same with the document's title whole: a desktop window has room for it.
std::u16string WholeFrameTitle(std::u16string_view documentTitle, bool readOnly, bool modified,
                               std::u16string_view place = {});
// The place of game `index` (from 0) in a file of `count`, " [12/2744]";
// nothing in a file of one game.
std::u16string GamePlaceText(std::size_t index, std::size_t count);

}  // namespace vantaro::app
