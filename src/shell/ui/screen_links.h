// The roads from the solve and output screens back to the input screen and the MAIN menu.
#pragma once

#include "input/ui/scr2.h"
#include "shell/mod1.h"

namespace quon {

// The MAIN menu screen, which unloads every other screen when it is activated.
void ShowMainMenu();

// Puts the input screen's cell editor on a cell of its grid.
void PlaceInputCellEditor(int16 row, int16 col);

} // namespace quon
