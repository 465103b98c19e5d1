#include "linear/simplex_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "linear/exact_basis.h"
#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "linear/raw_matrix.h"
#include "linear/simplex_internal.h"
#include "platform/values.h"

namespace quon {

namespace {

constexpr double kAlphaZero = 1E-8;
// Scores and ratios that agree to this relative precision are equal, as in the engine's pricing.
constexpr double kScoreTie = 1E-12;

int Sign2(std::uint8_t state) {
  return (state >> 1) & 3;
}

// -1 when the column has been complemented or negated an odd number of times since the
// start: both negate its constraint entries.
double SignSince(std::uint8_t start, std::uint8_t now) {
  double s = 1;
  if ((start & 1) != (now & 1)) s = -s;
  if ((Sign2(start) == 2) != (Sign2(now) == 2)) s = -s;
  return s;
}

// Of a run whose data are far from 1 in size: a value counts as 0 when it is this small beside
// the sum of the magnitudes of the terms it was summed from.
constexpr double kRelativeZero = 1E-12;
// An inverse entry that is 0 in exact arithmetic comes out as rounding of the size of the
// largest entries of its row, so that a sum over a column whose other entries are 0 can be
// made of rounding alone: a value is also 0 when it is this small beside the largest entry of
// the row (of B^-1, of the duals) times the largest entry of the vector it multiplies.
constexpr double kNoiseBeside = 1E-14;

double LargestOf(const double *v, int from, int to) {
  double big = 0;
  for (int k = from; k <= to; ++k)
    big = std::max(big, std::fabs(v[k]));
  return big;
}

// The dual simplex method can cycle where reduced costs are 0 (every ratio ties at 0): the bases
// of a stretch in which the objective does not strictly move towards the optimum are remembered,
// and when one comes back the run takes Bland's rule for the dual (of the rows below 0 the one
// whose basic column is left-most leaves; the left-most of the tied columns enters), which cannot
// cycle, until the objective moves again.
struct DualCycleGuard {
  std::unordered_set<std::uint64_t> seen;
  bool bland = false;
  bool hasLast = false;
  double lastZ = 0;

  static std::uint64_t Mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
  }
  void Step() {
    const double z = g.ZValue;
    if (!hasLast || g.ObjSense * (z - lastZ) > 1E-9 * std::max(1.0, std::fabs(lastZ))) {
      seen.clear();
      bland = false;
      lastZ = z;
      hasLast = true;
    }
    std::uint64_t h = 0;
    for (int i = 1; i <= g.MRows; ++i)
      h += Mix(static_cast<std::uint64_t>(g.BasisList(i)));
    if (!seen.insert(h).second) bland = true;
  }
};

// How the current tableau run judges its numbers. Data whose every number lies within a few
// orders of magnitude of 1 keep the engine's own steps, whose absolute tolerance is harmless
// there; any other run prices and tests every tableau relative to the terms, on an inverse that
// nothing zeroes (carried by updates between fresh ones) and with every value read from it
// refined against the basis matrix itself. The M-method's objective row is then kept as an M
// part and the rest, priced M part first, so that no cost vanishes beside a large M.
struct RunNumerics {
  bool relative = false;
  bool splitM = false;
  // The typed rows (see CaptureTypedRows) and whether the tableau's rows are theirs.
  exact::StandardForm typed;
  bool typedRows = false;
  DualCycleGuard dual;
  double bigM = 0;
  // The basis matrix by positions (the nonzero entries of each basic column, and the column each
  // position holds them for), the largest magnitude in each row of BInv, and the magnitudes of
  // the constraint entries (which no flip or sign change alters), row by row.
  std::vector<std::vector<std::pair<int, double>>> basisCols;
  std::vector<int> basisColOf;
  std::vector<double> basisRows;  // the same matrix dense, row i (1..m) at (i - 1) * m
  std::vector<double> basisDense; // and by columns, position k (1..m) at (k - 1) * m
  std::vector<double> invRowBig;
  std::vector<double> absTab; // row i (1..m), column j (1..n) at (i - 1) * n + (j - 1)
  std::vector<double> colBig; // largest magnitude of column j's constraint entries
  std::vector<double> colSum; // sum of the magnitudes of column j's constraint entries
  int basisNonzeros = 0;      // entries of basisCols
  int updates = 0;            // pivots since BInv was made afresh
  // The entering column of the last ratio test, B^-1 of it and the magnitudes of its terms.
  int alphaFor = 0;
  std::vector<double> alpha, alphaSize;
};

RunNumerics &Num() {
  static RunNumerics n;
  return n;
}

bool DataNearOne() {
  const int m = g.MRows, n = g.NCols;
  auto small = [](double v) { return std::fabs(v) <= 1E3; };
  for (int j = 1; j <= n; ++j) {
    if (!IsArtificialColumn(j) && !small(g.Tab(2, j))) return false;
    const double ub = g.Tab(g.UBRow, j);
    if (std::isfinite(ub) && ub < kLPInfinity && !small(ub)) return false;
    for (int i = 3; i <= m + 2; ++i) {
      const double a = std::fabs(g.Tab(i, j));
      if (a != 0 && (a > 1E3 || a < 1E-3)) return false;
    }
  }
  for (int i = 3; i <= m + 2; ++i)
    if (!small(g.Tab(i, g.NColsPlus1))) return false;
  if (g.LPMethod == 3)
    for (int j = 1; j <= n; ++j)
      if (IsArtificialColumn(j) && std::fabs(g.Tab(2, j)) > 1E4) return false;
  return true;
}

// The largest magnitude of each row of BInv, after it has changed.
void NoteInverseRows() {
  const int m = g.MRows;
  RawMatrix binv(g.BInv, m, m);
  std::vector<double> &big = Num().invRowBig;
  big.assign(static_cast<std::size_t>(m + 1), 0.0);
  for (int i = 1; i <= m; ++i)
    big[static_cast<std::size_t>(i)] = LargestOf(binv.Row(i), 1, m);
}

// BInv := the inverse of the matrix of the basic columns of Tab, by Gauss-Jordan elimination
// with partial pivoting; nothing is rounded to 0. False (BInv unchanged) when it is singular.
bool InvertBasisAfresh() {
  const int m = g.MRows;
  static std::vector<double> w;
  const std::size_t width = static_cast<std::size_t>(2 * m);
  w.assign(static_cast<std::size_t>(m) * width, 0.0);
  RawMatrix tab(g.Tab, m + 2, g.NCols);
  for (int k = 0; k < m; ++k) {
    const int col = g.BasisList(k + 1);
    if (col < 1 || col > g.NCols) return false;
    for (int i = 0; i < m; ++i)
      w[static_cast<std::size_t>(i) * width + k] = tab(i + 3, col);
  }
  for (int i = 0; i < m; ++i)
    w[static_cast<std::size_t>(i) * width + m + i] = 1;
  for (int c = 0; c < m; ++c) {
    int p = c;
    double largest = 0;
    for (int i = 0; i < m; ++i)
      largest = std::max(largest, std::fabs(w[static_cast<std::size_t>(i) * width + c]));
    for (int i = c + 1; i < m; ++i)
      if (std::fabs(w[static_cast<std::size_t>(i) * width + c]) > std::fabs(w[static_cast<std::size_t>(p) * width + c]))
        p = i;
    const double piv = w[static_cast<std::size_t>(p) * width + c];
    if (!(std::fabs(piv) > 1E-13 * largest)) return false;
    if (p != c)
      for (std::size_t k = 0; k < width; ++k)
        std::swap(w[static_cast<std::size_t>(p) * width + k], w[static_cast<std::size_t>(c) * width + k]);
    // Columns 0..c of the left half are read no more (only column c + 1 on and the right half
    // are), and are left as they stand.
    const std::size_t from = static_cast<std::size_t>(c) + 1;
    double *rc = &w[static_cast<std::size_t>(c) * width];
    const double inv = 1 / piv;
    for (std::size_t k = from; k < width; ++k)
      rc[k] *= inv;
    for (int i = 0; i < m; ++i) {
      if (i == c) continue;
      double *ri = &w[static_cast<std::size_t>(i) * width];
      const double f = ri[c];
      if (f == 0) continue;
      AddMultiple(ri + from, rc + from, -f, static_cast<int>(width - from));
    }
  }
  RawMatrix binv(g.BInv, m, m);
  for (int i = 1; i <= m; ++i)
    for (int k = 1; k <= m; ++k)
      binv(i, k) = w[static_cast<std::size_t>(i - 1) * width + m + k - 1];
  NoteInverseRows();
  Num().updates = 0;
  return true;
}

// The M part and the rest of column j's cost in a split objective row.
double CostM(int j) {
  return IsArtificialColumn(j) ? (g.Cost(j) > 0 ? 1.0 : g.Cost(j) < 0 ? -1.0 : 0.0) : 0.0;
}
double CostRest(int j) {
  return IsArtificialColumn(j) ? 0.0 : g.Cost(j);
}

// A split value's single number as the tableau shows it: M x the M part + the rest, 0 where the
// two cancel to rounding.
double Combine(double mPart, double rest) {
  const double v = Num().bigM * mPart + rest;
  return std::fabs(v) <= kRelativeZero * (Num().bigM * std::fabs(mPart) + std::fabs(rest)) ? 0.0 : v;
}

// The basis matrix's columns as the positions now hold them.
void SyncBasisColumns() {
  RunNumerics &n = Num();
  const int m = g.MRows;
  if (n.basisColOf.size() != static_cast<std::size_t>(m + 1)) {
    n.basisColOf.assign(static_cast<std::size_t>(m + 1), 0);
    n.basisCols.assign(static_cast<std::size_t>(m + 1), {});
    n.basisNonzeros = 0;
    n.basisRows.assign(static_cast<std::size_t>(m) * m, 0.0);
    n.basisDense = n.basisRows;
  }
  RawMatrix tab(g.Tab, m + 2, g.NCols);
  for (int k = 1; k <= m; ++k) {
    const int col = g.BasisList(k);
    if (n.basisColOf[static_cast<std::size_t>(k)] == col) continue;
    auto &c = n.basisCols[static_cast<std::size_t>(k)];
    n.basisNonzeros -= static_cast<int>(c.size());
    c.clear();
    for (int i = 1; i <= m; ++i) {
      const double v = tab(i + 2, col);
      n.basisRows[static_cast<std::size_t>(i - 1) * m + (k - 1)] = v;
      n.basisDense[static_cast<std::size_t>(k - 1) * m + (i - 1)] = v;
      if (v != 0) c.emplace_back(i, v);
    }
    n.basisNonzeros += static_cast<int>(c.size());
    n.basisColOf[static_cast<std::size_t>(k)] = col;
  }
}

// The dot product of a[0..n) and b[0..n), four partial sums a round so that it packs.
double Dot(const double *__restrict a, const double *__restrict b, int n) {
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    s0 += a[k] * b[k];
    s1 += a[k + 1] * b[k + 1];
    s2 += a[k + 2] * b[k + 2];
    s3 += a[k + 3] * b[k + 3];
  }
  for (; k < n; ++k)
    s0 += a[k] * b[k];
  return (s0 + s1) + (s2 + s3);
}

