// Integer programs for the branch-and-bound benchmarks, as the input grid holds them.
#pragma once

#include <random>
#include <string>

#include "platform/grid_store.h"
#include "platform/values.h"

namespace quon::bench {

// Maximise c x subject to A x <= b, positive entries, whole variables between 0 and 3; the
// right-hand sides are not whole multiples of anything, so the search is long.
inline GridStore KnapsackGrid(int n, int m, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> value(5, 40), weight(1, 20);
  GridStore grid;
  grid.SetRows(m + 7);
  grid.SetCols(n + 3);
  grid.SetTextMatrix(2, 0, "Maximize");
  for (int j = 1; j <= n; ++j) {
    grid.SetTextMatrix(0, j, "x" + std::to_string(j));
    grid.SetTextMatrix(2, j, NumText(value(rng)));
    grid.SetTextMatrix(m + 3, j, "0");
    grid.SetTextMatrix(m + 4, j, "3");
    grid.SetTextMatrix(m + 5, j, "n");
    grid.SetTextMatrix(m + 6, j, "y");
  }
  for (int i = 1; i <= m; ++i) {
    int total = 0;
    for (int j = 1; j <= n; ++j) {
      const int a = weight(rng);
      total += a;
      grid.SetTextMatrix(i + 2, j, NumText(a));
    }
    grid.SetTextMatrix(i + 2, n + 1, "<=");
    grid.SetTextMatrix(i + 2, n + 2, NumText(total * 0.6 + 0.5));
  }
  return grid;
}

} // namespace quon::bench
