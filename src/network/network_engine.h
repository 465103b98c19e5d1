// The network algorithms on the program-wide network data: Prim's minimal spanning tree,
// Dijkstra's and Floyd's shortest routes and the maximal flow by labelling passes. Each works
// step by step on the shared arrays, so the output screen can show every step and the printed
// output can read the same state; the screen builders (network/ui) add only the views.
//
// Labels, distances, residuals and flows are held in double precision and added on the decimal
// grid of their terms (DecimalSum), so a value shows as the number typed and a sum or a
// residual as the decimal it stands for.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "shell/mod1.h"

namespace quon {

// The value of an absent arc as read ("infinity" or an empty cell).
inline constexpr double kNoArc = 999999.0;

// A capacity typed "infinity" (read as 999999) as the maximal flow holds it: a residual that no
// flow lowers. A breakthrough over such arcs alone is itself infinite: the flow is unbounded.
inline constexpr double kUnlimited = std::numeric_limits<double>::infinity();

// ---- Minimal spanning tree (TreeCount, TreeNodes, InTree, FromNode, ZValue) ----

struct TreeArc {
  int16 from = 0; // the tree node the arc leaves
  int16 to = 0;   // the node that joins the tree
  double length = 0;
};

// Starts the tree afresh at FromNode with length 0.
void StartSpanningTree();
// Adds the shortest arc that leaves the tree (ties: the last met, by tree position and then
// node number) and lengthens ZValue; starts the tree first when TreeCount is 0. Arcs of exactly
// 999999 are absent and skipped; any other value is a length. Without an arc leaving the tree
// it cannot grow: TreeCount becomes 0 and nothing is returned.
std::optional<TreeArc> AddSpanningTreeArc();

// ---- Dijkstra (DijkstraDist, DijkstraPred, CurrentNode) ----

// Node 1 permanent at 0, every other node temporary and unlabelled (kUnlimited); CurrentNode 1.
void InitDijkstraLabels();
// Relaxes every arc that leaves CurrentNode (permanent nodes included, strict improvement).
void DijkstraRelax();
// Makes the temporary node of smallest label permanent (ties: lowest number) and makes it
// CurrentNode; false when no temporary node has a label.
bool DijkstraSelect();
// Labels afresh and NodeCount - 1 relaxations and selections: the final labels.
void SolveDijkstra();
// The route from node 1 to node j by the predecessors, " 1 - 3 - 2" (node 1 alone: " --");
// empty when j has no label, or when the predecessors do not lead back to node 1 within
// NodeCount nodes (possible only with negative arc values).
std::string DijkstraRouteText(int j);

// ---- Floyd (NetMatrix = D, NetMatrix2 = S, ChangedCells, IterCount = next pivot) ----

// Dimensions the arrays (kind 73) and loads D from Cost (an absent arc as kUnlimited), S(i, j) = j.
void InitFloyd();
// The pass with pivot IterCount: lists the changed D cells in ChangedCells (1 to 2, 0 to n*n)
// with their rows in the table of the previous pass. A leg without a route (kUnlimited) never
// carries a pivot; every finite one does, however long.
void FloydStep();
// Every pass, so that IterCount ends at NodeCount + 1.
void SolveFloyd();
// The nodes of the route from f to t, expanded through S; empty when the expansion would pass
// NodeCount nodes (a cycle of negative length).
std::vector<int> FloydRouteNodes(int f, int t);
// "1- 3- 2- 4" for the route nodes; empty for an empty list.
std::string FloydRouteText(const std::vector<int> &nodes);

// ---- Maximal flow (NetMatrix residuals and path labels, NetMatrix2 path, LPData) ----

// Dimensions the arrays (kind 74): residuals from the capacities in Cost, a missing capacity
// (an empty cell) starting at 0 so that flow sent the other way can later be cancelled, an
// "infinity" one at kUnlimited; LPData holds the capacities as read.
void InitMaxFlow();
// One labelling pass from node 1 to node NodeCount: a breakthrough leaves its flow in
// NetMatrix(0, 0) (residuals and total NetMatrix(1, 0) updated), none leaves 0. A path of
// unlimited arcs only sends kUnlimited, and the total becomes kUnlimited.
void MaxFlowStep();
// True once a breakthrough was unlimited: no later pass can change the (unbounded) total.
bool MaxFlowUnbounded();
// Passes until one finds no breakthrough (IterCount counts them all, that one included) or
// one is unlimited (counted too), then NetMatrix(i, j) := the flow on arc (i, j), kUnlimited
// on the arcs of an unlimited breakthrough.
void SolveMaxFlow();

} // namespace quon
