// A solve rewrites the standard form in place (bound and sign flips, costs, marks), so the
// model as built is saved once and put back before every later solve of the same problem.
#include "linear/lp_model.h"
#include "shell/mod1.h"

namespace quon {

namespace {

void CopyModelRows(BArray<double> &tabTo, const BArray<double> &tabFrom, BArray<double> &dataTo,
                   const BArray<double> &dataFrom) {
  const int lastRow = g.MRows + 5;
  // Column 0 of the saved Tab holds the constraint sign marks, which no copy touches.
  for (int i = 2; i <= lastRow; ++i)
    for (int j = 1; j <= g.NColsPlus2; ++j)
      tabTo(i, j) = tabFrom(i, j);
  for (int i = 0; i <= lastRow; ++i)
    for (int j = 0; j <= g.NVars + 2; ++j)
      dataTo(i, j) = dataFrom(i, j);
}

} // namespace

void BackupLPModel() {
  g.LPSavedInt = g.NArtificial1;
  g.SavedVariant = g.NArtificial2;
  g.NBoundASaved = g.NBoundA;
  g.NUpperBoundedSaved = g.NUpperBounded;
  g.NFreeVarsSaved = g.NFreeVars;
  g.NColsSaved = g.NCols;
  for (int j = 1; j <= g.NCols; ++j) {
    g.ColNames2(j) = g.ColNames(j);
    g.BoundLabelSaved(j) = g.BoundLabel(j);
    g.ColKindSaved(j) = g.ColKind(j);
    g.ColKind2Saved(j) = g.ColKind2(j);
  }
  CopyModelRows(g.TabBackup, g.Tab, g.LPDataBackup, g.LPData);
}

void RestoreLPModel() {
  g.NArtificial2 = static_cast<int16>(g.SavedVariant);
  g.NArtificial1 = g.LPSavedInt;
  g.NUpperBounded = g.NUpperBoundedSaved;
  g.NFreeVars = g.NFreeVarsSaved;
  g.NBoundA = g.NBoundASaved;
  g.NCols = g.NColsSaved;
  g.NColsPlus1 = static_cast<int16>(g.NCols + 1);
  g.NColsPlus2 = static_cast<int16>(g.NCols + 2);

  // The per-column arrays are made afresh as after the first branch-and-bound run: the saved
  // copies themselves must survive.
  const int16 runState = g.IPRunState;
  g.IPRunState = 1;
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  g.IPRunState = runState;

  for (int j = 1; j <= g.NCols; ++j) {
    g.ColNames(j) = g.ColNames2(j);
    g.BoundLabel(j) = g.BoundLabelSaved(j);
    g.ColKind(j) = g.ColKindSaved(j);
    g.ColKind2(j) = g.ColKind2Saved(j);
  }
  CopyModelRows(g.Tab, g.TabBackup, g.LPData, g.LPDataBackup);
}

} // namespace quon
