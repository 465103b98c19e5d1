#include <gtest/gtest.h>

#include <tuple>

#include "project/project_fixture.h"
#include "project/project_input.h"

namespace quon {
namespace {

// A project grid with one row per activity (from, to, symbol, durations), none below.
GridStore Activities(int method, const std::vector<test::ActivityRow> &rows) {
  return test::NumberedGrid(rows, method == 2 ? 7 : 5);
}

class ProjectInput : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.ProjMethod = 1;
  }
  // Prepares, dimensions and reads a grid as "SOLVE Menu" does.
  std::optional<InputMessage> Read(GridStore &grid) {
    if (auto m = PrepareProjectGrid(grid)) return m;
    ReDimProblemArrays(ArrayKind::Projects, grid.Rows());
    return ReadProjectInput(grid);
  }
};

TEST_F(ProjectInput, TrailingEmptyRowsAreCutAndTheLargestNodeCounted) {
  GridStore grid =
      Activities(1, {{"1", "2", "A", "3"}, {"2", "5", "B", "4"}, {"", "", "", ""}, {"0", "0", "", "0.00"}});
  EXPECT_FALSE(PrepareProjectGrid(grid));
  EXPECT_EQ(g.ActivityCount, 2);
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(g.NodeCount, 5);
}

TEST_F(ProjectInput, MissingProjectDataKeepsTheGrid) {
  GridStore zeros = Activities(1, {{"", "", "", ""}, {"0", "", "", "0"}, {"", "", "", ""}});
  auto msg = PrepareProjectGrid(zeros);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "Meaningless or missing project data");
  EXPECT_EQ(msg->title, "Input Data Error");
  EXPECT_TRUE(msg->resetSelection);
  EXPECT_EQ(zeros.Rows(), 4);

  GridStore empty = Activities(1, {{"", "", "", ""}});
  EXPECT_TRUE(PrepareProjectGrid(empty));
}

// One activity is a project on the grid as typed (an empty row below) and as the return to the
// input screen rebuilds it (no row below).
TEST_F(ProjectInput, OneActivityIsAcceptedWhateverRowsTrailIt) {
  for (GridStore grid : {Activities(1, {{"1", "2", "A", "3"}, {"", "", "", ""}}), Activities(1, {{"1", "2", "A", "3"}})}) {
    g = Mod1{};
    g.ProjMethod = 1;
    EXPECT_FALSE(Read(grid));
    EXPECT_EQ(g.ActivityCount, 1);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_FLOAT_EQ(g.ArcDur(1, 2), 3);
  }
}

TEST_F(ProjectInput, EveryActivityRowIsCheckedWithTheEditorOnTheBadCell) {
  struct Case {
    std::vector<std::vector<std::string>> rows;
    std::string text;
    std::string title;
    int row;
    int col;
  };
  const char *numbering = "Node number must be >=1", *title = "Node Numbering Error";
  const Case cases[] = {
      {{{"1", "2", "A", "3"}, {"0", "3", "B", "1"}, {"3", "4", "C", "1"}}, numbering, title, 2, 1},
      {{{"1", "2", "A", "3"}, {"", "", "B", "1"}, {"3", "4", "C", "1"}}, numbering, title, 2, 2},
      // A symbol alone is typed data, never cut as an empty row.
      {{{"1", "2", "A", "3"}, {"2", "3", "B", "1"}, {"", "", "C", ""}}, numbering, title, 3, 2},
      {{{"1", "2", "A", "3"}, {"2", "2", "B", "1"}, {"2", "3", "C", "1"}},
       "FROM and TO nodes must be assigned distinct numbers", "Nodes Numbering Error", 2, 2},
      {{{"1", "2", "A", "3"}, {"2", "3", "B", "1"}, {"1", "2", "C", "1"}},
       "Nodes defining this activity have already been assigned to another", title, 3, 1},
      {{{"1", "2", "A", "3"}, {"2", "1001", "B", "1"}, {"1", "3", "C", "1"}},
       "Node numbers cannot exceed 1000", title, 2, 2},
      {{{"1.5", "2", "A", "3"}, {"2", "3", "B", "1"}, {"1", "3", "C", "1"}},
       "Node numbers must be whole numbers", title, 1, 1},
  };
  for (const Case &c : cases) {
    GridStore grid = Activities(1, c.rows);
    auto msg = PrepareProjectGrid(grid);
    ASSERT_TRUE(msg) << c.text;
    EXPECT_EQ(msg->text, c.text);
    EXPECT_EQ(msg->title, c.title);
    EXPECT_EQ(msg->row, c.row) << c.text;
    EXPECT_EQ(msg->col, c.col) << c.text;
    EXPECT_EQ(msg->style, msg::OKOnly | msg::Critical);
  }
  // The repeated activity keeps its symbol: nothing typed is lost at submission.
  GridStore dup = Activities(1, {{"1", "2", "A", "3"}, {"1", "2", "B", "1"}, {"2", "3", "C", "1"}});
  ASSERT_TRUE(PrepareProjectGrid(dup));
  EXPECT_EQ(dup.TextMatrix(2, 3), "B");
}

TEST_F(ProjectInput, PertDurationsAreCheckedInEveryRowIncludingTheLast) {
  g.ProjMethod = 2;
  GridStore grid = Activities(
      2, {{"1", "2", "A", "1", "2", "3"}, {"2", "3", "B", "4", "3", "5"}, {"", "", "", "", "", ""}});
  auto msg = PrepareProjectGrid(grid);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "Duration data in preceding row must satisfy a <= m <= b");
  EXPECT_EQ(msg->title, "Duration Error");
  EXPECT_EQ(msg->row, 2);
  EXPECT_EQ(msg->col, 4);
}

