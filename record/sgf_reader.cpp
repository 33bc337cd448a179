#include "record/sgf_reader.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "property/value_syntax.h"
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

// How much input the reader gets through between giving its memory back.
constexpr std::ptrdiff_t kReleaseStep = 16 << 20;

class SgfParser {
 public:
  enum class Mode { ScanRootCharset, Build };

  // leadBytes: those of the record's double-byte code page, null for others.
  SgfParser(std::string_view text, Mode mode, const LeadByteTable* leadBytes, int codePage,
            const FileInput* input = nullptr)
      : p_(text.data()),
        end_(text.data() + text.size()),
        mode_(mode),
        leadBytes_(leadBytes),
        codePage_(codePage),
        input_(input),
        released_(p_) {}

  // The raw CA value of the first node of the first game tree, if any.
  std::optional<std::string> ScanRootCharset();
  void ReadRecord(GameTree& root);

 private:
  enum class ValueEnd { Closed, InputEnded, Abandoned };

  bool More() const { return p_ < end_; }
  char Get() { return *p_++; }
  void Unget() { --p_; }

  bool SkipPastOpeningParenthesis();
  void ReadSequence(GameTree& tree);
  bool ReadNode(Node& node);
  bool ReadProperty();
  ValueEnd ReadValue(std::string& value);
  ValueEnd ReadValueDoubleByte(std::string& value);
  bool IsLeadByte(char c) const { return (*leadBytes_)[static_cast<unsigned char>(c)]; }
  bool BuildProperty();
  void BuildPointList(int index);
  void BuildLabels(int index);
  std::u16string_view Decode(std::string_view bytes);
  void KeepCollectionTail(GameTree& root);

  const char* p_;
  const char* end_;
  Mode mode_;
  const LeadByteTable* leadBytes_;
  int codePage_;
  const FileInput* input_;
  const char* released_;  // the input before this has been given back
  bool rootNodeSeen_ = false;
  std::optional<std::string> rootCharset_;

  // Scratch reused from property to property.
  std::string identifier_;
  std::vector<std::string> values_;
  size_t valueCount_ = 0;
  std::u16string decoded_;
  std::vector<Property> properties_;             // of the node being read
  std::vector<std::unique_ptr<Node>> sequence_;  // of the tree being read
  std::unique_ptr<Node> spareNode_;
};

std::optional<std::string> SgfParser::ScanRootCharset() {
  if (!SkipPastOpeningParenthesis()) return std::nullopt;
  while (More() && !rootNodeSeen_) {
    const char c = Get();
    Unget();
    if (c == '(' || c == ')') break;
    auto node = std::make_unique<Node>();
    rootNodeSeen_ = ReadNode(*node);
  }
  return rootCharset_;
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

void SgfParser::ReadRecord(GameTree& root) {
  if (!SkipPastOpeningParenthesis()) return;
  // The open trees, outermost first; every tree but the root is owned here
  // until its ')' decides whether it joins its parent.
  std::vector<std::unique_ptr<GameTree>> open;
  std::vector<GameTree*> path{&root};
  int flattened = 0;
  const auto closeInnermost = [&] {
    std::unique_ptr<GameTree> tree = std::move(open.back());
    open.pop_back();
    path.pop_back();
    GameTree& parent = *path.back();
    if (tree->NodeCount() == 0) {
      if (tree->ChildCount() == 0) return;  // an empty variation such as ()
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
        ++flattened;
      } else {
        open.push_back(std::make_unique<GameTree>(path.back()));
        path.push_back(open.back().get());
      }
      ReadSequence(*path.back());
    }
  }
  while (!open.empty()) closeInnermost();
}

void SgfParser::KeepCollectionTail(GameTree& root) {
  const char* next = p_;
  while (next < end_ && IsAsciiSpace(*next)) ++next;
  if (next < end_ && *next == '(') root.SetCollectionTail(std::string(p_, end_));
}

