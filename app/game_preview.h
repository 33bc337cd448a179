#pragma once

#include <QWidget>

#include <memory>
#include <optional>

#include "document/document_ui.h"
#include "game/board.h"
#include "game/main_line_replay.h"
#include "record/listed_game_reader.h"
#include "render/board_drawer.h"

namespace vantaro {
struct Options;
}

namespace vantaro::app {

// A small board beside the list of games, drawn as the board view draws,
// showing the selected game's main line at the chosen stop: its first node
// (a problem's answer stays hidden), a move, or its last move. It reads the
// game when it is shown, never the whole file again while the games shown
// are of one file.
class GamePreview : public QWidget {
  Q_OBJECT

 public:
  // options must outlive the preview.
  explicit GamePreview(const Options& options, QWidget* parent = nullptr);

  // The game to show; nothing for nullopt or a game that cannot be read.
  void ShowGame(const std::optional<GamePlace>& place);
  void SetStop(LineStop stop);
  // The view settings changed.
  void ApplyOptions();
  // The files on disk may have changed: shown games are read afresh.
  void Forget();

  // The position shown; null while nothing is.
  const GoBoard* position() const { return game_ ? &board_ : nullptr; }

  QSize sizeHint() const override { return {240, 240}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return width; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Replay();

  const Options& options_;
  CBoardDrawer drawer_;
  ListedGameReader reader_;
  std::optional<GamePlace> place_;
  std::unique_ptr<GameTree> game_;  // null while nothing is shown
  GoBoard board_;
  LineStop stop_;
};

}  // namespace vantaro::app
