// A game from the SOLVE/MODIFY menu to its output: the LP-based summary on the output screen
// and the graph of a two-row game on the graph screen, with their zoom and printouts.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include <string>
#include <vector>

#include "games/game_graph.h"
#include "games/game_lp.h"
#include "games/ui/game_output_ui.h"
#include "linear/mod_lp_simplex.h"
#include "linear/ui/scr_lp_graf.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/ui/retained_surface.h"
#include "shell/print_helpers.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/chart_check.h"
#include "support/grid_text.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

class GameOutputTest : public ScreenTest {
protected:
  // The game as "SOLVE Menu" leaves it, then the SOLVE/MODIFY item and "Go To Output Screen".
  void Solve(const std::vector<std::vector<std::string>> &payoffs, MenuItem Scr3::*item, int width = 15360,
             const char *digits = nullptr) {
    g = Mod1{};
    SetLogicalScreen(width, width * 3 / 4);
    InitGlobals(width, width * 3 / 4);
    g.ModelClass = 9;
    g.HeaderText[1] = "Game example";
    const int m = static_cast<int>(payoffs.size()), n = static_cast<int>(payoffs[0].size());
    GridStore grid = test::MakeGrid(m + 1, n + 1);
    for (int i = 0; i < m; ++i)
      test::SetRow(grid, i + 1, payoffs[static_cast<std::size_t>(i)]);
    BuildGameLP(grid);
    (scr3().*item).PerformClick();
    if (digits != nullptr) {
      scr4().nbrNsText.SetText(digits);
      scr4().nbrDsText.SetText(digits);
    }
    scr4().cmdDone_Click();
    Forms::DoEvents();
  }
  // With QUON_GAME_SCREENSHOTS naming a folder, the screen as shown is saved there (run under a
  // real display server to see it).
  static void SaveShot(Form &f, const std::string &name) {
    const char *dir = std::getenv("QUON_GAME_SCREENSHOTS");
    if (dir == nullptr) return;
    Forms::DoEvents();
    EXPECT_TRUE(f.ClientWidget()->window()->grab().toImage().save(QString::fromStdString(std::string(dir) + "/" + name)));
  }
  static int Count(const ScrLPGraf &s, DrawKind kind, int width) {
    int n = 0;
    for (const DrawOp &op : s.picLPgraph.Drawing().Ops())
      if (op.kind == kind && op.width == width) ++n;
    return n;
  }
};

TEST_F(GameOutputTest, SummaryOfTheLPBasedMethod) {
  Solve({{"3", "-1"}, {"-2", "1"}}, &Scr3::mnuAlgebraicZeroGame);
  EXPECT_EQ(g.GameMethod, 2);
  Scr5 &f = scr5();
  EXPECT_TRUE(Drawn(f, "TWO-PERSON ZERO-SUM GANE OUTPUT SUMMARY"));
  EXPECT_TRUE(Drawn(f, "Title: Game example"));
  EXPECT_TRUE(Drawn(f, "Value of the Game to Player A =   0.14"));
  Grid &grid = f.outputGrid;
  ASSERT_EQ(grid.Cols(), 6);
  ASSERT_EQ(grid.Rows(), 13);
  EXPECT_EQ(grid.TextMatrix(0, 3), "Player A's Optimal Strategies:");
  EXPECT_EQ(grid.TextMatrix(1, 2), "A2");
  EXPECT_EQ(grid.TextMatrix(2, 1), "0.43");
  EXPECT_EQ(grid.TextMatrix(2, 2), "0.57");
  EXPECT_EQ(grid.TextMatrix(5, 1), "0.29");
  EXPECT_EQ(grid.TextMatrix(5, 2), "0.71");
  EXPECT_EQ(grid.TextMatrix(9, 2), "-3.00");
  EXPECT_EQ(grid.TextMatrix(9, 4), "<=");
  EXPECT_EQ(grid.TextMatrix(11, 4), "=");
  EXPECT_EQ(grid.TextMatrix(11, 5), "1.00");
  EXPECT_EQ(grid.TextMatrix(8, 4), "");
  EXPECT_EQ(grid.TextMatrix(12, 0), "Unrestr'd (y/n)?");
  EXPECT_EQ(g.OutputPageKind, 2);
  SaveShot(f, "game_summary.png");

  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  f.cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  EXPECT_NE(paper.FindText("Value of the game =0.14"), nullptr);
  EXPECT_NE(paper.FindText("B2 =  0.71"), nullptr);

  // A negative value shows its sign apart; equal payoffs bring both notes.
  Solve({{"-2", "-2"}, {"-2", "-2"}}, &Scr3::mnuAlgebraicZeroGame);
  EXPECT_TRUE(Drawn(scr5(), "Value of the Game to Player A = - 2.00"));
  EXPECT_EQ(scr5().outputGrid.TextMatrix(0, 0),
            "Player A's Optimal Strategies:  (alternative optima MAY exist for Player A)");
  EXPECT_EQ(scr5().outputGrid.TextMatrix(3, 0),
            "Player B's Optimal Strategies:  (alternative optima MAY exist for Player B)");
}