// Nodes are gathered first so that the sequence is allocated once, at its size.
void SgfParser::ReadSequence(GameTree& tree) {
  while (More()) {
    const char c = Get();
    Unget();
    if (c == '(' || c == ')') break;
    if (!spareNode_) spareNode_ = std::make_unique<Node>();
    if (ReadNode(*spareNode_)) sequence_.push_back(std::move(spareNode_));
    if (input_ != nullptr && p_ - released_ > kReleaseStep) {
      input_->Release(p_);
      released_ = p_;
    }
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
      while (ReadProperty()) {
      }
      break;
    }
  }
  PropertyList& list = node.properties();
  list.reserve(properties_.size());
  for (Property& property : properties_) list.push_back(std::move(property));
  return !list.empty();
}

bool SgfParser::ReadProperty() {
  identifier_.clear();
  valueCount_ = 0;
  bool closed = false;
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
      if (values_.size() <= valueCount_) values_.emplace_back();
      std::string& value = values_[valueCount_];
      value.clear();
      const ValueEnd end = leadBytes_ != nullptr ? ReadValueDoubleByte(value) : ReadValue(value);
      if (end == ValueEnd::Abandoned) return false;
      if (end == ValueEnd::Closed) ++valueCount_;
    } else if ((IsAsciiUpper(c) || IsAsciiDigit(c)) && !closed) {
      identifier_.push_back(c);
    }
  }
  if (identifier_.empty() || valueCount_ == 0) return false;
  return BuildProperty();
}

SgfParser::ValueEnd SgfParser::ReadValue(std::string& value) {
  while (true) {
    const char* stop = p_;
    while (stop < end_ && *stop != ']' && *stop != '\\') ++stop;
    value.append(p_, stop);
    p_ = stop;
    if (!More()) return ValueEnd::InputEnded;
    if (Get() == ']') return ValueEnd::Closed;
    if (!More()) return ValueEnd::Abandoned;
    value.push_back(Get());
  }
}

// The same with the trail-byte rule: ']' and '\' right after an unpaired lead
// byte belong to that character. Both kinds of writers read right: those
// that escape such a trail byte (0x83 '\' '\' for U+30BD) and those that do not.
SgfParser::ValueEnd SgfParser::ReadValueDoubleByte(std::string& value) {
  bool leadPending = false;  // the value ends with an unpaired lead byte
  const auto append = [&](char c) {
    leadPending = leadPending ? false : IsLeadByte(c);
    value.push_back(c);
  };
  while (More()) {
    const char c = Get();
    if (c == ']') {
      if (!leadPending) return ValueEnd::Closed;
      append(c);
    } else if (c == '\\' && leadPending) {
      if (!More()) {
        append('\\');
        continue;
      }
      const char e = Get();
      if (e == '\\') {
        append('\\');
      } else if (e == ']') {
        if (!More()) {
          append('\\');
          Unget();
        } else if (IsLeadByte(*p_) || *p_ == ']') {
          append(']');
        } else {
          append('\\');
          return ValueEnd::Closed;
        }
      } else {
        append('\\');
        Unget();
      }
    } else if (c == '\\') {
      if (!More()) return ValueEnd::Abandoned;
      append(Get());
    } else {
      append(c);
    }
  }
  return ValueEnd::InputEnded;
}

std::u16string_view SgfParser::Decode(std::string_view bytes) {
  decoded_.clear();
  AppendBytesAsWide(bytes, codePage_, decoded_);
  return decoded_;
}

