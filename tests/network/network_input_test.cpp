#include <gtest/gtest.h>

#include "network/network_input.h"
#include "shell/mod1.h"
#include "support/grid_text.h"

namespace quon {
namespace {

using test::MakeGrid;
using test::SetRow;

GridStore ThreeNodes() {
  GridStore grid = MakeGrid(5, 5);
  SetRow(grid, 1, {"Node Name", "Alpha", "A name of many letters", "C"});
  SetRow(grid, 2, {"Alpha", "", "7", "infinity"}, 1);
  SetRow(grid, 3, {"", "Infinity", "", "12abc"}, 1);
  SetRow(grid, 4, {"", "-infinity", "", ""}, 1);
  return grid;
}

TEST(NetworkInput, ReadsNamesAndArcsRowMajor) {
  g = Mod1{};
  g.NodeCount = 3;
  g.NetSubModel = 0;
  ReadNetworkInput(ThreeNodes());
  EXPECT_EQ(g.VarNames(1).str(), "Alpha       ");
  EXPECT_EQ(g.VarNames(2).str(), "A name of ma");
  EXPECT_DOUBLE_EQ(g.Cost(1), 999999); // empty diagonal: no loop arc
  EXPECT_DOUBLE_EQ(g.Cost(2), 7);
  EXPECT_DOUBLE_EQ(g.Cost(3), 999999); // "infinity"
  EXPECT_DOUBLE_EQ(g.Cost(4), 0);      // a capital letter is no infinity
  EXPECT_DOUBLE_EQ(g.Cost(6), 12);     // row 3, column 4: arc 2 to 3
  EXPECT_DOUBLE_EQ(g.ArcMatrix(2, 3), 12);
  EXPECT_DOUBLE_EQ(g.ArcMatrix(3, 1), 0); // "-infinity"
  EXPECT_DOUBLE_EQ(g.ArcMatrix(3, 2), 999999);
}

TEST(NetworkInput, EmptyCellIsMissingCapacityForMaximalFlow) {
  g = Mod1{};
  g.NodeCount = 3;
  g.NetSubModel = 4;
  ReadNetworkInput(ThreeNodes());
  EXPECT_DOUBLE_EQ(g.ArcMatrix(1, 1), -999999);
  EXPECT_DOUBLE_EQ(g.ArcMatrix(1, 3), 999999);
}

TEST(NetworkInput, NodeCountFollowsTheGrid) {
  // A stale node count must not size the arrays short of the grid being read.
  g = Mod1{};
  g.NodeCount = 2;
  ReadNetworkInput(ThreeNodes());
  EXPECT_EQ(g.NodeCount, 3);
  EXPECT_DOUBLE_EQ(g.Cost(9), 999999);
}

} // namespace
} // namespace quon
