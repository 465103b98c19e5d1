#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <string>
#include <vector>

#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "platform/colors.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

const std::vector<std::string> kFinalLP{"Solve Problem", "Algebraic", "&Final solution"};
std::vector<std::string> Iterations(const std::string &item) {
  return {"Solve Problem", "Algebraic", "Iterations", item};
}

const char *const kMessageA = "Problem has >= and/or = constraints, thus requiring M or Two-phase method.  "
                              "Two-phase method will be used. Else click CANCEL to use M-method";
const char *const kMessageB = "Problem has all <= constraints.  All-Slack option will be used";

class SolveModifyTest : public ScreenTest {
protected:
  // The state "SOLVE Menu" leaves for a linear program: its standard form built and saved.
  void Submit(const LP &lp) {
    Build(lp);
    g.SenseText = lp.sense;
    g.HeaderText[1] = "Test";
    g.ProblemFileName = "lp1.txt";
  }
  static LP AllLessEqual() { return DoorsAndWindows(); }
  // Minimize 2x1 + 3x2 subject to x1 + x2 >= 4 and x1 <= 3.
  static LP WithGreaterRow(const std::string &sense = "Minimize") {
    LP lp;
    lp.sense = sense;
    lp.c = {2, 3};
    lp.a = {{1, 1}, {1, 0}};
    lp.rel = {">=", "<="};
    lp.b = {4, 3};
    return lp;
  }
  // Opens the SOLVE/MODIFY screen with the popup answered by `choice` and the message boxes
  // that follow by `answers`.
  Scr3 &Open(const std::vector<std::string> &choice, std::vector<std::pair<int, std::string>> answers = {}) {
    script.ChoosePopup(choice);
    for (auto &[answer, prompt] : answers)
      script.AnswerMsgBox(answer, prompt);
    Scr3 &f = scr3();
    f.Show();
    return f;
  }
  // An M typed and confirmed with Return is refused with `message`: the screen stays, with the
  // box's text selected for retyping.
  void ExpectMRefused(Scr3 &f, const std::string &bad, const std::string &message) {
    SCOPED_TRACE(bad);
    script.ClearRecord();
    script.AnswerMsgBox(msg::OK, message);
    f.TextBigM.SetText(bad);
    f.TextBigM.SetFocus();
    f.TextBigM.PressKey(key::Return);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].title, "Input Data Error");
    EXPECT_FALSE(IsLoaded<Scr4>());
    EXPECT_EQ(f.ActiveControl(), &f.TextBigM);
    EXPECT_EQ(f.TextBigM.SelLength(), static_cast<int>(bad.size()));
  }
};

