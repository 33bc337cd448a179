#include "app/game_tree_view.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "app/game_tree_glyphs.h"
#include "app/game_tree_painter.h"
#include "editor/go_editor.h"
#include "options/options.h"
#include "render/colour.h"

namespace vantaro::app {
namespace {

// Three cells per notch of the wheel.
constexpr int kWheelCells = 3;
// What a repainted cell's neighbours take of it: the emphasised line and the highlight.
constexpr int kBleed = 2;

}  // namespace

CGameTreeView::CGameTreeView(const Options& options, QWidget* parent)
    : QAbstractScrollArea(parent),
      options_(options),
      shown_(options.showTreePane),
      numbers_(options.treeMoveNumbers) {
  cells_.vertical = options.treeVertical;
  // Nothing is laid out until the pane is shown.
  SetActive(false);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(GameTreeGeometry::kCell);
  verticalScrollBar()->setSingleStep(GameTreeGeometry::kCell);
}

CGameTreeView::~CGameTreeView() = default;

GameTreeGlyphs& CGameTreeView::Glyphs() {
  const qreal ratio = devicePixelRatioF();
  if (!glyphs_ || glyphs_->pixelRatio() != ratio) {
    glyphs_ = std::make_unique<GameTreeGlyphs>(GameTreeGeometry::kCell, ratio);
  }
  return *glyphs_;
}

QPoint CGameTreeView::ScrollOffset() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QRect CGameTreeView::ViewportRectOf(TreeCell cell) const {
  return cells_.CellRect(cell).translated(-ScrollOffset());
}

void CGameTreeView::OnViewOptionsChanged() {
  if (options_.showTreePane != shown_) {
    shown_ = options_.showTreePane;
    emit shownChanged(shown_);
  }
  if (options_.treeVertical != cells_.vertical) {
    cells_.vertical = options_.treeVertical;
    ScheduleSync();
  }
  numbers_ = options_.treeMoveNumbers;
  viewport()->update();
}

void CGameTreeView::Changed(const TreeDamage& damage) {
  if (!active()) return;
  if (damage.layout) {
    ScheduleSync();
    return;
  }
  if (damage.numbersMayChange && numbers_) viewport()->update();
  for (const CellArea& area : damage.areas) {
    viewport()->update(cells_.PixelsOf(area)
                           .translated(-ScrollOffset())
                           .adjusted(-kBleed, -kBleed, kBleed, kBleed));
  }
  if (damage.currentMoved) KeepCurrentInView();
}

// The lines may have moved: once the notifications of the change are all
// in, the scroll ranges follow and the whole pane is painted anew.
void CGameTreeView::ScheduleSync() {
  if (syncPending_) return;
  syncPending_ = true;
  QMetaObject::invokeMethod(this, &CGameTreeView::Sync, Qt::QueuedConnection);
}

void CGameTreeView::Sync() {
  syncPending_ = false;
  if (!active()) return;
  UpdateRanges();
  KeepCurrentInView();
  viewport()->update();
}

void CGameTreeView::UpdateRanges() {
  const QSize picture = cells_.PictureSize(treeLayout().RowCount(), treeLayout().ColumnCount());
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, picture.width() - view.width()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setRange(0, std::max(0, picture.height() - view.height()));
  verticalScrollBar()->setPageStep(view.height());
}

// The current node is scrolled to the middle of the pane along each way it
// lies outside; where it is already in view nothing moves.
void CGameTreeView::KeepCurrentInView() {
  const std::optional<TreeCell> current = CurrentCell();
  if (!current) return;
  const QRect cell = cells_.CellRect(*current);
  const QRect view(ScrollOffset(), viewport()->size());
  if (cell.left() < view.left() || cell.right() > view.right()) {
    horizontalScrollBar()->setValue(cell.center().x() - view.width() / 2);
  }
  if (cell.top() < view.top() || cell.bottom() > view.bottom()) {
    verticalScrollBar()->setValue(cell.center().y() - view.height() / 2);
  }
}

void CGameTreeView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPoint offset = ScrollOffset();
  painter.translate(-offset);
  const GameTreeStyle style{QColor(rutl::ToQRgb(rutl::ColourOf(options_.treeBackground))),
                            numbers_};
  PaintGameTree(painter, *this, cells_, Glyphs(), style, event->rect().translated(offset));
}

void CGameTreeView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (active()) UpdateRanges();
}

void CGameTreeView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (!event->spontaneous()) SetActive(true);
}

void CGameTreeView::hideEvent(QHideEvent* event) {
  QAbstractScrollArea::hideEvent(event);
  if (!event->spontaneous()) SetActive(false);
}

void CGameTreeView::scrollContentsBy(int dx, int dy) {
  viewport()->scroll(dx, dy);
}

void CGameTreeView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  pressedAt_ = event->position().toPoint();
  scrollAtPress_ = ScrollOffset();
  dragging_ = false;
}

void CGameTreeView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint moved = event->position().toPoint() - pressedAt_;
  if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) return;
  dragging_ = true;
  horizontalScrollBar()->setValue(scrollAtPress_.x() - moved.x());
  verticalScrollBar()->setValue(scrollAtPress_.y() - moved.y());
}

void CGameTreeView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !dragging_) Click(event->position().toPoint());
  dragging_ = false;
}

void CGameTreeView::Click(QPoint pixel) {
  const QPoint picture = pixel + ScrollOffset();
  const std::optional<TreeCell> cell = cells_.CellAt(picture);
  if (!cell || !active()) return;
  const Node* node = treeLayout().NodeAt(*cell);
  if (node == nullptr) return;
  if (TreeLayout::HasVariations(*node) &&
      GameTreeGeometry::FoldMarkRect(cells_.CellRect(*cell)).contains(picture)) {
    treeLayout().IsFolded(*node) ? Unfold(*node) : Fold(*node);
    emit foldsChanged();
    return;
  }
  GoToCell(*cell);
}

void CGameTreeView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const bool across = (event->modifiers() & Qt::ShiftModifier) || delta.y() == 0;
  const int notches = delta.y() != 0 ? delta.y() : delta.x();
  QScrollBar* bar = across ? horizontalScrollBar() : verticalScrollBar();
  bar->setValue(bar->value() - notches * kWheelCells * GameTreeGeometry::kCell / 120);
  event->accept();
}

// The keys are the window's commands: stepping through the record.
void CGameTreeView::keyPressEvent(QKeyEvent* event) {
  QWidget::keyPressEvent(event);
}

bool CGameTreeView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const std::optional<TreeCell> cell = cells_.CellAt(help->pos() + ScrollOffset());
  const Node* node = cell && active() ? treeLayout().NodeAt(*cell) : nullptr;
  const Property* name = node != nullptr ? node->Find(kPropN) : nullptr;
  if (name != nullptr && !name->text().empty()) {
    QToolTip::showText(help->globalPos(), QString::fromStdU16String(std::u16string(name->text())),
                       viewport());
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

}  // namespace vantaro::app
