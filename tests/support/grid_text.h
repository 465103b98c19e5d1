// Filling a plain grid store in engine tests: rows of cell texts from column 1 onward.
#pragma once

#include <string>
#include <vector>

#include "platform/grid_store.h"

namespace quon::test {

inline GridStore MakeGrid(int rows, int cols) {
  GridStore g;
  g.SetRows(rows);
  g.SetCols(cols);
  return g;
}

inline void SetRow(GridStore &grid, int row, const std::vector<std::string> &cells, int firstCol = 1) {
  int c = firstCol;
  for (const auto &t : cells)
    grid.SetTextMatrix(row, c++, t);
}

} // namespace quon::test
