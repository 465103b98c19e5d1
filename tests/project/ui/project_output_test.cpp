#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/ui/scr2.h"
#include "platform/colors.h"
#include "project/project_fixture.h"
#include "project/project_schedule.h"
#include "project/ui/project_output.h"
#include "shell/ui/scr5.h"
#include "support/grid_cells.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

using Row = std::vector<std::string>;
using test::kFourNodes;

class ProjectOutputTest : public ScreenTest {
protected:
  // The project read, then the output screen as the dispatch leaves it for the first view.
  void Open(int method, const std::vector<test::ActivityRow> &rows) {
    test::LoadProject(method, rows);
    InitGlobals(15360, 11520);
    g.ModelClass = ModelClassCode::ProjectPlanning;
    g.HeaderText[1] = "Demo";
    // What "View/Modify Input Data" needs to rebuild the input screen after a loop.
    g.GridRows = static_cast<int16>(rows.size() + 1);
    g.GridCols = static_cast<int16>(method == 2 ? 7 : 5);
    scr5().Show();
    InitProjectOutputScreen();
  }
  void Choose(int option) {
    g.OutputOption = static_cast<int16>(option);
    SelectProjectOutputOption();
  }
  Grid &grid() { return scr5().outputGrid; }
  Row GridRow(int r) { return test::RowTexts(grid(), r); }
  void Press(int times) {
    for (int k = 0; k < times; ++k)
      ProjectNextStep();
  }
  std::vector<Row> AllRows() {
    std::vector<Row> out;
    for (int r = 0; r < grid().Rows(); ++r)
      out.push_back(GridRow(r));
    return out;
  }
};

TEST_F(ProjectOutputTest, CPMStepsPressByPressOnTheFourNodeExample) {
  Open(1, kFourNodes);
  Scr5 &f = scr5();
  EXPECT_EQ(f.cmdNextIter.Caption(), "Next Step");
  EXPECT_EQ(f.cmdFinalIter.Caption(), "All Steps");
  ASSERT_EQ(f.Combo1.ListCount(), 2);
  EXPECT_EQ(f.Combo1.List(1), "CPM Calculations");
  Choose(2);
  EXPECT_EQ(g.OutputPageKind, 2);
  EXPECT_EQ(f.Label1.Caption(), "SOLUTION STEPS");
  EXPECT_FALSE(f.cmdWriteToPrinter.Enabled());
  ASSERT_EQ(grid().Rows(), 2);
  EXPECT_EQ(GridRow(1), (Row{"Step", "Node", "Earliest Time", "", "Step", "Node", "Latest Time"}));
  EXPECT_EQ(grid().MergedRange(0, 1), (CellRange{0, 0, 0, 2}));
  EXPECT_EQ(grid().MergedRange(0, 5), (CellRange{0, 4, 0, 6}));
  EXPECT_EQ(grid().BackOf(1, 0), kYellow);
  EXPECT_EQ(grid().BackOf(0, 3), kGrey);

  Press(4);
  EXPECT_EQ(GridRow(2), (Row{"1", "1", "0.00", "", "", "", ""}));
  EXPECT_EQ(GridRow(5), (Row{"4", "4", "8.00", "", "", "", ""}));
  Press(1); // the end step
  EXPECT_EQ(GridRow(2), (Row{"1", "1", "0.00", "", "5", "4", "8.00"}));
  EXPECT_EQ(grid().TextMatrix(6, 0), "Forward pass completed");
  EXPECT_EQ(grid().MergedRange(6, 0), (CellRange{6, 0, 6, 2}));
  EXPECT_EQ(grid().ForeOf(5, 2), kCyan);
  EXPECT_EQ(grid().ForeOf(2, 6), kCyan);
  Press(2);
  EXPECT_EQ(GridRow(3), (Row{"2", "2", "3.00", "", "6", "2", "4.00"}));
  EXPECT_EQ(GridRow(4), (Row{"3", "3", "2.00", "", "7", "3", "2.00"}));
  Press(1); // the last backward label also starts the schedule
  EXPECT_EQ(GridRow(5), (Row{"4", "4", "8.00", "", "8", "1", "0.00"}));
  EXPECT_EQ(GridRow(6)[4], "Backward pass completed");
  EXPECT_EQ(GridRow(7), (Row{"Activity", "Duration", "Earliest Start", "", "Latest Completion", "Total Float",
                             "Free Float"}));
  EXPECT_EQ(GridRow(8), (Row{"A", "3.00", "0.00", "", "4.00", "1.00", "0.00"}));
  EXPECT_TRUE(f.cmdNextIter.Enabled());
  Press(3);
  EXPECT_EQ(grid().Rows(), 13);
  EXPECT_EQ(GridRow(11), (Row{"D", "6.00", "2.00", "", "8.00", "0.00", "0.00"}));
  EXPECT_EQ(grid().TextMatrix(12, 3), "Critical activities highlighted in red");
  EXPECT_EQ(grid().MergedRange(12, 3), (CellRange{12, 0, 12, 6}));
  for (int r = 8; r <= 11; ++r)
    EXPECT_EQ(grid().ForeOf(r, 0) == kRed, r == 9 || r == 11) << "row " << r;
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  EXPECT_FALSE(f.cmdFinalIter.Enabled());
  EXPECT_TRUE(f.cmdWriteToPrinter.Enabled());
  EXPECT_EQ(g.IterCount, 11);
}

