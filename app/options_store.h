#pragma once

#include <QSettings>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "options/options.h"
#include "render/drawing_times.h"

namespace vantaro::app {

// Where the settings of the program persist, in the files of QSettings under
// the organisation "Brenmoor" (on Linux ~/.config/Brenmoor/):
// - "Vantaro4", group "Option": every setting by its registry value name;
// - "Vantaro", the application profile: "Option/Language", "Option/CommentFont",
//   the recent-file list and the drawing times under "Performance";
// - the machine-wide "Vantaro4" (/etc/xdg/Brenmoor/Vantaro4.conf), value
//   "path": the install directory, read only.
// Settings are read once at start-up and written once at exit; so are the
// drawing times, kept meanwhile.
class OptionsStore : public DrawingTimes {
 public:
  OptionsStore();
  ~OptionsStore() override;
  OptionsStore(const OptionsStore&) = delete;
  OptionsStore& operator=(const OptionsStore&) = delete;

  // Replaces every setting: first the install directory (which the defaults
  // of the file settings hang on), then the view and general settings (the
  // board size clamped to 2..52), the language and last the print settings.
  // A missing or malformed value keeps its default.
  void LoadAll(Options& options);
  // Writes every persisted setting, the language and the drawing times, and creates the empty
  // option file in the user's settings folder. False when that file could
  // not be created; nothing is shown. "Option/CommentFont" is left as it is:
  // nothing in the program changes the comment font.
  bool SaveAll(const Options& options);

  // The install directory: the machine's "path" value, or else the data
  // folder of the running program.
  std::u16string InstallDirectory() const;
  std::filesystem::path OptionFilePath() const;
  QSettings& profile() { return *profile_; }

  // The latest time of each timed drawing step, for "Performance".
  void Record(std::string_view timer, int milliseconds) override;

 private:
  void ReadGroup(Options& options, OptionGroup group);
  void WriteGroup(const Options& options, OptionGroup group);

  std::unique_ptr<QSettings> options_;
  std::unique_ptr<QSettings> profile_;
  std::map<std::string, int, std::less<>> drawingTimes_;
};

}  // namespace vantaro::app
