#include <algorithm>
#include <string>

#include "record/binary_fields.h"
#include "record/import_helpers.h"
#include "record/importers.h"

namespace vantaro {
namespace {

constexpr size_t kHeaderSize = 228;

}  // namespace

IoResult ReadGos(GameTree& tree, std::string_view bytes, ReadContext& context,
                 DiagnosticSink* diagnostics) {
  if (bytes.size() < kHeaderSize) {
    return IoResult::Failure("not a GOS record: shorter than its 228-byte header");
  }
  const std::uint64_t moveCount = ReadUint32(bytes, 180);
  const std::uint32_t handicap = ReadUint32(bytes, 184);
  const size_t moveBytes = bytes.size() - kHeaderSize;
  if (moveCount * 2 < moveBytes) {
    return IoResult::Failure("not a GOS record: more move bytes than moves");
  }
  const std::string_view date = FixedField(bytes, 8, 28);
  const std::string_view name = FixedField(bytes, 36, 64);
  const std::string black = std::string(FixedField(bytes, 100, 20)) + " (" +
                            std::string(FixedField(bytes, 120, 20)) + ")";
  const std::string white = std::string(FixedField(bytes, 140, 20)) + " (" +
                            std::string(FixedField(bytes, 160, 20)) + ")";
  const int codePage = ChooseFieldsCodePage({date, name, black, white}, context);

  Node& first = AppendNewNode(tree);
  const ReadReport report(diagnostics, bytes);
  // A player is name " (" rank ")": a bad byte is placed in the field it came from.
  const auto addText = [&](int index, std::string_view text, size_t offset, size_t nameLength,
                           size_t rankOffset) {
    AddTextProperty(first, index, text, codePage);
    const std::u16string_view decoded = first.properties()[first.properties().size() - 1].text();
    if (const auto bad =
            report.enabled() ? FirstUndecodableByte(decoded, codePage) : std::nullopt) {
      report.At(*bad < nameLength + 2 ? offset + std::min(*bad, nameLength)
                                      : rankOffset + (*bad - nameLength - 2),
                UndecodableMessage(codePage));
    }
  };
  addText(kPropGN, name, 36, name.size(), 0);
  addText(kPropPB, black, 100, FixedField(bytes, 100, 20).size(), 120);
  addText(kPropPW, white, 140, FixedField(bytes, 140, 20).size(), 160);
  addText(kPropDT, date, 8, date.size(), 0);
  AddTextProperty(first, kPropHA, std::to_string(handicap), codePage);

  const std::uint64_t moves = std::min<std::uint64_t>(moveCount, moveBytes / 2);
  if (moves < moveCount) {
    report.At(kHeaderSize + 2 * moves, "the file ends after " + std::to_string(moves) + " of its " +
                                           std::to_string(moveCount) + " moves");
  } else if (moveBytes % 2 != 0) {
    report.At(bytes.size() - 1, "odd byte after the last move ignored");
  }
  for (std::uint64_t i = 0; i < moves; ++i) {
    const std::uint16_t value = ReadUint16(bytes, kHeaderSize + 2 * i);
    const int x = value % 20;
    const int y = value / 20;
    const bool pass = x > 18 || y > 18;
    // Handicap stones come first, recorded as black moves.
    const bool black = handicap == 0 ? i % 2 == 0 : i < handicap || (i - handicap) % 2 == 1;
    AddMove(AppendNewNode(tree), !black, pass ? -1 : x, pass ? -1 : y);
  }
  return IoResult::Success();
}

}  // namespace vantaro
