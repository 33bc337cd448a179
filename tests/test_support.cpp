#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "record/save_encoding.h"
#include "record/sgf_reader.h"
#include "record/sgf_writer.h"
#include "text/ascii.h"
#include "text/text_conversion.h"

namespace vantaro::test {

std::filesystem::path SharedDir() {
  return VANTARO_SHARED_DIR;
}

std::vector<std::filesystem::path> CorpusFiles(std::string_view folder,
                                               std::vector<std::string> extensions) {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path root = SharedDir() / "corpus" / folder;
  if (!std::filesystem::is_directory(root)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string extension = AsciiLower(entry.path().extension().string());
    if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end()) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ReadRecord ReadSgfText(std::string_view sgf, int defaultCodePage, bool dbcsAware) {
  ReadRecord record{std::make_unique<GameTree>(), 0};
  ReadContext context{dbcsAware, defaultCodePage};
  ReadSgf(*record.root, sgf, context);
  record.codePage = context.codePage;
  return record;
}

std::string WriteSgfText(GameTree& root, int codePage) {
  std::string out;
  WriteSgf(root, codePage, out);
  return out;
}

std::string SavedSgfText(GameTree& root, int codePage) {
  std::string out;
  WriteSgf(root, PlanSave(root, codePage).output, out);
  return out;
}

std::unique_ptr<GoEditor> OpenEditor(std::string_view sgf, Options& options, MoveSounds* sounds) {
  auto editor = std::make_unique<GoEditor>(options, sounds);
  ReadRecord record = ReadSgfText(sgf);
  editor->InstallRecord(std::move(record.root), record.codePage);
  return editor;
}

std::string PathText(const TreePath& path) {
  std::string text;
  for (size_t i = 0; i < path.children.size(); ++i) {
    text += (i ? "." : "") + std::to_string(path.children[i]);
  }
  return text + "/" + std::to_string(path.node);
}

void GoTo(GoEditor& editor, const TreePath& path) {
  editor.GoToNode(GameTree::Resolve(*editor.recordRoot(), path)->node());
}

namespace {

std::string Describe(const Property& property) {
  return std::string(property.Name()) + "[" + ToDisplayUtf8(property.text()) + "]";
}

// The writer gives a node without properties an empty name so that it
// survives a reload; such a node counts as empty.
bool IsWrittenEmptyNode(const PropertyList& properties) {
  return properties.size() == 1 && properties[0].id() == kPropN && properties[0].text().empty();
}

::testing::AssertionResult SameNode(const Node& expected, const Node& actual,
                                    const std::string& where) {
  const PropertyList& a = expected.properties();
  const PropertyList& b = actual.properties();
  if ((a.empty() && IsWrittenEmptyNode(b)) || (b.empty() && IsWrittenEmptyNode(a))) {
    return ::testing::AssertionSuccess();
  }
  if (a.size() != b.size()) {
    return ::testing::AssertionFailure()
           << where << ": " << a.size() << " properties expected, " << b.size() << " found";
  }
  // The same properties, in whatever order: the writer puts CA first.
  std::vector<bool> matched(b.size(), false);
  for (const Property& property : a) {
    size_t k = 0;
    while (k < b.size() && (matched[k] || !(b[k] == property))) ++k;
    if (k == b.size()) {
      return ::testing::AssertionFailure() << where << ": " << Describe(property) << " is missing";
    }
    matched[k] = true;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult SameTree(const GameTree& expected, const GameTree& actual) {
  std::vector<std::tuple<const GameTree*, const GameTree*, std::string>> pending{
      {&expected, &actual, "root"}};
  while (!pending.empty()) {
    const auto [a, b, where] = pending.back();
    pending.pop_back();
    if (a->NodeCount() != b->NodeCount() || a->ChildCount() != b->ChildCount()) {
      return ::testing::AssertionFailure()
             << where << ": " << a->NodeCount() << " nodes / " << a->ChildCount()
             << " children expected, " << b->NodeCount() << " / " << b->ChildCount() << " found";
    }
    for (int i = 0; i < a->NodeCount(); ++i) {
      auto same = SameNode(*a->NodeAt(i), *b->NodeAt(i), where + " node " + std::to_string(i));
      if (!same) return same;
    }
    for (int i = 0; i < a->ChildCount(); ++i) {
      pending.emplace_back(a->ChildAt(i), b->ChildAt(i), where + "." + std::to_string(i));
    }
  }
  return ::testing::AssertionSuccess();
}

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantaro-test-XXXXXX").string();
  path_ = mkdtemp(pattern.data());
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string TemporaryDirectory::Write(const std::string& name, std::string_view bytes) const {
  WriteFileBytes(path_ / name, bytes);
  return PathOf(name);
}

}  // namespace vantaro::test
