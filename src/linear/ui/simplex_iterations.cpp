#include "linear/ui/simplex_iterations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "linear/mod_lp_simplex.h"
#include "linear/simplex_steps.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

const char *const kAltOptimaPrimal =
    " is optimal.  Alternative soltuion(s) detected: Click a nonbasic var with zj-cj=0 in last tableau, then "
    "click NEXT ITERATION button.  Output Summary cannot be used to view alternative optima solution ";
const char *const kAltOptimaDual =
    " is optimal.  Alternative soltuion(s)detected: Click a nonbasic var with zj-cj=0 in last tableau, then "
    "click NEXT ITERATION button.  Output Summary cannot be used to view alternative optima solution ";
const char *const kEnteringTie =
    "If there is a tie, QUON always selects left-most TIED col only. Else, your selection is not consistent with "
    "Optimality Condition. Re-select or click NEXT/ALL ITERATIONS button.";
const char *const kLeavingTie =
    "If there is a tie, QUON always selects top-most TIED row only.  Else, your selection is not consistent with "
    "Feasiblity Condition. Reselect or clik NEXT/ALL ITERATIONS button.";

constexpr int32 kNothingPending = -11111;

void Info(const std::string &text, const char *title) {
  MsgBox(text, msg::OKOnly | msg::Information, title);
}

// A tableau block as the view keeps it: the record of the tableau shown in it (none for the
// empty block an unbounded "Next Iteration" leaves) and the columns and rows painted since.
struct Block {
  bool shown = false;
  TableauRecord record;
  std::vector<int> greenCols; // grid columns, rows 0..m+5 of the block
  std::vector<int> redRows;   // rows within the block, every column
};

// What a click on the newest tableau may do.
enum class Picks {
  None,        // nothing: the run ended without an optimum, or phase 2 is yet to begin
  Check,       // a pivot is due: the user's picks are checked against `rule`
  PostOptimum, // the tableau is optimal: one column with z_j - c_j = 0 may enter
};

struct TableauView {
  TableauBase base;
  std::vector<Block> blocks;
  int m = 0, n = 0;
  std::string pattern;
  Picks picks = Picks::None;
  RulePivot rule;
  std::string verdict; // how the run ended, as its message said; empty while it goes on
};

TableauView &View() {
  static TableauView view;
  return view;
}

int BlockRows() {
  return g.MRows + 7;
}

// The message that ends a run, kept for the printout of its tableaus.
void EndInfo(const std::string &text, const char *title) {
  View().verdict = text;
  Info(text, title);
}

// Round-off of the dense solve, not a value of the tableau.
double Clean(double v) {
  return std::fabs(v) < 1E-11 ? 0.0 : v;
}

// A value that a refusal gives as its reason: in the output format, or, where that rounds it
// to 0, in enough digits to show that it is not.
std::string VisibleValue(double v, const std::string &pattern) {
  std::string text = Trim(Format(v, pattern));
  if (v != 0 && Val(text) == 0) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.3g", v);
    text = digits;
  }
  return text;
}

std::string BoundText(double v, bool lower) {
  if (lower && (v == -g.Infinity || (std::isinf(v) && v < 0))) return "-infinity";
  if (!lower && (v == g.Infinity || (std::isinf(v) && v > 0))) return "infinity";
  return Format(v, View().pattern);
}

std::string HeadingText(const TableauRecord &r) {
  if (g.LPMethod == 4) return "Phase" + Str(std::abs(static_cast<int>(r.phase))) + " (Iter" + Str(r.iteration);
  return "Iteration" + Str(r.iteration);
}

