// The one matrix inversion of the program (matrix models, the simplex basis, the
// transportation basis) and the solution of linear equations with its inverse.
#pragma once

namespace quon {

// Inverts the MRows x MRows matrix in InvInput (rows and columns 1..MRows) by LU
// decomposition with implicitly scaled partial pivoting. Leaves the inverse in BInv, the
// determinant in Determinant, the row permutation in InvPerm and the factors in InvInput
// (column MRows+1 untouched). A singular matrix (an all-zero row, or a pivot of magnitude
// at most 1E-8) sets Determinant to 0, leaves BInv as it was and returns false.
bool InvertMatrix();

// The same inversion for the simplex basis, where the data may be badly scaled: the columns
// are scaled to a largest magnitude of 1 before the decomposition and the inverse is scaled
// back, a pivot counts as zero only when it is tiny beside its scaled row, and no entry is
// stored as 0 for being small. Same results and failure report as InvertMatrix otherwise.
bool InvertBasisMatrix();

// Whether the last inversion stored some nonzero entry of the inverse as 0 for being small.
bool LastInversionZeroedAnEntry();

// XBasic(i) := sum over j of BInv(i, j) * InvInput(j, NVars+1), for i = 1..MRows.
void SolveByInverse();

} // namespace quon
