#pragma once

#include "app/text_line.h"

#include "editor/update_sink.h"

namespace vantaro {
struct Options;
}

namespace vantaro::app {

// The line under the player cards that says where the cursor is in the
// record: "Move 37 · R14 · 2 variations". It follows every move of the
// cursor and every edit; Show I, which renames columns, raises a move of
// the cursor too.
class PositionLine : public TextLine, public UpdateSink {
  Q_OBJECT

 public:
  // options must outlive the line.
  explicit PositionLine(const Options& options, QWidget* parent = nullptr);

  // The move number; the current node's move as the board's coordinate
  // labels name its point, or "Pass"; the number of variations that branch
  // at the node, when there are two or more.
  static QString Text(const GoEditor& editor, const Options& options);

  void SetEditor(GoEditor* editor) override;
  void OnBoardChanged() override;
  void OnCurrentNodeChanged(int reason, Node* current, Node* previous) override;

 private:
  void Refresh();

  const Options& options_;
};

}  // namespace vantaro::app
