#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace vantaro {
class GameTreeModel;
}

namespace vantaro::app {

class GameTreeGlyphs;
struct GameTreeGeometry;

struct GameTreeStyle {
  QColor background;
  bool moveNumbers = false;
};

// Paints the part of the tree picture that lies in `picture` (pixels of the
// whole picture; the painter draws in those coordinates): the lines joining
// the nodes, the path to the current node emphasised, then every node with
// its marks. The cost follows the area, not the record.
void PaintGameTree(QPainter& painter, GameTreeModel& model, const GameTreeGeometry& cells,
                   GameTreeGlyphs& glyphs, const GameTreeStyle& style, const QRect& picture);

}  // namespace vantaro::app
