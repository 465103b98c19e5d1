// The input screen's exits: "SOLVE Menu" for every model class with its refusals and the save
// question, the MAIN menu and exit roads, and Save with a failing disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <QTest>
#include <QWidget>

#include "input/input_grid.h"
#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "platform/values.h"
#include "shell/ui/scr0.h"
#include "shell/ui/screen_links.h"
#include "support/input_screen.h"

namespace quon {
namespace {

using testing::InputScreenTest;

class SolveMenu : public InputScreenTest {};

TEST_F(SolveMenu, MatrixInputIsCopiedKeptAsBlockAndTheScreenIsLeft) {
  Scr2 &s = Typed(2, "2");
  Fill(s, 1, {"2", "1", "5"});
  Fill(s, 2, {"1", "3", "10"});
  g.FileName = "old.txt";
  const std::string block = s.grid1.ClipOf(0, 0, 2, 3);
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  s.cmdDone.PerformClick();

  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Save?");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::YesNoCancel | msg::Question);
  EXPECT_DOUBLE_EQ(g.Tab(2, 3), 10);
  EXPECT_DOUBLE_EQ(g.InvInput(1, 1), 2);
  EXPECT_EQ(g.ColNames(2), "x2");
  EXPECT_EQ(g.HeaderText[1], "Demo");
  EXPECT_EQ(g.HeaderText[2], "2");
  EXPECT_EQ(g.GridRows, 3);
  EXPECT_EQ(g.GridCols, 4);
  EXPECT_EQ(ClipboardText(), block);
  EXPECT_EQ(g.FileName, "");
  EXPECT_EQ(ended, 0);
  EXPECT_EQ(solveMenus, 1) << "the SOLVE/MODIFY screen comes up with its menu";
  EXPECT_FALSE(inputShownUnderSolveMenu) << "the input screen has left before that menu waits";
}

TEST_F(SolveMenu, AltKeysPressTheButtonsAndNeverReachACell) {
  Scr2 &s = Typed(2, "2");
  Fill(s, 1, {"2", "1", "5"});
  Fill(s, 2, {"1", "3", "10"});
  s.PlaceCellEditor(1, 1);
  EXPECT_EQ(s.cmdDone.Caption(), "SOLVE Menu");
  const std::string cell = s.BX0.Text();
  s.BX0.PressKey('Q', key::AltMask);
  EXPECT_EQ(s.BX0.Text(), cell);
  EXPECT_TRUE(script.MessageBoxes().empty());
  // Alt+S is "SOLVE Menu".
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  s.BX0.PressKey('S', key::AltMask);
  EXPECT_EQ(solveMenus, 1);
  EXPECT_FALSE(IsLoaded<Scr2>());
}

TEST_F(SolveMenu, LinearProgramRefusalsStayOnTheInput) {
  Scr2 &s = Typed(3, "2", "3");
  Fill(s, 2, {"3", "2", "", ""});
  Fill(s, 3, {"1", "1", "<=", "4"});
  Fill(s, 4, {"1", "0", "<=", "3"});
  Fill(s, 5, {"0", "0", "<=", "1"});
  s.grid1.SetRow(4);
  s.grid1.SetCol(2);
  script.AnswerMsgBox(
      msg::OK, "All Left-hand side coefficients of Constraint 3 are zero.  Renenter or delete constraint");
  s.cmdDone.PerformClick();
  EXPECT_EQ(script.MessageBoxes().back().title, "Input Data Error");
  EXPECT_EQ(script.MessageBoxes().back().style, msg::OKOnly | msg::Critical);
  EXPECT_TRUE(IsLoaded<Scr2>());
  // The editor goes to the constraint named (row 5), whose first coefficient takes the keys.
  EXPECT_EQ(s.grid1.Row(), 5);
  EXPECT_EQ(s.grid1.Col(), 1);
  EXPECT_EQ(g.InputErrorIndex, 0);

  Fill(s, 5, {"0", "1", "<=", "1"});
  Fill(s, 6, {"0", "5"}); // lower bounds
  Fill(s, 7, {"infinity", "2"});
  script.AnswerMsgBox(msg::OK, "Lower bound exceeds upper bound for varaible 2. Renenter correct bounds");
  s.cmdDone.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());

