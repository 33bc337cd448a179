#include "app/game_list_model.h"

#include <QAnyStringView>
#include <QBrush>
#include <QFile>
#include <QUtf8StringView>

namespace vantaro::app {
namespace {

constexpr const char* kHeaders[] = {"#",     "Black", "rank", "White", "rank", "Result", "Date",
                                    "Event", "Round", "Name", "Moves", "Size", "File"};

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Number>
int Order(Number left, Number right) {
  return left < right ? -1 : right < left ? 1 : 0;
}

bool IsNumberColumn(int column) {
  return column == GameListModel::Number || column == GameListModel::Moves ||
         column == GameListModel::Size;
}

}  // namespace

GameListModel::GameListModel(QObject* parent) : QAbstractTableModel(parent) {}

void GameListModel::Clear(const std::optional<std::string>& folder) {
  beginResetModel();
  folder_ = folder;
  files_.clear();
  fileByPath_.clear();
  rows_.clear();
  gameCount_ = 0;
  endResetModel();
}

void GameListModel::Append(std::vector<ListedFile> files) {
  std::size_t added = 0;
  for (const ListedFile& file : files) added += file.error.empty() ? file.games.size() : 1;
  if (added == 0) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(added) - 1);
  for (ListedFile& file : files) {
    const auto index = static_cast<std::uint32_t>(files_.size());
    files_.push_back({std::move(file.path), std::move(file.error), rowCount()});
    fileByPath_.emplace(files_.back().path, index);
    if (!files_.back().error.empty()) {
      rows_.push_back({index, {}});
      continue;
    }
    gameCount_ += static_cast<int>(file.games.size());
    for (ListedGame& game : file.games) rows_.push_back({index, std::move(game)});
  }
  endInsertRows();
}

std::optional<GamePlace> GameListModel::Place(int row) const {
  if (row < 0 || row >= rowCount() || rows_[static_cast<std::size_t>(row)].game.game == 0) {
    return std::nullopt;
  }
  const Row& listed = rows_[static_cast<std::size_t>(row)];
  return GamePlace{files_[listed.file].path, listed.game.game - 1};
}

int GameListModel::RowOf(const GamePlace& place) const {
  const auto file = fileByPath_.find(place.path);
  if (file == fileByPath_.end()) return -1;
  const FileRows& rows = files_[file->second];
  const std::size_t row = static_cast<std::size_t>(rows.firstRow) + place.game;
  if (!rows.error.empty() || row >= rows_.size() || rows_[row].file != file->second) return -1;
  return static_cast<int>(row);
}

// The words are looked for in the file's name as the list shows it (below
// the folder opened), not in the folders above it: a word of the user's
// home folder would keep every row.
std::string_view GameListModel::ShownPath(const FileRows& file) const {
  const std::string_view path = file.path;
  if (folder_ && path.starts_with(*folder_ + '/')) return path.substr(folder_->size() + 1);
  const std::size_t separator = path.find_last_of('/');
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool GameListModel::Keeps(int row, const WordFilter& filter) const {
  const Row& listed = rows_[static_cast<std::size_t>(row)];
  const FileRows& file = files_[listed.file];
  if (!file.error.empty()) return filter.Matches({ShownPath(file), file.error});
  return vantaro::Keeps(filter, ShownPath(file), listed.game);
}

int GameListModel::Compare(int left, int right, int column) const {
  const Row& a = rows_[static_cast<std::size_t>(left)];
  const Row& b = rows_[static_cast<std::size_t>(right)];
  switch (column) {
    case Number:
      return a.file != b.file ? Order(a.file, b.file) : Order(a.game.game, b.game.game);
    case Moves:
      return Order(a.game.moves, b.game.moves);
    case Size:
      return a.game.size.x != b.game.size.x ? Order(a.game.size.x, b.game.size.x)
                                            : Order(a.game.size.y, b.game.size.y);
    case File:
      return files_[a.file].path.compare(files_[b.file].path);
    default:
      return QAnyStringView::compare(QUtf8StringView(Field(a, column)),
                                     QUtf8StringView(Field(b, column)), Qt::CaseInsensitive);
  }
}

std::string_view GameListModel::Field(const Row& row, int column) const {
  const FileRows& file = files_[row.file];
  if (!file.error.empty()) return column == Black ? std::string_view(file.error) : "";
  return row.game.info[static_cast<std::size_t>(column - Black)];
}

QString GameListModel::Text(const Row& row, int column) const {
  const FileRows& file = files_[row.file];
  if (column == File) return QFile::decodeName(std::string(ShownPath(file)).c_str());
  const bool unread = !file.error.empty();
  if (column == Number) return unread ? QString() : QString::number(row.game.game);
  if (column == Moves) return unread ? QString() : QString::number(row.game.moves);
  if (column == Size) return unread ? QString() : Utf8(BoardSizeText(row.game.size));
  return Utf8(Field(row, column));
}

int GameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : folder_ ? File + 1 : File;
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  const bool unread = row.game.game == 0;
  switch (role) {
    case Qt::DisplayRole:
      return Text(row, index.column());
    case Qt::ToolTipRole:
      if (index.column() == File) return QFile::decodeName(files_[row.file].path.c_str());
      return unread ? Text(row, Black) : QVariant();
    case Qt::ForegroundRole:
      return unread ? QBrush(Qt::darkRed) : QVariant();
    case Qt::TextAlignmentRole:
      return IsNumberColumn(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant();
    default:
      return {};
  }
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= columnCount()) {
    return {};
  }
  return QString::fromLatin1(kHeaders[section]);
}

}  // namespace vantaro::app
