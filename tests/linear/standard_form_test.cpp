#include <gtest/gtest.h>

#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"

using namespace quon;
using namespace quon::testing;

TEST(LPStandardForm, ColumnOrderNamesAndCounts) {
  LP lp{.c = {3, 2}, .a = {{1, 1}, {1, 0}, {0, 1}}, .rel = {"<=", ">=", "="}, .b = {4, 1, 2}};
  Build(lp);
  ASSERT_EQ(g.InputErrorIndex, 0);
  EXPECT_EQ(g.MRows, 3);
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(g.TypeCol, 3);
  EXPECT_EQ(g.RHSInCol, 4);
  EXPECT_EQ(g.LastConstrRow, 5);
  EXPECT_EQ(g.LBRow, 6);
  EXPECT_EQ(g.UBRow, 7);
  EXPECT_EQ(g.FreeVarRow, 8);
  EXPECT_EQ(g.NArtificial1, 1);
  EXPECT_EQ(g.NArtificial2, 1);
  EXPECT_EQ(g.NCols, 6);
  EXPECT_EQ(g.NColsPlus1, 7);
  EXPECT_EQ(g.NColsPlus2, 8);
  const char *names[] = {"x1", "x2", "Sx3", "sx4", "Rx5", "Rx6"};
  for (int j = 1; j <= 6; ++j)
    EXPECT_EQ(g.ColNames(j), names[j - 1]);
  EXPECT_EQ(g.ObjSense, -1);
  EXPECT_EQ(g.ObjSenseSaved, -1);

  // Row 4 is the ">=" row: surplus -1 in column 3, artificial +1 in column 5.
  const double row4[] = {1, 0, -1, 0, 1, 0, 1, 1};
  for (int j = 1; j <= 8; ++j)
    EXPECT_EQ(g.Tab(4, j), row4[j - 1]) << j;
  EXPECT_EQ(g.Tab(3, 4), 1);
  EXPECT_EQ(g.Tab(3, 8), -1);
  EXPECT_EQ(g.Tab(5, 6), 1);
  EXPECT_EQ(g.Tab(5, 8), 0);
  // Costs: as typed for the variables, sense times M for the artificials, 0 otherwise.
  const double cost[] = {3, 2, 0, 0, -100, -100};
  for (int j = 1; j <= 6; ++j)
    EXPECT_EQ(g.Tab(2, j), cost[j - 1]) << j;
  for (int j = 3; j <= 6; ++j) {
    EXPECT_EQ(g.Tab(g.UBRow, j), kLPInfinity);
    EXPECT_EQ(g.Tab(g.FreeVarRow, j), 0);
  }
  EXPECT_EQ(g.LPData(4, g.TypeCol), 1);
  EXPECT_EQ(g.LPData(5, g.TypeCol), 0);
  EXPECT_EQ(g.ConstrType(2).str(), ">");

  lp.sense = "Minimize";
  Build(lp);
  EXPECT_EQ(g.ObjSense, 1);
  EXPECT_EQ(g.Tab(2, 5), 100);
  // Only the exact text minimises.
  lp.sense = "minimize";
  Build(lp);
  EXPECT_EQ(g.ObjSense, -1);
}

