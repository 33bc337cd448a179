#include "app/window_settings.h"

#include <QScreen>
#include <QSettings>

namespace vantaro::app {
namespace {

const QString kSize = QStringLiteral("Window/Size");
const QString kSidePanelWidth = QStringLiteral("Window/SidePanelWidth");
const QString kSidePanelSplit = QStringLiteral("Window/SidePanelSplit");

// Where there is no screen to measure (never on a desktop), a window of a
// usual desktop size.
constexpr QSize kWithoutScreen(1024, 680);

}  // namespace

void WindowSettings::Load(const QSettings& profile) {
  size = profile.value(kSize).toSize();
  bool isNumber = false;
  const int width = profile.value(kSidePanelWidth).toInt(&isNumber);
  if (isNumber && width > 0) sidePanelWidth = width;
  sidePanelSplit.clear();
  for (const QVariant& height : profile.value(kSidePanelSplit).toList()) {
    if (height.toInt() < 0) {
      sidePanelSplit.clear();
      break;
    }
    sidePanelSplit.append(height.toInt());
  }
}

void WindowSettings::Save(QSettings& profile) const {
  if (size.isValid()) profile.setValue(kSize, size);
  profile.setValue(kSidePanelWidth, sidePanelWidth);
  QVariantList heights;
  for (const int height : sidePanelSplit) heights.append(height);
  profile.setValue(kSidePanelSplit, heights);
}

QSize WindowSettings::StartSize(const QScreen* screen) const {
  if (screen == nullptr) return size.isValid() ? size : kWithoutScreen;
  const QSize available = screen->availableSize();
  if (size.isValid()) return size.boundedTo(available);
  return available * 2 / 3;
}

}  // namespace vantaro::app
