// The desktop program in-process on the offscreen platform: from a new
// application object to the first painted board (the window, the settings,
// the record, the drawer), and opening the generated 10 MB record through
// the document until the board shows it. The whole process, from its start
// to the first paint, is timed by bench/desktop_timing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "app/board_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/vantaro_app.h"
#include "bench_data.h"
#include "document/vantaro_doc.h"

namespace {

using vantaro::app::CVantaroCEApp;

// Waits until the board view has painted once more.
void WaitForPaint(CVantaroCEApp& program) {
  QEventLoop loop;
  vantaro::app::CVantaroCEView* board = program.frame().mainView().boardView();
  QObject::connect(board, &vantaro::app::CVantaroCEView::painted, &loop, &QEventLoop::quit);
  board->update();
  loop.exec();
}

const QString& SampleRecord() {
  static const QString path = QStringLiteral(VANTARO_SOURCE_DIR "/samples/sample-game.sgf");
  return path;
}

void BM_StartUpToFirstPaintedBoard(benchmark::State& state) {
  for (auto _ : state) {
    CVantaroCEApp program;
    program.InitInstance({QStringLiteral("vantaro"), SampleRecord()});
    WaitForPaint(program);
  }
}
BENCHMARK(BM_StartUpToFirstPaintedBoard)->Unit(benchmark::kMillisecond);

void BM_OpenGeneratedRecord(benchmark::State& state) {
  const std::string path = vantaro::bench::GeneratedRecord(static_cast<int>(state.range(0)));
  if (path.empty()) {
    state.SkipWithError("the record generator of the shared corpus is missing");
    return;
  }
  CVantaroCEApp program;
  program.InitInstance({QStringLiteral("vantaro"), SampleRecord()});
  WaitForPaint(program);
  for (auto _ : state) {
    if (!program.document().OnOpenDocument(path).ok) state.SkipWithError("the record did not open");
    WaitForPaint(program);
    state.PauseTiming();
    program.document().OnNewDocument();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenGeneratedRecord)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  // The settings go to a folder of their own, never to the user's.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settings.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
