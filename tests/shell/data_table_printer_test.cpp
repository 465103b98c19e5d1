#include "shell/data_table_printer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/recording_surface.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {
namespace {

class DataTableTest : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.NumFormatType = 1;
    g.NumDigitsN = 5;
    g.NumDigitsD = 2;
    g.Infinity = 999999;
    p.SetFontName("arial");
    p.SetFontSize(9);
    g.PrintY = 3000;
    lh = std::lround(p.TextHeight("####0.00"));
  }

  void Print(int16 mode, const GridStore *grid = nullptr) { PrintDataTable(p, data, second, third, mode, grid); }
  void Print(const BArray<double> &d, int16 mode) { PrintDataTable(p, d, second, third, mode, nullptr); }

  // Printed texts with the field padding taken off.
  std::vector<RecordedOp> Texts() const {
    std::vector<RecordedOp> out;
    for (auto op : p.Texts()) {
      op.text = Trim(op.text);
      if (!op.text.empty()) out.push_back(op);
    }
    return out;
  }
  // By value: two finds in one expression must not share a buffer.
  RecordedOp Find(const std::string &text, int nth = 0) const {
    for (const auto &op : Texts())
      if (op.text == text && nth-- == 0) return op;
    ADD_FAILURE() << "no text " << text;
    return RecordedOp{};
  }
  int Count(const std::string &text) const {
    int n = 0;
    for (const auto &op : Texts()) n += op.text == text;
    return n;
  }
  std::vector<RecordedOp> Lines() const {
    std::vector<RecordedOp> out;
    for (const auto &op : p.Ops())
      if (op.kind == DrawKind::Line) out.push_back(op);
    return out;
  }

  void SquareMatrix(int n) {
    g.NVars = static_cast<int16>(n);
    data.ReDim(n + 1, n + 1);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n + 1; ++j) data(i, j) = 100 * i + j;
  }

  RecordingSurface p;
  BArray<double> data;
  BArray<double> second;
  BArray<int16> third;
  long lh = 0;
};

// ---- Matrix inversion and equations -------------------------------------------------------

TEST_F(DataTableTest, MatrixHeadingLabelsAndValuesOnTwelveCharacterColumns) {
  g.ModelClass = ModelClassCode::MatrixInversion;
  g.MRows = 0;
  SquareMatrix(2);
  Print(0);

  EXPECT_EQ(g.MsgText, "Original Matrix:");
  EXPECT_EQ(g.MRows, 2);
  EXPECT_DOUBLE_EQ(g.ScratchSum, 1200);
  EXPECT_EQ(g.LineHeight, lh);
  // Heading one line below the start; a blank line under it; then the rows.
  EXPECT_DOUBLE_EQ(Find("col1").y1, 3000 + lh);
  EXPECT_NEAR(Find("col1").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("col2").x2, 4800, 1e-9);
  EXPECT_NEAR(Find("row1").x2, 2400, 1e-9);
  EXPECT_DOUBLE_EQ(Find("row1").y1, 3000 + 3 * lh);
  EXPECT_DOUBLE_EQ(Find("row2").y1, 3000 + 4 * lh);
  EXPECT_NEAR(Find("102.00").x2, 4800, 1e-9);
  EXPECT_DOUBLE_EQ(Find("202.00").y1, 3000 + 4 * lh);
  // The heading and label texts stand in a field of N + D + 1 characters.
  EXPECT_EQ(p.Texts().front().text.size(), 8u);
  EXPECT_EQ(Count("103.00"), 0); // column 3 of the work array is not part of the matrix
}

TEST_F(DataTableTest, SevenColumnsSplitIntoTwoBlocksThatRepeatTheLabels) {
  g.ModelClass = ModelClassCode::MatrixInversion;
  SquareMatrix(7);
  Print(0);

  // Block 1: label and columns 1 to 6; block 2: the labels again and column 7.
  EXPECT_EQ(Count("row1"), 2);
  EXPECT_EQ(Count("col6"), 1);
  EXPECT_EQ(Count("106.00"), 1);
  EXPECT_EQ(Count("col7"), 1);
  EXPECT_NEAR(Find("col7").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("107.00").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("row1", 1).x2, 2400, 1e-9);
  // The second block starts below the last row of the first.
  EXPECT_GT(Find("col7").y1, Find("706.00").y1);
}

