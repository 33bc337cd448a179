#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QWheelEvent>

#include <algorithm>

#include "app/board_view.h"
#include "app/command_bar_images.h"
#include "app/command_binder.h"
#include "app/comment_view.h"
#include "app/frame_title.h"
#include "app/game_tree_view.h"
#include "app/main_view.h"
#include "app/recent_files.h"
#include "app/window_settings.h"
#include "document/command_ids.h"
#include "document/vantaro_doc.h"

namespace vantaro::app {
namespace {

using namespace command;

// The buttons after the bar's leading separator, with their image in the strip.
struct BarButton {
  int id;
  int image;
};
constexpr BarButton kBarButtons[] = {
    {kUndo, 6}, {kFastRewind, 0}, {kPrevious, 1}, {kNext, 2}, {kFastForward, 3}, {kTryPlay, 5},
};

QString MenuEscaped(QString text) {
  return text.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

CMainFrame::CMainFrame(CVantaroCEDoc& document, RecentFiles& recentFiles, Options& options,
                       WindowSettings& settings, DrawingTimes* times)
    : document_(document),
      recentFiles_(recentFiles),
      table_(document),
      commands_(new CommandBinder(table_, this)),
      mainView_(new CMainView(options, times, settings, this)) {
  setCentralWidget(mainView_);
  menus_ = BuildMenus(*menuBar(), *commands_);
  FillEncodingMenu();
  CreateCommandBar();
  RebuildRecentFiles();
  setAcceptDrops(true);
  mainView_->boardView()->installEventFilter(this);
  commands_->Refresh();
  connect(mainView_, &CMainView::layoutChanged, this, &CMainFrame::UpdateFrameTitle);
  connect(mainView_->treePane(), &CGameTreeView::foldsChanged, this, &CMainFrame::ScheduleRefresh);
  resize(settings.StartSize(screen()));
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateCommandBar() {
  commandBar_ = addToolBar(QStringLiteral("Command bar"));
  commandBar_->setObjectName(QStringLiteral("commandBar"));
  commandBar_->setMovable(false);
  commandBar_->setFloatable(false);
  commandBar_->setIconSize(QSize(24, 24));
  commandBar_->addSeparator();
  for (const BarButton& button : kBarButtons) {
    QAction* action = commands_->Action(button.id);
    action->setIcon(CommandBarIcon(button.image));
    action->setIconVisibleInMenu(false);
    commandBar_->addAction(action);
  }
}

void CMainFrame::FillEncodingMenu() {
  for (const EncodingChoice& choice : EncodingChoices()) {
    auto* action =
        new QAction(MenuEscaped(QString::fromUtf8(choice.menuText.data(),
                                                  static_cast<qsizetype>(choice.menuText.size()))),
                    menus_.encodings);
    action->setCheckable(true);
    action->setData(choice.codePage);
    connect(action, &QAction::triggered, this, [this, codePage = choice.codePage] {
      document_.ReopenWithEncoding(codePage);
      commands_->Refresh();
    });
    menus_.encodings->addAction(action);
  }
  connect(commands_, &CommandBinder::refreshed, this, &CMainFrame::FollowEncodingState);
}

void CMainFrame::FollowEncodingState() {
  // The submenu is enabled as its command is; its items show the record's code page.
  menus_.encodings->menuAction()->setEnabled(commands_->Action(kReopenWithEncoding)->isEnabled());
  const GoEditor* shown = editor();
  for (QAction* action : menus_.encodings->actions()) {
    action->setChecked(shown != nullptr && action->data().toInt() == shown->codePage());
  }
}

void CMainFrame::PostCommand(int id) {
  QMetaObject::invokeMethod(
      this, [this, id] { commands_->Run(id); }, Qt::QueuedConnection);
}

void CMainFrame::UpdateFrameTitle() {
  const GoEditor* shown = editor();
  const bool readOnly = shown != nullptr && shown->readOnly();
  const bool modified = shown != nullptr && shown->modified();
  const std::u16string place = GamePlaceText(document_.gameIndex(), document_.GameCount());
  setWindowTitle(
      QString::fromStdU16String(mainView_->layout() == WindowLayout::BoardBesidePanel
                                    ? WholeFrameTitle(document_.Title(), readOnly, modified, place)
                                    : FrameTitle(document_.Title(), readOnly, modified, place)));
}

void CMainFrame::RebuildRecentFiles() {
  for (QAction* action : recentActions_) delete action;
  recentActions_.clear();
  const std::vector<std::string>& paths = recentFiles_.paths();
  if (paths.empty()) {
    // An empty list shows as the disabled "Recent File" entry.
    auto* placeholder = new QAction(QStringLiteral("Recent File"), menus_.file);
    placeholder->setEnabled(false);
    recentActions_.push_back(placeholder);
  }
  for (size_t i = 0; i < paths.size(); ++i) {
    const QString path = QFile::decodeName(paths[i].c_str());
    auto* action =
        new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(MenuEscaped(path)), menus_.file);
    connect(action, &QAction::triggered, this, [this, file = paths[i]] { OpenFile(file); });
    recentActions_.push_back(action);
  }
  for (QAction* action : recentActions_) menus_.file->insertAction(menus_.recentFilesEnd, action);
}

void CMainFrame::OpenFile(const std::string& path) {
  const auto opened = document_.OpenFile(path);
  if (opened && !opened->ok) {
    recentFiles_.Remove(path);
    RebuildRecentFiles();
  }
  commands_->Refresh();
}

void CMainFrame::OnStatusChanged() {
  UpdateFrameTitle();
  ScheduleRefresh();
}

void CMainFrame::OnHistoryChanged() {
  ScheduleRefresh();
}

void CMainFrame::OnBoardChanged() {
  ScheduleRefresh();
}

void CMainFrame::OnViewOptionsChanged() {
  mainView_->Relayout();
  ScheduleRefresh();
}

void CMainFrame::ScheduleRefresh() {
  commands_->ScheduleRefresh();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && watched == mainView_->boardView()) {
    return HandleWheel(static_cast<const QWheelEvent&>(*event));
  }
  return false;
}

bool CMainFrame::HandleWheel(const QWheelEvent& wheel) {
  // One step per notch; a fine-grained wheel adds its parts up.
  wheelRemainder_ += wheel.angleDelta().y();
  while (wheelRemainder_ >= 120) {
    wheelRemainder_ -= 120;
    PostCommand(kPrevious);
  }
  while (wheelRemainder_ <= -120) {
    wheelRemainder_ += 120;
    PostCommand(kNext);
  }
  return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (document_.AllowReplacingRecord()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData& data = *event->mimeData();
  const auto localFile = [](const QUrl& url) { return url.isLocalFile(); };
  if (std::ranges::any_of(data.urls(), localFile) || (!data.hasUrls() && data.hasText())) {
    event->acceptProposedAction();
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasUrls() && event->mimeData()->hasText()) {
    event->acceptProposedAction();
    // Opened once the drop is over: the save question may come first.
    const std::string text = event->mimeData()->text().toStdString();
    QMetaObject::invokeMethod(
        this,
        [this, text] {
          document_.OpenText(text);
          commands_->Refresh();
        },
        Qt::QueuedConnection);
    return;
  }
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    event->acceptProposedAction();
    // Opened once the drop is over: the save question may come first.
    const std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenFile(path); }, Qt::QueuedConnection);
    return;
  }
}

}  // namespace vantaro::app
