// The final report of a solved linear program on the output screen: objective value, the
// variables, the constraints with their slacks and surpluses, and the sensitivity analysis.
#pragma once

namespace quon {

// Builds the summary from the last solve on the output screen, which is already shown. Also
// leaves the final tableau B^-1 A in Tableau for the ranges and the printed summary.
void ShowLPOutputSummary();

} // namespace quon
