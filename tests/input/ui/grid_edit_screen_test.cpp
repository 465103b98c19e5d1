#include <gtest/gtest.h>

#include "input/grid_edit.h"
#include "input/ui/scr2.h"
#include "platform/colors.h"
#include "platform/ui/controls.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

using Cells = std::vector<std::vector<std::string>>;

class GridEditScreenTest : public ScreenTest {
protected:
  void Confirm(TextBox &box, const std::string &text) {
    box.SetFocus();
    box.SetText("");
    box.Type(text);
    box.PressKey(key::Return);
  }
  Scr2 &Sized(int modelClass, const std::string &first, const std::string &second = "") {
    g.ModelClass = static_cast<int16>(modelClass);
    Scr2 &s = scr2();
    s.Show();
    Forms::DoEvents();
    Confirm(s.BX2, first);
    if (!second.empty()) Confirm(s.BX3, second);
    return s;
  }
  static Cells Snapshot(const Grid &grid) {
    Cells out(grid.Rows());
    for (int r = 0; r < grid.Rows(); ++r)
      for (int c = 0; c < grid.Cols(); ++c) out[r].push_back(grid.TextMatrix(r, c));
    return out;
  }
  // Distinct texts in every data cell, so moved cells can be told apart.
  static void Mark(Grid &grid, int fromRow, int toRow, int fromCol, int toCol) {
    for (int r = fromRow; r <= toRow; ++r)
      for (int c = fromCol; c <= toCol; ++c) grid.SetTextMatrix(r, c, std::to_string(r * 10 + c));
  }
  // The command through its Ctrl key, as the user gives it; a disabled item does nothing.
  static void Ctrl(Scr2 &s, char letter) { s.BX1.PressKey(letter, key::CtrlMask); }
  static bool Enabled(const Scr2 &s, const MenuItem Scr2::*item) { return (s.*item).Enabled(); }
};

TEST_F(GridEditScreenTest, ConstraintRowInsertedAfterAndBeforeAndUndone) {
  Scr2 &s = Sized(3, "2", "3");
  Grid &grid = s.grid1;
  ASSERT_EQ(grid.Rows(), 9);
  Mark(grid, 3, 5, 1, 2);
  const Cells before = Snapshot(grid);
  EXPECT_FALSE(s.mnuInsertMenu.Enabled());

  grid.PerformClick(4, 0);
  ASSERT_TRUE(s.mnuInsertMenu.Enabled());
  Ctrl(s, 'I');
  ASSERT_EQ(grid.Rows(), 10);
  EXPECT_EQ(g.MRows, 4);
  EXPECT_EQ(s.BX3.Text(), "4");
  EXPECT_EQ(grid.TextMatrix(5, 1), "0.00");
  EXPECT_EQ(grid.TextMatrix(5, 2), "0.00");
  EXPECT_EQ(grid.TextMatrix(5, 3), "<=");
  EXPECT_EQ(grid.TextMatrix(5, 4), "0.00");
  EXPECT_EQ(grid.TextMatrix(4, 1), "41");
  EXPECT_EQ(grid.TextMatrix(6, 1), "51");
  EXPECT_EQ(grid.TextMatrix(6, 0), before[5][0].substr(0, before[5][0].size() - 1) + "4");
  EXPECT_EQ(grid.TextMatrix(7, 0), "Lower Bound");
  EXPECT_EQ(grid.Row(), 5);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_TRUE(s.mnuUndo.Enabled());
  EXPECT_FALSE(s.mnuInsertMenu.Enabled());

  s.mnuUndo.PerformClick();
  EXPECT_EQ(Snapshot(grid), before);
  EXPECT_EQ(s.BX3.Text(), "3");
  EXPECT_FALSE(s.mnuUndo.Enabled());

  // A double-click inserts before: the new row takes index 4.
  grid.PerformDblClick(4, 0);
  s.mnuInsertMenu.PerformClick();
  EXPECT_EQ(grid.TextMatrix(4, 1), "0.00");
  EXPECT_EQ(grid.TextMatrix(5, 1), "41");
  EXPECT_EQ(grid.TextMatrix(6, 1), "51");
  EXPECT_EQ(grid.Row(), 4);
}

