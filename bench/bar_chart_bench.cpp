// Redrawing the CPM bar chart of 1,000 activities on the graph screen: a repaint after a
// schedule experiment, and a zoom (clear, rescale, draw again).
#include <QApplication>
#include <benchmark/benchmark.h>

#include <random>
#include <set>
#include <string>

#include "linear/ui/scr_lp_graf.h"
#include "platform/grid_store.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "project/bar_chart.h"
#include "project/project_schedule.h"
#include "project/project_input.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "project/ui/project_output.h"
#include "support/qt_bench.h"

using namespace quon;

namespace {

// A chain through every node and random forward arcs up to `activities`.
GridStore ChainProject(int nodes, int activities) {
  std::mt19937 rng(7);
  std::set<std::pair<int, int>> arcs;
  for (int v = 1; v < nodes; ++v)
    arcs.insert({v, v + 1});
  std::uniform_int_distribution<int> node(1, nodes);
  while (static_cast<int>(arcs.size()) < activities) {
    int u = node(rng), v = node(rng);
    if (u == v) continue;
    if (u > v) std::swap(u, v);
    arcs.insert({u, v});
  }
  GridStore grid;
  grid.SetRows(static_cast<int>(arcs.size()) + 2);
  grid.SetCols(5);
  int r = 1;
  std::uniform_int_distribution<int> duration(1, 20);
  for (const auto &[u, v] : arcs) {
    grid.SetTextMatrix(r, 1, std::to_string(u));
    grid.SetTextMatrix(r, 2, std::to_string(v));
    grid.SetTextMatrix(r, 3, "A" + std::to_string(r));
    grid.SetTextMatrix(r, 4, std::to_string(duration(rng)));
    ++r;
  }
  return grid;
}

// The chart on the graph screen, opened from the output screen's "CPM Bar Chart", with one
// non-critical activity moved.
ScrLPGraf &OpenChart() {
  Forms::Clear();
  SetLogicalScreen(15360, 11520);
  GridStore grid = ChainProject(300, 1000);
  g = Mod1{};
  g.ProjMethod = 1;
  PrepareProjectGrid(grid);
  ReDimProblemArrays(ArrayKind::Projects, grid.Rows());
  ReadProjectInput(grid);
  InitGlobals(15360, 11520);
  g.ModelClass = 8;
  RegisterAllModelRoads();
  scr5().Show();
  InitProjectOutputScreen();
  scr5().Combo1.PerformChoose(0);
  ScrLPGraf &s = scrLPGraf();
  for (int r = 1; r <= g.ActivityCount; ++r)
    if (!IsCriticalActivity(r)) {
      ApplyStartChoice(r, 1, s.picLPgraph);
      break;
    }
  return s;
}

void BM_RepaintAfterExperiment(benchmark::State &state) {
  ScrLPGraf &s = OpenChart();
  for (auto _ : state)
    s.picLPgraph_Paint();
  state.counters["activities"] = g.ActivityCount;
  Forms::Clear();
}
BENCHMARK(BM_RepaintAfterExperiment)->Unit(benchmark::kMillisecond);

void BM_ZoomOutAndIn(benchmark::State &state) {
  ScrLPGraf &s = OpenChart();
  for (auto _ : state) {
    s.cmdZoomOut_Click();
    s.cmdZoomIn_Click();
  }
  Forms::Clear();
}
BENCHMARK(BM_ZoomOutAndIn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
