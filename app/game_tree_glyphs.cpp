#include "app/game_tree_glyphs.h"

#include <QPainter>
#include <QPainterPath>

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

GameTreeGlyphs::GameTreeGlyphs(int cell, qreal pixelRatio) : cell_(cell), pixelRatio_(pixelRatio) {
  const qreal middle = cell / 2.0;
  const QRectF stone(middle - 8.5, middle - 8.5, 17, 17);
  const QRectF square(middle - 6.5, middle - 6.5, 13, 13);
  const auto paint = [this](auto draw) {
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
  };
  const auto glyph = [this](NodeGlyph kind) -> QPixmap& {
    return nodes_[static_cast<size_t>(kind)];
  };
  glyph(NodeGlyph::BlackStone) = paint([&](QPainter& p) { DrawStone(p, stone, true); });
  glyph(NodeGlyph::WhiteStone) = paint([&](QPainter& p) { DrawStone(p, stone, false); });
  glyph(NodeGlyph::BlackPass) =
      paint([&](QPainter& p) { DrawPass(p, stone.adjusted(2, 2, -2, -2), true); });
  glyph(NodeGlyph::WhitePass) =
      paint([&](QPainter& p) { DrawPass(p, stone.adjusted(2, 2, -2, -2), false); });
  glyph(NodeGlyph::Root) = paint([&](QPainter& p) { DrawRoot(p, stone); });
  glyph(NodeGlyph::SetupBlack) =
      paint([&](QPainter& p) { DrawSetup(p, square, Qt::black, false); });
  glyph(NodeGlyph::SetupWhite) =
      paint([&](QPainter& p) { DrawSetup(p, square, Qt::white, false); });
  glyph(NodeGlyph::SetupMixed) = paint([&](QPainter& p) { DrawSetup(p, square, Qt::white, true); });
  glyph(NodeGlyph::Empty) = paint([&](QPainter& p) {
    p.setPen(QPen(kStoneEdge, 1));
    p.setBrush(QColor(200, 200, 200));
    const QPointF c(middle, middle);
    p.drawPolygon(
        QPolygonF({c + QPointF(0, -5), c + QPointF(5, 0), c + QPointF(0, 5), c + QPointF(-5, 0)}));
  });

  const auto mark = [this](CellMark kind) -> QPixmap& { return marks_[static_cast<size_t>(kind)]; };
  mark(CellMark::Comment) = paint([&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kCommentBlue);
    p.drawPolygon(QPolygonF({QPointF(cell - 8, 0), QPointF(cell, 0), QPointF(cell, 8)}));
  });
  mark(CellMark::Markup) = paint([&](QPainter& p) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kMarkupGreen);
    p.drawRect(QRectF(0.5, 0.5, 6, 6));
  });
  const QRectF box(cell - 9.5, cell - 9.5, 9, 9);
  mark(CellMark::FoldOpen) = paint([&](QPainter& p) { DrawFoldMark(p, box, false); });
  mark(CellMark::FoldClosed) = paint([&](QPainter& p) { DrawFoldMark(p, box, true); });
  mark(CellMark::Current) = paint([&](QPainter& p) {
    p.setPen(QPen(kCurrentRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, cell - 2, cell - 2));
  });
}

QPixmap GameTreeGlyphs::Blank() const {
  QPixmap pixmap(QSize(cell_, cell_) * pixelRatio_);
  pixmap.setDevicePixelRatio(pixelRatio_);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPixmap GameTreeGlyphs::Text(const QString& text, const QColor& colour, int pixelSize,
                             bool bold) const {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont font = painter.font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  if (text.size() > 2) font.setStretch(QFont::Condensed);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QRect(0, 0, cell_, cell_), Qt::AlignCenter, text);
  return pixmap;
}

const QPixmap& GameTreeGlyphs::Number(int number, bool onBlack) {
  const int key = onBlack ? number : -number - 1;
  if (const auto found = numbers_.constFind(key); found != numbers_.constEnd()) return *found;
  if (numbers_.size() > kCachedTexts) numbers_.clear();
  const int size = number >= 1000 ? 7 : number >= 100 ? 8 : 10;
  return numbers_[key] =
             Text(QString::number(number), onBlack ? Qt::white : Qt::black, size, false);
}

const QPixmap& GameTreeGlyphs::HiddenCount(int count) {
  if (const auto found = counts_.constFind(count); found != counts_.constEnd()) return *found;
  if (counts_.size() > kCachedTexts) counts_.clear();
  QPixmap pixmap = Blank();
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(8);
    font.setBold(true);
    painter.setFont(font);
    const QString text = QStringLiteral("+") + ShortCount(count);
    const QRect bounds = painter.fontMetrics().boundingRect(text).adjusted(-2, 0, 2, 0);
    const QRect badge(0, 0, std::min(bounds.width(), cell_), bounds.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 160));
    painter.drawRoundedRect(badge, 2, 2);
    painter.setPen(Qt::black);
    painter.drawText(badge, Qt::AlignCenter, text);
  }
  return counts_[count] = pixmap;
}

}  // namespace vantaro::app
