// The dual simplex run of the output summary: from the slack basis, the most negative basic
// value leaves and the column with the smallest |reduced cost / entry| enters, until no basic
// value is negative (optimal) or no column can enter the leaving row (no feasible solution).
#include <cmath>
#include <string>

#include "linear/mod_lp_simplex.h"
#include "linear/raw_matrix.h"
#include "linear/simplex_internal.h"

namespace quon {

void ConvertToDualSimplexForm() {
  const int m = g.MRows;
  const int n = g.NVars;
  const int oldRhs = g.NColsPlus1;
  const int oldCode = g.NColsPlus2;
  for (int i = 3; i <= m + 2; ++i) {
    g.Tab(i, m + n + 1) = g.Tab(i, oldRhs);
    g.Tab(i, m + n + 2) = g.Tab(i, oldCode);
  }
  g.NColsPlus1 = static_cast<int16>(m + n + 1);
  g.NColsPlus2 = static_cast<int16>(m + n + 2);
  g.NCols = static_cast<int16>(m + n);
  for (int k = n + 1; k <= n + m; ++k) {
    const int r = k - n + 2;
    const bool lessEqual = g.Tab(r, g.NColsPlus2) == -1;
    g.ColNames(k) = (lessEqual ? "sx" : "Sx") + std::to_string(k);
    g.Tab(2, k) = 0;
    for (int i = 3; i <= m + 2; ++i)
      g.Tab(i, k) = i == r ? (lessEqual ? 1 : -1) : 0;
  }
  const int last = g.NColsPlus2;
  for (int i = 3; i <= m + 2; ++i)
    if (g.Tab(i, last) == 1)
      for (int j = 1; j <= last; ++j)
        g.Tab(i, j) = -g.Tab(i, j);
}

LPStatus SolveLPDualSimplex() {
  g.LPResult = LPStatus::NotSolved;
  // A model restored from its saved copy is in the primal layout again; every row must be a
  // "<=" row with its own slack for the slack basis to start from.
  bool converted = true;
  for (int i = 3; i <= g.MRows + 2; ++i)
    if (g.Tab(i, g.NColsPlus2) != -1) converted = false;
  if (!converted) ConvertToDualSimplexForm();
  if (!SimplexInit()) return EndRun(LPStatus::SingularBasis, false);
  g.IterCount = 1;
  int pivots = 0;
  const int m = g.MRows;
  for (;;) {
    SimplexBasicSolution();
    SimplexPricing();

    g.Leaving = 0;
    double most = 0;
    for (int r = 1; r <= m; ++r)
      if (g.XBasic(r) < most) {
        most = g.XBasic(r);
        g.LeavingRow = static_cast<int16>(r);
        g.Leaving = g.BasisList(r);
      }
    if (g.Leaving == 0) break;
    g.NonBasicMark(g.Leaving) = g.Leaving;

    g.Entering = 0;
    double best = g.Infinity;
    RawMatrix binv(g.BInv, m, m);
    const double *row = binv.Row(g.LeavingRow);
    for (int j = 1; j <= g.NCols; ++j) {
      if (g.NonBasicMark(j) <= 0) continue;
      double alpha = 0;
      for (int i = 1; i <= m; ++i)
        alpha += row[i] * g.Tab(i + 2, j);
      if (std::fabs(alpha) >= g.Eps && alpha < 0) {
        const double ratio = std::fabs(g.RedCost(j) / alpha);
        if (ratio < best) {
          best = ratio;
          g.Entering = static_cast<int16>(j);
        }
      }
    }
    if (g.Entering == 0) return EndRun(LPStatus::Infeasible, false);

    g.NonBasicMark(g.Entering) = 0;
    g.BasisList(g.LeavingRow) = g.Entering;
    g.CostB(g.LeavingRow) = g.Cost(g.Entering);
    if (++pivots > LPPivotCap) return EndRun(LPStatus::PivotCapReached, false);
    if (!SimplexPivot()) return EndRun(LPStatus::SingularBasis, false);
    ++g.IterCount;
  }
  // The dual simplex is offered only for models without bounds and unrestricted variables,
  // so the primal assembly has no flips to undo here and gives the same result.
  AssembleSolution();
  return EndRun(LPStatus::Optimal, false);
}

} // namespace quon
