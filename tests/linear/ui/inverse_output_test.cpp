#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "linear/mod_inverse.h"
#include "linear/ui/inverse_output.h"
#include "platform/colors.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

using Row = std::vector<std::string>;

class InverseOutputTest : public ScreenTest {
protected:
  // The matrix (with the right-hand sides as a last column for equations) as the input
  // screen hands it over, inverted and solved as the SOLVE/MODIFY screen does.
  void Solve(int modelClass, const std::vector<std::vector<double>> &rows) {
    MatrixInput(modelClass, rows);
    g.HeaderText[1] = "Example";
    if (InvertMatrix() && modelClass == 2) SolveByInverse();
    scr5().Show();
    ShowInverseOutput();
  }
  Row GridRow(int r) {
    Row out;
    for (int c = 0; c < scr5().outputGrid.Cols(); ++c)
      out.push_back(scr5().outputGrid.TextMatrix(r, c));
    return out;
  }
};

TEST_F(InverseOutputTest, TwoByTwoInverse) {
  Solve(1, {{4, 7}, {2, 6}});
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  ASSERT_EQ(grid.Cols(), 3);
  ASSERT_EQ(grid.Rows(), 8);
  EXPECT_EQ(grid.FixedCols, 1);
  EXPECT_EQ(GridRow(0), (Row{"", "ORIGINAL MATRIX:", "ORIGINAL MATRIX:"}));
  EXPECT_EQ(GridRow(1), (Row{"", "col 1", "col 2"}));
  EXPECT_EQ(GridRow(2), (Row{"row 1", "4.00", "7.00"}));
  EXPECT_EQ(GridRow(3), (Row{"row 2", "2.00", "6.00"}));
  const std::string det = "INVERSE:    Determinant =10.00";
  EXPECT_EQ(GridRow(4), (Row{"", det, det}));
  EXPECT_EQ(GridRow(5), (Row{"", "col 1", "col 2"}));
  EXPECT_EQ(GridRow(6), (Row{"row 1", "0.60", "-0.70"}));
  EXPECT_EQ(GridRow(7), (Row{"row 2", "-0.20", "0.40"}));

  for (int r : {0, 4})
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(grid.BackOf(r, c), kYellow) << r << "," << c;
      EXPECT_EQ(grid.ForeOf(r, c), kBlue) << r << "," << c;
    }
  EXPECT_EQ(grid.MergedRange(0, 1), (CellRange{0, 1, 0, 2}));
  EXPECT_EQ(grid.MergedRange(4, 2), (CellRange{4, 1, 4, 2}));
  EXPECT_EQ(grid.AlignOf(0, 1), kAlignLeft);
  EXPECT_EQ(grid.ForeOf(1, 1), kBlue);
  EXPECT_EQ(grid.AlignOf(1, 1), kAlignCenter);
  EXPECT_EQ(grid.ForeOf(2, 0), kBlue);
  EXPECT_EQ(grid.AlignOf(2, 0), kAlignCenter);
  for (int r : {2, 3, 6, 7})
    for (int c = 1; c < 3; ++c) {
      EXPECT_EQ(grid.BackOf(r, c), kBlue);
      EXPECT_EQ(grid.ForeOf(r, c), kWhite);
      EXPECT_EQ(grid.AlignOf(r, c), kAlignRight);
    }
  // Widths from the pattern "####0.00" (8 characters) and the row-label column.
  // (To the grid's whole pixels.)
  EXPECT_NEAR(grid.ColWidthOf(0), 1400, 7.5);
  EXPECT_NEAR(grid.ColWidthOf(1), 1120, 7.5);
  EXPECT_NEAR(grid.Width(), 1.25 * grid.ColWidthOf(0) + 2 * grid.ColWidthOf(1), 7.5);
  EXPECT_NEAR(grid.Left(), (15360 - grid.Width()) / 2.0, 7.5);
  EXPECT_EQ(f.Frame2.Top() + f.Frame2.Height(), grid.Top());
  EXPECT_EQ(f.Frame1.Top(), 9792);
  EXPECT_EQ(grid.Height(), OutputGridHeight(f.Frame1, grid));

  EXPECT_EQ(g.OutputPageKind, 2);
  EXPECT_TRUE(f.Frame2.Visible());
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  EXPECT_EQ(f.Combo1.ListCount(), 0);
  EXPECT_TRUE(Drawn(f, "MATRIX INVERSION BY LU DECOMPOSITION"));
  EXPECT_TRUE(Drawn(f, "Title: Example"));
}

