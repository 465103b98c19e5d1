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
#include "support/ip_programs.h"

using namespace quon;
using quon::bench::KnapsackGrid;

namespace {

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
