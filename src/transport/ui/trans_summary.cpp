#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "linear/ui/output_page.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "transport/transport_report.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace quon {

namespace {

// Room a cell leaves around its text, in twips: the inset on both sides and the grid line.
constexpr int kCellMargin = 120;

// The widest text of a grid column in the grid's font, measured on the screen.
int WidestText(Surface &screen, const GridStore &grid, int col) {
  const std::string name = screen.FontName();
  const double size = screen.FontSize();
  const bool bold = screen.FontBold();
  screen.SetFontName(grid.FontName);
  screen.SetFontSize(grid.FontSize);
  screen.SetFontBold(grid.FontBold);
  double widest = 0;
  for (int r = 0; r < grid.Rows(); ++r)
    widest = std::max(widest, screen.TextWidth(grid.TextMatrix(r, col)));
  screen.SetFontName(name);
  screen.SetFontSize(size);
  screen.SetFontBold(bold);
  return static_cast<int>(std::ceil(widest));
}

// Column widths in the proportions of `base`, scaled down to fit `area`, each at least its
// entry of `needed`: columns whose texts need more keep what they need and the others share
// the rest. Texts that together need more than the area overflow it (the grid scrolls).
std::vector<int> FitWidths(const std::vector<int> &base, const std::vector<int> &needed, int area) {
  double scale = 1;
  for (std::size_t pass = 0; pass < base.size(); ++pass) {
    double fixed = 0, free = 0;
    for (std::size_t c = 0; c < base.size(); ++c)
      if (needed[c] >= base[c] * scale)
        fixed += needed[c];
      else
        free += base[c];
    if (free == 0) break;
    const double next = std::clamp((area - fixed) / free, 0.0, 1.0);
    if (next == scale) break;
    scale = next;
  }
  std::vector<int> widths;
  for (std::size_t c = 0; c < base.size(); ++c)
    widths.push_back(std::max(needed[c], static_cast<int>(std::floor(base[c] * scale))));
  return widths;
}

} // namespace

void ShowTransOutputSummary() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int rows = g.MRows;
  const std::vector<int> order = TransSummaryOrder();

  EndTransTableauView();
  BeginSummaryPage(f);
  f.Frame4.SetVisible(false);
  f.Frame6.SetVisible(false);
  grid.SetVisible(true);

  f.SetCurrentY(1.1 * f.CurrentY());
  const std::string title = "TRANSPORTATION MODEL OUTPUT SUMMARY";
  f.SetCurrentX((w - f.TextWidth(title)) / 2);
  f.Print(title);
  f.Print("");
  PrintTransSummaryLines(f, w - kPrintLeft);
  f.Line(kPrintLeft, f.CurrentY(), w - kPrintLeft, f.CurrentY(), kBlack);
  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  if (!g.TransSolveNote.empty()) {
    // No solution to list: the reason stands in place of the objective, and the page prints.
    grid.SetVisible(false);
    f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) / 2.0), RoundTwips(1.15 * f.CurrentY()), f.Frame2.Width(),
                  f.Frame2.Height());
    return;
  }

  grid.SetCols(5);
  grid.SetRows(rows + 1);
  grid.FixedRows = 0;
  grid.FixedCols = 0;
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
  const int gridWidth = RoundTwips(0.6 * w + 320);
  const int gridTop = GridTopBelowHeading(f, 1.3, f.Frame2);
  grid.Move(RoundTwips(0.2 * w), gridTop, gridWidth, grid.Height());
  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) / 2.0), gridTop - f.Frame2.Height(), f.Frame2.Width(),
                f.Frame2.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));

  // The columns share the cell area, which leaves the grid's last 320 twips to the vertical
  // scroll bar of a long summary; below they widen to their widest texts.
  const int area = gridWidth - 320;
  const int nameWidth = area / 4;
  const int numberWidth = RoundTwips((area - 2 * nameWidth) / 3.05);
  grid.ScrollBars = ScrollBarsMode::Both;
  for (int c = 0; c <= 4; ++c) {
    grid.SetColWidth(c, c <= 1 ? nameWidth : numberWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = c <= 1 ? kAlignLeft : kAlignRight;
    CellAttr &a = grid.Attr(0, c);
    a.back = kCyan;
    a.hasBack = true;
    a.fore = kBlue;
    a.hasFore = true;
  }
  const char *headings[] = {"From", "To", "Amt Shipped", "Obj Coeff", "Obj Contrib "};
  for (int c = 0; c <= 4; ++c)
    grid.SetTextMatrix(0, c, headings[c]);
  int r = 0;
  for (int p : order) {
    ++r;
    const auto texts = TransSummaryTexts(p);
    for (int c = 0; c <= 4; ++c)
      grid.SetTextMatrix(r, c, texts[static_cast<std::size_t>(c)]);
  }
  std::vector<int> base, needed;
  for (int c = 0; c <= 4; ++c) {
    base.push_back(grid.ColWidthOf(c));
    needed.push_back(WidestText(f, grid, c) + kCellMargin);
  }
  const std::vector<int> widths = FitWidths(base, needed, area);
  for (int c = 0; c <= 4; ++c)
    grid.SetColWidth(c, widths[static_cast<std::size_t>(c)]);
}

void ShowTransFinalSolution() {
  TransRestoreStart();
  g.TransStartMethod = 2;
  const TransOutcome outcome = SolveTransportation();
  g.FinalIteration = g.IterCount;
  g.TransStartMethod = 0;
  g.TransSolveNote = TransOutcomeMessage(outcome);
  // The summary says what the solve found, an optimum or why there is none; the message
  // stands over it.
  ShowTransOutputSummary();
  if (outcome != TransOutcome::Optimal) MsgBox(g.TransSolveNote, msg::OKOnly | msg::Critical, "Error");
  scr5().Frame4.SetVisible(false);
}

void TransOutputOptionChosen(int option) {
  Scr5 &f = scr5();
  if (option > 0) {
    EndTransTableauView();
    ClearToFrame(f);
    f.Frame6.SetEnabled(true);
    f.Combo5.SetEnabled(true);
    f.outputGrid.SetCols(0);
    f.outputGrid.SetRows(0);
  }
  if (option == 1) {
    const int16 saved = g.TransStartMethod;
    ShowTransFinalSolution();
    g.TransStartMethod = saved;
  } else if (option == 2) {
    TransRestoreStart();
    f.cmdNextIter.SetEnabled(true);
    f.cmdFinalIter.SetEnabled(true);
    ShowTransIterations();
  }
}

bool PrintTransOutput() {
  if (g.OutputPageKind == 1) return PrintTransTableaus();
  if (g.OutputPageKind == 2) return PrintTransOutputSummary();
  return false;
}

} // namespace quon
