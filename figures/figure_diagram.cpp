#include "figures/figure_diagram.h"

namespace vantaro {

void ShowFigure(const GameTree& root, const Figure& figure, bool withMarkup, GoBoard& board) {
  board.Attach(&root);
  board.Reset(false);
  for (const FigureStone& stone : figure.earlierStones) {
    board.SetCell(stone.point, GoBoard::MakeCell(stone.black ? kPropAB : kPropAW, 0));
  }
  for (const FigureStone& stone : figure.numberedStones) {
    board.SetCell(stone.point, GoBoard::MakeCell(stone.black ? kPropB : kPropW, stone.move));
  }
  if (!withMarkup) return;
  for (const Property& mark : figure.markup) board.ShowMarkup(mark);
}

}  // namespace vantaro
