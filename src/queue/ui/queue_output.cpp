#include "queue/ui/queue_output.h"

#include <algorithm>
#include <string>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "queue/queue_measures.h"
#include "queue/queue_report.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/screen_frame.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

// Every cell of the grid emptied, in white on blue "arial" 9 bold, scrolled to the top. A
// table's heading row stays in place when its rows scroll.
void FreshGrid(Grid &grid, int rows, int cols, bool headingRow) {
  grid.SetRows(0);
  grid.SetCols(0);
  grid.SetCols(cols);
  grid.SetRows(rows);
  grid.FixedRows = headingRow ? 1 : 0;
  grid.FixedCols = 0;
  grid.SetTopRow(0);
  grid.SetLeftCol(0);
  grid.ScrollBars = ScrollBarsMode::Both;
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.BackColorFixed = kBlue;
  grid.ForeColorFixed = kWhite;
}

// Twips a grid keeps clear of the inside of the screen's frame on either side.
constexpr int kFrameGap = 60;

// The widest a grid may be: the inside of the screen's frame, less a small gap either side.
int WidestGrid() {
  const FrameInside inside = ScreenFrameInside(ScreenWidth(), ScreenHeight());
  return RoundTwips(inside.right - inside.left) - 2 * kFrameGap;
}

// Centres a grid at `top`, as wide as its columns and as tall as its rows when the frame and
// `room` allow. A grid cut to the frame scrolls across, with its bar's room below the rows;
// rows that still do not fit scroll down, with that bar's room beside the columns.
void PlaceCentredWithin(Grid &grid, int top, int columns, int rowsHeight, int room) {
  const int bar = grid.ScrollBarTwips();
  const int widest = WidestGrid();
  bool across = columns > widest;
  const bool down = rowsHeight + (across ? bar : 0) > room;
  across = across || columns + (down ? bar : 0) > widest;
  grid.ScrollBars = across && down ? ScrollBarsMode::Both
                    : across       ? ScrollBarsMode::Horizontal
                    : down         ? ScrollBarsMode::Vertical
                                   : ScrollBarsMode::None;
  const int width = std::min(widest, columns + (down ? bar : 0));
  const int height = std::min(room, rowsHeight + (across ? bar : 0));
  grid.Move(RoundTwips((ScreenWidth() - width) * 0.5), top, width, height);
}

void Centre(Control &ctl, int top) {
  ctl.Move(RoundTwips((ScreenWidth() - ctl.Width()) * 0.5), top, ctl.Width(), ctl.Height());
}

std::string Caption(int s) {
  const std::string number = Str(s);
  switch (QueueKind(s)) {
  case QueueModelKind::PureDeath:
    return " Scenario " + number + ": Pure Death Model(N = " + QueuePopulationText(s) + ")";
  case QueueModelKind::PureBirth:
    return "      Scenario " + number + ":   Pure Birth Model";
  default:
    return " Scenario " + number + ":" + QueueModelNotation(s);
  }
}

