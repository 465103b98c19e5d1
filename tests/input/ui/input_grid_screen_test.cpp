#include <clocale>
#include <functional>
#include <cmath>
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "input/grid_clipboard.h"
#include "input/input_grid.h"
#include "input/ui/scr2.h"
#include "platform/colors.h"
#include "platform/values.h"
#include "transport/transport_input.h"
#include "platform/ui/controls.h"
#include "support/screen_fixture.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

using Pos = std::pair<int, int>;
using V = std::vector<std::string>;

class InputGridScreenTest : public ScreenTest {
protected:
  Scr2 &Open(int modelClass) {
    g.ModelClass = static_cast<int16>(modelClass);
    Scr2 &s = scr2();
    s.Show();
    Forms::DoEvents();
    s.BX1.SetFocus();
    return s;
  }
  void Confirm(TextBox &box, const std::string &text) {
    box.SetFocus();
    box.SetText("");
    box.Type(text);
    box.PressKey(key::Return);
  }
  // Opens the input screen of a class and confirms its sizes, so the grid is built.
  Scr2 &Sized(int modelClass, const std::string &first, const std::string &second = "") {
    Scr2 &s = Open(modelClass);
    Confirm(s.BX2, first);
    if (!second.empty()) Confirm(s.BX3, second);
    return s;
  }
  static Pos At(const Scr2 &s) { return {s.grid1.Row(), s.grid1.Col()}; }
  static V RowOf(const Scr2 &s, int r) {
    V out;
    for (int c = 0; c < s.grid1.Cols(); ++c)
      out.push_back(s.grid1.TextMatrix(r, c));
    return out;
  }
  // Types the texts into consecutive cells, each followed by Enter.
  static void Fill(Scr2 &s, const V &cells) {
    for (const std::string &t : cells) {
      s.BX0.Type(t);
      s.BX0.PressKey(key::Return);
    }
  }
  void ExpectOneMessage(const std::string &text, const std::string &title, int icon) {
    const auto boxes = script.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << text;
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].title, title);
    EXPECT_EQ(boxes[0].style, msg::OKOnly | icon);
    script.ClearRecord();
  }
};

TEST_F(InputGridScreenTest, LinearProgramTypedByKeyboardAndMouse) {
  Scr2 &s = Sized(3, "2", "1");
  Grid &grid = s.grid1;
  EXPECT_EQ(s.Label7.Caption(), "INPUT GRID - LINEAR PROGRAMMING");
  EXPECT_TRUE(s.Label7.Visible());
  ASSERT_EQ(grid.Rows(), 7);
  ASSERT_EQ(grid.Cols(), 5);
  EXPECT_TRUE(grid.Visible());
  EXPECT_EQ(grid.Width(), 6511);
  EXPECT_EQ(grid.Left(), std::lround((15360 - 6511) * 0.5));
  EXPECT_TRUE(s.cmdDone.Enabled());
  // The editor lies exactly over the first data cell with its text selected.
  EXPECT_EQ(At(s), Pos(1, 1));
  EXPECT_TRUE(s.BX0.Visible());
  EXPECT_EQ(s.BX0.Left(), grid.Left() + grid.CellLeft());
  EXPECT_EQ(s.BX0.Top(), grid.Top() + grid.CellTop());
  EXPECT_EQ(s.BX0.Width(), grid.CellWidth());
  EXPECT_EQ(s.BX0.Height(), grid.CellHeight());

  Fill(s, {"Chairs", "Tables"}); // names, then on to the objective row
  EXPECT_EQ(At(s), Pos(2, 1));
  Fill(s, {"3", "5"});
  EXPECT_EQ(At(s), Pos(3, 1));
  Fill(s, {"1", "2.5", ">", "4"});
  EXPECT_EQ(At(s), Pos(4, 1)); // lower bounds
  Fill(s, {"1", "2"});
  EXPECT_EQ(At(s), Pos(5, 1)); // upper bounds
  Fill(s, {"i", "8"});
  EXPECT_EQ(At(s), Pos(6, 1));
  s.BX0.Type("y"); // x1 unrestricted: its lower bound 1 becomes -infinity
  s.BX0.PressKey(key::Right);
  EXPECT_EQ(RowOf(s, 1), (V{"Var. Name", "Chairs", "Tables", "", ""}));
  EXPECT_EQ(RowOf(s, 2), (V{"Maximize", "3.00", "5.00", "", ""}));
  EXPECT_EQ(RowOf(s, 3), (V{"Constr 1", "1.00", "2.50", ">=", "4.00"}));
  EXPECT_EQ(RowOf(s, 4), (V{"Lower Bound", "-infinity", "2.00", "", ""}));
  EXPECT_EQ(RowOf(s, 5), (V{"Upper Bound", "infinity", "8.00", "", ""}));
  EXPECT_EQ(RowOf(s, 6), (V{"Unrestr'd (y/n)? ", "y", "n", "", ""}));
  EXPECT_EQ(grid.BackOf(4, 1), RGB(0, 75, 255));
  EXPECT_EQ(grid.BackOf(3, 2), kBlue);

  // A negative right-hand side is refused with its message.
  grid.PerformClick(3, 4);
  EXPECT_EQ(At(s), Pos(3, 4));
  script.AnswerMsgBox(msg::OK);
  s.BX0.Type("-");
  ExpectOneMessage("Negative RHS not permitted.  Re-enter", "Rihgt-hand Side", msg::Critical);
  EXPECT_EQ(grid.TextMatrix(3, 4), "4.00");

  // The sense cell switches with a click; a double-click leaves cell and sense agreeing.
  grid.PerformClick(2, 0);
  EXPECT_EQ(grid.TextMatrix(2, 0), "Minimize");
  EXPECT_EQ(g.ObjSense, 1);
  EXPECT_EQ(At(s), Pos(2, 1));
  grid.PerformDblClick(2, 0);
  EXPECT_EQ(grid.TextMatrix(2, 0), g.SenseText.str());
  EXPECT_EQ(g.SenseText.str(), "Maximize");
  EXPECT_EQ(g.ObjSense, -1);

  // A heading click selects for the EditGrid menu and hides the editor; a closed cell beeps.
  grid.PerformClick(3, 0);
  EXPECT_EQ(g.SelState, 1);
  EXPECT_FALSE(s.BX0.Visible());
  EXPECT_TRUE(s.mnuCopyMenu.Enabled());
  EXPECT_FALSE(s.mnuPasteMenu.Enabled());
  const int beeps = script.Beeps();
  grid.PerformClick(0, 4);
  EXPECT_EQ(script.Beeps(), beeps + 1);
  EXPECT_EQ(At(s), Pos(1, 1));
  EXPECT_TRUE(s.BX0.Visible());
  grid.PerformClick(3, 1);
  EXPECT_EQ(g.SelState, 0);
  EXPECT_FALSE(s.mnuCopyMenu.Enabled());
  EXPECT_FALSE(s.saveMenu.Enabled());
}

