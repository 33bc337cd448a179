#include "app/game_list_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <filesystem>

#include "app/command_binder.h"
#include "app/game_list_filter.h"
#include "app/game_list_model.h"
#include "app/game_list_reader.h"
#include "app/game_preview.h"
#include "app/window_settings.h"
#include "document/command_ids.h"
#include "document/vantaro_doc.h"

namespace vantaro::app {
namespace {

// The preview's stops, in the order of its choices.
constexpr LineStop::Kind kStops[] = {LineStop::Kind::FirstNode, LineStop::Kind::Move,
                                     LineStop::Kind::LastMove};
constexpr const char* kStopNames[] = {"First node", "Move", "Last move"};

// The filter box hands the keys that move through rows to the table, so that
// one can type a few words, pick a game with the arrows and open it.
class RowKeysToTable : public QObject {
 public:
  RowKeysToTable(QTableView& table, QObject* parent) : QObject(parent), table_(table) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.modifiers() != Qt::NoModifier) return false;
    switch (key.key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QCoreApplication::sendEvent(&table_, event);
        return true;
      default:
        return false;
    }
  }

 private:
  QTableView& table_;
};

}  // namespace

GameListWindow::GameListWindow(CVantaroCEDoc& document, const Options& options,
                               WindowSettings& settings, CommandBinder& commands, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      options_(options),
      settings_(settings),
      commands_(commands),
      model_(new GameListModel(this)),
      filter_(new GameListFilter(*model_, this)),
      reader_(new GameListReader(this)),
      table_(new QTableView(this)),
      preview_(new GamePreview(options, this)),
      status_(new QLabel(this)) {
  setObjectName(QStringLiteral("gameList"));
  table_->setModel(filter_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(-1, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->horizontalHeader()->resizeSection(
      GameListModel::Number, table_->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(table_);
  splitter->addWidget(MakePreviewColumn());
  splitter->setStretchFactor(0, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeFilterRow());
  layout->addWidget(splitter, 1);
  layout->addWidget(status_);
  for (const int id : {command::kGameList, command::kNextGame, command::kPreviousGame}) {
    addAction(commands.Action(id));
  }

  connect(table_, &QTableView::activated, this, &GameListWindow::OpenRow);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &GameListWindow::PreviewCurrentRow);
  // Next Game and Previous Game follow the order shown.
  connect(filter_, &QAbstractItemModel::rowsInserted, &commands_, &CommandBinder::ScheduleRefresh);
  connect(filter_, &QAbstractItemModel::rowsRemoved, &commands_, &CommandBinder::ScheduleRefresh);
  connect(filter_, &QAbstractItemModel::modelReset, &commands_, &CommandBinder::ScheduleRefresh);
  connect(filter_, &QAbstractItemModel::layoutChanged, &commands_, &CommandBinder::ScheduleRefresh);
  connect(reader_, &GameListReader::started, this, [this](int files) {
    filesToRead_ = files;
    progress_->setRange(0, std::max(files, 1));
    UpdateStatus();
  });
  connect(reader_, &GameListReader::filesRead, this, [this](std::vector<ListedFile>& files) {
    filesRead_ += static_cast<int>(files.size());
    model_->Append(std::move(files));
    progress_->setValue(filesRead_);
    if (!table_->currentIndex().isValid()) MarkOpenGame();
    UpdateStatus();
  });
  connect(reader_, &GameListReader::finished, this, [this](bool cancelled) {
    cancelled_ = cancelled;
    UpdateStatus();
  });
  resize(900, 480);
}

QWidget* GameListWindow::MakeFilterRow() {
  auto* row = new QWidget(this);
  filterBox_ = new QLineEdit(row);
  filterBox_->setPlaceholderText(QStringLiteral("Filter: the words of any field"));
  filterBox_->setClearButtonEnabled(true);
  filterBox_->installEventFilter(new RowKeysToTable(*table_, filterBox_));
  progress_ = new QProgressBar(row);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), row);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(filterBox_, 1);
  layout->addWidget(progress_);
  layout->addWidget(cancel_);
  connect(filterBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
    filter_->SetFilterText(text);
    if (!table_->currentIndex().isValid()) MarkOpenGame();
    UpdateStatus();
  });
  connect(filterBox_, &QLineEdit::returnPressed, this, [this] {
    const QModelIndex current = table_->currentIndex();
    OpenRow(current.isValid() ? current : filter_->index(0, 0));
  });
  connect(cancel_, &QPushButton::clicked, reader_, &GameListReader::Cancel);
  return row;
}

