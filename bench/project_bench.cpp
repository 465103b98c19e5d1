// Speed of the project schedule on the largest networks the input accepts (node numbers up to
// 1000): the CPM run with floats and the PERT pass with its longest paths, alone and with the
// read of the input grid before them; and "All Steps" filling the CPM step table on the output
// screen.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
#include <string>

#include "platform/grid_store.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "project/project_input.h"
#include "project/project_schedule.h"
#include "project/ui/project_output.h"
#include "shell/mod1.h"
#include "shell/ui/scr5.h"
#include "support/qt_bench.h"

using namespace quon;

namespace {

// An acyclic network on `nodes` nodes in a shuffled numbering with at least `activities` activities:
// a spanning chain of predecessors and successors first, then random forward arcs.
GridStore RandomProject(int nodes, int activities, int method) {
  std::mt19937 rng(static_cast<unsigned>(nodes * 31 + activities));
  std::vector<int> number(nodes);
  std::iota(number.begin(), number.end(), 1);
  std::shuffle(number.begin(), number.end(), rng);
  std::set<std::pair<int, int>> arcs;
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int v = 1; v < nodes; ++v)
    arcs.insert({pick(0, v - 1), v});
  for (int u = 0; u < nodes - 1; ++u)
    arcs.insert({u, pick(u + 1, nodes - 1)});
  while (static_cast<int>(arcs.size()) < activities) {
    int u = pick(0, nodes - 1), v = pick(0, nodes - 1);
    if (u == v) continue;
    if (u > v) std::swap(u, v);
    arcs.insert({u, v});
  }
  GridStore grid;
  grid.SetRows(static_cast<int>(arcs.size()) + 2);
  grid.SetCols(method == 2 ? 7 : 5);
  int r = 1;
  for (const auto &[u, v] : arcs) {
    grid.SetTextMatrix(r, 1, std::to_string(number[u]));
    grid.SetTextMatrix(r, 2, std::to_string(number[v]));
    grid.SetTextMatrix(r, 3, std::to_string(r)); // the symbol
    const int m = pick(1, 99);
    if (method == 1) {
      grid.SetTextMatrix(r, 4, std::to_string(m) + ".25");
    } else {
      grid.SetTextMatrix(r, 4, std::to_string(m - 1));
      grid.SetTextMatrix(r, 5, std::to_string(m) + ".5");
      grid.SetTextMatrix(r, 6, std::to_string(m + 3));
    }
    ++r;
  }
  return grid;
}

void Read(GridStore &grid, int method) {
  g = Mod1{};
  g.ProjMethod = static_cast<int16>(method);
  PrepareProjectGrid(grid);
  ReDimProblemArrays(ArrayKind::Projects, grid.Rows());
  ReadProjectInput(grid);
}

void ResetCPM() {
  for (int k = 1; k <= g.NodeCount; ++k)
    g.EarlyTime(k) = g.LateTime(k) = -1;
  g.LateTime(0) = 0;
  g.IterCount = 0;
  g.ActFloat.ReDimRange(1, g.ActivityCount, 0, 4);
}

void BM_CPMSchedule(benchmark::State &state) {
  GridStore grid = RandomProject(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 1);
  Read(grid, 1);
  for (auto _ : state) {
    ResetCPM();
    benchmark::DoNotOptimize(ComputeCPMSchedule());
  }
  state.counters["activities"] = g.ActivityCount;
}
BENCHMARK(BM_CPMSchedule)
    ->Args({1000, 1000})
    ->Args({1000, 3000})
    ->Args({300, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_PERTForwardPass(benchmark::State &state) {
  GridStore grid = RandomProject(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 2);
  Read(grid, 2);
  for (auto _ : state) {
    for (int k = 1; k <= g.NodeCount; ++k)
      g.EarlyTime(k) = -1;
    benchmark::DoNotOptimize(ComputeForwardPass());
  }
  state.counters["activities"] = g.ActivityCount;
}
BENCHMARK(BM_PERTForwardPass)
    ->Args({1000, 1000})
    ->Args({1000, 3000})
    ->Args({300, 1000})
    ->Unit(benchmark::kMillisecond);

// What a user waits for after "SOLVE Menu" and the option choice: the read and the run.
void BM_ReadAndSchedule(benchmark::State &state) {
  const int method = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    GridStore grid = RandomProject(1000, 1000, method);
    state.ResumeTiming();
    Read(grid, method);
    if (method == 1) {
      ResetCPM();
      benchmark::DoNotOptimize(ComputeCPMSchedule());
    } else {
      benchmark::DoNotOptimize(ComputeForwardPass());
    }
  }
}
BENCHMARK(BM_ReadAndSchedule)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The step table of a 1000-node project, from the option choice to the closing row.
void BM_AllSteps(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    GridStore grid = RandomProject(1000, static_cast<int>(state.range(0)), 1);
    Read(grid, 1);
    InitGlobals(15360, 11520);
    g.ModelClass = ModelClassCode::ProjectPlanning;
    scr5().Show();
    InitProjectOutputScreen();
    state.ResumeTiming();
    g.OutputOption = 2;
    SelectProjectOutputOption();
    ProjectAllSteps();
  }
  state.counters["rows"] = scr5().outputGrid.Rows();
  Forms::Clear();
}
BENCHMARK(BM_AllSteps)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
