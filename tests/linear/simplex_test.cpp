#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "integer/branch_and_bound.h"
#include "linear/lp_fixture.h"
#include "linear/mod_lp_simplex.h"

using namespace quon;
using namespace quon::testing;

namespace {

// One primal step as the tableau iterations take it.
void Step() {
  SimplexBasicSolution();
  SimplexPricing();
  if (g.Entering != 0) {
    SimplexRatioTest();
    SimplexPivot();
  }
}

class PivotCap : public ::testing::Test {
protected:
  void TearDown() override { LPPivotCap = saved_; }
  int saved_ = LPPivotCap;
};

} // namespace

TEST(SimplexEngine, TextbookExamplePivotByPivot) {
  Build(DoorsAndWindows());
  g.Phase = 0;
  ASSERT_TRUE(SimplexInit());
  EXPECT_EQ(g.BasisList(1), 3);
  EXPECT_EQ(g.BasisList(3), 5);

  SimplexBasicSolution();
  SimplexPricing();
  EXPECT_EQ(g.Entering, 2); // largest c_j - z_j
  EXPECT_DOUBLE_EQ(g.RedCost(1), -3);
  EXPECT_DOUBLE_EQ(g.RedCost(2), -5);
  SimplexRatioTest();
  EXPECT_EQ(g.Leaving, 4);
  EXPECT_EQ(g.LeavingRow, 2);
  EXPECT_DOUBLE_EQ(g.AlphaCol(2), 2);
  EXPECT_TRUE(SimplexPivot());

  SimplexBasicSolution();
  EXPECT_DOUBLE_EQ(g.ZValue, 30);
  SimplexPricing();
  EXPECT_EQ(g.Entering, 1);
  SimplexRatioTest();
  EXPECT_EQ(g.Leaving, 5);
  EXPECT_EQ(g.LeavingRow, 3);
  SimplexPivot();

  SimplexBasicSolution();
  SimplexPricing();
  EXPECT_EQ(g.Entering, 0);
  EXPECT_DOUBLE_EQ(g.ZValue, 36);
  EXPECT_DOUBLE_EQ(g.Duals(2), 1.5);
  EXPECT_DOUBLE_EQ(g.Duals(3), 1);

  Build(DoorsAndWindows());
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_EQ(g.LPResult, LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.ZValue, 36);
  EXPECT_DOUBLE_EQ(g.XSol(1), 2);
  EXPECT_DOUBLE_EQ(g.XSol(2), 6);
  EXPECT_DOUBLE_EQ(g.XSol(3), 2); // slack of x1 <= 4
  EXPECT_EQ(g.IterCount, 3);      // one more than the pivots
  EXPECT_EQ(g.Phase, 0);
  EXPECT_EQ(g.AltOptimaFlag, 0);
  EXPECT_EQ(g.Tab(2, g.NColsPlus1), 0);
}

TEST(SimplexEngine, TiesGoToTheLowestColumnAndTheTopRow) {
  LP lp{.c = {1, 1}, .a = {{2, 1}, {2, 3}}, .rel = {"<=", "<="}, .b = {4, 4}};
  Build(lp);
  g.Phase = 0;
  SimplexInit();
  SimplexBasicSolution();
  SimplexPricing();
  EXPECT_EQ(g.Entering, 1);
  SimplexRatioTest();
  EXPECT_EQ(g.LeavingRow, 1); // ratios 2 and 2
  EXPECT_EQ(g.Leaving, 3);
}

TEST(SimplexEngine, TwoPhaseRunsAndInfeasibility) {
  LP lp{.sense = "Minimize", .c = {1, 1}, .a = {{1, 1}}, .rel = {">="}, .b = {2}};
  Build(lp);
  g.TableauCount = 0;
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.ZValue, 2);
  EXPECT_DOUBLE_EQ(g.XSol(1), 2);
  EXPECT_EQ(g.IterCount, 4); // one pivot, and the phase switch counts two
  EXPECT_EQ(g.TableauCount, 1);
  EXPECT_EQ(g.Phase, 0);
  EXPECT_EQ(g.AltOptimaFlag, 1); // x2 prices at zero
  EXPECT_EQ(g.ObjSense, 1);

  lp = LP{.c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {"<=", ">="}, .b = {2, 5}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Infeasible);
  EXPECT_EQ(g.ZValue, -999999);
  EXPECT_EQ(g.Phase, 0);
  EXPECT_EQ(g.ObjSense, -1);
}

