#include <gtest/gtest.h>

#include <QWidget>

#include <cmath>
#include <string>
#include <vector>

#include "integer/ip_fixture.h"
#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "linear/mod_inverse.h"
#include "linear/mod_lp_simplex.h"
#include "linear/ui/inverse_output.h"
#include "linear/ui/lp_summary.h"
#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/screen.h"
#include "queue/queue_scenarios.h"
#include "queue/ui/queue_output.h"
#include "shell/dual_start.h"
#include "shell/screen_frame.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"
#include "transport/trans_fixture.h"
#include "transport/transport_simplex.h"
#include "transport/ui/trans_output.h"

namespace quon::testing {
namespace {

class OutputFormatTest : public ScreenTest {
protected:
  void MatrixProblem() { MatrixInput(1, {{4, 7}, {2, 6}}); }
  void Go(const std::string &n, const std::string &d) {
    Scr4 &f = scr4();
    f.nbrNsText.SetText(n);
    f.nbrDsText.SetText(d);
    f.cmdDone.PerformClick();
  }
};

TEST_F(OutputFormatTest, DefaultsOnEveryOpening) {
  g.ModelClass = ModelClassCode::Queueing;
  Scr4 &f = scr4();
  f.Show();
  EXPECT_EQ(f.nbrDsText.Text(), "5");
  EXPECT_EQ(f.nbrNsText.Text(), "5");
  f.exponentialOption.PerformClick();
  EXPECT_EQ(g.NumFormatType, 2);
  Unload(f);
  g.ModelClass = ModelClassCode::LinearEquations;
  Scr4 &again = scr4();
  EXPECT_EQ(again.nbrDsText.Text(), "2");
  EXPECT_TRUE(again.decimalOption.Value());
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_TRUE(again.outputFrame.Visible());
  EXPECT_EQ(again.outputFrame.Top(),
            static_cast<int>(std::lround(0.4 * (11520 - again.outputFrame.Height()))));
  EXPECT_EQ(again.Frame2.Top(), 8640);
  EXPECT_EQ(again.outputFrame.Caption(), "Select Output Format");
  EXPECT_EQ(again.cmdDone.Caption(), "Go To Output Screen");
}

TEST_F(OutputFormatTest, DigitCountsAreRoundedAndHeldToTheirRange) {
  struct Case {
    const char *n, *d;
    int wantN, wantD;
  };
  // Halves go to the even neighbour; a leading number is read; N at least 1, D at least 0,
  // both at most 15.
  const Case cases[] = {
      {"3.5", "2.5", 4, 2}, {"7abc", "x", 7, 0}, {"0", "-3", 1, 0}, {"99", "40", 15, 15}, {"", "1e9", 1, 15}};
  for (const Case &c : cases) {
    Forms::Clear();
    MatrixProblem();
    Go(c.n, c.d);
    EXPECT_EQ(g.NumDigitsN, c.wantN) << c.n;
    EXPECT_EQ(g.NumDigitsD, c.wantD) << c.d;
    EXPECT_TRUE(IsLoaded<Scr5>()) << c.n;
  }
}

TEST_F(OutputFormatTest, FirstPaintUnloadsTheSolveScreen) {
  MatrixProblem();
  script.DismissPopup();
  scr3().Show();
  scr4().Show();
  EXPECT_TRUE(IsLoaded<Scr3>());
  Forms::DoEvents();
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_TRUE(IsLoaded<Scr4>());
}

TEST_F(OutputFormatTest, RoadsWithoutAnOutputYetStayOnTheScreen) {
  g.ModelClass = ModelClassCode::Transportation;
  scr4().Show();
  Go("5", "2");
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_TRUE(IsLoaded<Scr4>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_TRUE(scr4().outputFrame.Visible());
  EXPECT_EQ(ended, 0);
}

TEST_F(OutputFormatTest, FinalIterationIsTakenBeforeTheOutputScreenLoads) {
  MatrixProblem();
  g.IterCount = 7;
  scr4().Show();
  Go("5", "2");
  EXPECT_EQ(g.FinalIteration, 7);
  EXPECT_EQ(g.IterCount, 0);
}

TEST_F(OutputFormatTest, ExitsToMainMenuAndOut) {
  MatrixProblem();
  scr4().Show();
  g.TableauCount = 3;
  g.NumFormatType = 2;
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  scr4().cmdExitQuon.PerformClick();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(Forms::Loaded().empty());
}

class OutputScreenTest : public ScreenTest {
protected:
  void SummaryOf(const LP &lp) {
    Build(lp);
    g.SenseText = lp.sense;
    g.HeaderText[1] = "Test";
    g.OutputMode = 1;
    g.LpSolveMode = 1;
    SolveLP();
    g.FinalIteration = g.IterCount;
    scr5().Show();
    ShowLPOutputSummary();
  }
  // The items that the tableau view adds to the option list.
  static void AddOptionItems() {
    scr5().Combo1.AddItem("Output summary");
    scr5().Combo1.AddItem("Iterations");
  }
};

TEST_F(OutputScreenTest, LoadState) {
  g.ModelClass = ModelClassCode::Transportation;
  g.TransSources = 2;
  g.TransDests = 3;
  g.IterCount = 9;
  g.IPRunState = 1;
  g.ProblemFileName = "t.txt";
  Scr5 &f = scr5();
  EXPECT_EQ(f.Caption(), "QUON  t.txt");
  EXPECT_EQ(g.IterCount, 0);
  EXPECT_EQ(g.IPRunState, 0);
  EXPECT_EQ(f.outputGrid.FixedCols, 0);
  ASSERT_EQ(f.Combo5.ListCount(), 5);
  EXPECT_EQ(f.Combo5.List(0), "u1=0");
  EXPECT_EQ(f.Combo5.List(2), "v1=0");
  EXPECT_EQ(f.Combo5.List(4), "v3=0");
  EXPECT_EQ(f.Combo5.Text(), "u1=0");
  for (Control *c : std::initializer_list<Control *>{&f.Label6, &f.Frame3, &f.Frame10, &f.Frame12})
    EXPECT_FALSE(c->Visible()) << c->Name();
  EXPECT_EQ(f.Frame4.Caption(), "Select Output Option");
  EXPECT_EQ(f.Combo1.Text(), "            ?");
  EXPECT_EQ(f.Frame7.Caption(), "Find shortest route ");
  EXPECT_EQ(f.Label16.Caption(), "   Activate  bounds to fathom nodes");

  Forms::Clear();
  g.ModelClass = ModelClassCode::IntegerProgramming;
  EXPECT_TRUE(scr5().Frame3.Visible());
  EXPECT_TRUE(scr5().Frame10.Visible());
}

TEST_F(OutputScreenTest, PaintShowsTheTitleLabel) {
  g.ModelClass = ModelClassCode::LinearProgramming;
  scr5().Show();
  Forms::DoEvents();
  Scr5 &f = scr5();
  EXPECT_TRUE(f.Label20.Visible());
  EXPECT_EQ(f.Label20.Caption(), "LINEAR PROGRAMMING");
  EXPECT_EQ(f.Label20.Width(), 130 * 18);
  EXPECT_EQ(f.Label20.Left(), (15360 - 130 * 18) / 2);
  EXPECT_EQ(f.Label20.Top(), 38);
  EXPECT_EQ(g.TitleSuppress, 0);
}

TEST_F(OutputScreenTest, OutputSummaryOptionSolvesTheRestoredModelAgain) {
  SummaryOf(DoorsAndWindows());
  AddOptionItems();
  // Spoil the working form the way a solve does; the option starts from the saved model.
  g.Tab(3, 1) = 99;
  g.FinalIteration = 0;
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(g.OutputOption, 1);
  EXPECT_EQ(g.Tab(3, 1), 1);
  EXPECT_EQ(g.ZValue, 36);
  EXPECT_EQ(g.FinalIteration, g.IterCount);
  EXPECT_GT(g.FinalIteration, 0);
  EXPECT_EQ(scr5().outputGrid.TextMatrix(2, 1), "6.00");
  EXPECT_EQ(g.OutputPageKind, 2);
}

TEST_F(OutputScreenTest, DualSimplexSummaryAfterRestoreUsesTheRewrittenForm) {
  // Minimize 2x1 + 3x2 subject to x1 + x2 >= 4 and x1 <= 3, started by the dual simplex.
  LP lp;
  lp.sense = "Minimize";
  lp.c = {2, 3};
  lp.a = {{1, 1}, {1, 0}};
  lp.rel = {">=", "<="};
  lp.b = {4, 3};
  Build(lp);
  g.HeaderText[1] = "Dual";
  g.OutputMode = 2;
  ConvertToDualSimplexForm();
  scr5().Show();
  AddOptionItems();
  scr5().Combo1.PerformChoose(0);
  EXPECT_EQ(g.LPMethod, 5);
  EXPECT_EQ(g.NCols, 4);
  EXPECT_EQ(g.NArtificial1, 0);
  EXPECT_DOUBLE_EQ(g.ZValue, 9);
  Grid &grid = scr5().outputGrid;
  EXPECT_EQ(grid.TextMatrix(1, 1), "3.00");
  EXPECT_EQ(grid.TextMatrix(2, 1), "1.00");
  EXPECT_EQ(grid.TextMatrix(4, 0), "1 (>)");
  EXPECT_EQ(grid.TextMatrix(4, 2), "0.00 ");
  // Dual prices: the ">=" row was negated for the dual simplex, so its sign turns back.
  EXPECT_EQ(grid.TextMatrix(12, 4), "3.00");
  EXPECT_EQ(grid.TextMatrix(13, 4), "-1.00");
  // A second choice gives the same page.
  scr5().Combo1.SetListIndex(-1);
  scr5().Combo1.PerformChoose(0);
  EXPECT_DOUBLE_EQ(g.ZValue, 9);
  EXPECT_EQ(scr5().outputGrid.TextMatrix(13, 4), "-1.00");
}

TEST_F(OutputScreenTest, IterationsOptionRestartsTwoPhaseFromPhaseOne) {
  SummaryOf(DoorsAndWindows());
  AddOptionItems();
  g.LPMethod = 4;
  g.Phase = 0;
  scr5().Combo1.PerformChoose(1);
  EXPECT_EQ(g.OutputOption, 2);
  EXPECT_EQ(scr5().outputGrid.TextMatrix(0, 0), "Phase 1 (Iter 1");
}

// Each choice in the option list draws on a cleared screen that keeps its white frame.
TEST_F(OutputScreenTest, OptionChoiceKeepsTheScreenFrame) {
  SummaryOf(DoorsAndWindows());
  AddOptionItems();
  for (int option : {1, 0}) {
    scr5().Combo1.PerformChoose(option);
    EXPECT_TRUE(FrameDrawn(scr5())) << "option " << option + 1;
  }
}

TEST_F(OutputScreenTest, NothingShownCoversTheFrame) {
  for (const int w : {15360, 12000}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    SetLogicalScreen(w, w * 3 / 4);
    LoadQueueScenarios({{5, 2, 3, kQueueInf, kQueueInf}});
    scr5().Show();
    InitQueueOutputScreen();
    EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{}) << "queue";
    // A comparison of more scenarios than the screen holds, in the widest scientific format:
    // its rows scroll down and its columns across, each with a shown bar.
    Forms::Clear();
    std::vector<std::vector<double>> many;
    for (int k = 1; k <= 40; ++k)
      many.push_back({static_cast<double>(k), static_cast<double>(k + 1), 1, kQueueInf, kQueueInf});
    LoadQueueScenarios(many);
    g.NumFormatType = 2;
    g.NumDigitsN = g.NumDigitsD = 15;
    scr5().Show();
    InitQueueOutputScreen();
    g.OutputOption = static_cast<int16>(g.NScen + 1);
    ShowQueueScenarioOutput();
    EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{}) << "queue comparison";
    EXPECT_EQ(scr5().grid1.ScrollBars, ScrollBarsMode::Both);

    Forms::Clear();
    ASSERT_TRUE(test::LoadTrans(test::TextbookProblem(), "Shipping", false));
    scr5().Show();
    g.TransStartMethod = 2;
    ASSERT_EQ(SolveTransportation(), TransOutcome::Optimal);
    ShowTransOutputSummary();
    EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{}) << "transportation";