// Fills one block's cells: the texts and colours of the tableau it shows, then its paint.
void MakeBlock(int index, std::vector<SourcedCell> &cells) {
  const TableauView &v = View();
  const int m = v.m, n = v.n, cols = n + 2;
  if (index < 0 || index >= static_cast<int>(v.blocks.size()) || !v.blocks[index].shown) return;
  if (cells.size() < static_cast<std::size_t>(m + 7) * cols) return;
  const Block &b = v.blocks[index];
  const TableauRecord &r = b.record;
  auto cell = [&](int row, int col) -> SourcedCell & { return cells[static_cast<std::size_t>(row) * cols + col]; };
  auto look = [&](int row, int col, Rgb back, Rgb fore) {
    CellAttr &a = cell(row, col).attr;
    a.back = back;
    a.hasBack = true;
    a.fore = fore;
    a.hasFore = true;
  };
  const std::string &pat = v.pattern;

  for (int c = 0; c < cols; ++c) {
    look(0, c, kCyan, kBlue);
    look(1, c, kCyan, kBlue);
  }
  cell(0, 0).text = HeadingText(r);
  for (int j = 1; j <= n + 1; ++j)
    cell(0, j).text = j <= std::min<int>(g.NVars, n) ? g.VarNames(j).str() : " ";
  cell(1, 0).text = "Basic";
  for (int j = 1; j <= n; ++j)
    cell(1, j).text = ColumnLabel(j, r.columnState[j]);
  cell(1, n + 1).text = "Solution";

  cell(2, 0).text = r.sense == 1 ? "z (min)" : "z (max)";
  for (int j = 1; j <= n; ++j)
    cell(2, j).text = r.phase == 2 && IsArtificialColumn(j) ? "blocked" : Format(r.objective[j], pat);
  cell(2, n + 1).text = Format(r.objective[n + 1], pat);

  std::vector<double> body;
  const bool haveBody = TableauBody(v.base, r, body);
  for (int k = 1; k <= m; ++k) {
    const int row = 2 + k;
    const int basic = r.basis[k];
    cell(row, 0).text = basic >= 1 && basic <= n ? ColumnLabel(basic, r.columnState[basic]) : "";
    for (int j = 1; j <= n; ++j) {
      if (haveBody) cell(row, j).text = Format(Clean(body[static_cast<std::size_t>(j - 1) * m + (k - 1)]), pat);
      if (j >= n + 1 - m) look(row, j, kWhite, kBlue);
    }
    cell(row, n + 1).text = Format(Clean(r.solution[k]), pat);
  }
  for (int row = 0; row <= m + 2; ++row)
    look(row, 0, kCyan, kBlue);

  const char *boundLabels[] = {"Lower Bound", "Upper Bound", "Unrestr'd (y/n)?"};
  for (int q = 0; q < 3; ++q) {
    const int row = m + 3 + q;
    look(row, 0, kCyan, kBlue);
    cell(row, 0).text = boundLabels[q];
    for (int j = 1; j <= g.NVars && j <= n; ++j) {
      if (q == 0) cell(row, j).text = BoundText(g.LPData(g.LBRow, j), true);
      if (q == 1) cell(row, j).text = BoundText(g.LPData(g.UBRow, j), false);
      if (q == 2) cell(row, j).text = g.LPData(g.FreeVarRow, j) != 0 ? "y" : "n";
    }
  }

  // The row is painted after the column, so the pivot cell is red.
  for (int c : b.greenCols)
    if (c >= 0 && c < cols)
      for (int row = 0; row <= m + 5; ++row) {
        CellAttr &a = cell(row, c).attr;
        a.back = kGreen;
        a.hasBack = true;
      }
  for (int row : b.redRows)
    if (row >= 0 && row < m + 7)
      for (int c = 0; c < cols; ++c) {
        CellAttr &a = cell(row, c).attr;
        a.back = kRed;
        a.hasBack = true;
      }
}

Block *BlockAtRow(int32 gridRow) {
  TableauView &v = View();
  if (gridRow < 0) return nullptr;
  const auto index = static_cast<std::size_t>(gridRow / BlockRows());
  if (index >= v.blocks.size()) v.blocks.resize(index + 1);
  return &v.blocks[index];
}

