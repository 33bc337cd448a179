#pragma once

#include <string>
#include <vector>

class QSettings;

namespace vantaro::app {

// The most recently opened or saved files, newest first, at most four. The
// list lives in the application profile, group "Recent File List", values
// "File1" to "File4"; it is read at start-up and written at exit.
class RecentFiles {
 public:
  static constexpr int kMaxEntries = 4;

  void Load(const QSettings& profile);
  void Save(QSettings& profile) const;

  // Puts the file first (as an absolute path), dropping an older entry of it
  // and the oldest entry when the list is full.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};

}  // namespace vantaro::app
