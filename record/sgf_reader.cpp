#include "record/sgf_reader.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "game/record_summary.h"
#include "property/value_syntax.h"
#include "record/sgf_value_end.h"
#include "record/sgf_value_sample.h"
#include "text/ascii.h"
#include "text/charset_detection.h"
#include "text/double_byte.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

bool HasNonAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// How much input the reader gets through between giving its memory back:
// little enough that the file adds only a few MB to the record in memory.
constexpr std::ptrdiff_t kReleaseStep = 2 << 20;

// What the reader learns from the root node before it builds anything.
struct RootFacts {
  std::optional<std::string> charset;  // the raw CA value
  const char* charsetAt = nullptr;     // its opening bracket
  Point boardSize = kDefaultBoardSize;
};

// Identifiers of the format (its current and its older versions) that this
// program keeps as unrecognised properties; a report calls only the others
// unknown.
bool IsStandardIdentifier(std::string_view identifier) {
  static constexpr std::string_view kOthers[] = {
      "AR", "AS", "DD", "FF", "FG", "GM", "KO", "LN", "OB", "ON", "OT", "OW",
      "PM", "RU", "SL", "ST", "VW", "BS", "CH", "EL", "EX", "ID", "L",  "LT",
      "M",  "OM", "OP", "OV", "RG", "SC", "SE", "SI", "TC", "WS"};
  return std::find(std::begin(kOthers), std::end(kOthers), identifier) != std::end(kOthers);
}

static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

// The first ']' or '\\' from p on, or end: eight bytes at a time, since values
// such as comments run long. The two bytes differ only in their lowest bit.
const char* FindClosingBracketOrEscape(const char* p, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t x = (word | kOnes) ^ (kOnes * ']');  // 0 at ']' and '\\'
    const std::uint64_t zeros = (x - kOnes) & ~x & kHighBits;
    if (zeros != 0) return p + std::countr_zero(zeros) / 8;
    p += 8;
  }
  while (p < end && *p != ']' && *p != '\\') ++p;
  return p;
}

bool IsRootIdentifier(int index, std::string_view identifier) {
  if (index != kPropUnknown) return PropertyRow(index).group == PropertyGroup::Root;
  return identifier == "FF" || identifier == "GM" || identifier == "ST";
}

class SgfParser {
 public:
  enum class Mode { ScanRootCharset, Build };

  // leadBytes: those of the record's double-byte code page, null for others.
  SgfParser(std::string_view text, Mode mode, const LeadByteTable* leadBytes, int codePage,
            const FileInput* input = nullptr, DiagnosticSink* diagnostics = nullptr)
      : p_(text.data()),
        begin_(p_),
        end_(text.data() + text.size()),
        mode_(mode),
        leadBytes_(leadBytes),
        codePage_(codePage),
        input_(input),
        released_(p_),
        report_(diagnostics, text) {}

  // What the first node of the first game tree says about the whole record.
  RootFacts ScanRoot();
  // The board that points are checked against in reports.
  void SetBoardSize(Point size) { boardSize_ = size; }
  // The reading stops at the next node once the flag is set.
  void StopWhen(const std::atomic<bool>& flag) { stop_ = &flag; }
  void ReadRecord(GameTree& root);

 private:
  enum class ValueEnd { Closed, InputEnded, Abandoned };

  // A value's bytes with its escapes removed: a view into the text unless
  // the value holds escapes, which only a copy can drop.
  struct ValueText {
    std::string_view inText;
    std::string unescaped;
    bool copied = false;
    std::string_view bytes() const { return copied ? std::string_view(unescaped) : inText; }
  };

  bool More() const { return p_ < end_; }
  char Get() { return *p_++; }
  void Unget() { --p_; }

  bool SkipPastOpeningParenthesis();
  void ReportTextAround(const char* treeStart);
  void ReportRun(const char* at, std::string_view message);
  void ReadSequence(GameTree& tree);
  bool ReadNode(Node& node);
  bool ReadProperty();
  void TakeIdentifierBeforeValue();
  ValueEnd ReadValue(ValueText& value);
  ValueEnd ReadValueDoubleByte(std::string& value);
  const char* EndOfPlainCharacters() const;
  // Whether the ']' before p ends the value being read.
  bool StructureFollowsAt(const char* p) const;
  bool IsLeadByte(char c) const { return (*leadBytes_)[static_cast<unsigned char>(c)]; }
  bool BuildProperty();
  void BuildPointList(int index);
  void BuildLabels(int index);
  // Value i from byte `from` on, decoded in the record's code page.
  std::u16string_view Decode(size_t i, size_t from = 0);
  void KeepCollectionTail(GameTree& root);

