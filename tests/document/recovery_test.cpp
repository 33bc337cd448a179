// The recovery journal: copies written in the background, taken over only
// from programs that ended, and restored so that saving them gives what a
// normal save of the lost session would have written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <regex>

#include "document/background_jobs.h"
#include "document/fake_document_ui.h"
#include "document/recovery_copy.h"
#include "document/recovery_journal.h"
#include "document/vantaro_doc.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

using Answer = DocumentUi::Answer;

// Runs work in a child process that then dies as a killed program does,
// without any clean-up; the child's own failures show as its exit status.
void InAKilledProgram(const std::function<void()>& work) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    work();
    raise(SIGKILL);
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status))
      << "the child ended by itself with status " << WEXITSTATUS(status);
}

// One run of the program: a document with its journal in the test's folder.
struct Session {
  explicit Session(const std::filesystem::path& folder) : journal(folder), document(ui, options) {
    options.defaultCodePage = 65001;
    options.playSound = false;
    document.SetRecoveryJournal(&journal);
  }
  GoEditor& editor() { return *document.editor(); }

  FakeUi ui;
  Options options{u"/install"};
  RecoveryJournal journal;
  CVantaroCEDoc document;
};

class RecoveryTest : public ::testing::Test {
 protected:
  std::filesystem::path Folder() const { return directory_.path() / "recovery"; }
  // The copies in the journal's folder, whoever holds them.
  size_t CopyCount() const {
    size_t count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(), error)) {
      count += entry.path().extension() == ".sgf" ? 1 : 0;
    }
    return count;
  }
  // A copy whose program is gone, as a killed program leaves it.
  void LeaveCopy(const std::string& path, std::string_view sgf) {
    RecoveryCopy copy(Folder());
    ASSERT_TRUE(copy.Write({path, 1, 65001, 1700000000}, sgf));
  }

  TemporaryDirectory directory_;
};

// A comment (one the record's code page holds, or one that makes it UTF-8)
// and a move, in a record whose CA Save moves in front of other properties.
class KilledProgramTest : public RecoveryTest,
                          public ::testing::WithParamInterface<std::u16string> {
 protected:
  void Edit(CVantaroCEDoc& document, const std::string& path) {
    document.OnOpenDocument(path);
    GoEditor& editor = *document.editor();
    editor.Next(1);
    editor.SetComment(GetParam());
    editor.Click(Point{2, 2});
  }
};

TEST_P(KilledProgramTest, EditsAreRestoredAsASaveWouldHaveWrittenThem) {
  const std::string path =
      directory_.Write("game.sgf", "(;FF[4]GM[1]CA[Windows-1252]SZ[9]PB[Jos\xe9];B[aa];W[bb])");
  InAKilledProgram([&] {
    Session killed(Folder());
    Edit(killed.document, path);
    killed.document.KeepRecoveryCopy();
    killed.journal.Flush();
  });
  std::string expected;
  {
    Session normal(directory_.path() / "unused");
    Edit(normal.document, path);
    normal.ui.fileName = directory_.PathOf("normal.sgf");
    ASSERT_TRUE(normal.document.Save(true));
    expected = ReadFileBytes(*normal.ui.fileName);
  }
  ASSERT_EQ(CopyCount(), 1u);
  Session next(Folder());
  next.document.OnNewDocument();
  next.ui.choices = {Answer::Yes};
  next.document.OfferRecoveredRecords();
  ASSERT_EQ(next.ui.shown.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      next.ui.shown[0],
      std::regex(
          R"(\? Restore the unsaved changes to game\.sgf from \d{4}-\d\d-\d\d \d\d:\d\d\?)")))
      << next.ui.shown[0];
  EXPECT_EQ(next.document.path(), path);
  EXPECT_TRUE(next.document.IsModified());
  ASSERT_TRUE(next.document.Save(false));
  EXPECT_EQ(ReadFileBytes(path), expected);
  next.journal.Flush();
  EXPECT_EQ(CopyCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Comments, KilledProgramTest,
                         ::testing::Values(u"caf\u00e9", u"\u65e5\u672c\u306e\u78c1"));

