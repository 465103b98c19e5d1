// The transportation simplex against an independent LP solver on seeded random problems,
// balanced and unbalanced, with integer and fractional costs, zero amounts and large amounts:
// from every start the minimum cost agrees, stepped as the tableaus go or solved at once, and the
// final basis satisfies u + v = c and the row and column sums.
#include <glpk.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>

#include "shell/mod1.h"
#include "transport/trans_fixture.h"
#include "transport/transport_simplex.h"

using namespace quon;

namespace {

// The problem as typed (before balancing): shipments out of a source at most its supply when
// supply exceeds demand (else exactly), into a destination exactly its demand (else at most);
// nothing is shipped on a route that costs "infinity". NaN when no solution exists.
double ReferenceCost(const test::TransProblem &p) {
  const int m = static_cast<int>(p.supplies.size());
  const int n = static_cast<int>(p.demands.size());
  const double supply = std::accumulate(p.supplies.begin(), p.supplies.end(), 0.0);
  const double demand = std::accumulate(p.demands.begin(), p.demands.end(), 0.0);
  glp_prob *lp = glp_create_prob();
  glp_set_obj_dir(lp, GLP_MIN);
  glp_add_rows(lp, m + n);
  glp_add_cols(lp, m * n);
  for (int i = 1; i <= m; ++i) {
    const double s = p.supplies[static_cast<std::size_t>(i - 1)];
    glp_set_row_bnds(lp, i, supply > demand ? GLP_UP : GLP_FX, s, s);
  }
  for (int j = 1; j <= n; ++j) {
    const double d = p.demands[static_cast<std::size_t>(j - 1)];
    glp_set_row_bnds(lp, m + j, demand > supply ? GLP_UP : GLP_FX, d, d);
  }
  std::vector<int> ia{0}, ja{0};
  std::vector<double> ar{0};
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j) {
      const int col = (i - 1) * n + j;
      const double c = p.costs[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
      glp_set_col_bnds(lp, col, std::isinf(c) ? GLP_FX : GLP_LO, 0, 0);
      glp_set_obj_coef(lp, col, std::isinf(c) ? 0 : c);
      for (int row : {i, m + j}) {
        ia.push_back(row);
        ja.push_back(col);
        ar.push_back(1);
      }
    }
  glp_load_matrix(lp, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  glp_simplex(lp, &parm);
  const int status = glp_get_status(lp);
  EXPECT_TRUE(status == GLP_OPT || status == GLP_NOFEAS);
  const double z = status == GLP_OPT ? glp_get_obj_val(lp) : NAN;
  glp_delete_prob(lp);
  return z;
}

test::TransProblem RandomProblem(std::mt19937 &rng, int seed) {
  // 0 integer, 1 fractional costs, 2 large amounts, 3 quarter amounts; beyond seed 600:
  // 4 negative costs with "infinity" routes, 5 amounts about 2^24 apart by a few units.
  const int kind = seed < 600 ? seed % 4 : 4 + seed % 2;
  // Some large amounts on up to 30 sources and destinations: totals beyond 2^24, where
  // summing in single precision would no longer be exact.
  std::uniform_int_distribution<int> size(1, seed % 20 == 2 ? 30 : 10);
  const int m = size(rng), n = size(rng);
  std::uniform_int_distribution<int> cost(0, 25), amount(0, 40), zero(0, 4);
  std::uniform_real_distribution<double> frac(0.0, 3.0);
  test::TransProblem p;
  p.costs.assign(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(n)));
  for (auto &row : p.costs)
    for (auto &c : row)
      c = kind == 1 ? std::round(frac(rng) * 1000) / 1000 : cost(rng);
  if (kind == 4)
    for (auto &row : p.costs)
      for (auto &c : row)
        c = zero(rng) == 0 ? INFINITY : c - (zero(rng) == 0 ? 500 : 20);
  auto draw = [&](int count) {
    std::vector<double> v;
    for (int k = 0; k < count; ++k) {
      double a = zero(rng) == 0 ? 0 : amount(rng);
      if (kind == 2) a *= 50000 + 17;
      if (kind == 3) a += 0.25 * (k % 4);
      if (kind == 5) a = 16777216 + amount(rng) % 5 - 2;
      v.push_back(a);
    }
    return v;
  };
  p.supplies = draw(m);
  p.demands = draw(n);
  // Every third problem balanced exactly: the last demand takes up the difference when it can.
  if (seed % 3 == 0) {
    const double s = std::accumulate(p.supplies.begin(), p.supplies.end(), 0.0);
    const double d = std::accumulate(p.demands.begin(), p.demands.end(), 0.0) - p.demands.back();
    if (s >= d) p.demands.back() = s - d;
  }
  return p;
}

TEST(TransReference, RandomProblemsAgreeFromEveryStart) {
  int infeasible = 0;
  for (int seed = 0; seed < 800; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed) * 7919u + 11u);
    const test::TransProblem p = RandomProblem(rng, seed);
    const double z = ReferenceCost(p);
    for (int method = 1; method <= 3; ++method) {
      SCOPED_TRACE(std::string("seed ") + std::to_string(seed) + std::string(" method ") +
                   std::to_string(method));
      // The tableaus' road, one priced basis at a time, reaches the same verdict and cost.
      ASSERT_TRUE(test::LoadTrans(p));
      g.TransStartMethod = static_cast<int16>(method);
      ASSERT_TRUE(TransStartSolution());
      TransOutcome stepped;
      while ((stepped = TransPriceBasis()) == TransOutcome::Stepped)
        ASSERT_TRUE(TransRatioTest() && TransPivot());
      if (std::isnan(z))
        EXPECT_EQ(stepped, TransOutcome::NoFeasibleSolution);
      else
        EXPECT_NEAR(g.ZValue, z, 1E-7 * (1 + std::fabs(z)));

      ASSERT_TRUE(test::LoadTrans(p));
      g.TransStartMethod = static_cast<int16>(method);
      if (std::isnan(z)) {
        ASSERT_EQ(SolveTransportation(), TransOutcome::NoFeasibleSolution);
        ++infeasible;
        continue;
      }
      ASSERT_EQ(SolveTransportation(), TransOutcome::Optimal);
      EXPECT_NEAR(g.ZValue, z, 1E-7 * (1 + std::fabs(z)));
      test::ExpectConsistentBasis();
      // Optimal: no cell prices out beyond the entering tolerance.
      for (int k = 1; k <= g.NVars; ++k)
        EXPECT_LE(g.RedCost(k), 1E-8) << "cell " << k;
      if (::testing::Test::HasFailure()) return;
    }
  }
  EXPECT_GT(infeasible, 10);
}

