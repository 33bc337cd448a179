#include "options/options.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "options/ui_strings.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

bool UserLanguageIsTraditionalChinese() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return std::string_view(value).starts_with("zh_TW");
  }
  return false;
}

using O = Options;
constexpr auto B = OptionType::Bool;
constexpr auto I = OptionType::Int;
constexpr auto C = OptionType::Colour;
constexpr auto S = OptionType::String;
constexpr auto D = OptionType::Double;
constexpr auto kPrint = OptionGroup::Print;
constexpr auto kView = OptionGroup::View;
constexpr auto kGeneral = OptionGroup::General;

const OptionDescriptor kOptions[] = {
    {"Print-PageType", I, kPrint, true, &O::printPageType},
    {"Print-FixedMoveCount", I, kPrint, true, &O::printFixedMoveCount},
    {"Print-FigurePerPage", I, kPrint, true, &O::printFigurePerPage},
    {"Print-ShowMoveNumber", B, kPrint, true, &O::printShowMoveNumber},
    {"Print-ShowMarkers", B, kPrint, true, &O::printShowMarkers},
    {"Print-ShowCoord", B, kPrint, true, &O::printShowCoord},
    {"Print-TitleString", S, kPrint, true, &O::printTitleString},
    {"Print-subTitle", S, kPrint, true, &O::printSubTitle},
    {"Print-header", S, kPrint, true, &O::printHeader},
    {"Print-footer", S, kPrint, true, &O::printFooter},

    {"backgroundColor", C, kView, true, &O::backgroundColor},
    {"coordColor", C, kView, true, &O::coordColor},
    {"boardBitmapPath", S, kView, true, &O::boardBitmapPath},
    {"boardBrightness", I, kView, true, &O::boardBrightness},
    {"boardBitmap", B, kView, true, &O::boardBitmap},
    {"boardColor", C, kView, true, &O::boardColor},
    {"boardBorderDoubleThick", B, kView, true, &O::boardBorderDoubleThick},
    {"showCoord", B, kView, true, &O::showCoord},
    {"showCoordI", B, kView, true, &O::showCoordI},
    {"rotation", I, kView, false, &O::rotation},
    {"flipHorizontal", B, kView, false, &O::flipHorizontal},
    {"flipVertical", B, kView, false, &O::flipVertical},
    {"stoneTypeB", I, kView, true, &O::stoneTypeB},
    {"stoneTypeW", I, kView, true, &O::stoneTypeW},
    {"stoneBitmapB", S, kView, true, &O::stoneBitmapB},
    {"stoneBitmapW", S, kView, true, &O::stoneBitmapW},
    {"stoneRandomCountB", I, kView, true, &O::stoneRandomCountB},
    {"stoneRandomCountW", I, kView, true, &O::stoneRandomCountW},
    {"showMoveNumber", B, kView, true, &O::showMoveNumber},
    {"autoSetMNinBranch", B, kView, true, &O::autoSetMNinBranch},
    {"showMoveCount", I, kView, true, &O::showMoveCount},
    {"showMarkers", B, kView, true, &O::showMarkers},
    {"showNextMoves", B, kView, true, &O::showNextMoves},
    {"showNextOnlyMove", B, kView, true, &O::showNextOnlyMove},
    {"nextMoveStartingChar", I, kView, true, &O::nextMoveStartingChar},
    {"nextMoveMarkerColor", C, kView, true, &O::nextMoveMarkerColor},
    {"focusColor", C, kView, true, &O::focusColor},
    {"focusColorW", C, kView, true, &O::focusColorW},
    {"focusShape", I, kView, true, &O::focusShape},
    {"terrBlackColor", C, kView, true, &O::terrBlackColor},
    {"terrWhiteColor", C, kView, true, &O::terrWhiteColor},
    {"terrShareColor", C, kView, true, &O::terrShareColor},
    {"scoreDeadStoneColor", C, kView, true, &O::scoreDeadStoneColor},
    {"tryPlayBackground", C, kView, true, &O::tryPlayBackground},
    {"tutorBackground", C, kView, true, &O::tutorBackground},
    {"showCommentOnBoard", B, kView, true, &O::showCommentOnBoard},

    {"boardLeft", B, kGeneral, true, &O::boardLeft},
    {"treeTop", B, kGeneral, true, &O::treeTop},
    {"treePaneWidth", I, kGeneral, true, &O::treePaneWidth},
    {"commentPaneHeight", I, kGeneral, true, &O::commentPaneHeight},
    {"showCommentPane", B, kGeneral, true, &O::showCommentPane},
    {"showTreePane", B, kGeneral, true, &O::showTreePane},
    {"treeMoveNumbers", B, kGeneral, true, &O::treeMoveNumbers},
    {"treeVertical", B, kGeneral, true, &O::treeVertical},
    {"showGameResult", B, kGeneral, true, &O::showGameResult},
    {"branchTipPosX", I, kGeneral, true, &O::branchTipPosX},
    {"branchTipPosY", I, kGeneral, true, &O::branchTipPosY},
    {"scoreDlgPosX", I, kGeneral, true, &O::scoreDlgPosX},
    {"scoreDlgPosY", I, kGeneral, true, &O::scoreDlgPosY},
    {"findDlgPosX", I, kGeneral, true, &O::findDlgPosX},
    {"findDlgPosY", I, kGeneral, true, &O::findDlgPosY},
    {"saveBmpDlgPosX", I, kGeneral, true, &O::saveBmpDlgPosX},
    {"saveBmpDlgPosY", I, kGeneral, true, &O::saveBmpDlgPosY},
    {"alwaysOnTop", B, kGeneral, true, &O::alwaysOnTop},
    {"fullScreen", B, kGeneral, true, &O::fullScreen},
    {"commentBackground", C, kGeneral, true, &O::commentBackground},
    {"treeBackground", C, kGeneral, true, &O::treeBackground},
    {"autoLabel", B, kGeneral, true, &O::autoLabel},
    {"autoLabelStartFrom", I, kGeneral, true, &O::autoLabelStartFrom},
    {"mergeIfOnlyOneChild", B, kGeneral, true, &O::mergeIfOnlyOneChild},
    {"whiteFirst", B, kGeneral, true, &O::whiteFirst},
    {"rightClickUndoMove", B, kGeneral, true, &O::rightClickUndoMove},
    {"BoardSizeCX", I, kGeneral, true, &O::BoardSizeCX},
    {"BoardSizeCY", I, kGeneral, true, &O::BoardSizeCY},
    {"autoDetectBig5", B, kGeneral, true, &O::autoDetectBig5},
    {"defaultCodePage", I, kGeneral, true, &O::defaultCodePage},
    {"useTemplate", B, kGeneral, true, &O::useTemplate},
    {"templatePath", S, kGeneral, true, &O::templatePath},
    {"defaultKomi", I, kGeneral, true, &O::defaultKomi},
    {"autoBranch", B, kGeneral, true, &O::autoBranch},
    {"openReadOnly", B, kGeneral, true, &O::openReadOnly},
    {"lastTrimTags", S, kGeneral, true, &O::lastTrimTags},
    {"lastKeepTags", S, kGeneral, true, &O::lastKeepTags},
    {"defaultMarker", I, kGeneral, true, &O::defaultMarker},
    {"autosetMNMoves", I, kGeneral, true, &O::autosetMNMoves},
    {"singleExpand", B, kGeneral, true, &O::singleExpand},
    {"variantBranchFirst", B, kGeneral, true, &O::variantBranchFirst},
    {"AutoPlayInterval", I, kGeneral, true, &O::AutoPlayInterval},
    {"branchMode", B, kGeneral, true, &O::branchMode},
    {"showNodes", B, kGeneral, true, &O::showNodes},
    {"showBranchTip", B, kGeneral, true, &O::showBranchTip},
    {"fastTraverseStep", I, kGeneral, true, &O::fastTraverseStep},
    {"canGoSibling", B, kGeneral, true, &O::canGoSibling},
    {"rememberPlayPosition", B, kGeneral, true, &O::rememberPlayPosition},
    {"playSound", B, kGeneral, true, &O::playSound},
    {"MoveSoundFile", S, kGeneral, true, &O::MoveSoundFile},
    {"deadStoneSoundFile3", S, kGeneral, true, &O::deadStoneSoundFile3},
    {"deadStoneSoundFile5", S, kGeneral, true, &O::deadStoneSoundFile5},
    {"findTextNode", B, kGeneral, true, &O::findTextNode},
    {"findText", S, kGeneral, true, &O::findText},
    {"findMatchCase", B, kGeneral, true, &O::findMatchCase},
    {"findWholeWord", B, kGeneral, true, &O::findWholeWord},
    {"findAnnotation", B, kGeneral, true, &O::findAnnotation},
    {"findMarker", B, kGeneral, true, &O::findMarker},
    {"findSearchUp", B, kGeneral, true, &O::findSearchUp},
    {"useGoUpAsPrevious", B, kGeneral, true, &O::useGoUpAsPrevious},
    {"saveBmpBestFit", B, kGeneral, true, &O::saveBmpBestFit},
    {"saveBmpSnapToBorder", B, kGeneral, true, &O::saveBmpSnapToBorder},
    {"saveBmpOpenSaved", B, kGeneral, true, &O::saveBmpOpenSaved},
    {"SaveBmpFileName", S, kGeneral, true, &O::SaveBmpFileName},
    {"saveBmpFormat", S, kGeneral, true, &O::saveBmpFormat},
    {"SaveBmpSize", I, kGeneral, true, &O::SaveBmpSize},
    {"SaveBmpShowDeadStones", B, kGeneral, true, &O::SaveBmpShowDeadStones},
    {"saveBmpBlackAndWhite", B, kGeneral, true, &O::saveBmpBlackAndWhite},
    {"saveBmpShowCoord", B, kGeneral, true, &O::saveBmpShowCoord},
    {"saveBmpRect.left", I, kGeneral, true, &O::saveBmpRectLeft},
    {"saveBmpRect.top", I, kGeneral, true, &O::saveBmpRectTop},
    {"saveBmpRect.right", I, kGeneral, true, &O::saveBmpRectRight},
    {"saveBmpRect.bottom", I, kGeneral, true, &O::saveBmpRectBottom},
    {"saveBmpAddRatio", D, kGeneral, true, &O::saveBmpAddRatio},
    {"gnuExePath", S, kGeneral, true, &O::gnuExePath},
    {"gnuIsBlack", B, kGeneral, true, &O::gnuIsBlack},
    {"gnuHandicap", I, kGeneral, true, &O::gnuHandicap},
    {"gnuBoardSize", I, kGeneral, true, &O::gnuBoardSize},
    {"gnuLevel", I, kGeneral, true, &O::gnuLevel},
    {"lastOpenDir", S, kGeneral, true, &O::lastOpenDir},
    {"lastSaveOtherFormatDir", S, kGeneral, true, &O::lastSaveOtherFormatDir},
    {"optionTabIndex", I, kGeneral, true, &O::optionTabIndex},
    {"commentColor", C, kGeneral, true, &O::commentColor},
    {"windowLayout", I, kGeneral, true, &O::windowLayout},
};

