// The transportation model on the output screen: the output summary of the final solution,
// and the tableaus of the transportation simplex step by step with their multipliers,
// reduced costs and change-of-basis loop. The output screen is shown before any of these is
// called; the shell's handlers call the step functions below.
#pragma once

namespace quon {

// The final solution (after SolveTransportation) as the output summary.
void ShowTransOutputSummary();

// The final-solution road on the shown output screen: solved from the least-cost start with
// the full amounts, then the summary. A solve that cannot go on shows its message instead.
void ShowTransFinalSolution();

// The output screen's option list on a transportation problem: 1 the summary, 2 the tableaus
// from the starting method in TransStartMethod; both start from the full amounts.
void TransOutputOptionChosen(int option);

// "Write to Printer": the tableaus (OutputPageKind 1) or the summary (2).
bool PrintTransOutput();

// Lays out the screen for tableaus and shows the first one, from the start in TransStartMethod
// and the full amounts in TransSupply and TransDemand.
void ShowTransIterations();
// The page heading, the tableau title and the user's steps, drawn on the output screen.
void ShowTransTableauHeading();
// One iteration: prices the basis, shows its tableau with the loop recorded and pivots, or
// shows the optimal tableau and ends (both step buttons disabled). A basis that cannot be
// inverted, or a loop without a leaving cell, also ends with a message; Entering is then 0.
void TransTableauStep();
// Writes the tableau of the current basis at TableauRowOffset.
void ShowTransTableau();

// The stepping buttons' cycle: the multiplier choice closes, the next block is added below
// the last one and one step runs. "All" repeats it until no cell enters.
void TransNextIteration();
void TransAllIterations();

// The multiplier list's choice (item `index`, from 0: u1..um, then v1..vn) set to zero: the
// first tableau's u and v are shifted and rewritten.
void TransChooseZeroMultiplier(int index);

// Drops the tableaus of the run the output grid shows (their cells are made when drawn, from
// what each tableau keeps); the grid keeps none of their rows.
void EndTransTableauView();

// A click on the output grid's cell while tableaus are shown: a cell of the current loop takes
// its colour (entering green, leaving red, others grey); any other cell beeps.
void TransLoopCellClick(int row, int col);

// "Write to Printer" on the tableaus: the original data and every block shown.
bool PrintTransTableaus();

} // namespace quon
