// "All Iterations" on a dense 100 x 100 linear program, from the press to the last tableau
// drawn, and the memory the tableau view holds; then scrolling through every block; then a
// degenerate run of 1,618 tableaus; then a run of 4,096 tableaus of 100 rows, shown and
// scrolled. The tableaus are kept as their bases and made into cells only when drawn, so the
// memory grows with the number of tableaus, not with their cells. Last, "All Iterations" on
// problem files of programs with large or decimal data (from the directory QUON_CASES names,
// ../shared/cases by default), each down its road: the tableaus, the verdict and the last
// tableau's objective value are counters and label.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "input/problem_file.h"
#include "linear/lp_model.h"
#include "linear/tableau_size.h"
#include "linear/ui/simplex_iterations.h"
#include "platform/grid_store.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/dual_start.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "support/qt_bench.h"

namespace {

using namespace quon;
using namespace quon::bench;

// Maximise c x subject to A x <= b, as the input grid hands it over, for the all-slack start.
void Program(int m, int n, const std::function<double(int)> &cost, const std::function<double(int, int)> &coef,
             const std::function<double(int)> &rhs) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::LinearProgramming;
  GridStore grid;
  grid.SetRows(m + 6);
  grid.SetCols(n + 3);
  grid.SetTextMatrix(2, 0, "Maximize");
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(0, j, "x" + std::to_string(j));
    grid.SetTextMatrix(2, j, NumText(cost(j)));
    grid.SetTextMatrix(m + 3, j, "0");
    grid.SetTextMatrix(m + 4, j, "infinity");
    grid.SetTextMatrix(m + 5, j, "n");
  }
  for (int i = 1; i <= m; ++i) {
    for (int j = 1; j <= n; ++j)
      grid.SetTextMatrix(i + 2, j, NumText(coef(i, j)));
    grid.SetTextMatrix(i + 2, n + 1, "<=");
    grid.SetTextMatrix(i + 2, n + 2, NumText(rhs(i)));
  }
  BuildLPStandardForm(grid);
  g.OutputMode = 2;
  g.LPMethod = 2;
  g.Phase = 0;
  SizeSimplexTableau(false);
}

// Positive dense data.
void DenseProgram(int m, int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coef(1, 20), rhs(500, 1000);
  Program(m, n, [&](int) { return coef(rng); }, [&](int, int) { return coef(rng); }, [&](int) { return rhs(rng); });
}

// Degenerate dense data: ten positive rows bound the program, nine in ten of the others have a
// right-hand side of 0, so most pivots stay at the same vertex and the run is long (1,618
// tableaus on seed 4).
void DegenerateProgram(int m, int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> coef(-9, 9), pos(1, 9), cost(1, 20), rhs(0, 9);
  Program(
      m, n, [&](int) { return cost(rng); }, [&](int i, int) { return i <= 10 ? pos(rng) : coef(rng); },
      [&](int i) { return i <= 10 ? 100.0 : rhs(rng) == 0 ? 1.0 : 0.0; });
}

// Klee and Minty's cube in 12 dimensions (scaled so that every ratio stays moderate), on which
// the largest-coefficient rule visits all 4,096 vertices, padded to 100 rows with rows that
// never bind: 4,096 tableaus of 100 rows and 114 columns, 50 million cells.
void LongProgram() {
  const int n = 12, m = 100;
  Program(
      m, n, [&](int j) { return std::pow(2.0, n - j); },
      [&](int i, int j) { return i > n ? (j == 1 ? 1.0 : 0.0) : j < i ? std::pow(2.0, i - j + 1) : j == i ? 1.0 : 0.0; },
      [&](int i) { return i > n ? 1000.0 : std::pow(5.0, i - 6); });
}

