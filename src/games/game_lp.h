// Player A's linear program of a two-person zero-sum game, built straight into the shared
// linear-programming arrays in the standard form the simplex engine solves.
#pragma once

#include "platform/grid_store.h"

namespace quon {

// Reads the payoff grid (row i strategy i of A, column j strategy j of B) and builds:
// maximise v subject to v - sum_i a(i,j) x_i <= 0 for every j, sum_i x_i = 1, x >= 0 and v
// unrestricted. Column 1 is v, columns 2..m+1 are x1..xm; LPData row j+2 column i+1 holds
// -a(i,j), from which the output side restores the payoffs. Checks nothing.
void BuildGameLP(const GridStore &grid);

} // namespace quon