TEST_F(SolveModifyTest, PopupOfALinearProgramWithThreeVariables) {
  LP lp = AllLessEqual();
  lp.c = {3, 5, 1};
  lp.a = {{1, 0, 1}, {0, 2, 1}, {3, 2, 1}};
  Submit(lp);
  Scr3 &f = Open({});
  ASSERT_EQ(script.Shown().size(), 1u);
  const ShownRecord &popup = script.Shown()[0];
  EXPECT_EQ(popup.text, "   SOLVE/MODIFY (disabled)\n"
                        "-\n"
                        "Solve Problem\n"
                        "  Graphical (disabled)\n"
                        "  Algebraic\n"
                        "    Final solution\n"
                        "    Iterations\n"
                        "      All-slack starting solution\n"
                        "      M-method\n"
                        "      Two-phase method\n"
                        "      Bounded simplex \n"
                        "      Dual simplex\n"
                        "View/Modify Input Data\n"
                        "-\n"
                        "MAIN Menu\n"
                        "-\n"
                        "Exit QUON\n");
  EXPECT_EQ(popup.place.x, 7680);
  EXPECT_NEAR(popup.place.y, 0.8 * 3491, 1e-9);
  EXPECT_TRUE(popup.place.centreX);
  EXPECT_EQ(f.Caption(), "QUON lp1.txt");
  EXPECT_TRUE(f.Label5.Visible());
  EXPECT_EQ(f.Label5.Caption(), "Click screen to view popup    SOLVE/MODIFY menu");
  EXPECT_EQ(f.Label5.Top(), 3456);
  EXPECT_EQ(f.Label5.Left(), (15360 - f.Label5.Width()) / 2);
  EXPECT_FALSE(f.Frame3.Visible());
  EXPECT_EQ(g.LPMethod, 0);

  // A click on the screen opens the popup again, and so do the menu key and Shift+F10.
  script.DismissPopup();
  f.PerformClick();
  for (auto [k, mods] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
    script.DismissPopup();
    const std::size_t before = script.Shown().size();
    BringToFront(f);
    QKeyEvent press(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(f.ClientWidget()->window(), &press);
    EXPECT_EQ(script.Shown().size(), before + 1);
  }
  EXPECT_EQ(script.Shown().size(), 4u);
}

TEST_F(SolveModifyTest, OneSolveItemPerModelClass) {
  struct Case {
    int modelClass, subModel, vars, gameRows;
    const char *visible;
  };
  const Case cases[] = {
      {1, 0, 3, 0, "mnuSolve"},      {2, 0, 3, 0, "mnuSolve"},        {3, 0, 2, 0, "mnuSolveLP"},
      {4, 0, 6, 0, "mnuSolveTrans"}, {5, 0, 2, 0, "mnuSolveIP"},      {6, 0, 2, 0, "mnuSolve"},
      {7, 1, 2, 0, "mnuSolve"},      {7, 4, 2, 0, "mnuSolve"},        {7, 0, 2, 0, "mnuSolveShort"},
      {8, 0, 2, 0, "mnuSolveIP"},    {9, 0, 2, 3, "mnuSolveZeroGame"}};
  for (const Case &c : cases) {
    Forms::Clear();
    g.ModelClass = static_cast<int16>(c.modelClass);
    g.NetSubModel = static_cast<int16>(c.subModel);
    g.NVars = static_cast<int16>(c.vars);
    g.GameRows = static_cast<int16>(c.gameRows);
    Scr3 &f = Open({});
    int shown = 0;
    for (MenuItem *item : {&f.mnuSolveLP, &f.mnuSolve, &f.mnuSolveTrans, &f.mnuSolveIP, &f.mnuSolveZeroGame,
                           &f.mnuSolveShort}) {
      shown += item->Visible();
      EXPECT_EQ(item->Visible(), item->Name() == c.visible)
          << "class " << c.modelClass << " " << item->Name();
    }
    EXPECT_EQ(shown, 1) << "class " << c.modelClass;
    for (MenuItem *item : {&f.smMenu, &f.mnuModifyData, &f.mnuMainMenu, &f.mnuExitQuon})
      EXPECT_TRUE(item->Visible());
  }
  // Graphical items: only for two variables, and for games with two strategies of player A.
  EXPECT_TRUE(scr3().mnuGraph.Enabled());
  EXPECT_FALSE(scr3().mnuGraphZeroGame.Enabled());
  const std::string &shortRoutes = script.Shown()[8].text;
  EXPECT_NE(shortRoutes.find("Solve Problem\n  Shortest routes\n  Iterations\n    Dijkstra's algorithm\n"
                             "    Floyd's algorithm\n"),
            std::string::npos);
}

TEST_F(SolveModifyTest, FinalSolutionRoadToTheOutputSummary) {
  Submit(AllLessEqual());
  Open(kFinalLP);
  EXPECT_EQ(g.OutputMode, 1);
  EXPECT_EQ(g.LpSolveMode, 1);
  EXPECT_EQ(g.ZValue, 36);
  const int solveIterations = g.IterCount;
  ASSERT_TRUE(IsLoaded<Scr4>());
  // The SOLVE/MODIFY screen stays until the output-format screen first paints.
  EXPECT_TRUE(IsLoaded<Scr3>());
  Forms::DoEvents();
  EXPECT_FALSE(IsLoaded<Scr3>());

  Scr4 &f4 = scr4();
  EXPECT_EQ(f4.nbrNsText.Text(), "5");
  EXPECT_EQ(f4.nbrDsText.Text(), "2");
  EXPECT_TRUE(f4.decimalOption.Value());
  EXPECT_EQ(f4.Caption(), "QUON  lp1.txt");
  f4.cmdDone.PerformClick();
  EXPECT_FALSE(IsLoaded<Scr4>());
  ASSERT_TRUE(IsLoaded<Scr5>());
  EXPECT_EQ(g.FinalIteration, solveIterations);
  EXPECT_EQ(g.IterCount, 0);
  EXPECT_EQ(g.OutputOption, 0);
  EXPECT_EQ(scr5().Caption(), "QUON  lp1.txt");
  EXPECT_EQ(scr5().outputGrid.TextMatrix(2, 1), "6.00");
  EXPECT_TRUE(Drawn(scr5(), "Final Iteration No.:  " + std::to_string(solveIterations)));
  EXPECT_EQ(ended, 0);
}

TEST_F(SolveModifyTest, AllSlackItemWithAGreaterRowAsksForTwoPhaseOrM) {
  Submit(WithGreaterRow());
  Open(Iterations("&All-slack starting solution"), {{msg::OK, kMessageA}});
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Warning");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::OKCancel | msg::Critical);
  EXPECT_EQ(g.OutputMode, 2);
  EXPECT_EQ(g.LPMethod, 4);
  EXPECT_EQ(g.Phase, 1);
  EXPECT_EQ(g.TableauRows, 2 + 7);
  EXPECT_EQ(g.TableauCols, 2 + 2 + 1 + 2);
  EXPECT_TRUE(IsLoaded<Scr4>());
  EXPECT_FALSE(scr3().Label5.Visible());

  Forms::Clear();
  Submit(WithGreaterRow());
  Scr3 &f = Open(Iterations("&All-slack starting solution"), {{msg::Cancel, kMessageA}});
  EXPECT_EQ(g.LPMethod, 3);
  EXPECT_EQ(g.TableauCols, 7);
  EXPECT_FALSE(IsLoaded<Scr4>());
  EXPECT_TRUE(f.Frame3.Visible());
  EXPECT_EQ(f.Frame3.Top(), static_cast<int>(std::lround(0.35 * 11520 - 0.5 * f.Frame3.Height())));
  EXPECT_EQ(f.Frame3.Left(), static_cast<int>(std::lround(0.5 * 15360 - 0.5 * f.Frame3.Width())));
  EXPECT_EQ(f.TextBigM.Text(), "100");
  EXPECT_EQ(f.TextBigM.SelStart(), 0);
  EXPECT_EQ(f.TextBigM.SelLength(), 3);
  EXPECT_EQ(f.ActiveControl(), &f.TextBigM);
}

TEST_F(SolveModifyTest, TypedMBecomesTheCostOfEveryArtificialColumnOfTab) {
  // Maximise with a ">=" row and an "=" row: artificial columns Rx4 and Rx5.
  LP lp = WithGreaterRow("Maximize");
  lp.a = {{1, 1}, {1, -1}};
  lp.rel = {">=", "="};
  lp.b = {4, 1};
  Submit(lp);
  ASSERT_EQ(g.ColNames(4), "Rx4");
  ASSERT_EQ(g.ColNames(5), "Rx5");
  const BArray<double> saved = g.TabBackup;
  Scr3 &f = Open(Iterations("&M-method"));
  EXPECT_EQ(g.LPMethod, 3);
  ASSERT_TRUE(f.Frame3.Visible());
  f.TextBigM.SetText("");
  f.TextBigM.Type("250");
  f.cmdDone.PerformClick();
  EXPECT_EQ(g.BigM, 250);
  EXPECT_EQ(g.Tab(2, 4), -250);
  EXPECT_EQ(g.Tab(2, 5), -250);
  EXPECT_EQ(g.Cost(4), -250);
  EXPECT_EQ(g.Tab(2, 1), 2);
  EXPECT_EQ(g.Tab(2, 3), 0);
  // The saved model keeps the M it was built with.
  EXPECT_EQ(g.TabBackup(2, 4), saved(2, 4));
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_TRUE(IsLoaded<Scr4>());
  EXPECT_EQ(ended, 0);
}

TEST_F(SolveModifyTest, ReturnGoesOnToTheOutputScreenAndThenLeavesItInPlace) {
  Submit(AllLessEqual());
  Open(kFinalLP);
  ASSERT_TRUE(IsLoaded<Scr4>());
  ExpectFocusShown(scr4());
  PressReturn(scr4()); // "Go To Output Screen", the screen's default
  ASSERT_TRUE(IsLoaded<Scr5>());
  ExpectFocusShown(scr5());
  PressReturn(scr5());
  EXPECT_EQ(ended, 0);
  EXPECT_TRUE(scr5().Shown());
}

TEST_F(SolveModifyTest, MThatIsNotAPositiveNumberIsRefusedAndReturnConfirmsTheBox) {
  Submit(WithGreaterRow("Maximize"));
  Scr3 &f = Open(Iterations("&M-method"));
  ASSERT_TRUE(f.Frame3.Visible());
  for (const char *bad : {"abc", "", "0", "-5", "12abc", "1e999"}) {
    ExpectMRefused(f, bad, "The value of M must be a positive number");
  }
  f.TextBigM.SetText(" 2.5e2 ");
  f.TextBigM.PressKey(key::Return);
  EXPECT_EQ(g.BigM, 250);
  for (int j = 1; j <= g.NCols; ++j) {
    if (g.ColNames(j)[0] != 'R') continue;
    EXPECT_EQ(g.Cost(j), -250) << g.ColNames(j);
  }
  EXPECT_TRUE(IsLoaded<Scr4>());
}

// Every screen that opens its popup on a click (the MAIN menu screen with its frames, SOLVE/MODIFY
// with the M-value frame), wherever it is clicked, opens it at the click or, where it would cover
// a control, at the nearest clear place inside the screen: the next click, aimed at a button,
// never lands on an item that leaves the screen. Leaving by "Exit QUON" asks to save first.
TEST_F(SolveModifyTest, EveryPopupOpenedByAClickLiesClearOfTheControls) {
  // Clicks the screen all over, its hint label included.
  auto sweep = [&](Form &f, MenuItem &menu, Label &hint) {
    int moved = 0;
    for (int y = 150; y < f.ScaleHeight(); y += 900)
      for (int x = 150; x < f.ScaleWidth(); x += 900) {
        QWidget *under = f.ClientWidget()->childAt(x / 15, y / 15);
        if (under && under != hint.Widget()) continue;
        script.DismissPopup();
        const std::size_t before = script.Shown().size();
        if (under)
          ClickAt(under, x - hint.Left(), y - hint.Top());
        else
          ClickAt(f.ClientWidget(), x, y);
        ASSERT_EQ(script.Shown().size(), before + 1) << f.Name() << " " << x << "," << y;
        const PopupPlace &at = script.Shown().back().place;
        EXPECT_EQ(CoveredBy(f, menu, at), "") << f.Name() << " " << x << "," << y;
        if (std::abs(at.x - x) > 15 || std::abs(at.y - y) > 15) ++moved;
      }
    EXPECT_GT(moved, 0) << f.Name();
  };
  for (auto [w, h] : {std::pair{15360, 11520}, std::pair{12000, 9000}}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    UseScreen(w, h);
    script.ClearRecord();
    script.ChoosePopup({"&Linear Programming"});
    Scr0 &main = scr0();
    main.Show();
    Forms::DoEvents();
    ASSERT_TRUE(main.FrameInputMode.Visible());
    sweep(main, main.mnuXMainMenu, main.Label6);

    Forms::Clear();
    script.ClearRecord();
    LP lp = DoorsAndWindows();
    lp.a.push_back({1, 1});
    lp.rel.push_back(">=");
    lp.b.push_back(1);
    Submit(lp);
    Scr3 &f = Open(Iterations("&M-method"));
    ASSERT_TRUE(f.Frame3.Visible());
    // The frame's blank area: no menu (the script fails the test on one it does not expect).
    ClickAt(f.Frame3.Widget(), 100, 800);
    EXPECT_EQ(script.Shown().size(), 1u);

    // Beside the frame, where the menu at its fixed place would put "Exit QUON" over the button.
    const int besideY = w == 15360 ? 7500 : 4500;
    script.DismissPopup();
    ClickAt(f.ClientWidget(), 3000, besideY);
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[1].place.x, 3000);
    EXPECT_EQ(script.Shown()[1].place.y, besideY);
    EXPECT_FALSE(script.Shown()[1].place.centreX);

    sweep(f, f.solveModifyMenu, f.Label5);
    EXPECT_TRUE(f.Frame3.Visible());

    // "Exit QUON" asks first; Cancel keeps the screen and its frame, No ends the program.
    script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
    ClickAt(f.ClientWidget(), 3000, besideY);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(f.Frame3.Visible());
    script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::No, "Do you wish to save data?");
    ClickAt(f.ClientWidget(), 3000, besideY);
    EXPECT_EQ(ended, 1);
    ended = 0;
  }
}

