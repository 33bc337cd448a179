#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "options/stone_style.h"
#include "text/code_page_table.h"

namespace vantaro {

// Every setting of the program, named as its registry value. The object is
// process-wide (GlobalOptions); commands change its fields in place and the
// application shell loads it at start-up and saves it at exit.
struct Options {
  // Defaults that name files are relative to installDirectory.
  explicit Options(std::u16string installDirectory = DefaultInstallDirectory());

  static std::u16string DefaultInstallDirectory();
  std::u16string InstallRelative(std::u16string_view relative) const;

  std::u16string installDirectory;

  // Print settings: only loaded and saved.
  int printPageType = 0;
  int printFixedMoveCount = 20;
  int printFigurePerPage = 4;
  bool printShowMoveNumber = true;
  bool printShowMarkers = true;
  bool printShowCoord = true;
  std::u16string printTitleString;
  std::u16string printSubTitle;
  std::u16string printHeader;
  std::u16string printFooter;

  int language = 0;
  int optionTabIndex = 0;

  // View settings.
  int backgroundColor = 0xFFFFFF;
  int coordColor = 0;
  std::u16string boardBitmapPath;
  int boardBrightness = 100;
  bool boardBitmap = true;
  int boardColor = 0x4FA9E4;
  bool boardBorderDoubleThick = false;
  bool showCoord = false;
  bool showCoordI = false;
  int rotation = 0;  // quarter turns clockwise, 0..3; not persisted, like both flips
  bool flipHorizontal = false;
  bool flipVertical = false;
  StoneStyle stoneTypeB = StoneStyle::Generated;
  StoneStyle stoneTypeW = StoneStyle::Generated;
  std::u16string stoneBitmapB;
  std::u16string stoneBitmapW;
  int stoneRandomCountB = 5;
  int stoneRandomCountW = 5;
  bool showMoveNumber = false;
  bool autoSetMNinBranch = true;
  int showMoveCount = 10000;
  bool showMarkers = true;
  bool showNextMoves = true;
  bool showNextOnlyMove = false;
  int nextMoveStartingChar = 65;  // 'A'
  int nextMoveMarkerColor = 0xCC0000;
  int focusColor = 0x1414E6;
  int focusColorW = 0x1414E6;
  int focusShape = 6;  // a drawable kind; 6 is the focus triangle
  int terrBlackColor = 0;
  int terrWhiteColor = 0xFFFFFF;
  int terrShareColor = 0x0000FF;
  int scoreDeadStoneColor = 0x80FF80;
  int tryPlayBackground = 0xA0A0A0;
  int tutorBackground = 0x8E8E38;
  bool showCommentOnBoard = false;

