#include <gtest/gtest.h>

#include "editor_fake.h"

namespace quon::test {
namespace {

using Pos = std::pair<int, int>;

struct LinearInput : ::testing::Test {
  FakeInputScreen s;
  // 2 variables, 2 constraints: type column 3, RHS 4; rows 3-4 constraints, 5 lower, 6 upper,
  // 7 unrestricted (8 integer).
  void Build(int cls = 3) {
    ResetProgram(cls);
    g.NVars = 2;
    g.MRows = 2;
    s.Build();
  }
  void SetUp() override { Build(); }
  void At(int r, int c) { PlaceCellEditor(s, static_cast<int16>(r), static_cast<int16>(c)); }
};

TEST_F(LinearInput, TypeColumnTakesOnlyTheThreeRelations) {
  At(3, 3);
  s.Type("<");
  EXPECT_EQ(s.text, "<=");
  EXPECT_EQ(s.Cell(3, 3), "<=");
  At(3, 3);
  s.Type("=");
  EXPECT_EQ(s.Cell(3, 3), "=");
  s.Type(">");
  EXPECT_EQ(s.Cell(3, 3), ">=");
  s.Type("a");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.Cell(3, 3), ">=");
}

TEST_F(LinearInput, NumbersAreWrittenBackInTheInputFormat) {
  At(3, 1);
  s.Type("3");
  EXPECT_EQ(s.Cell(3, 1), "3.00");
  s.Type(".5");
  EXPECT_EQ(s.Cell(3, 1), "3.50");
  s.Type(".");
  EXPECT_EQ(s.beeps, 1); // a second point
  EXPECT_EQ(s.text, "3.5");
  s.Type("x+");
  EXPECT_EQ(s.beeps, 3);

  // As the first key after placing, the point replaces the selected text.
  At(3, 2);
  s.Type(".25");
  EXPECT_EQ(s.Cell(3, 2), "0.25");
  EXPECT_EQ(s.beeps, 3);

  // A minus sign only at the start, once.
  At(4, 1);
  s.Type("-2-");
  EXPECT_EQ(s.beeps, 4);
  EXPECT_EQ(s.Cell(4, 1), "-2.00");

  // Names are free text.
  At(1, 1);
  s.Type("Cars");
  EXPECT_EQ(s.Cell(1, 1), "Cars");
}

TEST_F(LinearInput, NegativeRightHandSideIsRefused) {
  At(3, 4);
  s.Type("-");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Negative RHS not permitted.  Re-enter");
  EXPECT_EQ(s.messages[0].title, "Rihgt-hand Side");
  EXPECT_EQ(s.messages[0].icon, InputMsgIcon::Critical);
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.Cell(3, 4), "0.00");
}

TEST_F(LinearInput, BoundsTakeInfinityByOneKey) {
  At(6, 1);
  s.Type("5");
  EXPECT_EQ(s.Cell(6, 1), "5.00");
  s.Type("i");
  EXPECT_EQ(s.Cell(6, 1), "infinity");
  EXPECT_EQ(s.text, "infinity");
  EXPECT_EQ(s.At(), Pos(6, 1));
  EXPECT_EQ(s.selLength, 8); // placed again, whole word selected

  At(5, 2);
  s.Type("I");
  EXPECT_EQ(s.Cell(5, 2), "-infinity");
}

TEST_F(LinearInput, SignOfANonnegativeVariable) {
  At(5, 1);
  s.Type("-");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Nonnegative var: Lower bound must be nonnegative.");
  EXPECT_EQ(s.messages[0].title, "Unrestricted Status");
  EXPECT_EQ(s.messages[0].icon, InputMsgIcon::Information);
  s.Type("2");
  EXPECT_EQ(s.Cell(5, 1), "2.00");
}

TEST_F(LinearInput, UnrestrictedRowAndItsLowerBound) {
  // y with a lower bound of 0 makes it -infinity.
  At(7, 1);
  s.Type("y");
  EXPECT_EQ(s.Cell(7, 1), "y");
  EXPECT_EQ(s.Cell(5, 1), "-infinity");
  // y with a lower bound of -5 leaves it.
  s.grid.SetTextMatrix(5, 2, "-5.00");
  At(7, 2);
  s.Type("Y");
  EXPECT_EQ(s.Cell(5, 2), "-5.00");
  // n where it is -infinity gives 0 in the number format.
  At(7, 1);
  s.Type("n");
  EXPECT_EQ(s.Cell(7, 1), "n");
  EXPECT_EQ(s.Cell(5, 1), "0.00");
  // Any other key beeps and leaves the flag.
  s.Type("q");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.Cell(7, 1), "n");

  // Lower bound of an unrestricted variable: negative first, or the editor is emptied.
  At(5, 2);
  s.Type("4");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Unrestr'd var: Lower bound must be negative or -infinity.");
  EXPECT_EQ(s.messages[0].icon, InputMsgIcon::Information);
  EXPECT_EQ(s.text, "");
  s.Type("-4.5");
  EXPECT_EQ(s.Cell(5, 2), "-4.50");
  EXPECT_EQ(s.messages.size(), 1u);
}