TEST_F(ProjectOutputTest, AllStepsFinishesWhatNextStepsBegan) {
  Open(1, kFourNodes);
  Choose(2);
  Press(12); // one press more than the table takes changes nothing
  const std::vector<Row> stepped = AllRows();
  Choose(2);
  Press(6);
  ProjectAllSteps();
  EXPECT_EQ(AllRows(), stepped);
  EXPECT_FALSE(scr5().cmdFinalIter.Enabled());

  // A single activity: the fourth press labels node 1 backwards, closes both passes, shows the
  // only activity and the closing row.
  Open(1, {{"1", "2", "A", "2.5"}});
  Choose(2);
  Press(3);
  EXPECT_EQ(GridRow(2), (Row{"1", "1", "0.00", "", "3", "2", "2.50"}));
  Press(1);
  EXPECT_EQ(grid().Rows(), 8);
  EXPECT_EQ(GridRow(3), (Row{"2", "2", "2.50", "", "4", "1", "0.00"}));
  EXPECT_EQ(GridRow(6), (Row{"A", "2.50", "0.00", "", "2.50", "0.00", "0.00"}));
  EXPECT_EQ(grid().ForeOf(6, 6), kRed);
  EXPECT_EQ(grid().TextMatrix(7, 0), "Critical activities highlighted in red");
}

TEST_F(ProjectOutputTest, DecimalDurationsOnEqualPathsAreAllRed) {
  Open(1, {{"1", "2", "A", "0.1"}, {"2", "3", "B", "0.2"}, {"1", "3", "C", "0.3"}, {"3", "4", "D", "1.1"}});
  Choose(2);
  ProjectAllSteps();
  const int first = grid().Rows() - 5;
  ASSERT_EQ(grid().TextMatrix(first - 1, 0), "Activity");
  for (int r = first; r < first + 4; ++r) {
    EXPECT_EQ(grid().ForeOf(r, 5), kRed) << "row " << r;
    EXPECT_EQ(grid().TextMatrix(r, 5), "0.00");
  }
}

