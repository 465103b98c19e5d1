// Floyd's shortest routes on the output screen: the distance array D beside the sequence
// array S after every pass, or the route between chosen nodes.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "network/network_engine.h"
#include "network/ui/net_screen.h"
#include "network/ui/network_output.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

using namespace net;

namespace {

// "3-Oslo" from the first 6 characters of the node's name, "3 " for a node without one.
std::string RouteEnd(int node) {
  const std::string name = Trim(g.VarNames(node).str().substr(0, 6));
  return Trim(g.VarNames(node).str()).empty() ? std::to_string(node) + " "
                                              : std::to_string(node) + "-" + name;
}

void NodeList(ComboBox &list) {
  if (list.ListCount() != 0) return;
  for (int i = 1; i <= g.NodeCount; ++i)
    list.AddItem(Cat({"N", std::to_string(i)}));
}

} // namespace

namespace {

// D and S after every pass shown, the grid's cells made from them when they are drawn: a
// network of 100 nodes has 101 tables of 2 x 100 x 100 cells.
struct FloydTables {
  int n = 0;
  std::vector<std::vector<double>> d;
  std::vector<std::vector<int16>> s;
  double D(int t, int i, int j) const { return d[static_cast<std::size_t>(t)][static_cast<std::size_t>((i - 1) * n + j - 1)]; }
  int16 S(int t, int i, int j) const { return s[static_cast<std::size_t>(t)][static_cast<std::size_t>((i - 1) * n + j - 1)]; }
};

FloydTables &Tables() {
  static FloydTables tables;
  return tables;
}

std::string DistanceText(double d, const std::string &pattern) {
  return std::isinf(d) ? std::string("infinity") : Format(d, pattern);
}

void Look(SourcedCell &cell, Rgb fore, Rgb back) {
  cell.attr.fore = fore;
  cell.attr.hasFore = true;
  cell.attr.back = back;
  cell.attr.hasBack = true;
}

void Paint(SourcedCell &cell, Rgb back) {
  cell.attr.back = back;
  cell.attr.hasBack = true;
}

// Table t: its title row, the node headings, then a row of D and of S per node. Red marks the
// pivot row and column of the pass that follows it, green the cells that pass changed.
void MakeTable(int t, std::vector<SourcedCell> &cells) {
  const FloydTables &tables = Tables();
  const int n = tables.n;
  const int cols = 2 * n + 2;
  if (t >= static_cast<int>(tables.d.size()) || cells.size() < static_cast<std::size_t>((n + 2) * cols)) return;
  auto at = [&](int r, int c) -> SourcedCell & { return cells[static_cast<std::size_t>(r * cols + c)]; };

  at(0, 0).text = "Iter" + Str(t);
  Look(at(0, 0), kWhite, kBlue);
  const std::string dTitle = Cat({"D", Str(t)}), sTitle = Cat({"S", Str(t)});
  for (int i = 1; i <= n; ++i) {
    for (int c : {i, n + 1 + i}) {
      at(0, c).text = c == i ? dTitle : sTitle;
      Look(at(0, c), kBlue, kYellow);
      at(0, c).attr.align = static_cast<std::int8_t>(kAlignCenter);
      at(1, c).text = Cat({"N", Str(i)});
      Look(at(1, c), kBlue, kCyan);
    }
  }
  Paint(at(1, 0), kCyan);
  Paint(at(1, n + 1), kCyan);

  const std::string pattern = NumberFormatString();
  const bool next = t + 1 < static_cast<int>(tables.d.size());
  for (int i = 1; i <= n; ++i) {
    const int r = 1 + i;
    const std::string label = Cat({"N", std::to_string(i)});
    for (int c : {0, n + 1}) {
      at(r, c).text = label;
      Look(at(r, c), kBlue, kCyan);
    }
    for (int j = 1; j <= n; ++j) {
      if (j == i) continue;
      const double d = tables.D(t, i, j);
      at(r, j).text = DistanceText(d, pattern);
      at(r, n + 1 + j).text = std::to_string(tables.S(t, i, j));
    }
  }
  if (t < n) {
    const int k = t + 1;
    for (int i = 1; i <= n; ++i) {
      Paint(at(1 + i, k), kRed);
      Paint(at(1 + k, i), kRed);
    }
  }
  if (next)
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j)
        if (j != i && tables.D(t + 1, i, j) != tables.D(t, i, j)) {
          Paint(at(1 + i, j), kGreen);
          Paint(at(1 + i, n + 1 + j), kGreen);
        }
}

