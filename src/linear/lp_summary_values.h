// Values that the LP output summary shows on the screen and on paper, computed once for both.
#pragma once

#include <string>
#include <vector>

#include "shell/mod1.h"

namespace quon {

// The sentence a summary shows instead of its tables when a solve ended without an optimum,
// or nullptr after an optimum (or before any solve).
const char *LPNoSolutionText(LPStatus status);

// The slack or surplus of one constraint after an optimal solve, in the two readings the
// summaries use.
struct ConstraintSlack {
  // From the final basis: the value of the basic slack, surplus or artificial column standing
  // in this row of the standard form, 0 when that column is non-basic or at most 1E-8.
  double basic = 0;
  // That column stands in a ">" row of the standard form (a surplus), so a row entered as "<"
  // with a negative right-hand side counts as a surplus here.
  bool surplus = false;
  // From the data as entered: right-hand side minus the left-hand side at XSol.
  double typed = 0;
};

// Entries 1..MRows (entry 0 unused).
std::vector<ConstraintSlack> ConstraintSlacks();

// The dual price of a bound line of variable j (index 1 the lower bound, 2 the upper bound):
// minus the reduced cost at the lower bound, the reduced cost at the upper bound, and 0 for
// the bound the variable does not stand at. Where it stands is read from its column in the
// final basis (non-basic, flipped to the upper bound or not), not from its value: a value put
// back from the shifted bounds may miss the bound in the last digit, and a variable whose two
// bounds are equal stands at only one of them.
double BoundDualPrice(int j, int index);

// How far variable j stands from that bound (x - L for the lower, U - x for the upper): exactly
// 0 while its column stands at the bound, read the same way.
double BoundSlack(int j, int index);

// One end of a sensitivity range as the summaries write it: the number in the current output
// pattern, or "-infinity" / "infinity" for an end that nothing limits.
std::string RangeEndText(double end);

} // namespace quon
