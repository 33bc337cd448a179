#include "render/board_geometry.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "game/point_name.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// A quarter-turn rotation of a point on a grid of width x height points.
Point Rotate(Point p, int width, int height, int rotation) {
  switch (rotation) {
    case 1:
      return {height - 1 - p.y, p.x};
    case 2:
      return {width - 1 - p.x, height - 1 - p.y};
    case 3:
      return {p.y, width - 1 - p.x};
    default:
      return p;
  }
}

}  // namespace

DisplayTransform::DisplayTransform(int width, int height, int turns, bool horizontal, bool vertical)
    : boardWidth(width),
      boardHeight(height),
      rotation((turns % 4 + 4) % 4),
      flipHorizontal(horizontal),
      flipVertical(vertical) {}

Point DisplayTransform::ToDisplay(Point board) const {
  Point p = Rotate(board, boardWidth, boardHeight, rotation);
  if (flipHorizontal) p.x = displayedWidth() - 1 - p.x;
  if (flipVertical) p.y = displayedHeight() - 1 - p.y;
  return p;
}

Point DisplayTransform::FromDisplay(Point display) const {
  Point p = display;
  if (flipVertical) p.y = displayedHeight() - 1 - p.y;
  if (flipHorizontal) p.x = displayedWidth() - 1 - p.x;
  return Rotate(p, displayedWidth(), displayedHeight(), (4 - rotation) % 4);
}

rutl::Rect BoardLayout::CellOf(Point display) const {
  const int cx = CentreX(display.x);
  const int cy = CentreY(display.y);
  return {cx - spacing / 2, cy - spacing / 2, cx + spacing / 2 + 1, cy + spacing / 2 + 1};
}

Point BoardLayout::DisplayPointAt(int x, int y) const {
  const auto nearest = [this](int pixel, int origin) {
    const float steps = static_cast<float>(pixel - origin) / static_cast<float>(spacing);
    return static_cast<int>(std::floor(steps + 0.5f));
  };
  return {nearest(x, originX), nearest(y, originY)};
}

BoardLayout ComputeLayout(const rutl::Rect& client, int columns, int rows, bool showCoord,
                          bool showCommentOnBoard) {
  BoardLayout layout;
  layout.client = client;
  layout.columns = columns;
  layout.rows = rows;
  const int w = client.Width();
  const int h = client.Height();
  int reserve = 0;
  if (showCommentOnBoard) {
    reserve = w / 5;
    if (w > h && std::min(w - h, w / 5) >= 100) reserve = std::min(w - h, w / 5);
  }
  layout.boardArea = {client.left, client.top, client.right - reserve, client.bottom};
  const int aw = layout.boardArea.Width();
  const int ah = h;
  int sx = showCoord ? static_cast<int>(aw / (columns + 1.7)) : aw / columns;
  int sy = showCoord ? static_cast<int>(ah / (rows + 1.3)) : ah / rows;
  const int s = std::max(std::min(sx, sy), 1);
  layout.spacing = s;
  layout.originX = client.left + (aw - (columns - 1) * s) / 2;
  layout.originY = client.top + (ah - (rows - 1) * s) / 2;
  const int margin = s / 7;
  layout.board.left = layout.originX - s / 2 - margin;
  layout.board.top = layout.originY - s / 2 - margin;
  layout.board.right = layout.board.left + 2 * margin + s * columns;
  layout.board.bottom = layout.board.top + 2 * margin + s * rows;
  layout.labelGap = s / 10;
  layout.coordinateFontTenths = std::clamp(7 * s, 10, 100);
  return layout;
}

std::vector<Point> StarPoints(int width, int height) {
  std::vector<Point> points;
  if (width >= 10 && height >= 10) {
    points = {{3, 3}, {3, height - 4}, {width - 4, 3}, {width - 4, height - 4}};
    if (width >= 15 && width % 2 == 1) {
      points.push_back({width / 2, 3});
      points.push_back({width / 2, height - 4});
    }
    if (height >= 15 && height % 2 == 1) {
      points.push_back({3, height / 2});
      points.push_back({width - 4, height / 2});
    }
    if (width >= 13 && height >= 13 && width % 2 == 1 && height % 2 == 1) {
      points.push_back({width / 2, height / 2});
    }
  } else if (width >= 7 && width <= 9 && height >= 7 && height <= 9) {
    points = {{2, 2}, {2, height - 3}, {width - 3, 2}, {width - 3, height - 3}};
  }
  return points;
}

std::u16string CoordinateLabel(LabelAxis axis, int index, int count,
                               const DisplayTransform& transform, bool withI) {
  const bool oddRotation = transform.rotation % 2 == 1;
  const bool numbered = (axis == LabelAxis::Rows) != oddRotation;
  const bool reversed =
      axis == LabelAxis::Columns
          ? (transform.rotation == 1 || transform.rotation == 2) != transform.flipHorizontal
          : (transform.rotation == 2 || transform.rotation == 3) != transform.flipVertical;
  if (numbered) {
    return FromUtf8(std::to_string(reversed ? index + 1 : count - index));
  }
  return FromUtf8(ColumnLetters(reversed ? count - 1 - index : index, withI));
}

std::u16string NextMoveMark(int startingChar, int index, bool onlyMove) {
  if (onlyMove) return std::u16string(1, static_cast<char16_t>(startingChar));
  if (startingChar >= '0' && startingChar <= '9') {
    return FromUtf8(std::to_string(startingChar - '0' + index));
  }
  // Upper case, then lower case: counting on in code units would reach
  // punctuation after Z and symbols after z.
  constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const bool ascii = startingChar > 0 && startingChar < 0x80;
  const size_t first = ascii ? kLetters.find(static_cast<char>(startingChar)) : 0;
  const size_t at = (first == std::string_view::npos ? 0 : first) + static_cast<size_t>(index);
  if (at >= kLetters.size()) return {};
  return std::u16string(1, static_cast<char16_t>(kLetters[at]));
}

std::u16string PointLabel(Point board, int boardWidth, int boardHeight, bool withI) {
  const DisplayTransform upright(boardWidth, boardHeight, 0, false, false);
  return CoordinateLabel(LabelAxis::Columns, board.x, boardWidth, upright, withI) +
         CoordinateLabel(LabelAxis::Rows, board.y, boardHeight, upright, withI);
}

}  // namespace vantaro
