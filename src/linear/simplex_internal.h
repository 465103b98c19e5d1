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

} // namespace quon
