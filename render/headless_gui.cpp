#include "render/headless_gui.h"

#include <QGuiApplication>

namespace vantaro {

HeadlessGui::HeadlessGui() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

HeadlessGui::~HeadlessGui() = default;

}  // namespace vantaro