TEST_F(InputGridScreenTest, PastedTextPassesTheCellsFilterAndOverflowIsRefused) {
  Scr2 &s = Sized(3, "2", "1");
  Grid &grid = s.grid1;
  // Each paste into a fresh editor over (row, col): refused with the cell's message, the
  // editor and the cell as before; or taken and written back as typed.
  auto paste = [&](int row, int col, const std::string &text) {
    s.PlaceCellEditor(static_cast<int16>(row), static_cast<int16>(col));
    const std::string before = s.BX0.Text();
    s.BX0.Paste(text);
    return before;
  };
  struct Refused {
    int row, col;
    std::string text, message;
  };
  const std::vector<Refused> refusals = {
      {2, 1, "hello 12.5", "This cell takes a number only"},
      {3, 2, "1E400", "The number is too large"},
      {3, 1, "1e308", "The number is too large"},
      {3, 4, "-3", "Negative RHS not permitted.  Re-enter"},
      {3, 3, "<>", "A constraint's type is <=, = or >="},
      {4, 1, "-infinity", "Nonnegative var: Lower bound must be nonnegative."},
      {6, 2, "maybe", "This row takes y or n"},
      {5, 1, "5infinity", "This cell takes a number only"},
  };
  for (const Refused &r : refusals) {
    script.AnswerMsgBox(msg::OK, r.message);
    const std::string cellBefore = grid.TextMatrix(r.row, r.col);
    const std::string before = paste(r.row, r.col, r.text);
    EXPECT_EQ(s.BX0.Text(), before) << r.text;
    EXPECT_EQ(grid.TextMatrix(r.row, r.col), cellBefore) << r.text;
    ASSERT_TRUE(script.Done()) << r.text;
  }
  paste(2, 1, "12.5");
  EXPECT_EQ(grid.TextMatrix(2, 1), "12.50");
  paste(3, 3, ">=");
  EXPECT_EQ(grid.TextMatrix(3, 3), ">=");
  paste(1, 1, "Chairs 2");
  EXPECT_EQ(grid.TextMatrix(1, 1), "Chairs 2");

  // Keys alone can make a number beyond what a cell takes: it is refused, not read into
  // results that overflow.
  s.PlaceCellEditor(2, 2);
  script.AnswerMsgBox(msg::OK, "The number is too large.  Re-enter");
  s.BX0.Type(std::string(101, '9')); // the last digit passes 1E+100
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(s.BX0.Text(), "");
  EXPECT_EQ(grid.TextMatrix(2, 2), "");
}

TEST_F(InputGridScreenTest, WideGridScrollsUnderTheEditorAndAScrollHidesIt) {
  Scr2 &s = Sized(3, "20", "1");
  Grid &grid = s.grid1;
  EXPECT_EQ(grid.Width(), 14134); // 0.9 of the screen's width, plus 310
  grid.PerformClick(3, 1);
  for (int c = 2; c <= 16; ++c) {
    s.BX0.PressKey(key::Right);
    ASSERT_EQ(At(s), Pos(3, c));
    EXPECT_TRUE(s.BX0.Visible()) << c;
    EXPECT_EQ(s.BX0.Left(), grid.Left() + grid.CellLeft()) << c;
  }
  EXPECT_GT(grid.LeftCol(), 1);
  grid.SetLeftCol(1); // the user scrolls back: the editor no longer covers its cell
  EXPECT_FALSE(s.BX0.Visible());
  grid.PerformClick(3, 2);
  EXPECT_TRUE(s.BX0.Visible());
  EXPECT_EQ(s.BX0.Left(), grid.Left() + grid.CellLeft());
}

