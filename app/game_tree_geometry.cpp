#include "app/game_tree_geometry.h"

#include <algorithm>

namespace vantaro::app {
namespace {

int CellIndex(int pixel) {
  const int from = pixel - GameTreeGeometry::kMargin;
  return from >= 0 ? from / GameTreeGeometry::kCell : -1 - (-from - 1) / GameTreeGeometry::kCell;
}

}  // namespace

QRect GameTreeGeometry::CellRect(TreeCell cell) const {
  const int across = vertical ? cell.row : cell.column;
  const int down = vertical ? cell.column : cell.row;
  return QRect(kMargin + across * kCell, kMargin + down * kCell, kCell, kCell);
}

QRect GameTreeGeometry::FoldMarkRect(const QRect& cell) {
  return QRect(cell.right() + 1 - kFoldMark, cell.bottom() + 1 - kFoldMark, kFoldMark, kFoldMark);
}

std::optional<TreeCell> GameTreeGeometry::CellAt(QPoint pixel) const {
  const int across = CellIndex(pixel.x());
  const int down = CellIndex(pixel.y());
  if (across < 0 || down < 0) return std::nullopt;
  return vertical ? TreeCell{across, down} : TreeCell{down, across};
}

CellArea GameTreeGeometry::AreaOf(const QRect& pixels) const {
  const int left = CellIndex(pixels.left());
  const int right = CellIndex(pixels.right());
  const int top = CellIndex(pixels.top());
  const int bottom = CellIndex(pixels.bottom());
  return vertical ? CellArea{left, top, right, bottom} : CellArea{top, left, bottom, right};
}

QRect GameTreeGeometry::PixelsOf(const CellArea& area) const {
  return CellRect({area.top, area.left}).united(CellRect({area.bottom, area.right}));
}

QSize GameTreeGeometry::PictureSize(int rows, int columns) const {
  const int across = vertical ? rows : columns;
  const int down = vertical ? columns : rows;
  return QSize(2 * kMargin + std::max(across, 0) * kCell, 2 * kMargin + std::max(down, 0) * kCell);
}

}  // namespace vantaro::app
