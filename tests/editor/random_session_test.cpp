// Long seeded random sessions on real records, checking invariants at every step.
#include <random>

#include "editor_fixture.h"
#include "record/record_format.h"

namespace vantaro::test {
namespace {

class RandomSessionTest : public EditorTest {
 protected:
  // A spread of real records: every fifth SGF file of the corpus.
  std::vector<std::filesystem::path> Records() {
    std::vector<std::filesystem::path> chosen;
    const auto all = CorpusFiles("sgf", {".sgf"});
    for (size_t i = 0; i < all.size(); i += 5) chosen.push_back(all[i]);
    return chosen;
  }

  void Load(const std::filesystem::path& path) {
    editor_ = std::make_unique<GoEditor>(options_, &sounds_);
    auto root = std::make_unique<GameTree>();
    ReadContext context{false, 65001};
    ASSERT_TRUE(LoadRecordFile(*root, path.string(), context).ok);
    editor_->InstallRecord(std::move(root), context.codePage);
  }

  // The cursor resolves to the current node and the board is what a fresh
  // replay of its path gives.
  void ExpectConsistent(const std::string& context) {
    const TreePath path = editor_->CurrentPath();
    const auto position = GameTree::Resolve(*editor_->recordRoot(), path);
    ASSERT_TRUE(position.has_value()) << context;
    ASSERT_EQ(position->node(), editor_->CurrentNode()) << context;
    GoBoard fresh;
    fresh.Attach(editor_->recordRoot());
    fresh.ReplayTo(path, options_.whiteFirst,
                   options_.autoSetMNinBranch && !editor_->IsBranchMode());
    ASSERT_EQ(fresh.width(), editor_->width()) << context;
    for (int x = 0; x < fresh.width(); ++x) {
      for (int y = 0; y < fresh.height(); ++y) {
        ASSERT_EQ(fresh.Cell(x, y), editor_->Cell(x, y)) << context << " at " << x << "," << y;
      }
    }
    ASSERT_EQ(fresh.moveNumber(), editor_->moveNumber()) << context;
  }

  void Navigate(std::mt19937& random) {
    GoEditor& e = *editor_;
    switch (random() % 16) {
      case 0:
        e.First();
        break;
      case 1:
        e.Last();
        break;
      case 2:
        e.Next(1 + static_cast<int>(random() % 6));
        break;
      case 3:
        e.Previous(1 + static_cast<int>(random() % 6));
        break;
      case 4:
        e.Parent();
        break;
      case 5:
        e.Child();
        break;
      case 6:
        e.PrevBranch();
        break;
      case 7:
        e.NextBranch();
        break;
      case 8:
        e.BranchStart();
        break;
      case 9:
        e.BranchEnd();
        break;
      case 10:
        e.PrevComment();
        break;
      case 11:
        e.NextComment();
        break;
      case 12:
        e.ToMoveNumber(static_cast<int>(random() % 300));
        break;
      case 13:
        e.GoBack();
        break;
      case 14:
        e.GoForward();
        break;
      case 15:
        e.StartToClicked();
        e.Click({static_cast<int>(random() % 19), static_cast<int>(random() % 19)});
        e.Click({0, 0});
        break;
    }
  }

  void Edit(std::mt19937& random) {
    GoEditor& e = *editor_;
    const Point point{static_cast<int>(random() % 19), static_cast<int>(random() % 19)};
    switch (random() % 18) {
      case 0:
      case 1:
      case 2:
        e.ChooseTool(Tool::AlternateMove);
        e.Click(point);
        break;
      case 3:
        e.Pass();
        break;
      case 4:
        e.AddBranch();
        break;
      case 5:
        e.Delete();
        break;
      case 6:
        e.DeleteAfterCurrent();
        break;
      case 7:
        e.SetComment(random() % 3 ? u"note " + std::u16string(1, u'a' + random() % 26) : u"");
        break;
      case 8:
        e.SetNodeName(random() % 2 ? u"name" : u"");
        break;
      case 9: {
        static constexpr Tool kMarkers[] = {Tool::AddBlack, Tool::AddWhite, Tool::AddEmpty,
                                            Tool::Circle,   Tool::Triangle, Tool::Square,
                                            Tool::Cross,    Tool::Label,    Tool::DeleteMarkers};
        if (e.tool() == Tool::AlternateMove) e.ChooseTool(kMarkers[random() % 9]);
        e.Click(point);
        e.ChooseTool(e.tool());  // back to moves
        break;
      }
      case 10:
        e.SetMoveNumber(static_cast<int>(random() % 100));
        break;
      case 11:
        e.UnsetMoveNumber();
        break;
      case 12:
        e.AutoSetMoveNumbers(1 + static_cast<int>(random() % 30));
        break;
      case 13:
        e.UnsetAllMoveNumbers();
        break;
      case 14:
        e.Undo();
        break;
      case 15:
        e.Redo();
        break;
      case 16:
        e.tryPlayActive() ? (random() % 2 ? e.StopTryPlay() : e.SaveTryPlay()) : e.StartTryPlay();
        break;
      case 17:
        Navigate(random);
        break;
    }
  }
};

TEST_F(RandomSessionTest, NavigationKeepsTheCursorAndBoardConsistent) {
  VANTARO_REQUIRE_SHARED();
  std::mt19937 random(20261206);
  for (const auto& path : Records()) {
    Load(path);
    options_.variantBranchFirst = random() % 2;
    options_.canGoSibling = random() % 2;
    options_.branchMode = random() % 2;
    for (int step = 0; step < 150; ++step) {
      Navigate(random);
      ExpectConsistent(path.string() + " step " + std::to_string(step));
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(RandomSessionTest, UndoingEverythingGivesBackTheRecordByteForByte) {
  VANTARO_REQUIRE_SHARED();
  std::mt19937 random(61202026);
  for (const auto& path : Records()) {
    Load(path);
    const std::string original = Sgf();
    for (int step = 0; step < 200; ++step) {
      Edit(random);
      ExpectConsistent(path.string() + " step " + std::to_string(step));
      if (HasFatalFailure()) return;
    }
    if (editor_->tryPlayActive()) editor_->SaveTryPlay();
    while (editor_->Redo()) {
    }
    const std::string edited = Sgf();
    while (editor_->Undo()) {
    }
    EXPECT_EQ(Sgf(), original) << path;
    while (editor_->Redo()) {
    }
    EXPECT_EQ(Sgf(), edited) << path;
  }
}

}  // namespace
}  // namespace vantaro::test
