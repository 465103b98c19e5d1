// The network models' part of the output road: which builder the output-format screen and the
// option list call, and what "Next Iteration" and "All Iterations" do, end messages included.
#include "network/network_engine.h"
#include "network/ui/net_screen.h"
#include "network/ui/network_output.h"
#include "platform/colors.h"
#include "platform/user_services.h"
#include "shell/helpers.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

using namespace net;

namespace {

void DisableSteps() {
  scr5().cmdNextIter.SetEnabled(false);
  scr5().cmdFinalIter.SetEnabled(false);
}

std::string &Verdict() {
  static std::string text;
  return text;
}

void RoutesAreOptimal() {
  EndNetworkRun("Last iteration provides optimum routes", msg::OKOnly | msg::Information, "Optimum");
}

void TreeIsComplete() {
  EndNetworkRun("Last row completes minimal spanning tree", msg::OKOnly | msg::Information, "Optimum");
}

// One Floyd pass and its table; the table before it shows the cells it changed in green.
void FloydCycle() {
  FloydStep();
  ++g.IterCount;
  ShowFloydArrays();
}

// One labelling pass; false when it found no breakthrough.
bool MaxFlowCycle() {
  MaxFlowStep();
  if (g.NetMatrix(0, 0) <= 0) return false;
  ++g.IterCount;
  ShowMaxFlowIteration();
  return true;
}

std::string EndIteration() {
  return std::to_string(g.IterCount + 1);
}

// The end of the passes after a breakthrough over arcs of unlimited capacity only.
void FlowIsUnbounded(int style, const char *title) {
  DisableSteps();
  MsgBox("Breakthrough flow is infinity -- Maximum flow is unbounded (algorithm ends at iteration " +
             EndIteration() + ")",
         style, title);
}

} // namespace

void EndNetworkRun(const std::string &text, int buttons, const std::string &title) {
  Verdict() = text;
  MsgBox(text, buttons, title);
}

const std::string &NetworkRunVerdict() {
  return Verdict();
}

void ClearNetworkRunVerdict() {
  Verdict().clear();
}

void NetworkGoToOutput() {
  ClearNetworkRunVerdict();
  switch (g.NetSubModel) {
  case 1:
    InitMSTOutputScreen();
    break;
  case 2:
  case 3:
    InitShortestRouteOutputScreen();
    scr5().Combo1.SetListIndex(1);
    break;
  case 23:
    InitShortestRouteOutputScreen();
    break;
  case 4:
    InitMaxFlowOutputScreen();
    break;
  default:
    break;
  }
}

void NetworkOptionChosen() {
  // Each view is drawn on a clean screen: the screen's frame and heading are drawn again under
  // it, and the "Title:" line of the previous view is not drawn over.
  ClearNetworkRunVerdict();
  switch (g.NetSubModel) {
  case 2:
  case 3:
    ClearToFrame(scr5());
    InitShortestRouteOutputScreen();
    if (g.NetSubModel == 2)
      ShowDijkstraOutput();
    else
      ShowFloydOutput();
    break;
  case 4:
    ClearToFrame(scr5());
    InitMaxFlowOutputScreen();
    ShowMaxFlowOutput();
    break;
  default:
    break;
  }
}

void NetworkNextIteration() {
  ClearNetworkRunVerdict();
  switch (g.NetSubModel) {
  case 1:
    MSTStep();
    if (g.TreeCount == g.NodeCount) {
      TreeIsComplete();
      DisableSteps();
    }
    if (g.TreeCount == 0) DisableSteps();
    break;
  case 2:
    DijkstraStep();
    ++g.IterCount;
    if (g.IterCount == g.NodeCount + 1) {
      DisableSteps();
      RoutesAreOptimal();
    }
    break;
  case 3:
    FloydCycle();
    if (g.IterCount == g.NodeCount + 1) {
      DisableSteps();
      RoutesAreOptimal();
    }
    break;
  case 4:
    if (MaxFlowCycle()) {
      if (MaxFlowUnbounded()) FlowIsUnbounded(msg::OKOnly | msg::Information, "Last Iteration");
    } else {
      DisableSteps();
      EndNetworkRun("No more breakthroughs -- Algorithm ends at iteration " + EndIteration(),
                    msg::OKOnly | msg::Information, "Last Iteration");
    }
    break;
  default:
    break;
  }
}

void NetworkAllIterations() {
  ClearNetworkRunVerdict();
  switch (g.NetSubModel) {
  case 1:
    g.TreeCount = 0;
    for (int i = 1; i < g.NodeCount; ++i) {
      MSTStep();
      if (g.TreeCount == 0) {
        DisableSteps();
        return;
      }
    }
    TreeIsComplete();
    DisableSteps();
    break;
  case 2: {
    Grid &grid = scr5().outputGrid;
    grid.SetRows(1);
    grid.SetCols(4);
    InitDijkstraLabels();
    for (g.IterCount = 1; g.IterCount <= g.NodeCount; ++g.IterCount)
      DijkstraStep();
    RoutesAreOptimal();
    DisableSteps();
    break;
  }
  case 3: {
    // Room for every table at once: growing a large grid row by row is slow.
    Grid &grid = scr5().outputGrid;
    grid.SetRows(VarMax(grid.Rows(), (g.NodeCount + 1) * (g.NodeCount + 2)));
    while (g.IterCount <= g.NodeCount)
      FloydCycle();
    DisableSteps();
    RoutesAreOptimal();
    break;
  }
  case 4:
    while (MaxFlowCycle()) {
      if (MaxFlowUnbounded()) {
        FlowIsUnbounded(msg::OKOnly, "Last iteration");
        return;
      }
    }
    DisableSteps();
    EndNetworkRun("No more breakthroughs -- Algorithm end at iteration " + EndIteration(), msg::OKOnly,
                  "Last iteration");
    break;
  default:
    break;
  }
}

} // namespace quon
