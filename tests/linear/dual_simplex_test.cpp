#include <gtest/gtest.h>

#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "shell/dual_start.h"

using namespace quon;
using namespace quon::testing;

namespace {

// The model as the SOLVE/MODIFY screen's dual simplex item leaves it.
void BuildForDual(const LP &lp) {
  Build(lp);
  ASSERT_EQ(g.InputErrorIndex, 0);
  g.LPMethod = 5;
  g.Phase = 0;
  ConvertToDualSimplexForm();
}

} // namespace

TEST(DualSimplex, StartingFormHasOneSlackPerRow) {
  LP lp{.sense = "Minimize", .c = {2, 3}, .a = {{1, 1}, {1, 0}}, .rel = {">=", "<="}, .b = {4, 3}};
  BuildForDual(lp);
  EXPECT_EQ(g.NCols, 4);
  EXPECT_EQ(g.ColNames(3), "Sx3");
  EXPECT_EQ(g.ColNames(4), "sx4");
  const double row1[] = {-1, -1, 1, 0, -4, -1};
  for (int j = 1; j <= 6; ++j)
    EXPECT_EQ(g.Tab(3, j), row1[j - 1]) << j;
  const double row2[] = {1, 0, 0, 1, 3, -1};
  for (int j = 1; j <= 6; ++j)
    EXPECT_EQ(g.Tab(4, j), row2[j - 1]) << j;

  EXPECT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.ZValue, 9); // x1 = 3 at its row's limit, x2 = 1
  EXPECT_DOUBLE_EQ(g.XSol(1), 3);
  EXPECT_DOUBLE_EQ(g.XSol(2), 1);
  EXPECT_EQ(g.IterCount, 3);
}

TEST(DualSimplex, FeasibleStartNeedsNoPivot) {
  LP lp{.sense = "Minimize", .c = {1, 1}, .a = {{1, 1}}, .rel = {"<="}, .b = {4}};
  BuildForDual(lp);
  EXPECT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  EXPECT_EQ(g.IterCount, 1);
  EXPECT_DOUBLE_EQ(g.XSol(3), 4);
  EXPECT_DOUBLE_EQ(g.ZValue, 0);
}

TEST(DualSimplex, RunsPastTenPivotsToTheOptimum) {
  // Eleven rows x_j >= j each need a pivot; the run must not stop at ten with x11 still
  // missing (65 instead of 66).
  LP lp;
  lp.sense = "Minimize";
  for (int j = 1; j <= 11; ++j) {
    lp.c.push_back(1);
    std::vector<double> row(11, 0);
    row[j - 1] = 1;
    lp.a.push_back(row);
    lp.rel.push_back(">=");
    lp.b.push_back(j);
  }
  BuildForDual(lp);
  EXPECT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.ZValue, 66);
  EXPECT_EQ(g.IterCount, 12);
  for (int j = 1; j <= 11; ++j)
    EXPECT_DOUBLE_EQ(g.XSol(j), j);
  EXPECT_EQ(g.AltOptimaFlag, 0);
}

TEST(DualSimplex, NoEnteringColumnMeansNoFeasibleSolution) {
  LP lp{.sense = "Minimize", .c = {1, 1}, .a = {{1, 1}, {1, 1}}, .rel = {">=", "<="}, .b = {5, 2}};
  BuildForDual(lp);
  EXPECT_EQ(SolveLPDualSimplex(), LPStatus::Infeasible);
  EXPECT_EQ(g.ZValue, -999999);
  EXPECT_EQ(g.LPResult, LPStatus::Infeasible);
}

TEST(DualSimplex, TieRules) {
  // Equal most negative values: the upper row leaves first, so x1 (the cheaper column of row
  // 1) takes basis position 1.
  LP lp{.sense = "Minimize", .c = {1, 2}, .a = {{1, 1}, {1, 0}}, .rel = {">=", ">="}, .b = {2, 2}};
  BuildForDual(lp);
  EXPECT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  EXPECT_EQ(g.BasisList(1), 1);
  EXPECT_DOUBLE_EQ(g.ZValue, 2);

  // Equal ratios |d_j / alpha_j|: the lower column enters; the zero reduced cost left
  // behind is not reported as an alternative optimum.
  lp = LP{.sense = "Minimize", .c = {1, 1}, .a = {{1, 1}}, .rel = {">="}, .b = {3}};
  BuildForDual(lp);
  EXPECT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.XSol(1), 3);
  EXPECT_DOUBLE_EQ(g.XSol(2), 0);
  EXPECT_EQ(g.AltOptimaFlag, 0);
}

TEST(DualSimplex, RestoredModelIsConvertedAgain) {
  LP lp{.sense = "Minimize",
        .c = {3, 2, 4},
        .a = {{1, 1, 2}, {2, 0, 1}, {1, 2, 0}},
        .rel = {">=", ">=", "<="},
        .b = {4, 3, 8}};
  BuildForDual(lp);
  ASSERT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  const double z = g.ZValue;
  // The output screen's option list restores the saved (primal) model before it solves.
  RestoreLPModel();
  g.LPMethod = 5;
  ASSERT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.ZValue, z);
  // The primal method agrees.
  RestoreLPModel();
  g.LPMethod = 0;
  ASSERT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_NEAR(g.ZValue, z, 1E-9);
}
