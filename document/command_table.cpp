#include "document/command_table.h"

#include <algorithm>

#include "document/command_ids.h"
#include "document/vantaro_doc.h"

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

// Builds the rows; every test is false while there is no editor.
class Builder {
 public:
  Builder(CVantaroCEDoc& document, std::vector<Command>& commands)
      : doc_(document), commands_(commands) {}

  void Build();

 private:
  // Commands outlive the builder: they capture the document, never the builder.

  void Add(int id, std::string_view text, std::string_view keys, std::function<void()> run,
           std::function<bool()> enabled = {}, std::function<bool()> checked = {}) {
    commands_.push_back({id, text, keys, std::move(run), std::move(enabled), std::move(checked)});
  }
  // An editor operation enabled by its own test.
  void AddEditorCommand(int id, std::string_view text, std::string_view keys,
                        std::function<void(GoEditor&)> run,
                        std::function<bool(const GoEditor&)> enabled) {
    CVantaroCEDoc* doc = &doc_;
    Add(
        id, text, keys, [doc, run] { run(*doc->editor()); },
        [doc, enabled] { return doc->editor() != nullptr && enabled(*doc->editor()); });
  }
  // A view setting: changed, then every pane is told.
  void AddViewCommand(int id, std::string_view text, std::function<void(Options&)> change,
                      std::function<bool(const Options&)> checked,
                      std::function<bool(const Options&)> enabled = {}) {
    CVantaroCEDoc* doc = &doc_;
    Add(
        id, text, "",
        [doc, change] {
          change(doc->options());
          if (UpdateSink* sink = doc->editor()) sink->OnViewOptionsChanged();
        },
        enabled ? std::function<bool()>([doc, enabled] { return enabled(doc->options()); })
                : std::function<bool()>(),
        [doc, checked] { return checked(doc->options()); });
  }
  void AddOptionToggle(int id, std::string_view text, bool Options::*field) {
    Options* options = &doc_.options();
    Add(
        id, text, "", [options, field] { options->*field = !(options->*field); }, {},
        [options, field] { return options->*field; });
  }
  void AddMoveNumberCount(int id, std::string_view text, int count) {
    AddViewCommand(
        id, text,
        [count](Options& o) {
          o.showMoveNumber = true;
          o.showMoveCount = count;
        },
        [count](const Options& o) { return o.showMoveNumber && o.showMoveCount == count; });
  }

  void FileMenu();
  void EditMenu();
  void MoveMenu();
  void ViewMenu();
  void OptionsMenu();

  CVantaroCEDoc& doc_;
  std::vector<Command>& commands_;
};

void Builder::Build() {
  FileMenu();
  EditMenu();
  MoveMenu();
  ViewMenu();
  OptionsMenu();
}

void Builder::FileMenu() {
  CVantaroCEDoc* doc = &doc_;
  Add(kNew, "&New\tCtrl+N", "Ctrl+N", [doc] { doc->New(); });
  Add(kOpen, "&Open...\tCtrl+O", "Ctrl+O", [doc] { doc->Open(); });
  Add(
      kReload, "&Reload", "", [doc] { doc->Reload(); }, [doc] { return doc->CanReload(); });
  // The shell shows it as a submenu of EncodingChoices(), each item calling
  // ReopenWithEncoding with its code page; run alone, it asks for the number.
  Add(
      kReopenWithEncoding, "Reopen With &Encoding", "", [doc] { doc->PromptReopenWithEncoding(); },
      [doc] { return doc->CanReload(); });
  Add(kSave, "&Save\tCtrl+S", "Ctrl+S", [doc] { doc->Save(false); });
  Add(kSaveAs, "Save &As...", "", [doc] { doc->Save(true); });
  Add(kAbout, "&About VantaroCE...", "", [doc] { doc->ui().ShowAbout(); });
  Add(kExit, "E&xit", "", [doc] { doc->ui().Exit(); });
}

