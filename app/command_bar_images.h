#pragma once

#include <QIcon>
#include <QImage>

namespace vantaro::app {

// The command bar's strip of seven button images, drawn here: 0 Fast Rewind,
// 1 Previous, 2 Next, 3 Fast Forward, 4 blank (no button shows it), 5 Try
// Play, 6 Undo. Each image is size × size pixels, transparent around the
// picture; the strip is 7 × size pixels wide.
QImage DrawCommandBarStrip(int size);
// Image index of the strip as an icon for the bar.
QIcon CommandBarIcon(int index);

}  // namespace vantaro::app
