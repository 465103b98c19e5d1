#include <gtest/gtest.h>

#include <cmath>

#include "network/network_engine.h"
#include "network/network_fixture.h"

namespace quon::testing {
namespace {

class NetworkEngine : public ::testing::Test {
protected:
  void SetUp() override { g = Mod1{}; }
};

// ---- Minimal spanning tree ----

TEST_F(NetworkEngine, SpanningTreeOfTheExampleFromEachStart) {
  LoadNetwork(4, RouteExample(), 1, true);
  ReDimProblemArrays(ArrayKind::SpanningTree);
  g.FromNode = 1;
  g.TreeCount = 0;
  auto a = AddSpanningTreeArc();
  ASSERT_TRUE(a);
  EXPECT_EQ(a->from, 1);
  EXPECT_EQ(a->to, 3);
  // Leaving {1, 3}: 3-2 (1) beats 1-2 (3).
  a = AddSpanningTreeArc();
  EXPECT_EQ(a->from, 3);
  EXPECT_EQ(a->to, 2);
  a = AddSpanningTreeArc();
  EXPECT_EQ(a->from, 2);
  EXPECT_EQ(a->to, 4);
  EXPECT_EQ(g.TreeCount, 4);
  EXPECT_DOUBLE_EQ(g.ZValue, 4);
  for (int start = 2; start <= 4; ++start) {
    g.FromNode = static_cast<int16>(start);
    g.TreeCount = 0;
    for (int k = 1; k < 4; ++k)
      ASSERT_TRUE(AddSpanningTreeArc());
    EXPECT_DOUBLE_EQ(g.ZValue, 4) << "start " << start;
    EXPECT_EQ(g.TreeNodes(1), start);
  }
}

TEST_F(NetworkEngine, SpanningTreeTiesGoToTheLastArcMet) {
  LoadNetwork(3, {{1, 2, 5}, {1, 3, 5}, {2, 3, 7}}, 1, true);
  ReDimProblemArrays(ArrayKind::SpanningTree);
  g.FromNode = 1;
  EXPECT_EQ(AddSpanningTreeArc()->to, 3);
  // Negative arcs are chosen like any other.
  LoadNetwork(3, {{1, 2, -2}, {1, 3, 5}, {2, 3, -7}}, 1, true);
  ReDimProblemArrays(ArrayKind::SpanningTree);
  g.TreeCount = 0;
  AddSpanningTreeArc();
  AddSpanningTreeArc();
  EXPECT_DOUBLE_EQ(g.ZValue, -9);
}

TEST_F(NetworkEngine, SpanningTreeStopsWhereNoFiniteArcLeaves) {
  // Node 3 is reached only by an arc of 999999, which is no arc.
  LoadNetwork(3, {{1, 2, 4}, {2, 3, 999999}}, 1, true);
  ReDimProblemArrays(ArrayKind::SpanningTree);
  g.FromNode = 1;
  EXPECT_TRUE(AddSpanningTreeArc());
  EXPECT_FALSE(AddSpanningTreeArc());
  EXPECT_EQ(g.TreeCount, 0);
  // A start node without arcs fails at once.
  g.FromNode = 3;
  LoadNetwork(3, {{1, 2, 4}}, 1, true);
  ReDimProblemArrays(ArrayKind::SpanningTree);
  EXPECT_FALSE(AddSpanningTreeArc());
  // A longer arc typed as a number is an arc like any other.
  LoadNetwork(3, {{1, 2, 4}, {2, 3, 1000005}}, 1, true);
  ReDimProblemArrays(ArrayKind::SpanningTree);
  g.FromNode = 1;
  g.TreeCount = 0;
  EXPECT_TRUE(AddSpanningTreeArc());
  ASSERT_TRUE(AddSpanningTreeArc());
  EXPECT_DOUBLE_EQ(g.ZValue, 1000009);
}

// ---- Dijkstra ----

TEST_F(NetworkEngine, DijkstraRoutesOfTheExample) {
  LoadNetwork(4, RouteExample(), 2, true);
  ReDimProblemArrays(ArrayKind::Dijkstra);
  SolveDijkstra();
  EXPECT_EQ(DijkstraRouteText(1), " --");
  EXPECT_EQ(DijkstraRouteText(2), " 1 - 3 - 2");
  EXPECT_EQ(DijkstraRouteText(3), " 1 - 3");
  EXPECT_EQ(DijkstraRouteText(4), " 1 - 3 - 2 - 4");
  EXPECT_FLOAT_EQ(g.DijkstraDist(4), 4);
  for (int j = 2; j <= 4; ++j)
    EXPECT_LT(g.DijkstraPred(j), 0) << "node " << j << " permanent";
}

TEST_F(NetworkEngine, DijkstraTiesAndUnreachableNodes) {
  // Nodes 2 and 3 at the same label: node 2 first. Node 4 only behind an arc of 999999, which is
  // no arc; node 5 behind a route of 999999.5, which is a route.
  LoadNetwork(5, {{1, 2, 2}, {1, 3, 2}, {3, 4, 999999}, {2, 5, 999997.5}});
  ReDimProblemArrays(ArrayKind::Dijkstra);
  InitDijkstraLabels();
  DijkstraRelax();
  ASSERT_TRUE(DijkstraSelect());
  EXPECT_EQ(g.CurrentNode, 2);
  DijkstraRelax();
  DijkstraSelect();
  EXPECT_EQ(g.CurrentNode, 3);
  DijkstraRelax();
  ASSERT_TRUE(DijkstraSelect());
  EXPECT_EQ(g.CurrentNode, 5);
  DijkstraRelax();
  EXPECT_FALSE(DijkstraSelect());
  EXPECT_TRUE(std::isinf(g.DijkstraDist(4)));
  EXPECT_EQ(g.DijkstraPred(4), 4);
  EXPECT_EQ(DijkstraRouteText(4), "");
  EXPECT_DOUBLE_EQ(g.DijkstraDist(5), 999999.5);
  EXPECT_EQ(DijkstraRouteText(5), " 1 - 2 - 5");
}

TEST_F(NetworkEngine, DijkstraRouteWalkEndsOnAPredecessorCycle) {
  // A negative arc makes node 2 temporary again after node 3 relaxes it: 2 and 3 then point
  // at each other.
  LoadNetwork(4, {{1, 2, 1}, {2, 3, 1}, {3, 2, -5}, {1, 4, 10}});
  ReDimProblemArrays(ArrayKind::Dijkstra);
  SolveDijkstra();
  EXPECT_EQ(std::abs(g.DijkstraPred(2)), 3);
  EXPECT_EQ(std::abs(g.DijkstraPred(3)), 2);
  EXPECT_EQ(DijkstraRouteText(2), "");
  EXPECT_EQ(DijkstraRouteText(3), "");
  EXPECT_EQ(DijkstraRouteText(4), " 1 - 4");
}

// ---- Floyd ----

TEST_F(NetworkEngine, FloydPassesOfTheExample) {
  LoadNetwork(4, RouteExample(), 3, true);
  InitFloyd();
  EXPECT_TRUE(std::isinf(g.NetMatrix(1, 1))); // the empty diagonal is no route
  g.IterCount = 1;
  FloydStep();
  EXPECT_EQ(g.ChangedCells(1, 0), 0); // nothing is shorter through node 1
  g.IterCount = 2;
  FloydStep();
  // 1-2-4 (5) and 3-2-4 (3); rows in the table of pass 1 (rows 6 to 11).
  ASSERT_EQ(g.ChangedCells(1, 0), 4);
  EXPECT_EQ(g.ChangedCells(1, 1), 6 + 1 + 1);
  EXPECT_EQ(g.ChangedCells(2, 1), 4);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 4), 5);
  EXPECT_EQ(g.NetMatrix2(1, 4), 2);
  for (g.IterCount = 3; g.IterCount <= 4; ++g.IterCount)
    FloydStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 4), 4);
  EXPECT_EQ(FloydRouteText(FloydRouteNodes(1, 4)), "1- 3- 2- 4");
  EXPECT_EQ(FloydRouteText(FloydRouteNodes(1, 3)), "1- 3");
  EXPECT_EQ(FloydRouteText(FloydRouteNodes(4, 1)), "4- 2- 3- 1");
}