// Green column `col` in the block that begins at grid row `blockTop` (rows 0..m+5 of it).
void PaintColumn(int32 blockTop, int col) {
  if (Block *b = BlockAtRow(blockTop)) b->greenCols.push_back(col);
  scr5().outputGrid.ForgetSourcedBlocks();
}

// Red grid row `gridRow`, every column.
void PaintRow(int32 gridRow) {
  if (Block *b = BlockAtRow(gridRow)) b->redRows.push_back(gridRow % BlockRows());
  scr5().outputGrid.ForgetSourcedBlocks();
}

// The block of the newest tableau shown (an unbounded end's empty block comes after it).
const Block *NewestShownBlock() {
  const TableauView &v = View();
  if (g.TableauOutState < 1) return nullptr;
  const auto index = static_cast<std::size_t>((g.TableauOutState - 1) / BlockRows());
  return index < v.blocks.size() && v.blocks[index].shown ? &v.blocks[index] : nullptr;
}

void AwaitPicks(Picks picks, RulePivot rule = {}) {
  View().picks = picks;
  View().rule = rule;
}

void RecordPendingHighlight() {
  g.ChangedCells(1, 0) = g.Entering;
  g.ChangedCells(2, 0) = g.Leaving;
  g.ChangedCells(1, 1) = g.TableauRowOffset;
  g.ChangedCells(2, 1) = g.Entering;
  g.ChangedCells(1, 2) = g.LeavingRow + g.TableauRowOffset + 2;
  g.ChangedCells(2, 2) = 0;
}

void ClearPendingHighlight() {
  g.ChangedCells(1, 0) = 0;
  g.ChangedCells(2, 0) = kNothingPending;
}

// The newest block: paints the previous step's pivot, then keeps the tableau for drawing.
void ShowSimplexTableau(TableauRecord record) {
  Grid &grid = scr5().outputGrid;
  if (g.ChangedCells(1, 0) > 0) PaintColumn(g.ChangedCells(1, 1), g.ChangedCells(2, 1));
  if (g.ChangedCells(2, 0) > kNothingPending) PaintRow(std::abs(g.ChangedCells(1, 2)));
  g.TableauOutState = grid.Rows() - 1 - (g.MRows + 5);
  for (int k = 1; k <= g.MRows; ++k)
    g.LPRowWork(k) = g.BasisList(k);
  record.iteration = g.IterCount + 1;
  Block *b = BlockAtRow(g.TableauRowOffset);
  if (b) {
    b->shown = true;
    b->record = std::move(record);
  }
  grid.ForgetSourcedBlocks();
  grid.SetTopRow(g.TableauRowOffset);
}

void DisableStepping() {
  scr5().cmdNextIter.SetEnabled(false);
  scr5().cmdFinalIter.SetEnabled(false);
}

void OptimalMessage(const char *altText) {
  const std::string n = std::to_string(g.IterCount + 1);
  if (g.AltOptimaFlag == 0) EndInfo("Iteration " + n + " is optimal", "Optimal Tableau");
  if (g.AltOptimaFlag == 1) EndInfo("Iteration " + n + altText, "Optimal Tableau");
}

// How an M-method end that a too small M explains closes its message.
constexpr const char *kMTooSmall =
    ": M is too small for this problem.  Enter a larger value of M on the SOLVE/MODIFY screen.";

