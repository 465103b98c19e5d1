// The dual simplex start of a linear program already in standard form: whether the all-slack
// basis can start the dual simplex directly, the rewrite of the standard form into the
// all-"<=" slack form it needs, and the typed penalty M of the M-method.
#pragma once

namespace quon {

// What the dual simplex item does with the standard form in the data module.
enum class DualStartRoad {
  Convert,       // every variable passed: rewrite the form and iterate by the dual simplex
  Equations,     // an "=" row: the user must turn equations into inequalities first
  AllSlack,      // a cost makes the slack basis non-optimal, and every row is "<="
  TwoPhaseOrM,   // a cost makes the slack basis non-optimal, and some row is ">=" or "="
  BoundedOrFree, // a variable is unrestricted or some variable has an explicit bound
};

// Tests the variables in order; the first one that fails decides the road.
DualStartRoad DualSimplexRoad();

// Rewrites Tab in place: one slack column per constraint (n+1..n+m, "sx" for a former "<="
// row, "Sx" for a former ">=" row), every row "<=" with former ">=" rows negated, NCols = m+n.
// The rewritten form has no artificial column, so both artificial counts become 0 (the range
// computations would otherwise run past the slack columns into the right-hand side).
void ConvertToDualSimplexForm();

// The M-method's penalty as typed: every artificial column (name beginning with "R") costs
// ObjSense x M, in Cost and in the objective row of Tab. BigM changes only when such a
// column exists.
void ApplyTypedBigM(double typedM);

// Whether the objective row of the M-method stays finite with this M: its products with every
// column of the constraints and with the right-hand sides (summed in magnitude, as a row of
// the tableau sums them) and with every cost are finite numbers.
bool BigMFitsData(double typedM);

} // namespace quon
