#pragma once

#include <QWidget>

#include <optional>
#include <string>

#include "document/document_ui.h"
#include "editor/update_sink.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace vantaro {
class CVantaroCEDoc;
struct Options;
}  // namespace vantaro

namespace vantaro::app {

class CommandBinder;
class GameListFilter;
class GameListModel;
class GameListReader;
class GamePreview;
struct WindowSettings;

// The list of games (File > Games...), a window of its own beside the main
// window: the games of the open file, or of every record file below a
// folder, with a filter box, a table sorted by the column clicked and a
// preview of the selected game. Enter or a double-click opens a game; the
// document's Next Game and Previous Game follow the list as it is shown.
// The games are read in the background whenever the list is shown with
// games not yet read; the list can be used while they arrive. It follows
// the document to mark the game open.
class GameListWindow : public QWidget, public UpdateSink {
  Q_OBJECT

 public:
  // All must outlive the window.
  GameListWindow(CVantaroCEDoc& document, const Options& options, WindowSettings& settings,
                 CommandBinder& commands, QWidget* parent);

  // The list holds the games of the file from now on, read afresh; it
  // shows itself when show is set.
  void ListFile(const std::string& path, bool show);
  // The list holds the games of every record file below the folder, and shows itself.
  void ListFolder(const std::string& path);
  // Shows the list and reads its games if they are not read yet.
  void ShowList();
  // See DocumentUi::StepInGameList.
  DocumentUi::ListStep Step(int step) const;
  // Games are being read in the background.
  bool reading() const;

  QLineEdit& filterBox() const { return *filterBox_; }
  QTableView& table() const { return *table_; }
  GameListModel& model() const { return *model_; }
  GamePreview& preview() const { return *preview_; }
  QComboBox& previewStop() const { return *previewStop_; }
  QSpinBox& previewMove() const { return *previewMove_; }
  QProgressBar& progress() const { return *progress_; }
  QPushButton& cancelButton() const { return *cancel_; }
  QLabel& status() const { return *status_; }

  void OnStatusChanged() override;
  void OnViewOptionsChanged() override;

 private:
  struct Source {
    std::string path;
    bool folder = false;
    bool operator==(const Source&) const = default;
  };

  QWidget* MakeFilterRow();
  QWidget* MakePreviewColumn();
  void Follow(const Source& source, bool show);
  // The first time it shows, the list goes beside the main window, or as
  // far to the right as the screen allows, so as to hide little of the board.
  void PlaceBesideMainWindow();
  void ReadGames();
  void OpenRow(const QModelIndex& shown);
  void FollowPreviewStop();
  void PreviewCurrentRow();
  // Marks the open game's row as the current one, when it is listed.
  void MarkOpenGame();
  void UpdateStatus();
  void UpdateTitle();

  CVantaroCEDoc& document_;
  const Options& options_;
  WindowSettings& settings_;
  CommandBinder& commands_;
  GameListModel* model_;
  GameListFilter* filter_;
  GameListReader* reader_;
  QLineEdit* filterBox_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QTableView* table_;
  GamePreview* preview_;
  QComboBox* previewStop_ = nullptr;
  QSpinBox* previewMove_ = nullptr;
  QLabel* status_;
  std::optional<Source> source_;
  bool read_ = false;  // the games of source_ are read or being read
  int filesToRead_ = 0;
  int filesRead_ = 0;
  bool cancelled_ = false;  // the last reading was cancelled
  bool placed_ = false;
};

}  // namespace vantaro::app
