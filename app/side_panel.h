#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

class QSplitter;

namespace vantaro {
class UpdateSink;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class PlayerCard;
class PositionLine;
class RepairNotice;
struct WindowSettings;

// The panel beside the board in the desktop layout, from the top: the
// player cards of White and Black, the position line, the repair notice,
// and a splitter holding the comment pane and, below it, the game tree pane.
class SidePanel : public QWidget {
  Q_OBJECT

 public:
  // options and settings must outlive the panel; the splitter's heights are
  // kept in settings as the user drags them.
  SidePanel(const Options& options, WindowSettings& settings, QWidget* parent = nullptr);

  // What follows the editor: the document attaches these with its other panes.
  std::vector<UpdateSink*> Panes() const;

  // Puts the comment pane at the top of the splitter. Another parent takes
  // it out again (the portrait layout keeps it beside the board's view).
  void HoldCommentPane(QWidget& pane);

  // The game tree pane's slot: the pane goes below the comment pane in the
  // splitter and becomes the panel's child, shown while the panel is (the
  // portrait layout does not show it). A later call replaces it and null
  // empties the slot; a pane taken out is hidden but stays the panel's
  // child, alive for as long as the panel, so that it may stay attached to
  // the document. While the slot is empty the comment pane has the splitter
  // to itself. The heights of the two are remembered between runs.
  void SetTreePane(QWidget* pane);
  QWidget* treePane() const { return treePane_; }

  PlayerCard& whiteCard() const { return *white_; }
  PlayerCard& blackCard() const { return *black_; }
  PositionLine& positionLine() const { return *position_; }
  RepairNotice& repairNotice() const { return *notice_; }
  QSplitter& splitter() const { return *splitter_; }

 private:
  // The heights the user last gave the splitter's panes, when it holds as many.
  void RestoreSplit();

  WindowSettings& settings_;
  PlayerCard* white_;
  PlayerCard* black_;
  PositionLine* position_;
  RepairNotice* notice_;
  QSplitter* splitter_;
  QPointer<QWidget> treePane_;
};

}  // namespace vantaro::app
