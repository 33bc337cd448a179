#include "app/game_list_filter.h"

#include <cstdlib>

#include "app/game_list_model.h"

namespace vantaro::app {

GameListFilter::GameListFilter(GameListModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
  setSourceModel(&model);
}

void GameListFilter::SetFilterText(const QString& text) {
  filter_ = WordFilter(text.toStdString());
  invalidateRowsFilter();
}

std::optional<GamePlace> GameListFilter::Step(const GamePlace& from, int step) const {
  if (step == 0) return std::nullopt;
  const int direction = step > 0 ? 1 : -1;
  const int sourceRow = model_.RowOf(from);
  const int shown = sourceRow < 0 ? -1 : mapFromSource(model_.index(sourceRow, 0)).row();
  int row = shown >= 0 ? shown : step > 0 ? -1 : rowCount();
  // From outside the shown rows, the first step lands on the first or last game.
  int games = shown >= 0 ? std::abs(step) : 1;
  std::optional<GamePlace> place;
  while (games > 0) {
    row += direction;
    if (row < 0 || row >= rowCount()) return std::nullopt;
    place = model_.Place(mapToSource(index(row, 0)).row());
    if (place) --games;
  }
  return place;
}

bool GameListFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return filter_.empty() || model_.Keeps(sourceRow, filter_);
}

bool GameListFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  return model_.Compare(left.row(), right.row(), left.column()) < 0;
}

}  // namespace vantaro::app
