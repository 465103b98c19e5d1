// The integer-programming report: the data as entered, then the automated search's summary or
// the user-guided tree. Nothing is solved again.
#include <cmath>
#include <string>
#include <vector>

#include "integer/branch_and_bound.h"
#include "integer/ui/ip_output.h"
#include "platform/values.h"
#include "shell/data_table_printer.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"
#include "shell/ui/scr5.h"

namespace quon {

namespace {

void Line(PageSurface &p, const std::string &text, bool bold = false) {
  p.SetCurrentX(kPrintLeft);
  p.SetFontBold(bold);
  p.Print(text);
  p.SetFontBold(false);
}

// A number as an item of a print list: a blank for the sign, the digits, a blank.
std::string NumberItem(double v) { return Str(v) + " "; }

void PrintValues(PageSurface &p, const FoundSolution &s) {
  Line(p, "");
  for (int j = 1; j <= g.NVars; ++j)
    Line(p, "x" + std::to_string(j) + ": " + Trim(g.VarNames(j).str()) + " = " +
                IPSolutionText(s.x[static_cast<std::size_t>(j)]));
  Line(p, "");
}

// The summary reads the search's own record, so an aborted or unbounded search is reported as
// what it was rather than as a finished one.
void PrintSummary(PageSurface &p) {
  Line(p, "");
  const SearchEnd end = LastSearchEnd();
  const auto &found = FoundSolutions();
  if (end == SearchEnd::Unbounded && found.empty()) {
    Line(p, kUnboundedRelaxationText);
    return;
  }
  const bool finished = end == SearchEnd::Completed;
  if (finished && found.empty()) {
    Line(p, "Problem has no feasible solution");
    return;
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    const FoundSolution &s = found[i];
    if (finished && i + 1 == found.size()) {
      Line(p, "OPTIMAL SOLUTION:", true);
      Line(p, "Objective Value = " + IPSolutionText(s.z) + MinMaxLabel());
      Line(p, "Optimum solution found at iteration " + NumberItem(g.BestIter));
      Line(p, "Result verified at iteration " + NumberItem(g.FinalIteration));
    } else {
      Line(p, "FEASIBLE SOLUTION " + std::to_string(i + 1) + ":", true);
      Line(p, "Objective Value = " + IPSolutionText(s.z));
      Line(p, "Solution found at iteration " + std::to_string(s.subproblem));
    }
    PrintValues(p, s);
  }
  if (end == SearchEnd::LimitExceeded)
    Line(p, "Search aborted after " + ThousandsText(g.FinalIteration - 1) + " subproblems");
  else if (end == SearchEnd::Unbounded)
    Line(p, kUnboundedRelaxationText);
  else if (end == SearchEnd::SolveFailed)
    Line(p, "Search aborted: the simplex engine could not solve subproblem " + std::to_string(g.FinalIteration));
  g.PrintY = RoundTwips(p.CurrentY());
  PrintClosingText(p, IPSearchAbortMessage());
}

int NodeIdOf(const std::string &label) { return label.size() > 1 ? std::stoi(label.substr(1)) : 0; }

int EntryOf(int id) {
  for (int k = 1; k <= g.BBAux2; ++k)
    if (g.BBNodeInfo(1, k) == id) return k;
  return 0;
}

void PrintTree(PageSurface &p, const GridStore &grid) {
  Line(p, "");
  const int n = g.NVars;
  // A tree still growing has no verdict yet: a tree without an integer node may find one, and
  // the best node so far may be beaten.
  const bool finished = UserTreeFinished();
  // A node the engine could not solve leaves every verdict unproven: the best node found is
  // feasible, no more.
  const std::string unsolved = finished ? UnsolvedTreeNode() : "";
  const bool settled = finished && unsolved.empty();
  const bool haveBest = settled && UserTreeHasIncumbent();
  if (!unsolved.empty())
    Line(p, "Search incomplete: the simplex engine could not solve subproblem " + unsolved);
  if (settled && !haveBest) {
    // An unbounded root decides nothing about integer points, so it is no verdict of its own.
    Line(p, grid.TextMatrix(3, 0) == "unbounded" ? kUnboundedRelaxationText : "Problem has no feasible solution");
  } else if (finished && UserTreeHasIncumbent()) {
    const std::string best = Trim(g.BBAuxText);
    Line(p, haveBest ? "Optimum solution encountered at subrpoblem N" + best + ":"
                     : "Feasible solution encountered at subproblem N" + best + ":");
    Line(p, "Objective Value = " + Format(g.BestBound, NumberFormatString()));
    const int q = FindNodePosition(static_cast<int16>(std::stoi(best)));
    for (int j = 1; j <= n && q > 0; ++j) {
      const double v = g.NodeX((q - 1) * n + j);
      Line(p, "x" + std::to_string(j) + " = " +
                  (g.LPData(g.IntRow, j) == 1 ? NumberItem(IsWholeValue(v) ? std::round(v) : v)
                                              : Format(v, "")));
    }
  }
  const std::string bestLabel = "N" + Trim(g.BBAuxText);
  // Each node's lines, its defining branches wrapped after a ",".
  struct NodeLine {
    std::string text;
    bool bold;
    double x;
  };
  std::vector<std::vector<NodeLine>> nodes;
  const double room = kPrintRight - kPrintLeft;
  constexpr double kIndent = 300;
  for (int r = 0; r < grid.Rows(); r += 5) {
    const int level = r / 5 + 1;
    if (level > g.LevelCount.UBound()) break;
    for (int c = 0; c < g.LevelCount(level) && c < grid.Cols(); ++c) {
      std::string t = grid.TextMatrix(r, c);
      if (t.empty()) continue;
      const int id = NodeIdOf(t);
      const int k = EntryOf(id);
      if (t != "N10" && k > 0) t += "   (from N" + std::to_string(g.BBNodeInfo(1, g.BBNodeInfo(2, k))) + ")";
      std::vector<NodeLine> lines{
          {"Subproblem " + t + (haveBest && grid.TextMatrix(r, c) == bestLabel ? " (OPTIMUM NODE)" : ""), true,
           kPrintLeft}};
      std::string branches;
      for (int e = k; e > 1; e = g.BBNodeInfo(2, e))
        branches += (branches.empty() ? "" : ", ") + g.BBNodeText(e);
      bool first = true;
      for (const std::string &piece : WrappedLines(p, "Defining branches: " + branches, room, room - kIndent, ',')) {
        lines.push_back({piece, false, first ? kPrintLeft : kPrintLeft + kIndent});
        first = false;
      }
      const std::string status = grid.TextMatrix(r + 3, c);
      if (status == "infeasible") {
        lines.push_back({"Objective Value: Infeasible solution", false, kPrintLeft});
        lines.push_back({"Branching variable: None (no fesible solution)", false, kPrintLeft});
      } else {
        lines.push_back({"Objective value, " + grid.TextMatrix(r + 2, c), false, kPrintLeft});
        lines.push_back({status == "integer" ? "Branching variable: None (integer solution)" : "Branching variable: " + status,
                         false, kPrintLeft});
      }
      nodes.push_back(std::move(lines));
    }
  }
  // A node's lines stay on one page, after a blank line. A page ends on the last node that
  // fits whose last line holds a number, where there is one: a page closing on a line without
  // one would read as a heading left alone.
  auto height = [](const std::vector<NodeLine> &lines) { return static_cast<double>(lines.size() + 1) * g.LineHeight; };
  auto numbered = [](const std::vector<NodeLine> &lines) {
    return lines.back().text.find_first_of("0123456789") != std::string::npos;
  };
  bool pageTop = false; // a node taller than a page starts one and goes on over the next
  for (std::size_t i = 0; i < nodes.size();) {
    double bottom = p.CurrentY() + height(nodes[i]);
    std::size_t last = i;
    while (last + 1 < nodes.size() && !PastPageBreak(p, bottom + height(nodes[last + 1])))
      bottom += height(nodes[++last]);
    std::size_t end = last;
    if (last + 1 < nodes.size() && !numbered(nodes[last]))
      for (std::size_t k = last; k > i; --k)
        if (numbered(nodes[k - 1])) {
          end = k - 1;
          break;
        }
    if (!pageTop && PastPageBreak(p, p.CurrentY() + height(nodes[i]))) {
      p.NewPage();
      p.SetCurrentY(kContinueY);
      pageTop = true;
      continue;
    }
    for (; i <= end; ++i) {
      Line(p, "");
      for (const NodeLine &l : nodes[i]) {
        p.SetCurrentX(l.x);
        p.SetFontBold(l.bold);
        p.Print(l.text);
        p.SetFontBold(false);
      }
    }
    pageTop = false;
    if (i < nodes.size()) {
      p.NewPage();
      p.SetCurrentY(kContinueY);
      pageTop = true;
    }
  }
}

} // namespace

bool PrintIPOutput(PageSurface &printer, int16 kind) {
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;
  printer.SetFontBold(false);
  printer.SetDrawWidth(2);
  PrintPageHeading(printer);
  g.MsgText = "INTEGER PROGRAM PROGRAM -- ORIGINAL DATA";
  PrintSectionHeader(printer);
  printer.SetFontBold(false);
  for (int j = 1; j <= g.NVars; ++j) {
    g.LPData(g.LBRow, j) = g.LPData(0, j);
    g.LPData(g.UBRow, j) = g.LPData(1, j);
  }
  PrintDataTable(printer, g.LPData, noSingles, noIntegers, 1);
  printer.NewPage();
  g.MsgText = kind == 1 ? "INTEGER PROGRAMMING B&B OUTPUT SUMMARY" : "INTEGER PROGRAMMING B&B TREE";
  PrintSectionHeader(printer);
  if (kind == 1) PrintSummary(printer);
  if (kind == 2) PrintTree(printer, scr5().outputGrid);
  return printer.EndDoc();
}

bool PrintIPOutput() {
  const int16 kind = g.OutputOption;
  return RunPrintJob([kind](PageSurface &printer) { return PrintIPOutput(printer, kind); });
}

} // namespace quon