// An M whose products with the data overflow is refused like one that is no number; a large M
// whose products stay finite is taken.
TEST_F(SolveModifyTest, MTooLargeForTheDataIsRefused) {
  LP lp;
  lp.c = {1, 1};
  lp.a = {{1, 1}, {1, 1}};
  lp.rel = {"<=", ">="};
  lp.b = {50000000000, 20000000000};
  Submit(lp);
  Scr3 &f = Open(Iterations("&M-method"));
  ASSERT_TRUE(f.Frame3.Visible());
  for (const char *bad : {"1e300", "1.7e298"}) {
    ExpectMRefused(f, bad, "The value of M is too large for the data of this problem");
  }
  f.TextBigM.SetText("1e17");
  f.TextBigM.PressKey(key::Return);
  EXPECT_EQ(g.BigM, 1E17);
  EXPECT_TRUE(IsLoaded<Scr4>());
}

TEST_F(SolveModifyTest, TwoPhaseOrMOnAllLessEqualRowsGoesOnWithAllSlack) {
  for (int answer : {msg::OK, msg::Cancel}) {
    for (const char *item : {"&Two-phase method", "&M-method"}) {
      Forms::Clear();
      Submit(AllLessEqual());
      Open(Iterations(item), {{answer, kMessageB}});
      EXPECT_EQ(g.LPMethod, 2) << item;
      EXPECT_EQ(g.Phase, 0) << item;
      EXPECT_EQ(g.TableauCols, 3 + 2 + 2) << item;
      EXPECT_TRUE(IsLoaded<Scr4>()) << item;
    }
  }
  Forms::Clear();
  script.ClearRecord();
  Submit(AllLessEqual());
  Open(Iterations("&All-slack starting solution"));
  EXPECT_EQ(g.LPMethod, 2);
  EXPECT_TRUE(script.MessageBoxes().empty());
}

