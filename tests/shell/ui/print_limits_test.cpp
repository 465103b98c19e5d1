// Printouts of every model class at its size limits, in its own format and the widest fixed and
// scientific ones, as "Write to Printer" sends them to a PDF file: every word the file shows
// lies inside the page's printable margin and overlaps no other, no heading stands alone at a
// page's foot, each row of the result is printed once (in each block of columns), every column
// the screen shows has its heading on the paper, and every number reads back from the file
// exactly as the chosen format and the screen write it, as often as the screen shows it (a
// number wider than any column whole, over as many lines as it takes).
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "games/game_lp.h"
#include "integer/ip_fixture.h"
#include "linear/lp_fixture.h"
#include "linear/mod_inverse.h"
#include "linear/mod_lp_simplex.h"
#include "linear/print_reports.h"
#include "linear/tableau_size.h"
#include "linear/ui/lp_summary.h"
#include "linear/ui/scr_lp_graf.h"
#include "linear/ui/simplex_iterations.h"
#include "network/network_fixture.h"
#include "network/ui/network_output.h"
#include "network/ui/network_roads.h"
#include "platform/printer_access.h"
#include "platform/ui/printer.h"
#include "platform/recording_surface.h"
#include "project/project_fixture.h"
#include "project/ui/project_output.h"
#include "queue/queue_scenarios.h"
#include "queue/ui/queue_output.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/chart_check.h"
#include "support/grid_text.h"
#include "support/screen_fixture.h"
#include "transport/trans_fixture.h"
#include "transport/transport_report.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace quon::testing {
namespace {

// One printout: sets up the problem and its output view, then names the rows the paper must
// hold, each as often as it is given. The report goes out through "Write to Printer" unless
// the case prints it itself.
struct LimitCase {
  const char *name;
  // A column heading every page of the result repeats, or empty.
  std::string heading = {};
  std::function<std::vector<std::string>(ScriptedServices &)> open = nullptr;
  std::function<bool(PageSurface &)> print = nullptr;
  // Printed from the graph screen's "Print Graph" instead.
  bool graph = false;
  // The rows are counted in the left column only (the other columns repeat their texts).
  bool leftColumn = false;
  // The share of the lower word's height by which two words over each other may overlap:
  // a third in general, a hair where lines of one text follow each other.
  double stack = 1.0 / 3;
  // A chart whose page must name each of these once, every word clear of every line.
  std::function<std::vector<std::string>()> chartNames = nullptr;
  // The screen is the graph screen's schedule beside the chart, not the output screen's grid.
  bool chartGrid = false;
  // Column headings of the screen that the paper names otherwise (the printed name), or does
  // not print at all (empty) because the report leaves out that part of the screen.
  std::map<std::string, std::string> renamed = {};
  // The paper holds the screen's grid from the row whose first cell reads screenFrom (the rows
  // above are the steps that led to the result) up to the row before the one that reads
  // screenTo (what follows is how the result was found); an empty text, from the first row or
  // to the last.
  std::string screenFrom = {}, screenTo = {};
  // A small problem: each document fits on one page.
  bool small = false;
};

// The chart's names: the activities' symbols, or B's strategies.
std::vector<std::string> ActivitySymbols() {
  std::vector<std::string> names;
  for (int r = 1; r <= g.ActivityCount; ++r)
    names.push_back(g.ActSymbol(r));
  return names;
}
std::vector<std::string> Strategies() {
  std::vector<std::string> names;
  for (int j = 1; j <= g.GameCols; ++j)
    names.push_back("B" + std::to_string(j));
  return names;
}

void PrintTo(const LimitCase &c, std::ostream *os) { *os << c.name; }

// The output format at its widest: 15 digits before and after the point.
void WidestFormat(int type) {
  g.NumFormatType = static_cast<int16>(type);
  g.NumDigitsN = 15;
  g.NumDigitsD = 15;
}

// The format the running case is printed in: its own (0), or the widest fixed (1) or
// scientific (2) one, chosen before the case's screen is built, as a user chooses it.
int widest = 0;
void ChosenFormat() {
  if (widest > 0) WidestFormat(widest);
}

// The same format chosen on the output-format screen, for the cases that go through it.
void ChosenFormatOnScreen() {
  if (widest == 0) return;
  (widest == 2 ? scr4().exponentialOption : scr4().decimalOption).PerformClick();
  scr4().nbrNsText.SetText("15");
  scr4().nbrDsText.SetText("15");
}

std::vector<std::string> Column(const Grid &grid, int col, int from = 1) {
  std::vector<std::string> rows;
  for (int r = from; r < grid.Rows(); ++r)
    if (!grid.TextMatrix(r, col).empty()) rows.push_back(grid.TextMatrix(r, col));
  return rows;
}

// A connected network of n nodes: a chain and a chord from every node to the one three ahead;
// a chain of "infinity" arcs gives a flow without bound. Scaled lengths are printed in a fixed
// format of 15 and 15 digits.
std::vector<std::string> Network(ScriptedServices &script, int subModel, int option, int column = 0, int n = 100,
                                 bool unlimited = false, double scale = 1) {
  std::vector<Arc> arcs;
  for (int i = 1; i < n; ++i) {
    arcs.push_back({i, i + 1, unlimited ? 999999.0 : scale * (1 + i % 7)});
    if (i + 3 <= n) arcs.push_back({i, i + 3, scale * (5 + i % 4)});
  }
  g.ModelClass = ModelClassCode::Networks;
  g.HeaderText[1] = "Limit";
  LoadNetwork(n, arcs, subModel, true);
  if (scale != 1) WidestFormat(1);
  ChosenFormat();
  scr5().Show();
  NetworkGoToOutput();
  g.OutputOption = static_cast<int16>(option);
  if (subModel != 1) NetworkOptionChosen();
  if (subModel == 1 || option == 2) {
    script.AnswerMsgBox(msg::OK);
    NetworkAllIterations();
  }
  if (subModel == 3 && option == 1) FloydListAllRoutes();
  RegisterNetworkRoads();
  return Column(scr5().outputGrid, column, subModel == 1 ? 0 : 1);
}

// The heading line of each breakthrough of the maximal flow's steps on the screen.
std::vector<std::string> Breakthroughs() {
  std::vector<std::string> lines;
  for (const std::string &text : Column(scr5().outputGrid, 2, 0))
    if (text.rfind("Iteration", 0) == 0) lines.push_back(text);
  return lines;
}

// 100 activities of a project read and on the output screen: CPM on 51 nodes, a chain, a
// chord past every node but the last two and one from start to end; PERT on 61 nodes, a chain
// and a chord three ahead from each of the first 40. Huge durations are 10^60 times as
// long, in a fixed format of 15 and 15 digits: numbers wider than the page line.
void OpenProject(int method, bool huge = false) {
  std::vector<test::ActivityRow> rows;
  const std::string scale = huge ? "e60" : "";
  if (method == 1) {
    // Symbols as long as the input's heading "Activity Symbol".
    for (int i = 1; i <= 50; ++i)
      rows.push_back({std::to_string(i), std::to_string(i + 1), "Activity no. " + std::to_string(10 + i),
                      std::to_string(1 + i % 9) + scale});
    for (int i = 1; i <= 49; ++i)
      rows.push_back(
          {std::to_string(i), std::to_string(i + 2), "K" + std::to_string(i), std::to_string(1 + i % 5) + scale});
    rows.push_back({"1", "51", "L", "7" + scale});
  } else {
    for (int i = 1; i <= 60; ++i)
      rows.push_back({std::to_string(i), std::to_string(i + 1), "A" + std::to_string(i), "1" + scale,
                      std::to_string(2 + i % 4) + scale, std::to_string(7 + i % 3) + scale});
    for (int i = 1; i <= 40; ++i)
      rows.push_back({std::to_string(i), std::to_string(i + 3), "A" + std::to_string(60 + i), "2" + scale,
                      std::to_string(5 + i % 7) + scale, "13" + scale});
  }
  test::LoadProject(method, rows);
  InitGlobals(15360, 11520);
  if (huge) WidestFormat(1);
  ChosenFormat();
  g.ModelClass = ModelClassCode::ProjectPlanning;
  g.HeaderText[1] = "Limit";
  g.GridRows = 101;
  g.GridCols = static_cast<int16>(method == 1 ? 5 : 7);
  scr5().Show();
  InitProjectOutputScreen();
}

// "CPM Bar Chart" on the graph screen: nothing of the chart can be counted row by row.
std::vector<std::string> BarChart() {
  OpenProject(1);
  scr5().Combo1.PerformChoose(0);
  return {};
}

// "PERT Calculations": every node's longest path once (the start node has none).
std::vector<std::string> PertPaths(bool huge = false) {
  OpenProject(2, huge);
  scr5().Combo1.PerformChoose(1);
  std::vector<std::string> nodes;
  for (int j = 2; j <= 61; ++j)
    nodes.push_back(std::to_string(j));
  return nodes;
}

// "Activity Mean/Var": the data and the means and variances, each symbol in each table.
std::vector<std::string> PertMeans(bool huge = false) {
  OpenProject(2, huge);
  scr5().Combo1.PerformChoose(0);
  std::vector<std::string> symbols;
  for (int r = 1; r <= g.ActivityCount; ++r)
    symbols.insert(symbols.end(), 2, g.ActSymbol(r));
  return symbols;
}

// The schedule, after the bar chart's computation or after "CPM Calculations" and "All Steps".
std::vector<std::string> Project(bool steps = false, bool huge = false) {
  OpenProject(1, huge);
  if (steps) {
    scr5().Combo1.PerformChoose(1);
    scr5().cmdFinalIter_Click();
  } else {
    g.OutputOption = 1;
    SelectProjectOutputOption();
  }
  // Each symbol in the data table and in the schedule.
  std::vector<std::string> symbols;
  for (int r = 1; r <= g.ActivityCount; ++r)
    symbols.insert(symbols.end(), 2, g.ActSymbol(r));
  return symbols;
}

// A game of m x 100 payoffs from -11 to 11, solved by the LP (or for two rows by the graph).
std::vector<std::string> Game(int m = 100) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::Games;
  g.HeaderText[1] = "Limit";
  const int n = 100;
  GridStore grid = test::MakeGrid(m + 1, n + 1);
  for (int i = 1; i <= m; ++i) {
    std::vector<std::string> row;
    for (int j = 1; j <= n; ++j)
      row.push_back(std::to_string((i * 7 + j * 13) % 23 - 11));
    test::SetRow(grid, i, row);
  }
  BuildGameLP(grid);
  (m == 2 ? scr3().mnuGraphZeroGame : scr3().mnuAlgebraicZeroGame).PerformClick();
  ChosenFormatOnScreen();
  scr4().cmdDone_Click();
  Forms::DoEvents();
  // The graph's printout lists each strategy's line of payoffs before the picture.
  if (m == 2) {
    std::vector<std::string> lines;
    for (int j = 1; j <= n; ++j)
      lines.push_back("Strategy B" + std::to_string(j) + ":");
    return lines;
  }
  // The value and each strategy's line of the mixes.
  std::vector<std::string> rows{"Value of the game"};
  for (int i = 1; i <= m; ++i)
    rows.push_back("A" + std::to_string(i) + " =");
  for (int j = 1; j <= n; ++j)
    rows.push_back("B" + std::to_string(j) + " =");
  return rows;
}

