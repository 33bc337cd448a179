#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QWheelEvent>

#include "app/board_view.h"
#include "app/command_bar_images.h"
#include "app/command_binder.h"
#include "app/comment_view.h"
#include "app/frame_title.h"
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

// The hardware keys, and the desktop's usual keys for the ends of the game
// and for bigger steps on top of them.
int KeyCommand(int key) {
  switch (key) {
    case Qt::Key_Left:
      return kPrevious;
    case Qt::Key_Up:
      return kPrevBranch;
    case Qt::Key_Right:
      return kNext;
    case Qt::Key_Down:
      return kNextBranch;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kParent;
    case Qt::Key_Home:
      return kFirst;
    case Qt::Key_End:
      return kLast;
    case Qt::Key_PageUp:
      return kFastRewind;
    case Qt::Key_PageDown:
      return kFastForward;
    default:
      return 0;
  }
}

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
  qApp->installEventFilter(this);
  commands_->Refresh();
  connect(mainView_, &CMainView::layoutChanged, this, &CMainFrame::UpdateFrameTitle);
  resize(settings.StartSize(screen()));
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
}

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
  setWindowTitle(
      QString::fromStdU16String(mainView_->layout() == WindowLayout::BoardBesidePanel
                                    ? WholeFrameTitle(document_.Title(), readOnly, modified)
                                    : FrameTitle(document_.Title(), readOnly, modified)));
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
  if (refreshPending_) return;
  refreshPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        refreshPending_ = false;
        commands_->Refresh();
      },
      Qt::QueuedConnection);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    return HandleKey(watched, static_cast<const QKeyEvent&>(*event));
  }
  if (event->type() == QEvent::Wheel && watched == mainView_->boardView()) {
    return HandleWheel(static_cast<const QWheelEvent&>(*event));
  }
  return false;
}

bool CMainFrame::HandleKey(QObject* receiver, const QKeyEvent& key) {
  const auto* widget = qobject_cast<const QWidget*>(receiver);
  if (widget == nullptr || widget->window() != this) return false;
  // The menu bar's own keyboard navigation keeps its keys.
  if (QWidget::keyboardGrabber() != nullptr || qobject_cast<const QMenuBar*>(widget)) return false;
  // While the user types a comment the keys move the caret and break lines.
  const CCommentView* pane = mainView_->commentPane();
  if (pane->hasFocus() && !pane->isReadOnly()) return false;
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const int id = KeyCommand(key.key());
  if (id == 0) return false;
  // A held key repeats faster than a large record may be stepped through:
  // a repeat that comes while a step is still to be shown is dropped, so
  // that steps never queue up behind the screen.
  if (key.isAutoRepeat() && keyStepPending_) return true;
  keyStepPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this, id] {
        commands_->Run(id);
        // Once the repaints the step asked for are done.
        QMetaObject::invokeMethod(
            this, [this] { keyStepPending_ = false; }, Qt::QueuedConnection);
      },
      Qt::QueuedConnection);
  return true;
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
  if (document_.ui().AllowReplacingRecord()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
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
