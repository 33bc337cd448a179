#include <string>

#include "record/binary_fields.h"
#include "record/import_helpers.h"
#include "record/importers.h"

namespace vantaro {
namespace {

constexpr size_t kHeaderSize = 228;

}  // namespace

IoResult ReadGos(GameTree& tree, std::string_view bytes, ReadContext& context) {
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
  AddTextProperty(first, kPropGN, name, codePage);
  AddTextProperty(first, kPropPB, black, codePage);
  AddTextProperty(first, kPropPW, white, codePage);
  AddTextProperty(first, kPropDT, date, codePage);
  AddTextProperty(first, kPropHA, std::to_string(handicap), codePage);

  const std::uint64_t moves = std::min<std::uint64_t>(moveCount, moveBytes / 2);
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