QWidget* GameListWindow::MakePreviewColumn() {
  auto* column = new QWidget(this);
  previewStop_ = new QComboBox(column);
  for (const char* name : kStopNames) previewStop_->addItem(QString::fromLatin1(name));
  previewMove_ = new QSpinBox(column);
  previewMove_->setRange(1, 9999);
  previewStop_->setCurrentIndex(settings_.gameListPreview);
  previewMove_->setValue(settings_.gameListPreviewMove);
  auto* choice = new QHBoxLayout;
  choice->addWidget(new QLabel(QStringLiteral("Preview at"), column));
  choice->addWidget(previewStop_, 1);
  choice->addWidget(previewMove_);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(preview_, 1);
  layout->addLayout(choice);
  connect(previewStop_, &QComboBox::currentIndexChanged, this, &GameListWindow::FollowPreviewStop);
  connect(previewMove_, &QSpinBox::valueChanged, this, &GameListWindow::FollowPreviewStop);
  FollowPreviewStop();
  return column;
}

void GameListWindow::ListFile(const std::string& path, bool show) {
  Follow({path, false}, show);
}

void GameListWindow::ListFolder(const std::string& path) {
  Follow({path, true}, true);
}

void GameListWindow::Follow(const Source& source, bool show) {
  source_ = source;
  read_ = false;
  reader_->Stop();
  model_->Clear(source.folder ? std::optional(source.path) : std::nullopt);
  preview_->Forget();
  UpdateTitle();
  if (show) {
    ShowList();
  } else if (isVisible()) {
    ReadGames();
  }
}

void GameListWindow::ShowList() {
  if (!isVisible() && !placed_) PlaceBesideMainWindow();
  show();
  raise();
  activateWindow();
  filterBox_->setFocus();
  ReadGames();
}

void GameListWindow::PlaceBesideMainWindow() {
  placed_ = true;
  const QWidget* frame = parentWidget();
  if (frame == nullptr || frame->screen() == nullptr) return;
  const QRect screen = frame->screen()->availableGeometry();
  const QRect outer = frame->frameGeometry();
  const int x = std::min(outer.right() + 1, screen.right() + 1 - width());
  move(std::max(x, screen.left()), std::max(outer.top(), screen.top()));
}

void GameListWindow::ReadGames() {
  if (!source_ || read_) return;
  read_ = true;
  filesToRead_ = 0;
  filesRead_ = 0;
  cancelled_ = false;
  progress_->setRange(0, 0);
  reader_->Start({source_->path}, MakeReadContext(options_));
  UpdateStatus();
}

DocumentUi::ListStep GameListWindow::Step(int step) const {
  if (!read_) return {};
  return {true, filter_->Step({document_.path(), document_.gameIndex()}, step)};
}

bool GameListWindow::reading() const {
  return reader_->reading();
}

void GameListWindow::OpenRow(const QModelIndex& shown) {
  if (!shown.isValid()) return;
  if (const auto place = model_->Place(filter_->mapToSource(shown).row())) {
    document_.OpenListedGame(*place);
  }
}

void GameListWindow::FollowPreviewStop() {
  const int choice = previewStop_->currentIndex();
  previewMove_->setEnabled(kStops[choice] == LineStop::Kind::Move);
  settings_.gameListPreview = choice;
  settings_.gameListPreviewMove = previewMove_->value();
  preview_->SetStop({kStops[choice], previewMove_->value()});
}

void GameListWindow::PreviewCurrentRow() {
  const QModelIndex current = table_->currentIndex();
  preview_->ShowGame(current.isValid() ? model_->Place(filter_->mapToSource(current).row())
                                       : std::nullopt);
}

void GameListWindow::MarkOpenGame() {
  const int row = model_->RowOf({document_.path(), document_.gameIndex()});
  if (row < 0) return;
  const QModelIndex shown = filter_->mapFromSource(model_->index(row, 0));
  if (!shown.isValid() || shown.row() == table_->currentIndex().row()) return;
  table_->selectionModel()->setCurrentIndex(
      shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  table_->scrollTo(shown);
}

void GameListWindow::UpdateStatus() {
  const bool reading = reader_->reading();
  progress_->setVisible(reading);
  cancel_->setVisible(reading);
  const int shown = filter_->rowCount();
  const int unread = model_->rowCount() - model_->gameCount();
  QString text = shown == model_->rowCount()
                     ? QStringLiteral("%1 games").arg(model_->gameCount())
                     : QStringLiteral("%1 shown of %2 games").arg(shown).arg(model_->gameCount());
  if (unread > 0) text += QStringLiteral(", %1 files could not be read").arg(unread);
  const QString files = QStringLiteral("%1 of %2 files").arg(filesRead_).arg(filesToRead_);
  if (reading) text += QStringLiteral(", ") + files + QStringLiteral(" read");
  if (cancelled_) text += QStringLiteral(", cancelled after ") + files;
  status_->setText(text);
}

void GameListWindow::UpdateTitle() {
  if (!source_) {
    setWindowTitle(QStringLiteral("Games"));
    return;
  }
  const std::filesystem::path path(source_->path);
  const std::string name = path.has_filename() ? path.filename().string() : path.string();
  setWindowTitle(QStringLiteral("Games - ") + QFile::decodeName(name.c_str()));
}

void GameListWindow::OnStatusChanged() {
  MarkOpenGame();
}

void GameListWindow::OnViewOptionsChanged() {
  preview_->ApplyOptions();
}

}  // namespace vantaro::app
