#include "record/record_format.h"

#include <algorithm>

#include "record/importers.h"
#include "record/sgf_reader.h"
#include "record/sgf_text.h"
#include "record/zero_bytes.h"
#include "text/ascii.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

// A binary file, a picture for one, is full of control characters that no
// text holds; a record damaged here and there holds a few. Looked at in its
// first 64 KB, and read as the text it is when it is UTF-16. 0 bytes do not
// count: a crash leaves a record followed by the 0 bytes of its file's
// space, and a binary file has plenty of other control characters.
bool LooksBinary(std::string_view bytes) {
  const std::string_view sample = bytes.substr(0, 1 << 16);
  const auto isControl = [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte > 0 && byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' &&
            byte != '\f' && byte != 0x1B) ||
           byte == 0x7F;
  };
  const auto controls = std::count_if(sample.begin(), sample.end(), isControl);
  return static_cast<size_t>(controls) * 32 > sample.size() && !Utf16FileToUtf8(sample);
}

bool IsBlank(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), IsAsciiSpace);
}

// Whether the reader found nothing at all: the trees below the root have
// nodes whenever they exist, and the importers' first node is empty when
// they found nothing to put in it.
bool FoundNothing(const GameTree& tree) {
  if (tree.ChildCount() > 0) return false;
  return std::all_of(tree.nodes().begin(), tree.nodes().end(),
                     [](const auto& node) { return node->properties().empty(); });
}

// The line-based formats.
bool IsTextFormat(RecordFormat format) {
  return format == RecordFormat::Gib || format == RecordFormat::Ugf ||
         format == RecordFormat::Ugi || format == RecordFormat::Ngf;
}

constexpr FormatExtension kExtensions[] = {
    {"sgf", RecordFormat::Sgf}, {"mgt", RecordFormat::Sgf}, {"gib", RecordFormat::Gib},
    {"ugf", RecordFormat::Ugf}, {"ugi", RecordFormat::Ugi}, {"ngf", RecordFormat::Ngf},
    {"gos", RecordFormat::Gos}, {"bdx", RecordFormat::Bdx}, {"go", RecordFormat::Go},
};

}  // namespace

std::span<const FormatExtension> RecordExtensions() {
  return kExtensions;
}

RecordFormat DetectFormat(std::string_view path) {
  const size_t separator = path.find_last_of("/\\");
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return RecordFormat::Unknown;
  const std::string extension = AsciiLower(name.substr(dot + 1));
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

namespace {

IoResult ReadSgfChoice(GameTree& tree, std::string_view buffer, ReadContext& context,
                       DiagnosticSink* diagnostics, const FileInput* input, GameChoice& choice) {
  const SgfText text(buffer, diagnostics);
  std::vector<GameSpan> games;
  const IoResult read = ReadSgfGame(tree, text, choice.index, context, input, &games);
  choice.count = games.size();
  if (read.ok && choice.keepCollection) {
    choice.collection =
        std::make_unique<SgfCollection>(text.text(), std::move(games), text.fromUtf16());
  }
  return read;
}

}  // namespace

IoResult ReadRecordBuffer(GameTree& tree, RecordFormat format, std::string_view buffer,
                          ReadContext& context, DiagnosticSink* diagnostics, const FileInput* input,
                          GameChoice* choice) {
  const bool sgf = format == RecordFormat::Sgf || format == RecordFormat::Unknown;
  if (choice != nullptr && !sgf) {
    choice->count = 1;
    if (choice->index > 0) return IoResult::Failure(NoSuchGameError(choice->index, 1));
  }
  // The binary formats take every byte, and SGF skips its 0 bytes itself.
  if (IsTextFormat(format)) {
    if (const std::optional<ZeroFreeText> text = DropZeroBytes(buffer)) {
      std::optional<ZeroByteOffsets> placed;
      if (diagnostics != nullptr) placed.emplace(*diagnostics, text->removedAt);
      return ReadRecordBuffer(tree, format, text->text, context, placed ? &*placed : nullptr,
                              nullptr, choice);
    }
  }
  IoResult result = IoResult::Success();
  switch (format) {
    case RecordFormat::Gib:
      ReadGib(tree, buffer, context, diagnostics);
      break;
    case RecordFormat::Ugf:
    case RecordFormat::Ugi:
      ReadUgf(tree, buffer, format == RecordFormat::Ugi, context, diagnostics);
      break;
    case RecordFormat::Ngf:
      result = ReadNgf(tree, buffer, context, diagnostics);
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
      if (choice != nullptr) {
        result = ReadSgfChoice(tree, buffer, context, diagnostics, input, *choice);
        if (!result.ok) return result;
      } else {
        ReadSgf(tree, buffer, context, diagnostics, input);
      }
      // Only the game read is judged, and a binary file is none whatever
      // stray bytes of it read as a node.
      if (FoundNothing(tree)) {
        result.content = IsBlank(buffer) ? IoResult::Content::Blank : IoResult::Content::NoNode;
      } else if (LooksBinary(buffer)) {
        result.content = IoResult::Content::NoNode;
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
                        DiagnosticSink* diagnostics, GameChoice* choice) {
  FileInput input;
  std::string error;
  if (!input.Open(path, error)) return {false, error};
  const IoResult read = ReadRecordBuffer(tree, DetectFormat(path), input.bytes(), context,
                                         diagnostics, &input, choice);
  if (!input.Intact()) return IoResult::Failure(kFileCutShortError);
  return read;
}

}  // namespace vantaro