// An optimum that keeps an artificial variable basic at a positive level satisfies the
// constraints only with that variable's help. The problem has no feasible solution only if a
// solve with a phase 1 (which needs no M) finds none; otherwise M is too small for it, since
// the penalty then costs less than some feasible solution.
void ArtificialBasicEnd() {
  AwaitPicks(Picks::None);
  const int k = ArtificialBasicRow();
  const int col = g.BasisList(k);
  const std::string n = std::to_string(g.IterCount + 1);
  const std::string artificial =
      "the artificial variable " + ColumnLabel(col, ColumnState(col)) + " = " + Trim(Format(g.XBasic(k), View().pattern));
  const LPStatus status = TableauProvesNoFeasibleSolution() ? LPStatus::Infeasible : SolveSavedLPAside();
  if (status == LPStatus::Optimal || status == LPStatus::Unbounded)
    EndInfo("Iteration " + n + " is optimal for M = " + NumText(std::fabs(g.Tab(2, col))) + ", but " + artificial +
             " is still in the basis" + kMTooSmall,
         "Value of M");
  else
    EndInfo("Problem has no feasible solution.  Iteration " + n + " is optimal with " + artificial +
             " in the basis, so no solution satisfies every constraint.",
         "No Feasible Solution");
  DisableStepping();
}

// A ray of the M-method's program may owe its growth to an artificial variable that grows with
// it, which pays off where M is too small; the solve with a phase 1 tells what the program has.
void UnboundedEnd() {
  if (g.LPMethod == 3) {
    int artificial = 0;
    for (int j = g.NCols; j >= 1; --j)
      if (IsArtificialColumn(j)) artificial = j;
    const LPStatus status = artificial != 0 ? SolveSavedLPAside() : LPStatus::Unbounded;
    if (status == LPStatus::Infeasible || status == LPStatus::Optimal) {
      const std::string grows = "The last tableau lets the objective grow without bound";
      if (status == LPStatus::Infeasible)
        EndInfo("Problem has no feasible solution.  " + grows +
                 " only with an artificial variable growing too, so no solution satisfies every constraint.",
             "No Feasible Solution");
      else
        EndInfo(grows + " for M = " + NumText(std::fabs(g.Tab(2, artificial))) +
                 " only because an artificial variable grows with it" + kMTooSmall,
             "Value of M");
      return;
    }
  }
  EndInfo("Last tableau shows solution is unbounded", "Optimal Tableau");
}

void SingularEnd() {
  g.Entering = 0;
  g.Phase = 0;
  AwaitPicks(Picks::None);
  DisableStepping();
  EndInfo("Iterations stopped: the new basis is numerically singular, so no further tableau can be computed",
       "Singular Basis");
}

// A tableau whose verdict exact arithmetic refutes, where no step mends it, shows none.
void UnprovenEnd() {
  g.Entering = 0;
  g.Phase = 0;
  AwaitPicks(Picks::None);
  DisableStepping();
  EndInfo("Iterations stopped: the last tableau's verdict does not hold in exact arithmetic on this problem's data, "
          "and the computer's precision cannot carry the iterations further",
          "Numerical Difficulty");
}

// The M-method's objective row is M times sums of B^-1 entries, which may grow past a double's
// range some pivots after the first tableau, whose products the SOLVE/MODIFY screen checked;
// such a tableau would show infinities and send the run round for ever.
bool TableauBeyondRange(const TableauRecord &record) {
  for (double v : record.objective)
    if (!std::isfinite(v)) return true;
  return false;
}

void MTooLargeEnd() {
  g.Entering = 0;
  g.Phase = 0;
  AwaitPicks(Picks::None);
  DisableStepping();
  EndInfo("Iterations stopped: the next tableau's numbers pass the largest number the computer holds, so M is "
          "too large for this problem.  Enter a smaller value of M on the SOLVE/MODIFY screen.",
          "Value of M");
}

// How a press of a stepping button went: a step was taken, or the run ended (or nothing).
enum class Cycle { Stepped, Ended };