  // Cancel at the save question keeps the converted problem and the screen.
  Fill(s, 6, {"0", "0"});
  Fill(s, 7, {"infinity", "infinity"});
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
  s.cmdDone.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(g.MRows, 3);
  EXPECT_DOUBLE_EQ(g.LPData(3, 4), 4);
  EXPECT_EQ(g.HeaderText[3], "3");
}

TEST_F(SolveMenu, TransportationRefusalThenSuccessWithTheCornerCaption) {
  Scr2 &s = Typed(4, "2", "2");
  Fill(s, 2, {"4", "6", "10"}, 2);
  Fill(s, 3, {"5", "3", "-5"}, 2);
  Fill(s, 4, {"7", "8"}, 2);
  script.AnswerMsgBox(msg::OK);
  s.cmdDone.PerformClick();
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(g.Entering, 0);

  Fill(s, 3, {"5", "3", "5"}, 2);
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  s.cmdDone.PerformClick();
  EXPECT_EQ(g.HeaderText[3], "2");
  EXPECT_FLOAT_EQ(g.TransSupply(1), 10);
}

TEST_F(SolveMenu, QueueScenarioRefusalPointsAtTheScenario) {
  Scr2 &s = Typed(6, "2");
  Fill(s, 1, {"2", "3", "1", "infinity", "infinity"});
  Fill(s, 2, {"3", "4", "0", "infinity", "infinity"}); // no server
  script.AnswerMsgBox(msg::OK);
  s.cmdDone.PerformClick();
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_NE(script.MessageBoxes()[0].text.find("Inconsistent data in Scenario(s) <2>"), std::string::npos);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Queue Data Error");
  EXPECT_EQ(g.NScen, 2);
  EXPECT_EQ(g.CurRow, 2);
  EXPECT_TRUE(IsLoaded<Scr2>());

  Fill(s, 2, {"3", "4", "1", "infinity", "infinity"});
  script.AnswerMsgBox(msg::No);
  s.cmdDone.PerformClick();
  EXPECT_EQ(g.QueueData(2, 3), 1);
}

TEST_F(SolveMenu, NetworksAndGamesGoOn) {
  Scr2 &net = Typed(7, "3", "", 4);
  Fill(net, 1, {"A", "B", "C"}, 2);
  Fill(net, 2, {"", "5", "2"}, 2);
  script.AnswerMsgBox(msg::No);
  net.cmdDone.PerformClick();
  EXPECT_EQ(g.GridRows, 5);
  EXPECT_DOUBLE_EQ(g.ArcMatrix(1, 2), 5);

  Scr2 &game = Typed(9, "2", "2");
  Fill(game, 1, {"1", "-1"});
  Fill(game, 2, {"-1", "1"});
  script.AnswerMsgBox(msg::No);
  game.cmdDone.PerformClick();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(g.HeaderText[3], "2");
}

TEST_F(SolveMenu, ASizeBoxEditedButNotConfirmedGoesBackToTheGridsSize) {
  struct Case {
    int cls;
    const char *size1, *size2;
    std::vector<std::vector<std::string>> rows; // from row 1, column 1
  };
  const Case cases[] = {
      {1, "2", "", {{"2", "1"}, {"1", "3"}}},
      {4,
       "2",
       "2",
       {{"S/D Name", "", "", ""}, {"S1", "4", "6", "10"}, {"S2", "5", "3", "5"}, {"", "7", "8", ""}}},
      {6, "1", "", {{"2", "3", "1", "infinity", "infinity"}}},
      {9, "2", "2", {{"1", "-1"}, {"-1", "1"}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.cls);
    Forms::Clear();
    Scr2 &s = Typed(c.cls, c.size1, c.size2);
    for (std::size_t r = 0; r < c.rows.size(); ++r)
      Fill(s, static_cast<int>(r) + 1, c.rows[r]);
    const std::vector<std::string> typed = DataCells(s.grid1);
    const int rows = s.grid1.Rows(), cols = s.grid1.Cols();
    // The size boxes emptied without Enter or Tab.
    s.BX2.SetText("");
    if (*c.size2) s.BX3.SetText("");
    g.HeaderText[3].clear();
    script.AnswerMsgBox(msg::No, "Do you wish to save data?");
    s.cmdDone.PerformClick();
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(g.HeaderText[2], c.size1);
    EXPECT_EQ(g.HeaderText[3], *c.size2 ? c.size2 : "");

    ModifyInputData();
    Scr2 &back = scr2();
    EXPECT_EQ(back.grid1.Rows(), rows);
    EXPECT_EQ(back.grid1.Cols(), cols);
    EXPECT_EQ(DataCells(back.grid1), typed);
    EXPECT_EQ(back.BX2.Text(), c.size1);
  }
}

TEST_F(SolveMenu, CellsARoadPutOutsideTheirFilterAreRefused) {
  // A column pasted over the relations, a name row pasted over a bound: what no file may hold
  // is not solved either.
  Scr2 &s = Typed(3, "2", "1");
  Fill(s, 2, {"3", "5"});
  Fill(s, 3, {"1", "1", "36", "4"});
  script.AnswerMsgBox(msg::OK, "A constraint's type is <=, = or >=");
  s.cmdDone.PerformClick();
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(g.CurRow, 3);
  EXPECT_EQ(g.CurCol, 3);
  EXPECT_TRUE(IsLoaded<Scr2>());

  Fill(s, 3, {"1", "1", "<=", "4"});
  s.grid1.SetTextMatrix(5, 2, "x2");
  script.AnswerMsgBox(msg::OK, "This cell takes a number only");
  s.cmdDone.PerformClick();
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(g.CurRow, 5);
  EXPECT_EQ(g.CurCol, 2);
}

TEST_F(SolveMenu, ProjectChecks) {
  Scr2 &s = Typed(8, "", "", 1);
  script.AnswerMsgBox(msg::OK, "Meaningless or missing project data");
  s.cmdDone.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(s.grid1.Rows(), 2);

  // Nodes 1 and 3 start, 4 and 5 finish; two empty rows trail.
  s.grid1.SetRows(7);
  Fill(s, 1, {"1", "2", "A", "3"});
  Fill(s, 2, {"3", "2", "B", "2"});
  Fill(s, 3, {"2", "4", "C", "4"});
  Fill(s, 4, {"2", "5", "D", "1"});
  Fill(s, 5, {"", "", "", "0"});
  script.AnswerMsgBox(msg::OK,
                      "MULTIPLE START detected at nodes (1, 3) and MULTIPLE FINISH detected at nodes (4, 5)");
  s.cmdDone.PerformClick();
  EXPECT_EQ(script.MessageBoxes().back().title, "Input Data Error");
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(s.grid1.Rows(), 5);
  EXPECT_EQ(g.ActivityCount, 4);
  EXPECT_EQ(s.BX2.Text(), "5");

  // A node number beyond the arrays' reach is refused on its row.
  Fill(s, 2, {"1", "1001", "B", "2"});
  script.AnswerMsgBox(msg::OK, "Node numbers cannot exceed 1000");
  s.cmdDone.PerformClick();
  EXPECT_EQ(script.MessageBoxes().back().title, "Node Numbering Error");
  EXPECT_EQ(g.CurRow, 2);
  EXPECT_TRUE(IsLoaded<Scr2>());

  Fill(s, 2, {"3", "4", "B", "2"});
  Fill(s, 3, {"2", "4", "C", "4"});
  Fill(s, 4, {"4", "5", "D", "1"});
  script.AnswerMsgBox(msg::OK, "MULTIPLE START detected at nodes (1, 3)");
  s.cmdDone.PerformClick();

  Fill(s, 2, {"2", "3", "B", "2"});
  Fill(s, 3, {"3", "4", "C", "4"});
  script.AnswerMsgBox(msg::No);
  s.cmdDone.PerformClick();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(g.HeaderText[2], "5");
  EXPECT_EQ(g.GridRows, 5);
}

TEST_F(SolveMenu, ProjectRowsAreCheckedAtSubmissionWithTheEditorOnTheBadRow) {
  Scr2 &s = Typed(8, "", "", 2);
  s.grid1.SetRows(4);
  script.AnswerMsgBox(msg::OK, "Meaningless or missing project data");
  s.cmdDone.PerformClick();
  EXPECT_EQ(s.grid1.Rows(), 4);
  EXPECT_TRUE(IsLoaded<Scr2>());

  Fill(s, 1, {"1", "2", "A", "1", "2", "3"});
  Fill(s, 2, {"2", "3", "B", "1", "2", "3"});
  Fill(s, 3, {"1", "2", "C", "1", "2", "3"});
  script.AnswerMsgBox(msg::OK, "Nodes defining this activity have already been assigned to another");
  s.cmdDone.PerformClick();
  EXPECT_EQ(g.CurRow, 3);
  EXPECT_EQ(g.CurCol, 1);

  Fill(s, 3, {"3", "3", "C", "1", "2", "3"});
  script.AnswerMsgBox(msg::OK, "FROM and TO nodes must be assigned distinct numbers");
  s.cmdDone.PerformClick();
  EXPECT_EQ(script.MessageBoxes().back().title, "Nodes Numbering Error");
  EXPECT_EQ(g.CurRow, 3);
  EXPECT_EQ(g.CurCol, 2);

  // The last row's durations are checked too.
  Fill(s, 3, {"3", "4", "C", "5", "2", "3"});
  script.AnswerMsgBox(msg::OK, "Duration data in preceding row must satisfy a <= m <= b");
  s.cmdDone.PerformClick();
  EXPECT_EQ(script.MessageBoxes().back().title, "Duration Error");
  EXPECT_EQ(g.CurRow, 3);
  EXPECT_TRUE(IsLoaded<Scr2>());

  // Every node on a loop: no start node.
  Fill(s, 1, {"1", "2", "A", "1", "2", "3"});
  Fill(s, 2, {"2", "3", "B", "1", "2", "3"});
  Fill(s, 3, {"3", "1", "C", "1", "2", "3"});
  script.AnswerMsgBox(msg::OK);
  s.cmdDone.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());
  ASSERT_FALSE(script.MessageBoxes().empty());
  EXPECT_EQ(script.MessageBoxes().back().style, msg::OKOnly | msg::Critical);
}

TEST_F(SolveMenu, YesSavesFirstAndAFailedSaveStays) {
  Scr2 &s = Typed(1, "2");
  Fill(s, 1, {"1", "2"});
  Fill(s, 2, {"3", "4"});
  const std::string bad = (dir / "missing" / "m.txt").string();
  script.AnswerMsgBox(msg::Yes).AnswerSave(bad).AnswerMsgBox(msg::OK);
  s.cmdDone.PerformClick();
  ASSERT_EQ(script.MessageBoxes().size(), 2u);
  EXPECT_EQ(script.MessageBoxes()[1].style & 0x70, msg::Critical);
  EXPECT_TRUE(IsLoaded<Scr2>());

  const std::string good = (dir / "m.txt").string();
  script.AnswerMsgBox(msg::Yes).AnswerSave(good);
  s.cmdDone.PerformClick();
  EXPECT_TRUE(std::filesystem::exists(good));
  EXPECT_EQ(g.ProblemFileName, good);
  EXPECT_EQ(g.FileName, "");
  EXPECT_EQ(ended, 0);
}

class ScreenExits : public InputScreenTest {};

TEST_F(ScreenExits, MainMenuButtonAsksOnceASizeIsTyped) {
  Scr2 &fresh = Typed(3, "", "");
  g.NumFormatType = 2;
  script.DismissPopup();
  fresh.cmdMainMenu.PerformClick();
  EXPECT_TRUE(script.MessageBoxes().empty());
  EXPECT_FALSE(IsLoaded<Scr2>());
  EXPECT_FALSE(scr0().FrameInputMode.Visible());
  EXPECT_EQ(g.NumFormatType, 1);

  Scr2 &s = Typed(3, "2", "1");
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
  s.cmdMainMenu.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());
}

