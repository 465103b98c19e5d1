#include "games/game_output.h"

#include <algorithm>
#include <cmath>

#include "games/game_graph.h"
#include "platform/values.h"
#include "shell/data_table_printer.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"

namespace quon {

namespace {

std::string F(double v) { return Format(v, NumberFormatString()); }

void PrintLine(Surface &printer, double x, double y, const std::string &text) {
  printer.SetCurrentX(x);
  printer.SetCurrentY(y);
  printer.Print(text);
}

} // namespace

GameNotes &CurrentGameNotes() {
  static GameNotes notes;
  return notes;
}

GameNotes AltOptimaNotes() {
  GameNotes notes;
  for (int k = 1; k <= g.NCols; ++k)
    if (g.NonBasicMark(k) > 0 && std::fabs(g.RedCost(k)) < 1e-8) notes.playerA = kAltOptimaA;
  // The basis of the game's program has one position per strategy of B and one for the
  // probabilities' sum; MRows may since have been set to the payoff rows by a print.
  const int positions = std::min<int>(g.GameCols + 1, g.XBasic.UBound());
  for (int i = 1; i <= positions; ++i)
    if (g.XBasic(i) < 1e-8) notes.playerB = kAltOptimaB;
  return notes;
}

void RestorePayoffMatrix() {
  g.ArcMatrix.ReDim(g.GameRows, g.GameCols);
  for (int i = 1; i <= g.GameRows; ++i)
    for (int j = 1; j <= g.GameCols; ++j)
      g.ArcMatrix(i, j) = -g.LPData(j + 2, i + 1);
}

bool PrintGameLPSolution() {
  return RunPrintJob([](PageSurface &p) { return PrintGameLPSolution(p); });
}

bool PrintGameLPSolution(PageSurface &printer) {
  const BArray<double> noSingles;
  const BArray<int16> noIntegers;
  const GameNotes &notes = CurrentGameNotes();
  PrintPageHeading(printer);
  printer.SetFontSize(10);
  g.LineHeight = RoundTwips(printer.TextHeight(NumberFormatString()));

  g.TitleText = "TWO-PERSON ZERO-SUM GAME (LP SOLUTION)";
  PrintLine(printer, (12240 - 120.0 * static_cast<double>(g.TitleText.size())) * 0.5, 1200, g.TitleText);
  printer.SetCurrentX(1200);
  printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
  g.PrintY = RoundTwips(printer.CurrentY()) + g.LineHeight;
  // The table printer names the table but leaves its heading to the report.
  printer.SetFontBold(true);
  PrintAt(printer, 1200, g.PrintY, "Original Game Data:");
  printer.SetFontBold(false);
  PrintDataTable(printer, g.ArcMatrix, noSingles, noIntegers, 0);

  printer.SetCurrentX(1200);
  printer.SetCurrentY(printer.CurrentY() + 2 * g.LineHeight);
  printer.SetFontBold(true);
  printer.Print("Optimal Solution:");
  printer.SetFontBold(false);
  printer.SetCurrentX(1200);
  printer.SetCurrentY(printer.CurrentY() + g.LineHeight);
  printer.Print("Value of the game =" + F(g.ZValue));

  g.PrintY = RoundTwips(printer.CurrentY()) + g.LineHeight;
  PrintAt(printer, 1200, g.PrintY, "Player A's mix:" + notes.playerA);
  for (int i = 1; i <= g.GameRows; ++i) {
    g.PrintY += g.LineHeight;
    PrintAt(printer, 1500, g.PrintY, "A" + std::to_string(i) + " =  " + F(g.XSol(i + 1)));
  }
  g.PrintY += 2 * g.LineHeight;
  PrintAt(printer, 1200, g.PrintY, "Player B's mix:" + notes.playerB);
  for (int j = 1; j <= g.GameCols; ++j) {
    g.PrintY += g.LineHeight;
    PrintAt(printer, 1500, g.PrintY, "B" + std::to_string(j) + " =  " + F(g.Duals(j)));
  }
  return printer.EndDoc();
}

bool PrintGameSolutionAndGraph() {
  return RunPrintJob([](PageSurface &p) {
    const bool solution = PrintGameLPSolution(p);
    return PrintGameGraph(p) && solution;
  });
}

bool PrintGameGraph(PageSurface &printer) {
  printer.ScaleReset();
  printer.SetCurrentY(600);
  printer.SetFontSize(10);
  g.MsgText = "TWO-PERSON ZERO-SUM GAME (GRAPHICAL SOLUTION)";
  PrintSectionHeader(printer);

  printer.SetFontBold(true);
  g.PrintY = RoundTwips(printer.CurrentY()) + g.LineHeight;
  PrintAt(printer, 1200, g.PrintY, "Player A's Expected Payoffs:");
  printer.SetFontBold(false);
  for (int j = 1; j <= g.GameCols; ++j) {
    g.PrintY += g.LineHeight;
    const double a1 = g.ArcMatrix(1, j), a2 = g.ArcMatrix(2, j);
    PrintAt(printer, 1500, g.PrintY, "Strategy B" + std::to_string(j) + ":  " + F(a2) + " + " + F(a1 - a2) + "x");
  }
  PrintRuleLine(printer, static_cast<int16>(std::lround(printer.CurrentY() + g.LineHeight)));

  const GameGraphScale &sc = CurrentGameScale();
  const PrintedGameFrame f = PrintedFrameFor(sc);
  const double left = (f.left + sc.xMin) / 2.0, width = static_cast<double>(f.right) - f.left;
  const double height = static_cast<double>(f.bottom) - f.top;
  // The picture takes the lower part of a page of its own when the list of payoffs reaches
  // into it: a line of text above its top.
  const double pictureTop = (sc.yMax - f.top) / height * printer.ScaleHeightTwips() - 2 * g.LineHeight;
  if (printer.PageY(printer.CurrentY()) > pictureTop) printer.NewPage();
  // Names and numbers take the page inside its printable margin, below the text above.
  constexpr double kMargin = 360;
  const double pageW = printer.ScaleWidthTwips(), pageH = printer.ScaleHeightTwips();
  const double textFoot = std::max(kMargin, printer.PageY(printer.CurrentY()) + 100);
  printer.ScaleSet(left, f.top, width, height);
  const double ux = width / pageW, uy = height / pageH;
  const ChartRoom::Box inside{left + kMargin * ux, f.top + textFoot * uy, left + (pageW - kMargin) * ux,
                              f.top + (pageH - kMargin) * uy};
  DrawTwoRowGame(printer, CurrentTwoRowGame(), sc, true, width, height, inside);
  printer.ScaleReset();
  return printer.EndDoc();
}

} // namespace quon