// Keeps D and S as the last pass left them; the widest text of the new table goes into
// ColWidthMax (only the cells the pass changed can be wider than before).
void KeepTable(int t) {
  FloydTables &tables = Tables();
  const int n = tables.n;
  std::vector<double> d(static_cast<std::size_t>(n) * n);
  std::vector<int16> s(d.size());
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      d[static_cast<std::size_t>((i - 1) * n + j - 1)] = g.NetMatrix(i, j);
      s[static_cast<std::size_t>((i - 1) * n + j - 1)] = g.NetMatrix2(i, j);
    }
  tables.d.resize(static_cast<std::size_t>(t));
  tables.s.resize(static_cast<std::size_t>(t));
  tables.d.push_back(std::move(d));
  tables.s.push_back(std::move(s));

  const std::string pattern = NumberFormatString();
  double widest = g.ColWidthMax;
  for (int i = 1; i <= n; ++i) {
    widest = VarMax(widest, static_cast<double>(Cat({"N", std::to_string(i)}).size()));
    for (int j = 1; j <= n; ++j) {
      if (j == i) continue;
      const double v = tables.D(t, i, j);
      if (t > 0 && v == tables.D(t - 1, i, j)) continue;
      widest = VarMax(widest, static_cast<double>(DistanceText(v, pattern).size()));
    }
  }
  g.ColWidthMax = widest;
}

} // namespace

void ShowFloydOutput() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int n = g.NodeCount;
  InitFloyd();
  g.OutputPageKind = 2;
  f.Frame5.SetVisible(false);
  grid.SetVisible(true);
  bool iterations = false;
  const double y = ViewName(f, ViewHeading(f), "SHORTEST ROUTES", iterations);
  g.ColWidthMax = iterations ? -999999.0 : 8.0;
  OutputGridLook(grid);
  grid.Move(grid.Left(), static_cast<int>(y), grid.Width(), grid.Height());

  if (g.OutputOption == 2) {
    // The route finder of the other view would write route rows into the arrays.
    f.Frame7.SetVisible(false);
    ClearGrid(grid, 1, 2 * n + 2);
    grid.ScrollBars = ScrollBarsMode::Both;
    grid.MergeCells = MergeMode::RestrictRows;
    g.IterCount = 1;
    ShowFloydArrays();
  } else if (g.OutputOption == 1) {
    SolveFloyd();
    PlaceCentred(f.Frame7, y);
    f.Frame7.SetVisible(true);
    NodeList(f.Combo3);
    NodeList(f.Combo4);
    g.FromNode = 0;
    g.ToNode = 0;
    ClearGrid(grid, 1, 5);
    const int width = RoundTwips(0.8 * w);
    grid.Move(RoundTwips((w - width) * 0.5), RoundTwips(f.Frame7.Top() + 1.1 * f.Frame7.Height()), width,
              grid.Height());
    grid.SetHeight(OutputGridHeight(f.Frame1, grid));
    // Every column fits: the widths share the cell area, with room kept for the vertical bar.
    grid.ScrollBars = ScrollBarsMode::Vertical;
    const double cells = width - kGridBorderTwips - kScrollBarTwips;
    const double parts[] = {0.07, 0.07, 0.1, 0.01, 0.75};
    const char *heads[] = {"From", "To", "Distance", "", "Route"};
    for (int c = 0; c < 5; ++c) {
      grid.SetColWidth(c, static_cast<int>(parts[c] * cells));
      grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignLeft;
      Put(grid, 0, c, heads[c], kBlue, kCyan);
    }
    grid.ColAlignment.at(2) = kAlignRight;
    // The headings stay in view while a long list of routes scrolls.
    grid.FixedRows = 1;
  }
}

