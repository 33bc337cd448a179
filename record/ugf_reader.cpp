#include <string>
#include <vector>

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
  UgfReader(GameTree& tree, bool rowsFromBottom, int codePage, const ReadReport& report)
      : tree_(tree),
        first_(AppendNewNode(tree)),
        rowsFromBottom_(rowsFromBottom),
        codePage_(codePage),
        report_(report) {}

  void Line(std::string_view line);
  // Puts the text read so far into its node's comment.
  void FlushText();

 private:
  void Text(Node& node, int index, std::string_view value);
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
  ReadReport report_;
  Section section_ = Section::Header;
  int size_ = 19;
  Node* textNode_ = nullptr;
  std::vector<Node*> moveNodes_;  // the nodes of the moves so far, in order
  // Text lines for textNode_'s comment, joined once rather than line by line.
  std::u16string pendingText_;
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
    report_.At(line.data(), "section " + Quoted(line) + " skipped");
    section_ = Section::Ignored;
  } else if (section_ == Section::Header) {
    HeaderLine(line);
  } else if (section_ == Section::Data) {
    DataLine(line);
  } else if (section_ == Section::Figure) {
    FigureLine(line, upper);
  }
}

void UgfReader::Text(Node& node, int index, std::string_view value) {
  AddTextProperty(node, index, value, codePage_);
  report_.UndecodableText(value, node.properties()[node.properties().size() - 1].text(), codePage_);
}

void UgfReader::HeaderLine(std::string_view line) {
  const auto pieces = SplitTokens(line, "=");
  if (line.find('=') == std::string_view::npos || pieces.size() < 2) return;
  if (pieces.size() > 2) {
    report_.At(line.data(), "header line " + Quoted(line) + " with a second '=' skipped");
    return;
  }
  const std::string key = AsciiUpper(pieces[0]);
  const std::string_view value = pieces[1];
  if (key == "TITLE") {
    const auto fields = SplitFields(value, ",");
    if (fields.size() >= 2 && !fields[1].empty()) {
      Text(first_, kPropGN, fields[1]);
    }
  } else if (key == "PLACE") {
    Text(first_, kPropPC, value);
  } else if (key == "DATE") {
    Text(first_, kPropDT, value);
  } else if (key == "SIZE") {
    size_ = LeadingInt(TrimAsciiSpace(value));
    if (size_ < 2 || size_ > 50) {
      report_.At(value.data(), "board size " + Quoted(value) + " read as 19");
      size_ = 19;
    }
    first_.Add(Property::WithSize(size_, size_));
  } else if (key == "HDCP") {
    const auto fields = SplitTokens(value, ",");
    if (!fields.empty()) Text(first_, kPropHA, fields[0]);
    if (fields.size() > 1) {
      AddRealProperty(first_, kPropKM, ParseReal(fields[1]).value_or(0.0));
    }
  } else if (key == "WINNER") {
    Text(first_, kPropRE, value);
  } else if (key == "COPYRIGHT") {
    Text(first_, kPropCP, value);
  } else if (key == "PLAYERB") {
    Player(value, kPropPB, kPropBR);
  } else if (key == "PLAYERW") {
    Player(value, kPropPW, kPropWR);
  }
}

void UgfReader::Player(std::string_view value, int nameIndex, int rankIndex) {
  const auto fields = SplitFields(value, ",");
  if (!fields.empty() && !fields[0].empty()) {
    Text(first_, nameIndex, fields[0]);
  }
  if (fields.size() > 1 && fields[1] != "0") {
    Text(first_, rankIndex, fields[1]);
  }
}

void UgfReader::DataLine(std::string_view line) {
  const auto pieces = SplitTokens(line, ", ");
  if (pieces.size() < 4 || pieces[0].size() < 2 || pieces[1].empty()) {
    report_.At(line.data(), "data line " + Quoted(line) + " skipped");
    return;
  }
  int x = pieces[0][0] - 'A';
  int y = Row(pieces[0][1] - 'A');
  if (!OnBoard(x, y)) {
    report_.At(line.data(), "point " + Quoted(pieces[0]) + " off the board read as a pass");
    x = y = -1;
  }
  if (pieces[2] == "0") {
    first_.Add(Property::WithPoint(pieces[1].starts_with('B') ? kPropAB : kPropAW, Point{x, y}));
  } else {
    Node& move = AppendNewNode(tree_);
    AddMove(move, pieces[1].starts_with('W'), x, y);
    moveNodes_.push_back(&move);
  }
}

void UgfReader::FigureLine(std::string_view line, const std::string& upper) {
  if (upper.starts_with(".TEXT,")) {
    FlushText();
    textNode_ = NodeOfMove(LeadingInt(TrimAsciiSpace(std::string_view(upper).substr(6))));
    if (textNode_ == nullptr) report_.At(line.data(), "text for a move that is not there skipped");
  } else if (upper == ".ENDTEXT") {
    FlushText();
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
      report_.UndecodableText(
          pieces[2], textNode_->properties()[textNode_->properties().size() - 1].text(), codePage_);
    } else {
      report_.At(line.data(), "label off the board skipped");
    }
  } else {
    textNode_->GetOrCreate(kPropC);  // the comment takes its place among the properties now
    const size_t start = pendingText_.size();
    AppendBytesAsWide(line, codePage_, pendingText_);
    report_.UndecodableText(line, std::u16string_view(pendingText_).substr(start), codePage_);
  }
}

void UgfReader::FlushText() {
  if (textNode_ == nullptr || pendingText_.empty()) return;
  Property& comment = textNode_->GetOrCreate(kPropC);
  comment.SetText(std::u16string(comment.text()) + pendingText_);
  pendingText_.clear();
}

// Move n is the node of the nth B or W from the start; 0 is the first node.
// Every node after the first holds one move, so the nodes are kept as they
// come rather than counted again for each text.
Node* UgfReader::NodeOfMove(int number) const {
  if (number == 0) return &first_;
  if (number < 0 || static_cast<size_t>(number) > moveNodes_.size()) return nullptr;
  return moveNodes_[static_cast<size_t>(number) - 1];
}

}  // namespace

void ReadUgf(GameTree& tree, std::string_view text, bool rowsFromBottom, ReadContext& context,
             DiagnosticSink* diagnostics) {
  const int codePage = ChooseFieldsCodePage({text}, context);
  UgfReader reader(tree, rowsFromBottom, codePage, ReadReport(diagnostics, text));
  for (std::string_view line : SplitTokens(text, "\r\n")) reader.Line(line);
  reader.FlushText();
}

}  // namespace vantaro
