// The network algorithms' final results on a complete network of 100 nodes (the largest the
// input takes): spanning tree, Dijkstra's and Floyd's shortest routes with every route listed,
// and the maximal flow; and Floyd's "All Iterations" on the output screen: 101 tables of D and
// S of 100 x 100 each, with the memory the process then holds.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

#include "network/network_engine.h"
#include "network/ui/network_output.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "shell/ui/scr5.h"
#include "support/qt_bench.h"

namespace {

using namespace quon;
using namespace quon::bench;

constexpr int kNodes = 100;

// Resident memory of the process in MB ("VmRSS" or the peak "VmHWM").
void LoadComplete(int subModel) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.Infinity = 999999;
  g.NodeCount = kNodes;
  g.NetSubModel = static_cast<int16>(subModel);
  ReDimProblemArrays(ArrayKind::Networks);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> value(1, 500);
  for (int i = 1; i <= kNodes; ++i)
    for (int j = 1; j <= kNodes; ++j)
      g.Cost((i - 1) * kNodes + j) = i == j ? 999999.0 : value(rng);
}

void BM_SpanningTree(benchmark::State &state) {
  LoadComplete(1);
  for (auto _ : state) {
    ReDimProblemArrays(ArrayKind::SpanningTree);
    g.FromNode = 1;
    g.TreeCount = 0;
    for (int k = 1; k < kNodes; ++k)
      AddSpanningTreeArc();
    benchmark::DoNotOptimize(g.ZValue);
  }
}
BENCHMARK(BM_SpanningTree)->Unit(benchmark::kMillisecond);

void BM_DijkstraRoutes(benchmark::State &state) {
  LoadComplete(2);
  for (auto _ : state) {
    ReDimProblemArrays(ArrayKind::Dijkstra);
    SolveDijkstra();
    std::size_t chars = 0;
    for (int j = 1; j <= kNodes; ++j)
      chars += DijkstraRouteText(j).size();
    benchmark::DoNotOptimize(chars);
  }
}
BENCHMARK(BM_DijkstraRoutes)->Unit(benchmark::kMillisecond);

void BM_FloydAllRoutes(benchmark::State &state) {
  LoadComplete(3);
  for (auto _ : state) {
    InitFloyd();
    SolveFloyd();
    std::size_t chars = 0;
    for (int i = 1; i <= kNodes; ++i)
      for (int j = 1; j <= kNodes; ++j)
        if (i != j) chars += FloydRouteText(FloydRouteNodes(i, j)).size();
    benchmark::DoNotOptimize(chars);
  }
}
BENCHMARK(BM_FloydAllRoutes)->Unit(benchmark::kMillisecond);

void BM_MaximalFlow(benchmark::State &state) {
  LoadComplete(4);
  for (auto _ : state) {
    InitMaxFlow();
    SolveMaxFlow();
    benchmark::DoNotOptimize(g.NetMatrix(1, 0));
  }
  state.counters["passes"] = static_cast<double>(g.IterCount);
}
BENCHMARK(BM_MaximalFlow)->Unit(benchmark::kMillisecond);

// The iterations view built, every pass stepped and shown, and the screen painted once.
void BM_FloydAllIterationsShown(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  const double before = MemoryMB("VmRSS:");
  double after = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    LoadComplete(3);
    g.ModelClass = ModelClassCode::Networks;
    ScriptedServices script;
    script.AnswerMsgBox(msg::OK);
    Scr5 &f = scr5();
    f.Show();
    f.Combo1.Click = [] {};
    InitShortestRouteOutputScreen();
    state.ResumeTiming();
    g.OutputOption = 2;
    ShowFloydOutput();
    NetworkAllIterations();
    Forms::DoEvents();
    GridPainter painter(f.outputGrid);
    painter.Paint();
    state.PauseTiming();
    after = MemoryMB("VmRSS:");
    benchmark::DoNotOptimize(f.outputGrid.Rows());
    state.ResumeTiming();
  }
  state.counters["grid_MB"] = after - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  Forms::Clear();
}
BENCHMARK(BM_FloydAllIterationsShown)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