TEST_F(LinearInput, IntegerFlagLeavesTheLowerBoundAlone) {
  Build(5);
  s.grid.SetTextMatrix(7, 1, "y");
  s.grid.SetTextMatrix(5, 1, "-3.00");
  At(8, 1);
  s.Type("n");
  EXPECT_EQ(s.Cell(8, 1), "n");
  EXPECT_EQ(s.Cell(5, 1), "-3.00");
  // An integer program's y does not move the bound either.
  s.grid.SetTextMatrix(7, 2, "n");
  At(7, 2);
  s.Type("y");
  EXPECT_EQ(s.Cell(5, 2), "0.00");
}

TEST_F(LinearInput, NavigationSkipsCellsWithoutData) {
  At(1, 1);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(1, 2));
  s.Press(kKeyTab);
  EXPECT_EQ(s.At(), Pos(2, 1)); // row 1 holds no type or RHS
  s.Press(kKeyRight);
  s.Press(kKeyRight);
  EXPECT_EQ(s.At(), Pos(3, 1));
  s.Press(kKeyUp);
  EXPECT_EQ(s.At(), Pos(2, 1));
  At(3, 3);
  s.Press(kKeyUp);
  EXPECT_EQ(s.At(), Pos(3, 3));
  At(4, 4);
  s.Press(kKeyDown);
  EXPECT_EQ(s.At(), Pos(4, 4));
  s.Press(kKeyEnter); // RHS of the last constraint: on to the lower bounds
  EXPECT_EQ(s.At(), Pos(5, 1));
  At(7, 2);
  s.Press(kKeyEnter); // last cell of the grid
  EXPECT_EQ(s.At(), Pos(7, 2));
  s.Press(kKeyLeft);
  EXPECT_EQ(s.At(), Pos(7, 1));
  s.Press(kKeyTab, true);
  EXPECT_EQ(s.At(), Pos(6, 1));
  // Back from the first cell, and up from the first row, lead out to the header.
  At(1, 1);
  s.Press(kKeyEsc);
  s.Press(kKeyLeft);
  s.Press(kKeyTab, true);
  At(1, 2);
  s.Press(kKeyUp);
  EXPECT_EQ(s.headerFocused, 4);
  EXPECT_EQ(s.beeps, 0);
  EXPECT_EQ(s.At(), Pos(1, 2));
  // Moving through cells rewrites them in their own form, never damages them.
  EXPECT_EQ(s.Cell(3, 3), "        <=");
  EXPECT_EQ(s.Cell(6, 1), "infinity");
}

TEST_F(LinearInput, EscMovesBackWithoutBeingJudgedAsACharacter) {
  At(3, 4);
  s.Press(kKeyEsc);
  EXPECT_EQ(s.At(), Pos(3, 3));
  s.grid.SetTextMatrix(7, 1, "y");
  At(5, 2);
  s.Press(kKeyEsc);
  EXPECT_EQ(s.At(), Pos(5, 1));
  EXPECT_EQ(s.beeps, 0);
  EXPECT_TRUE(s.messages.empty());
  EXPECT_EQ(s.Cell(3, 3), "        <=");
}

struct TransportInput : ::testing::Test {
  FakeInputScreen s; // 2 sources, 2 destinations: 5 x 5, supply column 4, demand row 4
  void SetUp() override {
    ResetProgram(4);
    g.TransSources = 2;
    g.TransDests = 2;
    s.Build(1, 2);
  }
  void At(int r, int c) { PlaceCellEditor(s, static_cast<int16>(r), static_cast<int16>(c)); }
};

