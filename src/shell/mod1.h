// The program-wide data module: every problem datum, code, size, flag and result that the
// screens and the model procedures share. There is one instance, `g`; a test starts from a
// clean state with `g = Mod1{};`.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bounded_array.h"
#include "platform/fixed_text.h"

namespace quon {

using int16 = std::int16_t;
using int32 = std::int32_t;

// The model classes, by the codes stored in problem files and in ModelClass (16 bits). The codes
// compare with the stored value as they stand: g.ModelClass == ModelClassCode::Games.
struct ModelClassCode {
  enum Code : int16 {
    None = 0,
    MatrixInversion = 1,
    LinearEquations = 2,
    LinearProgramming = 3,
    Transportation = 4,
    IntegerProgramming = 5,
    Queueing = 6,
    Networks = 7,
    ProjectPlanning = 8,
    Games = 9,
  };
};

// Outcome of the last simplex solve, beside the ZValue sentinels that callers also read.
enum class LPStatus : int16 {
  NotSolved,
  Optimal,
  Infeasible,
  Unbounded,
  PivotCapReached, // the safety cap on pivots stopped the run
  SingularBasis,   // a re-inversion found the basis singular
  NumericalFailure, // the result failed its check on the program as typed, even re-inverted
};

struct Mod1 {
  // Constants and screen metrics.
  double Eps = 0;
  double Infinity = 0;
  double BigM = 0;
  double AspectRatio = 0;
  int16 HalfScreenW = 0;
  int16 PopupBaseY = 0;
  std::array<std::string, 12> ModelTitle{};

  // Codes and modes.
  int16 ModelClass = ModelClassCode::None;
  int16 NetSubModel = 0;
  int16 ProjMethod = 0;
  int16 LPMethod = 0;
  int16 Phase = 0;
  int16 OutputMode = 0;
  int16 LpSolveMode = 0;
  int16 TransStartMethod = 0;
  int16 GameMethod = 0;
  int16 ObjSense = 0;
  int16 ObjSenseSaved = 0;
  int16 InputMode = 0;
  int16 NumFormatType = 0;
  int16 OutputOption = 0;
  int16 OutputPageKind = 0;

  // Sizes and counts.
  int16 NVars = 0;
  int16 MRows = 0;
  int16 NCols = 0, NColsPlus1 = 0, NColsPlus2 = 0;
  int16 NodeCount = 0;
  int16 NScen = 0;
  int16 TransSources = 0, TransDests = 0;
  int16 TransDummySource = 0, TransDummyDest = 0;
  // The cost that stands for a typed "infinity" in the transportation problem read last (0:
  // none read); no finite cost reaches its magnitude.
  double TransInfinity = 0;
  // Why the last final solve of the transportation problem found no optimum; empty when it did.
  std::string TransSolveNote;
  int16 GameRows = 0, GameCols = 0;
  int16 ActivityCount = 0;
  int16 GridRows = 0, GridCols = 0;
  int16 NumDigitsN = 0, NumDigitsD = 0;
  int16 NumDigitsNSaved = 0, NumDigitsDSaved = 0;
  // Counters that long runs can carry past 32767 are 32-bit.
  int32 IterCount = 0;
  int32 FinalIteration = 0;
  int32 TableauCount = 0;
  int16 TableauRows = 0, TableauCols = 0;
  int32 TableauRowOffset = 0;

  // Flags and states of the screens.
  int16 GridReadyFlag = 0;
  int16 FromFileFlag = 0;
  int16 GridFromFile = 0;
  int16 NewProblemMark = 0;
  int16 DataChanged = 0;
  int16 TitleSuppress = 0;
  int16 SelState = 0, LastEditOp = 0, UndoRow = 0, UndoCol = 0;
  int16 CopiedLine = 0; // the index of the row or column held in CopyBuf
  int16 CurRow = 0, CurCol = 0;
  int16 EditorFlag = 0, EditorFlag2 = 0, BX0KeyState = 0, LastKeyAscii = 0;
  int16 GridScrollPos = 0;
  int16 SymmetricNet = 0;
  int16 NextIterFlag = 0;
  int16 AltOptimaFlag = 0;
  int16 EnterSelState = 0;
  int16 GraphFirstPaintDone = 0;
  // The graph screen's axes (user units) and the number of constraints graphed; GraphXMax is
  // with the variables that serve several routines.
  int16 GraphXMin = 0, GraphYMin = 0, GraphYMax = 0, GraphStep = 0, GraphDrawnCount = 0;