TEST_F(InputGridScreenTest, IntegerProgramTypeColumnAndLowerBoundRules) {
  Scr2 &s = Sized(5, "2", "2");
  Grid &grid = s.grid1;
  EXPECT_EQ(s.Label7.Caption(), "INPUT GRID - INTEGER PROGRAMMING");
  ASSERT_EQ(grid.Rows(), 9);
  EXPECT_EQ(RowOf(s, 8), (V{"Integer (y/n)? ", "y", "y", "", ""}));
  grid.PerformClick(3, 3);
  s.BX0.Type("a");
  EXPECT_EQ(grid.TextMatrix(3, 3), "        <=");
  s.BX0.Type("=");
  EXPECT_EQ(grid.TextMatrix(3, 3), "=");

  grid.PerformClick(5, 1);
  script.AnswerMsgBox(msg::OK);
  s.BX0.Type("-");
  ExpectOneMessage("Nonnegative var: Lower bound must be nonnegative.", "Unrestricted Status",
                   msg::Information);
  grid.PerformClick(7, 1);
  s.BX0.Type("y");
  grid.PerformClick(5, 1);
  script.AnswerMsgBox(msg::OK);
  s.BX0.Type("3");
  ExpectOneMessage("Unrestr'd var: Lower bound must be negative or -infinity.", "Unrestricted Status",
                   msg::Information);
  EXPECT_EQ(s.BX0.Text(), "");
  s.BX0.Type("-3");
  EXPECT_EQ(grid.TextMatrix(5, 1), "-3.00");
  // Marking the variable continuous keeps its bound.
  grid.PerformClick(8, 1);
  s.BX0.Type("n");
  EXPECT_EQ(grid.TextMatrix(8, 1), "n");
  EXPECT_EQ(grid.TextMatrix(5, 1), "-3.00");
}

TEST_F(InputGridScreenTest, TransportationSpecials) {
  Scr2 &s = Sized(4, "2", "3");
  Grid &grid = s.grid1;
  EXPECT_EQ(s.Label7.Caption(), "INPUT GRID - TRANSPORTATION");
  EXPECT_EQ(At(s), Pos(1, 2));
  EXPECT_EQ(grid.BackOf(1, 1), kCyan);
  Fill(s, {"Rome", "Oslo", "Bern"});
  EXPECT_EQ(At(s), Pos(2, 1));
  Fill(s, {"Paris", "4", "-i", "6", "20"});
  EXPECT_EQ(At(s), Pos(3, 1));
  Fill(s, {"Lyon", "2", "3", "1", "0"});
  EXPECT_EQ(At(s), Pos(4, 2)); // on to the demands
  script.AnswerMsgBox(msg::OK);
  s.BX0.Type("-");
  ExpectOneMessage("Negative Supply/Demand not permitted.", "Suppl/Demand", msg::Information);
  Fill(s, {"5", "12", "3"});
  EXPECT_EQ(RowOf(s, 1), (V{"", "S/D Name", "Rome", "Oslo", "Bern", ""}));
  EXPECT_EQ(RowOf(s, 2), (V{"S1", "Paris", "4.00", "-infinity", "6.00", "20"}));
  EXPECT_EQ(RowOf(s, 3), (V{"S2", "Lyon", "2.00", "3.00", "1.00", "0"}));
  EXPECT_EQ(RowOf(s, 4), (V{"Demand", "", "5", "12", "3", ""}));
  EXPECT_EQ(At(s), Pos(4, 4));

  // Closed corners send the editor to the first name cell.
  grid.PerformClick(4, 5);
  EXPECT_EQ(At(s), Pos(1, 2));
  grid.PerformDblClick(1, 1);
  EXPECT_EQ(At(s), Pos(1, 2));
  EXPECT_EQ(grid.TextMatrix(1, 1), "S/D Name");
}

TEST_F(InputGridScreenTest, SymmetricNetworkAndItsDiagonal) {
  g.NetSubModel = 2;
  Scr2 &s = Sized(7, "3");
  Grid &grid = s.grid1;
  EXPECT_EQ(s.Label7.Caption(), "INPUT GRID - SHORTEST ROUTE");
  EXPECT_TRUE(s.Frame2.Visible());
  EXPECT_EQ(grid.Top(), static_cast<int>(std::lround(s.Frame2.Top() + 1.05 * s.Frame2.Height())));
  s.Check1.PerformClick();
  EXPECT_EQ(g.SymmetricNet, 1);
  EXPECT_EQ(At(s), Pos(1, 2));
  Fill(s, {"A", "B", "C"});
  EXPECT_EQ(At(s), Pos(2, 3));
  EXPECT_EQ(grid.TextMatrix(3, 1), "B");
  Fill(s, {"4", "7"});
  EXPECT_EQ(At(s), Pos(3, 4));
  Fill(s, {"2"});
  EXPECT_EQ(At(s), Pos(3, 4));
  EXPECT_EQ(RowOf(s, 2), (V{"N1", "A", "", "4.00", "7.00"}));
  EXPECT_EQ(RowOf(s, 3), (V{"N2", "B", "4.00", "", "2.00"}));
  EXPECT_EQ(RowOf(s, 4), (V{"N3", "C", "7.00", "2.00", ""}));

  grid.PerformClick(3, 3);
  EXPECT_EQ(At(s), Pos(3, 4));
  grid.PerformClick(4, 4);
  EXPECT_EQ(At(s), Pos(4, 3));
  grid.PerformClick(0, 0);
  EXPECT_EQ(At(s), Pos(1, 2));
  grid.PerformClick(2, 3);
  const int beeps = script.Beeps();
  s.BX0.Type("-");
  EXPECT_EQ(script.Beeps(), beeps + 1);
}

