// The simplex method one tableau at a time, as the tableau view shows it: each step prices the
// current basis (the engine's SimplexBasicSolution and SimplexPricing), the view shows that
// tableau, and the step then takes its pivot (SimplexRatioTest, SimplexPivot) or tells how
// the run ends. The view keeps each tableau as a TableauRecord - its basis, its objective row
// and solution column - and makes the body B^-1 A from the basis when it is drawn, so a long
// run costs memory by the tableau, not by the cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/mod1.h"

namespace quon {

// How the part of a step after its tableau is shown ended.
enum class TableauStepEnd {
  Pivoted,          // a pivot or a bound flip was made; the next step shows the new tableau
  Unbounded,        // no row bounds the entering column (Entering negative, Leaving 0)
  Optimal,          // no column enters (primal) or no basic value is negative (dual)
  Phase1Feasible,   // phase 1 ended with w = 0: Phase -2, the phase-2 costs are in place
  Phase1Infeasible, // phase 1 ended with w > 0
  ArtificialBasic,  // no column enters, but an artificial variable is basic at a positive
                    // level (ArtificialBasicRow names it): the problem has no feasible
                    // solution, or M is too small for it
  DualInfeasible,   // a basic value is negative and no column can enter its row
  Singular,         // the new basis matrix is singular; the run cannot go on
  Unproven,         // the tableau's verdict fails its check in exact arithmetic and no step
                    // mends it: no verdict can be shown
};

// Column state: bit 0 the column is complemented at its upper bound (ColKind "U"); bits 1-2
// the sign mark ColKind2 (0 "", 1 "+", 2 "-").
std::uint8_t ColumnState(int j);
// The column's heading in a tableau with that state: ColKind and BoundLabel trimmed together,
// then ColNames, then ColKind2.
std::string ColumnLabel(int j, std::uint8_t state);
bool IsArtificialColumn(int j);

// One tableau as shown.
struct TableauRecord {
  int32 iteration = 0;                   // the number in its heading
  int16 phase = 0;                       // Phase when shown
  int16 sense = 0;                       // ObjSense when shown (phase 1 minimises)
  std::vector<int16> basis;              // basic column of rows 1..m (element 0 unused)
  std::vector<double> objective;         // reduced costs of columns 1..n, objective value at n+1
  std::vector<double> solution;          // B^-1 b of rows 1..m (element 0 unused)
  std::vector<std::uint8_t> columnState; // ColumnState of columns 1..n (element 0 unused)
};

// The constraint columns as the iterations begin; every body is made from them.
struct TableauBase {
  int m = 0, n = 0;
  std::vector<double> a;                 // column j, row i at (j - 1) * m + (i - 1)
  std::vector<std::uint8_t> columnState; // states at the start (element 0 unused)
};
TableauBase CaptureTableauBase();

// After SimplexInit: decides how the run judges its numbers (see TableauRunJudgesRelative).
void BeginTableauRun();
// Whether the run's data are far enough from 1 in size that every zero, pivot and sign is judged
// relative to the terms that formed the value, every value refined against the basis matrix (the
// M-method's objective row then kept as an M part and the rest).
bool TableauRunJudgesRelative();
// Of a relative run: whether exact arithmetic proves, from the current basis, that the program
// has no feasible solution (the basis minimises the sum of the artificial values, and that sum
// is above 0). False where it does not, or where the run is not checked exactly.
bool TableauProvesNoFeasibleSolution();
// The ratio test and pivot of a step by the run's rule (SimplexRatioTest, SimplexPivot otherwise).
void TableauRatioTest();
bool TableauPivot();

// Brings the engine to the current basis (basic solution, pricing) and records its tableau;
// the objective value includes ObjShift outside phase 1.
TableauRecord BuildSimplexTableau();

// B^-1 a_j for j = 1..n of the record's basis, column j, row i at (j - 1) * m + (i - 1): the
// columns complemented or negated since the start enter with their sign. False when the basis
// matrix is singular (body left empty).
bool TableauBody(const TableauBase &base, const TableauRecord &record, std::vector<double> &body);

// The first basis row whose basic variable is artificial at a positive level, 0 when none is.
int ArtificialBasicRow();

// The rest of a primal step once its tableau is shown: the ratio test and pivot when a column
// enters; else the end of phase 1 (the phase-2 costs restored, no pivot) or of the run.
TableauStepEnd PrimalStepAfterShow();
// The rest of a dual simplex step: the most negative basic value leaves (top row on a tie),
// the smallest |reduced cost / entry| over negative entries enters (left-most on a tie), and
// the basis is updated and pivoted. Sets AltOptimaFlag.
TableauStepEnd DualStepAfterShow();

// The pivot a user's picks are checked against: the entering column, and the leaving column
// (negative when it leaves at its upper bound), kBoundFlip or 0 when no row bounds the column.
struct RulePivot {
  int entering = 0;
  int leaving = 0;
};
// The pivot of the tableau just priced by the textbook rules: the column of the largest score
// (left-most on a tie) and for it the row of the smallest ratio (top-most on a tie). The
// program's own pivot is that one until a repeated basis turns its pricing to Bland's rule;
// call it then, after BuildSimplexTableau and before the step's ratio test.
RulePivot TextbookPivot();

// The user's picks against that pivot: right only for its column and row, so that of tied
// candidates the left-most column and top-most row are right.
enum class PickVerdict { Right, Wrong, BoundFlip };
PickVerdict CheckEnteringPick(int col, const RulePivot &pivot);
PickVerdict CheckLeavingPick(int basicCol, const RulePivot &pivot);

} // namespace quon
