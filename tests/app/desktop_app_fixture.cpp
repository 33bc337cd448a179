#include "desktop_app_fixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <functional>

#include "app/board_view.h"
#include "app/command_binder.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "document/vantaro_doc.h"
#include "editor/go_editor.h"

namespace vantaro::test {
namespace {

// A menu text as the user reads it: without mnemonics and shortcut text.
std::string Plain(const QString& text) {
  QString plain = text.section(u'\t', 0, 0);
  QString read;
  for (qsizetype i = 0; i < plain.size(); ++i) {
    if (plain[i] == u'&' && i + 1 < plain.size()) ++i;
    read.append(plain[i]);
  }
  return read.toStdString();
}

void VisitItems(const QMenu& menu, const std::string& prefix,
                const std::function<void(const std::string&, QAction&)>& visit) {
  for (QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    const std::string path = prefix + Plain(action->text());
    if (action->menu() != nullptr) {
      VisitItems(*action->menu(), path + "/", visit);
    } else {
      visit(path, *action);
    }
  }
}

void VisitAllItems(const app::CMainFrame& frame,
                   const std::function<void(const std::string&, QAction&)>& visit) {
  for (QAction* top : frame.menuBar()->actions()) {
    VisitItems(*top->menu(), Plain(top->text()) + "/", visit);
  }
}

}  // namespace

DesktopAppTest::~DesktopAppTest() {
  app_.reset();
}

app::CVantaroCEApp& DesktopAppTest::Start(const QStringList& arguments) {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  auto sounds = std::make_unique<RecordingSoundOutput>();
  dialogs_ = dialogs.get();
  sounds_ = sounds.get();
  app_ = std::make_unique<app::CVantaroCEApp>(
      app::CVantaroCEApp::Services{std::move(dialogs), std::move(sounds)});
  app_->InitInstance(QStringList{QStringLiteral("vantaro")} + arguments);
  app::CMainFrame& frame = app_->frame();
  QApplication::setActiveWindow(&frame);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
  ProcessEvents();
  return *app_;
}

bool DesktopAppTest::Exit() {
  app_->frame().close();
  ProcessEvents();
  return app_->ExitInstance();
}

std::string DesktopAppTest::Write(const std::string& name, std::string_view bytes) const {
  const auto path = directory_.path() / name;
  WriteFileBytes(path, bytes);
  return path.string();
}

QAction* DesktopAppTest::Item(const std::string& path) const {
  QAction* found = nullptr;
  VisitAllItems(app_->frame(), [&](const std::string& itemPath, QAction& action) {
    if (itemPath == path) found = &action;
  });
  EXPECT_NE(found, nullptr) << "no menu item " << path;
  return found;
}

void DesktopAppTest::Choose(const std::string& path) {
  app_->frame().commands().Refresh();
  QAction* action = Item(path);
  if (action == nullptr) return;
  action->trigger();
  ProcessEvents();
}

std::set<std::string> DesktopAppTest::ItemStates() const {
  app_->frame().commands().Refresh();
  std::set<std::string> states;
  VisitAllItems(app_->frame(), [&](const std::string& path, QAction& action) {
    if (path.rfind("File/Reopen With Encoding/", 0) == 0) return;
    states.insert(path + (action.isEnabled() ? "" : " [disabled]") +
                  (action.isChecked() ? " [checked]" : ""));
  });
  return states;
}

QMenu* DesktopAppTest::EncodingMenu() const {
  app_->frame().commands().Refresh();
  for (QAction* action : app_->frame().menuBar()->actions().front()->menu()->actions()) {
    if (action->menu() != nullptr && Plain(action->text()) == "Reopen With Encoding") {
      return action->menu();
    }
  }
  return nullptr;
}

QAction* DesktopAppTest::EncodingItem(int codePage) const {
  QMenu* menu = EncodingMenu();
  for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>()) {
    if (action->data().toInt() == codePage) return action;
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

void DesktopAppTest::Tap(int column, int row) {
  app::CVantaroCEView& board = *app_->frame().mainView().boardView();
  board.repaint();
  const CBoardDrawer& drawer = board.drawer();
  const Point shown = drawer.transform().ToDisplay(Point{column, row});
  const QPoint pixel(drawer.layout().CentreX(shown.x), drawer.layout().CentreY(shown.y));
  QTest::mouseClick(&board, Qt::LeftButton, {}, pixel);
  ProcessEvents();
}

std::string DesktopAppTest::Title() const {
  return WindowTitle(app_->frame());
}

std::string DesktopAppTest::Where() const {
  const TreePath path = editor().CurrentPath();
  std::string text;
  for (size_t i = 0; i < path.children.size(); ++i) {
    text += (i ? "." : "") + std::to_string(path.children[i]);
  }
  return text + "/" + std::to_string(path.node);
}

std::string DesktopAppTest::Sgf() const {
  return WriteSgfText(*editor().recordRoot(), editor().codePage());
}

GoEditor& DesktopAppTest::editor() const {
  return *app_->document().editor();
}

}  // namespace vantaro::test