  void ReportValue(size_t i, std::string_view problem) const;
  void ReportPlacement(int index);
  void ReportOffBoard(int index, Point point, size_t i) const;
  size_t FileOffsetInValue(size_t i, size_t byte) const;

  const char* p_;
  const char* begin_;
  const char* end_;
  Mode mode_;
  const LeadByteTable* leadBytes_;
  int codePage_;
  const FileInput* input_;
  const char* released_;  // the input before this has been given back
  const std::atomic<bool>* stop_ = nullptr;
  bool rootNodeSeen_ = false;
  RootFacts root_;
  ReadReport report_;
  Point boardSize_ = kDefaultBoardSize;
  const char* lastStray_ = nullptr;  // the last byte reported or passed as stray
  bool nestingReported_ = false;
  std::set<std::string> reportedUnknown_;  // each is reported at its first use

  // Scratch reused from property to property.
  std::string_view identifier_;    // into the text or into spelledIdentifier_
  std::string spelledIdentifier_;  // one spelled with gaps, such as AddBlack
  const char* identifierAt_ = nullptr;
  std::vector<ValueText> values_;
  std::vector<const char*> valuesAt_;  // the opening bracket of each value
  size_t valueCount_ = 0;
  std::u16string decoded_;
  std::vector<Property> properties_;             // of the node being read
  std::vector<std::unique_ptr<Node>> sequence_;  // of the tree being read
  std::unique_ptr<Node> spareNode_;
};

RootFacts SgfParser::ScanRoot() {
  if (!SkipPastOpeningParenthesis()) return root_;
  while (More() && !rootNodeSeen_) {
    const char c = Get();
    Unget();
    if (c == '(' || c == ')') break;
    auto node = std::make_unique<Node>();
    rootNodeSeen_ = ReadNode(*node);
  }
  return root_;
}

// Whether the text after a '(' begins a game tree: a node (";", or an
// identifier and its value, as some servers write the root), or a nested tree.
bool StartsGameTree(const char* p, const char* end) {
  while (p < end && IsAsciiSpace(*p)) ++p;
  if (p == end) return false;
  if (*p == ';' || *p == '(') return true;
  if (!IsAsciiLetter(*p)) return false;
  while (p < end && IsAsciiLetter(*p)) ++p;
  while (p < end && IsAsciiSpace(*p)) ++p;
  return p < end && *p == '[';
}

// Prose before a record may hold parentheses of its own, so the first '('
// that starts a game tree is taken, or else simply the first '('.
bool SgfParser::SkipPastOpeningParenthesis() {
  const char* first = nullptr;
  for (const char* p = p_; p < end_; ++p) {
    p = static_cast<const char*>(std::memchr(p, '(', static_cast<size_t>(end_ - p)));
    if (p == nullptr) break;
    if (first == nullptr) first = p;
    if (StartsGameTree(p + 1, end_)) {
      p_ = p + 1;
      return true;
    }
  }
  p_ = first != nullptr ? first + 1 : end_;
  return first != nullptr;
}

// Text before the game tree is skipped; a byte order mark and white space
// are no news.
void SgfParser::ReportTextAround(const char* treeStart) {
  const char* p = begin_;
  if (end_ - p >= 3 && std::string_view(p, 3) == "\xEF\xBB\xBF") p += 3;
  while (p < treeStart && IsAsciiSpace(*p)) ++p;
  if (p < treeStart) report_.At(p, "text before the game tree skipped");
}

// A run of skipped bytes is one report.
void SgfParser::ReportRun(const char* at, std::string_view message) {
  if (!report_.enabled()) return;
  if (at - 1 != lastStray_) report_.At(at, message);
  lastStray_ = at;
}