void Builder::EditMenu() {
  CVantaroCEDoc* doc = &doc_;
  AddEditorCommand(
      kUndo, "&Undo\tCtrl+Z", "Ctrl+Z, Alt+Backspace", [](GoEditor& e) { e.Undo(); },
      [](const GoEditor& e) { return e.CanUndo(); });
  AddEditorCommand(
      kRedo, "&Redo", "", [](GoEditor& e) { e.Redo(); },
      [](const GoEditor& e) { return e.CanRedo(); });
  Add(
      kTryPlay, "Try Play", "",
      [doc] {
        doc->editor()->tryPlayActive() ? doc->editor()->StopTryPlay()
                                       : doc->editor()->StartTryPlay();
      },
      [doc] { return doc->editor() && doc->editor()->mode() == EditorMode::Normal; },
      [doc] { return doc->editor() && doc->editor()->tryPlayActive(); });
  AddEditorCommand(
      kSaveTryPlay, "Save Try Play", "", [](GoEditor& e) { e.SaveTryPlay(); },
      [](const GoEditor& e) { return e.CanSaveTryPlay(); });
  Add(
      kReadOnly, "Read Only", "",
      [doc] {
        doc->editor()->SetReadOnly(!doc->editor()->readOnly());
        doc->editor()->OnStatusChanged();
      },
      [doc] { return doc->editor() != nullptr; },
      [doc] { return doc->editor() && doc->editor()->readOnly(); });
  Add(
      kGameInformation, "Game Information", "", [] {}, [] { return false; });
  for (const ToolCommand& tool : kToolCommands) {
    const Tool chosen = tool.tool;
    Add(
        tool.id, tool.text, "", [doc, chosen] { doc->editor()->ChooseTool(chosen); },
        [doc] { return doc->editor() && doc->editor()->EditAllowed(); },
        [doc, chosen] { return doc->editor() && doc->editor()->tool() == chosen; });
  }
  AddEditorCommand(
      kPass, "Pass", "", [](GoEditor& e) { e.Pass(); },
      [](const GoEditor& e) { return e.CanPass(); });
  AddEditorCommand(
      kAddBranch, "Add Branch", "", [](GoEditor& e) { e.AddBranch(); },
      [](const GoEditor& e) { return e.EditAllowed(); });
  AddEditorCommand(
      kDelete, "Delete", "", [](GoEditor& e) { e.Delete(); },
      [](const GoEditor& e) { return e.CanDelete(); });
  AddEditorCommand(
      kDeleteAfterCurrent, "Del After Current", "", [](GoEditor& e) { e.DeleteAfterCurrent(); },
      [](const GoEditor& e) { return e.EditAllowed(); });
  Add(
      kEditNodeName, "Edit Node Name", "", [doc] { doc->EditNodeName(); },
      [doc] { return doc->editor() && doc->editor()->CanSetNodeName(); });
  Add(
      kSetMoveNumber, "Set", "", [doc] { doc->SetMoveNumber(); },
      [doc] { return doc->editor() && doc->editor()->CanSetMoveNumber(); });
  AddEditorCommand(
      kUnsetMoveNumber, "Unset", "", [](GoEditor& e) { e.UnsetMoveNumber(); },
      [](const GoEditor& e) { return e.CanUnsetMoveNumber(); });
  Add(
      kAutoSetMoveNumbers, "Auto Set", "", [doc] { doc->AutoSetMoveNumbers(); },
      [doc] { return doc->editor() && doc->editor()->EditAllowed(); });
  AddEditorCommand(
      kUnsetAllMoveNumbers, "Unset All", "", [](GoEditor& e) { e.UnsetAllMoveNumbers(); },
      [](const GoEditor& e) { return e.EditAllowed(); });
}

