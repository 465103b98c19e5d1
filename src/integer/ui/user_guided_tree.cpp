// The user-guided branch-and-bound tree: the nodes drawn in outputGrid (five rows per level,
// one column per node of a level), the node detail in BBGrid, and the two clicks that grow it.
#include <algorithm>
#include <cmath>
#include <string>

#include "integer/branch_and_bound.h"
#include "integer/ui/ip_output.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"

namespace quon {

namespace {

constexpr int kLevelRows = 5;
constexpr int kMaxPerLevel = 10;

int32 TreeColumnWidth() { return (g.NumDigitsN + g.NumDigitsD + 2) * 200; }

// The tree grid as wide as its columns, and its vertical scroll bar once the tree is taller
// than the grid (so that the bar takes no column's room), up to 0.85 of the screen; centred.
void FitTreeGridWidth(Grid &grid) {
  int content = 2 * grid.BorderTwips;
  for (int r = 0; r < grid.Rows(); ++r)
    content += grid.RowHeightOf(r);
  const int32 bar = content > grid.Height() ? grid.ScrollBarTwips() : 0;
  const double width =
      std::min(0.85 * ScreenWidth(), grid.Cols() * static_cast<double>(TreeColumnWidth()) + 100 + bar);
  grid.SetWidth(RoundTwips(width));
  grid.SetLeft(RoundTwips((ScreenWidth() - grid.Width()) * 0.5));
}

void PaintCell(Grid &grid, int row, int col, Rgb back, Rgb fore) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellBackColor(back);
  grid.SetCellForeColor(fore);
}

void SetNodeColour(Grid &grid, int row, int col, Rgb back) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetCellBackColor(back);
}

bool Fractional(double x) {
  return !IsWholeValue(x);
}

std::string FathomText(bool atClick) {
  if (g.ObjSense == -1) return atClick ? "z<=LBound" : "z <= LBound";
  return atClick ? "z>=UBound" : "z >= UBound";
}

// Leading blank for the sign, as a number turned into text.
std::string SignedText(int v) { return (v < 0 ? "" : " ") + std::to_string(v); }

// The notice line below the node detail's place, centred, in place of the detail; in the type
// it is measured in, whichever view styled the label last.
void ShowNodeNotice(Scr5 &f, const std::string &text) {
  f.Frame3.SetVisible(false);
  f.Label6.SetFontName(f.FontName());
  f.Label6.SetFontSize(f.FontSize());
  f.Label6.SetFontBold(f.FontBold());
  f.Label6.SetForeColor(kRed);
  f.Label6.SetBackColor(kBlue);
  f.Label6.SetCaption(text);
  f.Label6.SetWidth(RoundTwips(f.TextWidth(text)) + 60);
  f.Label6.SetHeight(RoundTwips(f.TextHeight(text)));
  f.Label6.SetLeft(RoundTwips((ScreenWidth() - f.Label6.Width()) * 0.5));
  f.Label6.SetVisible(true);
  PlaceSearchTree(f);
}

bool RootUnbounded() {
  return scr5().outputGrid.TextMatrix(3, 0) == "unbounded";
}

} // namespace

void ShowNodeBounds() {
  Scr5 &f = scr5();
  // An unbounded root has no objective value: its bound is infinite in the objective's direction.
  const std::string zc = !RootUnbounded()        ? Format(g.NodeZ(1), NumberFormatString())
                         : g.ObjSense == -1 ? "infinity"
                                                 : "-infinity";
  const std::string b = Format(g.BestBound, NumberFormatString());
  const bool none = !UserTreeHasIncumbent();
  if (g.ObjSense == -1) {
    f.Label17.SetCaption("UBound=" + zc + "  (continuous max)");
    f.Label18.SetCaption(none ? "LBound=-infinity" : "LBound=" + b);
  } else {
    f.Label17.SetCaption("LBound=" + zc + "  (continuous min)");
    f.Label18.SetCaption(none ? "UBound=infinity" : "UBound=" + b);
  }
  if (!none) f.Label19.SetCaption("Occurs at node " + g.BBAuxText);
  FitSideFramesToTheirTexts();
}