// A game of a file of several comes back as that game, and is saved in its
// place among the others; a copy of a file that is gone is saved as the
// file it was.
TEST_F(RecoveryTest, ARestoredGameIsSavedInItsPlaceOrAsTheFileThatIsGone) {
  const std::string games = "(;PB[one];B[aa])\n(;PB[two];B[bb])\n(;PB[three];B[cc])\n";
  for (const bool removed : {false, true}) {
    SCOPED_TRACE(removed ? "file removed" : "file kept");
    const std::string path = directory_.Write("games.sgf", games);
    InAKilledProgram([&] {
      Session killed(Folder());
      if (!killed.document.OnOpenDocument(path, 1).ok) _exit(2);
      killed.editor().SetComment(u"mine");
      killed.document.KeepRecoveryCopy();
      killed.journal.Flush();
    });
    if (removed) std::filesystem::remove(path);
    Session next(Folder());
    next.document.OnNewDocument();
    next.ui.choices = {Answer::Yes};
    next.document.OfferRecoveredRecords();
    EXPECT_EQ(next.document.path(), path);
    EXPECT_EQ(next.document.gameIndex(), removed ? 0u : 1u);
    ASSERT_TRUE(next.document.Save(false));
    EXPECT_EQ(ReadFileBytes(path),
              removed ? "(;C[mine]PB[two]\r\n;B[bb])"
                      : "(;PB[one];B[aa])\n(;C[mine]PB[two]\r\n;B[bb])\n(;PB[three];B[cc])\n");
    EXPECT_EQ(next.ui.shown.size(), 1u) << "no question but the offer";
    next.journal.Flush();
    EXPECT_EQ(CopyCount(), 0u);
  }
}

TEST_F(RecoveryTest, ACrashWhileACopyIsWrittenLeavesThePreviousCopyWhole) {
  InAKilledProgram([&] {
    RecoveryCopy copy(Folder());
    if (!copy.Write({"/games/a.sgf", 1, 932, 1700000000}, "(;C[first])")) _exit(2);
    // The next copy outgrows what the file may hold: the kernel kills the
    // program in the middle of writing it.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const rlimit small{200, 200};
    setrlimit(RLIMIT_FSIZE, &small);
    copy.Write({"/games/a.sgf", 1, 932, 1700000001}, "(;C[" + std::string(1000, 'x') + "])");
  });
  auto copies = TakeAbandonedCopies(Folder());
  ASSERT_EQ(copies.size(), 1u);
  const auto recovered = copies[0]->Read();
  ASSERT_TRUE(recovered);
  EXPECT_EQ(recovered->sgf, "(;C[first])");
  EXPECT_EQ(recovered->info.path, "/games/a.sgf");
  EXPECT_EQ(recovered->info.codePage, 932);
  EXPECT_EQ(recovered->info.time, 1700000000);
  // The unfinished copy is gone with the program that wrote it.
  EXPECT_FALSE(std::filesystem::exists(copies[0]->file().replace_extension(".tmp")));
}

// A lock belongs to an open file, not to a process: two copies of one
// process stand for two programs.
TEST_F(RecoveryTest, TwoProgramsAtOnceNeverTakeEachOthersCopies) {
  auto other = std::make_unique<RecoveryCopy>(Folder());
  ASSERT_TRUE(other->Write({"/games/other.sgf", 1, 65001, 1}, "(;C[other])"));
  RecoveryCopy mine(Folder());
  ASSERT_TRUE(mine.Write({"/games/mine.sgf", 1, 65001, 2}, "(;C[mine])"));
  EXPECT_TRUE(TakeAbandonedCopies(Folder()).empty());
  other.reset();  // the other program ends
  const auto copies = TakeAbandonedCopies(Folder());
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0]->Read()->info.path, "/games/other.sgf");
}

