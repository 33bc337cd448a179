#pragma once

#include <QAction>
#include <QPoint>
#include <QStringList>

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "app/vantaro_app.h"
#include "editor/go_editor.h"
#include "qt_test_support.h"

class QMenu;
class QMimeData;

namespace vantaro::test {

// The desktop program started in-process on the offscreen platform, with
// scripted dialogs, recorded sounds and settings in the test's own folder.
class DesktopAppTest : public QtTest {
 protected:
  ~DesktopAppTest() override;

  // Starts the program with these command-line arguments (after its name).
  app::CVantaroCEApp& Start(const QStringList& arguments = {});
  // Starts the program on a file of these bytes.
  app::CVantaroCEApp& StartOn(const std::string& name, std::string_view bytes);
  // Ends the program as closing its window does; false when the option file failed.
  bool Exit();

  // Every menu item by its path without mnemonics and shortcut text
  // ("Edit/Stones & Markers/Circle"), in the state the window shows now.
  std::map<std::string, QAction*> MenuItems() const;
  // Drags the data onto the window and drops it there, then lets the posted
  // commands run; false when the window refused the drag.
  bool Drop(const QMimeData& data);
  // One of them; fails the test when there is none.
  QAction* Item(const std::string& path) const;
  // Chooses the menu item as a user does, then lets the posted commands run.
  void Choose(const std::string& path);
  // The item of Reopen With Encoding for a code page, and that submenu.
  QAction* EncodingItem(int codePage) const;
  QMenu* EncodingMenu() const;

  // A key pressed on the focused widget of the window.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // A tap on the centre of a board point as the board shows it, and a double-click there.
  void Tap(int column, int row);
  void DoubleClick(int column, int row);

  // Where the board shows a point (the board is painted first, so that it is laid out).
  QPoint PixelOf(int column, int row) const;

  std::string Title() const;
  std::string Where() const { return PathText(editor().CurrentPath()); }
  std::string Sgf() const;
  GoEditor& editor() const;

  // The answers to the questions asked at the next start (the records left
  // in the recovery journal).
  std::deque<DocumentUi::Answer> startAnswers_;
  std::unique_ptr<app::CVantaroCEApp> app_;
  ScriptedDialogs* dialogs_ = nullptr;
  // The files the program handed to windows of their own.
  std::vector<std::string> openedElsewhere_;
  RecordingSoundOutput* sounds_ = nullptr;
};

}  // namespace vantaro::test