using Pair = double __attribute__((vector_size(16)));

Pair LoadPair(const double *p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// |v| lane by lane (the sign bit cleared).
Pair AbsPair(Pair v) {
  using Bits = long long __attribute__((vector_size(16)));
  const Bits mask = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  return reinterpret_cast<Pair>(reinterpret_cast<Bits>(v) & mask);
}

// Dot(a[t], b, n) into out[t] for four rows a[t]: each row's four partial sums are Dot's, summed
// in Dot's order, so each result is Dot's to the bit; the four rows side by side keep the adder
// busy where one row's sums would wait on each other.
void Dot4(const double *const a[4], const double *__restrict b, int n, double out[4]) {
  Pair lo[4] = {}, hi[4] = {};
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    const Pair bl = LoadPair(b + k), bh = LoadPair(b + k + 2);
    for (int t = 0; t < 4; ++t) {
      lo[t] += LoadPair(a[t] + k) * bl;
      hi[t] += LoadPair(a[t] + k + 2) * bh;
    }
  }
  for (int t = 0; t < 4; ++t) {
    double s0 = lo[t][0];
    for (int q = k; q < n; ++q)
      s0 += a[t][q] * b[q];
    out[t] = (s0 + lo[t][1]) + (hi[t][0] + hi[t][1]);
  }
}

// The partial sum of Dot(., ., n) that takes the term at offset k.
int DotSlot(int k, int n) {
  return k < (n & ~3) ? (k & 3) : 0;
}

// Dot(a, b, n) where a[k] b[k] is 0 at every offset k outside idx (ascending): each term goes
// to the partial sum Dot gives it, in Dot's order (a term of 0 changes no sum), so the result
// is Dot's to the bit.
double DotAt(const double *__restrict a, const double *__restrict b, int n, const std::vector<int> &idx) {
  double s[4] = {0, 0, 0, 0};
  for (const int k : idx)
    s[DotSlot(k, n)] += a[k] * b[k];
  return (s[0] + s[1]) + (s[2] + s[3]);
}

// Whether the basis matrix is sparse enough to be summed over its nonzero entries.
bool BasisSparse() {
  const int m = g.MRows;
  return 4 * static_cast<long long>(Num().basisNonzeros) < static_cast<long long>(m) * m;
}

// out[i] = Dot(rowOf(i), b, n) for i = 1..m.
template <class RowOf> void DotEach(int m, RowOf rowOf, const double *b, int n, double *out) {
  int i = 1;
  for (; i + 3 <= m; i += 4) {
    const double *a[4] = {rowOf(i), rowOf(i + 1), rowOf(i + 2), rowOf(i + 3)};
    Dot4(a, b, n, out + i);
  }
  for (; i <= m; ++i)
    out[i] = Dot(rowOf(i), b, n);
}

// to[k] += |f * from[k]| for k < n.
void AddAbsMultiple(double *__restrict to, const double *__restrict from, double f, int n) {
  for (int k = 0; k < n; ++k)
    to[k] += std::fabs(f * from[k]);
}

// z += B^-1 r (nothing where r is 0).
void AddInverseTimes(const std::vector<double> &r, std::vector<double> &z) {
  const int m = g.MRows;
  bool any = false;
  for (int k = 1; k <= m && !any; ++k)
    any = r[static_cast<std::size_t>(k)] != 0;
  if (!any) return;
  RawMatrix binv(g.BInv, m, m);
  static std::vector<double> d;
  d.assign(static_cast<std::size_t>(m + 1), 0.0);
  static std::vector<int> idx;
  idx.clear();
  for (int k = 1; k <= m; ++k)
    if (r[static_cast<std::size_t>(k)] != 0) idx.push_back(k - 1);
  if (4 * idx.size() < static_cast<std::size_t>(m))
    for (int i = 1; i <= m; ++i)
      d[static_cast<std::size_t>(i)] = DotAt(binv.Row(i) + 1, r.data() + 1, m, idx);
  else
    DotEach(m, [&](int i) { return binv.Row(i) + 1; }, r.data() + 1, m, d.data());
  for (int i = 1; i <= m; ++i)
    z[static_cast<std::size_t>(i)] += d[static_cast<std::size_t>(i)];
}

// One step of iterative refinement of z = B^-1 v (residual summed in extended precision): the
// inverse's rounding, which leaves entries that are 0 in exact arithmetic as tiny numbers,
// comes out of the result.
void RefineSolve(const std::vector<double> &v, std::vector<double> &z) {
  SyncBasisColumns();
  const int m = g.MRows;
  static std::vector<double> r;
  r.assign(static_cast<std::size_t>(m + 1), 0.0);
  if (BasisSparse()) {
    // (B z)_i column by column over the nonzero entries, each term into the partial sum Dot
    // over row i gives it, in the same order: the same sums to the bit.
    static std::vector<double> part;
    part.assign(static_cast<std::size_t>(4 * (m + 1)), 0.0);
    for (int k = 1; k <= m; ++k) {
      const double zk = z[static_cast<std::size_t>(k)];
      if (zk == 0) continue;
      const int slot = DotSlot(k - 1, m);
      for (const auto &[i, a] : Num().basisCols[static_cast<std::size_t>(k)])
        part[static_cast<std::size_t>(4 * i + slot)] += a * zk;
    }
    for (int i = 1; i <= m; ++i) {
      const double *p = &part[static_cast<std::size_t>(4 * i)];
      r[static_cast<std::size_t>(i)] = (p[0] + p[1]) + (p[2] + p[3]);
    }
  } else {
    const double *basis = Num().basisRows.data();
    DotEach(m, [&](int i) { return basis + static_cast<std::size_t>(i - 1) * m; }, z.data() + 1, m, r.data());
  }
  for (int i = 1; i <= m; ++i)
    r[static_cast<std::size_t>(i)] = v[static_cast<std::size_t>(i)] - r[static_cast<std::size_t>(i)];
  AddInverseTimes(r, z);
}

