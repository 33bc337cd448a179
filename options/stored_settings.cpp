#include "options/stored_settings.h"

#include <cstdlib>
#include <fstream>
#include <utility>

#include "text/text_conversion.h"

namespace vantaro {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r';
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The code unit that the digits of the base from `at` on make after the
// value of the first; `at` moves past them.
char16_t NumberFrom(std::u16string_view value, size_t& at, int base, char16_t first) {
  char16_t unit = first;
  while (at < value.size() && HexDigit(value[at]) >= 0 && HexDigit(value[at]) < base) {
    unit = static_cast<char16_t>(unit * base + HexDigit(value[at++]));
  }
  return unit;
}

// The code unit a backslash escape stands for; `at` is past the backslash
// and moves past the escape.
char16_t Escaped(std::u16string_view value, size_t& at) {
  const char16_t c = value[at++];
  constexpr std::pair<char16_t, char16_t> kControls[] = {
      {u'a', u'\a'}, {u'b', u'\b'}, {u'f', u'\f'}, {u'n', u'\n'},
      {u'r', u'\r'}, {u't', u'\t'}, {u'v', u'\v'}};
  for (const auto& [letter, control] : kControls) {
    if (c == letter) return control;
  }
  if (c == u'x') return NumberFrom(value, at, 16, 0);
  if (c >= u'0' && c <= u'7') return NumberFrom(value, at, 8, static_cast<char16_t>(c - u'0'));
  return c;  // \" \' \\ \? and any other character stand for themselves
}

std::optional<std::string> ValueOf(std::u16string_view value) {
  std::u16string text;
  bool quoted = false;
  size_t itemStart = 0;
  size_t pendingBlanks = 0;  // blanks outside quotes count only inside an item
  for (size_t at = 0; at < value.size();) {
    const char16_t c = value[at++];
    if (!quoted && IsBlank(c)) {
      if (text.size() != itemStart) ++pendingBlanks;
      continue;
    }
    if (!quoted && c == u',') {
      text += u',';
      itemStart = text.size();
      pendingBlanks = 0;
      continue;
    }
    text.append(pendingBlanks, u' ');
    pendingBlanks = 0;
    if (c == u'"') {
      quoted = !quoted;
    } else if (c == u'\\' && at < value.size()) {
      text += Escaped(value, at);
    } else {
      text += c;
    }
  }
  if (text.starts_with(u"@@")) return ToDisplayUtf8(std::u16string_view(text).substr(1));
  if (text.starts_with(u"@String(") && text.ends_with(u')')) {
    return ToDisplayUtf8(std::u16string_view(text).substr(8, text.size() - 9));
  }
  if (text.starts_with(u'@')) return std::nullopt;
  return ToDisplayUtf8(text);
}

}  // namespace

std::filesystem::path StoredSettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::filesystem::path folder =
      config != nullptr && *config != '\0'
          ? std::filesystem::path(config)
          : std::filesystem::path(home != nullptr ? home : "") / ".config";
  return folder / "Brenmoor" / "Vantaro4.conf";
}

std::optional<std::string> IniValueText(std::string_view value) {
  return ValueOf(FromUtf8(value));
}

void LoadStoredSettings(const std::filesystem::path& file, OptionGroup group, Options& options) {
  std::ifstream in(file, std::ios::binary);
  bool inOptions = false;
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with('[')) {
      inOptions = line.starts_with("[Option]");
      continue;
    }
    const size_t equals = line.find('=');
    if (!inOptions || equals == std::string::npos) continue;
    const OptionDescriptor* option = FindOption(line.substr(0, equals));
    if (option == nullptr || option->group != group || !option->persisted) continue;
    if (const std::optional<std::string> text = IniValueText(line.substr(equals + 1))) {
      SetOptionFromText(options, *option, *text);
    }
  }
}

}  // namespace vantaro