  // General settings.
  bool boardLeft = true;
  bool treeTop = false;
  int treePaneWidth = 200;
  int commentPaneHeight = 200;
  bool showCommentPane = true;
  bool showTreePane = true;
  bool treeMoveNumbers = false;  // the game tree numbers its moves
  bool treeVertical = false;     // the game tree grows downward
  bool showGameResult = true;
  int branchTipPosX = -1;
  int branchTipPosY = -1;
  int scoreDlgPosX = 500;
  int scoreDlgPosY = 100;
  int findDlgPosX = 500;
  int findDlgPosY = 100;
  int saveBmpDlgPosX = 500;
  int saveBmpDlgPosY = 100;
  bool alwaysOnTop = false;
  bool fullScreen = false;
  int commentBackground = 0xFFFFFF;
  int treeBackground = 0xFFFFFF;
  bool autoLabel = true;
  int autoLabelStartFrom = 65;  // 'A'
  bool mergeIfOnlyOneChild = true;
  bool whiteFirst = false;
  bool rightClickUndoMove = true;
  int BoardSizeCX = 19;
  int BoardSizeCY = 19;
  bool autoDetectBig5 = false;
  int defaultCodePage = 0;
  bool useTemplate = false;
  std::u16string templatePath;
  int defaultKomi = 650;  // komi x 100: 6.5
  bool autoBranch = true;
  bool openReadOnly = false;
  std::u16string lastTrimTags = u"CR";
  std::u16string lastKeepTags = u"AB,AW,B,W";
  int defaultMarker = 8;  // the last marker tool chosen (a Tool); 8 is Label
  int autosetMNMoves = 50;
  bool singleExpand = true;
  // Right follows the line being read; Up and Down switch variations.
  bool variantBranchFirst = false;
  int AutoPlayInterval = 3;
  bool branchMode = false;
  bool showNodes = true;
  bool showBranchTip = true;
  int fastTraverseStep = 5;
  bool canGoSibling = false;
  bool rememberPlayPosition = true;
  bool playSound = true;
  std::u16string MoveSoundFile;
  std::u16string deadStoneSoundFile3;
  std::u16string deadStoneSoundFile5;
  bool findTextNode = true;
  std::u16string findText;
  bool findMatchCase = true;
  bool findWholeWord = true;
  bool findAnnotation = true;
  bool findMarker = true;
  bool findSearchUp = false;
  bool useGoUpAsPrevious = false;
  bool saveBmpBestFit = true;
  bool saveBmpSnapToBorder = true;
  bool saveBmpOpenSaved = true;
  std::u16string SaveBmpFileName;
  std::u16string saveBmpFormat = u"png";
  int SaveBmpSize = 500;
  bool SaveBmpShowDeadStones = true;
  bool saveBmpBlackAndWhite = false;
  bool saveBmpShowCoord = true;
  int saveBmpRectLeft = 0;
  int saveBmpRectTop = 0;
  int saveBmpRectRight = 18;
  int saveBmpRectBottom = 18;
  double saveBmpAddRatio = 0.85;
  std::u16string gnuExePath;
  bool gnuIsBlack = false;
  int gnuHandicap = 9;
  int gnuBoardSize = 19;
  int gnuLevel = 10;
  std::u16string lastOpenDir;
  std::u16string lastSaveOtherFormatDir;
  int commentColor = 0;
  // The main window's layout (a LayoutChoice).
  int windowLayout = 0;
};

// What the main window's layout follows: its shape, or the user's choice.
enum class LayoutChoice : int { Automatic = 0, BoardAboveComment = 1, BoardBesidePanel = 2 };
inline LayoutChoice WindowLayoutChoice(const Options& options) {
  return static_cast<LayoutChoice>(options.windowLayout);
}

// The process-wide options object.
Options& GlobalOptions();

enum class OptionType { Bool, Int, Colour, String, Double };
enum class OptionGroup { Print, View, General };

// One setting as the persistent store and the command line see it.
struct OptionDescriptor {
  std::string_view name;  // the registry value name
  OptionType type;
  OptionGroup group;
  bool persisted;  // the board transform is never stored
  // A stone style is stored as an Int, its number.
  std::variant<bool Options::*, int Options::*, StoneStyle Options::*, std::u16string Options::*,
               double Options::*>
      field;
};

// All settings, each group in its load order.
std::span<const OptionDescriptor> OptionDescriptors();
const OptionDescriptor* FindOption(std::string_view name);

// Sets a setting from text: bool 0/1 (or true/false), decimal int (for a
// stone style its stored number, decoded by StoneStyleFromStored), colour
// in decimal or 0x hexadecimal, UTF-8 string, decimal double. False (and
// nothing changed) when the text is not a value of the setting's type.
bool SetOptionFromText(Options& options, const OptionDescriptor& option, std::string_view text);

// Clamps the settings that the program requires to lie in a range.
void ClampOptions(Options& options);

// What a record load starts from: the default code page and the Big5 trail-byte option.
inline ReadContext MakeReadContext(const Options& options) {
  return ReadContext{options.autoDetectBig5, options.defaultCodePage};
}

}  // namespace vantaro
