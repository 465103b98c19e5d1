// The whole road a student takes: a problem typed on the input screen, submitted, solved by a
// method chosen on the SOLVE/MODIFY screen, read on the output screen, and brought back.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <QKeyEvent>

#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/screen.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr3.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "support/input_screen.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

class WholeRoad : public InputScreenTest {};

TEST_F(WholeRoad, LinearProgramToItsSummaryAndBackToTheInput) {
  Scr2 &s = Typed(3, "2", "3");
  Fill(s, 2, {"3", "5", "", ""});
  Fill(s, 3, {"1", "0", "<=", "4"});
  Fill(s, 4, {"0", "2", "<=", "12"});
  Fill(s, 5, {"3", "2", "<=", "18"});
  const std::vector<std::string> typed = DataCells(s.grid1);
  // A new first size confirmed, the second changed without Enter: the grid was not rebuilt,
  // so the problem solved and kept is the one it holds.
  s.BX2.SetFocus();
  s.BX2.SetText("3");
  s.BX2.PressKey(key::Return);
  s.BX3.SetText("1");

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem", "Algebraic", "&Final solution"});
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr4>());
  EXPECT_FALSE(IsLoaded<Scr2>());

  scr4().cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_DOUBLE_EQ(g.ZValue, 36);
  const GridStore &out = scr5().outputGrid;
  EXPECT_EQ(out.TextMatrix(1, 1), "2.00");
  EXPECT_EQ(out.TextMatrix(2, 1), "6.00");

  scr5().cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);
  EXPECT_EQ(scr2().BX2.Text(), "2");
  EXPECT_EQ(scr2().BX3.Text(), "3");
  EXPECT_EQ(ended, 0);
}

// "Exit QUON" of the SOLVE/MODIFY menu offers to save the problem as the input screen's exit
// does: a save that does not happen brings the input back with the problem; one that does
// writes the file and ends the program.
TEST_F(WholeRoad, ExitFromTheSolveMenuOffersToSaveTheProblem) {
  Scr2 &s = Typed(3, "2", "1");
  Fill(s, 2, {"3", "5", "", ""});
  Fill(s, 3, {"1", "1", "<=", "4"});
  const std::vector<std::string> typed = DataCells(s.grid1);
  const std::string file = (dir / "kept.txt").string();
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave(std::nullopt);
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 0);
  ASSERT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr3>());
  EXPECT_EQ(DataCells(scr2().grid1), typed);

  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"&Exit QUON"}).AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave(file);
  scr2().cmdDone.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(std::filesystem::exists(file));
}

// A problem that can only ship on "infinity" routes: after the message the summary says so on a
// whole screen, no step is live, and the page prints; pressing "All Iterations" anyway is safe.
TEST_F(WholeRoad, TransportationWithoutAFeasibleSolutionEndsOnItsSummary) {
  Scr2 &s = Typed(4, "2", "2");
  Fill(s, 2, {"S1", "infinity", "infinity", "1"});
  Fill(s, 3, {"S2", "1", "1", "1"});
  Fill(s, 4, {"", "1", "1"});
  const std::string note = "Problem has no feasible solution without the routes that cost \"infinity\".";
  script.AnswerMsgBox(msg::No, "Do you wish to save data?");
  script.ChoosePopup({"Solve Problem", "&Final solution"});
  script.AnswerMsgBox(msg::OK, note);
  s.cmdDone.PerformClick();
  Forms::DoEvents();
  ASSERT_TRUE(IsLoaded<Scr5>());
  Scr5 &f = scr5();
  EXPECT_TRUE(Drawn(f, "TRANSPORTATION MODEL OUTPUT SUMMARY"));
  EXPECT_TRUE(Drawn(f, note));
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  // The exits stand on the screen, below the heading and above its foot.
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_GT(f.Frame1.Top(), f.Frame2.Top());
  EXPECT_LE(f.Frame1.Top() + f.Frame1.Height(), ScreenHeight());

  const std::size_t shown = script.MessageBoxes().size();
  f.cmdFinalIter_Click();
  f.cmdNextIter_Click();
  EXPECT_EQ(script.MessageBoxes().size(), shown);

  RecordingSurface paper;
  SetPrinterForTesting(&paper);
  f.cmdWriteToPrinter.PerformClick();
  SetPrinterForTesting(nullptr);
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  const RecordedOp *printed = paper.FindText(note);
  ASSERT_NE(printed, nullptr);
  EXPECT_EQ(printed->document, 2);
  EXPECT_NE(paper.FindText("infinity"), nullptr);

  f.cmdModifyInputData.PerformClick();
  Forms::DoEvents();
  EXPECT_TRUE(IsLoaded<Scr2>());
}


