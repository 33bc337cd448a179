#pragma once

#include <string>

#include "property/property.h"

namespace vantaro {

// The letters of a column as boards are labelled: A to Z without I (unless
// withI), then two letters.
std::string ColumnLetters(int column, bool withI);

// A point as players write it: its column's letters and its row counted from
// the bottom of a board of that height ("Q16" on 19 lines for (15, 3)).
std::string PointName(Point point, int boardHeight, bool withI);

}  // namespace vantaro