TEST_F(DataTableTest, ThirteenColumnsMakeThreeBlocksAndABlockOfLabelsAloneIsDropped) {
  g.ModelClass = ModelClassCode::MatrixInversion;
  SquareMatrix(13);
  Print(0);
  EXPECT_EQ(Count("row1"), 3);
  EXPECT_EQ(Count("col13"), 1);
  EXPECT_EQ(Count("col12"), 1);

  p.Reset();
  g.PrintY = 3000;
  SquareMatrix(6); // a second block would hold only the labels
  Print(0);
  EXPECT_EQ(Count("row1"), 1);
  EXPECT_EQ(Count("col6"), 1);
  EXPECT_EQ(Count("606.00"), 1);
}

TEST_F(DataTableTest, RowsBelowThePageEndGoToANewPageBelowTheHeadingRepeated) {
  g.ModelClass = ModelClassCode::MatrixInversion;
  SquareMatrix(4);
  g.PrintY = 13680 - 3 * static_cast<int32>(lh);
  Print(0);
  const RecordedOp &heading = Find("col1");
  EXPECT_EQ(heading.page, 1);
  EXPECT_EQ(Find("row1").page, 1); // at exactly 13680
  EXPECT_DOUBLE_EQ(Find("row1").y1, 13680);
  EXPECT_EQ(Find("col1", 1).page, 2);
  EXPECT_DOUBLE_EQ(Find("col1", 1).y1, 2160);
  EXPECT_EQ(Find("row2").page, 2);
  EXPECT_DOUBLE_EQ(Find("row2").y1, 2160 + 2 * lh); // below the heading's blank line
  EXPECT_DOUBLE_EQ(Find("row3").y1, 2160 + 3 * lh);
  EXPECT_EQ(Count("col1"), 2);
}

TEST_F(DataTableTest, EquationsHaveNamedColumnsAndTheRightHandSide) {
  g.ModelClass = ModelClassCode::LinearEquations;
  SquareMatrix(2);
  g.ColNames.ReDim(3);
  g.ColNames(1) = "x 1";
  g.ColNames(2) = "x 2";
  Print(0);
  EXPECT_EQ(g.MsgText, "Original Equations:");
  EXPECT_NEAR(Find("x 1").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("R.H.S.").x2, 6000, 1e-9);
  EXPECT_NEAR(Find("eq2").x2, 2400, 1e-9);
  EXPECT_NEAR(Find("203.00").x2, 6000, 1e-9);

  // The inverse has no right-hand side and plain col/row labels.
  p.Reset();
  Print(-1);
  EXPECT_EQ(Count("R.H.S."), 0);
  EXPECT_EQ(Count("103.00"), 0);
  EXPECT_EQ(Count("col2"), 1);
  EXPECT_EQ(Count("row2"), 1);
}

TEST_F(DataTableTest, EquationsOfOrderFiveEndWithTheRightHandSideBlock) {
  g.ModelClass = ModelClassCode::LinearEquations;
  SquareMatrix(5);
  g.ColNames.ReDim(6);
  Print(0);
  // Columns 0..6: the right-hand side is the last column of block 1; no block of labels follows.
  EXPECT_EQ(Count("R.H.S."), 1);
  EXPECT_EQ(Count("eq1"), 1);
}

// ---- Games --------------------------------------------------------------------------------

