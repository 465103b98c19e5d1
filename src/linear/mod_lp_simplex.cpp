#include "linear/mod_lp_simplex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>
#include <utility>
#include <vector>

#include "linear/exact_basis.h"
#include "linear/lp_model.h"
#include "linear/mod_inverse.h"
#include "linear/raw_matrix.h"
#include "linear/simplex_internal.h"
#include "linear/verdict_check.h"

namespace quon {

int LPPivotCap = 1000000;

namespace {

// The basis inverse is carried from pivot to pivot by a rank-one update and inverted afresh
// after this many updates, and whenever a result is about to be read.
constexpr int kRefactorEvery = 64;
// Scores and ratios that agree to this relative precision are equal in exact arithmetic: the
// lowest column and the top-most row win, as the rules say, whatever the rounding did.
constexpr double kTie = 1E-12;
using simplex::kCheckTol;
// Pivots without a strict improvement of the objective after which a run is given up.
constexpr long kStallLimit = 20000;

// How the inverse in BInv came about.
enum class Inverse { Updated, Zeroed, Exact };

struct EngineState {
  Inverse inverse = Inverse::Zeroed;
  // Re-inversions keep every entry (InvertBasisMatrix), and what counts as zero is judged
  // relative to the terms summed: from the start on badly scaled data, otherwise once the
  // program's own inversion, which zeroes small entries, has led to a result that fails its
  // check.
  bool exact = false;
  int updates = 0;
  double rhsScale = 1;  // largest right-hand side or finite column bound
  int16 enteringMark = 0; // NonBasicMark of the entering column before the pricing took it
  std::vector<char> artificial;
  // Row and column factors (powers of 2) of a badly scaled program while SolveLP works on it
  // scaled; empty otherwise.
  std::vector<double> rowScale, colScale;
  // The last basic solution has a value clearly below 0, which no simplex step allows: the
  // arithmetic has broken down (seen on badly scaled data only).
  bool brokenDown = false;
  // AlphaCol holds B^-1 of this column under the current BInv (0: of none).
  int alphaFor = 0;
  // Some column can be flipped to its bound or turned around (finite upper bounds, free or
  // reflected variables); without any, the flags need no looking at.
  bool mayTurn = true;
  // A whole run (SolveLP) is not shown pivot by pivot and takes two rules of its own for
  // degenerate programs: an unrestricted column, once basic, is free (it never blocks the
  // ratio test and is turned around when its value falls below 0), and of rows that tie in
  // the ratio test the one with the largest entry leaves. The step-by-step roads keep the
  // textbook rules: such a column leaves at 0 like any other, and the top-most row wins.
  bool wholeRun = false;
  // Amounts added to the right-hand sides while a whole run is shifted out of a degenerate
  // stall (empty: not shifted).
  std::vector<double> shift;
  // Of a whole run: every column after `denseCols` has one nonzero constraint entry, in row
  // soleRow[j] (slack, surplus and artificial columns); sign changes and flips keep that.
  int denseCols = 0;
  std::vector<int> soleRow;
  // The sum of the improvements per unit that the columns offered at the last pricing (0 at
  // an optimum).
  double attraction = 0;
  // The last basic solution took a value above rounding noise for 0 by the program's rule.
  bool zeroedValue = false;
  // How far, relative to the terms it was summed from, a basic value may lie outside its bounds
  // while zeros are judged against their terms.
  double feasibilityTol = kCheckTol;
  // The next ratio test passes over entries below a millionth of the column's largest, which a
  // pivot would take as singular (set once a pivot on such an entry, with zeros judged against
  // their terms, found the basis singular); every later one too once that happened twice.
  bool strictPivot = false;
  bool strictPivots = false;
  // The last repair by dual steps found a basic value outside its bounds beyond rounding that
  // no column of the program can move back: that row of B^-1 proves the program infeasible.
  bool provedInfeasible = false;
  // Phase 1 ended with a positive sum of artificial values on an inverse that zeroed entries
  // and goes on with the exact one to see whether that sum was theirs: a run that fails to end
  // phase 1 from there keeps the verdict it had.
  bool checkingInfeasible = false;
  long checkFrom = 0; // IterCount where that check began
};

EngineState &State() {
  static EngineState s;
  return s;
}

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ull;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

// Dantzig's rule can cycle on degenerate problems. The bases of a stretch without strict
// improvement of the objective are remembered (by a hash of the basis, the bound and sign
// flags and the phase); when one comes back the run switches to Bland's rule, which cannot
// cycle, and returns to the largest-improvement rule as soon as the objective strictly
// improves. A basis cannot come back across a strict improvement, so the record is cleared
// there, and the improvements are finitely many.
struct CycleGuard {
  std::unordered_set<std::uint64_t> seen;
  bool bland = false;
  bool used = false;
  bool skip = false; // the next pricing repeats the last one on a fresh inverse
  bool cycledUnderBland = false; // a basis came back while Bland's rule was choosing
  bool hasLast = false;
  double lastZ = 0;
  int lastPhase = 0;
  long sinceImproved = 0; // pricings since the objective last strictly improved
  // The first basis of a stretch joins the record only when the stretch goes on: most
  // stretches are one pivot long.
  bool hasFirst = false;
  std::uint64_t first = 0;

  void Reset() {
    seen.clear();
    bland = used = skip = hasLast = hasFirst = cycledUnderBland = false;
    sinceImproved = 0;
  }

  // Back to the largest-improvement rule with an empty record, after a cycle was dealt with.
  void LeaveCycle() {
    seen.clear();
    bland = cycledUnderBland = hasFirst = false;
  }

  // Better than the best value of this stretch: rounding noise that lets the objective wander
  // up and down within a degenerate stretch never counts as an improvement.
  bool Improved(double z) const {
    return g.ObjSense * (lastZ - z) > 1E-9 * std::max(1.0, std::fabs(lastZ));
  }