bool UserTreeFinished() {
  const Grid &grid = scr5().outputGrid;
  for (int r = 0; r < grid.Rows(); r += kLevelRows) {
    const int level = r / kLevelRows + 1;
    if (level > g.LevelCount.UBound()) break;
    for (int c = 0; c < g.LevelCount(level) && c < grid.Cols(); ++c) {
      const Rgb back = grid.BackOf(r, c);
      if (back == kGrey || back == kGreen) return false;
    }
  }
  return true;
}

std::string UnsolvedTreeNode() {
  const Grid &grid = scr5().outputGrid;
  for (int r = 0; r + 3 < grid.Rows(); r += kLevelRows) {
    const int level = r / kLevelRows + 1;
    if (level > g.LevelCount.UBound()) break;
    for (int c = 0; c < g.LevelCount(level) && c < grid.Cols(); ++c)
      if (grid.TextMatrix(r + 3, c) == kNodeNotSolvedText) return grid.TextMatrix(r, c);
  }
  return "";
}

std::string UnsolvedSubproblemText(const std::string &node) {
  return "The simplex engine could not solve subproblem " + node;
}

void ShowBBCompleted() {
  Scr5 &f = scr5();
  const bool open = !UserTreeFinished();
  const std::string sense = g.ObjSense == -1 ? "(MAX) " : "(MIN) ";
  // The title follows the tree: while a node can still be branched it asks for one. A node the
  // engine could not solve may hide a better solution or the only one: no verdict is drawn.
  const std::string unsolved = open ? "" : UnsolvedTreeNode();
  g.TitleText = open               ? UserTreeTitle()
                : unsolved.empty() ? sense + "B&&B Search completed.  Click any node to reveal its solution"
                                   : sense + "B&&B Search incomplete.  " + UnsolvedSubproblemText(unsolved);
  f.Label1.SetForeColor(open ? kGreen : unsolved.empty() ? kMagenta : kRed);
  f.Label1.SetWidth(RoundTwips(f.TextWidth(g.TitleText)));
  f.Label1.SetLeft(RoundTwips((ScreenWidth() - f.Label1.Width()) * 0.5));
  f.Label1.SetCaption(g.TitleText);
}

void ShowNodeDetail() {
  Scr5 &f = scr5();
  f.Frame3.SetVisible(true);
  f.Frame12.SetVisible(true);
  f.Frame3.SetForeColor(kWhite);
  if (g.NodeStatus == -99) {
    if (g.BestBoundNodeFlag == 1) {
      g.BestBoundNodeFlag = 0;
      f.Frame3.SetBackColor(kMagenta);
      f.Frame3.SetCaption("Subproblem " + g.NodeIdText + " -- Best Bound");
    } else {
      f.Frame3.SetBackColor(kRed);
      f.Frame3.SetCaption("Subproblem " + g.NodeIdText + " fathomed");
    }
  } else {
    f.Frame3.SetBackColor(kGrey);
    f.Frame3.SetCaption("Click BRANCHING variable (" + g.NodeIdText + ")");
    SetNodeColour(f.outputGrid, g.NodeStatus, g.PickedNodeCol, kGrey);
  }

  Grid &bb = f.BBGrid;
  const int n = g.NVars;
  for (int r = 0; r <= 1; ++r)
    for (int c = 0; c <= n; ++c)
      PaintCell(bb, r, c, kCyan, kBlue);
  for (int c = 0; c <= n; ++c)
    bb.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
  bb.ColAlignment.at(0) = kAlignLeft;
  bb.SetTextMatrix(0, 0, "Variable");
  bb.SetTextMatrix(1, 0, "Var. Name");
  bb.SetTextMatrix(2, 0, "Value");
  bb.SetTextMatrix(3, 0, "Integer(y/n)?");
  const int q = FindNodePosition(g.PickedNodeId);
  for (int j = 1; j <= n; ++j) {
    const double v = q > 0 ? g.NodeX((q - 1) * n + j) : 0.0;
    bb.SetTextMatrix(0, j, "x" + std::to_string(j));
    bb.SetTextMatrix(1, j, Trim(g.VarNames(j).str()));
    bb.SetTextMatrix(2, j, Fractional(v) ? Format(v, NumberFormatString()) : NumText(std::round(v)));
    bb.SetTextMatrix(3, j, g.LPData(g.IntRow, j) == 1 ? "y" : "n");
  }
  // The table and its frame grow to show every value whole; what the screen cannot hold scrolls.
  bb.WidenColumnsToText();
  int columns = 2 * bb.BorderTwips;
  for (int c = 0; c <= n; ++c)
    columns += bb.ColWidthOf(c);
  const int width = std::max(bb.Width(), std::min(columns, RoundTwips(0.9 * ScreenWidth()) - 2 * bb.Left()));
  bb.ScrollBars = columns > width ? ScrollBarsMode::Horizontal : ScrollBarsMode::None;
  bb.SetWidth(width);
  // Its four rows whole, with the room of the scroll bar below them when there is one.
  int rows = 2 * bb.BorderTwips + (columns > width ? bb.ScrollBarTwips() : 0);
  for (int r = 0; r < bb.Rows(); ++r)
    rows += bb.RowHeightOf(r);
  if (rows > bb.Height()) {
    f.Frame3.SetHeight(f.Frame3.Height() + rows - bb.Height());
    bb.SetHeight(rows);
  }
  // The frame holds the table with the same margin each side.
  f.Frame3.SetWidth(width + 2 * bb.Left());
  f.Frame3.SetLeft(RoundTwips((ScreenWidth() - f.Frame3.Width()) / 2.0));
  PlaceSearchTree(f);
}