// A new problem from the MAIN menu screen, as the user starts one: the input screen freshly
// loaded, nothing typed.
Scr2 &NewProblemFromMainMenu(ScriptedServices &script, int modelClass, int sub = 0) {
  g.ModelClass = static_cast<int16>(modelClass);
  if (modelClass == 8) g.ProjMethod = static_cast<int16>(sub);
  if (!IsLoaded<Scr0>()) {
    script.DismissPopup();
    scr0().Show();
  }
  scr0().cmdDone_Click();
  return scr2();
}

TEST_F(ScreenExits, TheNextProblemOfASessionAsksOnlyOnceItIsSized) {
  // Each class leaves its own counts behind: scenarios, sources, nodes.
  for (int earlier : {6, 4, 7, 8}) {
    SCOPED_TRACE(earlier);
    Forms::Clear();
    UseScreen(15360, 11520);
    ended = 0;
    Scr2 &first = NewProblemFromMainMenu(script, earlier, 1);
    if (earlier == 8) {
      first.BX1.SetText("Plan");
      g.NodeCount = 4; // as the node check leaves it once nodes are typed
    } else {
      first.BX2.SetText("3");
      ASSERT_TRUE(CheckProblemSize(1, "3", "").accepted);
      if (earlier == 4) {
        first.BX3.SetText("2");
        ASSERT_TRUE(CheckProblemSize(2, "3", "2").accepted);
      }
    }
    script.AnswerMsgBox(msg::No, "Do you wish to save data?");
    script.DismissPopup();
    first.cmdMainMenu.PerformClick();
    ASSERT_FALSE(IsLoaded<Scr2>());

    for (int next : {3, 8}) {
      Scr2 &fresh = NewProblemFromMainMenu(script, next, 1);
      script.DismissPopup();
      fresh.cmdMainMenu.PerformClick();
      EXPECT_FALSE(IsLoaded<Scr2>()) << "no question for an untouched screen of class " << next;
    }
    Scr2 &last = NewProblemFromMainMenu(script, 1);
    last.ExitQUONMenu.PerformClick();
    EXPECT_EQ(ended, 1);
    ASSERT_TRUE(script.Done()) << script.Pending();
  }
}

