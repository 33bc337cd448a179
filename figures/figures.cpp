#include "figures/figures.h"

#include <algorithm>
#include <utility>

#include "game/board.h"
#include "game/tree_search.h"

namespace vantaro {
namespace {

// What a figure shows at a point: nothing, a stone from before the figure,
// or the number of one of its own stones.
constexpr int kFree = 0;
constexpr int kEarlierStone = -1;

bool PlacesOrErasesStones(const Node& node) {
  return std::any_of(node.properties().begin(), node.properties().end(),
                     [](const Property& property) { return IsSetupProperty(property.id()); });
}

bool IsMark(int id) {
  return IsMarkupProperty(id) || id == kPropTB || id == kPropTW;
}

std::u16string_view CommentOf(const Node& node) {
  const Property* comment = node.Find(kPropC);
  return comment != nullptr ? comment->text() : std::u16string_view();
}

// Replays a line node by node and collects what each figure shows; the
// caller decides where figures begin.
class FigureCutter {
 public:
  explicit FigureCutter(const GameTree& root) {
    board_.Attach(&root);
    board_.Reset(false);
    shown_.assign(static_cast<size_t>(board_.width() * board_.height()), kFree);
  }

  const Figure& current() const { return current_; }
  int moveNumber() const { return board_.moveNumber(); }

  // Keeps the figure in progress and begins the next with the next node.
  void StartFigure() {
    Finish();
    current_ = Figure{};
    started_ = false;
  }

  void Take(const Node& node) {
    for (const Property& property : node.properties()) {
      const int id = property.id();
      if (IsMoveProperty(id)) {
        TakeMove(property);
      } else if (IsMark(id)) {
        current_.markup.push_back(property);
      } else {
        board_.ApplyProperty(property);
      }
    }
    // Headed by the node's own move wherever the comment stands among its properties.
    const std::u16string_view comment = CommentOf(node);
    if (!comment.empty())
      current_.comments.push_back({board_.moveNumber(), std::u16string(comment)});
  }

  std::vector<Figure> TakeFigures() {
    Finish();
    return std::move(figures_);
  }

 private:
  size_t At(Point point) const { return static_cast<size_t>(point.x + board_.width() * point.y); }

  // The position before the figure's first move: everything replayed so far.
  void CaptureStart() {
    started_ = true;
    for (int y = 0; y < board_.height(); ++y) {
      for (int x = 0; x < board_.width(); ++x) {
        const std::uint32_t cell = board_.Cell(x, y);
        shown_[At({x, y})] = cell != 0 ? kEarlierStone : kFree;
        if (cell != 0) current_.earlierStones.push_back({{x, y}, GoBoard::IsBlackCell(cell), 0});
      }
    }
  }

  void TakeMove(const Property& move) {
    if (!started_) CaptureStart();
    const int number = board_.moveNumber() + 1;
    const Point point = move.point();
    if (!board_.OnBoard(point.x, point.y)) {
      current_.notes.push_back({number, FigureNote::Kind::Pass, 0, {}});
    } else if (int& shown = shown_[At(point)]; shown == kEarlierStone) {
      current_.notes.push_back({number, FigureNote::Kind::AtEarlierStone, 0, point});
    } else if (shown != kFree) {
      current_.notes.push_back({number, FigureNote::Kind::AtNumberedStone, shown, {}});
    } else {
      shown = number;
      current_.numberedStones.push_back({point, move.id() == kPropB, number});
    }
    board_.ApplyProperty(move);
    if (current_.firstMove == 0) current_.firstMove = number;
    current_.lastMove = number;
  }

  void Finish() {
    if (!started_) CaptureStart();
    figures_.push_back(std::move(current_));
  }

  GoBoard board_;
  std::vector<int> shown_;  // per point: kFree, kEarlierStone or a stone's number
  Figure current_;
  bool started_ = false;
  std::vector<Figure> figures_;
};

}  // namespace

FigureRules FigureRulesFrom(const Options& options) {
  return {std::max(options.printFixedMoveCount, 1), options.printPageType == 1};
}

std::vector<Figure> CutFigures(const GameTree& root, const std::vector<const Node*>& line,
                               const FigureRules& rules) {
  FigureCutter cutter(root);
  bool full = false;
  for (const Node* node : line) {
    const int moves = MovesIn(*node);
    if (cutter.current().HasMoves() && ((full && moves > 0) || PlacesOrErasesStones(*node))) {
      cutter.StartFigure();
      full = false;
    }
    cutter.Take(*node);
    const Figure& figure = cutter.current();
    if (figure.HasMoves() && figure.lastMove - figure.firstMove + 1 >= rules.movesPerFigure) {
      full = true;
    }
    if (rules.newFigureAfterComment && moves > 0 && !CommentOf(*node).empty()) full = true;
  }
  return cutter.TakeFigures();
}

std::optional<Figure> FigureOfMoves(const GameTree& root, const std::vector<const Node*>& line,
                                    int first, int last) {
  if (first < 1 || last < first) return std::nullopt;
  FigureCutter cutter(root);
  bool inRange = false;
  for (const Node* node : line) {
    const int moves = MovesIn(*node);
    if (moves > 0) {
      const int next = cutter.moveNumber() + 1;
      if (inRange && next > last) break;
      if (!inRange && first < next + moves) {
        cutter.StartFigure();
        inRange = true;
      }
    }
    cutter.Take(*node);
  }
  if (!inRange) return std::nullopt;
  return std::move(cutter.TakeFigures().back());
}

}  // namespace vantaro
