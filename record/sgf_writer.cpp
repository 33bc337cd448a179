#include "record/sgf_writer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "property/value_syntax.h"
#include "record/sgf_value_end.h"
#include "text/ascii.h"
#include "text/double_byte.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

constexpr long long kLineLimit = 79;
constexpr size_t kFlushThreshold = 1 << 20;

bool IsListType(int id) {
  const ValueType type = PropertyRow(id).valueType;
  return id != kPropUnknown && (type == ValueType::PointList || type == ValueType::PointTextList);
}

// Stable by table index: properties with the same identifier keep their order.
// A merge sort, since a hostile node may hold a great many properties.
void SortProperties(PropertyList& properties) {
  const auto byIndex = [](const Property& a, const Property& b) { return a.id() < b.id(); };
  if (std::is_sorted(properties.begin(), properties.end(), byIndex)) return;
  std::stable_sort(properties.begin(), properties.end(), byIndex);
}

// Whether the last character of bytes is a double-byte one whose trail byte
// is ']'.
bool EndsWithTrailBracket(std::string_view bytes, const LeadByteTable& leadBytes) {
  size_t i = 0;
  while (i + 1 < bytes.size()) {
    if (!leadBytes[static_cast<unsigned char>(bytes[i])]) {
      ++i;
    } else if (i + 2 == bytes.size()) {
      return bytes[i + 1] == ']';
    } else {
      i += 2;
    }
  }
  return false;
}

// A reader in a double-byte code page takes a ']' after a lead byte for the
// end of the value when what comes next looks like SGF, so the text after a
// character with the trail byte ']' must not: its first byte after white
// space is escaped then. The index of that byte in asciiRun, or npos.
size_t ByteToEscapeAfterTrailBracket(std::u16string_view asciiRun) {
  std::string bytes(asciiRun.size(), ' ');
  std::transform(asciiRun.begin(), asciiRun.end(), bytes.begin(),
                 [](char16_t c) { return static_cast<char>(c); });
  if (!StructureFollows(bytes, true)) return std::string::npos;
  size_t first = 0;
  while (first < bytes.size() && IsAsciiSpace(bytes[first])) ++first;
  return first < bytes.size() ? first : std::string::npos;
}

class SgfWriter {
 public:
  SgfWriter(const SgfOutput& output, std::string& out, std::FILE* file)
      : codePage_(output.codePage),
        leadBytes_(LeadBytesOf(output.codePage)),
        charset_(output.charset),
        charsetFirst_(output.charsetFirst),
        out_(out),
        file_(file),
        base_(static_cast<long long>(out.size())) {}

  void WriteRecord(GameTree& root);
  void WriteNode(Node& node, long long& lineStart);
  bool Finish();

 private:
  long long Position() const { return flushed_ + static_cast<long long>(out_.size()) - base_; }
  void LineBreak(long long& lineStart) {
    out_.append("\r\n");
    lineStart = Position();
  }
  void WriteSequence(GameTree& tree);
  // The node's sorted properties in the order they are written when its CA
  // is to be charset.
  std::vector<const Property*> OrderWithCharset(const PropertyList& properties,
                                                const Property& charset) const;
  void WriteProperty(const Property& property, int previousIndex);
  void WriteText(std::u16string_view text, bool escapeColon);
  void WriteTextValue(const Property& property, bool escapeColon);
  void MaybeFlush();

  int codePage_;
  const LeadByteTable* leadBytes_;         // null unless the code page is double-byte
  std::optional<std::u16string> charset_;  // for the first node written, then spent
  bool charsetFirst_;
  std::string& out_;
  std::FILE* file_;
  long long base_;
  long long flushed_ = 0;
  bool failed_ = false;
  std::string encoded_;
  std::u16string widened_;
};

void SgfWriter::WriteRecord(GameTree& root) {
  struct Frame {
    GameTree* tree;
    int nextChild;
  };
  std::vector<Frame> open;
  out_.push_back('(');
  WriteSequence(root);
  open.push_back({&root, 0});
  while (!open.empty()) {
    Frame& frame = open.back();
    if (frame.nextChild < frame.tree->ChildCount()) {
      GameTree* child = frame.tree->ChildAt(frame.nextChild++);
      out_.append("\r\n(");
      WriteSequence(*child);
      open.push_back({child, 0});
    } else {
      out_.push_back(')');
      open.pop_back();
    }
    MaybeFlush();
  }
}