void BM_AllIterationsDense100(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  double before = 0, after = 0;
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    DenseProgram(100, 100, 7);
    scr5().Show();
    before = MemoryMB("VmRSS:");
    state.ResumeTiming();
    ShowSimplexIterations();
    scr5().cmdFinalIter_Click();
    Grid &grid = scr5().outputGrid;
    // The last block drawn: its cells are made now.
    benchmark::DoNotOptimize(grid.TextMatrix(grid.Rows() - 5, grid.Cols() - 1));
    Forms::DoEvents();
    state.PauseTiming();
    after = MemoryMB("VmRSS:");
    blocks = grid.Rows() / (g.MRows + 7);
    state.ResumeTiming();
  }
  state.counters["blocks"] = blocks;
  state.counters["view_MB"] = after - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  EndSimplexTableauView();
  Forms::Clear();
}
BENCHMARK(BM_AllIterationsDense100)->Unit(benchmark::kMillisecond)->Iterations(3);

// "All Iterations" through a long degenerate run: every tableau is priced and recorded, so this
// measures the work per tableau beside the pivots.
void BM_AllIterationsDegenerate100(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    DegenerateProgram(100, 100, static_cast<unsigned>(state.range(0)));
    scr5().Show();
    state.ResumeTiming();
    ShowSimplexIterations();
    scr5().cmdFinalIter_Click();
    Grid &grid = scr5().outputGrid;
    Forms::DoEvents();
    blocks = grid.Rows() / (g.MRows + 7);
  }
  state.counters["blocks"] = blocks;
  EndSimplexTableauView();
  Forms::Clear();
}
BENCHMARK(BM_AllIterationsDegenerate100)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(4);

// One page of scrolling through the tableaus of the dense run, painted.
void BM_ScrollTableaus(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  Forms::Clear();
  DenseProgram(100, 100, 7);
  scr5().Show();
  ShowSimplexIterations();
  scr5().cmdFinalIter_Click();
  Grid &grid = scr5().outputGrid;
  Forms::DoEvents();
  GridPainter painter(grid);
  int top = 0;
  for (auto _ : state) {
    top = (top + 97) % grid.Rows();
    grid.SetTopRow(top);
    Forms::DoEvents();
    painter.Paint();
  }
  state.counters["rss_MB"] = MemoryMB("VmRSS:");
  EndSimplexTableauView();
  Forms::Clear();
}
BENCHMARK(BM_ScrollTableaus)->Unit(benchmark::kMillisecond)->Iterations(200);

// The long run: "All Iterations" through 4,096 tableaus, then pages deep in the run painted.
void BM_LongRun(benchmark::State &state) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  double before = 0, after = 0;
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    LongProgram();
    scr5().Show();
    before = MemoryMB("VmRSS:");
    state.ResumeTiming();
    ShowSimplexIterations();
    scr5().cmdFinalIter_Click();
    Grid &grid = scr5().outputGrid;
    Forms::DoEvents();
    GridPainter painter(grid);
    for (int page = 1; page <= 20; ++page) {
      grid.SetTopRow(grid.Rows() / 21 * page);
      Forms::DoEvents();
      painter.Paint();
    }
    state.PauseTiming();
    after = MemoryMB("VmRSS:");
    blocks = grid.Rows() / (g.MRows + 7);
    state.ResumeTiming();
  }
  state.counters["blocks"] = blocks;
  state.counters["view_MB"] = after - before;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  EndSimplexTableauView();
  Forms::Clear();
}
BENCHMARK(BM_LongRun)->Unit(benchmark::kMillisecond)->Iterations(1);

