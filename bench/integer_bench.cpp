// Subproblems per second of the automated branch and bound on a knapsack-like program of 20
// integer variables and 15 constraints; each run stops after 1000 subproblems.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "integer/branch_and_bound.h"
#include "linear/lp_model.h"
#include "platform/grid_store.h"
#include "platform/values.h"
#include "shell/mod1.h"

using namespace quon;

namespace {

// Maximise c x subject to A x <= b, positive entries, whole variables between 0 and 3; the
// right-hand sides are not whole multiples of anything, so the search is long.
GridStore KnapsackGrid(int n, int m, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> value(5, 40), weight(1, 20);
  GridStore grid;
  grid.SetRows(m + 7);
  grid.SetCols(n + 3);
  grid.SetTextMatrix(2, 0, "Maximize");
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(0, j, "x" + std::to_string(j));
    grid.SetTextMatrix(2, j, NumText(value(rng)));
    grid.SetTextMatrix(m + 3, j, "0");
    grid.SetTextMatrix(m + 4, j, "3");
    grid.SetTextMatrix(m + 5, j, "n");
    grid.SetTextMatrix(m + 6, j, "y");
  }
  for (int i = 1; i <= m; ++i) {
    int total = 0;
    for (int j = 1; j <= n; ++j) {
      const int a = weight(rng);
      total += a;
      grid.SetTextMatrix(i + 2, j, NumText(a));
    }
    grid.SetTextMatrix(i + 2, n + 1, "<=");
    grid.SetTextMatrix(i + 2, n + 2, NumText(total * 0.6 + 0.5));
  }
  return grid;
}

void BM_AutomatedSearch(benchmark::State &state) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::IntegerProgramming;
  BuildLPStandardForm(KnapsackGrid(20, 15, 7));
  g.OutputOption = 1;
  const int32 limit = BBSubproblemLimit;
  BBSubproblemLimit = 1000;
  double subproblems = 0;
  for (auto _ : state) {
    ResetIncumbent();
    RunAutomatedSearch();
    subproblems += g.FinalIteration - (g.FinalIteration > BBSubproblemLimit ? 1 : 0);
  }
  BBSubproblemLimit = limit;
  state.counters["subproblems"] = benchmark::Counter(subproblems / static_cast<double>(state.iterations()));
  state.counters["subproblems/s"] = benchmark::Counter(subproblems, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutomatedSearch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
