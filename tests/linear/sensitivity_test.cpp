#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "linear/lp_fixture.h"
#include "linear/lp_summary_values.h"
#include "linear/mod_lp_simplex.h"
#include "linear/sensitivity.h"

using namespace quon;
using namespace quon::testing;

namespace {

void Solve(const LP &lp) {
  Build(lp);
  ASSERT_EQ(g.InputErrorIndex, 0);
  ASSERT_EQ(SolveLP(), LPStatus::Optimal);
  ComputeFinalTableau();
}

std::pair<std::string, std::string> Ends(int mode, int index, int variable) {
  const RangeEnds r = SensitivityRange(mode, index, variable);
  return {RangeEndText(r.lower), RangeEndText(r.upper)};
}

using P = std::pair<std::string, std::string>;

} // namespace

TEST(SensitivityRange, TextbookRanges) {
  Solve(DoorsAndWindows());
  EXPECT_EQ(Ends(0, 0, 1), P("0.00", "7.50"));
  EXPECT_EQ(Ends(0, 0, 2), P("2.00", "infinity"));
  EXPECT_EQ(Ends(1, 1, 0), P("2.00", "infinity"));
  EXPECT_EQ(Ends(1, 2, 0), P("6.00", "18.00"));
  EXPECT_EQ(Ends(1, 3, 0), P("12.00", "24.00"));
  EXPECT_EQ(DualPriceSign(2), 1);
  // The final tableau holds B^-1 A and B^-1 b.
  EXPECT_DOUBLE_EQ(g.Tableau(4, g.NColsPlus1), 6);
  EXPECT_DOUBLE_EQ(g.Tableau(4, 2), 1);

  // A mode outside 0..3 has no range, and the engine writes no text.
  g.MsgText = "a";
  g.TitleText = "b";
  EXPECT_TRUE(std::isnan(SensitivityRange(4, 1, 1).lower));
  EXPECT_EQ(g.MsgText, "a");
  EXPECT_EQ(g.TitleText, "b");

  g.NumFormatType = 2;
  EXPECT_EQ(Ends(1, 2, 0), P("6.00000e+00", "1.80000e+01"));
}

TEST(SensitivityRange, ZeroReducedCostFixesOneEnd) {
  // x2 is non-basic with reduced cost 0 (an alternative optimum): in a maximisation the
  // upper end is its current coefficient, in a minimisation the lower end.
  LP lp{.c = {1, 1}, .a = {{1, 1}}, .rel = {"<="}, .b = {4}};
  Solve(lp);
  EXPECT_EQ(Ends(0, 0, 2), P("-infinity", "1.00"));
  // The basic x1 meets a ratio of exactly 0 through x2.
  EXPECT_EQ(Ends(0, 0, 1), P("1.00", "infinity"));

  lp.sense = "Minimize";
  lp.c = {1, 1};
  lp.rel = {">="};
  Solve(lp);
  EXPECT_EQ(Ends(0, 0, 2), P("1.00", "infinity"));
}

TEST(SensitivityRange, RowTypedWithNegativeRightHandSide) {
  // -x1 >= -3 is solved as x1 <= 3. Its range and dual price are those of the row as typed:
  // x1 = -b2 and x2 = 4 + b2 stay feasible for b2 in [-4, 0], and Z = 4 - b2 falls by 1 per
  // unit of b2.
  LP lp{.c = {2, 1}, .a = {{1, 1}, {-1, 0}}, .rel = {"<=", ">="}, .b = {4, -3}};
  Solve(lp);
  EXPECT_DOUBLE_EQ(g.ZValue, 7);
  EXPECT_EQ(Ends(1, 2, 0), P("-4.00", "0.00"));
  EXPECT_EQ(DualPriceSign(2), -1);
  EXPECT_DOUBLE_EQ(DualPriceSign(2) * g.Duals(2), -1);
  EXPECT_EQ(DualPriceSign(1), 1);

  // With a bound in the model the bounded mode gives the same range.
  lp.upper = {"infinity", "10"};
  Solve(lp);
  EXPECT_EQ(Ends(2, 2, 0), P("-4.00", "0.00"));

  // Under the dual simplex every ">=" row is the one turned around.
  LP d{.sense = "Minimize", .c = {2, 3}, .a = {{1, 1}, {1, 0}}, .rel = {">=", "<="}, .b = {4, 3}};
  Build(d);
  g.LPMethod = 5;
  ASSERT_EQ(SolveLPDualSimplex(), LPStatus::Optimal);
  ComputeFinalTableau();
  EXPECT_EQ(DualPriceSign(1), -1);
  EXPECT_EQ(DualPriceSign(2), 1);
  EXPECT_DOUBLE_EQ(DualPriceSign(1) * g.Duals(1), 3); // Z = 3 b1 - b2 with x1 = b2, x2 = b1 - b2
  EXPECT_EQ(Ends(1, 1, 0), P("3.00", "infinity"));
  EXPECT_EQ(Ends(1, 2, 0), P("0.00", "4.00"));
}

