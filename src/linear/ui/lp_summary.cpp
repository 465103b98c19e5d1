#include "linear/ui/lp_summary.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "linear/lp_summary_values.h"
#include "linear/sensitivity.h"
#include "linear/ui/output_page.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

std::string Formatted(double v) {
  return Format(v, NumberFormatString());
}

class SummaryGrid {
public:
  explicit SummaryGrid(Grid &grid) : grid_(grid) {}

  // A heading row: cyan with blue text in columns 0..5, whatever number of titles it holds.
  void Heading(int row, std::initializer_list<const char *> titles) {
    int c = 0;
    for (const char *t : titles)
      grid_.SetTextMatrix(row, c++, t);
    for (int col = 0; col <= 5; ++col) {
      grid_.SetRow(row);
      grid_.SetCol(col);
      grid_.SetCellBackColor(kCyan);
      grid_.SetCellForeColor(kBlue);
    }
  }
  void Put(int row, int col, const std::string &text) { grid_.SetTextMatrix(row, col, text); }

private:
  Grid &grid_;
};

std::string VariableLabel(int j) {
  return "x" + std::to_string(j) + ":   " + g.VarNames(j).str();
}

std::string ConstraintLabel(int i) {
  return std::to_string(i) + " (" + g.ConstrType(i).str() + ")";
}

} // namespace

