// Filling a plain grid store in engine tests: rows of cell texts from column 1 onward.
#pragma once

#include <algorithm>
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

// What headings held in view do wrong at the grid's present scroll position, laid out as a user
// sees it (the fixed rows, the held headings, then the rows from TopRow down): rows at the top
// of the view whose block's headings lie above it and are not held (whatever headings of other
// blocks stand further down: those head their own rows only); held headings hiding the row above
// the top one while the view has room for it below the grid's last row; and the newest block
// (that of the last row) not shown from its headings down when `newest`.
inline std::vector<std::string> HeldHeadingFaults(const GridStore &g, bool newest = false) {
  std::vector<std::string> out;
  if (!g.BlockOf || g.Rows() == 0 || g.ViewHeight() <= 0) return out;
  const int fixed = std::min(g.FixedRows, g.Rows()), top = g.TopRow();
  const GridStore::RowBlock held = g.PinnedRows();
  struct Shown {
    int row, y, bottom;
  };
  std::vector<Shown> shown;
  int y = 0;
  auto lay = [&](int r) {
    shown.push_back({r, y, y + g.RowHeightOf(r)});
    y += g.RowHeightOf(r);
  };
  for (int r = 0; r < fixed; ++r)
    lay(r);
  for (int r = held.first; r < held.first + held.headings; ++r)
    lay(r);
  int last = -1;
  for (int r = top; r < g.Rows() && y < g.ViewHeight(); ++r) {
    lay(r);
    last = r;
  }
  auto whole = [&](int r) {
    for (const Shown &s : shown)
      if (s.row == r) return s.bottom <= g.ViewHeight();
    return false;
  };
  auto headed = [&](int first) {
    const GridStore::RowBlock b = g.BlockOf(std::max(first, fixed));
    for (int r = std::max(b.first, fixed); r < b.first + b.headings && r < g.Rows(); ++r)
      if (!whole(r)) return false;
    return true;
  };
  const std::string at = " at top " + std::to_string(top);
  if (last >= 0 && top >= fixed) {
    const GridStore::RowBlock b = g.BlockOf(top);
    const int first = std::max(b.first, fixed);
    for (int r = first; r < std::min(b.first + b.headings, top); ++r)
      if (r < held.first || r >= held.first + held.headings) {
        out.push_back("rows without their headings from row " + std::to_string(first) + at);
        break;
      }
  }
  if (held.headings > 0 && last == g.Rows() - 1 && top > fixed && g.ViewHeight() - y >= g.RowHeightOf(top - 1))
    out.push_back("headings from row " + std::to_string(held.first) + " held over rows with room below" + at);
  if (newest) {
    const GridStore::RowBlock b = g.BlockOf(g.Rows() - 1);
    const int first = std::max(b.first, fixed);
    if (first < top && held.first != first) out.push_back("newest block from row " + std::to_string(first) + " above the view" + at);
    if (!headed(first) && held.first != first)
      out.push_back("newest block from row " + std::to_string(first) + " without its headings" + at);
  }
  return out;
}

} // namespace quon::test
