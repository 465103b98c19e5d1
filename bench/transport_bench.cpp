// Final solution of a 100 x 100 transportation problem from each starting method, beside the
// reference LP solver on the same problem in the same run.
#include <benchmark/benchmark.h>
#include <glpk.h>

#include <vector>

#include "shell/mod1.h"
#include "support/transport_problem.h"
#include "transport/transport_simplex.h"

using namespace quon;
using namespace quon::bench;

namespace {

void BM_SolveTransportation(benchmark::State &state) {
  const TransportProblem p(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
  LoadTransport(p);
  const int method = static_cast<int>(state.range(1));
  for (auto _ : state) {
    TransRestoreStart();
    g.TransStartMethod = static_cast<int16>(method);
    benchmark::DoNotOptimize(SolveTransportation());
  }
  state.counters["iterations"] = g.IterCount;
  state.counters["cost"] = g.ZValue;
  state.SetLabel(method == 1 ? "north-west corner" : method == 2 ? "least cost" : "Vogel");
}
BENCHMARK(BM_SolveTransportation)
    ->Args({100, 1})
    ->Args({100, 2})
    ->Args({100, 3})
    ->Unit(benchmark::kMillisecond);

// The same balanced problem as an LP for the reference solver.
void BM_ReferenceLP(benchmark::State &state) {
  const TransportProblem p(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
  LoadTransport(p);
  const int m = g.TransSources, n = g.TransDests;
  double z = 0;
  for (auto _ : state) {
    glp_prob *lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    glp_add_rows(lp, m + n);
    glp_add_cols(lp, m * n);
    for (int r = 1; r <= m + n; ++r)
      glp_set_row_bnds(lp, r, GLP_FX, g.InvInput(r, 0), g.InvInput(r, 0));
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    for (int k = 1; k <= m * n; ++k) {
      glp_set_col_bnds(lp, k, GLP_LO, 0, 0);
      glp_set_obj_coef(lp, k, g.Cost(k));
      const int i = (k - 1) / n + 1, j = (k - 1) % n + 1;
      for (int r : {i, m + j}) {
        ia.push_back(r);
        ja.push_back(k);
        ar.push_back(1);
      }
    }
    glp_load_matrix(lp, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    z = glp_get_obj_val(lp);
    glp_delete_prob(lp);
  }
  state.counters["cost"] = z;
}
BENCHMARK(BM_ReferenceLP)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
