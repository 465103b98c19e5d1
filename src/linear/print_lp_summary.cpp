#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "linear/lp_summary_values.h"
#include "linear/print_reports.h"
#include "linear/sensitivity.h"
#include "platform/colors.h"
#include "platform/values.h"
#include "shell/data_table_printer.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"

namespace quon {

namespace {

constexpr double kSummaryLineWidth = 11736;

std::string F(double v) { return Format(v, NumberFormatString()); }

void Centred(PageSurface &printer, const std::string &text, double y) {
  printer.SetCurrentX((kSummaryLineWidth - printer.TextWidth(text)) * 0.5);
  printer.SetCurrentY(y);
  printer.Print(text);
}

// A rule across the summary, `gap` twips below the print position.
void SummaryRule(PageSurface &printer, double gap) {
  const double y = printer.CurrentY() + gap;
  printer.Line(kPrintLeft, y, kSummaryRuleRight, y, kBlack);
}

std::string VariableLabel(int j) { return "x" + std::to_string(j) + ": " + g.VarNames(j).str(); }
std::string ConstraintLabel(int i) { return std::to_string(i) + " (" + g.ConstrType(i).str() + ")"; }

// Basis position of decision variable j, 0 when it is non-basic.
int BasisPosition(int j) {
  for (int i = 1; i <= g.MRows; ++i)
    if (g.BasisList(i) == j) return i;
  return 0;
}

bool HasBounds() { return g.NBoundA + g.NUpperBounded > 0; }

using Line = std::array<std::string, 5>;

void PrintVariables(PageSurface &printer) {
  std::vector<Line> rows;
  for (int j = 1; j <= g.NVars; ++j)
    rows.push_back({VariableLabel(j), F(g.XSol(j)), F(g.Tab(2, j)), F(g.Tab(2, j) * g.XSol(j)), ""});
  PrintSummaryTable(printer, {"Variable", "Value", "Obj Coeff", "Obj Val Contrib", ""}, rows);
}

void PrintConstraints(PageSurface &printer) {
  std::vector<Line> rows;
  const std::vector<ConstraintSlack> slacks = ConstraintSlacks();
  for (int i = 1; i <= g.MRows; ++i) {
    const double rhs = g.LPData(i + 2, g.RHSInCol);
    const double s = slacks[static_cast<std::size_t>(i)].typed;
    const std::string slack = std::fabs(s) > g.Eps ? F(std::fabs(s)) + (s > 0 ? "-" : "+") : F(0) + " ";
    rows.push_back({ConstraintLabel(i), F(rhs), slack, "", ""});
  }
  if (HasBounds()) {
    for (int j = 1; j <= g.NVars; ++j) {
      const double lower = g.LPData(g.LBRow, j), upper = g.LPData(g.UBRow, j);
      const std::string name = std::to_string(j) + g.VarNames(j).str();
      if (lower > 0) {
        const double d = BoundSlack(j, 1);
        rows.push_back({"LB-x" + name, F(lower), F(d) + (d != 0 ? "+" : " "), "", ""});
      }
      if (upper > 0 && std::isfinite(upper)) {
        const double d = BoundSlack(j, 2);
        rows.push_back({"UB-x" + name, F(upper), F(d) + (d != 0 ? "-" : " "), "", ""});
      }
    }
  }
  PrintSummaryTable(printer, {"Constraint", "RHS", "Slack-/Surplus+", "", ""}, rows);
}

void PrintObjectiveRanges(PageSurface &printer) {
  std::vector<Line> rows;
  for (int j = 1; j <= g.NVars; ++j) {
    const RangeEnds r = SensitivityRange(0, 0, j);
    rows.push_back({VariableLabel(j), F(g.Cost(j)), RangeEndText(r.lower), RangeEndText(r.upper), F(g.RedCost(j))});
  }
  PrintSummaryTable(printer, {"Variable", "Current Obj Coeff", "Min Obj Coeff", "Max Obj Coeff", "Reduced Cost"},
                    rows);
}

void PrintRightHandSideRanges(PageSurface &printer) {
  std::vector<Line> rows;
  for (int i = 1; i <= g.MRows; ++i) {
    const RangeEnds r = SensitivityRange(HasBounds() ? 2 : 1, i, 0);
    rows.push_back({ConstraintLabel(i), F(g.LPData(i + 2, g.RHSInCol)), RangeEndText(r.lower), RangeEndText(r.upper),
                    F(DualPriceSign(i) * g.Duals(i))});
  }
  if (HasBounds()) {
    for (int j = 1; j <= g.NVars; ++j) {
      const double lower = g.LPData(g.LBRow, j), upper = g.LPData(g.UBRow, j);
      const int position = BasisPosition(j);
      const int variable = position > 0 ? -position : j;
      const bool lowerLine = lower > 0;
      const bool upperLine = lower >= 0 && std::isfinite(upper);
      if (lowerLine) {
        const RangeEnds r = SensitivityRange(3, 1, variable);
        rows.push_back({"LB-x" + std::to_string(j), F(lower), RangeEndText(r.lower), RangeEndText(r.upper),
                        F(BoundDualPrice(j, 1))});
      }
      if (upperLine) {
        const RangeEnds r = SensitivityRange(3, 2, variable);
        rows.push_back({"UB-x" + std::to_string(j), F(upper), RangeEndText(r.lower), RangeEndText(r.upper),
                        F(BoundDualPrice(j, 2))});
      }
    }
  }
  PrintSummaryTable(printer, {"Constraint", "Current RHS", "Min RHS", "Max RHS", "Dual Price"}, rows);
}

} // namespace

void PrintLPOriginalData(PageSurface &printer) {
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;
  PrintPageHeading(printer);
  g.MsgText = "LINEAR PROGRAM -- ORIGINAL DATA";
  PrintSectionHeader(printer);
  printer.SetFontBold(false);
  PrintDataTable(printer, g.LPData, noSingles, noIntegers, 1);
  printer.NewPage();
}

bool PrintLPOutputSummary(PageSurface &printer) {
  PrintLPOriginalData(printer);

  // The summary, on a page of its own without the page heading.
  printer.SetFontBold(false);
  printer.SetDrawWidth(2);
  printer.SetFontSize(9);
  Centred(printer, "LINEAR PROGRAMMING OUTPUT SUMMARY", 1000);
  SummaryRule(printer, 0);
  PrintAt(printer, kPrintLeft, RoundTwips(printer.CurrentY() + 100), "Title: " + g.HeaderText[1]);
  printer.SetCurrentX(kPrintLeft);
  printer.Print("Final Iteration No.: " + Str(g.FinalIteration));

  if (const char *noSolution = LPNoSolutionText(g.LPResult)) {
    SummaryRule(printer, 0);
    PrintAt(printer, kPrintLeft, RoundTwips(printer.CurrentY() + 100), noSolution);
    return printer.EndDoc();
  }
  printer.SetCurrentX(kPrintLeft);
  // In the output pattern, as the screen shows it: a plain form would drop the digits the
  // pattern asks for.
  PrintOverLines(printer, kPrintLeft, printer.CurrentY(), "Objective Value = " + F(g.ZValue));

  // The ranges read the final tableau; it is computed afresh so the paper never depends on
  // what the screen computed last.
  ComputeFinalTableau();
  PrintVariables(printer);
  PrintConstraints(printer);
  SummaryRule(printer, 100);
  Centred(printer, "***Sensitivity Analysis***", RoundTwips(printer.CurrentY() + 500));
  PrintObjectiveRanges(printer);
  PrintRightHandSideRanges(printer);
  SummaryRule(printer, 100);
  return printer.EndDoc();
}


} // namespace quon