TEST(SimplexEngine, ArtificialLeftAtZeroIsDrivenOut) {
  // The "=" row is implied by the other two; its artificial stays basic at 0 after phase 1
  // and must leave in phase 2 whatever the sign of its entry.
  LP lp{.c = {1, 3, 1}, .a = {{1, 1, 0}, {0, 1, 1}, {1, 2, 1}}, .rel = {"=", "=", "="}, .b = {2, 3, 5}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_NEAR(g.ZValue, 7, 1E-9); // x = (0, 2, 1)
  for (int i = 1; i <= g.MRows; ++i)
    if (g.ColNames(g.BasisList(i))[0] == 'R') {
      EXPECT_EQ(g.XBasic(i), 0);
    }
}

TEST(SimplexEngine, UnboundedOptima) {
  LP lp{.c = {1, 1}, .a = {{1, -1}}, .rel = {"<="}, .b = {1}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Unbounded);
  EXPECT_EQ(g.ZValue, 999999);
  EXPECT_EQ(g.Entering, -2);
  EXPECT_EQ(g.NonBasicMark(2), 0);

  // Values of a million and more are values like any other (the program's 999999 once
  // stood for infinity in the ratio test and in the result).
  lp = LP{.c = {1}, .a = {{1}}, .rel = {"<="}, .b = {2E6}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_EQ(g.ZValue, 2E6);
  // An upper bound of five million is a bound, and an optimum of 5e7 is an optimum.
  lp = LP{.sense = "Minimize",
          .c = {6, 4},
          .a = {{1, 1}},
          .rel = {">="},
          .b = {1E7},
          .upper = {"infinity", "5000000"}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), 5E6);
  EXPECT_DOUBLE_EQ(g.XSol(2), 5E6);
  EXPECT_DOUBLE_EQ(g.ZValue, 5E7);
}

TEST(SimplexEngine, UpperBoundFlip) {
  LP lp{.c = {1, 1}, .a = {{1, 1}}, .rel = {"<="}, .b = {10}, .upper = {"3", "infinity"}};
  Build(lp);
  g.Phase = 0;
  SimplexInit();
  SimplexBasicSolution();
  SimplexPricing();
  ASSERT_EQ(g.Entering, 1);
  SimplexRatioTest();
  EXPECT_EQ(g.Leaving, kBoundFlip);
  EXPECT_EQ(g.NonBasicMark(1), 1);
  SimplexPivot();
  EXPECT_EQ(g.BasisList(1), 3); // the basis is unchanged
  SimplexBasicSolution();
  EXPECT_EQ(g.ColKind(1), "U");
  EXPECT_EQ(g.NonBasicMark(1), -1);
  EXPECT_DOUBLE_EQ(g.Tab(3, g.NColsPlus1), 7);
  EXPECT_DOUBLE_EQ(g.ZValue, 3); // the bound's contribution

  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), 3);
  EXPECT_DOUBLE_EQ(g.XSol(2), 7);
  EXPECT_DOUBLE_EQ(g.ZValue, 10);
  EXPECT_EQ(g.ColKind(1), "U"); // the flip stays in the model
}

