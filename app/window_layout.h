#pragma once

#include "app/pane_box.h"
#include "options/options.h"

// Where the board and the side panel go in the main window's client area,
// in plain numbers: no toolkit is needed to decide or to test it.
namespace vantaro::app {

enum class WindowLayout { BoardAboveComment, BoardBesidePanel };

// Automatic follows the client's shape: beside when it is wider than tall.
WindowLayout ResolveWindowLayout(LayoutChoice choice, int clientWidth, int clientHeight);

// The board beside the panel: the board square and as large as fits on the
// left (centred from top to bottom when the client is taller than it), a
// handle to drag between them, and the panel taking the rest on the right,
// at least panelWidth wide. The panel never gets narrower than
// kMinSidePanelWidth, and leaves the board at least kMinBoardSide while
// the client is wide enough for both.
struct BesideLayout {
  PaneBox board;
  PaneBox handle;
  PaneBox panel;
};
constexpr int kMinSidePanelWidth = 180;
constexpr int kMinBoardSide = 120;
constexpr int kPanelHandleWidth = 6;
BesideLayout ComputeBesideLayout(const PaneBox& client, int panelWidth);

// The panel width to keep when a drag takes the handle's left edge to
// handleLeft (in client coordinates), within the bounds above.
int PanelWidthForHandleAt(const PaneBox& client, int handleLeft);

}  // namespace vantaro::app
