// Reading a network from the input grid: node names and arc values for every network model.
#pragma once

#include "platform/grid_store.h"

namespace quon {

// Reads node names from row 1 and arc values from rows and columns 2 onward into VarNames,
// Cost (row-major) and ArcMatrix. An empty cell is no arc (999999; -999999 for maximal-flow
// capacities), the exact text "infinity" is 999999, anything else its leading number.
// NodeCount follows the grid's size. Checks nothing.
void ReadNetworkInput(const GridStore &grid);

// The arc value of one cell text for the given network sub-model.
double NetworkArcValue(const std::string &text, int netSubModel);

} // namespace quon
