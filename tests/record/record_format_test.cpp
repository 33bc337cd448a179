#include "record/record_format.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

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

// Another program cutting the file short under the reader used to kill the
// process with SIGBUS.
TEST(LoadRecordFile, AFileCutShortWhileItIsReadIsAnErrorNotACrash) {
  test::TemporaryDirectory directory;
  const std::string path = directory.PathOf("big.sgf");
  std::string record = "(;GM[1]";
  while (record.size() < (24u << 20)) record += ";B[aa]C[" + std::string(4000, 'x') + "]";
  test::WriteFileBytes(path, record + ")");

  FileInput input;
  std::string error;
  ASSERT_TRUE(input.Open(path, error)) << error;
  std::atomic<bool> reading = false;
  std::thread cutter([&] {
    while (!reading.load()) std::this_thread::yield();
    ASSERT_EQ(truncate(path.c_str(), 4096), 0);
  });
  GameTree tree;
  ReadContext context{false, 65001};
  reading = true;
  ReadRecordBuffer(tree, RecordFormat::Sgf, input.bytes(), context, nullptr, &input);
  cutter.join();
  EXPECT_FALSE(input.Intact());

  GameTree shorter;
  const IoResult reread = LoadRecordFile(shorter, path, context);
  EXPECT_TRUE(reread.ok) << "the file as it is now reads as usual";
}

// Opening a FIFO that no program writes to used to wait for ever.
TEST(LoadRecordFile, AFifoWithoutAWriterReadsAsEmptyAtOnce) {
  test::TemporaryDirectory directory;
  const std::string path = directory.PathOf("fifo.sgf");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  std::promise<IoResult> loaded;
  std::thread reader([&] {
    GameTree tree;
    ReadContext context{false, 65001};
    loaded.set_value(LoadRecordFile(tree, path, context));
  });
  auto result = loaded.get_future();
  if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    ADD_FAILURE() << "still waiting for a writer";
    close(open(path.c_str(), O_WRONLY | O_NONBLOCK));  // lets the reader go
  }
  reader.join();
  EXPECT_TRUE(result.get().ok);
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