void SgfParser::ReadRecord(GameTree& root) {
  if (!SkipPastOpeningParenthesis()) {
    report_.At(size_t{0}, "no game tree found");
    return;
  }
  if (report_.enabled()) ReportTextAround(p_ - 1);
  // The open trees, outermost first, with their opening parentheses; every
  // tree but the root is owned here until its ')' decides whether it joins
  // its parent.
  std::vector<std::unique_ptr<GameTree>> open;
  std::vector<const char*> openedAt;
  std::vector<GameTree*> path{&root};
  int flattened = 0;
  const auto closeInnermost = [&] {
    std::unique_ptr<GameTree> tree = std::move(open.back());
    const char* at = openedAt.back();
    open.pop_back();
    openedAt.pop_back();
    path.pop_back();
    GameTree& parent = *path.back();
    if (tree->NodeCount() == 0) {
      if (tree->ChildCount() == 0) {
        report_.At(at, "empty variation dropped");
        return;
      }
      report_.At(at, "variation without nodes given an empty node");
      tree->InsertNode(std::make_unique<Node>());
    }
    parent.InsertChild(std::move(tree));
  };

  ReadSequence(root);
  while (More()) {
    const char c = Get();
    if (c == ')') {
      if (flattened > 0) {
        --flattened;
        ReadSequence(*path.back());
      } else if (open.empty()) {
        KeepCollectionTail(root);
        return;
      } else {
        closeInnermost();
      }
    } else if (c == '(') {
      if (static_cast<int>(path.size()) >= kMaxVariationDepth) {
        if (!nestingReported_) {
          report_.At(p_ - 1, "variations nested deeper than " + std::to_string(kMaxVariationDepth) +
                                 " levels joined into one sequence");
          nestingReported_ = true;
        }
        ++flattened;
      } else {
        open.push_back(std::make_unique<GameTree>(path.back()));
        openedAt.push_back(p_ - 1);
        path.push_back(open.back().get());
      }
      ReadSequence(*path.back());
    } else if (!IsAsciiSpace(c)) {
      ReportRun(p_ - 1, "text between variations skipped");
    }
  }
  report_.At(end_, "game tree not closed at the end of the input");
  while (!open.empty()) closeInnermost();
}

void SgfParser::KeepCollectionTail(GameTree& root) {
  const char* next = p_;
  while (next < end_ && IsAsciiSpace(*next)) ++next;
  if (next < end_ && *next == '(') {
    root.SetCollectionTail(std::string(p_, end_));
  } else if (next < end_) {
    report_.At(next, "text after the game tree ignored");
  }
}

// Nodes are gathered first so that the sequence is allocated once, at its size.
void SgfParser::ReadSequence(GameTree& tree) {
  while (More()) {
    const char c = Get();
    Unget();
    if (c == '(' || c == ')') break;
    if (!spareNode_) spareNode_ = std::make_unique<Node>();
    if (ReadNode(*spareNode_)) {
      sequence_.push_back(std::move(spareNode_));
      rootNodeSeen_ = true;
    }
    if (input_ != nullptr && p_ - released_ > kReleaseStep) {
      input_->Release(p_);
      released_ = p_;
    }
    if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) p_ = end_;
  }
  tree.AppendNodes(sequence_);
}

// Properties are gathered first so that the node's list is allocated once.
bool SgfParser::ReadNode(Node& node) {
  properties_.clear();
  while (More()) {
    const char c = Get();
    if (c == '(' || c == ')') {
      Unget();
      break;
    }
    if (c == ';' || IsAsciiLetter(c)) {
      if (c != ';') Unget();
      const char* semicolon = p_ - 1;
      while (ReadProperty()) {
      }
      if (c == ';' && properties_.empty() && report_.enabled() &&
          std::all_of(semicolon + 1, p_, IsAsciiSpace)) {
        report_.At(semicolon, "empty node dropped");
      }
      break;
    }
    if (!IsAsciiSpace(c)) ReportRun(p_ - 1, "stray text skipped");
  }
  PropertyList& list = node.properties();
  list.reserve(properties_.size());
  for (Property& property : properties_) list.push_back(std::move(property));
  return !list.empty();
}

