#include "property/property_table.h"

#include "text/ascii.h"

namespace vantaro {
namespace {

using G = PropertyGroup;
using V = ValueType;

}  // namespace

constexpr std::array<PropertyInfo, kPropertyCount> kPropertyRows = {{
    {"", "", G::None, V::Unknown, V::Unknown},
    {"B", "", G::Move, V::Point, V::Point},
    {"BL", "", G::Move, V::Real, V::Real},
    {"W", "", G::Move, V::Point, V::Point},
    {"WL", "", G::Move, V::Real, V::Real},
    {"MN", "", G::Move, V::Number, V::Number},
    {"AB", "", G::Setup, V::Point, V::PointList},
    {"AE", "", G::Setup, V::Point, V::PointList},
    {"AW", "", G::Setup, V::Point, V::PointList},
    {"PL", "", G::Setup, V::Text, V::Text},
    {"CR", "", G::Markup, V::Point, V::PointList},
    {"TR", "", G::Markup, V::Point, V::PointList},
    {"SQ", "", G::Markup, V::Point, V::PointList},
    {"MA", "", G::Markup, V::Point, V::PointList},
    {"LB", "", G::Markup, V::PointText, V::PointTextList},
    {"TB", "", G::Markup, V::Point, V::PointList},
    {"TW", "", G::Markup, V::Point, V::PointList},
    {"C", "", G::NodeAnnotation, V::Text, V::Text},
    {"N", "", G::NodeAnnotation, V::Text, V::Text},
    {"DM", "", G::NodeAnnotation, V::Number, V::Number},
    {"GB", "", G::NodeAnnotation, V::Number, V::Number},
    {"GW", "", G::NodeAnnotation, V::Number, V::Number},
    {"HO", "", G::NodeAnnotation, V::Number, V::Number},
    {"UC", "", G::NodeAnnotation, V::Number, V::Number},
    {"V", "", G::NodeAnnotation, V::Real, V::Real},
    {"BM", "", G::MoveAnnotation, V::Number, V::Number},
    {"DO", "", G::MoveAnnotation, V::Text, V::Text},
    {"IT", "", G::MoveAnnotation, V::Text, V::Text},
    {"TE", "", G::MoveAnnotation, V::Number, V::Number},
    {"AP", "", G::Root, V::Text, V::Text},
    {"SZ", "", G::Root, V::Number, V::Number},
    {"CA", "", G::Root, V::Text, V::Text},
    {"GN", "Game Name", G::GameInfo, V::Text, V::Text},
    {"GC", "Game Comment", G::GameInfo, V::Text, V::Text},
    {"EV", "Event", G::GameInfo, V::Text, V::Text},
    {"RO", "Round", G::GameInfo, V::Text, V::Text},
    {"DT", "Date", G::GameInfo, V::Text, V::Text},
    {"PC", "Place", G::GameInfo, V::Text, V::Text},
    {"PB", "Black Player", G::GameInfo, V::Text, V::Text},
    {"BR", "Black Rank", G::GameInfo, V::Text, V::Text},
    {"BT", "Black Team", G::GameInfo, V::Text, V::Text},
    {"PW", "White Player", G::GameInfo, V::Text, V::Text},
    {"WR", "White Rank", G::GameInfo, V::Text, V::Text},
    {"WT", "White Team", G::GameInfo, V::Text, V::Text},
    {"KM", "Komi", G::GameInfo, V::Real, V::Real},
    {"HA", "Handicap", G::GameInfo, V::Text, V::Text},
    {"TM", "Time", G::GameInfo, V::Text, V::Text},
    {"RE", "Result", G::GameInfo, V::Text, V::Text},
    {"US", "User", G::GameInfo, V::Text, V::Text},
    {"SO", "Source", G::GameInfo, V::Text, V::Text},
    {"CP", "Copyright", G::GameInfo, V::Text, V::Text},
    {"AN", "Annotation", G::GameInfo, V::Text, V::Text},
    {"VANTAROBM", "", G::Markup, V::Text, V::Text},
    {"VANTAROGM", "", G::Root, V::Number, V::Number},
}};

namespace {

// Identifiers are looked up once per property read, so the one- and
// two-letter names go through a direct table instead of a map.
struct ShortNameIndex {
  std::array<std::array<unsigned char, 27>, 26> rows{};
  constexpr ShortNameIndex() {
    for (size_t i = 1; i < kPropertyRows.size(); ++i) {
      const std::string_view name = kPropertyRows[i].name;
      if (name.size() > 2) continue;
      rows[name[0] - 'A'][name.size() == 2 ? name[1] - 'A' + 1 : 0] = static_cast<unsigned char>(i);
    }
  }
};
constexpr ShortNameIndex kShortNames;

}  // namespace

int FindPropertyIndex(std::string_view name) {
  if (name.empty()) return kPropUnknown;
  if (name.size() <= 2) {
    if (!IsAsciiUpper(name[0])) return kPropUnknown;
    if (name.size() == 1) return kShortNames.rows[name[0] - 'A'][0];
    if (!IsAsciiUpper(name[1])) return kPropUnknown;
    return kShortNames.rows[name[0] - 'A'][name[1] - 'A' + 1];
  }
  if (name == "VANTAROBM") return kPropVantaroBM;
  if (name == "VANTAROGM") return kPropVantaroGM;
  return kPropUnknown;
}

}  // namespace vantaro
