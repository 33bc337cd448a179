#include "record/sgf_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "property/value_syntax.h"
#include "record/sgf_reader.h"
#include "record/sgf_value_end.h"
#include "record/value_scan.h"
#include "text/ascii.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// How much input the reader gets through between giving its memory back:
// little enough that the file adds only a few MB to the record in memory.
constexpr std::ptrdiff_t kReleaseStep = 2 << 20;

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

bool IsRootIdentifier(int index, std::string_view identifier) {
  if (index != kPropUnknown) return PropertyRow(index).group == PropertyGroup::Root;
  return identifier == "FF" || identifier == "GM" || identifier == "ST";
}

// Where a node of one move (";B[pd]", ";W[]") ends when nothing but white
// space comes before the next node or tree: the steps below would take it
// that way, a property with a valid point. Null for any other node.
const char* EndOfPlainMoveNode(const char* p, const char* end) {
  if (end - p < 5 || p[0] != ';' || (p[1] != 'B' && p[1] != 'W') || p[2] != '[') return nullptr;
  const char* q = p + 3;
  if (IsAsciiLetter(q[0]) && end - q > 2 && IsAsciiLetter(q[1])) q += 2;
  if (*q++ != ']') return nullptr;
  const char* node = q;
  while (q < end && IsAsciiSpace(*q)) ++q;
  return q < end && (*q == ';' || *q == '(' || *q == ')') ? node : nullptr;
}

}  // namespace

SgfParser::SgfParser(std::string_view text, std::size_t start, Mode mode,
                     const LeadByteTable* leadBytes, int codePage, const FileInput* input,
                     DiagnosticSink* diagnostics)
    : p_(text.data() + start),
      begin_(text.data()),
      start_(p_),
      end_(text.data() + text.size()),
      mode_(mode),
      leadBytes_(leadBytes),
      codePage_(codePage),
      input_(input),
      released_(p_),
      report_(diagnostics, text) {}

RootFacts SgfParser::ScanRoot() {
  if (!SkipPastOpeningParenthesis()) return root_;
  inRootSequence_ = true;
  while (More() && *p_ != '(' && *p_ != ')') ReadNode();
  inRootSequence_ = false;
  return root_;
}

bool StartsGameTree(const char* p, const char* end) {
  while (p < end && IsAsciiSpace(*p)) ++p;
  if (p == end) return false;
  if (*p == ';' || *p == '(') return true;
  if (!IsAsciiLetter(*p)) return false;
  while (p < end && IsAsciiLetter(*p)) ++p;
  while (p < end && IsAsciiSpace(*p)) ++p;
  return p < end && *p == '[';
}

const char* FindGameTreeStart(const char* from, const char* end) {
  for (const char* p = from; p < end; ++p) {
    p = static_cast<const char*>(std::memchr(p, '(', static_cast<size_t>(end - p)));
    if (p == nullptr) break;
    if (StartsGameTree(p + 1, end)) return p;
  }
  return nullptr;
}

const char* FindFirstGameStart(const char* from, const char* end) {
  if (const char* tree = FindGameTreeStart(from, end)) return tree;
  return static_cast<const char*>(std::memchr(from, '(', static_cast<size_t>(end - from)));
}

bool SgfParser::SkipPastOpeningParenthesis() {
  const char* first = FindFirstGameStart(p_, end_);
  p_ = first != nullptr ? first + 1 : end_;
  return first != nullptr;
}

