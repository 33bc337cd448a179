#include "app/benchmark_hook.h"

#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "app/board_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/vantaro_app.h"

namespace vantaro::app {

ProcessTimes CurrentProcessTimes() {
  // /proc/self/stat: after the command name (which may hold spaces, so count
  // from its ')') come fields 3 on; 14 and 15 are the user and system time,
  // 22 the start time, all in clock ticks (the start since boot).
  std::ifstream stat("/proc/self/stat");
  const std::string line((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  unsigned long long user = 0, system = 0, start = 0;
  for (int i = 3; i < 14; ++i) fields >> field;
  fields >> user >> system;
  for (int i = 16; i < 22; ++i) fields >> field;
  fields >> start;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double tick = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + now.tv_nsec / 1e6;
  return {nowMs - static_cast<double>(start) * tick, static_cast<double>(user + system) * tick};
}

void ReportFirstPaintWhenAsked(CVantaroCEApp& program) {
  if (std::getenv("VANTARO_BENCHMARK_FIRST_PAINT") == nullptr) return;
  CVantaroCEView* board = program.frame().mainView().boardView();
  QObject::connect(
      board, &CVantaroCEView::painted, board,
      [] {
        const ProcessTimes times = CurrentProcessTimes();
        std::fprintf(stderr, "first paint: %.0f ms, cpu %.0f ms\n", times.sinceStart, times.cpu);
        // Once the paint is done: the window still flushes what it painted.
        QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
      },
      Qt::SingleShotConnection);
}

}  // namespace vantaro::app