  void Step() {
    if (skip) {
      skip = false;
      return;
    }
    const double z = g.ZValue;
    ++sinceImproved;
    const bool fresh = !hasLast || g.Phase != lastPhase || Improved(z);
    if (fresh) {
      if (!seen.empty()) seen.clear();
      bland = false;
      lastZ = z; // the best value of the new stretch
      sinceImproved = 0;
    }
    hasLast = true;
    lastPhase = g.Phase;
    std::uint64_t h = Mix(static_cast<std::uint64_t>(g.Phase + 3));
    for (int i = 1; i <= g.MRows; ++i)
      h += Mix(static_cast<std::uint64_t>(g.BasisList(i)) << 1);
    for (int j = 1; j <= g.NCols && State().mayTurn; ++j) {
      const bool flipped = g.ColKind(j) == "U";
      const bool negated = g.ColKind2(j) == "-";
      if (flipped || negated)
        h += Mix((static_cast<std::uint64_t>(j) << 3) + (flipped ? 1 : 0) + (negated ? 2 : 0) + 5);
    }
    if (fresh) {
      first = h;
      hasFirst = true;
      return;
    }
    if (hasFirst) {
      seen.insert(first);
      hasFirst = false;
    }
    if (!seen.insert(h).second) {
      // Under Bland's rule a basis cannot come back in exact arithmetic: one that does was
      // brought back by rounding errors of reduced costs or ratios taken for nonzero.
      if (bland) cycledUnderBland = true;
      seen.clear();
      seen.insert(h);
      bland = used = true;
    }
  }
};

CycleGuard &Guard() {
  static CycleGuard guard;
  return guard;
}

void MarkArtificialColumns() {
  std::vector<char> &a = State().artificial;
  a.assign(static_cast<std::size_t>(g.NCols) + 1, 0);
  for (int j = 1; j <= g.NCols; ++j) {
    const std::string &name = g.ColNames(j);
    a[static_cast<std::size_t>(j)] = !name.empty() && name[0] == 'R';
  }
}

bool IsArtificial(int j) {
  const std::vector<char> &a = State().artificial;
  if (a.size() != static_cast<std::size_t>(g.NCols) + 1) MarkArtificialColumns();
  return State().artificial[static_cast<std::size_t>(j)] != 0;
}


double ColScale(int j) {
  const std::vector<double> &s = State().colScale;
  return s.empty() ? 1.0 : s[static_cast<std::size_t>(j)];
}

// Smallest and largest magnitude of the decision-variable coefficients of the constraints.
void CoefficientRange(double &smallest, double &largest) {
  smallest = 1;
  largest = 1;
  RawMatrix tab(g.Tab, g.MRows + 2, g.NVars);
  for (int i = 3; i <= g.MRows + 2; ++i)
    for (int j = 1; j <= g.NVars; ++j) {
      const double a = std::fabs(tab(i, j));
      if (a == 0) continue;
      smallest = std::min(smallest, a);
      largest = std::max(largest, a);
    }
}

bool BadlyScaled() {
  double smallest = 0, largest = 0;
  CoefficientRange(smallest, largest);
  return largest > 1E6 * smallest;
}

// Whether a whole run is solved scaled: coefficients spanning more than four orders of
// magnitude (whole numbers from 1 to 1e6) leave a basis inverse whose legitimate entries the
// program's inversion zeroes and whose pivots it takes for rounding errors, so that the run
// ends on a singular basis; balanced by powers of 2 the same program is solved in a few pivots.
bool WorthScaling() {
  double smallest = 0, largest = 0;
  CoefficientRange(smallest, largest);
  return largest > 1E4 * smallest;
}

double PowerOfTwo(double v) {
  return std::ldexp(1.0, std::ilogb(v));
}

// Scales the standard form of a badly scaled program in place: row i by r_i, decision column
// j by s_j (geometric-mean passes, factors rounded to powers of 2 so that scaling and
// unscaling are exact), every added column by 1/r of its row so that it keeps its +-1.
void ScaleModel() {
  EngineState &s = State();
  const int m = g.MRows, n = g.NVars, nc = g.NCols;
  s.rowScale.assign(static_cast<std::size_t>(m + 1), 1.0);
  s.colScale.assign(static_cast<std::size_t>(nc + 1), 1.0);
  auto a = [&](int i, int j) { return std::fabs(g.Tab(i + 2, j)) * s.rowScale[i] * s.colScale[j]; };
  for (int pass = 0; pass < 6; ++pass) {
    for (int i = 1; i <= m; ++i) {
      double lo = INFINITY, hi = 0;
      for (int j = 1; j <= n; ++j)
        if (const double v = a(i, j); v != 0) {
          lo = std::min(lo, v);
          hi = std::max(hi, v);
        }
      if (hi > 0) s.rowScale[i] /= std::sqrt(lo * hi);
    }
    for (int j = 1; j <= n; ++j) {
      double lo = INFINITY, hi = 0;
      for (int i = 1; i <= m; ++i)
        if (const double v = a(i, j); v != 0) {
          lo = std::min(lo, v);
          hi = std::max(hi, v);
        }
      if (hi > 0) s.colScale[j] /= std::sqrt(lo * hi);
    }
  }
  for (int i = 1; i <= m; ++i)
    s.rowScale[i] = PowerOfTwo(s.rowScale[i]);
  for (int j = 1; j <= n; ++j)
    s.colScale[j] = PowerOfTwo(s.colScale[j]);
  for (int j = n + 1; j <= nc; ++j)
    for (int i = 1; i <= m; ++i)
      if (g.Tab(i + 2, j) != 0) s.colScale[j] = 1 / s.rowScale[i];
  for (int j = 1; j <= nc; ++j) {
    const double f = s.colScale[j];
    g.Tab(2, j) *= f;
    g.Tab(g.UBRow, j) /= f;
    g.Tab(g.LBRow, j) /= f;
    for (int i = 1; i <= m; ++i)
      g.Tab(i + 2, j) *= s.rowScale[i] * f;
  }
  for (int i = 1; i <= m; ++i)
    g.Tab(i + 2, g.NColsPlus1) *= s.rowScale[i];
}

// Takes the model and the final basis back to the program's own units.
void UnscaleModel() {
  EngineState &s = State();
  if (s.colScale.empty()) return;
  const int m = g.MRows, nc = g.NCols;
  const std::vector<double> r = s.rowScale, c = s.colScale;
  s.rowScale.clear();
  s.colScale.clear();
  for (int j = 1; j <= nc; ++j) {
    const double f = c[static_cast<std::size_t>(j)];
    g.Tab(2, j) /= f;
    g.Tab(g.UBRow, j) *= f;
    g.Tab(g.LBRow, j) *= f;
    for (int i = 1; i <= m; ++i)
      g.Tab(i + 2, j) /= r[static_cast<std::size_t>(i)] * f;
    g.Cost(j) /= f;
    g.RedCost(j) /= f;
  }
  for (int i = 1; i <= m; ++i) {
    g.Tab(i + 2, g.NColsPlus1) /= r[static_cast<std::size_t>(i)];
    g.Duals(i) *= r[static_cast<std::size_t>(i)];
  }
  for (int k = 1; k <= m; ++k) {
    const int col = g.BasisList(k);
    const double f = col >= 1 && col <= nc ? c[static_cast<std::size_t>(col)] : 1.0;
    g.XBasic(k) *= f;
    g.CostB(k) /= f;
    for (int i = 1; i <= m; ++i) {
      g.BInv(k, i) *= f * r[static_cast<std::size_t>(i)];
      g.BasisMat(i, k) /= r[static_cast<std::size_t>(i)] * f;
    }
  }
}

bool RatioTies(double a, double b) {
  return std::fabs(a - b) <= kTie * std::max(1.0, std::fabs(b));
}

// What counts as zero. On data of ordinary scale, the program's own rules: a basic value, a
// reduced cost or a pivot entry of magnitude below 1E-8. On badly scaled data an absolute
// floor is meaningless (a legitimate entry may be 1E-12, a rounding error 1E-3), so a computed
// value counts as zero only when it is a rounding error beside the terms it was summed from.
constexpr double kRelativeZero = 1E-11;
constexpr double kRelativePivot = 1E-9;
// Below this a basic value is the rounding noise of an inverse entry that is 0 in exact
// arithmetic (a basic column held at 0 by its bounds comes out as -1E-14 beside terms no
// larger), whatever the terms it was summed from.
constexpr double kNoiseFloor = 1E-11;

// Copies the basis matrix into the inversion input and inverts it by the current rule. The
// program's inversion may fail where the basis is only badly scaled; the exact one decides.
bool Reinvert() {
  EngineState &s = State();
  const int m = g.MRows;
  auto load = [m] {
    RawMatrix in(g.InvInput, m, m);
    RawMatrix bm(g.BasisMat, m, m);
    for (int i = 1; i <= m; ++i)
      std::copy(bm.Row(i) + 1, bm.Row(i) + m + 1, in.Row(i) + 1);
  };
  load();
  s.alphaFor = 0;
  if (!s.exact && s.shift.empty()) {
    if (InvertMatrix()) {
      s.inverse = Inverse::Zeroed;
      s.updates = 0;
      return true;
    }
    s.exact = true;
    load();
  }
  s.alphaFor = 0;
  if (!InvertBasisMatrix()) return false;
  s.inverse = Inverse::Exact;
  s.updates = 0;
  return true;
}

// Carries column c over to its complement u - x, or back.
void FlipToBound(int c) {
  const double u = g.Tab(g.UBRow, c);
  if (g.ColKind(c) == "U") {
    g.ColKind(c) = "";
    g.NonBasicMark(c) = static_cast<int16>(c);
  } else {
    g.ColKind(c) = "U";
    g.NonBasicMark(c) = static_cast<int16>(-c);
  }
  g.Cost(c) = -g.Cost(c);
  g.Tab(2, c) = -g.Tab(2, c);
  const int rhs = g.NColsPlus1;
  for (int i = 3; i <= g.MRows + 2; ++i) {
    g.Tab(i, c) = -g.Tab(i, c);
    g.Tab(i, rhs) = g.Tab(i, rhs) + u * g.Tab(i, c);
  }
}

// An unrestricted column may change sign only while it is not at a bound and its variable has
// no finite lower bound (such a variable was shifted to start at 0 instead).
bool MaySwitchSign(int j) {
  if (g.Tab(g.FreeVarRow, j) != 1 || g.ColKind(j) == "U") return false;
  return j > g.NVars || !std::isfinite(g.LPData(g.LBRow, j));
}

void SwitchSign(int j) {
  if (g.ColKind2(j) == "-") {
    g.ColKind2(j) = "+";
    g.Tab(g.UBRow, j) = g.LPData(g.UBRow, j);
  } else {
    g.ColKind2(j) = "-";
    g.Tab(g.UBRow, j) = -g.LPData(g.LBRow, j);
  }
  g.Tab(g.LBRow, j) = 0;
  for (int i = 2; i <= g.MRows + 2; ++i)
    g.Tab(i, j) = -g.Tab(i, j);
  g.Cost(j) = -g.Cost(j);
}

// Turns the free column basic in row r around: the column and its cost change sign, and
// with them column r of the basis matrix and row r of its inverse.
void TurnBasicColumn(int r) {
  const int j = g.BasisList(r);
  SwitchSign(j);
  const int m = g.MRows;
  RawMatrix binv(g.BInv, m, m);
  RawMatrix bm(g.BasisMat, m, m);
  double *row = binv.Row(r);
  for (int k = 1; k <= m; ++k) {
    row[k] = -row[k];
    bm(k, r) = -bm(k, r);
  }
  g.CostB(r) = g.Cost(j);
  State().alphaFor = 0;
}

// The sign that takes a change of column j's value to a change of its variable as typed.
double Orientation(int j) {
  double s = 1;
  if (g.ColKind(j) == "U") s = -s;
  if (j <= g.NVars && g.ColKind2(j) == "-") s = -s;
  return s;
}

// Value of column j, whose value in the engine's units is x (its basic value, else 0), taken
// back to its variable as typed (XSol's rule).
double TypedColumnValue(int j, double x) {
  if (g.NUpperBounded > 0 && g.ColKind(j) == "U") x = g.Tab(g.UBRow, j) - x;
  x *= ColScale(j);
  if (j <= g.NVars) {
    if (std::isfinite(g.LPData(g.LBRow, j))) x += g.LPData(g.LBRow, j);
    if (g.BoundLabel(j) == "U") x -= g.LPData(g.UBRow, j); // the column holds U - x
    if (g.ColKind2(j) == "-") x = -x;
  }
  return x;
}

// Value of column j in the final basis taken back to its variable as typed (XSol's rule).
double ColumnSolution(int j) {
  double x = 0;
  if (g.NonBasicMark(j) == 0)
    for (int r = 1; r <= g.MRows; ++r)
      if (g.BasisList(r) == j) {
        x = g.XBasic(r);
        break;
      }
  return TypedColumnValue(j, x);
}

// The size of the numbers ColumnSolution sums for column j: its rounding error is a rounding
// error of this, not of the result (a variable shifted by its bound of -1 and back may come
// out as 4E-16 where it is 0).
double ColumnMagnitude(int j) {
  double size = 0;
  if (g.NonBasicMark(j) == 0)
    for (int r = 1; r <= g.MRows; ++r)
      if (g.BasisList(r) == j) {
        size = std::fabs(g.XBasic(r));
        break;
      }
  if (g.NUpperBounded > 0 && g.ColKind(j) == "U") size += std::fabs(g.Tab(g.UBRow, j));
  size *= ColScale(j);
  if (j <= g.NVars) {
    if (std::isfinite(g.LPData(g.LBRow, j))) size += std::fabs(g.LPData(g.LBRow, j));
    if (g.BoundLabel(j) == "U") size += std::fabs(g.LPData(g.UBRow, j));
  }
  return size;
}

// Puts back what the pricing and the ratio test of this step changed, so that the step can be
// taken again on a fresh inverse.
void Retry() {
  if (g.Entering != 0) g.NonBasicMark(std::abs(g.Entering)) = State().enteringMark;
  g.Entering = 0;
  g.Leaving = 0;
  Guard().skip = true;
}

enum class Refresh { AlreadyFresh, Done, Failed };

// A verdict is read from an inverse computed afresh by the current rule.
Refresh RefreshInverse() {
  if (State().inverse != Inverse::Updated) return Refresh::AlreadyFresh;
  return Reinvert() ? Refresh::Done : Refresh::Failed;
}

// After a verdict failed its check: move to the exact inversion, once.
bool GoExact() {
  EngineState &s = State();
  if (s.exact) return false;
  s.exact = true;
  return Reinvert();
}

void CountIteration() {
  ++g.IterCount;
}

} // namespace

bool SimplexUsesBlandRule() {
  return Guard().used;
}

bool SimplexBlandRuleActive() {
  return Guard().bland;
}

void SimplexSetBasisColumn(int k, int r) {
  const int col = std::abs(k);
  const int m = g.MRows;
  RawMatrix tab(g.Tab, m + 2, col);
  double *work = RawVector(g.WorkCol, m);
  for (int i = 1; i <= m; ++i)
    work[i] = tab(i + 2, col);
  if (r > 0) {
    for (int i = 1; i <= m; ++i)
      g.BasisMat(i, r) = g.WorkCol(i);
    RawMatrix in(g.InvInput, m, m);
    RawMatrix bm(g.BasisMat, m, m);
    for (int i = 1; i <= m; ++i)
      std::copy(bm.Row(i) + 1, bm.Row(i) + m + 1, in.Row(i) + 1);
  }
}

bool SimplexInit() {
  EngineState &s = State();
  g.ZValue = 0;
  g.Entering = 0;
  g.Leaving = 0;
  Guard().Reset();
  s.exact = false;
  s.updates = 0;
  s.wholeRun = false;
  s.strictPivot = s.strictPivots = false;
  s.checkingInfeasible = false;
  MarkArtificialColumns();
  for (int j = 1; j <= g.NCols; ++j)
    g.Cost(j) = 0;
  if (g.Phase == 1) {
    g.ObjSense = 1;
    for (int j = 1; j <= g.NCols; ++j)
      if (IsArtificial(j)) g.Cost(j) = 1;
  } else {
    g.ObjSense = g.ObjSenseSaved;
    for (int j = 1; j <= g.NCols; ++j)
      g.Cost(j) = g.Tab(2, j);
  }
  g.Tab(2, g.NColsPlus1) = 0;

  s.rhsScale = 0;
  for (int i = 3; i <= g.MRows + 2; ++i)
    s.rhsScale = std::max(s.rhsScale, std::fabs(g.Tab(i, g.NColsPlus1)));
  for (int j = 1; j <= g.NCols; ++j)
    if (std::isfinite(g.Tab(g.UBRow, j))) s.rhsScale = std::max(s.rhsScale, std::fabs(g.Tab(g.UBRow, j)));
  s.rhsScale = std::max(s.rhsScale, 1E-12);
  // The program's inversion zeroes inverse entries of 1E-8 and less, which is harmless where
  // the coefficients lie within a few orders of magnitude of 1 (and is what the worked
  // examples show) but not where they span more: such data is solved with the exact one.
  s.exact = BadlyScaled();
  s.alphaFor = 0;
  s.mayTurn = g.NUpperBounded > 0;
  for (int j = 1; j <= g.NCols && !s.mayTurn; ++j)
    s.mayTurn = g.Tab(g.FreeVarRow, j) == 1 || g.ColKind(j) == "U" || g.ColKind2(j) == "-";

  for (int j = 1; j <= g.NCols; ++j)
    g.NonBasicMark(j) = static_cast<int16>(j);
  const int k0 = g.LPMethod == 5 ? 0 : g.NArtificial1;
  for (int i = 1; i <= g.MRows; ++i) {
    g.BasisList(i) = static_cast<int16>(g.NVars + k0 + i);
    g.NonBasicMark(g.BasisList(i)) = 0;
  }
  const int m = g.MRows;
  RawMatrix tab(g.Tab, m + 2, g.NCols);
  RawMatrix bm(g.BasisMat, m, m);
  bool identity = true;
  for (int k = 1; k <= m; ++k) {
    const int col = g.BasisList(k);
    g.CostB(k) = g.Cost(col);
    for (int i = 1; i <= m; ++i) {
      const double v = tab(i + 2, col);
      bm(i, k) = v;
      g.WorkCol(i) = v;
      if (v != (i == k ? 1.0 : 0.0)) identity = false;
    }
  }
  if (!identity) return Reinvert();
  // The slack and artificial columns make the unit matrix, which is its own inverse (the
  // inversion would give exactly that).
  RawMatrix binv(g.BInv, m, m);
  for (int i = 1; i <= m; ++i)
    for (int k = 1; k <= m; ++k)
      binv(i, k) = i == k ? 1.0 : 0.0;
  g.Determinant = 1;
  s.inverse = s.exact ? Inverse::Exact : Inverse::Zeroed;
  s.updates = 0;
  return true;
}

void SimplexBasicSolution() {
  if (g.Leaving < 0) FlipToBound(g.Leaving == kBoundFlip ? g.Entering : -g.Leaving);

  const int m = g.MRows;
  const int rhs = g.NColsPlus1;
  static std::vector<double> b;
  if (b.size() < static_cast<std::size_t>(m + 1)) b.resize(static_cast<std::size_t>(m + 1));
  RawMatrix tab(g.Tab, m + 2, rhs);
  // The terms of the right-hand sides that are 0 add nothing to any sum: where most are 0 (a
  // game's program has one other), the rest are summed in the same order.
  static std::vector<int> nz;
  nz.clear();
  for (int j = 1; j <= m; ++j) {
    b[j] = tab(j + 2, rhs);
    if (b[j] != 0) nz.push_back(j);
  }
  const bool dense = 4 * nz.size() >= static_cast<std::size_t>(m);
  RawMatrix binv(g.BInv, m, m);
  const bool exact = State().exact;
  const bool relative = exact || !State().shift.empty();
  const float eps = static_cast<float>(g.Eps);
  double *xb = RawVector(g.XBasic, m);
  double *cb = RawVector(g.CostB, m);
  double z = 0;
  bool broken = false, zeroed = false;
  static std::vector<double> sums, sizes;
  if (sums.size() < static_cast<std::size_t>(m + 1)) {
    sums.resize(static_cast<std::size_t>(m + 1));
    sizes.resize(static_cast<std::size_t>(m + 1));
  }
  const int *cols = dense ? nullptr : nz.data();
  const int count = dense ? m : static_cast<int>(nz.size());
  if (relative)
    RowDots<true>(binv, m, b.data(), cols, count, sums.data(), sizes.data());
  else
    RowDots<false>(binv, m, b.data(), cols, count, sums.data(), nullptr);
  for (int i = 1; i <= m; ++i) {
    double x = sums[static_cast<std::size_t>(i)];
    const double size = relative ? sizes[static_cast<std::size_t>(i)] : 0.0;
    if (x < 0 && State().wholeRun && MaySwitchSign(g.BasisList(i))) {
      TurnBasicColumn(i);
      x = -x;
    }
    if (relative) {
      if (std::fabs(x) <= kRelativeZero * size) x = 0;
      if (exact && x < -kCheckTol * size) broken = true;
    } else if (std::fabs(static_cast<float>(x)) < eps) {
      zeroed = zeroed || std::fabs(x) > kNoiseFloor;
      x = 0;
    }
    xb[i] = x;
    z = z + x * cb[i];
  }
  g.ZValue = z;
  State().brokenDown = broken;
  State().zeroedValue = zeroed;
  if (g.Phase != 1 && g.NUpperBounded > 0)
    for (int j = 1; j <= g.NVars; ++j)
      if (g.ColKind(j) == "U") g.ZValue = g.ZValue + g.Tab(g.UBRow, j) * ColScale(j) * g.LPData(2, j);
}

void SimplexPricing() {
  const int m = g.MRows;
  const int nc = g.NCols;
  if (g.LPMethod != 5) Guard().Step();
  RawMatrix binv(g.BInv, m, m);
  RawMatrix tab(g.Tab, m + 2, nc);
  double *y = RawVector(g.Duals, m);
  const double *cb = RawVector(g.CostB, m);
  for (int i = 1; i <= m; ++i)
    y[i] = 0;
  for (int j = 1; j <= m; ++j)
    if (cb[j] != 0) AddMultiple(y + 1, binv.Row(j) + 1, cb[j], m);
  // z_j for every column, summed over the rows in order as a column-by-column sum would be.
  static std::vector<double> zc;
  if (zc.size() < static_cast<std::size_t>(nc + 1)) zc.resize(static_cast<std::size_t>(nc + 1));
  std::fill(zc.begin(), zc.begin() + nc + 1, 0.0);
  // In a whole run a column with a single entry gets the one term its sum has (the other terms
  // are zeros, which change no sum); only the columns before them are summed row by row.
  const EngineState &st = State();
  const bool single = st.wholeRun && st.soleRow.size() == static_cast<std::size_t>(nc) + 1;
  const int summed = single ? st.denseCols : nc;
  for (int i = 1; i <= m; ++i)
    if (y[i] != 0) AddMultiple(zc.data() + 1, tab.Row(i + 2) + 1, y[i], summed);
  for (int j = summed + 1; j <= nc; ++j) {
    const int i = st.soleRow[static_cast<std::size_t>(j)];
    if (y[i] != 0) zc[j] = 0.0 + y[i] * tab(i + 2, j);
  }
  const bool exact = st.exact;
  static std::vector<double> zsize;
  if (exact) {
    zsize.assign(static_cast<std::size_t>(nc + 1), 0.0);
    for (int i = 1; i <= m; ++i)
      AddAbsMultiple(zsize.data() + 1, tab.Row(i + 2) + 1, y[i], summed);
    for (int j = summed + 1; j <= nc; ++j) {
      const int i = st.soleRow[static_cast<std::size_t>(j)];
      zsize[j] = 0.0 + std::fabs(y[i]) * std::fabs(tab(i + 2, j));
    }
  }

  g.Entering = 0;
  double best = 0, attraction = 0;
  g.AltOptimaFlag = 0;
  const bool bland = Guard().bland;
  const int16 *mark = RawVector(g.NonBasicMark, nc);
  double *redCost = RawVector(g.RedCost, nc);
  const double *cost = RawVector(g.Cost, nc);
  for (int j = 1; j <= nc; ++j) {
    if (g.Phase == 2 && IsArtificial(j)) continue;
    redCost[j] = 0;
    if (mark[j] == 0) continue;
    double d = zc[j] - cost[j];
    if (exact ? std::fabs(d) <= kRelativeZero * (zsize[j] + std::fabs(cost[j])) : std::fabs(d) < g.Eps) {
      d = 0;
      if (g.LPMethod != 5) g.AltOptimaFlag = 1;
    }
    redCost[j] = d;
    double score = g.ObjSense * d;
    if (score < 0 && State().mayTurn && MaySwitchSign(j)) {
      score = -score;
      redCost[j] = -redCost[j];
      SwitchSign(j);
    }
    if (score > 0) attraction += score;
    if (g.LPMethod == 5) continue;
    if (bland) {
      if (g.Entering == 0 && score > 0) g.Entering = static_cast<int16>(j);
    } else if (score > best && !(best > 0 && score - best <= kTie * best)) {
      best = score;
      g.Entering = static_cast<int16>(j);
    }
  }
  State().attraction = attraction;
  if (g.LPMethod != 5 && g.Entering > 0) {
    State().enteringMark = g.NonBasicMark(g.Entering);
    g.NonBasicMark(g.Entering) = 0;
  }
}

void SimplexRatioTest() {
  const int e = g.Entering;
  const int m = g.MRows;
  SimplexSetBasisColumn(-e, 0);
  double best = kLPInfinity;
  g.Leaving = 0;
  g.LeavingRow = 0;
  const double ubE = g.Tab(g.UBRow, e);
  const bool bland = Guard().bland;
  const bool wholeRun = State().wholeRun;
  const bool freeBasic = wholeRun && State().mayTurn;
  const double *freeRow = RawMatrix(g.Tab, g.FreeVarRow, g.NCols).Row(g.FreeVarRow);
  int bestCol = 0; // the basic column of the chosen row, for the tie rules
  double bestAlpha = 0;
  RawMatrix binv(g.BInv, m, m);
  const double *w = RawVector(g.WorkCol, m);
  double *alphaCol = RawVector(g.AlphaCol, m);
  const bool exact = State().exact;
  static std::vector<double> pivotFloors;
  pivotFloors.assign(static_cast<std::size_t>(m + 1), g.Eps);
  // A column with few nonzero entries (a slack's, an artificial's) is summed over those only,
  // in the same order, which gives the same sums.
  static std::vector<int> nz;
  nz.clear();
  for (int i = 1; i <= m; ++i)
    if (w[i] != 0) nz.push_back(i);
  const bool sparse = 4 * nz.size() < static_cast<std::size_t>(m);
  RowDots<false>(binv, m, w, sparse ? nz.data() : nullptr, sparse ? static_cast<int>(nz.size()) : m, alphaCol,
                 nullptr);
  if (exact) {
    for (int r = 1; r <= m; ++r) {
      const double *br = binv.Row(r);
      double size = 0;
      for (int i = 1; i <= m; ++i)
        size += std::fabs(br[i] * w[i]);
      pivotFloors[static_cast<std::size_t>(r)] = kRelativePivot * size;
    }
  }
  if (State().strictPivot || State().strictPivots) {
    State().strictPivot = false;
    double largest = 0;
    for (int r = 1; r <= m; ++r)
      largest = std::max(largest, std::fabs(alphaCol[r]));
    for (double &floor : pivotFloors)
      floor = std::max(floor, 1E-6 * largest);
  }
  State().alphaFor = e;
  const double *xb = RawVector(g.XBasic, m);
  const int16 *basis = RawVector(g.BasisList, m);
  const double *ub = RawMatrix(g.Tab, g.UBRow, g.NCols).Row(g.UBRow);
  for (int r = 1; r <= m; ++r) {
    const double alpha = alphaCol[r];
    const double pivotFloor = pivotFloors[static_cast<std::size_t>(r)];
    const int basic = basis[r];
    if (g.Phase == 2 && std::fabs(alpha) > pivotFloor && IsArtificial(basic)) {
      g.Leaving = static_cast<int16>(basic);
      g.LeavingRow = static_cast<int16>(r);
      best = 0;
      break;
    }
    if (freeBasic && freeRow[basic] == 1 && MaySwitchSign(basic)) continue;
    double ratio = 0;
    int16 code = 0;
    // A basic value a rounding error outside its bounds counts as at the bound: the step is
    // never negative, so the objective never worsens.
    if (alpha > pivotFloor) {
      ratio = std::max(xb[r], 0.0) / alpha;
      code = static_cast<int16>(basic);
    } else if (alpha < -pivotFloor && std::isfinite(ub[basic])) {
      ratio = std::min(xb[r] - ub[basic], 0.0) / alpha;
      code = static_cast<int16>(-basic);
    } else {
      continue;
    }
    bool take = ratio < best;
    if (bestCol != 0 && RatioTies(ratio, best)) take = bland ? basic < bestCol : wholeRun && std::fabs(alpha) > bestAlpha;
    if (take) {
      bestAlpha = std::fabs(alpha);
      best = ratio;
      g.Leaving = code;
      g.LeavingRow = static_cast<int16>(r);
      bestCol = basic;
    }
  }
  if (ubE < best) g.Leaving = kBoundFlip;

  if (g.Leaving == kBoundFlip) {
    g.NonBasicMark(e) = static_cast<int16>(e);
  } else if (g.Leaving == 0) {
    if (e > 0) {
      g.ZValue = g.Infinity;
      g.Entering = static_cast<int16>(-e);
    }
  } else {
    g.NonBasicMark(std::abs(g.Leaving)) = g.Leaving;
    g.BasisList(g.LeavingRow) = static_cast<int16>(e);
    g.CostB(g.LeavingRow) = g.Cost(e);
  }
}

bool SimplexPivot() {
  if (g.Leaving == 0 || g.Leaving <= kLeavingThreshold) return true;
  EngineState &s = State();
  const int m = g.MRows;
  const int r = g.LeavingRow;
  const int e = std::abs(g.Entering);
  RawMatrix binv(g.BInv, m, m);
  RawMatrix bm(g.BasisMat, m, m);
  // The entering column in terms of the basis being left.
  static std::vector<double> a, w;
  a.resize(static_cast<std::size_t>(m + 1));
  w.resize(static_cast<std::size_t>(m + 1));
  RawMatrix tab(g.Tab, m + 2, e);
  for (int i = 1; i <= m; ++i)
    a[i] = tab(i + 2, e);
  double wMax = 0;
  const bool known = s.alphaFor == e; // the ratio test has just computed it
  s.alphaFor = 0;
  const double *alphaCol = RawVector(g.AlphaCol, m);
  for (int i = 1; i <= m; ++i) {
    double v = 0;
    if (known) {
      v = alphaCol[i];
    } else {
      const double *bi = binv.Row(i);
      for (int k = 1; k <= m; ++k)
        v += bi[k] * a[k];
    }
    w[i] = v;
    wMax = std::max(wMax, std::fabs(v));
  }
  double *work = RawVector(g.WorkCol, m);
  for (int i = 1; i <= m; ++i) {
    work[i] = a[i];
    bm(i, r) = a[i];
  }
  const double pivot = w[r];
  if (++s.updates >= kRefactorEvery || !(std::fabs(pivot) > 1E-6 * wMax)) return Reinvert();

  // Row r of the new inverse is row r of the old one over the pivot; every other row loses
  // its multiple of it.
  double *pr = binv.Row(r);
  const double inv = 1 / pivot;
  for (int k = 1; k <= m; ++k)
    pr[k] *= inv;
  for (int i = 1; i <= m; ++i)
    if (i != r && w[i] != 0) AddMultiple(binv.Row(i) + 1, pr + 1, -w[i], m);
  s.inverse = Inverse::Updated;
  return true;
}

void AssembleSolution() {
  g.ZValue = 0;
  for (int j = 1; j <= g.NCols; ++j) {
    const double x = ColumnSolution(j);
    if (g.NUpperBounded > 0 && g.ColKind(j) == "U") {
      g.Cost(j) = -g.Cost(j);
      g.Tab(2, j) = -g.Tab(2, j);
    }
    if (j <= g.NVars && g.ColKind2(j) == "-") {
      g.Cost(j) = -g.Cost(j);
      g.Tab(2, j) = -g.Tab(2, j);
    }
    g.XSol(j) = x;
    g.ZValue = g.ZValue + x * g.Cost(j);
  }
}

LPStatus EndRun(LPStatus status, bool primal) {
  g.LPResult = status;
  if (status == LPStatus::Optimal) return status;
  if (status != LPStatus::Unbounded) {
    // No solution to report: callers that read only ZValue take it as none found.
    g.ZValue = -g.Infinity;
    if (primal) {
      g.Phase = 0;
      g.ObjSense = g.ObjSenseSaved;
    }
  } else {
    g.ZValue = g.Infinity;
  }
  return status;
}

bool SimplexInverseIsFresh() {
  return State().inverse != Inverse::Updated;
}

bool SimplexReinvert() {
  return Reinvert();
}

namespace {

// Column `entering` takes basis row `row`; the pivot itself follows.
void ExchangeBasis(int row, int entering) {
  const int leaving = g.BasisList(row);
  g.Entering = static_cast<int16>(entering);
  g.Leaving = static_cast<int16>(leaving);
  g.LeavingRow = static_cast<int16>(row);
  g.NonBasicMark(leaving) = static_cast<int16>(leaving);
  g.NonBasicMark(entering) = 0;
  g.BasisList(row) = static_cast<int16>(entering);
  g.CostB(row) = g.Cost(entering);
}

// A free column has no bound to hold it at 0, so a whole run starts by bringing each one into
// the basis where that changes no value: in a row whose slack or artificial column is basic at
// 0, the one with the largest entry of the free column. Without this, every column held at a
// degenerate vertex by the free variable's 0 waits for pricing to bring it in; a game's
// program, all of whose rows but one start at 0, would take thousands of such pivots.
bool EnterFreeColumns() {
  const int m = g.MRows;
  SimplexBasicSolution();
  RawMatrix binv(g.BInv, m, m);
  for (int j = 1; j <= g.NCols; ++j) {
    if (g.NonBasicMark(j) == 0 || !MaySwitchSign(j)) continue;
    SimplexSetBasisColumn(j, 0);
    int row = 0;
    double best = 0, largest = 0;
    const double *w = RawVector(g.WorkCol, m);
    for (int r = 1; r <= m; ++r) {
      const double *br = binv.Row(r);
      double alpha = 0;
      for (int i = 1; i <= m; ++i)
        alpha += br[i] * w[i];
      largest = std::max(largest, std::fabs(alpha));
      if (g.BasisList(r) > g.NVars && g.XBasic(r) == 0 && std::fabs(alpha) > best) {
        best = std::fabs(alpha);
        row = r;
      }
    }
    if (row == 0 || !(best > 1E-6 * largest)) continue;
    ExchangeBasis(row, j);
    if (!SimplexPivot()) return false;
    g.Entering = 0;
    g.Leaving = 0;
    CountIteration();
    SimplexBasicSolution();
  }
  return true;
}

// A whole run that goes this many pivots without improving its objective is stalled at a
// degenerate vertex (many rows meeting at 0), where the largest-improvement rule with either
// tie rule can wander for tens of thousands of pivots; its right-hand sides are then shifted
// (at most so many times in one run). A degenerate run that is working its way to an optimal
// basis at the vertex it stands on lowers the sum of its attractive reduced costs as it goes;
// it is left alone while that sum reached a new low within the last few pivots.
constexpr long kStallBeforeShift = 10;
constexpr long kPivotsWithoutProgress = 5;
constexpr int kShiftsAllowed = 4;
// The shift of a basic value x is between 1 and 10 times this times 1 + |x|.
constexpr double kShiftSize = 1E-5;

// How far basic value r may lie outside its bounds and still count as on them: relative to the
// terms it was summed from when zeros are judged so, else a fixed share of the program's scale.
double BasicValueTolerance(int r) {
  const EngineState &s = State();
  if (!s.exact) return 1E-9 * std::max(1.0, s.rhsScale);
  const int m = g.MRows;
  const double *bi = RawMatrix(g.BInv, m, m).Row(r);
  double size = 0;
  for (int j = 1; j <= m; ++j)
    size += std::fabs(bi[j] * g.Tab(j + 2, g.NColsPlus1));
  return s.feasibilityTol * size;
}

// Some artificial column is basic at a value above the rounding noise of the terms it was summed
// from.
bool ArtificialAboveNoise() {
  const int m = g.MRows;
  RawMatrix binv(g.BInv, m, m);
  for (int r = 1; r <= m; ++r) {
    if (!IsArtificial(g.BasisList(r))) continue;
    double size = 0;
    for (int j = 1; j <= m; ++j)
      size += std::fabs(binv(r, j) * g.Tab(j + 2, g.NColsPlus1));
    if (g.XBasic(r) > kRelativeZero * size + kNoiseFloor) return true;
  }
  return false;
}

// The basis position whose value lies furthest outside its bounds (0: none); `above` tells
// whether it passes its upper bound rather than lying below 0. `noise` lets values within
// kNoiseFloor of their bounds pass.
int MostInfeasibleRow(bool &above, bool noise = false) {
  int row = 0;
  double worst = 0;
  for (int r = 1; r <= g.MRows; ++r) {
    const double x = g.XBasic(r);
    const double ub = g.Tab(g.UBRow, g.BasisList(r));
    const double out = x < 0 ? -x : std::isfinite(ub) && x > ub ? x - ub : 0.0;
    if (out > worst && out > BasicValueTolerance(r) && !(noise && out <= kNoiseFloor)) {
      worst = out;
      row = r;
      above = x > 0;
    }
  }
  return row;
}

// Moves the basic values of the current basis apart by small amounts of their own, through the
// right-hand sides that give them (b + B d moves the basic values by d), so that no two rows
// meet at one point and each pivot moves: a stall ends. Each value moves into its range, up from
// 0 or down from its upper bound, so the basis stays feasible; an artificial column basic in the
// second phase stays at 0. The amounts are fixed (from a hash of the position). The shifted
// values are small, so until the shift is taken out the basis is inverted without zeroing small
// entries and a basic value counts as 0 only beside the terms it was summed from. A verdict on
// the shifted program is taken again on the true one.
bool ShiftRightHandSides() {
  EngineState &s = State();
  const int m = g.MRows;
  std::vector<double> d(static_cast<std::size_t>(m) + 1, 0.0);
  for (int r = 1; r <= m; ++r) {
    const int col = g.BasisList(r);
    if (g.Phase == 2 && IsArtificial(col)) continue;
    const double x = g.XBasic(r);
    const double u = static_cast<double>(Mix(static_cast<std::uint64_t>(r)) >> 11) * 0x1.0p-53;
    const double e = kShiftSize * (1 + std::fabs(x)) * (1 + 9 * u);
    const double ub = g.Tab(g.UBRow, col);
    const double room = std::isfinite(ub) ? ub - x : INFINITY;
    d[static_cast<std::size_t>(r)] = room >= 2 * e ? e : x >= 2 * e ? -e : (room - x) / 2;
  }
  s.shift.assign(static_cast<std::size_t>(m) + 1, 0.0);
  RawMatrix bm(g.BasisMat, m, m);
  for (int i = 1; i <= m; ++i) {
    const double *row = bm.Row(i);
    double v = 0;
    for (int r = 1; r <= m; ++r)
      v += row[r] * d[static_cast<std::size_t>(r)];
    s.shift[static_cast<std::size_t>(i)] = v;
    g.Tab(i + 2, g.NColsPlus1) += v;
  }
  return Reinvert();
}

void TakeShiftOut() {
  EngineState &s = State();
  for (int i = 1; i <= g.MRows; ++i)
    g.Tab(i + 2, g.NColsPlus1) -= s.shift[static_cast<std::size_t>(i)];
  s.shift.clear();
}

// Takes the shift back out and recomputes the basic solution; false when the basis is not
// feasible for the right-hand sides as they are.
bool UnshiftRightHandSides() {
  TakeShiftOut();
  g.Leaving = 0; // the verdict's basic solution has carried out the last step's flip
  SimplexBasicSolution();
  bool above = false;
  return MostInfeasibleRow(above) == 0;
}

// A basis that met the verdict of the shifted program but has a basic value outside its bounds
// on the true one still prices out (its reduced costs do not depend on the right-hand sides),
// so dual simplex steps take it to a feasible basis: the value furthest out leaves, at 0 or at
// its upper bound, and of the columns that move it back the one whose reduced cost allows the
// least step enters. False when that fails (no column moves the value back, or too many steps).
// A `careful` repair (of a basis that is infeasible on an exact inverse, where a step of 0
// ties among many columns of a degenerate program) lets rounding noise pass and of the columns
// that tie takes the one with the largest entry in the leaving row, so that it never divides
// by an entry that is only a rounding error beside the others.
bool RepairByDualSteps(bool careful = false) {
  const int m = g.MRows, nc = g.NCols;
  RawMatrix binv(g.BInv, m, m);
  std::vector<double> y(static_cast<std::size_t>(m) + 1);
  State().provedInfeasible = false;
  for (int step = 0; step < 10 * m + 50; ++step) {
    if (State().inverse == Inverse::Updated && !Reinvert()) return false;
    SimplexBasicSolution(); // carries out the flip of a column that left at its upper bound
    g.Leaving = 0;
    bool above = false;
    const int r = MostInfeasibleRow(above, careful);
    if (r == 0) return true;
    std::fill(y.begin(), y.end(), 0.0);
    for (int k = 1; k <= m; ++k)
      if (const double cb = g.CostB(k); cb != 0) AddMultiple(y.data() + 1, binv.Row(k) + 1, cb, m);
    const double *row = binv.Row(r);
    // A value below 0 rises as a column with a negative entry in its row enters; one above its
    // bound falls as a column with a positive entry does.
    const double sign = above ? 1 : -1;
    // A careful repair first looks only at entries of at least a millionth of the row's largest.
    int entering = 0;
    double largest = 0;
    if (careful)
      for (int j = 1; j <= nc; ++j) {
        if (g.NonBasicMark(j) == 0 || (g.Phase == 2 && IsArtificial(j))) continue;
        double alpha = 0;
        for (int i = 1; i <= m; ++i)
          alpha += row[i] * g.Tab(i + 2, j);
        largest = std::max(largest, std::fabs(alpha));
      }
    // A free column moves the value back whichever the sign of its entry.
    bool freeMoves = false;
    for (int pass = careful ? 0 : 1; pass < 2 && entering == 0; ++pass) {
      double best = INFINITY, bestAlpha = 0;
      for (int j = 1; j <= nc; ++j) {
        if (g.NonBasicMark(j) == 0 || (g.Phase == 2 && IsArtificial(j))) continue;
        double alpha = 0, d = -g.Cost(j), size = 0;
        for (int i = 1; i <= m; ++i) {
          const double a = g.Tab(i + 2, j);
          alpha += row[i] * a;
          d += y[static_cast<std::size_t>(i)] * a;
          size += std::fabs(row[i] * a);
        }
        if (-sign * alpha > kRelativePivot * size + 1E-12 && MaySwitchSign(j)) freeMoves = true;
        if (!(sign * alpha > kRelativePivot * size + 1E-12)) continue;
        if (pass == 0 && !(sign * alpha > 1E-6 * largest)) continue;
        const double ratio = std::max(0.0, -g.ObjSense * d) / (sign * alpha);
        const bool take = careful && entering != 0 && RatioTies(ratio, best) ? sign * alpha > bestAlpha : ratio < best;
        if (take) {
          best = ratio;
          bestAlpha = sign * alpha;
          entering = j;
        }
      }
    }
    if (entering == 0) {
      // Every other column is held at 0 and may only rise (a complemented one stands for its
      // distance from its bound), the artificial ones of the second phase at 0 for good.
      State().provedInfeasible = careful && g.Phase != 1 && !freeMoves;
      return false;
    }
    const int leaving = g.BasisList(r);
    ExchangeBasis(r, entering);
    if (above) {
      // It leaves at its upper bound: the next basic solution flips it there.
      g.Leaving = static_cast<int16>(-leaving);
      g.NonBasicMark(leaving) = static_cast<int16>(-leaving);
    }
    State().alphaFor = 0;
    if (!SimplexPivot()) return false;
    g.Entering = 0;
    CountIteration();
  }
  return false;
}

// Puts back the basis that the ratio test of this step changed, once its pivot has found the new
// basis matrix singular (BInv still holds the inverse of the old one).
void UndoExchange() {
  const int r = g.LeavingRow;
  const int col = std::abs(g.Leaving);
  g.BasisList(r) = static_cast<int16>(col);
  g.NonBasicMark(col) = 0;
  g.CostB(r) = g.Cost(col);
  for (int i = 1; i <= g.MRows; ++i)
    g.BasisMat(i, r) = g.Tab(i + 2, col);
}

// Repairs of a basis found infeasible on an exact inverse, and steps taken again after a
// singular pivot, allowed in one run.
constexpr int kRepairsAllowed = 4;

// A basis whose values lie outside their bounds by more than rounding noise on an exact inverse
// (a fresh one, every zero judged against its terms) is taken back to a feasible one by careful
// dual steps, at most kRepairsAllowed times in one run. False: no answer can be trusted.
bool RepairOnExactInverse(int &repairs) {
  State().provedInfeasible = false;
  if (repairs >= kRepairsAllowed) return false;
  ++repairs;
  EngineState &s = State();
  if (!s.exact || s.inverse == Inverse::Updated) {
    s.exact = true;
    if (!Reinvert()) return false;
  }
  return RepairByDualSteps(true);
}

LPStatus Iterate();

void FindSingleEntryColumns() {
  EngineState &s = State();
  const int m = g.MRows, nc = g.NCols;
  RawMatrix tab(g.Tab, m + 2, nc);
  s.soleRow.assign(static_cast<std::size_t>(nc) + 1, 0);
  s.denseCols = 0;
  for (int j = 1; j <= nc; ++j) {
    int row = 0, count = 0;
    for (int i = 1; i <= m && count < 2; ++i)
      if (tab(i + 2, j) != 0) {
        row = i;
        ++count;
      }
    if (count == 1)
      s.soleRow[static_cast<std::size_t>(j)] = row;
    else
      s.denseCols = j;
  }
}

// The primal run to its verdict; at an optimum the solution is not yet assembled.
LPStatus RunPrimal() {
  g.Phase = g.NArtificial1 + g.NArtificial2 != 0 ? 1 : 0;
  if (!SimplexInit()) return EndRun(LPStatus::SingularBasis);
  g.IterCount = 1;
  State().wholeRun = true;
  FindSingleEntryColumns();
  if (State().mayTurn && !EnterFreeColumns()) return EndRun(LPStatus::SingularBasis);
  return Iterate();
}

LPStatus IterateFromBasis();

// Pivots from the current basis to a verdict; the right-hand sides are left as they were.
LPStatus Iterate() {
  State().shift.clear();
  const LPStatus status = IterateFromBasis();
  if (!State().shift.empty()) TakeShiftOut();
  if (State().checkingInfeasible && status != LPStatus::Infeasible) {
    State().checkingInfeasible = false;
    return EndRun(LPStatus::Infeasible);
  }
  return status;
}

// Whether every basic value that the zeroing rule took for 0 is 0 to a rounding error of its
// terms under the current inverse (it may be 1.5E-9 beside terms no larger).
bool BasicValuesAgree() {
  const int m = g.MRows, rhs = g.NColsPlus1;
  RawMatrix binv(g.BInv, m, m);
  for (int r = 1; r <= m; ++r) {
    if (g.XBasic(r) != 0) continue;
    double x = 0, size = 0;
    for (int i = 1; i <= m; ++i) {
      const double t = binv(r, i) * g.Tab(i + 2, rhs);
      x += t;
      size += std::fabs(t);
    }
    if (std::fabs(x) > kCheckTol * size && std::fabs(x) > kNoiseFloor) return false;
  }
  return true;
}

// Whether some basic value lies outside its bounds by more than rounding noise beside the terms
// it was summed from under the current inverse (a value of -3.8E-6 beside terms of 6E4, left
// by a pivot on an entry of 2E-6, is one the ratio tests take for 0).
bool OutsideBounds() {
  const int m = g.MRows, rhs = g.NColsPlus1;
  RawMatrix binv(g.BInv, m, m);
  for (int r = 1; r <= m; ++r) {
    double x = 0, size = 0;
    for (int i = 1; i <= m; ++i) {
      const double t = binv(r, i) * g.Tab(i + 2, rhs);
      x += t;
      size += std::fabs(t);
    }
    const double ub = g.Tab(g.UBRow, g.BasisList(r));
    const double tol = kRelativeZero * size + kNoiseFloor;
    if (x < -tol || (std::isfinite(ub) && x > ub + tol)) return true;
  }
  return false;
}

// An optimal verdict of a scaled run whose inversion zeroes small entries is priced again on
// the inversion that zeroes none: a multiplier built from entries below the zeroing floor can
// hide an improving column (a reduced cost of 2 that the zeroed inverse gave as 0), and the
// rule that takes basic values below Eps for 0 a legitimate value of the scaled units. When one
// shows, the run goes on with that inversion (also when the basis cannot be inverted by it, for
// the next inversion to decide); otherwise the inverse is put back as it was. Neither can happen
// where the inverse kept every entry and no basic value above rounding noise was taken for 0.
bool ScaledVerdictHolds() {
  EngineState &s = State();
  if (s.colScale.empty() || s.exact) return true;
  if (!LastInversionZeroedAnEntry() && !s.zeroedValue && !OutsideBounds()) return true;
  s.exact = true;
  if (!Reinvert()) return false;
  if (PricesOut(false) && BasicValuesAgree() && !OutsideBounds()) {
    s.exact = false;
    return Reinvert();
  }
  if (OutsideBounds()) {
    // A basic value outside its bounds beyond rounding is taken back to them by dual steps.
    s.feasibilityTol = kRelativeZero;
    g.Leaving = 0; // the verdict's basic solution has carried out the last step's flip
    RepairByDualSteps(true);
    s.feasibilityTol = kCheckTol;
  }
  return false;
}

LPStatus IterateFromBasis() {
  long pivots = 0;
  int shifts = 0;
  int repairs = 0;
  bool strictBefore = false; // a singular pivot has been taken again strictly in this run
  double lowestAttraction = INFINITY;
  long sinceLowest = 0;
  // Every verdict is read from an inverse computed afresh; when that changes the step, the
  // step is taken again.
  auto refreshed = [](LPStatus &failure) {
    switch (RefreshInverse()) {
    case Refresh::AlreadyFresh:
      return false;
    case Refresh::Failed:
      failure = LPStatus::SingularBasis;
      return true;
    case Refresh::Done:
      break;
    }
    Retry();
    return true;
  };
  for (;;) {
    SimplexBasicSolution();
    if (State().brokenDown) {
      // Taken again on a fresh inverse; a basis still infeasible there is repaired by dual
      // steps, and when that fails no answer this arithmetic gives can be trusted.
      g.Leaving = 0;
      if (State().inverse == Inverse::Updated) {
        if (!Reinvert()) return EndRun(LPStatus::SingularBasis);
        continue;
      }
      bool above = false;
      if (MostInfeasibleRow(above, true) != 0) {
        if (!RepairOnExactInverse(repairs))
          return EndRun(State().provedInfeasible ? LPStatus::Infeasible : LPStatus::NumericalFailure);
        continue;
      }
      // Only rounding noise lies outside the bounds: the ratio test takes it as on them.
    }
    SimplexPricing();
    LPStatus failure = LPStatus::NotSolved;
    // A verdict reached on shifted right-hand sides is taken again on the true ones.
    auto unshifted = [&repairs](LPStatus &failure) {
      if (State().shift.empty()) return false;
      if (!UnshiftRightHandSides() && !RepairByDualSteps() && !RepairOnExactInverse(repairs))
        failure = State().provedInfeasible ? LPStatus::Infeasible : LPStatus::NumericalFailure;
      Retry();
      return true;
    };
    // A basis that came back under Bland's rule means the arithmetic goes round in circles (seen
    // at the end of a first phase, where the sum of artificial values stalls a little above 0).
    // A shift is taken out as at a verdict; without one the run is given up at once, for the
    // exact steps from that basis to settle where affordable.
    if (Guard().cycledUnderBland) {
      Guard().LeaveCycle();
      if (unshifted(failure)) {
        if (failure != LPStatus::NotSolved) return EndRun(failure);
        continue;
      }
      return EndRun(LPStatus::NumericalFailure);
    }
    if (g.Entering != 0 && State().shift.empty()) {
      const double attraction = State().attraction;
      if (Guard().sinceImproved == 0 || attraction < lowestAttraction * (1 - 1E-9)) {
        lowestAttraction = attraction;
        sinceLowest = 0;
      } else {
        ++sinceLowest;
      }
      if (shifts < kShiftsAllowed && Guard().sinceImproved > kStallBeforeShift &&
          sinceLowest > kPivotsWithoutProgress) {
        if (!ShiftRightHandSides()) return EndRun(LPStatus::SingularBasis);
        ++shifts;
        Retry();
        continue;
      }
    }
    if (g.Entering != 0) {
      SimplexRatioTest();
      if (g.Leaving == 0 && g.Entering < 0) {
        if (refreshed(failure)) {
          if (failure != LPStatus::NotSolved) return EndRun(failure);
          continue;
        }
        if (unshifted(failure)) {
          if (failure != LPStatus::NotSolved) return EndRun(failure);
          continue;
        }
        if (RayHolds(-g.Entering)) return EndRun(LPStatus::Unbounded);
        if (GoExact()) {
          Retry();
          continue;
        }
        return EndRun(LPStatus::NumericalFailure);
      }
      // Bland's rule ends every degenerate stretch in exact arithmetic; one this long means
      // the arithmetic has gone astray.
      if (++pivots > LPPivotCap || Guard().sinceImproved > kStallLimit) return EndRun(LPStatus::PivotCapReached);
      // A check of an infeasible verdict that finds a feasible basis takes a few pivots; one that
      // stalls on a degenerate program is given up.
      if (State().checkingInfeasible && g.IterCount - State().checkFrom > g.MRows + 20)
        return EndRun(LPStatus::PivotCapReached);
      const bool wasExact = State().exact;
      if (!SimplexPivot()) {
        // The entry pivoted on was a rounding error beside the column's terms: the step is
        // taken back and taken again with every zero judged against its terms, and where they
        // were already, without entries that small beside the column's largest.
        if (repairs >= kRepairsAllowed) return EndRun(LPStatus::SingularBasis);
        ++repairs;
        UndoExchange();
        Retry();
        if (wasExact) {
          State().strictPivots = State().strictPivots || strictBefore;
          State().strictPivot = strictBefore = true;
        }
        State().exact = true;
        if (!Reinvert()) return EndRun(LPStatus::SingularBasis);
        continue;
      }
      CountIteration();
      continue;
    }
    if (refreshed(failure)) {
      if (failure != LPStatus::NotSolved) return EndRun(failure);
      continue;
    }
    if (unshifted(failure)) {
      if (failure != LPStatus::NotSolved) return EndRun(failure);
      continue;
    }
    if (g.Phase == 1) {
      const EngineState &s = State();
      const double allowed = 1E-9 * s.rhsScale; // the rule when zeros are judged against their terms
      // Checked again, the sum must be rounding noise to count as 0.
      if (std::fabs(g.ZValue) > (s.exact ? allowed : g.Eps) ||
          (s.checkingInfeasible && ArtificialAboveNoise())) {
        // A sum of the artificial values below 0 is rounding, whatever Eps calls it (-6.5E-8
        // beside right-hand sides of 128): it is judged again on the inversion that zeroes no
        // small entry.
        // A positive one on an inverse that zeroed entries may be theirs (legitimate entries
        // of 1E-9 beside coefficients near 1E6): it is taken on with the exact inverse.
        if (!s.exact) {
          const bool rounding = g.ZValue < 0 && -g.ZValue <= allowed;
          if ((rounding || LastInversionZeroedAnEntry()) && GoExact()) {
            State().checkingInfeasible = !rounding;
            State().checkFrom = g.IterCount;
            Retry();
            continue;
          }
        }
        return EndRun(LPStatus::Infeasible);
      }
      State().checkingInfeasible = false;
      g.Phase = 2;
      for (int j = 1; j <= g.NCols; ++j)
        g.Cost(j) = g.Tab(2, j);
      for (int i = 1; i <= g.MRows; ++i)
        g.CostB(i) = IsArtificial(g.BasisList(i)) ? 0 : g.Cost(g.BasisList(i));
      CountIteration();
      ++g.TableauCount;
      g.ObjSense = g.ObjSenseSaved;
      g.Entering = 0;
      g.Leaving = 0;
      CountIteration();
      continue;
    }
    if (!ScaledVerdictHolds()) {
      Retry();
      continue;
    }
    if (!SolutionHolds()) {
      if (GoExact()) {
        Retry();
        continue;
      }
      bool above = false;
      if (MostInfeasibleRow(above, true) != 0) {
        if (RepairOnExactInverse(repairs)) {
          Retry();
          continue;
        }
        if (State().provedInfeasible) return EndRun(LPStatus::Infeasible);
      }
      return EndRun(LPStatus::NumericalFailure);
    }
    g.Phase = 0;
    return LPStatus::Optimal;
  }
}

} // namespace

namespace simplex {

double ColScale(int j) {
  return quon::ColScale(j);
}
bool IsArtificial(int j) {
  return quon::IsArtificial(j);
}
bool MaySwitchSign(int j) {
  return quon::MaySwitchSign(j);
}
void FlipToBound(int j) {
  quon::FlipToBound(j);
}
double Orientation(int j) {
  return quon::Orientation(j);
}
double TypedColumnValue(int j, double x) {
  return quon::TypedColumnValue(j, x);
}
double ColumnSolution(int j) {
  return quon::ColumnSolution(j);
}
double ColumnMagnitude(int j) {
  return quon::ColumnMagnitude(j);
}
bool JudgesZerosByTerms() {
  return State().exact;
}
bool ReinvertJudgingZerosByTerms() {
  State().exact = true;
  State().wholeRun = false;
  return quon::Reinvert();
}

} // namespace simplex

LPStatus SolveLP() {
  g.LPResult = LPStatus::NotSolved;
  // A program of widely spread coefficients is solved scaled (rows and columns by powers of 2)
  // and taken back.
  State().rowScale.clear();
  State().colScale.clear();
  if (g.MRows > 0 && WorthScaling()) ScaleModel();
  const bool scaled = !State().colScale.empty();
  LPStatus status = RunPrimal();
  UnscaleModel();
  if (status == LPStatus::Optimal && !OptimalityHolds(scaled)) {
    // On from that basis in the program's own units, every zero judged against its terms; an
    // optimum that fails again is no answer.
    State().exact = true;
    g.Phase = static_cast<int16>(g.NArtificial1 + g.NArtificial2 != 0 ? 2 : 0);
    g.ObjSense = g.ObjSenseSaved;
    status = Reinvert() ? Iterate() : LPStatus::SingularBasis;
    if (status == LPStatus::Optimal && !OptimalityHolds(false)) status = LPStatus::NumericalFailure;
  }
  const LPStatus verdict = ConfirmVerdict(status);
  // A run given up ends as such, whether or not the exact steps were tried.
  if (verdict == LPStatus::SingularBasis || verdict == LPStatus::NumericalFailure) return EndRun(verdict);
  return verdict;
}

LPStatus SolveSavedLPAside() {
  Mod1 data = g;
  EngineState state = State();
  CycleGuard guard = Guard();
  RestoreLPModel();
  const LPStatus status = SolveLP();
  g = std::move(data);
  State() = std::move(state);
  Guard() = std::move(guard);
  return status;
}

} // namespace quon
