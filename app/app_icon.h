#pragma once

#include <QIcon>
#include <QImage>

namespace vantaro::app {

// The program's icon, drawn here: a corner of a wooden board with a black
// and a white stone. Any size; transparent around the board.
QImage DrawAppIcon(int size);
QIcon AppIcon();

}  // namespace vantaro::app