TEST_F(InputGridScreenTest, MinimalSpanningTreeIsAlwaysSymmetrical) {
  g.NetSubModel = 1;
  Scr2 &s = Sized(7, "2");
  EXPECT_EQ(s.Label7.Caption(), "INPUT GRID - MINIMAL SPANNING TREE");
  EXPECT_EQ(s.Check1.Value(), 1);
  EXPECT_FALSE(s.Check1.Enabled());
  EXPECT_EQ(g.SymmetricNet, 1);
}

TEST_F(InputGridScreenTest, ProjectRowsAndNodeChecks) {
  g.ProjMethod = 1;
  Scr2 &s = Open(8);
  s.BX1.Type("Build");
  s.BX1.PressKey(key::Return);
  Grid &grid = s.grid1;
  EXPECT_EQ(s.Label7.Caption(), "INPUT GRID - CPM (CRITICAL PATH METHOD)");
  ASSERT_EQ(grid.Rows(), 2);
  EXPECT_EQ(At(s), Pos(1, 1));
  Fill(s, {"1", "2", "A", "3"});
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.TextMatrix(2, 0), "2");
  EXPECT_EQ(At(s), Pos(2, 1));
  EXPECT_EQ(s.BX2.Text(), "2");

  // The same pair again is refused once, its symbol cleared; a second Enter lets it through.
  Fill(s, {"1"});
  s.BX0.Type("2");
  s.BX0.PressKey(key::Tab);
  s.BX0.Type("B");
  script.AnswerMsgBox(msg::OK);
  s.BX0.PressKey(key::Return);
  ExpectOneMessage("Nodes defining this activity have already been assigned to another",
                   "Node Numbering Error", msg::Critical);
  EXPECT_EQ(grid.TextMatrix(2, 3), "");
  EXPECT_EQ(At(s), Pos(2, 1));
  s.BX0.PressKey(key::Return);
  EXPECT_EQ(At(s), Pos(2, 2));
  EXPECT_TRUE(script.MessageBoxes().empty());
  Fill(s, {"3", "B", "4"});
  EXPECT_EQ(At(s), Pos(3, 1));
  EXPECT_EQ(s.BX2.Text(), "3");

  // Down from the last row adds a numbered row.
  s.BX0.Type("3");
  s.BX0.PressKey(key::Tab);
  s.BX0.Type("4");
  s.BX0.PressKey(key::Down);
  EXPECT_EQ(grid.Rows(), 5);
  EXPECT_EQ(grid.TextMatrix(4, 0), "4");
  EXPECT_EQ(At(s), Pos(4, 2));
  EXPECT_EQ(grid.TextMatrix(3, 4), "0.00");

  // A zero node.
  grid.PerformClick(4, 2);
  s.BX0.Type("5");
  grid.PerformClick(4, 1);
  s.BX0.Type("0");
  script.AnswerMsgBox(msg::OK);
  s.BX0.PressKey(key::Return);
  ExpectOneMessage("Node number must be >=1", "Node Numbering Error", msg::Critical);
  EXPECT_EQ(At(s), Pos(4, 1));
}

TEST_F(InputGridScreenTest, QueueingTabAfterAWordGoesToTheNextCell) {
  Scr2 &s = Sized(6, "2");
  Grid &grid = s.grid1;
  EXPECT_EQ(s.Label7.Caption(), "INPUT TABLE - M/M/c queues");
  Fill(s, {"4", "6", "2"});
  EXPECT_EQ(At(s), Pos(1, 4));
  s.BX0.Type("i\ti\t");
  EXPECT_EQ(At(s), Pos(2, 1));
  Fill(s, {"4", "3", "2"});
  EXPECT_EQ(RowOf(s, 1), (V{"1", "4.00", "6.00", "2", "infinity", "infinity"}));
  EXPECT_EQ(RowOf(s, 2), (V{"2", "4.00", "3.00", "2", "infinity", "infinity"}));
  grid.PerformClick(0, 3);
  EXPECT_EQ(At(s), Pos(1, 1));
}

// A click leaves the caret where it fell; a number typed over a word still replaces the word,
// a key the cell refuses leaves it, and text that is no number is never read as 0.
TEST_F(InputGridScreenTest, NumbersTypedOverAWordReplaceIt) {
  Scr2 &s = Sized(7, "3");
  Grid &grid = s.grid1;
  ASSERT_EQ(grid.TextMatrix(2, 3), "infinity");
  grid.PerformClick(2, 3);
  s.BX0.SetSelStart(6); // as the click put it, inside the word
  s.BX0.Type("3");
  EXPECT_EQ(s.BX0.Text(), "3");
  s.BX0.PressKey(key::Tab);
  EXPECT_EQ(grid.TextMatrix(2, 3), "3.00");

  grid.PerformClick(2, 4);
  s.BX0.SetSelStart(2);
  const int beeps = script.Beeps();
  s.BX0.Type("-");
  EXPECT_EQ(script.Beeps(), beeps + 1);
  EXPECT_EQ(s.BX0.Text(), "infinity");
  EXPECT_EQ(grid.TextMatrix(2, 4), "infinity");

  // However such a text got there, a key's release refuses it and puts the cell back.
  script.AnswerMsgBox(msg::OK, "This cell takes a number only");
  s.BX0.SetText("infini3ty");
  s.BX0.PressKey(key::Home);
  EXPECT_EQ(grid.TextMatrix(2, 4), "infinity");
  EXPECT_EQ(s.BX0.Text(), "infinity");
}

