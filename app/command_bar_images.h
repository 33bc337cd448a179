#pragma once

#include <QIcon>

namespace vantaro::app {

// A button image of the command bar, drawn here at each size the bar may
// show, transparent around the picture: 0 Fast Rewind, 1 Previous, 2 Next,
// 3 Fast Forward, 5 Try Play, 6 Undo (4 is blank: no button shows it).
QIcon CommandBarIcon(int index);

}  // namespace vantaro::app