// ---- The whole road by keys alone ----

struct KeyRoad {
  const char *name;
  int modelClass, sub;
  std::vector<std::string> model; // the MAIN menu's items
  std::string size1, size2;
  std::vector<std::vector<std::string>> rows; // the grid's rows from 1, from column 1
  std::vector<std::string> solve;             // the SOLVE/MODIFY menu's items
  bool formatScreen = true;                   // the road passes the output-format screen
  // The option of an output that waits for one: the first by Down, or the second from the
  // opened list (Alt+Down, Down, Return), which opens with the first highlighted.
  bool secondOption = false;
};

void PrintTo(const KeyRoad &road, std::ostream *os) {
  *os << road.name;
}

// The key the user presses goes where the focus is, with the screen in front.
void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {}) {
  QWidget *target = QApplication::activePopupWidget();
  if (target && target->focusWidget()) target = target->focusWidget();
  if (!target) target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr) << "no focus for the key";
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  if (QWidget *now = QApplication::focusWidget()) {
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(now, &release);
  }
  Forms::DoEvents();
}
void TypeKeys(const std::string &text) {
  for (char ch : text)
    Key(ch >= 'a' && ch <= 'z' ? Qt::Key_A + (ch - 'a') : static_cast<int>(static_cast<unsigned char>(ch)),
        Qt::NoModifier, QString(QChar(ch)));
}

// The control whose widget holds the focus now; nullptr when the screen itself has it.
const Control *Focused(const Form &f, const Container &c) {
  QWidget *fw = QApplication::focusWidget();
  for (Control *child : c.Children()) {
    if (child->Widget() == fw) return child;
    if (auto *frame = dynamic_cast<const Frame *>(child))
      if (const Control *hit = Focused(f, *frame)) return hit;
  }
  return nullptr;
}
const Control *Focused(const Form &f) {
  return Focused(f, f);
}

class KeyboardWalk : public InputScreenTest, public ::testing::WithParamInterface<KeyRoad> {
protected:
  void Walk(const KeyRoad &road);
};

// Each class from the MAIN menu to a printout and back to the input, without the mouse: the
// focus is on a control in view wherever a screen waits for the user, and the keys reach
// every box the road needs. (The grid's cells are filled as a file would fill them; typing
// into them is the cell editor's own test.)
TEST_P(KeyboardWalk, FromTheMainMenuToAPrintoutAndBack) {
  for (auto [w, h] : {std::pair{15360, 11520}, std::pair{12000, 9000}}) {
    SCOPED_TRACE(w);
    Forms::Clear();
    UseScreen(w, h);
    Walk(GetParam());
  }
}