// Values are kept as typed: a fractional supply, a cost finer than the pattern; only the cells
// of whole numbers refuse a fraction, and say so.
TEST_F(InputGridScreenTest, FractionsAreKeptOrRefusedNeverRounded) {
  Scr2 &s = Sized(4, "2", "2");
  Grid &grid = s.grid1;
  grid.PerformClick(2, 4);
  s.BX0.Type("1.5\r");
  grid.PerformClick(3, 4);
  s.BX0.Type("2.5\r");
  grid.PerformClick(4, 2);
  s.BX0.Type("2\r2\r");
  grid.PerformClick(2, 2);
  s.BX0.Type("1.555\r3\r");
  EXPECT_EQ(grid.TextMatrix(2, 4), "1.5");
  EXPECT_EQ(grid.TextMatrix(3, 4), "2.5");
  EXPECT_EQ(grid.TextMatrix(4, 2), "2");
  EXPECT_EQ(grid.TextMatrix(2, 2), "1.555");
  EXPECT_EQ(grid.TextMatrix(2, 3), "3.00");
  // Supplies of 4 meet demands of 4: no dummy is added.
  ASSERT_FALSE(ReadTransInput(grid).has_value());
  EXPECT_EQ(g.TransDummySource + g.TransDummyDest, 0);

  // The refused point goes alone: the digits typed before it stay and the next runs on.
  Scr2 &q = Sized(6, "1");
  q.grid1.PerformClick(1, 3);
  script.AnswerMsgBox(msg::OK, "This cell takes a whole number only");
  q.BX0.Type("2.");
  EXPECT_EQ(q.BX0.Text(), "2");
  EXPECT_EQ(q.BX0.SelLength(), 0);
  q.BX0.Type("1");
  EXPECT_EQ(q.grid1.TextMatrix(1, 3), "21");
  EXPECT_EQ(script.MessageBoxes().back().title, "Input Data Error");

  // The same at the grid's last cell, which a Tab cannot leave: each number replaces the last.
  Scr2 &m = Sized(1, "2");
  m.grid1.PerformClick(2, 2);
  m.BX0.Type("7\t12\t34");
  EXPECT_EQ(m.grid1.TextMatrix(2, 2), "34.00");
}

// A key a number cell refuses is dropped alone, with a beep, in a number cell of every class:
// the text typed before it and the caret stay, and the digits after it run on from there.
TEST_F(InputGridScreenTest, ARefusedKeyDropsOnlyItself) {
  struct Case {
    int cls;
    const char *first, *second;
    int row, col;
  };
  const Case cases[] = {{1, "2", "", 1, 1}, {2, "2", "", 1, 1}, {3, "2", "2", 2, 1}, {4, "2", "2", 2, 2},
                        {5, "2", "2", 2, 1}, {6, "2", "", 1, 1}, {7, "3", "", 2, 3}, {8, "", "", 1, 4},
                        {9, "2", "3", 1, 1}};
  for (const Case &c : cases) {
    SCOPED_TRACE("class " + std::to_string(c.cls));
    Forms::Clear();
    Scr2 *screen = nullptr;
    if (c.cls == 8) {
      screen = &Open(8);
      screen->BX1.Type("Build");
      screen->BX1.PressKey(key::Return);
    } else {
      screen = &Sized(c.cls, c.first, c.second);
    }
    Scr2 &s = *screen;
    s.grid1.PerformClick(c.row, c.col);
    ASSERT_EQ(At(s), Pos(c.row, c.col));
    const int beeps = script.Beeps();
    s.BX0.Type("12a3");
    EXPECT_EQ(script.Beeps(), beeps + 1);
    EXPECT_EQ(s.BX0.Text(), "123");
    // A refusal inside the text: the caret stays where it was.
    s.BX0.SetSelStart(1);
    s.BX0.Type("e9");
    EXPECT_EQ(s.BX0.Text(), "1923");
    EXPECT_EQ(s.BX0.SelStart(), 2);
    EXPECT_EQ(script.Beeps(), beeps + 2);
    s.BX0.PressKey(key::Tab);
    EXPECT_EQ(Val(s.grid1.TextMatrix(c.row, c.col)), 1923) << s.grid1.TextMatrix(c.row, c.col);
    EXPECT_TRUE(script.MessageBoxes().empty());
  }
}

// A comma in a number cell is the decimal point, under any locale; a name cell keeps it.
TEST_F(InputGridScreenTest, ACommaIsTheDecimalPointOfANumberCell) {
  // Where the machine lacks the locale the keys are still judged, under the one it has.
  const std::string kept = std::setlocale(LC_ALL, nullptr);
  for (const char *locale : {"C", "de_DE.UTF-8"}) {
    std::setlocale(LC_ALL, locale);
    Forms::Clear();
    Scr2 &s = Sized(1, "2");
    const int beeps = script.Beeps();
    s.BX0.Type("3,5%'&(");
    EXPECT_EQ(script.Beeps(), beeps + 4) << locale;
    EXPECT_EQ(At(s), Pos(1, 1)) << "no character reads as an arrow key";
    s.BX0.Type("\r");
    EXPECT_EQ(s.grid1.TextMatrix(1, 1), "3.50") << locale;
  }
  std::setlocale(LC_ALL, kept.c_str());
  Scr2 &t = Sized(4, "2", "2");
  t.grid1.PerformClick(2, 1);
  t.BX0.Type("Lyon, Nord\t1,25\t");
  EXPECT_EQ(t.grid1.TextMatrix(2, 1), "Lyon, Nord");
  EXPECT_EQ(t.grid1.TextMatrix(2, 2), "1.25");
}

