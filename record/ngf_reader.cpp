#include <algorithm>

#include "property/value_syntax.h"
#include "record/import_helpers.h"
#include "record/importers.h"
#include "text/ascii.h"

namespace vantaro {

IoResult ReadNgf(GameTree& tree, std::string_view text, ReadContext& context) {
  const auto lines = SplitTokens(text, "\r\n");
  if (lines.size() < 12) return IoResult::Failure("not an NGF record: fewer than 12 lines");
  const int codePage = ChooseFieldsCodePage(
      {lines[0], lines[2], lines[3], lines[4], lines[5], lines[8], lines[10]}, context);

  Node& first = AppendNewNode(tree);
  const int size = std::clamp(LeadingInt(TrimAsciiSpace(lines[1])), 2, 30);
  first.Add(Property::WithSize(size, size));
  AddTextProperty(first, kPropGN, lines[0], codePage);
  AddTextProperty(first, kPropPW, lines[2], codePage);
  AddTextProperty(first, kPropPB, lines[3], codePage);
  AddTextProperty(first, kPropUS, lines[4], codePage);
  AddTextProperty(first, kPropHA, lines[5], codePage);
  const int handicap = LeadingInt(TrimAsciiSpace(lines[5]));
  if (handicap >= 1 && size == 19) PlaceHandicap(first, HandicapVariant::Ngf, handicap);
  // The komi line leaves out the half point, and the sum is taken in single precision.
  const float komi = static_cast<float>(ParseReal(lines[7]).value_or(0.0)) + 0.5f;
  AddRealProperty(first, kPropKM, komi);
  if (lines[8].size() > 1) AddTextProperty(first, kPropDT, lines[8], codePage);
  AddTextProperty(first, kPropRE, lines[10], codePage);

  for (size_t i = 12; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.size() < 9 || (line[4] != 'B' && line[4] != 'W')) continue;
    int x = line[5] - 'B';
    int y = line[6] - 'B';
    if (x < 0 || x >= size || y < 0 || y >= size) x = y = -1;
    AddMove(AppendNewNode(tree), line[4] == 'W', x, y);
  }
  return IoResult::Success();
}

}  // namespace vantaro
