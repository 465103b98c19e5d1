#include <algorithm>
#include <string>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "transport/transport_report.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace quon {

namespace {

int BlockRows() {
  return 3 * g.TransSources + 4;
}

std::string Formatted(double v) {
  return Format(v, NumberFormatString());
}

// Direct cell styling: many thousands of cells per tableau, without moving the current cell.
class CellStyle {
public:
  explicit CellStyle(Grid &grid) : grid_(grid) {}
  CellStyle &At(int r, int c) {
    a_ = &grid_.Attr(r, c);
    return *this;
  }
  CellStyle &Back(Rgb c) {
    a_->back = c;
    a_->hasBack = true;
    return *this;
  }
  CellStyle &Fore(Rgb c) {
    a_->fore = c;
    a_->hasFore = true;
    return *this;
  }
  CellStyle &Align(int align) {
    a_->align = static_cast<std::int8_t>(align);
    return *this;
  }
  CellStyle &Size(float points) {
    a_->fontSize = points;
    return *this;
  }
  CellStyle &Bold(bool on) {
    a_->bold = on;
    a_->hasBold = true;
    return *this;
  }

private:
  Grid &grid_;
  CellAttr *a_ = nullptr;
};

Rgb EntryColour(int entry) {
  return entry == 1 ? kGreen : entry == 2 ? kRed : kGrey;
}

// The grid position (middle row of the block at TableauRowOffset) of a cell.
void CellPosition(int cell, int &row, int &col) {
  const int n = g.TransDests;
  const int i = (cell - 1) / n + 1;
  const int j = (cell - 1) % n + 1;
  row = static_cast<int>(g.TableauRowOffset) + 3 * (i - 1) + 4;
  col = j + 2;
}

void Record(int entry, int row, int col) {
  g.ChangedCells(1, entry) = static_cast<int16>(row);
  g.ChangedCells(2, entry) = static_cast<int16>(col);
}

// A run that cannot go on: its message, and both step buttons off. Entering 0 stops "All".
void EndWithFailure(TransOutcome outcome) {
  MsgBox(TransOutcomeMessage(outcome), msg::OKOnly | msg::Critical, "Error");
  Scr5 &f = scr5();
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  g.Entering = 0;
}

// Re-bases the priced multipliers so that the chosen one is 0; v of the last destination goes
// into Duals(m+n). The shift is held in single precision.
void RebaseMultipliers() {
  const int m = g.TransSources;
  const int n = g.TransDests;
  if (g.ZeroU >= 1) {
    const double c = static_cast<float>(g.Duals(g.ZeroU));
    for (int i = 1; i <= m; ++i)
      g.Duals(i) -= c;
    for (int j = 1; j < n; ++j)
      g.Duals(m + j) += c;
    g.Duals(m + n) = c;
  } else {
    const double c = static_cast<float>(g.Duals(m + g.ZeroV));
    for (int i = 1; i <= m; ++i)
      g.Duals(i) += c;
    for (int j = 1; j < n; ++j)
      g.Duals(m + j) -= c;
    g.Duals(m + n) = -c;
  }
}

std::string UText(int i, const std::string &value) {
  return std::string("u") + std::to_string(i) + "=" + value;
}

std::string VText(int j, const std::string &value) {
  return std::string("v") + std::to_string(j) + "=" + value;
}

} // namespace