// The usual spelling, an identifier right before its first value, is taken
// in one go; the loop below would read it the same way.
void SgfParser::TakeIdentifierBeforeValue() {
  const char* run = p_;
  while (run < end_ && (IsAsciiUpper(*run) || IsAsciiDigit(*run))) ++run;
  if (run == p_ || run == end_ || *run != '[') return;
  identifier_ = std::string_view(p_, static_cast<size_t>(run - p_));
  identifierAt_ = p_;
  p_ = run;
}

bool SgfParser::ReadProperty() {
  identifier_ = {};
  spelledIdentifier_.clear();
  valueCount_ = 0;
  TakeIdentifierBeforeValue();
  bool closed = !identifier_.empty();
  bool valueLost = false;
  while (More()) {
    const char c = Get();
    if (!identifier_.empty() && !IsAsciiAlnum(c)) closed = true;
    if (valueCount_ > 0 && IsAsciiAlnum(c)) {
      Unget();
      break;
    }
    if (c == ';' || c == '(' || c == ')') {
      Unget();
      break;
    }
    if (c == '[') {
      if (values_.size() <= valueCount_) {
        values_.emplace_back();
        valuesAt_.emplace_back();
      }
      ValueText& value = values_[valueCount_];
      valuesAt_[valueCount_] = p_ - 1;
      ValueEnd end;
      if (leadBytes_ != nullptr) {
        value.unescaped.clear();
        value.copied = true;
        end = ReadValueDoubleByte(value.unescaped);
      } else {
        end = ReadValue(value);
      }
      if (end == ValueEnd::Abandoned) {
        report_.At(valuesAt_[valueCount_], "the input ends after a '\\' in a value: property " +
                                               std::string(identifier_) + " dropped");
        return false;
      }
      if (end == ValueEnd::Closed) {
        ++valueCount_;
      } else {
        report_.At(valuesAt_[valueCount_], "unterminated value lost");
        valueLost = true;
      }
    } else if ((IsAsciiUpper(c) || IsAsciiDigit(c)) && !closed) {
      if (identifier_.empty()) identifierAt_ = p_ - 1;
      spelledIdentifier_.push_back(c);
      identifier_ = spelledIdentifier_;
    } else if (report_.enabled() && !IsAsciiSpace(c) &&
               !(IsAsciiLower(c) && !identifier_.empty() && !closed)) {
      // Lower-case letters belong to long identifiers such as AddBlack.
      ReportRun(p_ - 1, "stray text skipped");
    }
  }
  if (identifier_.empty()) {
    if (valueCount_ > 0) report_.At(valuesAt_[0], "value without a property identifier skipped");
    return false;
  }
  if (valueCount_ == 0) {
    if (!valueLost) {
      report_.At(identifierAt_, std::string(identifier_) + " without a value dropped");
    }
    return false;
  }
  return BuildProperty();
}

SgfParser::ValueEnd SgfParser::ReadValue(ValueText& value) {
  const char* stop = FindClosingBracketOrEscape(p_, end_);
  if (stop < end_ && *stop == ']') {
    value.inText = std::string_view(p_, static_cast<size_t>(stop - p_));
    value.copied = false;
    p_ = stop + 1;
    return ValueEnd::Closed;
  }
  std::string& unescaped = value.unescaped;
  unescaped.clear();
  value.copied = true;
  while (true) {
    unescaped.append(p_, static_cast<size_t>(stop - p_));
    p_ = stop;
    if (!More()) return ValueEnd::InputEnded;
    if (Get() == ']') break;
    if (!More()) return ValueEnd::Abandoned;
    unescaped.push_back(Get());
    stop = FindClosingBracketOrEscape(p_, end_);
  }
  return ValueEnd::Closed;
}

