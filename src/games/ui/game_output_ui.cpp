#include "games/ui/game_output_ui.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "games/game_graph.h"
#include "games/game_output.h"
#include "linear/lp_graph_geometry.h"
#include "linear/ui/output_page.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

std::string F(double v) { return Format(v, NumberFormatString()); }

// A heading row: the text in every cell, yellow on blue text, merged across the grid.
void HeadingRow(Grid &grid, int row, const std::string &text) {
  for (int c = 0; c < grid.Cols(); ++c) {
    grid.SetRow(row);
    grid.SetCol(c);
    grid.SetText(text);
    grid.SetCellAlignment(kAlignLeft);
    grid.SetCellBackColor(kYellow);
    grid.SetCellForeColor(kBlue);
  }
  grid.SetMergeRow(row, true);
}

void Centred(Grid &grid, int row, int col, const std::string &text) {
  grid.SetRow(row);
  grid.SetCol(col);
  grid.SetText(text);
  grid.SetCellAlignment(kAlignCenter);
}

void FillGameList(ListBox &l) {
  l.Clear();
  l.AddItem(g.HeaderText[1]);
  l.AddItem("");
  l.AddItem(" Player A's expected payoffs:");
  l.AddItem(" ");
  for (int j = 1; j <= g.GameCols; ++j)
    l.AddItem(" Strategy B" + std::to_string(j) + ":  " + F(g.ArcMatrix(2, j)) + " + " +
              F(g.ArcMatrix(1, j) - g.ArcMatrix(2, j)) + "x");
  for (int k = 0; k < 3; ++k)
    l.AddItem("");
  l.AddItem(" Optimal Solution:");
  l.AddItem("");
  l.AddItem(" Value of the game  = " + F(g.ZValue));
  l.AddItem("");
  l.AddItem(" Player A's mix:");
  for (int i = 1; i <= g.GameRows; ++i)
    l.AddItem(" Strategy A" + std::to_string(i) + ":  " + F(g.XSol(i + 1)));
  l.AddItem("");
  l.AddItem(" Player B's mix:");
  for (int j = 1; j <= g.GameCols; ++j)
    l.AddItem(" Strategy B" + std::to_string(j) + ":  " + F(g.Duals(j)));
}

// The graph screen's zoom keeps 16-bit axis ends; the game's own scale is 32-bit and the
// screen's copy stays at the 16-bit limit.
int16 Clamp16(std::int32_t v) {
  return static_cast<int16>(std::clamp<std::int32_t>(v, std::numeric_limits<int16>::min(),
                                                     std::numeric_limits<int16>::max()));
}

void MirrorScale(const GameGraphScale &sc) {
  g.GraphXMin = Clamp16(sc.xMin);
  g.GraphXMax = Clamp16(sc.xMax);
  g.GraphYMin = Clamp16(sc.yMin);
  g.GraphYMax = Clamp16(sc.yMax);
  g.GraphStep = Clamp16(sc.step);
}

} // namespace