void Builder::MoveMenu() {
  CVantaroCEDoc* doc = &doc_;
  AddEditorCommand(
      kBack, "Back", "", [](GoEditor& e) { e.GoBack(); },
      [](const GoEditor& e) { return e.CanGoBack(); });
  AddEditorCommand(
      kForward, "Forward", "", [](GoEditor& e) { e.GoForward(); },
      [](const GoEditor& e) { return e.CanGoForward(); });
  AddEditorCommand(
      kFirst, "&First", "", [](GoEditor& e) { e.First(); },
      [](const GoEditor& e) { return e.CanFirst(); });
  AddEditorCommand(
      kLast, "&Last", "", [](GoEditor& e) { e.Last(); },
      [](const GoEditor& e) { return e.Navigable(); });
  AddEditorCommand(
      kParent, "Parent", "Enter", [](GoEditor& e) { e.Parent(); },
      [](const GoEditor& e) { return e.CanParent(); });
  AddEditorCommand(
      kChild, "Child", "", [](GoEditor& e) { e.Child(); },
      [](const GoEditor& e) { return e.CanChild(); });
  AddEditorCommand(
      kPrevBranch, "Prev Branch", "Up", [](GoEditor& e) { e.PrevBranch(); },
      [](const GoEditor& e) { return e.CanPrevBranch(); });
  AddEditorCommand(
      kNextBranch, "Next Branch", "Down", [](GoEditor& e) { e.NextBranch(); },
      [](const GoEditor& e) { return e.CanNextBranch(); });
  AddEditorCommand(
      kBranchStart, "Branch Start", "", [](GoEditor& e) { e.BranchStart(); },
      [](const GoEditor& e) { return e.CanBranchStart(); });
  AddEditorCommand(
      kBranchEnd, "Branch End", "", [](GoEditor& e) { e.BranchEnd(); },
      [](const GoEditor& e) { return e.CanBranchEnd(); });
  AddEditorCommand(
      kPrevComment, "Prev Comment", "", [](GoEditor& e) { e.PrevComment(); },
      [](const GoEditor& e) { return e.Navigable(); });
  AddEditorCommand(
      kNextComment, "Next Comment", "", [](GoEditor& e) { e.NextComment(); },
      [](const GoEditor& e) { return e.Navigable(); });
  Add(
      kFastRewind, "Fast Rewind", "",
      [doc] { doc->editor()->Previous(doc->options().fastTraverseStep); },
      [doc] { return doc->editor() && doc->editor()->CanPrevious(); });
  AddEditorCommand(
      kPrevious, "&Previous", "Left", [](GoEditor& e) { e.Previous(1); },
      [](const GoEditor& e) { return e.CanPrevious(); });
  AddEditorCommand(
      kNext, "&Next", "Right", [](GoEditor& e) { e.Next(1); },
      [](const GoEditor& e) { return e.CanNext(); });
  Add(
      kFastForward, "Fast Forward", "",
      [doc] { doc->editor()->Next(doc->options().fastTraverseStep); },
      [doc] { return doc->editor() && doc->editor()->CanNext(); });
  Add(
      kToMoveNumber, "To Move Number", "", [doc] { doc->ToMoveNumber(); },
      [doc] { return doc->editor() && doc->editor()->Navigable(); });
  AddEditorCommand(
      kToClicked, "To Clicked", "", [](GoEditor& e) { e.StartToClicked(); },
      [](const GoEditor& e) { return e.CanToClicked(); });
}

