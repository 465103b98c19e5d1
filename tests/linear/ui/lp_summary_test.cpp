#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "linear/lp_fixture.h"
#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "linear/ui/lp_summary.h"
#include "platform/colors.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

using Row = std::vector<std::string>;

class LPSummaryTest : public ScreenTest {
protected:
  // The program built and solved as the final-solution road leaves it, then its summary.
  void Summary(const LP &lp, const std::string &title = "Wyndor") {
    Build(lp);
    g.SenseText = lp.sense; // the input screen keeps it with the sense cell
    g.HeaderText[1] = title;
    SolveLP();
    g.FinalIteration = g.IterCount;
    scr5().Show();
    ShowLPOutputSummary();
  }
  Row GridRow(int r, int cols = 6) {
    Row out;
    for (int c = 0; c < cols; ++c)
      out.push_back(scr5().outputGrid.TextMatrix(r, c));
    return out;
  }
  static std::string Name(const std::string &s) { return s + std::string(12 - s.size(), ' '); }

};

TEST_F(LPSummaryTest, AllSlackMaximisationCellForCell) {
  Summary(DoorsAndWindows(true));
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  EXPECT_EQ(g.OutputPageKind, 2);
  EXPECT_EQ(grid.Cols(), 7);
  EXPECT_EQ(grid.Rows(), 2 * 2 + 2 * 3 + 16);
  EXPECT_EQ(GridRow(0), (Row{"Variable", "Value", "Obj Coeff", "Obj Val Contrib", "", ""}));
  EXPECT_EQ(GridRow(1), (Row{"x1:   " + Name("doors"), "2.00", "3.00", "6.00", "", ""}));
  EXPECT_EQ(GridRow(2), (Row{"x2:   " + Name("windows"), "6.00", "5.00", "30.00", "", ""}));
  EXPECT_EQ(GridRow(3), (Row{"Constraint", "RHS", "Slack-/Surplus+", "", "", ""}));
  EXPECT_EQ(GridRow(4), (Row{"1 (<)", "4.00", "2.00-", "", "", ""}));
  EXPECT_EQ(GridRow(5), (Row{"2 (<)", "12.00", "0.00 ", "", "", ""}));
  EXPECT_EQ(GridRow(6), (Row{"3 (<)", "18.00", "0.00 ", "", "", ""}));
  EXPECT_EQ(GridRow(7), (Row{"", "", "", "", "", ""}));
  EXPECT_EQ(GridRow(8), (Row{"", "", "***Sensitivity Analysis***", "***Sensitivity Analysis***", "", ""}));
  EXPECT_EQ(GridRow(9),
            (Row{"Variable", "Current Obj Coeff", "Min Obj Coeff", "Max Obj Coeff", "Reduced Cost", ""}));
  EXPECT_EQ(GridRow(10), (Row{"x1:   " + Name("doors"), "3.00", "0.00", "7.50", "0.00", ""}));
  EXPECT_EQ(GridRow(11), (Row{"x2:   " + Name("windows"), "5.00", "2.00", "infinity", "0.00", ""}));
  EXPECT_EQ(GridRow(12), (Row{"Constraint", "Current RHS", "Min RHS", "Max RHS", "Dual Price", ""}));
  EXPECT_EQ(GridRow(13), (Row{"1 (<)", "4.00", "2.00", "infinity", "0.00", ""}));
  EXPECT_EQ(GridRow(14), (Row{"2 (<)", "12.00", "6.00", "18.00", "1.50", ""}));
  EXPECT_EQ(GridRow(15), (Row{"3 (<)", "18.00", "12.00", "24.00", "1.00", ""}));
  for (int r = 16; r < grid.Rows(); ++r)
    EXPECT_EQ(GridRow(r, 7), Row(7, "")) << "row " << r;

  // Heading rows cyan with blue text in columns 0..5; data rows the grid's white on blue.
  for (int r : {0, 3, 9, 12})
    for (int c = 0; c <= 5; ++c) {
      EXPECT_EQ(grid.BackOf(r, c), kCyan) << r << "," << c;
      EXPECT_EQ(grid.ForeOf(r, c), kBlue) << r << "," << c;
    }
  EXPECT_EQ(grid.BackOf(1, 1), kBlue);
  EXPECT_EQ(grid.ForeOf(1, 1), kWhite);
  EXPECT_EQ(grid.BackOf(8, 2), kBlue);
  // Only the sensitivity title merges, across columns 2 and 3.
  EXPECT_EQ(grid.MergedRange(8, 2), (CellRange{8, 2, 8, 3}));
  EXPECT_EQ(grid.MergedRange(5, 2), (CellRange{5, 2, 5, 2}));
  EXPECT_EQ(grid.AlignOf(8, 2), kAlignCenter);
  EXPECT_EQ(grid.AlignOf(1, 0), kAlignLeft);
  EXPECT_EQ(grid.AlignOf(1, 1), kAlignRight);

  EXPECT_TRUE(Drawn(f, "LINEAR PROGRAMMING OUTPUT SUMMARY"));
  EXPECT_TRUE(Drawn(f, "Title: Wyndor"));
  EXPECT_TRUE(Drawn(f, "Final Iteration No.:  " + std::to_string(g.FinalIteration)));
  EXPECT_TRUE(Drawn(f, "Objective Value (Max) =36.00"));
  EXPECT_TRUE(f.Frame2.Visible());
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  EXPECT_FALSE(f.Frame4.Visible());
  EXPECT_FALSE(f.grid1.Visible());
  EXPECT_TRUE(grid.Visible());
}

