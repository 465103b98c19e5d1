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

// The axes of the printed graph: every tick carries its value, the dots are printer dots.
void PrintGraphAxes(PageSurface &printer) {
  const int step = g.GraphStep > 0 ? g.GraphStep : 1;
  printer.SetFontSize(10);
  printer.SetDrawWidth(1);
  printer.Line(g.GraphXMin, 0, g.GraphXMax, 0, printer.ForeColor());
  printer.Line(0, g.GraphYMin, 0, g.GraphYMax, printer.ForeColor());
  for (int x = g.GraphXMin; x <= g.GraphXMax; x += step) {
    printer.SetDrawWidth(3);
    printer.SetCurrentX(x);
    printer.SetCurrentY(0);
    printer.Print(Str(x));
    printer.SetDrawWidth(20);
    printer.Point(x, 0, printer.ForeColor());
  }
  printer.SetCurrentX(g.GraphXMax - 0.5 * step);
  printer.SetCurrentY(0);
  printer.Print("x1");
  double lastX = 0;
  for (int y = g.GraphYMin; y <= g.GraphYMax; y += step) {
    printer.SetDrawWidth(3);
    printer.SetCurrentX(0);
    printer.SetCurrentY(y);
    printer.Print(Str(y), false);
    lastX = printer.CurrentX();
    printer.SetDrawWidth(20);
    printer.Point(0, y, printer.ForeColor());
  }
  printer.SetCurrentX(lastX - 0.5 * step);
  printer.SetCurrentY(g.GraphYMax - 0.5 * step);
  printer.Print("x2");
}

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
    PrintAt(printer, 1500, g.PrintY,
            objective + FitNumber(printer, F(g.ZValue), kPrintRight - 1500 - printer.TextWidth(objective)));
    for (int j = 1; j <= g.NVars; ++j) {
      g.PrintY += g.LineHeight;
      const std::string name = "x" + std::to_string(j) + " =  ";
      PrintAt(printer, 1500, g.PrintY,
              name + FitNumber(printer, F(g.XSol(j)), kPrintRight - 1500 - printer.TextWidth(name)));
    }
  }
  PrintRuleLine(printer, static_cast<int16>(RoundTwips(printer.CurrentY() + g.LineHeight / 2)));

  // Unwieldy data left no axes to draw the graph on.
  if (g.GraphStep <= 0 || g.GraphXMax <= 0) return printer.EndDoc();

  // The x range takes 0.647 of the page width and the y range the lower half of the page.
  const PrintedGraphFrame f = PrintedFrame(CurrentGraphFrame());
  printer.ScaleSet((f.left + g.GraphXMin) / 2.0, f.top, f.right - f.left, f.bottom - f.top);
  PrintGraphAxes(printer);

  if (g.GraphZoomed == 1) {
    g.GraphZoomed = 0;
    g.GraphDrawn(0) = kWholePictureMark;
  }
  int16 last = g.MRows;
  if (g.GraphDrawn(0) != kWholePictureMark) {
    int16 first = g.GraphDrawn(0) != 0 && g.GraphDrawnCount >= g.MRows ? 0 : 1;
    DrawLPConstraint(first, last, printer, true);
  } else {
    for (int j = 0; j <= g.MRows; ++j)
      g.GraphDrawn(j) = static_cast<int16>(j);
    g.GraphDrawnCount = g.MRows;
    int16 first = 0;
    DrawLPConstraint(first, last, printer, true);
  }
  printer.ScaleReset();
  return printer.EndDoc();
}

bool PrintLPGraph() {
  return RunPrintJob([](PageSurface &printer) { return PrintLPGraph(printer); });
}

} // namespace quon
