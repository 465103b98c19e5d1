// Dijkstra's shortest routes from node 1 on the output screen: the table of distances and
// routes, or one table of labels and statuses per step; and the screen part that Dijkstra's
// and Floyd's methods share.
#include <cmath>
#include <string>

#include "network/network_engine.h"
#include "network/ui/net_screen.h"
#include "network/ui/network_output.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/print_helpers.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

using namespace net;

namespace {

// "2-name" with the name as stored (12 characters) when the node has one, else "2".
std::string NodeCell(int j) {
  const std::string stored = g.VarNames(j).str();
  return std::to_string(j) + (Trim(stored).empty() ? std::string() : "-" + stored);
}

} // namespace

void InitShortestRouteOutputScreen() {
  Scr5 &f = scr5();
  const int w = ScreenWidth();
  for (Control *c : {static_cast<Control *>(&f.Frame1), static_cast<Control *>(&f.Frame2),
                     static_cast<Control *>(&f.Frame7), static_cast<Control *>(&f.outputGrid)})
    c->SetVisible(false);
  f.Frame4.SetVisible(true);
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem("Shortest routes");
    f.Combo1.AddItem("Iterations");
  }
  PageHeading(f);
  if (g.NetSubModel == 2) g.TitleText = " DIJKSTRA'S SHORTEST ROUTE ALGORITHM";
  if (g.NetSubModel == 3) g.TitleText = "FLOYD'S SHORTEST ROUTE ALGORITHM";
  PrintCentred(f, g.TitleText);
  Rule(f);
  PlaceCentred(f.Frame4, 1.01 * f.CurrentY());
  f.Frame4.SetVisible(true);
  SavedCtlPos() = static_cast<int16>(std::lround(f.CurrentY() * 1.1));
  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) * 0.5), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  f.Frame1.SetVisible(true);
  if (g.NetSubModel == 23) {
    f.Frame4.SetVisible(false);
    g.OutputOption = 1;
    g.NetSubModel = 3;
    ShowFloydOutput();
  }
}

void ShowDijkstraOutput() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int n = g.NodeCount;
  ReDimProblemArrays(ArrayKind::Dijkstra);
  g.OutputPageKind = 2;
  f.Frame1.SetVisible(true);
  grid.SetVisible(true);
  bool iterations = false;
  const double y = ViewName(f, ViewHeading(f), "SHORTEST ROUTES", iterations);

  ClearGrid(grid, 1, 4);
  OutputGridLook(grid);
  grid.MergeCells = MergeMode::RestrictRows;
  const double width = iterations ? 0.5 * w : 0.8 * w;
  grid.Move(RoundTwips((iterations ? 0.25 : 0.1) * w), static_cast<int>(y), RoundTwips(width), grid.Height());
  grid.SetHeight(std::abs(OutputGridHeight(f.Frame1, grid)));

  // Every column fits: the widths share the cell area, with room kept for the vertical bar.
  grid.ScrollBars = ScrollBarsMode::Vertical;
  const double gw = grid.Width() - kGridBorderTwips - kScrollBarTwips;
  InitDijkstraLabels();
  g.IterCount = 1;
  if (!iterations) {
    for (int k = 1; k < n; ++k) {
      DijkstraRelax();
      DijkstraSelect();
      ++g.IterCount;
    }
    const double widths[] = {gw / 20, gw / 8, gw / 20, gw * 62 / 80};
    for (int c = 0; c < 4; ++c) {
      grid.SetColWidth(c, RoundTwips(widths[c]));
      grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignLeft;
    }
    grid.ColAlignment.at(1) = kAlignRight;
    const char *heads[] = {"Node", "Distance", "", "Route"};
    for (int c = 0; c < 4; ++c)
      Put(grid, 0, c, heads[c], kBlue, kCyan);
    // The headings stay in view while the routes of many nodes scroll.
    grid.FixedRows = 1;
    grid.SetRows(2);
    for (int j = 1; j <= n; ++j) {
      grid.SetTextMatrix(j, 0, std::to_string(j));
      const bool reached = !std::isinf(g.DijkstraDist(j));
      grid.SetTextMatrix(j, 1, reached ? Fmt(g.DijkstraDist(j)) : "infinity");
      if (reached) grid.SetTextMatrix(j, 3, DijkstraRouteText(j));
      AddRow(grid);
    }
    return;
  }
  for (int c = 0; c < 3; ++c) {
    grid.SetColWidth(c, static_cast<int>(gw / 3));
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignLeft;
  }
  // The fourth column stays empty in this view and takes no room.
  grid.SetColWidth(3, 0);
  const char *heads[] = {"Node", "Label", "Status"};
  for (int c = 0; c < 3; ++c)
    Put(grid, 0, c, heads[c], kWhite, kBlue);
  // The column headings stay in view, and each iteration's title above its rows: a step's block
  // is its title, one row a node and the empty row the next step's title takes the place after.
  grid.FixedRows = 1;
  grid.BlockOf = [n](int row) { return GridStore::RowBlock{1 + (row - 1) / (n + 2) * (n + 2), 1}; };
  DijkstraStep();
  ++g.IterCount;
}