// Costs of some hundred million with cents: the multipliers carry rounding noise of a few units
// in their last place, which must not pass for a saving (it made cells enter and leave for ever).
TEST(TransReference, LargeCostsWithCentsReachTheOptimum) {
  for (int seed = 0; seed < 1500; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed) * 104729u + 3u);
    std::uniform_int_distribution<int> size(1, 8), cost(0, 30), amount(0, 30);
    test::TransProblem p;
    p.costs.assign(static_cast<std::size_t>(size(rng)), {});
    const int n = size(rng);
    for (auto &row : p.costs)
      for (int j = 0; j < n; ++j)
        row.push_back(cost(rng) * 7777777.77);
    for (std::size_t i = 0; i < p.costs.size(); ++i)
      p.supplies.push_back(amount(rng));
    for (int j = 0; j < n; ++j)
      p.demands.push_back(amount(rng));
    const double z = ReferenceCost(p);
    for (int method = 1; method <= 3; ++method) {
      SCOPED_TRACE(std::string("seed ") + std::to_string(seed) + std::string(" method ") +
                   std::to_string(method));
      ASSERT_TRUE(test::LoadTrans(p));
      g.TransStartMethod = static_cast<int16>(method);
      ASSERT_EQ(SolveTransportation(), TransOutcome::Optimal);
      ASSERT_NEAR(g.ZValue, z, 1E-9 * (1 + std::fabs(z)));
    }
  }
}

} // namespace
