#pragma once

#include <string>
#include <string_view>

#include "game/game_tree.h"

namespace vantaro {

struct PageNumbers {
  int page = 1;
  int total = 1;
};

// A title, subtitle, header or footer template made text for a page:
// %PAGE% and %TOTALPAGES% become the page numbers, %% a percent sign, and
// %ID% (an identifier of capital letters) the value of the first property
// ID of the record's first node as text, or nothing when it has none; a
// percent sign that starts none of these stays as it is. Line breaks and
// runs of blanks become single spaces, and blanks at either end go, so that
// missing properties leave no gaps.
std::u16string ExpandPrintTemplate(std::u16string_view text, const Node* firstNode,
                                   PageNumbers pages);

}  // namespace vantaro