template <typename T>
std::optional<T> ParseWhole(std::string_view text, int base = 10) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  T value{};
  const auto [end, error] = [&] {
    if constexpr (std::is_floating_point_v<T>) {
      return std::from_chars(text.data(), text.data() + text.size(), value);
    } else {
      return std::from_chars(text.data(), text.data() + text.size(), value, base);
    }
  }();
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseColour(std::string_view text) {
  std::optional<long long> value;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    if (text.starts_with('-') || text.starts_with('+')) return std::nullopt;
    value = ParseWhole<long long>(text, 16);
  } else {
    value = ParseWhole<long long>(text);
  }
  if (!value || *value < INT_MIN || *value > 0xFFFFFFFFll) return std::nullopt;
  return static_cast<int>(static_cast<unsigned int>(*value));
}

// An int setting takes the number as it stands; a stone style decodes it.
void SetWholeNumber(Options& options, const OptionDescriptor& option, int value) {
  if (const auto* style = std::get_if<StoneStyle Options::*>(&option.field)) {
    options.*(*style) = StoneStyleFromStored(value);
  } else {
    options.*std::get<int Options::*>(option.field) = value;
  }
}

std::optional<bool> ParseBool(std::string_view text) {
  if (text == "1" || text == "true") return true;
  if (text == "0" || text == "false") return false;
  return std::nullopt;
}

}  // namespace