bool SgfParser::BuildProperty() {
  const int index = FindPropertyIndex(identifier_);
  const std::string& first = values_[0];
  if (mode_ == Mode::ScanRootCharset) {
    if (index == kPropCA && !rootCharset_) rootCharset_ = first;
    // Only the node's extent matters here, which a bad single point decides.
    return PropertyRow(index).valueType != ValueType::Point || ParsePoint(first).has_value();
  }
  if (index == kPropUnknown) {
    UnknownValue unknown{identifier_, {}};
    unknown.values.reserve(valueCount_);
    for (size_t i = 0; i < valueCount_; ++i) unknown.values.emplace_back(Decode(values_[i]));
    properties_.push_back(Property::Unrecognised(std::move(unknown)));
    return true;
  }
  if (index == kPropSZ) {
    const Point size = ParseBoardSize(first);
    properties_.push_back(Property::WithSize(size.x, size.y));
    return true;
  }
  switch (PropertyRow(index).valueType) {
    case ValueType::Number:
      if (const auto number = ParseNumber(first)) {
        properties_.push_back(Property::WithNumber(index, *number));
      } else {
        properties_.push_back(Property::Verbatim(index, Decode(first)));
      }
      return true;
    case ValueType::Real:
      if (const auto real = ParseReal(first)) {
        properties_.push_back(Property::WithReal(index, *real));
      } else {
        properties_.push_back(Property::Verbatim(index, Decode(first)));
      }
      return true;
    case ValueType::Text:
      properties_.push_back(Property::WithText(index, Decode(first)));
      return true;
    case ValueType::Point: {
      const auto point = ParsePoint(first);
      if (!point) return false;
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
    const std::string& value = values_[i];
    if (const auto corners = ParseCompressedRectangle(value)) {
      const auto [a, b] = *corners;
      for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y) {
        for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x) {
          properties_.push_back(Property::WithPoint(index, Point{x, y}));
        }
      }
    } else if (const auto point = ParsePoint(value)) {
      properties_.push_back(Property::WithPoint(index, *point));
    }
  }
}

void SgfParser::BuildLabels(int index) {
  for (size_t i = 0; i < valueCount_; ++i) {
    const std::string_view value = values_[i];
    const size_t colon = value.find(':');
    if (colon == std::string_view::npos) continue;
    const auto point = ParsePoint(value.substr(0, colon));
    if (!point) continue;
    properties_.push_back(Property::WithPointText(index, *point, Decode(value.substr(colon + 1))));
  }
}

int ChooseCodePage(std::string_view text, const ReadContext& context) {
  if (context.forceCodePage) return context.codePage;
  SgfParser scanner(text, SgfParser::Mode::ScanRootCharset, nullptr, kUtf8CodePage);
  const std::optional<std::string> label = scanner.ScanRootCharset();
  const int labelled = label ? CodePageOfCharsetLabel(*label) : 0;
  const bool validUtf8 = IsValidUtf8(text);
  if (labelled == 0 || (labelled == kUtf8CodePage && !validUtf8)) {
    if (validUtf8) return kUtf8CodePage;
    return DetectCodePage(SgfValueSample(text), context.dbcsAware ? 950 : context.codePage);
  }
  // Text that is valid UTF-8 beyond ASCII is UTF-8 whatever the label says:
  // legacy multi-byte text practically never forms valid UTF-8 sequences.
  return validUtf8 && HasNonAscii(text) ? kUtf8CodePage : labelled;
}

}  // namespace

void ReadSgf(GameTree& root, std::string_view text, ReadContext& context, const FileInput* input) {
  // UTF-16 records are read as the same text in UTF-8; their CA then says so,
  // since that is how they will be saved.
  if (const std::optional<std::string> utf8 = Utf16FileToUtf8(text)) {
    ReadSgf(root, *utf8, context);
    if (Node* first = root.NodeAt(0); first != nullptr && first->Has(kPropCA)) {
      first->Find(kPropCA)->SetText(u"UTF-8");
    }
    return;
  }
  if (const void* zero = std::memchr(text.data(), 0, text.size())) {
    text = text.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - text.data()));
  }
  const int codePage = ChooseCodePage(text, context);
  if (input != nullptr) input->Release(text.data() + text.size());
  SgfParser parser(text, SgfParser::Mode::Build, LeadBytesOf(codePage), codePage, input);
  parser.ReadRecord(root);
  context.codePage = codePage;
}

}  // namespace vantaro
