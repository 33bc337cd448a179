#include "document/command_table.h"

#include <functional>
#include <utility>

#include "document/command_ids.h"
#include "document/vantaro_doc.h"
#include "editor/game_tree_model.h"

namespace vantaro {
namespace {

using namespace command;

struct ToolCommand {
  int id;
  std::string_view text;
  Tool tool;
};

constexpr ToolCommand kToolCommands[] = {
    {kAlternateMove, "&Alternate Move", Tool::AlternateMove},
    {kAddBlack, "Add Black", Tool::AddBlack},
    {kAddWhite, "Add White", Tool::AddWhite},
    {kAddEmpty, "Add Empty", Tool::AddEmpty},
    {kCircle, "Circle", Tool::Circle},
    {kTriangle, "Triangle", Tool::Triangle},
    {kSquare, "Square", Tool::Square},
    {kCross, "Cross", Tool::Cross},
    {kLabel, "Label", Tool::Label},
    {kDeleteMarkers, "Delete Markers", Tool::DeleteMarkers},
};

// Builds the rows. Commands outlive the builder: what they capture is the
// document and its options, never the builder.
class Builder {
 public:
  Builder(CVantaroCEDoc& document, std::vector<Command>& commands)
      : doc_(&document), commands_(commands) {}

  void Build();

 private:
  void Add(Command command) { commands_.push_back(std::move(command)); }

  // The rule most rows share: an editor exists and the test (a const member
  // of GoEditor or a callable taking one) holds for it.
  template <typename Test>
  std::function<bool()> EditorExistsAnd(Test test) const {
    return [doc = doc_, test] {
      const GoEditor* editor = doc->editor();
      return editor != nullptr && static_cast<bool>(std::invoke(test, *editor));
    };
  }
  std::function<bool()> EditorExists() const {
    return [doc = doc_] { return doc->editor() != nullptr; };
  }
  // Editable: normal mode, and not read-only unless moves are being tried.
  std::function<bool()> Editable() const { return EditorExistsAnd(&GoEditor::EditAllowed); }
  // An editor operation; it does nothing while there is no editor.
  template <typename Operation>
  std::function<void()> OnEditor(Operation operation) const {
    return [doc = doc_, operation] {
      if (GoEditor* editor = doc->editor()) std::invoke(operation, *editor);
    };
  }
  // A test of the settings: a bool member of Options or a callable taking them.
  template <typename Test>
  std::function<bool()> OptionsSay(Test test) const {
    return [options = &doc_->options(), test] {
      return static_cast<bool>(std::invoke(test, std::as_const(*options)));
    };
  }
  std::function<void()> Toggle(bool Options::*field) const {
    return [options = &doc_->options(), field] { options->*field = !(options->*field); };
  }
  // A view setting changes, then every pane is told.
  std::function<void()> ChangeView(std::function<void(Options&)> change) const {
    return [doc = doc_, change = std::move(change)] {
      change(doc->options());
      if (UpdateSink* sink = doc->editor()) sink->OnViewOptionsChanged();
    };
  }
  std::function<void()> ToggleView(bool Options::*field) const {
    return ChangeView([field](Options& o) { o.*field = !(o.*field); });
  }
  void AddMoveNumberCount(int id, std::string_view text, int count) {
    Add({
        .id = id,
        .menuText = text,
        .run = ChangeView([count](Options& o) {
          o.showMoveNumber = true;
          o.showMoveCount = count;
        }),
        .checked = OptionsSay(
            [count](const Options& o) { return o.showMoveNumber && o.showMoveCount == count; }),
    });
  }

  // The main window's layout is a view setting: the window follows it.
  void AddLayout(int id, std::string_view text, LayoutChoice choice) {
    Add({
        .id = id,
        .menuText = text,
        .run = ChangeView([choice](Options& o) { o.windowLayout = static_cast<int>(choice); }),
        .checked =
            OptionsSay([choice](const Options& o) { return WindowLayoutChoice(o) == choice; }),
    });
  }

