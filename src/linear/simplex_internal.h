// Pieces of the simplex engine that its two drivers share.
#pragma once

#include "shell/mod1.h"

namespace quon {

// XSol and ZValue from the final basis: flipped columns back to bound minus value, lower
// bounds added back, negated unrestricted variables back in their own sign.
void AssembleSolution();
// Records the outcome in LPResult and sets the ZValue sentinel of a run without a solution.
// The primal driver also leaves phase 1 and its sense behind on such an exit.
LPStatus EndRun(LPStatus status, bool primal = true);
// Whether BInv was computed afresh (not carried by updates) since the last pivot, and the
// fresh inversion of the current basis matrix (false: singular).
bool SimplexInverseIsFresh();
bool SimplexReinvert();

// What the checks of a verdict (verdict_check.cpp) read of the primal engine's run.
namespace simplex {

// A result is checked against the program as typed with this relative tolerance.
inline constexpr double kCheckTol = 1E-7;

// The factor column j was scaled by while a badly scaled program is solved scaled (else 1).
double ColScale(int j);
bool IsArtificial(int j);
// Whether an unrestricted column may still change sign (it has no bound to stand at).
bool MaySwitchSign(int j);
// Carries column j over to its complement u - x, or back.
void FlipToBound(int j);
// The sign that takes a change of column j's value to a change of its variable as typed.
double Orientation(int j);
// Column j's value x in the engine's units, and its value in the final basis, taken back to the
// variable as typed; and the size of the numbers that value is summed from.
double TypedColumnValue(int j, double x);
double ColumnSolution(int j);
double ColumnMagnitude(int j);
// Whether the inverse judges zeros against their terms (the exact inversion), and a fresh
// inverse by that rule for a basis the checks put in place (false: singular).
bool JudgesZerosByTerms();
bool ReinvertJudgingZerosByTerms();

} // namespace simplex
} // namespace quon