    // An integer program waits for the choice of search: nothing says a search runs.
    Forms::Clear();
    BuildIP(WorkedExample());
    scr4().Show();
    scr4().cmdDone.PerformClick();
    EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{}) << "integer";
    EXPECT_FALSE(scr5().Label6.Visible());
    scr5().Combo1.PerformChoose(0);
    EXPECT_TRUE(scr5().Label5.Caption().starts_with("Optimality verified at Iteration "));
    EXPECT_FALSE(scr5().Label6.Visible());
    EXPECT_EQ(UnseenOn(scr5()), std::vector<std::string>{}) << "automated search";
  }
  SetLogicalScreen(15360, 11520);
}

TEST_F(OutputScreenTest, WriteToPrinterPrintsTheMatrixReport) {
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  MatrixInput(1, {{2, 1}, {1, 2}});
  InvertMatrix();
  scr5().Show();
  ShowInverseOutput();
  scr5().cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_NE(paper.FindText("MATRIX INVERSION BY LU DECOMPOSITION"), nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  // The screen is as it was.
  EXPECT_EQ(scr5().outputGrid.TextMatrix(2, 1), "2.00");
}

TEST_F(OutputScreenTest, WriteToPrinterPrintsTheLPSummary) {
  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  SummaryOf(DoorsAndWindows());
  scr5().cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  EXPECT_FALSE(paper.Texts().empty());
}

// Every model's output screen shows where the keyboard is as it comes up, and Return there
// leaves it in place.
TEST_F(OutputScreenTest, ReturnOnArrivalLeavesEveryModelsOutputScreenInPlace) {
  // The first control made is "Exit QUON": the screen must not open with the focus on it.
  const std::pair<int16, int16> models[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0},
                                            {7, 1}, {7, 23}, {7, 4}, {8, 1}, {8, 2}, {9, 0}};
  for (auto [model, sub] : models) {
    SCOPED_TRACE(std::to_string(model) + "/" + std::to_string(sub));
    Forms::Clear();
    UseScreen(15360, 11520);
    g.ModelClass = model;
    g.NetSubModel = model == 7 ? sub : 0;
    g.ProjMethod = model == 8 ? sub : 0;
    Scr5 &f = scr5();
    f.Show();
    ExpectFocusShown(f);
    PressReturn(f);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(f.Shown());
  }
}

