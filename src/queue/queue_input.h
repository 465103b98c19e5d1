// Reading and checking the queueing scenarios of the input grid.
#pragma once

#include <optional>
#include <string>

#include "shell/input_message.h"
#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// The value of a queueing cell: the exact text "infinity" is 9999, anything else its leading
// number (0 when there is none).
double QueueCellValue(const std::string &text);

// Stores the cells of scenario i into row i of QueueData and returns 1 when the scenario is
// inconsistent, 0 when it is not.
int16 CheckQueueScenario(const GridStore &grid, int16 i);

// Reads and checks every scenario. NScen := the grid's rows - 1, and the result tables are
// dimensioned afresh. A rate of "infinity" is refused first: NScen is left negated, CurRow and
// CurCol name its cell, and its message comes back. Otherwise, when any scenario is
// inconsistent, NScen is left negated, CurRow and CurCol name the first bad scenario's
// arrival-rate cell, and the message comes back.
std::optional<InputMessage> ReadQueueInput(const GridStore &grid);

} // namespace quon
