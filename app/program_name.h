#pragma once

#include <QString>

#include "document/program_name.h"

namespace vantaro::app {

// The name the windows and message boxes carry.
inline const QString kProgramName = QString::fromLatin1(
    vantaro::kProgramName.data(), static_cast<qsizetype>(vantaro::kProgramName.size()));

}  // namespace vantaro::app
