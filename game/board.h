#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/game_tree.h"

namespace vantaro {

// Stones removed from the board in one event of a replay.
struct RemovalRecord {
  enum class Kind { Captured = 0, Erased = 1, OffBoardMove = 2 };
  struct Entry {
    int x;
    int y;
    std::uint32_t previousCell;
  };
  int moveNumber = 0;
  Kind kind = Kind::Captured;
  std::vector<Entry> entries;
};

// What the drawer shows at one point besides stones.
struct OverlayEntry {
  enum Markup {
    None = 0,
    Circle = 1,
    Triangle = 2,
    Square = 3,
    Cross = 4,
    BlackTerritory = 5,
    WhiteTerritory = 6,
    Label = 7
  };
  // Whether a next move lies at the point: one of several continuations of
  // the current node, or its only one.
  enum class Continuation { None = 0, OneOfSeveral = 1, OnlyOne = 2 };

  int markup = None;
  std::u16string label;
  Continuation continuation = Continuation::None;
  int continuationIndex = 0;  // position in the continuation list (OneOfSeveral)
};

// The position at one point of a record, always computed by replaying the
// record from the root. A cell is 0 when empty; otherwise the high 16 bits
// hold the property that put the stone there (B, W, AB or AW) and the low 16
// bits the move number at the time.
class GoBoard {
 public:
  GoBoard() = default;
  virtual ~GoBoard() = default;

  // The branch display mode; the editor reports its own.
  virtual bool IsBranchMode() const { return false; }

  // Takes the record and its SZ (numbers below 2 become 19, above 52 become
  // 52; without SZ the size stays), then empties the board.
  void Attach(const GameTree* root);
  // Empties the board: no stones, no removals, move 0, black to play unless
  // whiteFirst.
  void Reset(bool whiteFirst);
  // Resets and applies every node from the root to the path's node.
  void ReplayTo(const TreePath& path, bool whiteFirst, bool numberBranchesFromOne);
  // The next-move marks and the current node's markup.
  void BuildOverlay(const GameTree& tree, int index);
  // One property of a node as a replay applies it: a move is played, setup
  // stones are placed or erased, MN restarts the displayed numbers; other
  // properties change nothing.
  void ApplyProperty(const Property& property);

  // Positions built point by point rather than replayed (a printed figure):
  // a cell as the replay makes it, a cell put on a point (off the board:
  // ignored), and a markup property's mark shown at its point as the
  // current node's markup is.
  static std::uint32_t MakeCell(int id, int moveNumber);
  void SetCell(Point point, std::uint32_t cell);
  void ShowMarkup(const Property& property);

  // Whether the colour (B or W) may play at the point: on the board, empty,
  // and not suicide. Retaking a ko is allowed. The board is left unchanged.
  bool IsLegalMove(Point point, int colourId) const;

  int width() const { return width_; }
  int height() const { return height_; }
  bool OnBoard(int x, int y) const { return x >= 0 && x < width_ && y >= 0 && y < height_; }
  std::uint32_t Cell(int x, int y) const { return cells_[Index(x, y)]; }
  static int CellProperty(std::uint32_t cell) { return static_cast<int>(cell >> 16); }
  static int CellMoveNumber(std::uint32_t cell) { return static_cast<int>(cell & 0xFFFF); }
  static bool IsBlackCell(std::uint32_t cell);
  static bool IsWhiteCell(std::uint32_t cell);
  // A row per line, '.' for an empty point, 'X' for black and 'O' for white:
  // the position as the command-line tool prints it.
  std::string StonesAsText() const;

  const OverlayEntry& OverlayAt(int x, int y) const { return overlay_[x + width_ * y]; }
  const std::vector<std::unique_ptr<RemovalRecord>>& removals() const { return removals_; }

  int moveNumber() const { return moveNumber_; }
  Point lastMove() const { return lastMove_; }
  bool blackToPlay() const { return blackToPlay_; }
  void SetBlackToPlay(bool black) { blackToPlay_ = black; }
  int removedByLastMove() const { return removedByLastMove_; }
  // Stones taken off the board by moves so far on the replayed path: white
  // stones count for Black and black ones for White, a suicide's own stones
  // for the opponent. Stones erased by AE are not captures.
  int capturesByBlack() const { return capturesByBlack_; }
  int capturesByWhite() const { return capturesByWhite_; }
  // Displayed numbers restart at `displayed` for the move `fromMove` (MN, or
  // numbering from 1 in a variation); no restart when hasOverride is false.
  bool hasNumberOverride() const { return hasOverride_; }
  int overrideDisplayed() const { return overrideDisplayed_; }
  int overrideFromMove() const { return overrideFromMove_; }

 private:
  int Index(int x, int y) const { return x * height_ + y; }
  void PlayMove(int id, Point point);
  int RemoveGroupWithoutLiberty(int x, int y);
  void AddRemoval(RemovalRecord::Kind kind, RemovalRecord::Entry entry);

  const GameTree* record_ = nullptr;
  std::vector<std::uint32_t> cells_;
  std::vector<OverlayEntry> overlay_;
  Point lastMove_;
  int width_ = 19;
  int height_ = 19;
  std::vector<std::unique_ptr<RemovalRecord>> removals_;
  int moveNumber_ = 0;
  bool hasOverride_ = false;
  int overrideDisplayed_ = 0;
  int overrideFromMove_ = 0;
  bool blackToPlay_ = true;
  int removedByLastMove_ = 0;
  int capturesByBlack_ = 0;
  int capturesByWhite_ = 0;
  // Scratch of the group search.
  std::vector<std::uint32_t> visited_;
  std::uint32_t stamp_ = 0;
  std::vector<Point> group_;
};

}  // namespace vantaro
