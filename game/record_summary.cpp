#include "game/record_summary.h"

#include <algorithm>
#include <charconv>

#include "property/value_syntax.h"

namespace vantaro {
namespace {

int ClampDimension(int n) {
  return n < 2 ? 19 : std::min(n, 52);
}

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

Point ClampBoardSize(Point size) {
  return Point{ClampDimension(size.x), ClampDimension(size.y)};
}

std::optional<Point> RecordBoardSize(const GameTree& root) {
  const Property* size = root.FindRootProperty(kPropSZ);
  if (size == nullptr) return std::nullopt;
  return ClampBoardSize(size->point());
}

RecordSummary SummarizeRecord(const GameTree& root) {
  RecordSummary summary;
  summary.boardSize = RecordBoardSize(root).value_or(kDefaultBoardSize);
  summary.counts = CountRecord(root);
  for (const GameTree* tree = &root; tree != nullptr; tree = tree->ChildAt(0)) {
    for (const auto& node : tree->nodes()) {
      for (const Property& property : node->properties()) {
        if (property.id() != kPropB && property.id() != kPropW) continue;
        Point point = property.point();
        if (point.x < 0 || point.y < 0 || point.x >= summary.boardSize.x ||
            point.y >= summary.boardSize.y) {
          point = Point{};
        }
        summary.mainLineMoves.push_back({property.id() == kPropW, point});
      }
    }
  }
  if (!root.nodes().empty()) {
    for (const Property& property : root.nodes().front()->properties()) {
      if (!IsGameInfoProperty(property.id())) continue;
      const bool seen = std::any_of(summary.gameInfo.begin(), summary.gameInfo.end(),
                                    [&](const GameInfoEntry& e) { return e.id == property.id(); });
      if (!seen) summary.gameInfo.push_back({property.id(), DisplayValue(property)});
    }
    std::stable_sort(summary.gameInfo.begin(), summary.gameInfo.end(),
                     [](const GameInfoEntry& a, const GameInfoEntry& b) { return a.id < b.id; });
  }
  return summary;
}

std::u16string DisplayValue(const Property& property) {
  std::string ascii;
  switch (property.kind()) {
    case ValueKind::Number:
      AppendNumber(property.number(), ascii);
      break;
    case ValueKind::Real: {
      char buffer[64];
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, property.real());
      ascii.assign(buffer, result.ptr);
      break;
    }
    case ValueKind::Point:
      AppendPoint(property.point(), ascii);
      break;
    case ValueKind::Size:
      AppendNumber(property.point().x, ascii);
      ascii += ':';
      AppendNumber(property.point().y, ascii);
      break;
    case ValueKind::PointText: {
      AppendPoint(property.point(), ascii);
      return Widen(ascii) + u":" + std::u16string(property.text());
    }
    case ValueKind::Text:
    case ValueKind::Verbatim:
      return std::u16string(property.text());
    case ValueKind::Unknown: {
      std::u16string joined;
      for (const std::u16string& value : property.unknown()->values) {
        if (!joined.empty()) joined += u", ";
        joined += value;
      }
      return joined;
    }
  }
  return Widen(ascii);
}

}  // namespace vantaro
