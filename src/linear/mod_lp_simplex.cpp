#include "linear/mod_lp_simplex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "linear/mod_inverse.h"
#include "linear/raw_matrix.h"
#include "linear/simplex_internal.h"

namespace quon {

int LPPivotCap = 50000;

namespace {

// Dantzig's rule can cycle on degenerate problems. Every basis a run meets is remembered (by
// a hash of the basis, the bound and sign flags and the phase); when one comes back the run
// switches to Bland's rule, which cannot cycle. Runs that never repeat a basis keep the
// largest-improvement rule throughout.
struct CycleGuard {
  std::unordered_set<std::uint64_t> seen;
  std::vector<int> basis;
  bool bland = false;

  void Reset() {
    seen.clear();
    bland = false;
  }

  void Visit() {
    basis.assign(g.BasisList.Raw() + 1, g.BasisList.Raw() + 1 + g.MRows);
    std::sort(basis.begin(), basis.end());
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint64_t v) {
      h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
      h *= 1099511628211ull;
    };
    mix(static_cast<std::uint64_t>(g.Phase + 3));
    for (int b : basis)
      mix(static_cast<std::uint64_t>(b));
    for (int j = 1; j <= g.NCols; ++j) {
      const bool flipped = g.ColKind(j) == "U";
      const bool negated = g.ColKind2(j) == "-";
      if (flipped || negated) mix(static_cast<std::uint64_t>(j) * 4 + (flipped ? 1 : 0) + (negated ? 2 : 0));
    }
    if (!seen.insert(h).second) bland = true;
  }
};

CycleGuard &Guard() {
  static CycleGuard guard;
  return guard;
}

bool IsArtificial(int j) {
  const std::string &name = g.ColNames(j);
  return !name.empty() && name[0] == 'R';
}

// Tolerance for equal ratios under Bland's rule.
bool RatioTies(double a, double b) {
  return std::fabs(a - b) <= 1E-12 * std::max(1.0, std::fabs(b));
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
  if (g.ColKind(j) == "U" || g.Tab(g.FreeVarRow, j) != 1) return false;
  return j > g.NVars || g.LPData(g.LBRow, j) <= -g.Infinity;
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

} // namespace

bool SimplexUsesBlandRule() {
  return Guard().bland;
}

void SimplexSetBasisColumn(int k, int r) {
  const int col = std::abs(k);
  const int m = g.MRows;
  for (int i = 1; i <= m; ++i)
    g.WorkCol(i) = g.Tab(i + 2, col);
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
  g.ZValue = 0;
  g.Entering = 0;
  g.Leaving = 0;
  Guard().Reset();
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
  for (int j = 1; j <= g.NCols; ++j)
    g.NonBasicMark(j) = static_cast<int16>(j);
  const int k0 = g.LPMethod == 5 ? 0 : g.NArtificial1;
  for (int i = 1; i <= g.MRows; ++i) {
    g.BasisList(i) = static_cast<int16>(g.NVars + k0 + i);
    g.NonBasicMark(g.BasisList(i)) = 0;
  }
  for (int i = 1; i <= g.MRows; ++i) {
    g.CostB(i) = g.Cost(g.BasisList(i));
    SimplexSetBasisColumn(g.BasisList(i), i);
  }
  return InvertMatrix();
}

void SimplexBasicSolution() {
  if (g.Leaving < 0) FlipToBound(g.Leaving == kBoundFlip ? g.Entering : -g.Leaving);

  const int m = g.MRows;
  const int rhs = g.NColsPlus1;
  static std::vector<double> b;
  if (b.size() < static_cast<std::size_t>(m + 1)) b.resize(static_cast<std::size_t>(m + 1));
  for (int j = 1; j <= m; ++j)
    b[j] = g.Tab(j + 2, rhs);
  RawMatrix binv(g.BInv, m, m);
  const float eps = static_cast<float>(g.Eps);
  g.ZValue = 0;
  for (int i = 1; i <= m; ++i) {
    const double *bi = binv.Row(i);
    double x = 0;
    for (int j = 1; j <= m; ++j)
      x += bi[j] * b[j];
    if (std::fabs(static_cast<float>(x)) < eps) x = 0;
    g.XBasic(i) = x;
    g.ZValue = g.ZValue + x * g.CostB(i);
  }
  if (g.Phase != 1 && g.NUpperBounded > 0)
    for (int j = 1; j <= g.NVars; ++j)
      if (g.ColKind(j) == "U") g.ZValue = g.ZValue + g.Tab(g.UBRow, j) * g.LPData(2, j);
}

void SimplexPricing() {
  const int m = g.MRows;
  if (g.LPMethod != 5) Guard().Visit();
  RawMatrix binv(g.BInv, m, m);
  for (int i = 1; i <= m; ++i) {
    double d = 0;
    for (int j = 1; j <= m; ++j)
      d += g.CostB(j) * binv(j, i);
    g.Duals(i) = d;
  }
  g.Entering = 0;
  double best = 0;
  g.AltOptimaFlag = 0;
  const bool bland = Guard().bland;
  for (int j = 1; j <= g.NCols; ++j) {
    if (g.Phase == 2 && IsArtificial(j)) continue;
    g.RedCost(j) = 0;
    if (g.NonBasicMark(j) == 0) continue;
    SimplexSetBasisColumn(-j, 0);
    double d = 0;
    for (int i = 1; i <= m; ++i)
      d += g.Duals(i) * g.WorkCol(i);
    d -= g.Cost(j);
    if (std::fabs(d) < g.Eps) {
      d = 0;
      if (g.LPMethod != 5) g.AltOptimaFlag = 1;
    }
    g.RedCost(j) = d;
    double score = g.ObjSense * d;
    if (score < 0 && MaySwitchSign(j)) {
      score = -score;
      g.RedCost(j) = -g.RedCost(j);
      SwitchSign(j);
    }
    if (g.LPMethod == 5) continue;
    if (bland) {
      if (g.Entering == 0 && score > 0) g.Entering = static_cast<int16>(j);
    } else if (score > best) {
      best = score;
      g.Entering = static_cast<int16>(j);
    }
  }
  if (g.LPMethod != 5 && g.Entering > 0) g.NonBasicMark(g.Entering) = 0;
}

void SimplexRatioTest() {
  const int e = g.Entering;
  const int m = g.MRows;
  SimplexSetBasisColumn(-e, 0);
  double best = g.Infinity;
  g.Leaving = 0;
  g.LeavingRow = 0;
  const double ubE = g.Tab(g.UBRow, e);
  const bool bland = Guard().bland;
  int bestCol = 0; // the basic column of the chosen row, for Bland's tie rule
  RawMatrix binv(g.BInv, m, m);
  for (int r = 1; r <= m; ++r) {
    const double *br = binv.Row(r);
    double alpha = 0;
    for (int i = 1; i <= m; ++i)
      alpha += br[i] * g.WorkCol(i);
    g.AlphaCol(r) = alpha;
    const int basic = g.BasisList(r);
    if (g.Phase == 2 && std::fabs(alpha) > g.Eps && IsArtificial(basic)) {
      g.Leaving = static_cast<int16>(basic);
      g.LeavingRow = static_cast<int16>(r);
      best = 0;
      break;
    }
    double ratio = 0;
    int16 code = 0;
    if (alpha > g.Eps) {
      ratio = g.XBasic(r) / alpha;
      code = static_cast<int16>(basic);
    } else if (alpha < -g.Eps && g.Tab(g.UBRow, basic) < g.Infinity) {
      ratio = (g.XBasic(r) - g.Tab(g.UBRow, basic)) / alpha;
      code = static_cast<int16>(-basic);
    } else {
      continue;
    }
    bool take = ratio < best;
    if (bland && bestCol != 0 && RatioTies(ratio, best)) take = basic < bestCol;
    if (take) {
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
  SimplexSetBasisColumn(g.Entering, g.LeavingRow);
  return InvertMatrix();
}

void AssembleSolution() {
  g.ZValue = 0;
  for (int j = 1; j <= g.NCols; ++j) {
    double x = 0;
    if (g.NonBasicMark(j) == 0)
      for (int r = 1; r <= g.MRows; ++r)
        if (g.BasisList(r) == j) {
          x = g.XBasic(r);
          break;
        }
    if (g.NUpperBounded > 0 && g.ColKind(j) == "U") {
      x = g.Tab(g.UBRow, j) - x;
      g.Cost(j) = -g.Cost(j);
      g.Tab(2, j) = -g.Tab(2, j);
    }
    if (j <= g.NVars) {
      if (g.LPData(g.LBRow, j) != -g.Infinity) x += g.LPData(g.LBRow, j);
      if (g.BoundLabel(j) == "U") x -= g.LPData(g.UBRow, j); // the column holds U - x
      if (g.ColKind2(j) == "-") {
        x = -x;
        g.Cost(j) = -g.Cost(j);
        g.Tab(2, j) = -g.Tab(2, j);
      }
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

LPStatus SolveLP() {
  g.LPResult = LPStatus::NotSolved;
  g.Phase = g.NArtificial1 + g.NArtificial2 != 0 ? 1 : 0;
  if (!SimplexInit()) return EndRun(LPStatus::SingularBasis);
  g.IterCount = 1;
  int pivots = 0;
  for (;;) {
    SimplexBasicSolution();
    SimplexPricing();
    if (g.Entering != 0) {
      SimplexRatioTest();
      if (g.Leaving == 0 && g.Entering < 0) return EndRun(LPStatus::Unbounded);
      if (++pivots > LPPivotCap) return EndRun(LPStatus::PivotCapReached);
      if (!SimplexPivot()) return EndRun(LPStatus::SingularBasis);
      ++g.IterCount;
      continue;
    }
    if (g.Phase == 1) {
      if (std::fabs(g.ZValue) > g.Eps) return EndRun(LPStatus::Infeasible);
      g.Phase = 2;
      for (int j = 1; j <= g.NCols; ++j)
        g.Cost(j) = g.Tab(2, j);
      for (int i = 1; i <= g.MRows; ++i)
        g.CostB(i) = IsArtificial(g.BasisList(i)) ? 0 : g.Cost(g.BasisList(i));
      ++g.IterCount;
      ++g.TableauCount;
      g.ObjSense = g.ObjSenseSaved;
      g.Entering = 0;
      g.Leaving = 0;
      ++g.IterCount;
      continue;
    }
    g.Phase = 0;
    break;
  }
  AssembleSolution();
  return EndRun(LPStatus::Optimal);
}

} // namespace quon