TEST(SimplexEngine, BasicVariableLeavesAtItsUpperBound) {
  // x2 enters first; when x1 enters, x2 rises with it and stops at its bound 3 first.
  LP lp{.c = {1, 3}, .a = {{-1, 1}, {1, 1}}, .rel = {"<=", "<="}, .b = {1, 10}, .upper = {"infinity", "3"}};
  Build(lp);
  g.Phase = 0;
  SimplexInit();
  Step();
  EXPECT_EQ(g.BasisList(1), 2);
  SimplexBasicSolution();
  SimplexPricing();
  ASSERT_EQ(g.Entering, 1);
  SimplexRatioTest();
  EXPECT_EQ(g.Leaving, -2);
  EXPECT_EQ(g.LeavingRow, 1);
  EXPECT_DOUBLE_EQ(g.AlphaCol(1), -1);
  SimplexPivot();
  SimplexBasicSolution();
  EXPECT_EQ(g.ColKind(2), "U");
  EXPECT_EQ(g.NonBasicMark(2), -2);

  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), 7);
  EXPECT_DOUBLE_EQ(g.XSol(2), 3);
  EXPECT_DOUBLE_EQ(g.ZValue, 16);
}

TEST(SimplexEngine, UnrestrictedVariables) {
  // The negative direction pays: the column is carried negated and the answer comes back
  // in the variable's own sign.
  LP lp{.c = {-1}, .a = {{1}}, .rel = {">="}, .b = {-5}, .lower = {"-infinity"}, .unrestricted = {"y"}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), -5);
  EXPECT_DOUBLE_EQ(g.ZValue, 5);
  EXPECT_EQ(g.ColKind2(1), "-");
  EXPECT_DOUBLE_EQ(g.Cost(1), -1);
  EXPECT_DOUBLE_EQ(g.Tab(2, 1), -1);

  // With a finite lower bound the variable is shifted instead (this used to give x1 = 1).
  lp = LP{.c = {2, 1},
          .a = {{1, 1}, {1, -1}},
          .rel = {"<=", ">="},
          .b = {4, -8},
          .lower = {"-3", "0"},
          .unrestricted = {"y", "n"}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), 4);
  EXPECT_DOUBLE_EQ(g.XSol(2), 0);
  EXPECT_DOUBLE_EQ(g.ZValue, 8);

  // A negative lower bound on an ordinary variable is honoured as well.
  lp = LP{.sense = "Minimize",
          .c = {1, 1},
          .a = {{1, 1}},
          .rel = {">="},
          .b = {-10},
          .lower = {"-2", "-3"},
          .unrestricted = {"n", "n"}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), -2);
  EXPECT_DOUBLE_EQ(g.XSol(2), -3);
  EXPECT_DOUBLE_EQ(g.ZValue, -5);
}

TEST(SimplexEngine, AlternativeOptimaFlag) {
  LP lp{.c = {1, 1}, .a = {{1, 1}}, .rel = {"<="}, .b = {4}};
  Build(lp);
  SolveLP();
  EXPECT_EQ(g.AltOptimaFlag, 1);
  Build(DoorsAndWindows());
  SolveLP();
  EXPECT_EQ(g.AltOptimaFlag, 0);
}

TEST(SimplexEngine, ClassicCyclingProblemsEndAtTheirOptima) {
  struct Case {
    LP lp;
    double optimum;
  };
  Case cases[3];
  cases[0].lp.c = {0.75, -20, 0.5, -6};
  cases[0].lp.a = {{0.25, -8, -1, 9}, {0.5, -12, -0.5, 3}, {0, 0, 1, 0}};
  cases[0].lp.b = {0, 0, 1};
  cases[0].optimum = 1.25;
  cases[1].lp.c = {10, -57, -9, -24};
  cases[1].lp.a = {{0.5, -5.5, -2.5, 9}, {0.5, -1.5, -0.5, 1}, {1, 0, 0, 0}};
  cases[1].lp.b = {0, 0, 1};
  cases[1].optimum = 1;
  cases[2].lp.c = {2, 3, -1, -12};
  cases[2].lp.a = {{-2, -9, 1, 9}, {1.0 / 3, 1, -1.0 / 3, -2}, {2, 3, -1, -12}};
  cases[2].lp.b = {0, 0, 2};
  cases[2].optimum = 2;
  int cycled = 0;
  for (auto &c : cases) {
    c.lp.rel = {"<=", "<=", "<="};
    Build(c.lp);
    EXPECT_EQ(SolveLP(), LPStatus::Optimal);
    EXPECT_NEAR(g.ZValue, c.optimum, 1E-9);
    // A whole run breaks ratio ties by the largest entry, which takes some of them off the
    // cycle; the others repeat a basis and are back on the largest-improvement rule once
    // Bland's has led them off the degenerate vertex.
    cycled += SimplexUsesBlandRule() ? 1 : 0;
    EXPECT_FALSE(SimplexBlandRuleActive());
    EXPECT_LT(g.IterCount, 30);
  }
  EXPECT_GE(cycled, 1);
  // A problem that does not cycle never leaves the largest-improvement rule.
  Build(DoorsAndWindows());
  SolveLP();
  EXPECT_FALSE(SimplexUsesBlandRule());
}