TEST(LPStandardForm, NegativeRightHandSidesTurnRowsAround) {
  LP lp{.c = {1, 1},
        .a = {{1, 2}, {3, 1}, {1, -1}, {2, 2}},
        .rel = {"<=", ">=", "=", ">="},
        .b = {-4, -4, -4, 0}};
  Build(lp);
  ASSERT_EQ(g.InputErrorIndex, 0);
  // "<" with -4 becomes ">" with 4: a surplus and an artificial column.
  EXPECT_EQ(g.TabBackup(1, 0), -1);
  EXPECT_EQ(g.Tab(3, 1), -1);
  EXPECT_EQ(g.Tab(3, 2), -2);
  EXPECT_EQ(g.Tab(3, g.NColsPlus1), 4);
  EXPECT_EQ(g.Tab(3, g.NColsPlus2), 1);
  EXPECT_EQ(g.ConstrType(1).str(), "<");
  EXPECT_EQ(g.LPData(3, 1), 1);
  EXPECT_EQ(g.LPData(3, g.RHSInCol), -4);
  // ">" with -4 becomes "<" with a slack only.
  EXPECT_EQ(g.TabBackup(2, 0), -1);
  EXPECT_EQ(g.Tab(4, g.NColsPlus2), -1);
  // "=" with -4 stays "=" with an artificial column.
  EXPECT_EQ(g.TabBackup(3, 0), -1);
  EXPECT_EQ(g.Tab(5, g.NColsPlus2), 0);
  EXPECT_EQ(g.Tab(5, 2), 1);
  // A right-hand side of 0 is never turned around.
  EXPECT_EQ(g.TabBackup(4, 0), 0);
  EXPECT_EQ(g.Tab(6, g.NColsPlus2), 1);
  EXPECT_EQ(g.NArtificial1, 2);
  EXPECT_EQ(g.NArtificial2, 1);
  EXPECT_EQ(g.NCols, 2 + 2 + 4);
  EXPECT_EQ(g.ColNames(3), "Sx3");
  EXPECT_EQ(g.ColNames(4), "Sx4");
  EXPECT_EQ(g.ColNames(5), "Rx5");
  EXPECT_EQ(g.ColNames(6), "sx6");
  EXPECT_EQ(g.ColNames(7), "Rx7");
  EXPECT_EQ(g.ColNames(8), "Rx8");
  EXPECT_EQ(g.Tab(3, 3), -1);
  EXPECT_EQ(g.Tab(6, 4), -1);
}

TEST(LPStandardForm, BoundsFlagsAndNames) {
  LP lp{.c = {3, 1, 2},
        .a = {{1, 1, 1}},
        .rel = {"<="},
        .b = {20},
        .lower = {"5", "-infinity", "0"},
        .upper = {"8", "infinity", ""},
        .unrestricted = {"n", "y", "Y"},
        .names = {"a very long name", "b", "c"}};
  Build(lp);
  ASSERT_EQ(g.InputErrorIndex, 0);
  EXPECT_EQ(g.NBoundA, 1);
  EXPECT_EQ(g.NUpperBounded, 2); // the empty cell counts and reads as 0
  EXPECT_EQ(g.NFreeVars, 1);     // only the exact "y"
  EXPECT_EQ(g.LPData(g.UBRow, 3), 0);
  EXPECT_EQ(g.LPData(g.LBRow, 2), -kLPInfinity);
  EXPECT_EQ(g.LPData(0, 1), 5);
  EXPECT_EQ(g.LPData(1, 1), 8);
  EXPECT_EQ(g.BoundLabel(1), "L");
  EXPECT_EQ(g.BoundLabel(2), "");
  EXPECT_EQ(g.Tab(g.UBRow, 1), 3);
  EXPECT_EQ(g.Tab(g.LBRow, 1), 0);
  EXPECT_EQ(g.ObjShift, 15);
  EXPECT_EQ(g.Tab(3, g.NColsPlus1), 15);
  EXPECT_EQ(g.ColKind2(2), "+");
  EXPECT_EQ(g.ColKind2(3), "");
  EXPECT_EQ(g.Tab(g.FreeVarRow, 2), 1);
  EXPECT_EQ(g.VarNames(1).str(), "a very long ");
  EXPECT_EQ(g.VarNames(2).str(), "b           ");
}