void Builder::ViewMenu() {
  CVantaroCEDoc* doc = &doc_;
  AddViewCommand(
      kBitmapBoard, "Bitmap Board", [](Options& o) { o.boardBitmap = !o.boardBitmap; },
      [](const Options& o) { return o.boardBitmap; });
  AddViewCommand(
      kShowCoordinate, "&Show Coordinate", [](Options& o) { o.showCoord = !o.showCoord; },
      [](const Options& o) { return o.showCoord; });
  Add(
      kShowI, "Show I", "",
      [doc] {
        doc->options().showCoordI = !doc->options().showCoordI;
        if (!doc->editor()) return;
        doc->editor()->OnViewOptionsChanged();
        doc->editor()->OnTreeChanged(doc->editor()->recordRoot());
        doc->editor()->OnCurrentNodeChanged(0, doc->editor()->CurrentNode(), nullptr);
      },
      {}, [doc] { return doc->options().showCoordI; });
  AddViewCommand(
      kToggleMoveNumbers, "Toggle Show/Hide",
      [](Options& o) {
        o.showMoveNumber = !o.showMoveNumber;
        if (o.showMoveNumber && o.showMoveCount < 1) o.showMoveCount = 10000;
      },
      [](const Options& o) { return o.showMoveNumber; });
  AddViewCommand(
      kHideAllMoveNumbers, "Hide All", [](Options& o) { o.showMoveNumber = false; },
      [](const Options& o) { return !o.showMoveNumber; });
  AddMoveNumberCount(kLast1, "Last 1", 1);
  AddMoveNumberCount(kLast2, "Last 2", 2);
  AddMoveNumberCount(kLast5, "Last 5", 5);
  AddMoveNumberCount(kLast10, "Last 10", 10);
  AddMoveNumberCount(kLast20, "Last 20", 20);
  AddMoveNumberCount(kLast50, "Last 50", 50);
  AddMoveNumberCount(kShowAllMoveNumbers, "Show All", 10000);
  Add(
      kResetInBranch, "Reset In Branch", "",
      [doc] {
        doc->options().autoSetMNinBranch = !doc->options().autoSetMNinBranch;
        if (!doc->editor()) return;
        doc->editor()->SetCurrentNode(nullptr);
        doc->editor()->OnViewOptionsChanged();
      },
      {}, [doc] { return doc->options().autoSetMNinBranch; });
  AddViewCommand(
      kHideMarkers, "Hide Markers", [](Options& o) { o.showMarkers = !o.showMarkers; },
      [](const Options& o) { return !o.showMarkers; });
  AddViewCommand(
      kShowBranchMoves, "Show Branch Moves", [](Options& o) { o.showNextMoves = !o.showNextMoves; },
      [](const Options& o) { return o.showNextMoves; });
  AddViewCommand(
      kShowNextMove, "Show Next Move", [](Options& o) { o.showNextOnlyMove = !o.showNextOnlyMove; },
      [](const Options& o) { return o.showNextMoves && o.showNextOnlyMove; },
      [](const Options& o) { return o.showNextMoves; });
  AddViewCommand(
      kRotateClockwise, "Rotate Clockwise", [](Options& o) { o.rotation = (o.rotation + 1) % 4; },
      [](const Options& o) { return o.rotation != 0; });
  AddViewCommand(
      kFlipHorizontal, "Flip Horizontal", [](Options& o) { o.flipHorizontal = !o.flipHorizontal; },
      [](const Options& o) { return o.flipHorizontal; });
  AddViewCommand(
      kFlipVertical, "Flip Vertical", [](Options& o) { o.flipVertical = !o.flipVertical; },
      [](const Options& o) { return o.flipVertical; });
  AddViewCommand(
      kResetBoard, "Reset Board",
      [](Options& o) {
        o.rotation = 0;
        o.flipHorizontal = o.flipVertical = false;
      },
      [](const Options&) { return false; },
      [](const Options& o) { return o.rotation != 0 || o.flipHorizontal || o.flipVertical; });
}

void Builder::OptionsMenu() {
  CVantaroCEDoc* doc = &doc_;
  const auto boardIs = [doc](int width, int height) {
    return doc->editor() && doc->editor()->width() == width && doc->editor()->height() == height;
  };
  Add(
      kBoard19, "19x19 Board", "", [doc] { doc->ChangeBoardSize(19, 19); }, {},
      [boardIs] { return boardIs(19, 19); });
  Add(
      kBoard9, "9x9 Board", "", [doc] { doc->ChangeBoardSize(9, 9); }, {},
      [boardIs] { return boardIs(9, 9); });
  Add(
      kCustomSize, "Custom Size", "", [doc] { doc->CustomSize(); }, {},
      [doc, boardIs] { return doc->editor() && !boardIs(19, 19) && !boardIs(9, 9); });
  Add(
      kPlaySound, "Play Sound", "",
      [doc] {
        doc->options().playSound = !doc->options().playSound;
        if (doc->editor()) doc->editor()->SetSoundOn(doc->options().playSound);
      },
      {}, [doc] { return doc->options().playSound; });
  Add(
      kBranchMode, "Branch Mode", "",
      [doc] {
        doc->options().branchMode = !doc->options().branchMode;
        if (doc->editor()) doc->editor()->OnBoardChanged();
      },
      {}, [doc] { return doc->options().branchMode; });
  AddOptionToggle(kAutoBranch, "Auto Branch", &Options::autoBranch);
  AddOptionToggle(kVariantFirst, "Variant First", &Options::variantBranchFirst);
  Add(
      kWhiteFirst, "White First", "",
      [doc] {
        doc->options().whiteFirst = !doc->options().whiteFirst;
        if (doc->editor() && doc->editor()->moveNumber() == 0)
          doc->editor()->SetBlackToPlay(!doc->options().whiteFirst);
      },
      {}, [doc] { return doc->options().whiteFirst; });
  AddOptionToggle(kUpAsPrevious, "Up as Previous", &Options::useGoUpAsPrevious);
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
  if (command == nullptr || (command->enabled && !command->enabled())) return false;
  command->run();
  return true;
}

}  // namespace vantaro