  // Texts.
  std::array<std::string, 11> HeaderText{};
  FixedText<8> SenseText;
  std::string ProblemFileName;
  // The folder of the problem file last opened or saved, where the next file dialog opens;
  // empty until then (the dialog then opens in the user's documents folder).
  std::string ProblemFolder;
  // The problem as last saved or opened (ProblemContent; empty: a new problem not saved yet),
  // and whether the problem the later screens hold differs from it.
  std::string SavedProblem;
  bool KeptUnsaved = false;
  std::string FileName;
  std::string MsgText, TitleText;
  // The input grid's cells as last submitted, row by row, kept in memory as well as on the
  // system clipboard (there as a text block).
  std::vector<std::vector<std::string>> GridBlock;

  // Results written by the model subsystems.
  double ZValue = 0;
  double Determinant = 0;
  int16 Entering = 0, Leaving = 0, LeavingRow = 0;
  int16 NArtificial1 = 0, NArtificial2 = 0, NBoundA = 0, NUpperBounded = 0, NFreeVars = 0;
  int16 LBRow = 0, UBRow = 0, FreeVarRow = 0, IntRow = 0;
  // Input columns and last constraint row of the LP data (relation code, right-hand side).
  int16 TypeCol = 0, RHSInCol = 0, LastConstrRow = 0;

  // The linear-programming model beyond the shell's view of it: the objective constant of the
  // lower-bound shift, the counts saved with the model, and the outcome of the last solve.
  double ObjShift = 0;
  int16 LPSavedInt = 0, NBoundASaved = 0, NUpperBoundedSaved = 0, NFreeVarsSaved = 0, NColsSaved = 0;
  double SavedVariant = 0;
  LPStatus LPResult = LPStatus::NotSolved;

  // Printer positions in twips.
  int32 PrintY = 0;
  int32 LineHeight = 0;

  // Variables that serve several routines.
  int16 GraphXMax = 0;
  double ScratchSum = 0;
  // Widest text of the Floyd output in characters; sizes the printed table's columns.
  double ColWidthMax = 0;

  // State of single screens and model roads.
  int16 IPRunState = 0;
  int16 BBTop = 0;
  int16 CurNodeId = 0, PickedNodeId = 0, PickedNodeCol = 0, NodeStatus = 0, TreeLevel = 0, BranchSide = 0,
        BestBoundNodeFlag = 0, BBAux1 = 0, BBAux2 = 0, BBAux3 = 0, BBAux4 = 0;
  double BBBoundA = 0;
  // The user-guided tree's best integer objective; infinite while there is none.
  double BestBound = 0;
  std::string NodeIdText;
  // Id of the user-guided tree's best node, as text with a blank for the sign (" 31").
  std::string BBAuxText;
  int16 TreeCount = 0, CurrentNode = 0;
  int16 FromNode = 0, ToNode = 0;
  int16 ZeroU = 0, ZeroV = 0;
  int16 ProjStatus = 0;
  int16 InputErrorIndex = 0;
  int16 HelpTextX = 0;
  double LBShiftSum = 0;
  int16 GraphZoomed = 0;
  int32 TableauOutState = 0; // a grid row: 32-bit, long tableau runs pass 32767 rows
  int16 LPOutFlag = 0;

