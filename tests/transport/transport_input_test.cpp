#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "shell/mod1.h"
#include "support/grid_text.h"
#include "transport/transport_input.h"

namespace quon {
namespace {

using test::MakeGrid;
using test::SetRow;

// A transportation grid of the input screen: destination names in row 1, sources from row 2,
// supplies in the last column, demands in the last row.
GridStore TransGrid(const std::vector<std::vector<std::string>> &costs,
                    const std::vector<std::string> &supplies, const std::vector<std::string> &demands) {
  const int m = static_cast<int>(supplies.size());
  const int n = static_cast<int>(demands.size());
  GridStore grid = MakeGrid(m + 3, n + 3);
  grid.SetTextMatrix(1, 1, "S/D Name");
  for (int j = 1; j <= n; ++j)
    grid.SetTextMatrix(1, j + 1, std::string("D") + std::to_string(j));
  int i = 2;
  for (const auto &row : costs) {
    grid.SetTextMatrix(i, 1, std::string("S") + std::to_string(i - 1));
    SetRow(grid, i, row, 2);
    ++i;
  }
  i = 2;
  for (const auto &s : supplies)
    grid.SetTextMatrix(i++, n + 2, s);
  SetRow(grid, m + 2, demands, 2);
  return grid;
}

// The costs of cells k as read, to the last bit.
void ExpectCosts(std::initializer_list<std::pair<int, double>> costs) {
  for (const auto &[k, cost] : costs)
    EXPECT_DOUBLE_EQ(g.Cost(k), cost) << "cell " << k;
}

class TransInput : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.Entering = 7;
  }
};

TEST_F(TransInput, BalancedProblemAddsNoDummy) {
  GridStore grid = TransGrid({{"4", "6"}, {"5", "3"}}, {"10", "20"}, {"15", "15"});
  EXPECT_FALSE(ReadTransInput(grid));
  EXPECT_EQ(g.Entering, 0);
  EXPECT_EQ(g.TransSources, 2);
  EXPECT_EQ(g.TransDests, 2);
  EXPECT_EQ(g.TransDummySource + g.TransDummyDest, 0);
  EXPECT_EQ(g.NVars, 4);
  EXPECT_EQ(g.MRows, 3);
  ExpectCosts({{2, 6}, {3, 5}});
  EXPECT_EQ(g.SourceName(2), "S2");
  EXPECT_EQ(g.DestName(1), "D1");
  EXPECT_DOUBLE_EQ(g.InvInput(2, 0), 20);
  EXPECT_DOUBLE_EQ(g.InvInput(4, 0), 15);
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(g.NonBasicMark(k), k);
}

TEST_F(TransInput, SurplusSupplyAddsDummyDestinationAsLastCellOfEachRow) {
  GridStore grid = TransGrid({{"1", "2"}, {"3", "4"}}, {"30", "20"}, {"10", "15"});
  EXPECT_FALSE(ReadTransInput(grid));
  EXPECT_EQ(g.TransDummyDest, 1);
  EXPECT_EQ(g.TransDests, 3);
  EXPECT_EQ(g.NVars, 6);
  EXPECT_EQ(g.MRows, 4);
  EXPECT_EQ(g.DestName(3), "DummyD");
  EXPECT_FLOAT_EQ(g.TransDemand(3), 25);
  // (1,1)=1, (1,2)=2, (1,DummyD)=3, (2,1)=4
  ExpectCosts({{1, 1}, {2, 2}, {3, 0}, {4, 3}, {6, 0}});
  EXPECT_DOUBLE_EQ(g.InvInput(2 + 3, 0), 25);
}

