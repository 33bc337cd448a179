#pragma once

class QLabel;

namespace vantaro::app {

// Fixes the label's height at one line of its font: a label whose text
// changes at every step then never makes its window lay itself out again.
void FixLineHeight(QLabel& label);

}  // namespace vantaro::app