// The same with the trail-byte rule: ']' and '\' right after an unpaired lead
// byte belong to that character, unless what follows shows that the value
// ends there. Both kinds of writers read right: those that escape such a
// trail byte (0x83 '\' '\' for U+30BD, 0x83 '\' ']' for U+30BE) and those
// that do not.
SgfParser::ValueEnd SgfParser::ReadValueDoubleByte(std::string& value) {
  bool leadPending = false;  // the value ends with an unpaired lead byte
  const auto append = [&](char c) {
    leadPending = leadPending ? false : IsLeadByte(c);
    value.push_back(c);
  };
  while (More()) {
    if (!leadPending) {
      const char* plainEnd = EndOfPlainCharacters();
      value.append(p_, plainEnd);
      p_ = plainEnd;
      if (!More()) break;
    }
    const char c = Get();
    if (c == ']') {
      if (!leadPending || StructureFollowsAt(p_)) return ValueEnd::Closed;
      append(c);
    } else if (c == '\\' && leadPending) {
      if (!More()) {
        append('\\');
        continue;
      }
      const char e = Get();
      if (e == ']' && StructureFollowsAt(p_)) {
        append('\\');
        return ValueEnd::Closed;
      }
      if (e != '\\' && e != ']') {
        append('\\');
        Unget();
        continue;
      }
      append(e);
    } else if (c == '\\') {
      if (!More()) return ValueEnd::Abandoned;
      append(Get());
    } else {
      append(c);
    }
  }
  return ValueEnd::InputEnded;
}

bool SgfParser::StructureFollowsAt(const char* p) const {
  const int index = FindPropertyIndex(identifier_);
  const ValueType type = PropertyRow(index).valueType;
  const bool valueList =
      index == kPropUnknown || type == ValueType::PointList || type == ValueType::PointTextList;
  return StructureFollows(std::string_view(p, static_cast<size_t>(end_ - p)), valueList);
}

// The characters from here on that involve neither ']' nor '\', which the
// rule above takes as they stand: the bulk of any value.
const char* SgfParser::EndOfPlainCharacters() const {
  const auto special = [](char c) { return c == ']' || c == '\\'; };
  const char* p = p_;
  while (p < end_) {
    if (special(*p)) break;
    if (!IsLeadByte(*p)) {
      ++p;
    } else if (p + 1 < end_ && !special(p[1])) {
      p += 2;
    } else {
      break;
    }
  }
  return p;
}

std::u16string_view SgfParser::Decode(size_t i, size_t from) {
  const std::string_view bytes = values_[i].bytes().substr(from);
  decoded_.clear();
  AppendBytesAsWide(bytes, codePage_, decoded_);
  if (report_.enabled()) {
    if (const auto bad = FirstUndecodableByte(decoded_, codePage_)) {
      report_.At(FileOffsetInValue(i, from + *bad), UndecodableMessage(codePage_));
    }
  }
  return decoded_;
}

// Where byte `byte` of value i stands in the file: a byte read from an escape
// is one byte more, and so is a trail byte '\' or ']' that its writer escaped.
size_t SgfParser::FileOffsetInValue(size_t i, size_t byte) const {
  const char* p = valuesAt_[i] + 1;
  bool leadPending = false;
  for (size_t seen = 0; seen < byte && p < end_; ++seen) {
    const bool escape =
        *p == '\\' && p + 1 < end_ &&
        (!leadPending || p[1] == '\\' || (p[1] == ']' && !StructureFollowsAt(p + 2)));
    if (escape) ++p;
    leadPending = !leadPending && leadBytes_ != nullptr && IsLeadByte(*p);
    ++p;
  }
  return static_cast<size_t>(p - begin_);
}

void SgfParser::ReportValue(size_t i, std::string_view problem) const {
  report_.At(valuesAt_[i], std::string(identifier_) + " value " + Quoted(values_[i].bytes()) + " " +
                               std::string(problem));
}

void SgfParser::ReportPlacement(int index) {
  if (!report_.enabled()) return;
  if (rootNodeSeen_ && IsRootIdentifier(index, identifier_)) {
    report_.At(identifierAt_,
               "root property " + std::string(identifier_) + " outside the root node kept");
  }
  if (index == kPropUnknown && !IsStandardIdentifier(identifier_) &&
      reportedUnknown_.insert(std::string(identifier_)).second) {
    report_.At(identifierAt_, "unknown property " + std::string(identifier_) + " kept");
  }
}

// A move at tt on a board of up to 19 lines is the old way to write a pass.
void SgfParser::ReportOffBoard(int index, Point point, size_t i) const {
  if (!report_.enabled() || point.x < 0) return;
  if (point.x < boardSize_.x && point.y < boardSize_.y) return;
  if (IsMoveProperty(index) && point == Point{19, 19} && boardSize_.x <= 19 && boardSize_.y <= 19) {
    return;
  }
  ReportValue(i, "lies off the " + std::to_string(boardSize_.x) + "x" +
                     std::to_string(boardSize_.y) + " board");
}

