// Which parts of the board's picture a change of the position touches, so
// that a step repaints a few points instead of the whole board.
#include "editor/go_editor.h"
#include "render/board_drawer.h"

namespace vantaro {

BoardPicture CBoardDrawer::Picture() const {
  BoardPicture picture;
  if (board_ == nullptr) return picture;
  picture.width = board_->width();
  picture.height = board_->height();
  picture.tryPlay = editor_ != nullptr && editor_->tryPlayActive();
  const rutl::Rect comments = CommentArea();
  if (editor_ != nullptr && comments.Width() >= 10 && comments.Height() >= 10) {
    picture.name = editor_->NodeName();
    picture.comment = editor_->Comment();
  }
  picture.points.reserve(static_cast<size_t>(picture.width * picture.height));
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t cell = board_->Cell(x, y);
      const OverlayEntry& overlay = board_->OverlayAt(x, y);
      picture.points.push_back({cell, ShownNumber(cell), Point{x, y} == board_->lastMove(),
                                overlay.markup, overlay.label, overlay.continuation,
                                overlay.continuationIndex});
    }
  }
  return picture;
}

std::optional<std::vector<rutl::Rect>> CBoardDrawer::ChangedAreas(const BoardPicture& before,
                                                                  const BoardPicture& after) const {
  const DisplayTransform display = transform();
  if (before.width != after.width || before.height != after.height ||
      before.tryPlay != after.tryPlay || before.points.size() != after.points.size() ||
      display.displayedWidth() != layout_.columns || display.displayedHeight() != layout_.rows) {
    return std::nullopt;
  }
  std::vector<rutl::Rect> areas;
  for (size_t i = 0; i < after.points.size(); ++i) {
    if (before.points[i] == after.points[i]) continue;
    const int x = static_cast<int>(i) % after.width;
    const int y = static_cast<int>(i) / after.width;
    areas.push_back(layout_.CellOf(display.ToDisplay({x, y})).Inflated(2, 2));
  }
  if (before.name != after.name || before.comment != after.comment) {
    areas.push_back(CommentArea());
  }
  return areas;
}

}  // namespace vantaro