TEST(SensitivityRange, NegatedUnrestrictedVariableIsMirrored) {
  // min x1 with x1 >= -5 and x1 free: x1 = -5, carried as the column of -x1. The basis stays
  // optimal for every cost c1 >= 0.
  LP lp{.sense = "Minimize",
        .c = {1, 0},
        .a = {{1, 0}, {0, 1}},
        .rel = {">=", "<="},
        .b = {-5, 1},
        .lower = {"-infinity", "0"},
        .unrestricted = {"y", "n"}};
  Solve(lp);
  ASSERT_EQ(g.ColKind2(1), "-");
  EXPECT_DOUBLE_EQ(g.XSol(1), -5);
  EXPECT_DOUBLE_EQ(g.Cost(1), 1);
  EXPECT_EQ(Ends(0, 0, 1), P("0.00", "infinity"));
}

TEST(SensitivityRange, BoundRanges) {
  // x1 in [5, 8] ends at its upper bound; x2 takes the rest of x1 + x2 <= 10.
  LP lp{
      .c = {3, 1}, .a = {{1, 1}}, .rel = {"<="}, .b = {10}, .lower = {"5", "0"}, .upper = {"8", "infinity"}};
  Solve(lp);
  ASSERT_EQ(g.ColKind(1), "U");
  EXPECT_DOUBLE_EQ(g.XSol(1), 8);
  EXPECT_DOUBLE_EQ(g.XSol(2), 2);
  EXPECT_DOUBLE_EQ(g.ZValue, 26);
  // The lower bound may fall to 0 and rise to the upper bound.
  EXPECT_EQ(Ends(3, 1, 1), P("0.00", "8.00"));
  // Raising the upper bound moves x2 down, which reaches 0 at 10.
  EXPECT_EQ(Ends(3, 2, 1).second, "10.00");

  // A basic variable with lower bound 0 and upper bound 6 (not reached).
  lp = LP{.c = {3, 1},
          .a = {{1, 1}, {1, 0}},
          .rel = {"<=", "<="},
          .b = {10, 4},
          .lower = {"0", "0"},
          .upper = {"6", "infinity"}};
  Solve(lp);
  int pos = 0;
  for (int i = 1; i <= g.MRows; ++i)
    if (g.BasisList(i) == 1) pos = i;
  ASSERT_GT(pos, 0);
  EXPECT_EQ(Ends(3, 2, -pos), P("4.00", "infinity"));
}

TEST(SensitivityRange, UnrestrictedVariablesInTheRanges) {
  // x1 free and basic: it may cross 0, so it ends no right-hand-side range. Constraint 2
  // keeps its basis from -3 to 2.
  LP lp{.sense = "Minimize",
        .c = {1, 2},
        .a = {{1, 1}, {1, -1}, {-1, 1}},
        .rel = {">=", "<=", "<="},
        .b = {2, 1, 3},
        .lower = {"-infinity", "0"},
        .unrestricted = {"y", "n"}};
  Solve(lp);
  EXPECT_DOUBLE_EQ(g.XSol(1), 1.5);
  EXPECT_DOUBLE_EQ(g.XSol(2), 0.5);
  EXPECT_EQ(Ends(1, 2, 0), P("-3.00", "2.00"));

  // x1 free and non-basic with reduced cost 0: any cost but 0 changes the answer (a rise
  // makes the program unbounded, a fall moves x1 to 4).
  lp.c = {0, 1};
  lp.a = {{0, 1}, {1, 1}};
  lp.rel = {">=", "<="};
  lp.b = {1, 5};
  Solve(lp);
  EXPECT_EQ(Ends(0, 0, 1), P("0.00", "0.00"));
}

TEST(SensitivityRange, AnUpperBoundNeverFallsBelowTheLowerBound) {
  LP lp{.c = {5, 4, 3},
        .a = {{2, 3, 1}, {4, 1, 2}, {3, 4, 2}},
        .rel = {"<=", "<=", "<="},
        .b = {5, 11, 8},
        .lower = {"0.5", "0", "0"},
        .upper = {"1.5", "1", "infinity"}};
  Solve(lp);
  ASSERT_EQ(g.ColKind(1), "U");
  ASSERT_DOUBLE_EQ(g.XSol(1), 1.5);
  EXPECT_EQ(Ends(3, 2, 1), P("0.50", "2.00"));
}
