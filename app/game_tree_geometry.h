#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

#include "game/tree_layout.h"

namespace vantaro::app {

// Where the cells of the game tree lie in the picture of the whole tree, in
// pixels from its top-left corner. Horizontal, a cell's column runs across
// and its row down; vertical, the other way round.
struct GameTreeGeometry {
  // The 20-pixel stone glyph and two pixels each side for the lines between cells.
  static constexpr int kCell = 24;
  // Keeps the outermost cells off the pane's edges.
  static constexpr int kMargin = 4;
  // The corner of a cell where its fold mark is, and what a click there hits.
  static constexpr int kFoldMark = 11;

  bool vertical = false;

  QRect CellRect(TreeCell cell) const;
  QPoint CellCentre(TreeCell cell) const { return CellRect(cell).center(); }
  // The rectangle of the fold mark inside a cell's rectangle.
  static QRect FoldMarkRect(const QRect& cell);
  // The cell under a pixel; null in the margin.
  std::optional<TreeCell> CellAt(QPoint pixel) const;
  // The cells a rectangle of pixels touches.
  CellArea AreaOf(const QRect& pixels) const;
  // The pixels that the cells of an area and what joins them take.
  QRect PixelsOf(const CellArea& area) const;
  QSize PictureSize(int rows, int columns) const;
};

}  // namespace vantaro::app