TEST_F(InputGridScreenTest, GamesMatricesAndEquations) {
  Scr2 &game = Sized(9, "2", "3");
  EXPECT_EQ(game.Label7.Caption(), "INPUT GRID - TWO-PERSON ZERO-SUM GAME");
  EXPECT_TRUE(game.Label8.Visible());
  EXPECT_EQ(game.grid1.Top(), static_cast<int>(std::lround(game.Label8.Top() + 1.05 * game.Label8.Height())));
  Fill(game, {"1", "-2", "3", "4"});
  EXPECT_EQ(RowOf(game, 1), (V{"A1", "1.00", "-2.00", "3.00"}));
  EXPECT_EQ(RowOf(game, 2), (V{"A2", "4.00", "0.00", "0.00"}));
  // An arrow key enters the next cell with its whole text selected, so typing replaces it.
  game.BX0.PressKey(key::Left);
  EXPECT_EQ(At(game), Pos(2, 1));
  game.BX0.Type("6");
  game.BX0.PressKey(key::Up);
  game.BX0.Type("5");
  game.BX0.PressKey(key::Right);
  game.BX0.Type("8");
  EXPECT_EQ(RowOf(game, 1), (V{"A1", "5.00", "8.00", "3.00"}));
  EXPECT_EQ(RowOf(game, 2), (V{"A2", "6.00", "0.00", "0.00"}));

  Forms::Clear();
  Scr2 &eq = Sized(2, "2");
  EXPECT_EQ(eq.Label7.Caption(), "INPUT GRID - SIMULTANEOUS EQUAITIONS");
  EXPECT_EQ(RowOf(eq, 0), (V{"", "x1", "x2", "R.H.S."}));
  const int beeps = script.Beeps();
  eq.grid1.PerformDblClick(0, 3);
  EXPECT_EQ(script.Beeps(), beeps + 1);
  EXPECT_EQ(At(eq), Pos(1, 1));
}

TEST_F(InputGridScreenTest, ClipboardBlockSurvivesAForeignClipboard) {
  Scr2 &s = Sized(3, "2", "1");
  Fill(s, {"a", "b", "7"});
  s.grid1.PerformClick(2, 0); // Minimize
  GridClipboard("in", s.grid1, 0, 0, static_cast<int16>(s.grid1.Rows() - 1),
                static_cast<int16>(s.grid1.Cols() - 1));
  const std::string block = ClipboardText();
  EXPECT_EQ(block.rfind("\tx1\tx2\tEnter <, >, or =\tR.H.S.\rVar. Name\ta\tb\t\t\r", 0), 0u);
  EXPECT_NE(block.find("Minimize\t7.00\t0.00\t\t\r"), std::string::npos);
  ResetInputGridSelection(s.grid1);
  EXPECT_EQ(s.grid1.Selection(), (CellRange{1, 1, 1, 1}));

  SetClipboardText("another program's text");
  Forms::Clear();
  Scr2 &back = Open(3);
  g.NVars = 2;
  g.MRows = 1;
  back.grid1.SetRows(g.GridRows = 7);
  back.grid1.SetCols(g.GridCols = 5);
  g.GridFromFile = 1;
  g.GridReadyFlag = 0;
  back.InitInputGrid();
  GridClipboard("out", back.grid1, 0, 0, 6, 4);
  EXPECT_EQ(back.grid1.Clip(), block);
  EXPECT_EQ(back.grid1.TextMatrix(2, 0), "Minimize");
  EXPECT_EQ(back.grid1.TextMatrix(5, 1), "infinity");
}


