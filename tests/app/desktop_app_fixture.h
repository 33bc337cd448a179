#pragma once

#include <QAction>
#include <QStringList>

#include <memory>
#include <set>
#include <string>

#include "app/vantaro_app.h"
#include "editor/go_editor.h"
#include "qt_test_support.h"

class QMenu;

namespace vantaro::test {

// The desktop program started in-process on the offscreen platform, with
// scripted dialogs, recorded sounds and settings in the test's own folder.
class DesktopAppTest : public QtTest {
 protected:
  ~DesktopAppTest() override;

  // Starts the program with these command-line arguments (after its name).
  app::CVantaroCEApp& Start(const QStringList& arguments = {});
  // Ends the program as closing its window does; false when the option file failed.
  bool Exit();

  std::string Write(const std::string& name, std::string_view bytes) const;

  // A menu item by its menu path without mnemonics and shortcut text:
  // "Edit/Stones & Markers/Circle". Fails the test when there is none.
  QAction* Item(const std::string& path) const;
  // Chooses the menu item as a user does (after its menu refreshed), then
  // lets the posted commands run.
  void Choose(const std::string& path);
  // Every menu item as "path" with " [disabled]" and " [checked]" marks,
  // after the menus refreshed as they do when they open; the code pages of
  // Reopen With Encoding are left to EncodingItem.
  std::set<std::string> ItemStates() const;

  // The item of Reopen With Encoding for a code page, and that submenu.
  QAction* EncodingItem(int codePage) const;
  QMenu* EncodingMenu() const;

  // A key pressed on the focused widget of the window.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // A tap on the centre of a board point as the board shows it.
  void Tap(int column, int row);

  std::string Title() const;
  // The cursor's position as "child.child/node".
  std::string Where() const;
  std::string Sgf() const;
  GoEditor& editor() const;

  std::unique_ptr<app::CVantaroCEApp> app_;
  ScriptedDialogs* dialogs_ = nullptr;
  RecordingSoundOutput* sounds_ = nullptr;
};

}  // namespace vantaro::test