// 501 equal states of a system limited to 500: the longest probability table.
std::vector<std::string> Queue() {
  g.ModelClass = ModelClassCode::Queueing;
  g.HeaderText[1] = "Limit";
  LoadQueueScenarios({{1, 1, 1, 500, kQueueInf}});
  ChosenFormat();
  scr5().Show();
  InitQueueOutputScreen();
  g.OutputOption = 1;
  ShowQueueScenarioOutput();
  std::vector<std::string> states;
  for (int n = 0; n <= 500; ++n)
    states.push_back(std::to_string(n));
  return states;
}

// 100 variables with bounds of 1 whose relaxation is integral: one value line each; or, asked
// for a sum of 150, no solution at all.
std::vector<std::string> Integer(bool feasible = true) {
  LP lp;
  lp.c.assign(100, 1);
  lp.a = {std::vector<double>(100, 1)};
  lp.rel = {feasible ? "<=" : ">="};
  lp.b = {feasible ? 50.0 : 150.0};
  lp.upper.assign(100, "1");
  BuildIP(lp);
  g.HeaderText[1] = "Limit";
  g.OutputOption = 0;
  scr4().Show();
  ChosenFormatOnScreen();
  scr4().cmdDone.PerformClick();
  scr5().Combo1.PerformChoose(0);
  if (!feasible) return {"Problem has no feasible solution"};
  std::vector<std::string> values;
  for (int j = 1; j <= 100; ++j)
    values.push_back("x" + std::to_string(j) + ":");
  return values;
}

