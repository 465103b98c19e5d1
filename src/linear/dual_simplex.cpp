// The dual simplex run of the output summary: from the slack basis, the most negative basic
// value leaves and the column with the smallest |reduced cost / entry| enters, until no basic
// value is negative (optimal) or no column can enter the leaving row (no feasible solution).
#include <cmath>

#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "linear/raw_matrix.h"
#include "linear/simplex_internal.h"
#include "shell/dual_start.h"

namespace quon {

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
    if (g.Leaving == 0) {
      // The verdict is read from an inverse computed afresh.
      if (SimplexInverseIsFresh()) break;
      if (!SimplexReinvert()) return EndRun(LPStatus::SingularBasis, false);
      continue;
    }
    g.NonBasicMark(g.Leaving) = g.Leaving;

    g.Entering = 0;
    double best = kLPInfinity;
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
    if (g.Entering == 0) {
      if (SimplexInverseIsFresh()) return EndRun(LPStatus::Infeasible, false);
      g.NonBasicMark(g.Leaving) = 0;
      g.Leaving = 0;
      if (!SimplexReinvert()) return EndRun(LPStatus::SingularBasis, false);
      continue;
    }

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
