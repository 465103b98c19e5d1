#include "project/ui/project_output.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "input/ui/scr2.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "project/project_schedule.h"
#include "project/ui/project_page.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

int projectSavedCtlPos = 0;

namespace {

void Centre(Control &c, double top) {
  c.Move(RoundTwips((ScreenWidth() - c.Width()) / 2.0), RoundTwips(top), c.Width(), c.Height());
  c.SetVisible(true);
}

std::string Formatted(double v) {
  return Format(v, NumberFormatString());
}

// Row 0 of a PERT view: blue on yellow, the cells from `centredFrom` on centred, held in place.
void HeadingRow(Grid &grid, const std::vector<const char *> &heads, int centredFrom) {
  for (int c = 0; c < static_cast<int>(heads.size()); ++c) {
    grid.SetTextMatrix(0, c, heads[c]);
    PaintCell(grid, 0, c, kBlue, kYellow, c >= centredFrom ? std::optional<int>(kAlignCenter) : std::nullopt);
  }
  // The headings stay in view while the rows of a large project scroll.
  grid.FixedRows = 1;
}

void ShowActivityMeans(Scr5 &f) {
  const int count = g.ActivityCount;
  Grid &grid = BeginProjectView(f, "ACTIVITY MEAN AND VARIANCE", count + 3, 4);
  const int width = RoundTwips(0.6 * ScreenWidth());
  for (int c = 0; c < 4; ++c)
    grid.SetColWidth(c, RoundTwips(0.95 * width) / 4);
  PlaceProjectGrid(f, width);
  grid.ColAlignment = {kAlignCenter, kAlignLeft, kAlignRight, kAlignRight};
  HeadingRow(grid, {"Activity", "Activity Symbol", "Mean Duration", "Variance"}, 1);
  for (int r = 1; r <= count; ++r) {
    const auto [i, j] = ActivityNodes(r);
    grid.SetTextMatrix(r + 1, 0, std::to_string(i) + "-" + std::to_string(j));
    grid.SetTextMatrix(r + 1, 1, g.ActSymbol(r));
    grid.SetTextMatrix(r + 1, 2, Formatted(ActivityDuration(r)));
    grid.SetTextMatrix(r + 1, 3, Formatted(g.ArcVar(i, j)));
  }
}

void ShowPathMeans(Scr5 &f) {
  const int n = g.NodeCount;
  Grid &grid = BeginProjectView(f, "PATH MEAN AND STD. DEVIATION", n + 2, 4);
  const double width = 0.8 * ScreenWidth();
  grid.SetColWidth(0, RoundTwips(0.11 * width));
  grid.SetColWidth(1, RoundTwips(0.55 * width));
  grid.SetColWidth(2, RoundTwips(0.15 * width));
  grid.SetColWidth(3, RoundTwips(0.15 * width));
  PlaceProjectGrid(f, RoundTwips(width));
  grid.ColAlignment = {kAlignLeft, kAlignLeft, kAlignRight, kAlignRight};
  HeadingRow(grid, {"Node", "Longest Path Based on Mean Durations", "Mean Duration", "Std. Deviation"}, 2);
  for (int j = 1; j <= n; ++j) {
    if (g.ArcDur(0, j) == -2 || g.ArcDur(0, j) == -1) continue;
    const PertPath path = PertPathTo(j);
    grid.SetTextMatrix(j, 0, std::to_string(j));
    grid.SetTextMatrix(j, 1, PertPathText(path.nodes));
    grid.SetTextMatrix(j, 2, Formatted(path.mean));
    grid.SetTextMatrix(j, 3, Formatted(path.stdDev));
  }
}

} // namespace

Grid &BeginProjectView(Scr5 &f, const std::string &title, int rows, int cols) {
  const int w = ScreenWidth();
  g.OutputPageKind = 2;
  f.SetFontName("arial");
  f.SetForeColor(kWhite);
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetDrawWidth(1);
  f.Frame5.SetVisible(false);

  f.SetCurrentX(1200);
  f.SetCurrentY(projectSavedCtlPos + f.Frame4.Height());
  Centre(f.Frame2, f.CurrentY());
  f.SetCurrentY(f.CurrentY() + f.Frame2.Height());
  f.Line(1200, f.CurrentY(), w - 1200, f.CurrentY(), f.ForeColor());
  f.SetCurrentX(1200);
  f.Print("Title: " + g.HeaderText[1]);

  g.TitleText = title;
  Label &label = f.Label1;
  label.SetFontName("arial");
  label.SetFontSize(10);
  label.SetFontBold(true);
  const double textWidth = f.TextWidth(title);
  label.SetCaption(title);
  label.Move(RoundTwips((w - textWidth) / 2), RoundTwips(f.CurrentY()), RoundTwips(textWidth + 120),
             RoundTwips(f.TextHeight(title) + 30));
  label.SetVisible(true);
  f.SetCurrentY(f.CurrentY() + label.Height());

  // A fresh grid: a view chosen again must not keep the merges and colours of the last one.
  Grid &grid = f.outputGrid;
  grid.Reset(rows, cols);
  grid.FixedRows = 0;
  grid.FixedCols = 0;
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
  grid.Move(grid.Left(), RoundTwips(f.CurrentY()), grid.Width(), grid.Height());
  grid.SetVisible(true);
  return grid;
}

