#include "app/menus.h"

#include <QMenu>
#include <QMenuBar>

#include <vector>

#include "app/command_binder.h"
#include "document/command_ids.h"

namespace vantaro::app {
namespace {

using namespace command;

// A menu entry: a command, a separator, the recent files, or a submenu.
struct Entry {
  enum Kind { Command, Separator, RecentFiles, Encodings, Submenu };
  Kind kind;
  int id = 0;
  const char* title = nullptr;
  std::vector<Entry> entries = {};
};

Entry C(int id) {
  return {Entry::Command, id};
}
const Entry kLine{Entry::Separator};
const Entry kRecent{Entry::RecentFiles};
const Entry kEncodings{Entry::Encodings};
Entry Sub(const char* title, std::vector<Entry> entries) {
  return {Entry::Submenu, 0, title, std::move(entries)};
}

struct Menu {
  const char* title;
  std::vector<Entry> entries;
};

class MenuBuilder {
 public:
  MenuBuilder(CommandBinder& commands, FrameMenus& frame) : commands_(commands), frame_(frame) {}

  void Fill(QMenu& menu, const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
      switch (entry.kind) {
        case Entry::Command:
          menu.addAction(commands_.Action(entry.id));
          break;
        case Entry::Separator:
          menu.addSeparator();
          break;
        case Entry::RecentFiles:
          frame_.file = &menu;
          frame_.recentFilesEnd = menu.addSeparator();
          break;
        case Entry::Encodings:
          frame_.encodings = menu.addMenu(commands_.Action(kReopenWithEncoding)->text());
          break;
        case Entry::Submenu:
          Fill(*menu.addMenu(QString::fromUtf8(entry.title)), entry.entries);
          break;
      }
    }
  }

 private:
  CommandBinder& commands_;
  FrameMenus& frame_;
};

}  // namespace

FrameMenus BuildMenus(QMenuBar& bar, CommandBinder& commands) {
  const Menu menus[] = {
      {"&File",
       {C(kNew), C(kOpen), C(kOpenFolder), C(kGameList), C(kReload), kEncodings, C(kSave),
        C(kSaveAs), kLine, C(kPageSetup), C(kPrintPreview), C(kPrint),
        Sub("&Export", {C(kExportPdf), C(kExportBoardPng), C(kExportBoardSvg)}), kLine, kRecent,
        C(kAbout), kLine, C(kExit)}},
      {"&Edit",
       {C(kUndo), C(kRedo), kLine, C(kPasteRecord), kLine, C(kTryPlay), C(kSaveTryPlay), C(kReadOnly), kLine,
        C(kGameInformation), kLine,
        Sub("Stones && Markers",
            {C(kAlternateMove), kLine, C(kAddBlack), C(kAddWhite), C(kAddEmpty), kLine, C(kCircle),
             C(kTriangle), C(kSquare), C(kCross), C(kLabel), kLine, C(kDeleteMarkers)}),
        C(kPass), C(kAddBranch), C(kDelete), C(kDeleteAfterCurrent), kLine, C(kEditNodeName),
        Sub("Move Number", {C(kSetMoveNumber), C(kUnsetMoveNumber), C(kAutoSetMoveNumbers),
                            C(kUnsetAllMoveNumbers)})}},
      {"&Move",
       {C(kFastRewind),  C(kPrevious),     C(kNext),        C(kFastForward), kLine,
        C(kFirst),       C(kLast),         kLine,           C(kParent),      C(kChild),
        C(kPrevBranch),  C(kNextBranch),   C(kBranchStart), C(kBranchEnd),   kLine,
        C(kPrevComment), C(kNextComment),  kLine,           C(kBack),        C(kForward),
        kLine,           C(kToMoveNumber), C(kToClicked),   kLine,           C(kPreviousGame),
        C(kNextGame)}},
      {"&View",
       {C(kBitmapBoard), C(kShowCoordinate), C(kShowI), kLine,
        Sub("Move Number",
            {C(kToggleMoveNumbers), C(kHideAllMoveNumbers), kLine, C(kLast1), C(kLast2), C(kLast5),
             C(kLast10), C(kLast20), C(kLast50), C(kShowAllMoveNumbers), kLine, C(kResetInBranch)}),
        C(kHideMarkers), C(kShowBranchMoves), C(kShowNextMove), kLine, C(kRotateClockwise),
        C(kFlipHorizontal), C(kFlipVertical), C(kResetBoard), kLine, C(kNextPane), C(kPreviousPane),
        kLine,
        Sub("Layout",
            {C(kLayoutAutomatic), C(kLayoutBoardAboveComment), C(kLayoutBoardBesidePanel)}),
        Sub("Game Tree", {C(kShowGameTree), kLine, C(kTreeMoveNumbers), C(kTreeVertical), kLine,
                          C(kFoldHere), C(kUnfoldHere), C(kUnfoldAll)})}},
      {"&Options",
       {C(kBoard19), C(kBoard9), C(kCustomSize), kLine, C(kPlaySound), C(kBranchMode),
        C(kAutoBranch), C(kVariantFirst), C(kWhiteFirst), C(kUpAsPrevious)}},
  };
  FrameMenus frame;
  MenuBuilder builder(commands, frame);
  for (const Menu& menu : menus)
    builder.Fill(*bar.addMenu(QString::fromUtf8(menu.title)), menu.entries);
  return frame;
}

}  // namespace vantaro::app
