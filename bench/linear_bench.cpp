// Speed of the matrix inversion and of SolveLP beside the reference LP solver on the same
// programs in the same run: dense random programs, equality-heavy programs (artificials in
// most rows) and Klee-Minty programs.
#include <benchmark/benchmark.h>
#include <glpk.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "integer/branch_and_bound.h"
#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "linear/mod_inverse.h"
#include "linear/mod_lp_simplex.h"
#include "shell/mod1.h"

using namespace quon;
using namespace quon::testing;

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
  ReDimProblemArrays(ArrayKind::Common);
  const std::vector<double> a = RandomMatrix(n, 1);
  for (auto _ : state) {
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j)
        g.InvInput(i, j) = a[static_cast<std::size_t>(i - 1) * n + j - 1];
    benchmark::DoNotOptimize(InvertMatrix());
  }
}
BENCHMARK(BM_InvertMatrix)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// Maximise c x subject to A x <= b with b > 0 (the slack basis is feasible) and mostly
// positive entries in A (the optimum is finite).
LP DenseLP(int n) {
  std::mt19937 rng(static_cast<unsigned>(n));
  std::uniform_real_distribution<double> u(1, 10);
  std::uniform_real_distribution<double> entry(-3, 10);
  LP lp;
  for (int j = 0; j < n; ++j)
    lp.c.push_back(u(rng));
  for (int i = 0; i < n; ++i) {
    std::vector<double> row;
    for (int j = 0; j < n; ++j)
      row.push_back(entry(rng));
    lp.a.push_back(row);
    lp.rel.push_back("<=");
  }
  for (int i = 0; i < n; ++i)
    lp.b.push_back(u(rng));
  return lp;
}

// Minimise c x > 0 subject to rows met by a known point: four in five "=", the rest ">=".
LP EqualityLP(int n, unsigned seed) {
  std::mt19937 rng(seed);
  auto uni = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  LP lp;
  lp.sense = "Minimize";
  for (int j = 0; j < n; ++j)
    lp.c.push_back(uni(1, 10));
  std::vector<double> x0;
  for (int j = 0; j < n; ++j)
    x0.push_back(uni(0, 3));
  for (int i = 0; i < n; ++i) {
    std::vector<double> row;
    double b = 0;
    for (int j = 0; j < n; ++j) {
      row.push_back(uni(-2, 10));
      b += row.back() * x0[static_cast<std::size_t>(j)];
    }
    lp.a.push_back(row);
    lp.rel.push_back(i % 5 ? "=" : ">=");
    lp.b.push_back(i % 5 ? b : b - 1);
  }
  return lp;
}

// kind 3 and up: degenerate program of seed kind - 3.
LP Program(int kind, int size) {
  switch (kind) {
  case 0:
    return DenseLP(size);
  case 1:
    return EqualityLP(size, 7);
  case 2:
    return KleeMinty(size);
  default:
    return DegenerateProgram(size, static_cast<unsigned>(kind - 3));
  }
}

// kind: 0 dense, 1 equality-heavy, 2 Klee-Minty, 3 + s degenerate of seed s; size: variables
// (= constraints).
void BM_SolveLP(benchmark::State &state) {
  const LP lp = Program(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Build(lp);
  long pivots = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RestoreLPModel();
    state.ResumeTiming();
    const LPStatus status = SolveLP();
    if (status != LPStatus::Optimal && status != LPStatus::Infeasible && status != LPStatus::Unbounded)
      state.SkipWithError("no verdict");
    pivots = g.IterCount - 1;
  }
  state.counters["pivots"] = static_cast<double>(pivots);
  state.counters["z"] = g.ZValue;
  state.counters["optimal"] = g.LPResult == LPStatus::Optimal ? 1 : 0;
}

void BM_ReferenceSolver(benchmark::State &state) {
  const LP lp = Program(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const int m = static_cast<int>(lp.a.size()), n = static_cast<int>(lp.c.size());
  std::vector<int> ia(1), ja(1);
  std::vector<double> ar(1);
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j)
      if (const double a = lp.a[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)]; a != 0) {
        ia.push_back(i);
        ja.push_back(j);
        ar.push_back(a);
      }
  double z = 0;
  int status = 0;
  for (auto _ : state) {
    glp_prob *p = glp_create_prob();
    glp_set_obj_dir(p, lp.sense == "Minimize" ? GLP_MIN : GLP_MAX);
    glp_add_rows(p, m);
    glp_add_cols(p, n);
    for (int i = 1; i <= m; ++i) {
      const std::string &r = lp.rel[static_cast<std::size_t>(i - 1)];
      const double b = lp.b[static_cast<std::size_t>(i - 1)];
      glp_set_row_bnds(p, i, r == "<=" ? GLP_UP : r == ">=" ? GLP_LO : GLP_FX, b, b);
    }
    for (int j = 1; j <= n; ++j) {
      glp_set_col_bnds(p, j, GLP_LO, 0, 0);
      glp_set_obj_coef(p, j, lp.c[static_cast<std::size_t>(j - 1)]);
    }
    glp_load_matrix(p, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(p, &parm);
    status = glp_get_status(p);
    z = glp_get_obj_val(p);
    glp_delete_prob(p);
  }
  state.counters["z"] = z;
  state.counters["optimal"] = status == GLP_OPT ? 1 : 0;
}

void Programs(benchmark::internal::Benchmark *b) {
  b->Args({0, 25})->Args({0, 50})->Args({0, 100});
  b->Args({1, 50})->Args({1, 100});
  b->Args({2, 10})->Args({2, 20});
  // Twenty degenerate programs of 100 x 100.
  for (int seed = 0; seed < 20; ++seed)
    b->Args({3 + seed, 100});
}
BENCHMARK(BM_SolveLP)->Apply(Programs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceSolver)->Apply(Programs)->Unit(benchmark::kMillisecond);

// Reported programs (problem files kept beside the clone) on the Final solution road, and the
// integer one through the automated search: each against the release before.
const char *const kReportedCases[] = {
    "lp-decimals-called-infeasible.txt",     "lp-final-suboptimal-shown-optimal.txt",
    "lp-final-infeasible-shown-optimal.txt", "lp-zero-one-relaxation-off.txt",
    "lp-final-infeasible-by-a-hair.txt",     "lp-final-slow-give-up.txt",
    "lp-dual-simplex-runaway.txt",           "ip-decimal-coefficients-worse-optimum.txt",
};

void BM_ReportedCase(benchmark::State &state) {
  const std::string name = kReportedCases[state.range(0)];
  const std::string path = std::string(QUON_SHARED_CASES) + "/numbers2/" + name;
  const bool integer = name.rfind("ip-", 0) == 0;
  if (!BuildFromFile(path, integer ? 5 : 3)) {
    state.SkipWithError(("no " + path).c_str());
    return;
  }
  int status = 0;
  for (auto _ : state) {
    RestoreLPModel();
    if (integer) {
      g.OutputOption = 1;
      ResetIncumbent();
      status = static_cast<int>(RunAutomatedSearch(SearchEvents{}));
    } else {
      status = static_cast<int>(SolveLP());
    }
  }
  state.SetLabel(name);
  state.counters["status"] = status;
  state.counters["z"] = integer ? g.BestObj : g.ZValue;
}
BENCHMARK(BM_ReportedCase)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