void SgfWriter::WriteSequence(GameTree& tree) {
  long long lineStart = Position() - 1;
  bool first = true;
  for (const auto& node : tree.nodes()) {
    WriteNode(*node, lineStart);
    if (first && tree.parent() == nullptr && Position() > lineStart) LineBreak(lineStart);
    first = false;
    MaybeFlush();
  }
}

std::vector<const Property*> SgfWriter::OrderWithCharset(const PropertyList& properties,
                                                         const Property& charset) const {
  std::vector<const Property*> order;
  order.reserve(properties.size() + 1);
  for (const Property& property : properties) order.push_back(&property);
  const auto isCharset = [](const Property* p) { return p->id() == kPropCA; };
  if (const auto own = std::find_if(order.begin(), order.end(), isCharset); own != order.end()) {
    *own = &charset;
  } else {
    // Where a CA added to the node would sort.
    const auto byIndex = [](const Property* a, const Property* b) { return a->id() < b->id(); };
    order.insert(std::upper_bound(order.begin(), order.end(), &charset, byIndex), &charset);
  }
  if (charsetFirst_) {
    const auto found = std::find_if(order.begin() + 1, order.end(), isCharset);
    if (found != order.end()) std::iter_swap(order.begin(), found);
  }
  return order;
}

void SgfWriter::WriteNode(Node& node, long long& lineStart) {
  if (Position() - lineStart >= kLineLimit) LineBreak(lineStart);
  out_.push_back(';');
  const std::optional<std::u16string> charset = std::exchange(charset_, std::nullopt);
  PropertyList& properties = node.properties();
  if (properties.empty() && !charset) {
    out_.append("N[]");
    return;
  }
  SortProperties(properties);
  int previousIndex = -1;
  const auto write = [&](const Property& property) {
    if (previousIndex >= 0 && Position() - lineStart >= kLineLimit) LineBreak(lineStart);
    WriteProperty(property, previousIndex);
    previousIndex = property.id();
  };
  if (charset) {
    const Property label = Property::WithText(kPropCA, *charset);
    for (const Property* property : OrderWithCharset(properties, label)) write(*property);
    return;
  }
  // CA goes first, changing places with the first property. Only the output
  // is reordered: the list stays sorted, so saving twice gives the same bytes.
  size_t first = 0;
  for (size_t i = 1; i < properties.size() && first == 0 && charsetFirst_; ++i) {
    if (properties[i].id() == kPropCA) first = i;
  }
  for (size_t i = 0; i < properties.size(); ++i) {
    write(properties[i == 0 ? first : i == first ? 0 : i]);
  }
}

void SgfWriter::WriteProperty(const Property& property, int previousIndex) {
  const int id = property.id();
  if (!(IsListType(id) && id == previousIndex)) out_.append(property.Name());
  switch (property.kind()) {
    case ValueKind::Size: {
      const Point size = property.point();
      out_.push_back('[');
      AppendNumber(size.x, out_);
      if (size.x != size.y) {
        out_.push_back(':');
        AppendNumber(size.y, out_);
      }
      out_.push_back(']');
      break;
    }
    case ValueKind::Number:
      out_.push_back('[');
      AppendNumber(property.number(), out_);
      out_.push_back(']');
      break;
    case ValueKind::Real:
      out_.push_back('[');
      AppendReal(property.real(), out_);
      out_.push_back(']');
      break;
    case ValueKind::Point:
      out_.push_back('[');
      AppendPoint(property.point(), out_);
      out_.push_back(']');
      break;
    case ValueKind::PointText:
      out_.push_back('[');
      AppendPoint(property.point(), out_);
      out_.push_back(':');
      WriteText(property.text(), true);
      out_.push_back(']');
      break;
    case ValueKind::Text:
      out_.push_back('[');
      // An application name of the form name:version keeps its colon.
      WriteTextValue(property, id != kPropAP);
      out_.push_back(']');
      break;
    case ValueKind::Verbatim:
      out_.push_back('[');
      WriteText(property.text(), false);
      out_.push_back(']');
      break;
    case ValueKind::Unknown:
      for (const std::u16string& value : property.unknown()->values) {
        out_.push_back('[');
        WriteText(value, false);
        out_.push_back(']');
      }
      break;
  }
}

