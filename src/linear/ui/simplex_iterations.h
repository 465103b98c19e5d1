// The simplex tableaus of a linear program on the output screen, one block per step, for the
// all-slack, M-, two-phase and dual simplex methods; the stepping buttons' and the grid
// click's part for linear programs; and what the printed tableaus read.
#pragma once

#include <string>

namespace quon {

// Starts the iterations for LPMethod (and Phase) on the output screen and shows the first
// tableau.
void ShowSimplexIterations();
// The tableau view's heading on the output screen; fills the option list when it is empty.
void ShowSimplexTableauHeading();
// One step: the tableau of the current basis, then its pivot (or the end of the run).
void PrimalTableauStep();
void DualTableauStep();

// "Next Iteration" and "All Iterations" for a linear program.
void SimplexNextIteration();
void SimplexAllIterations();
// A click on the output grid: the user's entering and leaving picks on the newest tableau.
void SimplexTableauClick();

// How the run of tableaus on the screen ended, as its message said; empty while it goes on.
std::string SimplexRunVerdict();

// Gives the output grid back to the views that fill it cell by cell.
void EndSimplexTableauView();

} // namespace quon