// Every class's input screen, small and at its size limits, at both screens the program
// accepts, in the widest fixed format and a long scientific one: nothing on it is cut, hidden
// or crossed by a line, and the grid keeps clear of the buttons.
// The editor covers its cell, so the mouse meets the editor: the second click of a double-click
// on a cell lands on the editor the first click brought there, and a click on the cell holding
// the editor (after a key or a road put it there) meets the editor alone. Either way the cell's
// whole text is selected and one typed digit replaces it, wherever on the text the mouse lands.
TEST_F(InputGridScreenTest, DoubleClickOrFirstClickOnACellSelectsItsWholeText) {
  struct Case {
    int modelClass, sub;
    std::string first, second;
    int row, col;
  };
  const std::vector<Case> cases = {{1, 0, "2", "", 2, 2}, {2, 0, "2", "", 2, 2}, {3, 0, "2", "1", 3, 2},
                                   {4, 0, "2", "2", 2, 3}, {5, 0, "2", "1", 3, 2}, {6, 0, "2", "", 2, 2},
                                   {7, 0, "3", "", 2, 3},  {8, 1, "", "", 1, 4},  {9, 0, "2", "2", 2, 2}};
  enum Way { DoubleClickElsewhere, DoubleClickOnEditor, ClickOnEditor };
  for (const Case &c : cases)
    for (Way way : {DoubleClickElsewhere, DoubleClickOnEditor, ClickOnEditor})
      for (int at = 0; at < 3; ++at) {
        Forms::Clear();
        UseScreen(15360, 11520);
        g.NetSubModel = g.ProjMethod = static_cast<int16>(c.sub);
        Scr2 &s = c.first.empty() ? Open(c.modelClass) : Sized(c.modelClass, c.first, c.second);
        if (c.first.empty()) {
          s.BX1.Type("Build");
          s.BX1.PressKey(key::Return);
        }
        BringToFront(s);
        s.grid1.SetTextMatrix(c.row, c.col, "12.50");
        // Where the text stands in the cell: the editor over the cell shows it the same way.
        s.PlaceCellEditor(static_cast<int16>(c.row), static_cast<int16>(c.col));
        auto *edit = static_cast<QLineEdit *>(s.BX0.Widget());
        int first = -1, last = -1;
        for (int x = 0; x < edit->width(); ++x) {
          const int p = edit->cursorPositionAt(QPoint(x, edit->height() / 2));
          if (p > 0 && first < 0) first = x;
          if (p < 5) last = x;
        }
        ASSERT_LT(first, last);
        const int x = at == 0 ? first + 1 : at == 1 ? (first + last) / 2 : last - 1;
        QWidget *window = s.ClientWidget()->window();
        const QPoint point = edit->mapTo(window, QPoint(x, edit->height() / 2));
        if (way == DoubleClickElsewhere) s.PlaceCellEditor(1, c.modelClass == 4 || c.modelClass == 7 ? 2 : 1);
        if (way == ClickOnEditor)
          QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
        else
          QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, point);
        const std::string what = std::to_string(c.modelClass) + " way " + std::to_string(way) + " at " +
                                 std::to_string(at);
        EXPECT_EQ(At(s), Pos(c.row, c.col)) << what;
        EXPECT_EQ(s.BX0.SelText(), "12.50") << what;
        s.BX0.Type("7");
        s.BX0.PressKey(key::Tab);
        EXPECT_EQ(s.grid1.TextMatrix(c.row, c.col), "7.00") << what;
        // A cell just clicked takes a second click as the user's caret.
        if (way == ClickOnEditor && at == 2) {
          s.PlaceCellEditor(static_cast<int16>(c.row), static_cast<int16>(c.col));
          QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
          QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
          EXPECT_EQ(s.BX0.SelText(), "") << what;
        }
      }
}

