#include <gtest/gtest.h>

#include "shell/helpers.h"
#include "shell/mod1.h"

namespace quon {
namespace {

class Mod1Test : public ::testing::Test {
protected:
  void SetUp() override { g = Mod1{}; }
};

TEST_F(Mod1Test, StartUpValuesOnBothSupportedScreens) {
  InitGlobals(12000, 9000);
  EXPECT_EQ(g.HalfScreenW, 6000);
  EXPECT_EQ(g.PopupBaseY, 2727);
  EXPECT_DOUBLE_EQ(g.AspectRatio, 12000.0 / 9000.0);

  // The popup position ignores the real height.
  g = Mod1{};
  InitGlobals(15360, 9000);
  EXPECT_EQ(g.HalfScreenW, 7680);
  EXPECT_EQ(g.PopupBaseY, 3491);
  EXPECT_DOUBLE_EQ(g.AspectRatio, 15360.0 / 9000.0);

  EXPECT_DOUBLE_EQ(g.Eps, 1E-8);
  EXPECT_DOUBLE_EQ(g.Infinity, 999999);
  EXPECT_DOUBLE_EQ(g.BigM, 100);
  EXPECT_EQ(g.InputMode, 2);
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_EQ(g.NumDigitsN, 5);
  EXPECT_EQ(g.NumDigitsD, 2);
  EXPECT_EQ(g.NumDigitsNSaved, 5);
  EXPECT_EQ(g.NumDigitsDSaved, 2);
  EXPECT_EQ(NumberFormatString(), "####0.00");
}

TEST_F(Mod1Test, OtherWidthsLeaveThePopupPositionZero) {
  for (int w : {11985, 12015, 19200, 0}) {
    g = Mod1{};
    InitGlobals(w, 9000);
    EXPECT_EQ(g.HalfScreenW, 0) << w;
    EXPECT_EQ(g.PopupBaseY, 0) << w;
    EXPECT_EQ(g.NumDigitsN, 5) << w;
  }
  // A zero height must not divide by zero.
  EXPECT_DOUBLE_EQ(g.AspectRatio, 0.0);
}

TEST_F(Mod1Test, StartUpResetsTheScreenStates) {
  g.TableauCount = 7;
  g.LPMethod = 3;
  g.Phase = 2;
  g.GridReadyFlag = 1;
  g.TitleSuppress = 11;
  g.Determinant = 4.5;
  g.SelState = 1;
  g.NewProblemMark = 99;
  g.SymmetricNet = 1;
  g.OutputOption = 2;
  g.FinalIteration = 9;
  g.EditorFlag = g.EditorFlag2 = 1;
  g.GridFromFile = 1;
  g.LpSolveMode = 2;
  InitGlobals(15360, 11520);
  for (int v : {int(g.TableauCount), int(g.LPMethod), int(g.Phase), int(g.GridReadyFlag),
                int(g.TitleSuppress), int(g.SelState), int(g.NewProblemMark), int(g.SymmetricNet),
                int(g.OutputOption), int(g.FinalIteration), int(g.EditorFlag), int(g.EditorFlag2),
                int(g.GridFromFile), int(g.LpSolveMode)})
    EXPECT_EQ(v, 0);
  EXPECT_DOUBLE_EQ(g.Determinant, 0.0);
}

TEST_F(Mod1Test, ModelTitlesByClassCode) {
  InitGlobals(12000, 9000);
  const char *want[] = {"",
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
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(g.ModelTitle[i], want[i]) << i;
}

// Lower and upper bound of a one-dimensional array.
template <class T> std::pair<int, int> Bounds(const BArray<T> &a, int dim = 1) {
  return {a.LBound(dim), a.UBound(dim)};
}
using B = std::pair<int, int>;

TEST_F(Mod1Test, EveryKindRedimensionsTheInversionArraysFromM) {
  g.MRows = 4;
  for (int kind : {-1, 0, 1, 4, 7, 31, 51, 71, 72, 73, 74, 99}) {
    EraseProblemArrays();
    g.NVars = 3;
    g.TransSources = 2;
    g.TransDests = 2;
    g.NodeCount = 3;
    ReDimProblemArrays(static_cast<ArrayKind>(kind));
    EXPECT_EQ(Bounds(g.InvRowScale), B(0, 4)) << kind;
    EXPECT_EQ(Bounds(g.InvWorkCol), B(0, 4)) << kind;
    if (kind != 4) {
      EXPECT_EQ(Bounds(g.InvInput, 1), B(0, 4)) << kind;
      EXPECT_EQ(Bounds(g.InvInput, 2), B(0, 5)) << kind;
      EXPECT_EQ(Bounds(g.BInv, 2), B(0, 5)) << kind;
    }
  }
}

TEST_F(Mod1Test, UnknownKindsTouchOnlyTheInversionArrays) {
  g.MRows = 2;
  for (int kind : {1, 99, -5}) {
    EraseProblemArrays();
    ReDimProblemArrays(static_cast<ArrayKind>(kind));
    EXPECT_FALSE(g.InvInput.Empty());
    EXPECT_TRUE(g.XBasic.Empty()) << kind;
    EXPECT_TRUE(g.Tab.Empty()) << kind;
    EXPECT_TRUE(g.UndoBufRow.Empty()) << kind;
    EXPECT_TRUE(g.Cost.Empty()) << kind;
  }
}

TEST_F(Mod1Test, GridEditingBuffersHold101EntriesWhateverTheSize) {
  g.MRows = 3;
  ReDimProblemArrays(ArrayKind::EditBuffers);
  for (auto *a : {&g.UndoBufCol, &g.UndoBufRow, &g.CopyBuf}) {
    EXPECT_EQ(Bounds(*a), B(0, 100));
    EXPECT_EQ(a->Size(), 101u);
  }
}

TEST_F(Mod1Test, MatrixModelsGetOneMoreThanTheOrder) {
  g.MRows = 3;
  g.NVars = 3;
  ReDimProblemArrays(ArrayKind::Common);
  EXPECT_EQ(Bounds(g.XBasic), B(0, 4));
  EXPECT_EQ(Bounds(g.Tab, 1), B(0, 4));
  EXPECT_EQ(Bounds(g.Tab, 2), B(0, 4));
  EXPECT_EQ(Bounds(g.ColNames), B(0, 4));
  EXPECT_EQ(Bounds(g.ColNames2), B(0, 4));
  EXPECT_EQ(Bounds(g.InvPerm), B(0, 4));
}

TEST_F(Mod1Test, TransportationArrays) {
  // The caller has set M to the basis size m+n-1 and N to the number of cells m*n.
  g.TransSources = 3;
  g.TransDests = 4;
  g.MRows = 6;
  g.NVars = 12;
  ReDimProblemArrays(ArrayKind::Transportation);
  EXPECT_EQ(Bounds(g.InvInput, 1), B(0, 7));
  EXPECT_EQ(Bounds(g.InvInput, 2), B(0, 6));
  EXPECT_EQ(Bounds(g.BInv, 1), B(0, 6));
  EXPECT_EQ(Bounds(g.BInv, 2), B(0, 6));
  EXPECT_EQ(Bounds(g.Duals), B(0, 7));
  EXPECT_EQ(Bounds(g.BasisList), B(0, 6));
  EXPECT_EQ(Bounds(g.WorkCol), B(0, 6));
  EXPECT_EQ(Bounds(g.BasisMat, 2), B(0, 6));
  EXPECT_EQ(Bounds(g.VarNames), B(0, 12));
  EXPECT_EQ(Bounds(g.NonBasicMark), B(0, 12));
  EXPECT_EQ(Bounds(g.XSol), B(0, 12));
  EXPECT_EQ(Bounds(g.TransSupply), B(0, 3));
  EXPECT_EQ(Bounds(g.SourceName), B(0, 3));
  EXPECT_EQ(Bounds(g.TransDemand), B(0, 4));
  EXPECT_EQ(Bounds(g.DestName), B(0, 4));
}

TEST_F(Mod1Test, NetworkDataArrays) {
  g.NodeCount = 5;
  ReDimProblemArrays(ArrayKind::Networks);
  EXPECT_EQ(Bounds(g.Cost), B(0, 25));
  EXPECT_EQ(Bounds(g.VarNames), B(0, 5));
  EXPECT_EQ(Bounds(g.ArcMatrix, 2), B(0, 5));

  // The largest network: 100 x 100 does not overflow.
  g.NodeCount = 100;
  ReDimProblemArrays(ArrayKind::Networks);
  EXPECT_EQ(Bounds(g.Cost), B(0, 10000));
}

TEST_F(Mod1Test, ProjectArraysFollowTheMethodAndTheGridRows) {
  g.NodeCount = 6;
  g.ProjMethod = 1;
  ReDimProblemArrays(ArrayKind::Projects, 9);
  EXPECT_EQ(Bounds(g.ActSymbol), B(0, 8));
  EXPECT_EQ(Bounds(g.ArcDur, 2), B(0, 6));
  EXPECT_EQ(Bounds(g.EarlyTime), B(0, 6));
  EXPECT_EQ(Bounds(g.SchedStart), B(0, 6));
  EXPECT_EQ(Bounds(g.LateTime), B(0, 6));
  EXPECT_EQ(Bounds(g.NetMatrix, 1), B(0, 8));
  EXPECT_EQ(Bounds(g.NetMatrix, 2), B(0, 4));
  EXPECT_EQ(Bounds(g.ColHeads), B(0, 7));
  EXPECT_TRUE(g.ArcVar.Empty());

  EraseProblemArrays();
  g.ProjMethod = 2;
  ReDimProblemArrays(ArrayKind::Projects, 9);
  EXPECT_EQ(Bounds(g.NetMatrix, 2), B(0, 6));
  EXPECT_EQ(Bounds(g.ArcVar, 1), B(0, 6));
  EXPECT_EQ(Bounds(g.PredPath, 2), B(0, 6));
  EXPECT_TRUE(g.SchedStart.Empty());
  EXPECT_TRUE(g.ColHeads.Empty());
}

TEST_F(Mod1Test, LPFirstStageHasOneMoreRowForIntegerPrograms) {
  g.MRows = 3;
  g.NVars = 2;
  for (int cls : {3, 9, 5}) {
    g.ModelClass = static_cast<int16>(cls);
    ReDimProblemArrays(ArrayKind::LPFirstStage);
    const int r = cls == 5 ? 9 : 8;
    for (auto *a : {&g.Tab, &g.TabBackup, &g.LPData, &g.LPDataBackup})
      EXPECT_EQ(a->UBound(1), r) << cls;
    EXPECT_EQ(g.Tab.UBound(2), 2 * 3 + 2 + 2);
    EXPECT_EQ(g.LPData.UBound(2), 4);
  }
  EXPECT_EQ(Bounds(g.SurplusMap, 1), B(0, 2));
  EXPECT_EQ(Bounds(g.SurplusMap, 2), B(0, 3));
  EXPECT_EQ(Bounds(g.ConstrType), B(0, 3));
  EXPECT_EQ(Bounds(g.VarNames), B(0, 2));
  EXPECT_EQ(Bounds(g.Duals), B(0, 3));
}

TEST_F(Mod1Test, LPSecondStageKeepsTheCopiesOnceBranchAndBoundRan) {
  g.MRows = 2;
  g.NCols = 5;
  g.NColsPlus1 = 6;
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  EXPECT_EQ(Bounds(g.Tableau, 1), B(0, 6));
  EXPECT_EQ(Bounds(g.Tableau, 2), B(0, 6));
  EXPECT_EQ(Bounds(g.ColKind2Saved), B(0, 5));
  g.ColNames2(5) = "x5";
  g.ColKindSaved(1) = "int";
  g.BoundLabel(2) = "ub";
  g.ColNames(1) = "gone";

  g.IPRunState = 1;
  g.NCols = 7;
  g.NColsPlus1 = 8;
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  EXPECT_EQ(Bounds(g.ColNames2), B(0, 5));
  EXPECT_EQ(g.ColNames2(5), "x5");
  EXPECT_EQ(g.ColKindSaved(1), "int");
  // BoundLabel grows keeping its entries; the others start afresh.
  EXPECT_EQ(Bounds(g.BoundLabel), B(0, 7));
  EXPECT_EQ(g.BoundLabel(2), "ub");
  EXPECT_EQ(g.BoundLabel(7), "");
  EXPECT_EQ(g.ColNames(1), "");
  EXPECT_EQ(Bounds(g.Cost), B(0, 7));

  g.IPRunState = 0;
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  EXPECT_EQ(Bounds(g.ColNames2), B(0, 7));
  EXPECT_EQ(g.ColNames2(5), "");
}

TEST_F(Mod1Test, NetworkAlgorithmArrays) {
  g.NodeCount = 4;
  ReDimProblemArrays(ArrayKind::BranchAndBound);
  for (auto *a : {&g.NodeIds, &g.LevelCount})
    EXPECT_EQ(Bounds(*a), B(0, 0));
  EXPECT_EQ(Bounds(g.NodeBounds), B(0, 0));
  EXPECT_EQ(Bounds(g.NodeX), B(0, 0));

  ReDimProblemArrays(ArrayKind::SpanningTree);
  EXPECT_EQ(Bounds(g.TreeNodes), B(0, 4));
  EXPECT_EQ(Bounds(g.InTree), B(0, 4));

  ReDimProblemArrays(ArrayKind::Dijkstra);
  EXPECT_EQ(Bounds(g.DijkstraDist), B(0, 4));
  EXPECT_EQ(g.ChangedCells.Size(), 1u);

  ReDimProblemArrays(ArrayKind::Floyd);
  EXPECT_EQ(Bounds(g.NetMatrix2, 1), B(0, 4));
  EXPECT_EQ(Bounds(g.ChangedCells, 1), B(0, 2));
  EXPECT_EQ(Bounds(g.ChangedCells, 2), B(0, 4));

  ReDimProblemArrays(ArrayKind::MaxFlow);
  EXPECT_EQ(Bounds(g.NetMatrix2, 1), B(1, 2));
  EXPECT_EQ(Bounds(g.NetMatrix2, 2), B(0, 4));
  EXPECT_THROW(g.NetMatrix2(0, 0), IndexFault);
  EXPECT_EQ(Bounds(g.LPData, 2), B(0, 4));
}

TEST_F(Mod1Test, RedimensioningDiscardsOldContents) {
  g.MRows = 2;
  ReDimProblemArrays(ArrayKind::Common);
  g.Tab(1, 1) = 7.5;
  g.InvInput(0, 0) = 3;
  ReDimProblemArrays(ArrayKind::Common);
  EXPECT_EQ(g.Tab(1, 1), 0.0);
  EXPECT_EQ(g.InvInput(0, 0), 0.0);
}

TEST_F(Mod1Test, EraseKeepsTheQueueArraysAndColKind2Saved) {
  g.MRows = 2;
  g.NVars = 2;
  g.NCols = 4;
  g.NColsPlus1 = 5;
  g.NodeCount = 3;
  g.ModelClass = ModelClassCode::LinearProgramming;
  ReDimProblemArrays(ArrayKind::EditBuffers);
  ReDimProblemArrays(ArrayKind::LPFirstStage);
  ReDimProblemArrays(ArrayKind::LPSecondStage);
  ReDimProblemArrays(ArrayKind::Floyd);
  g.ColKind2Saved(1) = "kept";
  g.QueueData.ReDim(2, 5);
  g.QueueData(1, 1) = 0.5;
  g.QueuePn.ReDim(MaxPnN + 1);
  g.QueueCumPn.ReDim(MaxPnN + 1);
  g.QueueMeasures.ReDim(2, 9);
  g.ActFloat.ReDimRange(1, 3, 0, 4);
  g.BBVar.ReDimRange(1, 2);
  g.BBNodeText.ReDim(3);

  EraseProblemArrays();

  EXPECT_EQ(g.QueueData(1, 1), 0.5);
  EXPECT_EQ(g.QueuePn.UBound(), MaxPnN + 1);
  EXPECT_FALSE(g.QueueCumPn.Empty());
  EXPECT_FALSE(g.QueueMeasures.Empty());
  EXPECT_EQ(g.ColKind2Saved(1), "kept");
  for (bool empty : {g.InvInput.Empty(), g.Tab.Empty(), g.LPData.Empty(), g.Tableau.Empty(),
                     g.UndoBufRow.Empty(), g.CopyBuf.Empty(), g.VarNames.Empty(), g.ConstrType.Empty(),
                     g.ColKindSaved.Empty(), g.BoundLabel.Empty(), g.NetMatrix.Empty(), g.NetMatrix2.Empty(),
                     g.ChangedCells.Empty(), g.ActFloat.Empty(), g.BBVar.Empty(), g.BBNodeText.Empty()})
    EXPECT_TRUE(empty);
  EXPECT_THROW(g.Tab(0, 0), IndexFault);
}

} // namespace
} // namespace quon