// At the widest fixed format the value 1/7 and the mixes 3/7, 4/7 and 2/7, 5/7 show their own
// digits on the screen and on paper, not those of a single-precision neighbour.
TEST_F(GameOutputTest, TheWidestFormatShowsTheValueAndMixesAsTheyAre) {
  Solve({{"3", "-1"}, {"-2", "1"}}, &Scr3::mnuAlgebraicZeroGame, 15360, "15");
  Scr5 &f = scr5();
  EXPECT_TRUE(Drawn(f, "Value of the Game to Player A =   0.142857142857143"));
  const Grid &grid = f.outputGrid;
  EXPECT_EQ(grid.TextMatrix(2, 1), "0.428571428571429");
  EXPECT_EQ(grid.TextMatrix(2, 2), "0.571428571428571");
  EXPECT_EQ(grid.TextMatrix(5, 1), "0.285714285714286");
  EXPECT_EQ(grid.TextMatrix(5, 2), "0.714285714285714");
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  f.cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_NE(paper.FindText("Value of the game =0.142857142857143"), nullptr);
  EXPECT_NE(paper.FindText("A1 =  0.428571428571429"), nullptr);
  EXPECT_NE(paper.FindText("B2 =  0.714285714285714"), nullptr);
}

// Payoffs in the billions beside single units may defeat the engine: the user is told so and
// stays on the SOLVE/MODIFY screen, where a sentinel value used to be shown as the game's value.
// A game of that kind whose final basis is repaired reaches its value (exactly
// -15000000010 / 9 at x1 = 2000000007 / 3000000013).
TEST_F(GameOutputTest, AnUnsolvedGameIsNotShownAsSolved) {
  g.ModelClass = 9;
  GridStore grid = test::MakeGrid(3, 6);
  test::SetRow(grid, 1, {"-999999999", "-2000000002", "4", "1999999997", "-2000000005"});
  test::SetRow(grid, 2, {"-3000000002", "-4", "-3000000003", "2999999999", "-999999995"});
  BuildGameLP(grid);
  scr3().mnuAlgebraicZeroGame.PerformClick();
  Forms::DoEvents();
  ASSERT_EQ(g.LPResult, LPStatus::Optimal);
  EXPECT_NEAR(g.ZValue, -15000000010.0 / 9, 1E-7 * 15000000010.0 / 9);
  EXPECT_NEAR(g.XSol(2), 2000000007.0 / 3000000013, 1E-9);

  // A game whose run stops short of its value (here by a pivot cap of 0) shows no value.
  Forms::Clear();
  script.AnswerMsgBox(msg::OK, "The simplex method stopped without reaching the optimum");
  g.ModelClass = 9;
  grid = test::MakeGrid(4, 7);
  test::SetRow(grid, 1, {"-3", "-999999997", "-1999999997", "5", "4", "0"});
  test::SetRow(grid, 2, {"-3000000004", "2", "-1", "1", "1", "-3000000003"});
  test::SetRow(grid, 3, {"3000000003", "0", "2999999998", "0", "4", "4"});
  BuildGameLP(grid);
  const int cap = LPPivotCap;
  LPPivotCap = 0;
  scr3().mnuAlgebraicZeroGame.PerformClick();
  Forms::DoEvents();
  LPPivotCap = cap;
  EXPECT_NE(g.LPResult, LPStatus::Optimal);
  EXPECT_FALSE(scr4().Shown());
}

// MRows is the payoff rows' count after a print; a summary built afterwards still reads only
// the game program's basis (three rows of A against one strategy of B: two positions).
TEST_F(GameOutputTest, SummaryAfterAPrintReadsOnlyTheBasis) {
  Solve({{"1"}, {"2"}, {"3"}}, &Scr3::mnuAlgebraicZeroGame);
  const std::string before = scr5().outputGrid.TextMatrix(3, 0);
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  scr5().cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  ASSERT_EQ(g.MRows, 3);
  ShowGameOutputSummary();
  EXPECT_EQ(scr5().outputGrid.TextMatrix(3, 0), before);
}