bool SgfParser::BuildProperty() {
  const int index = FindPropertyIndex(identifier_);
  const std::string_view first = values_[0].bytes();
  if (mode_ == Mode::ScanRootCharset) {
    if (index == kPropCA && !root_.charset) {
      root_.charset = std::string(first);
      root_.charsetAt = valuesAt_[0];
    }
    if (index == kPropSZ) root_.boardSize = ClampBoardSize(ParseBoardSize(first));
    // Only the node's extent matters here, which a bad single point decides.
    return PropertyRow(index).valueType != ValueType::Point || ParsePoint(first).has_value();
  }
  ReportPlacement(index);
  const bool singleValue = index != kPropUnknown &&
                           PropertyRow(index).valueType != ValueType::PointList &&
                           PropertyRow(index).valueType != ValueType::PointTextList;
  if (singleValue && valueCount_ > 1) {
    report_.At(valuesAt_[1], std::string(identifier_) + " has " + std::to_string(valueCount_) +
                                 " values: all but the first dropped");
  }
  if (index == kPropUnknown) {
    UnknownValue unknown{std::string(identifier_), {}};
    unknown.values.reserve(valueCount_);
    for (size_t i = 0; i < valueCount_; ++i) unknown.values.emplace_back(Decode(i));
    properties_.push_back(Property::Unrecognised(std::move(unknown)));
    return true;
  }
  if (index == kPropSZ) {
    const Point size = ParseBoardSize(first);
    if (report_.enabled() && ClampBoardSize(size) != size) {
      const Point board = ClampBoardSize(size);
      ReportValue(0, "is not a size of 2 to 52 lines: the board is " + std::to_string(board.x) +
                         "x" + std::to_string(board.y));
    }
    properties_.push_back(Property::WithSize(size.x, size.y));
    return true;
  }
  switch (PropertyRow(index).valueType) {
    case ValueType::Number:
      if (const auto number = ParseNumber(first)) {
        properties_.push_back(Property::WithNumber(index, *number));
      } else {
        if (report_.enabled()) ReportValue(0, "is not a number: kept as text");
        properties_.push_back(Property::Verbatim(index, Decode(0)));
      }
      return true;
    case ValueType::Real:
      if (const auto real = ParseReal(first)) {
        properties_.push_back(Property::WithReal(index, *real));
      } else {
        if (report_.enabled()) ReportValue(0, "is not a number: kept as text");
        properties_.push_back(Property::Verbatim(index, Decode(0)));
      }
      return true;
    case ValueType::Text:
      properties_.push_back(Property::WithText(index, Decode(0)));
      return true;
    case ValueType::Point: {
      const auto point = ParsePoint(first);
      if (!point) {
        if (report_.enabled()) {
          ReportValue(0, "is not a point: dropped, and the rest of the node starts a new node");
        }
        return false;
      }
      ReportOffBoard(index, *point, 0);
      properties_.push_back(Property::WithPoint(index, *point));
      return true;
    }
    case ValueType::PointList:
      BuildPointList(index);
      return true;
    case ValueType::PointTextList:
      BuildLabels(index);
      return true;
    default:
      return true;
  }
}

void SgfParser::BuildPointList(int index) {
  for (size_t i = 0; i < valueCount_; ++i) {
    const std::string_view value = values_[i].bytes();
    if (const auto corners = ParseCompressedRectangle(value)) {
      const auto [a, b] = *corners;
      ReportOffBoard(index, a, i);
      ReportOffBoard(index, b, i);
      for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y) {
        for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x) {
          properties_.push_back(Property::WithPoint(index, Point{x, y}));
        }
      }
    } else if (const auto point = ParsePoint(value)) {
      ReportOffBoard(index, *point, i);
      properties_.push_back(Property::WithPoint(index, *point));
    } else if (report_.enabled()) {
      ReportValue(i, "is not a point: value dropped");
    }
  }
}

