#include "shell/ui/scr3.h"

#include <cmath>
#include <utility>

#include "linear/lp_summary_values.h"
#include "linear/mod_lp_simplex.h"
#include "linear/tableau_size.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/dual_start.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr4.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"
#include "shell/ui/screen_links.h"

namespace quon {

namespace {

const char *const kNeedsArtificial =
    "Problem has >= and/or = constraints, thus requiring M or Two-phase method.  "
    "Two-phase method will be used. Else click CANCEL to use M-method";
const char *const kAllLessEqual = "Problem has all <= constraints.  All-Slack option will be used";
const char *const kDualEquations = "Equations must be converted to inequalities before applying Dual Simplex";
const char *const kDualAllSlack = "Dual Simplex not applicable directly.  All-slack will be used";
const char *const kDualTwoPhase =
    " Dual simplex not applicable directly.  Two-phase method will be used; else click "
    "CANCEL to use M-method";
const char *const kDualBounded =
    " Dual simplex not applicable because a var has upper/lower bound or is "
    "unrestricted.  Two-phase method will be used; else click CANCEL to use M-method";

} // namespace

Scr3 &scr3() {
  return FormInstance<Scr3>();
}

Scr3::Scr3() : Form("scr3") {
  SetBackColor(kBlue);
  Label5.Move(0, 0, 5400, 285);
  Label5.SetCaption("Click screen to view popup    SOLVE/MODIFY menu");
  Label5.SetAlignment(2);
  Label5.SetBackColor(kBlue);
  Label5.SetForeColor(kWhite);
  Label5.SetFontBold(true);
  Label5.Click = [this] { Form_Click(); };

  Frame3.Move(0, 0, 3855, 1695);
  Frame3.SetCaption("M-Method");
  Label10.Move(240, 360, 1575, 285);
  Label10.SetCaption("Enter value of M:");
  TextBigM.Move(1920, 315, 1575, 345);
  TextBigM.SetText("100");
  cmdDone.Move(240, 960, 3375, 465);
  cmdDone.SetCaption("Go To Output Format Screen");
  cmdDone.Click = [this] { cmdDone_Click(); };
  // Return in the M box confirms it.
  cmdDone.SetDefault(true);

  solveModifyMenu.SetVisible(false);
  mnuGraph.Click = [this] { mnuGraph_Click(); };
  mnuFinalSolutionLP.Click = [this] { mnuFinalSolutionLP_Click(); };
  mnuUserAllSlack.Click = [this] { mnuUserAllSlack_Click(); };
  mnuUserMmethod.Click = [this] { mnuUserMmethod_Click(); };
  mnuUser2phase.Click = [this] { mnuUser2phase_Click(); };
  mnuUserBoundedSimplex.Click = [this] { mnuUserBoundedSimplex_Click(); };
  mnuUserDualSImplex.Click = [this] { mnuUserDualSImplex_Click(); };
  mnuSolve.Click = [this] { mnuSolve_Click(); };
  mnuFinalSolutionTrans.Click = [this] { mnuFinalSolutionTrans_Click(); };
  mnuNorthWest.Click = [this] { StartTransIterations(1); };
  mnuLeastCost.Click = [this] { StartTransIterations(2); };
  mnuVogel.Click = [this] { StartTransIterations(3); };
  // Integer programs and projects are solved from the output-format screen.
  mnuSolveIP.Click = [this] { ShowOutputFormat(); };
  mnuShortRoutes.Click = [this] {
    g.NetSubModel = 23;
    ShowOutputFormat();
  };
  mnuDijkstra.Click = [this] {
    g.NetSubModel = 2;
    ShowOutputFormat();
  };
  mnuFloyd.Click = [this] {
    g.NetSubModel = 3;
    ShowOutputFormat();
  };
  // Games are solved as player A's linear program by either method; the graph is drawn after.
  for (auto [item, method] : {std::pair{&mnuGraphZeroGame, 1}, std::pair{&mnuAlgebraicZeroGame, 2}})
    item->Click = [this, method] {
      g.GameMethod = static_cast<int16>(method);
      g.OutputMode = 1;
      g.LpSolveMode = 1;
      // A game always has a value, but payoffs far apart in size can defeat the engine's
      // arithmetic: that is said, not shown as a solution.
      if (const char *failed = LPNoSolutionText(SolveLP())) {
        MsgBox(failed, msg::OKOnly | msg::Exclamation);
        return;
      }
      ShowOutputFormat();
    };
  mnuModifyData.Click = [this] { mnuModifyData_Click(); };
  mnuMainMenu.Click = [this] { mnuMainMenu_Click(); };
  mnuExitQuon.Click = [this] { mnuExitQuon_Click(); };
}

void Scr3::Form_Load() {
  const int w = ScreenWidth();
  const int h = ScreenHeight();
  Label5.SetVisible(true);
  g.LpSolveMode = 0;
  g.LPMethod = 0;
  g.Phase = 0;
  Label5.SetTop(static_cast<int>(std::lround(0.3 * h)));
  Label5.SetLeft(static_cast<int>(std::lround((w - Label5.Width()) * 0.5)));
  Frame3.SetVisible(false);
  SetCaption("QUON " + g.ProblemFileName);
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.solveScreenLoad) roads.solveScreenLoad();

