// The transportation simplex against an independent LP solver on seeded random problems,
// balanced and unbalanced, with integer and fractional costs, zero amounts and large amounts:
// from every start the minimum cost agrees, stepped as the tableaus go or solved at once, and the
// final basis satisfies u + v = c and the row and column sums.
#include <glpk.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numeric>
#include <string>
#include <random>

#include "shell/mod1.h"
#include "transport/trans_fixture.h"
#include "transport/transport_simplex.h"

using namespace quon;

namespace {

// The problem as typed (before balancing): shipments out of a source at most its supply when
// supply exceeds demand (else exactly), into a destination exactly its demand (else at most).
// A route that costs "infinity" is not to be used; among the solutions without one, as much as
// possible goes on the routes that cost "-infinity", and then the finite costs are least.
struct Reference {
  bool feasible = false;
  double minusShipped = 0; // on the "-infinity" routes
  double finiteCost = 0;   // of the other routes
};

Reference ReferenceSolution(const test::TransProblem &p) {
  const int m = static_cast<int>(p.supplies.size());
  const int n = static_cast<int>(p.demands.size());
  const double supply = std::accumulate(p.supplies.begin(), p.supplies.end(), 0.0);
  const double demand = std::accumulate(p.demands.begin(), p.demands.end(), 0.0);
  glp_prob *lp = glp_create_prob();
  glp_add_rows(lp, m + n + 1);
  glp_add_cols(lp, m * n);
  for (int i = 1; i <= m; ++i) {
    const double s = p.supplies[static_cast<std::size_t>(i - 1)];
    glp_set_row_bnds(lp, i, supply > demand ? GLP_UP : GLP_FX, s, s);
  }
  for (int j = 1; j <= n; ++j) {
    const double d = p.demands[static_cast<std::size_t>(j - 1)];
    glp_set_row_bnds(lp, m + j, demand > supply ? GLP_UP : GLP_FX, d, d);
  }
  glp_set_row_bnds(lp, m + n + 1, GLP_FR, 0, 0); // the "-infinity" routes' total, bounded later
  std::vector<int> ia{0}, ja{0};
  std::vector<double> ar{0};
  auto cost = [&](int i, int j) {
    return p.costs[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
  };
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j) {
      const int col = (i - 1) * n + j;
      const double c = cost(i, j);
      glp_set_col_bnds(lp, col, std::isinf(c) && c > 0 ? GLP_FX : GLP_LO, 0, 0);
      glp_set_obj_coef(lp, col, std::isinf(c) ? (c < 0 ? 1 : 0) : 0);
      for (int row : {i, m + j}) {
        ia.push_back(row);
        ja.push_back(col);
        ar.push_back(1);
      }
      if (std::isinf(c) && c < 0) {
        ia.push_back(m + n + 1);
        ja.push_back(col);
        ar.push_back(1);
      }
    }
  glp_load_matrix(lp, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  Reference r;
  glp_set_obj_dir(lp, GLP_MAX);
  glp_simplex(lp, &parm);
  int status = glp_get_status(lp);
  EXPECT_TRUE(status == GLP_OPT || status == GLP_NOFEAS);
  if (status == GLP_OPT) {
    r.feasible = true;
    r.minusShipped = glp_get_obj_val(lp);
    glp_set_row_bnds(lp, m + n + 1, GLP_LO, r.minusShipped, 0);
    for (int i = 1; i <= m; ++i)
      for (int j = 1; j <= n; ++j)
        glp_set_obj_coef(lp, (i - 1) * n + j, std::isinf(cost(i, j)) ? 0 : cost(i, j));
    glp_set_obj_dir(lp, GLP_MIN);
    glp_simplex(lp, &parm);
    status = glp_get_status(lp);
    EXPECT_EQ(status, GLP_OPT);
    r.finiteCost = glp_get_obj_val(lp);
  }
  glp_delete_prob(lp);
  return r;
}

// The least cost of a problem without "-infinity" routes; NaN when no solution exists.
double ReferenceCost(const test::TransProblem &p) {
  const Reference r = ReferenceSolution(p);
  return r.feasible ? r.finiteCost : NAN;
}

// What the solver's shipments (XSol) put on the "-infinity" routes and cost on the others.
void ShippedCosts(double &minusShipped, double &finiteCost) {
  minusShipped = 0;
  finiteCost = 0;
  for (int k = 1; k <= g.NVars; ++k) {
    if (TransIsInfinityCost(g.Cost(k)) && g.Cost(k) < 0)
      minusShipped += g.XSol(k);
    else if (!TransIsInfinityCost(g.Cost(k)))
      finiteCost += g.Cost(k) * g.XSol(k);
  }
}

// The verdict, what goes on the "-infinity" routes and the cost of the others; with nothing
// on a "-infinity" route the total cost is the finite one.
void ExpectReference(const Reference &ref, TransOutcome outcome) {
  if (!ref.feasible) {
    EXPECT_EQ(outcome, TransOutcome::NoFeasibleSolution);
    return;
  }
  ASSERT_EQ(outcome, TransOutcome::Optimal);
  const bool minus = ref.minusShipped > 1E-9;
  const double z = ref.finiteCost;
  EXPECT_EQ(TransSolutionInfinity(), minus ? -1 : 0);
  double shipped = 0, finite = 0;
  ShippedCosts(shipped, finite);
  EXPECT_NEAR(shipped, ref.minusShipped, 1E-7 * (1 + ref.minusShipped));
  EXPECT_NEAR(finite, z, 1E-7 * (1 + std::fabs(z)));
  if (!minus) {
    EXPECT_NEAR(g.ZValue, z, 1E-7 * (1 + std::fabs(z)));
  }
}

// Both roads from every start: the tableaus' one priced basis at a time, and the run at once,
// whose result `solved` then looks at further.
void ExpectBothRoadsAgree(const test::TransProblem &p, const Reference &ref, const std::string &what = "",
                          const std::function<void()> &solved = {}) {
  for (int method = 1; method <= 3; ++method) {
    SCOPED_TRACE(what + "method " + std::to_string(method));
    ASSERT_TRUE(test::LoadTrans(p));
    g.TransStartMethod = static_cast<int16>(method);
    ASSERT_TRUE(TransStartSolution());
    TransOutcome stepped;
    while ((stepped = TransPriceBasis()) == TransOutcome::Stepped)
      ASSERT_TRUE(TransRatioTest() && TransPivot());
    ExpectReference(ref, stepped);
    ASSERT_TRUE(test::LoadTrans(p));
    g.TransStartMethod = static_cast<int16>(method);
    ExpectReference(ref, SolveTransportation());
    if (solved) solved();
    if (::testing::Test::HasFailure()) return;
  }
}

test::TransProblem RandomProblem(std::mt19937 &rng, int seed) {
  // 0 integer, 1 fractional costs, 2 large amounts, 3 quarter amounts; beyond seed 600:
  // 4 negative costs with "infinity" routes, 5 amounts about 2^24 apart by a few units; beyond
  // seed 800: 6 whole and 7 fractional costs with "-infinity" and "infinity" routes, 8 as below.
  const int kind = seed < 600 ? seed % 4 : seed < 800 ? 4 + seed % 2 : 6 + seed % 3;
  // Some large amounts on up to 30 sources and destinations: totals beyond 2^24, where
  // summing in single precision would no longer be exact.
  std::uniform_int_distribution<int> size(kind == 8 ? 6 : 1, seed % 20 == 2 ? 30 : kind == 8 ? 14 : 10);
  const int m = size(rng), n = size(rng);
  std::uniform_int_distribution<int> cost(0, 25), amount(0, 40), zero(0, 4);
  std::uniform_real_distribution<double> frac(0.0, 3.0);
  test::TransProblem p;
  p.costs.assign(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(n)));
  for (auto &row : p.costs)
    for (auto &c : row)
      c = kind == 1 || kind == 7 ? std::round(frac(rng) * 1000) / 1000 : cost(rng);
  // 8: costs near plus and minus 9.9, whose stand-in 99 a long loop of them outweighs.
  if (kind == 8)
    for (auto &row : p.costs)
      for (auto &c : row)
        c = (zero(rng) < 2 ? -1 : 1) * (9 + std::round(frac(rng) * 300) / 1000);
  if (kind >= 6)
    for (auto &row : p.costs)
      for (auto &c : row)
        if (const int pick = zero(rng); pick <= 1) c = pick == 0 ? -INFINITY : INFINITY;
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
  int infeasible = 0, unboundedBelow = 0;
  for (int seed = 0; seed < 1200; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed) * 7919u + 11u);
    const test::TransProblem p = RandomProblem(rng, seed);
    const Reference ref = ReferenceSolution(p);
    const bool minus = ref.feasible && ref.minusShipped > 1E-9;
    ExpectBothRoadsAgree(p, ref, "seed " + std::to_string(seed) + " ", [&] {
      if (!ref.feasible) {
        ++infeasible;
        return;
      }
      unboundedBelow += minus;
      test::ExpectConsistentBasis();
      // Optimal: no cell prices out beyond the entering tolerance; where costs stand for the
      // words, none by its count of "infinity", then of "-infinity", then its finite rest.
      const bool words = TransHasWords();
      for (int k = 1; k <= g.NVars; ++k) {
        if (!words) {
          EXPECT_LE(g.RedCost(k), 1E-8) << "cell " << k;
          continue;
        }
        const double lead = g.RedCostWords(k, 0) != 0 ? g.RedCostWords(k, 0) : g.RedCostWords(k, 1);
        if (lead != 0)
          EXPECT_LT(lead, 0) << "cell " << k;
        else
          EXPECT_LE(g.RedCostWords(k, 2), 1E-8) << "cell " << k;
      }
    });
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(infeasible, 10);
  EXPECT_GT(unboundedBelow, 100);
}