void SolveUserGuidedNode() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int n = g.NVars;

  // 1-2. The node's bounds block, its values and its z, appended.
  const int u = std::max(0, g.NodeBounds.UBound());
  g.NodeBounds.ReDimPreserve(u + 2 * n);
  g.NodeX.ReDimPreserve(std::max(0, g.NodeX.UBound()) + n);
  const int zAt = std::max(0, g.NodeZ.UBound()) + 1;
  g.NodeZ.ReDimPreserve(zAt);
  if (g.BBAux1 == 0) {
    g.CurNodeId = g.PickedNodeId;
    for (int j = 1; j <= n; ++j) {
      g.NodeBounds(u + j) = g.LPData(0, j);
      g.NodeBounds(u + n + j) = g.LPData(1, j);
    }
  } else {
    const int q = FindNodePosition(g.PickedNodeId);
    const int from = (q - 1) * 2 * n;
    for (int k = 1; k <= 2 * n; ++k)
      g.NodeBounds(u + k) = g.NodeBounds(from + k);
    const int j = g.BBAux1;
    if (g.BranchSide == 1)
      g.NodeBounds(u + n + j) = VarMin(g.NodeBounds(u + n + j), g.BBBoundA);
    else if (g.BranchSide == 2)
      g.NodeBounds(u + j) = VarMax(g.NodeBounds(u + j), g.BBBoundA + 1.0);
  }

  // 3-4. Solve; values and z kept in double precision, as solved.
  const LPStatus status = SolveNode();
  const int xAt = (zAt - 1) * n;
  bool fractional = false;
  for (int j = 1; j <= n; ++j) {
    const double x = status == LPStatus::Optimal ? g.XSol(j) : 0.0;
    g.NodeX(xAt + j) = x;
    if (g.LPData(g.IntRow, j) == 1 && Fractional(x)) fractional = true;
  }
  const double z = g.ZValue;
  g.NodeZ(zAt) = z;

  // 5-11. The node's block.
  const int last = grid.Cols() - 1;
  grid.SetColWidth(last, TreeColumnWidth());
  grid.ColAlignment.at(static_cast<std::size_t>(last)) = kAlignCenter;
  const int r = g.BBAux1 == 0 ? 0 : g.NodeStatus + kLevelRows;
  if (g.BBAux1 == 0) grid.SetTextMatrix(4, 0, "");
  ++g.BBAux2;
  g.BBNodeInfo.ReDimPreserve(2, g.BBAux2);
  g.BBNodeText.ReDimPreserve(g.BBAux2);
  const int c = g.LevelCount(g.TreeLevel) - 1;
  PaintCell(grid, r, c, kGreen, grid.ForeColor);
  grid.SetTextMatrix(r, c, "N" + std::to_string(g.CurNodeId));
  g.BBNodeInfo(1, g.BBAux2) = g.CurNodeId;
  if (g.BBAux2 > 1)
    for (int k = 1; k <= g.BBAux2; ++k)
      if (g.BBNodeInfo(1, k) == g.PickedNodeId) {
        g.BBNodeInfo(2, g.BBAux2) = static_cast<int16>(k);
        break;
      }
  for (int k = 1; k <= 4; ++k)
    PaintCell(grid, r + k, c, kWhite, kBlue);
  std::string branch;
  if (g.BBAux1 != 0 && g.BranchSide == 1) branch = "x" + std::to_string(g.BBAux1) + "<=" + NumText(g.BBBoundA);
  if (g.BBAux1 != 0 && g.BranchSide == 2) branch = "x" + std::to_string(g.BBAux1) + ">=" + NumText(g.BBBoundA + 1);
  grid.SetTextMatrix(r + 1, c, branch);
  g.BBNodeText(g.BBAux2) = branch;
  // The new node in view: its whole block where the view is tall enough, its label always.
  grid.ShowCell(r + kLevelRows - 1, c);
  grid.ShowCell(r, c);

  // 12. No solution: red, and perhaps the end of the tree.
  if (status != LPStatus::Optimal) {
    grid.SetTextMatrix(r + 2, c, "");
    // A subproblem the engine could not finish is not shown as infeasible: nothing is known.
    grid.SetTextMatrix(r + 3, c,
                       status == LPStatus::Unbounded    ? "unbounded"
                       : status == LPStatus::Infeasible ? "infeasible"
                                                        : kNodeNotSolvedText);
    SetNodeColour(grid, r, c, kRed);
    if (status == LPStatus::Unbounded) ShowNodeNotice(f, kUnboundedRelaxationText);
    // A child is judged with its sibling, once the branching has drawn both.
    if (g.BBAux1 == 0) ShowBBCompleted();
    return;
  }

  // 13-15. Open, fathomed by the bound, or an integer solution.
  grid.SetTextMatrix(r + 2, c, "z= " + Format(z, NumberFormatString()));
  grid.SetTextMatrix(r + 3, c, "x?");
  const double sense = g.ObjSense;
  const bool dominated = sense * g.BestBound <= sense * z;
  if (fractional) {
    if (dominated && f.Check2.Value() == 1) {
      grid.SetTextMatrix(r + 3, c, FathomText(false));
      SetNodeColour(grid, r, c, kRed);
    }
    return;
  }
  grid.SetTextMatrix(r + 3, c, "integer");
  const bool improves = g.ObjSense == -1 ? z > g.BestBound : z < g.BestBound;
  if (!improves) {
    SetNodeColour(grid, r, c, kRed);
    return;
  }
  g.BestBound = z;
  g.BBAuxText = SignedText(g.CurNodeId);
  if (g.BBAux3 > 0) {
    SetNodeColour(grid, g.BBAux3 - 4, g.BBAux4, kRed);
    grid.SetTextMatrix(g.BBAux3, g.BBAux4, "");
  }
  g.BBAux3 = static_cast<int16>(r + 4);
  g.BBAux4 = static_cast<int16>(c);
  f.Label18.SetForeColor(kMagenta);
  const std::string b = Format(g.BestBound, NumberFormatString());
  f.Label18.SetCaption((g.ObjSense == -1 ? "LBound=" : "UBound=") + b);
  f.Label19.SetCaption("Occurs at node " + g.BBAuxText);
  FitSideFramesToTheirTexts();
  grid.SetTextMatrix(r + 4, c, g.ObjSense == -1 ? "Best LBound" : "Best UBound");
  PaintCell(grid, r + 4, c, kWhite, kMagenta);
  SetNodeColour(grid, r, c, kMagenta);
}

