// The automated branch and bound against an independent branch-and-cut solver on seeded random
// integer programs: the same verdict and optimum, an incumbent that is whole and feasible in
// the problem's own terms, and incumbents that strictly improve.
#include <glpk.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "../../bench/support/ip_programs.h"
#include "integer/ip_fixture.h"
#include "shell/mod1.h"

using namespace quon;
using namespace quon::testing;

namespace {

struct IP {
  LP lp;
  std::vector<double> lower, upper; // the bounds as numbers
  std::vector<bool> integer;
};

struct Reference {
  bool feasible = false;
  double z = 0;
};

Reference SolveWithReference(const IP &p, double integrality = 1E-5) {
  const int n = static_cast<int>(p.lp.c.size());
  const int m = static_cast<int>(p.lp.a.size());
  glp_prob *lp = glp_create_prob();
  glp_set_obj_dir(lp, p.lp.sense == "Minimize" ? GLP_MIN : GLP_MAX);
  glp_add_rows(lp, m);
  glp_add_cols(lp, n);
  for (int i = 1; i <= m; ++i) {
    const std::string &rel = p.lp.rel[i - 1];
    const int kind = rel == "<=" ? GLP_UP : rel == ">=" ? GLP_LO : GLP_FX;
    glp_set_row_bnds(lp, i, kind, p.lp.b[i - 1], p.lp.b[i - 1]);
  }
  Reference ref;
  for (int j = 1; j <= n; ++j) {
    double lo = p.lower[j - 1], hi = p.upper[j - 1];
    const bool hasUpper = hi < 999999;
    // The reference wants whole bounds on whole variables; rounding inward changes nothing.
    if (p.integer[j - 1]) {
      glp_set_col_kind(lp, j, GLP_IV);
      lo = std::ceil(lo);
      hi = std::floor(hi);
    }
    if (hasUpper && lo > hi) {
      glp_delete_prob(lp);
      return ref;
    }
    glp_set_obj_coef(lp, j, p.lp.c[j - 1]);
    glp_set_col_bnds(lp, j, hasUpper ? (lo == hi ? GLP_FX : GLP_DB) : GLP_LO, lo, hi);
  }
  std::vector<int> ia(1), ja(1);
  std::vector<double> ar(1);
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j)
      if (p.lp.a[i - 1][j - 1] != 0) {
        ia.push_back(i);
        ja.push_back(j);
        ar.push_back(p.lp.a[i - 1][j - 1]);
      }
  glp_load_matrix(lp, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
  // The relaxation first: branch and cut starts from its optimal basis.
  glp_smcp lpParm;
  glp_init_smcp(&lpParm);
  lpParm.msg_lev = GLP_MSG_OFF;
  if (glp_simplex(lp, &lpParm) == 0 && glp_get_status(lp) == GLP_OPT) {
    glp_iocp parm;
    glp_init_iocp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.tol_int = integrality;
    if (glp_intopt(lp, &parm) == 0 && glp_mip_status(lp) == GLP_OPT) {
      ref.feasible = true;
      ref.z = glp_mip_obj_val(lp);
    }
  }
  glp_delete_prob(lp);
  return ref;
}

// Up to 6 variables and 5 constraints with small whole coefficients, so that ties and whole
// vertices are common; a first row with positive coefficients keeps every program bounded.
// Bounds: typed fractional lower bounds (their branches can cross), finite upper bounds, and
// negative lower bounds on unrestricted variables; some variables are continuous.
IP RandomIP(std::mt19937 &rng) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  IP p;
  const int n = pick(2, 6);
  const int m = pick(1, 5);
  p.lp.sense = pick(0, 1) ? "Maximize" : "Minimize";
  for (int j = 0; j < n; ++j)
    p.lp.c.push_back(pick(-4, 9));
  std::vector<double> budget;
  for (int j = 0; j < n; ++j)
    budget.push_back(pick(1, 7));
  p.lp.a.push_back(budget);
  p.lp.rel.push_back("<=");
  p.lp.b.push_back(pick(8, 40) + 0.5 * pick(0, 1));
  for (int i = 1; i < m; ++i) {
    std::vector<double> row;
    for (int j = 0; j < n; ++j)
      row.push_back(pick(0, 3) == 0 ? 0 : pick(-3, 8));
    row[static_cast<std::size_t>(pick(0, n - 1))] = pick(1, 6);
    p.lp.a.push_back(row);
    const int r = pick(0, 5);
    p.lp.rel.push_back(r < 3 ? "<=" : r < 5 ? ">=" : "=");
    p.lp.b.push_back(pick(-6, 25));
  }
  for (int j = 0; j < n; ++j) {
    double lo = 0, hi = 999999;
    std::string free = "n";
    switch (pick(0, 6)) {

    case 1:
      lo = 0.5 * pick(1, 4);
      break;
    case 2:
      hi = pick(1, 9) + 0.5 * pick(0, 1);
      break;
    case 3:
      free = "y";
      lo = -pick(1, 6) - 0.5 * pick(0, 1);
      break;
    case 4:
      free = "y";
      lo = -pick(1, 5);
      hi = pick(0, 6);
      break;
    default:
      break;
    }
    p.lower.push_back(lo);
    p.upper.push_back(hi);
    p.integer.push_back(pick(0, 4) != 0);
    p.lp.lower.push_back(Cell(lo));
    p.lp.upper.push_back(hi < 999999 ? Cell(hi) : "infinity");
    p.lp.unrestricted.push_back(free);
    p.lp.integer.push_back(p.integer.back() ? "y" : "n");
  }
  return p;
}

