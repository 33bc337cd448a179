#include "app/game_tree_glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace vantaro::app {
namespace {

// Cached texts are few on screen at once; the caches start again beyond this.
constexpr int kCachedTexts = 4096;

const QColor kStoneEdge(70, 70, 70);
const QColor kWood(228, 180, 100);
const QColor kCommentBlue(30, 90, 220);
const QColor kMarkupGreen(20, 150, 60);
const QColor kCurrentRed(230, 40, 30);

QString ShortCount(int count) {
  if (count >= 1000000) return QStringLiteral("%1M").arg(count / 1000000);
  if (count >= 10000) return QStringLiteral("%1k").arg(count / 1000);
  return QString::number(count);
}

void DrawStone(QPainter& painter, const QRectF& area, bool black) {
  painter.setPen(QPen(black ? Qt::black : kStoneEdge, 1));
  painter.setBrush(black ? Qt::black : Qt::white);
  painter.drawEllipse(area);
}

void DrawPass(QPainter& painter, const QRectF& area, bool black) {
  painter.setBrush(Qt::NoBrush);
  if (!black) {
    painter.setPen(QPen(kStoneEdge, 5));
    painter.drawEllipse(area);
  }
  painter.setPen(QPen(black ? Qt::black : Qt::white, 3));
  painter.drawEllipse(area);
}

void DrawSetup(QPainter& painter, const QRectF& area, QColor fill, bool mixed) {
  painter.setPen(QPen(kStoneEdge, 1));
  painter.setBrush(fill);
  painter.drawRect(area);
  if (mixed) {
    QPainterPath half;
    half.moveTo(area.topLeft());
    half.lineTo(area.bottomLeft());
    half.lineTo(area.bottomRight());
    half.closeSubpath();
    painter.fillPath(half, Qt::black);
  }
}

void DrawRoot(QPainter& painter, const QRectF& area) {
  painter.setPen(QPen(kStoneEdge, 1));
  painter.setBrush(kWood);
  painter.drawRoundedRect(area, 3, 3);
  painter.setPen(QPen(Qt::black, 1));
  const QPointF centre = area.center();
  painter.drawLine(QPointF(area.left() + 3, centre.y()), QPointF(area.right() - 3, centre.y()));
  painter.drawLine(QPointF(centre.x(), area.top() + 3), QPointF(centre.x(), area.bottom() - 3));
}

void DrawEmpty(QPainter& painter, QPointF centre) {
  painter.setPen(QPen(kStoneEdge, 1));
  painter.setBrush(QColor(200, 200, 200));
  painter.drawPolygon(QPolygonF({centre + QPointF(0, -5), centre + QPointF(5, 0),
                                 centre + QPointF(0, 5), centre + QPointF(-5, 0)}));
}

void DrawFoldMark(QPainter& painter, const QRectF& box, bool folded) {
  painter.setPen(QPen(kStoneEdge, 1));
  painter.setBrush(folded ? QColor(kStoneEdge) : QColor(Qt::white));
  painter.drawRect(box);
  painter.setPen(QPen(folded ? Qt::white : Qt::black, 1.5));
  const QPointF centre = box.center();
  painter.drawLine(QPointF(box.left() + 2, centre.y()), QPointF(box.right() - 2, centre.y()));
  if (folded) {
    painter.drawLine(QPointF(centre.x(), box.top() + 2), QPointF(centre.x(), box.bottom() - 2));
  }
}

}  // namespace

template <typename Draw>
Glyph GameTreeGlyphs::Paint(QRect area, Draw draw) const {
  QPixmap pixmap(area.size() * pixelRatio_);
  pixmap.setDevicePixelRatio(pixelRatio_);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.translate(-area.topLeft());
  draw(painter);
  return {pixmap, area.topLeft()};
}