// The page heading at the top left stays clear of the title and every other control on both
// screen sizes; where nothing covered it, the title keeps its centred place.
TEST_F(GameOutputTest, GraphScreenKeepsItsHeadingClear) {
  for (const int w : {12000, 15360}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    Solve({{"0", "50", "20"}, {"10", "20", "40"}}, &Scr3::mnuGraphZeroGame, w);
    ScrLPGraf &s = scrLPGraf();
    s.DrawFormDecoration();
    const std::vector<std::string> texts = DrawnTexts(s);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kHeadingSecondLine), texts.end());
    EXPECT_EQ(ControlsOverDrawnTexts(s), std::vector<std::string>{});
    if (w == 15360) {
      EXPECT_EQ(s.Label4.Left(), (w - s.Label4.Width()) / 2);
    }
    SaveShot(s, "game_graph_" + std::to_string(w) + ".png");
  }
  SetLogicalScreen(15360, 11520);
}

// A 2 x 100 game on both screen sizes, as drawn and zoomed in: every number and name clear of
// every line and of each other, every strategy named once or counted towards the list.
TEST_F(GameOutputTest, EveryLineIsNamedClearOfEveryLineOnBothScreens) {
  std::vector<std::vector<std::string>> payoffs(2);
  std::vector<std::string> names;
  for (int j = 1; j <= 100; ++j) {
    payoffs[0].push_back(std::to_string((7 + j * 13) % 23 - 11));
    payoffs[1].push_back(std::to_string((14 + j * 13) % 23 - 11));
    names.push_back("B" + std::to_string(j));
  }
  for (const int w : {12000, 15360}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    Solve(payoffs, &Scr3::mnuGraphZeroGame, w);
    ScrLPGraf &s = scrLPGraf();
    for (int zoom = 0; zoom < 2; ++zoom) {
      test::ExpectChartReadable(s.picLPgraph.Drawing().Ops(), names, kScreenTwipsPerPixel,
                                "screen " + std::to_string(w) + (zoom ? ", zoomed in" : ""),
                                " more: see A's expected payoffs");
      s.cmdZoomIn.PerformClick();
    }
  }
  SetLogicalScreen(15360, 11520);
}

TEST_F(GameOutputTest, GraphOfATwoRowGameZoomAndPrint) {
  Solve({{"0", "50", "20"}, {"10", "20", "40"}}, &Scr3::mnuGraphZeroGame);
  ASSERT_TRUE(IsLoaded<ScrLPGraf>());
  ScrLPGraf &s = scrLPGraf();
  EXPECT_EQ(s.Label4.Caption(), "GRAPHICAL TWO-PERSON ZERO-SUM GAME SOLUTION");
  EXPECT_EQ(s.List1.List(4), " Strategy B1:  10.00 + -10.00x");
  EXPECT_EQ(g.GraphYMin, -6);
  EXPECT_EQ(g.GraphYMax, 66);
  EXPECT_EQ(Count(s, DrawKind::Point, 10), 1);   // the optimum
  EXPECT_EQ(Count(s, DrawKind::FilledBox, 2), 3); // the label boxes
  SaveShot(s, "game_graph.png");

  s.cmdZoomIn.PerformClick();
  EXPECT_EQ(g.GraphYMax, 53);
  EXPECT_EQ(Count(s, DrawKind::Point, 10), 1);
  s.cmdZoomOut.PerformClick();
  EXPECT_EQ(g.GraphYMax, 66);

  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  s.cmdPrintGraph.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  EXPECT_NE(paper.FindText("TWO-PERSON ZERO-SUM GAME (LP SOLUTION)"), nullptr);
  EXPECT_NE(paper.FindText("TWO-PERSON ZERO-SUM GAME (GRAPHICAL SOLUTION)"), nullptr);
  EXPECT_NE(paper.FindText("Strategy B3:  40.00 + -20.00x"), nullptr);

  Forms::Clear();
  // On a small scale every zoom that is taken changes it; the one that cannot beeps.
  Solve({{"-1", "-2"}, {"-2", "-1"}}, &Scr3::mnuGraphZeroGame);
  ScrLPGraf &small = scrLPGraf();
  ASSERT_EQ(g.GraphYMax, 3);
  std::vector<int> ends;
  for (Button *zoom : {&small.cmdZoomIn, &small.cmdZoomIn, &small.cmdZoomIn, &small.cmdZoomOut, &small.cmdZoomOut}) {
    zoom->PerformClick();
    ends.push_back(g.GraphYMax);
  }
  EXPECT_EQ(ends, (std::vector<int>{2, 1, 1, 2, 3}));
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_EQ(CurrentGameScale().yMax, 3);

}

} // namespace
} // namespace quon::testing
