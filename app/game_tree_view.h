#pragma once

#include <QAbstractScrollArea>

#include <memory>

#include "app/game_tree_geometry.h"
#include "editor/game_tree_model.h"

namespace vantaro {
struct Options;
}

namespace vantaro::app {

class GameTreeGlyphs;

// The game tree pane: every node of the record as a cell, the path to the
// current node emphasised and the current node kept in view. A click on a
// node goes there and a click on a fold mark folds or unfolds; the wheel
// scrolls (across with Shift) and a drag pans. It lays the record out only
// while it is shown, and repaints only the cells a step changes.
class CGameTreeView : public QAbstractScrollArea, public GameTreeModel {
  Q_OBJECT

 public:
  // options must outlive the pane.
  explicit CGameTreeView(const Options& options, QWidget* parent = nullptr);
  ~CGameTreeView() override;

  void OnViewOptionsChanged() override;

  // Where a cell lies in the viewport as it is scrolled now.
  QRect ViewportRectOf(TreeCell cell) const;

 signals:
  // Show Game Tree was switched: the window around shows or hides the pane.
  void shownChanged(bool shown);
  // A click folded or unfolded a branch: the fold commands' states change.
  void foldsChanged();

 protected:
  void Changed(const TreeDamage& damage) override;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void ScheduleSync();
  void Sync();
  void UpdateRanges();
  void KeepCurrentInView();
  QPoint ScrollOffset() const;
  void Click(QPoint pixel);
  GameTreeGlyphs& Glyphs();

  const Options& options_;
  GameTreeGeometry cells_;
  bool shown_;
  bool numbers_;
  std::unique_ptr<GameTreeGlyphs> glyphs_;
  bool syncPending_ = false;
  QPoint pressedAt_;
  QPoint scrollAtPress_;
  bool dragging_ = false;
};

}  // namespace vantaro::app
