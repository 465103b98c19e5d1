// The automated branch and bound against an independent branch-and-cut solver on seeded random
// integer programs: the same verdict and optimum, an incumbent that is whole and feasible in
// the problem's own terms, and incumbents that strictly improve.
#include <glpk.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "../../bench/support/ip_programs.h"
#include "exact_decimal.h"
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

// The program in the reference solver, or nullptr when the bounds of a whole variable leave
// no whole value.
glp_prob *ReferenceProgram(const IP &p) {
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
      return nullptr;
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
  return lp;
}

// The relaxation's status (GLP_OPT, GLP_UNBND, GLP_NOFEAS...); then branch and cut from its
// optimal basis, within `limitMs`, giving the integer status.
int SolveRelaxation(glp_prob *lp) {
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  return glp_simplex(lp, &parm) == 0 ? glp_get_status(lp) : GLP_UNDEF;
}
int SolveInteger(glp_prob *lp, double integrality, int limitMs = INT_MAX) {
  glp_iocp parm;
  glp_init_iocp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  parm.tol_int = integrality;
  parm.tm_lim = limitMs;
  return glp_intopt(lp, &parm) == 0 ? glp_mip_status(lp) : GLP_UNDEF;
}

// Whether the program with a bounded objective has an integer point: GLP_NOFEAS none, GLP_OPT
// or GLP_FEAS one, GLP_UNDEF not decided within half a second.
int IntegerPointExists(glp_prob *lp) {
  const int relaxation = SolveRelaxation(lp);
  if (relaxation == GLP_NOFEAS) return GLP_NOFEAS;
  return relaxation == GLP_OPT ? SolveInteger(lp, 1E-7, 500) : GLP_UNDEF;
}

