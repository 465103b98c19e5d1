#include "network/print_network_output.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "network/network_engine.h"
#include "platform/colors.h"
#include "platform/values.h"
#include "shell/data_table_printer.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"

namespace quon {

namespace {

// The shortest-route sections break a little earlier than the other reports.
constexpr double kRoutePageFullY = 13600;
bool PastRouteBreak(const PageSurface &printer, double y) { return printer.PageY(y) > kRoutePageFullY; }

// A label line longer than this is split once after a "]".
constexpr std::size_t kLabelLineMax = 120;

const BArray<double> kNoDoubles;
const BArray<double> kNoSingles;
const BArray<int16> kNoIntegers;

std::string Cell(const GridStore &grid, int row, int col) {
  if (row < 0 || row >= grid.Rows() || col < 0 || col >= grid.Cols()) return {};
  return grid.TextMatrix(row, col);
}

void At(PageSurface &printer, double x, double y, const std::string &text) {
  printer.SetCurrentX(x);
  printer.SetCurrentY(y);
  printer.Print(text);
}

// The text placed so that it ends at x.
void EndingAt(PageSurface &printer, double x, double y, const std::string &text) {
  At(printer, x - printer.TextWidth(text), y, text);
}

void Rule(PageSurface &printer, double y) { PrintRuleLine(printer, y); }

// A column heading of a route table: placed at x, or ending at x.
struct RouteHead {
  double x;
  const char *text;
  bool endsAtX = false;
};

// The headings on one line at the current position and the rule below them; returns the
// position under the rule.
double RouteHeadings(PageSurface &printer, std::initializer_list<RouteHead> heads) {
  const double top = printer.CurrentY();
  for (const RouteHead &h : heads)
    h.endsAtX ? EndingAt(printer, h.x, top, h.text) : At(printer, h.x, top, h.text);
  Rule(printer, printer.CurrentY());
  return printer.CurrentY();
}

// The table printer starts its heading one line below PrintY: one blank line under the text.
void TableBelow(PageSurface &printer) { g.PrintY = RoundTwips(printer.CurrentY()); }

void ResultTitle(PageSurface &printer, const char *title) {
  g.MsgText = title;
  PrintSectionHeader(printer);
}

// A route table's row position: 1.5 line heights below the last; past the route tables' break
// on a new page, below the table's headings repeated (printed from the continue position,
// returning the position the rows start from).
double NextRouteRow(PageSurface &printer, double y, const PageSurface::RunningHeading &heading, int lines = 1) {
  y += 1.5 * g.LineHeight;
  if (PastRouteBreak(printer, y + (lines - 1) * g.LineHeight)) {
    printer.NewPage();
    printer.SetCurrentY(kContinueY);
    y = heading(printer) + 1.5 * g.LineHeight;
  }
  return y;
}

// A route that does not fit the line continues on the next ones, indented; each line ends
// after a "-" of the route.
constexpr double kRouteIndent = 300;

std::vector<std::string> RouteLines(const PageSurface &printer, double x, const std::string &route) {
  return WrappedLines(printer, route, kPrintRight - x, kPrintRight - x - kRouteIndent, '-');
}

// The route's lines from y down, one line height apart.
void PrintRoute(PageSurface &printer, double x, double y, const std::vector<std::string> &lines) {
  for (std::size_t k = 0; k < lines.size(); ++k)
    At(printer, x + (k == 0 ? 0 : kRouteIndent), y + static_cast<double>(k) * g.LineHeight, lines[k]);
}

void PrintSpanningTree(PageSurface &printer, const GridStore &grid) {
  ResultTitle(printer, "MINIMAL SPANNING TREE -- OUTPUT SUMMARY");
  // A line too long for the page goes on after its "=", its length whole.
  for (int r = 0; r < grid.Rows(); ++r) {
    PrintOverLines(printer, kPrintLeft, printer.CurrentY(), Cell(grid, r, 0));
    if (r == 0) printer.Print("");
  }
  Rule(printer, printer.CurrentY() + 100);
}

// The widest text of a column of the grid below its heading row.
double WidestCell(const PageSurface &printer, const GridStore &grid, int col) {
  double widest = 0;
  for (int r = 1; r < grid.Rows(); ++r)
    widest = std::max(widest, printer.TextWidth(Cell(grid, r, col)));
  return widest;
}

void PrintDijkstraIterations(PageSurface &printer, const GridStore &grid) {
  ResultTitle(printer, "SHORTEST ROUTES -- DIJKSTRA'S ITERATIONS");
  // The label and status columns stand at X 2700 and 5700, or further right where the widest
  // text of the column before would reach within two blanks of them. The iteration lines
  // ("I...") span the row and do not count.
  double widest[2] = {printer.TextWidth("Node"), printer.TextWidth("Label")};
  for (int r = 1; r < grid.Rows(); ++r)
    if (!Cell(grid, r, 0).empty() && Cell(grid, r, 0)[0] != 'I')
      for (int c = 0; c < 2; ++c) {
        // The step's new permanent node prints bold.
        printer.SetFontBold(grid.Attr(r, 0).fore == kGreen);
        widest[c] = std::max(widest[c], printer.TextWidth(Cell(grid, r, c)));
      }
  printer.SetFontBold(true);
  double statusWidth = printer.TextWidth("Status");
  for (int r = 1; r < grid.Rows(); ++r)
    if (!Cell(grid, r, 0).empty() && Cell(grid, r, 0)[0] != 'I') statusWidth = std::max(statusWidth, printer.TextWidth(Cell(grid, r, 2)));
  printer.SetFontBold(false);
  const double gap = printer.TextWidth("  ");
  const double labelX = std::max<double>(2700, kPrintLeft + widest[0] + gap);
  // Labels too wide for the line beside the status go on over further lines of their column.
  const double xs[] = {kPrintLeft, labelX,
                       std::min(std::max<double>(5700, labelX + widest[1] + gap), kPrintRight - statusWidth)};
  const double labelRoom = xs[2] - gap - labelX;
  auto headings = [&xs](PageSurface &p) {
    return RouteHeadings(p, {{xs[0], "Node"}, {xs[1], "Label"}, {xs[2], "Status"}});
  };
  headings(printer);
  for (int r = 1; r < grid.Rows(); ++r) {
    if (PastRouteBreak(printer, printer.CurrentY())) {
      printer.NewPage();
      printer.SetCurrentY(kContinueY);
      headings(printer);
    }
    const std::string first = Cell(grid, r, 0);
    if (first.empty()) continue;
    if (first[0] == 'I') {
      printer.SetFontBold(true);
      printer.SetFontUnderline(true);
      At(printer, kPrintLeft, printer.CurrentY() + 100, first);
      printer.SetFontUnderline(false);
      printer.SetFontBold(false);
      continue;
    }
    // The node made permanent by the step before shows green on the screen.
    printer.SetFontBold(grid.Attr(r, 0).fore == kGreen);
    const double y = printer.CurrentY() + 10;
    std::vector<std::string> label;
    if (printer.TextWidth(Cell(grid, r, 1)) > labelRoom) label = WrappedLines(printer, Cell(grid, r, 1), labelRoom, labelRoom, ' ');
    if (label.empty()) label.push_back(Cell(grid, r, 1));
    At(printer, xs[0], y, Cell(grid, r, 0));
    At(printer, xs[2], y, Cell(grid, r, 2));
    const double step = printer.TextHeight("0");
    for (std::size_t k = 0; k < label.size(); ++k)
      At(printer, xs[1], y + static_cast<double>(k) * step, label[k]);
    printer.SetFontBold(false);
  }
}

// Where the distance column of a route table ends: at `end`, or further right where its
// widest text would come within two blanks of `after` (where the column before it ends); the
// routes take the rest of the line.
struct DistanceColumn {
  double from, end;
  DistanceColumn(const PageSurface &printer, const GridStore &grid, int col, double after, double end)
      : from(after + printer.TextWidth("  ")), end(std::max(end, from + WidestCell(printer, grid, col))) {}
  void Print(PageSurface &printer, double y, const std::string &distance) const {
    EndingAt(printer, end, y, distance);
  }
};

void PrintDijkstraSummary(PageSurface &printer, const GridStore &grid) {
  ResultTitle(printer, "SHORTEST ROUTES -- DIJKSTRA'S OUTPUT SUMMARY");
  const double nodeEnd = kPrintLeft + printer.TextWidth("999");
  const DistanceColumn distance(printer, grid, 1, nodeEnd, 2700);
  const double routeX = distance.end + 500;
  auto headings = [&](PageSurface &p) {
    return RouteHeadings(p, {{kPrintLeft, "Node"}, {distance.end, "Distance", true}, {routeX, "Route"}});
  };
  double y = headings(printer);
  for (int r = 1; r < grid.Rows(); ++r) {
    const std::string route = Cell(grid, r, 3).empty() ? Cell(grid, r, 2) : Cell(grid, r, 3);
    const std::vector<std::string> lines = RouteLines(printer, routeX, route);
    const int count = static_cast<int>(std::max<std::size_t>(1, lines.size()));
    y = NextRouteRow(printer, y, headings, count);
    EndingAt(printer, nodeEnd, y, Cell(grid, r, 0));
    distance.Print(printer, y, Cell(grid, r, 1));
    PrintRoute(printer, routeX, y, lines);
    y += (count - 1) * g.LineHeight;
  }
}

// A displayed matrix cell as a number: "infinity" is unlimited.
double MatrixValue(const std::string &text) {
  const std::string t = Trim(text);
  return t == "infinity" ? kUnlimited : Val(t);
}

// Floyd's arrays D and S of one displayed pass, read into copies: the step arrays go on from
// their exact values, not from the rounded texts.
void LoadFloydBlock(const GridStore &grid, int top, BArray<double> &d, BArray<int16> &s) {
  const int n = g.NodeCount;
  d.ReDim(n, n);
  s.ReDim(n, n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      const std::string dText = Trim(Cell(grid, top + 1 + i, j));
      d(i, j) = MatrixValue(dText);
      s(i, j) = static_cast<int16>(Val(Cell(grid, top + 1 + i, n + 1 + j)));
    }
}

void PrintFloydIterations(PageSurface &printer, const GridStore &grid) {
  ResultTitle(printer, "SHORTEST ROUTES -- FLOYD'S ITERATIONS");
  const int n = g.NodeCount;
  BArray<double> d;
  BArray<int16> s;
  for (int k = 1; k <= g.IterCount; ++k) {
    const int top = (n + 2) * (k - 1);
    if (top + n + 1 >= grid.Rows()) break;
    const std::string pass = Trim(Str(k - 1));
    printer.SetCurrentX(kPrintLeft);
    printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
    printer.SetFontBold(true);
    printer.Print("");
    printer.SetCurrentX(kPrintLeft);
    printer.Print("Iteration" + Str(k - 1));
    printer.SetFontBold(false);

    LoadFloydBlock(grid, top, d, s);
    printer.Print("");
    At(printer, kPrintLeft, printer.CurrentY(), "Array D" + pass);
    TableBelow(printer);
    PrintDataTable(printer, kNoDoubles, d, kNoIntegers, -2);
    printer.Print("");
    At(printer, kPrintLeft, printer.CurrentY(), "Array S" + pass);
    TableBelow(printer);
    PrintDataTable(printer, kNoDoubles, kNoSingles, s, -3);
    Rule(printer, printer.CurrentY());
  }
}

void PrintFloydSummary(PageSurface &printer, const GridStore &grid) {
  ResultTitle(printer, "SHORTEST ROUTES -- FLOYD'S OUTPUT SUMMARY");
  const DistanceColumn distance(printer, grid, 2, 2200 + WidestCell(printer, grid, 1), 4200);
  const double routeX = distance.end + 500;
  auto headings = [&](PageSurface &p) {
    return RouteHeadings(p, {{kPrintLeft, "From"}, {2200, " To"}, {distance.end, "Distance", true}, {routeX + 500, "Route"}});
  };
  double y = headings(printer);
  for (int r = 1; r < grid.Rows(); ++r) {
    const std::vector<std::string> lines = RouteLines(printer, routeX, Cell(grid, r, 4));
    const int count = static_cast<int>(std::max<std::size_t>(1, lines.size()));
    y = NextRouteRow(printer, y, headings, count);
    At(printer, kPrintLeft, y, Cell(grid, r, 0));
    At(printer, 2200, y, Cell(grid, r, 1));
    distance.Print(printer, y, Cell(grid, r, 2));
    PrintRoute(printer, routeX, y, lines);
    y += (count - 1) * g.LineHeight;
  }
}

// The path labels of one breakthrough on one line, or split once after a "]" at position
// 110 or later (counted from 1) when the line is too long for the page; the part after the
// split is indented.
void PrintLabelLine(PageSurface &printer, const std::string &line) {
  std::size_t cut = std::string::npos;
  if (line.size() > kLabelLineMax) {
    for (std::size_t p = line.find(']', 60); p != std::string::npos; p = line.find(']', p + 1))
      if (p + 1 >= 110) {
        cut = p + 1;
        break;
      }
  }
  // Either part too wide for the page line goes on over further lines, after a "]".
  constexpr double kIndent = 475;
  const double room = kPrintRight - kPrintLeft;
  bool firstLine = true;
  if (line.empty()) At(printer, kPrintLeft, printer.CurrentY(), line);
  for (const std::string &part : {line.substr(0, cut), cut < line.size() ? line.substr(cut) : std::string()}) {
    if (part.empty() && !firstLine) continue;
    for (const std::string &piece : WrappedLines(printer, part, firstLine ? room : room - kIndent, room - kIndent, ']')) {
      At(printer, kPrintLeft + (firstLine ? 0 : kIndent), printer.CurrentY(), piece);
      firstLine = false;
    }
  }
}

void PrintMaxFlowIterations(PageSurface &printer, const GridStore &grid) {
  ResultTitle(printer, "MAXIMUM FLOW -- ITERATIONS");
  const int n = g.NodeCount;
  BArray<double> flows;
  flows.ReDim(n, n);
  for (int b = 0; b <= g.IterCount; ++b) {
    const int top = b * (n + 4);
    if (top + 3 + n >= grid.Rows()) break;
    double y = printer.CurrentY() + g.LineHeight;
    if (PastPageBreak(printer, y)) {
      printer.NewPage();
      y = kContinueY;
    }
    printer.SetFontBold(true);
    At(printer, kPrintLeft, y, Cell(grid, top, 2));
    printer.SetFontBold(false);
    PrintLabelLine(printer, Cell(grid, top + 1, 1) + Cell(grid, top + 1, 2));
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j)
        flows(i, j) = MatrixValue(Cell(grid, top + 3 + i, j + 1));
    TableBelow(printer);
    PrintDataTable(printer, kNoDoubles, flows, kNoIntegers, -2);
    Rule(printer, printer.CurrentY());
  }
}

void PrintMaxFlowSummary(PageSurface &printer) {
  ResultTitle(printer, "MAXIMUM FLOW -- OUTPUT SUMMARY");
  printer.SetCurrentX(kPrintLeft);
  printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
  const std::string label = "Maximum flow in network =";
  const std::string after = "  (solution completed in " + Str(g.IterCount) + " itertions)";
  PrintOverLines(printer, kPrintLeft, printer.CurrentY(),
                 label + (MaxFlowUnbounded() ? std::string("infinity") : Format(g.NetMatrix(1, 0), NumberFormatString())) +
                     after);
  TableBelow(printer);
  PrintDataTable(printer, kNoDoubles, g.NetMatrix, kNoIntegers, -2);
}

const char *OriginalDataTitle() {
  switch (g.NetSubModel) {
  case 1:
    return "MINIMAL SPANNING TREE -- ORIGINAL DATA";
  case 4:
    return "MAXIMUM FLOW -- ORIGINAL DATA";
  default:
    return "SHORTEST ROUTE -- ORIGINAL DATA";
  }
}

void PrintResult(PageSurface &printer, const GridStore &grid) {
  const bool summary = g.OutputOption == 1, iterations = g.OutputOption == 2;
  switch (g.NetSubModel) {
  case 1:
    PrintSpanningTree(printer, grid);
    break;
  case 2:
    if (iterations) PrintDijkstraIterations(printer, grid);
    if (summary) PrintDijkstraSummary(printer, grid);
    break;
  case 3:
    if (iterations) PrintFloydIterations(printer, grid);
    if (summary) PrintFloydSummary(printer, grid);
    break;
  case 4:
    printer.SetFontBold(false);
    if (iterations) PrintMaxFlowIterations(printer, grid);
    if (summary) PrintMaxFlowSummary(printer);
    break;
  default:
    break;
  }
}

} // namespace

bool PrintNetworkOutput(PageSurface &printer, const GridStore &outputGrid, const std::string &verdict) {
  g.OutputPageKind = 2;
  PrintPageHeading(printer);
  g.LineHeight = RoundTwips(printer.TextHeight(NumberFormatString()));
  g.MsgText = OriginalDataTitle();
  PrintSectionHeader(printer);
  printer.SetFontBold(false);
  PrintDataTable(printer, g.ArcMatrix, kNoSingles, kNoIntegers, 0);
  const bool dataOut = printer.EndDoc();

  // The result is a document of its own, without the page heading.
  PrintResult(printer, outputGrid);
  if (!verdict.empty()) {
    g.PrintY = RoundTwips(printer.CurrentY());
    PrintClosingText(printer, verdict);
  }
  const bool resultOut = printer.EndDoc();
  return dataOut && resultOut;
}

bool PrintNetworkOutput(const GridStore &outputGrid, const std::string &verdict) {
  return RunPrintJob(
      [&outputGrid, &verdict](PageSurface &printer) { return PrintNetworkOutput(printer, outputGrid, verdict); });
}

} // namespace quon