TEST_F(GridEditScreenTest, VariableColumnInsertedWithDefaultsAndDeletedColumnUndone) {
  Scr2 &s = Sized(5, "3", "1");
  Grid &grid = s.grid1;
  Mark(grid, 2, 3, 1, 3);
  const Cells before = Snapshot(grid);
  const int width = grid.Width();

  grid.PerformClick(0, 3);
  s.mnuInsertMenu.PerformClick();
  ASSERT_EQ(grid.Cols(), 7);
  EXPECT_EQ(s.BX2.Text(), "4");
  // Rows: name, objective, one constraint, lower, upper, unrestricted, integer.
  const std::vector<std::string> added{"x4", "", "0.00", "0.00", "0.00", "infinity", "n", "y"};
  for (int r = 0; r < grid.Rows(); ++r) EXPECT_EQ(grid.TextMatrix(r, 4), added[r]) << r;
  EXPECT_EQ(grid.TextMatrix(0, 5), "Enter <, >, or =");
  EXPECT_EQ(grid.ColWidthOf(5), grid.ColWidthOf(0));
  EXPECT_GT(grid.Width(), width);
  s.mnuUndo.PerformClick();
  EXPECT_EQ(Snapshot(grid), before);

  // Delete of the first variable, then Undo: back at index 1 with its cells and size.
  grid.PerformClick(0, 1);
  s.mnuDeleteMenu.PerformClick();
  ASSERT_EQ(grid.Cols(), 5);
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(s.BX2.Text(), "2");
  EXPECT_EQ(grid.TextMatrix(3, 1), "32");
  s.mnuUndo.PerformClick();
  EXPECT_EQ(Snapshot(grid), before);
  EXPECT_EQ(g.NVars, 3);
  EXPECT_EQ(s.BX2.Text(), "3");
  // The set-up's width was worked out before the column widths went to whole pixels.
  EXPECT_NEAR(grid.Width(), width, 30);
}

TEST_F(GridEditScreenTest, EquationPairDeletedDownToTwoAndRightHandSideProtected) {
  Scr2 &s = Sized(2, "3");
  Grid &grid = s.grid1;
  Mark(grid, 1, 3, 1, 4);
  const Cells three = Snapshot(grid);

  // The right-hand side has no equation of its own.
  grid.PerformClick(0, 4);
  int beeps = script.Beeps();
  s.mnuDeleteMenu.PerformClick();
  EXPECT_EQ(script.Beeps(), beeps + 1);
  EXPECT_EQ(Snapshot(grid), three);
  grid.PerformClick(0, 4);
  s.mnuInsertMenu.PerformClick();
  EXPECT_EQ(Snapshot(grid), three);
  EXPECT_FALSE(s.mnuUndo.Enabled());

  grid.PerformClick(2, 0);
  Ctrl(s, 'D');
  ASSERT_EQ(grid.Rows(), 3);
  ASSERT_EQ(grid.Cols(), 4);
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(s.BX2.Text(), "2");
  EXPECT_EQ(grid.TextMatrix(2, 1), "31");
  EXPECT_EQ(grid.TextMatrix(2, 2), "33");
  EXPECT_EQ(grid.TextMatrix(1, 3), "14");
  EXPECT_EQ(grid.TextMatrix(0, 3), "R.H.S.");
  EXPECT_EQ(grid.TextMatrix(2, 0), three[2][0]);
  s.mnuUndo.PerformClick();
  EXPECT_EQ(Snapshot(grid), three);
  EXPECT_EQ(s.BX2.Text(), "3");

  grid.PerformClick(2, 0);
  s.mnuDeleteMenu.PerformClick();
  const Cells two = Snapshot(grid);
  grid.PerformClick(1, 0);
  beeps = script.Beeps();
  s.mnuDeleteMenu.PerformClick();
  EXPECT_EQ(script.Beeps(), beeps + 1);
  EXPECT_EQ(Snapshot(grid), two);
  EXPECT_FALSE(s.mnuUndo.Enabled());
}