TEST_F(DataTableTest, GameTableHasPlayerLabelsAndBreaksThePageAsTheOthers) {
  g.ModelClass = ModelClassCode::Games;
  g.GameRows = 3;
  g.GameCols = 2;
  data.ReDim(3, 2);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 2; ++j) data(i, j) = 10 * i + j;
  g.PrintY = 13500;
  Print(0);
  EXPECT_EQ(g.MsgText, "Original Game Data:");
  EXPECT_EQ(g.MRows, 3);
  EXPECT_NEAR(Find("B2").x2, 4800, 1e-9);
  EXPECT_NEAR(Find("A3").x2, 2400, 1e-9);
  EXPECT_EQ(Find("32.00").page, 2);
  EXPECT_LE(Find("32.00").y1, 13680);
}

// ---- Networks -----------------------------------------------------------------------------

class NetworkTableTest : public DataTableTest {
protected:
  void SetUp() override {
    DataTableTest::SetUp();
    g.ModelClass = ModelClassCode::Networks;
    g.NodeCount = 3;
    g.VarNames.ReDim(3);
    g.VarNames(1) = "Chicago";
    g.VarNames(2) = "Denver";
    g.VarNames(3) = " LA";
    data.ReDim(3, 3);
    data(1, 2) = 999999;
    data(1, 3) = -999999;
    data(2, 1) = 0;
    data(2, 3) = 7.5;
    data(3, 1) = 1;
    data(3, 2) = 2;
    data(3, 3) = 4; // diagonal
  }
};

TEST_F(NetworkTableTest, NodeLabelsInfinityTextsBlankDiagonalAndPlainZero) {
  g.NetSubModel = 1;
  Print(0);
  EXPECT_NEAR(Find("N1:Chicag").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("N1:Chicag", 1).x2, 2400, 1e-9);
  EXPECT_EQ(Count("N3:LA"), 2);
  EXPECT_EQ(Count("infinity"), 1);
  EXPECT_EQ(Count("-infinity"), 1);
  EXPECT_EQ(Count("0"), 1);
  EXPECT_EQ(Count("7.50"), 1);
  EXPECT_EQ(Count("4.00"), 0);
  // The shared names are left whole for later screens and reports.
  EXPECT_EQ(g.VarNames(1).str(), "Chicago     ");
  // No blank line under the heading outside Floyd and maximal flow.
  EXPECT_DOUBLE_EQ(Find("N1:Chicag", 1).y1, Find("N1:Chicag").y1 + lh);
}

TEST_F(NetworkTableTest, FloydMatricesWidenColumnsAndShowTheirOwnInfinity) {
  g.NetSubModel = 3;
  g.ColWidthMax = 9; // 1.5 x 9 = 13.5 characters, to the nearest: 14
  second.ReDim(3, 3);
  // An unreachable pair is a true infinity; -1 is a distance like any other.
  second(1, 2) = std::numeric_limits<double>::infinity();
  second(1, 3) = 2.5;
  second(2, 1) = 0;
  second(2, 3) = -1;
  second(3, 1) = 1;
  second(3, 2) = 1;
  Print(-2);
  EXPECT_DOUBLE_EQ(g.ScratchSum, 1400);
  EXPECT_NEAR(Find("N2:Denver").x2, 1200 + 3 * 1400, 1e-9);
  EXPECT_EQ(Count("infinity"), 1);
  EXPECT_EQ(Count("2.50"), 1);
  EXPECT_EQ(Count("-1.00"), 1);
  EXPECT_EQ(Count("0"), 1);
  EXPECT_DOUBLE_EQ(Find("N1:Chicag", 1).y1, Find("N1:Chicag").y1 + 2 * lh);

  // A maximal-flow matrix prints a zero flow in the format, as its screen shows it.
  p.Reset();
  g.NetSubModel = 4;
  Print(-2);
  EXPECT_EQ(Count("0"), 0);
  EXPECT_EQ(Count("0.00"), 1);
  g.NetSubModel = 3;

  p.Reset();
  third.ReDim(3, 3);
  third(1, 2) = 3;
  third(2, 1) = -2;
  third(2, 2) = 9;
  Print(-3);
  const auto texts = p.Texts();
  bool leadingBlank = false;
  for (const auto &t : texts) leadingBlank |= t.text == " 3";
  EXPECT_TRUE(leadingBlank);
  EXPECT_EQ(Count("-2"), 1);
  EXPECT_EQ(Count("9"), 0);
}