void SgfParser::BuildLabels(int index) {
  for (size_t i = 0; i < valueCount_; ++i) {
    const std::string_view value = values_[i].bytes();
    const size_t colon = value.find(':');
    if (colon == std::string_view::npos) {
      if (report_.enabled()) ReportValue(i, "has no ':' before its text: value dropped");
      continue;
    }
    const auto point = ParsePoint(value.substr(0, colon));
    if (!point) {
      if (report_.enabled()) ReportValue(i, "is not a point and a text: value dropped");
      continue;
    }
    ReportOffBoard(index, *point, i);
    properties_.push_back(Property::WithPointText(index, *point, Decode(i, colon + 1)));
  }
}

// The charset label wins when the bytes agree with it.
int ChooseCodePage(std::string_view text, bool validUtf8, const ReadContext& context,
                   const RootFacts& root) {
  if (context.forceCodePage) return context.codePage;
  const int labelled = root.charset ? CodePageOfCharsetLabel(*root.charset) : 0;
  if (labelled == 0 || (labelled == kUtf8CodePage && !validUtf8)) {
    if (validUtf8) return kUtf8CodePage;
    return DetectCodePage(SgfValueSample(text), context.dbcsAware ? 950 : context.codePage);
  }
  // Text that is valid UTF-8 beyond ASCII is UTF-8 whatever the label says:
  // legacy multi-byte text practically never forms valid UTF-8 sequences.
  return validUtf8 && HasNonAscii(text) ? kUtf8CodePage : labelled;
}

// A UTF-16 file that says so is read as UTF-8 text: its label is no news.
void ReportCharset(const RootFacts& root, int codePage, bool fromUtf16, const ReadReport& report) {
  if (!root.charset) return;
  if (fromUtf16 && AsciiUpper(TrimAsciiSpace(*root.charset)).starts_with("UTF")) return;
  const int labelled = CodePageOfCharsetLabel(*root.charset);
  const std::string used = "code page " + std::to_string(codePage);
  if (labelled == 0) {
    report.At(root.charsetAt,
              "unknown charset " + Quoted(*root.charset) + ": text read as " + used);
  } else if (labelled != codePage) {
    report.At(root.charsetAt,
              "text does not match its charset " + Quoted(*root.charset) + ": read as " + used);
  }
}

// Reports about UTF-8 text made from a UTF-16 file, placed in the file: a
// character of one to three bytes came from two bytes, one of four from four.
class Utf16Offsets : public DiagnosticSink {
 public:
  Utf16Offsets(DiagnosticSink& sink, std::string_view file, std::string_view utf8)
      : sink_(sink), utf8_(utf8) {
    const auto byte = [&file](size_t i) { return static_cast<unsigned char>(file[i]); };
    const bool mark = file.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) ||
                                           (byte(0) == 0xFE && byte(1) == 0xFF));
    start_ = mark ? 2 : 0;
  }

  void Report(size_t offset, std::string_view message) override {
    size_t fileOffset = start_;
    for (size_t i = 0; i < offset && i < utf8_.size();) {
      const auto lead = static_cast<unsigned char>(utf8_[i]);
      const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      fileOffset += length == 4 ? 4 : 2;
      i += length;
    }
    sink_.Report(fileOffset, message);
  }

 private:
  DiagnosticSink& sink_;
  std::string_view utf8_;
  size_t start_ = 0;
};

// Below this size checking the text first costs too little to overlap.
constexpr size_t kCheckAlongsideSize = 1 << 20;

void ClearRecord(GameTree& root) {
  while (root.ChildCount() > 0) root.DetachChild(root.ChildCount() - 1);
  while (root.NodeCount() > 0) root.DetachNode(root.NodeCount() - 1);
  if (root.collectionTail() != nullptr) root.SetCollectionTail({});
}

bool WholeTextIsUtf8(const TextExtent& extent, std::string_view text) {
  return extent.length == text.size() && extent.validUtf8;
}

