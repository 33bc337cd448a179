#include "app/options_store.h"

#include <QSettings>

#include <filesystem>
#include <functional>
#include <utility>

#include "options/stored_settings.h"
#include "qt_test_support.h"
#include "text/text_conversion.h"

namespace vantaro::test {
namespace {

using app::OptionsStore;

class OptionsStoreTest : public QtTest {
 protected:
  // Loads the settings, changes them and saves them as an exit does; false
  // when the option file could not be written.
  bool SaveChanged(const std::function<void(Options&)>& change) {
    Options options;
    store_.LoadAll(options);
    change(options);
    return store_.SaveAll(options);
  }
  // The settings as the next start of the program finds them.
  Options LoadedAfterRestart() {
    Options loaded;
    OptionsStore().LoadAll(loaded);
    return loaded;
  }
  // A value as the settings file holds it.
  static QVariant Stored(const char* name) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro4")
        .value(QStringLiteral("Option/") + name);
  }
  static void Store(const char* name, const QVariant& value) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro4")
        .setValue(QStringLiteral("Option/") + name, value);
  }

  OptionsStore store_;
};

// vantaro-cli reads the print settings from the file the program saved,
// without the toolkit that wrote it.
TEST_F(OptionsStoreTest, TheCommandLineToolReadsThePrintSettingsAsSaved) {
  const auto change = [](Options& options) {
    options.printPageType = 1;
    options.printFixedMoveCount = 7;
    options.printShowCoord = false;
    options.printTitleString = u"  \"%GN%\", \\ @ \u672c\u56e0\u574a; a=b\tc\nd  ";
    options.printHeader = u"@%PAGE%";
    options.printFooter = u"%%, ok";
    options.showCoord = true;
  };
  ASSERT_TRUE(SaveChanged(change));
  Options expected;
  change(expected);
  Options read;
  read.printHeader = u"unchanged";
  LoadStoredSettings(UserSettings() / "Brenmoor" / "Vantaro4.conf", OptionGroup::Print, read);
  EXPECT_EQ(read.printPageType, 1);
  EXPECT_EQ(read.printFixedMoveCount, 7);
  EXPECT_FALSE(read.printShowCoord);
  EXPECT_EQ(read.printTitleString, expected.printTitleString);
  EXPECT_EQ(read.printHeader, expected.printHeader);
  EXPECT_EQ(read.printFooter, expected.printFooter);
  EXPECT_FALSE(read.showCoord) << "only the print settings";
}

TEST_F(OptionsStoreTest, EverySettingSurvivesARestartWithItsType) {
  ASSERT_TRUE(SaveChanged([](Options& options) {
    options.showCoord = true;
    options.fastTraverseStep = 12;
    options.backgroundColor = 0x00C0FFEE;
    options.boardColor = static_cast<int>(0xFFFFFFFFu);
    options.findText = u"黒番と白番 — 흑";
    options.saveBmpAddRatio = 0.3;
  }));
  const Options loaded = LoadedAfterRestart();
  EXPECT_TRUE(loaded.showCoord);
  EXPECT_EQ(loaded.fastTraverseStep, 12);
  EXPECT_EQ(loaded.backgroundColor, 0x00C0FFEE);
  EXPECT_EQ(loaded.boardColor, static_cast<int>(0xFFFFFFFFu));
  EXPECT_EQ(loaded.findText, u"黒番と白番 — 흑");
  EXPECT_EQ(loaded.saveBmpAddRatio, 0.3);
  // Doubles are 8 bytes of binary data, as in the registry.
  EXPECT_EQ(Stored("saveBmpAddRatio").toByteArray().size(), 8);
}

TEST_F(OptionsStoreTest, AMissingStoreGivesEveryDefault) {
  const Options loaded = LoadedAfterRestart();
  const Options defaults(loaded.installDirectory);
  for (const OptionDescriptor& option : OptionDescriptors()) {
    std::visit([&](auto field) { EXPECT_EQ(loaded.*field, defaults.*field) << option.name; },
               option.field);
  }
}

TEST_F(OptionsStoreTest, BoardSizeIsClampedOnLoadAndSavedClamped) {
  const std::pair<int, int> sizes[] = {{1, 2}, {60, 52}, {-5, 2}, {13, 13}};
  for (const auto& [stored, loaded] : sizes) {
    Store("BoardSizeCX", stored);
    Store("BoardSizeCY", stored);
    ASSERT_TRUE(SaveChanged([loaded](Options& options) {
      EXPECT_EQ(options.BoardSizeCX, loaded);
      EXPECT_EQ(options.BoardSizeCY, loaded);
    }));
    EXPECT_EQ(Stored("BoardSizeCX").toInt(), loaded);
  }
}