TEST(SimplexEngine, BealeRepeatsItsBasisAfterSixPivots) {
  LP lp{.c = {0.75, -20, 0.5, -6},
        .a = {{0.25, -8, -1, 9}, {0.5, -12, -0.5, 3}, {0, 0, 1, 0}},
        .rel = {"<=", "<=", "<="},
        .b = {0, 0, 1}};
  Build(lp);
  g.Phase = 0;
  SimplexInit();
  const int entering[] = {1, 2, 3, 4, 5, 6};
  for (int k = 0; k < 6; ++k) {
    SimplexBasicSolution();
    SimplexPricing();
    EXPECT_FALSE(SimplexUsesBlandRule()) << k;
    EXPECT_EQ(g.Entering, entering[k]) << k;
    SimplexRatioTest();
    SimplexPivot();
  }
  SimplexBasicSolution();
  SimplexPricing(); // the starting basis again
  EXPECT_TRUE(SimplexUsesBlandRule());
  EXPECT_EQ(g.BasisList(1), 5);
  EXPECT_EQ(g.BasisList(2), 6);
}

TEST_F(PivotCap, EndsWithItsOwnStatus) {
  Build(DoorsAndWindows());
  LPPivotCap = 1;
  EXPECT_EQ(SolveLP(), LPStatus::PivotCapReached);
  EXPECT_EQ(g.LPResult, LPStatus::PivotCapReached);
  EXPECT_EQ(g.ZValue, -999999);
  LPPivotCap = 2;
  Build(DoorsAndWindows());
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
}

TEST(SimplexEngine, PivotWithoutLeavingColumnDoesNothing) {
  Build(DoorsAndWindows());
  g.Phase = 0;
  SimplexInit();
  const BArray<double> basis = g.BasisMat;
  g.Entering = 1;
  g.Leaving = 0;
  g.LeavingRow = 0;
  EXPECT_TRUE(SimplexPivot());
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j)
      EXPECT_EQ(g.BasisMat(i, j), basis(i, j));
  g.Leaving = kBoundFlip;
  EXPECT_TRUE(SimplexPivot());
}

TEST(SimplexEngine, SingularBasisEndsTheRun) {
  // A user pick that would make two basis columns equal: the old inverse stays.
  LP lp{.c = {1, 1}, .a = {{1, 0}, {0, 1}}, .rel = {"<=", "<="}, .b = {1, 1}};
  Build(lp);
  g.Phase = 0;
  SimplexInit();
  g.Entering = 1; // x1's column equals the basic slack of row 1
  g.Leaving = 4;
  g.LeavingRow = 2;
  EXPECT_FALSE(SimplexPivot());
  EXPECT_EQ(g.Determinant, 0);
  EXPECT_EQ(g.BInv(2, 2), 1);

  // A standard form handed over with a broken slack column cannot start.
  Build(lp);
  g.Tab(4, 4) = 0;
  EXPECT_EQ(SolveLP(), LPStatus::SingularBasis);
  EXPECT_EQ(g.ZValue, -999999);
}