GameTreeGlyphs::GameTreeGlyphs(int cell, qreal pixelRatio)
    : cell_(cell), pixelRatio_(pixelRatio), stone_(cell / 2 - 10, cell / 2 - 10, 20, 20) {
  const qreal middle = cell / 2.0;
  const QRectF stone(middle - 8.5, middle - 8.5, 17, 17);
  const QRectF square(middle - 6.5, middle - 6.5, 13, 13);
  const auto node = [this](NodeGlyph kind) -> Glyph& { return nodes_[static_cast<size_t>(kind)]; };
  const auto shape = [this](auto draw) { return Paint(stone_, draw); };
  node(NodeGlyph::BlackStone) = shape([&](QPainter& p) { DrawStone(p, stone, true); });
  node(NodeGlyph::WhiteStone) = shape([&](QPainter& p) { DrawStone(p, stone, false); });
  const QRectF ring = stone.adjusted(2, 2, -2, -2);
  node(NodeGlyph::BlackPass) = shape([&](QPainter& p) { DrawPass(p, ring, true); });
  node(NodeGlyph::WhitePass) = shape([&](QPainter& p) { DrawPass(p, ring, false); });
  node(NodeGlyph::Root) = shape([&](QPainter& p) { DrawRoot(p, stone); });
  node(NodeGlyph::SetupBlack) = shape([&](QPainter& p) { DrawSetup(p, square, Qt::black, false); });
  node(NodeGlyph::SetupWhite) = shape([&](QPainter& p) { DrawSetup(p, square, Qt::white, false); });
  node(NodeGlyph::SetupMixed) = shape([&](QPainter& p) { DrawSetup(p, square, Qt::white, true); });
  node(NodeGlyph::Empty) = shape([&](QPainter& p) { DrawEmpty(p, QPointF(middle, middle)); });

  const auto mark = [this](CellMark kind) -> Glyph& { return marks_[static_cast<size_t>(kind)]; };
  mark(CellMark::Comment) = Paint(QRect(cell - 8, 0, 8, 8), [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kCommentBlue);
    p.drawPolygon(QPolygonF({QPointF(cell - 8, 0), QPointF(cell, 0), QPointF(cell, 8)}));
  });
  mark(CellMark::Markup) = Paint(QRect(0, 0, 8, 8), [](QPainter& p) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kMarkupGreen);
    p.drawRect(QRectF(0.5, 0.5, 6, 6));
  });
  const QRect corner(cell - 10, cell - 10, 10, 10);
  const QRectF box(cell - 9.5, cell - 9.5, 9, 9);
  mark(CellMark::FoldOpen) = Paint(corner, [&](QPainter& p) { DrawFoldMark(p, box, false); });
  mark(CellMark::FoldClosed) = Paint(corner, [&](QPainter& p) { DrawFoldMark(p, box, true); });
  mark(CellMark::Current) = Paint(QRect(0, 0, cell, cell), [&](QPainter& p) {
    p.setPen(QPen(kCurrentRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, cell - 2, cell - 2));
  });
}

const Glyph& GameTreeGlyphs::Number(int number, bool onBlack) {
  const int key = onBlack ? number : -number - 1;
  if (const auto found = numbers_.constFind(key); found != numbers_.constEnd()) return *found;
  if (numbers_.size() > kCachedTexts) numbers_.clear();
  const QString text = QString::number(number);
  return numbers_[key] = Paint(stone_, [&](QPainter& p) {
           QFont font = p.font();
           font.setPixelSize(number >= 1000 ? 7 : number >= 100 ? 8 : 10);
           if (text.size() > 2) font.setStretch(QFont::Condensed);
           p.setFont(font);
           p.setPen(onBlack ? Qt::white : Qt::black);
           p.drawText(stone_, Qt::AlignCenter, text);
         });
}

const Glyph& GameTreeGlyphs::HiddenCount(int count) {
  if (const auto found = counts_.constFind(count); found != counts_.constEnd()) return *found;
  if (counts_.size() > kCachedTexts) counts_.clear();
  return counts_[count] = Paint(QRect(0, 0, cell_, cell_), [&](QPainter& p) {
           QFont font = p.font();
           font.setPixelSize(8);
           font.setBold(true);
           p.setFont(font);
           const QString text = QStringLiteral("+") + ShortCount(count);
           const QRect bounds = p.fontMetrics().boundingRect(text).adjusted(-2, 0, 2, 0);
           const QRect badge(0, 0, std::min(bounds.width(), cell_), bounds.height());
           p.setPen(Qt::NoPen);
           p.setBrush(QColor(255, 240, 160));
           p.drawRoundedRect(badge, 2, 2);
           p.setPen(Qt::black);
           p.drawText(badge, Qt::AlignCenter, text);
         });
}

}  // namespace vantaro::app
