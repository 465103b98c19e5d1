// The one matrix inversion of the program (matrix models, the simplex basis, the
// transportation basis) and the solution of linear equations with its inverse.
#pragma once

#include <string>
#include <string_view>

namespace quon {

// A determinant as mantissa * 2^exponent, |mantissa| in [0.5, 1); mantissa 0 for a singular
// matrix. outOfRange: the value lies outside the normal range of a double.
struct DeterminantParts {
  double mantissa = 0;
  long long exponent = 0;
  bool outOfRange = false;
};

// Inverts the MRows x MRows matrix in InvInput (rows and columns 1..MRows) by LU
// decomposition with implicitly scaled partial pivoting. Leaves the inverse in BInv, the
// determinant in Determinant, the row permutation in InvPerm and the factors in InvInput
// (column MRows+1 untouched). A singular matrix (an all-zero row, or a pivot of magnitude
// at most 1E-8) sets Determinant to 0, leaves BInv as it was and returns false. A determinant
// beyond the range of a double leaves the nearest nonzero finite value in Determinant and the
// true one in LastDeterminant().
bool InvertMatrix();

// The same inversion for the simplex basis, where the data may be badly scaled: the columns
// are scaled to a largest magnitude of 1 before the decomposition and the inverse is scaled
// back, a pivot counts as zero only when it is tiny beside its scaled row, and no entry is
// stored as 0 for being small. Same results and failure report as InvertMatrix otherwise.
bool InvertBasisMatrix();

// The last inversion's determinant, exact in range and exponent; mantissa 0 when singular.
DeterminantParts LastDeterminant();

// The last inversion's determinant in the number pattern given: Format's text of Determinant
// where it fits in a double, else a scientific text of the true value with the pattern's
// decimals ("1.00E-400"), or the pattern itself when it is scientific.
std::string DeterminantText(std::string_view pattern);

// Whether the last inversion stored some nonzero entry of the inverse as 0 for being small.
bool LastInversionZeroedAnEntry();

// XBasic(i) := sum over j of BInv(i, j) * InvInput(j, NVars+1), for i = 1..MRows.
void SolveByInverse();

} // namespace quon
