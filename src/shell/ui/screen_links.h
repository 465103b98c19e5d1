// The roads from the solve and output screens back to the input screen and the MAIN menu.
#pragma once

#include "shell/mod1.h"

namespace quon {

// Rebuilds the input screen from the kept header and grid block and shows it.
void ModifyInputData();

// The MAIN menu screen, which unloads every other screen when it is activated.
void ShowMainMenu();

// Puts the input screen's cell editor on a cell of its grid.
void PlaceInputCellEditor(int16 row, int16 col);

} // namespace quon
