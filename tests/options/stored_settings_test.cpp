#include "options/stored_settings.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vantaro::test {
namespace {

TEST(StoredSettings, IniValuesAreReadAsTheToolkitWroteThem) {
  const struct {
    std::string_view stored;
    std::optional<std::string> text;
  } cases[] = {
      {"%GN% %PW% (W)", "%GN% %PW% (W)"},
      {"\"%GN% vs \xe6\x9c\xac, \\\"q\\\" \\\\ x\"", "%GN% vs \xe6\x9c\xac, \"q\" \\ x"},
      {"\"  lead and trail  \"", "  lead and trail  "},
      {"  plain  ", "plain"},
      {"\"@@at start;semi=eq\"", "@at start;semi=eq"},
      {"@String(@x)", "@x"},
      {"line1\\nline2\\ttab\\x672c\\101",
       "line1\nline2\ttab\xe6\x9c\xac"
       "A"},
      {"a, b,c", "a,b,c"},
      {"", ""},
      {"@ByteArray(\\x1\\x2\\0\\xff)", std::nullopt},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(IniValueText(row.stored), row.text) << row.stored;
  }
}

TEST(StoredSettings, OnlyTheGroupsSettingsAreReadAndBadValuesKeepTheirs) {
  const TemporaryDirectory directory;
  const std::string file = directory.Write("Vantaro4.conf",
                                           "[General]\n"
                                           "Print-FixedMoveCount=3\n"
                                           "[Option]\n"
                                           "Print-FigurePerPage=many\n"
                                           "Print-FixedMoveCount=5\n"
                                           "Print-ShowMarkers=0\n"
                                           "Print-footer=\"Page %PAGE%, Seoul\"\n"
                                           "showCoord=1\n"
                                           "[Other]\n"
                                           "Print-PageType=1\n");
  Options options;
  LoadStoredSettings(file, OptionGroup::Print, options);
  EXPECT_EQ(options.printFixedMoveCount, 5);
  EXPECT_EQ(options.printFigurePerPage, 4);
  EXPECT_FALSE(options.printShowMarkers);
  EXPECT_EQ(options.printFooter, u"Page %PAGE%, Seoul");
  EXPECT_EQ(options.printPageType, 0);
  EXPECT_FALSE(options.showCoord);

  LoadStoredSettings(directory.path() / "missing.conf", OptionGroup::Print, options);
  EXPECT_EQ(options.printFixedMoveCount, 5);
}

TEST(StoredSettings, TheFileLiesInTheUsersConfigurationFolder) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string kept = saved != nullptr ? saved : "";
  setenv("XDG_CONFIG_HOME", "/config", 1);
  EXPECT_EQ(StoredSettingsPath(), "/config/Brenmoor/Vantaro4.conf");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(StoredSettingsPath(),
            std::filesystem::path(std::getenv("HOME")) / ".config/Brenmoor/Vantaro4.conf");
  if (saved != nullptr) setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
}

}  // namespace
}  // namespace vantaro::test