void PlaceProjectGrid(Scr5 &f, int width) {
  Grid &grid = f.outputGrid;
  grid.Move(RoundTwips((ScreenWidth() - width) / 2.0), grid.Top(), width, grid.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
}

void PaintCell(Grid &grid, int row, int col, std::optional<Rgb> fore, std::optional<Rgb> back,
               std::optional<int> align) {
  const int keepRow = grid.Row(), keepCol = grid.Col();
  grid.SetRow(row);
  grid.SetCol(col);
  if (fore) grid.SetCellForeColor(*fore);
  if (back) grid.SetCellBackColor(*back);
  if (align) grid.SetCellAlignment(*align);
  grid.SetRow(keepRow);
  grid.SetCol(keepCol);
}

void ReturnToInputAfterLoop(const InputMessage &message) {
  ShowInputMessage(message);
  // The input screen comes first: unloading the last screen would end the program.
  ModifyInputData();
  if (IsLoaded<Scr5>()) Unload(scr5());
}

void InitProjectOutputScreen() {
  Scr5 &f = scr5();
  const int w = ScreenWidth();
  for (Control *c : {static_cast<Control *>(&f.Frame1), static_cast<Control *>(&f.Frame2),
                     static_cast<Control *>(&f.Frame3), static_cast<Control *>(&f.Frame7),
                     static_cast<Control *>(&f.Frame10), static_cast<Control *>(&f.Frame12)})
    c->SetVisible(false);
  f.cmdNextIter.SetCaption("Next Step");
  f.cmdFinalIter.SetCaption("All Steps");

  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetDrawWidth(1);

  const bool pert = g.ProjMethod == 2;
  if (f.Combo1.ListCount() > 1) f.Combo1.Clear();
  if (f.Combo1.ListCount() == 0) {
    f.Combo1.AddItem(pert ? "Activity Mean/Var" : "CPM Bar Chart");
    f.Combo1.AddItem(pert ? "PERT Calculations" : "CPM Calculations");
  }

  g.TitleText = pert ? " PROJECT PLANNING - PERT" : " PROJECT PLANNING - CPM ";
  if (pert) {
    if (auto loop = ComputeForwardPass()) {
      ReturnToInputAfterLoop(*loop);
      return;
    }
  }
  f.SetCurrentX((w - f.TextWidth(g.TitleText)) / 2);
  f.Print(g.TitleText);
  f.Line(1200, f.CurrentY(), w - 1200, f.CurrentY(), f.ForeColor());
  Centre(f.Frame4, 1.01 * f.CurrentY());
  projectSavedCtlPos = RoundTwips(1.1 * f.CurrentY());
  Centre(f.Frame1, BottomButtonFrameTop(f.Frame1));
}

bool SelectProjectOutputOption() {
  if (g.ProjMethod == 2) {
    ShowPERTOutput();
    return false;
  }
  if (g.ProjMethod != 1) return false;
  for (int k = 1; k <= g.NodeCount; ++k) {
    g.EarlyTime(k) = -1;
    g.LateTime(k) = -1;
  }
  g.LateTime(0) = 0;
  g.NetMatrix(0, 0) = 0;
  g.IterCount = 0;
  g.ActFloat.ReDimRange(1, g.ActivityCount, 0, 4);
  bool chart = false;
  if (g.OutputOption == 1) {
    if (auto loop = ComputeCPMSchedule()) {
      ReturnToInputAfterLoop(*loop);
      return false;
    }
    chart = true;
  } else if (g.OutputOption == 2) {
    ShowCPMStepsTable();
  }
  for (int r = 1; r <= g.ActivityCount; ++r) {
    const auto [i, j] = ActivityNodes(r);
    g.ActFloat(r, 3) = g.EarlyTime(i);
    g.ActFloat(r, 0) = g.EarlyTime(i);
    g.ActFloat(r, 4) = g.LateTime(j);
  }
  for (int k = 1; k <= g.NodeCount; ++k)
    g.SchedStart(k) = g.EarlyTime(k);
  return chart;
}

void ShowPERTOutput() {
  Scr5 &f = scr5();
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  if (g.OutputOption == 1)
    ShowActivityMeans(f);
  else
    ShowPathMeans(f);
}

} // namespace quon
