#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace vantaro::app {

class CommandBinder;

// Where the frame puts the entries it keeps up to date itself.
struct FrameMenus {
  QMenu* file = nullptr;
  // The recent files go just before this separator of the File menu.
  QAction* recentFilesEnd = nullptr;
  // Reopen With Encoding: the frame fills it with the code pages.
  QMenu* encodings = nullptr;
};

// The File, Edit, Move, View and Options menus with every command of the
// document; their states are the actions', which follow the record.
FrameMenus BuildMenus(QMenuBar& bar, CommandBinder& commands);

}  // namespace vantaro::app