void DijkstraStep() {
  Grid &grid = scr5().outputGrid;
  const int n = g.NodeCount;
  const int k = static_cast<int>(g.IterCount);
  // The node the previous step made permanent (none when it found no temporary label).
  const int changed = g.ChangedCells(0, 0);
  if (k > 1 && changed > 0 && changed < grid.Rows())
    for (int c = 0; c < 3; ++c)
      Fore(grid, changed, c, kGreen);
  int row = AddRow(grid);
  const int blockTop = row;
  for (int c = 0; c < 3; ++c)
    Put(grid, row, c, "Iteration " + Str(k), kBlue, kCyan);
  grid.SetMergeRow(row, true);

  DijkstraRelax();

  row = AddRow(grid);
  grid.SetTextMatrix(row, 0, NodeCell(1));
  AddRow(grid);
  grid.SetTextMatrix(row, 1, Cat({"[", Trim(Fmt(0)), ",   --]"}));
  grid.SetTextMatrix(row, 2, "permanent");
  Fore(grid, row, 2, kRed);
  for (int j = 2; j <= n; ++j) {
    row = grid.Rows() - 1;
    grid.SetTextMatrix(row, 0, NodeCell(j));
    AddRow(grid);
    if (!std::isinf(g.DijkstraDist(j))) {
      grid.SetTextMatrix(row, 1,
                         Cat({"[", Trim(Fmt(g.DijkstraDist(j))), ", ",
                              Format(std::to_string(std::abs(g.DijkstraPred(j))), "@@@@"), "]"}));
      grid.SetTextMatrix(row, 2, "temporary");
    }
  }

  // A step that finds no labelled temporary node makes none permanent and keeps CurrentNode.
  const bool madePermanent = DijkstraSelect();
  if (!madePermanent) g.ChangedCells(0, 0) = 0;

  auto nodeRow = [&](int j) { return grid.Rows() - n + j - 2; };
  auto permanent = [&](int j) {
    grid.SetTextMatrix(nodeRow(j), 2, "permanent");
    Fore(grid, nodeRow(j), 2, kRed);
  };
  // The node made permanent in this step still reads "temporary" here; the next step turns
  // its row green. Nodes made permanent before stay "permanent".
  for (int j = 2; j <= n; ++j) {
    if (g.DijkstraPred(j) >= 0) continue;
    if (madePermanent && j == g.CurrentNode)
      g.ChangedCells(0, 0) = static_cast<int16>(nodeRow(j));
    else
      permanent(j);
  }
  if (k == n)
    for (int j = 2; j <= n; ++j)
      permanent(j);
  // The newest iteration in view from its title, after "All Iterations" as after each step.
  grid.SetTopRow(k <= 1 ? 0 : blockTop);
}

} // namespace quon
