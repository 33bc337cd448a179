#include "app/game_preview.h"

#include <QPainter>

#include "options/options.h"
#include "render/colour.h"
#include "render/device_context.h"

namespace vantaro::app {

GamePreview::GamePreview(const Options& options, QWidget* parent)
    : QWidget(parent), options_(options), drawer_(options) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  drawer_.SetPosition(&board_);
}

void GamePreview::ShowGame(const std::optional<GamePlace>& place) {
  if (place == place_ && game_) return;
  place_ = place;
  game_.reset();
  if (place) {
    auto game = std::make_unique<GameTree>();
    if (reader_.Read(place->path, place->game, MakeReadContext(options_), *game).ok) {
      game_ = std::move(game);
    }
  }
  Replay();
}

void GamePreview::SetStop(LineStop stop) {
  stop_ = stop;
  Replay();
}

void GamePreview::ApplyOptions() {
  drawer_.ApplyOptions();
  update();
}

void GamePreview::Forget() {
  reader_.Forget();
  game_.reset();
  place_.reset();
  update();
}

void GamePreview::Replay() {
  if (game_) ReplayMainLine(*game_, stop_, options_.whiteFirst, board_);
  update();
}

void GamePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!game_) {
    painter.fillRect(rect(), QColor(rutl::ToQRgb(rutl::ColourOf(options_.backgroundColor))));
    return;
  }
  rutl::DC dc(painter);
  drawer_.Layout({0, 0, width(), height()});
  drawer_.Draw(dc);
}

}  // namespace vantaro::app