  void AddPaneStep(int id, std::string_view text, std::string_view keys,
                   DocumentUi::PaneStep step) {
    Add({
        .id = id,
        .menuText = text,
        .keys = keys,
        .run = [doc = doc_, step] { doc->ui().MoveKeyboard(step); },
        .enabled = [doc = doc_] { return doc->ui().CanMoveKeyboard(); },
    });
  }

  // A printout or picture command: the shell produces it, for a record
  // unless it only edits the settings.
  void AddOutput(int id, std::string_view text, DocumentUi::Output output,
                 std::string_view keys = {}) {
    Add({
        .id = id,
        .menuText = text,
        .keys = keys,
        .run = [doc = doc_, output] { doc->ui().Produce(output); },
        .enabled =
            [doc = doc_, output] {
              return doc->ui().CanProduce(output) &&
                     (output == DocumentUi::Output::PageSetup || doc->editor() != nullptr);
            },
    });
  }

  void FileMenu();
  void GameListCommands();
  void OutputCommands();
  void EditMenu();
  void MoveMenu();
  void ViewMenu();
  void GameTreeMenu();
  void OptionsMenu();

  CVantaroCEDoc* doc_;
  std::vector<Command>& commands_;
};

void Builder::Build() {
  FileMenu();
  GameListCommands();
  OutputCommands();
  EditMenu();
  MoveMenu();
  ViewMenu();
  GameTreeMenu();
  OptionsMenu();
}

void Builder::FileMenu() {
  CVantaroCEDoc* doc = doc_;
  Add({
      .id = kNew,
      .menuText = "&New\tCtrl+N",
      .keys = "Ctrl+N",
      .run = [doc] { doc->New(); },
  });
  Add({
      .id = kOpen,
      .menuText = "&Open...\tCtrl+O",
      .keys = "Ctrl+O",
      .run = [doc] { doc->Open(); },
  });
  Add({
      .id = kReload,
      .menuText = "&Reload",
      .run = [doc] { doc->Reload(); },
      .enabled = [doc] { return doc->CanReload(); },
  });
  // The shell shows it as a submenu of EncodingChoices(), each item calling
  // ReopenWithEncoding with its code page; run alone, it asks for the number.
  Add({
      .id = kReopenWithEncoding,
      .menuText = "Reopen With &Encoding",
      .run = [doc] { doc->PromptReopenWithEncoding(); },
      .enabled = [doc] { return doc->CanReload(); },
  });
  Add({
      .id = kSave,
      .menuText = "&Save\tCtrl+S",
      .keys = "Ctrl+S",
      .run = [doc] { doc->Save(false); },
  });
  Add({
      .id = kSaveAs,
      .menuText = "Save &As...\tCtrl+Shift+S",
      .keys = "Ctrl+Shift+S",
      .run = [doc] { doc->Save(true); },
  });
  Add({
      .id = kAbout,
      .menuText = "&About Vantaro...",
      .run = [doc] { doc->ui().ShowAbout(); },
  });
  Add({
      .id = kExit,
      .menuText = "E&xit\tCtrl+Q",
      // One window holds one record: closing it ends the program.
      .keys = "Ctrl+Q, Ctrl+W",
      .run = [doc] { doc->ui().Exit(); },
  });
}

void Builder::GameListCommands() {
  CVantaroCEDoc* doc = doc_;
  const auto listing = [doc] { return doc->ui().CanListGames(); };
  Add({
      .id = kOpenFolder,
      .menuText = "Open &Folder...",
      .run = [doc] { doc->ui().ListFolder(); },
      .enabled = listing,
  });
  Add({
      .id = kGameList,
      .menuText = "&Games...\tCtrl+L",
      .keys = "Ctrl+L",
      .run = [doc] { doc->ui().ShowGameList(); },
      .enabled = listing,
  });
  Add({
      .id = kNextGame,
      .menuText = "Next Game\tCtrl+PgDown",
      .keys = "Ctrl+PgDown",
      .run = [doc] { doc->OpenNeighbourGame(1); },
      .enabled = [doc] { return doc->NeighbourGame(1).has_value(); },
  });
  Add({
      .id = kPreviousGame,
      .menuText = "Previous Game\tCtrl+PgUp",
      .keys = "Ctrl+PgUp",
      .run = [doc] { doc->OpenNeighbourGame(-1); },
      .enabled = [doc] { return doc->NeighbourGame(-1).has_value(); },
  });
}

void Builder::OutputCommands() {
  using Output = DocumentUi::Output;
  AddOutput(kPageSetup, "Page Set&up...", Output::PageSetup);
  AddOutput(kPrintPreview, "Print Pre&view...", Output::PrintPreview);
  AddOutput(kPrint, "&Print...\tCtrl+P", Output::Print, "Ctrl+P");
  AddOutput(kExportPdf, "P&DF...", Output::ExportPdf);
  AddOutput(kExportBoardPng, "Board as P&NG...", Output::BoardPng);
  AddOutput(kExportBoardSvg, "Board as &SVG...", Output::BoardSvg);
}

void Builder::EditMenu() {
  CVantaroCEDoc* doc = doc_;
  Add({
      .id = kUndo,
      .menuText = "&Undo\tCtrl+Z",
      .keys = "Ctrl+Z, Alt+Backspace",
      .run = OnEditor(&GoEditor::Undo),
      .enabled = EditorExistsAnd(&GoEditor::CanUndo),
  });
  Add({
      .id = kRedo,
      .menuText = "&Redo\tCtrl+Y",
      .keys = "Ctrl+Y, Ctrl+Shift+Z",
      .run = OnEditor(&GoEditor::Redo),
      .enabled = EditorExistsAnd(&GoEditor::CanRedo),
  });
  Add({
      .id = kPasteRecord,
      .menuText = "Paste Record\tCtrl+Shift+V",
      .keys = "Ctrl+Shift+V",
      .run = [doc] { doc->PasteRecord(); },
  });
  Add({
      .id = kTryPlay,
      .menuText = "Try Play",
      .run = OnEditor([](GoEditor& e) { e.tryPlayActive() ? e.StopTryPlay() : e.StartTryPlay(); }),
      .enabled = EditorExistsAnd([](const GoEditor& e) { return e.mode() == EditorMode::Normal; }),
      .checked = EditorExistsAnd(&GoEditor::tryPlayActive),
  });
  Add({
      .id = kSaveTryPlay,
      .menuText = "Save Try Play",
      .run = OnEditor(&GoEditor::SaveTryPlay),
      .enabled = EditorExistsAnd(&GoEditor::CanSaveTryPlay),
  });
  Add({
      .id = kReadOnly,
      .menuText = "Read Only",
      .run = OnEditor([](GoEditor& e) {
        e.SetReadOnly(!e.readOnly());
        static_cast<UpdateSink&>(e).OnStatusChanged();
      }),
      .enabled = EditorExists(),
      .checked = EditorExistsAnd(&GoEditor::readOnly),
  });
  Add({
      .id = kGameInformation,
      .menuText = "Game Information",
      .run = [doc] { doc->EditGameInformation(); },
      .enabled = EditorExists(),
  });
  for (const ToolCommand& tool : kToolCommands) {
    const Tool chosen = tool.tool;
    Add({
        .id = tool.id,
        .menuText = tool.text,
        .run = OnEditor([chosen](GoEditor& e) { e.ChooseTool(chosen); }),
        .enabled = Editable(),
        .checked = EditorExistsAnd([chosen](const GoEditor& e) { return e.tool() == chosen; }),
    });
  }
  Add({
      .id = kPass,
      .menuText = "Pass",
      .run = OnEditor(&GoEditor::Pass),
      .enabled = EditorExistsAnd(&GoEditor::CanPass),
  });
  Add({
      .id = kAddBranch,
      .menuText = "Add Branch",
      .run = OnEditor(&GoEditor::AddBranch),
      .enabled = Editable(),
  });
  Add({
      .id = kDelete,
      .menuText = "Delete",
      .run = OnEditor(&GoEditor::Delete),
      .enabled = EditorExistsAnd(&GoEditor::CanDelete),
  });
  Add({
      .id = kDeleteAfterCurrent,
      .menuText = "Del After Current",
      .run = OnEditor(&GoEditor::DeleteAfterCurrent),
      .enabled = Editable(),
  });
  Add({
      .id = kEditNodeName,
      .menuText = "Edit Node Name",
      .run = [doc] { doc->EditNodeName(); },
      .enabled = EditorExistsAnd(&GoEditor::CanSetNodeName),
  });
  Add({
      .id = kSetMoveNumber,
      .menuText = "Set",
      .run = [doc] { doc->SetMoveNumber(); },
      .enabled = EditorExistsAnd(&GoEditor::CanSetMoveNumber),
  });
  Add({
      .id = kUnsetMoveNumber,
      .menuText = "Unset",
      .run = OnEditor(&GoEditor::UnsetMoveNumber),
      .enabled = EditorExistsAnd(&GoEditor::CanUnsetMoveNumber),
  });
  Add({
      .id = kAutoSetMoveNumbers,
      .menuText = "Auto Set",
      .run = [doc] { doc->AutoSetMoveNumbers(); },
      .enabled = Editable(),
  });
  Add({
      .id = kUnsetAllMoveNumbers,
      .menuText = "Unset All",
      .run = OnEditor(&GoEditor::UnsetAllMoveNumbers),
      .enabled = Editable(),
  });
}

void Builder::MoveMenu() {
  CVantaroCEDoc* doc = doc_;
  Add({
      .id = kBack,
      .menuText = "Back",
      .run = OnEditor(&GoEditor::GoBack),
      .enabled = EditorExistsAnd(&GoEditor::CanGoBack),
  });
  Add({
      .id = kForward,
      .menuText = "Forward",
      .run = OnEditor(&GoEditor::GoForward),
      .enabled = EditorExistsAnd(&GoEditor::CanGoForward),
  });
  Add({
      .id = kFirst,
      .menuText = "&First",
      .keys = "Home",
      .run = OnEditor(&GoEditor::First),
      .enabled = EditorExistsAnd(&GoEditor::CanFirst),
  });
  Add({
      .id = kLast,
      .menuText = "&Last",
      .keys = "End",
      .run = OnEditor(&GoEditor::Last),
      .enabled = EditorExistsAnd(&GoEditor::Navigable),
  });
  Add({
      .id = kParent,
      .menuText = "Parent",
      .keys = "Return, Enter",
      .run = OnEditor(&GoEditor::Parent),
      .enabled = EditorExistsAnd(&GoEditor::CanParent),
  });
  Add({
      .id = kChild,
      .menuText = "Child",
      .run = OnEditor(&GoEditor::Child),
      .enabled = EditorExistsAnd(&GoEditor::CanChild),
  });
  Add({
      .id = kPrevBranch,
      .menuText = "Prev Branch",
      .keys = "Up",
      .run = OnEditor(&GoEditor::PrevBranch),
      .enabled = EditorExistsAnd(&GoEditor::CanPrevBranch),
  });
  Add({
      .id = kNextBranch,
      .menuText = "Next Branch",
      .keys = "Down",
      .run = OnEditor(&GoEditor::NextBranch),
      .enabled = EditorExistsAnd(&GoEditor::CanNextBranch),
  });
  Add({
      .id = kBranchStart,
      .menuText = "Branch Start",
      .run = OnEditor(&GoEditor::BranchStart),
      .enabled = EditorExistsAnd(&GoEditor::CanBranchStart),
  });
  Add({
      .id = kBranchEnd,
      .menuText = "Branch End",
      .run = OnEditor(&GoEditor::BranchEnd),
      .enabled = EditorExistsAnd(&GoEditor::CanBranchEnd),
  });
  Add({
      .id = kPrevComment,
      .menuText = "Prev Comment",
      .run = OnEditor(&GoEditor::PrevComment),
      .enabled = EditorExistsAnd(&GoEditor::Navigable),
  });
  Add({
      .id = kNextComment,
      .menuText = "Next Comment",
      .run = OnEditor(&GoEditor::NextComment),
      .enabled = EditorExistsAnd(&GoEditor::Navigable),
  });
  Add({
      .id = kFastRewind,
      .menuText = "Fast Rewind",
      .keys = "PgUp",
      .run = OnEditor([doc](GoEditor& e) { e.Previous(doc->options().fastTraverseStep); }),
      .enabled = EditorExistsAnd(&GoEditor::CanPrevious),
  });
  Add({
      .id = kPrevious,
      .menuText = "&Previous",
      .keys = "Left",
      .run = OnEditor([](GoEditor& e) { e.Previous(1); }),
      .enabled = EditorExistsAnd(&GoEditor::CanPrevious),
  });
  Add({
      .id = kNext,
      .menuText = "&Next",
      .keys = "Right",
      .run = OnEditor([](GoEditor& e) { e.Next(1); }),
      .enabled = EditorExistsAnd(&GoEditor::CanNext),
  });
  Add({
      .id = kFastForward,
      .menuText = "Fast Forward",
      .keys = "PgDown",
      .run = OnEditor([doc](GoEditor& e) { e.Next(doc->options().fastTraverseStep); }),
      .enabled = EditorExistsAnd(&GoEditor::CanNext),
  });
  Add({
      .id = kToMoveNumber,
      .menuText = "To Move Number",
      .run = [doc] { doc->ToMoveNumber(); },
      .enabled = EditorExistsAnd(&GoEditor::Navigable),
  });
  Add({
      .id = kToClicked,
      .menuText = "To Clicked",
      .run = OnEditor(&GoEditor::StartToClicked),
      .enabled = EditorExistsAnd(&GoEditor::CanToClicked),
  });
}

void Builder::ViewMenu() {
  CVantaroCEDoc* doc = doc_;
  Add({
      .id = kBitmapBoard,
      .menuText = "Bitmap Board",
      .run = ToggleView(&Options::boardBitmap),
      .checked = OptionsSay(&Options::boardBitmap),
  });
  Add({
      .id = kShowCoordinate,
      .menuText = "&Show Coordinate",
      .run = ToggleView(&Options::showCoord),
      .checked = OptionsSay(&Options::showCoord),
  });
  Add({
      .id = kShowI,
      .menuText = "Show I",
      .run =
          [doc] {
            doc->options().showCoordI = !doc->options().showCoordI;
            GoEditor* editor = doc->editor();
            if (editor == nullptr) return;
            editor->OnViewOptionsChanged();
            editor->OnTreeChanged(editor->recordRoot());
            editor->OnCurrentNodeChanged(0, editor->CurrentNode(), nullptr);
          },
      .checked = OptionsSay(&Options::showCoordI),
  });
  Add({
      .id = kToggleMoveNumbers,
      .menuText = "Toggle Show/Hide",
      .run = ChangeView([](Options& o) {
        o.showMoveNumber = !o.showMoveNumber;
        if (o.showMoveNumber && o.showMoveCount < 1) o.showMoveCount = 10000;
      }),
      .checked = OptionsSay(&Options::showMoveNumber),
  });
  Add({
      .id = kHideAllMoveNumbers,
      .menuText = "Hide All",
      .run = ChangeView([](Options& o) { o.showMoveNumber = false; }),
      .checked = OptionsSay([](const Options& o) { return !o.showMoveNumber; }),
  });
  AddMoveNumberCount(kLast1, "Last 1", 1);
  AddMoveNumberCount(kLast2, "Last 2", 2);
  AddMoveNumberCount(kLast5, "Last 5", 5);
  AddMoveNumberCount(kLast10, "Last 10", 10);
  AddMoveNumberCount(kLast20, "Last 20", 20);
  AddMoveNumberCount(kLast50, "Last 50", 50);
  AddMoveNumberCount(kShowAllMoveNumbers, "Show All", 10000);
  Add({
      .id = kResetInBranch,
      .menuText = "Reset In Branch",
      .run =
          [doc] {
            doc->options().autoSetMNinBranch = !doc->options().autoSetMNinBranch;
            GoEditor* editor = doc->editor();
            if (editor == nullptr) return;
            // Numbering restarts are computed by the replay: run it again.
            editor->SetCurrentNode(nullptr);
            editor->OnViewOptionsChanged();
          },
      .checked = OptionsSay(&Options::autoSetMNinBranch),
  });
  Add({
      .id = kHideMarkers,
      .menuText = "Hide Markers",
      .run = ToggleView(&Options::showMarkers),
      .checked = OptionsSay([](const Options& o) { return !o.showMarkers; }),
  });
  Add({
      .id = kShowBranchMoves,
      .menuText = "Show Branch Moves",
      .run = ToggleView(&Options::showNextMoves),
      .checked = OptionsSay(&Options::showNextMoves),
  });
  Add({
      .id = kShowNextMove,
      .menuText = "Show Next Move",
      .run = ToggleView(&Options::showNextOnlyMove),
      .enabled = OptionsSay(&Options::showNextMoves),
      .checked = OptionsSay([](const Options& o) { return o.showNextMoves && o.showNextOnlyMove; }),
  });
  Add({
      .id = kRotateClockwise,
      .menuText = "Rotate Clockwise",
      .run = ChangeView([](Options& o) { o.rotation = (o.rotation + 1) % 4; }),
      .checked = OptionsSay([](const Options& o) { return o.rotation != 0; }),
  });
  Add({
      .id = kFlipHorizontal,
      .menuText = "Flip Horizontal",
      .run = ToggleView(&Options::flipHorizontal),
      .checked = OptionsSay(&Options::flipHorizontal),
  });
  Add({
      .id = kFlipVertical,
      .menuText = "Flip Vertical",
      .run = ToggleView(&Options::flipVertical),
      .checked = OptionsSay(&Options::flipVertical),
  });
  Add({
      .id = kResetBoard,
      .menuText = "Reset Board",
      .run = ChangeView([](Options& o) {
        o.rotation = 0;
        o.flipHorizontal = o.flipVertical = false;
      }),
      .enabled = OptionsSay(
          [](const Options& o) { return o.rotation != 0 || o.flipHorizontal || o.flipVertical; }),
  });
  AddPaneStep(kNextPane, "Next Pane\tF6", "F6", DocumentUi::PaneStep::Next);
  AddPaneStep(kPreviousPane, "Previous Pane\tShift+F6", "Shift+F6", DocumentUi::PaneStep::Previous);
  AddLayout(kLayoutAutomatic, "Automatic", LayoutChoice::Automatic);
  AddLayout(kLayoutBoardAboveComment, "Board Above Comment", LayoutChoice::BoardAboveComment);
  AddLayout(kLayoutBoardBesidePanel, "Board Beside Panel", LayoutChoice::BoardBesidePanel);
}

void Builder::GameTreeMenu() {
  CVantaroCEDoc* doc = doc_;
  Add({
      .id = kShowGameTree,
      .menuText = "Show Game Tree",
      .run = ToggleView(&Options::showTreePane),
      .checked = OptionsSay(&Options::showTreePane),
  });
  Add({
      .id = kTreeMoveNumbers,
      .menuText = "Move Numbers",
      .run = ToggleView(&Options::treeMoveNumbers),
      .checked = OptionsSay(&Options::treeMoveNumbers),
  });
  Add({
      .id = kTreeVertical,
      .menuText = "Vertical",
      .run = ToggleView(&Options::treeVertical),
      .checked = OptionsSay(&Options::treeVertical),
  });
  // Folds belong to the tree pane: without one they are disabled.
  const auto onTree = [doc](bool (GameTreeModel::*operation)()) -> std::function<void()> {
    return [doc, operation] {
      if (GameTreeModel* tree = doc->treeModel()) (tree->*operation)();
    };
  };
  const auto treeSays = [doc](bool (GameTreeModel::*test)() const) -> std::function<bool()> {
    return [doc, test] {
      const GameTreeModel* tree = doc->treeModel();
      return doc->editor() != nullptr && tree != nullptr && (tree->*test)();
    };
  };
  Add({
      .id = kFoldHere,
      .menuText = "Fold Here",
      .run = onTree(&GameTreeModel::FoldHere),
      .enabled = treeSays(&GameTreeModel::CanFoldHere),
  });
  Add({
      .id = kUnfoldHere,
      .menuText = "Unfold Here",
      .run = onTree(&GameTreeModel::UnfoldHere),
      .enabled = treeSays(&GameTreeModel::CanUnfoldHere),
  });
  Add({
      .id = kUnfoldAll,
      .menuText = "Unfold All",
      .run = onTree(&GameTreeModel::UnfoldAll),
      .enabled = treeSays(&GameTreeModel::CanUnfoldAll),
  });
}

void Builder::OptionsMenu() {
  CVantaroCEDoc* doc = doc_;
  const auto boardIs = [this](int width, int height) {
    return EditorExistsAnd(
        [width, height](const GoEditor& e) { return e.width() == width && e.height() == height; });
  };
  Add({
      .id = kBoard19,
      .menuText = "19x19 Board",
      .run = [doc] { doc->ChangeBoardSize(19, 19); },
      .checked = boardIs(19, 19),
  });
  Add({
      .id = kBoard9,
      .menuText = "9x9 Board",
      .run = [doc] { doc->ChangeBoardSize(9, 9); },
      .checked = boardIs(9, 9),
  });
  Add({
      .id = kCustomSize,
      .menuText = "Custom Size",
      .run = [doc] { doc->CustomSize(); },
      .checked = EditorExistsAnd([](const GoEditor& e) {
        return !(e.width() == 19 && e.height() == 19) && !(e.width() == 9 && e.height() == 9);
      }),
  });
  Add({
      .id = kPlaySound,
      .menuText = "Play Sound",
      .run =
          [doc] {
            doc->options().playSound = !doc->options().playSound;
            if (GoEditor* editor = doc->editor()) editor->SetSoundOn(doc->options().playSound);
          },
      .checked = OptionsSay(&Options::playSound),
  });
  Add({
      .id = kBranchMode,
      .menuText = "Branch Mode",
      .run =
          [doc] {
            // The open record keeps its own mode; only the display is redrawn.
            doc->options().branchMode = !doc->options().branchMode;
            if (GoEditor* editor = doc->editor()) editor->OnBoardChanged();
          },
      .checked = OptionsSay(&Options::branchMode),
  });
  Add({
      .id = kAutoBranch,
      .menuText = "Auto Branch",
      .run = Toggle(&Options::autoBranch),
      .checked = OptionsSay(&Options::autoBranch),
  });
  Add({
      .id = kVariantFirst,
      .menuText = "Variant First",
      .run = Toggle(&Options::variantBranchFirst),
      .checked = OptionsSay(&Options::variantBranchFirst),
  });
  Add({
      .id = kWhiteFirst,
      .menuText = "White First",
      .run =
          [doc] {
            doc->options().whiteFirst = !doc->options().whiteFirst;
            GoEditor* editor = doc->editor();
            if (editor != nullptr && editor->moveNumber() == 0) {
              editor->SetBlackToPlay(!doc->options().whiteFirst);
              // The panes that show whose turn it is follow.
              editor->OnBoardChanged();
            }
          },
      .checked = OptionsSay(&Options::whiteFirst),
  });
  Add({
      .id = kUpAsPrevious,
      .menuText = "Up as Previous",
      .run = Toggle(&Options::useGoUpAsPrevious),
      .checked = OptionsSay(&Options::useGoUpAsPrevious),
  });
}

}  // namespace

std::string CommandName(std::string_view menuText) {
  std::string name;
  for (char c : menuText.substr(0, menuText.find('\t'))) {
    if (c != '&') name.push_back(c);
  }
  if (name.ends_with("...")) name.resize(name.size() - 3);
  return name;
}

CommandTable::CommandTable(CVantaroCEDoc& document) {
  Builder(document, commands_).Build();
}

const Command* CommandTable::Find(int id) const {
  for (const Command& command : commands_) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

const Command* CommandTable::FindByName(std::string_view name) const {
  for (const Command& command : commands_) {
    if (CommandName(command.menuText) == name) return &command;
  }
  return nullptr;
}

bool CommandTable::Run(int id) const {
  const Command* command = Find(id);
  if (command == nullptr || !command->IsEnabled()) return false;
  command->run();
  return true;
}

}  // namespace vantaro
