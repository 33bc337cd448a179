#include <optional>
#include <vector>

#include "record/binary_fields.h"
#include "record/import_helpers.h"
#include "record/importers.h"

namespace vantaro {
namespace {

struct BdxMove {
  int x;
  int y;
  bool white;
};

struct BdxRecord {
  std::string_view result;
  std::vector<BdxMove> moves;
  std::optional<std::string_view> white;
  std::optional<std::string_view> black;
};

// Reads the file with a running position; lengths are big-endian here.
class BdxParser {
 public:
  explicit BdxParser(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::string> Parse(BdxRecord& record);

 private:
  bool Skip(size_t count) {
    if (bytes_.size() - position_ < count) return false;
    position_ += count;
    return true;
  }

  std::string_view bytes_;
  size_t position_ = 4;
};

std::optional<std::string> BdxParser::Parse(BdxRecord& record) {
  const std::string truncated = "not a BDX record: it ends inside its fixed parts";
  const auto result = ReadLengthPrefixed(bytes_, position_);
  if (!result) return truncated;
  record.result = *result;
  if (!Skip(2) || bytes_.size() - position_ < 2) return truncated;
  const size_t moveCount = static_cast<unsigned char>(bytes_[position_]) * 256u +
                           static_cast<unsigned char>(bytes_[position_ + 1]);
  position_ += 2;
  for (size_t i = 0; i < moveCount && bytes_.size() - position_ >= 5; ++i, position_ += 5) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes_[position_ + k]); };
    const int x = Coordinate(byte(0));
    const int y = Coordinate(byte(1));
    const bool pass = x < 0 || y < 0;
    record.moves.push_back({pass ? -1 : x, pass ? -1 : y, byte(2) != 1});
  }
  if (!Skip(36)) return truncated;
  const auto nameA = ReadLengthPrefixed(bytes_, position_);
  if (!nameA || !Skip(10)) return truncated;
  const auto nameB = ReadLengthPrefixed(bytes_, position_);
  if (!nameB) return std::nullopt;  // a record without player names
  if (!Skip(32) || position_ >= bytes_.size()) return truncated;
  switch (bytes_[position_]) {
    case 0:
      record.white = nameA;
      record.black = nameB;
      return std::nullopt;
    case 1:
      record.white = nameB;
      record.black = nameA;
      return std::nullopt;
    default:
      return "not a BDX record: unknown player order";
  }
}

}  // namespace

IoResult ReadBdx(GameTree& tree, std::string_view bytes, ReadContext& context) {
  if (bytes.size() <= 5) return IoResult::Failure("not a BDX record: too short");
  BdxRecord record;
  if (const auto error = BdxParser(bytes).Parse(record)) return IoResult::Failure(*error);
  const int codePage = ChooseFieldsCodePage(
      {record.result, record.white.value_or(""), record.black.value_or("")}, context);
  Node& first = AppendNewNode(tree);
  AddTextProperty(first, kPropRE, record.result, codePage);
  if (record.white) AddTextProperty(first, kPropPW, *record.white, codePage);
  if (record.black) AddTextProperty(first, kPropPB, *record.black, codePage);
  for (const BdxMove& move : record.moves) {
    AddMove(AppendNewNode(tree), move.white, move.x, move.y);
  }
  return IoResult::Success();
}

}  // namespace vantaro
