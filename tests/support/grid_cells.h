// Grids in tests: rows typed under their numbers, the texts of a row read back, and a list of
// cells checked one by one, each failure naming its cell.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/grid_store.h"

namespace quon::test {

// Row r (from 1) holds rows[r - 1] from column 1 on and its number in column 0; `emptyBelow`
// empty rows follow.
inline GridStore NumberedGrid(const std::vector<std::vector<std::string>> &rows, int cols,
                              int emptyBelow = 0) {
  GridStore grid;
  grid.SetRows(static_cast<int>(rows.size()) + 1 + emptyBelow);
  grid.SetCols(cols);
  for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
    grid.SetTextMatrix(r, 0, std::to_string(r));
    for (int c = 0; c < static_cast<int>(rows[r - 1].size()); ++c)
      grid.SetTextMatrix(r, c + 1, rows[r - 1][c]);
  }
  return grid;
}

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
