#pragma once

#include <QStringList>

#include <functional>
#include <memory>

#include "app/dialogs.h"
#include "app/window_settings.h"
#include "editor/sound.h"

namespace vantaro {
class CVantaroCEDoc;
class RecoveryJournal;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class CMainFrame;
class DesktopUi;
class GameListWindow;
class DiskWatcher;
class RecoveryTimer;
class OptionsStore;
class PrintCommands;
class RecentFiles;

// The application: start-up (settings, recent files, the window, the record
// named on the command line or a new one, then the records a program that
// ended left in the recovery journal) and exit (every setting saved).
// Construct it once a QApplication exists.
class CVantaroCEApp {
 public:
  // What tests replace: the dialogs, the sound output, and how a file gets
  // a window of its own (null: the real ones).
  struct Services {
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<SoundOutput> sound;
    std::function<void(const QString&)> openInOwnWindow;
  };

  explicit CVantaroCEApp(Services services = {});
  ~CVantaroCEApp();
  CVantaroCEApp(const CVantaroCEApp&) = delete;
  CVantaroCEApp& operator=(const CVantaroCEApp&) = delete;

  // Loads the settings and the recent files, makes the main window, opens
  // the first file named in arguments (the program's command line, its name
  // first) or starts a new record, shows the window and offers the records
  // left in the recovery journal. Every further file named there gets a
  // window of its own.
  void InitInstance(const QStringList& arguments);
  // Saves every setting, the recent files and the window's geometry; false
  // when the option file could not be written. The recovery copy goes
  // unless edits are unsaved.
  bool ExitInstance();

  CMainFrame& frame() const { return *frame_; }
  CVantaroCEDoc& document() const { return *document_; }
  Options& options() const { return options_; }
  OptionsStore& store() const { return *store_; }
  RecentFiles& recentFiles() const { return *recentFiles_; }
  GameListWindow& gameList() const { return *gameList_; }

 private:
  Options& options_;
  std::unique_ptr<OptionsStore> store_;
  std::unique_ptr<RecentFiles> recentFiles_;
  WindowSettings windowSettings_;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<SoundOutput> soundOutput_;
  std::unique_ptr<MoveSounds> sounds_;
  std::function<void(const QString&)> openInOwnWindow_;
  std::unique_ptr<DesktopUi> ui_;
  std::unique_ptr<RecoveryJournal> journal_;
  std::unique_ptr<CVantaroCEDoc> document_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<RecoveryTimer> recoveryTimer_;
  std::unique_ptr<DiskWatcher> diskWatcher_;
  std::unique_ptr<PrintCommands> printing_;
  GameListWindow* gameList_ = nullptr;  // a child of the frame
};

// The record files named on a command line: its arguments after the
// program's name that are not options, and every one after "--".
QStringList CommandLineFiles(const QStringList& arguments);

}  // namespace vantaro::app