TEST_F(SolveModifyTest, BoundedSimplexChoosesTheStartWithoutAMessage) {
  Submit(WithGreaterRow());
  Scr3 &f = Open(Iterations("&Bounded simplex "));
  EXPECT_EQ(g.LPMethod, 4);
  EXPECT_EQ(g.Phase, 1);
  EXPECT_EQ(g.TableauCols, 2 + 2 + 1 + 2);
  EXPECT_TRUE(f.Label5.Visible());
  EXPECT_TRUE(script.MessageBoxes().empty());

  Forms::Clear();
  Submit(AllLessEqual());
  Open(Iterations("&Bounded simplex "));
  EXPECT_EQ(g.LPMethod, 2);
  EXPECT_EQ(g.TableauCols, 3 + 2 + 0 + 2);
}

TEST_F(SolveModifyTest, GraphicalMethodRefusesBoundsAndWaitsForAClick) {
  LP lp = AllLessEqual();
  lp.upper = {"3", "infinity"};
  Submit(lp);
  Scr3 &f =
      Open({"Solve Problem", "&Graphical"},
           {{msg::OK, "LPs with unrestricted vars and/or explicit upper/lower bounds are not supported by "
                      "graphical method.                Click OK then click screen."}});
  EXPECT_EQ(script.Beeps(), 1);
  EXPECT_EQ(script.MessageBoxes().at(0).title, "Graphical LP");
  EXPECT_EQ(script.MessageBoxes().at(0).style, msg::OKOnly | msg::Critical);
  EXPECT_TRUE(f.Label5.Visible());
  EXPECT_FALSE(IsLoaded<Scr4>());
  EXPECT_EQ(g.LPMethod, 0);
  EXPECT_EQ(script.Shown().size(), 3u); // popup, beep, message; no popup of its own
  script.DismissPopup();
  f.PerformClick();
  EXPECT_EQ(script.Shown().back().kind, ShownRecord::Kind::Popup);
}

