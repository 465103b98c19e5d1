// The output of matrix inversion and simultaneous linear equations on the output screen: the
// matrix as entered, its inverse with the determinant and, for equations, the solution.
#pragma once

namespace quon {

void ShowInverseOutput();

} // namespace quon
