#include "linear/sensitivity.h"

#include <cmath>
#include <string>

#include "linear/lp_model.h"
#include "shell/helpers.h"
#include "shell/mod1.h"

namespace quon {

namespace {

struct Range {
  double lo;
  double hi;
  void Raise(double r) { lo = VarMax(lo, r); }
  void Lower(double r) { hi = VarMin(hi, r); }
};

RangeEnds EndsAround(double base, const Range &r) {
  return {base + r.lo, base + r.hi};
}

// The solved row of constraint r is the typed row times -1: under the dual simplex every
// ">" row is turned around, under the other methods every row whose right-hand side was
// negative.
bool RowMirrored(int r) {
  if (g.LPMethod == 5) return g.ConstrType(r).str() == ">";
  return g.TabBackup(r, 0) == -1;
}

// The column stands for the variable turned around: its complement at the upper bound, or
// the negative of an unrestricted variable.
bool ColumnMirrored(int j) {
  return g.ColKind(j) == "U" || g.ColKind2(j) == "-";
}

// A column that may change sign: it is bounded on neither side, so it never ends a range by
// reaching a bound, and at zero reduced cost it enters whichever way its cost moves.
bool FreeColumn(int k) {
  return g.Tab(g.FreeVarRow, k) == 1;
}

// An artificial column still basic at the optimum stands at 0 and must stay there, or the
// typed row it stands for is no longer met: it limits a range from both sides.
bool ArtificialColumn(int k) {
  const std::string &name = g.ColNames(k);
  return !name.empty() && name[0] == 'R';
}

double BasicUpperBound(int k) {
  return ArtificialColumn(k) ? 0 : g.Tab(g.UBRow, k);
}

void ObjectiveRange(int j, Range &rg) {
  const bool mirrored = ColumnMirrored(j);
  if (g.NonBasicMark(j) == 0) {
    int pos = 0;
    for (int i = 1; i <= g.MRows && pos == 0; ++i)
      if (g.BasisList(i) == j) pos = i;
    if (pos > 0)
      for (int k = 1; k <= g.NCols; ++k) {
        if (g.NonBasicMark(k) == 0 || ArtificialColumn(k)) continue;
        const double a = g.Tableau(pos + 2, k);
        if (a == 0) continue;
        if (FreeColumn(k)) {
          rg.lo = 0;
          rg.hi = 0;
          continue;
        }
        const double r = -g.RedCost(k) / a;
        if (r < 0)
          rg.Raise(r);
        else if (r > 0)
          rg.Lower(r);
        else if (g.ObjSense * a < 0)
          rg.lo = 0;
        else
          rg.hi = 0;
      }
    if (mirrored) rg = Range{-rg.hi, -rg.lo};
    return;
  }
  if (FreeColumn(j)) {
    rg.lo = 0;
    rg.hi = 0;
    return;
  }
  const double d = g.RedCost(j);
  if (d > 0) {
    if (mirrored)
      rg.lo = -d;
    else
      rg.hi = d;
  } else if (d < 0) {
    if (mirrored)
      rg.hi = -d;
    else
      rg.lo = d;
  } else if ((g.ObjSense == -1) == mirrored) {
    rg.lo = 0;
  } else {
    rg.hi = 0;
  }
}

void RightHandSideRange(int r, bool bounded, Range &rg) {
  const bool mirrored = RowMirrored(r);
  for (int i = 1; i <= g.MRows; ++i) {
    const double a = g.BInv(i, r);
    const double x = g.XBasic(i);
    if (a == 0 || FreeColumn(g.BasisList(i))) continue;
    const double u = BasicUpperBound(g.BasisList(i));
    const bool withU = ArtificialColumn(g.BasisList(i)) || (bounded && std::isfinite(u));
    if (!mirrored) {
      if (a > 0) {
        rg.Raise(-x / a);
        if (withU) rg.Lower((u - x) / a);
      } else {
        rg.Lower(-x / a);
        if (withU) rg.Raise((u - x) / a);
      }
    } else if (a < 0) {
      rg.Raise(x / a);
      if (withU) rg.Lower((x - u) / a);
    } else {
      rg.Lower(x / a);
      if (withU) rg.Raise((x - u) / a);
    }
  }
}

// The bound of a non-basic column moves the basic values along its tableau column.
void BoundRangeAlongColumn(int c, bool complement, Range &rg) {
  for (int i = 1; i <= g.MRows; ++i) {
    const double a = g.Tableau(i + 2, c);
    if (a == 0 || FreeColumn(g.BasisList(i))) continue;
    const double x = g.XBasic(i);
    const double u = BasicUpperBound(g.BasisList(i));
    const bool withU = std::isfinite(u);
    if (complement) {
      if (a < 0) {
        rg.Lower(-x / a);
        if (withU) rg.Raise((u - x) / a);
      } else {
        rg.Raise(-x / a);
        if (withU) rg.Lower((u - x) / a);
      }
    } else if (a > 0) {
      rg.Lower(x / a);
      if (withU) rg.Raise((x - u) / a);
    } else {
      rg.Raise(x / a);
      if (withU) rg.Lower((x - u) / a);
    }
  }
}

RangeEnds BoundRange(int index, int variable) {
  const bool basic = variable < 0;
  const int c = basic ? g.BasisList(-variable) : variable;
  const double x = basic ? g.XBasic(-variable) : 0;
  const double uc = g.Tab(g.UBRow, c);
  const double lower = g.LPData(g.LBRow, c);
  const double upper = g.LPData(g.UBRow, c);
  const bool free = g.LPData(g.FreeVarRow, c) != 0;
  Range rg{-kLPInfinity, kLPInfinity};
  double base = 0;
  int ranged = 0; // 1: the lower bound, 2: the upper bound
  if (g.ColKind(c) == "U") {
    ranged = index == 1 || index == 2 ? index : 0;
    if (index == 1) {
      base = lower;
      if (!free) rg.lo = -base;
      rg.hi = basic ? uc - x : uc;
    } else if (index == 2) {
      base = upper;
      if (basic)
        rg.lo = -x;
      else
        BoundRangeAlongColumn(c, true, rg);
    }
  } else if (g.BoundLabel(c) == "L") {
    ranged = index == 1 || index == 2 ? index : 0;
    if (index == 1) {
      base = lower;
      if (!free) rg.lo = -base;
      if (basic)
        rg.hi = x;
      else
        BoundRangeAlongColumn(c, false, rg);
    } else if (index == 2) {
      base = upper;
      rg.lo = basic ? x - uc : -uc;
    }
  } else if (lower == 0 && std::isfinite(upper)) {
    ranged = 2;
    base = upper;
    rg.lo = basic ? x - uc : -base;
  }
  // Past the other bound the problem has no feasible solution: an upper bound never falls
  // below a finite lower bound, nor a lower bound rises above a finite upper bound.
  if (ranged == 2 && std::isfinite(lower)) rg.Raise(lower - base);
  if (ranged == 1 && std::isfinite(upper)) rg.Lower(upper - base);
  // A bound of a variable that must stay non-negative is never ranged below 0.
  if (std::isfinite(rg.lo) && !free && base + rg.lo < 0) rg.lo = -base;
  return EndsAround(base, rg);
}

} // namespace

void ComputeFinalTableau() {
  const int m = g.MRows;
  for (int r = 3; r <= m + 2; ++r)
    for (int c = 1; c <= g.NColsPlus1; ++c) {
      double s = 0;
      for (int k = 1; k <= m; ++k)
        s += g.BInv(r - 2, k) * g.Tab(k + 2, c);
      g.Tableau(r, c) = std::fabs(s) < 1E-8 ? 0 : s;
    }
}

RangeEnds SensitivityRange(int mode, int index, int variable) {
  Range rg{-kLPInfinity, kLPInfinity};
  switch (mode) {
  case 0:
    ObjectiveRange(variable, rg);
    return EndsAround(g.Cost(variable), rg);
  case 1:
  case 2:
    RightHandSideRange(index, mode == 2, rg);
    return EndsAround(g.LPData(index + 2, g.RHSInCol), rg);
  case 3:
    return BoundRange(index, variable);
  default:
    return {std::nan(""), std::nan("")};
  }
}

int DualPriceSign(int r) {
  return RowMirrored(r) ? -1 : 1;
}

} // namespace quon
