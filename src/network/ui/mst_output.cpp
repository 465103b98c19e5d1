// The minimal spanning tree on the output screen: one row per arc that joins the tree, under
// the tree's length so far.
#include <algorithm>
#include <string>

#include "network/network_engine.h"
#include "network/ui/net_screen.h"
#include "network/ui/network_output.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/print_helpers.h"
#include "shell/screen_frame.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

using namespace net;

namespace {

// Twips the start list keeps clear of the screen's frame and of the grid.
constexpr int kStartFrameGap = 120;

constexpr const char *kZeroLength = "Updated minimal tree length = 0";

// " [name]" after a node number, nothing for a node without a name.
std::string NameTag(int node) {
  const std::string name = Trim(g.VarNames(node).str());
  return name.empty() ? std::string() : " [" + name + "]";
}

// The grid back to its length row, a starting row below it.
void RestartRows(Grid &grid, const std::string &startRow) {
  grid.SetRows(1);
  Back(grid, 0, 0, kCyan);
  Fore(grid, 0, 0, kBlue);
  grid.SetRows(2);
  grid.SetTextMatrix(1, 0, startRow);
}

} // namespace

void InitMSTOutputScreen() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  ReDimProblemArrays(ArrayKind::SpanningTree);
  g.OutputPageKind = 2;
  g.TreeCount = 0;
  g.FromNode = 1;

  PageHeading(f);
  f.Frame4.SetVisible(false);
  f.SetCurrentY(f.CurrentY() * 1.325);
  PrintCentred(f, "MINIMAL SPANNING TREE OUTPUT SUMMARY");
  f.SetCurrentX(1200);
  f.Print("Title: " + g.HeaderText[1]);
  f.SetCurrentX(1200);
  Rule(f);

  f.SetFontSize(8);
  f.SetCurrentX(1200);
  f.Print("Steps for generating iterations:");
  f.SetCurrentX(1600);
  f.Print("1.  Select a STARTING NODE from drop-down list (or assume default N1)");
  f.SetCurrentX(1600);
  f.Print("2.  Click command button NEXT ITERATION (or ALL ITERATIONS)");
  f.SetCurrentX(1200);
  Rule(f);

  PlaceCentred(f.Frame1, BottomButtonFrameTop(f.Frame1));
  f.Frame1.SetVisible(true);

  ClearGrid(grid, 1, 1);
  OutputGridLook(grid);
  grid.Move(RoundTwips(0.2 * w), GridTopBelowHeading(f, 1.3, f.Frame2), RoundTwips(0.6 * w), grid.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  grid.SetColWidth(0, grid.Width());
  grid.ColAlignment.at(0) = kAlignLeft;
  grid.SetVisible(true);

  g.ZValue = 0;
  Put(grid, 0, 0, kZeroLength, kBlue, kCyan);
  grid.SetRows(2);
  grid.SetTextMatrix(1, 0, "0.  Start at node 1");
  // The tree's length stays in view while its arcs scroll.
  grid.FixedRows = 1;

  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) * 0.5), grid.Top() - f.Frame2.Height(), f.Frame2.Width(),
                f.Frame2.Height());
  f.Frame2.SetVisible(true);
  // The start list left of the grid, a quarter of its width apart; on a screen too narrow for
  // that it keeps inside the frame and the grid moves right to keep clear of it.
  const int frameLeft = RoundTwips(ScreenFrameInside(w, ScreenHeight()).left) + kStartFrameGap;
  const int startLeft = std::max(frameLeft, RoundTwips(grid.Left() - 1.25 * f.Frame5.Width()));
  const int clear = startLeft + f.Frame5.Width() + kStartFrameGap;
  if (grid.Left() < clear) grid.Move(clear, grid.Top(), grid.Width(), grid.Height());
  f.Frame5.Move(startLeft, grid.Top(), f.Frame5.Width(), f.Frame5.Height());
  f.Frame5.SetVisible(true);
  f.Combo2.Clear();
  for (int i = 1; i <= g.NodeCount; ++i)
    f.Combo2.AddItem(Cat({"N", std::to_string(i)}));
}

void MSTStep() {
  Grid &grid = scr5().outputGrid;
  if (g.TreeCount == 0) {
    StartSpanningTree();
    RestartRows(grid, " 0.     Start at node N" + std::to_string(g.FromNode));
  }
  const std::optional<TreeArc> arc = AddSpanningTreeArc();
  if (!arc) {
    EndNetworkRun("All arcs from from current node have infinite length. No spanning tree exists.",
                  msg::OKOnly | msg::Critical, "Input data error");
    return;
  }
  grid.SetTextMatrix(0, 0, "Updated minimal tree length = " + Fmt(g.ZValue));
  const int row = g.TreeCount;
  grid.SetRows(row + 1);
  grid.SetTextMatrix(row, 0,
                     Str(g.TreeCount - 1) + ".     Connect N" + std::to_string(arc->to) + NameTag(arc->to) +
                         "  to N" + std::to_string(arc->from) + NameTag(arc->from) +
                         ":  Length = " + Fmt(arc->length));
  // The newest arc in view, after "All Iterations" as after each step.
  grid.ShowCell(row, grid.FixedCols < grid.Cols() ? grid.FixedCols : 0);
}

void MSTStartNodeChosen() {
  Scr5 &f = scr5();
  f.cmdNextIter.SetEnabled(true);
  f.cmdFinalIter.SetEnabled(true);
  g.FromNode = static_cast<int16>(f.Combo2.ListIndex() + 1);
  ClearNetworkRunVerdict();
  StartSpanningTree();
  RestartRows(f.outputGrid, " 0.      Start at node N" + std::to_string(g.FromNode));
  f.outputGrid.SetTextMatrix(0, 0, kZeroLength);
}

} // namespace quon
