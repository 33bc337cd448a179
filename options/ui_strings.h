#pragma once

#include <string>

namespace vantaro {

// Resource ids of the user-interface strings the program shows.
enum UiStringId : int {
  kStrJumpToMoveNumber = 60152,
  kStrInputBoardSize = 60154,
  kStrEnterMoveNumber = 60167,
  kStrSelectNodeFirst = 60168,
  kStrFailedToSaveFile = 60169,
  kStrPrintTitle = 60171,
  kStrPrintSubTitle = 60223,
  kStrPrintHeader = 60224,
  kStrAutoSetMoveNumbers = 60225,
  kStrEnterNodeName = 60263,
};

// The text of a string id, empty when the id has none.
const std::u16string& UiString(int id);

}  // namespace vantaro