// ---- Linear and integer programs ----------------------------------------------------------

class ProgramTableTest : public DataTableTest {
protected:
  void Program(int n, int m, int cls = 3) {
    g.ModelClass = static_cast<int16>(cls);
    g.NVars = static_cast<int16>(n);
    g.MRows = static_cast<int16>(m);
    g.LBRow = static_cast<int16>(m + 3);
    g.UBRow = static_cast<int16>(m + 4);
    g.FreeVarRow = static_cast<int16>(m + 5);
    g.IntRow = static_cast<int16>(m + 6);
    g.SenseText = "Maximize";
    g.VarNames.ReDim(n);
    g.ColNames.ReDim(n + 2 * m);
    for (int j = 1; j <= n; ++j) {
      g.VarNames(j) = "product" + std::to_string(j);
      g.ColNames(j) = "x" + std::to_string(j);
    }
    g.ConstrType.ReDim(m);
    data.ReDim(m + (cls == 5 ? 6 : 5), n + 2);
    for (int j = 1; j <= n; ++j) {
      data(2, j) = j;
      data(g.LBRow, j) = 0;
      data(g.UBRow, j) = 999999;
    }
    for (int i = 3; i <= m + 2; ++i) {
      for (int j = 1; j <= n; ++j) data(i, j) = 10 * (i - 2) + j;
      data(i, n + 2) = 50 * (i - 2);
      g.ConstrType(i - 2) = "<";
    }
  }
};

TEST_F(ProgramTableTest, LinearProgramInputWithItsLabelsTypesAndBoundRows) {
  Program(2, 2);
  g.ConstrType(2) = ">";
  data(4, 1) = -999999; // an ordinary coefficient, not a bound
  data(g.LBRow, 1) = -999999;
  data(g.LBRow, 2) = 3;
  data(g.UBRow, 2) = 8;
  data(g.FreeVarRow, 1) = 1;
  Print(1);

  EXPECT_DOUBLE_EQ(g.ScratchSum, 1200);
  // A blank line before the table; the heading rows hold the cut names and column names.
  EXPECT_DOUBLE_EQ(Find("produc").y1, 3000 + 2 * lh);
  EXPECT_NEAR(Find("produc").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("x2").x2, 4800, 1e-9);
  EXPECT_DOUBLE_EQ(Find("x1").y1, 3000 + 3 * lh);
  EXPECT_EQ(g.VarNames(1).str(), "product1    ");

  const RecordedOp &obj = Find("Maximize");
  EXPECT_EQ(p.FindText("     Maximize")->x1, 1200);
  EXPECT_DOUBLE_EQ(obj.y1, 3000 + 4 * lh);
  EXPECT_DOUBLE_EQ(Find("1.00").y1, obj.y1);
  EXPECT_DOUBLE_EQ(p.FindText("     Subject to")->y1, obj.y1 + 2 * lh);
  const RecordedOp *c1 = p.FindText("     ( 1)");
  ASSERT_NE(c1, nullptr);
  EXPECT_DOUBLE_EQ(c1->y1, obj.y1 + 3 * lh);
  ASSERT_NE(p.FindText("     ( 2)"), nullptr);
  EXPECT_NEAR(Find("<=").x2, 6000, 1e-9);
  EXPECT_EQ(Count(">="), 1);
  EXPECT_NEAR(Find("100.00").x2, 7200, 1e-9);
  EXPECT_EQ(Count("-999999.00"), 1);

  const RecordedOp *lb = p.FindText("     Lower Bound");
  ASSERT_NE(lb, nullptr);
  EXPECT_DOUBLE_EQ(lb->y1, c1->y1 + 3 * lh);
  EXPECT_DOUBLE_EQ(Find("-infinity").y1, lb->y1);
  EXPECT_DOUBLE_EQ(Find("3.00").y1, lb->y1);
  EXPECT_DOUBLE_EQ(Find("infinity").y1, lb->y1 + lh);
  EXPECT_DOUBLE_EQ(Find("8.00").y1, lb->y1 + lh);
  ASSERT_NE(p.FindText("     Upper Bound"), nullptr);
  ASSERT_NE(p.FindText("     Unrestr'd (y/n)?"), nullptr);
  EXPECT_NEAR(Find("y").x2, 3600, 1e-9);
  EXPECT_NEAR(Find("n").x2, 4800, 1e-9);
  EXPECT_EQ(p.FindText("     Integer (y/n)?"), nullptr);
  // Only constraint rows reach the type and right-hand-side columns.
  EXPECT_EQ(Count("0.00"), 0);
  EXPECT_DOUBLE_EQ(p.CurrentX(), 1200);
  EXPECT_DOUBLE_EQ(p.CurrentY(), g.PrintY);
}