// The user-guided tree of 100 variables held to 0.5 each: every branching opens one level
// deeper, with an infeasible second child, and adds a branch to the nodes' defining list.
std::vector<std::string> IntegerTree() {
  constexpr int n = 100;
  LP lp;
  lp.c.assign(n, 1);
  for (int j = 0; j < n; ++j) {
    lp.a.emplace_back(n, 0);
    lp.a.back()[static_cast<std::size_t>(j)] = 2;
  }
  lp.rel.assign(n, "<=");
  lp.b.assign(n, 1);
  BuildIP(lp);
  g.HeaderText[1] = "Limit";
  g.OutputOption = 0;
  scr4().Show();
  ChosenFormatOnScreen();
  scr4().cmdDone.PerformClick();
  scr5().Combo1.PerformChoose(1);
  for (int j = 1; j <= n; ++j) {
    scr5().outputGrid.PerformClick(5 * (j - 1), 0);
    scr5().BBGrid.PerformClick(2, j);
  }
  return {};
}

// 100 x 100 with right-hand sides of 10^10 and more: x_j <= 10^10 j plus a little of the next.
LP WideProgram() {
  LP lp;
  const int n = 100;
  lp.c.assign(n, 1);
  for (int i = 0; i < n; ++i) {
    std::vector<double> row(n, 0.0);
    row[static_cast<std::size_t>(i)] = 1;
    if (i + 1 < n) row[static_cast<std::size_t>(i) + 1] = 0.125;
    lp.a.push_back(row);
    lp.rel.push_back(i % 3 == 0 ? "=" : "<=");
    lp.b.push_back(1e10 * (i + 1));
    lp.names.push_back("Quantity" + std::to_string(1000 + i));
  }
  return lp;
}

// The final solution's summary on the output screen: the wide program (0), or one of 2
// variables under 1 row (1), or (2) under a right-hand side of 1e100, typed in a fixed format
// of 15 and 15 digits: a number wider than any column the page has.
std::vector<std::string> LinearSummary(int which = 0) {
  LP lp = WideProgram();
  if (which > 0) lp = LP{.c = {1, 2}, .a = {{1, 1}}, .rel = {"<="}, .b = {which == 1 ? 3 : 1e100}};
  Build(lp);
  if (which == 2) WidestFormat(1);
  ChosenFormat();
  g.HeaderText[1] = "Limit";
  // Every block of the data table labels its objective row.
  g.SenseText = "Maximize";
  SolveLP();
  g.FinalIteration = g.IterCount;
  scr5().Show();
  ShowLPOutputSummary();
  // Each variable's line in the values and in the ranges.
  std::vector<std::string> rows;
  for (int j = 1; j <= static_cast<int>(lp.c.size()); ++j)
    rows.insert(rows.end(), 2, "x" + std::to_string(j) + ":");
  return rows;
}

// Two variables under 100 constraints of many slopes, drawn in one stroke on the graph screen.
std::vector<std::string> LinearGraph() {
  LP lp;
  lp.c = {3, 2};
  for (int i = 0; i < 100; ++i) {
    lp.a.push_back({static_cast<double>(1 + i % 7), static_cast<double>(1 + (i * 3) % 5)});
    lp.rel.push_back("<=");
    lp.b.push_back(10 + i);
  }
  Build(lp);
  g.HeaderText[1] = "Limit";
  g.SenseText = lp.sense;
  SetLPGraphFrameDelay(0);
  scr3().mnuGraph_Click();
  ChosenFormatOnScreen();
  scr4().cmdDone_Click();
  Forms::DoEvents();
  ScrLPGraf &s = scrLPGraf();
  s.List1.PerformChoose(s.List1.ListCount() - 1);
  return {};
}

// The wide program with its first equation's right-hand side negative: no solution.
std::vector<std::string> LinearInfeasible() {
  LP lp = WideProgram();
  lp.b[0] = -1e10;
  Build(lp);
  ChosenFormat();
  g.HeaderText[1] = "Limit";
  SolveLP();
  g.FinalIteration = g.IterCount;
  return {"Problem has no feasible solution"};
}

// The first tableau of the wide program; the M method and the two phases add artificial
// columns, the phases the widest row labels. The dual simplex starts from its minimum under
// ">=" rows.
std::vector<std::string> LinearTableau(int method = 2) {
  LP lp = WideProgram();
  if (method == 5) {
    lp.sense = "Minimize";
    lp.rel.assign(lp.rel.size(), ">=");
  }
  Build(lp);
  ChosenFormat();
  g.HeaderText[1] = "Limit";
  g.SenseText = lp.sense;
  g.OutputMode = 2;
  g.LPMethod = static_cast<int16>(method);
  SizeSimplexTableau(false);
  scr5().Show();
  ShowSimplexIterations();
  return {};
}

// Every tableau of a program whose objective grows without bound along a chain of ten
// variables, to the tableau that shows it.
std::vector<std::string> LinearUnbounded(ScriptedServices &script) {
  LP lp;
  const int n = 10;
  lp.c.assign(n, 1);
  for (int j = 0; j + 1 < n; ++j) {
    std::vector<double> row(n, 0.0);
    row[static_cast<std::size_t>(j)] = 1;
    row[static_cast<std::size_t>(j) + 1] = -1;
    lp.a.push_back(row);
    lp.rel.push_back("<=");
    lp.b.push_back(1e10);
  }
  Build(lp);
  ChosenFormat();
  g.HeaderText[1] = "Limit";
  g.OutputMode = 2;
  g.LPMethod = 2;
  SizeSimplexTableau(false);
  scr5().Show();
  ShowSimplexIterations();
  script.AnswerMsgBox(msg::OK);
  scr5().cmdFinalIter_Click();
  return {};
}

// Order 100 with a determinant of 40^100, a 161-digit number; equations add a right-hand side.
// A singular matrix has its last row equal to the first.
std::vector<std::string> Matrix(int modelClass, bool singular = false) {
  std::vector<std::vector<double>> rows(100, std::vector<double>(modelClass == 2 ? 101 : 100, 0.0));
  for (int i = 0; i < (singular ? 99 : 100); ++i) {
    rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 40;
    rows[static_cast<std::size_t>(i)][static_cast<std::size_t>((i + 1) % 100)] = 1e9;
    if (modelClass == 2) rows[static_cast<std::size_t>(i)][100] = 1e12 * (i + 1);
  }
  if (singular) rows[99] = rows[0];
  g.HeaderText[1] = "Limit";
  MatrixInput(modelClass, rows);
  ChosenFormat();
  InvertMatrix();
  if (singular) return {"The matrix is singular (determinant 0) and has no inverse."};
  if (modelClass == 2) SolveByInverse();
  std::vector<std::string> solution;
  if (modelClass == 2)
    for (int i = 1; i <= 100; ++i)
      solution.push_back("x " + std::to_string(i));
  return solution;
}

