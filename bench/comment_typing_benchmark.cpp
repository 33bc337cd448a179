// A keystroke at the end of a 2 MB comment in the comment pane, with the
// processor time it costs: a keystroke should cost what it changes, not
// the comment's length. And how long a comment of one 10 MB line takes to
// show.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include <ctime>
#include <memory>
#include <string>

#include "app/comment_view.h"
#include "editor/go_editor.h"
#include "game/game_tree.h"
#include "options/options.h"
#include "record/sgf_reader.h"

namespace {

void BM_KeystrokeInA2MbComment(benchmark::State& state) {
  vantaro::Options options(u"/install");
  vantaro::app::CCommentView pane(options);
  pane.resize(400, 300);
  pane.show();
  QApplication::setActiveWindow(&pane);
  vantaro::GoEditor editor(options);
  pane.SetEditor(&editor);
  std::string line(70, 'x');
  std::string comment;
  while (comment.size() < 2'000'000) comment += line + "\n";
  auto root = std::make_unique<vantaro::GameTree>();
  vantaro::ReadContext context{false, 65001};
  vantaro::ReadSgf(*root, "(;GM[1]C[" + comment + "])", context);
  editor.InstallRecord(std::move(root), context.codePage);
  pane.setFocus();
  pane.moveCursor(QTextCursor::End);
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&pane, &press);
  }
  state.counters["undo steps"] = editor.undoCount();
}
BENCHMARK(BM_KeystrokeInA2MbComment)->Unit(benchmark::kMillisecond)->Iterations(200);

// A node whose comment is one 10 MB line without a break, from reaching
// the node to the pane painted.
void BM_ShowA10MbOneLineComment(benchmark::State& state) {
  vantaro::Options options(u"/install");
  vantaro::app::CCommentView pane(options);
  pane.resize(400, 300);
  pane.show();
  vantaro::GoEditor editor(options);
  pane.SetEditor(&editor);
  const std::string comment(10'000'000, 'x');
  auto root = std::make_unique<vantaro::GameTree>();
  vantaro::ReadContext context{false, 65001};
  vantaro::ReadSgf(*root, "(;GM[1];C[" + comment + "])", context);
  editor.InstallRecord(std::move(root), context.codePage);
  for (auto _ : state) {
    editor.Next(1);
    pane.viewport()->repaint();
    editor.Previous(1);
    pane.viewport()->repaint();
  }
}
BENCHMARK(BM_ShowA10MbOneLineComment)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