TEST_F(OptionsStoreTest, ValuesOfTheWrongShapeKeepTheirDefaults) {
  Store("fastTraverseStep", QByteArray("\x07\x00\x00\x00", 4));  // a DWORD as binary
  Store("showMoveCount", QByteArray("\x07\x00\x00", 3));         // too short
  Store("boardBrightness", "bright");                            // not a number
  Store("autosetMNMoves", "99999999999");                        // beyond 32 bits
  Store("saveBmpAddRatio", "0.5");                               // a double as text
  Store("playSound", 0);
  Store("findText", QByteArray("h\0i\0\0\0", 6));  // a string as UTF-16 bytes
  const Options loaded = LoadedAfterRestart();
  EXPECT_EQ(loaded.fastTraverseStep, 7);
  EXPECT_EQ(loaded.showMoveCount, 10000);
  EXPECT_EQ(loaded.boardBrightness, 100);
  EXPECT_EQ(loaded.autosetMNMoves, 50);
  EXPECT_EQ(loaded.saveBmpAddRatio, 0.85);
  EXPECT_FALSE(loaded.playSound);
  EXPECT_EQ(loaded.findText, u"hi");
}

// The stone styles stay the numbers earlier versions stored; a number that
// names no style loads as generated stones.
TEST_F(OptionsStoreTest, StoneStylesAreStoredAsTheirNumbers) {
  Store("stoneTypeB", 4);
  Store("stoneTypeW", 9);
  ASSERT_TRUE(SaveChanged([](Options& options) {
    EXPECT_EQ(options.stoneTypeB, StoneStyle::Material);
    EXPECT_EQ(options.stoneTypeW, StoneStyle::Generated);
    options.stoneTypeW = StoneStyle::MonoAntialiased;
  }));
  EXPECT_EQ(Stored("stoneTypeB").toInt(), 4);
  EXPECT_EQ(Stored("stoneTypeW").toInt(), 1);
}

// Exit writes the language, and an empty option file, in the user's settings.
TEST_F(OptionsStoreTest, TheBoardTransformAndTheLanguageAreForgottenAtTheNextStart) {
  ASSERT_TRUE(SaveChanged([](Options& options) {
    options.rotation = 3;
    options.flipHorizontal = options.flipVertical = true;
    options.language = 7;
  }));
  const Options loaded = LoadedAfterRestart();
  EXPECT_EQ(loaded.rotation, 0);
  EXPECT_FALSE(loaded.flipHorizontal);
  EXPECT_FALSE(loaded.flipVertical);
  EXPECT_FALSE(Stored("rotation").isValid());
  EXPECT_EQ(loaded.language, 0);
  const QSettings profile(QSettings::NativeFormat, QSettings::UserScope, "Brenmoor", "Vantaro");
  EXPECT_EQ(profile.value("Option/Language").toInt(), 7);
  EXPECT_EQ(store_.OptionFilePath(), UserSettings() / "Brenmoor" / "vantaroopt.xml");
  ASSERT_TRUE(std::filesystem::exists(store_.OptionFilePath()));
  EXPECT_EQ(std::filesystem::file_size(store_.OptionFilePath()), 0u);
}

TEST_F(OptionsStoreTest, AnOptionFileThatCannotBeWrittenFailsTheSaveQuietly) {
  std::filesystem::create_directories(store_.OptionFilePath());  // a folder in its place
  EXPECT_FALSE(SaveChanged([](Options& options) { options.fastTraverseStep = 9; }));
  EXPECT_EQ(LoadedAfterRestart().fastTraverseStep, 9);
}

// Without an install path on the machine, the program's own folder holds the data.
TEST_F(OptionsStoreTest, FileSettingsDefaultBelowTheMachinesInstallPath) {
  EXPECT_EQ(ToDisplayUtf8(LoadedAfterRestart().installDirectory),
            std::filesystem::canonical("/proc/self/exe").parent_path().string());
  QSettings(QSettings::NativeFormat, QSettings::SystemScope, "Brenmoor", "Vantaro4")
      .setValue("path", "/opt/vantaro");
  const Options loaded = LoadedAfterRestart();
  EXPECT_EQ(loaded.installDirectory, u"/opt/vantaro");
  EXPECT_EQ(loaded.MoveSoundFile, u"/opt/vantaro/sound/move.wav");
  EXPECT_EQ(loaded.templatePath, u"/opt/vantaro/Template/default.sgf");
}

}  // namespace
}  // namespace vantaro::test