TEST_F(ProgramTableTest, WideProgramRepeatsItsRowLabelsInEveryBlock) {
  Program(7, 1);
  Print(1);
  // Columns 1..9 at six a block: x1..x6, then x7, the type and the right-hand side.
  EXPECT_EQ(Count("Maximize"), 2);
  EXPECT_EQ(Count("Subject to"), 1);
  EXPECT_EQ(Count("( 1)"), 2);
  EXPECT_EQ(Count("Lower Bound"), 2);
  EXPECT_NEAR(Find("x7").x2, 2400 + 1200, 1e-9);
  EXPECT_NEAR(Find("<=").x2, 4800, 1e-9);
  EXPECT_GT(Find("x7").y1, Find("( 1)").y1);

  // With six variables the second block holds only the type and the right-hand side: its
  // bound rows would show nothing but their labels, and it leaves them out.
  p.Reset();
  Program(6, 1);
  Print(1);
  EXPECT_EQ(Count("Maximize"), 2);
  EXPECT_EQ(Count("( 1)"), 2);
  EXPECT_EQ(Count("Lower Bound"), 1);
  EXPECT_EQ(Count("Unrestr'd (y/n)?"), 1);
}

TEST_F(ProgramTableTest, TwoPhaseTableausWidenTheLabelColumn) {
  Program(2, 1);
  g.LPMethod = 4;
  Print(1);
  EXPECT_DOUBLE_EQ(g.ScratchSum, 1500);
}

TEST_F(ProgramTableTest, IntegerProgramTitleAndIntegerRow) {
  Program(2, 1, 5);
  data(g.IntRow, 2) = 1;
  Print(1);
  EXPECT_EQ(g.MsgText, "INTEGER PROGRAM -- ORIGINAL DATA");
  const RecordedOp &title = Find("INTEGER PROGRAM -- ORIGINAL DATA");
  EXPECT_DOUBLE_EQ(title.x1, (11736 - 120 * 32) * 0.5);
  EXPECT_DOUBLE_EQ(title.y1, 3000 + 2 * lh);
  EXPECT_DOUBLE_EQ(Find("produc").y1, 3000 + 6 * lh);
  const RecordedOp *flag = p.FindText("     Integer (y/n)?");
  ASSERT_NE(flag, nullptr);
  EXPECT_EQ(Count("y"), 1);
  EXPECT_DOUBLE_EQ(Find("y").y1, flag->y1);
}