TEST_F(LPSummaryTest, LayoutFollowsTheScreen) {
  Summary(DoorsAndWindows(true));
  Scr5 &f = scr5();
  Grid &grid = f.outputGrid;
  EXPECT_EQ(f.Frame1.Top(), 9792); // 0.85 x 11520
  EXPECT_EQ(f.Frame1.Left(), (15360 - f.Frame1.Width()) / 2);
  EXPECT_EQ(f.Frame2.Left(), (15360 - f.Frame2.Width()) / 2);
  EXPECT_EQ(grid.Left(), 800);
  EXPECT_EQ(grid.Width(), 15360 - 1600);
  EXPECT_EQ(grid.Top(), static_cast<int>(std::nearbyint(f.Frame2.Top() + 1.01 * f.Frame2.Height())));
  EXPECT_EQ(grid.Height(), OutputGridHeight(f.Frame1, grid));
  // 13760 / 5 and 13760 / 6, to the grid's whole pixels.
  EXPECT_NEAR(grid.ColWidthOf(0), 2752, 7.5);
  EXPECT_NEAR(grid.ColWidthOf(3), 2293, 7.5);
}

TEST_F(LPSummaryTest, ScientificPatternReachesEveryNumber) {
  Build(DoorsAndWindows(true));
  g.NumFormatType = 2;
  SolveLP();
  scr5().Show();
  ShowLPOutputSummary();
  EXPECT_EQ(scr5().outputGrid.TextMatrix(1, 1), "2.00000e+00");
  EXPECT_EQ(scr5().outputGrid.TextMatrix(5, 2), "0.00000e+00 ");
  EXPECT_EQ(scr5().outputGrid.TextMatrix(14, 4), "1.50000e+00");
}

TEST_F(LPSummaryTest, SurplusOfAGreaterRowAndMinimisationHeading) {
  // Minimize 2x1 + 3x2 subject to x1 + x2 >= 4, x1 <= 3: x1 = 3, x2 = 1.
  LP lp{.sense = "Minimize",
        .c = {2, 3},
        .a = {{1, 1}, {1, 0}, {0, 1}},
        .rel = {">=", "<=", ">="},
        .b = {4, 3, 0.5}};
  Summary(lp);
  EXPECT_TRUE(Drawn(scr5(), "Objective Value (Min) =9.00"));
  EXPECT_EQ(GridRow(4).at(0), "1 (>)");
  EXPECT_EQ(GridRow(4).at(2), "0.00 ");
  EXPECT_EQ(GridRow(5).at(2), "0.00 ");
  // The third row has a surplus of 0.5 above its right-hand side.
  EXPECT_EQ(GridRow(6).at(0), "3 (>)");
  EXPECT_EQ(GridRow(6).at(2), "0.50+");
}

