#pragma once

#include <QPageSize>

namespace vantaro {

// The paper the system prints on, as the paper tools of the system read it:
// the PAPERSIZE variable, else the first name in /etc/papersize, else the
// paper of the locale (LC_PAPER), else A4. Names other than a4, a3, a5, b5,
// letter, legal and executive (in any case) count as A4.
QPageSize SystemPaperSize();

}  // namespace vantaro
