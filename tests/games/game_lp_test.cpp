#include <gtest/gtest.h>

#include "games/game_lp.h"
#include "linear/lp_model.h"
#include "shell/mod1.h"
#include "support/grid_text.h"

namespace quon {
namespace {

using test::MakeGrid;
using test::SetRow;

class GameLP : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.Infinity = 999999;
    g.ModelClass = ModelClassCode::Games;
    g.DataChanged = 1;
    g.LPMethod = 3;
  }
};

TEST_F(GameLP, TwoByThreeGameLayout) {
  GridStore grid = MakeGrid(3, 4);
  SetRow(grid, 1, {"3", "-1", "3abc"});
  SetRow(grid, 2, {"", "4", "-2.5"});
  BuildGameLP(grid);

  EXPECT_EQ(g.MRows, 4);
  EXPECT_EQ(g.NVars, 3);
  EXPECT_EQ(g.NCols, 7);
  EXPECT_EQ(g.NColsPlus1, 8);
  EXPECT_EQ(g.NColsPlus2, 9);
  EXPECT_EQ(g.TypeCol, 4);
  EXPECT_EQ(g.RHSInCol, 5);
  EXPECT_EQ(g.LastConstrRow, 6);
  EXPECT_EQ(g.LBRow, 7);
  EXPECT_EQ(g.UBRow, 8);
  EXPECT_EQ(g.FreeVarRow, 9);
  EXPECT_EQ(g.NArtificial1, 0);
  EXPECT_EQ(g.NArtificial2, 1);
  EXPECT_EQ(g.NFreeVars, 1);
  EXPECT_EQ(g.ObjSense, -1);
  EXPECT_EQ(g.ObjSenseSaved, -1);
  EXPECT_EQ(g.DataChanged, 0);
  EXPECT_EQ(g.LPMethod, 0);
  EXPECT_EQ(g.GameRows, 2);
  EXPECT_EQ(g.GameCols, 3);

  // The payoffs come back from LPData as the output side restores them.
  const double typed[3][4] = {{0, 0, 0, 0}, {0, 3, -1, 3}, {0, 0, 4, -2.5}};
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 3; ++j)
      EXPECT_DOUBLE_EQ(-g.LPData(j + 2, i + 1), typed[i][j]) << i << "," << j;

  // Objective: maximise v.
  EXPECT_DOUBLE_EQ(g.Tab(2, 1), 1);
  EXPECT_DOUBLE_EQ(g.Tab(2, 2), 0);
  for (int r = 3; r <= 5; ++r) {
    EXPECT_DOUBLE_EQ(g.Tab(r, 1), 1);
    EXPECT_DOUBLE_EQ(g.Tab(r, g.NColsPlus1), 0);
    EXPECT_DOUBLE_EQ(g.Tab(r, g.NColsPlus2), -1);
    EXPECT_DOUBLE_EQ(g.LPData(r, g.TypeCol), -1);
    for (int k = 4; k <= 7; ++k)
      EXPECT_DOUBLE_EQ(g.Tab(r, k), k == r + 1 ? 1 : 0);
  }
  EXPECT_DOUBLE_EQ(g.Tab(3, 2), -3);
  EXPECT_DOUBLE_EQ(g.Tab(5, 3), 2.5);
  // Probabilities sum to one through the artificial of the "=" row.
  EXPECT_DOUBLE_EQ(g.Tab(6, 1), 0);
  EXPECT_DOUBLE_EQ(g.Tab(6, 2), 1);
  EXPECT_DOUBLE_EQ(g.Tab(6, 3), 1);
  EXPECT_DOUBLE_EQ(g.Tab(6, 7), 1);
  EXPECT_DOUBLE_EQ(g.Tab(6, g.NColsPlus1), 1);
  EXPECT_DOUBLE_EQ(g.Tab(6, g.NColsPlus2), 0);
  EXPECT_DOUBLE_EQ(g.LPData(6, g.RHSInCol), 1);

  EXPECT_EQ(g.ColNames(4), "sx4");
  EXPECT_EQ(g.ColNames(6), "sx6");
  EXPECT_EQ(g.ColNames(7), "Rx7");
  EXPECT_EQ(g.ColNames(1), "");
  EXPECT_EQ(g.ColKind2(1), "+");
  EXPECT_EQ(g.ColKind2(2), "");
  EXPECT_EQ(g.ConstrType(3).str(), "<");
  EXPECT_EQ(g.ConstrType(4).str(), "=");

  // v is unrestricted below; the strategies are non-negative; nothing has a finite bound.
  EXPECT_EQ(g.Tab(g.LBRow, 1), -kLPInfinity);
  EXPECT_DOUBLE_EQ(g.Tab(g.LBRow, 2), 0);
  EXPECT_DOUBLE_EQ(g.Tab(g.FreeVarRow, 1), 1);
  EXPECT_DOUBLE_EQ(g.Tab(g.FreeVarRow, 3), 0);
  for (int k = 1; k <= 7; ++k)
    EXPECT_EQ(g.Tab(g.UBRow, k), kLPInfinity);
}

TEST_F(GameLP, SizesComeFromTheGridRead) {
  g.GameRows = 5;
  g.GameCols = 5;
  GridStore grid = MakeGrid(3, 3);
  BuildGameLP(grid);
  EXPECT_EQ(g.GameRows, 2);
  EXPECT_EQ(g.GameCols, 2);
  EXPECT_EQ(g.NCols, 6);
  EXPECT_EQ(g.ColNames(6), "Rx6");
}

} // namespace
} // namespace quon
