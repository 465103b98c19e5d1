#include "input/grid_clipboard.h"

#include "platform/user_services.h"

namespace quon {

void GridClipboard(const std::string &mode, GridStore &grid, int16 row, int16 col, int16 rowSel, int16 colSel) {
  grid.SetCol(col);
  grid.SetRow(row);
  grid.SetRowSel(rowSel);
  grid.SetColSel(colSel);
  if (mode == "in") {
    g.GridBlock = grid.ClipCells();
    SetClipboardText(grid.Clip());
    return;
  }
  grid.SetClipCells(g.GridBlock); // nothing was submitted yet when it is empty
}

} // namespace quon