// A problem typed with the keyboard alone (sizes, then one cell and Tab) is a change: File >
// Main Menu asks before it drops it, in every class. A new problem's caption names no file.
TEST_F(ScreenExits, KeyboardOnlyProblemsAskBeforeFileMainMenuDropsThem) {
  const std::pair<int, int> variants[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0},
                                          {7, 0}, {7, 1}, {7, 4}, {8, 1}, {8, 2}, {9, 0}};
  g.ProblemFileName = "/somewhere/earlier.txt";
  for (auto [cls, sub] : variants) {
    SCOPED_TRACE(cls * 10 + sub);
    g.DataChanged = 0;
    if (cls == 7) g.NetSubModel = static_cast<int16>(sub);
    Scr2 &s = NewProblemFromMainMenu(script, cls, sub);
    EXPECT_EQ(s.Caption(), "QUON ");
    s.BX1.SetFocus();
    s.BX1.Type("Demo\r");
    if (cls != 8) {
      s.BX2.Type("2\r");
      if (HasSecondSize(cls)) s.BX3.Type("2\r");
    }
    ASSERT_TRUE(s.BX0.Visible());
    ASSERT_EQ(g.DataChanged, 1); // the title and sizes typed are changes too
    g.DataChanged = 0;
    s.BX0.Type("5\t");
    g.ProblemFileName = "/somewhere/earlier.txt"; // as though it had been saved there
    script.AnswerMsgBox(msg::No, "Do you wish to save data?").DismissPopup();
    s.mainMenu.PerformClick();
    EXPECT_FALSE(IsLoaded<Scr2>());
    ASSERT_TRUE(script.Done()) << script.Pending();
  }
}

