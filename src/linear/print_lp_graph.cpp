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

// The axes of the printed graph: every tick carries its value, the dots are printer dots. The
// axes' names first, then the tick values that stand apart from them and from each other.
void PrintGraphAxes(PageSurface &printer, ChartLabels &apart) {
  const int step = g.GraphStep > 0 ? g.GraphStep : 1;
  printer.SetFontSize(10);
  printer.SetDrawWidth(1);
  printer.Line(g.GraphXMin, 0, g.GraphXMax, 0, printer.ForeColor());
  printer.Line(0, g.GraphYMin, 0, g.GraphYMax, printer.ForeColor());
  apart.Print(printer, {{g.GraphXMax - 0.5 * step, 0}}, "x1");
  const double lastX = printer.TextWidth(Str(g.GraphYMin + (g.GraphYMax - g.GraphYMin) / step * step));
  apart.Print(printer, {{lastX - 0.5 * step, g.GraphYMax - 0.5 * step}}, "x2");
  for (int x = g.GraphXMin; x <= g.GraphXMax; x += step) {
    printer.SetDrawWidth(3);
    apart.Print(printer, {{x, 0}}, Str(x));
    printer.SetDrawWidth(20);
    printer.Point(x, 0, printer.ForeColor());
  }
  for (int y = g.GraphYMin; y <= g.GraphYMax; y += step) {
    printer.SetDrawWidth(3);
    apart.Print(printer, {{0, y}}, Str(y));
    printer.SetDrawWidth(20);
    printer.Point(0, y, printer.ForeColor());
  }
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
    g.PrintY = RoundTwips(PrintOverLines(printer, 1500, g.PrintY, objective + F(g.ZValue)));
    for (int j = 1; j <= g.NVars; ++j) {
      g.PrintY += g.LineHeight;
      const std::string name = "x" + std::to_string(j) + " =  ";
      g.PrintY = RoundTwips(PrintOverLines(printer, 1500, g.PrintY, name + F(g.XSol(j))));
    }
  }
  PrintRuleLine(printer, static_cast<int16>(RoundTwips(printer.CurrentY() + g.LineHeight / 2)));

  // Unwieldy data left no axes to draw the graph on.
  if (g.GraphStep <= 0 || g.GraphXMax <= 0) return printer.EndDoc();

  // The x range takes 0.647 of the page width and the y range the lower half of the page.
  const PrintedGraphFrame f = PrintedFrame(CurrentGraphFrame());
  const double left = (f.left + g.GraphXMin) / 2.0, width = f.right - f.left, height = f.bottom - f.top;
  printer.ScaleSet(left, f.top, width, height);
  ChartLabels apart(printer);
  apart.SetScale(left, f.top, width, height);
  PrintGraphAxes(printer, apart);

  if (g.GraphZoomed == 1) {
    g.GraphZoomed = 0;
    g.GraphDrawn(0) = kWholePictureMark;
  }
  int16 last = g.MRows;
  if (g.GraphDrawn(0) != kWholePictureMark) {
    int16 first = g.GraphDrawn(0) != 0 && g.GraphDrawnCount >= g.MRows ? 0 : 1;
    DrawLPConstraint(first, last, printer, true, &apart);
  } else {
    for (int j = 0; j <= g.MRows; ++j)
      g.GraphDrawn(j) = static_cast<int16>(j);
    g.GraphDrawnCount = g.MRows;
    int16 first = 0;
    DrawLPConstraint(first, last, printer, true, &apart);
  }
  printer.ScaleReset();
  return printer.EndDoc();
}

bool PrintLPGraph() {
  return RunPrintJob([](PageSurface &printer) { return PrintLPGraph(printer); });
}

} // namespace quon
