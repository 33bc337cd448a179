#pragma once

#include <QMainWindow>

#include <string>
#include <vector>

#include "app/menus.h"
#include "document/command_table.h"
#include "editor/update_sink.h"

class QToolBar;

namespace vantaro {
class CVantaroCEDoc;
class DrawingTimes;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class CMainView;
class CommandBinder;
class RecentFiles;
struct WindowSettings;

// The main window: the menus, the command bar, the title with the
// read-only and modified marks, and the main view with the board, the
// comment pane and the side panel. It is the first pane the document
// attaches its editors to.
class CMainFrame : public QMainWindow, public UpdateSink {
  Q_OBJECT

 public:
  // All must outlive the frame; the board's drawing times go to times (may be null).
  CMainFrame(CVantaroCEDoc& document, RecentFiles& recentFiles, Options& options,
             WindowSettings& settings, DrawingTimes* times);
  ~CMainFrame() override;

  CMainView& mainView() const { return *mainView_; }
  CommandBinder& commands() const { return *commands_; }
  QToolBar& commandBar() const { return *commandBar_; }

  // Runs the command once the current event is handled, as a posted command would.
  void PostCommand(int id);
  // Rebuilds the title from the document and the attached editor: the
  // document's title cut short in the portrait layout, whole beside the panel.
  void UpdateFrameTitle();
  // The File menu's recent files, afresh from the list.
  void RebuildRecentFiles();
  // Opens a file as Open does, asking first about unsaved edits; a recent
  // file that fails to open leaves the list.
  void OpenFile(const std::string& path);

  void OnStatusChanged() override;
  void OnHistoryChanged() override;
  void OnBoardChanged() override;
  void OnViewOptionsChanged() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateCommandBar();
  // One item per loaded code page; the record's own is checked.
  void FillEncodingMenu();
  void FollowEncodingState();
  bool HandleWheel(const QWheelEvent& wheel);
  // The enabled and checked states follow the record once the current event is done.
  void ScheduleRefresh();

  CVantaroCEDoc& document_;
  RecentFiles& recentFiles_;
  CommandTable table_;
  CommandBinder* commands_;
  CMainView* mainView_;
  QToolBar* commandBar_ = nullptr;
  FrameMenus menus_;
  std::vector<QAction*> recentActions_;
  int wheelRemainder_ = 0;
};

}  // namespace vantaro::app