// The same for a row z = v^T B^-1.
void RefineRow(const std::vector<double> &v, std::vector<double> &z) {
  SyncBasisColumns();
  const int m = g.MRows;
  RawMatrix binv(g.BInv, m, m);
  static std::vector<double> r;
  r.assign(static_cast<std::size_t>(m + 1), 0.0);
  if (BasisSparse()) {
    // Over column i's nonzero entries, as Dot over the column sums them.
    for (int i = 1; i <= m; ++i) {
      double p[4] = {0, 0, 0, 0};
      for (const auto &[k, a] : Num().basisCols[static_cast<std::size_t>(i)])
        p[DotSlot(k - 1, m)] += a * z[static_cast<std::size_t>(k)];
      r[static_cast<std::size_t>(i)] = (p[0] + p[1]) + (p[2] + p[3]);
    }
  } else {
    const double *basis = Num().basisDense.data();
    DotEach(m, [&](int i) { return basis + static_cast<std::size_t>(i - 1) * m; }, z.data() + 1, m, r.data());
  }
  for (int i = 1; i <= m; ++i)
    r[static_cast<std::size_t>(i)] = v[static_cast<std::size_t>(i)] - r[static_cast<std::size_t>(i)];
  for (int i = 1; i <= m; ++i)
    if (const double f = r[static_cast<std::size_t>(i)]; f != 0) AddMultiple(z.data() + 1, binv.Row(i) + 1, f, m);
}

// XBasic = B^-1 b and ZValue again on the current inverse, each value judged against its terms
// (after the engine's basic solution has carried out a pending flip).
void RelativeBasicSolution() {
  const int m = g.MRows;
  RawMatrix binv(g.BInv, m, m);
  RawMatrix tab(g.Tab, m + 2, g.NColsPlus1);
  double bBig = 0;
  std::vector<double> b(static_cast<std::size_t>(m + 1)), xs(b.size()), sizes(b.size());
  std::vector<int> nz;
  for (int k = 1; k <= m; ++k) {
    b[static_cast<std::size_t>(k)] = tab(k + 2, g.NColsPlus1);
    bBig = std::max(bBig, std::fabs(b[static_cast<std::size_t>(k)]));
    if (b[static_cast<std::size_t>(k)] != 0) nz.push_back(k);
  }
  // Of a dense right-hand side the magnitude of the terms is bounded (the row's largest inverse
  // entry times the sum of the right-hand sides' magnitudes), and summed only where the bound
  // leaves the zero test open.
  const bool dense = 4 * nz.size() >= static_cast<std::size_t>(m);
  double bSum = 0;
  for (const int k : nz)
    bSum += std::fabs(b[static_cast<std::size_t>(k)]);
  if (dense) DotEach(m, [&](int i) { return binv.Row(i) + 1; }, b.data() + 1, m, xs.data());
  for (int i = 1; i <= m; ++i) {
    const double *row = binv.Row(i);
    double x = 0, size = 0;
    if (dense) {
      x = xs[static_cast<std::size_t>(i)];
      size = Num().invRowBig[static_cast<std::size_t>(i)] * bSum;
    } else {
      for (const int k : nz) {
        const double t = row[k] * b[static_cast<std::size_t>(k)];
        x += t;
        size += std::fabs(t);
      }
    }
    xs[static_cast<std::size_t>(i)] = x;
    sizes[static_cast<std::size_t>(i)] = size;
  }
  RefineSolve(b, xs);
  double zM = 0, zR = 0;
  for (int i = 1; i <= m; ++i) {
    double x = xs[static_cast<std::size_t>(i)];
    const double noise = kNoiseBeside * Num().invRowBig[static_cast<std::size_t>(i)] * bBig;
    double size = sizes[static_cast<std::size_t>(i)];
    // (A value of 0 is 0 beside any terms.)
    if (dense && x != 0 && std::fabs(x) <= kRelativeZero * size + noise) {
      const double *row = binv.Row(i);
      size = 0;
      for (const int k : nz)
        size += std::fabs(row[k] * b[static_cast<std::size_t>(k)]);
    }
    if (std::fabs(x) <= kRelativeZero * size + noise) x = 0;
    g.XBasic(i) = x;
    const int b = g.BasisList(i);
    if (Num().splitM) {
      zM += x * CostM(b);
      zR += x * CostRest(b);
    } else {
      zR += x * g.CostB(i);
    }
  }
  if (g.Phase != 1 && g.NUpperBounded > 0)
    for (int j = 1; j <= g.NVars; ++j)
      if (g.ColKind(j) == "U") zR += g.Tab(g.UBRow, j) * g.LPData(2, j);
  g.ZValue = Num().splitM ? Combine(zM, zR) : zR;
}

// Duals, reduced costs, AltOptimaFlag and Entering again on the current inverse, each reduced
// cost judged against its terms; of a split row the M part decides before the rest. The
// engine's pricing has already made its sign changes and kept its cycling record.
void RelativePricing(bool bland) {
  const int m = g.MRows, nc = g.NCols;
  RunNumerics &num = Num();
  if (g.Entering > 0) g.NonBasicMark(g.Entering) = static_cast<int16>(g.ColKind(g.Entering) == "U" ? -g.Entering : g.Entering);
  const bool split = num.splitM;
  RawMatrix binv(g.BInv, m, m);
  RawMatrix tab(g.Tab, m + 2, nc);
  static std::vector<double> yM, yR, sM, sR, cM, cR;
  yM.assign(static_cast<std::size_t>(m + 1), 0.0);
  yR = sM = sR = cM = cR = yM;
  for (int i = 1; i <= m; ++i) {
    const int b = g.BasisList(i);
    const double cm = split ? CostM(b) : 0.0, cr = split ? CostRest(b) : g.CostB(i);
    cM[static_cast<std::size_t>(i)] = cm;
    cR[static_cast<std::size_t>(i)] = cr;
    const double *row = binv.Row(i) + 1;
    if (cm != 0) {
      AddMultiple(yM.data() + 1, row, cm, m);
      AddAbsMultiple(sM.data() + 1, row, cm, m);
    }
    if (cr != 0) {
      AddMultiple(yR.data() + 1, row, cr, m);
      AddAbsMultiple(sR.data() + 1, row, cr, m);
    }
  }
  if (split) RefineRow(cM, yM);
  RefineRow(cR, yR);
  for (int k = 1; k <= m; ++k) {
    g.Duals(k) = split ? num.bigM * yM[k] + yR[k] : yR[k];
    // Entries that are rounding beside their terms are 0, as in the basic solution.
    if (std::fabs(yM[k]) <= kRelativeZero * sM[k]) yM[k] = 0;
    if (std::fabs(yR[k]) <= kRelativeZero * sR[k]) yR[k] = 0;
  }
  const double yMBig = LargestOf(yM.data(), 1, m), yRBig = LargestOf(yR.data(), 1, m);
  // z_j and the magnitudes of its terms for every column, row by row.
  static std::vector<double> dM, dR;
  dM.assign(static_cast<std::size_t>(nc + 1), 0.0);
  dR = dM;
  double wM = 0, wR = 0; // the largest weight of a row's magnitudes in the sizes below
  for (int k = 1; k <= m; ++k) {
    const double *row = tab.Row(k + 2) + 1;
    if (yM[k] != 0) AddMultiple(dM.data() + 1, row, yM[k], nc);
    if (yR[k] != 0) AddMultiple(dR.data() + 1, row, yR[k], nc);
    wM = std::max(wM, sM[k] + std::fabs(yM[k]));
    wR = std::max(wR, sR[k] + std::fabs(yR[k]));
  }
  // The magnitude of the terms of z_j: sum over rows of (weight) |a_kj|, at most the largest
  // weight times the column's sum of magnitudes; summed only where that bound leaves the test
  // open.
  auto termsOf = [&](int j, const std::vector<double> &s, const std::vector<double> &y) {
    double z = 0;
    for (int k = 1; k <= m; ++k)
      if (const double a = num.absTab[static_cast<std::size_t>(k - 1) * nc + (j - 1)]; a != 0)
        z += (s[static_cast<std::size_t>(k)] + std::fabs(y[static_cast<std::size_t>(k)])) * a;
    return z;
  };
  g.Entering = 0;
  g.AltOptimaFlag = 0;
  double best = 0;
  for (int j = 1; j <= nc; ++j) {
    if (g.Phase == 2 && IsArtificialColumn(j)) continue;
    g.RedCost(j) = 0;
    if (g.NonBasicMark(j) == 0) continue;
    const double aBig = num.colBig[static_cast<std::size_t>(j)];
    const double cm = split ? CostM(j) : 0.0, cr = split ? CostRest(j) : g.Cost(j);
    const double noiseM = yMBig * aBig * (kNoiseBeside / kRelativeZero);
    const double noiseR = yRBig * aBig * (kNoiseBeside / kRelativeZero);
    const double colSum = num.colSum[static_cast<std::size_t>(j)];
    double dm = dM[j] - cm, dr = dR[j] - cr;
    if (split && std::fabs(dm) <= kRelativeZero * (wM * colSum + noiseM + std::fabs(cm)) &&
        std::fabs(dm) <= kRelativeZero * (termsOf(j, sM, yM) + noiseM + std::fabs(cm)))
      dm = 0;
    if (std::fabs(dr) <= kRelativeZero * (wR * colSum + noiseR + std::fabs(cr)) &&
        std::fabs(dr) <= kRelativeZero * (termsOf(j, sR, yR) + noiseR + std::fabs(cr)))
      dr = 0;
    const double d = split ? Combine(dm, dr) : dr;
    if (d == 0 && g.LPMethod != 5) g.AltOptimaFlag = 1;
    g.RedCost(j) = d;
    if (g.LPMethod == 5) continue;
    // Of a split row, a column whose M part improves the objective enters before any whose M
    // part is 0, whatever the rest.
    const double score = split ? g.ObjSense * (dm != 0 ? dm * num.bigM + dr : dr) : g.ObjSense * d;
    if (!(score > 0)) continue;
    if (bland) {
      if (g.Entering == 0) g.Entering = static_cast<int16>(j);
    } else if (score > best && !(best > 0 && score - best <= kScoreTie * best)) {
      best = score;
      g.Entering = static_cast<int16>(j);
    }
  }
  if (g.Entering > 0) g.NonBasicMark(g.Entering) = 0;
}

