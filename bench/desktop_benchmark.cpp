// The desktop program in-process on the offscreen platform: from a new
// application object to the first painted board (the window, the settings,
// the record, the drawer), and opening the generated records through the
// document until the board shows them; stepping (Next, Previous, Up, Down)
// and editing in a window of 1600 x 1000 until the window shows the step,
// and painting the whole game tree pane. Each with the game tree pane shown
// (second argument 1) and hidden (0). The whole process, from its start to
// the first paint, is timed by bench/desktop_timing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "app/board_view.h"
#include "app/command_binder.h"
#include "app/game_tree_view.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/vantaro_app.h"
#include "bench_data.h"
#include "document/command_ids.h"
#include "document/vantaro_doc.h"
#include "options/options.h"

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

// Lets every posted event run: the command's repaints, the menus' refresh.
void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// The program in a window of 1600 x 1000 with the game tree shown or not.
void StartProgram(CVantaroCEApp& program, bool treeShown) {
  program.InitInstance({QStringLiteral("vantaro"), SampleRecord()});
  program.options().playSound = false;
  if (program.options().showTreePane != treeShown) {
    program.frame().commands().Run(vantaro::command::kShowGameTree);
  }
  program.frame().resize(1600, 1000);
  Settle();
  WaitForPaint(program);
}

bool OpenRecord(benchmark::State& state, CVantaroCEApp& program) {
  const std::string path = vantaro::bench::GeneratedRecord(static_cast<int>(state.range(0)));
  if (path.empty()) {
    state.SkipWithError("the record generator of the shared corpus is missing");
    return false;
  }
  if (!program.document().OnOpenDocument(path).ok) {
    state.SkipWithError("the record did not open");
    return false;
  }
  Settle();
  WaitForPaint(program);
  return true;
}

// Nodes spread evenly over the record in record order.
std::vector<vantaro::Node*> SpreadNodes(vantaro::GameTree& root, size_t count) {
  std::vector<vantaro::Node*> all;
  vantaro::ForEachTree(root, [&all](vantaro::GameTree& tree) {
    for (const auto& node : tree.nodes()) all.push_back(node.get());
  });
  std::vector<vantaro::Node*> spread;
  for (size_t i = 0; i < count; ++i) spread.push_back(all[i * all.size() / count]);
  return spread;
}

// The processor time of a command run as a key runs it, until the window
// has painted what it changed.
double TimedCommand(CVantaroCEApp& program, int id) {
  const double start = vantaro::bench::ThreadCpuSeconds();
  program.frame().commands().Run(id);
  Settle();
  return vantaro::bench::ThreadCpuSeconds() - start;
}

// Next, Previous, Up (Prev Branch) and Down (Next Branch) at nodes spread
// over the whole record, each step timed on its own.
void BM_Step(benchmark::State& state) {
  using namespace vantaro::command;
  CVantaroCEApp program;
  StartProgram(program, state.range(1) != 0);
  if (!OpenRecord(state, program)) return;
  vantaro::GoEditor& editor = *program.document().editor();
  const std::vector<vantaro::Node*> spots = SpreadNodes(*editor.recordRoot(), 200);
  const int steps[] = {kNext, kPrevious, kNextBranch, kPrevBranch};
  std::vector<double> seconds;
  size_t turn = 0;
  for (auto _ : state) {
    int id = 0;
    while (id == 0) {
      if (turn % 4 == 0) {
        editor.GoToNode(spots[(turn / 4) % spots.size()]);
        Settle();
      }
      const int candidate = steps[turn++ % 4];
      if (program.frame().commands().Action(candidate)->isEnabled()) id = candidate;
    }
    const double used = TimedCommand(program, id);
    state.SetIterationTime(used);
    seconds.push_back(used);
  }
  vantaro::bench::ReportSpread(state, seconds);
}
BENCHMARK(BM_Step)
    ->Args({10, 1})
    ->Args({10, 0})
    ->Args({100, 1})
    ->Args({100, 0})
    ->UseManualTime()
    ->Iterations(800)
    ->Unit(benchmark::kMillisecond);

// The edits of EditPlaces, each until the window has shown it.
void BM_Edit(benchmark::State& state) {
  using namespace vantaro::command;
  CVantaroCEApp program;
  StartProgram(program, state.range(1) != 0);
  program.options().mergeIfOnlyOneChild = true;
  if (!OpenRecord(state, program)) return;
  vantaro::GoEditor& editor = *program.document().editor();
  const vantaro::bench::EditPlaces places(*editor.recordRoot());
  std::vector<double> seconds;
  for (size_t turn = 0; auto _ : state) {
    if (vantaro::Node* node = places.NodeFor(turn)) {
      editor.GoToNode(node);
      Settle();
    }
    using Edit = vantaro::bench::EditPlaces::Edit;
    const Edit edit = vantaro::bench::EditPlaces::EditFor(turn++);
    const double used = TimedCommand(program, edit == Edit::Pass        ? kPass
                                              : edit == Edit::AddBranch ? kAddBranch
                                                                        : kDelete);
    state.SetIterationTime(used);
    seconds.push_back(used);
  }
  vantaro::bench::ReportSpread(state, seconds);
}
BENCHMARK(BM_Edit)
    ->Args({10, 1})
    ->Args({10, 0})
    ->Args({100, 1})
    ->Args({100, 0})
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMillisecond);

// The whole game tree pane at 1600 x 1000 painted anew, around nodes
// spread over the record.
void BM_TreePaneFullRepaint(benchmark::State& state) {
  CVantaroCEApp program;
  StartProgram(program, true);
  if (!OpenRecord(state, program)) return;
  vantaro::app::CGameTreeView& pane = *program.frame().mainView().treePane();
  pane.setParent(nullptr);
  pane.resize(1600, 1000);
  pane.show();
  Settle();
  vantaro::GoEditor& editor = *program.document().editor();
  const std::vector<vantaro::Node*> spots = SpreadNodes(*editor.recordRoot(), 100);
  std::vector<double> seconds;
  size_t turn = 0;
  for (auto _ : state) {
    editor.GoToNode(spots[turn++ % spots.size()]);
    Settle();
    const double start = vantaro::bench::ThreadCpuSeconds();
    pane.viewport()->repaint();
    const double used = vantaro::bench::ThreadCpuSeconds() - start;
    state.SetIterationTime(used);
    seconds.push_back(used);
  }
  vantaro::bench::ReportSpread(state, seconds);
  pane.setParent(&program.frame().mainView());
}
BENCHMARK(BM_TreePaneFullRepaint)
    ->Args({10, 1})
    ->Args({100, 1})
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

void BM_OpenGeneratedRecord(benchmark::State& state) {
  const std::string path = vantaro::bench::GeneratedRecord(static_cast<int>(state.range(0)));
  if (path.empty()) {
    state.SkipWithError("the record generator of the shared corpus is missing");
    return;
  }
  CVantaroCEApp program;
  StartProgram(program, state.range(1) != 0);
  for (auto _ : state) {
    if (!program.document().OnOpenDocument(path).ok) state.SkipWithError("the record did not open");
    WaitForPaint(program);
    state.PauseTiming();
    program.document().OnNewDocument();
    state.ResumeTiming();
  }
}
// The reader checks the text on a second thread: the whole process's time counts.
BENCHMARK(BM_OpenGeneratedRecord)
    ->MeasureProcessCPUTime()
    ->Args({10, 1})
    ->Args({10, 0})
    ->Args({100, 1})
    ->Args({100, 0})
    ->Unit(benchmark::kMillisecond);

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
