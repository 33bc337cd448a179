#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/document_ui.h"
#include "record/game_listing.h"

namespace vantaro::app {

// One file of a list of games: its games, or why it could not be read.
struct ListedFile {
  std::string path;
  std::string error;  // empty when it was read
  std::vector<ListedGame> games;
};

// The rows of the list of games: one per game of the files read so far, in
// the order they came, and one per file that could not be read, its error
// in the Black column. The columns are #, Black, rank, White, rank, Result,
// Date, Event, Round, Name, Moves and Size, then File for a folder's list.
class GameListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The game-information columns are kListedInfo's, from Black on.
  enum Column {
    Number,
    Black,
    BlackRank,
    White,
    WhiteRank,
    Result,
    Date,
    Event,
    Round,
    Name,
    Moves,
    Size,
    File,
  };
  static_assert(Moves - Black == kListedInfoCount);

  explicit GameListModel(QObject* parent = nullptr);

  // Empties the list. folder: the rows name their file, shown below the folder.
  void Clear(const std::optional<std::string>& folder);
  void Append(std::vector<ListedFile> files);

  // The game of a row; nullopt for a file that could not be read.
  std::optional<GamePlace> Place(int row) const;
  // The row of a game; -1 when it is not listed.
  int RowOf(const GamePlace& place) const;
  // Whether the filter keeps a row: its words are looked for in the game's
  // fields and in the file's name as the list shows it.
  bool Keeps(int row, const WordFilter& filter) const;
  // The order of two rows by a column: below, equal or above 0.
  int Compare(int left, int right, int column) const;
  int gameCount() const { return gameCount_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    std::uint32_t file;
    ListedGame game;  // game 0 for a file that could not be read
  };
  struct FileRows {
    std::string path;
    std::string error;
    int firstRow = 0;
  };

  QString Text(const Row& row, int column) const;
  // The UTF-8 text of a game-information column; an unread file's error under Black.
  std::string_view Field(const Row& row, int column) const;
  std::string_view ShownPath(const FileRows& file) const;

  std::optional<std::string> folder_;
  std::vector<FileRows> files_;
  std::unordered_map<std::string, std::uint32_t> fileByPath_;
  std::vector<Row> rows_;
  int gameCount_ = 0;
};

}  // namespace vantaro::app