  smMenu.SetEnabled(false);
  const SolveMenuItem visible = roads.solveMenuItem ? roads.solveMenuItem() : SolveMenuItem::None;
  const std::pair<MenuItem *, SolveMenuItem> solveItems[] = {
      {&mnuSolveLP, SolveMenuItem::SolveLP},       {&mnuSolve, SolveMenuItem::Solve},
      {&mnuSolveTrans, SolveMenuItem::SolveTrans}, {&mnuSolveIP, SolveMenuItem::SolveIP},
      {&mnuSolveZeroGame, SolveMenuItem::SolveZeroGame}, {&mnuSolveShort, SolveMenuItem::SolveShort}};
  for (const auto &[item, kind] : solveItems)
    item->SetVisible(kind == visible);
  mnuGraph.SetEnabled(g.NVars == 2);
  mnuGraphZeroGame.SetEnabled(g.GameRows == 2);
}

void Scr3::Form_Activate() {
  OpenPopup();
}
// A click opens the menu where it landed, clear of the M-value frame's controls.
void Scr3::Form_Click() {
  PopupMenuAtClick(solveModifyMenu, g.HalfScreenW, 0.8 * g.PopupBaseY, true);
}

void Scr3::Form_Paint() {
  DrawScreenFrameAndTitle(*this);
}

void Scr3::OpenPopup() {
  PopupMenu(solveModifyMenu, g.HalfScreenW, 0.8 * g.PopupBaseY, true);
}

void Scr3::ShowOutputFormat() {
  scr4().Show();
}

void Scr3::ShowOutputScreen() {
  scr5().Show();
}

void Scr3::mnuGraph_Click() {
  g.GraphZoomed = 0;
  Label5.SetVisible(false);
  if (g.NBoundA + g.NUpperBounded + g.NFreeVars > 0) {
    Beep();
    MsgBox("LPs with unrestricted vars and/or explicit upper/lower bounds are not supported by graphical "
           "method.                Click OK then click screen.",
           msg::OKOnly | msg::Critical, "Graphical LP");
    Label5.SetVisible(true);
    return;
  }
  g.OutputMode = 2;
  g.LPMethod = 1;
  g.LpSolveMode = 2;
  for (int i = 1; i <= g.MRows; ++i)
    g.GraphDrawn(i) = 0;
  SolveLP();
  ShowOutputFormat();
}

void Scr3::mnuFinalSolutionLP_Click() {
  g.OutputMode = 1;
  g.LpSolveMode = 1;
  SolveLP();
  ShowOutputFormat();
}

void Scr3::mnuUserAllSlack_Click() {
  g.OutputMode = 2;
  Label5.SetVisible(false);
  if (g.NArtificial1 + g.NArtificial2 != 0) {
    SizeSimplexTableau(true);
    if (MsgBox(kNeedsArtificial, msg::OKCancel | msg::Critical, "Warning") == msg::OK) {
      g.LPMethod = 4;
      g.Phase = 1;
      ShowOutputFormat();
    } else {
      g.LPMethod = 3;
      OpenMValueFrame();
    }
    return;
  }
  g.LPMethod = 2;
  SizeSimplexTableau(false);
  ShowOutputFormat();
}

void Scr3::mnuUserMmethod_Click() {
  g.OutputMode = 2;
  Label5.SetVisible(false);
  if (g.NArtificial1 + g.NArtificial2 != 0) {
    g.LPMethod = 3;
    SizeSimplexTableau(true);
    OpenMValueFrame();
    return;
  }
  // Either answer goes on with the all-slack start.
  MsgBox(kAllLessEqual, msg::OKCancel | msg::Critical, "Warning");
  g.LPMethod = 2;
  SizeSimplexTableau(false);
  ShowOutputFormat();
}

void Scr3::mnuUser2phase_Click() {
  g.OutputMode = 2;
  Label5.SetVisible(false);
  if (g.NArtificial1 + g.NArtificial2 != 0) {
    g.LPMethod = 4;
    g.Phase = 1;
    SizeSimplexTableau(true);
  } else {
    MsgBox(kAllLessEqual, msg::OKCancel | msg::Critical, "Warning");
    g.LPMethod = 2;
    SizeSimplexTableau(false);
  }
  ShowOutputFormat();
}