Cycle LPCycle(bool all) {
  // A step after an optimum (the one post-optimum iteration) ends the run afresh.
  View().verdict.clear();
  // A run that passes the engine's safety cap ends instead of growing the grid for ever.
  if (g.IterCount >= LPPivotCap) {
    AwaitPicks(Picks::None);
    DisableStepping();
    EndInfo("Iterations stopped after " + std::to_string(g.IterCount) +
             " tableaus: the run reached the limit on simplex pivots without an optimal tableau",
         "Iteration Limit");
    return Cycle::Ended;
  }
  Grid &grid = scr5().outputGrid;
  g.TableauCount += 1;
  g.TableauRowOffset = static_cast<int32>(g.MRows + 7) * g.TableauCount;
  grid.SetRows(g.TableauRows + g.TableauRowOffset);
  g.IterCount += 1;
  if (g.Leaving == kBoundFlip) {
    PrimalTableauStep();
    return Cycle::Stepped;
  }
  if ((g.Entering > 0 && g.Leaving != 0) || g.Phase == -2) {
    g.Phase = static_cast<int16>(std::abs(g.Phase));
    if (g.LPMethod == 5)
      DualTableauStep();
    else
      PrimalTableauStep();
    return Cycle::Stepped;
  }
  if (g.Entering == 0) {
    if (all)
      EndInfo("Last tableau is optimal", "Optimal Tableau");
    else
      EndInfo("Iteration " + std::to_string(g.IterCount + 1) + " is optimal", "Optimal Tableau");
    DisableStepping();
    return Cycle::Ended;
  }
  if (g.Leaving == 0) {
    AwaitPicks(Picks::None);
    PaintColumn(g.ChangedCells(1, 1), std::abs(g.Entering));
    UnboundedEnd();
    DisableStepping();
    if (all) grid.SetRows(grid.Rows() - g.TableauRows);
    return Cycle::Ended;
  }
  return Cycle::Ended;
}

void LayOutGrid(Scr5 &f) {
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  grid.Reset(0, 0);
  grid.FixedRows = 0;
  grid.FixedCols = 1;
  grid.ScrollBars = ScrollBarsMode::Vertical;
  grid.SetCols(g.NCols + 2);
  grid.SetRows(g.TableauRows);
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);

  int widest = static_cast<int>(NumberFormatString().size());
  for (int j = 1; j <= g.NVars; ++j)
    widest = std::max(widest, static_cast<int>(g.VarNames(j).str().size()));
  const int colWidth = 97 * widest;
  grid.SetColWidth(0, 97 * 15);
  grid.ColAlignment.at(0) = kAlignLeft;
  for (int c = 1; c < grid.Cols(); ++c) {
    grid.SetColWidth(c, colWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
  }
  const double total = static_cast<double>(grid.Cols() - 1) * colWidth + 97 * 15;
  const double room = w - 2400;
  if (total > room) grid.ScrollBars = ScrollBarsMode::Both;
  const int width = RoundTwips(VarMin(total, room) + 320);
  grid.Move(RoundTwips((w - width) * 0.5), GridTopBelowHeading(f, 1.2, f.Frame2), width, grid.Height());

  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) * 0.5), grid.Top() - f.Frame2.Height(), f.Frame2.Width(),
                f.Frame2.Height());
  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) * 0.5), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  grid.SetVisible(true);
  f.cmdNextIter.SetEnabled(true);
  f.cmdFinalIter.SetEnabled(true);
  f.Frame2.SetVisible(true);

  grid.SetCellSource({0, BlockRows(), [](int block, std::vector<SourcedCell> &cells) { MakeBlock(block, cells); }});
  // A tableau's two heading rows stay in view while its rows scroll.
  grid.BlockOf = [](int row) { return GridStore::RowBlock{row / BlockRows() * BlockRows(), 2}; };
}

