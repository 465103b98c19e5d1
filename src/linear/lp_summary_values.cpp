#include "linear/lp_summary_values.h"

#include <cmath>

#include "platform/values.h"
#include "shell/helpers.h"
#include "shell/mod1.h"

namespace quon {

std::vector<ConstraintSlack> ConstraintSlacks() {
  const int m = g.MRows;
  const int n = g.NVars;
  std::vector<ConstraintSlack> s(static_cast<std::size_t>(m) + 1);
  for (int i = 1; i <= m; ++i) {
    double v = g.LPData(i + 2, g.RHSInCol);
    for (int j = 1; j <= n; ++j)
      v -= g.LPData(i + 2, j) * g.XSol(j);
    s[static_cast<std::size_t>(i)].typed = v;
  }
  // A basic column of the standard form's own (slack, surplus or artificial) belongs to the
  // first row where it holds +-1; a later basis position of the same row replaces an earlier.
  for (int i = 1; i <= m; ++i) {
    const int c = g.BasisList(i);
    if (c <= n || g.XBasic(i) <= 1e-8) continue;
    for (int k = 3; k <= g.LastConstrRow; ++k) {
      if (std::fabs(g.Tab(k, c)) != 1) continue;
      ConstraintSlack &row = s[static_cast<std::size_t>(k - 2)];
      row.basic = g.XBasic(i);
      row.surplus = g.Tab(k, g.NColsPlus2) > 0;
      break;
    }
  }
  return s;
}

double BoundDualPrice(int j, int index) {
  if (g.NonBasicMark(j) == 0) return 0;
  const bool atUpper = g.ColKind(j) == "U";
  if (index == 1) return atUpper ? 0 : -g.RedCost(j);
  return atUpper ? g.RedCost(j) : 0;
}

double BoundSlack(int j, int index) {
  const bool nonBasic = g.NonBasicMark(j) != 0;
  const bool atUpper = g.ColKind(j) == "U";
  if (index == 1) return nonBasic && !atUpper ? 0 : g.XSol(j) - g.LPData(g.LBRow, j);
  return nonBasic && atUpper ? 0 : g.LPData(g.UBRow, j) - g.XSol(j);
}

const char *LPNoSolutionText(LPStatus status) {
  switch (status) {
  case LPStatus::Unbounded:
    return "Optimum solution is unbounded";
  case LPStatus::Infeasible:
    return "Problem has no feasible solution";
  case LPStatus::NumericalFailure:
  case LPStatus::SingularBasis:
    return "Problem data too badly scaled to solve reliably";
  case LPStatus::PivotCapReached:
    // A run that gives up has found nothing wrong with the data.
    return "The simplex method stopped without reaching the optimum";
  case LPStatus::NotSolved:
  case LPStatus::Optimal:
    break;
  }
  return nullptr;
}

std::string RangeEndText(double end) {
  if (std::isinf(end)) return end < 0 ? "-infinity" : "infinity";
  return Format(end, NumberFormatString());
}

} // namespace quon
