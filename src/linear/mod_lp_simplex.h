// The revised simplex engine on an explicit basis inverse: its step routines (shared with the
// tableau iterations and the user-guided pivots), the primal driver SolveLP and the dual
// simplex driver SolveLPDualSimplex. Every input and result is program-wide data (Mod1).
#pragma once

#include "shell/mod1.h"

namespace quon {

// Leaving codes beside a column number: the entering column flips to its upper bound
// instead of entering; anything above the threshold names a column that leaves.
inline constexpr int16 kBoundFlip = -22222;
inline constexpr int16 kLeavingThreshold = -11111;

// Safety cap on the pivots of one solve (a Klee-Minty program of 19 variables, the largest
// that is not solved scaled, needs 2^19 - 1 under the largest-improvement rule); a run that
// reaches it, or that goes 20000 pivots without improving its objective, ends with
// LPStatus::PivotCapReached.
extern int LPPivotCap;

// Costs, sense, starting basis (the slack or artificial column of every row) and its
// inverse; Phase must be set first (1 for a phase-1 start). Clears the cycling record.
// Returns false when the starting basis matrix is singular.
bool SimplexInit();
// Carries out a pending flip (Leaving < 0), then XBasic = B^-1 b and ZValue.
void SimplexBasicSolution();
// Duals, reduced costs, sign flips of unrestricted columns, AltOptimaFlag and Entering
// (0: optimal). Once a basis repeats within a run, the entering column is chosen by Bland's
// rule until the objective strictly improves.
void SimplexPricing();
// AlphaCol, Leaving, LeavingRow for the column Entering; updates the basis lists; negates
// Entering and sets ZValue to +Infinity when nothing bounds the entering column.
void SimplexRatioTest();
// Puts column Entering into basis position LeavingRow when a column leaves (Leaving neither 0
// nor a bound flip) and carries BInv over by a rank-one update; the basis is inverted afresh
// every so many pivots and when the pivot entry is too small to divide by. Returns false only
// when the new basis matrix is singular; BInv then still holds the previous inverse.
bool SimplexPivot();
// WorkCol := constraint column |k| of Tab; for r > 0 also column r of BasisMat, and the
// whole BasisMat is copied into InvInput.
void SimplexSetBasisColumn(int k, int r);

// Solves the standard form to its end (two phases when it has artificial columns); the status,
// also left in LPResult, is the result. Each verdict is read from a basis inverted afresh; an
// optimum is checked against the program as typed (LPData, ConstrType) and an unbounded ray
// likewise. A basis found infeasible on an inversion that zeroes no small entry is first
// repaired by dual steps, and a pivot on a rounding error taken back and taken again with that
// inversion (a few times in a run); an answer that fails even so ends as NumericalFailure, unless
// the repair met a basic value outside its bounds that no column can move back, which proves
// the program infeasible. The
// optimum of a program solved scaled is priced and checked again on that inversion where its
// own zeroed an entry or a basic value, or left a value outside its bounds. A first phase that
// ends with a positive sum of artificial values on an inverse that zeroed entries goes on, for a
// few pivots, on that inversion: the program is called infeasible unless they reach a basis
// whose artificial values are rounding noise. Unlike the step-by-step roads, the run first brings each free
// column into the basis where that changes no value, lets a basic free column pass 0 (it is turned around)
// and breaks ratio ties by the largest entry, so that degenerate programs (a game's) take few
// pivots. ZValue keeps the old convention for callers that read it (-Infinity (the
// program's 999999): no solution, +Infinity: unbounded); XSol is assembled only at an optimum.
LPStatus SolveLP();
// Solves the model saved at submission by SolveLP (a phase 1 whatever M is) aside from the run
// in progress: the program-wide data and the engine's own state are put back as they were, so
// only the returned status tells of the solve.
LPStatus SolveSavedLPAside();
// The dual simplex run for LPMethod 5, from the slack basis, until no basic value is negative
// or no column can enter the leaving row. A model not yet in the dual simplex starting form
// (a restored one) is converted first, as the dual simplex item converts it.
LPStatus SolveLPDualSimplex();

// True once the current run has used Bland's rule because a basis repeated, and while it
// still does.
bool SimplexUsesBlandRule();
bool SimplexBlandRuleActive();

} // namespace quon
