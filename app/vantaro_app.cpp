#include "app/vantaro_app.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include "app/board_view.h"
#include "app/comment_view.h"
#include "app/desktop_ui.h"
#include "app/dialogs.h"
#include "app/game_tree_view.h"
#include "app/game_list_window.h"
#include "app/disk_watcher.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/options_store.h"
#include "app/print_commands.h"
#include "app/recent_files.h"
#include "app/recovery_timer.h"
#include "app/side_panel.h"
#include "app/sound_player.h"
#include "document/recovery_journal.h"
#include "document/vantaro_doc.h"
#include "options/options.h"

namespace vantaro::app {

namespace {

// Another run of the program on the file: one window a record, as the
// program has one document.
void StartOwnProcess(const QString& file) {
  QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--"), file});
}

}  // namespace

QStringList CommandLineFiles(const QStringList& arguments) {
  QStringList files;
  bool optionsEnded = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!optionsEnded && argument == QStringLiteral("--")) {
      optionsEnded = true;
    } else if (optionsEnded || !argument.startsWith(u'-')) {
      files << argument;
    }
  }
  return files;
}

CVantaroCEApp::CVantaroCEApp(Services services)
    : options_(GlobalOptions()),
      store_(std::make_unique<OptionsStore>()),
      recentFiles_(std::make_unique<RecentFiles>()),
      dialogs_(std::move(services.dialogs)),
      soundOutput_(std::move(services.sound)),
      openInOwnWindow_(std::move(services.openInOwnWindow)) {
  if (!dialogs_) dialogs_ = std::make_unique<QtDialogs>();
  if (!openInOwnWindow_) openInOwnWindow_ = StartOwnProcess;
  if (!soundOutput_) soundOutput_ = std::make_unique<SoundPlayer>();
  sounds_ = std::make_unique<MoveSounds>(*soundOutput_);
  ui_ = std::make_unique<DesktopUi>(*dialogs_, *recentFiles_, options_);
  journal_ = std::make_unique<RecoveryJournal>(RecoveryFolder());
  document_ = std::make_unique<CVantaroCEDoc>(*ui_, options_, sounds_.get());
  document_->SetRecoveryJournal(journal_.get());
}

CVantaroCEApp::~CVantaroCEApp() {
  // The panes go before the document, which would tell them to forget its editor.
  document_->SetPanes({});
  diskWatcher_.reset();
  recoveryTimer_.reset();
  ui_->SetFrameHooks({});
  ui_->SetGameList(nullptr);
  printing_.reset();
  document_->SetTreeModel(nullptr);
  frame_.reset();
}

void CVantaroCEApp::InitInstance(const QStringList& arguments) {
  store_->LoadAll(options_);
  recentFiles_->Load(store_->profile());
  windowSettings_.Load(store_->profile());
  frame_ = std::make_unique<CMainFrame>(*document_, *recentFiles_, options_, windowSettings_,
                                        store_.get());
  CMainView& view = frame_->mainView();
  printing_ = std::make_unique<PrintCommands>(*document_, options_, *dialogs_, *view.boardView());
  ui_->SetFrameHooks({
      .recentFilesChanged = [frame = frame_.get()] { frame->RebuildRecentFiles(); },
      .exit = [frame = frame_.get()] { frame->close(); },
      .produce = [printing = printing_.get()](DocumentUi::Output output) { printing->Run(output); },
      .moveKeyboard =
          [view = &view](DocumentUi::PaneStep step) {
            view->MoveKeyboard(step == DocumentUi::PaneStep::Next ? 1 : -1);
          },
  });
  gameList_ =
      new GameListWindow(*document_, options_, windowSettings_, frame_->commands(), frame_.get());
  ui_->SetGameList(gameList_);
  recoveryTimer_ = std::make_unique<RecoveryTimer>(*document_, *journal_);
  diskWatcher_ = std::make_unique<DiskWatcher>(*document_);
  std::vector<UpdateSink*> panes = {frame_.get(), view.boardView(), view.commentPane()};
  for (UpdateSink* pane : view.sidePanel()->Panes()) panes.push_back(pane);
  panes.push_back(view.treePane());
  panes.push_back(gameList_);
  panes.push_back(recoveryTimer_.get());
  panes.push_back(diskWatcher_.get());
  document_->SetPanes(std::move(panes));
  document_->SetTreeModel(view.treePane());
  // A file that cannot be read leaves a new record in the window (the user
  // is told why): starting without it loses nothing.
  const QStringList files = CommandLineFiles(arguments);
  if (files.isEmpty()) {
    document_->OnNewDocument();
  } else {
    document_->OnOpenDocument(QFile::encodeName(files.front()).toStdString());
  }
  frame_->UpdateFrameTitle();
  frame_->show();
  // The command keys are the window's shortcuts, which act only in the
  // active window: a window opened without a window manager to make it
  // active asks for the keyboard itself.
  frame_->activateWindow();
  document_->OfferRecoveredRecords();
  for (qsizetype i = 1; i < files.size(); ++i) openInOwnWindow_(files[i]);
}

bool CVantaroCEApp::ExitInstance() {
  document_->KeepRecoveryCopy();
  recentFiles_->Save(store_->profile());
  // A maximised window comes back at the size it had before.
  windowSettings_.size = frame_->normalGeometry().size();
  windowSettings_.Save(store_->profile());
  return store_->SaveAll(options_);
}

}  // namespace vantaro::app
