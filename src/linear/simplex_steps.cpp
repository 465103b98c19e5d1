#include "linear/simplex_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
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

} // namespace

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
    SimplexRatioTest();
    if (g.Leaving == 0 && g.Entering < 0) return TableauStepEnd::Unbounded;
    return SimplexPivot() ? TableauStepEnd::Pivoted : TableauStepEnd::Singular;
  }
  if (g.Phase == 1) {
    if (std::fabs(g.ZValue) > g.Eps) {
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
  for (int k = 1; k <= m; ++k)
    if (IsArtificialColumn(g.BasisList(k)) && g.XBasic(k) > g.Eps * size) return k;
  return 0;
}

TableauStepEnd DualStepAfterShow() {
  const int m = g.MRows, n = g.NCols;
  g.Leaving = 0;
  double most = 0;
  for (int k = 1; k <= m; ++k)
    if (g.XBasic(k) < most) {
      most = g.XBasic(k);
      g.LeavingRow = static_cast<int16>(k);
      g.Leaving = g.BasisList(k);
    }
  g.AltOptimaFlag = 0;
  for (int j = 1; j <= n; ++j)
    if (g.NonBasicMark(j) > 0 && g.RedCost(j) == 0) g.AltOptimaFlag = 1;
  if (g.Leaving == 0) return TableauStepEnd::Optimal;

  g.Entering = 0;
  double best = std::numeric_limits<double>::infinity();
  for (int j = 1; j <= n; ++j) {
    if (g.NonBasicMark(j) <= 0) continue;
    double alpha = 0;
    for (int k = 1; k <= m; ++k)
      alpha += g.BInv(g.LeavingRow, k) * g.Tab(k + 2, j);
    if (std::fabs(alpha) < kAlphaZero) alpha = 0;
    if (alpha < 0) {
      const double ratio = std::fabs(g.RedCost(j) / alpha);
      if (ratio < best) {
        best = ratio;
        g.Entering = static_cast<int16>(j);
      }
    }
  }
  if (g.Entering == 0) return TableauStepEnd::DualInfeasible;
  g.NonBasicMark(g.Entering) = 0;
  g.NonBasicMark(g.Leaving) = g.Leaving;
  g.BasisList(g.LeavingRow) = g.Entering;
  g.CostB(g.LeavingRow) = g.Cost(g.Entering);
  return SimplexPivot() ? TableauStepEnd::Pivoted : TableauStepEnd::Singular;
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
  for (int r = 1; r <= m; ++r) {
    double alpha = 0;
    for (int k = 1; k <= m; ++k)
      alpha += g.BInv(r, k) * g.Tab(k + 2, e);
    const int basic = g.BasisList(r);
    const double x = g.XBasic(r), ub = g.Tab(g.UBRow, basic);
    // An artificial column still basic in phase 2 leaves at once, at 0.
    if (g.Phase == 2 && std::fabs(alpha) > g.Eps && IsArtificialColumn(basic)) {
      p.leaving = basic;
      return p;
    }
    double ratio = 0;
    int code = 0;
    if (alpha > g.Eps) {
      ratio = std::max(x, 0.0) / alpha;
      code = basic;
    } else if (alpha < -g.Eps && std::isfinite(ub)) {
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