TEST_F(ScreenExits, TypedProjectIsNeverDroppedWithoutTheQuestion) {
  Scr2 &s = Typed(8, "", "", 2);
  Fill(s, 1, {"1", "2", "A", "1", "2", "3"});
  g.NodeCount = 2;
  ASSERT_EQ(g.NVars, 0);
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
  s.cmdMainMenu.PerformClick();
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
  s.ExitQUONMenu.PerformClick();
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(ended, 0);
}

TEST_F(ScreenExits, FileMainMenuAsksOnceASizeIsEntered) {
  // A sized problem asks even with the change mark cleared, as a reader leaves it.
  Scr2 &s = Typed(1, "2");
  g.DataChanged = 0;
  script.AnswerMsgBox(msg::No, "Do you wish to save data?").DismissPopup();
  s.mainMenu.PerformClick();
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::YesNo | msg::Question);
  EXPECT_FALSE(IsLoaded<Scr2>());

  // A title alone is no problem to save yet.
  Scr2 &again = Typed(1, "");
  ASSERT_EQ(g.DataChanged, 1);
  script.DismissPopup();
  again.mainMenu.PerformClick();
  EXPECT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_FALSE(IsLoaded<Scr2>());
}

TEST_F(ScreenExits, ExitAsksWithAQueueSizeAndAFailedSaveKeepsTheProgram) {
  Scr2 &s = Typed(6, "2");
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
  s.cmdExitQuon.PerformClick();
  EXPECT_EQ(ended, 0);

  const std::string bad = (dir / "missing" / "q.txt").string();
  script.AnswerMsgBox(msg::Yes).AnswerSave(bad).AnswerMsgBox(msg::OK);
  s.cmdExitQuon.PerformClick();
  EXPECT_EQ(ended, 0);
  EXPECT_TRUE(IsLoaded<Scr2>());

  // A cancelled dialog is silent and keeps the problem on the screen, on every leaving road.
  script.AnswerMsgBox(msg::Yes).AnswerSave(std::nullopt);
  s.cmdExitQuon.PerformClick();
  script.AnswerMsgBox(msg::Yes).AnswerSave(std::nullopt);
  s.ExitQUONMenu.PerformClick();
  script.AnswerMsgBox(msg::Yes).AnswerSave(std::nullopt);
  s.cmdMainMenu.PerformClick();
  g.DataChanged = 1;
  script.AnswerMsgBox(msg::Yes).AnswerSave("").AnswerMsgBox(
      msg::No, "You have not specified a SAVE file name.  Retry?");
  s.mainMenu.PerformClick();
  EXPECT_EQ(ended, 0);
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr0>());
  EXPECT_EQ(s.BX2.Text(), "2");

  script.AnswerMsgBox(msg::No);
  s.cmdExitQuon.PerformClick();
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(script.MessageBoxes().size(), 9u);
}

