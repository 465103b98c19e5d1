// The input grid as one text block (cells joined by tabs, rows by carriage returns): made when
// the input is submitted and written back when the user returns to the input screen.
#pragma once

#include <optional>
#include <string>

#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// Mode exactly "in": the block from (row, col) to (rowSel, colSel) is kept in GridBlock and
// returned, for the system clipboard. Any other mode writes the kept block back into the
// rectangle: text beyond it is ignored, cells without a counterpart keep their contents. The
// kept copy, not the system clipboard, is the source, so another program replacing the
// clipboard cannot lose the problem or paste foreign text into it.
std::optional<std::string> GridClipboard(const std::string &mode, GridStore &grid, int16 row, int16 col, int16 rowSel,
                                         int16 colSel);

} // namespace quon
