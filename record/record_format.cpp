#include "record/record_format.h"

#include "record/gib_reader.h"
#include "record/sgf_reader.h"
#include "text/ascii.h"
#include "text/charset_detection.h"

namespace vantaro {
namespace {

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
    case RecordFormat::Unknown: return "SGF";
    case RecordFormat::Bdx: return "BDX";
    case RecordFormat::Ngf: return "NGF";
    case RecordFormat::Gos: return "GOS";
    case RecordFormat::Gib: return "GIB";
    case RecordFormat::Ugf: return "UGF";
    case RecordFormat::Ugi: return "UGI";
    case RecordFormat::Go: return "GO";
  }
  return "SGF";
}

bool IsSgfFormat(RecordFormat format) {
  return format == RecordFormat::Sgf || format == RecordFormat::Unknown;
}

IoResult ReadRecordBuffer(GameTree& tree, RecordFormat format, std::string_view buffer,
                          ReadContext& context, const FileInput* input) {
  IoResult result{true, {}};
  switch (format) {
    case RecordFormat::Gib: {
      const std::string_view text = buffer.substr(0, buffer.find('\0'));
      context.codePage = DetectCodePage(text, context.codePage);
      ReadGib(tree, text, context.codePage);
      break;
    }
    default: ReadSgf(tree, buffer, context, input); break;
  }
  EnsureNodes(tree);
  return result;
}

IoResult LoadRecordFile(GameTree& tree, const std::string& path, ReadContext& context) {
  FileInput input;
  std::string error;
  if (!input.Open(path, error)) return {false, error};
  return ReadRecordBuffer(tree, DetectFormat(path), input.bytes(), context, &input);
}

}  // namespace vantaro