void CheckSolution(const IP &p, const std::vector<double> &x, double z) {
  const int n = static_cast<int>(x.size());
  double objective = 0;
  for (int j = 0; j < n; ++j) {
    objective += p.lp.c[j] * x[j];
    EXPECT_GE(x[j], p.lower[j] - 1e-7) << "x" << j + 1;
    EXPECT_LE(x[j], p.upper[j] + 1e-7) << "x" << j + 1;
    if (p.integer[j]) {
      EXPECT_NEAR(x[j], std::round(x[j]), 1e-6) << "x" << j + 1;
    }
  }
  EXPECT_NEAR(objective, z, 1e-6);
  for (std::size_t i = 0; i < p.lp.a.size(); ++i) {
    double lhs = 0;
    for (int j = 0; j < n; ++j)
      lhs += p.lp.a[i][j] * x[j];
    const std::string &rel = p.lp.rel[i];
    if (rel != ">=") {
      EXPECT_LE(lhs, p.lp.b[i] + 1e-6) << "row " << i + 1;
    }
    if (rel != "<=") {
      EXPECT_GE(lhs, p.lp.b[i] - 1e-6) << "row " << i + 1;
    }
  }
}

TEST(IntegerReference, RandomProgramsAgreeOnTheOptimum) {
  int feasible = 0, infeasible = 0, branched = 0;
  for (unsigned seed = 1; seed <= 600; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const IP p = RandomIP(rng);
    const Reference ref = SolveWithReference(p);

    BuildIP(p.lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    const SearchRecord rec = Search();
    ASSERT_EQ(rec.end, SearchEnd::Completed);
    if (rec.nodes.size() > 1) ++branched;

    ASSERT_EQ(g.BestIter != 0, ref.feasible);
    for (std::size_t k = 1; k < rec.incumbentZ.size(); ++k) {
      if (p.lp.sense == "Maximize")
        EXPECT_GT(rec.incumbentZ[k], rec.incumbentZ[k - 1]);
      else
        EXPECT_LT(rec.incumbentZ[k], rec.incumbentZ[k - 1]);
    }
    if (!ref.feasible) {
      ++infeasible;
      continue;
    }
    ++feasible;
    EXPECT_NEAR(g.BestObj, ref.z, 1e-6 * std::max(1.0, std::fabs(ref.z)));
    CheckSolution(p, rec.incumbentX.back(), g.BestObj);
  }
  // The generator must exercise both verdicts and real searches.
  EXPECT_GT(feasible, 300);
  EXPECT_GT(infeasible, 100);
  EXPECT_GT(branched, 250);
}

// The same programs moved to where single precision no longer tells whole from fractional:
// every variable shifted by 100000 (bounds and right-hand sides with it, so the program is the
// same up to the shift) and right-hand sides off by thousandths, so that vertices lie about
// 1e5 with fractional parts of 1e-3 and objectives run past 999999.
TEST(IntegerReference, ValuesNearOneHundredThousandAgree) {
  int feasible = 0, beyond = 0;
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed + 5000);
    IP p = RandomIP(rng);
    const double shift = 100000;
    for (std::size_t i = 0; i < p.lp.a.size(); ++i) {
      for (double a : p.lp.a[i])
        p.lp.b[i] += a * shift;
      p.lp.b[i] += 0.001 * std::uniform_int_distribution<int>(0, 3)(rng);
    }
    for (std::size_t j = 0; j < p.lp.c.size(); ++j) {
      p.lower[j] += shift;
      p.lp.lower[j] = Cell(p.lower[j]);
      if (p.upper[j] < 999999) {
        p.upper[j] += shift;
        p.lp.upper[j] = Cell(p.upper[j]);
      }
      p.lp.unrestricted[j] = "n";
    }
    const Reference ref = SolveWithReference(p, 1E-10);
    BuildIP(p.lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    const SearchRecord rec = Search();
    ASSERT_EQ(rec.end, SearchEnd::Completed);
    ASSERT_EQ(g.BestIter != 0, ref.feasible);
    if (!ref.feasible) continue;
    ++feasible;
    if (std::fabs(ref.z) > 999999) ++beyond;
    EXPECT_NEAR(g.BestObj, ref.z, 1e-9 * std::fabs(ref.z));
    CheckSolution(p, rec.incumbentX.back(), g.BestObj);
  }
  EXPECT_GT(feasible, 60);
  EXPECT_GT(beyond, 30);
}

// Whole, well-scaled knapsack programs of 100 variables whose searches once ended in a failed
// subproblem solve (at subproblems 9,234 and 7,377): each search runs on to its limit.
TEST(IntegerReference, LongKnapsackSearchesNeverFailASubproblem) {
  const int32 limit = BBSubproblemLimit;
  BBSubproblemLimit = 10000;
  for (const unsigned seed : {1u, 3u}) {
    FreshProgram(5);
    BuildLPStandardForm(bench::KnapsackGrid(100, 10, seed));
    g.OutputOption = 1;
    ResetIncumbent();
    EXPECT_EQ(RunAutomatedSearch(), SearchEnd::LimitExceeded)
        << "seed " << seed << ", subproblem " << g.FinalIteration;
  }
  BBSubproblemLimit = limit;
}

} // namespace
