#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "integer/branch_and_bound.h"
#include "integer/ip_fixture.h"
#include "linear/mod_lp_simplex.h"

namespace quon::testing {
namespace {

constexpr double kNone = 999999;                                  // the engine's "no value" sentinel
constexpr double kNoBound = std::numeric_limits<double>::infinity(); // an absent bound

// The automated search's stack: (+k, v) is x_k <= v, (-k, v) is x_k >= v.
void SetStack(const std::vector<std::pair<int16, double>> &branches) {
  const int n = static_cast<int>(branches.size());
  g.BBVar.ReDim(n);
  g.BBVal.ReDim(n);
  for (int i = 1; i <= n; ++i) {
    g.BBVar(i) = branches[static_cast<std::size_t>(i - 1)].first;
    g.BBVal(i) = branches[static_cast<std::size_t>(i - 1)].second;
  }
  g.BBTop = static_cast<int16>(n);
}

TEST(BranchAndBound, WorkedExampleSubproblemBySubproblem) {
  BuildIP(WorkedExample());
  const SearchRecord rec = Search();

  struct Want {
    double l1, u1, l2, u2;
    int16 r;
    double z;
  };
  // Depth first, the "<=" child and its whole subtree before the ">=" child; the tie at
  // subproblem 5 is fathomed, the bounds at 6 are consistent but infeasible.
  const std::vector<Want> want = {
      {0, kNoBound, 0, kNoBound, 1, 11.75}, // x1 = 2.75, x2 = 1.75
      {0, 2, 0, kNoBound, 2, 11},        // x2 = 2.5
      {0, 2, 0, 2, 0, 10},            // (2, 2): first incumbent
      {0, 2, 3, kNoBound, 1, 10.5},      // x1 = 1.5
      {0, 1, 3, kNoBound, 2, 10},        // x2 = 3.5, but it ties the incumbent: fathomed
      {2, 2, 3, kNoBound, -1, -kNone},   // 2x1 + 2x2 <= 9 cannot hold
      {3, kNoBound, 0, kNoBound, 0, 11},    // (3, 1): the optimum
  };
  ASSERT_EQ(rec.nodes.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    const Examined &e = rec.nodes[i];
    SCOPED_TRACE("subproblem " + std::to_string(i + 1));
    EXPECT_EQ(e.n, static_cast<int32>(i + 1));
    EXPECT_EQ(e.lower, (std::vector<double>{want[i].l1, want[i].l2}));
    EXPECT_EQ(e.upper, (std::vector<double>{want[i].u1, want[i].u2}));
    EXPECT_EQ(e.r, want[i].r);
    EXPECT_NEAR(e.z, want[i].z, 1e-9);
  }
  EXPECT_EQ(rec.end, SearchEnd::Completed);
  EXPECT_EQ(g.FinalIteration, 7);
  EXPECT_EQ(rec.incumbentAt, (std::vector<int32>{3, 7}));
  EXPECT_EQ(rec.incumbentZ, (std::vector<double>{10, 11}));
  EXPECT_EQ(rec.incumbentX.back(), (std::vector<double>{3, 1}));
  EXPECT_EQ(g.BestIter, 7);
  EXPECT_EQ(g.BBTop, 0);
}

TEST(BranchAndBound, RootIntegralInfeasibleAndUnbounded) {
  LP integral = WorkedExample();
  integral.b = {8, 10}; // root optimum (3, 1) is whole
  BuildIP(integral);
  SearchRecord rec = Search();
  EXPECT_EQ(rec.end, SearchEnd::Completed);
  EXPECT_EQ(g.FinalIteration, 1);
  EXPECT_EQ(rec.incumbentAt, (std::vector<int32>{1}));
  EXPECT_EQ(g.BestObj, 11);

  BuildIP(InfeasibleExample());
  rec = Search();
  EXPECT_EQ(rec.end, SearchEnd::Completed);
  EXPECT_EQ(g.FinalIteration, 1);
  EXPECT_EQ(g.BestIter, 0);
  EXPECT_EQ(g.BestObj, -kNone);
  ASSERT_EQ(rec.nodes.size(), 1u);
  EXPECT_EQ(rec.nodes[0].r, kNodeInfeasible);

  BuildIP(UnboundedExample());
  rec = Search();
  EXPECT_EQ(rec.end, SearchEnd::Unbounded);
  EXPECT_EQ(g.FinalIteration, 1);
  EXPECT_TRUE(rec.incumbentAt.empty());
}

TEST(BranchAndBound, NegativeFractionalValueBranchesDownFirst) {
  // Minimise x1 with 2x1 >= -3 and x1 >= -10: the root is x1 = -1.5. Its children are
  // x1 <= -2 (infeasible) and then x1 >= -1, solved with the lower bound -1 shifted out.
  LP lp = Program("Minimize", {1, 1}, {{2, 0}, {0, 1}}, {">=", "<="}, {-3, 4});
  lp.lower = {"-10", "0"};
  lp.unrestricted = {"y", "n"};
  BuildIP(lp);
  const SearchRecord rec = Search();
  ASSERT_EQ(rec.nodes.size(), 3u);
  EXPECT_NEAR(rec.nodes[0].z, -1.5, 1e-9);
  EXPECT_EQ(rec.nodes[1].upper[0], -2);
  EXPECT_EQ(rec.nodes[1].lower[0], -10);
  EXPECT_EQ(rec.nodes[1].r, kNodeInfeasible);
  EXPECT_EQ(rec.nodes[2].lower[0], -1);
  EXPECT_EQ(rec.nodes[2].upper[0], kNoBound);
  EXPECT_EQ(rec.nodes[2].r, kNodeIntegral);
  EXPECT_EQ(rec.incumbentZ, (std::vector<double>{-1}));
  EXPECT_EQ(rec.incumbentX.back(), (std::vector<double>{-1, 0}));
}

TEST(BranchAndBound, ShiftsEveryFiniteNonZeroLowerBound) {
  // Lower bounds -4, 0 and 2.5 (continuous): only 0 needs no substitution, and the values
  // come back in the problem's own terms.
  LP lp = Program("Minimize", {1, 1, 1}, {{1, 1, 1}}, {">="}, {-3});
  lp.lower = {"-4", "0", "2.5"};
  lp.unrestricted = {"y", "n", "n"};
  lp.integer = {"y", "y", "n"};
  BuildIP(lp);
  g.BBTop = 0;
  ASSERT_TRUE(ApplyNodeBounds());
  EXPECT_EQ(g.NBoundA, 2);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_NEAR(g.XSol(1), -4, 1e-9);
  EXPECT_NEAR(g.XSol(2), 0, 1e-9);
  EXPECT_NEAR(g.XSol(3), 2.5, 1e-9);
  EXPECT_NEAR(g.ZValue, -1.5, 1e-9);
}

TEST(BranchAndBound, CrossedBoundsAreInfeasibleWithoutASolve) {
  // x1 >= 0.5 as typed; the root x1 = 0.7 branches to x1 <= 0, which crosses it.
  LP lp = Program("Maximize", {1}, {{10}}, {"<="}, {7});
  lp.lower = {"0.5"};
  BuildIP(lp);
  SetStack({{1, 0}});
  EXPECT_FALSE(ApplyNodeBounds());
  g.IterCount = -5;
  EXPECT_EQ(SolveNode(), LPStatus::Infeasible);
  EXPECT_EQ(g.IterCount, -5);
  EXPECT_EQ(PickBranchingVariable(), kNodeInfeasible);

  const SearchRecord rec = Search();
  ASSERT_EQ(rec.nodes.size(), 3u);
  EXPECT_EQ(rec.nodes[1].r, kNodeInfeasible);
  EXPECT_EQ(rec.nodes[2].r, kNodeInfeasible); // x1 >= 1 breaks 10 x1 <= 7
  EXPECT_EQ(rec.end, SearchEnd::Completed);
  EXPECT_EQ(g.BestIter, 0);
}

TEST(BranchAndBound, BranchValuesBeyondSixteenBitsStayExact) {
  LP lp = Program("Maximize", {1, 1}, {{2, 0}, {0, 2}}, {"<=", "<="}, {100001, -2 * 70000.0 + 1});
  lp.lower = {"0", "-80000"};
  lp.unrestricted = {"n", "y"};
  BuildIP(lp);
  const SearchRecord rec = Search();
  ASSERT_GE(rec.nodes.size(), 3u);
  EXPECT_EQ(rec.nodes[1].upper[0], 50000);
  EXPECT_EQ(rec.incumbentX.back(), (std::vector<double>{50000, -70000}));
  EXPECT_EQ(g.BestObj, -20000);
}

// Maximise x1 + x2 with 1000 x1 + 1000 x2 <= 100000001: the root's x1 = 100000.001 is whole
// only in single precision. Its first integer solution is 100000 at subproblem 3 (each later
// subproblem again has z = 100000.001, so the search runs on to its limit); maximising
// x1 alone it completes.
TEST(BranchAndBound, ValuesWholeOnlyInSinglePrecisionBranch) {
  LP lp = Program("Maximize", {1, 1}, {{1000, 1000}}, {"<="}, {100000001});
  lp.integer = {"y", "y"};
  BuildIP(lp);
  BBSubproblemLimit = 20;
  SearchRecord rec = Search();
  BBSubproblemLimit = 32000;
  EXPECT_EQ(rec.end, SearchEnd::LimitExceeded);
  EXPECT_EQ(rec.incumbentAt, (std::vector<int32>{3}));
  EXPECT_EQ(rec.incumbentX.back(), (std::vector<double>{100000, 0}));

  lp.c = {1, 0};
  lp.a = {{1000, 1}};
  BuildIP(lp);
  rec = Search();
  EXPECT_EQ(rec.end, SearchEnd::Completed);
  EXPECT_EQ(rec.incumbentZ, (std::vector<double>{100000}));
}

TEST(BranchAndBound, PickBranchingVariableRules) {
  BuildIP(WorkedExample());
  g.NVars = 3;
  g.LPData.ReDimPreserve(g.LPData.UBound(1), 5);
  g.XSol.ReDim(3);
  g.LPData(g.IntRow, 1) = 0;
  g.LPData(g.IntRow, 2) = 1;
  g.LPData(g.IntRow, 3) = 1;
  g.LPResult = LPStatus::Optimal;

  struct Case {
    double x1, x2, x3;
    int16 want;
  };
  const Case cases[] = {
      {2.5, 1.5, 0.5, 2},                 // continuous never chosen; lowest integer index
      {0, 3.0000001, 4.5, 2},             // whole in single precision only
      {0, 3.001, 4.5, 2},                 //
      {0, -1.5, 0, 2},                    //
      {1e-9, 2.999999995, 7, 0},          // all whole
      {0, 100000.001, 1E6 + 1E-5, 2},     // single precision rounds 100000.001 to a whole number
      {0, 100000.0000001, 1E6 + 1E-5, 0}, // within 1E-10 of the size
      {0, 1E9 + 0.03, 0, 2},              // but never a visible fraction
  };
  for (const Case &c : cases) {
    g.XSol(1) = c.x1;
    g.XSol(2) = c.x2;
    g.XSol(3) = c.x3;
    EXPECT_EQ(PickBranchingVariable(), c.want) << c.x2;
  }
  EXPECT_EQ(g.XSol(1), 0); // tiny values are zeroed on the way

  g.LPResult = LPStatus::Infeasible;
  EXPECT_EQ(PickBranchingVariable(), kNodeInfeasible);
  g.LPResult = LPStatus::Unbounded;
  EXPECT_EQ(PickBranchingVariable(), kNodeUnbounded);
  g.LPResult = LPStatus::SingularBasis;
  EXPECT_EQ(PickBranchingVariable(), kNodeSolveFailed);

  g.ObjSense = -1;
  EXPECT_EQ(MinMaxLabel(), " (MAX) ");
  g.ObjSense = 1;
  EXPECT_EQ(MinMaxLabel(), " (MIN) ");
  g.ObjSense = 0;
  EXPECT_EQ(MinMaxLabel(), "");
}

TEST(BranchAndBound, NodeBoundsAndStandardFormLayout) {
  // ">" first and "<" second with three variables: x1..x3, Sx4, Rx5, sx6.
  LP lp = Program("Maximize", {1, 2, 3}, {{1, 1, 1}, {1, 2, 3}}, {">=", "<="}, {10, 20});
  lp.lower = {"0", "6", "0"};
  BuildIP(lp);
  SetStack({{3, 3}, {3, 1}, {-2, 4}});
  ASSERT_TRUE(ApplyNodeBounds());
  EXPECT_EQ(g.LPData(g.UBRow, 3), 1);  // tightened twice
  EXPECT_EQ(g.LPData(g.LBRow, 2), 6);  // never looser than typed
  EXPECT_EQ(g.NBoundA, 1);
  EXPECT_EQ(g.NUpperBounded, 1);
  EXPECT_EQ(g.NCols, 6);
  std::vector<std::string> names;
  for (int j = 1; j <= g.NCols; ++j)
    names.push_back(g.ColNames(j));
  EXPECT_EQ(names, (std::vector<std::string>{"x1", "x2", "x3", "Sx4", "Rx5", "sx6"}));
  EXPECT_EQ(g.NArtificial1, 1);
  EXPECT_EQ(g.Tab(3, 7), 10 - 6); // right-hand sides after the shift of x2
  EXPECT_EQ(g.Tab(4, 7), 20 - 12);
  EXPECT_EQ(g.Tab(3, 8), 1);
  EXPECT_EQ(g.Tab(4, 8), -1);
  EXPECT_EQ(g.Tab(2, 5), -100); // artificial cost ObjSense * BigM of a maximisation

  g.BBTop = 0;
  ASSERT_TRUE(ApplyNodeBounds());
  EXPECT_EQ(g.LPData(g.UBRow, 3), kNoBound);
  EXPECT_EQ(g.LPData(g.LBRow, 2), 6);
}

TEST(BranchAndBound, LimitAndSolverFailureStopTheSearch) {
  BuildIP(WorkedExample());
  BBSubproblemLimit = 3;
  SearchRecord rec = Search();
  BBSubproblemLimit = 32000;
  EXPECT_EQ(rec.end, SearchEnd::LimitExceeded);
  EXPECT_EQ(rec.nodes.size(), 3u); // the fourth is never solved
  EXPECT_EQ(rec.incumbentAt, (std::vector<int32>{3}));

  BuildIP(WorkedExample());
  const int cap = LPPivotCap;
  LPPivotCap = 0;
  rec = Search();
  LPPivotCap = cap;
  EXPECT_EQ(rec.end, SearchEnd::SolveFailed);
  EXPECT_EQ(g.FinalIteration, 1);
}

} // namespace
} // namespace quon::testing
