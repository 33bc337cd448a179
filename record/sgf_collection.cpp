#include "record/sgf_collection.h"

#include "record/sgf_reader.h"
#include "record/sgf_text.h"

namespace vantaro {

SgfCollection::SgfCollection(std::string_view text, std::vector<GameSpan> games, bool fromUtf16)
    : games_(std::move(games)), fromUtf16_(fromUtf16) {
  if (games_.size() != 1) {
    text_ = text;
    return;
  }
  GameSpan& game = games_.front();
  text_.assign(text.substr(0, game.begin));
  text_.append(text.substr(game.end));
  game.end = game.begin;
}

std::string_view SgfCollection::Before(std::size_t index) const {
  if (index >= games_.size()) return {};
  return std::string_view(text_).substr(0, games_[index].begin);
}

std::string_view SgfCollection::After(std::size_t index) const {
  if (index >= games_.size()) return {};
  return std::string_view(text_).substr(games_[index].end);
}

std::string_view SgfCollection::GameBytes(std::size_t index) const {
  if (index >= games_.size()) return {};
  const GameSpan& game = games_[index];
  return std::string_view(text_).substr(game.begin, game.end - game.begin);
}

void SgfCollection::ReadGame(std::size_t index, GameTree& root, ReadContext& context) const {
  const SgfText text(text_, fromUtf16_);
  ReadSgfGameAt(root, text, games_, index, context);
}

void SgfCollection::ReplaceGame(std::size_t index, std::string_view written) {
  if (games_.size() < 2 || index >= games_.size()) return;
  GameSpan& game = games_[index];
  text_.replace(game.begin, game.end - game.begin, written);
  const std::ptrdiff_t shift = static_cast<std::ptrdiff_t>(written.size()) -
                               static_cast<std::ptrdiff_t>(game.end - game.begin);
  game.end = game.begin + written.size();
  for (std::size_t i = index + 1; i < games_.size(); ++i) {
    games_[i].begin =
        static_cast<std::size_t>(static_cast<std::ptrdiff_t>(games_[i].begin) + shift);
    games_[i].end = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(games_[i].end) + shift);
  }
}

}  // namespace vantaro