// B^-1 of column e of Tab with the magnitudes of the terms of each entry.
void EnteringColumn(int e, std::vector<double> &alpha, std::vector<double> &size) {
  const int m = g.MRows;
  RawMatrix binv(g.BInv, m, m);
  RawMatrix tab(g.Tab, m + 2, e);
  alpha.assign(static_cast<std::size_t>(m + 1), 0.0);
  size = alpha;
  std::vector<double> a(static_cast<std::size_t>(m + 1));
  std::vector<int> nz;
  for (int k = 1; k <= m; ++k) {
    a[static_cast<std::size_t>(k)] = tab(k + 2, e);
    if (a[static_cast<std::size_t>(k)] != 0) nz.push_back(k);
  }
  const double aBig = Num().colBig[static_cast<std::size_t>(e)];
  const bool dense = 4 * nz.size() >= static_cast<std::size_t>(m);
  double aSum = 0;
  for (const int k : nz)
    aSum += std::fabs(a[static_cast<std::size_t>(k)]);
  if (dense) DotEach(m, [&](int i) { return binv.Row(i) + 1; }, a.data() + 1, m, alpha.data());
  for (int r = 1; r <= m; ++r) {
    const double *row = binv.Row(r);
    const double rowBig = Num().invRowBig[static_cast<std::size_t>(r)];
    double v = 0, s = 0;
    if (dense) {
      // Of a dense column the magnitude of the terms is bounded here (the row's largest entry
      // times the column's sum), and summed below only where the bound leaves the test open.
      v = alpha[static_cast<std::size_t>(r)];
      s = rowBig * aSum;
    } else {
      for (const int k : nz) {
        const double t = row[k] * a[static_cast<std::size_t>(k)];
        v += t;
        s += std::fabs(t);
      }
    }
    alpha[r] = v;
    size[r] = s + rowBig * aBig * (kNoiseBeside / kRelativeZero);
  }
  RefineSolve(a, alpha);
  for (int r = 1; r <= m; ++r) {
    // (An entry of 0 is 0 beside any terms, and no pivot's size is read.)
    if (dense && alpha[r] != 0 && std::fabs(alpha[r]) <= kRelativeZero * size[r]) {
      const double *row = binv.Row(r);
      double s = 0;
      for (const int k : nz)
        s += std::fabs(row[k] * a[static_cast<std::size_t>(k)]);
      size[r] = s + Num().invRowBig[static_cast<std::size_t>(r)] * aBig * (kNoiseBeside / kRelativeZero);
    }
    if (std::fabs(alpha[r]) <= kRelativeZero * size[r]) alpha[r] = 0;
  }
}

// The engine's ratio test of the step-by-step roads (top-most row on a tie, the lowest basic
// column under Bland's rule), with entries that are rounding beside their terms taken as 0.
void RatioTestOn(const std::vector<double> &alpha) {
  const int e = g.Entering, m = g.MRows;
  SimplexSetBasisColumn(-e, 0);
  const bool bland = SimplexBlandRuleActive();
  double best = kLPInfinity;
  int bestCol = 0;
  g.Leaving = 0;
  g.LeavingRow = 0;
  for (int r = 1; r <= m; ++r) {
    g.AlphaCol(r) = alpha[r];
    const double a = alpha[r];
    const int basic = g.BasisList(r);
    if (g.Phase == 2 && a != 0 && IsArtificialColumn(basic)) {
      g.Leaving = static_cast<int16>(basic);
      g.LeavingRow = static_cast<int16>(r);
      best = 0;
      for (int q = r + 1; q <= m; ++q)
        g.AlphaCol(q) = alpha[q];
      break;
    }
    const double x = g.XBasic(r), ub = g.Tab(g.UBRow, basic);
    double ratio = 0;
    int16 code = 0;
    if (a > 0) {
      ratio = std::max(x, 0.0) / a;
      code = static_cast<int16>(basic);
    } else if (a < 0 && std::isfinite(ub)) {
      ratio = std::min(x - ub, 0.0) / a;
      code = static_cast<int16>(-basic);
    } else {
      continue;
    }
    bool take = ratio < best;
    if (bestCol != 0 && std::fabs(ratio - best) <= kScoreTie * std::max(1.0, std::fabs(best)))
      take = bland && basic < bestCol;
    if (take) {
      best = ratio;
      g.Leaving = code;
      g.LeavingRow = static_cast<int16>(r);
      bestCol = basic;
    }
  }
  if (g.Tab(g.UBRow, e) < best) g.Leaving = kBoundFlip;
  if (g.Leaving == kBoundFlip) {
    g.NonBasicMark(e) = static_cast<int16>(e);
  } else if (g.Leaving == 0) {
    g.ZValue = g.Infinity;
    g.Entering = static_cast<int16>(-e);
  } else {
    g.NonBasicMark(std::abs(g.Leaving)) = g.Leaving;
    g.BasisList(g.LeavingRow) = static_cast<int16>(e);
    g.CostB(g.LeavingRow) = g.Cost(e);
  }
}

void RelativeRatioTest() {
  RunNumerics &n = Num();
  if (n.alphaFor != g.Entering) EnteringColumn(g.Entering, n.alpha, n.alphaSize);
  n.alphaFor = g.Entering;
  RatioTestOn(n.alpha);
}

// After this many pivots carried by updates BInv is made afresh.
constexpr int kFreshEvery = 128;

