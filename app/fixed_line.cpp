#include "app/fixed_line.h"

#include <QLabel>

namespace vantaro::app {

void FixLineHeight(QLabel& label) {
  const QMargins margins = label.contentsMargins();
  label.setFixedHeight(label.fontMetrics().height() + margins.top() + margins.bottom());
}

}  // namespace vantaro::app
