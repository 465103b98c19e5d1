#include <cmath>
#include <string>

#include "linear/lp_model.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {

namespace {

// x = U - y with y >= 0 for a variable bounded only from above: the column and its cost turn
// around, the right-hand sides lose U times the column, and the objective gathers c U. The
// column is carried in the "-" orientation for good and never changes sign.
void ReflectFromUpperBound(int j) {
  const double u = g.Tab(g.UBRow, j);
  g.BoundLabel(j) = "U";
  g.LBShiftSum = g.LBShiftSum + g.Tab(2, j) * u;
  g.ObjShift = g.LBShiftSum;
  for (int i = 3; i <= g.MRows + 2; ++i) {
    g.Tab(i, g.RHSInCol) = g.Tab(i, g.RHSInCol) - g.Tab(i, j) * u;
    g.Tab(i, j) = -g.Tab(i, j);
  }
  g.Tab(2, j) = -g.Tab(2, j);
  g.Tab(g.UBRow, j) = kLPInfinity;
  g.Tab(g.LBRow, j) = 0;
  g.Tab(g.FreeVarRow, j) = 0;
}

// Sign rule: a constraint row with a negative right-hand side is multiplied by -1
// (coefficients, relation code and right-hand side) and marked in TabBackup column 0.
void NegateConstraint(int r) {
  const int i = r + 2;
  g.TabBackup(r, 0) = -1;
  for (int j = 1; j <= g.RHSInCol; ++j)
    g.Tab(i, j) = -g.Tab(i, j);
}

} // namespace

void BuildLPStandardForm(const GridStore &grid1) {
  g.IPRunState = 0;
  g.DataChanged = 0;
  g.LPMethod = 0;
  g.ZValue = 0;
  g.ObjShift = 0;
  g.InputErrorIndex = 0;
  g.NBoundA = 0;
  g.NUpperBounded = 0;
  g.NFreeVars = 0;
  g.NArtificial1 = 0;
  g.NArtificial2 = 0;

  const bool integer = g.ModelClass == ModelClassCode::IntegerProgramming;
  const int m = grid1.Rows() - (integer ? 7 : 6);
  const int n = grid1.Cols() - 3;
  g.MRows = static_cast<int16>(m);
  g.NVars = static_cast<int16>(n);
  g.TypeCol = static_cast<int16>(n + 1);
  g.RHSInCol = static_cast<int16>(n + 2);
  g.LastConstrRow = static_cast<int16>(m + 2);
  g.LBRow = static_cast<int16>(m + 3);
  g.UBRow = static_cast<int16>(m + 4);
  g.FreeVarRow = static_cast<int16>(m + 5);
  ReDimProblemArrays(ArrayKind::LPFirstStage);

  g.ObjSense = grid1.TextMatrix(2, 0) == "Minimize" ? 1 : -1;
  g.ObjSenseSaved = g.ObjSense;

  for (int i = 2; i <= m + 2; ++i) {
    const double rhs = Val(grid1.TextMatrix(i, n + 2));
    g.Tab(i, g.RHSInCol) = rhs;
    g.LPData(i, g.RHSInCol) = rhs;
    int zeros = 0;
    for (int j = 1; j <= n; ++j) {
      const double a = Val(grid1.TextMatrix(i, j));
      g.LPData(i, j) = a;
      g.Tab(i, j) = a;
      if (a == 0) ++zeros;
    }
    if (i > 2 && zeros == n) {
      g.InputErrorIndex = static_cast<int16>(i - 2);
      return;
    }
  }

  const int lbRow = g.LBRow, ubRow = g.UBRow, freeRow = g.FreeVarRow;
  for (int j = 1; j <= n; ++j) {
    const std::string &cell = grid1.TextMatrix(lbRow, j);
    const double lb = cell == "-infinity" ? -kLPInfinity : Val(cell);
    g.LPData(lbRow, j) = lb;
    g.Tab(lbRow, j) = lb;
    g.LPData(0, j) = lb;
  }
  for (int j = 1; j <= n; ++j)
    if (g.LPData(lbRow, j) > 0) ++g.NBoundA;

  for (int j = 1; j <= n; ++j) {
    const std::string &cell = grid1.TextMatrix(ubRow, j);
    double ub = kLPInfinity;
    if (cell != "infinity") {
      ub = Val(cell);
      ++g.NUpperBounded;
    }
    g.Tab(ubRow, j) = ub;
    g.LPData(ubRow, j) = ub;
    g.LPData(1, j) = ub;
    if (ub < g.LPData(lbRow, j)) {
      g.InputErrorIndex = static_cast<int16>(-j);
      return;
    }
  }

  bool anyShift = false;
  for (int j = 1; j <= n; ++j) {
    g.VarNames(j) = grid1.TextMatrix(1, j);
    const bool typedFree = grid1.TextMatrix(freeRow, j) == "y";
    if (typedFree) ++g.NFreeVars;
    g.LPData(freeRow, j) = typedFree ? 1 : 0;
    // A variable with a finite lower bound is shifted to start at 0 like any other, so it is
    // not carried with a switchable sign; the typed "y" stays in LPData for the reports. One
    // without a lower bound has none, whatever its flag says (a flag "n" must not bring the
    // bound 0 back); with a finite upper bound it is carried as U - x instead.
    const bool finiteLower = std::isfinite(g.LPData(lbRow, j));
    const bool finiteUpper = std::isfinite(g.LPData(ubRow, j));
    g.Tab(freeRow, j) = finiteLower || finiteUpper ? 0 : 1;
    if ((finiteLower && g.LPData(lbRow, j) != 0) || (!finiteLower && finiteUpper)) anyShift = true;
  }

  if (integer) {
    g.IntRow = static_cast<int16>(m + 6);
    for (int j = 1; j <= n; ++j) {
      const double flag = grid1.TextMatrix(g.IntRow, j) == "y" ? 1 : 0;
      g.Tab(g.IntRow, j) = flag;
      g.LPData(g.IntRow, j) = flag;
    }
  }

  // Every finite non-zero lower bound is shifted, negative ones included: the solution adds
  // each of them back, so each must have been taken out.
  if (anyShift) SubstituteLowerBounds();

  for (int r = 1; r <= m; ++r) {
    std::string rel = Trim(grid1.TextMatrix(r + 2, n + 1));
    // The editor admits only "<=", ">=" and "="; anything else is read as the default "<=".
    if (rel.empty() || (rel[0] != '<' && rel[0] != '>' && rel[0] != '=')) rel = "<";
    g.ConstrType(r) = rel.substr(0, 1);
  }

  for (int r = 1; r <= m; ++r) {
    const int i = r + 2;
    const char t = g.ConstrType(r).str()[0];
    const bool negative = g.Tab(i, g.RHSInCol) < 0;
    if (t == '<') {
      g.Tab(i, g.TypeCol) = -1;
      g.LPData(i, g.TypeCol) = -1;
      if (negative) {
        NegateConstraint(r);
        ++g.NArtificial1;
      }
    } else if (t == '=') {
      ++g.NArtificial2;
      g.Tab(i, g.TypeCol) = 0;
      g.LPData(i, g.TypeCol) = 0;
      if (negative) NegateConstraint(r);
    } else {
      g.Tab(i, g.TypeCol) = 1;
      g.LPData(i, g.TypeCol) = 1;
      if (negative)
        NegateConstraint(r);
      else
        ++g.NArtificial1;
    }
  }

  g.NCols = static_cast<int16>(n + g.NArtificial1 + m);
  g.NColsPlus1 = static_cast<int16>(g.NCols + 1);
  g.NColsPlus2 = static_cast<int16>(g.NCols + 2);
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  for (int j = 1; j <= g.NCols; ++j)
    g.ColKind2(j) = "";

  for (int j = 1; j <= g.NCols; ++j) {
    if (j <= n) {
      g.ColNames(j) = "x" + std::to_string(j);
    } else {
      g.Tab(ubRow, j) = kLPInfinity;
      g.Tab(freeRow, j) = 0;
    }
  }
  for (int j = 1; j <= n; ++j) {
    if (g.Tab(freeRow, j) == 1) g.ColKind2(j) = "+";
    if (g.BoundLabel(j) == "U") g.ColKind2(j) = "-";
  }

  // The objective row's right-hand-side cell is read like the others; it must not become the
  // cost of whatever added column lands in its place.
  for (int j = g.TypeCol; j <= g.NCols; ++j)
    g.Tab(2, j) = 0;

  AddSlackAndArtificialColumns();
  BackupLPModel();
}