// Of a relative run, the pivot on the basis the step has just set (column e basic in row r):
// row r of BInv over the pivot, every other row less its multiple of it; afresh every
// kFreshEvery pivots, or where the pivot is rounding beside its terms. False when the new basis
// matrix is singular.
bool RelativePivot() {
  RunNumerics &n = Num();
  const int m = g.MRows, r = g.LeavingRow, e = std::abs(g.Entering);
  RawMatrix binv(g.BInv, m, m);
  RawMatrix tab(g.Tab, m + 2, g.NCols);
  if (n.alphaFor != e) {
    // B^-1 a_e of the basis being left, as BInv still holds it.
    n.alpha.assign(static_cast<std::size_t>(m + 1), 0.0);
    n.alphaSize = n.alpha;
    for (int i = 1; i <= m; ++i) {
      const double *row = binv.Row(i);
      for (int k = 1; k <= m; ++k) {
        const double t = row[k] * tab(k + 2, e);
        n.alpha[static_cast<std::size_t>(i)] += t;
        n.alphaSize[static_cast<std::size_t>(i)] += std::fabs(t);
      }
    }
  }
  n.alphaFor = 0;
  for (int i = 1; i <= m; ++i)
    g.BasisMat(i, r) = tab(i + 2, e);
  // The column cached for the position is made again from Tab (its signs may have changed).
  if (static_cast<std::size_t>(r) < n.basisColOf.size()) n.basisColOf[static_cast<std::size_t>(r)] = 0;
  const double pivot = n.alpha[static_cast<std::size_t>(r)];
  if (++n.updates >= kFreshEvery || !(std::fabs(pivot) > 1E-9 * n.alphaSize[static_cast<std::size_t>(r)]))
    return InvertBasisAfresh();
  double *pr = binv.Row(r);
  const double inv = 1 / pivot;
  for (int k = 1; k <= m; ++k)
    pr[k] *= inv;
  for (int i = 1; i <= m; ++i) {
    const double f = -n.alpha[static_cast<std::size_t>(i)];
    if (i == r || f == 0) continue;
    double *row = binv.Row(i) + 1;
    const double *from = pr + 1;
    // Two entries a lane, four a round; the largest magnitude kept lane by lane (a maximum is
    // the same in any order).
    const Pair fv = {f, f};
    Pair big0 = {0, 0}, big1 = {0, 0};
    int k = 0;
    for (; k + 4 <= m; k += 4) {
      const Pair v0 = LoadPair(row + k) + fv * LoadPair(from + k);
      const Pair v1 = LoadPair(row + k + 2) + fv * LoadPair(from + k + 2);
      std::memcpy(row + k, &v0, sizeof v0);
      std::memcpy(row + k + 2, &v1, sizeof v1);
      const Pair a0 = AbsPair(v0), a1 = AbsPair(v1);
      big0 = big0 < a0 ? a0 : big0;
      big1 = big1 < a1 ? a1 : big1;
    }
    double big = std::max(std::max(big0[0], big0[1]), std::max(big1[0], big1[1]));
    for (; k < m; ++k) {
      row[k] += f * from[k];
      big = std::max(big, std::fabs(row[k]));
    }
    n.invRowBig[static_cast<std::size_t>(i)] = big;
  }
  n.invRowBig[static_cast<std::size_t>(r)] = LargestOf(pr, 1, m);
  return true;
}

// Up to this many rows a verdict of a relative run is checked in exact rational arithmetic on the
// program as typed; beyond, the check would take longer than a step may.
constexpr int kExactRows = 60;

bool ExactCheckApplies() {
  return Num().relative && Num().typedRows && g.MRows <= kExactRows;
}

// The sign that takes a change of column j's value in the tableau to a change of its variable as
// typed: -1 for a column complemented at its upper bound, reflected from it, or negated.
double ColumnSign(int j) {
  double s = g.ColKind(j) == "U" ? -1.0 : 1.0;
  if (j <= g.NVars && g.ColKind2(j) == "-") s = -s;
  return s;
}

// Where column j's variable as typed stands while the column's value in the tableau is 0: at its
// upper bound when complemented or reflected from it, at 0 when it has no bound, else at its lower
// bound (0 for an added column).
exact::AtBound ColumnRest(int j) {
  if (g.ColKind(j) == "U") return exact::AtBound::Upper;
  if (j > g.NVars) return exact::AtBound::Lower;
  if (j <= g.BoundLabel.UBound(1) && g.BoundLabel(j) == "U") return exact::AtBound::Upper;
  return std::isfinite(g.LPData(g.LBRow, j)) ? exact::AtBound::Lower : exact::AtBound::Zero;
}

// Row i of t multiplied by the least power of ten, if any, that makes every decimal of it whole
// and each result exactly a double: the row's solutions stay the same, and its numbers are then
// exact as the doubles they are.
void WholeRow(exact::StandardForm &t, int i) {
  mpz_class scale = 1;
  std::vector<mpq_class> row;
  for (int j = 0; j <= t.n; ++j) {
    row.push_back(exact::DecimalOf(j < t.n ? t.A(i, j) : t.b[static_cast<std::size_t>(i)]));
    while (mpz_divisible_p(scale.get_mpz_t(), row.back().get_den_mpz_t()) == 0) {
      scale *= 10;
      if (cmp(scale, 1E15) > 0) return;
    }
  }
  if (scale == 1) return;
  const mpz_class limit = mpz_class(1) << 53;
  std::vector<double> whole;
  for (const mpq_class &v : row) {
    const mpq_class w = v * scale;
    if (w.get_den() != 1 || abs(w.get_num()) >= limit) return;
    whole.push_back(w.get_d());
  }
  for (int j = 0; j < t.n; ++j)
    t.A(i, j) = whole[static_cast<std::size_t>(j)];
  t.b[static_cast<std::size_t>(i)] = whole.back();
}

// The rows of the program as typed in the tableau's row order and sign, taken as the run begins:
// each decision coefficient and right-hand side is a number the user typed (or its negative),
// never one the standard form derived from them (a right-hand side less a bound times a column),
// so that the exact checks reason on the typed decimals. The added columns are the tableau's own.
// False when the tableau's rows are not the typed ones up to sign.
bool CaptureTypedRows() {
  const int m = g.MRows, n = g.NVars, nc = g.NCols;
  exact::StandardForm &t = Num().typed;
  t.Resize(m, nc);
  for (int i = 0; i < m; ++i) {
    const int row = i + 3;
    double sign = 0;
    for (int j = 1; j <= n && sign == 0; ++j)
      if (g.LPData(row, j) != 0) sign = g.Tab(row, j) / (ColumnSign(j) * g.LPData(row, j));
    if (sign != 1 && sign != -1) return false;
    for (int j = 1; j <= n; ++j) {
      t.A(i, j - 1) = sign * g.LPData(row, j);
      if (t.A(i, j - 1) != ColumnSign(j) * g.Tab(row, j)) return false;
    }
    for (int j = n + 1; j <= nc; ++j)
      t.A(i, j - 1) = g.Tab(row, j);
    t.b[static_cast<std::size_t>(i)] = sign * g.LPData(row, g.RHSInCol);
    WholeRow(t, i);
  }
  for (int j = 1; j <= nc; ++j) {
    const auto k = static_cast<std::size_t>(j - 1);
    t.lower[k] = j <= n ? g.LPData(g.LBRow, j) : 0.0;
    t.upper[k] = j <= n ? g.LPData(g.UBRow, j) : HUGE_VAL;
    t.c[k] = j <= n ? g.LPData(2, j) : IsArtificialColumn(j) ? g.Tab(2, j) : 0.0;
  }
  return true;
}

// The program the current tableau solves, in the variables as typed: phase 1 minimises the sum
// of the artificial values; the M-method's artificial columns cost M as typed; in the two-phase
// method's phase 2 every artificial column is fixed at 0.
exact::StandardForm TableauForm() {
  exact::StandardForm sf = Num().typed;
  const bool twoPhase = g.LPMethod == 4;
  for (int j = 1; j <= g.NCols; ++j) {
    const auto k = static_cast<std::size_t>(j - 1);
    const bool artificial = IsArtificialColumn(j);
    if (g.Phase == 1)
      sf.c[k] = artificial ? 1.0 : 0.0;
    else if (artificial && twoPhase)
      sf.c[k] = 0;
    if (artificial && twoPhase && g.Phase != 1) sf.upper[k] = 0;
  }
  sf.maximize = g.Phase != 1 && g.ObjSenseSaved != 1;
  return sf;
}

