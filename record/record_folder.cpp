#include "record/record_folder.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "record/game_listing.h"
#include "record/record_format.h"

namespace vantaro {

namespace fs = std::filesystem;

std::vector<std::string> RecordFilesUnder(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    const auto first = static_cast<std::ptrdiff_t>(files.size());
    for (fs::recursive_directory_iterator
             entry(path, fs::directory_options::skip_permission_denied, error),
         end;
         !error && entry != end; entry.increment(error)) {
      if (entry->is_regular_file(error) &&
          DetectFormat(entry->path().native()) != RecordFormat::Unknown) {
        files.push_back(entry->path().string());
      }
    }
    std::sort(files.begin() + first, files.end());
  }
  return files;
}

void SummarizeFiles(const std::vector<std::string>& files, const ReadContext& context,
                    unsigned threads, const std::function<void(std::size_t, FileSummaries&)>& done,
                    const std::atomic<bool>* stop) {
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    std::string bytes;  // reused from file to file
    FileSummaries summaries;
    for (std::size_t i = next++; i < files.size(); i = next++) {
      if (stop != nullptr && stop->load()) return;
      summaries.read = SummarizeRecordFile(files[i], context, summaries.games, bytes);
      done(i, summaries);
    }
  };
  const std::size_t helpers =
      std::min<std::size_t>(std::max(threads, 1u), std::max<std::size_t>(files.size(), 1)) - 1;
  std::vector<std::thread> running;
  for (std::size_t i = 0; i < helpers; ++i) running.emplace_back(work);
  work();
  for (std::thread& thread : running) thread.join();
}

}  // namespace vantaro
