#include "record/binary_fields.h"
#include "record/import_helpers.h"
#include "record/importers.h"

namespace vantaro {

IoResult ReadGo(GameTree& tree, std::string_view bytes, ReadContext& context) {
  if (bytes.size() < 140) return IoResult::Failure("not a GO record: shorter than 140 bytes");
  const std::string_view black = FixedField(bytes, 40, 20);
  const std::string_view white = FixedField(bytes, 72, 20);
  const int codePage = ChooseFieldsCodePage({black, white}, context);
  Node& first = AppendNewNode(tree);
  AddTextProperty(first, kPropPB, black, codePage);
  AddTextProperty(first, kPropPW, white, codePage);
  for (size_t offset = 141; offset + 3 <= bytes.size(); offset += 3) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[offset + k]); };
    const int x = Coordinate(byte(1));
    const int y = Coordinate(byte(2));
    const bool pass = x < 0 || y < 0;
    AddMove(AppendNewNode(tree), byte(0) != 0, pass ? -1 : x, pass ? -1 : y);
  }
  return IoResult::Success();
}

}  // namespace vantaro