// Text kept as the UTF-8 it was read from is written from its bytes, which
// are what its UTF-16 encodes back to, byte for byte (a byte that is not
// UTF-8 included): saving a large record then neither widens each comment
// nor leaves the record holding all of them twice. A 0 byte, which the
// writer leaves out, takes the usual way.
void SgfWriter::WriteTextValue(const Property& property, bool escapeColon) {
  const std::optional<std::string_view> bytes = property.utf8Text();
  if (!bytes) {
    WriteText(property.text(), escapeColon);
  } else if (codePage_ == kUtf8CodePage && bytes->find('\0') == std::string_view::npos) {
    AppendEscaped(*bytes, escapeColon, out_);
  } else {
    widened_ = BytesToWide(*bytes, kUtf8CodePage);
    WriteText(widened_, escapeColon);
  }
}

// Record text is mostly ASCII: runs of it are escaped and copied in one pass,
// and only the other characters go through the code page's encoder.
void SgfWriter::WriteText(std::u16string_view text, bool escapeColon) {
  if (!IsAsciiCompatible(codePage_)) {
    encoded_.clear();
    AppendWideAsBytes(text, codePage_, encoded_);
    AppendEscaped(encoded_, escapeColon, out_);
    return;
  }
  size_t i = 0;
  bool trailBracketBefore = false;
  while (i < text.size()) {
    size_t end = i;
    while (end < text.size() && text[end] < 0x80) ++end;
    size_t escapeAlso = std::string::npos;
    if (trailBracketBefore) {
      const size_t at = ByteToEscapeAfterTrailBracket(text.substr(i, end - i));
      if (at != std::string::npos) escapeAlso = i + at;
    }
    if (end > i) {
      const size_t start = out_.size();
      out_.resize(start + 2 * (end - i));
      char* write = out_.data() + start;
      for (; i < end; ++i) {
        const char c = static_cast<char>(text[i]);
        // Readers take a 0 byte for the end of the file, so a 0 that an
        // importer found in a binary record's text would cut off the rest.
        if (c == '\0') continue;
        if (c == ']' || c == '\\' || (escapeColon && c == ':') || i == escapeAlso) {
          *write++ = '\\';
        }
        *write++ = c;
      }
      out_.resize(static_cast<size_t>(write - out_.data()));
    }
    while (end < text.size() && text[end] >= 0x80) ++end;
    if (end > i) {
      encoded_.clear();
      AppendWideAsBytes(text.substr(i, end - i), codePage_, encoded_);
      AppendEscaped(encoded_, escapeColon, out_);
      trailBracketBefore = leadBytes_ != nullptr && EndsWithTrailBracket(encoded_, *leadBytes_);
      i = end;
    }
  }
}

void SgfWriter::MaybeFlush() {
  if (file_ == nullptr || out_.size() < kFlushThreshold) return;
  if (std::fwrite(out_.data(), 1, out_.size(), file_) != out_.size()) failed_ = true;
  flushed_ += static_cast<long long>(out_.size()) - base_;
  out_.clear();
  base_ = 0;
}

bool SgfWriter::Finish() {
  if (file_ != nullptr && !out_.empty()) {
    if (std::fwrite(out_.data(), 1, out_.size(), file_) != out_.size()) failed_ = true;
    out_.clear();
  }
  return !failed_;
}

}  // namespace

void WriteSgf(GameTree& root, const SgfOutput& output, std::string& out) {
  SgfWriter writer(output, out, nullptr);
  writer.WriteRecord(root);
}

bool WriteSgf(GameTree& root, const SgfOutput& output, std::FILE* file) {
  std::string buffer;
  SgfWriter writer(output, buffer, file);
  writer.WriteRecord(root);
  return writer.Finish();
}

void WriteSgf(GameTree& root, int codePage, std::string& out) {
  WriteSgf(root, SgfOutput{codePage, std::nullopt, true}, out);
}

bool WriteSgf(GameTree& root, int codePage, std::FILE* file) {
  return WriteSgf(root, SgfOutput{codePage, std::nullopt, true}, file);
}

std::string WriteSgfNode(Node& node, int codePage) {
  std::string out;
  SgfWriter writer(SgfOutput{codePage, std::nullopt, true}, out, nullptr);
  long long lineStart = 0;
  writer.WriteNode(node, lineStart);
  return out;
}

}  // namespace vantaro
