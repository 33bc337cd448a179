#pragma once

#include <QWidget>

#include <optional>

#include "editor/update_sink.h"
#include "render/board_drawer.h"

namespace vantaro::app {

// The window the board is drawn in and tapped on. It paints the attached
// editor's position through its board drawer, covering all it repaints (so
// it never erases and never flickers): a change of the position repaints
// only the points whose picture changed. It hands every tap to the editor
// as a board point, on the board or not.
class CVantaroCEView : public QWidget, public UpdateSink {
  Q_OBJECT

 public:
  // options must outlive the view; times may be null.
  CVantaroCEView(const Options& options, DrawingTimes* times, QWidget* parent = nullptr);

  CBoardDrawer& drawer() { return drawer_; }

  void SetEditor(GoEditor* editor) override;
  void OnBoardChanged() override;
  void OnViewOptionsChanged() override;

 signals:
  // A paint of the board has reached the window.
  void painted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const Options& options_;
  CBoardDrawer drawer_;
  // The picture as of the last repaint asked for; null when the next
  // change repaints everything.
  std::optional<BoardPicture> requested_;
};

}  // namespace vantaro::app
