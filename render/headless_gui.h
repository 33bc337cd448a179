#pragma once

#include <memory>

class QGuiApplication;

namespace vantaro {

// Text needs a QGuiApplication. This makes one when the process has none,
// on the offscreen platform unless QT_QPA_PLATFORM names another, so that
// drawing never needs a display; it ends the application with itself.
class HeadlessGui {
 public:
  HeadlessGui();
  HeadlessGui(const HeadlessGui&) = delete;
  HeadlessGui& operator=(const HeadlessGui&) = delete;
  ~HeadlessGui();

 private:
  int argc_ = 1;
  char name_[12] = "vantaro";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace vantaro