TEST_F(ProgramTableTest, TableausComeFromTheOutputGridWithLabelsRepeated) {
  Program(2, 1);
  g.NColsPlus1 = 8;
  GridStore grid;
  grid.SetRows(2 * (g.MRows + 7));
  grid.SetCols(9);
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < 9; ++c) grid.SetTextMatrix(r, c, "r" + std::to_string(r) + "c" + std::to_string(c));
  Print(2, &grid);

  // Tableau rows 0..6, one grid row skipped, rows 8..14 (the grid's last row is 15).
  EXPECT_EQ(Count("r7c1"), 0);
  EXPECT_EQ(Count("r14c8"), 1);
  EXPECT_EQ(Count("r15c0"), 0);
  // Block 1 holds columns 0..6, block 2 columns 7 and 8 after the repeated row label.
  EXPECT_NEAR(Find("r0c6").x2, 1200 + 7 * 1200, 1e-9);
  EXPECT_NEAR(Find("r0c7").x2, 1200 + 2 * 1200, 1e-9);
  EXPECT_EQ(Count("r3c0"), 2);
  EXPECT_NEAR(Find("r3c0", 1).x2, 2400, 1e-9);
  EXPECT_GT(Find("r8c0").y1, Find("r6c8").y1);
}

TEST_F(ProgramTableTest, TableauModeWithoutAGridPrintsNothing) {
  Program(2, 1);
  Print(2, nullptr);
  EXPECT_TRUE(p.Texts().empty());
}

// ---- Transportation -----------------------------------------------------------------------

class TransportTableTest : public DataTableTest {
protected:
  void Transport(int m, int n) {
    g.ModelClass = ModelClassCode::Transportation;
    g.TransSources = static_cast<int16>(m);
    g.TransDests = static_cast<int16>(n);
    g.NVars = static_cast<int16>(m * n);
    g.MRows = static_cast<int16>(m + n - 1);
    g.VarNames.ReDim(m * n);
    g.SourceName.ReDim(m);
    g.DestName.ReDim(n);
    g.Cost.ReDim(m * n);
    g.InvInput.ReDim(m + n, 1);
    for (int i = 1; i <= m; ++i) {
      g.SourceName(i) = "Source" + std::to_string(i) + "xyz";
      g.InvInput(i, 0) = 100 * i;
      for (int j = 1; j <= n; ++j) g.Cost((i - 1) * n + j) = 10 * i + j;
    }
    for (int j = 1; j <= n; ++j) {
      g.DestName(j) = "City" + std::to_string(j);
      g.InvInput(m + j, 0) = 1000 + j;
    }
  }
};

TEST_F(TransportTableTest, CostTableWithSupplyColumnAndDemandRow) {
  Transport(2, 3);
  g.TransInfinity = 999999; // the cost standing for "infinity"
  g.Cost(2) = 999999;
  Print(1);

  EXPECT_DOUBLE_EQ(Find("D1").y1, 3000 + 2 * lh);
  EXPECT_NEAR(Find("D1").x2, 1200 + 4 * 1200, 1e-9);
  const RecordedOp &supply = Find("Supply");
  EXPECT_TRUE(supply.font.bold);
  EXPECT_NEAR(supply.x2, 1200 + 7 * 1200, 1e-9);
  EXPECT_FALSE(Find("D3").font.bold);
  EXPECT_NEAR(Find("Name").x2, 1200 + 3 * 1200, 1e-9);
  EXPECT_EQ(Count("City1"), 1);
  // A blank line before the first source and before the demand row.
  EXPECT_DOUBLE_EQ(Find("S1").y1, Find("City1").y1 + 2 * lh);
  EXPECT_NEAR(Find("S1").x2, 3600, 1e-9);
  EXPECT_EQ(Count("Source"), 2); // "Source1xyz" cut to six characters
  EXPECT_EQ(Count("infinity"), 1);
  EXPECT_EQ(Count("11.00"), 1);
  EXPECT_EQ(Count("23.00"), 1);
  EXPECT_NEAR(Find("200").x2, 1200 + 7 * 1200, 1e-9); // whole amounts stay whole
  const RecordedOp &demand = Find("Demand");
  EXPECT_DOUBLE_EQ(demand.y1, Find("S2").y1 + 2 * lh);
  EXPECT_DOUBLE_EQ(Find("1003").y1, demand.y1);
  EXPECT_EQ(g.SourceName(1), "Source1xyz");
}