// Text before the game tree is skipped; a byte order mark and white space
// are no news.
void SgfParser::ReportTextAround(const char* treeStart) {
  const char* p = start_;
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

std::size_t SgfParser::ReadRecord(GameTree& root) {
  if (!SkipPastOpeningParenthesis()) {
    report_.At(start_, "no game tree found");
    return report_.OffsetOf(end_);
  }
  if (report_.enabled()) ReportTextAround(p_ - 1);
  return ReadTree(root, 1);
}

std::size_t SgfParser::ReadRootVariation(GameTree& tree) {
  p_ = start_ + 1;
  rootNodeSeen_ = true;
  return ReadTree(tree, 2);
}

// A variation joins its parent when it has a node or a variation of its own.
void SgfParser::Adopt(GameTree& parent, std::unique_ptr<GameTree> tree, const char* openedAt) {
  if (tree->NodeCount() == 0) {
    if (tree->ChildCount() == 0) {
      report_.At(openedAt, "empty variation dropped");
      return;
    }
    report_.At(openedAt, "variation without nodes given an empty node");
    tree->InsertNode(std::make_unique<Node>());
  }
  parent.InsertChild(std::move(tree));
}

std::size_t SgfParser::ReadTree(GameTree& root, int rootDepth) {
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
    Adopt(*path.back(), std::move(tree), at);
  };

  ReadSequence(root);
  while (More()) {
    const char c = Get();
    if (c == ')') {
      if (flattened > 0) {
        --flattened;
        ReadSequence(*path.back());
      } else if (open.empty()) {
        if (report_.enabled() && rootDepth == 1) ReportTextAfter();
        return report_.OffsetOf(p_);
      } else {
        closeInnermost();
      }
    } else if (c == '(') {
      if (handOver_ != nullptr && rootDepth == 1 && open.empty() &&
          handOver_->ReachedAt(report_.OffsetOf(p_ - 1))) {
        HandedOverVariations handed = handOver_->Take();
        for (auto& [tree, openedAt] : handed.trees) Adopt(root, std::move(tree), begin_ + openedAt);
        p_ = begin_ + handed.end;
        continue;
      }
      if (static_cast<int>(path.size()) + rootDepth - 1 >= kMaxVariationDepth) {
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
  if (rootDepth == 1) report_.At(end_, "game tree not closed at the end of the input");
  while (!open.empty()) closeInnermost();
  return report_.OffsetOf(end_);
}

std::size_t SgfParser::SkimGame(GameSummary* summary) {
  summary_ = summary;
  if (!SkipPastOpeningParenthesis()) return report_.OffsetOf(end_);
  inRootSequence_ = true;
  inFirstNode_ = true;
  std::vector<MainLineLevel> mainLine(1);
  const auto skimSequence = [&](size_t depth) {
    const bool mainLineTree = mainLine.size() == depth;
    SkimSequence(mainLineTree);
    if (mainLineTree && kept_) mainLine.back().kept = true;
  };
  skimSequence(1);
  inRootSequence_ = false;
  inFirstNode_ = false;
  // The steps of ReadRecord, counting the open trees instead of building them.
  size_t depth = 1;
  int flattened = 0;
  while (More()) {
    const char c = Get();
    if (c == ')') {
      if (flattened > 0) {
        --flattened;
        skimSequence(depth);
      } else if (depth == 1) {
        break;
      } else {
        if (mainLine.size() == depth) {
          const bool kept = mainLine.back().kept;
          mainLine.pop_back();
          if (kept) mainLine.back() = {true, true};
        }
        --depth;
      }
    } else if (c == '(') {
      if (depth >= static_cast<size_t>(kMaxVariationDepth)) {
        ++flattened;
      } else {
        if (mainLine.size() == depth && !mainLine.back().childChosen) mainLine.emplace_back();
        ++depth;
      }
      skimSequence(depth);
    }
  }
  if (summary_ != nullptr) {
    std::stable_sort(summary_->gameInfo.begin(), summary_->gameInfo.end(),
                     [](const GameInfoEntry& a, const GameInfoEntry& b) { return a.id < b.id; });
  }
  return report_.OffsetOf(p_);
}

// What follows the last game tree of a file is kept as it is, but is no game.
void SgfParser::ReportTextAfter() {
  const char* next = p_;
  while (next < end_ && IsAsciiSpace(*next)) ++next;
  if (next < end_ && FindGameTreeStart(next, end_) == nullptr) {
    report_.At(next, "text after the game tree ignored");
  }
}

// Nodes are gathered first so that the sequence is allocated once, at its size.
void SgfParser::ReadSequence(GameTree& tree) {
  while (More()) {
    const char c = *p_;
    if (c == '(' || c == ')') break;
    // A plain move, most nodes of a record, is built at once when there is
    // nothing to report: the steps of ReadNode would build the same.
    const char* moveEnd = report_.enabled() ? nullptr : EndOfPlainMoveNode(p_, end_);
    if (moveEnd != nullptr) {
      const int index = p_[1] == 'B' ? kPropB : kPropW;
      const std::string_view value(p_ + 3, static_cast<size_t>(moveEnd - p_ - 4));
      auto node = std::make_unique<Node>();
      node->properties().push_back(Property::WithPoint(index, *ParsePoint(value)));
      sequence_.push_back(std::move(node));
      rootNodeSeen_ = true;
      p_ = moveEnd;
    } else if (ReadNode()) {
      auto node = std::make_unique<Node>();
      PropertyList& list = node->properties();
      list.reserve(properties_.size());
      for (Property& property : properties_) list.push_back(std::move(property));
      sequence_.push_back(std::move(node));
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

void SgfParser::SkimSequence(bool mainLine) {
  onMainLine_ = mainLine;
  kept_ = false;
  while (More() && *p_ != '(' && *p_ != ')') {
    if (const char* next = EndOfPlainMoveNode(p_, end_)) {
      p_ = next;
      kept_ = true;
      inFirstNode_ = false;
      if (summary_ != nullptr && mainLine) ++summary_->moves;
      continue;
    }
    if (ReadNode()) {
      kept_ = true;
      inFirstNode_ = false;
    }
    if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) p_ = end_;
  }
}

// Properties are gathered first so that the node's list is allocated once.
bool SgfParser::ReadNode() {
  properties_.clear();
  skimmedProperties_ = 0;
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
  return mode_ == Mode::Build ? !properties_.empty() : skimmedProperties_ > 0;
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

// What BuildProperty would keep, without keeping it: whether the property
// ends its node (a bad single point) and whether the node gets anything.
bool SgfParser::SkimProperty(int index) {
  const std::string_view first = values_[0].bytes();
  if (inRootSequence_) {
    if (index == kPropCA && !root_.charset) {
      root_.charset = std::string(first);
      root_.charsetAt = valuesAt_[0];
    }
    if (index == kPropSZ) root_.boardSize = ClampBoardSize(ParseBoardSize(first));
  }
  const ValueType type = PropertyRow(index).valueType;
  bool valid = true;
  if (type == ValueType::Point) {
    valid = ParsePoint(first).has_value();
    skimmedProperties_ += valid ? 1 : 0;
  } else if (type == ValueType::PointList || type == ValueType::PointTextList) {
    for (size_t i = 0; i < valueCount_; ++i) {
      std::string_view value = values_[i].bytes();
      if (type == ValueType::PointTextList) {
        const size_t colon = value.find(':');
        if (colon == std::string_view::npos) continue;
        value = value.substr(0, colon);
      }
      if ((type == ValueType::PointList && ParseCompressedRectangle(value)) || ParsePoint(value)) {
        ++skimmedProperties_;
      }
    }
  } else {
    ++skimmedProperties_;
  }
  if (summary_ != nullptr) Summarize(index, valid);
  return valid;
}

// The first node's game information and board size, and the main line's moves.
void SgfParser::Summarize(int index, bool valid) {
  if ((index == kPropB || index == kPropW) && valid && onMainLine_) ++summary_->moves;
  if (!inFirstNode_) return;
  if (index == kPropSZ && !sizeSeen_) {
    summary_->boardSize = ClampBoardSize(ParseBoardSize(values_[0].bytes()));
    sizeSeen_ = true;
  }
  if (!IsGameInfoProperty(index) || PropertyRow(index).valueType != ValueType::Text) return;
  for (const GameInfoEntry& entry : summary_->gameInfo) {
    if (entry.id == index) return;
  }
  summary_->gameInfo.push_back({index, std::u16string(Decode(0))});
}

bool SgfParser::BuildProperty() {
  const int index = FindPropertyIndex(identifier_);
  if (mode_ == Mode::Skim) return SkimProperty(index);
  const std::string_view first = values_[0].bytes();
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
      // UTF-8 text is widened when first looked at, unless the reading
      // reports what it repairs: that reading is a window's, which looks at
      // much of the text of the record it keeps open, and would hold it twice.
      if (codePage_ == kUtf8CodePage && !report_.enabled()) {
        properties_.push_back(Property::WithUtf8Text(index, first));
      } else {
        properties_.push_back(Property::WithText(index, Decode(0)));
      }
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

}  // namespace vantaro
