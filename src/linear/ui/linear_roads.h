// The roads of matrix inversion, linear equations and linear programming through the shell's
// screens.
#pragma once

namespace quon {

void RegisterLinearRoads();

} // namespace quon
