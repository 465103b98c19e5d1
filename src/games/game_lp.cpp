#include "games/game_lp.h"

#include <cmath>
#include <string>

#include "linear/lp_model.h"
#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {

void BuildGameLP(const GridStore &grid) {
  // The sizes are those of the grid being read, so the arrays always match its cells.
  const int m = grid.Rows() - 1;
  const int n = grid.Cols() - 1;
  g.GameRows = static_cast<int16>(m);
  g.GameCols = static_cast<int16>(n);

  g.DataChanged = 0;
  g.MRows = static_cast<int16>(n + 1);
  g.NVars = static_cast<int16>(m + 1);
  g.LPMethod = 0;
  g.TypeCol = static_cast<int16>(g.NVars + 1);
  g.RHSInCol = static_cast<int16>(g.NVars + 2);
  g.LastConstrRow = static_cast<int16>(g.MRows + 2);
  g.ZValue = 0;
  g.LBRow = static_cast<int16>(g.MRows + 3);
  g.UBRow = static_cast<int16>(g.MRows + 4);
  g.FreeVarRow = static_cast<int16>(g.MRows + 5);
  ReDimProblemArrays(ArrayKind::LPFirstStage);

  auto both = [](int r, int c, double v) {
    g.LPData(r, c) = v;
    g.Tab(r, c) = v;
  };

  g.ObjSense = -1;
  g.ObjSenseSaved = -1;
  both(2, 1, 1);

  for (int r = 3; r <= g.LastConstrRow - 1; ++r) {
    both(r, g.RHSInCol, 0);
    for (int c = 2; c <= g.NVars; ++c) {
      g.MsgText = grid.TextMatrix(c - 1, r - 2);
      both(r, c, -Val(g.MsgText));
    }
  }
  for (int r = 3; r <= g.LastConstrRow - 1; ++r)
    both(r, 1, 1);

  both(g.LastConstrRow, g.RHSInCol, 1);
  for (int c = 2; c <= g.NVars; ++c)
    both(g.LastConstrRow, c, 1);

  for (int c = 2; c <= g.NVars; ++c)
    both(g.LBRow, c, 0);
  both(g.LBRow, 1, -kLPInfinity);
  g.NBoundA = 0;
  g.NUpperBounded = 0;
  for (int c = 1; c <= g.NVars; ++c)
    both(g.UBRow, c, kLPInfinity);

  g.NFreeVars = 1;
  for (int c = 2; c <= g.NVars; ++c)
    both(g.FreeVarRow, c, 0);
  both(g.FreeVarRow, 1, 1);

  g.NArtificial1 = 0;
  g.NArtificial2 = 0;
  for (int k = 1; k <= n; ++k)
    g.ConstrType(k) = "<";
  g.ConstrType(g.MRows) = "=";
  for (int r = 3; r <= g.LastConstrRow; ++r) {
    if (g.ConstrType(r - 2).str() == "<") {
      both(r, g.TypeCol, -1);
    } else {
      ++g.NArtificial2;
      both(r, g.TypeCol, 0);
    }
  }

  g.NColsPlus1 = static_cast<int16>(g.NArtificial1 + g.NVars + g.MRows + 1);
  g.NCols = static_cast<int16>(g.NColsPlus1 - 1);
  g.NColsPlus2 = static_cast<int16>(g.NColsPlus1 + 1);
  ReDimProblemArrays(ArrayKind::LPSecondStage);

  for (int k = 2; k <= g.NCols; ++k)
    g.ColKind2(k) = "";
  g.ColKind2(1) = "+";

  for (int k = g.NVars + 1; k <= g.NCols; ++k) {
    g.Tab(g.UBRow, k) = kLPInfinity;
    g.Tab(g.FreeVarRow, k) = 0;
  }

  // The relation code and right-hand side move out of the input columns before those
  // columns become the slack and artificial columns.
  for (int r = 3; r <= g.MRows + 2; ++r) {
    const double code = std::nearbyint(g.Tab(r, g.TypeCol));
    g.Tab(r, g.NColsPlus2) = code;
    g.Tab(r, g.NColsPlus1) = g.Tab(r, g.RHSInCol);
    for (int c = g.TypeCol; c <= g.NCols; ++c)
      g.Tab(r, c) = 0;
    const int k = g.NVars + r - 2 + g.NArtificial1;
    g.Tab(r, k) = 1;
    g.ColNames(k) = (code >= 0 ? "Rx" : "sx") + std::to_string(k);
  }
}

} // namespace quon