TEST_F(TransportInput, SuppliesDemandsAndCosts) {
  At(2, 4);
  s.Type("12");
  EXPECT_EQ(s.Cell(2, 4), "12");
  At(4, 2);
  s.Type("0");
  EXPECT_EQ(s.Cell(4, 2), "0");
  s.Type("-");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0].text, "Negative Supply/Demand not permitted.");
  EXPECT_EQ(s.messages[0].title, "Suppl/Demand");
  EXPECT_EQ(s.messages[0].icon, InputMsgIcon::Information);
  EXPECT_EQ(s.selStart, 0);
  EXPECT_EQ(s.selLength, 1);

  At(2, 2);
  s.Type("3");
  EXPECT_EQ(s.Cell(2, 2), "3.00");
  At(3, 3);
  s.Type("-i");
  EXPECT_EQ(s.Cell(3, 3), "-infinity");
  At(2, 3);
  s.Type("i");
  EXPECT_EQ(s.Cell(2, 3), "infinity");

  At(1, 2);
  s.Type("Paris");
  EXPECT_EQ(s.Cell(1, 2), "Paris");
}

TEST_F(TransportInput, Navigation) {
  At(1, 3);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 1)); // no supply in the name row
  At(3, 4);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(4, 2)); // last source's supply: on to the first demand
  At(3, 1);
  s.Press(kKeyDown);
  EXPECT_EQ(s.At(), Pos(4, 2));
  At(4, 3);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(4, 3));
  s.Press(kKeyLeft);
  EXPECT_EQ(s.At(), Pos(4, 2));
  s.Press(kKeyLeft);
  EXPECT_EQ(s.At(), Pos(4, 2));
  At(2, 1);
  s.Press(kKeyUp);
  EXPECT_EQ(s.At(), Pos(2, 1));
  s.Press(kKeyLeft); // the cell above is the corner heading
  EXPECT_EQ(s.At(), Pos(2, 1));
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.Cell(1, 1), "S/D Name");
}

struct NetworkInput : ::testing::Test {
  FakeInputScreen s; // 3 nodes: 5 x 5
  void SetUp() override {
    ResetProgram(7);
    g.NodeCount = 3;
    s.Build(1, 2);
  }
  void At(int r, int c) { PlaceCellEditor(s, static_cast<int16>(r), static_cast<int16>(c)); }
};

TEST_F(NetworkInput, SymmetricNetworkMirrorsEveryArc) {
  s.symmetric = true;
  g.SymmetricNet = 1;
  At(2, 3);
  s.Type("5");
  EXPECT_EQ(s.Cell(2, 3), "5.00");
  EXPECT_EQ(s.Cell(3, 2), "5.00");
  At(2, 4);
  s.Type("i");
  EXPECT_EQ(s.Cell(4, 2), "infinity");
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(s.Cell(i, i), "");
  At(1, 3);
  s.Type("B");
  EXPECT_EQ(s.Cell(1, 3), "B");
  EXPECT_EQ(s.Cell(3, 1), "B");
  At(3, 3);
  s.Type("7");
  EXPECT_EQ(s.Cell(3, 3), "");
  At(2, 3);
  s.Type("-");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_TRUE(s.messages.empty());
}

TEST_F(NetworkInput, NavigationStepsOverTheDiagonal) {
  At(3, 2);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(3, 4));
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(4, 2)); // not symmetrical: the next row from its first arc
  At(1, 4);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 3));
  At(3, 4);
  s.Press(kKeyLeft);
  EXPECT_EQ(s.At(), Pos(3, 2));
  At(1, 2);
  s.Press(kKeyLeft); // the corner heading
  EXPECT_EQ(s.At(), Pos(1, 2));
  s.Press(kKeyDown);
  EXPECT_EQ(s.At(), Pos(2, 3));
  At(2, 3);
  s.Press(kKeyDown);
  EXPECT_EQ(s.At(), Pos(3, 2));

  s.symmetric = true;
  g.SymmetricNet = 1;
  At(2, 4);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(3, 4)); // first cell right of the diagonal
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(3, 4)); // nothing right of the last diagonal cell
  At(2, 3);
  s.Press(kKeyDown);
  EXPECT_EQ(s.At(), Pos(3, 4));
}