TEST_F(InverseOutputTest, SingularMatrixStopsAtTheDeterminantRow) {
  Solve(1, {{1, 2, 3}, {2, 4, 6}, {1, 0, 1}});
  Grid &grid = scr5().outputGrid;
  ASSERT_EQ(grid.Rows(), 6);
  EXPECT_EQ(GridRow(4), (Row{"row 3", "1.00", "0.00", "1.00"}));
  const std::string det = "NO INVERSE:         Determinant =0.00";
  EXPECT_EQ(GridRow(5), (Row{"", det, det, det}));
  EXPECT_EQ(grid.BackOf(5, 0), kYellow);
}

// Order 100 at 1E-4 has the determinant 1E-400 and order 99 at -1E4 has -1E396: neither fits
// a double, both are invertible and shown with their inverse.
TEST_F(InverseOutputTest, DeterminantsBeyondADoubleAreShownWithTheInverse) {
  for (const auto &[n, d, text, entry] :
       {std::tuple{100, 1E-4, "1.00E-400", "10000.00"}, std::tuple{99, -1E4, "-1.00E+396", "0.00"}}) {
    std::vector<std::vector<double>> a(static_cast<std::size_t>(n),
                                       std::vector<double>(static_cast<std::size_t>(n)));
    for (int i = 0; i < n; ++i)
      a[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = d;
    Solve(1, a);
    ASSERT_EQ(scr5().outputGrid.Rows(), 2 * (n + 2)) << n;
    EXPECT_EQ(GridRow(n + 2).at(1), std::string("INVERSE:    Determinant =") + text);
    EXPECT_EQ(GridRow(n + 4).at(1), entry);
  }
}

TEST_F(InverseOutputTest, EquationsOfOrderThree) {
  // x + y + z = 6, 2y + 5z = -4, 2x + 5y - z = 27: x = 5, y = 3, z = -2.
  Solve(2, {{1, 1, 1, 6}, {0, 2, 5, -4}, {2, 5, -1, 27}});
  Grid &grid = scr5().outputGrid;
  ASSERT_EQ(grid.Cols(), 5);
  ASSERT_EQ(grid.Rows(), 15);
  EXPECT_EQ(GridRow(0).at(1), "ORIGINAL EQUATIONS:");
  EXPECT_EQ(GridRow(1), (Row{"", "x 1", "x 2", "x 3", "R.H.S"}));
  EXPECT_EQ(GridRow(2), (Row{"eq 1", "1.00", "1.00", "1.00", "6.00"}));
  EXPECT_EQ(GridRow(4), (Row{"eq 3", "2.00", "5.00", "-1.00", "27.00"}));
  EXPECT_EQ(GridRow(5).at(1).rfind("INVERSE:    Determinant =", 0), 0u);
  EXPECT_EQ(GridRow(6), (Row{"", "col 1", "col 2", "col 3", ""}));
  EXPECT_EQ(GridRow(7).at(0), "row 1");
  for (int r = 7; r <= 9; ++r)
    EXPECT_EQ(GridRow(r).at(4), "") << r;
  EXPECT_EQ(GridRow(10), (Row{"", "SOLUTION:", "SOLUTION:", "SOLUTION:", "SOLUTION:"}));
  EXPECT_EQ(GridRow(11), (Row{"x1 =", "5.00", "", "", ""}));
  EXPECT_EQ(GridRow(12), (Row{"x2 =", "3.00", "", "", ""}));
  EXPECT_EQ(GridRow(13), (Row{"x3 =", "-2.00", "", "", ""}));
  EXPECT_EQ(GridRow(14), Row(5, ""));
  for (int c = 0; c < 5; ++c)
    EXPECT_EQ(grid.BackOf(10, c), kYellow);
  EXPECT_EQ(grid.MergedRange(10, 3), (CellRange{10, 1, 10, 4}));
  EXPECT_EQ(grid.ForeOf(11, 1), kBlue);
  EXPECT_EQ(grid.AlignOf(11, 1), kAlignRight);
  EXPECT_TRUE(Drawn(scr5(), "SOLUTION OF SIMULTANEOUS EQUATIONS"));
}

TEST_F(InverseOutputTest, SingularEquationsShowNoSolution) {
  Solve(2, {{1, 1, 2}, {2, 2, 4}});
  ASSERT_EQ(scr5().outputGrid.Rows(), 5);
  EXPECT_EQ(GridRow(4).at(1), "NO INVERSE:         Determinant =0.00");
}

TEST_F(InverseOutputTest, OnlyTheMatrixAsEnteredTakesTheScientificType) {
  g.NumFormatType = 2;
  g.NumDigitsN = 3;
  g.NumDigitsD = 1;
  Solve(1, {{4, 7}, {2, 6}});
  EXPECT_EQ(GridRow(2).at(1), "4.000e+0");
  EXPECT_EQ(GridRow(4).at(1), "INVERSE:    Determinant =10.0");
  EXPECT_EQ(GridRow(6).at(1), "0.6");
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_NEAR(scr5().outputGrid.ColWidthOf(1), 8 * 140, 7.5);
}

} // namespace
} // namespace quon::testing