void KeyboardWalk::Walk(const KeyRoad &road) {
  script.SetFaultHandler([](const std::string &what) { ADD_FAILURE() << what; });
  RecordingSurface paper;
  SetPrinterForTesting(&paper);

  script.ChoosePopup(road.model);
  Scr0 &menu = scr0();
  menu.Show();
  BringToFront(menu);
  ASSERT_TRUE(menu.FrameInputMode.Visible());
  EXPECT_EQ(Focused(menu), &menu.newProblemOption);
  Key(Qt::Key_Return); // "Go to Input Screen", the default
  ASSERT_TRUE(IsLoaded<Scr2>());
  Scr2 &in = scr2();
  BringToFront(in);
  EXPECT_EQ(Focused(in), &in.BX1);
  TypeKeys("Walk");
  Key(Qt::Key_Return);
  for (const std::string &size : {road.size1, road.size2}) {
    if (size.empty()) continue;
    TypeKeys(size);
    Key(Qt::Key_Return);
  }
  ASSERT_TRUE(in.BX0.Visible());
  EXPECT_EQ(Focused(in), &in.BX0);
  const int firstRow = g.CurRow, firstCol = g.CurCol;

  // Back from the first cell to the header; Escape in a size box shows the size in force again.
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  TextBox *header = in.BX3.Visible() ? &in.BX3 : in.BX2.Visible() ? &in.BX2 : &in.BX1;
  EXPECT_EQ(Focused(in), header);
  if (header != &in.BX1) {
    const std::string inForce = header->Text();
    TypeKeys("9");
    Key(Qt::Key_Escape);
    EXPECT_EQ(header->Text(), inForce);
  }
  Key(Qt::Key_Return);
  EXPECT_EQ(Focused(in), &in.BX0);
  EXPECT_EQ(g.CurRow, firstRow);
  EXPECT_EQ(g.CurCol, firstCol);

  if (road.modelClass == 8) in.grid1.SetRows(static_cast<int>(road.rows.size()) + 1);
  for (std::size_t r = 0; r < road.rows.size(); ++r)
    Fill(in, static_cast<int>(r) + 1, road.rows[r]);
  script.AnswerMsgBox(msg::No, "Do you wish to save data?").ChoosePopup(road.solve);
  Key(Qt::Key_S, Qt::AltModifier); // "SOLVE Menu"
  if (road.formatScreen) {
    ASSERT_TRUE(IsLoaded<Scr4>());
    Scr4 &format = scr4();
    BringToFront(format);
    EXPECT_EQ(Focused(format), &format.decimalOption);
    Key(Qt::Key_Return); // "Go To Output Screen"
  }
  ASSERT_TRUE(IsLoaded<Scr5>());
  Scr5 &out = scr5();
  BringToFront(out);

  // Tab goes first to the screen's own choices, reaches "Write to Printer" before any exit,
  // and a grid that takes the focus shows it on a cell in view.
  std::vector<const Control *> visited;
  for (int i = 0; i < 20 && Focused(out) != &out.cmdWriteToPrinter; ++i) {
    Key(Qt::Key_Tab);
    const Control *now = Focused(out);
    ASSERT_NE(now, nullptr);
    visited.push_back(now);
    // An output that waits for its option: the first one, chosen by key.
    if (now == &out.Combo1 && out.Combo1.ListIndex() < 0) {
      if (!road.secondOption) {
        Key(Qt::Key_Down);
      } else {
        Key(Qt::Key_Down, Qt::AltModifier);
        Key(Qt::Key_Down);
        Key(Qt::Key_Return);
      }
      EXPECT_EQ(out.Combo1.ListIndex(), road.secondOption ? 1 : 0);
    }
    // The list of all shortest routes is asked for by key as well.
    if (now == &out.Label2) {
      Key(Qt::Key_Space);
      EXPECT_EQ(g.ToNode, -99);
    }
    // Output shown step by step is printed once all its steps are shown.
    if (now == &out.cmdFinalIter && out.cmdFinalIter.Enabled() && !out.cmdWriteToPrinter.Enabled())
      Key(Qt::Key_Space);
    EXPECT_NE(now, &out.cmdExitQuon);
    EXPECT_NE(now, &out.cmdMainMenu);
    EXPECT_NE(now, &out.cmdModifyInputData);
    if (auto *grid = dynamic_cast<const Grid *>(now)) {
      EXPECT_GE(grid->Row(), grid->TopRow() < grid->FixedRows ? 0 : std::min(grid->FixedRows, grid->TopRow()));
      EXPECT_TRUE(grid->Row() < grid->FixedRows || grid->Row() >= grid->TopRow());
      EXPECT_TRUE(grid->Col() < grid->FixedCols || grid->Col() >= grid->LeftCol());
      EXPECT_LE(grid->ColX(grid->Col()) + grid->ColWidthOf(grid->Col()), grid->ViewWidth() + 15);
    }
  }
  if (out.Frame7.Visible()) {
    EXPECT_NE(std::find(visited.begin(), visited.end(), &out.Label2), visited.end());
  }
  std::string names;
  for (const Control *c : visited)
    names += c->Name() + " ";
  ASSERT_EQ(Focused(out), &out.cmdWriteToPrinter) << names;
  Key(Qt::Key_Space);
  EXPECT_GE(paper.DocumentsEnded(), 1);

  // On to the exits, the way back to the input first.
  names.clear();
  for (int i = 0; i < 20 && Focused(out) != &out.cmdModifyInputData; ++i) {
    Key(Qt::Key_Tab);
    names += (Focused(out) ? Focused(out)->Name() : "-") + " ";
  }
  ASSERT_EQ(Focused(out), &out.cmdModifyInputData) << names;
  Key(Qt::Key_Space);
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_EQ(ended, 0);
  SetPrinterForTesting(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, KeyboardWalk,
    ::testing::Values(
        KeyRoad{"Inverse", 1, 0, {"Linear Equations", "Matri&x Inversion"}, "2", "", {{"2", "1"}, {"1", "1"}},
                {"&Solve Problem"}},
        KeyRoad{"Equations", 2, 0, {"Linear Equations", "&Linear Equations Solution"}, "2", "",
                {{"1", "1", "3"}, {"1", "-1", "1"}}, {"&Solve Problem"}},
        KeyRoad{"LinearProgram", 3, 0, {"&Linear Programming"}, "2", "2",
                {{"", "", "", ""}, {"3", "5", "", ""}, {"1", "0", "<=", "4"}, {"3", "2", "<=", "18"}},
                {"Solve Problem", "Algebraic", "&Final solution"}},
        KeyRoad{"Transportation", 4, 0, {"&Transportation model"}, "2", "2",
                {{"", "", "", ""}, {"S1", "4", "6", "10"}, {"S2", "5", "3", "10"}, {"", "8", "12", ""}},
                {"Solve Problem", "&Final solution"}, false},
        KeyRoad{"IntegerProgram", 5, 0, {"&Integer programming"}, "2", "2",
                {{"", "", "", ""}, {"3", "5", "", ""}, {"1", "0", "<=", "4"}, {"3", "2", "<=", "18"}},
                {"Solve Problem"}},
        KeyRoad{"Queue", 6, 0, {"&Queuing analysis"}, "1", "", {{"2", "3", "1", "infinity", "infinity"}},
                {"&Solve Problem"}},
        KeyRoad{"SpanningTree", 7, 1, {"Network models", "&Minimal Spanning Tree"}, "3", "",
                {{"", "", "", ""}, {"", "", "4", "6"}, {"", "4", "", "5"}, {"", "6", "5", ""}}, {"&Solve Problem"}},
        KeyRoad{"ShortestRoutes", 7, 0, {"Network models", "Shortest Route "}, "3", "",
                {{"", "", "", ""}, {"", "", "4", "6"}, {"", "4", "", "5"}, {"", "6", "5", ""}},
                {"Solve Problem", "&Shortest routes"}},
        KeyRoad{"Project", 8, 1, {"Project Planning", "&CPM - Critical Path Method "}, "", "",
                {{"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "4"}}, {"Solve Problem"}, true, true},
        KeyRoad{"Game", 9, 0, {"&Zero-Sum Games"}, "2", "2", {{"3", "-1"}, {"-2", "4"}},
                {"Solve Problem", "&LP-based"}}),
    [](const ::testing::TestParamInfo<KeyRoad> &info) { return std::string(info.param.name); });

} // namespace
} // namespace quon::testing
