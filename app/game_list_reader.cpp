#include "app/game_list_reader.h"

#include "record/record_folder.h"

namespace vantaro::app {

GameListReader::GameListReader(QObject* parent) : QObject(parent) {}

GameListReader::~GameListReader() {
  Stop();
}

void GameListReader::Start(std::vector<std::string> paths, const ReadContext& context) {
  Stop();
  reading_ = true;
  const unsigned run = ++run_;
  worker_ = std::thread([this, run, paths = std::move(paths), context] {
    const std::vector<std::string> files = RecordFilesUnder(paths);
    QMetaObject::invokeMethod(
        this,
        [this, run, count = static_cast<int>(files.size())] {
          if (run == run_) emit started(count);
        },
        Qt::QueuedConnection);
    SummarizeFiles(
        files, context, std::thread::hardware_concurrency(),
        [&](std::size_t i, FileSummaries& read) {
          Hand({files[i], read.read.error,
                read.read.ok ? ListGames(read.games) : std::vector<ListedGame>{}});
        },
        &stop_);
    QMetaObject::invokeMethod(
        this, [this, run, cancelled = stop_.load()] { Finish(run, cancelled); },
        Qt::QueuedConnection);
  });
}

void GameListReader::Cancel() {
  stop_ = true;
}

void GameListReader::Stop() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
  stop_ = false;
  reading_ = false;
  ++run_;
  const std::lock_guard lock(mutex_);
  handed_.clear();
}

void GameListReader::Hand(ListedFile file) {
  bool post = false;
  {
    const std::lock_guard lock(mutex_);
    handed_.push_back(std::move(file));
    post = !takePosted_;
    takePosted_ = true;
  }
  if (post) QMetaObject::invokeMethod(this, &GameListReader::TakeRead, Qt::QueuedConnection);
}

void GameListReader::TakeRead() {
  std::vector<ListedFile> files;
  {
    const std::lock_guard lock(mutex_);
    files.swap(handed_);
    takePosted_ = false;
  }
  if (!files.empty()) emit filesRead(files);
}

void GameListReader::Finish(unsigned run, bool cancelled) {
  if (run != run_) return;
  TakeRead();
  reading_ = false;
  emit finished(cancelled);
}

}  // namespace vantaro::app