void ShowGameOutputSummary() {
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  const int w = ScreenWidth();
  const int m = g.GameRows, n = g.GameCols;

  f.Frame4.SetVisible(false);
  BeginSummaryPage(f);
  g.TitleText = "TWO-PERSON ZERO-SUM GANE OUTPUT SUMMARY";
  f.SetCurrentY(1.02 * f.CurrentY());
  f.SetCurrentX((w - f.TextWidth(g.TitleText)) * 0.5);
  f.Print(g.TitleText);
  f.SetCurrentX(800);
  f.Print("Title: " + g.HeaderText[1]);
  f.SetCurrentX(800);
  const double value = g.ZValue;
  f.Print(std::string("Value of the Game to Player A = ") + (value < 0 ? "- " : "  ") + F(std::fabs(value)));
  f.Line(800, f.CurrentY(), w - 800, f.CurrentY(), f.ForeColor());

  f.Frame2.Move(RoundTwips((w - f.Frame2.Width()) / 2.0), RoundTwips(1.15 * f.CurrentY()), f.Frame2.Width(),
                f.Frame2.Height());
  const int cols = std::max(m, n) + 4;
  grid.SetCols(cols);
  grid.SetRows(n + 11);
  grid.FixedRows = 0;
  grid.FixedCols = 0;
  grid.SetBackColor(kBlue);
  grid.SetForeColor(kWhite);
  grid.SetFontName("arial");
  grid.SetFontSize(9);
  grid.SetFontBold(true);
  grid.SetTop(RoundTwips(f.Frame2.Top() + 1.01 * f.Frame2.Height()));
  f.Frame1.Move(RoundTwips((w - f.Frame1.Width()) / 2.0), BottomButtonFrameTop(f.Frame1), f.Frame1.Width(),
                f.Frame1.Height());
  grid.SetHeight(OutputGridHeight(f.Frame1, grid));
  grid.SetColWidth(0, 2000);
  grid.ColAlignment.at(0) = kAlignLeft;
  const int colWidth = (g.NumDigitsN + g.NumDigitsD + 2) * 150;
  for (int c = 1; c < cols; ++c) {
    grid.SetColWidth(c, colWidth);
    grid.ColAlignment.at(static_cast<std::size_t>(c)) = kAlignRight;
  }
  const int gridWidth = VarMin(w - 1600, 2000 + (cols - 1) * colWidth + 100);
  grid.SetWidth(gridWidth);
  grid.SetLeft((w - gridWidth) / 2);
  grid.SetVisible(true);
  grid.MergeCells = MergeMode::Free;

  GameNotes &notes = CurrentGameNotes();
  notes = AltOptimaNotes();
  HeadingRow(grid, 0, "Player A's Optimal Strategies:" + notes.playerA);
  grid.SetTextMatrix(1, 0, "Strategy");
  grid.SetTextMatrix(2, 0, "Probability");
  for (int i = 1; i <= m; ++i) {
    Centred(grid, 1, i, "A" + std::to_string(i));
    grid.SetTextMatrix(2, i, F(g.XSol(i + 1)));
  }
  HeadingRow(grid, 3, "Player B's Optimal Strategies:" + notes.playerB);
  grid.SetTextMatrix(4, 0, "Strategy");
  grid.SetTextMatrix(5, 0, "Probability");
  for (int j = 1; j <= n; ++j) {
    Centred(grid, 4, j, "B" + std::to_string(j));
    grid.SetTextMatrix(5, j, F(g.Duals(j)));
  }

  HeadingRow(grid, 6, "Player A's LP Formulation:");
  Centred(grid, 7, 1, "v");
  for (int i = 1; i <= m; ++i)
    Centred(grid, 7, i + 1, "x" + std::to_string(i));
  grid.SetTextMatrix(8, 0, "Maximize");
  for (int r = 8; r <= n + 9; ++r) {
    for (int c = 1; c <= m + 1; ++c)
      grid.SetTextMatrix(r, c, F(g.LPData(r - 6, c)));
    grid.SetTextMatrix(r, m + 2, "<=");
    grid.SetTextMatrix(r, m + 3, F(0));
  }
  grid.SetTextMatrix(8, m + 2, "");
  grid.SetTextMatrix(8, m + 3, "");
  grid.SetTextMatrix(n + 9, m + 2, "=");
  grid.SetTextMatrix(n + 9, m + 3, F(1));
  grid.SetTextMatrix(n + 10, 0, "Unrestr'd (y/n)?");
  grid.SetTextMatrix(n + 10, 1, "y");
  for (int i = 1; i <= m; ++i)
    grid.SetTextMatrix(n + 10, i + 1, "n");
}

void DrawGameGraph(ScrLPGraf &s) {
  DrawTwoRowGame(s.picLPgraph, CurrentTwoRowGame(), CurrentGameScale(), false);
  s.DrawFormDecoration();
}

GraphScreenHooks GameGraphScreenHooks() {
  GraphScreenHooks h;
  h.load = [](ScrLPGraf &s) {
    s.PlaceList();
    s.Frame4.SetVisible(false);
    s.List1.SetTop(s.picLPgraph.Top());
    s.List1.SetHeight(s.picLPgraph.Height());
    FillGameList(s.List1);
    return std::string("GRAPHICAL TWO-PERSON ZERO-SUM GAME SOLUTION");
  };
  h.setScale = [](ScrLPGraf &s) {
    GameGraphScale &sc = CurrentGameScale();
    sc = GameScaleFor(CurrentTwoRowGame());
    MirrorScale(sc);
    ApplyGameScale(s.picLPgraph, sc);
  };
  h.zoomsYOnly = true;
  h.zoomed = [](ScrLPGraf &s, bool out) {
    GameGraphScale &sc = CurrentGameScale();
    // The same step as the screen's, so a zoom it takes always changes the game's scale.
    sc.yMax = static_cast<std::int32_t>(std::clamp<std::int64_t>(ZoomStep(sc.yMax, out), 1, 2147483647));
    // The screen zoomed its 16-bit copy; the game's own end is the one drawn.
    MirrorScale(sc);
    ApplyGameScale(s.picLPgraph, sc);
    DrawGameGraph(s);
  };
  h.print = [] { PrintGameSolutionAndGraph(); };
  return h;
}

} // namespace quon