// A non-basic column with z_j - c_j = 0 on the optimal tableau enters for one iteration toward
// an alternative optimum. Every other click is refused with the rule it breaks (a basic
// column, the labels or the Solution column is no variable to enter; any other column would
// make the next tableau non-optimal); a column that no row bounds shows that the optimal set
// is unbounded, and the optimum stays as it is.
void PostOptimumPick(int col) {
  Scr5 &f = scr5();
  const Block *b = NewestShownBlock();
  if (!b || col < 0) return;
  const TableauRecord &r = b->record;
  const std::string &pat = View().pattern;
  const char *invite = " For an alternative optimum click a nonbasic var with zj-cj=0 in last tableau.";
  if (col == 0 || col > g.NCols) {
    Info(std::string(col == 0 ? "The row labels are not variables" : "The Solution column is not a variable") +
             ": only a nonbasic variable can enter the basis." + invite,
         "Post-Optimum Iteration");
    return;
  }
  const std::string name = ColumnLabel(col, r.columnState[col]);
  if (g.NonBasicMark(col) == 0) {
    Info(name + " is a basic variable: only a nonbasic variable can enter the basis." + invite,
         "Post-Optimum Iteration");
    return;
  }
  if (IsArtificialColumn(col)) {
    Info(name + " is an artificial variable: it cannot enter the basis." + invite, "Post-Optimum Iteration");
    return;
  }
  // The pricing has set every reduced cost within its tolerance of 0 to 0.
  if (r.objective[col] != 0) {
    Info(name + " has zj-cj = " + VisibleValue(r.objective[col], pat) +
             ", not 0: the next tableau would not be optimal." + invite,
         "Post-Optimum Iteration");
    return;
  }
  // The iteration continues the run it follows (phase 2 of the two-phase method).
  const int16 phase = g.Phase, mark = g.NonBasicMark(col), leaving = g.Leaving, leavingRow = g.LeavingRow;
  const double z = g.ZValue;
  g.Phase = r.phase;
  g.Entering = static_cast<int16>(col);
  g.NonBasicMark(col) = 0;
  TableauRatioTest();
  if (g.Leaving == 0) {
    g.Phase = phase;
    g.Entering = 0;
    g.NonBasicMark(col) = mark;
    g.Leaving = leaving;
    g.LeavingRow = leavingRow;
    g.ZValue = z;
    Info(name + " has zj-cj = 0 but no positive entry in its column: it can increase without limit while z stays "
                "at its optimal value " +
             Trim(Format(r.objective[static_cast<std::size_t>(View().n) + 1], pat)) +
             ". So the optimal solutions form an unbounded set; the optimal value itself is bounded.",
         "Post-Optimum Iteration");
    return;
  }
  g.EnterSelState = static_cast<int16>(col);
  f.cmdNextIter.SetEnabled(true);
  PaintColumn(g.TableauOutState - 1, col);
  RecordPendingHighlight();
  AwaitPicks(Picks::Check, {col, g.Leaving});
  if (!TableauPivot()) SingularEnd();
  g.AltOptimaFlag = 2;
  f.Frame4.SetVisible(false);
}

// The heading again at the optimum: what the form shows is cleared first, so that nothing is
// drawn over itself.
void RedrawHeading() {
  Scr5 &f = scr5();
  ClearToFrame(f);
  ShowSimplexTableauHeading();
}

} // namespace

