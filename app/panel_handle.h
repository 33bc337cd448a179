#pragma once

#include <QWidget>

namespace vantaro::app {

// The strip between the board and the side panel that the user drags to
// give the panel more or less room.
class PanelHandle : public QWidget {
  Q_OBJECT

 public:
  explicit PanelHandle(QWidget* parent = nullptr);

 signals:
  // The handle's left edge is wanted at x, in its parent's coordinates.
  void dragged(int x);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int grabbedAt_ = 0;  // where in the handle the button went down
};

}  // namespace vantaro::app
