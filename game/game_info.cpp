#include "game/game_info.h"

#include <algorithm>
#include <array>

#include "game/record_summary.h"
#include "property/game_info_syntax.h"
#include "property/value_syntax.h"
#include "text/ascii.h"

namespace vantaro {
namespace {

constexpr std::array<std::string_view, 23> kIdentifiers = {
    "GN", "GC", "EV", "RO", "DT", "PC", "PB", "BR", "BT", "PW", "WR", "WT",
    "KM", "HA", "TM", "RE", "US", "SO", "CP", "AN", "RU", "OT", "ON",
};

// The game-information properties the property table does not hold.
struct ExtraLabel {
  std::string_view identifier;
  std::string_view label;
};
constexpr ExtraLabel kExtraLabels[] = {{"RU", "Rules"}, {"OT", "Overtime"}, {"ON", "Opening"}};

bool IsOfIdentifier(const Property& property, std::string_view identifier) {
  return property.Name() == identifier;
}

Property MakeProperty(std::string_view identifier, std::u16string_view text) {
  const int id = FindPropertyIndex(identifier);
  if (id == kPropUnknown) {
    return Property::Unrecognised({std::string(identifier), {std::u16string(text)}});
  }
  if (id == kPropKM) {
    if (CheckGameInfoValue(identifier, text).verdict == ValueVerdict::Accepted) {
      // Accepted text is ASCII digits, a sign and a point.
      const std::u16string_view number = TrimAsciiSpace(text);
      if (const auto real = ParseReal(std::string(number.begin(), number.end()))) {
        return Property::WithReal(id, *real);
      }
    }
    return Property::Verbatim(id, text);
  }
  return Property::WithText(id, id == kPropHA ? TrimAsciiSpace(text) : text);
}

}  // namespace

std::span<const std::string_view> GameInfoIdentifiers() {
  return kIdentifiers;
}

std::string_view GameInfoLabel(std::string_view identifier) {
  for (const ExtraLabel& extra : kExtraLabels) {
    if (extra.identifier == identifier) return extra.label;
  }
  return PropertyRow(FindPropertyIndex(identifier)).label;
}

std::optional<std::string_view> FindGameInfoIdentifier(std::string_view name) {
  const auto found = std::find(kIdentifiers.begin(), kIdentifiers.end(), name);
  if (found == kIdentifiers.end()) return std::nullopt;
  return *found;
}

std::optional<std::u16string> GameInfoValue(const Node& node, std::string_view identifier) {
  for (const Property& property : node.properties()) {
    if (!IsOfIdentifier(property, identifier)) continue;
    if (property.kind() != ValueKind::Unknown) return DisplayValue(property);
    const std::vector<std::u16string>& values = property.unknown()->values;
    return values.empty() ? std::u16string() : values.front();
  }
  return std::nullopt;
}

void SetGameInfoValue(Node& node, std::string_view identifier, std::u16string_view text) {
  PropertyList& properties = node.properties();
  if (text.empty()) {
    for (size_t i = properties.size(); i-- > 0;) {
      if (IsOfIdentifier(properties[i], identifier)) properties.erase(i);
    }
    return;
  }
  Property property = MakeProperty(identifier, text);
  for (Property& existing : properties) {
    if (IsOfIdentifier(existing, identifier)) {
      existing = std::move(property);
      return;
    }
  }
  node.Add(std::move(property));
}

}  // namespace vantaro
