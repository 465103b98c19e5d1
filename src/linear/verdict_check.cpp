// The checks of the primal engine's verdicts on the program as typed: in double precision
// relative to the terms summed while a run goes on, and, for the verdict SolveLP shows, the
// engine's own certificates first and exact arithmetic on the typed decimals where they do not
// decide.
#include "linear/verdict_check.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "linear/exact_basis.h"
#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "linear/raw_matrix.h"
#include "linear/simplex_internal.h"

namespace quon {

using namespace simplex;

namespace {

// Whether the change dx of the variables as typed keeps every constraint and bound of the
// program as typed (exactly for dx a solution, as a direction when `ray`). `magnitude`, where
// given, holds for each variable the size of the numbers its value was computed from.
bool HoldsOnTypedProgram(const std::vector<double> &x, bool ray, const std::vector<double> *magnitude) {
  const int n = g.NVars;
  double xScale = 0;
  for (int j = 1; j <= n; ++j)
    xScale = std::max(xScale, std::fabs(x[static_cast<std::size_t>(j)]));
  RawMatrix data(g.LPData, g.MRows + 2, g.RHSInCol);
  for (int i = 1; i <= g.MRows; ++i) {
    double lhs = 0, size = ray ? 0 : std::fabs(data(i + 2, g.RHSInCol));
    for (int j = 1; j <= n; ++j) {
      const std::size_t k = static_cast<std::size_t>(j);
      const double t = data(i + 2, j) * x[k];
      lhs += t;
      size += magnitude ? std::fabs(data(i + 2, j)) * std::max(std::fabs(x[k]), (*magnitude)[k]) : std::fabs(t);
    }
    const double gap = (ray ? 0 : g.LPData(i + 2, g.RHSInCol)) - lhs; // room left below the row's limit
    const double tol = kCheckTol * size + 1E-300;
    const std::string rel = g.ConstrType(i).str();
    if (rel == "<" && gap < -tol) return false;
    if (rel == ">" && gap > tol) return false;
    if (rel == "=" && std::fabs(gap) > tol) return false;
  }
  for (int j = 1; j <= n; ++j) {
    const double v = x[static_cast<std::size_t>(j)];
    const double lower = g.LPData(g.LBRow, j), upper = g.LPData(g.UBRow, j);
    if (ray) {
      const double tol = kCheckTol * xScale;
      if (std::isfinite(lower) && v < -tol) return false;
      if (std::isfinite(upper) && v > tol) return false;
    } else {
      if (std::isfinite(lower) && v < lower - (kCheckTol * std::max(std::fabs(lower), std::fabs(v)) + 1E-9))
        return false;
      if (std::isfinite(upper) && v > upper + (kCheckTol * std::max(std::fabs(upper), std::fabs(v)) + 1E-9))
        return false;
    }
  }
  return true;
}

} // namespace

bool SolutionHolds() {
  std::vector<double> x(static_cast<std::size_t>(g.NVars) + 1, 0.0), size = x;
  for (int j = 1; j <= g.NVars; ++j) {
    x[static_cast<std::size_t>(j)] = ColumnSolution(j);
    size[static_cast<std::size_t>(j)] = ColumnMagnitude(j);
  }
  return HoldsOnTypedProgram(x, false, &size);
}

// The unbounded verdict's ray (the entering column up, the basic ones along -AlphaCol) must
// stay feasible on the program as typed and improve its objective.
bool RayHolds(int e) {
  const int n = g.NVars;
  std::vector<double> d(static_cast<std::size_t>(n) + 1, 0.0);
  if (e <= n) d[static_cast<std::size_t>(e)] = Orientation(e) * ColScale(e);
  for (int r = 1; r <= g.MRows; ++r) {
    const int b = g.BasisList(r);
    if (b >= 1 && b <= n && b != e) d[static_cast<std::size_t>(b)] = -g.AlphaCol(r) * Orientation(b) * ColScale(b);
  }
  double gain = 0, size = 0;
  for (int j = 1; j <= n; ++j) {
    const double t = g.LPData(2, j) * d[static_cast<std::size_t>(j)];
    gain -= g.ObjSenseSaved * t;
    size += std::fabs(t);
  }
  if (!(gain > kCheckTol * size)) return false;
  // Each component carries the rounding error of the whole ray (an entry that is 0 in exact
  // arithmetic may come out as 3E-17), so the rows are judged against the ray's own size.
  double largest = 0;
  for (double v : d)
    largest = std::max(largest, std::fabs(v));
  std::vector<double> magnitude(d.size(), 0.0);
  for (std::size_t j = 0; j < d.size(); ++j)
    if (d[j] != 0) magnitude[j] = largest;
  return HoldsOnTypedProgram(d, true, &magnitude);
}
// Whether the optimal verdict holds in the program's own units: with the multipliers of the
// final basis from a fresh inverse, no non-basic column improves the objective (a free one moves
// it neither way) beyond a tolerance relative to the terms of its reduced cost. The check of
// feasibility alone let a suboptimal point of a badly scaled program through as optimal.
bool OptimalityHolds(bool solvedScaled) {
  // The verdict's own inverse is fresh; a scaled solve's is inverted again unscaled.
  if ((solvedScaled || !SimplexInverseIsFresh()) && !SimplexReinvert()) return false;
  return PricesOut(JudgesZerosByTerms());
}

// No non-basic column improves the objective under the current inverse beyond a tolerance
// relative to the terms of its reduced cost, and beyond Eps unless `exact`.
bool PricesOut(bool exact) {
  const int m = g.MRows, nc = g.NCols;
  RawMatrix binv(g.BInv, m, m);
  // The multipliers and the size of the terms each is summed from.
  std::vector<double> y(static_cast<std::size_t>(m) + 1, 0.0), ySize = y;
  for (int k = 1; k <= m; ++k)
    if (const double cb = g.CostB(k); cb != 0) {
      AddMultiple(y.data() + 1, binv.Row(k) + 1, cb, m);
      AddAbsMultiple(ySize.data() + 1, binv.Row(k) + 1, cb, m);
    }
  for (int j = 1; j <= nc; ++j) {
    if (g.NonBasicMark(j) == 0 || IsArtificial(j)) continue;
    const double cost = g.Cost(j);
    double z = 0, size = std::fabs(cost);
    for (int i = 1; i <= m; ++i) {
      const double a = g.Tab(i + 2, j);
      z += y[static_cast<std::size_t>(i)] * a;
      size += ySize[static_cast<std::size_t>(i)] * std::fabs(a);
    }
    const double score = g.ObjSense * (z - cost);
    const double tol = kCheckTol * size + (exact ? 0.0 : g.Eps);
    if (MaySwitchSign(j) ? std::fabs(score) > tol : score > tol) return false;
  }
  return true;
}

namespace {

// The verdict of a run checked on the program as typed (LPData, ConstrType), whose doubles are
// taken as the exact rationals they are: each typed row gets a slack column when it is an
// inequality and each artificial column of the engine a column fixed at 0, so that the engine's
// final basis is a basis of it.
struct TypedProgram {
  exact::StandardForm sf;
  exact::Basis basis;
  std::vector<int> typedOf;  // engine column -> typed column
  std::vector<int> engineOf; // typed column -> engine column
  int structuralInBasis = 0;
  bool ok = false;
};

// The row of the one entry of an added (slack, surplus or artificial) column; 0 if none.
int SoleRowOf(int j) {
  for (int i = 1; i <= g.MRows; ++i)
    if (g.Tab(i + 2, j) != 0) return i;
  return 0;
}

TypedProgram TypedProgramWithBasis() {
  TypedProgram t;
  const int m = g.MRows, n = g.NVars, nc = g.NCols;
  int inequalities = 0, artificials = 0;
  for (int i = 1; i <= m; ++i)
    if (g.ConstrType(i).str() != "=") ++inequalities;
  for (int j = n + 1; j <= nc; ++j)
    if (IsArtificial(j)) ++artificials;
  exact::StandardForm &sf = t.sf;
  sf.Resize(m, n + inequalities + artificials);
  sf.maximize = g.ObjSenseSaved == -1;
  std::vector<int> slackOf(static_cast<std::size_t>(m) + 1, -1);
  int next = n;
  for (int i = 1; i <= m; ++i) {
    for (int j = 1; j <= n; ++j) sf.A(i - 1, j - 1) = g.LPData(i + 2, j);
    sf.b[i - 1] = g.LPData(i + 2, g.RHSInCol);
    const std::string rel = g.ConstrType(i).str();
    if (rel == "=") continue;
    sf.A(i - 1, next) = rel == "<" ? 1.0 : -1.0;
    slackOf[static_cast<std::size_t>(i)] = next++;
  }
  for (int j = 1; j <= n; ++j) {
    sf.c[j - 1] = g.LPData(2, j);
    sf.lower[j - 1] = g.LPData(g.LBRow, j);
    sf.upper[j - 1] = g.LPData(g.UBRow, j);
  }
  t.typedOf.assign(static_cast<std::size_t>(nc) + 1, -1);
  t.engineOf.assign(static_cast<std::size_t>(sf.n), 0);
  for (int j = 1; j <= n; ++j) t.typedOf[static_cast<std::size_t>(j)] = j - 1;
  for (int j = n + 1; j <= nc; ++j) {
    const int i = SoleRowOf(j);
    if (i == 0) return t;
    int col = slackOf[static_cast<std::size_t>(i)];
    if (IsArtificial(j)) {
      col = next++;
      sf.A(i - 1, col) = 1;
      sf.upper[col] = 0;
    }
    if (col < 0) return t;
    t.typedOf[static_cast<std::size_t>(j)] = col;
  }
  for (int j = 1; j <= nc; ++j)
    if (const int c = t.typedOf[static_cast<std::size_t>(j)]; c >= 0) t.engineOf[static_cast<std::size_t>(c)] = j;
  std::vector<char> seen(static_cast<std::size_t>(sf.n), 0);
  for (int r = 1; r <= m; ++r) {
    const int col = g.BasisList(r);
    const int c = col >= 1 && col <= nc ? t.typedOf[static_cast<std::size_t>(col)] : -1;
    if (c < 0 || seen[static_cast<std::size_t>(c)]) return t;
    seen[static_cast<std::size_t>(c)] = 1;
    t.basis.basic.push_back(c);
    if (c < n) ++t.structuralInBasis;
  }
  // A variable that is not basic stands at the bound nearest the value the engine gives it.
  t.basis.nonbasic.assign(static_cast<std::size_t>(sf.n), exact::AtBound::Lower);
  for (int j = 1; j <= n; ++j) {
    if (g.NonBasicMark(j) == 0) continue;
    const double x = ColumnSolution(j);
    const int c = j - 1;
    exact::AtBound at = exact::AtBound::Zero;
    if (sf.HasLower(c) && (!sf.HasUpper(c) || std::fabs(x - sf.lower[c]) <= std::fabs(x - sf.upper[c])))
      at = exact::AtBound::Lower;
    else if (sf.HasUpper(c))
      at = exact::AtBound::Upper;
    t.basis.nonbasic[static_cast<std::size_t>(c)] = at;
  }
  t.ok = true;
  return t;
}

// Exact steps are taken on programs whose basis holds at most this many columns of the
// program's own variables (a rational factorisation of 40 dense columns of data up to 1e6 takes
// some 50 ms); beyond that the double-precision checks decide alone.
constexpr int kExactColumns = 40;
// The rational arithmetic the exact steps may do, in limbs of the operands of their
// factorisations (about a tenth of a second at most): a program whose fractions grow past that
// (a factorisation of a 100-row basis of coefficients to 1e6 takes a fifth of a second) is
// answered by the double-precision checks, or given up, at once.
constexpr long long kExactWork = 500000;

// Exact pivots allowed: each prices every column in rational arithmetic, so fewer on larger
// programs.

int ExactPivots(const TypedProgram &t) {
  return t.sf.m * t.sf.n <= 4000 ? 400 : 40;
}

bool ExactAffordable(const TypedProgram &t) {
  return t.ok && t.structuralInBasis <= kExactColumns && g.MRows <= 100;
}

// Whether the multipliers of the final basis for the sum of its values' distances outside their
// bounds prove the program infeasible, judged in long double with a margin far above the rounding
// of the sums, else exactly.
bool ProvesInfeasible(const TypedProgram &t, const std::vector<double> &y) {
  const exact::StandardForm &sf = t.sf;
  if (y.empty()) return false;
  // yb against the largest and smallest y A x within the bounds; a coefficient of y A that is
  // rounding noise beside its terms counts as 0, and the gap must be clear of the terms' noise.
  long double yb = 0, size = 0, hi = 0, lo = 0;
  bool hiFinite = true, loFinite = true;
  for (int i = 0; i < sf.m; ++i) {
    yb += static_cast<long double>(y[static_cast<std::size_t>(i)]) * sf.b[i];
    size += std::fabs(static_cast<long double>(y[static_cast<std::size_t>(i)]) * sf.b[i]);
  }
  // A multiplier that is 0 in exact arithmetic comes out as rounding noise of the largest.
  double yScale = 0;
  for (double v : y) yScale = std::max(yScale, std::fabs(v));
  for (int j = 0; j < sf.n; ++j) {
    long double gj = 0, gs = 0, colMax = 0;
    for (int i = 0; i < sf.m; ++i)
      if (sf.A(i, j) != 0) {
        const long double term = static_cast<long double>(y[static_cast<std::size_t>(i)]) * sf.A(i, j);
        gj += term;
        gs += std::fabs(term);
        colMax = std::max(colMax, static_cast<long double>(std::fabs(sf.A(i, j))));
      }
    if (std::fabs(gj) <= kCheckTol * (gs + 1E-5L * yScale * colMax)) continue;
    const bool up = sf.HasUpper(j), down = sf.HasLower(j);
    if (gj > 0) {
      if (up) hi += gj * sf.upper[j]; else hiFinite = false;
      if (down) lo += gj * sf.lower[j]; else loFinite = false;
    } else {
      if (down) hi += gj * sf.lower[j]; else hiFinite = false;
      if (up) lo += gj * sf.upper[j]; else loFinite = false;
    }
    size += gs * std::max(up ? std::fabs(sf.upper[j]) : 0.0, down ? std::fabs(sf.lower[j]) : 0.0);
  }
  const long double margin = kCheckTol * size;
  if ((hiFinite && yb > hi + margin) || (loFinite && yb < lo - margin)) return true;
  return exact::ProvesInfeasible(sf, y);
}

// The multipliers of the sum of the final basis's values outside their bounds, else of one of
// those values (a repair by dual steps ends on a row that no column can move back).
bool MultipliersProveInfeasible(const TypedProgram &t) {
  // The engine's own multipliers of its last (phase-1) pricing first: one pass over the data.
  std::vector<double> own(static_cast<std::size_t>(g.MRows));
  for (int i = 1; i <= g.MRows; ++i)
    own[static_cast<std::size_t>(i - 1)] = (g.TabBackup(i, 0) == -1 ? -1 : 1) * g.Duals(i);
  if (ProvesInfeasible(t, own)) return true;
  if (ProvesInfeasible(t, exact::InfeasibilityMultipliers(t.sf, t.basis))) return true;

  const std::vector<int> rows = exact::RowsOutsideBounds(t.sf, t.basis);
  for (std::size_t k = 0; k < rows.size() && k < 8; ++k)
    if (ProvesInfeasible(t, exact::BasisRowMultipliers(t.sf, t.basis, rows[k]))) return true;
  return false;
}

// Puts the typed basis `b` into the engine (basis list, marks, columns flipped to the bound they
// stand at) and computes its basic solution and prices on a fresh inverse. False: the engine
// cannot hold it.
bool InstallTypedBasis(const TypedProgram &t, const exact::Basis &b) {
  const int m = g.MRows, n = g.NVars, nc = g.NCols;
  g.Phase = 0;
  g.ObjSense = g.ObjSenseSaved;
  for (int j = 1; j <= nc; ++j) g.Cost(j) = IsArtificial(j) ? 0.0 : g.Tab(2, j);
  for (int j = 1; j <= nc; ++j) g.NonBasicMark(j) = static_cast<int16>(g.ColKind(j) == "U" ? -j : j);
  for (int r = 1; r <= m; ++r) {
    const int col = t.engineOf[static_cast<std::size_t>(b.basic[static_cast<std::size_t>(r - 1)])];
    g.BasisList(r) = static_cast<int16>(col);
    g.NonBasicMark(col) = 0;
  }
  for (int j = 1; j <= n; ++j) {
    if (g.NonBasicMark(j) == 0) continue;
    const bool wantUpper = b.nonbasic[static_cast<std::size_t>(j - 1)] == exact::AtBound::Upper;
    const bool atUpper = (g.ColKind(j) == "U") != (g.BoundLabel(j) == "U");
    if (wantUpper == atUpper) continue;
    if (!std::isfinite(g.Tab(g.UBRow, j))) return false;
    FlipToBound(j);
  }
  for (int r = 1; r <= m; ++r) {
    const int col = g.BasisList(r);
    g.CostB(r) = g.Cost(col);
    for (int i = 1; i <= m; ++i) g.BasisMat(i, r) = g.Tab(i + 2, col);
  }
  if (!ReinvertJudgingZerosByTerms()) return false;
  g.Leaving = 0;
  SimplexBasicSolution();
  SimplexPricing();
  g.Entering = 0;
  return true;
}

// The engine's row of multipliers against the typed ones y (each engine row is its typed row or
// that row negated), to `part` of the largest.
bool DualsAgree(const std::vector<double> &y, double part = 1E-9) {
  double scale = 0;
  for (double v : y) scale = std::max(scale, std::fabs(v));
  for (int i = 1; i <= g.MRows; ++i) {
    const double want = (g.TabBackup(i, 0) == -1 ? -1 : 1) * y[static_cast<std::size_t>(i - 1)];
    if (std::fabs(g.Duals(i) - want) > part * scale + 1E-300) return false;
  }
  return true;
}

void SetDuals(const std::vector<double> &y) {
  for (int i = 1; i <= g.MRows; ++i) g.Duals(i) = (g.TabBackup(i, 0) == -1 ? -1 : 1) * y[static_cast<std::size_t>(i - 1)];
}

// Takes an answer that failed its check (or no answer) on by exact simplex steps from the final
// basis: the verdict they prove, with the optimum's exact values; `unproven` where they reach
// none within the pivots allowed.
// Where `outOfWork` is given, steps that run out of the work allowed change nothing and set it,
// for the caller to decide.
LPStatus FinishExactly(TypedProgram &t, LPStatus unproven = LPStatus::NumericalFailure, bool *outOfWork = nullptr) {
  exact::Basis b = t.basis;
  const exact::ExactSolve ex = exact::SolveFromBasis(t.sf, b, ExactPivots(t), kExactWork);
  if (outOfWork) *outOfWork = ex.outOfWork;
  if (ex.outOfWork && outOfWork) return unproven;
  switch (ex.verdict) {
  case exact::ExactVerdict::Infeasible:
    return EndRun(LPStatus::Infeasible);
  case exact::ExactVerdict::Unbounded:
    return EndRun(LPStatus::Unbounded);
  case exact::ExactVerdict::Unproven:
    return EndRun(unproven);
  case exact::ExactVerdict::Optimal:
    break;
  }
  if (!InstallTypedBasis(t, b)) return EndRun(LPStatus::NumericalFailure);
  AssembleSolution();
  // The values shown are the exact ones, rounded once.
  for (int j = 1; j <= g.NCols; ++j) {
    const int c = t.typedOf[static_cast<std::size_t>(j)];
    if (c >= 0) g.XSol(j) = ex.check.x[static_cast<std::size_t>(c)].get_d();
  }
  g.ZValue = ex.check.ObjectiveDouble();
  std::vector<double> y(static_cast<std::size_t>(g.MRows));
  for (int i = 0; i < g.MRows; ++i) y[static_cast<std::size_t>(i)] = ex.check.y[static_cast<std::size_t>(i)].get_d();
  SetDuals(y);
  return EndRun(LPStatus::Optimal);
}

// Whether the engine's optimum is the point and value of its basis as a fresh double-precision
// check on the typed program computes them, to a part in 1E9 of the terms involved.
bool EngineAgrees(const exact::QuickCheck &q) {
  double scale = 1;
  for (double v : q.x) scale = std::max(scale, std::fabs(v));
  for (int j = 1; j <= g.NVars; ++j) {
    const double x = ColumnSolution(j), want = q.x[static_cast<std::size_t>(j - 1)];
    if (std::fabs(x - want) > 1E-9 * std::max(scale, ColumnMagnitude(j))) return false;
  }
  return true;
}

// Whether the engine's own point and multipliers already certify its optimum on the program as
// typed: every row and bound met and every reduced cost of the right sign for where its column
// stands, each judged to a part in 1E11 of the terms that formed it. It costs one pass over the
// data, so most optima need no fresh factorisation of their basis.
bool EngineCertifiesOptimum() {
  const int m = g.MRows, n = g.NVars;
  if (m < 1 || n < 1) return false;
  // Tighter than the fresh check's part in 1E9: a game's mix is its multipliers, and 26 of them
  // each off by that much add up to 1 + 1E-8. Tight enough to be decisive: an optimum these
  // checks do not certify goes to exact arithmetic on the decimals where that is affordable (a
  // point breaking an "=" row by 5E-11 of its terms is no optimum of the program as typed).
  constexpr double tol = 1E-13;
  const auto stride = &g.LPData(4, 1) - &g.LPData(3, 1);
  const double *a0 = &g.LPData(3, 1); // row i, column j at a0[i * stride + j]
  const double *cost = &g.LPData(2, 1), *lower = &g.LPData(g.LBRow, 1), *upper = &g.LPData(g.UBRow, 1);
  std::vector<double> x(static_cast<std::size_t>(n), 0.0), y(static_cast<std::size_t>(m));
  for (int r = 1; r <= m; ++r)
    if (const int col = g.BasisList(r); col >= 1 && col <= n) x[static_cast<std::size_t>(col - 1)] = g.XBasic(r);
  double xScale = 1, yScale = 0;
  for (int j = 0; j < n; ++j) {
    double &v = x[static_cast<std::size_t>(j)];
    v = TypedColumnValue(j + 1, g.NonBasicMark(j + 1) == 0 ? v : 0.0);
    if (!std::isfinite(v)) return false;
    xScale = std::max(xScale, std::fabs(v));
  }
  for (int i = 0; i < m; ++i) {
    y[static_cast<std::size_t>(i)] = (g.TabBackup(i + 1, 0) == -1 ? -1 : 1) * g.Duals(i + 1);
    if (!std::isfinite(y[static_cast<std::size_t>(i)])) return false;
    yScale = std::max(yScale, std::fabs(y[static_cast<std::size_t>(i)]));
  }
  const double sense = g.ObjSenseSaved == -1 ? -1.0 : 1.0;
  for (int i = 0; i < m; ++i) {
    const double *row = a0 + i * stride;
    long double r = 0, size = std::fabs(row[g.RHSInCol - 1]), rowMax = 0;
    for (int j = 0; j < n; ++j)
      if (row[j] != 0) {
        const long double term = static_cast<long double>(row[j]) * x[static_cast<std::size_t>(j)];
        r += term;
        size += std::fabs(term);
        rowMax = std::max(rowMax, static_cast<long double>(std::fabs(row[j])));
      }
    const long double rTol = tol * (size + 1E-3L * xScale * rowMax) + 1E-300L;
    const long double gap = row[g.RHSInCol - 1] - r; // what the row leaves over
    const char rel = g.ConstrType(i + 1).str().empty() ? '=' : g.ConstrType(i + 1).str()[0];
    if (rel == '=' ? std::fabs(gap) > rTol : (rel == '<' ? gap < -rTol : gap > rTol)) return false;
    if (rel == '=') continue;
    // The row's slack column: +1 on a "<" row, -1 on a ">" row, at no cost.
    const double s = sense * -(y[static_cast<std::size_t>(i)] * (rel == '<' ? 1.0 : -1.0));
    const double dTol = tol * (std::fabs(y[static_cast<std::size_t>(i)]) + 1E-3 * yScale) + 1E-300;
    if (s < -dTol || (s > dTol && std::fabs(gap) > rTol)) return false;
  }
  for (int j = 0; j < n; ++j) {
    const double xj = x[static_cast<std::size_t>(j)];
    const double bTol = tol * std::max(xScale, std::fabs(xj));
    const bool hasLower = std::isfinite(lower[j]), hasUpper = std::isfinite(upper[j]);
    if ((hasLower && xj < lower[j] - bTol) || (hasUpper && xj > upper[j] + bTol)) return false;
    long double d = cost[j], size = std::fabs(cost[j]), colMax = 0;
    for (int i = 0; i < m; ++i)
      if (const double aij = a0[i * stride + j]; aij != 0) {
        const long double term = static_cast<long double>(y[static_cast<std::size_t>(i)]) * aij;
        d -= term;
        size += std::fabs(term);
        colMax = std::max(colMax, static_cast<long double>(std::fabs(aij)));
      }
    const double s = sense * static_cast<double>(d);
    const double dTol = tol * static_cast<double>(size + 1E-3L * yScale * colMax) + 1E-300;
    const bool canRise = !hasUpper || xj < upper[j] - bTol;
    const bool canFall = !hasLower || xj > lower[j] + bTol;
    if ((s < -dTol && canRise) || (s > dTol && canFall)) return false;
  }
  return true;
}

// The solution of an optimum the checks accepted, with the objective value of its point on the
// program as typed: an artificial column the engine left basic at a rounding-level value
// (-0.001 beside rows of 7007) adds nothing to it, whatever cost the run gave that column.
LPStatus AcceptOptimum() {
  AssembleSolution();
  long double z = 0;
  for (int j = 1; j <= g.NVars; ++j) z += static_cast<long double>(g.LPData(2, j)) * g.XSol(j);
  g.ZValue = static_cast<double>(z);
  return EndRun(LPStatus::Optimal);
}

} // namespace

// Every verdict of SolveLP is checked on the program as typed before it is shown. An optimum
// first by the engine's own point and multipliers, to a part in 1E13 of their terms (one pass over
// the data, so most optima cost no more); where that does not decide, by exact simplex steps on
// the typed decimals from the final basis where they are affordable, else by a fresh
// double-precision factorisation of the basis. An infeasibility by the multipliers of the final
// basis; an unbounded verdict or a run given up by exact steps where affordable. The exact steps
// have a bounded amount of work: past it the verdict stands on the double-precision checks, or
// the run is given up at once. At an optimum the solution is not yet assembled.
LPStatus ConfirmVerdict(LPStatus status) {
  const bool optimal = status == LPStatus::Optimal;
  if (g.MRows == 0) return optimal ? AcceptOptimum() : status;
  if (optimal && EngineCertifiesOptimum()) return AcceptOptimum();
  TypedProgram t = TypedProgramWithBasis();
  const bool affordable = ExactAffordable(t);
  if (optimal) {
    if (!t.ok) return AcceptOptimum();
    // Where the engine's certificates do not decide, exact arithmetic on the decimals does; where
    // that is not affordable, a fresh factorisation of the basis in double precision.
    bool outOfWork = false;
    if (affordable) {
      const LPStatus exactly = FinishExactly(t, LPStatus::NumericalFailure, &outOfWork);
      if (!outOfWork) return exactly;
    }
    const exact::QuickCheck q = exact::QuickCheckBasis(t.sf, t.basis);
    if (outOfWork && !(q.holds && EngineAgrees(q))) return EndRun(LPStatus::NumericalFailure);
    // Multipliers off by more than rounding are replaced by the fresh ones (a game's mix for B).
    if (!DualsAgree(q.y, 1E-12)) SetDuals(q.y);
    return AcceptOptimum();
  }
  // A run stopped by the pivot cap keeps its own end; one stopped by a basis its inverse found
  // singular goes on exactly, where a rational factorisation tells dependent columns apart.
  if (!affordable || status == LPStatus::PivotCapReached) return status;
  if (status == LPStatus::Infeasible && MultipliersProveInfeasible(t)) return status;
  // On a large program the exact steps are kept for answers that failed their check or runs
  // given up; its infeasible and unbounded verdicts stand on the engine's own certificates.
  if (ExactPivots(t) < 400 && status != LPStatus::NumericalFailure && status != LPStatus::SingularBasis)
    return status;
  // An infeasibility the engine proved by its own rules (a value no column can move back) that
  // neither these multipliers nor the exact steps allowed settle stays as it was.
  return FinishExactly(t, status == LPStatus::Infeasible || status == LPStatus::SingularBasis ? status
                                                                                              : LPStatus::NumericalFailure);
}

} // namespace quon
