// The SOLVE/MODIFY screen: the popup menu of solution methods for the problem just submitted,
// and the small frame in which the M-method's penalty is typed.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "shell/mod1.h"

namespace quon {

class Scr3 : public Form {
public:
  Scr3();

  Label Label5{*this, "Label5"};
  Frame Frame3{*this, "Frame3"};
  Label Label10{Frame3, "Label10"};
  TextBox TextBigM{Frame3, "TextBigM"};
  Button cmdDone{Frame3, "cmdDone"};

  // The popup; the root is never shown as a menu bar.
  MenuItem solveModifyMenu{MenuBar(), "solveModifyMenu", "SolveModify"};
  MenuItem smMenu{solveModifyMenu, "smMenu", "   SOLVE/MODIFY"};
  MenuItem spc1Menu{solveModifyMenu, "spc1Menu", "-"};
  MenuItem mnuSolveLP{solveModifyMenu, "mnuSolveLP", "&Solve Problem"};
  MenuItem mnuGraph{mnuSolveLP, "mnuGraph", "&Graphical"};
  MenuItem mnuAlgebraic{mnuSolveLP, "mnuAlgebraic", "&Algebraic"};
  MenuItem mnuFinalSolutionLP{mnuAlgebraic, "mnuFinalSolutionLP", "&Final solution"};
  MenuItem mnuIterationsLP{mnuAlgebraic, "mnuIterationsLP", "&Iterations"};
  MenuItem mnuUserAllSlack{mnuIterationsLP, "mnuUserAllSlack", "&All-slack starting solution"};
  MenuItem mnuUserMmethod{mnuIterationsLP, "mnuUserMmethod", "&M-method"};
  MenuItem mnuUser2phase{mnuIterationsLP, "mnuUser2phase", "&Two-phase method"};
  MenuItem mnuUserBoundedSimplex{mnuIterationsLP, "mnuUserBoundedSimplex", "&Bounded simplex "};
  MenuItem mnuUserDualSImplex{mnuIterationsLP, "mnuUserDualSImplex", "&Dual simplex"};
  MenuItem mnuSolve{solveModifyMenu, "mnuSolve", "&Solve Problem"};
  MenuItem mnuSolveTrans{solveModifyMenu, "mnuSolveTrans", "&Solve Problem"};
  MenuItem mnuFinalSolutionTrans{mnuSolveTrans, "mnuFinalSolutionTrans", "&Final solution"};
  MenuItem mnuIterationsTrans{mnuSolveTrans, "mnuIterationsTrans", "&Iterations"};
  MenuItem mnuNorthWest{mnuIterationsTrans, "mnuNorthWest", "&North-west corner starting solution"};
  MenuItem mnuLeastCost{mnuIterationsTrans, "mnuLeastCost", "&Least-cost starting solution"};
  MenuItem mnuVogel{mnuIterationsTrans, "mnuVogel", "&Vogel's starting solution"};
  MenuItem mnuSolveIP{solveModifyMenu, "mnuSolveIP", "&Solve Problem"};
  MenuItem mnuSolveZeroGame{solveModifyMenu, "mnuSolveZeroGame", "&Solve Problem"};
  MenuItem mnuGraphZeroGame{mnuSolveZeroGame, "mnuGraphZeroGame", "&Graphical"};
  MenuItem mnuAlgebraicZeroGame{mnuSolveZeroGame, "mnuAlgebraicZeroGame", "&LP-based"};
  MenuItem mnuSolveShort{solveModifyMenu, "mnuSolveShort", "&Solve Problem"};
  MenuItem mnuShortRoutes{mnuSolveShort, "mnuShortRoutes", "&Shortest routes"};
  MenuItem mnuIterShort{mnuSolveShort, "mnuIterShort", "&Iterations"};
  MenuItem mnuDijkstra{mnuIterShort, "mnuDijkstra", "&Dijkstra's algorithm"};
  MenuItem mnuFloyd{mnuIterShort, "mnuFloyd", "&Floyd's algorithm"};
  MenuItem mnuModifyData{solveModifyMenu, "mnuModifyData", "&View/Modify Input Data"};
  MenuItem spc2Menu{solveModifyMenu, "spc2Menu", "-"};
  MenuItem mnuMainMenu{solveModifyMenu, "mnuMainMenu", "&MAIN Menu"};
  MenuItem spc3Menu{solveModifyMenu, "spc3Menu", "-"};
  MenuItem mnuExitQuon{solveModifyMenu, "mnuExitQuon", "&Exit QUON"};

  void Form_Load() override;
  // Closing the window goes the way of "Exit QUON".
  void Form_CloseRequest() override { mnuExitQuon_Click(); }
  void Form_Activate() override;
  void Form_Click() override;
  void Form_Paint() override;

  void mnuGraph_Click();
  void mnuFinalSolutionLP_Click();
  void mnuUserAllSlack_Click();
  void mnuUserMmethod_Click();
  void mnuUser2phase_Click();
  void mnuUserBoundedSimplex_Click();
  void mnuUserDualSImplex_Click();
  void mnuSolve_Click();
  void mnuFinalSolutionTrans_Click();
  void StartTransIterations(int16 startMethod);
  void ShowOutputScreen();
  void mnuModifyData_Click();
  void mnuMainMenu_Click();
  void mnuExitQuon_Click();
  void cmdDone_Click();

private:
  void OpenPopup();
  // Back to the input screen; false when it did not come up (this screen then stays).
  bool BackToInput();
  void OpenMValueFrame();
  // Moves on to the output-format screen; this screen stays loaded until that one paints.
  void ShowOutputFormat();
};

Scr3 &scr3();

} // namespace quon