test::TransProblem WideTransport() {
  test::TransProblem p;
  for (int i = 0; i < 100; ++i) {
    std::vector<double> row;
    for (int j = 0; j < 100; ++j)
      row.push_back(1e9 + (i * 37 + j * 11) % 97);
    p.costs.push_back(row);
    p.supplies.push_back(1e9 + i);
    p.demands.push_back(1e9 + i);
  }
  return p;
}

// The wide problem, or (huge) one of 3 x 3 with costs of 1e30 and 5e29 in a fixed format of
// 15 and 15 digits: a cost wider than any column the page has.
std::vector<std::string> TransportSummary(bool huge = false) {
  test::TransProblem p = WideTransport();
  if (huge) p = {{{1e30, 2, 3}, {4, 5e29, 6}, {7, 8, 9}}, {10, 20, 30}, {15, 25, 20}};
  test::LoadTrans(p, "Limit", false);
  if (huge) WidestFormat(1);
  ChosenFormat();
  scr5().Show();
  g.TransStartMethod = 2;
  SolveTransportation();
  g.FinalIteration = g.IterCount;
  g.TransStartMethod = 0;
  ShowTransOutputSummary();
  return {};
}

std::vector<std::string> TransportTableau(bool huge = false) {
  test::TransProblem p = WideTransport();
  if (huge) p = {{{1e30, 2, 3}, {4, 5e29, 6}, {7, 8, 9}}, {10, 20, 30}, {15, 25, 20}};
  test::LoadTrans(p, "Limit", false);
  if (huge) WidestFormat(1);
  ChosenFormat();
  scr5().Show();
  g.TransStartMethod = 1;
  ShowTransIterations();
  return {};
}

// 100 scenarios whose measures run to hundreds, in the widest scientific format.
std::vector<std::string> QueueScientific(bool comparative) {
  g.ModelClass = ModelClassCode::Queueing;
  g.HeaderText[1] = "Limit";
  std::vector<std::vector<double>> scenarios;
  for (int s = 1; s <= 100; ++s)
    scenarios.push_back({990.0 + s % 9, 998, static_cast<double>(1 + (s + 2) % 3), kQueueInf, kQueueInf});
  LoadQueueScenarios(scenarios);
  WidestFormat(2);
  ChosenFormat();
  scr5().Show();
  InitQueueOutputScreen();
  g.OutputOption = static_cast<int16>(comparative ? 101 : 1);
  ShowQueueScenarioOutput();
  return {};
}

const std::vector<LimitCase> &Cases() {
  static const std::vector<LimitCase> cases = {
      {"SpanningTree", "", [](ScriptedServices &s) { return Network(s, 1, 1); }},
      // Lengths near 1e60 in 15/15 digits: a tree's line goes on over further lines.
      {"SpanningTreeHuge", "", [](ScriptedServices &s) {
         Network(s, 1, 1, 0, 100, false, 1e60);
         return std::vector<std::string>{};
       }},
      {"FloydSummaryHuge", "Distance", [](ScriptedServices &s) { return Network(s, 3, 1, 2, 30, false, 1e60); }},
      {"DijkstraIterationsHuge", "", [](ScriptedServices &s) { return Network(s, 2, 2, 0, 30, false, 1e60); }},
      {"DijkstraSummary", "Distance", [](ScriptedServices &s) { return Network(s, 2, 1, 1); }},
      {"FloydSummary", "Distance", [](ScriptedServices &s) { return Network(s, 3, 1, 2); }},
      {.name = "ProjectCPM", .heading = "Activity", .open = [](ScriptedServices &) { return Project(); },
       .chartGrid = true},
      // The printout holds the schedule the steps end in, not the passes.
      {.name = "ProjectCPMSteps",
       .heading = "Activity",
       .open = [](ScriptedServices &) { return Project(true); },
       .renamed = {{"Latest Completion", "Latest Finish"}},
       .screenFrom = "Activity"},
      {.name = "ProjectCPMHuge",
       .heading = "Activity",
       .open = [](ScriptedServices &) { return Project(true, true); },
       .renamed = {{"Latest Completion", "Latest Finish"}},
       .screenFrom = "Activity"},
      {.name = "PertPaths",
       .heading = "Path Mean",
       .open = [](ScriptedServices &) { return PertPaths(); },
       .leftColumn = true,
       .stack = 0,
       .renamed = {{"Mean Duration", "Path Mean"}, {"Std. Deviation", "Path Std. Dev."}}},
      {"PertMeans", "Mean Duration", [](ScriptedServices &) { return PertMeans(); }},
      {"PertMeansHuge", "Activity", [](ScriptedServices &) { return PertMeans(true); }},
      {.name = "PertPathsHuge",
       .heading = "Path Mean",
       .open = [](ScriptedServices &) { return PertPaths(true); },
       .leftColumn = true,
       .stack = 0,
       .renamed = {{"Mean Duration", "Path Mean"}, {"Std. Deviation", "Path Std. Dev."}}},
      {.name = "CPMBarChart",
       .open = [](ScriptedServices &) { return BarChart(); },
       .graph = true,
       .chartNames = ActivitySymbols,
       .chartGrid = true},
      {"GameGraph", "", [](ScriptedServices &) { return Game(2); }, nullptr, true, false, 0, Strategies},
      // The printout holds the game's solution, not the linear program it was found by.
      {.name = "GameLP", .open = [](ScriptedServices &) { return Game(); }, .screenTo = "Player A's LP Formulation:"},
      {"QueueTable", "Probability, pn", [](ScriptedServices &) { return Queue(); }},
      // The printout writes each solution of the screen's table as lines of its own.
      {.name = "IntegerSummary",
       .open = [](ScriptedServices &) { return Integer(); },
       .renamed = {{"Subproblem", "found at iteration"}, {"ObjVal, z", "Objective Value"}}},
      {"IntegerTree", "", [](ScriptedServices &) { return IntegerTree(); }},
      {"IntegerInfeasible", "", [](ScriptedServices &) { return Integer(false); }},
      {"LinearInfeasible", "", [](ScriptedServices &) { return LinearInfeasible(); },
       [](PageSurface &p) { return PrintLPOutputSummary(p); }},
      {"SingularInverse", "", [](ScriptedServices &) { return Matrix(1, true); },
       [](PageSurface &p) { return PrintInverseOutput(p); }},
      {"SingularEquations", "", [](ScriptedServices &) { return Matrix(2, true); },
       [](PageSurface &p) { return PrintInverseOutput(p); }},
      {"MaxFlowSummary", "", [](ScriptedServices &s) {
         Network(s, 4, 1);
         return std::vector<std::string>{};
       }},
      {"DijkstraIterations", "", [](ScriptedServices &s) { return Network(s, 2, 2); }},
      // Every pass prints two n x n tables: 30 nodes keep the case quick under the sanitizers.
      {"FloydIterations", "", [](ScriptedServices &s) {
         Network(s, 3, 2, 0, 30);
         return std::vector<std::string>{};
       }},
      {"MaxFlowIterations", "", [](ScriptedServices &s) {
         Network(s, 4, 2);
         return Breakthroughs();
       }},
      {"MaxFlowUnboundedSummary", "", [](ScriptedServices &s) {
         Network(s, 4, 1, 0, 100, true);
         return std::vector<std::string>{};
       }},
      {"MaxFlowUnboundedIterations", "", [](ScriptedServices &s) {
         Network(s, 4, 2, 0, 100, true);
         return Breakthroughs();
       }},
      {"LinearSummary", "", [](ScriptedServices &) { return LinearSummary(); }},
      {.name = "LinearSmallSummary", .open = [](ScriptedServices &) { return LinearSummary(1); }, .small = true},
      {.name = "LinearHugeRhs", .open = [](ScriptedServices &) { return LinearSummary(2); }, .small = true},
      {"LinearTableau", "", [](ScriptedServices &) { return LinearTableau(); }},
      {"LinearBigMTableau", "", [](ScriptedServices &) { return LinearTableau(3); }},
      {"LinearTwoPhaseTableau", "", [](ScriptedServices &) { return LinearTableau(4); }},
      {"LinearDualTableau", "", [](ScriptedServices &) { return LinearTableau(5); }},
      {"LinearUnbounded", "", [](ScriptedServices &s) { return LinearUnbounded(s); }},
      {"LinearGraph", "", [](ScriptedServices &) { return LinearGraph(); }, nullptr, true},
      {"Inverse", "", [](ScriptedServices &) { return Matrix(1); },
       [](PageSurface &p) { return PrintInverseOutput(p); }},
      {"Equations", "", [](ScriptedServices &) { return Matrix(2); },
       [](PageSurface &p) { return PrintInverseOutput(p); }},
      {"TransportSummary", "From", [](ScriptedServices &) { return TransportSummary(); },
       [](PageSurface &p) { return PrintTransOutputSummary(p); }},
      {.name = "TransportHugeCost", .open = [](ScriptedServices &) { return TransportSummary(true); }, .small = true},
      {"TransportTableau", "", [](ScriptedServices &) { return TransportTableau(); },
       [](PageSurface &p) { return PrintTransTableaus(p, scr5().outputGrid); }},
      {.name = "TransportHugeTableau",
       .open = [](ScriptedServices &) { return TransportTableau(true); },
       .print = [](PageSurface &p) { return PrintTransTableaus(p, scr5().outputGrid); },
       .small = true},
      {"QueueComparativeScientific", "", [](ScriptedServices &) { return QueueScientific(true); }},
      {"QueueScenarioScientific", "Probability, pn", [](ScriptedServices &) { return QueueScientific(false); }},
  };
  return cases;
}