TEST_F(SolveModifyTest, GraphicalMethodSolvesAndMovesOn) {
  Submit(AllLessEqual());
  Open({"Solve Problem", "&Graphical"});
  EXPECT_EQ(g.OutputMode, 2);
  EXPECT_EQ(g.LPMethod, 1);
  EXPECT_EQ(g.LpSolveMode, 2);
  EXPECT_EQ(g.ZValue, 36);
  EXPECT_TRUE(IsLoaded<Scr4>());
}

TEST_F(SolveModifyTest, DualSimplexConvertsTheWorkedExample) {
  Submit(WithGreaterRow());
  Open(Iterations("&Dual simplex"));
  EXPECT_TRUE(script.MessageBoxes().empty());
  EXPECT_EQ(g.LPMethod, 5);
  EXPECT_EQ(g.OutputMode, 2);
  EXPECT_EQ(g.NCols, 4);
  EXPECT_EQ(g.ColNames(3), "Sx3");
  EXPECT_EQ(g.ColNames(4), "sx4");
  EXPECT_EQ(g.Tab(3, 1), -1);
  EXPECT_EQ(g.Tab(3, 5), -4);
  EXPECT_EQ(g.TableauCols, 2 + 2 + 2);
  EXPECT_EQ(g.TableauRows, 2 + 7);
  EXPECT_TRUE(IsLoaded<Scr4>());
}

