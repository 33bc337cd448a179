// The desktop program in-process on the offscreen platform: from a new
// application object to the first painted board (the window, the settings,
// the record, the drawer), and opening the generated records through the
// document until the board shows them; stepping (Next, Previous, Up, Down)
// and editing in a window of 1600 x 1000 until the window shows the step,
// and painting the whole game tree pane. Each with the game tree pane shown
// (second argument 1) and hidden (0). Then opening a game of a large
// collection from its list, and the side panel and the board following a
// step through the 10 MB record. The whole process, from its start to the
// first paint, is timed by bench/desktop_timing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "app/board_view.h"
#include "app/command_binder.h"
#include "app/game_tree_view.h"
#include "app/game_list_window.h"
#include "app/main_frame.h"
#include "app/main_view.h"
#include "app/side_panel.h"
#include "app/vantaro_app.h"
#include "app/window_settings.h"
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

// The 2744-game collection open with its list read: Enter on a row of the
// list, until the board has painted that game. Every iteration opens
// another game, far from the one before.
void BM_OpenGameFromTheList(benchmark::State& state) {
  const QString path =
      QStringLiteral(VANTARO_SHARED_DIR "/corpus/large/fox-ai-collection-2744.sgf");
  if (!QFile::exists(path)) {
    state.SkipWithError("the shared corpus is missing");
    return;
  }
  CVantaroCEApp program;
  program.InitInstance({QStringLiteral("vantaro"), path});
  vantaro::app::GameListWindow& list = program.gameList();
  while (list.reading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  WaitForPaint(program);
  QTableView& table = list.table();
  int row = 0;
  for (auto _ : state) {
    row = (row + 997) % table.model()->rowCount();
    state.PauseTiming();
    table.setCurrentIndex(table.model()->index(row, 0));
    QCoreApplication::processEvents();
    state.ResumeTiming();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&table, &enter);
    WaitForPaint(program);
  }
  if (program.document().gameIndex() != static_cast<std::size_t>(row)) {
    state.SkipWithError("the game chosen did not open");
  }
}
BENCHMARK(BM_OpenGameFromTheList)->Unit(benchmark::kMillisecond);

// Processor time of the thread: what a step costs, whatever else the
// machine runs meanwhile.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
  }
};

// Attached around the panes under test, one before and one after them, it
// sees every notification just before and just after they handle it.
class NotificationEdge : public vantaro::UpdateSink {
 public:
  explicit NotificationEdge(std::function<void()> reached) : reached_(std::move(reached)) {}
  void OnHistoryChanged() override { reached_(); }
  void OnStatusChanged() override { reached_(); }
  void OnBoardChanged() override { reached_(); }
  void OnCurrentNodeChanged(int, vantaro::Node*, vantaro::Node*) override { reached_(); }

 private:
  std::function<void()> reached_;
};

// The document asks nothing while the benchmark steps.
class SilentUi : public vantaro::DocumentUi {
 public:
  void ShowMessage(const std::u16string&, Icon) override {}
  bool AskYesNo(const std::u16string&) override { return false; }
  Answer AskYesNoCancel(const std::u16string&) override { return Answer::Cancel; }
  SaveAnswer AskSaveChanges(const std::u16string&) override { return SaveAnswer::Discard; }
  std::optional<std::u16string> PromptText(const std::u16string&, const std::u16string&) override {
    return std::nullopt;
  }
  std::optional<std::string> PromptOpenFile() override { return std::nullopt; }
  std::optional<std::string> PromptSaveFile(const std::string&) override { return std::nullopt; }
  std::optional<std::vector<vantaro::GameInfoEdit>> EditGameInformation(const vantaro::Node&,
                                                                        bool) override {
    return std::nullopt;
  }
  void AddRecentFile(const std::string&) override {}
  void ShowAbout() override {}
  void Exit() override {}
};

