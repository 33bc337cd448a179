#include <string>

#include "property/value_syntax.h"
#include "record/import_helpers.h"
#include "record/importers.h"
#include "text/ascii.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

enum class Section { Header, Data, Figure, Ignored };

class UgfReader {
 public:
  UgfReader(GameTree& tree, bool rowsFromBottom, int codePage)
      : tree_(tree),
        first_(AppendNewNode(tree)),
        rowsFromBottom_(rowsFromBottom),
        codePage_(codePage) {}

  void Line(std::string_view line);

 private:
  void HeaderLine(std::string_view line);
  void DataLine(std::string_view line);
  void FigureLine(std::string_view line, const std::string& upper);
  void Player(std::string_view value, int nameIndex, int rankIndex);
  Node* NodeOfMove(int number) const;
  int Row(int counted) const { return rowsFromBottom_ ? size_ - counted - 1 : counted; }
  bool OnBoard(int x, int y) const { return x >= 0 && x < size_ && y >= 0 && y < size_; }

  GameTree& tree_;
  Node& first_;
  bool rowsFromBottom_;
  int codePage_;
  Section section_ = Section::Header;
  int size_ = 19;
  Node* textNode_ = nullptr;
};

void UgfReader::Line(std::string_view rawLine) {
  const std::string_view line = TrimAsciiSpace(rawLine);
  const std::string upper = AsciiUpper(line);
  if (upper == "[HEADER]") {
    section_ = Section::Header;
  } else if (upper == "[DATA]") {
    section_ = Section::Data;
  } else if (upper == "[FIGURE]") {
    section_ = Section::Figure;
  } else if (line.starts_with('[') && line.ends_with(']')) {
    section_ = Section::Ignored;
  } else if (section_ == Section::Header) {
    HeaderLine(line);
  } else if (section_ == Section::Data) {
    DataLine(line);
  } else if (section_ == Section::Figure) {
    FigureLine(line, upper);
  }
}

void UgfReader::HeaderLine(std::string_view line) {
  const auto pieces = SplitTokens(line, "=");
  if (line.find('=') == std::string_view::npos || pieces.size() != 2) return;
  const std::string key = AsciiUpper(pieces[0]);
  const std::string_view value = pieces[1];
  if (key == "TITLE") {
    const auto fields = SplitFields(value, ",");
    if (fields.size() >= 2 && !fields[1].empty()) {
      AddTextProperty(first_, kPropGN, fields[1], codePage_);
    }
  } else if (key == "PLACE") {
    AddTextProperty(first_, kPropPC, value, codePage_);
  } else if (key == "DATE") {
    AddTextProperty(first_, kPropDT, value, codePage_);
  } else if (key == "SIZE") {
    size_ = LeadingInt(TrimAsciiSpace(value));
    if (size_ < 2 || size_ > 50) size_ = 19;
    first_.Add(Property::WithSize(size_, size_));
  } else if (key == "HDCP") {
    const auto fields = SplitTokens(value, ",");
    if (!fields.empty()) AddTextProperty(first_, kPropHA, fields[0], codePage_);
    if (fields.size() > 1) {
      AddRealProperty(first_, kPropKM, ParseReal(fields[1]).value_or(0.0));
    }
  } else if (key == "WINNER") {
    AddTextProperty(first_, kPropRE, value, codePage_);
  } else if (key == "COPYRIGHT") {
    AddTextProperty(first_, kPropCP, value, codePage_);
  } else if (key == "PLAYERB") {
    Player(value, kPropPB, kPropBR);
  } else if (key == "PLAYERW") {
    Player(value, kPropPW, kPropWR);
  }
}

void UgfReader::Player(std::string_view value, int nameIndex, int rankIndex) {
  const auto fields = SplitFields(value, ",");
  if (!fields.empty() && !fields[0].empty()) {
    AddTextProperty(first_, nameIndex, fields[0], codePage_);
  }
  if (fields.size() > 1 && fields[1] != "0") {
    AddTextProperty(first_, rankIndex, fields[1], codePage_);
  }
}

void UgfReader::DataLine(std::string_view line) {
  const auto pieces = SplitTokens(line, ", ");
  if (pieces.size() < 4 || pieces[0].size() < 2 || pieces[1].empty()) return;
  int x = pieces[0][0] - 'A';
  int y = Row(pieces[0][1] - 'A');
  if (!OnBoard(x, y)) x = y = -1;
  if (pieces[2] == "0") {
    first_.Add(Property::WithPoint(pieces[1].starts_with('B') ? kPropAB : kPropAW, Point{x, y}));
  } else {
    AddMove(AppendNewNode(tree_), pieces[1].starts_with('W'), x, y);
  }
}

void UgfReader::FigureLine(std::string_view line, const std::string& upper) {
  if (upper.starts_with(".TEXT,")) {
    textNode_ = NodeOfMove(LeadingInt(TrimAsciiSpace(std::string_view(upper).substr(6))));
  } else if (upper == ".ENDTEXT") {
    textNode_ = nullptr;
  } else if (textNode_ == nullptr) {
    return;
  } else if (upper.starts_with(".#,")) {
    const auto pieces = SplitTokens(line, ".#,");
    if (pieces.size() < 3) return;
    const int x = LeadingInt(TrimAsciiSpace(pieces[0])) - 1;
    const int y = Row(LeadingInt(TrimAsciiSpace(pieces[1])) - 1);
    if (OnBoard(x, y)) {
      textNode_->Add(
          Property::WithPointText(kPropLB, Point{x, y}, BytesToWide(pieces[2], codePage_)));
    }
  } else {
    Property& comment = textNode_->GetOrCreate(kPropC);
    std::u16string text(comment.text());
    AppendBytesAsWide(line, codePage_, text);
    comment.SetText(text);
  }
}

// Move n is the node of the nth B or W from the start; 0 is the first node.
Node* UgfReader::NodeOfMove(int number) const {
  if (number == 0) return &first_;
  int moves = 0;
  for (const auto& node : tree_.nodes()) {
    if (node->FindMove() != nullptr && ++moves == number) return node.get();
  }
  return nullptr;
}

}  // namespace

void ReadUgf(GameTree& tree, std::string_view text, bool rowsFromBottom, ReadContext& context) {
  const int codePage = ChooseFieldsCodePage({text}, context);
  UgfReader reader(tree, rowsFromBottom, codePage);
  for (std::string_view line : SplitTokens(text, "\r\n")) reader.Line(line);
}

}  // namespace vantaro
