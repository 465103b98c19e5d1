// The transportation problem the benchmarks time: whole costs 1..100 and amounts 10..100 drawn
// from a fixed seed, typed unbalanced and read as the input screen reads it.
#pragma once

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/grid_store.h"
#include "shell/mod1.h"
#include "transport/transport_input.h"

namespace quon::bench {

struct TransportProblem {
  int m, n;
  std::vector<double> cost, supply, demand;
  TransportProblem(int rows, int cols) : m(rows), n(cols) {
    std::mt19937 rng(12345u);
    std::uniform_int_distribution<int> c(1, 100), a(10, 100);
    for (int k = 0; k < m * n; ++k)
      cost.push_back(c(rng));
    for (int i = 0; i < m; ++i)
      supply.push_back(a(rng));
    for (int j = 0; j < n; ++j)
      demand.push_back(a(rng));
  }
};

inline std::string PlainText(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// Fresh program data with the problem read and balanced.
inline void LoadTransport(const TransportProblem &p) {
  g = Mod1{};
  InitGlobals(15360, 11520);
  g.ModelClass = ModelClassCode::Transportation;
  GridStore grid;
  grid.SetRows(p.m + 3);
  grid.SetCols(p.n + 3);
  for (int i = 1; i <= p.m; ++i) {
    grid.SetTextMatrix(i + 1, 1, "S" + std::to_string(i));
    for (int j = 1; j <= p.n; ++j)
      grid.SetTextMatrix(i + 1, j + 1, PlainText(p.cost[static_cast<std::size_t>((i - 1) * p.n + j - 1)]));
    grid.SetTextMatrix(i + 1, p.n + 2, PlainText(p.supply[static_cast<std::size_t>(i - 1)]));
  }
  for (int j = 1; j <= p.n; ++j) {
    grid.SetTextMatrix(1, j + 1, "D" + std::to_string(j));
    grid.SetTextMatrix(p.m + 2, j + 1, PlainText(p.demand[static_cast<std::size_t>(j - 1)]));
  }
  ReadTransInput(grid);
}

} // namespace quon::bench
