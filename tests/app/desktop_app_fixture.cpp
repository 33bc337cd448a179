#include "desktop_app_fixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

#include "app/board_view.h"
#include "app/command_binder.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "document/vantaro_doc.h"
#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

// A menu text as the user reads it: without mnemonics and shortcut text.
std::string Plain(const QString& text) {
  const QString plain = text.section(u'\t', 0, 0);
  QString read;
  for (qsizetype i = 0; i < plain.size(); ++i) {
    if (plain[i] == u'&' && i + 1 < plain.size()) ++i;
    read.append(plain[i]);
  }
  return read.toStdString();
}

void AddItems(const QMenu& menu, const std::string& prefix,
              std::map<std::string, QAction*>& items) {
  for (QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    const std::string path = prefix + Plain(action->text());
    if (action->menu() != nullptr) {
      AddItems(*action->menu(), path + "/", items);
    } else {
      items[path] = action;
    }
  }
}

}  // namespace

DesktopAppTest::~DesktopAppTest() {
  app_.reset();
}

app::CVantaroCEApp& DesktopAppTest::Start(const QStringList& arguments) {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  dialogs->answers = std::exchange(startAnswers_, {});
  auto sounds = std::make_unique<RecordingSoundOutput>();
  dialogs_ = dialogs.get();
  sounds_ = sounds.get();
  app_ = std::make_unique<app::CVantaroCEApp>(app::CVantaroCEApp::Services{
      std::move(dialogs), std::move(sounds),
      [this](const QString& file) { openedElsewhere_.push_back(file.toStdString()); }});
  app_->InitInstance(QStringList{QStringLiteral("vantaro")} + arguments);
  app::CMainFrame& frame = app_->frame();
  QApplication::setActiveWindow(&frame);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
  ProcessEvents();
  return *app_;
}

app::CVantaroCEApp& DesktopAppTest::StartOn(const std::string& name, std::string_view bytes) {
  return Start({QString::fromStdString(directory_.Write(name, bytes))});
}

bool DesktopAppTest::Exit() {
  app_->frame().close();
  ProcessEvents();
  return app_->ExitInstance();
}

std::map<std::string, QAction*> DesktopAppTest::MenuItems() const {
  std::map<std::string, QAction*> items;
  for (QAction* top : app_->frame().menuBar()->actions()) {
    AddItems(*top->menu(), Plain(top->text()) + "/", items);
  }
  return items;
}

QAction* DesktopAppTest::Item(const std::string& path) const {
  const auto items = MenuItems();
  const auto found = items.find(path);
  EXPECT_NE(found, items.end()) << "no menu item " << path;
  return found != items.end() ? found->second : nullptr;
}

bool DesktopAppTest::Drop(const QMimeData& data) {
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&app_->frame(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&app_->frame(), &drop);
  ProcessEvents();
  return true;
}

void DesktopAppTest::Choose(const std::string& path) {
  if (QAction* action = Item(path)) action->trigger();
  ProcessEvents();
}

QMenu* DesktopAppTest::EncodingMenu() const {
  const QAction* item = EncodingItem(kUtf8CodePage);
  return item != nullptr ? qobject_cast<QMenu*>(item->parent()) : nullptr;
}

QAction* DesktopAppTest::EncodingItem(int codePage) const {
  for (const auto& [path, item] : MenuItems()) {
    if (path.starts_with("File/Reopen With Encoding/") && item->data().toInt() == codePage) {
      return item;
    }
  }
  ADD_FAILURE() << "no Reopen With Encoding item for " << codePage;
  return nullptr;
}

void DesktopAppTest::Press(int key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = QApplication::focusWidget();
  QTest::keyClick(target != nullptr ? target : &app_->frame(), static_cast<Qt::Key>(key),
                  modifiers);
  ProcessEvents();
}

QPoint DesktopAppTest::PixelOf(int column, int row) const {
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  const CBoardDrawer& drawer = board.drawer();
  const Point shown = drawer.transform().ToDisplay(Point{column, row});
  return QPoint(drawer.layout().CentreX(shown.x), drawer.layout().CentreY(shown.y));
}

void DesktopAppTest::Tap(int column, int row) {
  QTest::mouseClick(app_->frame().mainView().boardView(), Qt::LeftButton, {}, PixelOf(column, row));
  ProcessEvents();
}

void DesktopAppTest::DoubleClick(int column, int row) {
  // What a widget receives of a double-click: a press and a release, then
  // the second press as a double-click event, and its release.
  QWidget* board = app_->frame().mainView().boardView();
  const QPoint pixel = PixelOf(column, row);
  QTest::mouseClick(board, Qt::LeftButton, {}, pixel);
  QTest::mouseDClick(board, Qt::LeftButton, {}, pixel);
  QTest::mouseRelease(board, Qt::LeftButton, {}, pixel);
  ProcessEvents();
}

std::string DesktopAppTest::Title() const {
  return app_->frame().windowTitle().toStdString();
}

std::string DesktopAppTest::Sgf() const {
  return WriteSgfText(*editor().recordRoot(), editor().codePage());
}

GoEditor& DesktopAppTest::editor() const {
  return *app_->document().editor();
}

}  // namespace vantaro::test
