#include "app/game_tree_painter.h"

#include <QPainter>

#include <algorithm>
#include <vector>

#include "app/game_tree_geometry.h"
#include "app/game_tree_glyphs.h"
#include "editor/game_tree_model.h"
#include "editor/go_editor.h"
#include "game/tree_search.h"

namespace vantaro::app {
namespace {

const QColor kLineGrey(150, 150, 150);
const QColor kPathColour(40, 40, 40);

NodeGlyph GlyphOf(const Node& node, bool root, const GoBoard& board) {
  if (const Property* move = node.FindMove()) {
    const bool black = move->id() == kPropB;
    if (!board.OnBoard(move->point().x, move->point().y)) {
      return black ? NodeGlyph::BlackPass : NodeGlyph::WhitePass;
    }
    return black ? NodeGlyph::BlackStone : NodeGlyph::WhiteStone;
  }
  if (root) return NodeGlyph::Root;
  bool black = false;
  bool white = false;
  bool erased = false;
  for (const Property& property : node.properties()) {
    black = black || property.id() == kPropAB;
    white = white || property.id() == kPropAW;
    erased = erased || property.id() == kPropAE;
  }
  if (black && !white && !erased) return NodeGlyph::SetupBlack;
  if (white && !black && !erased) return NodeGlyph::SetupWhite;
  if (black || white || erased) return NodeGlyph::SetupMixed;
  return NodeGlyph::Empty;
}

bool HasMarkup(const Node& node) {
  for (const Property& property : node.properties()) {
    if (IsMarkupProperty(property.id())) return true;
  }
  return false;
}

class Painter {
 public:
  Painter(QPainter& painter, GameTreeModel& model, const GameTreeGeometry& cells,
          GameTreeGlyphs& glyphs, const GameTreeStyle& style, const CellArea& area)
      : painter_(painter),
        model_(model),
        cells_(cells),
        glyphs_(glyphs),
        style_(style),
        area_(area),
        board_(*model.editor()),
        current_(model.CurrentNode()) {}

  void Paint() {
    std::vector<LineSpan> lines;
    model_.treeLayout().ForEachLine(area_,
                                    [&lines](const LineSpan& line) { lines.push_back(line); });
    const std::vector<PathStep>& path = model_.Path();
    painter_.setPen(QPen(kLineGrey, 1));
    for (const LineSpan& line : lines) Join(line, line.column + line.length - 1);
    painter_.setPen(QPen(kPathColour, 3, Qt::SolidLine, Qt::RoundCap));
    for (const PathStep& step : path) {
      const auto line = std::find_if(lines.begin(), lines.end(), [&step](const LineSpan& each) {
        return each.id == step.line;
      });
      if (line != lines.end()) Join(*line, step.lastColumn);
    }
    for (const LineSpan& line : lines) Nodes(line);
  }

 private:
  QPoint Centre(int row, int column) const { return cells_.CellCentre({row, column}); }

  // The stem from the node the line branches from, and the line up to lastColumn.
  void Join(const LineSpan& line, int lastColumn) {
    if (line.parent >= 0) {
      const QPoint corner = Centre(line.row, line.column - 1);
      painter_.drawLine(Centre(line.stemRow, line.column - 1), corner);
      painter_.drawLine(corner, Centre(line.row, line.column));
    }
    const int from = std::max(line.column, area_.left);
    const int to = std::min(lastColumn, area_.right);
    if (from < to) painter_.drawLine(Centre(line.row, from), Centre(line.row, to));
  }

  void Nodes(const LineSpan& line) {
    if (line.row < area_.top || line.row > area_.bottom) return;
    const int from = std::max(line.column, area_.left);
    const int to = std::min(line.column + line.length - 1, area_.right);
    if (from > to) return;
    LineCursor cursor = TreeLayout::NodeOfLine(line, from);
    int number = style_.moveNumbers ? MoveNumberOf(*cursor.tree, cursor.index) : 0;
    for (int column = from; column <= to; ++column, cursor.Next()) {
      const Node* node = cursor.node();
      if (node == nullptr) return;
      if (column > from && style_.moveNumbers) number = MoveNumberAfter(*node, number);
      DrawNode(*node, cursor.tree->parent() == nullptr && cursor.index == 0,
               cells_.CellRect({line.row, column}).topLeft(), number);
    }
  }

  void DrawNode(const Node& node, bool root, QPoint at, int number) {
    const NodeGlyph glyph = GlyphOf(node, root, board_);
    painter_.drawPixmap(at, glyphs_.Node(glyph));
    if (style_.moveNumbers && number > 0 &&
        (glyph == NodeGlyph::BlackStone || glyph == NodeGlyph::WhiteStone)) {
      painter_.drawPixmap(at, glyphs_.Number(number, glyph == NodeGlyph::BlackStone));
    }
    if (node.Has(kPropC)) painter_.drawPixmap(at, glyphs_.Mark(CellMark::Comment));
    if (HasMarkup(node)) painter_.drawPixmap(at, glyphs_.Mark(CellMark::Markup));
    if (TreeLayout::HasVariations(node)) {
      const bool folded = model_.treeLayout().IsFolded(node);
      if (folded)
        painter_.drawPixmap(at, glyphs_.HiddenCount(model_.treeLayout().HiddenCount(node)));
      painter_.drawPixmap(at, glyphs_.Mark(folded ? CellMark::FoldClosed : CellMark::FoldOpen));
    }
    if (&node == current_) painter_.drawPixmap(at, glyphs_.Mark(CellMark::Current));
  }

  QPainter& painter_;
  GameTreeModel& model_;
  const GameTreeGeometry& cells_;
  GameTreeGlyphs& glyphs_;
  const GameTreeStyle& style_;
  CellArea area_;
  const GoBoard& board_;
  const Node* current_;
};

}  // namespace

void PaintGameTree(QPainter& painter, GameTreeModel& model, const GameTreeGeometry& cells,
                   GameTreeGlyphs& glyphs, const GameTreeStyle& style, const QRect& picture) {
  painter.fillRect(picture, style.background);
  if (model.editor() == nullptr || model.treeLayout().root() == nullptr) return;
  Painter(painter, model, cells, glyphs, style, cells.AreaOf(picture)).Paint();
}

}  // namespace vantaro::app