// Each printout in the format its case chose (0) and in the widest fixed (1) and scientific
// (2) formats.
class PrintLimitsTest : public ScreenTest, public ::testing::WithParamInterface<std::tuple<LimitCase, int>> {
protected:
  const LimitCase &Case() const { return std::get<0>(GetParam()); }
};

// How often each row was printed: a row is a printed text or its start up to a blank (a game's
// mix line "A7 =  0.00" holds the row "A7 =").
std::map<std::string, int> PrintedRows(const std::vector<RecordedOp> &texts) {
  std::map<std::string, int> printed;
  for (const RecordedOp &op : texts) {
    ++printed[op.text];
    for (std::size_t blank = op.text.find(' '); blank != std::string::npos; blank = op.text.find(' ', blank + 1))
      ++printed[op.text.substr(0, blank)];
  }
  return printed;
}

// A heading stands at a page's foot only with a row under it: the last line of a page is never
// the line, texts and places, that the next page of the document starts with (the heading that
// page repeats).
void ExpectNoHeadingAlone(const std::vector<RecordedOp> &texts) {
  std::map<std::pair<int, int>, std::map<double, std::string>> lines;
  for (const RecordedOp &op : texts)
    if (!Trim(op.text).empty())
      lines[{op.document, op.page}][op.y1] += Trim(op.text) + "@" + std::to_string(std::lround(op.x2)) + "|";
  for (auto page = lines.begin(); page != lines.end(); ++page) {
    const auto next = std::next(page);
    if (next == lines.end() || next->first.first != page->first.first) continue;
    EXPECT_NE(page->second.rbegin()->second, next->second.begin()->second)
        << "a heading alone at the foot of page " << page->first.second << " of document " << page->first.first
        << ": " << page->second.rbegin()->second.substr(0, 100);
  }
}

// The program's printer writing its PDF files into a folder of the test's, keeping the texts
// it is given with the document and page each fell on.
class PdfPaper : public SystemPrinter {
public:
  PdfPaper() : SystemPrinter(PrintTarget::PdfFile) {
    if (std::getenv("QUON_KEEP_PDF")) folder_.setAutoRemove(false);
    SetPdfFolder(folder_.path().toStdString());
    SetProgressDelay(1 << 30);
  }
  const std::vector<RecordedOp> &Texts() const { return texts_; }
  // Every operation of the last page, lines and dots with the texts.
  const std::vector<DrawOp> &LastPage() const { return lastPage_; }
  int DocumentsEnded() const { return document_ - 1; }

protected:
  void Emit(const DrawOp &op) override {
    if (op.kind == DrawKind::NewPage) ++page_;
    if (op.kind == DrawKind::NewPage || (op.kind != DrawKind::EndDoc && ended_)) lastPage_.clear();
    ended_ = op.kind == DrawKind::EndDoc;
    if (op.kind != DrawKind::NewPage && op.kind != DrawKind::EndDoc) lastPage_.push_back(op);
    if (op.kind == DrawKind::Text) {
      RecordedOp rec;
      static_cast<DrawOp &>(rec) = op;
      rec.document = document_;
      rec.page = page_;
      texts_.push_back(std::move(rec));
    }
    if (op.kind == DrawKind::EndDoc) {
      ++document_;
      page_ = 1;
    }
    SystemPrinter::Emit(op);
  }

private:
  QTemporaryDir folder_;
  std::vector<RecordedOp> texts_;
  std::vector<DrawOp> lastPage_;
  bool ended_ = false;
  int document_ = 1, page_ = 1;
};