TEST_F(SolveModifyTest, DualSimplexFallsBackWithItsMessages) {
  // D1: a negative cost in a minimisation with only "<=" rows.
  LP lp = AllLessEqual();
  lp.sense = "Minimize";
  lp.c = {-3, 5};
  Submit(lp);
  Open(Iterations("&Dual simplex"),
       {{msg::OK, "Dual Simplex not applicable directly.  All-slack will be used"}});
  EXPECT_EQ(script.MessageBoxes().back().style, msg::OKOnly | msg::Critical);
  EXPECT_EQ(g.LPMethod, 2);
  EXPECT_EQ(g.TableauCols, 3 + 2 + 2);
  EXPECT_TRUE(IsLoaded<Scr4>());

  // D2: the worked example maximised; OK gives two-phase, Cancel the M frame.
  const char *d2 = " Dual simplex not applicable directly.  Two-phase method will be used; else click "
                   "CANCEL to use M-method";
  Forms::Clear();
  Submit(WithGreaterRow("Maximize"));
  Open(Iterations("&Dual simplex"), {{msg::OK, d2}});
  EXPECT_EQ(g.LPMethod, 4);
  EXPECT_EQ(g.Phase, 1);
  EXPECT_EQ(g.TableauCols, 2 + 2 + 1 + 2);
  EXPECT_TRUE(IsLoaded<Scr4>());
  Forms::Clear();
  Submit(WithGreaterRow("Maximize"));
  Scr3 &f = Open(Iterations("&Dual simplex"), {{msg::Cancel, d2}});
  EXPECT_EQ(g.LPMethod, 3);
  EXPECT_TRUE(f.Frame3.Visible());
  EXPECT_FALSE(IsLoaded<Scr4>());

  // E: an upper bound with passing costs; OK starts two-phase even with only "<=" rows.
  Forms::Clear();
  lp = AllLessEqual();
  lp.sense = "Minimize";
  lp.upper = {"infinity", "7"};
  Submit(lp);
  Open(Iterations("&Dual simplex"),
       {{msg::OK, " Dual simplex not applicable because a var has upper/lower bound or is unrestricted.  "
                  "Two-phase method will be used; else click CANCEL to use M-method"}});
  EXPECT_EQ(script.MessageBoxes().back().title, "Warning");
  EXPECT_EQ(g.LPMethod, 4);
  EXPECT_EQ(g.Phase, 1);
}

TEST_F(SolveModifyTest, MatrixInversionRoadToItsOutput) {
  MatrixInput(1, {{4, 7}, {2, 6}});
  Open({"&Solve Problem"});
  EXPECT_DOUBLE_EQ(g.Determinant, 10);
  Forms::DoEvents();
  scr4().cmdDone.PerformClick();
  ASSERT_TRUE(IsLoaded<Scr5>());
  EXPECT_EQ(scr5().outputGrid.TextMatrix(6, 2), "-0.70");
}

} // namespace
} // namespace quon::testing