// A large record labelled UTF-8, or not labelled, is nearly always valid
// UTF-8 without a 0 byte: it is read as such while a second thread checks
// that, instead of after a pass over the whole file. Returns the text's
// extent when it was checked; root is left empty unless that shows the
// whole text is UTF-8. Nothing when the label names another code page or no
// thread could be started. What the reading repairs goes to reports, which
// the caller hands on only when the reading stands.
std::optional<TextExtent> ReadAsUtf8WhileChecking(GameTree& root, std::string_view text,
                                                  ReadContext& context, const RootFacts& rootFacts,
                                                  const FileInput* input, DiagnosticSink* reports) {
  const int labelled = rootFacts.charset ? CodePageOfCharsetLabel(*rootFacts.charset) : 0;
  if (labelled != 0 && labelled != kUtf8CodePage) return std::nullopt;
  // A record without a label is as often in a legacy code page: the check
  // finds that out long before the reading ends, and stops it.
  std::atomic<bool> notUtf8 = false;
  const auto measure = [text, &notUtf8] {
    const TextExtent extent = MeasureText(text);
    if (!WholeTextIsUtf8(extent, text)) notUtf8.store(true);
    return extent;
  };
  std::future<TextExtent> check;
  try {
    check = std::async(std::launch::async, measure);
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  SgfParser parser(text, SgfParser::Mode::Build, nullptr, kUtf8CodePage, input, reports);
  parser.SetBoardSize(rootFacts.boardSize);
  parser.StopWhen(notUtf8);
  parser.ReadRecord(root);
  const TextExtent extent = check.get();
  if (WholeTextIsUtf8(extent, text)) {
    context.codePage = kUtf8CodePage;
  } else {
    ClearRecord(root);
  }
  return extent;
}

void ReadSgfBytes(GameTree& root, std::string_view text, ReadContext& context,
                  DiagnosticSink* diagnostics, const FileInput* input, bool fromUtf16) {
  std::optional<TextExtent> checked;
  if (!context.forceCodePage && text.size() >= kCheckAlongsideSize) {
    SgfParser scanner(text, SgfParser::Mode::ScanRootCharset, nullptr, kUtf8CodePage);
    const RootFacts rootFacts = scanner.ScanRoot();
    DiagnosticList reports;
    checked = ReadAsUtf8WhileChecking(root, text, context, rootFacts, input,
                                      diagnostics != nullptr ? &reports : nullptr);
    if (checked && WholeTextIsUtf8(*checked, text)) {
      if (diagnostics != nullptr) {
        ReportCharset(rootFacts, kUtf8CodePage, fromUtf16, ReadReport(diagnostics, text));
        for (const Diagnostic& each : reports.entries())
          diagnostics->Report(each.offset, each.message);
      }
      return;
    }
  }
  const ReadReport report(diagnostics, text);
  const TextExtent extent = checked ? *checked : MeasureText(text);
  if (extent.length < text.size()) {
    report.At(extent.length, ZeroByteMessage(text.size() - extent.length - 1));
    text = text.substr(0, extent.length);
  }
  SgfParser scanner(text, SgfParser::Mode::ScanRootCharset, nullptr, kUtf8CodePage);
  const RootFacts rootFacts = scanner.ScanRoot();
  const int codePage = ChooseCodePage(text, extent.validUtf8, context, rootFacts);
  // A code page the user chose overrides the label without repairing anything.
  if (!context.forceCodePage) ReportCharset(rootFacts, codePage, fromUtf16, report);
  // The file stays in memory for the parser, which gives it back as it goes:
  // the record outgrows the file read so far, so that costs no peak memory,
  // and giving it all back now would make the parser fault every page in again.
  SgfParser parser(text, SgfParser::Mode::Build, LeadBytesOf(codePage), codePage, input,
                   diagnostics);
  parser.SetBoardSize(rootFacts.boardSize);
  parser.ReadRecord(root);
  context.codePage = codePage;
}

}  // namespace

void ReadSgf(GameTree& root, std::string_view text, ReadContext& context,
             DiagnosticSink* diagnostics, const FileInput* input) {
  // UTF-16 records are read as the same text in UTF-8; their CA then says so,
  // since that is how they will be saved.
  if (const std::optional<std::string> utf8 = Utf16FileToUtf8(text)) {
    std::optional<Utf16Offsets> placed;
    if (diagnostics != nullptr) placed.emplace(*diagnostics, text, *utf8);
    ReadSgfBytes(root, *utf8, context, placed ? &*placed : nullptr, nullptr, true);
    if (Node* first = root.NodeAt(0); first != nullptr && first->Has(kPropCA)) {
      first->Find(kPropCA)->SetText(u"UTF-8");
    }
    return;
  }
  ReadSgfBytes(root, text, context, diagnostics, input, false);
}

}  // namespace vantaro
