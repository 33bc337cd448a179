#pragma once

#include <QList>
#include <QSize>

class QScreen;
class QSettings;

namespace vantaro::app {

// The main window's geometry between runs, in the application profile,
// group "Window": "Size" (the window's size), "SidePanelWidth" (the panel
// beside the board) and "SidePanelSplit" (the heights of the panes in the
// panel's splitter, comment pane first); and where the game list's preview
// stops, in group "GameList": "Preview" (0 the first node, 1 a move, 2 the
// last move) and "PreviewMove". Read at start-up, written at exit; the
// windows keep it up to date meanwhile.
struct WindowSettings {
  QSize size;  // invalid until a run has ended
  int sidePanelWidth = 320;
  QList<int> sidePanelSplit;  // empty: the splitter divides as it likes
  int gameListPreview = 2;
  int gameListPreviewMove = 50;

  void Load(const QSettings& profile);
  void Save(QSettings& profile) const;

  // The size to open the window at: the saved one where the screen has
  // room for it, else (the first start) two thirds of the screen each way,
  // so that a landscape screen gets a landscape window.
  QSize StartSize(const QScreen* screen) const;
};

}  // namespace vantaro::app
