#pragma once

#include <string>
#include <vector>

#include "property/property.h"
#include "render/rect.h"

namespace vantaro {

// Rotation by quarter turns clockwise and mirroring of the board on the
// screen. The record is never transformed: board points become display
// points only for drawing and tapping.
struct DisplayTransform {
  DisplayTransform(int boardWidth, int boardHeight, int rotation, bool flipHorizontal,
                   bool flipVertical);

  int boardWidth;
  int boardHeight;
  int rotation;  // 0..3 (any other number is taken modulo 4)
  bool flipHorizontal;
  bool flipVertical;

  // Columns and rows on the screen: an odd rotation swaps them.
  int displayedWidth() const { return rotation % 2 == 0 ? boardWidth : boardHeight; }
  int displayedHeight() const { return rotation % 2 == 0 ? boardHeight : boardWidth; }
  // Both work on points off the board too, so that a tap beside the board
  // maps to a point beside it.
  Point ToDisplay(Point board) const;
  Point FromDisplay(Point display) const;
};

// Where the board lies in a client rectangle.
struct BoardLayout {
  rutl::Rect client;
  rutl::Rect boardArea;  // the client less the comment area
  int columns = 0;       // displayed
  int rows = 0;
  int originX = 0;  // pixel of display point (0, 0)
  int originY = 0;
  int spacing = 1;
  rutl::Rect board;  // the wooden area
  int labelGap = 0;
  int coordinateFontTenths = 10;  // of a point

  int CentreX(int column) const { return originX + spacing * column; }
  int CentreY(int row) const { return originY + spacing * row; }
  // The cell of a display point: spacing + 1 pixels each way around its centre.
  rutl::Rect CellOf(Point display) const;
  // The display point nearest to a pixel (a pixel half-way goes to the higher index).
  Point DisplayPointAt(int x, int y) const;
};

// The layout for a client rectangle and the displayed column and row
// counts, with room for coordinates and for the comment area when asked.
BoardLayout ComputeLayout(const rutl::Rect& client, int columns, int rows, bool showCoord,
                          bool showCommentOnBoard);

// The star points of a board, in board coordinates.
std::vector<Point> StarPoints(int width, int height);

enum class LabelAxis { Columns, Rows };

// The coordinate label at the display index along the axis (count points):
// rows are numbered from the bottom and columns lettered (A to Z without I
// unless withI, then two letters), the other way round under an odd
// rotation, each reversed by the transform as it mirrors the board.
std::u16string CoordinateLabel(LabelAxis axis, int index, int count,
                               const DisplayTransform& transform, bool withI);

// The mark of a next move at its point: the sequence of marks begins with
// startingChar and the mark is the index-th of it; the only next move is
// marked with startingChar itself. A digit begins a sequence of numbers,
// anything else a sequence of letters (from A when it is no letter) that
// runs on from Z to a and ends at z: later moves get no mark (empty).
std::u16string NextMoveMark(int startingChar, int index, bool onlyMove);

// A board point as the coordinate labels around the board name it: its
// letters, then its number ("R14"). The labels turn and mirror with the
// board, so a point keeps its name however the board is shown.
std::u16string PointLabel(Point board, int boardWidth, int boardHeight, bool withI);

}  // namespace vantaro
