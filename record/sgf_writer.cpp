#include "record/sgf_writer.h"

#include <algorithm>
#include <array>
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
  SgfWriter(int codePage, std::string& out, std::FILE* file)
      : codePage_(codePage),
        leadBytes_(LeadBytesOf(codePage)),
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
  void WriteProperty(const Property& property, int previousIndex);
  void WriteText(std::u16string_view text, bool escapeColon);
  void MaybeFlush();

  int codePage_;
  const LeadByteTable* leadBytes_;  // null unless the code page is double-byte
  std::string& out_;
  std::FILE* file_;
  long long base_;
  long long flushed_ = 0;
  bool failed_ = false;
  std::string encoded_;
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

void SgfWriter::WriteNode(Node& node, long long& lineStart) {
  if (Position() - lineStart >= kLineLimit) LineBreak(lineStart);
  out_.push_back(';');
  PropertyList& properties = node.properties();
  if (properties.empty()) {
    out_.append("N[]");
    return;
  }
  SortProperties(properties);
  // CA goes first, changing places with the first property. Only the output
  // is reordered: the list stays sorted, so saving twice gives the same bytes.
  size_t charset = 0;
  for (size_t i = 1; i < properties.size() && charset == 0; ++i) {
    if (properties[i].id() == kPropCA) charset = i;
  }
  int previousIndex = -1;
  for (size_t i = 0; i < properties.size(); ++i) {
    const size_t k = i == 0 ? charset : i == charset ? 0 : i;
    if (i > 0 && Position() - lineStart >= kLineLimit) LineBreak(lineStart);
    WriteProperty(properties[k], previousIndex);
    previousIndex = properties[k].id();
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
      WriteText(property.text(), id != kPropAP);
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

void WriteSgf(GameTree& root, int codePage, std::string& out) {
  SgfWriter writer(codePage, out, nullptr);
  writer.WriteRecord(root);
}

bool WriteSgf(GameTree& root, int codePage, std::FILE* file) {
  std::string buffer;
  SgfWriter writer(codePage, buffer, file);
  writer.WriteRecord(root);
  return writer.Finish();
}

std::string WriteSgfNode(Node& node, int codePage) {
  std::string out;
  SgfWriter writer(codePage, out, nullptr);
  long long lineStart = 0;
  writer.WriteNode(node, lineStart);
  return out;
}

}  // namespace vantaro
