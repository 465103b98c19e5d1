#include <gtest/gtest.h>

#include "queue/queue_input.h"
#include "support/grid_cells.h"

namespace quon {
namespace {

// A scenario grid: lambda, mu, servers, system limit, source limit under each number.
GridStore Scenarios(const std::vector<std::vector<std::string>> &rows) { return test::NumberedGrid(rows, 6); }

class QueueInput : public ::testing::Test {
protected:
  void SetUp() override { g = Mod1{}; }
  // Whether a single scenario passes the check.
  static bool Passes(const std::vector<std::string> &row) {
    g = Mod1{};
    return !ReadQueueInput(Scenarios({row}));
  }
};

TEST_F(QueueInput, BadScenariosAreListedTogetherAndTheEditorGoesToTheFirst) {
  GridStore grid = Scenarios({{"-1", "2", "1", "infinity", "infinity"},
                              {"2", "3", "1", "infinity", "infinity"},
                              {"0", "0", "1", "infinity", "infinity"},
                              {"1", "2", "1", "5", "5"}});
  auto msg = ReadQueueInput(grid);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text,
            "Inconsistent data in Scenario(s) <1, 3>.  Check the following possible errors: (1) Negative "
            "entries, (2) BothLambda and Mu = 0, (3) Lambda >= mu*c in an infinite queue, (4) System Limit "
            "exceeds Source Limit, or (5) Missing or zero N in a pure death model ");
  EXPECT_EQ(msg->title, "Queue Data Error");
  EXPECT_TRUE(msg->beep);
  EXPECT_EQ(msg->row, 1);
  EXPECT_EQ(msg->col, 1);
  EXPECT_EQ(g.CurRow, 1);
  EXPECT_EQ(g.CurCol, 1);
  EXPECT_EQ(g.NScen, -4);
}

TEST_F(QueueInput, ConsistencyRules) {
  EXPECT_FALSE(Passes({"3", "1", "3", "infinity", "infinity"})); // c*mu = lambda never settles
  EXPECT_TRUE(Passes({"3", "1", "4", "infinity", "infinity"}));
  EXPECT_FALSE(Passes({"2", "3", "1", "10", "5"})); // system limit above source limit
  EXPECT_TRUE(Passes({"2", "3", "1", "10", "infinity"}));
  EXPECT_FALSE(Passes({"2", "3", "2", "infinity", "5"}));
  EXPECT_FALSE(Passes({"0", "2", "1", "", ""})); // pure death without a population
  // An unlimited population is no population: the measures would be those of the table's length.
  EXPECT_FALSE(Passes({"0", "2", "1", "infinity", ""}));
  EXPECT_FALSE(Passes({"0", "2", "1", "infinity", "infinity"}));
  EXPECT_TRUE(Passes({"0", "2", "1", "infinity", "7"}));
  EXPECT_TRUE(Passes({"0", "2", "1", "5", "0"}));
  EXPECT_TRUE(Passes({"2", "0", "3", "", ""})); // pure birth
  EXPECT_FALSE(Passes({"-2", "1", "x", "y", "z"}));
  EXPECT_FALSE(Passes({"0", "0", "1", "5", "5"}));
  EXPECT_FALSE(Passes({"2e-200", "1e-200", "1", "infinity", "infinity"})); // rates whose product is 0
  // The word infinity is read exactly.
  EXPECT_FALSE(Passes({"1", "2", "1", "Infinity", "5"})); // reads as a system limit of 0
  // Unlimited servers and limits, but no rate without end: the editor goes to that cell.
  EXPECT_TRUE(Passes({"1", "2", "infinity", "infinity", "infinity"}));
  // Unlimited servers keep up with any arrivals, even as many as the number that stands for them.
  EXPECT_TRUE(Passes({"20000", "1", "infinity", "infinity", "infinity"}));
  EXPECT_FALSE(Passes({"20000", "1", "9998", "infinity", "infinity"}));
  for (int j = 1; j <= 2; ++j) {
    g = Mod1{};
    std::vector<std::string> rate = {"1", "2", "1", "5", "5"};
    rate[static_cast<std::size_t>(j - 1)] = "infinity";
    const auto msg = ReadQueueInput(Scenarios({{"1", "2", "1", "5", "5"}, rate}));
    ASSERT_TRUE(msg);
    EXPECT_EQ(msg->text, "Infinite Lambda or Mu not permitted in Scenario <2>.  Enter a number");
    EXPECT_EQ(msg->title, "Queue Data Error");
    EXPECT_EQ(g.CurRow, 2);
    EXPECT_EQ(g.CurCol, j);
    EXPECT_EQ(g.NScen, -2);
  }
}

TEST_F(QueueInput, ScenariosThatWouldDivideByZeroOrOverflowAreRefused) {
  EXPECT_FALSE(Passes({"1", "2", "0", "5", "5"}));
  EXPECT_FALSE(Passes({"1", "2", "0.4", "infinity", "infinity"}));
  EXPECT_FALSE(Passes({"1", "2", "1", "0", "5"}));
  EXPECT_FALSE(Passes({"1", "2", "1", "0", "0"}));
  EXPECT_FALSE(Passes({"1", "2", "40000", "infinity", "infinity"}));
  EXPECT_FALSE(Passes({"1", "2", "1", "32768", "infinity"}));
  EXPECT_FALSE(Passes({"0", "2", "1", "5", "32768"}));
  EXPECT_TRUE(Passes({"1", "2", "1", "32767", "32767"}));
}

// Servers and limits are whole numbers: 2.5 servers would be taken as 2, an unstable queue
// shown as zeros.
TEST_F(QueueInput, FractionalServersAndLimitsAreRefusedByScenario) {
  GridStore grid = Scenarios({{"2.4", "1", "3.0", "infinity", "infinity"},
                              {"2.4", "1", "2.5", "infinity", "infinity"},
                              {"1", "2", "1", "10.5", "infinity"},
                              {"0", "2", "1", "5", "7.25"},
                              {"2", "0", "1.5", "", ""}});
  auto msg = ReadQueueInput(grid);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text.substr(0, 46), "Inconsistent data in Scenario(s) <2, 3, 4, 5>.");
  EXPECT_EQ(g.CurRow, 2);
}

TEST_F(QueueInput, SuccessKeepsTheGridValuesAndPreparesTheResultTables) {
  GridStore grid = Scenarios(
      {{"2", "0", "3", "4", "5"}, {"0", "2", "1", "3", "6"}, {"1", "2", "2", "infinity", "infinity"}});
  EXPECT_FALSE(ReadQueueInput(grid));
  EXPECT_EQ(g.NScen, 3);
  EXPECT_EQ(g.MRows, 3);
  EXPECT_EQ(g.NVars, 5);
  EXPECT_DOUBLE_EQ(g.QueueData(1, 3), 0); // no servers in a pure-birth model
  EXPECT_DOUBLE_EQ(g.QueueData(2, 4), 3); // the check's population is not kept
  EXPECT_DOUBLE_EQ(g.QueueData(3, 5), 9999);
  EXPECT_EQ(g.QueuePn.UBound(), MaxPnN + 1);
  EXPECT_EQ(g.QueueMeasures.UBound(1), 3);
  EXPECT_EQ(g.QueueMeasures.UBound(2), 9);
}

} // namespace
} // namespace quon