TEST_F(ProjectOutputTest, LoopStopsTheStepsAndReturnsToTheInputScreen) {
  Open(1, {{"1", "2", "A", "1"}, {"2", "3", "B", "1"}, {"3", "4", "C", "1"}, {"4", "2", "D", "1"},
           {"1", "5", "E", "1"}});
  Choose(2);
  script.AnswerMsgBox(msg::OK, "Loop detected.  Forward Pass cannot proceed past node 5");
  ProjectAllSteps();
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].title, "Data Error");
  EXPECT_EQ(g.ProjStatus, 0);
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_TRUE(scr2().Shown());

  // The bar chart's whole run reports the same loop under its own title.
  Open(1, {{"1", "2", "A", "1"}, {"2", "3", "B", "1"}, {"3", "4", "C", "1"}, {"4", "2", "D", "1"},
           {"3", "5", "E", "1"}});
  script.AnswerMsgBox(msg::OK, "Loop detected.  Forward Pass cannot proceed past node 1");
  g.OutputOption = 1;
  EXPECT_FALSE(SelectProjectOutputOption());
  EXPECT_EQ(script.Shown().back().title, "Input Data Error");
  EXPECT_EQ(g.ProjStatus, 2);
  EXPECT_FALSE(IsLoaded<Scr5>());
}

TEST_F(ProjectOutputTest, PERTViewsShowMeansVariancesAndPaths) {
  Open(2, {{"1", "2", "A", "1", "2", "3"}, {"2", "3", "B", "2", "5", "8"}, {"1", "3", "C", "1", "4", "13"}});
  Scr5 &f = scr5();
  EXPECT_EQ(f.Combo1.List(0), "Activity Mean/Var");
  Choose(1);
  EXPECT_EQ(f.Label1.Caption(), "ACTIVITY MEAN AND VARIANCE");
  EXPECT_FALSE(f.cmdNextIter.Enabled());
  ASSERT_EQ(grid().Rows(), 6);
  EXPECT_EQ(GridRow(0), (Row{"Activity", "Activity Symbol", "Mean Duration", "Variance"}));
  EXPECT_EQ(grid().BackOf(0, 3), kYellow);
  EXPECT_EQ(GridRow(1), Row(4, ""));
  EXPECT_EQ(GridRow(2), (Row{"1-2", "A", "2.00", "0.11"}));
  EXPECT_EQ(GridRow(4), (Row{"1-3", "C", "5.00", "4.00"}));

  Choose(2);
  EXPECT_EQ(f.Label1.Caption(), "PATH MEAN AND STD. DEVIATION");
  ASSERT_EQ(grid().Rows(), 5);
  EXPECT_EQ(GridRow(0),
            (Row{"Node", "Longest Path Based on Mean Durations", "Mean Duration", "Std. Deviation"}));
  EXPECT_EQ(GridRow(1), Row(4, "")); // the start node
  EXPECT_EQ(GridRow(2), (Row{"2", " 1- 2", "2.00", "0.33"}));
  EXPECT_EQ(GridRow(3), (Row{"3", " 1- 2- 3", "7.00", "1.05"}));
  EXPECT_EQ(GridRow(4), Row(4, ""));

  // PERT has no steps: a press only counts.
  const int count = g.IterCount;
  ProjectNextStep();
  ProjectAllSteps();
  EXPECT_EQ(g.IterCount, count + 1);
  EXPECT_EQ(grid().Rows(), 5);
}

// A loop that does not lead to the end node still stops the PERT output.
TEST_F(ProjectOutputTest, PERTLoopOffTheRoadToTheEndReturnsToInput) {
  script.AnswerMsgBox(msg::OK, "Loop detected.  Forward Pass cannot proceed past node 1");
  Open(2, {{"1", "2", "A", "1", "2", "3"}, {"2", "3", "B", "1", "2", "3"}, {"3", "4", "C", "1", "2", "3"},
           {"4", "2", "D", "1", "2", "3"}, {"1", "5", "E", "1", "2", "3"}});
  EXPECT_EQ(script.Shown().back().title, "Input Data Error");
  EXPECT_FALSE(IsLoaded<Scr5>());
  EXPECT_TRUE(scr2().Shown());
}

} // namespace
} // namespace quon::testing
