#include "record/record_format.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "record/record_save.h"
#include "test_support.h"

namespace vantaro {
namespace {

TEST(DetectFormat, TheExtensionOfTheFileNameDecides) {
  EXPECT_EQ(DetectFormat("Game.SGF"), RecordFormat::Sgf);
  EXPECT_EQ(DetectFormat("game.Mgt"), RecordFormat::Sgf);
  EXPECT_EQ(DetectFormat("records/x.gib"), RecordFormat::Gib);
  EXPECT_EQ(DetectFormat("x.gib.txt"), RecordFormat::Unknown);
  EXPECT_EQ(DetectFormat("old.records/game"), RecordFormat::Unknown);
  EXPECT_EQ(DetectFormat("game"), RecordFormat::Unknown);
  EXPECT_EQ(DetectFormat("a.UGI"), RecordFormat::Ugi);
  EXPECT_EQ(DetectFormat("a.go"), RecordFormat::Go);
  EXPECT_EQ(DetectFormat("a.NGF"), RecordFormat::Ngf);
}

TEST(LoadRecordFile, ReportsWhyAFileCannotBeRead) {
  test::TemporaryDirectory directory;
  GameTree tree;
  ReadContext context{false, 65001};
  const IoResult missing =
      LoadRecordFile(tree, (directory.path() / "absent.sgf").string(), context);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "No such file or directory");
  EXPECT_FALSE(LoadRecordFile(tree, directory.path().string(), context).ok);
}

TEST(LoadRecordFile, GibTextGetsItsDetectedCodePage) {
  test::TemporaryDirectory directory;
  const auto path = directory.path() / "game.gib";
  test::WriteFileBytes(path, "\\[GAMEBLACKNAME=\xe6\x9d\x8e (9D)\\]\nSTO 0 1 1 3 3\n");
  GameTree tree;
  ReadContext context{false, 1252};
  ASSERT_TRUE(LoadRecordFile(tree, path.string(), context).ok);
  EXPECT_EQ(context.codePage, 65001);
  EXPECT_EQ(tree.NodeAt(0)->Find(kPropPB)->text(), u"\u674e ");
}

TEST(SaveRecordFile, ReplacesTheFileOnlyWhenTheNewContentIsWritten) {
  test::TemporaryDirectory directory;
  const auto path = directory.path() / "game.sgf";
  test::WriteFileBytes(path, "old");
  chmod(path.c_str(), 0640);
  auto record = test::ReadSgfText("(;B[aa])");
  ASSERT_TRUE(SaveRecordFile(*record.root, 65001, path.string()).ok);
  EXPECT_EQ(test::ReadFileBytes(path), "(;B[aa]\r\n)");
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);

  const IoResult failed =
      SaveRecordFile(*record.root, 65001, (directory.path() / "missing" / "x.sgf").string());
  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.error.empty());
}

TEST(SaveRecordFile, ANewFileGetsTheModeOfAnyNewFileNotAPrivateOne) {
  test::TemporaryDirectory directory;
  const auto path = directory.path() / "new.sgf";
  const mode_t previous = umask(022);
  auto record = test::ReadSgfText("(;B[aa])");
  const bool saved = SaveRecordFile(*record.root, 65001, path.string()).ok;
  umask(previous);
  ASSERT_TRUE(saved);
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST(SaveRecordFile, WritesThroughASymbolicLink) {
  test::TemporaryDirectory directory;
  const auto target = directory.path() / "real.sgf";
  const auto link = directory.path() / "link.sgf";
  test::WriteFileBytes(target, "old");
  std::filesystem::create_symlink(target, link);
  auto record = test::ReadSgfText("(;W[bb])");
  ASSERT_TRUE(SaveRecordFile(*record.root, 65001, link.string()).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::ReadFileBytes(target), "(;W[bb]\r\n)");
}

}  // namespace
}  // namespace vantaro