void TreeNodeClick() {
  if (g.OutputOption != 2) return;
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  f.Label6.SetVisible(false);
  const int row = grid.Row() - grid.Row() % kLevelRows;
  const int col = grid.Col();
  grid.SetRow(row);
  g.NodeIdText = grid.TextMatrix(row, col);
  if (g.NodeIdText.empty()) {
    Beep();
    return;
  }
  const std::string status = grid.TextMatrix(row + 3, col);
  if (status == "infeasible") {
    ShowNodeNotice(f, "Subproblem has no feasible solution");
    return;
  }
  // Nothing of an unsolved node is known, not even the bound of the root.
  if (status == kNodeNotSolvedText) {
    g.NodeStatus = -99;
    ShowNodeNotice(f, UnsolvedSubproblemText(g.NodeIdText));
    return;
  }
  g.PickedNodeId = static_cast<int16>(std::stoi(g.NodeIdText.substr(1)));
  if (g.PickedNodeId == 10) ShowNodeBounds();
  // An unbounded node has no solution to show, and cannot be branched.
  if (status == "unbounded") {
    g.NodeStatus = -99;
    ShowNodeNotice(f, kUnboundedRelaxationText);
    return;
  }
  g.BestBoundNodeFlag = 0;
  const Rgb back = grid.BackOf(row, col);
  if (back == kMagenta || back == kRed) {
    g.BestBoundNodeFlag = back == kMagenta ? 1 : 0;
    g.NodeStatus = -99;
    ShowNodeDetail();
    return;
  }
  if (f.Check2.Value() == 1) {
    const double z = g.NodeZ(FindNodePosition(g.PickedNodeId));
    if (g.ObjSense == 1 ? z >= g.BestBound : z <= g.BestBound) {
      SetNodeColour(grid, row, col, kRed);
      grid.SetTextMatrix(row + 3, col, FathomText(true));
      g.NodeStatus = -99;
      ShowNodeDetail();
      ShowBBCompleted();
      return;
    }
  }
  g.NodeStatus = static_cast<int16>(row);
  g.PickedNodeCol = static_cast<int16>(col);
  ShowNodeDetail();
}

