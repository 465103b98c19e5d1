#include "shell/dual_start.h"

#include <cmath>
#include <string>

#include "shell/mod1.h"

namespace quon {

DualStartRoad DualSimplexRoad() {
  const int n = g.NVars;
  for (int j = 1; j <= n; ++j) {
    if (g.ObjSense * g.Tab(2, j) < 0)
      return g.NArtificial1 + g.NArtificial2 == 0 ? DualStartRoad::AllSlack : DualStartRoad::TwoPhaseOrM;
    if (g.Tab(g.FreeVarRow, j) == 1 || g.NBoundA + g.NUpperBounded >= 1) return DualStartRoad::BoundedOrFree;
  }
  return g.NArtificial2 > 0 ? DualStartRoad::Equations : DualStartRoad::Convert;
}

void ConvertToDualSimplexForm() {
  const int m = g.MRows;
  const int n = g.NVars;
  g.LPMethod = 5;

  // The right-hand side and relation code move left, next to the new slack columns; both are
  // read before either is written because the old and new columns may overlap.
  for (int i = 3; i <= m + 2; ++i) {
    const double rhs = g.Tab(i, g.NColsPlus1);
    const double code = g.Tab(i, g.NColsPlus2);
    g.Tab(i, m + n + 1) = rhs;
    g.Tab(i, m + n + 2) = code;
  }
  g.NColsPlus1 = static_cast<int16>(m + n + 1);
  g.NColsPlus2 = static_cast<int16>(m + n + 2);
  g.NCols = static_cast<int16>(m + n);

  for (int k = n + 1; k <= n + m; ++k) {
    const int r = k - n + 2;
    const bool lessEqual = g.Tab(r, g.NColsPlus2) == -1;
    const double s = lessEqual ? 1 : -1;
    g.ColNames(k) = (lessEqual ? "sx" : "Sx") + std::to_string(k);
    g.Tab(2, k) = 0;
    for (int i = 3; i <= m + 2; ++i)
      g.Tab(i, k) = i == r ? s : 0;
  }

  const int last = g.NColsPlus2;
  for (int i = 3; i <= m + 2; ++i) {
    if (g.Tab(i, g.NColsPlus2) != 1) continue;
    for (int j = 1; j <= last; ++j)
      g.Tab(i, j) = -g.Tab(i, j);
  }
  g.NArtificial1 = 0;
  g.NArtificial2 = 0;
}

void ApplyTypedBigM(double typedM) {
  for (int j = 1; j <= g.NCols; ++j) {
    if (g.ColNames(j).rfind('R', 0) != 0) continue;
    g.BigM = typedM;
    g.Cost(j) = g.ObjSense * g.BigM;
    g.Tab(2, j) = g.Cost(j);
  }
}

bool BigMFitsData(double typedM) {
  const int rhs = g.NColsPlus1;
  for (int j = 1; j <= rhs; ++j) {
    if (j > g.NCols && j != rhs) continue;
    if (j <= g.NCols && g.ColNames(j).rfind('R', 0) == 0) continue; // its cost is M itself
    double size = j == rhs ? 0 : std::fabs(g.Tab(2, j));
    for (int i = 3; i <= g.MRows + 2; ++i)
      size += std::fabs(g.Tab(i, j));
    if (!std::isfinite(typedM * size)) return false;
  }
  return true;
}

} // namespace quon
