#include <gtest/gtest.h>

#include <random>
#include <string>

#include "input/cell_rules.h"
#include "linear/mod_inverse.h"
#include "shell/mod1.h"
#include "transport/trans_fixture.h"
#include "transport/transport_simplex.h"

namespace quon {
namespace {

using test::BasisCells;
using test::ExpectConsistentBasis;
using test::LoadTrans;
using test::TextbookProblem;

struct Cell {
  int i, j;
  double x;
  bool operator==(const Cell &o) const { return i == o.i && j == o.j && x == o.x; }
};

std::ostream &operator<<(std::ostream &os, const Cell &c) {
  return os << "(" << c.i << "," << c.j << ")=" << c.x;
}

// Starting basis of a method: cells in basis-position order with their shipments, and its cost.
std::vector<Cell> Start(int method, double *cost = nullptr) {
  g.TransStartMethod = static_cast<int16>(method);
  EXPECT_TRUE(TransStartSolution());
  TransBasicSolution();
  if (cost) *cost = g.ZValue;
  std::vector<Cell> cells;
  for (const auto &c : BasisCells())
    cells.push_back({c.i, c.j, c.x});
  return cells;
}

double Solve(int method) {
  g.TransStartMethod = static_cast<int16>(method);
  EXPECT_EQ(SolveTransportation(), TransOutcome::Optimal);
  ExpectConsistentBasis();
  return g.ZValue;
}

TEST(TransStart, TextbookStartsInTheirCellOrder) {
  const auto p = TextbookProblem();
  double z = 0;
  ASSERT_TRUE(LoadTrans(p));
  EXPECT_EQ(Start(1, &z),
            (std::vector<Cell>{{1, 1, 5}, {1, 2, 10}, {2, 2, 5}, {2, 3, 15}, {2, 4, 5}, {3, 4, 10}}));
  EXPECT_DOUBLE_EQ(z, 520);
  for (int j = 1; j <= 4; ++j)
    EXPECT_EQ(g.TransDemand(j), 0);

  ASSERT_TRUE(LoadTrans(p));
  EXPECT_EQ(Start(2, &z),
            (std::vector<Cell>{{1, 2, 15}, {3, 1, 5}, {2, 2, 0}, {2, 3, 15}, {3, 4, 5}, {2, 4, 10}}));
  EXPECT_DOUBLE_EQ(z, 475);
  // The finishing cell moves no amount: what the last column still needs stays in place.
  EXPECT_EQ(g.TransSupply(2), 10);
  EXPECT_EQ(g.TransDemand(4), 10);

  ASSERT_TRUE(LoadTrans(p));
  EXPECT_EQ(Start(3, &z),
            (std::vector<Cell>{{3, 1, 5}, {1, 2, 15}, {2, 2, 0}, {2, 3, 15}, {3, 4, 5}, {2, 4, 10}}));
  EXPECT_DOUBLE_EQ(z, 475);

  for (int method = 1; method <= 3; ++method) {
    ASSERT_TRUE(LoadTrans(p));
    EXPECT_DOUBLE_EQ(Solve(method), 435) << "method " << method;
  }
}

TEST(TransStart, TieRules) {
  // A source and a destination running out together leave the column to the next source.
  ASSERT_TRUE(LoadTrans({{{1, 2}, {3, 4}}, {10, 20}, {10, 20}}));
  EXPECT_EQ(Start(1), (std::vector<Cell>{{1, 1, 10}, {2, 1, 0}, {2, 2, 20}}));
  // Equal costs never displace an earlier cell.
  ASSERT_TRUE(LoadTrans({{{4, 4}, {4, 9}}, {5, 5}, {5, 5}}));
  EXPECT_EQ(Start(2).front(), (Cell{1, 1, 5}));
  // Vogel with all costs equal: every penalty is 0, so the last source and destination go first.
  ASSERT_TRUE(LoadTrans({{{3, 3, 3}, {3, 3, 3}}, {4, 6}, {2, 3, 5}}));
  EXPECT_EQ(Start(3), (std::vector<Cell>{{2, 3, 5}, {2, 2, 1}, {1, 2, 2}, {1, 1, 2}}));
}

TEST(TransSimplex, OptimalStartAndEnteringTies) {
  // Least cost is already optimal here: one basic solution, no pivot.
  ASSERT_TRUE(LoadTrans({{{1, 5}, {5, 1}}, {10, 10}, {10, 10}}));
  EXPECT_DOUBLE_EQ(Solve(2), 20);
  EXPECT_EQ(g.IterCount, 1);
  EXPECT_EQ(g.Entering, 0);

  // North-west corner on a problem where cells 2 and 3 price out equally: the lower number enters.
  ASSERT_TRUE(LoadTrans({{{5, 1, 1}, {1, 5, 5}}, {1, 2}, {1, 1, 1}}));
  g.TransStartMethod = 1;
  ASSERT_TRUE(TransStartSolution());
  TransBasicSolution();
  TransPricing();
  EXPECT_DOUBLE_EQ(g.RedCost(2), 8);
  EXPECT_DOUBLE_EQ(g.RedCost(3), 8);
  EXPECT_EQ(g.Entering, 2);
  EXPECT_EQ(g.NonBasicMark(2), 0);
}

TEST(TransSimplex, AlternativeOptimumStopsAndLoopMarks) {
  ASSERT_TRUE(LoadTrans({{{1, 2}, {3, 4}}, {10, 20}, {10, 20}}));
  g.TransStartMethod = 1;
  ASSERT_TRUE(TransStartSolution());
  TransBasicSolution();
  TransPricing();
  // (1,2) prices at exactly 0: an alternative optimum does not enter.
  EXPECT_EQ(g.Entering, 0);

  ASSERT_TRUE(LoadTrans({{{4, 1}, {1, 4}}, {10, 20}, {10, 20}}));
  g.TransStartMethod = 1;
  ASSERT_TRUE(TransStartSolution());
  TransBasicSolution();
  EXPECT_DOUBLE_EQ(g.ZValue, 120);
  TransPricing();
  ASSERT_EQ(g.Entering, 2);
  EXPECT_DOUBLE_EQ(g.RedCost(2), 6);
  ASSERT_TRUE(TransRatioTest());
  // (1,1) leaves at ratio 10; the zero-level (2,1) and (2,2) stay on the loop.
  EXPECT_EQ(g.Leaving, 1);
  EXPECT_EQ(g.LeavingRow, 1);
  EXPECT_EQ(g.NonBasicMark(1), 1);
  EXPECT_EQ(g.NonBasicMark(2), 0);
  EXPECT_EQ(g.NonBasicMark(3), -1);
  EXPECT_EQ(g.NonBasicMark(4), -1);
  EXPECT_EQ(g.BasisList(1), 2);
  ASSERT_TRUE(TransPivot());
  TransBasicSolution();
  EXPECT_DOUBLE_EQ(g.ZValue, 60);
  TransPricing();
  EXPECT_EQ(g.Entering, 0);
}

// The inverse read off the basis tree is exactly the one the general LU inversion computes, at
// every basis of runs on random problems, degenerate ones included.
TEST(TransSimplex, TreeInverseEqualsGeneralInverse) {
  for (int seed = 1; seed <= 30; ++seed) {
    std::mt19937 rng(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> size(1, 6);
    const int m = size(rng), n = size(rng);
    ASSERT_TRUE(LoadTrans(test::RandomTransProblem(rng, m, n, 0, 9, 0, 6, seed % 2 ? 0.1 : 0)));
    g.TransStartMethod = static_cast<int16>(seed % 3 + 1);
    ASSERT_TRUE(TransStartSolution());
    for (int step = 0;; ++step) {
      const int order = g.MRows;
      BArray<double> tree = g.BInv;
      ASSERT_TRUE(InvertMatrix());
      for (int r = 1; r <= order; ++r)
        for (int c = 1; c <= order; ++c)
          ASSERT_EQ(tree(r, c), g.BInv(r, c)) << "seed " << seed << " step " << step;
      TransBasicSolution();
      TransPricing();
      if (g.Entering == 0) break;
      ASSERT_TRUE(TransRatioTest());
      ASSERT_TRUE(TransPivot());
    }
  }
}

// From every start the known optimum, with no negative shipment: fractional costs leave reduced
// costs of rounding size (without a tolerance they enter for ever); shipments of a million and
// more must still be able to leave the basis; north-west corner must still give m + n - 1 cells
// with trailing zero demands; least cost and Vogel can still choose costs of 999999 and more;
// shipments beyond 2^24 that single precision rounds to the same ratio need the smaller one to
// leave, or the other goes negative.
TEST(TransMends, EveryStartReachesTheOptimum) {
  struct Case {
    const char *what;
    test::TransProblem p;
    double z, tol = 0; // 0: to the last bit
    int firstMethod = 1, pivotCap = TransPivotCap;
  };
  const Case cases[] = {
      {"fractional costs", {{{0.2, 0.2, 0.2}, {0.3, 0.8, 0.1}}, {5, 9}, {9, 9, 6}}, 2.5, 1E-9, 1, 1000},
      {"million-unit shipments", {{{1, 9, 9}, {9, 1, 9}, {9, 9, 1}}, {2E6, 3E6, 4E6}, {4E6, 3E6, 2E6}}, 25E6},
      {"trailing zero demand", {{{15, 5, 17, 6}, {14, 16, 6, 4}}, {24, 7}, {25, 26, 13, 0}}, 162},
      {"huge costs", {{{2E6, 3E6}, {1E6, 5E6}}, {1, 1}, {1, 1}}, 4E6, 0, 2},
      {"ratios beyond single precision",
       {{{2, 2}, {3, 4}}, {16777217, 16777218}, {16777219, 16777216}},
       83886088},
  };
  const int cap = TransPivotCap;
  for (const Case &c : cases)
    for (int method = c.firstMethod; method <= 3; ++method) {
      SCOPED_TRACE(std::string(c.what) + ", method " + std::to_string(method));
      ASSERT_TRUE(LoadTrans(c.p));
      EXPECT_EQ(static_cast<int>(Start(method).size()), g.MRows);
      ASSERT_TRUE(LoadTrans(c.p));
      TransPivotCap = c.pivotCap;
      const double z = Solve(method);
      TransPivotCap = cap;
      if (c.tol > 0)
        EXPECT_NEAR(z, c.z, c.tol);
      else
        EXPECT_DOUBLE_EQ(z, c.z);
      for (int k = 1; k <= g.NVars; ++k)
        EXPECT_GE(g.XSol(k), 0) << "cell " << k;
    }
  ASSERT_TRUE(LoadTrans(cases[2].p));
  EXPECT_EQ(Start(1).back(), (Cell{3, 4, 0}));
}

// A singular basis ends the run with a message instead of pivoting on the old inverse.
TEST(TransMends, SingularBasisStops) {
  ASSERT_TRUE(LoadTrans(TextbookProblem()));
  Start(2);
  g.BasisList(2) = g.BasisList(1);
  g.TransStartMethod = 0;
  EXPECT_FALSE(TransStartSolution());
  EXPECT_EQ(g.Determinant, 0);

  ASSERT_TRUE(LoadTrans(TextbookProblem()));
  Start(2);
  // As the ratio test leaves it: the entering cell already written into its position.
  g.Entering = g.BasisList(1);
  g.LeavingRow = 2;
  g.BasisList(2) = g.Entering;
  EXPECT_FALSE(TransPivot());
  EXPECT_FALSE(TransOutcomeMessage(TransOutcome::SingularBasis).empty());
}

// Costs that single precision cannot tell apart: least cost and Vogel take the cheaper cell
// (1,2) first. In single precision least cost took (1,1) at 16777217, and Vogel, seeing no
// penalty, took the last cell.
TEST(TransMends, StartsCompareCostsBeyondSinglePrecision) {
  for (const auto &costs : {std::vector<std::vector<double>>{{16777217, 16777216}, {16777218, 16777219}},
                            std::vector<std::vector<double>>{{16777217, 16777216}, {16777216, 16777216}}})
    for (int method = 2; method <= 3; ++method) {
      ASSERT_TRUE(LoadTrans({costs, {5, 5}, {5, 5}}));
      const auto cells = Start(method);
      ASSERT_FALSE(cells.empty());
      EXPECT_EQ(cells.front(), (Cell{1, 2, 5})) << "method " << method << " costs " << costs[1][0];
    }
}

// A route whose cost stands for "infinity" is used only when nothing else meets the amounts.
TEST(TransMends, InfinityRoutesAreAvoidedOrReportedWhateverTheSigns) {
  const double inf = INFINITY; // typed "infinity"
  // With the signed largest cost the stand-in was 99, and -401 shipped on it.
  ASSERT_TRUE(LoadTrans({{{inf, -3}, {-3, -500}}, {1, 1}, {1, 1}}));
  EXPECT_DOUBLE_EQ(g.TransInfinity, 9999);
  EXPECT_DOUBLE_EQ(Solve(2), -6);

  // Only the diagonal and the cells right of it may be used. The diagonal needs the forbidden
  // (1,1) and costs 99 - 6 * 9 = 45 with a stand-in of 99; the cells right of it cost 7 * 9.
  for (int method = 1; method <= 3; ++method) {
    ASSERT_TRUE(LoadTrans(test::DiagonalInfinityProblem()));
    EXPECT_DOUBLE_EQ(g.TransInfinity, 99);
    EXPECT_DOUBLE_EQ(Solve(method), 63) << "method " << method;
    EXPECT_DOUBLE_EQ(g.Cost(1), 99) << "the stand-in as typed";
  }

  // Destination 1 can only be reached on "infinity" routes.
  ASSERT_TRUE(LoadTrans({{{inf, 1}, {inf, 1}}, {1, 1}, {1, 1}}));
  g.TransStartMethod = 2;
  const TransOutcome outcome = SolveTransportation();
  EXPECT_EQ(outcome, TransOutcome::NoFeasibleSolution);
  EXPECT_EQ(TransOutcomeMessage(outcome),
            "Problem has no feasible solution without the routes that cost \"infinity\".");
}

// At the largest magnitude a cell takes, with routes of "infinity" (a stand-in a hundredfold
// larger), the sums of cost times shipment over the largest grid stay finite: the optimum,
// the duals and every reduced cost.
TEST(TransMends, CostsAndAmountsAtTheLargestACellTakesStayFinite) {
  const double top = kLargestCellNumber, inf = INFINITY;
  ASSERT_TRUE(LoadTrans({{{top, inf}, {1, 1}}, {1, 1}, {1, 1}}));
  EXPECT_DOUBLE_EQ(Solve(2), top + 1);

  std::mt19937 rng(20261211);
  std::uniform_real_distribution<double> unit(-1, 1);
  test::TransProblem p;
  const int size = 100;
  p.costs.assign(size, std::vector<double>(size));
  for (auto &row : p.costs)
    for (double &c : row)
      c = rng() % 17 == 0 ? inf : std::round(unit(rng) * 1e6) * (top / 1e6);
  for (int i = 0; i < size; ++i) {
    p.supplies.push_back(top);
    p.demands.push_back(std::round(std::fabs(unit(rng)) * 1e6) * (top / 1e6));
  }
  for (int method = 1; method <= 3; ++method) {
    SCOPED_TRACE(method);
    ASSERT_TRUE(LoadTrans(p));
    g.TransStartMethod = static_cast<int16>(method);
    ASSERT_EQ(SolveTransportation(), TransOutcome::Optimal);
    EXPECT_TRUE(std::isfinite(g.ZValue));
    for (int k = 1; k <= g.NVars; ++k)
      ASSERT_TRUE(std::isfinite(g.RedCost(k))) << "cell " << k;
    for (int i = 1; i <= g.TransSources + g.TransDests; ++i)
      ASSERT_TRUE(std::isfinite(g.Duals(i))) << i;
  }
}

} // namespace
} // namespace quon