void BranchGridClick() {
  Scr5 &f = scr5();
  const int j = f.BBGrid.MouseCol;
  if (g.NodeStatus == -99 || j <= 0 || j > g.NVars) return;
  if (f.BBGrid.TextMatrix(3, j) == "n") {
    MsgBox("Target variable is continuous", msg::OKOnly | msg::Critical, "Branching Variable");
    return;
  }
  const double v = g.NodeX((FindNodePosition(g.PickedNodeId) - 1) * g.NVars + j);
  g.BBBoundA = std::floor(v);
  if (!Fractional(v)) {
    MsgBox("Target variable is already integer", msg::OKOnly | msg::Critical, "Branching Variable");
    return;
  }
  g.BBAux1 = static_cast<int16>(j);
  g.TreeLevel = static_cast<int16>(g.PickedNodeId / 10 + 1);

  Grid &grid = f.outputGrid;
  SetNodeColour(grid, g.NodeStatus, g.PickedNodeCol, kRed);
  grid.SetTextMatrix(g.NodeStatus + 3, g.PickedNodeCol, "x" + std::to_string(j) + "=" + Format(v, NumberFormatString()));
  if (grid.Rows() < kLevelRows * g.TreeLevel) {
    grid.SetRows(grid.Rows() + kLevelRows);
    g.LevelCount.ReDimPreserve(g.TreeLevel);
    FitTreeGridWidth(grid);
  }
  const int parentRow = g.NodeStatus;
  const int parentCol = g.PickedNodeCol;
  std::string children;
  for (int side = 1; side <= 2; ++side) {
    g.BranchSide = static_cast<int16>(side);
    ++g.LevelCount(g.TreeLevel);
    if (g.LevelCount(g.TreeLevel) > kMaxPerLevel) {
      MsgBox("Maximum number of B&B branches AT ANY ONE LEVEL cannot exceed 10.  Execution reverted to automatic mode",
             msg::OKOnly | msg::Information, "Module Capacity Exceeded!");
      grid.SetWidth(200);
      grid.SetLeft(RoundTwips(ScreenWidth() * 0.5));
      f.Combo1.SetListIndex(0);
      return;
    }
    if (grid.Cols() < g.LevelCount(g.TreeLevel)) {
      grid.SetCols(grid.Cols() + 1);
      FitTreeGridWidth(grid);
    }
    g.CurNodeId = static_cast<int16>(10 * g.TreeLevel + g.LevelCount(g.TreeLevel) - 1);
    if (side == 1) {
      children = "<N" + std::to_string(g.CurNodeId);
    } else {
      children += ", N" + std::to_string(g.CurNodeId) + ">";
      grid.SetTextMatrix(parentRow + 4, parentCol, children);
      PaintCell(grid, parentRow + 4, parentCol, kWhite, kGreen);
    }
    g.NodeIds.ReDimPreserve(g.NodeIds.UBound() + 1);
    g.NodeIds(g.NodeIds.UBound()) = g.CurNodeId;
    SolveUserGuidedNode();
  }
  ShowBBCompleted();
  f.Frame3.SetVisible(false);
  PlaceSearchTree(f);
}

} // namespace quon