void ShowLPOutputSummary() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int n = g.NVars;
  const int m = g.MRows;
  const int rhsCol = g.RHSInCol;
  const bool bounded = g.NBoundA + g.NUpperBounded > 0;

  BeginSummaryPage(f);
  g.TitleText = "LINEAR PROGRAMMING OUTPUT SUMMARY";
  f.SetCurrentY(1.02 * f.CurrentY());
  f.SetCurrentX((w - f.TextWidth(g.TitleText)) / 2);
  f.Print(g.TitleText);
  auto rule = [&] { f.Line(800, f.CurrentY(), w - 800, f.CurrentY(), f.ForeColor()); };
  rule();
  f.Frame4.SetVisible(false);
  f.SetCurrentX(800);
  f.SetCurrentY(1.1 * f.CurrentY());
  f.Print("Title: " + g.HeaderText[1]);
  f.SetCurrentX(800);
  f.Print("Final Iteration No.: " + Str(g.FinalIteration));

  const char *noSolution = LPNoSolutionText(g.LPResult);
  f.SetCurrentX(800);
  if (noSolution != nullptr) {
    g.TitleText = noSolution;
    f.Print(g.TitleText);
    rule();
    f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                  f.Frame1.Height());
    f.Frame2.SetVisible(false);
    grid.SetVisible(false);
    return;
  }

  std::string objective = "Objective Value (" + g.SenseText.str().substr(0, 3) + ") =" + Formatted(g.ZValue);
  if (g.AltOptimaFlag == 1) {
    const std::string note =
        " -- Alternative solution(s) detected (enter ITERATIONS mode to determine such solutions)";
    // Where the whole sentence would run past the rule (the small screen), the note takes a
    // line of its own.
    if (800 + f.TextWidth(objective + note) <= w - 800) {
      objective += note;
    } else {
      f.Print(objective);
      f.SetCurrentX(800);
      objective = note.substr(1);
    }
  }
  f.Print(objective);
  rule();

  // Layout: the button frame under the heading, the grid under it, the exits at the bottom.
  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) / 2.0), RoundTwips(1.15 * f.CurrentY()), f.Frame2.Width(),
                f.Frame2.Height());
  grid.SetCols(7);
  grid.SetRows(2 * n + 2 * m + 2 * (g.NBoundA + g.NUpperBounded) + 16);
  grid.FixedRows = 0;
  grid.FixedCols = 0;
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
  const int gridWidth = w - 1600;
  grid.Move(800, RoundTwips(f.Frame2.Top() + 1.01 * f.Frame2.Height()), gridWidth, grid.Height());
  grid.SetVisible(true);
  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  grid.SetColWidth(0, RoundTwips(gridWidth / 5.0));
  grid.ColAlignment.at(0) = kAlignLeft;
  for (int c = 1; c <= 5; ++c) {
    grid.SetColWidth(c, RoundTwips(gridWidth / 6.0));
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
  }

  SummaryGrid out(grid);

  // Variables.
  out.Heading(0, {"Variable", "Value", "Obj Coeff", "Obj Val Contrib"});
  for (int j = 1; j <= n; ++j) {
    out.Put(j, 0, VariableLabel(j));
    out.Put(j, 1, Formatted(g.XSol(j)));
    out.Put(j, 2, Formatted(g.LPData(2, j)));
    out.Put(j, 3, Formatted(g.LPData(2, j) * g.XSol(j)));
  }

  // Constraints with their slacks and surpluses.
  const int head = n + 1;
  out.Heading(head, {"Constraint", "RHS", "Slack-/Surplus+"});
  const std::vector<ConstraintSlack> slacks = ConstraintSlacks();
  for (int i = 1; i <= m; ++i) {
    const ConstraintSlack &s = slacks[static_cast<std::size_t>(i)];
    out.Put(head + i, 0, ConstraintLabel(i));
    out.Put(head + i, 1, Formatted(g.LPData(i + 2, rhsCol)));
    out.Put(head + i, 2, s.basic > 0 ? Formatted(s.basic) + (s.surplus ? "+" : "-") : Formatted(0) + " ");
  }
  int row = head + m;
  if (bounded) {
    for (int j = 1; j <= n; ++j) {
      const double lb = g.LPData(g.LBRow, j), ub = g.LPData(g.UBRow, j);
      const std::string name = g.ColNames(j) + " " + g.VarNames(j).str();
      if (lb > 0) {
        const double d = BoundSlack(j, 1);
        ++row;
        out.Put(row, 0, "LB-" + name);
        out.Put(row, 1, Formatted(lb));
        out.Put(row, 2, Formatted(d) + (d != 0 ? "+" : " "));
      }
      if (ub > 0 && std::isfinite(ub)) {
        const double d = BoundSlack(j, 2);
        ++row;
        out.Put(row, 0, "UB-" + name);
        out.Put(row, 1, Formatted(ub));
        out.Put(row, 2, Formatted(d) + (d != 0 ? "-" : " "));
      }
    }
  }

  // Sensitivity analysis, after one empty row.
  row += 2;
  grid.MergeCells = MergeMode::Free;
  for (int c : {2, 3}) {
    grid.SetRow(row);
    grid.SetCol(c);
    grid.SetText("***Sensitivity Analysis***");
    grid.SetCellAlignment(kAlignCenter);
  }
  grid.SetMergeRow(row, true);

  ComputeFinalTableau();

  ++row;
  out.Heading(row, {"Variable", "Current Obj Coeff", "Min Obj Coeff", "Max Obj Coeff", "Reduced Cost"});
  for (int j = 1; j <= n; ++j) {
    const RangeEnds r = SensitivityRange(0, 0, j);
    ++row;
    out.Put(row, 0, VariableLabel(j));
    out.Put(row, 1, Formatted(g.Cost(j)));
    out.Put(row, 2, RangeEndText(r.lower));
    out.Put(row, 3, RangeEndText(r.upper));
    out.Put(row, 4, Formatted(g.RedCost(j)));
  }

  ++row;
  out.Heading(row, {"Constraint", "Current RHS", "Min RHS", "Max RHS", "Dual Price"});
  for (int i = 1; i <= m; ++i) {
    const double sigma = DualPriceSign(i);
    const RangeEnds r = SensitivityRange(bounded ? 2 : 1, i, 0);
    ++row;
    out.Put(row, 0, ConstraintLabel(i));
    out.Put(row, 1, Formatted(g.LPData(i + 2, rhsCol)));
    out.Put(row, 2, RangeEndText(r.lower));
    out.Put(row, 3, RangeEndText(r.upper));
    out.Put(row, 4, Formatted(sigma * g.Duals(i)));
  }
  if (!bounded) return;
  for (int j = 1; j <= n; ++j) {
    const double lb = g.LPData(g.LBRow, j), ub = g.LPData(g.UBRow, j);
    const bool lower = lb > 0;
    const bool upper = lb >= 0 && std::isfinite(ub);
    int v = j;
    for (int i = 1; i <= m; ++i)
      if (g.BasisList(i) == j) {
        v = -i;
        break;
      }
    if (lower) {
      const RangeEnds r = SensitivityRange(3, 1, v);
      ++row;
      out.Put(row, 0, "LB-x" + std::to_string(j));
      out.Put(row, 1, Formatted(lb));
      out.Put(row, 2, RangeEndText(r.lower));
      out.Put(row, 3, RangeEndText(r.upper));
      out.Put(row, 4, Formatted(BoundDualPrice(j, 1)));
    }
    if (upper) {
      const RangeEnds r = SensitivityRange(3, 2, v);
      ++row;
      out.Put(row, 0, "UB-x" + std::to_string(j));
      out.Put(row, 1, Formatted(ub));
      out.Put(row, 2, RangeEndText(r.lower));
      out.Put(row, 3, RangeEndText(r.upper));
      out.Put(row, 4, Formatted(BoundDualPrice(j, 2)));
    }
  }
}

} // namespace quon