TEST_F(GridEditScreenTest, TransportationRowsAtTheMinimumAndTheBorderRefused) {
  Scr2 &s = Sized(4, "2", "2");
  Grid &grid = s.grid1;
  const Cells two = Snapshot(grid);
  for (int row : {2, 4}) { // a source at the minimum; the demand row
    grid.PerformClick(row, 0);
    const int beeps = script.Beeps();
    s.mnuDeleteMenu.PerformClick();
    EXPECT_GE(script.Beeps(), beeps + 1) << row;
    EXPECT_EQ(Snapshot(grid), two) << row;
  }
  grid.PerformClick(2, 0);
  s.mnuInsertMenu.PerformClick();
  ASSERT_EQ(grid.Rows(), 6);
  EXPECT_EQ(s.BX2.Text(), "3");
  EXPECT_EQ(grid.BackOf(5, 1), kCyan);
  EXPECT_EQ(grid.BackOf(4, 1), kBlue);
  grid.PerformClick(3, 0);
  s.mnuDeleteMenu.PerformClick();
  ASSERT_EQ(grid.Rows(), 5);
  EXPECT_EQ(s.BX2.Text(), "2");
  EXPECT_EQ(grid.BackOf(4, 1), kCyan);
  EXPECT_EQ(grid.BackOf(4, 4), kCyan);
  EXPECT_EQ(grid.TextMatrix(4, 0), "Demand");
}

TEST_F(GridEditScreenTest, PasteMismatchWarnsAndPasteUndoRestores) {
  Scr2 &s = Sized(9, "3", "3");
  Grid &grid = s.grid1;
  Mark(grid, 1, 3, 1, 3);
  const Cells before = Snapshot(grid);

  grid.PerformClick(1, 0);
  Ctrl(s, 'C');
  EXPECT_TRUE(s.mnuPasteMenu.Enabled());
  grid.PerformClick(0, 2);
  script.AnswerMsgBox(msg::Cancel);
  const int beeps = script.Beeps();
  Ctrl(s, 'P');
  EXPECT_EQ(script.Beeps(), beeps + 1);
  const auto boxes = script.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Mismatch: Copy of Row(column) cannot be pasted on column(row)");
  EXPECT_EQ(boxes[0].title, "Warning");
  EXPECT_EQ(boxes[0].style, msg::OKCancel | msg::Exclamation);
  EXPECT_EQ(Snapshot(grid), before);
  ASSERT_TRUE(s.mnuUndo.Enabled());
  s.mnuUndo.PerformClick();
  EXPECT_FALSE(s.mnuUndo.Enabled());
  EXPECT_EQ(Snapshot(grid), before);

  grid.PerformClick(0, 1);
  s.mnuCopyMenu.PerformClick();
  grid.PerformClick(0, 3);
  s.mnuPasteMenu.PerformClick();
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(grid.TextMatrix(r, 3), before[r][1]);
  s.mnuUndo.PerformClick();
  EXPECT_EQ(Snapshot(grid), before);
  EXPECT_FALSE(s.mnuUndo.Enabled());

  // A column inserted next to column 3, then undone.
  grid.PerformClick(0, 3);
  s.mnuInsertMenu.PerformClick();
  EXPECT_EQ(grid.Cols(), 5);
  EXPECT_EQ(s.BX3.Text(), "4");
  s.mnuUndo.PerformClick();
  EXPECT_EQ(Snapshot(grid), before);
  EXPECT_EQ(s.BX3.Text(), "3");
}