TEST(QueueInput, WordsAndIntegerColumns) {
  ResetProgram(6);
  g.NScen = 2;
  FakeInputScreen s;
  s.Build();
  s.Type("2.5");
  EXPECT_EQ(s.Cell(1, 1), "2.50");
  PlaceCellEditor(s, 1, 3);
  s.Type("3");
  EXPECT_EQ(s.Cell(1, 3), "3");
  PlaceCellEditor(s, 1, 5);
  s.Type("i");
  EXPECT_EQ(s.Cell(1, 5), "infinity");
  // The word stays on its cell, whole and selected; Enter moves on as from any cell.
  EXPECT_EQ(s.At(), Pos(1, 5));
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 1));
  // Counts are whole: a point is refused with a message and the cell's number selected, so the
  // digit typed next replaces it.
  PlaceCellEditor(s, 2, 3);
  s.Type("2.5");
  EXPECT_EQ(s.Cell(2, 3), "5");
  EXPECT_EQ(s.LastMessage(), "This cell takes a whole number only");
}

// Every cell where a key makes a word, with the word typed out in full (and cut short): the
// cell holds the word the first key made, and the letters after it neither change it nor beep.
TEST(WordKeys, TypingTheRestOfAWordKeepsIt) {
  struct Case {
    int cls;
    int row, col;
    const char *keys;
    const char *word;
    const char *before = ""; // the cell's text before typing
  };
  // LP/IP with 2 variables and 2 constraints: type column 3, rows 5 lower, 6 upper, 7 sign,
  // 8 integer flag; transportation 2 x 2 with costs in rows 2-3, columns 2-3; queue column 5 is
  // the source limit; network cells off the diagonal.
  const Case cases[] = {
      {3, 3, 3, "<=", "<="},          {3, 4, 3, ">=", ">="},          {3, 3, 3, "=", "="},
      {5, 4, 3, ">=", ">="},          {3, 6, 1, "infinity", "infinity"}, {3, 5, 1, "-infinity", "-infinity"},
      {3, 5, 2, "infinity", "-infinity"}, {3, 7, 1, "y", "y"},       {3, 7, 2, "n", "n"},
      {5, 8, 1, "y", "y"},            {5, 8, 2, "n", "n"},            {4, 2, 2, "-infi", "-infinity"},
      {4, 2, 3, "-infinity", "-infinity"}, {4, 3, 2, "infinity", "infinity"},
      {4, 3, 3, "infinity", "-infinity", "-infinity"}, {4, 3, 3, "i", "-infinity", "-infinity"},
      {6, 1, 5, "infinity", "infinity"}, {7, 2, 4, "infinity", "infinity"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string("class ") + std::to_string(c.cls) + " cell " + std::to_string(c.row) + "," +
                 std::to_string(c.col) + " keys " + c.keys);
    ResetProgram(c.cls);
    g.NVars = 2;
    g.MRows = 2;
    g.TransSources = 2;
    g.TransDests = 2;
    g.NScen = 2;
    g.NodeCount = 3;
    FakeInputScreen s;
    s.Build();
    // "-infinity" typed out in a lower bound needs its variable unrestricted for the "-".
    if ((c.cls == 3 || c.cls == 5) && c.row == 5) s.grid.SetTextMatrix(7, c.col, "y");
    s.grid.SetTextMatrix(c.row, c.col, c.before);
    PlaceCellEditor(s, static_cast<int16>(c.row), static_cast<int16>(c.col));
    s.Type(c.keys);
    EXPECT_EQ(s.Cell(c.row, c.col), c.word);
    EXPECT_EQ(s.text, c.word);
    EXPECT_EQ(s.beeps, 0);
    EXPECT_TRUE(s.messages.empty());
    // The word done, the next key is judged as ever: another letter beeps.
    s.Type("q");
    EXPECT_EQ(s.beeps, 1);
    // Placed afresh on a cell holding a relation, "=" makes "=" again.
    if (std::string(c.word).size() == 2) {
      PlaceCellEditor(s, static_cast<int16>(c.row), static_cast<int16>(c.col));
      s.Type("=");
      EXPECT_EQ(s.Cell(c.row, c.col), "=");
    }
  }
}

TEST(MatrixInput, GeneralFilter) {
  ResetProgram(1);
  g.NVars = 2;
  FakeInputScreen s;
  s.Build();
  s.Type("-1.5");
  EXPECT_EQ(s.Cell(1, 1), "-1.50");
  s.Type("a");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.selLength, 4); // refused: what is typed next replaces the text
  s.Type("-1");
  EXPECT_EQ(s.text, "-1");
  EXPECT_EQ(s.Cell(1, 1), "-1.00");
  s.Press(kKeyEnter);
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 1));
  g.NumFormatType = 2;
  s.Type("3");
  EXPECT_EQ(s.Cell(2, 1), "3.00000e+00");
}

} // namespace
} // namespace quon::test
