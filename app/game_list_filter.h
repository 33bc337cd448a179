#pragma once

#include <QSortFilterProxyModel>

#include <optional>

#include "document/document_ui.h"
#include "record/game_listing.h"

namespace vantaro::app {

class GameListModel;

// The list of games as the user sees it: sorted by the column they chose
// (the file's order until they choose one) and keeping the rows that hold
// every word typed in the filter, in any case and any script. It knows
// which game comes next in that order.
class GameListFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  // model must outlive the filter.
  GameListFilter(GameListModel& model, QObject* parent = nullptr);

  void SetFilterText(const QString& text);
  // The game `step` shown rows on from `from` (back when negative), rows of
  // files that could not be read left out; from a game that is not shown,
  // the first or the last game shown. nullopt when there is none there.
  std::optional<GamePlace> Step(const GamePlace& from, int step) const;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  GameListModel& model_;
  WordFilter filter_{""};
};

}  // namespace vantaro::app
