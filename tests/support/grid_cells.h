// Reading a grid back in tests: the texts of a row, and a list of cells checked one by one, each
// failure naming its cell.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/grid_store.h"

namespace quon::test {

struct CellText {
  int row, col;
  std::string text;
};

inline void ExpectCells(const GridStore &grid, std::initializer_list<CellText> cells) {
  for (const CellText &c : cells)
    EXPECT_EQ(grid.TextMatrix(c.row, c.col), c.text) << "cell (" << c.row << ", " << c.col << ")";
}

// Row r from column 0 to the last.
inline std::vector<std::string> RowTexts(const GridStore &grid, int r) {
  std::vector<std::string> out;
  for (int c = 0; c < grid.Cols(); ++c)
    out.push_back(grid.TextMatrix(r, c));
  return out;
}

} // namespace quon::test