// A linear program from a problem file, set up for `method` (2 all-slack, 3 M-method with M
// `bigM`, 4 two-phase, 5 dual simplex) as the SOLVE/MODIFY items leave it; false when the
// file cannot be read.
bool ProgramFromFile(const std::string &name, int method, double bigM) {
  const char *dir = std::getenv("QUON_CASES");
  const std::string path = std::string(dir != nullptr ? dir : "../shared/cases") + "/" + name;
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::LinearProgramming;
  const OpenResult file = ReadProblemFile(path, g.ModelClass, 0, 0);
  if (file.status != OpenStatus::Loaded) return false;
  ApplyProblemFile(file.file, g.ModelClass);
  const GridShape shape = ShapeForElected(file.file, g.ModelClass);
  GridStore grid;
  grid.SetRows(shape.rows);
  grid.SetCols(shape.cols);
  FillGridFromFile(grid, file.file, g.ModelClass);
  BuildLPStandardForm(grid);
  if (g.InputErrorIndex != 0) return false;
  g.OutputMode = 2;
  g.LPMethod = static_cast<int16>(method);
  g.Phase = static_cast<int16>(method == 4 ? 1 : 0);
  if (method == 5) ConvertToDualSimplexForm();
  if (method == 3) ApplyTypedBigM(bigM);
  SizeSimplexTableau(method == 3 || method == 4);
  return true;
}

void BM_ProblemFile(benchmark::State &state, const char *name, int method, double bigM) {
  SetLogicalScreen(15360, 11520);
  ScriptedServices services;
  services.SetFaultHandler([](const std::string &) {});
  int blocks = 0;
  std::string verdict, z;
  for (auto _ : state) {
    state.PauseTiming();
    Forms::Clear();
    if (!ProgramFromFile(name, method, bigM)) {
      state.SkipWithError("the problem file cannot be read (QUON_CASES names its directory)");
      break;
    }
    scr5().Show();
    state.ResumeTiming();
    ShowSimplexIterations();
    if (scr5().cmdFinalIter.Enabled()) scr5().cmdFinalIter_Click();
    Forms::DoEvents();
    state.PauseTiming();
    Grid &grid = scr5().outputGrid;
    const int rows = g.MRows + 7;
    blocks = grid.Rows() / rows;
    z = blocks > 0 ? grid.TextMatrix((blocks - 1) * rows + 2, grid.Cols() - 1) : "";
    const auto shown = services.MessageBoxes();
    verdict = shown.empty() ? "" : shown.back().text.substr(0, 60);
    services.ClearRecord();
    state.ResumeTiming();
  }
  state.counters["tableaus"] = blocks;
  state.counters["peak_MB"] = MemoryMB("VmHWM:");
  state.SetLabel("z " + z + " | " + verdict);
  EndSimplexTableauView();
  Forms::Clear();
}
#define QUON_CASE(id, file, method, bigM)                                                                              \
  BENCHMARK_CAPTURE(BM_ProblemFile, id, "numbers2/" file, method, bigM)->Unit(benchmark::kMillisecond)->Iterations(1)
QUON_CASE(degenerate100_twophase, "lp-degenerate-100-slow.txt", 4, 0);
QUON_CASE(long_run, "lp-long-run-slow.txt", 2, 0);
QUON_CASE(degenerate_rhs_1e5, "lp-degenerate-rhs-1e5-slow.txt", 2, 0);
QUON_CASE(degenerate_scaled, "lp-degenerate-scaled-21062-tableaus.txt", 2, 0);
QUON_CASE(dual_simplex_runaway, "lp-dual-simplex-runaway.txt", 5, 0);
QUON_CASE(two_phase_decimals, "lp-two-phase-decimals-called-infeasible.txt", 4, 0);
QUON_CASE(two_phase_cost_1001, "lp-two-phase-unproven-cost-1001.txt", 4, 0);
QUON_CASE(two_phase_cost_999, "lp-two-phase-right-cost-999.txt", 4, 0);
QUON_CASE(m_method_decimals, "lp-decimals-called-infeasible.txt", 3, 100);
QUON_CASE(two_phase_final_slow, "lp-final-slow-give-up.txt", 4, 0);
QUON_CASE(dual_final_slow, "lp-final-slow-give-up.txt", 5, 0);

} // namespace

int main(int argc, char **argv) { return quon::bench::RunQtBenchmarks(argc, argv); }
