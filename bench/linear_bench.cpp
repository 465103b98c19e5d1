// Speed of the matrix inversion and of SolveLP on dense random programs, beside the reference
// LP solver on the same programs in the same run.
#include <benchmark/benchmark.h>
#include <glpk.h>

#include <random>
#include <vector>

#include "linear/mod_inverse.h"
#include "linear/mod_lp_simplex.h"
#include "shell/mod1.h"

using namespace quon;

namespace {

std::vector<double> RandomMatrix(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-10, 10);
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  for (auto &x : a)
    x = u(rng);
  return a;
}

void BM_InvertMatrix(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.MRows = static_cast<int16>(n);
  g.NVars = static_cast<int16>(n);
  ReDimProblemArrays(0);
  const std::vector<double> a = RandomMatrix(n, 1);
  for (auto _ : state) {
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j)
        g.InvInput(i, j) = a[static_cast<std::size_t>(i - 1) * n + j - 1];
    benchmark::DoNotOptimize(InvertMatrix());
  }
}
BENCHMARK(BM_InvertMatrix)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// A dense random program: maximise c x subject to A x <= b with b > 0 (the slack basis is
// feasible) and mostly positive entries in A (the optimum is finite).
struct DenseLP {
  int n;
  std::vector<double> c, a, b;
  explicit DenseLP(int size) : n(size) {
    std::mt19937 rng(static_cast<unsigned>(size));
    std::uniform_real_distribution<double> u(1, 10);
    std::uniform_real_distribution<double> entry(-3, 10);
    for (int j = 0; j < n; ++j)
      c.push_back(u(rng));
    for (int k = 0; k < n * n; ++k)
      a.push_back(entry(rng));
    for (int i = 0; i < n; ++i)
      b.push_back(u(rng));
  }
};

// Lays the program out in the standard form the engine takes (all "<=" rows: x then slacks).
void LoadStandardForm(const DenseLP &lp) {
  const int n = lp.n, m = lp.n;
  g.MRows = static_cast<int16>(m);
  g.NVars = static_cast<int16>(n);
  g.ModelClass = 3;
  g.LBRow = static_cast<int16>(m + 3);
  g.UBRow = static_cast<int16>(m + 4);
  g.FreeVarRow = static_cast<int16>(m + 5);
  g.LastConstrRow = static_cast<int16>(m + 2);
  g.TypeCol = static_cast<int16>(n + 1);
  g.RHSInCol = static_cast<int16>(n + 2);
  ReDimProblemArrays(31);
  g.NCols = static_cast<int16>(n + m);
  g.NColsPlus1 = static_cast<int16>(n + m + 1);
  g.NColsPlus2 = static_cast<int16>(n + m + 2);
  g.IPRunState = 0;
  ReDimProblemArrays(32);
  g.ObjSense = -1;
  g.ObjSenseSaved = -1;
  g.NArtificial1 = g.NArtificial2 = g.NUpperBounded = 0;
  for (int j = 1; j <= n; ++j) {
    g.Tab(2, j) = lp.c[j - 1];
    g.LPData(2, j) = lp.c[j - 1];
    g.ColNames(j) = "x" + std::to_string(j);
  }
  for (int j = 1; j <= n + m; ++j)
    g.Tab(g.UBRow, j) = g.Infinity;
  for (int i = 1; i <= m; ++i) {
    for (int j = 1; j <= n; ++j)
      g.Tab(i + 2, j) = lp.a[static_cast<std::size_t>(i - 1) * n + j - 1];
    g.Tab(i + 2, n + i) = 1;
    g.ColNames(n + i) = "sx" + std::to_string(n + i);
    g.Tab(i + 2, g.NColsPlus1) = lp.b[i - 1];
    g.Tab(i + 2, g.NColsPlus2) = -1;
  }
}

void BM_SolveLP(benchmark::State &state) {
  const DenseLP lp(static_cast<int>(state.range(0)));
  g = Mod1{};
  InitGlobals(15360, 11520);
  long pivots = 0;
  for (auto _ : state) {
    state.PauseTiming();
    LoadStandardForm(lp);
    state.ResumeTiming();
    if (SolveLP() != LPStatus::Optimal) state.SkipWithError("not optimal");
    pivots = g.IterCount - 1;
  }
  state.counters["pivots"] = static_cast<double>(pivots);
}
BENCHMARK(BM_SolveLP)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ReferenceSolver(benchmark::State &state) {
  const DenseLP lp(static_cast<int>(state.range(0)));
  const int n = lp.n;
  std::vector<int> ia(1), ja(1);
  std::vector<double> ar(1);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      ia.push_back(i);
      ja.push_back(j);
      ar.push_back(lp.a[static_cast<std::size_t>(i - 1) * n + j - 1]);
    }
  for (auto _ : state) {
    glp_prob *p = glp_create_prob();
    glp_set_obj_dir(p, GLP_MAX);
    glp_add_rows(p, n);
    glp_add_cols(p, n);
    for (int i = 1; i <= n; ++i)
      glp_set_row_bnds(p, i, GLP_UP, 0, lp.b[i - 1]);
    for (int j = 1; j <= n; ++j) {
      glp_set_col_bnds(p, j, GLP_LO, 0, 0);
      glp_set_obj_coef(p, j, lp.c[j - 1]);
    }
    glp_load_matrix(p, n * n, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(p, &parm);
    benchmark::DoNotOptimize(glp_get_obj_val(p));
    glp_delete_prob(p);
  }
}
BENCHMARK(BM_ReferenceSolver)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
