// The transportation simplex: the starting bases (north-west corner, least cost, Vogel), the
// step routines on an explicit basis inverse, and the run to the optimum. Everything works on
// the transportation arrays of the program-wide data, as ReadTransInput leaves them.
#pragma once

#include <string>

namespace quon {

// How a run or a step ended. After a failure no further pivot is made, so nothing is pivoted
// on a stale inverse.
enum class TransOutcome {
  Optimal,       // no cell prices out: the current basis is optimal
  Stepped,       // a cell enters (TransPriceBasis only)
  SingularBasis, // a (re-)inversion found determinant 0
  NoLeavingCell, // the ratio test found no position to leave
  PivotCapReached,
  // The optimum ships on a cell whose cost stands for "infinity".
  NoFeasibleSolution,
};

// The message the screens show for an outcome that is not a normal end.
std::string TransOutcomeMessage(TransOutcome outcome);

// Reduced costs must exceed this (or the rounding noise of large costs) to enter; ratio-test
// alphas must exceed it to qualify.
inline constexpr double kTransTolerance = 1E-8;

// Puts the constraint column of `cell` into basis position `position` of BasisMat and copies
// the whole basis matrix into InvInput (right-hand sides untouched). Does not invert.
void TransSetBasisColumn(int cell, int position);

// Inverts the basis of BasisList into BInv. A transportation basis is a spanning tree of the
// sources and destinations and its inverse holds only 0, 1 and -1, so it is read off the tree
// exactly (the same matrix a general LU inversion gives) in time proportional to M squared
// rather than M cubed. Determinant is 1, or 0 and false when the cells do not form a spanning
// tree (BInv then stays as it was).
bool InvertTransBasis();

// Chooses the first basis by TransStartMethod (1 north-west corner, 2 least cost, 3 Vogel; any
// other value keeps BasisList as it stands), builds the basis matrix and inverts it. Consumes
// TransSupply and TransDemand. False when the inversion finds the basis singular.
bool TransStartSolution();

// XBasic, ZValue and XSol of the current basis.
void TransBasicSolution();
// Duals, RedCost and Entering (0 when optimal; marked basic when there is one). While costs
// stand for "infinity" or "-infinity", DualWords and RedCostWords too, and the entering cell is
// chosen on them: a word outweighs any finite sum, and "infinity" any number of "-infinity".
void TransPricing();
// AlphaCol, the loop marks, Leaving and LeavingRow; updates BasisList, CostB and the leaving
// cell's mark. False (and nothing updated but the loop marks) when no position qualifies.
bool TransRatioTest();
// The entering column into position LeavingRow and a fresh inverse. False on determinant 0.
bool TransPivot();

// The state a new start needs: the full amounts back from the right-hand sides (a start
// consumes them) and every cell non-basic.
void TransRestoreStart();

// Whether any cost of the problem stands for "infinity" or "-infinity".
bool TransHasWords();

// Whether a cost is the one standing for a typed "infinity" or "-infinity".
bool TransIsInfinityCost(double cost);

// Shipments at or below this are rounding noise, not an amount on a route.
double TransShipmentNoise();

// How the current shipments (XSol) stand in total cost: 1 when it ships on an "infinity" route
// (no bound above), -1 when it ships on a "-infinity" route and on none of those (no bound
// below), 0 when the total is the finite sum of its costs.
int TransSolutionInfinity();

// Prices the current basis (XBasic, ZValue, Duals, RedCost, Entering; with costs of "infinity"
// or "-infinity" also DualWords and RedCostWords). Stepped when a cell enters (the caller runs
// the ratio test and the pivot); NoFeasibleSolution when none does and the basis still ships on
// an "infinity" route; else Optimal (the total is "-infinity" when TransSolutionInfinity says so).
TransOutcome TransPriceBasis();

// Start by TransStartMethod, then pivot to the optimum. Leaves IterCount, XSol and ZValue.
TransOutcome SolveTransportation();

// Safety net against endless degenerate cycling in a run to the optimum (the final solve and
// the tableaus' "All Iterations").
extern int TransPivotCap;

} // namespace quon
