#include "input/grid_clipboard.h"

#include <algorithm>

namespace quon {

std::optional<std::string> GridClipboard(const std::string &mode, GridStore &grid, int16 row, int16 col, int16 rowSel,
                                         int16 colSel) {
  const int top = std::min(row, rowSel), bottom = std::max(row, rowSel);
  const int left = std::min(col, colSel), right = std::max(col, colSel);
  if (mode == "in") {
    g.GridBlock = grid.ClipOf(top, left, bottom, right);
    return g.GridBlock;
  }
  const std::string &block = g.GridBlock;
  if (block.empty()) return std::nullopt; // nothing was submitted yet
  int r = top, c = left;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= block.size(); ++i) {
    const bool end = i == block.size();
    if (!end && block[i] != '\t' && block[i] != '\r') continue;
    if (r <= bottom && c <= right && r < grid.Rows() && c < grid.Cols())
      grid.SetTextMatrix(r, c, block.substr(start, i - start));
    start = i + 1;
    if (!end && block[i] == '\t') {
      ++c;
    } else {
      ++r;
      c = left;
    }
  }
  return std::nullopt;
}

} // namespace quon
