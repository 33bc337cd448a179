#include "app/position_line.h"

#include "editor/go_editor.h"
#include "render/board_geometry.h"

namespace vantaro::app {
namespace {

constexpr char16_t kSeparator[] = u" \u00B7 ";

// The variations that branch at the cursor: the children of its tree when
// it is the tree's last node, else the one node that follows.
int VariationsHere(const GoEditor& editor) {
  const GameTree* tree = editor.cursorTree();
  if (tree == nullptr) return 0;
  return editor.cursorIndex() + 1 < tree->NodeCount() ? 1 : tree->ChildCount();
}

}  // namespace

PositionLine::PositionLine(const Options& options, QWidget* parent)
    : TextLine(parent), options_(options) {
  setObjectName(QStringLiteral("position"));
}

QString PositionLine::Text(const GoEditor& editor, const Options& options) {
  std::u16string text = u"Move " + QString::number(editor.moveNumber()).toStdU16String();
  const Node* node = editor.CurrentNode();
  if (const Property* move = node != nullptr ? node->FindMove() : nullptr) {
    const Point point = move->point();
    text += kSeparator;
    text += editor.OnBoard(point.x, point.y)
                ? PointLabel(point, editor.width(), editor.height(), options.showCoordI)
                : u"Pass";
  }
  if (const int variations = VariationsHere(editor); variations >= 2) {
    text += kSeparator + QString::number(variations).toStdU16String() + u" variations";
  }
  return QString::fromStdU16String(text);
}

void PositionLine::SetEditor(GoEditor* editor) {
  UpdateSink::SetEditor(editor);
  Refresh();
}

void PositionLine::OnBoardChanged() {
  Refresh();
}

void PositionLine::OnCurrentNodeChanged(int, Node*, Node*) {
  Refresh();
}

void PositionLine::Refresh() {
  setText(editor() != nullptr ? Text(*editor(), options_) : QString());
}

}  // namespace vantaro::app