TEST(LPStandardForm, UnrestrictedVariableWithFiniteLowerBoundIsShifted) {
  // x1 is marked unrestricted but has the lower bound -3: it is shifted to start at 0 and is
  // not carried with a switchable sign.
  LP lp{.c = {2, 1},
        .a = {{1, 1}, {1, -1}},
        .rel = {"<=", ">="},
        .b = {4, -8},
        .lower = {"-3", "0"},
        .unrestricted = {"y", "n"}};
  Build(lp);
  ASSERT_EQ(g.InputErrorIndex, 0);
  EXPECT_EQ(g.NBoundA, 0);
  EXPECT_EQ(g.BoundLabel(1), "L");
  EXPECT_EQ(g.ObjShift, -6);
  EXPECT_EQ(g.Tab(3, g.NColsPlus1), 7);
  EXPECT_EQ(g.Tab(4, g.NColsPlus1), 5); // -8 + 3 = -5, then turned around
  EXPECT_EQ(g.Tab(g.FreeVarRow, 1), 0);
  EXPECT_EQ(g.LPData(g.FreeVarRow, 1), 1);
  EXPECT_EQ(g.ColKind2(1), "");
  EXPECT_EQ(g.NFreeVars, 1);
}

TEST(LPStandardForm, InputErrors) {
  LP lp{.c = {0, 0}, .a = {{1, 1}, {0, 0}, {0, 0}}, .rel = {"<=", "<=", "<="}, .b = {4, 0, 1}};
  Build(lp);
  EXPECT_EQ(g.InputErrorIndex, 2); // the objective row may be all zero, a constraint may not

  lp.a = {{1, 1}, {1, 0}, {0, 1}};
  lp.lower = {"2", "3"};
  lp.upper = {"2", "1"};
  Build(lp);
  EXPECT_EQ(g.InputErrorIndex, -2); // equal bounds pass, 3 > 1 does not

  lp.lower = {"-infinity", "0"};
  lp.upper = {"-999999", "infinity"};
  Build(lp);
  EXPECT_EQ(g.InputErrorIndex, 0);
}

TEST(LPStandardForm, ObjectiveRightHandSideCellCostsNothing) {
  LP lp{.c = {1, 1}, .a = {{1, 1}, {1, 0}}, .rel = {"<=", "<="}, .b = {5, 1}};
  FreshProgram();
  GridStore grid = MakeGrid(lp);
  grid.SetTextMatrix(2, 4, "7"); // the objective's R.H.S. cell, normally blank
  BuildLPStandardForm(grid);
  EXPECT_EQ(g.ColNames(4), "sx4"); // the column where that cell was read
  EXPECT_EQ(g.Tab(2, 4), 0);
  EXPECT_EQ(g.LPData(2, g.RHSInCol), 7);
  EXPECT_EQ(SolveLP(), LPStatus::Optimal);
  EXPECT_DOUBLE_EQ(g.ZValue, 5);
}

TEST(LPModelBackup, RestoreGivesTheBuiltModelBack) {
  LP lp{.c = {4, 1},
        .a = {{1, 1}, {1, -1}, {0, 1}},
        .rel = {"<=", "<=", ">="},
        .b = {6, -2, 1},
        .upper = {"1.5", "infinity"}};
  FreshProgram(5);
  BuildLPStandardForm(MakeGrid(lp, true));
  ASSERT_EQ(g.InputErrorIndex, 0);
  const BArray<double> built = g.Tab;
  const int16 ncols = g.NCols;
  ASSERT_EQ(SolveLP(), LPStatus::Optimal);
  const double z = g.ZValue;
  for (int round = 0; round < 3; ++round) {
    RestoreLPModel();
    EXPECT_EQ(g.NCols, ncols);
    for (int i = 2; i <= g.MRows + 5; ++i)
      for (int j = 1; j <= g.NColsPlus2; ++j)
        EXPECT_EQ(g.Tab(i, j), built(i, j)) << i << " " << j;
    for (int j = 1; j <= g.NCols; ++j)
      EXPECT_EQ(g.ColKind(j), "");
    EXPECT_EQ(g.TabBackup(2, 0), -1);
    EXPECT_EQ(g.LPData(g.MRows + 6, 1), 1); // the integer flags are not copied and survive
    EXPECT_EQ(SolveLP(), LPStatus::Optimal);
    EXPECT_DOUBLE_EQ(g.ZValue, z);
  }
  EXPECT_DOUBLE_EQ(z, 4 * 1.5 + 4.5); // x1 at its upper bound
}