TEST_F(GridEditScreenTest, LongRowsFitTheBuffersAndSizesStopAtOneHundred) {
  // 99 variables: a row has 101 cells after its heading.
  Scr2 &s = Sized(3, "99", "100");
  Grid &grid = s.grid1;
  ASSERT_EQ(grid.Cols(), 102);
  Mark(grid, 3, 3, 1, 99);
  grid.SetTextMatrix(3, 101, "77");
  grid.PerformClick(3, 0);
  s.mnuCopyMenu.PerformClick();
  grid.PerformClick(4, 0);
  s.mnuPasteMenu.PerformClick();
  for (int c = 1; c <= 101; ++c) EXPECT_EQ(grid.TextMatrix(4, c), grid.TextMatrix(3, c)) << c;
  s.mnuUndo.PerformClick();
  EXPECT_EQ(grid.TextMatrix(4, 101), "0.00");

  // 100 constraints already: Insert is not offered for a row, the grid unchanged; a variable
  // can still be added.
  const Cells full = Snapshot(grid);
  grid.PerformClick(3, 0);
  EXPECT_FALSE(s.mnuInsertMenu.Enabled());
  EXPECT_TRUE(s.mnuDeleteMenu.Enabled());
  Ctrl(s, 'I');
  EXPECT_EQ(Snapshot(grid), full);
  EXPECT_EQ(g.MRows, 100);
  EXPECT_FALSE(s.mnuUndo.Enabled());
  grid.PerformClick(0, 1);
  EXPECT_TRUE(s.mnuInsertMenu.Enabled());
}

TEST_F(GridEditScreenTest, QueueingAndNetworkStructureRefusedAndNewNodeFilled) {
  Scr2 &s = Sized(6, "1");
  Grid &grid = s.grid1;
  const Cells one = Snapshot(grid);
  for (auto [r, c, dbl] : {std::tuple{1, 0, false}, {0, 3, true}}) {
    if (dbl) grid.PerformDblClick(r, c);
    else grid.PerformClick(r, c);
    s.mnuDeleteMenu.PerformClick();
    EXPECT_EQ(Snapshot(grid), one) << r << c;
  }
  grid.PerformDblClick(0, 3);
  s.mnuInsertMenu.PerformClick();
  EXPECT_EQ(Snapshot(grid), one);
  grid.PerformClick(1, 0);
  s.mnuInsertMenu.PerformClick();
  ASSERT_EQ(grid.Rows(), 3);
  EXPECT_EQ(s.BX2.Text(), "2");
  EXPECT_EQ(grid.TextMatrix(2, 3), "1");
  EXPECT_EQ(grid.TextMatrix(2, 5), "infinity");
  EXPECT_EQ(g.QueueData.UBound(1), 2);
}

TEST_F(GridEditScreenTest, NetworkNodeInsertAndNameRowProtected) {
  Scr2 &s = Sized(7, "3");
  Grid &grid = s.grid1;
  const Cells three = Snapshot(grid);
  grid.PerformDblClick(0, 1);
  s.mnuDeleteMenu.PerformClick();
  EXPECT_EQ(Snapshot(grid), three);
  grid.PerformClick(3, 0);
  s.mnuInsertMenu.PerformClick();
  ASSERT_EQ(grid.Rows(), 6);
  ASSERT_EQ(grid.Cols(), 6);
  EXPECT_EQ(s.BX2.Text(), "4");
  EXPECT_EQ(grid.TextMatrix(4, 4), "");
  EXPECT_EQ(grid.TextMatrix(4, 2), "infinity");
  EXPECT_EQ(grid.TextMatrix(2, 4), "infinity");
  EXPECT_EQ(grid.TextMatrix(4, 1), "");
}

TEST_F(GridEditScreenTest, NewSizeDropsTheUndoRecord) {
  Scr2 &s = Sized(9, "4", "4");
  Grid &grid = s.grid1;
  grid.PerformClick(4, 0);
  s.mnuDeleteMenu.PerformClick();
  ASSERT_TRUE(s.mnuUndo.Enabled());
  Confirm(s.BX2, "2");
  Confirm(s.BX3, "2");
  ASSERT_EQ(grid.Rows(), 3);
  EXPECT_FALSE(s.mnuUndo.Enabled());
  EXPECT_EQ(g.UndoRow, 0);
  EXPECT_EQ(g.UndoCol, 0);
  const Cells fresh = Snapshot(grid);
  Ctrl(s, 'U');
  s.mnuUndo.PerformClick(); // even when reached some other way
  EXPECT_EQ(Snapshot(grid), fresh);
}

