#include <algorithm>

#include "property/value_syntax.h"
#include "record/import_helpers.h"
#include "record/importers.h"
#include "text/ascii.h"

namespace vantaro {

IoResult ReadNgf(GameTree& tree, std::string_view text, ReadContext& context,
                 DiagnosticSink* diagnostics) {
  const auto lines = SplitTokens(text, "\r\n");
  if (lines.size() < 12) return IoResult::Failure("not an NGF record: fewer than 12 lines");
  const int codePage = ChooseFieldsCodePage(
      {lines[0], lines[2], lines[3], lines[4], lines[5], lines[8], lines[10]}, context);
  const ReadReport report(diagnostics, text);

  Node& first = AppendNewNode(tree);
  const int asked = LeadingInt(TrimAsciiSpace(lines[1]));
  const int size = std::clamp(asked, 2, 30);
  if (size != asked)
    report.At(lines[1].data(),
              "board size " + Quoted(lines[1]) + " read as " + std::to_string(size));
  first.Add(Property::WithSize(size, size));
  const auto addText = [&](int index, std::string_view line) {
    AddTextProperty(first, index, line, codePage);
    report.UndecodableText(line, first.properties()[first.properties().size() - 1].text(),
                           codePage);
  };
  addText(kPropGN, lines[0]);
  addText(kPropPW, lines[2]);
  addText(kPropPB, lines[3]);
  addText(kPropUS, lines[4]);
  addText(kPropHA, lines[5]);
  const int handicap = LeadingInt(TrimAsciiSpace(lines[5]));
  if (handicap >= 1 && size == 19) PlaceHandicap(first, HandicapVariant::Ngf, handicap);
  // The komi line leaves out the half point, and the sum is taken in single precision.
  const float komi = static_cast<float>(ParseReal(lines[7]).value_or(0.0)) + 0.5f;
  AddRealProperty(first, kPropKM, komi);
  if (lines[8].size() > 1) addText(kPropDT, lines[8]);
  addText(kPropRE, lines[10]);

  for (size_t i = 12; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.size() < 9 || (line[4] != 'B' && line[4] != 'W')) {
      if (line.starts_with("PM")) report.At(line.data(), "move line " + Quoted(line) + " skipped");
      continue;
    }
    int x = line[5] - 'B';
    int y = line[6] - 'B';
    if (x < 0 || x >= size || y < 0 || y >= size) {
      // The letter A is how the format writes a pass.
      if (line[5] != 'A' && line[6] != 'A') {
        report.At(line.data(), "move " + Quoted(line) + " off the board read as a pass");
      }
      x = y = -1;
    }
    AddMove(AppendNewNode(tree), line[4] == 'W', x, y);
  }
  return IoResult::Success();
}

}  // namespace vantaro