// A word of a PDF as a viewer shows it: its box in points from the page's top-left corner.
struct Word {
  double left, top, right, bottom;
  std::string text;
};
struct PdfPage {
  double width = 0, height = 0;
  std::vector<Word> words;
};

std::string Attribute(const std::string &tag, const char *name) {
  const std::size_t at = tag.find(std::string(" ") + name + "=\"");
  if (at == std::string::npos) return {};
  const std::size_t from = at + std::string(name).size() + 3;
  return tag.substr(from, tag.find('"', from) - from);
}

std::string Unescaped(std::string text) {
  for (const auto &[entity, ch] : {std::pair<const char *, const char *>{"&lt;", "<"}, {"&gt;", ">"},
                                   {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}})
    for (std::size_t p = text.find(entity); p != std::string::npos; p = text.find(entity, p + 1))
      text.replace(p, std::string(entity).size(), ch);
  return text;
}

// The pages and words of a PDF file as pdftotext (poppler-utils) reads them.
std::vector<PdfPage> PdfWords(const std::string &pdf) {
  const std::string out = pdf + ".words.html";
  const std::string command = "pdftotext -bbox-layout '" + pdf + "' '" + out + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << "pdftotext (poppler-utils) is needed: " << command;
  std::ifstream in(out);
  std::stringstream content;
  content << in.rdbuf();
  const std::string html = content.str();
  std::vector<PdfPage> pages;
  for (std::size_t p = html.find('<'); p != std::string::npos; p = html.find('<', p + 1)) {
    if (html.compare(p, 6, "<page ") == 0) {
      const std::string tag = html.substr(p, html.find('>', p) - p);
      pages.push_back({std::stod(Attribute(tag, "width")), std::stod(Attribute(tag, "height")), {}});
    } else if (html.compare(p, 6, "<word ") == 0 && !pages.empty()) {
      const std::size_t close = html.find('>', p), end = html.find("</word>", close);
      const std::string tag = html.substr(p, close - p);
      pages.back().words.push_back({std::stod(Attribute(tag, "xMin")), std::stod(Attribute(tag, "yMin")),
                                    std::stod(Attribute(tag, "xMax")), std::stod(Attribute(tag, "yMax")),
                                    Unescaped(html.substr(close + 1, end - close - 1))});
    }
  }
  std::remove(out.c_str());
  return pages;
}

std::string Where(const Word &w, std::size_t page) {
  return "\"" + w.text + "\" at (" + std::to_string(w.left) + ", " + std::to_string(w.top) + ") on page " +
         std::to_string(page + 1);
}

// The printable margin on every side, in points.
constexpr double kMarginPt = 18;

// Every word inside the page's margin and apart from the others: two words overlap when they
// share more than a hair across and more than the case's share of the lower one's height; and
// no page but the last ends with a heading (a line with no number and no data word) alone at
// its foot.
void ExpectPdfClean(const std::string &pdf, const std::vector<PdfPage> &pages, double stack) {
  ASSERT_FALSE(pages.empty()) << pdf;
  int outside = 0, overlaps = 0, alone = 0;
  std::string firstOutside, firstOverlap, firstAlone;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const PdfPage &page = pages[p];
    for (const Word &w : page.words)
      if (w.left < kMarginPt - 0.01 || w.top < kMarginPt - 0.01 || w.right > page.width - kMarginPt + 0.01 ||
          w.bottom > page.height - kMarginPt + 0.01) {
        if (outside++ == 0) firstOutside = Where(w, p) + " to x " + std::to_string(w.right);
      }
    constexpr double kHair = 0.6;
    std::vector<const Word *> byLeft;
    for (const Word &w : page.words)
      byLeft.push_back(&w);
    std::sort(byLeft.begin(), byLeft.end(), [](const Word *a, const Word *b) { return a->left < b->left; });
    std::vector<const Word *> active;
    for (const Word *w : byLeft) {
      std::erase_if(active, [w](const Word *a) { return a->right <= w->left + kHair; });
      for (const Word *a : active) {
        const double across = std::min(a->right, w->right) - std::max(a->left, w->left);
        const double down = std::min(a->bottom, w->bottom) - std::max(a->top, w->top);
        if (across > kHair && down > std::max(kHair, std::min(a->bottom - a->top, w->bottom - w->top) * stack) &&
            overlaps++ == 0)
          firstOverlap = Where(*a, p) + " and " + Where(*w, p);
      }
      active.push_back(w);
    }
    if (p + 1 == pages.size() || page.words.empty()) continue;
    // The page's last line: the words whose middles lie within 2 points of the lowest one's.
    std::vector<const Word *> byMiddle(byLeft);
    std::sort(byMiddle.begin(), byMiddle.end(),
              [](const Word *a, const Word *b) { return a->top + a->bottom < b->top + b->bottom; });
    const double lowest = (byMiddle.back()->top + byMiddle.back()->bottom) / 2;
    std::string line;
    bool datum = false, above = false;
    for (const Word *w : byMiddle) {
      if (lowest - (w->top + w->bottom) / 2 > 2) {
        above = true;
        continue;
      }
      line += w->text + " ";
      datum = datum || w->text == "y" || w->text == "n" || w->text == "infinity" || w->text == "--";
    }
    if (above && !datum && line.find_first_of("0123456789") == std::string::npos && alone++ == 0)
      firstAlone = "page " + std::to_string(p + 1) + ": " + line.substr(0, 100);
  }
  EXPECT_EQ(outside, 0) << pdf << ": words outside the margin, the first " << firstOutside;
  EXPECT_EQ(overlaps, 0) << pdf << ": overlapping words, the first " << firstOverlap;
  EXPECT_EQ(alone, 0) << pdf << ": a heading alone at the foot of " << firstAlone;
}

// A real number as a word of a page or a cell of the screen shows it: a number with a point or
// an exponent, a sign after it (a slack's side) aside; empty for any other word.
std::string RealNumber(const std::string &word) {
  std::string t = Trim(word);
  // A number that ends a sentence.
  if (!t.empty() && t.back() == '.') return {};
  if (t.size() > 1 && (t.back() == '+' || t.back() == '-') && IsNumber(t.substr(0, t.size() - 1))) t.pop_back();
  if (!IsNumber(t) || t.find_first_of(".eE") == std::string::npos) return {};
  return t;
}