void ShowComparative(Scr5 &f, int top) {
  Grid &grid = f.grid1;
  FreshGrid(grid, g.NScen + 1, 10, true);
  const int valueWidth = 100 * (g.NumDigitsN + g.NumDigitsD + 2);
  for (int c = 0; c < 10; ++c) {
    grid.SetColWidth(c, c < 2 ? 1000 : valueWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c < 2 ? kAlignCenter : kAlignRight;
    grid.SetTextMatrix(0, c, kQueueComparativeHeads[static_cast<std::size_t>(c)]);
    grid.SetRow(0);
    grid.SetCol(c);
    grid.SetCellBackColor(kCyan);
    grid.SetCellForeColor(kBlue);
  }
  for (int i = 1; i <= g.NScen; ++i) {
    const auto row = QueueComparativeRow(i);
    for (int c = 0; c < 10; ++c)
      grid.SetTextMatrix(i, c, row[static_cast<std::size_t>(c)]);
  }
  // As tall as its rows, short of the exit buttons. Two pixels each way are the grid's border.
  constexpr int kBorder = 30;
  const int columns = 2 * grid.ColWidthOf(0) + 8 * grid.ColWidthOf(2) + kBorder;
  const int rowsHeight = (g.NScen + 1) * grid.DefaultRowHeight() + kBorder;
  const int room = std::max(2 * grid.DefaultRowHeight() + grid.ScrollBarTwips(), f.Frame1.Top() - top - 100);
  PlaceCentredWithin(grid, top, columns, rowsHeight, room);
  f.outputGrid.SetVisible(false);
}

void ShowScenario(Scr5 &f, int s, int top) {
  Grid &grid = f.grid1;
  FreshGrid(grid, 6, 6, false);
  const int cellWidth = 96 * std::max<int>(10, static_cast<int>(NumberFormatString().size()));
  for (int c : {0, 1, 3, 4}) {
    grid.SetColWidth(c, cellWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c == 0 || c == 3 ? kAlignLeft : kAlignRight;
  }
  static constexpr const char *kLabels[4][2] = {
      {"Lambda =", "Mu ="}, {"L'da eff =", "Rho/c ="}, {"Ls =", "Lq ="}, {"Ws =", "Wq ="}};
  const auto values = QueueMeasureTexts(s);
  for (int r = 1; r <= 4; ++r) {
    grid.SetTextMatrix(r, 0, kLabels[r - 1][0]);
    grid.SetTextMatrix(r, 1, values[static_cast<std::size_t>(2 * (r - 1))]);
    grid.SetTextMatrix(r, 3, kLabels[r - 1][1]);
    grid.SetTextMatrix(r, 4, values[static_cast<std::size_t>(2 * (r - 1) + 1)]);
  }
  // Sized to its four label and value columns (each as wide as its texts) and rows 0 to 4, with
  // room for its border so that the last row shows whole: no scroll bars to hide them.
  grid.WidenColumnsToText();
  int columns = 2 * grid.BorderTwips;
  for (int c = 0; c <= 4; ++c)
    columns += grid.ColWidthOf(c);
  const int rowsHeight = 5 * grid.RowHeightOf(1) + 2 * grid.BorderTwips;
  PlaceCentredWithin(grid, top, columns, rowsHeight, rowsHeight + grid.ScrollBarTwips());

  // The probability table: two blocks of n, p_n and P_n side by side.
  Grid &table = f.outputGrid;
  const int half = QueueTableHalf();
  FreshGrid(table, half + 1, 6, true);
  const int numberWidth = std::max(1700, 100 * (g.NumDigitsN + g.NumDigitsD + 2) + 200);
  int total = 0;
  for (int c = 0; c < 6; ++c) {
    table.SetColWidth(c, c % 3 == 0 ? 700 : numberWidth);
    table.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
    table.SetTextMatrix(0, c, kQueueTableHeads[static_cast<std::size_t>(c % 3)]);
    total += table.ColWidthOf(c);
  }
  for (int r = 1; r <= half; ++r)
    for (int k = 0; k <= 1; ++k) {
      const int n = half * k + r - 1;
      if (n == gq.NPn) break;
      const auto row = QueueTableRow(n);
      for (int j = 0; j < 3; ++j)
        table.SetTextMatrix(r, 3 * k + j, row[static_cast<std::size_t>(j)]);
    }
  const int tableTop = grid.Top() + grid.Height();
  const int tableWidth = std::min(WidestGrid(), RoundTwips(1.05 * total));
  table.Move(RoundTwips((ScreenWidth() - tableWidth) * 0.5), tableTop, tableWidth, table.Height());
  table.SetHeight(std::max(0, OutputGridHeight(f.Frame1, table)));
  table.SetVisible(true);
}

} // namespace

void InitQueueOutputScreen() {
  Scr5 &f = scr5();
  const int w = ScreenWidth();
  g.OutputPageKind = 2;
  f.Frame1.SetVisible(false);
  f.Frame2.SetVisible(false);
  f.Frame3.SetVisible(false);
  f.Frame4.SetVisible(true);
  f.outputGrid.SetVisible(false);

  f.Combo1.Clear();
  for (int s = 1; s <= g.NScen; ++s)
    f.Combo1.AddItem("Scenario" + std::to_string(s));
  f.Combo1.AddItem("Comparative Analysis");

  f.SetFontName("arial");
  f.SetFontSize(6);
  f.SetForeColor(kWhite);
  PrintPageHeading(f);
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetDrawWidth(1);
  g.TitleText = "QUEUEING OUTPUT ANALYSIS";
  f.SetCurrentX((w - f.TextWidth(g.TitleText)) / 2);
  f.Print(g.TitleText);
  f.Line(1200, f.CurrentY(), w - 1200, f.CurrentY(), kBlack);
  f.Frame4.Move(RoundTwips((w - f.Frame4.Width()) / 2.0), RoundTwips(1.01 * f.CurrentY()), f.Frame4.Width(),
                f.Frame4.Height());
  gq.SavedCtlPos = static_cast<int16>(RoundTwips(f.CurrentY()));
}

void ShowQueueScenarioOutput() {
  const bool comparative = g.OutputOption == g.NScen + 1;
  if (g.OutputOption < 1 || g.OutputOption > g.NScen + 1) return;
  if (comparative) {
    for (int s = 1; s <= g.NScen; ++s) {
      gq.CurScen = static_cast<int16>(s);
      ComputeQueueMeasures();
    }
  } else {
    gq.CurScen = g.OutputOption;
    ComputeQueueMeasures();
  }

  Scr5 &f = scr5();
  const int w = ScreenWidth();
  const int h = ScreenHeight();
  f.SetFontName("arial");
  f.SetFontSize(10);
  f.SetFontBold(true);
  f.SetForeColor(kWhite);
  f.SetDrawWidth(1);
  f.Frame1.SetVisible(true);
  f.Frame2.SetVisible(true);
  f.cmdNextIter.SetEnabled(false);
  f.cmdFinalIter.SetEnabled(false);
  f.grid1.SetVisible(true);

  double y = 1.1 * (gq.SavedCtlPos + f.Frame4.Height());
  const double y0 = y;
  y += f.Frame2.Height();
  // Each choice draws the title line afresh: the previous one is painted over first, inside the
  // screen's frame.
  const FrameInside inside = ScreenFrameInside(w, h);
  f.FilledBox(inside.left, y + 15, inside.right, y + f.TextHeight("Title: "), f.BackColor());
  f.Line(1200, y, w - 1200, y, kBlack);
  f.SetCurrentX(1200);
  f.SetCurrentY(y);
  f.Print("Title: " + g.HeaderText[1]);

  g.TitleText = comparative ? "Comparative analysis" : Caption(gq.CurScen);
  Label &caption = f.Label1;
  caption.SetFontName("arial");
  caption.SetFontSize(10);
  caption.SetFontBold(true);
  caption.SetCaption(g.TitleText);
  const int captionWidth = RoundTwips(f.TextWidth(g.TitleText)) + 120;
  caption.Move((w - captionWidth) / 2, RoundTwips(f.CurrentY()), captionWidth, RoundTwips(f.TextHeight(g.TitleText)));
  caption.SetVisible(true);

  Centre(f.Frame1, BottomButtonFrameTop(f.Frame1));
  Centre(f.Frame2, RoundTwips(y0));

  if (comparative)
    ShowComparative(f, RoundTwips(1.1 * f.CurrentY()));
  else
    ShowScenario(f, gq.CurScen, caption.Top() + caption.Height());
}

} // namespace quon
