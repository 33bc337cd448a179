#pragma once

#include <string>

namespace vantaro::app {

// The main window's title: the document's title ("Untitled" when it has
// none) without its extension, cut to 10 characters followed by "..." when
// longer, then " R" when the record is read-only and " *" when it is modified.
std::u16string FrameTitle(std::u16string_view documentTitle, bool readOnly, bool modified);
// The same with the document's title whole: a desktop window has room for it.
std::u16string WholeFrameTitle(std::u16string_view documentTitle, bool readOnly, bool modified);

}  // namespace vantaro::app