void Scr3::mnuUserBoundedSimplex_Click() {
  // The engine treats bounded columns itself; only the start is chosen here.
  g.OutputMode = 2;
  if (g.NArtificial1 + g.NArtificial2 != 0) {
    g.LPMethod = 4;
    g.Phase = 1;
  } else {
    g.LPMethod = 2;
  }
  SizeSimplexTableau(true);
  ShowOutputFormat();
}

void Scr3::mnuUserDualSImplex_Click() {
  Label5.SetVisible(false);
  g.OutputMode = 2;
  auto twoPhaseOrM = [&](const char *text) {
    SizeSimplexTableau(true);
    if (MsgBox(text, msg::OKCancel | msg::Critical, "Warning") == msg::OK) {
      g.LPMethod = 4;
      g.Phase = 1;
      ShowOutputFormat();
    } else {
      g.LPMethod = 3;
      OpenMValueFrame();
    }
  };
  switch (DualSimplexRoad()) {
  case DualStartRoad::Convert:
    ConvertToDualSimplexForm();
    SizeSimplexTableau(false);
    ShowOutputFormat();
    break;
  case DualStartRoad::Equations:
    MsgBox(kDualEquations, msg::OKOnly, "Dual SImplex Error");
    BackToInput();
    break;
  case DualStartRoad::AllSlack:
    MsgBox(kDualAllSlack, msg::OKOnly | msg::Critical, "Warning");
    g.LPMethod = 2;
    SizeSimplexTableau(false);
    ShowOutputFormat();
    break;
  case DualStartRoad::TwoPhaseOrM:
    twoPhaseOrM(kDualTwoPhase);
    break;
  case DualStartRoad::BoundedOrFree:
    twoPhaseOrM(kDualBounded);
    break;
  }
}

void Scr3::mnuSolve_Click() {
  const ModelRoads &roads = CurrentModelRoads();
  if (roads.solve) roads.solve();
  ShowOutputFormat();
}

// Transportation skips the output-format screen: its items show the output screen at once.
void Scr3::mnuFinalSolutionTrans_Click() {
  const ModelRoads &roads = CurrentModelRoads();
  if (!roads.solveFinalDirect) return;
  ShowOutputScreen();
  Unload(*this);
  roads.solveFinalDirect();
}

void Scr3::StartTransIterations(int16 startMethod) {
  const ModelRoads &roads = CurrentModelRoads();
  if (!roads.iterationsDirect) return;
  g.TransStartMethod = startMethod;
  ShowOutputScreen();
  Unload(*this);
  roads.iterationsDirect();
}

void Scr3::OpenMValueFrame() {
  const int w = ScreenWidth();
  const int h = ScreenHeight();
  Frame3.SetTop(static_cast<int>(std::lround(0.35 * h - 0.5 * Frame3.Height())));
  Frame3.SetLeft(static_cast<int>(std::lround(0.5 * w - 0.5 * Frame3.Width())));
  Frame3.SetVisible(true);
  SelectAllText(TextBigM);
}

void Scr3::cmdDone_Click() {
  // An M of 0 or less, or text read as 0, would leave the artificial columns without their
  // penalty: the method could then end "optimal" with an artificial in the basis.
  const std::string typed = TextBigM.Text();
  const double m = IsNumber(typed) && !ValOverflows(typed) ? Val(typed) : 0;
  if (!(m > 0) || !std::isfinite(m)) {
    MsgBox("The value of M must be a positive number", msg::OKOnly | msg::Critical, "Input Data Error");
    SelectAllText(TextBigM);
    return;
  }
  // An M so large that its products with the data overflow would fill the tableaus with
  // infinities.
  if (!BigMFitsData(m)) {
    MsgBox("The value of M is too large for the data of this problem", msg::OKOnly | msg::Critical,
           "Input Data Error");
    SelectAllText(TextBigM);
    return;
  }
  ApplyTypedBigM(m);
  ShowOutputFormat();
  Unload(*this);
}

bool Scr3::BackToInput() {
  // The input screen is shown before this one goes, so the program never runs without a form.
  if (!ReturnToInputScreen()) return false;
  Unload(*this);
  return true;
}

void Scr3::mnuModifyData_Click() {
  if (!BackToInput()) return;
  g.CurRow = 1;
  g.CurCol = CurrentModelRoads().inputStartCol;
  PlaceInputCellEditor(g.CurRow, g.CurCol);
}

void Scr3::mnuMainMenu_Click() {
  g.TableauCount = 0;
  // The MAIN menu screen unloads every other screen when it is activated.
  ShowMainMenu();
}

void Scr3::mnuExitQuon_Click() {
  ExitQuonFromLaterScreen();
}

} // namespace quon
