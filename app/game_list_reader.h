#pragma once

#include <QObject>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/game_list_model.h"
#include "text/code_page_table.h"

namespace vantaro::app {

// Reads the games of record files for the list in the background, on every
// core, and hands them to the window's thread in batches as they are read.
// The reading threads never touch a widget: what they read waits under a
// lock until the window's thread takes it.
class GameListReader : public QObject {
  Q_OBJECT

 public:
  explicit GameListReader(QObject* parent = nullptr);
  // Cancels a reading under way and waits for the files being read.
  ~GameListReader() override;

  // Reads the games of the record files that paths stand for (sub-folders
  // included, see RecordFilesUnder), after ending a reading under way,
  // whose results never arrive.
  void Start(std::vector<std::string> paths, const ReadContext& context);
  // No further file is started; the files being read still arrive, then
  // finished(true).
  void Cancel();
  // Ends the reading under way, if any: what it has not handed over yet never arrives.
  void Stop();
  bool reading() const { return reading_; }

 signals:
  // The files to read are known.
  void started(int files);
  // The next files read (a file that could not be read with its error), in
  // the order they were read.
  void filesRead(std::vector<ListedFile>& files);
  void finished(bool cancelled);

 private:
  // On a reading thread: the file waits for the window's thread.
  void Hand(ListedFile file);
  // On the window's thread: what the reading threads handed over so far.
  void TakeRead();
  void Finish(unsigned run, bool cancelled);

  std::thread worker_;
  std::atomic<bool> stop_ = false;
  std::mutex mutex_;
  std::vector<ListedFile> handed_;  // under mutex_
  bool takePosted_ = false;         // under mutex_
  unsigned run_ = 0;                // the reading under way; the window's thread only
  bool reading_ = false;
};

}  // namespace vantaro::app