void ShowTransTableauHeading() {
  Scr5 &f = scr5();
  const int w = ScreenWidth();
  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontBold(true);
  const char *method = g.TransStartMethod == 1   ? "(North-West Corner Method)"
                       : g.TransStartMethod == 2 ? "(Least Cost Method)"
                       : g.TransStartMethod == 3 ? "(Vogel's Method)"
                                                 : "";
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetCurrentY(1.1 * f.CurrentY());
  const std::string title = std::string("TRANSPORTATION TABLEAU - ") + method;
  f.SetCurrentX((w - f.TextWidth(title)) / 2);
  f.Print(title);
  f.SetCurrentX(kPrintLeft);
  f.Print("Title: " + g.HeaderText[1] + " --(minimum cost)");
  auto rule = [&] { f.Line(kPrintLeft, f.CurrentY(), w - kPrintLeft, f.CurrentY(), f.ForeColor()); };
  rule();
  f.SetFontSize(8);
  f.SetCurrentX(kPrintLeft);
  f.Print("Steps for generating transportation tableaus:");
  for (
      const char *step :
      {"1.  (Optional step) Initialize ONE of the simplex multiplier (u1, u2, ..., v1, v2 ...) to zero value "
       "(default u1 = 0)",
       "2.  Click (in any order) the cells defining the change-of-basis loop (if corret, cell changes color)",
       "3.  Click command button NEXT ITERATION (or ALL ITERATIONS) -- This step may be executed without "
       "Step 2"}) {
    f.SetCurrentX(1600);
    f.Print(step);
  }
  rule();
}

void ShowTransIterations() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int m = g.TransSources;
  const int n = g.TransDests;
  const int w = ScreenWidth();
  const int h = ScreenHeight();

  g.ChangedCells.ReDimRange(1, 2, 0, m + n);
  g.OutputPageKind = 1;
  g.ZeroU = 1;
  g.ZeroV = 0;
  g.ChangedCells(1, 0) = 2;

  f.Frame2.SetVisible(false);
  f.Frame4.SetVisible(false);
  f.grid1.SetVisible(false);
  ShowTransTableauHeading();
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem("Output summary");
    f.Combo1.AddItem("Iterations");
  }
  f.Frame4.Move(RoundTwips((w - f.Frame4.Width()) / 2.0), RoundTwips(1.05 * f.CurrentY()), f.Frame4.Width(),
                f.Frame4.Height());
  f.SetCurrentX(0);
  f.SetCurrentY(f.Frame4.Top() + 1.01 * f.Frame4.Height() + 1.1 * f.Frame2.Height());

  grid.ScrollBars = ScrollBarsMode::Vertical;
  grid.SetCols(n + 4);
  grid.SetRows(BlockRows());
  grid.FixedRows = 0;
  grid.FixedCols = 2;
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  // The fixed name columns look like every other cell that is given no colour.
  grid.BackColorFixed = kBlue;
  grid.ForeColorFixed = kWhite;

  std::size_t longest = 7;
  for (int i = 1; i <= m; ++i)
    longest = std::max(longest, g.SourceName(i).size());
  for (int j = 1; j <= n; ++j)
    longest = std::max(longest, g.DestName(j).size());
  longest = std::max(longest, NumberFormatString().size());
  const int colWidth = static_cast<int>(120 * longest);
  for (int c = 0; c <= n + 3; ++c) {
    grid.SetColWidth(c, colWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c <= 2 ? kAlignLeft : kAlignRight;
  }
  const int total = grid.ColWidthOf(1) * grid.Cols();
  const int limit = RoundTwips(0.8 * w);
  if (total > limit) grid.ScrollBars = ScrollBarsMode::Both;
  const int gridWidth = std::min(total, limit) + 320;

  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), RoundTwips(0.85 * h), f.Frame1.Width(),
                f.Frame1.Height());
  grid.Move(RoundTwips((w - gridWidth) / 2.0), RoundTwips(1.05 * f.CurrentY()), gridWidth, grid.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  grid.SetVisible(true);
  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) / 2.0), grid.Top() - f.Frame2.Height(), f.Frame2.Width(),
                f.Frame2.Height());
  f.Frame2.SetVisible(true);
  f.Frame6.SetVisible(true);
  f.Combo5.SetText("u1=0");
  f.Frame6.Move(RoundTwips((w - f.Frame6.Width()) / 2.0), RoundTwips(1.05 * f.Frame4.Top()), f.Frame6.Width(),
                f.Frame6.Height());

  g.IterCount = 0;
  g.TableauRowOffset = 0;
  if (!TransStartSolution()) {
    EndWithFailure(TransOutcome::SingularBasis);
    return;
  }
  TransTableauStep();
}

