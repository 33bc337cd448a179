#pragma once

#include <array>
#include <string_view>

namespace vantaro {

enum class PropertyGroup {
  None,
  Move,
  Setup,
  Root,
  GameInfo,
  NodeAnnotation,
  MoveAnnotation,
  Markup
};

enum class ValueType { Unknown, Number, Real, Point, Text, PointText, PointList, PointTextList };

// One recognised SGF identifier. The row order is also the order in which a
// node's properties are written.
struct PropertyInfo {
  std::string_view name;
  std::string_view label;  // display name of a game-information property
  PropertyGroup group;
  ValueType elementType;  // type of one value
  ValueType valueType;    // type of the property as a whole
};

// Rows of the property table. Row 0 stands for every unrecognised identifier.
enum PropertyIndex : int {
  kPropUnknown = 0,
  kPropB = 1,
  kPropBL = 2,
  kPropW = 3,
  kPropWL = 4,
  kPropMN = 5,
  kPropAB = 6,
  kPropAE = 7,
  kPropAW = 8,
  kPropPL = 9,
  kPropCR = 10,
  kPropTR = 11,
  kPropSQ = 12,
  kPropMA = 13,
  kPropLB = 14,
  kPropTB = 15,
  kPropTW = 16,
  kPropC = 17,
  kPropN = 18,
  kPropDM = 19,
  kPropTE = 28,
  kPropAP = 29,
  kPropSZ = 30,
  kPropCA = 31,
  kPropGN = 32,
  kPropGC = 33,
  kPropEV = 34,
  kPropRO = 35,
  kPropDT = 36,
  kPropPC = 37,
  kPropPB = 38,
  kPropBR = 39,
  kPropBT = 40,
  kPropPW = 41,
  kPropWR = 42,
  kPropWT = 43,
  kPropKM = 44,
  kPropHA = 45,
  kPropTM = 46,
  kPropRE = 47,
  kPropUS = 48,
  kPropSO = 49,
  kPropCP = 50,
  kPropAN = 51,
  kPropVantaroBM = 52,
  kPropVantaroGM = 53,
  kPropertyCount = 54,
};

// Defined out of line but visible here, so that a look-up of a row is no call.
extern const std::array<PropertyInfo, kPropertyCount> kPropertyRows;
inline const PropertyInfo& PropertyRow(int index) {
  return kPropertyRows[index];
}

// Exact, case-sensitive lookup; 0 for every name that is not in the table.
int FindPropertyIndex(std::string_view name);

inline bool IsGameInfoProperty(int index) {
  return PropertyRow(index).group == PropertyGroup::GameInfo;
}
inline bool IsMoveProperty(int index) {
  return index == kPropB || index == kPropW;
}
inline bool IsSetupProperty(int index) {
  return index == kPropAB || index == kPropAE || index == kPropAW;
}
// The marks of a point, of which a node holds one per point.
inline bool IsMarkupProperty(int index) {
  return index == kPropCR || index == kPropTR || index == kPropSQ || index == kPropMA ||
         index == kPropLB;
}

}  // namespace vantaro