Reference SolveWithReference(const IP &p, double integrality = 1E-5) {
  Reference ref;
  glp_prob *lp = ReferenceProgram(p);
  if (!lp) return ref;
  if (SolveRelaxation(lp) == GLP_OPT && SolveInteger(lp, integrality) == GLP_OPT) {
    ref.feasible = true;
    ref.z = glp_mip_obj_val(lp);
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

// The same programs with each unrestricted variable's lower bound typed as "-infinity" and kept
// as a constraint row instead: the feasible set is the same, so is the optimum, but the search
// now branches on variables with no bound below.
TEST(IntegerReference, VariablesWithoutLowerBoundAgreeOnTheOptimum) {
  int unbounded = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const IP p = RandomIP(rng);
    IP q = p;
    for (std::size_t j = 0; j < p.lower.size(); ++j) {
      if (p.lp.unrestricted[j] != "y") continue;
      ++unbounded;
      q.lp.lower[j] = "-infinity";
      std::vector<double> row(p.lower.size(), 0.0);
      row[j] = 1;
      q.lp.a.push_back(row);
      q.lp.rel.push_back(">=");
      q.lp.b.push_back(p.lower[j]);
    }
    const Reference ref = SolveWithReference(p);
    BuildIP(q.lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    const SearchRecord rec = Search();
    ASSERT_EQ(rec.end, SearchEnd::Completed);
    ASSERT_EQ(g.BestIter != 0, ref.feasible);
    if (!ref.feasible) continue;
    EXPECT_NEAR(g.BestObj, ref.z, 1e-6 * std::max(1.0, std::fabs(ref.z)));
    CheckSolution(p, rec.incumbentX.back(), g.BestObj);
  }
  EXPECT_GT(unbounded, 100);
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

// Programs with no row that bounds them, and in one of two an "=" row that no whole point can
// meet (even coefficients on the whole variables, an odd right-hand side): relaxations that are
// unbounded over integer points and over none.
IP OpenIP(std::mt19937 &rng) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  IP p;
  const int n = pick(2, 5);
  const int m = pick(1, 4);
  p.lp.sense = pick(0, 1) ? "Maximize" : "Minimize";
  for (int j = 0; j < n; ++j) {
    p.lp.c.push_back(pick(-5, 5));
    p.integer.push_back(pick(0, 3) != 0);
    p.lower.push_back(0);
    p.upper.push_back(pick(0, 2) == 0 ? pick(1, 4) : 999999);
    p.lp.lower.push_back("0");
    p.lp.upper.push_back(p.upper.back() < 999999 ? Cell(p.upper.back()) : "infinity");
    p.lp.unrestricted.push_back("n");
    p.lp.integer.push_back(p.integer.back() ? "y" : "n");
  }
  const bool parity = pick(0, 1) == 1;
  for (int i = 0; i < m; ++i) {
    std::vector<double> row;
    for (int j = 0; j < n; ++j)
      row.push_back(pick(0, 2) == 0 ? 0 : pick(-5, 5));
    row[static_cast<std::size_t>(pick(0, n - 1))] = pick(0, 1) ? pick(1, 5) : -pick(1, 5);
    if (parity && i == 0) {
      for (int j = 0; j < n; ++j)
        row[static_cast<std::size_t>(j)] = p.integer[static_cast<std::size_t>(j)] ? 2 * pick(-2, 2) : 0;
      row[0] = p.integer[0] ? 2 : 1;
      p.lp.rel.push_back("=");
      p.lp.b.push_back(2 * pick(-3, 6) + 1);
    } else {
      const int r = pick(0, 4);
      p.lp.rel.push_back(r < 2 ? "<=" : r < 4 ? ">=" : "=");
      p.lp.b.push_back(pick(-8, 16) + 0.5 * pick(0, 1));
    }
    p.lp.a.push_back(row);
  }
  // Mostly a whole variable that the rows let grow without end, to the objective's gain.
  if (pick(0, 2) != 0) {
    const std::size_t k = static_cast<std::size_t>(pick(0, n - 1));
    p.lp.c[k] = (p.lp.sense == "Maximize" ? 1 : -1) * pick(1, 5);
    p.integer[k] = true;
    p.lp.integer[k] = "y";
    p.upper[k] = 999999;
    p.lp.upper[k] = "infinity";
    for (std::size_t i = 0; i < p.lp.a.size(); ++i) {
      double &a = p.lp.a[i][k];
      const std::string &rel = p.lp.rel[i];
      if (rel == "=") {
        a = 0;
      } else if ((rel == "<=") == (a > 0)) {
        a = -a;
      }
      if (std::all_of(p.lp.a[i].begin(), p.lp.a[i].end(), [](double v) { return v == 0; })) {
        p.lp.rel[i] = ">=";
        a = 1;
      }
    }
  }
  return p;
}

// The search stops at an unbounded relaxation exactly when the reference finds one, and then
// says only that an integer solution, if any, makes the program unbounded: each program so
// ended has no integer point in a box, or has one together with points of an objective beyond
// 10^4.
TEST(IntegerReference, UnboundedRelaxationsClaimOnlyWhatHolds) {
  int unboundedWithPoints = 0, unboundedNoneInBox = 0, undecided = 0, others = 0;
  const int32 limit = BBSubproblemLimit;
  BBSubproblemLimit = 2000;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed + 9000);
    IP p = OpenIP(rng);
    glp_prob *lp = ReferenceProgram(p);
    ASSERT_NE(lp, nullptr);
    const int relaxation = SolveRelaxation(lp);
    BuildIP(p.lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    const SearchRecord rec = Search();
    if (rec.end == SearchEnd::LimitExceeded) {
      // Unbounded whole directions with a bounded relaxation can branch without end.
      ASSERT_EQ(relaxation, GLP_OPT);
      glp_delete_prob(lp);
      ++undecided;
      continue;
    }
    ASSERT_EQ(rec.end == SearchEnd::Unbounded, relaxation == GLP_UNBND);
    if (rec.end != SearchEnd::Unbounded) {
      ++others;
      ASSERT_EQ(rec.end, SearchEnd::Completed);
      const bool feasible = relaxation == GLP_OPT && SolveInteger(lp, 1E-5) == GLP_OPT;
      ASSERT_EQ(g.BestIter != 0, feasible);
      if (feasible) {
        EXPECT_NEAR(g.BestObj, glp_mip_obj_val(lp), 1e-6 * std::max(1.0, std::fabs(g.BestObj)));
      }
      glp_delete_prob(lp);
      continue;
    }
    EXPECT_EQ(rec.nodes.size(), 1u);
    EXPECT_TRUE(rec.incumbentAt.empty());
    // An integer point in the box 0..50? Then one at least 10^4 better than zero must exist
    // too. (Outside the box nothing is claimed, and the box keeps the reference's search finite.)
    const int n = static_cast<int>(p.lp.c.size());
    for (int j = 1; j <= n; ++j) {
      glp_set_obj_coef(lp, j, 0);
      glp_set_col_bnds(lp, j, GLP_DB, 0, std::min(50.0, p.upper[static_cast<std::size_t>(j - 1)]));
    }
    const int any = IntegerPointExists(lp);
    for (int j = 1; j <= n; ++j) {
      const double hi = p.upper[static_cast<std::size_t>(j - 1)];
      glp_set_col_bnds(lp, j, hi < 999999 ? GLP_DB : GLP_LO, 0, hi);
    }
    if (any == GLP_NOFEAS) {
      ++unboundedNoneInBox;
    } else if (any == GLP_OPT || any == GLP_FEAS) {
      // The objective as a row, 10^4 or more to the good (GLPK takes zero entries).
      const int row = glp_add_rows(lp, 1);
      std::vector<int> ind(1);
      for (int j = 1; j <= n; ++j)
        ind.push_back(j);
      std::vector<double> val(1, 0.0);
      val.insert(val.end(), p.lp.c.begin(), p.lp.c.end());
      const bool min = p.lp.sense == "Minimize";
      glp_set_row_bnds(lp, row, min ? GLP_UP : GLP_LO, 1E4, -1E4);
      glp_set_mat_row(lp, row, n, ind.data(), val.data());
      const int far = IntegerPointExists(lp);
      if (far == GLP_UNDEF) {
        ++undecided;
      } else {
        EXPECT_NE(far, GLP_NOFEAS);
        ++unboundedWithPoints;
      }
    } else {
      ++undecided;
    }
    glp_delete_prob(lp);
  }
  BBSubproblemLimit = limit;
  EXPECT_GT(unboundedWithPoints, 100);
  EXPECT_GT(unboundedNoneInBox, 45);
  EXPECT_GT(others, 150);
  EXPECT_LT(undecided, 15);
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

// The optimum over every whole point of the box of the bounds (rounded inward), exact on the
// decimals typed: each row and the objective are taken times the power of ten that makes them
// whole and summed in 128-bit integers. Infeasible where no point meets every row.
Reference EnumeratedOptimum(const IP &p) {
  const std::size_t n = p.lp.c.size();
  struct Whole {
    std::vector<long long> a;
    long long b = 0;
    int places = 0;
  };
  auto whole = [n](const std::vector<double> &a, double b) {
    Whole w;
    w.places = DecimalPlaces(b);
    for (double v : a)
      w.places = std::max(w.places, DecimalPlaces(v));
    for (std::size_t j = 0; j < n; ++j)
      w.a.push_back(static_cast<long long>(WholeTimesPowerOfTen(a[j], w.places).value()));
    w.b = static_cast<long long>(WholeTimesPowerOfTen(b, w.places).value());
    return w;
  };
  const Whole cost = whole(p.lp.c, 0);
  std::vector<Whole> rows;
  for (std::size_t i = 0; i < p.lp.a.size(); ++i)
    rows.push_back(whole(p.lp.a[i], p.lp.b[i]));
  std::vector<long long> lo(n), hi(n), x(n);
  for (std::size_t j = 0; j < n; ++j) {
    lo[j] = static_cast<long long>(std::ceil(p.lower[j]));
    hi[j] = static_cast<long long>(std::floor(p.upper[j]));
    if (lo[j] > hi[j]) return {};
  }
  x = lo;
  const bool maximize = p.lp.sense == "Maximize";
  Reference ref;
  __int128 best = 0;
  for (;;) {
    bool holds = true;
    for (const Whole &row : rows) {
      __int128 lhs = 0;
      for (std::size_t j = 0; j < n; ++j)
        lhs += static_cast<__int128>(row.a[j]) * x[j];
      const std::string &rel = p.lp.rel[static_cast<std::size_t>(&row - rows.data())];
      holds = rel == "<=" ? lhs <= row.b : rel == ">=" ? lhs >= row.b : lhs == row.b;
      if (!holds) break;
    }
    if (holds) {
      __int128 z = 0;
      for (std::size_t j = 0; j < n; ++j)
        z += static_cast<__int128>(cost.a[j]) * x[j];
      if (!ref.feasible || (maximize ? z > best : z < best)) best = z;
      ref.feasible = true;
    }
    std::size_t j = 0;
    while (j < n && x[j] == hi[j])
      x[j] = lo[j], ++j;
    if (j == n) break;
    ++x[j];
  }
  ref.z = static_cast<double>(best) / PowerOfTen(cost.places);
  return ref;
}

// 0-1 programs whose coefficients run from 1 to a million (log-uniform, either sign), with
// "<=", ">=" and "=" rows and "=" rows written as a pair of "<=" and ">=": the search ends at the
// optimum that trying every 0-1 point finds (exact: whole numbers below 2^53), or says it could
// not finish, never a wrong verdict. GLPK's search in double precision calls a few of these
// programs infeasible, so the points are tried instead.
TEST(IntegerReference, ZeroOneProgramsWithLargeCoefficientsReachTheReferenceVerdict) {
  int feasible = 0, infeasible = 0, unfinished = 0;
  for (unsigned seed = 1; seed <= 1000; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto large = [&rng] { return std::round(std::pow(10.0, std::uniform_real_distribution<double>(0, 6)(rng))); };
    IP p;
    const int n = pick(3, 12), m = pick(2, 10);
    p.lp.sense = pick(0, 1) ? "Maximize" : "Minimize";
    std::vector<double> point;
    for (int j = 0; j < n; ++j) {
      p.lp.c.push_back((pick(0, 1) ? 1 : -1) * large());
      point.push_back(pick(0, 1));
    }
    while (static_cast<int>(p.lp.a.size()) < m) {
      std::vector<double> row(static_cast<std::size_t>(n), 0.0);
      for (double &a : row)
        a = pick(0, 2) == 0 ? 0 : (pick(0, 3) == 0 ? -1 : 1) * large();
      row[static_cast<std::size_t>(pick(0, n - 1))] = large();
      double lhs = 0;
      for (int j = 0; j < n; ++j)
        lhs += row[static_cast<std::size_t>(j)] * point[static_cast<std::size_t>(j)];
      const int r = pick(0, 5);
      // Most rows hold at a 0-1 point, so most programs have one; a few are anything.
      double b = r < 2 ? lhs + (pick(0, 1) ? 0 : large()) : r < 4 ? lhs - (pick(0, 1) ? 0 : large()) : lhs;
      if (pick(0, 9) == 0) b = (pick(0, 1) ? 1 : -1) * large();
      if (r == 5 && static_cast<int>(p.lp.a.size()) + 1 < m) {
        for (const char *rel : {"<=", ">="}) {
          p.lp.a.push_back(row);
          p.lp.rel.push_back(rel);
          p.lp.b.push_back(b);
        }
        continue;
      }
      p.lp.a.push_back(row);
      p.lp.rel.push_back(r < 2 ? "<=" : r < 4 ? ">=" : "=");
      p.lp.b.push_back(b);
    }
    for (int j = 0; j < n; ++j) {
      p.lower.push_back(0);
      p.upper.push_back(1);
      p.integer.push_back(true);
      p.lp.lower.push_back("0");
      p.lp.upper.push_back("1");
      p.lp.unrestricted.push_back("n");
      p.lp.integer.push_back("y");
    }
    const Reference ref = EnumeratedOptimum(p);
    BuildIP(p.lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    const SearchRecord rec = Search();
    if (rec.end != SearchEnd::Completed) {
      ++unfinished;
      continue;
    }
    ASSERT_EQ(g.BestIter != 0, ref.feasible);
    if (!ref.feasible) {
      ++infeasible;
      continue;
    }
    ++feasible;
    EXPECT_NEAR(g.BestObj, ref.z, 1e-9 * std::max(1.0, std::fabs(ref.z)));
    CheckSolution(p, rec.incumbentX.back(), g.BestObj);
  }
  EXPECT_GT(feasible, 500);
  EXPECT_GT(infeasible, 100);
  EXPECT_LE(unfinished, 10);
}

// 0-1 programs and general integer programs (boxes of a few thousand whole points, some bounds
// typed with a fraction) whose coefficients, costs and right-hand sides are decimals: 0.1, 0.9,
// 2.9, prices with cents, up to a million, 999 to 1001 and 0.00099 beside 1. Most rows hold at a
// whole point as typed, "=" rows among them and written as a pair of "<=" and ">=". The search
// ends at the optimum on the typed decimals that trying every whole point finds, to a part in
// 1e9; it never prunes that optimum and never calls a program with a whole point infeasible.
TEST(IntegerReference, ProgramsWithDecimalCoefficientsReachTheOptimumOfTheTypedDecimals) {
  int feasible = 0, infeasible = 0, unfinished = 0, general = 0;
  std::string givenUp;
  for (unsigned seed = 1; seed <= 600; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed + 67000);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int kind = pick(0, kDecimalKinds - 1);
    auto value = [&] { return DecimalOfKind(rng, pick(0, 3) == 0 ? 0 : kind); };
    const bool zeroOne = seed % 2 == 1;
    IP p;
    const int n = zeroOne ? pick(3, 12) : pick(2, 5), m = pick(2, 10);
    p.lp.sense = pick(0, 1) ? "Maximize" : "Minimize";
    std::vector<long long> point;
    long long box = 1;
    for (int j = 0; j < n; ++j) {
      p.lp.c.push_back((pick(0, 1) ? 1 : -1) * value().Value());
      int top = zeroOne ? 1 : pick(1, 6);
      while (box * (top + 1) > 4096)
        --top;
      box *= top + 1;
      point.push_back(pick(0, top));
      p.lower.push_back(0);
      p.upper.push_back(top + (!zeroOne && pick(0, 3) == 0 ? 0.5 : 0));
      p.integer.push_back(true);
      p.lp.lower.push_back("0");
      p.lp.upper.push_back(Cell(p.upper.back()));
      p.lp.unrestricted.push_back("n");
      p.lp.integer.push_back("y");
    }
    general += zeroOne ? 0 : 1;
    auto typed = [](long long units) { return Typed{units, kTypedPlaces}.Value(); };
    while (static_cast<int>(p.lp.a.size()) < m) {
      std::vector<double> row(static_cast<std::size_t>(n), 0.0);
      long long lhs = 0;
      const int sure = pick(0, n - 1);
      for (int j = 0; j < n; ++j) {
        if (pick(0, 2) == 0 && j != sure) continue;
        const Typed t = value();
        const int sign = pick(0, 3) == 0 && j != sure ? -1 : 1;
        row[static_cast<std::size_t>(j)] = sign * t.Value();
        lhs += sign * t.UnitsAt(kTypedPlaces) * point[static_cast<std::size_t>(j)];
      }
      const int r = pick(0, 5);
      const long long room = pick(0, 1) ? 0 : value().UnitsAt(kTypedPlaces);
      long long b = r < 2 ? lhs + room : r < 4 ? lhs - room : lhs;
      if (pick(0, 9) == 0) b = (pick(0, 1) ? 1 : -1) * value().UnitsAt(kTypedPlaces);
      if (r == 5 && static_cast<int>(p.lp.a.size()) + 1 < m) {
        for (const char *rel : {"<=", ">="}) {
          p.lp.a.push_back(row);
          p.lp.rel.push_back(rel);
          p.lp.b.push_back(typed(b));
        }
        continue;
      }
      p.lp.a.push_back(row);
      p.lp.rel.push_back(r < 2 ? "<=" : r < 4 ? ">=" : "=");
      p.lp.b.push_back(typed(b));
    }
    const Reference ref = EnumeratedOptimum(p);
    BuildIP(p.lp);
    ASSERT_EQ(g.InputErrorIndex, 0);
    const SearchRecord rec = Search();
    // Every variable is bounded: the search may give up on a subproblem, nothing else.
    if (rec.end != SearchEnd::Completed) {
      EXPECT_EQ(rec.end, SearchEnd::SolveFailed) << "subproblem " << g.FinalIteration;
      ++unfinished;
      givenUp += " " + std::to_string(seed);
      DumpProblemFile(p.lp, "search-seed" + std::to_string(seed));
      continue;
    }
    EXPECT_EQ(g.BestIter != 0, ref.feasible) << (zeroOne ? "0-1" : "general");
    if ((g.BestIter != 0) != ref.feasible) DumpProblemFile(p.lp, "search-seed" + std::to_string(seed));
    if (!ref.feasible || g.BestIter == 0) {
      ++infeasible;
      continue;
    }
    ++feasible;
    EXPECT_NEAR(g.BestObj, ref.z, 1e-9 * std::max(1.0, std::fabs(ref.z))) << (zeroOne ? "0-1" : "general");
    if (std::fabs(g.BestObj - ref.z) > 1e-9 * std::max(1.0, std::fabs(ref.z)))
      DumpProblemFile(p.lp, "search-seed" + std::to_string(seed));
    CheckSolution(p, rec.incumbentX.back(), g.BestObj);
  }
  std::printf("decimal integer programs: %d feasible, %d infeasible, %d given up (seeds%s)\n", feasible, infeasible,
              unfinished, givenUp.c_str());
  EXPECT_GT(feasible, 300);
  EXPECT_GT(infeasible, 60);
  EXPECT_GT(general, 250);
  EXPECT_LE(unfinished, 6);
}

} // namespace
