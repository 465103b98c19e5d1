#include <string>

#include "linear/lp_graph.h"
#include "linear/lp_summary_values.h"
#include "linear/print_reports.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"

namespace quon {

namespace {

std::string F(double v) { return Format(v, NumberFormatString()); }

} // namespace

bool PrintLPGraph(PageSurface &printer) {
  PrintLPOriginalData(printer);

  g.MsgText = "LINEAR PROGRAMMING -- GRAPHICAL SOLUTION";
  PrintSectionHeader(printer);
  printer.SetFontBold(true);
  g.PrintY = RoundTwips(printer.CurrentY() + g.LineHeight);
  PrintAt(printer, kPrintLeft, g.PrintY, "Summary of Optimal Solution:");
  printer.SetFontBold(false);
  g.PrintY += g.LineHeight;
  // A problem without an optimum says so, as the screen's solution box does, and shows no
  // values of the solve's last point.
  if (const char *noSolution = LPNoSolutionText(g.LPResult)) {
    PrintAt(printer, 1500, g.PrintY, noSolution);
  } else {
    const std::string objective = "Objective Value = ";
    g.PrintY = RoundTwips(PrintOverLines(printer, 1500, g.PrintY, objective + F(g.ZValue)));
    for (int j = 1; j <= g.NVars; ++j) {
      g.PrintY += g.LineHeight;
      const std::string name = "x" + std::to_string(j) + " =  ";
      g.PrintY = RoundTwips(PrintOverLines(printer, 1500, g.PrintY, name + F(g.XSol(j))));
    }
  }
  const int16 rule = static_cast<int16>(RoundTwips(printer.CurrentY() + g.LineHeight / 2));
  PrintRuleLine(printer, rule);

  // Unwieldy data left no axes to draw the graph on.
  if (g.GraphStep <= 0 || g.GraphXMax <= 0) return printer.EndDoc();

  // The x range takes 0.647 of the page width and the y range the lower half of the page;
  // labels and the list of lines stay in the page's printable margin under the summary's rule.
  const double summaryFoot = rule + g.LineHeight / 2.0;
  const PrintedGraphFrame f = PrintedFrame(CurrentGraphFrame());
  const double left = (f.left + g.GraphXMin) / 2.0, width = f.right - f.left, height = f.bottom - f.top;
  const double pageW = printer.ScaleWidthTwips(), pageH = printer.ScaleHeightTwips();
  printer.ScaleSet(left, f.top, width, height);
  const double unitX = width / pageW, unitY = height / pageH, margin = 360;
  const LPGraphArea area{width, height,
                         {left + margin * unitX, f.top + summaryFoot * unitY, left + (pageW - margin) * unitX,
                          f.top + (pageH - margin) * unitY}};
  printer.SetFontSize(10);

  if (g.GraphZoomed == 1) {
    g.GraphZoomed = 0;
    g.GraphDrawn(0) = kWholePictureMark;
  }
  int16 last = g.MRows;
  if (g.GraphDrawn(0) != kWholePictureMark) {
    int16 first = g.GraphDrawn(0) != 0 && g.GraphDrawnCount >= g.MRows ? 0 : 1;
    DrawLPConstraint(first, last, printer, true, &area);
  } else {
    for (int j = 0; j <= g.MRows; ++j)
      g.GraphDrawn(j) = static_cast<int16>(j);
    g.GraphDrawnCount = g.MRows;
    int16 first = 0;
    DrawLPConstraint(first, last, printer, true, &area);
  }
  printer.ScaleReset();
  return printer.EndDoc();
}

bool PrintLPGraph() {
  return RunPrintJob([](PageSurface &printer) { return PrintLPGraph(printer); });
}

} // namespace quon