TEST_F(LPSummaryTest, BoundLinesInBothTables) {
  // Maximise 3x1 + x2 subject to x1 + x2 <= 10, 5 <= x1 <= 8: x1 = 8, x2 = 2.
  LP lp{.c = {3, 1},
        .a = {{1, 1}},
        .rel = {"<="},
        .b = {10},
        .lower = {"5", "0"},
        .upper = {"8", "infinity"},
        .names = {"a", "b"}};
  Summary(lp);
  Grid &grid = scr5().outputGrid;
  EXPECT_EQ(grid.Rows(), 2 * 2 + 2 * 1 + 2 * 2 + 16);
  EXPECT_EQ(GridRow(1).at(1), "8.00");
  EXPECT_EQ(GridRow(4), (Row{"1 (<)", "10.00", "0.00 ", "", "", ""}));
  EXPECT_EQ(GridRow(5), (Row{"LB-x1 " + Name("a"), "5.00", "3.00+", "", "", ""}));
  EXPECT_EQ(GridRow(6), (Row{"UB-x1 " + Name("a"), "8.00", "0.00 ", "", "", ""}));
  EXPECT_EQ(GridRow(7), Row(6, ""));
  EXPECT_EQ(GridRow(8).at(2), "***Sensitivity Analysis***");
  EXPECT_EQ(GridRow(12).at(0), "Constraint");
  EXPECT_EQ(GridRow(13).at(0), "1 (<)");
  const Row lower = GridRow(14), upper = GridRow(15);
  EXPECT_EQ(lower.at(0), "LB-x1");
  EXPECT_EQ(lower.at(1), "5.00");
  EXPECT_EQ(lower.at(4), "0.00");
  EXPECT_EQ(upper.at(0), "UB-x1");
  EXPECT_EQ(upper.at(1), "8.00");
  EXPECT_EQ(upper.at(4), Format(g.RedCost(1), "####0.00"));
  EXPECT_EQ(GridRow(16), Row(6, ""));
}

TEST_F(LPSummaryTest, AlternativeOptimaSentence) {
  // Maximise x1 + x2 subject to x1 + x2 <= 4: every point of the edge is optimal.
  LP lp{.c = {1, 1}, .a = {{1, 1}, {1, 0}}, .rel = {"<=", "<="}, .b = {4, 3}};
  Summary(lp);
  ASSERT_EQ(g.AltOptimaFlag, 1);
  EXPECT_TRUE(Drawn(scr5(), "Objective Value (Max) =4.00 -- Alternative solution(s) detected (enter "
                            "ITERATIONS mode to determine such solutions)"));
}

TEST_F(LPSummaryTest, InfeasibleAndUnboundedShowOneSentenceAndNoGrid) {
  LP infeasible{.c = {1}, .a = {{1}, {1}}, .rel = {"<=", ">="}, .b = {2, 3}, .names = {"x"}};
  Summary(infeasible);
  Scr5 &f = scr5();
  EXPECT_EQ(g.ZValue, -999999);
  EXPECT_TRUE(Drawn(f, "Problem has no feasible solution"));
  EXPECT_FALSE(Drawn(f, "Optimum solution is unbounded"));
  EXPECT_FALSE(f.outputGrid.Visible());
  EXPECT_FALSE(f.Frame2.Visible());
  EXPECT_FALSE(f.Frame4.Visible());
  EXPECT_EQ(f.Frame1.Top(), 9792);
  EXPECT_EQ(g.OutputPageKind, 2);
  Forms::Clear();

  LP unbounded{.c = {1, 1}, .a = {{1, -1}}, .rel = {"<="}, .b = {1}};
  Summary(unbounded);
  EXPECT_EQ(g.ZValue, 999999);
  EXPECT_TRUE(Drawn(scr5(), "Optimum solution is unbounded"));
  EXPECT_FALSE(scr5().outputGrid.Visible());
  EXPECT_FALSE(scr5().Frame2.Visible());
}

TEST_F(LPSummaryTest, LongVariableNamesShowTwelveCharacters) {
  LP lp = DoorsAndWindows(true);
  lp.names = {"productionline", "w"};
  Summary(lp);
  EXPECT_EQ(GridRow(1).at(0), "x1:   productionli");
  EXPECT_EQ(GridRow(2).at(0), "x2:   w           ");
}

} // namespace
} // namespace quon::testing
