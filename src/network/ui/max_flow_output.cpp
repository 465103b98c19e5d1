// The maximal flow on the output screen: the flow on every arc under the total, or one block
// per labelling pass (header, labels of the path, the residual matrix).
#include <algorithm>
#include <cmath>
#include <string>

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

// A text over the node columns of a row, left-aligned and merged into one cell.
void Band(Grid &grid, int row, const std::string &text, double fontSize = 0) {
  for (int c = 2; c <= g.NodeCount + 1; ++c) {
    grid.SetTextMatrix(row, c, text);
    Align(grid, row, c, kAlignLeft);
    if (fontSize > 0) grid.Attr(row, c).fontSize = static_cast<float>(fontSize);
  }
  grid.SetMergeRow(row, true);
}

// The two heading columns (node number, node name) hold no numbers: as wide as their texts in
// the grid's font, never wider than a node column. In a wide format they would otherwise take
// most of a small screen's grid and leave a flow or two in view.
int HeadingColumnWidth(Scr5 &f, int w) {
  const std::string font = f.FontName();
  const double size = f.FontSize();
  const bool bold = f.FontBold();
  f.SetFontName("arial");
  f.SetFontSize(9);
  f.SetFontBold(true);
  double widest = std::max(f.TextWidth("Labels: "), f.TextWidth("N" + std::to_string(g.NodeCount)));
  for (int i = 1; i <= g.NodeCount; ++i)
    widest = std::max(widest, f.TextWidth(Trim(g.VarNames(i).str())));
  f.SetFontName(font);
  f.SetFontSize(size);
  f.SetFontBold(bold);
  return std::min(w, static_cast<int>(std::ceil(widest)) + 2 * kGridBorderTwips + 60);
}

// The node columns' width and the grid's width and place for it.
void SizeNodeColumns(Scr5 &f, Grid &grid, int w) {
  const int n = g.NodeCount;
  const int sw = ScreenWidth();
  const int heading = HeadingColumnWidth(f, w);
  const int all = n * w + 2 * heading;
  const int width = RoundTwips(VarMin(0.8 * sw, static_cast<double>(all)) + 320);
  grid.ScrollBars = width < all ? ScrollBarsMode::Both : ScrollBarsMode::Vertical;
  for (int c = 0; c < n + 2; ++c)
    grid.SetColWidth(c, c <= 1 ? heading : w);
  grid.Move(RoundTwips((sw - width) * 0.5), grid.Top(), width, grid.Height());
}

// A band as wide as its text: the node columns widen when the text would be cut.
void FitBand(Scr5 &f, Grid &grid, const std::string &text, double fontSize) {
  const int n = g.NodeCount;
  const double size = f.FontSize();
  f.SetFontSize(fontSize);
  const double needed = f.TextWidth(text) + 2 * kGridBorderTwips;
  f.SetFontSize(size);
  if (n * static_cast<double>(grid.ColWidthOf(2)) >= needed) return;
  SizeNodeColumns(f, grid, static_cast<int>(std::ceil(needed / n)));
}

// A flow, a label or a residual in the output format; "infinity" for an unlimited one.
std::string FlowText(double v, const std::string &pattern) {
  return std::isinf(v) ? std::string(v > 0 ? "infinity" : "-infinity") : Format(v, pattern);
}

void BlueOnYellow(Grid &grid, int row) {
  for (int c = 2; c <= g.NodeCount + 1; ++c) {
    Fore(grid, row, c, kBlue);
    Back(grid, row, c, kYellow);
  }
}

} // namespace

void InitMaxFlowOutputScreen() {
  Scr5 &f = scr5();
  const int h = ScreenHeight();
  f.Frame1.SetVisible(false);
  f.Frame2.SetVisible(false);
  f.Frame7.SetVisible(false);
  f.Frame4.SetVisible(true);
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem("Maximum flows");
    f.Combo1.AddItem("Iterations");
  }
  f.outputGrid.SetVisible(false);
  PageHeading(f);
  g.TitleText = "MAXIMUM FLOW OUTPUT SUMMARY";
  PrintCentred(f, g.TitleText);
  Rule(f);
  PlaceCentred(f.Frame4, 1.01 * f.CurrentY());
  SavedCtlPos() = static_cast<int16>(std::lround(1.02 * f.CurrentY()));
  PlaceCentred(f.Frame1, 0.8 * h);
  f.Frame1.SetVisible(true);
}