TEST_F(ProjectInput, NegativeDurationsAreRefusedBeforeTheyCanMeanNoActivity) {
  for (int method : {1, 2}) {
    g.ProjMethod = static_cast<int16>(method);
    GridStore grid = method == 1
                         ? Activities(1, {{"1", "2", "A", "2"}, {"2", "3", "B", "-1"}})
                         : Activities(2, {{"1", "2", "A", "2", "2", "2"}, {"2", "3", "B", "-1", "0", "1"}});
    auto msg = PrepareProjectGrid(grid);
    ASSERT_TRUE(msg);
    EXPECT_EQ(msg->text, "Duration data in preceding row must not be negative");
    EXPECT_EQ(msg->title, "Duration Error");
    EXPECT_EQ(msg->row, 2);
    EXPECT_EQ(msg->col, 4);
  }
}

TEST_F(ProjectInput, CpmChainMarksStartAndEnd) {
  GridStore grid = Activities(1, {{"1", "2", "A", "3"}, {"2", "3", "B", "4"}});
  EXPECT_FALSE(Read(grid));
  EXPECT_EQ(g.ProjStatus, 1);
  for (const auto &[from, to, d] : {std::tuple{1, 2, 3.0f}, {2, 3, 4.0f}, {1, 3, -1.0f}, {0, 1, -1.0f},
                                   {3, 0, -1.0f}, {0, 2, 0.0f}, {2, 0, 0.0f}})
    EXPECT_FLOAT_EQ(g.ArcDur(from, to), d) << from << "-" << to;
  EXPECT_FLOAT_EQ(g.EarlyTime(0), 0);
  EXPECT_FLOAT_EQ(g.EarlyTime(2), -1);
  EXPECT_FLOAT_EQ(g.LateTime(3), -1);
  EXPECT_EQ(g.ActSymbol(2), "B");
  EXPECT_FLOAT_EQ(g.NetMatrix(2, 4), 4);
  EXPECT_FALSE(CheckProjectStartFinish());
}

TEST_F(ProjectInput, PertMeanAndVariance) {
  g.ProjMethod = 2;
  GridStore grid = Activities(2, {{"1", "2", "A", "2", "4", "12"}, {"2", "3", "B", "1", "1", "1"}});
  EXPECT_FALSE(Read(grid));
  EXPECT_FLOAT_EQ(g.ArcDur(1, 2), 5);
  EXPECT_NEAR(g.ArcVar(1, 2), 100.0 / 36.0, 1e-6);
  EXPECT_FLOAT_EQ(g.ArcVar(2, 3), 0);
}

TEST_F(ProjectInput, OppositeActivitiesAreAClosedLoop) {
  GridStore grid = Activities(1, {{"2", "3", "A", "1"}, {"1", "2", "B", "1"}, {"3", "4", "C", "1"},
                                  {"3", "2", "D", "1"}, {"4", "5", "E", "9"}});
  auto msg = Read(grid);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "Closed loop detected between nodes 3 and 2");
  EXPECT_EQ(msg->title, "Network Error");
  EXPECT_TRUE(msg->resetSelection);
  EXPECT_EQ(g.ProjStatus, 0);
  EXPECT_FLOAT_EQ(g.ArcDur(4, 5), -1); // later rows are never entered
}

TEST_F(ProjectInput, UnusedNodeIsIsolated) {
  GridStore grid = Activities(1, {{"1", "2", "A", "1"}, {"2", "4", "B", "1"}});
  EXPECT_FALSE(Read(grid));
  EXPECT_EQ(g.NodeCount, 4);
  EXPECT_FLOAT_EQ(g.ArcDur(0, 3), -2);
  EXPECT_FLOAT_EQ(g.ArcDur(3, 0), -2);
  EXPECT_FLOAT_EQ(g.EarlyTime(0), 1);
  EXPECT_FALSE(CheckProjectStartFinish());
}

TEST_F(ProjectInput, StartAndFinishTexts) {
  GridStore both =
      Activities(1, {{"1", "2", "A", "1"}, {"3", "2", "B", "1"}, {"2", "7", "C", "1"}, {"2", "8", "D", "1"}});
  ASSERT_FALSE(Read(both));
  auto msg = CheckProjectStartFinish();
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text,
            "MULTIPLE START detected at nodes (1, 3) and MULTIPLE FINISH detected at nodes (7, 8)");
  EXPECT_EQ(msg->title, "Input Data Error");
  EXPECT_TRUE(msg->resetSelection);

  GridStore starts = Activities(1, {{"1", "3", "A", "1"}, {"2", "3", "B", "1"}, {"3", "9", "C", "1"}});
  ASSERT_FALSE(Read(starts));
  msg = CheckProjectStartFinish();
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "MULTIPLE START detected at nodes (1, 2)");
}

TEST_F(ProjectInput, NetworkWithoutStartOrFinishIsRefused) {
  GridStore ring = Activities(1, {{"1", "2", "A", "1"}, {"2", "3", "B", "1"}, {"3", "1", "C", "1"}});
  ASSERT_FALSE(Read(ring));
  auto msg = CheckProjectStartFinish();
  ASSERT_TRUE(msg);
  EXPECT_EQ(
      msg->text,
      "No START node detected (every node has a predecessor, so the activities form a loop) and No FINISH "
      "node detected (every node has a successor, so the activities form a loop)");

  GridStore tail =
      Activities(1, {{"1", "2", "A", "1"}, {"2", "3", "B", "1"}, {"3", "1", "C", "1"}, {"3", "4", "D", "1"}});
  ASSERT_FALSE(Read(tail));
  msg = CheckProjectStartFinish();
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text,
            "No START node detected (every node has a predecessor, so the activities form a loop)");
}

} // namespace
} // namespace quon
