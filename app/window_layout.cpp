#include "app/window_layout.h"

#include <algorithm>

namespace vantaro::app {

WindowLayout ResolveWindowLayout(LayoutChoice choice, int clientWidth, int clientHeight) {
  switch (choice) {
    case LayoutChoice::BoardAboveComment:
      return WindowLayout::BoardAboveComment;
    case LayoutChoice::BoardBesidePanel:
      return WindowLayout::BoardBesidePanel;
    case LayoutChoice::Automatic:
      break;
  }
  return clientWidth > clientHeight ? WindowLayout::BoardBesidePanel
                                    : WindowLayout::BoardAboveComment;
}

namespace {

// The panel's width within its bounds, before the client's own width cuts it.
int BoundedPanelWidth(int room, int panelWidth) {
  return std::clamp(panelWidth, kMinSidePanelWidth,
                    std::max(kMinSidePanelWidth, room - kMinBoardSide));
}

}  // namespace

BesideLayout ComputeBesideLayout(const PaneBox& client, int panelWidth) {
  const int room = std::max(0, client.width - kPanelHandleWidth);
  const int panel = std::min(BoundedPanelWidth(room, panelWidth), room);
  const int side = std::clamp(std::min(client.height, room - panel), 0, room);
  const int right = client.left + side;
  BesideLayout layout;
  layout.board = {client.left, client.top + (client.height - side) / 2, side, side};
  layout.handle = {right, client.top, std::min(kPanelHandleWidth, client.width - side),
                   client.height};
  layout.panel = {right + layout.handle.width, client.top,
                  client.width - side - layout.handle.width, client.height};
  return layout;
}

int PanelWidthForHandleAt(const PaneBox& client, int handleLeft) {
  const int room = std::max(0, client.width - kPanelHandleWidth);
  return BoundedPanelWidth(room, client.left + client.width - (handleLeft + kPanelHandleWidth));
}

}  // namespace vantaro::app
