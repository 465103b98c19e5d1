#include <gtest/gtest.h>

#include "editor_fake.h"

namespace quon::test {
namespace {

using Pos = std::pair<int, int>;

using Msg = std::vector<ShownMessage>;

// A screen built for the model class set up by `Sizes`, with the editor on the first cell.
template <int Class, void (*Sizes)(), int Row = 1, int Col = 1> struct InputScreen : ::testing::Test {
  FakeInputScreen s;
  void Build(int cls = Class) {
    ResetProgram(cls);
    Sizes();
    s.Build(Row, Col);
  }
  void SetUp() override { Build(); }
  void At(int r, int c) { s.At(r, c); }
  std::string Put(int r, int c, const char *keys) { return s.Put(r, c, keys); }
};

// 2 variables, 2 constraints: type column 3, RHS 4; rows 3-4 constraints, 5 lower, 6 upper,
// 7 unrestricted (8 integer).
void TwoByTwo() {
  g.NVars = 2;
  g.MRows = 2;
}
// 2 sources, 2 destinations: 5 x 5, supply column 4, demand row 4.
void TwoSourcesTwoDests() {
  g.TransSources = 2;
  g.TransDests = 2;
}
// 3 nodes: 5 x 5.
void ThreeNodes() {
  g.NodeCount = 3;
}

using LinearInput = InputScreen<3, TwoByTwo>;
using TransportInput = InputScreen<4, TwoSourcesTwoDests, 1, 2>;
using NetworkInput = InputScreen<7, ThreeNodes, 1, 2>;

TEST_F(LinearInput, TypeColumnTakesOnlyTheThreeRelations) {
  EXPECT_EQ(Put(3, 3, "<"), "<=");
  EXPECT_EQ(s.text, "<=");
  EXPECT_EQ(Put(3, 3, "="), "=");
  s.Type(">");
  EXPECT_EQ(s.Cell(3, 3), ">=");
  s.Type("a");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.Cell(3, 3), ">=");
}

TEST_F(LinearInput, NumbersAreWrittenBackInTheInputFormat) {
  EXPECT_EQ(Put(3, 1, "3"), "3.00");
  s.Type(".5");
  EXPECT_EQ(s.Cell(3, 1), "3.50");
  s.Type(".");
  EXPECT_EQ(s.beeps, 1); // a second point
  EXPECT_EQ(s.text, "3.5");
  s.Type("x+");
  EXPECT_EQ(s.beeps, 3);

  // As the first key after placing, the point replaces the selected text.
  EXPECT_EQ(Put(3, 2, ".25"), "0.25");
  EXPECT_EQ(s.beeps, 3);

  // A minus sign only at the start, once.
  EXPECT_EQ(Put(4, 1, "-2-"), "-2.00");
  EXPECT_EQ(s.beeps, 4);

  // Names are free text.
  EXPECT_EQ(Put(1, 1, "Cars"), "Cars");
}

TEST_F(LinearInput, NegativeRightHandSideIsRefused) {
  EXPECT_EQ(Put(3, 4, "-"), "0.00");
  EXPECT_EQ(s.messages,
            (Msg{{"Negative RHS not permitted.  Re-enter", "Rihgt-hand Side", InputMsgIcon::Critical}}));
  EXPECT_EQ(s.beeps, 1);
}

TEST_F(LinearInput, BoundsTakeInfinityByOneKey) {
  EXPECT_EQ(Put(6, 1, "5"), "5.00");
  s.Type("i");
  EXPECT_EQ(s.Cell(6, 1), "infinity");
  EXPECT_EQ(s.text, "infinity");
  EXPECT_EQ(s.At(), Pos(6, 1));
  EXPECT_EQ(s.selLength, 8); // placed again, whole word selected

  EXPECT_EQ(Put(5, 2, "I"), "-infinity");
}

TEST_F(LinearInput, SignOfANonnegativeVariable) {
  At(5, 1);
  s.Type("-");
  EXPECT_EQ(s.messages, (Msg{{"Nonnegative var: Lower bound must be nonnegative.", "Unrestricted Status",
                              InputMsgIcon::Information}}));
  s.Type("2");
  EXPECT_EQ(s.Cell(5, 1), "2.00");
}

TEST_F(LinearInput, UnrestrictedRowAndItsLowerBound) {
  // y with a lower bound of 0 makes it -infinity.
  EXPECT_EQ(Put(7, 1, "y"), "y");
  EXPECT_EQ(s.Cell(5, 1), "-infinity");
  // y with a lower bound of -5 leaves it.
  s.grid.SetTextMatrix(5, 2, "-5.00");
  Put(7, 2, "Y");
  EXPECT_EQ(s.Cell(5, 2), "-5.00");
  // n where it is -infinity gives 0 in the number format.
  EXPECT_EQ(Put(7, 1, "n"), "n");
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
  EXPECT_EQ(Put(8, 1, "n"), "n");
  EXPECT_EQ(s.Cell(5, 1), "-3.00");
  // An integer program's y does not move the bound either.
  s.grid.SetTextMatrix(7, 2, "n");
  Put(7, 2, "y");
  EXPECT_EQ(s.Cell(5, 2), "0.00");
}

// Each step: where the editor is put (row 0: it stays), the key, and where it is then.
struct Move {
  int fromRow, fromCol;
  int16 key;
  int toRow, toCol;
  bool shift = false;
};
void Walk(FakeInputScreen &s, std::initializer_list<Move> moves) {
  for (const Move &m : moves) {
    SCOPED_TRACE("key " + std::to_string(m.key) + " at " + std::to_string(s.At().first) + "," +
                 std::to_string(s.At().second));
    if (m.fromRow != 0) s.At(m.fromRow, m.fromCol);
    s.Press(m.key, m.shift);
    EXPECT_EQ(s.At(), Pos(m.toRow, m.toCol));
  }
}

TEST_F(LinearInput, NavigationSkipsCellsWithoutData) {
  Walk(s, {
              {1, 1, kKeyEnter, 1, 2},
              {0, 0, kKeyTab, 2, 1}, // row 1 holds no type or RHS
              {0, 0, kKeyRight, 2, 2},
              {0, 0, kKeyRight, 3, 1},
              {0, 0, kKeyUp, 2, 1},
              {3, 3, kKeyUp, 3, 3},
              {4, 4, kKeyDown, 4, 4},
              {0, 0, kKeyEnter, 5, 1}, // RHS of the last constraint: on to the lower bounds
              {7, 2, kKeyEnter, 7, 2}, // last cell of the grid
              {0, 0, kKeyLeft, 7, 1},
              {0, 0, kKeyTab, 6, 1, true},
          });
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
  Walk(s, {{3, 4, kKeyEsc, 3, 3}});
  s.grid.SetTextMatrix(7, 1, "y");
  Walk(s, {{5, 2, kKeyEsc, 5, 1}});
  EXPECT_EQ(s.beeps, 0);
  EXPECT_TRUE(s.messages.empty());
  EXPECT_EQ(s.Cell(3, 3), "        <=");
}

TEST_F(TransportInput, SuppliesDemandsAndCosts) {
  EXPECT_EQ(Put(2, 4, "12"), "12");
  EXPECT_EQ(Put(4, 2, "0"), "0");
  s.Type("-");
  EXPECT_EQ(s.messages,
            (Msg{{"Negative Supply/Demand not permitted.", "Suppl/Demand", InputMsgIcon::Information}}));
  EXPECT_EQ(s.selStart, 0);
  EXPECT_EQ(s.selLength, 1);

  EXPECT_EQ(Put(2, 2, "3"), "3.00");
  EXPECT_EQ(Put(3, 3, "-i"), "-infinity");
  EXPECT_EQ(Put(2, 3, "i"), "infinity");
  EXPECT_EQ(Put(1, 2, "Paris"), "Paris");
}

TEST_F(TransportInput, Navigation) {
  Walk(s, {
              {1, 3, kKeyEnter, 2, 1}, // no supply in the name row
              {3, 4, kKeyEnter, 4, 2}, // last source's supply: on to the first demand
              {3, 1, kKeyDown, 4, 2},
              {4, 3, kKeyEnter, 4, 3},
              {0, 0, kKeyLeft, 4, 2},
              {0, 0, kKeyLeft, 4, 2},
              {2, 1, kKeyUp, 2, 1},
              {0, 0, kKeyLeft, 2, 1}, // the cell above is the corner heading
          });
  EXPECT_EQ(s.beeps, 1);
  EXPECT_EQ(s.Cell(1, 1), "S/D Name");
}

TEST_F(NetworkInput, SymmetricNetworkMirrorsEveryArc) {
  s.symmetric = true;
  g.SymmetricNet = 1;
  EXPECT_EQ(Put(2, 3, "5"), "5.00");
  EXPECT_EQ(s.Cell(3, 2), "5.00");
  Put(2, 4, "i");
  EXPECT_EQ(s.Cell(4, 2), "infinity");
  for (int i = 2; i <= 4; ++i)
    EXPECT_EQ(s.Cell(i, i), "");
  EXPECT_EQ(Put(1, 3, "B"), "B");
  EXPECT_EQ(s.Cell(3, 1), "B");
  EXPECT_EQ(Put(3, 3, "7"), "");
  Put(2, 3, "-");
  EXPECT_EQ(s.beeps, 1);
  EXPECT_TRUE(s.messages.empty());
}

TEST_F(NetworkInput, NavigationStepsOverTheDiagonal) {
  Walk(s, {
              {3, 2, kKeyEnter, 3, 4},
              {0, 0, kKeyEnter, 4, 2}, // not symmetrical: the next row from its first arc
              {1, 4, kKeyEnter, 2, 3},
              {3, 4, kKeyLeft, 3, 2},
              {1, 2, kKeyLeft, 1, 2}, // the corner heading
              {0, 0, kKeyDown, 2, 3},
              {2, 3, kKeyDown, 3, 2},
          });
  s.symmetric = true;
  g.SymmetricNet = 1;
  Walk(s, {
              {2, 4, kKeyEnter, 3, 4}, // first cell right of the diagonal
              {0, 0, kKeyEnter, 3, 4}, // nothing right of the last diagonal cell
              {2, 3, kKeyDown, 3, 4},
          });
}

TEST(QueueInput, WordsAndIntegerColumns) {
  ResetProgram(6);
  g.NScen = 2;
  FakeInputScreen s;
  s.Build();
  s.Type("2.5");
  EXPECT_EQ(s.Cell(1, 1), "2.50");
  EXPECT_EQ(s.Put(1, 3, "3"), "3");
  EXPECT_EQ(s.Put(1, 5, "i"), "infinity");
  // The word stays on its cell, whole and selected; Enter moves on as from any cell.
  EXPECT_EQ(s.At(), Pos(1, 5));
  s.Press(kKeyEnter);
  EXPECT_EQ(s.At(), Pos(2, 1));
  // Counts are whole: a point is refused with a message, and only the point is dropped.
  EXPECT_EQ(s.Put(2, 3, "2.5"), "25");
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
  // Refused: the key alone is dropped, and what is typed next runs on from the caret.
  EXPECT_EQ(s.text, "-1.5");
  EXPECT_EQ(s.selLength, 0);
  s.Type("7");
  EXPECT_EQ(s.text, "-1.57");
  EXPECT_EQ(s.Cell(1, 1), "-1.57");
  s.At(1, 1);
  s.Type("-1");
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
