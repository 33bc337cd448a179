#pragma once

#include "figures/figures.h"
#include "game/board.h"

namespace vantaro {

// Sets the board up to draw the figure: the record's size, the stones from
// before the figure as setup stones (drawn without numbers), the figure's own
// stones as moves carrying their move numbers, and with markup the marks of
// its nodes. No move counts as the last one, so none is singled out.
void ShowFigure(const GameTree& root, const Figure& figure, bool withMarkup, GoBoard& board);

}  // namespace vantaro