exact::Basis TableauBasis() {
  exact::Basis basis;
  for (int r = 1; r <= g.MRows; ++r)
    basis.basic.push_back(g.BasisList(r) - 1);
  basis.nonbasic.resize(static_cast<std::size_t>(g.NCols));
  for (int j = 1; j <= g.NCols; ++j)
    basis.nonbasic[static_cast<std::size_t>(j - 1)] = ColumnRest(j);
  return basis;
}

// The value column j shows in the tableau for its variable's exact value x.
double TableauValue(int j, const mpq_class &x) {
  mpq_class rest = 0;
  const exact::StandardForm &t = Num().typed;
  const auto k = static_cast<std::size_t>(j - 1);
  switch (ColumnRest(j)) {
  case exact::AtBound::Lower:
    if (t.HasLower(static_cast<int>(k))) rest = exact::DecimalOf(t.lower[k]);
    break;
  case exact::AtBound::Upper:
    if (t.HasUpper(static_cast<int>(k))) rest = exact::DecimalOf(t.upper[k]);
    break;
  case exact::AtBound::Zero:
    break;
  }
  const mpq_class v = x - rest;
  return ColumnSign(j) * v.get_d();
}

// The basic values and the reduced costs (z_j - c_j) of the tableau as exact arithmetic has them.
void TakeExactValues(const exact::BasisCheck &check) {
  for (int r = 1; r <= g.MRows; ++r) {
    const int b = g.BasisList(r);
    g.XBasic(r) = TableauValue(b, check.x[static_cast<std::size_t>(b - 1)]);
  }
  for (int j = 1; j <= g.NCols; ++j)
    if (!(g.Phase == 2 && IsArtificialColumn(j)))
      g.RedCost(j) = g.NonBasicMark(j) == 0 ? 0.0 : -ColumnSign(j) * check.d[static_cast<std::size_t>(j - 1)].get_d();
}

// The exact ray along which the tableau's column e grows.
std::vector<mpq_class> TableauRay(const exact::StandardForm &sf, const exact::Basis &basis, int e) {
  return exact::BasisRay(sf, basis, e - 1, ColumnSign(e) > 0 ? 1 : -1);
}

// The column the rules let enter by the tableau's reduced costs (largest score, left-most), 0
// when none improves.
int RuleColumn() {
  int e = 0;
  double best = 0;
  for (int j = 1; j <= g.NCols; ++j) {
    if (g.NonBasicMark(j) == 0 || (g.Phase == 2 && IsArtificialColumn(j))) continue;
    const double score = g.ObjSense * g.RedCost(j);
    if (score > best && !(best > 0 && score - best <= kScoreTie * best)) {
      best = score;
      e = j;
    }
  }
  return e;
}

// A verdict that exact arithmetic refutes because a column still improves: the step the rules
// take with the exact reduced costs and the exact entering column, whose own end (a pivot, or an
// unbounded ray that exact arithmetic confirms) follows.
TableauStepEnd ExactStep(const exact::StandardForm &sf, const exact::BasisCheck &check) {
  TakeExactValues(check);
  const int e = RuleColumn();
  if (e == 0) return TableauStepEnd::Unproven;
  const exact::Basis basis = TableauBasis();
  const std::vector<mpq_class> ray = TableauRay(sf, basis, e);
  if (ray.empty()) return TableauStepEnd::Unproven;
  std::vector<double> alpha(static_cast<std::size_t>(g.MRows + 1), 0.0);
  for (int r = 1; r <= g.MRows; ++r) {
    const int b = g.BasisList(r);
    alpha[static_cast<std::size_t>(r)] = -ColumnSign(b) * ray[static_cast<std::size_t>(b - 1)].get_d();
  }
  g.Entering = static_cast<int16>(e);
  g.NonBasicMark(e) = 0;
  RatioTestOn(alpha);
  if (g.Leaving == 0 && g.Entering < 0)
    return exact::IsImprovingRay(sf, ray) ? TableauStepEnd::Unbounded : TableauStepEnd::Unproven;
  return TableauPivot() ? TableauStepEnd::Pivoted : TableauStepEnd::Singular;
}

// Row r of B^-1 A for column j, refined and judged against its terms (as the dual simplex
// takes it).
double RowEntry(const std::vector<double> &rho, double rowBig, int j) {
  double alpha = 0, size = 0, aBig = 0;
  for (int k = 1; k <= g.MRows; ++k) {
    const double t = rho[static_cast<std::size_t>(k)] * g.Tab(k + 2, j);
    alpha += t;
    size += std::fabs(t);
    aBig = std::max(aBig, std::fabs(g.Tab(k + 2, j)));
  }
  size += rowBig * aBig * (kNoiseBeside / kRelativeZero);
  return std::fabs(alpha) <= kRelativeZero * size ? 0.0 : alpha;
}

// Row r of B^-1, refined.
double RefinedInverseRow(int r, std::vector<double> &rho) {
  const int m = g.MRows;
  rho.assign(static_cast<std::size_t>(m + 1), 0.0);
  double rowBig = 0;
  for (int k = 1; k <= m; ++k) {
    rho[static_cast<std::size_t>(k)] = g.BInv(r, k);
    rowBig = std::max(rowBig, std::fabs(g.BInv(r, k)));
  }
  if (Num().relative) {
    std::vector<double> unit(rho.size(), 0.0);
    unit[static_cast<std::size_t>(r)] = 1;
    RefineRow(unit, rho);
  }
  return rowBig;
}

// A primal tableau whose basic value lies below 0 in exact arithmetic (a ratio test that rounding
// decided wrongly) while no column improves: a dual simplex step on that row takes the basis back
// to feasibility, keeping every reduced cost as it may be, and the iterations go on.
TableauStepEnd ExactDualStep(const exact::BasisCheck &check) {
  TakeExactValues(check);
  const int r = check.infeasibleRow + 1;
  if (r < 1 || !(g.XBasic(r) < 0)) return TableauStepEnd::Unproven;
  std::vector<double> rho;
  const double rowBig = RefinedInverseRow(r, rho);
  int entering = 0;
  double best = kLPInfinity;
  for (int j = 1; j <= g.NCols; ++j) {
    if (g.NonBasicMark(j) == 0 || (g.Phase == 2 && IsArtificialColumn(j))) continue;
    const double alpha = RowEntry(rho, rowBig, j);
    if (alpha < 0 && std::fabs(g.RedCost(j) / alpha) < best) {
      best = std::fabs(g.RedCost(j) / alpha);
      entering = j;
    }
  }
  if (entering == 0) return TableauStepEnd::Unproven;
  g.Entering = static_cast<int16>(entering);
  g.Leaving = g.BasisList(r);
  g.LeavingRow = static_cast<int16>(r);
  g.NonBasicMark(entering) = 0;
  g.NonBasicMark(g.Leaving) = g.Leaving;
  g.BasisList(r) = static_cast<int16>(entering);
  g.CostB(r) = g.Cost(entering);
  return TableauPivot() ? TableauStepEnd::Pivoted : TableauStepEnd::Singular;
}

} // namespace

void BeginTableauRun() {
  RunNumerics &n = Num();
  n = RunNumerics{};
  n.relative = !DataNearOne();
  if (!n.relative) return;
  n.typedRows = CaptureTypedRows();
  const int m = g.MRows, nc = g.NCols;
  n.absTab.assign(static_cast<std::size_t>(m) * nc, 0.0);
  n.colBig.assign(static_cast<std::size_t>(nc + 1), 0.0);
  n.colSum = n.colBig;
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= nc; ++j) {
      const double a = std::fabs(g.Tab(i + 2, j));
      n.absTab[static_cast<std::size_t>(i - 1) * nc + (j - 1)] = a;
      n.colBig[static_cast<std::size_t>(j)] = std::max(n.colBig[static_cast<std::size_t>(j)], a);
      n.colSum[static_cast<std::size_t>(j)] += a;
    }
  if (g.LPMethod == 3)
    for (int j = 1; j <= g.NCols; ++j)
      if (IsArtificialColumn(j) && g.Tab(2, j) != 0) {
        n.splitM = true;
        n.bigM = std::fabs(g.Tab(2, j));
      }
  if (!InvertBasisAfresh()) NoteInverseRows();
}

