// The user-guided branch-and-bound tree at its largest: 10 levels of 10 nodes. Times one click
// on an open node of the deepest level, which fathoms it by the bound, scans the whole tree for
// completion and repaints the tree grid. And the automated search on the output screen beside
// the same search without a screen (aim: the screen adds under 20%); run it with a display
// (QT_QPA_PLATFORM=xcb) to count the display's round trips.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <string>

#include "integer/branch_and_bound.h"
#include "integer/ui/ip_output.h"
#include "linear/lp_model.h"
#include "platform/colors.h"
#include "platform/grid_store.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "support/ip_programs.h"
#include "support/qt_bench.h"

namespace {

using namespace quon;
using namespace quon::bench;

constexpr int kLevels = 10;
constexpr int kPerLevel = 10;

// Maximise 3x1 + 2x2 subject to 2x1 + 2x2 <= 9 and 3x1 + x2 <= 10, both integer.
void Program() {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = static_cast<decltype(g.ModelClass)>(ModelClassCode::IntegerProgramming);
  g.SenseText = "Maximize";
  GridStore grid;
  grid.SetRows(9);
  grid.SetCols(5);
  grid.SetTextMatrix(2, 0, "Maximize");
  const char *c[] = {"3", "2"}, *a[2][2] = {{"2", "2"}, {"3", "1"}}, *b[] = {"9", "10"};
  for (int j = 1; j <= 2; ++j) {
    grid.SetTextMatrix(0, j, "x" + std::to_string(j));
    grid.SetTextMatrix(2, j, c[j - 1]);
    grid.SetTextMatrix(5, j, "0");
    grid.SetTextMatrix(6, j, "infinity");
    grid.SetTextMatrix(7, j, "n");
    grid.SetTextMatrix(8, j, "y");
    for (int i = 1; i <= 2; ++i)
      grid.SetTextMatrix(i + 2, j, a[i - 1][j - 1]);
  }
  for (int i = 1; i <= 2; ++i) {
    grid.SetTextMatrix(i + 2, 3, "<=");
    grid.SetTextMatrix(i + 2, 4, b[i - 1]);
  }
  BuildLPStandardForm(grid);
}

// The root as the view solves it, then every further level filled with branched (red) nodes
// whose stores hold what a solve would leave.
void BuildTree() {
  Program();
  scr5().Show();
  g.OutputOption = 2;
  IPOptionChanged();
  Grid &grid = scr5().outputGrid;
  grid.SetRows(5 * kLevels);
  grid.SetCols(kPerLevel);
  // As wide as the branching clicks leave a full level.
  for (int c = 0; c < kPerLevel; ++c)
    grid.SetColWidth(c, (g.NumDigitsN + g.NumDigitsD + 2) * 200);
  grid.SetWidth(static_cast<int32>(0.85 * ScreenWidth()));
  grid.SetLeft(static_cast<int32>(0.075 * ScreenWidth()));
  g.LevelCount.ReDimPreserve(kLevels);
  for (int level = 2; level <= kLevels; ++level) {
    g.LevelCount(level) = kPerLevel;
    for (int c = 0; c < kPerLevel; ++c) {
      const int id = 10 * level + c;
      const int p = g.NodeIds.UBound() + 1;
      g.NodeIds.ReDimPreserve(p);
      g.NodeIds(p) = static_cast<int16>(id);
      g.NodeZ.ReDimPreserve(p);
      g.NodeZ(p) = 10.5f;
      g.NodeX.ReDimPreserve(p * g.NVars);
      g.NodeX((p - 1) * g.NVars + 1) = 1.5f;
      g.NodeX((p - 1) * g.NVars + 2) = 3;
      const int r = 5 * (level - 1);
      grid.SetTextMatrix(r, c, "N" + std::to_string(id));
      grid.SetRow(r);
      grid.SetCol(c);
      grid.SetCellBackColor(kRed);
      grid.SetTextMatrix(r + 1, c, "x1<=1");
      grid.SetTextMatrix(r + 2, c, "z= 10.50");
      grid.SetTextMatrix(r + 3, c, "x1=1.50");
    }
  }
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetCellBackColor(kRed);
  g.BestBound = 11;
  scr5().Check2.SetValue(1);
}

void BM_TreeClick(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  Forms::Clear();
  BuildTree();
  Grid &grid = scr5().outputGrid;
  Forms::DoEvents();
  GridPainter painter(grid);
  const int r = 5 * (kLevels - 1), c = kPerLevel - 1;
  for (auto _ : state) {
    state.PauseTiming();
    grid.SetRow(r);
    grid.SetCol(c);
    grid.SetCellBackColor(kGreen);
    grid.SetTextMatrix(r + 3, c, "x?");
    Forms::DoEvents();
    state.ResumeTiming();
    grid.PerformClick(r + 2, c);
    Forms::DoEvents();
    painter.Paint();
  }
  if (grid.BackOf(r, c) != kRed) state.SkipWithError("the node was not fathomed");
  Forms::Clear();
}
BENCHMARK(BM_TreeClick)->Unit(benchmark::kMillisecond)->Iterations(50);

double MillisecondsOf(const std::function<void()> &run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration runs the search alone, then "Automated B&B" on the shown output screen.
void BM_AutomatedSearchOnScreen(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  Forms::Clear();
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = static_cast<decltype(g.ModelClass)>(ModelClassCode::IntegerProgramming);
  g.SenseText = "Maximize";
  BuildLPStandardForm(bench::KnapsackGrid(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 7));
  Scr5 &f = scr5();
  f.Show();
  Forms::DoEvents();
  g.OutputOption = 1;
  IPOptionChanged();
  double alone = 0, screen = 0;
  for (auto _ : state) {
    alone += MillisecondsOf([] {
      RestoreLPModel();
      ResetIncumbent();
      RunAutomatedSearch();
    });
    const double shown = MillisecondsOf([] { IPOptionChanged(); });
    screen += shown;
    state.SetIterationTime(shown / 1000);
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["subproblems"] = g.FinalIteration;
  state.counters["search_ms"] = alone / runs;
  state.counters["screen_ms"] = screen / runs;
  state.counters["added_%"] = 100 * (screen - alone) / alone;
  if (f.Label6.Caption() != std::to_string(g.FinalIteration)) state.SkipWithError("the last count is not shown");
  Forms::Clear();
}
BENCHMARK(BM_AutomatedSearchOnScreen)->Args({20, 12})->Args({22, 10})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
