// Sensitivity analysis of a solved linear program: the range of one objective coefficient,
// right-hand side or bound over which the final basis stays optimal and feasible.
#pragma once

namespace quon {

// The final tableau B^-1 A (and B^-1 b) into Tableau rows 3..MRows+2, entries of magnitude
// below 1E-8 stored as 0. The ranges read it, so it comes first.
void ComputeFinalTableau();

// The two ends of one range; an end that nothing limits is an infinity of its sign.
struct RangeEnds {
  double lower;
  double upper;
};

// One range of the ranged quantity (its value as entered plus the allowed change):
//   mode 0: objective coefficient of variable `variable` (index not read)
//   mode 1: right-hand side of constraint `index`, model without bounds
//   mode 2: right-hand side of constraint `index`, model with bounds
//   mode 3: lower (index 1) or upper (index 2) bound of a variable: `variable` = j when
//           variable j is non-basic, -i when it is basic in position i
// Any other mode has no range: both ends are NaN.
RangeEnds SensitivityRange(int mode, int index, int variable);

// The sign that turns Duals(r) into the dual price of constraint r as typed: -1 where the
// solved row is the typed row multiplied by -1, else 1.
int DualPriceSign(int r);

} // namespace quon