Options::Options(std::u16string directory) : installDirectory(std::move(directory)) {
  printTitleString = UiString(kStrPrintTitle);
  printSubTitle = UiString(kStrPrintSubTitle);
  printHeader = UiString(kStrPrintHeader);
  boardBitmapPath = InstallRelative(u"/board/board-default.bmp");
  stoneBitmapB = InstallRelative(u"/stones/glass/black.png");
  stoneBitmapW = InstallRelative(u"/stones/glass/white.png");
  autoDetectBig5 = UserLanguageIsTraditionalChinese();
  defaultCodePage = SystemAnsiCodePage();
  templatePath = InstallRelative(u"/Template/default.sgf");
  MoveSoundFile = InstallRelative(u"/sound/move.wav");
  deadStoneSoundFile3 = InstallRelative(u"/sound/deadstoneless.wav");
  deadStoneSoundFile5 = InstallRelative(u"/sound/deadstonemore.wav");
  gnuExePath = InstallRelative(u"/gnugo");
}

std::u16string Options::DefaultInstallDirectory() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return u"/usr/share/vantaro";
  std::string_view program(path, static_cast<size_t>(length));
  const std::string folder(program.substr(0, program.rfind('/')));
  // An installed program finds its data in share/vantaro beside its bin/
  // folder; in the build tree the data sits beside the programs.
  const std::filesystem::path installed = std::filesystem::path(folder) / "../share/vantaro";
  std::error_code error;
  if (std::filesystem::is_directory(installed, error)) {
    return FromUtf8(installed.lexically_normal().string());
  }
  return FromUtf8(folder);
}

