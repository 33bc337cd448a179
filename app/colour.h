#pragma once

#include <QColor>

namespace vantaro::app {

// A colour setting (0x00BBGGRR, red in the low byte) as Qt takes it.
inline QColor FromColorRef(int colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace vantaro::app
