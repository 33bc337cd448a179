#include "options/ui_strings.h"

#include <map>

namespace vantaro {

const std::u16string& UiString(int id) {
  static const std::map<int, std::u16string> strings = {
      {kStrJumpToMoveNumber, u"Jump to move number"},
      {kStrInputBoardSize,
       u"Input new board size. Board size must be between 2-52. For irregular board, separate "
       u"width and height with X or * like \"17*15\"."},
      {kStrEnterMoveNumber, u"Please enter the move number of the current node:"},
      {kStrSelectNodeFirst, u"Please select a node first."},
      {kStrFailedToSaveFile, u"Failed to save file %s"},
      {kStrPrintTitle, u"%GN% %PW% %WR%(W) vs %PB% %BR%(B)"},
      {kStrPrintSubTitle, u"%DT% %PC% %RE%"},
      {kStrPrintHeader, u"%GN% %PW% %WR%(W) vs %PB% %BR%(B) Page %PAGE% of %TOTALPAGES%"},
      {kStrAutoSetMoveNumbers,
       u"Please input by how many moves you are going to separate the game:"},
      {kStrEnterNodeName, u"Please enter new node name:"},
  };
  static const std::u16string empty;
  const auto found = strings.find(id);
  return found == strings.end() ? empty : found->second;
}

}  // namespace vantaro
