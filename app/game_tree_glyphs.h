#pragma once

#include <QHash>
#include <QPixmap>
#include <QPoint>

#include <array>

namespace vantaro::app {

// What a cell of the game tree shows for its node.
enum class NodeGlyph {
  BlackStone,
  WhiteStone,
  BlackPass,
  WhitePass,
  Root,
  SetupBlack,
  SetupWhite,
  SetupMixed,
  Empty,
};

// The small marks drawn over a cell.
enum class CellMark { Comment, Markup, FoldOpen, FoldClosed, Current };

// A picture and where it goes in its cell.
struct Glyph {
  QPixmap pixmap;
  QPoint at;
};

// The pictures of the game tree's cells, each drawn once and then only
// copied: a pane repaints thousands of cells on a scroll. Each covers only
// what it shows, so that copying it blends as few pixels as it can.
class GameTreeGlyphs {
 public:
  // Pictures for cells of the given size, for the screen's ratio of device pixels.
  GameTreeGlyphs(int cell, qreal pixelRatio);

  qreal pixelRatio() const { return pixelRatio_; }
  const Glyph& Node(NodeGlyph glyph) const { return nodes_[static_cast<size_t>(glyph)]; }
  const Glyph& Mark(CellMark mark) const { return marks_[static_cast<size_t>(mark)]; }
  // A move number to lay over a stone of the colour.
  const Glyph& Number(int number, bool onBlack);
  // The count of nodes a fold hides.
  const Glyph& HiddenCount(int count);

 private:
  // A picture of the size at that place of the cell, drawn by `draw` in
  // the cell's coordinates.
  template <typename Draw>
  Glyph Paint(QRect area, Draw draw) const;

  int cell_;
  qreal pixelRatio_;
  QRect stone_;  // the part of a cell a node's picture takes
  std::array<Glyph, 9> nodes_;
  std::array<Glyph, 5> marks_;
  QHash<int, Glyph> numbers_;
  QHash<int, Glyph> counts_;
};

}  // namespace vantaro::app
