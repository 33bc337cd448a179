#include "record/record_format.h"

#include <algorithm>

#include "record/importers.h"
#include "record/sgf_reader.h"
#include "text/ascii.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

bool IsBlank(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), IsAsciiSpace);
}

// Whether the reader found nothing at all: the trees below the root and the
// other games of a collection have nodes whenever they exist, and the
// importers' first node is empty when they found nothing to put in it.
bool FoundNothing(const GameTree& tree) {
  if (tree.ChildCount() > 0 || tree.collectionTail() != nullptr) return false;
  return std::all_of(tree.nodes().begin(), tree.nodes().end(),
                     [](const auto& node) { return node->properties().empty(); });
}

// The line-based formats; SGF reports its own 0 byte.
bool IsTextFormat(RecordFormat format) {
  return format == RecordFormat::Gib || format == RecordFormat::Ugf ||
         format == RecordFormat::Ugi || format == RecordFormat::Ngf;
}

}  // namespace

RecordFormat DetectFormat(std::string_view path) {
  const size_t separator = path.find_last_of("/\\");
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return RecordFormat::Unknown;
  const std::string extension = AsciiLower(name.substr(dot + 1));
  static constexpr std::pair<std::string_view, RecordFormat> kExtensions[] = {
      {"bdx", RecordFormat::Bdx}, {"ngf", RecordFormat::Ngf}, {"gos", RecordFormat::Gos},
      {"gib", RecordFormat::Gib}, {"ugf", RecordFormat::Ugf}, {"ugi", RecordFormat::Ugi},
      {"go", RecordFormat::Go},   {"sgf", RecordFormat::Sgf}, {"mgt", RecordFormat::Sgf},
  };
  for (const auto& [candidate, format] : kExtensions) {
    if (extension == candidate) return format;
  }
  return RecordFormat::Unknown;
}

std::string_view FormatName(RecordFormat format) {
  switch (format) {
    case RecordFormat::Sgf:
    case RecordFormat::Unknown:
      return "SGF";
    case RecordFormat::Bdx:
      return "BDX";
    case RecordFormat::Ngf:
      return "NGF";
    case RecordFormat::Gos:
      return "GOS";
    case RecordFormat::Gib:
      return "GIB";
    case RecordFormat::Ugf:
      return "UGF";
    case RecordFormat::Ugi:
      return "UGI";
    case RecordFormat::Go:
      return "GO";
  }
  return "SGF";
}

IoResult ReadRecordBuffer(GameTree& tree, RecordFormat format, std::string_view buffer,
                          ReadContext& context, DiagnosticSink* diagnostics,
                          const FileInput* input) {
  // The line formats end at a 0 byte; the binary ones take every byte, and
  // SGF looks for its end itself.
  const std::string_view text = IsTextFormat(format) ? buffer.substr(0, buffer.find('\0')) : buffer;
  const ReadReport report(diagnostics, buffer);
  if (text.size() < buffer.size()) {
    report.At(text.size(), ZeroByteMessage(buffer.size() - text.size() - 1));
  }
  IoResult result = IoResult::Success();
  switch (format) {
    case RecordFormat::Gib:
      ReadGib(tree, text, context, diagnostics);
      break;
    case RecordFormat::Ugf:
    case RecordFormat::Ugi:
      ReadUgf(tree, text, format == RecordFormat::Ugi, context, diagnostics);
      break;
    case RecordFormat::Ngf:
      result = ReadNgf(tree, text, context, diagnostics);
      break;
    case RecordFormat::Gos:
      result = ReadGos(tree, buffer, context, diagnostics);
      break;
    case RecordFormat::Bdx:
      result = ReadBdx(tree, buffer, context, diagnostics);
      break;
    case RecordFormat::Go:
      result = ReadGo(tree, buffer, context, diagnostics);
      break;
    case RecordFormat::Sgf:
    case RecordFormat::Unknown:
      ReadSgf(tree, buffer, context, diagnostics, input);
      if (FoundNothing(tree)) {
        result.content = IsBlank(buffer) ? IoResult::Content::Blank : IoResult::Content::NoNode;
      }
      // The reader gives every variation a node: only the root may lack one,
      // and a large record is not walked again to find that out.
      if (tree.NodeCount() == 0) tree.InsertNode(std::make_unique<Node>());
      return result;
  }
  if (result.ok && FoundNothing(tree)) {
    result.content = IsBlank(buffer) ? IoResult::Content::Blank : IoResult::Content::NoNode;
  }
  EnsureNodes(tree);
  return result;
}

bool LabelRecordCodePage(GameTree& root, int codePage) {
  const std::string name = CharsetCodePageMap::Instance().LabelOf(codePage);
  Node* first = root.NodeAt(0);
  if (name.empty() || first == nullptr) return false;
  Property* label = first->Find(kPropCA);
  if (label == nullptr) {
    first->Add(Property::WithText(kPropCA, FromUtf8(name)));
    return true;
  }
  if (CodePageOfCharsetLabel(WideToBytes(label->text(), kUtf8CodePage)) == codePage) return false;
  label->SetText(FromUtf8(name));
  return true;
}

IoResult LoadRecordFile(GameTree& tree, const std::string& path, ReadContext& context,
                        DiagnosticSink* diagnostics) {
  FileInput input;
  std::string error;
  if (!input.Open(path, error)) return {false, error};
  return ReadRecordBuffer(tree, DetectFormat(path), input.bytes(), context, diagnostics, &input);
}

}  // namespace vantaro
