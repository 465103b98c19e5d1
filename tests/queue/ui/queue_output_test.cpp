#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/recording_surface.h"
#include "platform/screen.h"
#include "queue/queue_measures.h"
#include "queue/queue_scenarios.h"
#include "queue/ui/queue_output.h"
#include "shell/screen_frame.h"
#include "shell/ui/scr5.h"
#include "support/grid_cells.h"
#include "support/screen_fixture.h"

namespace quon::testing {
namespace {

using Row = std::vector<std::string>;
constexpr double kInf = kQueueInf;

class QueueOutputTest : public ScreenTest {
protected:
  // The scenarios arriving on the output screen.
  void Arrive(const std::vector<std::vector<double>> &rows) {
    LoadQueueScenarios(rows);
    scr5().Show();
    InitQueueOutputScreen();
  }
  // The list's choice, as the shell's list handler passes it on.
  void Choose(int option) {
    g.OutputOption = static_cast<int16>(option);
    ShowQueueScenarioOutput();
  }
  static Row GridRow(const Grid &grid, int r) { return test::RowTexts(grid, r); }
};

TEST_F(QueueOutputTest, ArrivalListsTheScenariosAndShowsNothingBelowTheList) {
  Arrive({{5, 2, 3, kInf, kInf}, {2, 1, 3, 10, kInf}, {0, 1, 0, 5, kInf}});
  Scr5 &f = scr5();
  ASSERT_EQ(f.Combo1.ListCount(), 4);
  EXPECT_EQ(f.Combo1.List(0), "Scenario1");
  EXPECT_EQ(f.Combo1.List(2), "Scenario3");
  EXPECT_EQ(f.Combo1.List(3), "Comparative Analysis");
  EXPECT_EQ(g.OutputPageKind, 2);
  EXPECT_TRUE(Drawn(f, "QUEUEING OUTPUT ANALYSIS"));
  EXPECT_TRUE(f.Frame4.Visible());
  for (const Control *c : {static_cast<const Control *>(&f.Frame1), static_cast<const Control *>(&f.Frame2),
                           static_cast<const Control *>(&f.outputGrid), static_cast<const Control *>(&f.grid1)})
    EXPECT_FALSE(c->Visible()) << c->Name();
  EXPECT_NEAR(f.Frame4.Top(), 1.01 * gq.SavedCtlPos, 1);
  EXPECT_EQ(f.Frame4.Left(), (ScreenWidth() - f.Frame4.Width()) / 2);
}

TEST_F(QueueOutputTest, ComparativeAnalysisTable) {
  Arrive({{5, 2, 3, kInf, kInf}, {4, 2, kInf, kInf, kInf}, {3, 0, 0, kInf, kInf}});
  Choose(4);
  Scr5 &f = scr5();
  const Grid &grid = f.grid1;
  EXPECT_EQ(f.Label1.Caption(), "Comparative analysis");
  EXPECT_TRUE(grid.Visible());
  EXPECT_FALSE(f.outputGrid.Visible());
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  ASSERT_EQ(grid.Rows(), 4);
  ASSERT_EQ(grid.Cols(), 10);
  EXPECT_EQ(GridRow(grid, 0), (Row{"Scenario", "c", "Lambda", "Mu", "L'da eff", "p0", "Ls", "Lq", "Ws", "Wq"}));
  EXPECT_EQ(GridRow(grid, 1),
            (Row{"1", "3", "5.00000", "2.00000", "5.00000", "0.04494", "6.01124", "3.51124", "1.20225", "0.70225"}));
  EXPECT_EQ(GridRow(grid, 2)[1], "infinity");
  EXPECT_EQ(GridRow(grid, 3), (Row{"3", "0", "3.00000", "0.00000", "", "0.04979", "3.00000", "", "", ""}));
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(grid.BackOf(0, c), kCyan);
    EXPECT_EQ(grid.ForeOf(0, c), kBlue);
    EXPECT_EQ(grid.BackOf(1, c), kBlue);
  }
  // Widths 1000 and 100 (N + D + 2), to whole pixels.
  EXPECT_NEAR(grid.ColWidthOf(1), 1000, 15);
  EXPECT_NEAR(grid.ColWidthOf(2), 1200, 15);
  EXPECT_NEAR(grid.Width(), 2 * grid.ColWidthOf(0) + 8 * grid.ColWidthOf(2), 30);
  EXPECT_EQ(grid.Left(), (ScreenWidth() - grid.Width()) / 2);
}

// A hundred scenarios: the table opens at its first scenario under the headings, and the
// headings stay when it scrolls.
TEST_F(QueueOutputTest, LongComparativeTableKeepsItsHeadingsInView) {
  Arrive(std::vector<std::vector<double>>(100, {5, 2, 3, kInf, kInf}));
  Choose(101);
  Grid &grid = scr5().grid1;
  ASSERT_EQ(grid.Rows(), 101);
  ASSERT_GT(grid.ViewHeight(), 0);
  ASSERT_LT(grid.ViewHeight(), 101 * grid.DefaultRowHeight());
  EXPECT_EQ(grid.RowAt(1), 0);
  EXPECT_EQ(grid.RowAt(grid.RowHeightOf(0) + 1), 1);
  grid.SetTopRow(60);
  EXPECT_EQ(grid.RowAt(1), 0);
  EXPECT_EQ(grid.TextMatrix(0, 0), "Scenario");
  EXPECT_EQ(grid.BackOf(0, 2), kCyan);
}

// The title line is painted afresh inside the white screen frame, never across its line.
TEST_F(QueueOutputTest, TitleLineRepaintStaysInsideTheScreenFrame) {
  Arrive({{2, 1, 3, 10, kInf}, {1, 1, 1, 6, kInf}});
  Choose(1);
  Choose(3);
  RecordingSurface frame(ScreenWidth(), ScreenHeight());
  DrawFrameAndTitle(frame, ScreenWidth(), ScreenHeight());
  const RecordedOp &box = frame.Ops().front();
  ASSERT_EQ(box.kind, DrawKind::Box);
  const double half = box.width * 15 / 2.0;
  int fills = 0;
  for (const DrawOp &op : scr5().DrawnOps())
    if (op.kind == DrawKind::FilledBox) {
      ++fills;
      EXPECT_GE(std::min(op.x1, op.x2), box.x1 + half);
      EXPECT_LE(std::max(op.x1, op.x2), box.x2 - half);
    }
  EXPECT_EQ(fills, 2);
}

TEST_F(QueueOutputTest, ScenarioMeasuresAndTwoBlockTable) {
  Arrive({{2, 1, 3, 10, kInf}, {1, 1, 1, 6, kInf}});
  Scr5 &f = scr5();
  Choose(1);
  EXPECT_EQ(f.Label1.Caption(), " Scenario  1:(M/M/3):(GD/10/infinity)");
  const Grid &grid = f.grid1;
  ASSERT_EQ(grid.Rows(), 6);
  EXPECT_EQ(GridRow(grid, 1), (Row{"Lambda =", "2.00000", "", "Mu =", "1.00000", ""}));
  EXPECT_EQ(GridRow(grid, 2)[3], "Rho/c =");
  EXPECT_EQ(GridRow(grid, 2)[4], "0.66667");
  // Its four label and value columns and the gap between, inside its border.
  EXPECT_EQ(grid.Width(), 4 * grid.ColWidthOf(1) + grid.ColWidthOf(2) + 2 * grid.BorderTwips);

  // The comparative view's heading colours do not stay behind in the next view.
  Choose(3);
  Choose(2);
  EXPECT_EQ(grid.BackOf(0, 0), kBlue);
  const Grid &table = f.outputGrid;
  EXPECT_TRUE(table.Visible());
  EXPECT_EQ(gq.NPn, 7);
  EXPECT_EQ(table.Rows(), 5);
  EXPECT_EQ(GridRow(table, 0), (Row{"n", "Probability, pn", "Cumulative, Pn", "n", "Probability, pn", "Cumulative, Pn"}));
  EXPECT_EQ(GridRow(table, 1), (Row{"0", "0.14286", "0.14286", "4", "0.14286", "0.71429"}));
  EXPECT_EQ(GridRow(table, 4), (Row{"3", "0.14286", "0.57143", "", "", ""}));
  EXPECT_EQ(table.Top(), grid.Top() + grid.Height());
  EXPECT_LE(table.Top() + table.Height(), f.Frame1.Top());
}

TEST_F(QueueOutputTest, PureDeathCaptionAndTheMeasuresItHasNot) {
  Arrive({{0, 1, 0, 5, kInf}});
  Choose(1);
  Scr5 &f = scr5();
  EXPECT_EQ(f.Label1.Caption(), " Scenario  1: Pure Death Model(N =  5)");
  const Grid &grid = f.grid1;
  EXPECT_EQ(GridRow(grid, 1), (Row{"Lambda =", "0.00000", "", "Mu =", "1.00000", ""}));
  EXPECT_EQ(GridRow(grid, 2), (Row{"L'da eff =", "", "", "Rho/c =", "", ""}));
  EXPECT_EQ(GridRow(grid, 3)[4], "");
  EXPECT_NE(GridRow(grid, 3)[1], "");
  EXPECT_EQ(GridRow(grid, 4), (Row{"Ws =", "", "", "Wq =", "", ""}));
  EXPECT_EQ(f.outputGrid.TextMatrix(3, 4), "0.36788"); // p5 = e^-1, last of the right block
}

} // namespace
} // namespace quon::testing