void ShowFloydArrays() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int n = g.NodeCount;
  const int t = static_cast<int>(g.IterCount) - 1;
  const int sw = ScreenWidth();

  grid.FixedCols = 1;
  const int w = static_cast<int16>(
      f.TextWidth(std::string(static_cast<std::size_t>(g.NumDigitsN + g.NumDigitsD), 'A')));
  const int width = RoundTwips(VarMin((grid.Cols() - 0.3) * w, 0.8 * sw));
  grid.Move(RoundTwips((sw - width) * 0.5), grid.Top(), width, grid.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  if (t == 0) {
    for (int c = 1; c < grid.Cols(); ++c) {
      grid.SetColWidth(c, w);
      grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
    }
    grid.SetColWidth(0, RoundTwips(w * 0.8));
    grid.SetColWidth(n + 1, RoundTwips(w * 0.55));
    grid.ColAlignment.at(0) = kAlignLeft;
    grid.ColAlignment.at(static_cast<std::size_t>(n) + 1) = kAlignLeft;
    Tables() = FloydTables{n, {}, {}};
    grid.SetCellSource({0, n + 2, [](int block, std::vector<SourcedCell> &cells) { MakeTable(block, cells); }});
    // A table's title and column headings stay in view while its rows scroll.
    grid.BlockOf = [n](int row) { return GridStore::RowBlock{row / (n + 2) * (n + 2), 2}; };
  }

  // The table's rows at once (a grid grows slowly row by row); "All Iterations" may have made
  // room for every table already.
  const int title = t * (n + 2);
  const int needed = title + n + 2 + (g.IterCount <= n ? 1 : 0);
  if (grid.Rows() < needed) grid.SetRows(needed);
  grid.SetMergeRow(title, true);
  KeepTable(t);
  // The table before this one gains the green of the cells this pass changed.
  grid.ForgetSourcedBlocks();
  // The newest table in view from its title, after "All Iterations" as after each step.
  grid.SetTopRow(title);
}

void ShowFloydRoute() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int from = g.FromNode, to = g.ToNode;
  g.TitleText = FloydRouteText(FloydRouteNodes(from, to));
  grid.SetVisible(true);
  const int row = AddRow(grid);
  grid.SetTextMatrix(row, 0, RouteEnd(from));
  grid.SetTextMatrix(row, 1, RouteEnd(to));
  const double d = g.NetMatrix(from, to);
  if (std::isinf(d)) {
    grid.SetTextMatrix(row, 2, "infinity");
  } else {
    grid.SetTextMatrix(row, 2, Fmt(d));
    grid.SetTextMatrix(row, 3, "");
    grid.SetTextMatrix(row, 4, g.TitleText);
  }
  g.ToNode = 0;
  f.Combo4.SetText(" ?");
}

void FloydFromNodeChosen() {
  Scr5 &f = scr5();
  if (g.ToNode == -99) {
    f.outputGrid.SetRows(1);
    g.ToNode = -1;
  }
  g.FromNode = static_cast<int16>(f.Combo3.ListIndex() + 1);
  if (g.FromNode != g.ToNode && g.ToNode > 0) ShowFloydRoute();
}

void FloydToNodeChosen() {
  Scr5 &f = scr5();
  if (g.ToNode == -99) {
    f.outputGrid.SetRows(1);
    g.ToNode = 0;
  }
  g.ToNode = static_cast<int16>(f.Combo4.ListIndex() + 1);
  if (g.FromNode != g.ToNode && g.FromNode > 0) ShowFloydRoute();
}

void FloydListAllRoutes() {
  Scr5 &f = scr5();
  f.outputGrid.SetRows(1);
  const int n = g.NodeCount;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      if (i == j) continue;
      g.FromNode = static_cast<int16>(i);
      g.ToNode = static_cast<int16>(j);
      ShowFloydRoute();
      f.Combo3.SetText(" ?");
    }
  g.ToNode = -99;
  g.FromNode = 0;
}

} // namespace quon
