// Every real record of the corpus reads, writes and reads back to the same
// tree, and reads the same whether its repairs are reported or not.
#include <gtest/gtest.h>

#include <algorithm>

#include "record/record_format.h"
#include "record/sgf_writer.h"
#include "test_support.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

struct Loaded {
  std::unique_ptr<GameTree> root;
  int codePage = 0;
};

Loaded Load(const std::filesystem::path& path, DiagnosticSink* diagnostics = nullptr) {
  Loaded loaded{std::make_unique<GameTree>(), 0};
  ReadContext context{false, 1252};
  EXPECT_TRUE(LoadRecordFile(*loaded.root, path.string(), context, diagnostics).ok) << path;
  loaded.codePage = context.codePage;
  return loaded;
}

void ExpectRoundTrip(const std::filesystem::path& path) {
  DiagnosticList diagnostics;
  Loaded first = Load(path, &diagnostics);
  const std::string written = test::WriteSgfText(*first.root, first.codePage);
  const Loaded silent = Load(path);
  EXPECT_EQ(test::WriteSgfText(*silent.root, silent.codePage), written) << path;
  for (const Diagnostic& each : diagnostics.entries()) {
    EXPECT_LE(each.offset, std::filesystem::file_size(path)) << path << ": " << each.message;
  }
  GameTree second;
  ReadContext context{false, 1252};
  ASSERT_TRUE(ReadRecordBuffer(second, RecordFormat::Sgf, written, context).ok);
  EXPECT_EQ(context.codePage, first.codePage) << path;
  EXPECT_TRUE(test::SameTree(*first.root, second)) << path;
  // Saving the same record again gives the same bytes.
  const std::string again = test::WriteSgfText(second, context.codePage);
  EXPECT_EQ(test::WriteSgfText(second, context.codePage), again) << path;
}

TEST(CorpusRoundTrip, EveryRecordFile) {
  VANTARO_REQUIRE_SHARED();
  for (const char* folder : {"sgf", "gib", "ngf", "ugf", "ugi"}) {
    const auto files = test::CorpusFiles(folder, {".sgf", ".mgt", ".gib", ".ngf", ".ugf", ".ugi"});
    ASSERT_GT(files.size(), folder == std::string_view("sgf") ? 200u : 0u) << folder;
    for (const auto& path : files) ExpectRoundTrip(path);
  }
}

// Each text decodes without a damaged byte and encodes back to bytes of the file.
void ExpectCleanText(const std::filesystem::path& path, int codePage) {
  Loaded loaded = Load(path);
  EXPECT_EQ(loaded.codePage, codePage) << path;
  const std::string original = test::ReadFileBytes(path);
  ForEachTree(*loaded.root, [&](const GameTree& tree) {
    for (const auto& node : tree.nodes()) {
      for (const Property& property : node->properties()) {
        if (property.kind() != ValueKind::Text) continue;
        const std::u16string_view text = property.text();
        EXPECT_TRUE(std::none_of(text.begin(), text.end(), IsByteEscape)) << path;
        const std::string bytes = WideToBytes(text, loaded.codePage);
        if (bytes.find_first_of("]\\") == std::string::npos) {
          EXPECT_NE(original.find(bytes), std::string::npos) << path << ": " << bytes;
        }
      }
    }
  });
}

// Labelled files in legacy code pages, and one whose label is wrong.
TEST(CorpusEncodings, LegacyTextIsDecoded) {
  VANTARO_REQUIRE_SHARED();
  const auto dir = test::SharedDir() / "corpus/sgf";
  const std::pair<const char*, int> kFiles[] = {
      {"libsgfcplusplus/encoding-simplifiedchinese-gb2312.sgf", 936},
      {"libsgfcplusplus/encoding-chinese-gbk.sgf", 936},
      {"libsgfcplusplus/encoding-traditionalchinese-big5.sgf", 950},
      {"libsgfcplusplus/encoding-japanese-shiftjis.sgf", 932},
      {"libsgfcplusplus/encoding-korean-macos.sgf", 949},
      {"libsgfcplusplus/encoding-cyrillic-windows.sgf", 1251},
      {"libsgfcplusplus/encoding-utf8-withbom.sgf", 65001},
      {"analyze-sgf/t-encoding-cp949.sgf", 949}};
  for (const auto& [file, codePage] : kFiles) ExpectCleanText(dir / file, codePage);
}

}  // namespace
}  // namespace vantaro