void ShowSimplexTableauHeading() {
  Scr5 &f = scr5();
  const int w = ScreenWidth();
  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontBold(true);
  f.Frame4.SetVisible(false);
  f.grid1.SetVisible(false);

  std::string method;
  switch (g.LPMethod) {
  case 2: method = "(Starting All-Slack Method)"; break;
  case 3: method = "(M-Method)"; break;
  case 4: method = "(Two-Phase Method)"; break;
  case 5: method = "(Dual Simplex Method)"; break;
  case 6: method = "(Bounded Simplex Method)"; break;
  case 7: method = "(Bounded Dual Simplex Method)"; break;
  default: break;
  }
  auto rule = [&] { f.Line(1200, f.CurrentY(), w - 1200, f.CurrentY(), f.ForeColor()); };
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetDrawWidth(1);
  f.SetCurrentY(f.CurrentY() * 1.02);
  const std::string title = "SIMPLEX TABLEAU - " + method;
  f.SetCurrentX((w - f.TextWidth(title)) * 0.5);
  f.Print(title);
  rule();
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem("Output summary");
    f.Combo1.AddItem("Iterations");
  }
  f.SetCurrentX(1200);
  f.SetCurrentY(f.CurrentY() * 1.01);
  f.Print("Title: " + g.HeaderText[1] + (g.ObjSense == 1 ? " (Minimize)" : " (Maximize)"));
  rule();
  f.SetFontSize(8);
  f.SetCurrentX(1200);
  f.Print("Steps for generating NEXT tableau from CURRENT one:");
  for (const char *line :
       {"1.  ENTERING variable: Click a NONBASIC variable (if correct, column turns green)",
        "2.  LEAVING variable: Click a BASIC variable (if correct, row turns red)",
        "3.  Click command button NEXT ITERATION (or ALL ITERATIONS) -- This step may be executed without Steps "
        "1 and/or 2."}) {
    f.SetCurrentX(1600);
    f.Print(line);
  }
  rule();
}

void ShowSimplexIterations() {
  Scr5 &f = scr5();
  // One block's rows follow from the model alone.
  g.TableauRows = static_cast<int16>(g.MRows + 7);
  g.ChangedCells.ReDim(2, 2);
  g.ChangedCells(2, 0) = kNothingPending;
  g.OutputPageKind = 1;
  ShowSimplexTableauHeading();

  TableauView &v = View();
  v = TableauView{};
  v.m = g.MRows;
  v.n = g.NCols;
  v.pattern = NumberFormatString();
  LayOutGrid(f);

  const bool started = SimplexInit();
  g.IterCount = 0;
  g.TableauRowOffset = 0;
  g.TableauCount = 0;
  g.Phase = static_cast<int16>(g.LPMethod == 4 ? 1 : 0);
  v.base = CaptureTableauBase();
  if (started) BeginTableauRun();
  if (!started) {
    SingularEnd();
    return;
  }
  if (g.LPMethod == 5)
    DualTableauStep();
  else
    PrimalTableauStep();
}

void PrimalTableauStep() {
  TableauRecord record = BuildSimplexTableau();
  if (TableauBeyondRange(record)) {
    MTooLargeEnd();
    return;
  }
  ShowSimplexTableau(std::move(record));
  const bool entering = g.Entering != 0;
  // Bland's rule steers the program's own pivot only; picks are checked by the stated rules.
  const bool ownRule = entering && SimplexBlandRuleActive();
  const RulePivot stated = ownRule ? TextbookPivot() : RulePivot{};
  const TableauStepEnd end = PrimalStepAfterShow();
  if (end == TableauStepEnd::Unproven) {
    UnprovenEnd();
    return;
  }
  // A verdict that exact arithmetic refuted is mended by a further step, shown as any other.
  if (entering || end == TableauStepEnd::Pivoted || end == TableauStepEnd::Singular ||
      (end == TableauStepEnd::Unbounded && g.Entering != 0)) {
    AwaitPicks(Picks::Check, ownRule ? stated : RulePivot{std::abs(g.Entering), g.Leaving});
    RecordPendingHighlight();
    if (end == TableauStepEnd::Singular) SingularEnd();
    return;
  }
  AwaitPicks(end == TableauStepEnd::Optimal ? Picks::PostOptimum : Picks::None);
  switch (end) {
  case TableauStepEnd::ArtificialBasic:
    ArtificialBasicEnd();
    break;
  case TableauStepEnd::Phase1Infeasible:
    EndInfo("Phase 2 nixed.  Phase1 shows the problem has no feasible solution", "Phase 1");
    DisableStepping();
    break;
  case TableauStepEnd::Phase1Feasible:
    ClearPendingHighlight();
    if (g.NextIterFlag == 1) Info("End of Phase 1: Feasible solution found--initiating Phase 2", "Phase 1");
    break;
  default:
    if (g.EnterSelState == 0) OptimalMessage(kAltOptimaPrimal);
    DisableStepping();
    RedrawHeading();
    break;
  }
}