TEST_F(TransInput, SurplusDemandAddsDummySourceLast) {
  GridStore grid = TransGrid({{"1", "2"}, {"3", "4"}}, {"5", "5"}, {"10", "7"});
  EXPECT_FALSE(ReadTransInput(grid));
  EXPECT_EQ(g.TransDummySource, 1);
  EXPECT_EQ(g.TransSources, 3);
  EXPECT_EQ(g.SourceName(3), "DummyS");
  EXPECT_FLOAT_EQ(g.TransSupply(3), 7);
  ExpectCosts({{5, 0}, {6, 0}});
  EXPECT_DOUBLE_EQ(g.InvInput(3, 0), 7);
}

TEST_F(TransInput, NegativeSupplyIsReportedBeforeAnyDemand) {
  GridStore grid = TransGrid({{"1", "2"}, {"3", "4"}}, {"0", "-1"}, {"-5", "7"});
  auto msg = ReadTransInput(grid);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "Only NONNEGATIVE sypply amounts are allowed");
  EXPECT_EQ(msg->title, "Error");
  EXPECT_EQ(msg->style, msg::OKCancel | msg::Critical);
  EXPECT_EQ(g.Entering, -1);
  EXPECT_TRUE(g.Cost.Empty());
  EXPECT_EQ(g.TransSources, 2);
  EXPECT_EQ(g.TransDests, 2);

  GridStore demand = TransGrid({{"1", "2"}, {"3", "4"}}, {"0", "1"}, {"3", "-7"});
  msg = ReadTransInput(demand);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->text, "Only NONNEGATIVE demand amounts are allowed");
}

TEST_F(TransInput, InfinityCostHasOneDigitMoreThanTheLargestFiniteCost) {
  for (const auto &[largest, cost] : {std::pair{0.0, 99.0}, {0.5, 99.0}, {12.7, 999.0}, {350.0, 9999.0},
                                      {9999.0, 99999.0}, {-3.0, 99.0}, {-999999.0, 9999999.0}})
    EXPECT_DOUBLE_EQ(TransInfinityCost(largest), cost) << largest;

  GridStore grid =
      TransGrid({{"4", "infinity"}, {"12.7", "-infinity"}, {"8", "-500"}}, {"1", "1", "1"}, {"2", "1"});
  EXPECT_FALSE(ReadTransInput(grid));
  // From the largest magnitude, -500: the signed largest, 12.7, gave 999.
  ExpectCosts({{2, 9999}, {4, -9999}});
  GridStore positive = TransGrid({{"4", "infinity"}, {"12.7", "8"}}, {"1", "1"}, {"1", "1"});
  EXPECT_FALSE(ReadTransInput(positive));
  EXPECT_DOUBLE_EQ(g.Cost(2), 999);

  GridStore none = TransGrid({{"infinity", "infinity"}, {"infinity", "infinity"}}, {"1", "1"}, {"1", "1"});
  EXPECT_FALSE(ReadTransInput(none));
  EXPECT_DOUBLE_EQ(g.Cost(1), 9999999);
}

// Totals are exact: one unit beyond 2^24 gets its dummy, and so does an amount that single
// precision would round. Typed fractions whose totals differ only by rounding balance.
TEST_F(TransInput, TotalsAreExactAndOnlyRoundingBalances) {
  GridStore grid = TransGrid({{"1"}, {"1"}}, {"16777216", "1"}, {"16777216"});
  EXPECT_FALSE(ReadTransInput(grid));
  EXPECT_EQ(g.TransDummyDest, 1);
  EXPECT_EQ(g.InvInput(g.TransSources + 2, 0), 1);

  grid = TransGrid({{"1"}}, {"123456789"}, {"123456788"});
  EXPECT_FALSE(ReadTransInput(grid));
  EXPECT_EQ(g.InvInput(1, 0), 123456789);
  EXPECT_EQ(g.InvInput(g.TransSources + 2, 0), 1);

  grid = TransGrid({{"1"}, {"1"}}, {"0.1", "0.2"}, {"0.3"});
  EXPECT_FALSE(ReadTransInput(grid));
  EXPECT_EQ(g.TransDummySource + g.TransDummyDest, 0);
}

} // namespace
} // namespace quon