void AddSlackAndArtificialColumns() {
  const int m = g.MRows;
  const int n = g.NVars;
  int k = 0;
  for (int r = 1; r <= m; ++r) {
    const int i = r + 2;
    const int t = static_cast<int>(std::lround(g.Tab(i, g.TypeCol)));
    // These two first: the added columns overwrite the input layout's type and RHS columns.
    g.Tab(i, g.NColsPlus2) = t;
    g.Tab(i, g.NColsPlus1) = g.Tab(i, g.RHSInCol);
    for (int j = g.TypeCol; j <= g.NCols; ++j)
      g.Tab(i, j) = 0;
    if (t == 1) {
      ++k;
      g.Tab(i, n + k) = -1;
      g.ColNames(n + k) = "Sx" + std::to_string(n + k);
    }
    const int c = n + g.NArtificial1 + r;
    g.Tab(i, c) = 1;
    g.ColNames(c) = "sx" + std::to_string(c);
    if (t >= 0) {
      g.Tab(2, c) = g.ObjSense * g.BigM;
      g.ColNames(c) = "Rx" + std::to_string(c);
    }
  }
}

void SubstituteLowerBounds() {
  g.LBShiftSum = 0;
  g.BoundLabel.ReDim(g.NVars);
  for (int j = 1; j <= g.NVars; ++j) {
    const double lb = g.Tab(g.LBRow, j);
    g.BoundLabel(j) = "";
    if (!std::isfinite(lb) && std::isfinite(g.Tab(g.UBRow, j))) {
      ReflectFromUpperBound(j);
      continue;
    }
    if (!std::isfinite(lb) || lb == 0) continue;
    g.BoundLabel(j) = "L";
    g.LBShiftSum = g.LBShiftSum + g.Tab(2, j) * lb;
    g.ObjShift = g.LBShiftSum;
    for (int i = 3; i <= g.MRows + 2; ++i)
      g.Tab(i, g.RHSInCol) = g.Tab(i, g.RHSInCol) - g.Tab(i, j) * lb;
    if (std::isfinite(g.Tab(g.UBRow, j))) {
      g.Tab(g.UBRow, j) = g.Tab(g.UBRow, j) - lb;
      g.Tab(g.LBRow, j) = 0;
    }
  }
}

} // namespace quon