// The real numbers among the words of a text, as they stand.
std::vector<std::string> RealNumbers(const std::string &text) {
  std::vector<std::string> numbers;
  std::istringstream words(text);
  for (std::string w; words >> w;)
    if (std::string n = RealNumber(w); !n.empty()) numbers.push_back(n);
  return numbers;
}

// Every real number the PDF shows is written in the pattern it was printed in, digit for digit
// (a number shortened to fit its column reads back in another form), and every real number a
// cell of the output screen shows is on the paper as the screen shows it, as often as the
// screen shows it: a column lost on paper takes its numbers with it.
// A number in the pattern, as the pattern writes it.
bool InPattern(const std::string &n, const std::string &pattern) {
  if (!IsNumber(n)) return false;
  const std::string own = Format(Val(n), pattern);
  // A negative zero reads back as zero.
  return own == n || (n[0] == '-' && Val(n) == 0 && "-" + own == n);
}

// The words of a page with each number wider than its column joined again: a number broken
// over lines stands in pieces one under the other, each ending where the one above ends (or
// starting where it starts), the pieces before the last not written in the pattern alone.
std::vector<std::string> JoinedWords(const PdfPage &page, const std::string &pattern) {
  const auto numeric = [](const std::string &t) {
    return !t.empty() && t.find_first_not_of("0123456789.eE+-") == std::string::npos;
  };
  std::vector<const Word *> words;
  for (const Word &w : page.words)
    words.push_back(&w);
  std::sort(words.begin(), words.end(), [](const Word *a, const Word *b) { return a->top < b->top; });
  std::vector<bool> used(words.size(), false);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (used[i]) continue;
    std::string text = words[i]->text;
    if (numeric(text) && !InPattern(text, pattern)) {
      std::vector<std::size_t> pieces;
      std::string joined = text;
      const Word *last = words[i];
      for (std::size_t j = i + 1; j < words.size() && pieces.size() < 40; ++j) {
        const Word &w = *words[j];
        const double height = last->bottom - last->top;
        if (w.top > last->top + 1.6 * height) break;
        if (used[j] || w.top < last->top + 0.5 * height || !numeric(w.text) ||
            (std::fabs(w.right - last->right) > 1 && std::fabs(w.left - last->left) > 1))
          continue;
        pieces.push_back(j);
        joined += w.text;
        last = &w;
        if (InPattern(joined, pattern)) {
          text = joined;
          for (std::size_t p : pieces)
            used[p] = true;
          break;
        }
      }
    }
    texts.push_back(text);
  }
  return texts;
}

void ExpectNumbersAsOnScreen(const std::vector<std::vector<PdfPage>> &pdfs, const std::string &pattern,
                             const std::vector<std::string> &screen, bool graph) {
  // The page heading's product line carries the version number.
  const std::vector<std::string> version = RealNumbers(kHeadingFirstLine);
  std::map<std::string, int> printed;
  int rewritten = 0;
  std::string firstRewritten;
  for (const std::vector<PdfPage> &pages : pdfs)
    for (const PdfPage &page : pages)
      for (const std::string &word : JoinedWords(page, pattern)) {
        const std::string n = RealNumber(word);
        if (n.empty()) continue;
        ++printed[n];
        // A graph's axes are marked in plain numbers.
        if (std::find(version.begin(), version.end(), n) != version.end() || (graph && n == Trim(Str(Val(n)))))
          continue;
        if (!InPattern(n, pattern) && rewritten++ == 0)
          firstRewritten = "\"" + n + "\" for \"" + Format(Val(n), pattern) + "\"";
      }
  EXPECT_EQ(rewritten, 0) << "numbers printed otherwise than in " << pattern << ", the first " << firstRewritten;
  std::map<std::string, int> shown;
  for (const std::string &text : screen)
    for (const std::string &n : RealNumbers(text))
      ++shown[n];
  int missing = 0;
  std::string firstMissing;
  for (const auto &[n, times] : shown) {
    const auto found = printed.find(n);
    const int onPaper = found == printed.end() ? 0 : found->second;
    if (onPaper < times && missing++ == 0)
      firstMissing = "\"" + n + "\" shown " + std::to_string(times) + " times, printed " + std::to_string(onPaper);
  }
  EXPECT_EQ(missing, 0) << "numbers of the screen not on the paper as often, the first " << firstMissing;
}

// The grid the case's result stands in on the screen.
const Grid &ScreenGrid(const LimitCase &c) { return c.chartGrid ? scrLPGraf().gridChart : scr5().outputGrid; }

// The rows of the screen's grid that the paper holds: from the first to before the end.
struct ScreenPart {
  int first = 0, end = 0;
};
ScreenPart RowsOnPaper(const Grid &grid, const LimitCase &c) {
  auto row = [&grid](const std::string &text, int none) {
    if (text.empty()) return none;
    for (int r = 0; r < grid.Rows(); ++r)
      if (grid.TextMatrix(r, 0) == text) return r;
    ADD_FAILURE() << "no row \"" << text << "\" on the screen";
    return none;
  };
  return {row(c.screenFrom, 0), row(c.screenTo, grid.Rows())};
}

// The text a user sees in a cell: a cell merged with others shows its text once, in the
// first of them.
std::string Shown(const Grid &grid, int r, int c) {
  if (grid.MergeCells != MergeMode::Never) {
    const CellRange range = grid.MergedRange(r, c);
    if (range.row1 != r || range.col1 != c) return {};
  }
  return grid.TextMatrix(r, c);
}

// The texts of the screen grid's cells on paper.
std::vector<std::string> ScreenTexts(const Grid &grid, ScreenPart rows) {
  std::vector<std::string> texts;
  for (int r = rows.first; r < rows.end; ++r)
    for (int c = 0; c < grid.Cols(); ++c)
      if (std::string text = Shown(grid, r, c); !text.empty()) texts.push_back(std::move(text));
  return texts;
}

// The screen's column headings: the text that stands over each run of numbers down a column
// of the grid (the first text above it that is not a number, with a letter in it).
std::set<std::string> ScreenHeadings(const Grid &grid, ScreenPart rows) {
  std::set<std::string> headings;
  for (int c = 0; c < grid.Cols(); ++c) {
    std::string above;
    bool overNumber = false;
    for (int r = rows.first; r < rows.end; ++r) {
      const std::string text = Trim(Shown(grid, r, c));
      if (text.empty()) continue;
      const bool number = IsNumber(text);
      if (number && !overNumber && std::any_of(above.begin(), above.end(), [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)); }))
        headings.insert(above);
      overNumber = number;
      above = text;
    }
  }
  return headings;
}

