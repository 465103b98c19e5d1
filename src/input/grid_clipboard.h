// The input grid's copy while the later screens are shown: made when the input is submitted
// and written back when the user returns to the input screen.
#pragma once

#include <string>

#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// Makes the block from (row, col) to (rowSel, colSel) the grid's selection. Mode exactly "in"
// keeps the block's cells in GridBlock and places the block on the system clipboard as text
// (cells joined by tabs, rows by carriage returns). Any other mode writes the kept cells back
// into the block: cells beyond it are ignored, cells without a counterpart keep their contents.
// The kept cells, not the system clipboard's text, are read back: another program replacing
// the clipboard can neither lose the problem nor paste foreign text into the grid, and a name
// holding a tab or a line break comes back in its own cell without shifting the others.
void GridClipboard(const std::string &mode, GridStore &grid, int16 row, int16 col, int16 rowSel, int16 colSel);

} // namespace quon
