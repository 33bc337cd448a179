#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <ostream>
#include <string_view>

#include "editor/go_editor.h"
#include "render/bitmap_dc.h"
#include "render/board_drawer.h"
#include "test_support.h"

namespace vantaro {
inline void PrintTo(const Point& point, std::ostream* out) {
  *out << "(" << point.x << ", " << point.y << ")";
}
}  // namespace vantaro

namespace vantaro::test {

// A drawer over an editor holding a record given as SGF text, with the
// default settings and no stone pictures installed.
class RenderTest : public ::testing::Test {
 protected:
  RenderTest() : options_(u"/nonexistent-install") { options_.defaultCodePage = 65001; }

  GoEditor& Open(std::string_view sgf) {
    editor_ = std::make_unique<GoEditor>(options_);
    ReadRecord record = ReadSgfText(sgf);
    editor_->InstallRecord(std::move(record.root), record.codePage);
    return *editor_;
  }
  // A drawer with the current settings, showing the open record.
  CBoardDrawer& Drawer() {
    drawer_ = std::make_unique<CBoardDrawer>(options_);
    drawer_->SetBoard(editor_.get());
    return *drawer_;
  }
  // Lays the drawer out for a client of the size and draws into a fresh picture.
  QImage Draw(CBoardDrawer& drawer, int width, int height) {
    drawer.Layout({0, 0, width, height});
    rutl::BitmapDC target;
    target.Create(rutl::DC(), width, height);
    drawer.Draw(*target.dc());
    return target.ToImage();
  }
  QImage Draw(int width, int height) { return Draw(Drawer(), width, height); }

  Options options_;
  std::unique_ptr<GoEditor> editor_;
  std::unique_ptr<CBoardDrawer> drawer_;
};

// The colour of a picture's pixel as 0x00BBGGRR.
inline rutl::COLORREF PixelAt(const QImage& image, int x, int y) {
  return rutl::FromQRgb(image.pixel(x, y));
}

// Pixels within the rectangle for which the test holds.
template <typename Test>
int CountPixels(const QImage& image, const rutl::Rect& area, Test test) {
  int count = 0;
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, image.height()); ++y) {
    for (int x = std::max(area.left, 0); x < std::min(area.right, image.width()); ++x) {
      if (test(PixelAt(image, x, y))) ++count;
    }
  }
  return count;
}

// Whether a colour lies within a small distance of another on every channel.
inline bool Near(rutl::COLORREF a, rutl::COLORREF b, int tolerance = 8) {
  return std::abs(rutl::RedOf(a) - rutl::RedOf(b)) <= tolerance &&
         std::abs(rutl::GreenOf(a) - rutl::GreenOf(b)) <= tolerance &&
         std::abs(rutl::BlueOf(a) - rutl::BlueOf(b)) <= tolerance;
}

}  // namespace vantaro::test
