#include <string>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "project/project_schedule.h"
#include "project/ui/project_output.h"
#include "project/ui/project_page.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"

namespace quon {

namespace {

std::string Formatted(double v) {
  return Format(v, NumberFormatString());
}

int AddRow(Grid &grid) {
  grid.SetRows(grid.Rows() + 1);
  return grid.Rows() - 1;
}

// The same text across the row's columns first..last, shown as one cell.
void MergedText(Grid &grid, int row, int first, int last, const std::string &text) {
  for (int c = first; c <= last; ++c)
    grid.SetTextMatrix(row, c, text);
  grid.MergeCells = MergeMode::RestrictRows;
  grid.SetMergeRow(row, true);
}

// A forward label in columns 0 to 2 of a new row, beside the grey separator.
void ForwardRow(Grid &grid, const LabelStep &s) {
  const int row = AddRow(grid);
  grid.SetTextMatrix(row, 0, std::to_string(g.IterCount));
  grid.SetTextMatrix(row, 1, std::to_string(s.node));
  grid.SetTextMatrix(row, 2, Formatted(s.time));
  PaintCell(grid, row, 3, std::nullopt, kGrey);
}

void BackwardCells(Grid &grid, int row, const LabelStep &s) {
  grid.SetTextMatrix(row, 4, std::to_string(g.IterCount));
  grid.SetTextMatrix(row, 5, std::to_string(s.node));
  grid.SetTextMatrix(row, 6, Formatted(s.time));
}

// The backward labels have reached the last forward row: close the passes and head the
// schedule, then show its first activity.
void StartSchedule(Grid &grid) {
  const int row = grid.Rows() - 1;
  grid.SetRow(row);
  MergedText(grid, row, 4, 6, "Backward pass completed");
  g.LateTime(0) = -99;
  const int head = AddRow(grid);
  // The schedule's own headings, whatever another view left in the array.
  g.ColHeads.ReDim(7);
  const char *heads[] = {"Activity",          "Duration",    "Earliest Start", "",
                         "Latest Completion", "Total Float", "Free Float"};
  for (int c = 0; c <= 6; ++c) {
    g.ColHeads(c) = heads[c];
    grid.SetTextMatrix(head, c, g.ColHeads(c));
    PaintCell(grid, head, c, kBlue, kYellow, kAlignCenter);
  }
  // The schedule's headings stay in view while its activities scroll, as the passes' did.
  grid.BlockOf = [head](int row) { return row >= head ? GridStore::RowBlock{head, 1} : GridStore::RowBlock{0, 2}; };
  g.NetMatrix(0, 0) = 0;
  ShowCPMSchedule();
}

void FinishSchedule(Scr5 &f) {
  Grid &grid = f.outputGrid;
  MergedText(grid, AddRow(grid), 0, 6, "Critical activities highlighted in red");
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  f.cmdWriteToPrinter.SetEnabled(true);
  f.cmdWriteToPrinter.SetFocus();
}

// One press's cycle. False when "All Steps" must stop: the schedule is complete or a loop sent
// the user back to the input screen.
bool CPMCycle(int limit, bool all) {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  // The buttons are off by then; a press that still arrives finds nothing more to show.
  if (g.LateTime(0) != 0 && g.NetMatrix(0, 0) >= g.ActivityCount) return false;
  ++g.IterCount;
  if (g.IterCount <= limit) {
    ForwardPassStep();
    if (!all) return true;
    if (g.ProjStatus == 0) return false;
  } else if (g.LateTime(0) == 0) {
    BackwardPassStep();
    if (grid.Row() == grid.Rows() - 2) StartSchedule(grid);
  } else {
    ShowCPMSchedule();
  }
  if (g.NetMatrix(0, 0) == g.ActivityCount) {
    FinishSchedule(f);
    return false;
  }
  return true;
}

} // namespace

void ShowCPMStepsTable() {
  Scr5 &f = scr5();
  f.cmdNextIter.SetEnabled(true);
  f.cmdFinalIter.SetEnabled(true);
  f.cmdWriteToPrinter.SetEnabled(false);
  Grid &grid = BeginProjectView(f, "SOLUTION STEPS", 2, 7);

  const double w = ScreenWidth();
  const double wide = 0.7 * w;
  for (int c = 0; c < 7; ++c)
    grid.SetColWidth(c, RoundTwips(0.15 * wide));
  grid.SetColWidth(3, RoundTwips(0.005 * wide));
  grid.SetColWidth(4, RoundTwips(1.02 * grid.ColWidthOf(4)));
  PlaceProjectGrid(f, RoundTwips(0.66 * w));
  for (int c = 0; c < 7; ++c)
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c == 2 || c == 6 ? kAlignRight : kAlignCenter;

  MergedText(grid, 0, 0, 2, "Forward Pass");
  MergedText(grid, 0, 4, 6, "Backward Pass");
  const char *heads[] = {"Step", "Node", "Earliest Time", "", "Step", "Node", "Latest Time"};
  for (int c = 0; c < 7; ++c) {
    const Rgb back = c == 3 ? kGrey : kYellow;
    grid.SetTextMatrix(1, c, heads[c]);
    PaintCell(grid, 0, c, kWhite, c == 3 ? kGrey : kBlue);
    PaintCell(grid, 1, c, kBlue, back, c == 2 || c == 6 ? std::optional<int>(kAlignCenter) : std::nullopt);
  }
  grid.SetRow(0);
  grid.SetCol(0);
  // The passes' headings stay in view while their rows scroll.
  grid.BlockOf = [](int) { return GridStore::RowBlock{0, 2}; };
}

void ForwardPassStep() {
  Grid &grid = scr5().outputGrid;
  g.ProjStatus = 0;
  const LabelStep s = ForwardLabel();
  switch (s.kind) {
  case LabelStep::Kind::Start:
  case LabelStep::Kind::Forward:
    ForwardRow(grid, s);
    g.ProjStatus = 1;
    break;
  case LabelStep::Kind::End: {
    // The project length, at the foot of the forward pass and at the head of the backward one.
    PaintCell(grid, grid.Rows() - 1, 2, kCyan);
    const int row = AddRow(grid);
    MergedText(grid, row, 0, 2, "Forward pass completed");
    PaintCell(grid, row, 3, std::nullopt, kGrey);
    BackwardCells(grid, 2, s);
    PaintCell(grid, 2, 6, kCyan);
    grid.SetRow(2);
    g.ProjStatus = 1;
    break;
  }
  default:
    ReturnToInputAfterLoop(LoopMessage(s.node, "Data Error"));
    break;
  }
}

void BackwardPassStep() {
  Grid &grid = scr5().outputGrid;
  g.ProjStatus = 0;
  const LabelStep s = BackwardLabel();
  const int row = grid.Row() + 1;
  if (s.kind != LabelStep::Kind::Backward || row >= grid.Rows()) return;
  grid.SetRow(row);
  BackwardCells(grid, row, s);
}

void ShowCPMSchedule() {
  Grid &grid = scr5().outputGrid;
  const int r = static_cast<int>(g.NetMatrix(0, 0)) + 1;
  if (r > g.ActivityCount) return;
  g.NetMatrix(0, 0) = r;
  const auto [i, j] = ActivityNodes(r);
  const ActivityFloat fl = StoreActivityFloats(r);
  const int row = AddRow(grid);
  grid.SetTextMatrix(row, 0, g.ActSymbol(r));
  grid.SetTextMatrix(row, 1, Formatted(ActivityDuration(r)));
  grid.SetTextMatrix(row, 2, Formatted(EarliestTime(i)));
  grid.SetTextMatrix(row, 4, Formatted(LatestTime(j)));
  grid.SetTextMatrix(row, 5, Formatted(fl.total));
  grid.SetTextMatrix(row, 6, Formatted(fl.free));
  PaintCell(grid, row, 0, std::nullopt, std::nullopt, kAlignLeft);
  if (IsCriticalActivity(r))
    for (int c = 0; c < 7; ++c)
      PaintCell(grid, row, c, kRed);
}

void ProjectNextStep() {
  g.NextIterFlag = 1;
  if (g.ProjMethod == 2) ++g.IterCount; // PERT has no steps; the count moves as for CPM
  if (g.ProjMethod != 1) return;
  CPMCycle(ForwardStepLimit(), false);
}

void ProjectAllSteps() {
  g.NextIterFlag = 2;
  if (g.ProjMethod != 1) return;
  const int limit = ForwardStepLimit();
  // Every cycle labels a node or shows an activity; the bound only guards against a press on
  // a table that is already complete.
  for (int left = 2 * limit + g.ActivityCount + 2; left > 0 && CPMCycle(limit, true); --left) {
  }
  // The end of the table in view, as the steps left it.
  if (!IsLoaded<Scr5>()) return;
  Grid &grid = scr5().outputGrid;
  if (grid.Rows() > 0 && grid.Cols() > 0) grid.ShowCell(grid.Rows() - 1, 0);
}

} // namespace quon
