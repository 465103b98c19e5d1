// Branch and bound over the simplex engine. A node of the search is the integer program's
// linear relaxation with tighter variable bounds; it never adds a constraint row. Every node is
// rebuilt from the input data (LPData rows 0..LastConstrRow) into the standard form in Tab,
// solved by SolveLP and classified here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/mod1.h"

namespace quon {

// What PickBranchingVariable returns besides a variable number (1..NVars).
inline constexpr int16 kNodeIntegral = 0;
inline constexpr int16 kNodeInfeasible = -1;
inline constexpr int16 kNodeUnbounded = -2;
// The engine stopped without a result (pivot cap, singular basis): nothing can be concluded
// about the node, so the search must not treat it as infeasible.
inline constexpr int16 kNodeSolveFailed = -3;

// Position (from 1) of a node id in NodeIds, 0 when absent.
int16 FindNodePosition(int16 id);

// Restores the input bounds, tightens them by the node's branches (the stack BBVar/BBVal for
// OutputOption 1, NodeBounds of node CurNodeId for OutputOption 2), writes them to the bound
// rows of LPData and Tab and builds the standard form. Returns false, without building, when
// the tightened bounds of some variable cross: the node is then infeasible as it stands.
bool ApplyNodeBounds();

// The node's standard form in Tab from the input layout that ApplyNodeBounds left there.
void BuildSubproblemLP();

// ApplyNodeBounds, then SolveLP; a node with crossed bounds is marked infeasible (LPResult and
// ZValue as the engine marks one) without a solve.
LPStatus SolveNode();

// After SolveNode: kNodeInfeasible, kNodeUnbounded, kNodeSolveFailed, kNodeIntegral, or the
// lowest-index integer-restricted variable whose value is not whole (IsWholeValue).
int16 PickBranchingVariable();

// Whether a solution value counts as whole: within 1E-8 of an integer, or within 1E-10 of its
// size when that is more, but never more than 1E-4 off.
bool IsWholeValue(double v);

// The user-guided tree's incumbent (BestBound): none yet is ObjSense * infinity, which every
// integer node improves on and no node is dominated by, whatever its objective.
void ResetUserTreeIncumbent();
bool UserTreeHasIncumbent();

// " (MAX) ", " (MIN) " or "" by ObjSense.
std::string MinMaxLabel();

// The automated depth-first search.

// Most subproblems one search may examine; the search stops before solving one more.
extern int32 BBSubproblemLimit;

enum class SearchEnd {
  Completed,     // every node fathomed; BestIter 0 means no feasible solution exists
  Unbounded,     // a subproblem was unbounded
  LimitExceeded, // BBSubproblemLimit subproblems were examined
  SolveFailed,   // the simplex engine could not solve subproblem FinalIteration
};

struct SearchEvents {
  // Before subproblem n is solved (FinalIteration = n, its bounds in place).
  std::function<void(int32 n)> examining;
  // After it was solved and classified (r as PickBranchingVariable returned it).
  std::function<void(int32 n, int16 r)> examined;
  // A new incumbent: BestObj, BestIter, ZValue and XSol hold it.
  std::function<void()> improved;
};

// No incumbent: BestObj := ObjSense * Infinity, BestIter := 0.
void ResetIncumbent();

// One improving solution of the automated search, in the order found.
struct FoundSolution {
  int32 subproblem = 0;
  double z = 0;
  std::vector<double> x; // x(0) unused, x(j) for j = 1..NVars
};

// What the last automated search found and how it ended; the printed summary reads these.
const std::vector<FoundSolution> &FoundSolutions();
SearchEnd LastSearchEnd();

// Runs the search from the root with the current incumbent (see ResetIncumbent); leaves the
// number of the last subproblem examined in FinalIteration.
SearchEnd RunAutomatedSearch(const SearchEvents &events = {});

} // namespace quon
