#include "game/point_name.h"

namespace vantaro {

std::string ColumnLetters(int column, bool withI) {
  const int size = withI ? 26 : 25;
  const auto letter = [withI](int index) {
    return static_cast<char>('A' + index + (!withI && index >= 8 ? 1 : 0));
  };
  if (column < size) return std::string(1, letter(column));
  return {static_cast<char>('A' + (column / size - 1)), letter(column % size)};
}

std::string PointName(Point point, int boardHeight, bool withI) {
  return ColumnLetters(point.x, withI) + std::to_string(boardHeight - point.y);
}

}  // namespace vantaro
