// Checks of the primal engine's verdicts on the program as typed (LPData, ConstrType), shared by
// its driver SolveLP.
#pragma once

#include "shell/mod1.h"

namespace quon {

// Whether the final basic solution, taken back to the variables as typed, meets every row and
// bound of the program as typed to a tolerance relative to the terms that formed it.
bool SolutionHolds();
// Whether the unbounded verdict's ray (column e entering, the basic ones along -AlphaCol) stays
// feasible on the program as typed and improves its objective.
bool RayHolds(int e);
// Whether the optimal verdict holds in the program's own units: priced on a fresh inverse, no
// non-basic column improves the objective beyond a tolerance relative to its terms.
bool OptimalityHolds(bool solvedScaled);
// The same on the current inverse; beyond Eps too unless `exact`.
bool PricesOut(bool exact);
// Confirms or refutes SolveLP's verdict on the program as typed, exactly on its decimals where
// the double-precision checks do not decide, and returns the verdict to show; at an optimum the
// solution is assembled.
LPStatus ConfirmVerdict(LPStatus status);

} // namespace quon