std::u16string Options::InstallRelative(std::u16string_view relative) const {
  return installDirectory + std::u16string(relative);
}

Options& GlobalOptions() {
  static Options options;
  return options;
}

std::span<const OptionDescriptor> OptionDescriptors() {
  return kOptions;
}

const OptionDescriptor* FindOption(std::string_view name) {
  for (const OptionDescriptor& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

bool SetOptionFromText(Options& options, const OptionDescriptor& option, std::string_view text) {
  switch (option.type) {
    case OptionType::Bool: {
      const auto value = ParseBool(text);
      if (value) options.*std::get<bool Options::*>(option.field) = *value;
      return value.has_value();
    }
    case OptionType::Int: {
      const auto value = ParseWhole<int>(text);
      if (value) SetWholeNumber(options, option, *value);
      return value.has_value();
    }
    case OptionType::Colour: {
      const auto value = ParseColour(text);
      if (value) options.*std::get<int Options::*>(option.field) = *value;
      return value.has_value();
    }
    case OptionType::String:
      options.*std::get<std::u16string Options::*>(option.field) = FromUtf8(text);
      return true;
    case OptionType::Double: {
      const auto value = ParseWhole<double>(text);
      if (value) options.*std::get<double Options::*>(option.field) = *value;
      return value.has_value();
    }
  }
  return false;
}

void ClampOptions(Options& options) {
  // SGF names a line with one of the 52 letters a-z and A-Z.
  options.BoardSizeCX = std::clamp(options.BoardSizeCX, 2, 52);
  options.BoardSizeCY = std::clamp(options.BoardSizeCY, 2, 52);
  options.rotation = std::clamp(options.rotation, 0, 3);
  // A layout this version does not know follows the window's shape.
  if (options.windowLayout < 0 || options.windowLayout > 2) options.windowLayout = 0;
}

}  // namespace vantaro