TEST_F(NetworkEngine, FloydTieKeepsTheSequenceNode) {
  LoadNetwork(3, {{1, 2, 1}, {2, 3, 1}, {1, 3, 2}});
  InitFloyd();
  SolveFloyd();
  EXPECT_EQ(g.IterCount, 4);
  EXPECT_EQ(g.NetMatrix2(1, 3), 3);
  EXPECT_EQ(FloydRouteText(FloydRouteNodes(1, 3)), "1- 3");
}

TEST_F(NetworkEngine, FloydNeverRoutesThroughAnAbsentArc) {
  // With a negative arc, 999999 + (-5) would be taken for a route from 1 to 3.
  LoadNetwork(3, {{2, 3, -5}});
  InitFloyd();
  SolveFloyd();
  EXPECT_TRUE(std::isinf(g.NetMatrix(1, 3)));
  EXPECT_EQ(g.NetMatrix2(1, 3), 3);
  // A number beyond single precision stays a (huge) number, not an infinity.
  LoadNetwork(3, {{1, 2, 1e300}, {2, 3, 1e300}});
  InitFloyd();
  SolveFloyd();
  EXPECT_TRUE(std::isfinite(g.NetMatrix(1, 3)));
}

TEST_F(NetworkEngine, FloydRouteExpansionEndsOnANegativeCycle) {
  LoadNetwork(3, {{1, 2, 1}, {2, 3, 1}, {3, 2, -5}});
  InitFloyd();
  SolveFloyd();
  EXPECT_EQ(g.NetMatrix2(1, 2), 3);
  EXPECT_EQ(g.NetMatrix2(1, 3), 2);
  EXPECT_TRUE(FloydRouteNodes(1, 2).empty());
  EXPECT_EQ(FloydRouteText({}), "");
}