// After every refusal the editor covers a cell the grid has, with the cell's text, and the
// keyboard is where the refusal sends the user: the cell a check or a value refusal names (or
// the editor's own), where a typed row then lands; the size box after a size refusal, where
// a size typed over the refused one lets the same grid stand, and the row then lands in it.
TEST_F(InputGridScreenTest, AfterEveryRefusalATypedRowLandsInTheGrid) {
  struct Case {
    int modelClass, sub;
    std::string first, second;
    std::function<void(Scr2 &)> refusedAtSolve; // leaves the grid to be refused by "SOLVE Menu"
    Pos named;                                   // the cell the editor goes to then
    Pos pasteAt;                                 // a cell that refuses a pasted value
  };
  auto set = [](std::vector<std::pair<Pos, std::string>> cells) {
    return [cells](Scr2 &s) {
      for (const auto &[at, text] : cells)
        s.grid1.SetTextMatrix(at.first, at.second, text);
    };
  };
  const std::vector<Case> cases = {
      {1, 0, "2", "", set({{{1, 2}, "abc"}}), {1, 2}, {2, 1}},
      {2, 0, "2", "", set({{{1, 3}, "x"}}), {1, 3}, {2, 1}},
      {3, 0, "2", "2", set({{{3, 1}, "1"}, {{4, 1}, "0"}, {{4, 2}, "0"}}), {4, 1}, {3, 1}},
      {4, 0, "2", "2", set({{{2, 4}, "-5"}}), {2, 4}, {2, 2}},
      {5, 0, "2", "1", set({{{3, 1}, "0"}, {{3, 2}, "0"}}), {3, 1}, {2, 2}},
      {6, 0, "2", "", set({{{1, 1}, "2"}, {{1, 2}, "3"}, {{2, 1}, "3"}, {{2, 2}, "4"}, {{2, 3}, "0"}}), {2, 1}, {1, 2}},
      {7, 0, "3", "", set({{{3, 2}, "far"}}), {3, 2}, {2, 3}},
      // The loop of the report: its empty fifth row, where the editor stood, is cut away.
      {8, 1, "", "",
       [](Scr2 &s) {
         s.grid1.SetRows(6);
         const std::vector<V> rows = {{"1", "2", "A", "4"}, {"2", "3", "B", "6"}, {"3", "2", "C", "5"}, {"3", "4", "D", "2"}};
         for (int r = 0; r < 4; ++r)
           for (int c = 0; c < 4; ++c)
             s.grid1.SetTextMatrix(r + 1, c + 1, rows[r][c]);
         s.PlaceCellEditor(5, 1);
       },
       {3, 1}, {1, 4}},
      {9, 0, "2", "2", set({{{2, 1}, "?"}}), {2, 1}, {1, 1}},
  };
  // Keys as the keyboard sends them: to whatever holds the focus.
  auto typeKeys = [](const std::string &keys) {
    for (char ch : keys) {
      QWidget *to = QApplication::focusWidget();
      if (!to) continue;
      const int code = ch == '\t' ? Qt::Key_Tab : std::toupper(static_cast<unsigned char>(ch));
      for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(type, code, Qt::NoModifier, QString(QChar(ch)));
        QApplication::sendEvent(to, &e);
      }
    }
  };
  for (const Case &c : cases)
    for (const std::string kind : {"size", "check", "value"}) {
      const std::string what = std::to_string(c.modelClass) + " " + kind;
      Forms::Clear();
      UseScreen(15360, 11520);
      g.NetSubModel = g.ProjMethod = static_cast<int16>(c.sub);
      Scr2 &s = c.first.empty() ? Open(c.modelClass) : Sized(c.modelClass, c.first, c.second);
      if (c.first.empty()) {
        s.BX1.Type("Build");
        s.BX1.PressKey(key::Return);
      }
      BringToFront(s);
      Grid &grid = s.grid1;
      const bool project = c.modelClass == 8;
      script.AnswerMsgBox(msg::OK);
      if (kind == "size" && !project) {
        s.BX2.SetFocus();
        s.BX2.SetText("");
        typeKeys(c.modelClass == 6 ? "0\t" : "1\t");
      } else if (kind == "size" || kind == "check") {
        // "SOLVE Menu" as the mouse presses it: the button takes the focus.
        if (kind == "check") c.refusedAtSolve(s);
        s.cmdDone.SetFocus();
        s.cmdDone.PerformClick();
      } else {
        grid.SetTextMatrix(c.pasteAt.first, c.pasteAt.second, "1.00");
        s.PlaceCellEditor(static_cast<int16>(c.pasteAt.first), static_cast<int16>(c.pasteAt.second));
        s.BX0.Paste("1E400");
      }
      ASSERT_TRUE(script.Done()) << what;
      ASSERT_TRUE(IsLoaded<Scr2>()) << what;
      // The editor covers a cell of the grid, showing its text.
      ASSERT_TRUE(s.BX0.Visible()) << what;
      ASSERT_TRUE(g.CurRow >= 1 && g.CurRow < grid.Rows() && g.CurCol >= 1 && g.CurCol < grid.Cols()) << what;
      EXPECT_EQ(At(s), Pos(g.CurRow, g.CurCol)) << what;
      EXPECT_EQ(s.BX0.Top(), grid.Top() + grid.CellTop()) << what;
      EXPECT_EQ(s.BX0.Text(), grid.TextMatrix(g.CurRow, g.CurCol)) << what;
      if (kind == "size" && !project) {
        EXPECT_EQ(QApplication::focusWidget(), s.BX2.Widget()) << what;
        typeKeys(c.first + "\t");
        if (!c.second.empty()) typeKeys(c.second + "\t");
      }
      if (kind == "check") {
        EXPECT_EQ(At(s), c.named) << what;
      } else if (kind == "value") {
        EXPECT_EQ(At(s), c.pasteAt) << what;
      }
      ASSERT_EQ(QApplication::focusWidget(), s.BX0.Widget()) << what;
      const Pos first = At(s);
      typeKeys("4\t");
      const Pos second = At(s);
      typeKeys("5\t");
      EXPECT_EQ(Val(grid.TextMatrix(first.first, first.second)), 4) << what;
      EXPECT_NE(first, second) << what;
      EXPECT_EQ(Val(grid.TextMatrix(second.first, second.second)), 5) << what;
    }
}

TEST_F(InputGridScreenTest, EveryInputScreenShowsItsCaptionsAndGridWhole) {
  struct Case {
    int modelClass, sub;
    std::string first, second;
  };
  const std::vector<Case> cases = {{1, 0, "3", ""},   {2, 0, "3", ""},    {3, 0, "3", "2"},   {3, 0, "100", "100"},
                                   {4, 0, "3", "4"},  {5, 0, "3", "2"},   {6, 0, "3", ""},    {7, 1, "4", ""},
                                   {7, 2, "4", ""},   {7, 3, "100", ""},  {7, 4, "4", ""},    {8, 1, "", ""},
                                   {8, 2, "", ""},    {9, 0, "2", "3"},   {9, 0, "100", "100"}};
  for (const auto &[w, h] : {std::pair{15360, 11520}, std::pair{12000, 9000}})
    for (const auto &[format, digits] : {std::pair{1, 2}, std::pair{1, 15}, std::pair{2, 5}})
      for (const Case &c : cases) {
        Forms::Clear();
        UseScreen(w, h);
        g.NumFormatType = static_cast<int16>(format);
        g.NumDigitsN = g.NumDigitsD = static_cast<int16>(digits);
        g.NetSubModel = static_cast<int16>(c.sub);
        g.ProjMethod = static_cast<int16>(c.sub);
        Scr2 &s = c.first.empty() ? Open(c.modelClass) : Sized(c.modelClass, c.first, c.second);
        if (c.first.empty()) {
          s.BX1.Type("Build");
          s.BX1.PressKey(key::Return);
        }
        V faults = UnseenOn(s);
        std::erase(faults, "scr2.BX0 over grid1"); // the cell editor stands on its cell
        if (s.grid1.Top() + s.grid1.Height() > s.Frame1.Top()) faults.push_back("grid1 on the button frame");
        EXPECT_EQ(faults, V{}) << c.modelClass << "/" << c.sub << " " << c.first << "x" << c.second << " at "
                               << w / 15 << " format " << format << "/" << digits;
      }
}

} // namespace
} // namespace quon::testing
