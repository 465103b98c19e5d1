#include <algorithm>
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

void ShowTransOutputSummary() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int h = ScreenHeight();
  const int rows = g.MRows;
  const std::vector<int> order = TransSummaryOrder();

  BeginSummaryPage(f);
  f.Frame4.SetVisible(false);
  f.Frame6.SetVisible(false);
  grid.SetVisible(true);

  f.SetCurrentY(1.1 * f.CurrentY());
  const std::string title = "TRANSPORTATION MODEL OUTPUT SUMMARY";
  f.SetCurrentX((w - f.TextWidth(title)) / 2);
  f.Print(title);
  f.Print("");
  PrintTransSummaryLines(f);
  f.Line(kPrintLeft, f.CurrentY(), w - kPrintLeft, f.CurrentY(), kBlack);

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
  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), RoundTwips(0.85 * h), f.Frame1.Width(),
                f.Frame1.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));

  const int nameWidth = gridWidth / 4;
  const int numberWidth = RoundTwips((gridWidth - 2 * nameWidth) / 3.05);
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
}

void ShowTransFinalSolution() {
  TransRestoreStart();
  g.TransStartMethod = 2;
  const TransOutcome outcome = SolveTransportation();
  g.FinalIteration = g.IterCount;
  g.TransStartMethod = 0;
  if (outcome != TransOutcome::Optimal) {
    MsgBox(TransOutcomeMessage(outcome), msg::OKOnly | msg::Critical, "Error");
    return;
  }
  ShowTransOutputSummary();
  scr5().Frame4.SetVisible(false);
}

void TransOutputOptionChosen(int option) {
  Scr5 &f = scr5();
  if (option > 0) {
    f.Clear();
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