TEST_F(OutputScreenTest, ExitQuonEndsTheProgram) {
  SummaryOf(DoorsAndWindows());
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  scr5().cmdExitQuon.PerformClick();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(Forms::Loaded().empty());
}

} // namespace
} // namespace quon::testing

namespace quon::testing {
namespace {

class ExitRoadTest : public ScreenTest {
protected:
  void SetUp() override {
    ScreenTest::SetUp();
    MatrixInput(1, {{2, 1}, {1, 2}});
  }
};

TEST_F(ExitRoadTest, MainMenuFromTheOutputScreenResetsItsStates) {
  InvertMatrix();
  scr5().Show();
  ShowInverseOutput();
  g.AltOptimaFlag = 1;
  g.TableauCount = 3;
  g.EnterSelState = 2;
  g.NumFormatType = 2;
  script.DismissPopup(); // the MAIN menu opens its popup when it is activated
  scr5().cmdMainMenu.PerformClick();
  EXPECT_EQ(g.AltOptimaFlag, 0);
  EXPECT_EQ(g.TableauCount, 0);
  EXPECT_EQ(g.EnterSelState, 0);
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_TRUE(IsLoaded<Scr0>());
  EXPECT_EQ(Forms::Loaded().size(), 1u);
  EXPECT_EQ(ended, 0);
}

TEST_F(ExitRoadTest, MainMenuFromTheSolveAndFormatScreens) {
  script.DismissPopup();
  scr3().Show();
  g.TableauCount = 3;
  g.NumFormatType = 2;
  script.DismissPopup();
  scr3().mnuMainMenu.PerformClick();
  EXPECT_EQ(g.TableauCount, 0);
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_TRUE(IsLoaded<Scr0>());

  Forms::Clear();
  scr4().Show();
  g.NumFormatType = 2;
  script.DismissPopup();
  scr4().cmdMainMenu.PerformClick();
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_FALSE(IsLoaded<Scr4>());
  EXPECT_TRUE(IsLoaded<Scr0>());
  EXPECT_EQ(ended, 0);
}

TEST_F(ExitRoadTest, ClosingAnyLaterScreensWindowEndsTheProgramAsItsExitDoes) {
  for (int screen : {3, 4, 5}) {
    SCOPED_TRACE(screen);
    Forms::Clear();
    ended = 0;
    // The MAIN menu screen stays loaded behind, as it may on the way here.
    script.DismissPopup();
    scr0().Show();
    Form *f = nullptr;
    if (screen == 3) script.DismissPopup();
    if (screen == 3) f = &scr3();
    if (screen == 4) f = &scr4();
    if (screen == 5) f = &scr5();
    f->Show();
    script.AnswerMsgBox(msg::No, "Do you wish to save data?");
    f->ClientWidget()->window()->close();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(Forms::Loaded().empty());
  }
}

TEST_F(ExitRoadTest, NoScreenGoesWithoutASuccessor) {
  // Whatever the road back to the input does, the screen that asked stays until it is shown.
  script.DismissPopup();
  scr3().Show();
  scr3().mnuModifyData.PerformClick();
  scr4().Show();
  Forms::DoEvents();
  scr4().cmdModifyInputData.PerformClick();
  EXPECT_EQ(ended, 0);
  EXPECT_FALSE(Forms::Loaded().empty());
}

} // namespace
} // namespace quon::testing