void TransTableauStep() {
  TransBasicSolution();
  TransPricing();
  if (g.Entering != 0) {
    const bool leaves = TransRatioTest();
    ShowTransTableau();
    if (!leaves) {
      EndWithFailure(TransOutcome::NoLeavingCell);
      return;
    }
    if (!TransPivot()) EndWithFailure(TransOutcome::SingularBasis);
    return;
  }
  ShowTransTableau();
  MsgBox(std::string("Iteration ") + std::to_string(g.IterCount + 1) + " is optimal",
         msg::OKOnly | msg::Information, "Optimal Tableau");
  Scr5 &f = scr5();
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  if (g.IterCount == 0) {
    f.Show();
    ShowTransTableauHeading();
  }
}

void ShowTransTableau() {
  Grid &grid = scr5().outputGrid;
  CellStyle style(grid);
  const int m = g.TransSources;
  const int n = g.TransDests;
  const int r0 = static_cast<int>(g.TableauRowOffset);
  const int lastRow = grid.Rows() - 1;
  const int lastCol = grid.Cols() - 1;

  RebaseMultipliers();

  // The loop of the previous tableau keeps its colours.
  const int recorded = g.ChangedCells(1, 0);
  if (recorded > 2)
    for (int k = 1; k <= recorded; ++k)
      style.At(g.ChangedCells(1, k), g.ChangedCells(2, k)).Back(EntryColour(k));
  g.ChangedCells(1, 0) = 2;

  for (int r = r0; r <= lastRow; ++r) {
    style.At(r, 0).Back(kCyan).Fore(kBlue);
    style.At(r, 2).Align(kAlignLeft).Fore(kCyan).Bold(false);
  }
  for (int c = 1; c <= lastCol; ++c) {
    style.At(r0, c).Back(kCyan).Fore(kBlue);
    style.At(r0 + 2, c).Align(kAlignLeft).Fore(kCyan).Bold(false);
  }
  grid.SetTextMatrix(r0, 0, std::string("Iter ") + std::to_string(g.IterCount + 1));
  grid.SetTextMatrix(r0 + 1, 1, "Name");
  grid.SetTextMatrix(r0, lastCol, "Supply");
  grid.SetTextMatrix(lastRow, 1, "Demand");

  const std::string pattern = NumberFormatString();
  for (int k = 1; k <= g.NVars; ++k) {
    int row = 0;
    int col = 0;
    CellPosition(k, row, col);
    grid.SetTextMatrix(row - 1, col, Format(g.Cost(k), pattern));
    style.At(row - 1, col).Bold(false);
    style.At(row, col).Align(kAlignCenter).Size(14).Bold(true);
    if (g.NonBasicMark(k) < 0 && g.Entering >= 1) {
      const int entry = g.ChangedCells(1, 0) + 1;
      g.ChangedCells(1, 0) = static_cast<int16>(entry);
      Record(entry, row, col);
    }
    if (g.NonBasicMark(k) < 1) grid.SetTextMatrix(row, col, NumText(g.XSol(k)));
    grid.SetTextMatrix(row + 1, col, Format(g.RedCost(k), pattern));
    style.At(row + 1, col).Bold(false).Fore(kCyan).Align(kAlignLeft);
  }

  bool equalSupplies = false;
  for (int i = 1; i < m; ++i)
    if (g.InvInput(i, 0) == g.InvInput(i + 1, 0)) equalSupplies = true;

  for (int j = 1; j <= n; ++j) {
    const int col = j + 2;
    grid.SetTextMatrix(r0, col, std::string("D") + std::to_string(j));
    grid.SetTextMatrix(r0 + 1, col, g.DestName(j));
    grid.SetTextMatrix(r0 + 2, col, VText(j, Trim(Formatted(g.Duals(m + j)))));
    if (j == g.ZeroV) style.At(r0 + 2, col).Fore(kRed);
    grid.SetTextMatrix(lastRow, col, NumText(g.InvInput(m + j, 0)));
    style.At(lastRow, col).Align(kAlignCenter).Size(14).Bold(true);
  }
  for (int i = 1; i <= m; ++i) {
    const std::string u = UText(i, Trim(Formatted(g.Duals(i))));
    const std::string supply = NumText(g.InvInput(i, 0));
    for (int r = r0 + 3 * i; r <= r0 + 3 * i + 2; ++r) {
      grid.SetTextMatrix(r, 0, std::string("S") + std::to_string(i));
      grid.SetTextMatrix(r, 1, g.SourceName(i));
      grid.SetTextMatrix(r, 2, u);
      if (i == g.ZeroU) style.At(r, 2).Fore(kRed);
      if (!equalSupplies || r == r0 + 3 * i + 1) grid.SetTextMatrix(r, lastCol, supply);
      style.At(r, lastCol).Size(14).Bold(true);
    }
  }
  grid.SetTextMatrix(r0, 1, "ObjVal  =");
  grid.SetTextMatrix(r0, 2, Trim(Formatted(g.ZValue)));
  style.At(r0, 2).Bold(true);

  grid.MergeCells = MergeMode::RestrictColumns;
  for (int c : {0, 1, 2, lastCol})
    grid.SetMergeCol(c, true);

  if (g.Entering != 0) {
    int row = 0;
    int col = 0;
    CellPosition(g.Entering, row, col);
    grid.SetTextMatrix(row, col, "");
    Record(1, row, col);
    if (g.Leaving != 0) {
      CellPosition(g.Leaving, row, col);
      grid.SetTextMatrix(row, col, NumText(g.XSol(g.Leaving)));
      Record(2, row, col);
    }
  } else {
    // An optimal tableau has no loop to click.
    g.ChangedCells(1, 0) = 0;
  }
}

