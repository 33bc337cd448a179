#pragma once

#include <string>
#include <vector>

#include "figures/figures.h"

namespace vantaro {

// A note as a printout writes it: "25 at 19", "25 at Q16" (the point named
// on a board of that height, with or without the letter I) or "33 pass".
std::string NoteText(const FigureNote& note, int boardHeight, bool withI);

// The figures as `vantaro-cli figures` prints them: per figure a line
// "figure K: moves A-B" ("figure K: no moves" for a line without moves),
// its notes one a line, its comments as "comment N: TEXT" with every line
// break written as \n, and an empty line.
std::string FiguresAsText(const std::vector<Figure>& figures, int boardHeight, bool withI);

}  // namespace vantaro
