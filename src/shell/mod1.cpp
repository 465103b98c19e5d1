#include "shell/mod1.h"

#include <cmath>

namespace quon {

Mod1 g;

void InitGlobals(int screenWidthTwips, int screenHeightTwips) {
  // The popup position is tied to the two supported settings; 9000 and 11520 are their
  // heights, so the real height does not enter here.
  if (screenWidthTwips == 12000) {
    g.HalfScreenW = 6000;
    g.PopupBaseY = static_cast<int16>(std::lround(9000 / 3.3));
  } else if (screenWidthTwips == 15360) {
    g.HalfScreenW = 7680;
    g.PopupBaseY = static_cast<int16>(std::lround(11520 / 3.3));
  }
  g.GridScrollPos = 0;
  g.GraphFirstPaintDone = 0;
  g.EditorFlag2 = 0;
  g.TableauCount = 0;
  g.Phase = 0;
  g.LPMethod = 0;
  g.GridReadyFlag = 0;
  g.AspectRatio = screenHeightTwips != 0 ? static_cast<double>(screenWidthTwips) / screenHeightTwips : 0.0;
  g.LpSolveMode = 0;
  g.EditorFlag = 0;
  g.GridFromFile = 0;
  g.TitleSuppress = 0;
  g.Determinant = 0.0;
  g.Eps = 1E-08;
  g.Infinity = 999999;
  g.BigM = 100;
  g.SelState = 0;
  g.NewProblemMark = 0;
  g.SymmetricNet = 0;
  g.OutputOption = 0;
  g.FinalIteration = 0;
  g.InputMode = 2;
  g.NumFormatType = 1;
  g.NumDigitsN = 5;
  g.NumDigitsD = 2;
  g.NumDigitsNSaved = 5;
  g.NumDigitsDSaved = 2;
  g.ModelTitle = {"",
                  "MATRIX INVERSION",
                  "SIMULTANOUS LINEAR EQUATIONS",
                  "LINEAR PROGRAMMING",
                  "TRANSPORTATION MODEL",
                  "INTEGER PROGRAMMING",
                  "QUEUEING MODELS",
                  "NETWORK MODELS",
                  "PROJECT PLANNING -- PERT/CPM",
                  "DECISION ANALYSIS USING GAMES",
                  "INVENTORY MODELS",
                  "SIMULATION"};
}

namespace {

void ReDimTransport(int m, int n) {
  g.InvPerm.ReDim(m);
  g.InvRowScale.ReDim(m);
  g.InvInput.ReDim(m + 1, m);
  g.BInv.ReDim(m, m);
  g.InvWorkCol.ReDim(m);
  g.WorkCol.ReDim(m);
  g.VarNames.ReDim(n);
  g.LPRowWork.ReDim(m);
  g.BasisList.ReDim(m);
  g.XBasic.ReDim(m);
  g.AlphaCol.ReDim(m);
  g.CostB.ReDim(m);
  g.Duals.ReDim(m + 1);
  g.BasisMat.ReDim(m, m);
  g.Cost.ReDim(n);
  g.RedCost.ReDim(n);
  g.DualWords.ReDim(m + 1, 2);
  g.RedCostWords.ReDim(n, 2);
  g.XSol.ReDim(n);
  g.NonBasicMark.ReDim(n);
  g.TransSupply.ReDim(g.TransSources);
  g.SourceName.ReDim(g.TransSources);
  g.TransDemand.ReDim(g.TransDests);
  g.DestName.ReDim(g.TransDests);
}

void ReDimProject(int n, int gridRows) {
  const int last = gridRows - 1;
  g.ActSymbol.ReDim(last);
  g.ArcDur.ReDim(n, n);
  if (g.ProjMethod == 1) {
    g.EarlyTime.ReDim(n);
    g.SchedStart.ReDim(n);
    g.LateTime.ReDim(n);
    g.NetMatrix.ReDim(last, 4);
    g.ColHeads.ReDim(7);
  } else if (g.ProjMethod == 2) {
    g.EarlyTime.ReDim(n);
    g.NetMatrix.ReDim(last, 6);
    g.ArcVar.ReDim(n, n);
    g.PredPath.ReDim(n, n);
  }
}

void ReDimLPFirstStage(int m, int n) {
  // Integer programs carry one more data row: the integer flags.
  const int r = g.ModelClass == ModelClassCode::IntegerProgramming ? m + 6 : m + 5;
  g.InvPerm.ReDim(m);
  g.VarNames.ReDim(n);
  g.ConstrType.ReDim(m);
  g.LPRowWork.ReDim(m);
  g.BasisList.ReDim(m);
  g.GraphDrawn.ReDim(m);
  g.SurplusMap.ReDim(2, m);
  g.WorkCol.ReDim(m);
  g.XBasic.ReDim(m);
  g.AlphaCol.ReDim(m);
  g.CostB.ReDim(m);
  g.Duals.ReDim(m);
  g.BasisMat.ReDim(m, m);
  g.Tab.ReDim(r, 2 * m + n + 2);
  g.TabBackup.ReDim(r, 2 * m + n + 2);
  g.LPData.ReDim(r, n + 2);
  g.LPDataBackup.ReDim(r, n + 2);
}

void ReDimLPSecondStage(int m, int c) {
  // The copies taken before the first branch-and-bound run must outlive the later runs.
  if (g.IPRunState == 0) {
    g.ColNames2.ReDim(c);
    g.BoundLabelSaved.ReDim(c);
    g.ColKindSaved.ReDim(c);
    g.ColKind2Saved.ReDim(c);
  }
  g.ColNames.ReDim(c);
  g.ColKind.ReDim(c);
  g.BoundLabel.ReDimPreserve(c);
  g.ColKind2.ReDim(c);
  g.Cost.ReDim(c);
  g.RedCost.ReDim(c);
  g.XSol.ReDim(c);
  g.NonBasicMark.ReDim(c);
  g.Tableau.ReDim(m + 4, g.NColsPlus1);
}

} // namespace

void ReDimProblemArrays(ArrayKind kind, int inputGridRows) {
  const int m = g.MRows;
  const int n = g.NVars;
  const int nodes = g.NodeCount;

  g.InvRowScale.ReDim(m);
  g.InvInput.ReDim(m, m + 1);
  g.BInv.ReDim(m + 1, m + 1);
  g.InvWorkCol.ReDim(m);

  switch (kind) {
  case ArrayKind::EditBuffers:
    g.UndoBufCol.ReDim(100);
    g.UndoBufRow.ReDim(100);
    g.CopyBuf.ReDim(100);
    break;
  case ArrayKind::Common:
    g.XBasic.ReDim(m + 1);
    g.Tab.ReDim(m + 1, m + 1);
    g.ColNames.ReDim(m + 1);
    g.ColNames2.ReDim(m + 1);
    g.InvPerm.ReDim(m + 1);
    break;
  case ArrayKind::Transportation:
    ReDimTransport(m, n);
    break;
  case ArrayKind::Networks:
    g.Cost.ReDim(nodes * nodes);
    g.VarNames.ReDim(nodes);
    g.ArcMatrix.ReDim(nodes, nodes);
    break;
  case ArrayKind::Projects:
    ReDimProject(nodes, inputGridRows);
    break;
  case ArrayKind::LPFirstStage:
    ReDimLPFirstStage(m, n);
    break;
  case ArrayKind::LPSecondStage:
    ReDimLPSecondStage(m, g.NCols);
    break;
  case ArrayKind::BranchAndBound:
    g.NodeIds.ReDim(0);
    g.NodeBounds.ReDim(0);
    g.NodeX.ReDim(0);
    g.NodeZ.ReDim(0);
    g.LevelCount.ReDim(0);
    break;
  case ArrayKind::SpanningTree:
    g.TreeNodes.ReDim(nodes);
    g.InTree.ReDim(nodes);
    break;
  case ArrayKind::Dijkstra:
    g.DijkstraPred.ReDim(nodes);
    g.DijkstraDist.ReDim(nodes);
    g.ChangedCells.ReDim(0, 0);
    break;
  case ArrayKind::Floyd:
    g.NetMatrix.ReDim(nodes, nodes);
    g.NetMatrix2.ReDim(nodes, nodes);
    g.ChangedCells.ReDim(2, nodes);
    break;
  case ArrayKind::MaxFlow:
    g.NetMatrix.ReDim(nodes, nodes);
    g.NetMatrix2.ReDimRange(1, 2, 0, nodes);
    g.ChangedCells.ReDim(2, nodes);
    g.LPData.ReDim(nodes, nodes);
    break;
  default:
    break;
  }
}

void EraseProblemArrays() {
  // The queueing input dimensions its arrays afresh, and ColKind2Saved must survive a
  // return to the MAIN menu, so those stay.
  for (auto *a :
       {&g.InvRowScale, &g.InvWorkCol, &g.InvInput, &g.BInv, &g.XBasic,     &g.WorkCol,  &g.AlphaCol,
        &g.CostB,       &g.Duals,      &g.BasisMat, &g.Tab,  &g.TabBackup,  &g.LPData,   &g.LPDataBackup,
        &g.Tableau,     &g.Cost,       &g.RedCost,  &g.XSol, &g.NodeBounds, &g.ArcMatrix, &g.BBVal})
    a->Erase();
  for (auto *a : {&g.InvPerm, &g.LPRowWork, &g.BasisList, &g.GraphDrawn, &g.SurplusMap, &g.NonBasicMark,
                  &g.NodeIds, &g.LevelCount, &g.TreeNodes, &g.InTree, &g.DijkstraPred, &g.NetMatrix2,
                  &g.PredPath, &g.BBNodeInfo, &g.BBVar})
    a->Erase();
  g.ChangedCells.Erase();
  for (auto *a : {&g.ColNames, &g.ColNames2, &g.ColKind, &g.ColKind2, &g.BoundLabel, &g.BoundLabelSaved,
                  &g.ColKindSaved, &g.SourceName, &g.DestName, &g.UndoBufRow, &g.UndoBufCol, &g.CopyBuf,
                  &g.ActSymbol, &g.ColHeads, &g.BBNodeText})
    a->Erase();
  g.TransSupply.Erase();
  g.TransDemand.Erase();
  g.DualWords.Erase();
  g.RedCostWords.Erase();
  g.NodeX.Erase();
  g.NodeZ.Erase();
  for (auto *a : {&g.DijkstraDist, &g.NetMatrix, &g.ArcDur, &g.ArcVar, &g.EarlyTime, &g.LateTime,
                  &g.SchedStart, &g.ActFloat})
    a->Erase();
  g.VarNames.Erase();
  g.ConstrType.Erase();
}

} // namespace quon
