#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "options/options.h"

namespace vantaro {

// The file the desktop program keeps its settings in, as its toolkit writes
// it: Brenmoor/Vantaro4.conf in $XDG_CONFIG_HOME, or else in ~/.config.
std::filesystem::path StoredSettingsPath();

// Reads the persisted settings of the group from the "Option" section of
// that INI file, as the desktop program reads them at start-up: a whole
// number for a bool, int or colour, text for a string. A missing file,
// setting or malformed value leaves the setting as it was. For the
// command-line tool, which has no settings store of its own.
void LoadStoredSettings(const std::filesystem::path& file, OptionGroup group, Options& options);

// A value of such a file as text (UTF-8): surrounding blanks dropped,
// quotes removed, backslash escapes (\n, \t, \", \\, \xHHHH, ...) and a
// leading "@@" resolved, a list (items separated by commas outside quotes)
// joined with commas. Nothing for a value of another type (@ByteArray(...)).
std::optional<std::string> IniValueText(std::string_view value);

}  // namespace vantaro
