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

// What a cell shows of its node, from one pass over its properties.
struct NodeLook {
  NodeGlyph glyph = NodeGlyph::Empty;
  bool comment = false;
  bool markup = false;
};

NodeLook LookOf(const Node& node, bool root, const GoBoard& board) {
  NodeLook look;
  const Property* move = nullptr;
  bool black = false;
  bool white = false;
  bool erased = false;
  for (const Property& property : node.properties()) {
    const int id = property.id();
    if (move == nullptr && IsMoveProperty(id)) move = &property;
    black = black || id == kPropAB;
    white = white || id == kPropAW;
    erased = erased || id == kPropAE;
    look.comment = look.comment || id == kPropC;
    look.markup = look.markup || IsMarkupProperty(id);
  }
  if (move != nullptr) {
    const bool blackMove = move->id() == kPropB;
    const bool pass = !board.OnBoard(move->point().x, move->point().y);
    look.glyph = pass ? (blackMove ? NodeGlyph::BlackPass : NodeGlyph::WhitePass)
                      : (blackMove ? NodeGlyph::BlackStone : NodeGlyph::WhiteStone);
  } else if (root) {
    look.glyph = NodeGlyph::Root;
  } else if (black && !white && !erased) {
    look.glyph = NodeGlyph::SetupBlack;
  } else if (white && !black && !erased) {
    look.glyph = NodeGlyph::SetupWhite;
  } else if (black || white || erased) {
    look.glyph = NodeGlyph::SetupMixed;
  }
  return look;
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

  void Draw(const Glyph& glyph, QPoint cell) { painter_.drawPixmap(cell + glyph.at, glyph.pixmap); }

  void DrawNode(const Node& node, bool root, QPoint cell, int number) {
    const NodeLook look = LookOf(node, root, board_);
    Draw(glyphs_.Node(look.glyph), cell);
    if (style_.moveNumbers && number > 0 &&
        (look.glyph == NodeGlyph::BlackStone || look.glyph == NodeGlyph::WhiteStone)) {
      Draw(glyphs_.Number(number, look.glyph == NodeGlyph::BlackStone), cell);
    }
    if (look.comment) Draw(glyphs_.Mark(CellMark::Comment), cell);
    if (look.markup) Draw(glyphs_.Mark(CellMark::Markup), cell);
    if (TreeLayout::HasVariations(node)) {
      const bool folded = model_.treeLayout().IsFolded(node);
      if (folded) Draw(glyphs_.HiddenCount(model_.treeLayout().HiddenCount(node)), cell);
      Draw(glyphs_.Mark(folded ? CellMark::FoldClosed : CellMark::FoldOpen), cell);
    }
    if (&node == current_) Draw(glyphs_.Mark(CellMark::Current), cell);
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
