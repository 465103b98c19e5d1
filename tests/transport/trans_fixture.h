// Loading a transportation problem into the solver's arrays through the input reader, as the
// input screen does, from plain numbers.
#pragma once

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "shell/mod1.h"
#include "support/grid_text.h"
#include "transport/transport_input.h"

namespace quon::test {

// An infinite cost is typed as "infinity" or "-infinity".
inline std::string NumberText(double v) {
  if (std::isinf(v)) return v > 0 ? "infinity" : "-infinity";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

struct TransProblem {
  std::vector<std::vector<double>> costs;
  std::vector<double> supplies, demands;
};

// The problem read and balanced, into fresh program data unless the caller has set them up
// (screen tests start from the start-up defaults); true when the reader accepted it.
inline bool LoadTrans(const TransProblem &p, const std::string &title = "T", bool freshData = true) {
  if (freshData) {
    g = Mod1{};
    g.Eps = 1E-8;
  }
  g.ModelClass = ModelClassCode::Transportation;
  g.HeaderText[1] = title;
  const int m = static_cast<int>(p.supplies.size());
  const int n = static_cast<int>(p.demands.size());
  GridStore grid = MakeGrid(m + 3, n + 3);
  for (int j = 1; j <= n; ++j)
    grid.SetTextMatrix(1, j + 1, std::string("D") + std::to_string(j));
  for (int i = 1; i <= m; ++i) {
    grid.SetTextMatrix(i + 1, 1, std::string("S") + std::to_string(i));
    for (int j = 1; j <= n; ++j)
      grid.SetTextMatrix(
          i + 1, j + 1,
          NumberText(p.costs[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)]));
    grid.SetTextMatrix(i + 1, n + 2, NumberText(p.supplies[static_cast<std::size_t>(i - 1)]));
  }
  for (int j = 1; j <= n; ++j)
    grid.SetTextMatrix(m + 2, j + 1, NumberText(p.demands[static_cast<std::size_t>(j - 1)]));
  return !ReadTransInput(grid).has_value();
}

// The classic 3 x 4 textbook problem: north-west corner 520, least cost and Vogel 475, optimum 435.
inline TransProblem TextbookProblem() {
  return {{{10, 2, 20, 11}, {12, 7, 9, 20}, {4, 14, 16, 18}}, {15, 25, 10}, {5, 15, 15, 15}};
}

// An m x n problem drawn from `rng`: the costs row by row (each plus `costShift`), then the
// supplies, then the demands.
inline TransProblem RandomTransProblem(std::mt19937 &rng, int m, int n, int costLo, int costHi, int amountLo,
                                       int amountHi, double costShift = 0) {
  std::uniform_int_distribution<int> cost(costLo, costHi), amount(amountLo, amountHi);
  TransProblem p;
  p.costs.assign(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(n)));
  for (auto &row : p.costs)
    for (double &c : row)
      c = cost(rng) + costShift;
  for (int i = 0; i < m; ++i)
    p.supplies.push_back(amount(rng));
  for (int j = 0; j < n; ++j)
    p.demands.push_back(amount(rng));
  return p;
}

// Seven sources and destinations of one unit each, joined by "infinity" routes but for the
// diagonal (cost -9, though (1,1) is "infinity" too) and the cells right of it (cost 9, wrapping
// round): the optimum ships on the latter only, at 63.
inline TransProblem DiagonalInfinityProblem() {
  TransProblem p;
  p.costs.assign(7, std::vector<double>(7, INFINITY));
  for (std::size_t i = 1; i < 7; ++i)
    p.costs[i][i] = -9;
  for (std::size_t i = 0; i < 7; ++i)
    p.costs[i][(i + 1) % 7] = 9;
  p.supplies.assign(7, 1);
  p.demands.assign(7, 1);
  return p;
}

} // namespace quon::test

#include <gtest/gtest.h>

#include <cmath>

namespace quon::test {

// Basic cells with their shipments after a solve or a step, in basis-position order.
struct BasicCell {
  int i, j;
  double x;
};

inline std::vector<BasicCell> BasisCells() {
  std::vector<BasicCell> cells;
  for (int p = 1; p <= g.MRows; ++p) {
    const int k = g.BasisList(p);
    cells.push_back({(k - 1) / g.TransDests + 1, (k - 1) % g.TransDests + 1, g.XBasic(p)});
  }
  return cells;
}

// What every basic solution of a balanced problem must satisfy: m + n - 1 distinct basic
// cells, u + v = c on them, row and column sums equal to the amounts, no negative shipment.
inline void ExpectConsistentBasis(double tol = 1E-6) {
  const int m = g.TransSources, n = g.TransDests;
  std::vector<int> seen(static_cast<std::size_t>(g.NVars) + 1, 0);
  std::vector<double> rows(static_cast<std::size_t>(m) + 1, 0), cols(static_cast<std::size_t>(n) + 1, 0);
  for (int p = 1; p <= g.MRows; ++p) {
    const int k = g.BasisList(p);
    ASSERT_GE(k, 1);
    ASSERT_LE(k, g.NVars);
    EXPECT_EQ(seen[static_cast<std::size_t>(k)]++, 0) << "cell " << k << " twice in the basis";
    const int i = (k - 1) / n + 1, j = (k - 1) % n + 1;
    const double v = j < n ? g.Duals(m + j) : 0;
    EXPECT_NEAR(g.Duals(i) + v, g.Cost(k), tol * (1 + std::fabs(g.Cost(k)))) << "u + v != c at cell " << k;
    EXPECT_GE(g.XBasic(p), -tol * (1 + std::fabs(g.InvInput(i, 0))));
    rows[static_cast<std::size_t>(i)] += g.XBasic(p);
    cols[static_cast<std::size_t>(j)] += g.XBasic(p);
  }
  for (int i = 1; i <= m; ++i)
    EXPECT_NEAR(rows[static_cast<std::size_t>(i)], g.InvInput(i, 0), tol * (1 + g.InvInput(i, 0)))
        << "row " << i;
  for (int j = 1; j <= n; ++j)
    EXPECT_NEAR(cols[static_cast<std::size_t>(j)], g.InvInput(m + j, 0), tol * (1 + g.InvInput(m + j, 0)))
        << "column " << j;
}

} // namespace quon::test