void DualTableauStep() {
  ShowSimplexTableau(BuildSimplexTableau());
  switch (DualStepAfterShow()) {
  case TableauStepEnd::Optimal:
    AwaitPicks(Picks::PostOptimum);
    if (g.EnterSelState == 0) OptimalMessage(kAltOptimaDual);
    DisableStepping();
    break;
  case TableauStepEnd::DualInfeasible:
    AwaitPicks(Picks::None);
    EndInfo("Problem has no feasible solution--Iterations stopped", "Entering Var");
    DisableStepping();
    break;
  case TableauStepEnd::Singular:
    RecordPendingHighlight();
    SingularEnd();
    break;
  case TableauStepEnd::Unproven:
    UnprovenEnd();
    break;
  default:
    AwaitPicks(Picks::Check, {g.Entering, g.Leaving});
    RecordPendingHighlight();
    break;
  }
}

void SimplexNextIteration() {
  LPCycle(false);
  // The one post-optimum iteration has been made. Entering stays as the step priced it: the
  // step has ended the run at an optimum, or a pivot is still due and the run goes on.
  if (g.EnterSelState > 0) g.EnterSelState = -1;
}

void SimplexAllIterations() {
  while (LPCycle(true) == Cycle::Stepped) {
    if (g.Phase == -2) continue;
    if (g.Entering == 0) break;
  }
}

void SimplexTableauClick() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int row = grid.MouseRow, col = grid.MouseCol;
  const int32 T = g.TableauOutState;
  // A click on a row label selects the row, and the selection's colour would hide the green
  // and red of the picks: the selection stays on the clicked cell.
  if (grid.HasCellSource() && row >= 0 && row < grid.Rows() && col >= 0 && col < grid.Cols()) {
    grid.SetRow(row);
    grid.SetCol(col);
  }
  if (g.EnterSelState > 0 && col != g.EnterSelState) {
    MsgBox("An entering variable selection is already made. You must click NextIteration", msg::OKOnly,
           "Double selection error");
    return;
  }
  if (g.EnterSelState == -1) {
    MsgBox("Only ONE post-optimum iteration is allowed", msg::OKOnly, "Post-Optimum Iteration");
    return;
  }
  // Picks concern tableaus only; the summary view of the same program has none.
  if (g.LPMethod == 0 || !grid.HasCellSource()) return;
  const int lastCol = grid.Cols() - 1;
  const TableauView &v = View();
  if (v.picks == Picks::PostOptimum) {
    PostOptimumPick(col);
    return;
  }
  if (v.picks == Picks::None) {
    Beep();
    return;
  }
  if ((row == T - 1 || row == T) && col > 0 && col < lastCol) {
    if (CheckEnteringPick(col, v.rule) == PickVerdict::Right)
      PaintColumn(T - 1, col);
    else
      Info(kEnteringTie, "Entering Variable");
    return;
  }
  if (row > T + 1 && row <= T + 1 + g.MRows) {
    switch (CheckLeavingPick(g.LPRowWork(row - T - 1), v.rule)) {
    case PickVerdict::BoundFlip:
      Info("No leaving variable.  Entering variable stays nonbasic but at upper bound.", "Leaving Variable");
      break;
    case PickVerdict::Wrong:
      Info(kLeavingTie, "Leaving Variable");
      break;
    case PickVerdict::Right:
      PaintRow(row);
      break;
    }
    return;
  }
  Beep();
}

std::string SimplexRunVerdict() {
  return View().verdict;
}

void EndSimplexTableauView() {
  scr5().outputGrid.SetCellSource({});
  scr5().outputGrid.BlockOf = nullptr;
  View() = TableauView{};
}

} // namespace quon
