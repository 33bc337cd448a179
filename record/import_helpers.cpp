#include "record/import_helpers.h"

#include "property/value_syntax.h"
#include "text/ascii.h"
#include "text/charset_detection.h"
#include "text/text_conversion.h"

namespace vantaro {

std::vector<std::string_view> SplitTokens(std::string_view text, std::string_view delimiters) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  while (start < text.size()) {
    start = text.find_first_not_of(delimiters, start);
    if (start == std::string_view::npos) break;
    const size_t stop = std::min(text.find_first_of(delimiters, start), text.size());
    pieces.push_back(text.substr(start, stop - start));
    start = stop;
  }
  return pieces;
}

std::vector<std::string_view> SplitFields(std::string_view text, std::string_view delimiters) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  while (start < text.size()) {
    const size_t stop = std::min(text.find_first_of(delimiters, start), text.size());
    pieces.push_back(text.substr(start, stop - start));
    start = text.find_first_not_of(delimiters, stop);
    if (start == std::string_view::npos) break;
  }
  return pieces;
}

std::vector<int> SplitInts(std::string_view text, std::string_view delimiters) {
  std::vector<int> numbers;
  for (std::string_view piece : SplitTokens(text, delimiters)) {
    numbers.push_back(LeadingInt(TrimAsciiSpace(piece)));
  }
  return numbers;
}

std::string_view FixedField(std::string_view buffer, size_t offset, size_t size) {
  if (offset >= buffer.size()) return {};
  std::string_view field = buffer.substr(offset, size);
  return field.substr(0, field.find('\0'));
}

std::optional<std::string_view> ReadLengthPrefixed(std::string_view buffer, size_t& position) {
  if (position > buffer.size() || buffer.size() - position < 2) return std::nullopt;
  const size_t length = static_cast<unsigned char>(buffer[position]) * 256u +
                        static_cast<unsigned char>(buffer[position + 1]);
  if (buffer.size() - position - 2 < length) return std::nullopt;
  const std::string_view text = buffer.substr(position + 2, length);
  position += 2 + length;
  return text;
}

void AddMove(Node& node, bool isWhite, int x, int y) {
  node.Add(Property::WithPoint(isWhite ? kPropW : kPropB, Point{x, y}));
}

void AddTextProperty(Node& node, int index, std::string_view bytes, int codePage) {
  node.Add(Property::WithText(index, BytesToWide(bytes, codePage)));
}

void AddRealProperty(Node& node, int index, double number) {
  node.Add(Property::WithReal(index, number));
}

void PlaceHandicap(Node& node, HandicapVariant variant, int count) {
  static constexpr std::string_view kStones[] = {
      "",
      "",
      "pddp",
      "ddpddp",
      "ddpddppp",
      "ddpdjjdppp",
      "ddpddjpjdppp",
      "ddpddjjjpjdppp",
      "ddjdpddjpjdpjppp",
      "ddjdpddjjjpjdpjppp",
  };
  if (count < 2 || count > 9) return;
  const std::string_view stones =
      count == 3 && variant == HandicapVariant::Gib ? "pddppp" : kStones[count];
  for (size_t i = 0; i + 1 < stones.size(); i += 2) {
    node.Add(Property::WithPoint(kPropAB, *ParsePoint(stones.substr(i, 2))));
  }
}

int ChooseFieldsCodePage(std::initializer_list<std::string_view> fields, ReadContext& context) {
  if (context.forceCodePage) return context.codePage;
  std::string joined;
  for (std::string_view field : fields) {
    joined += field;
    joined += '\n';
  }
  context.codePage = DetectCodePage(joined, context.codePage);
  return context.codePage;
}

Node& AppendNewNode(GameTree& tree) {
  tree.InsertNode(std::make_unique<Node>());
  return *tree.NodeAt(tree.NodeCount() - 1);
}

}  // namespace vantaro
