// The standard form of a linear or integer program, built from its input grid, and the saved
// copy of it that every later solve of the same problem starts from.
#pragma once

#include <limits>

#include "platform/grid_store.h"

namespace quon {

// An absent bound of the linear engine: a true infinity, so that no finite value, however
// large, is taken for one. The cell texts "infinity" and "-infinity" read as this.
inline constexpr double kLPInfinity = std::numeric_limits<double>::infinity();

// Reads the LP or IP input grid into LPData and the standard form Tab with its column names
// and counts, and saves the finished model. On an input error InputErrorIndex holds k > 0
// (constraint k has only zero coefficients) or -j (variable j's lower bound exceeds its
// upper bound), the arrays are left partly filled and nothing is saved.
void BuildLPStandardForm(const GridStore &grid1);

// Replaces every variable with a finite non-zero lower bound L by x - L in Tab (input
// layout): right-hand sides and finite upper bounds move, the objective constant gathers in
// LBShiftSum and ObjShift, and BoundLabel marks the shifted variables with "L". A variable
// without a lower bound but with a finite upper bound U is replaced by U - x (its column and
// cost negated, BoundLabel "U"), so it keeps that bound in the only orientation it has.
void SubstituteLowerBounds();

// The second pass of the standard form: each row's type code and right-hand side move to
// columns NColsPlus2 and NColsPlus1, and the row gets its surplus column (">" rows), its
// slack or artificial column and that column's name; artificial columns cost ObjSense * BigM.
void AddSlackAndArtificialColumns();

void BackupLPModel();
void RestoreLPModel();

} // namespace quon
