// Exact rational checks of a simplex basis and of the certificates drawn from it. Every finite
// double is a rational number, so the data as the engine holds them are taken exactly and a
// verdict read in floating point (optimal, infeasible, unbounded) can be confirmed or refuted
// without any tolerance. The work is a rational LU decomposition of the basis matrix, so it is
// meant for the final basis of a run, not for every pivot.
#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include <gmpxx.h>

namespace quon::exact {

// The number a student typed, or a problem file holds, that `v` stores: the shortest decimal
// that reads back as `v` (exact for every value of up to 15 significant digits), so 0.9 is
// 9/10 and not the binary fraction nearest it. Every value of the data is taken this way.
mpq_class DecimalOf(double v);

struct TypedRationals;

// Minimise or maximise c.x subject to A x = b and lower <= x <= upper. A bound of magnitude at
// least `infinity` (or an infinite double) is no bound. Indices are 0-based. Every exact check
// takes each value as DecimalOf it; the rationals are converted once and kept with the form
// (converted again when a value has changed since).
struct StandardForm {
  int m = 0, n = 0;
  std::vector<double> a; // row-major: a[i * n + j]
  std::vector<double> b, c, lower, upper;
  bool maximize = false;
  double infinity = HUGE_VAL;

  // m x n zeros, zero right-hand sides and costs, every column in [0, infinity).
  void Resize(int rows, int cols);
  double &A(int i, int j) { return a[static_cast<std::size_t>(i) * n + j]; }
  double A(int i, int j) const { return a[static_cast<std::size_t>(i) * n + j]; }
  bool HasLower(int j) const { return std::isfinite(lower[j]) && std::fabs(lower[j]) < infinity; }
  bool HasUpper(int j) const { return std::isfinite(upper[j]) && std::fabs(upper[j]) < infinity; }