bool TableauProvesNoFeasibleSolution() {
  if (!ExactCheckApplies()) return false;
  // The basis is optimal for the sum of the artificial values, and that sum is above 0.
  const int16 phase = g.Phase;
  g.Phase = 1;
  exact::StandardForm sf = TableauForm();
  g.Phase = phase;
  sf.maximize = false;
  const exact::BasisCheck check = exact::CheckBasis(sf, TableauBasis());
  return check.Optimal() && check.objective > 0;
}

bool TableauRunJudgesRelative() {
  return Num().relative;
}

void TableauRatioTest() {
  if (Num().relative && g.Entering > 0)
    RelativeRatioTest();
  else
    SimplexRatioTest();
}

bool TableauPivot() {
  if (!Num().relative) return SimplexPivot();
  if (g.Leaving == 0 || g.Leaving <= kLeavingThreshold) return true;
  return RelativePivot();
}

std::uint8_t ColumnState(int j) {
  std::uint8_t s = g.ColKind(j) == "U" ? 1 : 0;
  const std::string &k2 = g.ColKind2(j);
  if (k2 == "+") s |= 1 << 1;
  if (k2 == "-") s |= 2 << 1;
  return s;
}

std::string ColumnLabel(int j, std::uint8_t state) {
  std::string kind = (state & 1) ? "U" : "";
  if (j <= g.NVars && j <= g.BoundLabel.UBound(1)) kind += g.BoundLabel(j);
  const int s2 = Sign2(state);
  return Trim(kind) + g.ColNames(j) + (s2 == 1 ? "+" : s2 == 2 ? "-" : "");
}

bool IsArtificialColumn(int j) {
  const std::string &name = g.ColNames(j);
  return !name.empty() && name[0] == 'R';
}

TableauBase CaptureTableauBase() {
  TableauBase b;
  b.m = g.MRows;
  b.n = g.NCols;
  b.a.resize(static_cast<std::size_t>(b.m) * static_cast<std::size_t>(b.n));
  b.columnState.resize(static_cast<std::size_t>(b.n) + 1);
  for (int j = 1; j <= b.n; ++j) {
    b.columnState[j] = ColumnState(j);
    for (int i = 1; i <= b.m; ++i)
      b.a[static_cast<std::size_t>(j - 1) * b.m + (i - 1)] = g.Tab(i + 2, j);
  }
  return b;
}

TableauRecord BuildSimplexTableau() {
  SimplexBasicSolution();
  SimplexPricing();
  if (Num().relative) {
    Num().alphaFor = 0;
    RelativeBasicSolution();
    RelativePricing(SimplexBlandRuleActive());
  }
  const int m = g.MRows, n = g.NCols;
  TableauRecord r;
  r.phase = g.Phase;
  r.sense = g.ObjSense;
  r.basis.resize(static_cast<std::size_t>(m) + 1);
  r.solution.resize(static_cast<std::size_t>(m) + 1);
  r.objective.resize(static_cast<std::size_t>(n) + 2);
  r.columnState.resize(static_cast<std::size_t>(n) + 1);
  for (int j = 1; j <= n; ++j) {
    r.objective[j] = g.RedCost(j);
    r.columnState[j] = ColumnState(j);
  }
  r.objective[n + 1] = g.Phase == 1 ? g.ZValue : g.ObjShift + g.ZValue;
  // The basic solution has just computed B^-1 b of this basis.
  for (int i = 1; i <= m; ++i) {
    r.basis[i] = g.BasisList(i);
    r.solution[i] = g.XBasic(i);
  }
  return r;
}

bool TableauBody(const TableauBase &base, const TableauRecord &record, std::vector<double> &body) {
  const int m = base.m, n = base.n;
  body.clear();
  if (m <= 0 || n <= 0 || static_cast<int>(record.basis.size()) < m + 1 ||
      static_cast<int>(record.columnState.size()) < n + 1)
    return false;
  auto sign = [&](int j) { return SignSince(base.columnState[j], record.columnState[j]); };
  auto at = [m](int j, int i) { return static_cast<std::size_t>(j - 1) * m + (i - 1); };

  // LU of the basis matrix (row-major, partial pivoting), then a solve for every column.
  std::vector<double> lu(static_cast<std::size_t>(m) * m);
  for (int k = 1; k <= m; ++k) {
    const int j = record.basis[k];
    if (j < 1 || j > n) return false;
    const double s = sign(j);
    for (int i = 1; i <= m; ++i)
      lu[static_cast<std::size_t>(i - 1) * m + (k - 1)] = s * base.a[at(j, i)];
  }
  std::vector<int> perm(static_cast<std::size_t>(m));
  for (int i = 0; i < m; ++i)
    perm[i] = i;
  for (int c = 0; c < m; ++c) {
    int p = c;
    for (int i = c + 1; i < m; ++i)
      if (std::fabs(lu[static_cast<std::size_t>(i) * m + c]) > std::fabs(lu[static_cast<std::size_t>(p) * m + c])) p = i;
    if (std::fabs(lu[static_cast<std::size_t>(p) * m + c]) <= 1E-12) return false;
    if (p != c) {
      for (int k = 0; k < m; ++k)
        std::swap(lu[static_cast<std::size_t>(p) * m + k], lu[static_cast<std::size_t>(c) * m + k]);
      std::swap(perm[p], perm[c]);
    }
    const double piv = lu[static_cast<std::size_t>(c) * m + c];
    for (int i = c + 1; i < m; ++i) {
      double &f = lu[static_cast<std::size_t>(i) * m + c];
      f /= piv;
      if (f == 0) continue;
      const double *rc = &lu[static_cast<std::size_t>(c) * m];
      double *ri = &lu[static_cast<std::size_t>(i) * m];
      for (int k = c + 1; k < m; ++k)
        ri[k] -= f * rc[k];
    }
  }
  body.assign(static_cast<std::size_t>(m) * n, 0.0);
  std::vector<double> y(static_cast<std::size_t>(m));
  for (int j = 1; j <= n; ++j) {
    const double s = sign(j);
    for (int i = 0; i < m; ++i)
      y[i] = s * base.a[at(j, perm[i] + 1)];
    for (int i = 0; i < m; ++i) {
      const double *ri = &lu[static_cast<std::size_t>(i) * m];
      double v = y[i];
      for (int k = 0; k < i; ++k)
        v -= ri[k] * y[k];
      y[i] = v;
    }
    for (int i = m - 1; i >= 0; --i) {
      const double *ri = &lu[static_cast<std::size_t>(i) * m];
      double v = y[i];
      for (int k = i + 1; k < m; ++k)
        v -= ri[k] * y[k];
      y[i] = v / ri[i];
    }
    for (int i = 0; i < m; ++i)
      body[at(j, i + 1)] = y[i];
  }
  return true;
}

TableauStepEnd PrimalStepAfterShow() {
  if (g.Entering != 0) {
    TableauRatioTest();
    if (g.Leaving == 0 && g.Entering < 0) {
      if (!ExactCheckApplies()) return TableauStepEnd::Unbounded;
      // The ray must improve the tableau's program in exact arithmetic; else the column's
      // entries or its reduced cost were rounding, and the step is taken again exactly.
      const int e = -g.Entering;
      const exact::StandardForm sf = TableauForm();
      const exact::Basis basis = TableauBasis();
      if (exact::IsImprovingRay(sf, TableauRay(sf, basis, e))) return TableauStepEnd::Unbounded;
      g.NonBasicMark(e) = static_cast<int16>(e);
      g.Entering = 0;
      const exact::BasisCheck check = exact::CheckBasis(sf, basis);
      if (check.singular) return TableauStepEnd::Unproven;
      if (!check.primalFeasible) return ExactDualStep(check);
      if (!check.dualFeasible) return ExactStep(sf, check);
      TakeExactValues(check);
      if (g.Phase == 1) g.ZValue = check.ObjectiveDouble();
      // The tableau is optimal after all: its verdict follows below.
    } else {
      return TableauPivot() ? TableauStepEnd::Pivoted : TableauStepEnd::Singular;
    }
  } else if (ExactCheckApplies()) {
    // No column enters: the tableau's optimality (of phase 1, of the M-method's program with its
    // M, of the program) must hold in exact arithmetic, and the verdict is read from its values.
    const exact::StandardForm sf = TableauForm();
    const exact::BasisCheck check = exact::CheckBasis(sf, TableauBasis());
    if (check.singular) return TableauStepEnd::Unproven;
    if (!check.primalFeasible) return ExactDualStep(check);
    if (!check.dualFeasible) return ExactStep(sf, check);
    TakeExactValues(check);
    if (g.Phase == 1) g.ZValue = check.ObjectiveDouble();
  }
  if (g.Phase == 1) {
    // Of a relative run every artificial value left is above rounding beside its terms.
    if (Num().relative ? g.ZValue > 0 : std::fabs(g.ZValue) > g.Eps) {
      g.Phase = 0;
      return TableauStepEnd::Phase1Infeasible;
    }
    // Phase 2 prices the same basis with the user's costs; the artificial columns cost
    // nothing while they stay basic and may not enter.
    g.Phase = -2;
    for (int j = 1; j <= g.NCols; ++j)
      g.Cost(j) = g.Tab(2, j);
    for (int k = 1; k <= g.MRows; ++k) {
      const int b = g.BasisList(k);
      g.CostB(k) = IsArtificialColumn(b) ? 0 : g.Cost(b);
    }
    g.ObjSense = g.ObjSenseSaved;
    g.Entering = 0;
    g.Leaving = 0;
    return TableauStepEnd::Phase1Feasible;
  }
  g.Phase = 0;
  return ArtificialBasicRow() != 0 ? TableauStepEnd::ArtificialBasic : TableauStepEnd::Optimal;
}