// Every column heading of the screen (or the name the paper gives it) stands on the paper as
// words of a line, or as one word without the heading's blanks: a column lost on paper takes
// its heading with it. A printed word may carry a colon and a name after the heading's last
// word ("N7:Depot" for the column "N7" or "N 7").
void ExpectColumnsAsOnScreen(const std::vector<std::vector<PdfPage>> &pdfs, const std::set<std::string> &headings,
                             const std::map<std::string, std::string> &renamed) {
  std::map<std::string, std::vector<std::pair<const std::vector<Word> *, std::size_t>>> at;
  for (const std::vector<PdfPage> &pages : pdfs)
    for (const PdfPage &page : pages)
      for (std::size_t w = 0; w < page.words.size(); ++w)
        at[page.words[w].text].emplace_back(&page.words, w);
  auto printed = [&at](const std::vector<std::string> &words) {
    const auto found = at.find(words[0]);
    if (words.size() == 1) {
      if (found != at.end()) return true;
      const auto named = at.lower_bound(words[0] + ":");
      return named != at.end() && named->first.rfind(words[0] + ":", 0) == 0;
    }
    if (found == at.end()) return false;
    for (const auto &[page, w] : found->second) {
      std::size_t k = 1;
      while (k < words.size() && w + k < page->size() &&
             ((*page)[w + k].text == words[k] ||
              (k + 1 == words.size() && (*page)[w + k].text.rfind(words[k] + ":", 0) == 0)))
        ++k;
      if (k == words.size()) return true;
    }
    return false;
  };
  std::vector<std::string> lost;
  for (const std::string &heading : headings) {
    const auto name = renamed.find(heading);
    const std::string onPaper = name == renamed.end() ? heading : name->second;
    std::vector<std::string> words;
    std::istringstream in(onPaper);
    for (std::string w; in >> w;)
      words.push_back(w);
    std::string joined;
    for (const std::string &w : words)
      joined += w;
    if (!words.empty() && !printed(words) && !printed({joined})) lost.push_back(onPaper);
  }
  EXPECT_EQ(lost, std::vector<std::string>{}) << "columns of the screen without their heading on paper";
}

TEST_P(PrintLimitsTest, EveryRowIsPrintedOnceInsideAPageApartFromTheOthers) {
  widest = std::get<1>(GetParam());
  const std::vector<std::string> rows = Case().open(script);
  // The result as the screen shows it; a graph or a report printed apart has no grid of its own.
  const bool grid = Case().chartGrid || !(Case().graph || Case().print);
  const ScreenPart onPaper = grid ? RowsOnPaper(ScreenGrid(Case()), Case()) : ScreenPart{};
  const std::vector<std::string> screen = grid ? ScreenTexts(ScreenGrid(Case()), onPaper) : std::vector<std::string>{};
  const std::set<std::string> columns = grid ? ScreenHeadings(ScreenGrid(Case()), onPaper) : std::set<std::string>{};
  const std::string pattern = NumberFormatString();
  // The format chosen is the one printed: the widest case prints in the widest pattern.
  if (widest > 0) {
    const std::string chosen = pattern;
    WidestFormat(widest);
    EXPECT_EQ(chosen, NumberFormatString()) << "the case does not print in the widest format";
  }
  PdfPaper paper;
  SetPrinterForTesting(&paper);
  if (Case().print)
    EXPECT_TRUE(RunPrintJob(Case().print));
  else if (Case().graph)
    scrLPGraf().cmdPrintGraph.PerformClick();
  else
    scr5().cmdWriteToPrinter_Click();
  SetPrinterForTesting(nullptr);
  SetLPGraphFrameDelay(0.4);
  ASSERT_GE(paper.DocumentsEnded(), 1);

  const std::vector<RecordedOp> &texts = paper.Texts();
  int pages = 0;
  for (const RecordedOp &op : texts)
    pages = std::max(pages, op.page);
  if (!Case().small) {
    EXPECT_GE(pages, 2);
  }
  ASSERT_FALSE(paper.Deliveries().empty());
  std::vector<std::vector<PdfPage>> pdfs;
  for (const PrintDelivery &pdf : paper.Deliveries()) {
    pdfs.push_back(PdfWords(pdf.where));
    ExpectPdfClean(pdf.where, pdfs.back(), Case().stack);
  }
  ExpectNumbersAsOnScreen(pdfs, pattern, screen, Case().graph);
  ExpectColumnsAsOnScreen(pdfs, columns, Case().renamed);
  ExpectNoHeadingAlone(texts);
  if (Case().chartNames) test::ExpectChartReadable(paper.LastPage(), Case().chartNames(), kPrinterTwipsPerPixel, Case().name);
  // The result's table, continued on later pages, repeats its headings at the top of each.
  if (!Case().heading.empty()) {
    const int last = paper.DocumentsEnded();
    std::map<int, int> headings;
    for (const RecordedOp &op : texts)
      if (op.document == last) headings[op.page] += op.text == Case().heading;
    auto page = headings.begin();
    while (page != headings.end() && page->second == 0)
      ++page;
    ASSERT_NE(page, headings.end());
    EXPECT_NE(page, std::prev(headings.end())) << "the table fits on one page";
    // A page where one block of columns ends and the next begins shows the heading of each.
    const int each = page->second;
    for (; page != headings.end(); ++page)
      EXPECT_GE(page->second, each) << "page " << page->first;
  }
  std::map<std::string, int> wanted;
  for (const std::string &row : rows)
    ++wanted[row];
  // The rows of the result, the last document.
  std::vector<RecordedOp> result;
  for (const RecordedOp &op : texts)
    if (op.document == paper.DocumentsEnded() && (!Case().leftColumn || op.x1 == kPrintLeft)) result.push_back(op);
  const std::map<std::string, int> printed = PrintedRows(result);
  // A table too wide for the page goes on in further blocks of columns, each repeating the row
  // labels: every row is then printed as many times more as the others.
  int extra = -1;
  for (const auto &[row, times] : wanted) {
    const auto found = printed.find(row);
    const int count = found == printed.end() ? 0 : found->second;
    EXPECT_GE(count, times) << row;
    if (extra < 0) extra = count - times;
    EXPECT_EQ(count - times, extra) << row << " printed " << count << " times for " << times;
  }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<LimitCase, int>> &info) {
  static const char *const formats[] = {"", "WidestFixed", "WidestScientific"};
  return std::string(std::get<0>(info.param).name) + formats[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(AtTheSizeLimits, PrintLimitsTest,
                         ::testing::Combine(::testing::ValuesIn(Cases()), ::testing::Values(0, 1, 2)), CaseName);

} // namespace
} // namespace quon::testing