// The 10 MB record open, with a board view of 1000 x 1000 and the side
// panel of 600 x 1000 beside it following its editor, as in a desktop
// window of 1600 x 1000. The panel's panes sit between two edges that time
// their handling of every notification.
class SteppingWindow {
 public:
  explicit SteppingWindow(const std::string& record)
      : options_(vantaro::GlobalOptions()),
        document_(ui_, options_),
        board_(options_, nullptr),
        panel_(options_, settings_),
        before_([this] { handlingSince_ = Clock::now(); }),
        after_([this] { handling_ += Clock::now() - handlingSince_; }) {
    std::vector<vantaro::UpdateSink*> panes = {&board_, &before_};
    for (vantaro::UpdateSink* pane : panel_.Panes()) panes.push_back(pane);
    panes.push_back(&after_);
    document_.SetPanes(panes);
    opened_ = document_.OnOpenDocument(record).ok;
    board_.resize(1000, 1000);
    panel_.resize(600, 1000);
    board_.show();
    panel_.show();
    QCoreApplication::processEvents();
  }
  ~SteppingWindow() { document_.SetPanes({}); }

  bool opened() const { return opened_; }

  // What the panel took to follow one step along the record (from the start
  // again at its end), handling its notifications and painting what
  // changed; and the board's repaint of the same step.
  struct StepTimes {
    double panel = 0;
    double board = 0;
  };
  StepTimes Step() {
    vantaro::GoEditor& editor = *document_.editor();
    handling_ = Clock::duration::zero();
    if (!editor.Next(1)) editor.First();
    StepTimes times;
    const auto boardStart = Clock::now();
    board_.repaint();
    times.board = Seconds(Clock::now() - boardStart);
    // What is left to do is the panel's: laying out and painting what changed.
    const auto panelStart = Clock::now();
    QCoreApplication::processEvents();
    times.panel = Seconds(Clock::now() - panelStart + handling_);
    return times;
  }

 private:
  static double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
  }

  SilentUi ui_;
  vantaro::Options& options_;
  vantaro::CVantaroCEDoc document_;
  vantaro::app::WindowSettings settings_;
  vantaro::app::CVantaroCEView board_;
  vantaro::app::SidePanel panel_;
  NotificationEdge before_;
  NotificationEdge after_;
  Clock::time_point handlingSince_;
  Clock::duration handling_{};
  bool opened_ = false;
};

// Made on first use, gone before the application.
std::unique_ptr<SteppingWindow>& TenMegabyteWindow() {
  static std::unique_ptr<SteppingWindow> window;
  if (!window) {
    const std::string path = vantaro::bench::GeneratedRecord(10);
    if (!path.empty()) window = std::make_unique<SteppingWindow>(path);
  }
  return window;
}

void RunSteps(benchmark::State& state, double SteppingWindow::StepTimes::*timed) {
  SteppingWindow* window = TenMegabyteWindow().get();
  if (window == nullptr || !window->opened()) {
    state.SkipWithError("the generated record is missing or did not open");
    return;
  }
  for (auto _ : state) state.SetIterationTime(window->Step().*timed);
}

// The player cards, the position line and the repair notice following a
// step; beside it the board's own repaint of the same steps.
void BM_SidePanelUpdatePerStep(benchmark::State& state) {
  RunSteps(state, &SteppingWindow::StepTimes::panel);
}
BENCHMARK(BM_SidePanelUpdatePerStep)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_BoardRepaintPerStep(benchmark::State& state) {
  RunSteps(state, &SteppingWindow::StepTimes::board);
}
BENCHMARK(BM_BoardRepaintPerStep)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  // The settings go to a folder of their own, never to the user's.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settings.path());
  // So do the recovery copies: a copy of the user's would stop the start at
  // its question.
  setenv("XDG_STATE_HOME", (settings.path() + QStringLiteral("/state")).toLocal8Bit().constData(),
         1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  TenMegabyteWindow().reset();
  return 0;
}