  mutable std::shared_ptr<const TypedRationals> rationals; // the cache of the decimals
};

// Where a column that is not basic stands. A free nonbasic column stands at 0.
enum class AtBound : signed char { Lower, Upper, Zero };

struct Basis {
  std::vector<int> basic;        // m columns: basic[r] is basic in row r
  std::vector<AtBound> nonbasic; // n entries, read only for the columns not basic
};

struct BasisCheck {
  bool singular = false;      // the basis matrix is singular (nothing else is set)
  std::vector<mpq_class> x;   // n values of every column
  std::vector<mpq_class> y;   // m duals: c_B B^-1
  std::vector<mpq_class> d;   // n reduced costs c_j - y A_j (0 for basic columns)
  mpq_class objective;        // c.x
  bool primalFeasible = false; // every basic value within its bounds
  bool dualFeasible = false;   // no nonbasic column can improve the objective
  int infeasibleRow = -1;      // a basis row whose value lies outside its bounds, or -1
  int improvingColumn = -1;    // a nonbasic column that improves the objective, or -1
  bool Optimal() const { return !singular && primalFeasible && dualFeasible; }
  std::vector<double> XDouble() const;
  double ObjectiveDouble() const { return objective.get_d(); }
};

// The exact basic values, duals and reduced costs of `basis`, and whether it is feasible and
// optimal.
BasisCheck CheckBasis(const StandardForm &sf, const Basis &basis);

// Whether the multipliers y (one per row) prove that A x = b has no solution within the bounds:
// y A x, over every x within the bounds, stays on one side of y b and never reaches it.
bool ProvesInfeasible(const StandardForm &sf, const std::vector<mpq_class> &y);
bool ProvesInfeasible(const StandardForm &sf, const std::vector<double> &y);
// The same with y the row `row` of the inverse of `basis` (the row of a basic value that no
// column can bring back within its bounds). False also when the basis is singular.
bool BasisRowProvesInfeasible(const StandardForm &sf, const Basis &basis, int row);

// Whether dx is an improving ray: A dx = 0, dx_j >= 0 where column j has a lower bound,
// dx_j <= 0 where it has an upper bound, and c.dx strictly improves the objective. (With a
// feasible point this proves the program unbounded.)
bool IsImprovingRay(const StandardForm &sf, const std::vector<mpq_class> &dx);
bool IsImprovingRay(const StandardForm &sf, const std::vector<double> &dx);
// The ray of `basis` along nonbasic column `entering`, moving up (direction +1) or down (-1),
// the basic columns along -B^-1 A_entering; empty when the basis is singular.
std::vector<mpq_class> BasisRay(const StandardForm &sf, const Basis &basis, int entering, int direction);

// Whether x meets every row and bound exactly, and its objective. A computed point has no typed
// decimal behind it; each value is read as DecimalOf it all the same: the shortest decimal that
// the engine's double stands for. A point whose exact value is a short decimal (x = 118 beside a
// coefficient of 0.1, or x = 0.1 itself) is then judged at that value, not at a binary fraction
// beside it that breaks the row by 1E-17; and a true answer is still a proof, of the point
// shown to 17 digits. Multipliers and rays (ProvesInfeasible, IsImprovingRay) are certificates
// whichever rationals they are, so their doubles are taken as the binary fractions they hold.
bool PointFeasible(const StandardForm &sf, const std::vector<double> &x);
mpq_class ObjectiveOf(const StandardForm &sf, const std::vector<double> &x);

// A program with typed rows (relation '<' for <=, '=' or '>' for >=, one per row) in the
// standard form above: one slack column is added after the n own columns for each inequality
// row (+1 for <=, -1 for >=, both >= 0). `slackOf[i]` is the slack column of row i or -1.
StandardForm FromTypedRows(int m, int n, const std::vector<double> &a, const std::vector<char> &relation,
                           const std::vector<double> &b, const std::vector<double> &c,
                           const std::vector<double> &lower, const std::vector<double> &upper, bool maximize,
                           std::vector<int> *slackOf = nullptr);

// A double-precision check of `basis` that shares nothing with the inverse a simplex run carried:
// a fresh LU with partial pivoting and one step of refinement gives the basic values and the
// duals, and every row, bound and reduced cost is judged relative to the terms that formed it.
// Holds: feasible and optimal to `tol` of those terms; cheap (one m x m factorisation).
struct QuickCheck {
  bool holds = false;
  bool singular = false;
  std::vector<double> x; // n values of every column (empty when singular)
  std::vector<double> y; // m duals
  double objective = 0;
};
QuickCheck QuickCheckBasis(const StandardForm &sf, const Basis &basis, double tol = 1E-9);
// Multipliers y of `basis` (double precision) priced by the sum of its basic values' distances
// outside their bounds: what ProvesInfeasible should accept when no simplex step lowers that
// sum. Empty when the basis matrix is singular.
std::vector<double> InfeasibilityMultipliers(const StandardForm &sf, const Basis &basis);
// Row `row` of the basis inverse (double precision), the multipliers of the one basic value in
// that row; and the rows whose basic values lie outside their bounds beyond rounding.
std::vector<double> BasisRowMultipliers(const StandardForm &sf, const Basis &basis, int row);
std::vector<int> RowsOutsideBounds(const StandardForm &sf, const Basis &basis);

// Simplex steps in exact arithmetic from `basis` (changed in place) until it is proven optimal,
// or the program is proven infeasible (a row vector that ProvesInfeasible accepts) or unbounded
// (a feasible basis and a ray that IsImprovingRay accepts), by Bland's rule, at most
// `maxPivots` pivots. A basis outside its bounds first takes steps that lower the sum of its
// values' distances from their bounds without moving any value that is within its bounds out.
enum class ExactVerdict { Optimal, Infeasible, Unbounded, Unproven };
struct ExactSolve {
  ExactVerdict verdict = ExactVerdict::Unproven;
  BasisCheck check;                 // of the final basis
  std::vector<mpq_class> farkas;    // when Infeasible
  std::vector<mpq_class> ray;       // when Unbounded
  int pivots = 0;
  long long work = 0;       // the size of the rational arithmetic done (limbs of the operands)
  bool outOfWork = false;   // Unproven because the work allowed ran out
};
// `maxWork` (0: no limit) bounds `work`: the exact steps give up as soon as their factorisations
// have done that much, so a program whose exact arithmetic grows huge is answered at once.
ExactSolve SolveFromBasis(const StandardForm &sf, Basis &basis, int maxPivots, long long maxWork = 0);

} // namespace quon::exact
