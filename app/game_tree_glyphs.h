#pragma once

#include <QHash>
#include <QPixmap>

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

// The pictures of the game tree's cells, each drawn once and then only
// copied: a pane repaints thousands of cells on a scroll.
class GameTreeGlyphs {
 public:
  // Pictures cover a whole cell of the given size, for the screen's ratio
  // of device pixels.
  GameTreeGlyphs(int cell, qreal pixelRatio);

  qreal pixelRatio() const { return pixelRatio_; }
  const QPixmap& Node(NodeGlyph glyph) const { return nodes_[static_cast<size_t>(glyph)]; }
  const QPixmap& Mark(CellMark mark) const { return marks_[static_cast<size_t>(mark)]; }
  // A move number to lay over a stone of the colour.
  const QPixmap& Number(int number, bool onBlack);
  // The count of nodes a fold hides.
  const QPixmap& HiddenCount(int count);

 private:
  QPixmap Blank() const;
  QPixmap Text(const QString& text, const QColor& colour, int pixelSize, bool bold) const;

  int cell_;
  qreal pixelRatio_;
  std::array<QPixmap, 9> nodes_;
  std::array<QPixmap, 5> marks_;
  QHash<int, QPixmap> numbers_;
  QHash<int, QPixmap> counts_;
};

}  // namespace vantaro::app