// The files of these copies no longer exist: they are offered under their
// old names all the same.
TEST_F(RecoveryTest, NoDeletesACopyAndCancelKeepsItForTheNextStart) {
  LeaveCopy(directory_.PathOf("first.sgf"), "(;C[first])");
  LeaveCopy(directory_.PathOf("second.sgf"), "(;C[second])");
  // Oldest first, by the time the copies were written.
  for (const auto& copy : std::filesystem::directory_iterator(Folder())) {
    if (copy.path().extension() != ".sgf") continue;
    const bool first = ReadFileBytes(copy.path()).ends_with("(;C[first])");
    std::filesystem::last_write_time(copy.path(), std::filesystem::file_time_type::clock::now() -
                                                      std::chrono::hours(first ? 2 : 1));
  }
  {
    Session start(Folder());
    start.document.OnNewDocument();
    start.ui.choices = {Answer::Cancel, Answer::No};
    start.document.OfferRecoveredRecords();
    ASSERT_EQ(start.ui.shown.size(), 2u);
    EXPECT_TRUE(start.ui.shown[0].starts_with("? Restore the unsaved changes to first.sgf from "));
    EXPECT_TRUE(start.ui.shown[1].starts_with("? Restore the unsaved changes to second.sgf from "));
    EXPECT_FALSE(start.document.IsModified());
  }
  EXPECT_EQ(CopyCount(), 1u);
  Session again(Folder());
  again.document.OnNewDocument();
  again.document.OfferRecoveredRecords();
  ASSERT_EQ(again.ui.shown.size(), 1u);
  EXPECT_TRUE(again.ui.shown[0].starts_with("? Restore the unsaved changes to first.sgf from "));
}

// A copy exists while, and only while, the record has unsaved edits.
TEST_F(RecoveryTest, SavingDroppingOrUndoingTheEditsRemovesTheCopy) {
  const std::string path = directory_.Write("game.sgf", "(;SZ[9];B[aa])");
  Session session(Folder());
  const auto copies = [&] {
    session.document.KeepRecoveryCopy();
    session.journal.Flush();
    return CopyCount();
  };
  session.document.OnOpenDocument(path);
  EXPECT_EQ(copies(), 0u);
  session.editor().SetComment(u"one");
  EXPECT_EQ(copies(), 1u);
  session.editor().Undo();
  EXPECT_EQ(copies(), 0u);
  session.editor().SetComment(u"two");
  EXPECT_EQ(copies(), 1u);
  ASSERT_TRUE(session.document.Save(false));
  EXPECT_EQ(copies(), 0u);
  session.editor().SetComment(u"three");
  EXPECT_EQ(copies(), 1u);
  // Dropped at the question before the window closes: the edits stay in the
  // window until the program ends, but no copy of them comes back.
  session.ui.saveAnswer = DocumentUi::SaveAnswer::Discard;
  ASSERT_TRUE(session.document.AllowReplacingRecord());
  EXPECT_EQ(copies(), 0u);
}

TEST(BackgroundJobs, ARemovalIsNeverSkippedAndOnlyTheLatestCopyIsWritten) {
  BackgroundJobs jobs;
  std::atomic<bool> started = false;
  std::atomic<bool> release = false;
  std::vector<std::string> ran;
  jobs.Submit(
      [&] {
        started = true;
        while (!release) std::this_thread::yield();
        ran.push_back("running");
      },
      BackgroundJobs::Kind::Replaceable);
  while (!started) std::this_thread::yield();
  jobs.Submit([&] { ran.push_back("old copy"); }, BackgroundJobs::Kind::Replaceable);
  jobs.Submit([&] { ran.push_back("removal"); }, BackgroundJobs::Kind::Kept);
  jobs.Submit([&] { ran.push_back("newer copy"); }, BackgroundJobs::Kind::Replaceable);
  jobs.Submit([&] { ran.push_back("newest copy"); }, BackgroundJobs::Kind::Replaceable);
  release = true;
  jobs.WaitUntilIdle();
  EXPECT_EQ(ran, (std::vector<std::string>{"running", "removal", "newest copy"}));
}

}  // namespace
}  // namespace vantaro::test