TEST_F(ScreenExits, ClosingTheWindowGoesTheWayOfExit) {
  Scr2 &s = Typed(3, "2", "1");
  QWidget *window = s.ClientWidget()->window();
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
  window->close();
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_EQ(ended, 0);

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  window->close();
  EXPECT_FALSE(IsLoaded<Scr2>());
  EXPECT_EQ(ended, 1);
}

// Every road away from the input screen asks before it drops a typed problem, in every class,
// also after a SOLVE Menu that came back to the input: Cancel at the save question, OK on a
// refusal, or No and a return through "View/Modify Input Data". The readers of some classes
// clear the change mark as they convert; that must not pass for a save.
TEST_F(ScreenExits, EveryRoadAsksAfterASolveMenuThatCameBack) {
  struct Cell {
    int row, col;
    const char *text;
  };
  struct Class {
    int cls, sub;
    const char *size1, *size2;
    int rows;       // projects: the grid's row count
    int row1, col1; // where the cells below begin
    std::vector<std::vector<std::string>> cells;
    std::vector<Cell> bad; // refused at submission
  };
  // clang-format off
  const Class classes[] = {
      {1, 0, "2", "", 0, 1, 1, {{"1", "2"}, {"3", "4"}}, {{1, 1, "x"}}},
      {2, 0, "2", "", 0, 1, 1, {{"2", "1", "5"}, {"1", "3", "10"}}, {{2, 3, "x"}}},
      {3, 0, "2", "1", 0, 1, 1, {{"v1", "v2"}, {"3", "5"}, {"1", "1", "<=", "4"}}, {{4, 1, "3"}, {5, 1, "2"}}},
      {4, 0, "2", "2", 0, 2, 2, {{"4", "6", "10"}, {"5", "3", "5"}, {"7", "8"}}, {{3, 4, "-5"}}},
      {5, 0, "2", "1", 0, 1, 1, {{"v1", "v2"}, {"3", "5"}, {"1", "1", "<=", "4"}}, {{4, 1, "3"}, {5, 1, "2"}}},
      {6, 0, "1", "", 0, 1, 1, {{"2", "3", "1", "infinity", "infinity"}}, {{1, 3, "0"}}},
      {7, 0, "3", "", 0, 1, 2, {{"A", "B", "C"}, {"", "5", "2"}}, {{2, 3, "x"}}},
      {7, 1, "3", "", 0, 1, 2, {{"A", "B", "C"}, {"", "5", "2"}}, {{2, 3, "x"}}},
      {7, 4, "3", "", 0, 1, 2, {{"A", "B", "C"}, {"", "5", "2"}}, {{2, 3, "x"}}},
      {8, 1, "", "", 4, 1, 1, {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}}, {{3, 1, "4"}, {3, 2, "3"}, {3, 3, "C"}, {3, 4, "1"}}},
      {8, 2, "", "", 4, 1, 1, {{"1", "2", "A", "1", "2", "3"}, {"2", "3", "B", "1", "2", "3"}},
          {{3, 1, "4"}, {3, 2, "3"}, {3, 3, "C"}, {3, 4, "1"}, {3, 5, "2"}, {3, 6, "3"}}},
      {9, 0, "2", "2", 0, 1, 1, {{"1", "-1"}, {"-1", "1"}}, {{1, 2, "x"}}},
  };
  // clang-format on
  enum class Back { Cancelled, Refused, Returned };
  for (const Class &c : classes) {
    for (Back back : {Back::Cancelled, Back::Refused, Back::Returned}) {
      SCOPED_TRACE(::testing::Message()
                   << "class " << c.cls << "." << c.sub << ", came back " << static_cast<int>(back));
      Forms::Clear();
      ended = 0;
      Scr2 *s = &Typed(c.cls, c.size1, c.size2, c.sub);
      if (c.rows) s->grid1.SetRows(c.rows);
      for (std::size_t r = 0; r < c.cells.size(); ++r)
        Fill(*s, c.row1 + static_cast<int>(r), c.cells[r], c.col1);
      g.DataChanged = 1;
      if (back == Back::Refused) {
        for (const Cell &cell : c.bad)
          s->grid1.SetTextMatrix(cell.row, cell.col, cell.text);
        script.AnswerMsgBox(msg::OK);
        s->cmdDone.PerformClick();
        ASSERT_TRUE(script.Done());
        ASSERT_NE(script.MessageBoxes().back().title, "Save?") << "the input was not refused";
      } else {
        script.AnswerMsgBox(back == Back::Cancelled ? msg::Cancel : msg::No, "Do you wish to save data?");
        s->cmdDone.PerformClick();
        ASSERT_TRUE(script.Done());
        if (back == Back::Returned) {
          ASSERT_FALSE(IsLoaded<Scr2>());
          // A later screen's exit asks by the same rule while the problem is held there.
          script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
          ExitQuonFromLaterScreen();
          ASSERT_TRUE(script.Done()) << "Exit QUON of a later screen";
          EXPECT_EQ(ended, 0);
          ModifyInputData();
          s = &scr2();
        }
      }
      ASSERT_TRUE(IsLoaded<Scr2>());

      // Each road asks; Cancel stays, so the next road starts from the same problem, with the
      // editor on its cell holding the keyboard: a digit typed at once lands in the cell.
      const Cell at{c.row1, c.col1, ""};
      s->grid1.PerformClick(at.row, at.col);
      QWidget *window = s->ClientWidget()->window();
      std::vector<std::pair<const char *, std::function<void()>>> roads = {
          {"MAIN Menu", [&] { s->cmdMainMenu.SetFocus(), s->cmdMainMenu.PerformClick(); }},
          {"Alt+M", [&] { s->BX1.SetFocus(), s->BX1.PressKey('M', key::AltMask); }},
          {"Exit QUON", [&] { s->cmdExitQuon.SetFocus(), s->cmdExitQuon.PerformClick(); }},
          {"Alt+X", [&] { s->BX1.SetFocus(), s->BX1.PressKey('X', key::AltMask); }},
          {"File > Exit QUON", [&] { s->BX1.SetFocus(), s->ExitQUONMenu.PerformClick(); }},
          {"close box or Alt+F4", [&] { s->cmdDone.SetFocus(), window->close(); }},
      };
      // A problem that passes its checks is asked about by "SOLVE Menu" as well, first, before
      // the digits typed after each Cancel change it.
      if (back != Back::Refused)
        roads.insert(roads.begin(), {"SOLVE Menu", [&] { s->cmdDone.SetFocus(), s->cmdDone.PerformClick(); }});
      char digit = '1';
      for (const auto &[road, take] : roads) {
        SCOPED_TRACE(road);
        const std::size_t shown = script.MessageBoxes().size();
        script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?");
        take();
        ASSERT_TRUE(script.Done());
        EXPECT_EQ(script.MessageBoxes()[shown].style, msg::YesNoCancel | msg::Question);
        ASSERT_TRUE(IsLoaded<Scr2>());
        EXPECT_EQ(ended, 0);
        QWidget *keys = window->focusWidget();
        ASSERT_NE(keys, nullptr);
        EXPECT_EQ(keys, s->BX0.Widget());
        QTest::keyClicks(keys, QString(QChar(++digit)));
        EXPECT_EQ(Val(s->grid1.TextMatrix(at.row, at.col)), digit - '0');
      }
      // File > Main Menu asks with Yes and No; No leaves for the MAIN menu.
      script.AnswerMsgBox(msg::No, "Do you wish to save data?").DismissPopup();
      s->mainMenu.PerformClick();
      ASSERT_TRUE(script.Done()) << "File > Main Menu";
      EXPECT_EQ(script.MessageBoxes().back().style, msg::YesNo | msg::Question);
      EXPECT_FALSE(IsLoaded<Scr2>());
    }
  }
}

TEST_F(ScreenExits, SaveMenusAskForTheNameAgainWhenNoneIsGiven) {
  Scr2 &s = Typed(9, "2", "3");
  Fill(s, 1, {"1", "2", "3"});
  Fill(s, 2, {"4", "5", "6"});
  const std::string path = (dir / "game").string();
  script.AnswerSave("")
      .AnswerMsgBox(msg::Yes, "You have not specified a SAVE file name.  Retry?")
      .AnswerSave(path);
  s.SaveAsMenu.PerformClick();
  EXPECT_EQ(script.MessageBoxes()[0].title, "Save As");
  EXPECT_EQ(script.MessageBoxes()[0].style, msg::YesNo | msg::Exclamation);
  // Saved under the name the Open dialog's filter shows again.
  EXPECT_TRUE(std::filesystem::exists(path + ".txt"));
  EXPECT_FALSE(std::filesystem::exists(path));

  script.AnswerSave("").AnswerMsgBox(msg::No);
  s.saveMenu.PerformClick();
  EXPECT_EQ(g.ProblemFileName, path + ".txt");
}

} // namespace
} // namespace quon