void TransNextIteration() {
  Scr5 &f = scr5();
  f.Frame6.SetEnabled(false);
  f.Combo5.SetEnabled(false);
  ++g.IterCount;
  g.TableauRowOffset += BlockRows();
  f.outputGrid.SetRows((g.IterCount + 1) * BlockRows());
  TransTableauStep();
}

void TransAllIterations() {
  int steps = 0;
  do {
    if (++steps > TransPivotCap) {
      EndWithFailure(TransOutcome::PivotCapReached);
      return;
    }
    TransNextIteration();
  } while (g.Entering != 0);
}

void TransChooseZeroMultiplier(int index) {
  Grid &grid = scr5().outputGrid;
  const int m = g.TransSources;
  const int n = g.TransDests;
  g.ZeroU = 0;
  g.ZeroV = 0;
  const int k = index + 1;
  if (k <= m)
    g.ZeroU = static_cast<int16>(k);
  else
    g.ZeroV = static_cast<int16>(k - m);
  const double s = static_cast<float>(g.ZeroU ? g.Duals(g.ZeroU) : g.Duals(m + g.ZeroV));
  const double sign = g.ZeroU ? 1 : -1;
  for (int i = 1; i <= m; ++i)
    g.Duals(i) -= sign * s;
  for (int j = 1; j <= n; ++j)
    g.Duals(m + j) += sign * s;

  CellStyle style(grid);
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(2, j + 2, VText(j, NumText(g.Duals(m + j))));
    style.At(2, j + 2).Fore(j == g.ZeroV ? kRed : kCyan);
  }
  for (int i = 1; i <= m; ++i)
    for (int r = 3 * i; r <= 3 * i + 2; ++r) {
      grid.SetTextMatrix(r, 2, UText(i, NumText(g.Duals(i))));
      style.At(r, 2).Fore(i == g.ZeroU ? kRed : kCyan);
    }
  grid.MergeCells = MergeMode::RestrictColumns;
  grid.SetMergeCol(2, true);
}

void TransLoopCellClick(int row, int col) {
  if (g.TransStartMethod == 0) return;
  const int count = g.ChangedCells.Empty() ? 0 : g.ChangedCells(1, 0);
  for (int k = 1; k <= count; ++k)
    if (g.ChangedCells(1, k) == row && g.ChangedCells(2, k) == col) {
      CellStyle(scr5().outputGrid).At(row, col).Back(EntryColour(k));
      return;
    }
  Beep();
}

bool PrintTransTableaus() {
  const GridStore &grid = scr5().outputGrid;
  return RunPrintJob([&grid](PageSurface &printer) { return PrintTransTableaus(printer, grid); });
}

} // namespace quon
