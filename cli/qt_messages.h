#pragma once

namespace vantaro::cli {

// Qt's notes about the platform (a missing runtime folder, say) are noise
// for a command-line tool: from now on only its errors are shown.
void ShowQtErrorsOnly();

}  // namespace vantaro::cli