// A click that sends the editor to a data cell (a closed heading, the diagonal of a network)
// ends the selection: no command then acts on the editor's cell in its place.
TEST_F(GridEditScreenTest, CommandsActOnlyOnTheHeadingTheUserChose) {
  {
    Scr2 &s = Sized(2, "3");
    Grid &grid = s.grid1;
    Mark(grid, 1, 3, 1, 4);
    grid.SetTextMatrix(1, 1, "11.00"); // as the editor, coming to it, writes it back
    const Cells three = Snapshot(grid);
    grid.PerformDblClick(0, 4); // "R.H.S.": a beep, the editor to (1, 1)
    EXPECT_FALSE(s.mnuDeleteMenu.Enabled());
    const int beeps = script.Beeps();
    s.BX0.PressKey('D', key::CtrlMask);
    s.mnuDeleteMenu.PerformClick(); // even when reached some other way
    EXPECT_EQ(script.Beeps(), beeps + 2);
    EXPECT_EQ(Snapshot(grid), three);
  }
  {
    Scr2 &s = Sized(7, "4");
    Grid &grid = s.grid1;
    Mark(grid, 2, 5, 2, 5);
    const Cells four = Snapshot(grid);
    grid.PerformClick(2, 0); // node A
    grid.PerformClick(4, 4); // C's cell to itself: the editor goes to (4, 5)
    s.mnuDeleteMenu.PerformClick();
    EXPECT_EQ(Snapshot(grid), four);
    // The name row takes no pasted distances.
    grid.PerformClick(3, 0);
    s.mnuCopyMenu.PerformClick();
    grid.PerformClick(1, 0);
    s.mnuPasteMenu.PerformClick();
    EXPECT_EQ(Snapshot(grid), four);
    EXPECT_FALSE(s.mnuUndo.Enabled());
    // Nor do the distances take the names.
    grid.SetTextMatrix(1, 4, "C");
    const Cells named = Snapshot(grid);
    grid.PerformClick(1, 0);
    s.mnuCopyMenu.PerformClick();
    grid.PerformClick(3, 0);
    s.mnuPasteMenu.PerformClick();
    EXPECT_EQ(Snapshot(grid), named);
    EXPECT_FALSE(s.mnuUndo.Enabled());
  }
  {
    Scr2 &s = Sized(3, "2", "2");
    Grid &grid = s.grid1;
    Mark(grid, 3, 4, 1, 2);
    const Cells lp = Snapshot(grid);
    grid.PerformClick(3, 0);
    s.mnuCopyMenu.PerformClick();
    grid.PerformClick(5, 0); // "Lower Bound"
    EXPECT_FALSE(s.mnuPasteMenu.Enabled());
    s.mnuPasteMenu.PerformClick();
    grid.PerformClick(0, 1);
    s.mnuCopyMenu.PerformClick();
    grid.PerformClick(0, 4); // "R.H.S."
    s.mnuPasteMenu.PerformClick();
    EXPECT_EQ(Snapshot(grid), lp);
    EXPECT_TRUE(script.MessageBoxes().empty());
  }
}

// Ctrl+U and Ctrl+D while their items are off: a beep, and the text being typed stays.
TEST_F(GridEditScreenTest, ShortcutsOfDisabledItemsNeverEditTheCell) {
  Scr2 &s = Sized(2, "2");
  Grid &grid = s.grid1;
  s.BX0.PressKey(key::Return);
  s.BX0.PressKey(key::Return);
  s.BX0.PressKey(key::Return);
  s.BX0.Type("3");
  s.BX0.PressKey(key::Return);
  s.BX0.PressKey(key::Left);
  ASSERT_EQ(grid.Row(), 2);
  ASSERT_EQ(grid.Col(), 1);
  ASSERT_EQ(s.BX0.SelText(), "3.00");
  const int beeps = script.Beeps();
  s.BX0.PressKey('D', key::CtrlMask);
  s.BX0.PressKey('U', key::CtrlMask);
  EXPECT_EQ(script.Beeps(), beeps + 2);
  EXPECT_EQ(s.BX0.Text(), "3.00");
  s.BX0.PressKey(key::Tab);
  EXPECT_EQ(grid.TextMatrix(2, 1), "3.00");
  EXPECT_EQ(g.DataChanged, 1) << "typing alone counts as a change";
}

} // namespace
} // namespace quon::testing