TEST_F(TransportTableTest, WideCostTableContinuesWithLabelsShiftedTwoColumns) {
  Transport(1, 11); // columns 1..14: 1..7, then four a block
  Print(1);
  EXPECT_EQ(Count("S1"), 3);
  // Block 2: label and name in positions 1 and 2, destinations 6..9 from position 3.
  EXPECT_NEAR(Find("D6").x2, 1200 + 4 * 1200, 1e-9);
  EXPECT_NEAR(Find("D9").x2, 1200 + 7 * 1200, 1e-9);
  EXPECT_NEAR(Find("S1", 1).x2, 3600, 1e-9);
  EXPECT_EQ(Count("Name"), 1);
  EXPECT_EQ(Count("Demand"), 3);
  // Block 3 lines up the same way instead of running into the labels.
  EXPECT_NEAR(Find("D10").x2, 1200 + 4 * 1200, 1e-9);
  EXPECT_NEAR(Find("Supply").x2, 1200 + 6 * 1200, 1e-9);
  EXPECT_GT(Find("D10").y1, Find("D9").y1);
}

TEST_F(TransportTableTest, VeryWideCostTablePrintsEveryDestinationAndTheSupply) {
  Transport(1, 33); // columns 1..36: seven, then four a block, so nine blocks
  Print(1);
  for (int j = 1; j <= 33; ++j) EXPECT_EQ(Count("D" + std::to_string(j)), 1) << j;
  EXPECT_EQ(Count("Supply"), 1);
  EXPECT_EQ(Count("1033"), 1);
}

class TransportTableauTest : public TransportTableTest {
protected:
  // One tableau block per iteration, laid out as the output screen shows it.
  void Tableaus(int m, int n, int count) {
    Transport(m, n);
    grid.SetRows(count * (3 * m + 4));
    grid.SetCols(n + 4);
    for (int t = 0; t < count; ++t) {
      const int r0 = t * (3 * m + 4);
      grid.SetTextMatrix(r0, 0, "Iter " + std::to_string(t + 1));
      grid.SetTextMatrix(r0, 1, "ObjVal  =");
      grid.SetTextMatrix(r0, 2, "123.00");
      grid.SetTextMatrix(r0, n + 3, "Supply");
      grid.SetTextMatrix(r0 + 1, 1, "Name");
      for (int j = 1; j <= n; ++j) {
        grid.SetTextMatrix(r0, j + 2, "D" + std::to_string(j));
        grid.SetTextMatrix(r0 + 1, j + 2, "Destination" + std::to_string(j));
        grid.SetTextMatrix(r0 + 2, j + 2, "v" + std::to_string(j) + "=1.00");
        grid.SetTextMatrix(r0 + 3 * m + 3, j + 2, std::to_string(50 + j));
      }
      grid.SetTextMatrix(r0 + 3 * m + 3, 1, "Demand");
      for (int i = 1; i <= m; ++i)
        for (int k = 0; k < 3; ++k) {
          const int r = r0 + 3 * (i - 1) + 3 + k;
          grid.SetTextMatrix(r, 0, "S" + std::to_string(i));
          grid.SetTextMatrix(r, 1, "Supplier" + std::to_string(i));
          grid.SetTextMatrix(r, 2, "u" + std::to_string(i) + "=0.00");
          grid.SetTextMatrix(r, n + 3, std::to_string(70 + i));
          for (int j = 1; j <= n; ++j)
            grid.SetTextMatrix(r, j + 2, (k == 0 ? "c" : k == 1 ? "x" : "d") + std::to_string(i) + std::to_string(j));
        }
    }
  }
  GridStore grid;
};