TEST(SimplexEngine, VariablesWithoutALowerBound) {
  // Bounded only from above: x1 <= -1 together with -5 x1 <= 4 (x1 >= -0.8) has no solution,
  // in whichever orientation the column would like to stand.
  LP lp{.c = {-1, 0},
        .a = {{-5, 0}, {0, 1}},
        .rel = {"<=", "<="},
        .b = {4, 1},
        .lower = {"-infinity", "0"},
        .upper = {"-1", "infinity"},
        .unrestricted = {"y", "n"}};
  Build(lp);
  EXPECT_EQ(SolveLP(), LPStatus::Infeasible);
  // With room left the bound holds and the answer comes back in x1's own terms.
  lp.upper = {"3", "infinity"};
  lp.sense = "Minimize";
  Build(lp);
  ASSERT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), 3);
  EXPECT_DOUBLE_EQ(g.ZValue, -3);

  // A lower bound of -infinity means none, whatever the unrestricted flag says.
  lp = LP{.sense = "Minimize",
          .c = {1},
          .a = {{-1}},
          .rel = {"<="},
          .b = {5},
          .lower = {"-infinity"},
          .unrestricted = {"n"}};
  Build(lp);
  ASSERT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), -5);
  EXPECT_DOUBLE_EQ(g.ZValue, -5);
}

TEST(SimplexEngine, KleeMintyProgramsReachTheirOptima) {
  // maximize sum 2^(n-j) x_j subject to 2 sum_{j<i} 2^(i-j) x_j + x_i <= 5^i: the
  // largest-improvement rule visits all 2^n vertices on the way to 5^n. With 20 variables
  // the coefficients span more than six orders of magnitude, so that program is solved
  // scaled, where the rule goes straight to the optimum.
  for (int n : {10, 20}) {
    double five = 1;
    for (int i = 0; i < n; ++i)
      five *= 5;
    Build(KleeMinty(n));
    ASSERT_EQ(SolveLP(), LPStatus::Optimal) << n;
    EXPECT_EQ(g.ZValue, five) << n;
    EXPECT_EQ(g.XSol(n), five) << n;
    if (n == 10) {
      EXPECT_EQ(g.IterCount, 1 << n); // 2^n - 1 pivots
    }
  }
}

// Programs whose verdicts went wrong on their decimals, each answered as exact arithmetic on the
// decimals typed answers it: a feasible program with 0.1 in its rows is unbounded, not
// infeasible; optima whose point broke a bound by 7E-8 or an "=" row by 5E-11 of its terms, or
// that have no feasible point at all, are not shown as optimal; a program whose exact arithmetic
// grows huge is given up at once; the search over 0.9-coefficient rows reaches the optimum.
TEST(SimplexEngine, ReportedDecimalProgramsGetTheirExactVerdicts) {
  const std::filesystem::path dir = std::filesystem::path(QUON_SHARED_CASES) / "numbers2";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << dir << " is not there";
  struct Case {
    const char *file;
    LPStatus status;
    double z;
  };
  const Case cases[] = {
      {"lp-decimals-called-infeasible.txt", LPStatus::Unbounded, 0},
      {"lp-final-suboptimal-shown-optimal.txt", LPStatus::Optimal, 1529.095497},
      {"lp-final-infeasible-shown-optimal.txt", LPStatus::Infeasible, 0},
      {"lp-zero-one-relaxation-off.txt", LPStatus::Optimal, -11},
      {"lp-final-infeasible-by-a-hair.txt", LPStatus::Infeasible, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(BuildFromFile((dir / c.file).string()));
    EXPECT_EQ(SolveLP(), c.status);
    if (c.status == LPStatus::Optimal) {
      EXPECT_NEAR(g.ZValue, c.z, 1E-6);
    }
  }
  // Whole coefficients from 1 to 1e6 over 100 columns: unscaled, the run ended on a basis its
  // inversion found singular; scaled by powers of 2 it reaches the optimum.
  ASSERT_TRUE(BuildFromFile((dir / "lp-final-slow-give-up.txt").string()));
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_NEAR(g.ZValue, -31025145.56, 1E-2);

  ASSERT_TRUE(BuildFromFile((dir / "ip-decimal-coefficients-worse-optimum.txt").string(), 5));
  g.OutputOption = 1;
  ResetIncumbent();
  EXPECT_EQ(RunAutomatedSearch(SearchEvents{}), SearchEnd::Completed);
  EXPECT_DOUBLE_EQ(g.BestObj, 1201500);
}
