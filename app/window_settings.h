#pragma once

#include <QList>
#include <QSize>

class QScreen;
class QSettings;

namespace vantaro::app {

// The main window's geometry between runs, in the application profile,
// group "Window": "Size" (the window's size), "SidePanelWidth" (the panel
// beside the board) and "SidePanelSplit" (the heights of the panes in the
// panel's splitter, comment pane first). Read at start-up, written at exit;
// the window keeps it up to date meanwhile.
struct WindowSettings {
  QSize size;  // invalid until a run has ended
  int sidePanelWidth = 320;
  QList<int> sidePanelSplit;  // empty: the splitter divides as it likes

  void Load(const QSettings& profile);
  void Save(QSettings& profile) const;

  // The size to open the window at: the saved one where the screen has
  // room for it, else (the first start) two thirds of the screen each way,
  // so that a landscape screen gets a landscape window.
  QSize StartSize(const QScreen* screen) const;
};

}  // namespace vantaro::app
