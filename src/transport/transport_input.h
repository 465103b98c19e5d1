// Reading a transportation problem from the input grid: supplies, demands, costs and names
// go into the solver's arrays, and the problem is balanced with a dummy source or destination.
#pragma once

#include <optional>
#include <string>

#include "shell/input_message.h"
#include "platform/grid_store.h"

namespace quon {

// Reads the transportation grid (sources in rows 2 to Rows-2, destinations in columns 2 to
// Cols-2, supplies in the last column, demands in the last row). On a negative supply or
// demand nothing is dimensioned, Entering is -1 and the message to show comes back;
// otherwise Entering is 0 and the solver's start state is ready.
std::optional<InputMessage> ReadTransInput(const GridStore &grid);

// The cost that stands for a typed "infinity": one more nine than the integer part of the
// largest finite cost magnitude has digits (ReadTransInput also leaves it in TransInfinity).
double TransInfinityCost(double largestFiniteCost);

} // namespace quon