// ---- Maximal flow ----

TEST_F(NetworkEngine, MaximalFlowOfTheExamplePassByPass) {
  LoadNetwork(4, FlowExample(), 4);
  InitMaxFlow();
  MaxFlowStep(); // 1-2-4 by the largest residual from node 1, then from node 2
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 2);
  ASSERT_EQ(g.NetMatrix2(1, 0), 2);
  EXPECT_EQ(g.NetMatrix2(2, 1), 2);
  EXPECT_EQ(g.NetMatrix2(2, 2), 4);
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 1), 3); // labels are the residuals, the flow their minimum
  EXPECT_FLOAT_EQ(g.NetMatrix(2, 1), 2); // an empty reverse cell gains the flow
  MaxFlowStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 2);
  MaxFlowStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 1);
  EXPECT_EQ(g.NetMatrix2(1, 0), 3);
  MaxFlowStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 0);
  EXPECT_EQ(g.NetMatrix2(1, 0), 0);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 0), 5);

  LoadNetwork(4, FlowExample(), 4);
  InitMaxFlow();
  SolveMaxFlow();
  EXPECT_EQ(g.IterCount, 4);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 0), 5);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 2), 3);
  EXPECT_FLOAT_EQ(g.NetMatrix(2, 3), 1);
  EXPECT_FLOAT_EQ(g.NetMatrix(2, 1), 0); // reverse direction: no flow
  EXPECT_DOUBLE_EQ(g.LPData(2, 1), -999999);
}

TEST_F(NetworkEngine, MaximalFlowCancelsFlowOverAnArcWithoutReverseCell) {
  // The first path 1-2-3-4 blocks 1-3-2-4 unless flow on 2-3 can be sent back.
  LoadNetwork(4, {{1, 2, 1}, {1, 3, 1}, {2, 3, 1}, {2, 4, 1}, {3, 4, 1}}, 4);
  InitMaxFlow();
  SolveMaxFlow();
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 0), 2);
  EXPECT_EQ(g.IterCount, 3);
  EXPECT_FLOAT_EQ(g.NetMatrix(2, 3), 0);
  EXPECT_FLOAT_EQ(g.NetMatrix(3, 2), 0);
}

TEST_F(NetworkEngine, MaximalFlowBacktracksFromADeadEnd) {
  // From node 1 the largest residual leads to node 2, which has no way on: the pass goes back
  // and takes node 3; the breakthrough is the smallest label, not the last.
  LoadNetwork(4, {{1, 2, 9}, {1, 3, 4}, {3, 4, 6}}, 4);
  InitMaxFlow();
  MaxFlowStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 4);
  ASSERT_EQ(g.NetMatrix2(1, 0), 2);
  EXPECT_EQ(g.NetMatrix2(1, 1), 1);
  EXPECT_EQ(g.NetMatrix2(2, 1), 3);
  // A source without capacity: one pass, no flow.
  LoadNetwork(3, {{2, 3, 4}}, 4);
  InitMaxFlow();
  SolveMaxFlow();
  EXPECT_EQ(g.IterCount, 1);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 0), 0);
}

TEST_F(NetworkEngine, MaximalFlowPassesEndWithHugeCapacities) {
  // A capacity above 999999 sends 999999 a pass while that lowers its residual.
  LoadNetwork(3, {{1, 2, 2500000}, {2, 3, 2500000}}, 4);
  InitMaxFlow();
  SolveMaxFlow();
  EXPECT_EQ(g.IterCount, 4);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 0), 2500000);
  // Where 999999 is lost in the residual's precision, the path takes its residual whole
  // instead of sending the same 999999 over it in every pass.
  LoadNetwork(3, {{1, 2, 1e14}, {2, 3, 1e14}}, 4);
  InitMaxFlow();
  MaxFlowStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 1e14f);
  MaxFlowStep();
  EXPECT_FLOAT_EQ(g.NetMatrix(0, 0), 0);
  EXPECT_FLOAT_EQ(g.NetMatrix(1, 0), 1e14f);
}

} // namespace
} // namespace quon::testing
