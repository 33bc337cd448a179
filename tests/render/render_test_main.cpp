#include <gtest/gtest.h>

#include <QByteArray>

#include "render/headless_gui.h"

// Drawing tests run headless, whatever display the machine has.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  const vantaro::HeadlessGui gui;
  return RUN_ALL_TESTS();
}
