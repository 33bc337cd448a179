#pragma once

#include <QString>

namespace vantaro::app {

// The name the windows and message boxes carry.
inline const QString kProgramName = QStringLiteral("VantaroCE");

}  // namespace vantaro::app