void ShowMaxFlowOutput() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int n = g.NodeCount;
  const int sh = ScreenHeight();
  g.OutputPageKind = 2;
  InitMaxFlow();
  f.Frame5.SetVisible(false);
  grid.SetVisible(true);
  bool iterations = false;
  const double y = ViewName(f, ViewHeading(f), "MAXIMUM FLOWS", iterations);
  // Both views keep the step buttons until the option decides.
  f.cmdNextIter.SetEnabled(true);
  f.cmdFinalIter.SetEnabled(true);
  g.TitleText = iterations ? "ITERATIONS" : "MAXIMUM FLOWS";

  ClearGrid(grid, 1, n + 2);
  OutputGridLook(grid);
  grid.MergeCells = MergeMode::RestrictRows;
  const int w = static_cast<int>(
      std::lround(f.TextWidth(std::string(static_cast<std::size_t>(g.NumDigitsN + g.NumDigitsD), 'A'))));
  for (int c = 0; c < n + 2; ++c)
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c <= 1 ? kAlignLeft : kAlignRight;
  grid.Move(grid.Left(), RoundTwips(1.1 * y), grid.Width(), RoundTwips(sh * 0.5));
  // Half the screen high, but clear of the exit buttons on a small screen.
  if (f.Frame1.Visible()) grid.SetHeight(std::max(0, std::min(grid.Height(), OutputGridHeight(f.Frame1, grid))));
  SizeNodeColumns(f, grid, w);

  g.IterCount = 0;
  if (g.OutputOption == 1) {
    f.cmdNextIter.SetEnabled(false);
    f.cmdFinalIter.SetEnabled(false);
    SolveMaxFlow();
    ShowMaxFlowIteration();
  } else if (g.OutputOption == 2) {
    ShowMaxFlowIteration();
  }
}

void ShowMaxFlowIteration() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int n = g.NodeCount;
  f.Frame2.SetVisible(true);
  grid.FixedCols = 2;
  const bool summary = g.OutputOption == 1;

  // The block's rows at once: a large grid grows slowly row by row.
  const int top = summary ? 0 : static_cast<int>(g.IterCount) * (n + 4);
  // An iteration's title, labels and column headings stay in view while its rows scroll; so
  // do the summary's total and column headings.
  if (summary)
    grid.BlockOf = [](int) { return GridStore::RowBlock{0, 3}; };
  else
    grid.BlockOf = [n](int row) { return GridStore::RowBlock{row / (n + 4) * (n + 4), 4}; };
  grid.SetRows(top + (summary ? 1 : 2) + 2 + n);
  int row = top;
  std::string text;
  const std::string pattern = NumberFormatString();
  if (summary) {
    text =
        "Maximum flow in network = " + FlowText(g.NetMatrix(1, 0), pattern) + "    (" + Str(g.IterCount) + " iterations)";
    BlueOnYellow(grid, row);
  } else {
    g.MsgText = g.IterCount >= 1 ? ":      Breakthrough flow = " + FlowText(g.NetMatrix(0, 0), pattern) : std::string();
    Back(grid, row, 0, kYellow);
    Back(grid, row, 1, kYellow);
    BlueOnYellow(grid, row);
    const std::string title = "Iteration" + Str(g.IterCount + 1) + g.MsgText;
    FitBand(f, grid, title, 9);
    Band(grid, row, title);
    ++row;
    if (row > 1) grid.SetTextMatrix(row, 1, "Labels: ");
    text = "(1)[0,--]-";
    for (int m = 1; m <= g.NetMatrix2(1, 0); ++m) {
      const int tail = g.NetMatrix2(1, m), head = g.NetMatrix2(2, m);
      text += "(" + std::to_string(head) + ")[" + Trim(FlowText(g.NetMatrix(0, m), pattern)) + "," + std::to_string(tail) +
              "]-";
      Back(grid, static_cast<int>((g.IterCount - 1) * (n + 4) + tail + 3), head + 1, kRed);
    }
    text = g.IterCount == 0 ? "Starting Flow Matrix" : text.substr(0, text.size() - 1);
  }
  Fore(grid, row, 0, kBlue);
  Back(grid, row, 0, kCyan);
  FitBand(f, grid, text, summary ? 9 : 7.5);
  Band(grid, row, text, summary ? 9 : 7.5);

  for (int heading = 0; heading < 2; ++heading) {
    ++row;
    for (int c = 0; c <= n + 1; ++c) {
      std::string cell;
      if (c >= 2) cell = heading == 0 ? "N" + std::to_string(c - 1) : Trim(g.VarNames(c - 1).str());
      Put(grid, row, c, cell, kBlue, kCyan);
    }
  }
  for (int i = 1; i <= n; ++i) {
    ++row;
    Put(grid, row, 0, "N" + std::to_string(i), kBlue, kCyan);
    Put(grid, row, 1, Trim(g.VarNames(i).str()), kBlue, kCyan);
    for (int j = 1; j <= n; ++j)
      if (j != i) grid.SetTextMatrix(row, j + 1, FlowText(g.NetMatrix(i, j), pattern));
  }
  // The newest iteration in view from its title, after "All Iterations" as after each step.
  if (!summary) grid.SetTopRow(top);
}

} // namespace quon