// A "-infinity" route against a long loop of finite costs that together outweigh the stand-in
// read for it (99 for costs below 10): on an n x n of unit amounts, route (1,1) with the
// diagonal at 9.9 beats the cycle (1,2), (2,3), ..., (n,1) at -9.9 only while the route counts
// for more than any finite saving; every other route costs "infinity". Written out, and with
// the roles of "infinity" and "-infinity" mixed into the forbidden cells.
TEST(TransReference, MinusInfinityRouteOutweighsAnyLoop) {
  for (int n = 2; n <= 12; ++n)
    for (int variant = 0; variant < 2; ++variant) {
      SCOPED_TRACE(std::string("n ") + std::to_string(n) + " variant " + std::to_string(variant));
      test::TransProblem p;
      p.costs.assign(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n), INFINITY));
      for (int i = 0; i < n; ++i) {
        p.costs[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 9.9;
        p.costs[static_cast<std::size_t>(i)][static_cast<std::size_t>((i + 1) % n)] = n == 2 && i == 1 ? 9.9 : -9.9;
      }
      p.costs[0][0] = -INFINITY;
      // A second "-infinity" route on the cycle: now each solution ships on one.
      if (variant == 1) p.costs[static_cast<std::size_t>(n - 1)][0] = -INFINITY;
      p.supplies.assign(static_cast<std::size_t>(n), 1);
      p.demands.assign(static_cast<std::size_t>(n), 1);
      const Reference ref = ReferenceSolution(p);
      ASSERT_TRUE(ref.feasible);
      ASSERT_NEAR(ref.minusShipped, 1, 1E-9);
      ExpectBothRoadsAgree(p, ref);
      if (::testing::Test::HasFailure()) return;
    }
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
