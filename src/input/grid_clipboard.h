// The input grid as one text block (cells joined by tabs, rows by carriage returns): made when
// the input is submitted and written back when the user returns to the input screen.
#pragma once

#include <string>

#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// Makes the block from (row, col) to (rowSel, colSel) the grid's selection. Mode exactly "in"
// keeps the block's text in GridBlock and places it on the system clipboard. Any other mode
// writes the kept text back into the block: text beyond it is ignored, cells without a
// counterpart keep their contents. The kept copy, not the system clipboard, is read back, so
// another program replacing the clipboard can neither lose the problem nor paste foreign text
// into the grid.
void GridClipboard(const std::string &mode, GridStore &grid, int16 row, int16 col, int16 rowSel, int16 colSel);

} // namespace quon