  // Problem arrays, dimensioned by ReDimProblemArrays or by their owners.
  BArray<double> InvRowScale, InvWorkCol, InvInput, BInv;
  BArray<int16> InvPerm;
  BArray<double> XBasic, WorkCol, AlphaCol, CostB, Duals;
  BArray<double> BasisMat, Tab, TabBackup, LPData, LPDataBackup, Tableau;
  BArray<int16> LPRowWork, BasisList, GraphDrawn, SurplusMap;
  BArray<FixedText<12>> VarNames;
  BArray<FixedText<1>> ConstrType;
  BArray<std::string> ColNames, ColNames2, ColKind, ColKind2, BoundLabel;
  BArray<std::string> BoundLabelSaved, ColKindSaved, ColKind2Saved;
  BArray<double> Cost, RedCost, XSol;
  // The transportation multipliers (as Duals) and reduced costs (by cell) split by what they
  // are made of while costs stand for "infinity" or "-infinity": column 0 counts the
  // "infinity" costs in them, column 1 the "-infinity" ones (each with its sign), column 2 holds
  // the finite rest. Duals and RedCost hold the same at the numbers standing for the words.
  BArray<double> DualWords, RedCostWords;
  BArray<int16> NonBasicMark;
  BArray<double> TransSupply, TransDemand;
  BArray<std::string> SourceName, DestName;
  BArray<std::string> UndoBufRow, UndoBufCol, CopyBuf;
  BArray<int16> NodeIds, LevelCount;
  BArray<double> NodeBounds;
  BArray<double> NodeX, NodeZ;
  BArray<double> ArcMatrix;
  BArray<int16> TreeNodes, InTree, DijkstraPred;
  BArray<double> DijkstraDist, NetMatrix;
  BArray<int16> NetMatrix2;
  BArray<int32> ChangedCells; // may hold grid rows of long tableau runs
  BArray<std::string> ActSymbol, ColHeads;
  BArray<double> ArcDur, ArcVar, EarlyTime, LateTime, SchedStart;
  BArray<int16> PredPath;

  BArray<double> QueueData, QueuePn, QueueCumPn, QueueMeasures;
  BArray<double> ActFloat;
  BArray<int16> BBNodeInfo;
  BArray<std::string> BBNodeText;

  // Integer programming: the automated search's stack of branches (variable, exact bound
  // value) and its incumbent. BestIter 0 means no incumbent yet.
  BArray<int16> BBVar;
  BArray<double> BBVal;
  double BestObj = 0;
  int32 BestIter = 0;
  // Y below the output screen's integer-programming title, where the views start.
  int32 SavedCtlPos = 0;
};

inline constexpr int MaxPnN = 500;

// The kinds of problem, by the arrays ReDimProblemArrays dimensions for them.
enum class ArrayKind : int16 {
  EditBuffers = -1,   // the grid-editing buffers
  Common = 0,         // the matrix models and every class's inversion arrays
  Transportation = 4, // supplies, demands and the transportation tableau
  Networks = 7,       // the network's arc values
  Projects = 8,       // the activity arrays, sized from the input grid's rows
  LPFirstStage = 31,  // the LP input read from the grid
  LPSecondStage = 32, // the LP standard form with its slack, surplus and artificial columns
  BranchAndBound = 51,
  SpanningTree = 71,
  Dijkstra = 72,
  Floyd = 73,
  MaxFlow = 74,
};

extern Mod1 g;

// Start-up values of the module. The popup metrics follow the screen width alone (only 12000
// and 15360 twips are known; any other width leaves them 0 for the start-up screen to refuse);
// the aspect ratio uses the real width and height.
void InitGlobals(int screenWidthTwips, int screenHeightTwips);

// Dimensions the problem arrays of one kind of problem afresh (see mod1.cpp for the kinds).
// Kind 8 (project planning) sizes its activity arrays from the input grid's row count, which
// the caller passes as inputGridRows (at least 1); the other kinds ignore it.
void ReDimProblemArrays(ArrayKind kind, int inputGridRows = 0);
// Releases every problem array but the four queueing arrays and ColKind2Saved.
void EraseProblemArrays();

} // namespace quon
