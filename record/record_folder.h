#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "record/io_result.h"
#include "record/sgf_parser.h"
#include "text/code_page_table.h"

namespace vantaro {

// The record files that paths stand for: a folder stands for every file
// below it, in sub-folders too, with an extension that Open reads, in the
// order of their paths; any other path stands for itself, whatever its
// name. What cannot be entered is left out.
std::vector<std::string> RecordFilesUnder(const std::vector<std::string>& paths);

// What reading the summaries of one file gave.
struct FileSummaries {
  IoResult read;
  std::vector<GameSummary> games;
};

// Reads the game summaries of files (see SummarizeRecordFile) on `threads`
// threads, the calling one among them, each taking the next file not yet
// taken. done(i, summaries) runs on the thread that read file i as soon as
// it is read, on several threads at once; it may move the summaries away.
// Once stop is set no further file is started. Returns when every thread
// has finished.
void SummarizeFiles(const std::vector<std::string>& files, const ReadContext& context,
                    unsigned threads, const std::function<void(std::size_t, FileSummaries&)>& done,
                    const std::atomic<bool>* stop = nullptr);

}  // namespace vantaro