int ArtificialBasicRow() {
  const int m = g.MRows;
  // Round-off of B^-1 b is judged against the size of the right-hand sides.
  double size = 1;
  for (int i = 1; i <= m; ++i)
    size = std::max(size, std::fabs(g.Tab(i + 2, g.NColsPlus1)));
  for (int k = 1; k <= m && Num().relative; ++k)
    // Its basic values are judged against their terms already: one that is not 0 is the
    // artificial's, whatever its sign.
    if (IsArtificialColumn(g.BasisList(k)) && (g.LPMethod == 3 ? g.XBasic(k) != 0 : g.XBasic(k) > 0)) return k;
  for (int k = 1; k <= m && !Num().relative; ++k)
    if (IsArtificialColumn(g.BasisList(k)) && g.XBasic(k) > g.Eps * size) return k;
  return 0;
}

TableauStepEnd DualStepAfterShow() {
  const int m = g.MRows, n = g.NCols;
  bool exactValues = false;
  DualCycleGuard &guard = Num().dual;
  guard.Step();
again:
  g.Leaving = 0;
  double most = 0;
  for (int k = 1; k <= m; ++k)
    if (g.XBasic(k) < 0 && (guard.bland ? g.Leaving == 0 || g.BasisList(k) < g.Leaving : g.XBasic(k) < most)) {
      most = g.XBasic(k);
      g.LeavingRow = static_cast<int16>(k);
      g.Leaving = g.BasisList(k);
    }
  g.AltOptimaFlag = 0;
  for (int j = 1; j <= n; ++j)
    if (g.NonBasicMark(j) > 0 && g.RedCost(j) == 0) g.AltOptimaFlag = 1;
  if (g.Leaving == 0) {
    if (!ExactCheckApplies() || exactValues) return TableauStepEnd::Optimal;
    // The optimum must hold in exact arithmetic; a basic value found below 0 there goes on.
    const exact::BasisCheck check = exact::CheckBasis(TableauForm(), TableauBasis());
    if (check.Optimal()) return TableauStepEnd::Optimal;
    if (check.singular || !check.dualFeasible) return TableauStepEnd::Unproven;
    TakeExactValues(check);
    exactValues = true;
    goto again;
  }

  g.Entering = 0;
  double best = std::numeric_limits<double>::infinity();
  std::vector<double> rho;
  const double rowBig = RefinedInverseRow(g.LeavingRow, rho);
  for (int j = 1; j <= n; ++j) {
    if (g.NonBasicMark(j) <= 0) continue;
    double alpha = 0;
    if (Num().relative) {
      alpha = RowEntry(rho, rowBig, j);
    } else {
      for (int k = 1; k <= m; ++k)
        alpha += rho[static_cast<std::size_t>(k)] * g.Tab(k + 2, j);
      if (std::fabs(alpha) < kAlphaZero) alpha = 0;
    }
    if (alpha < 0) {
      const double ratio = std::fabs(g.RedCost(j) / alpha);
      if (ratio < best) {
        best = ratio;
        g.Entering = static_cast<int16>(j);
      }
    }
  }
  if (g.Entering == 0) {
    if (!ExactCheckApplies()) return TableauStepEnd::DualInfeasible;
    // The row of B^-1 must prove the program infeasible in exact arithmetic; a basic value that
    // is not below 0 there leaves no more.
    const exact::StandardForm sf = TableauForm();
    const exact::Basis basis = TableauBasis();
    if (exact::BasisRowProvesInfeasible(sf, basis, g.LeavingRow - 1)) return TableauStepEnd::DualInfeasible;
    if (exactValues) return TableauStepEnd::Unproven;
    const exact::BasisCheck check = exact::CheckBasis(sf, basis);
    if (check.singular) return TableauStepEnd::Unproven;
    TakeExactValues(check);
    exactValues = true;
    goto again;
  }
  g.NonBasicMark(g.Entering) = 0;
  g.NonBasicMark(g.Leaving) = g.Leaving;
  g.BasisList(g.LeavingRow) = g.Entering;
  g.CostB(g.LeavingRow) = g.Cost(g.Entering);
  return TableauPivot() ? TableauStepEnd::Pivoted : TableauStepEnd::Singular;
}

RulePivot TextbookPivot() {
  const int m = g.MRows, n = g.NCols;
  RulePivot p;
  // The pricing has taken its own entering column out of the non-basic ones already.
  double best = 0;
  for (int j = 1; j <= n; ++j) {
    if ((g.NonBasicMark(j) == 0 && j != g.Entering) || (g.Phase == 2 && IsArtificialColumn(j))) continue;
    const double score = g.ObjSense * g.RedCost(j);
    if (score > best && !(best > 0 && score - best <= kScoreTie * best)) {
      best = score;
      p.entering = j;
    }
  }
  const int e = p.entering;
  if (e == 0) return p;
  double least = kLPInfinity;
  std::vector<double> column;
  if (Num().relative) {
    // The step's own ratio test takes the same column of the same basis again when it enters.
    RunNumerics &n = Num();
    if (n.alphaFor != e) EnteringColumn(e, n.alpha, n.alphaSize);
    n.alphaFor = e;
    column = n.alpha;
  }
  // Of a relative run the entries are judged against their terms already.
  const double floor = Num().relative ? 0.0 : g.Eps;
  for (int r = 1; r <= m; ++r) {
    double alpha = 0;
    if (Num().relative)
      alpha = column[static_cast<std::size_t>(r)];
    else
      for (int k = 1; k <= m; ++k)
        alpha += g.BInv(r, k) * g.Tab(k + 2, e);
    const int basic = g.BasisList(r);
    const double x = g.XBasic(r), ub = g.Tab(g.UBRow, basic);
    // An artificial column still basic in phase 2 leaves at once, at 0.
    if (g.Phase == 2 && std::fabs(alpha) > floor && IsArtificialColumn(basic)) {
      p.leaving = basic;
      return p;
    }
    double ratio = 0;
    int code = 0;
    if (alpha > floor) {
      ratio = std::max(x, 0.0) / alpha;
      code = basic;
    } else if (alpha < -floor && std::isfinite(ub)) {
      ratio = std::min(x - ub, 0.0) / alpha;
      code = -basic;
    } else {
      continue;
    }
    const bool tie = p.leaving != 0 && std::fabs(ratio - least) <= kScoreTie * std::max(1.0, std::fabs(least));
    if (ratio < least && !tie) {
      least = ratio;
      p.leaving = code;
    }
  }
  if (g.Tab(g.UBRow, e) < least) p.leaving = kBoundFlip;
  return p;
}

PickVerdict CheckEnteringPick(int col, const RulePivot &pivot) {
  return col == pivot.entering ? PickVerdict::Right : PickVerdict::Wrong;
}

PickVerdict CheckLeavingPick(int basicCol, const RulePivot &pivot) {
  if (pivot.leaving == kBoundFlip) return PickVerdict::BoundFlip;
  return basicCol == std::abs(pivot.leaving) ? PickVerdict::Right : PickVerdict::Wrong;
}

} // namespace quon
