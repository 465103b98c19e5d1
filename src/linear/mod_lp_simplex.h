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

// Safety cap on the pivots of one solve; a run that reaches it ends with
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
// rule for the rest of the run.
void SimplexPricing();
// AlphaCol, Leaving, LeavingRow for the column Entering; updates the basis lists; negates
// Entering and sets ZValue to +Infinity when nothing bounds the entering column.
void SimplexRatioTest();
// Puts column Entering into basis position LeavingRow and re-inverts the basis when a column
// leaves (Leaving neither 0 nor a bound flip). Returns false only when the new basis matrix
// is singular; BInv then still holds the previous inverse.
bool SimplexPivot();
// WorkCol := constraint column |k| of Tab; for r > 0 also column r of BasisMat, and the
// whole BasisMat is copied into InvInput.
void SimplexSetBasisColumn(int k, int r);

// Solves the standard form to its end (two phases when it has artificial columns). ZValue
// keeps the result convention (-Infinity: no feasible solution, +Infinity: unbounded); the
// status is also left in LPResult. A run stopped by the pivot cap or by a singular basis
// reports no solution: ZValue = -Infinity, XSol untouched.
LPStatus SolveLP();
// The dual simplex run for LPMethod 5, from the slack basis, until no basic value is negative
// or no column can enter the leaving row. A model not yet in the dual simplex starting form
// (a restored one) is converted first, as the dual simplex item converts it.
LPStatus SolveLPDualSimplex();

// True once the current run has switched to Bland's rule because a basis repeated.
bool SimplexUsesBlandRule();

} // namespace quon