TEST_F(TransportTableauTest, TableauBlockHasIterationLabelRulesAndAlignedCells) {
  Tableaus(2, 2, 1);
  Print(2, &grid);

  const RecordedOp &corner = Find("Iteration 1:");
  EXPECT_EQ(p.FindText("Iteration 1:     ") != nullptr, true);
  EXPECT_NEAR(corner.x2, 2400, 1e-9);
  EXPECT_EQ(Count("ObjVal"), 1); // column 1 is cut to six characters
  EXPECT_EQ(Count("Destin"), 2);
  // Merged columns show once per source, in its middle row.
  EXPECT_EQ(Count("S1"), 1);
  EXPECT_EQ(Count("Suppli"), 2);
  EXPECT_EQ(Count("u1=0.00"), 1);
  EXPECT_EQ(Count("71"), 1);
  EXPECT_DOUBLE_EQ(Find("S1").y1, Find("x11").y1);
  EXPECT_DOUBLE_EQ(Find("71").y1, Find("x11").y1);

  const double c = 1200, right = 1200 + 4 * c; // destination 1 in column 3
  EXPECT_NEAR(Find("c11").x2, right, 1e-9);
  const RecordedOp &x = Find("x11");
  EXPECT_TRUE(x.font.bold);
  // Centred on the right-hand 0.8 of the cell (placed from its plain width, printed bold).
  EXPECT_NEAR((x.x1 + x.x2) / 2, right - 0.4 * c, 20);
  EXPECT_NEAR(Find("d11").x1, right - 0.8 * c, 1e-9);
  EXPECT_FALSE(Find("d11").font.bold);

  // A rule above each source, one line above its cost row.
  int horizontal = 0;
  for (const auto &l : Lines())
    if (l.y1 == l.y2) {
      ++horizontal;
      EXPECT_DOUBLE_EQ(l.x1, 2000);
      EXPECT_DOUBLE_EQ(l.x2, std::lround(1200 + 6.1 * c));
    }
  EXPECT_EQ(horizontal, 2);
  EXPECT_DOUBLE_EQ(Find("c11").y1, Find("v1=1.00").y1 + 2 * lh);
  // Vertical rules to the right of every column.
  int vertical = 0;
  for (const auto &l : Lines()) vertical += l.x1 == l.x2;
  EXPECT_EQ(vertical, 6);
}

TEST_F(TransportTableauTest, EveryTableauOfTheGridIsPrinted) {
  Tableaus(1, 2, 3);
  Print(2, &grid);
  EXPECT_EQ(Count("Iteration 1:"), 1);
  EXPECT_EQ(Count("Iteration 3:"), 1);
  EXPECT_GT(Find("Iteration 2:").y1, Find("52").y1);
}

TEST_F(TransportTableauTest, BlockBeyondTheLastColumnLeavesNoBlankPage) {
  Tableaus(3, 8, 1); // columns 0..11: blocks 0..6 and 7..11, and a third with nothing in it
  // Block 1 ends at the 0.55 mark, so block 2 follows on the page and ends near its foot.
  g.PrintY = 7524 - 17 * static_cast<int32>(lh);
  Print(2, &grid);
  ASSERT_NE(p.FindText("Iteration 1:    "), nullptr);
  EXPECT_GT(p.FindText("Iteration 1:    ")->y1, 7524);
  // The last row fits on the page; nothing may go on to a second one.
  EXPECT_EQ(Find("58").page, 1);
  EXPECT_EQ(p.Page(), 1);
}

TEST_F(TransportTableauTest, SecondBlockGoesToANewPageOnlyWhenTheFirstEndedLow) {
  Tableaus(2, 4, 1); // columns 0..7: two blocks
  g.PrintY = 7000;
  Print(2, &grid);
  const RecordedOp *second = p.FindText("Iteration 1:    ");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->page, 2);
  EXPECT_DOUBLE_EQ(second->y1, 2160 + lh);
  EXPECT_EQ(Find("Supply").page, 2); // column 7, the only one of block 2
  EXPECT_EQ(Find("D4").page, 1);

  p.Reset();
  g.PrintY = 3000;
  Print(2, &grid);
  ASSERT_NE(p.FindText("Iteration 1:    "), nullptr);
  EXPECT_EQ(p.FindText("Iteration 1:    ")->page, 1);
  EXPECT_EQ(p.Page(), 1);
}

} // namespace
} // namespace quon
