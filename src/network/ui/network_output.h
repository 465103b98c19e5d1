// The output screen of the network models: the spanning tree steps, Dijkstra's and Floyd's
// shortest routes (table or iterations), the maximal flow (flows or iterations), the step
// buttons and the node lists. The output screen's handlers call these for model class 7.
#pragma once

#include <string>

namespace quon {

// "Go To Output Screen" of the output-format screen, for the network sub-model in NetSubModel:
// lays out the output screen (shown already) and, for Dijkstra's and Floyd's iterations,
// chooses "Iterations" in the option list, whose click handler then builds the view.
void NetworkGoToOutput();
// The option list's choice (OutputOption set): builds the view of the current sub-model.
void NetworkOptionChosen();
// "Next Iteration" and "All Iterations" for the current sub-model, end messages included.
void NetworkNextIteration();
void NetworkAllIterations();
// The message a run of steps ended with, shown and kept: the printout of the steps closes with
// the same text. The text is empty while the run goes on and on every view without steps.
void EndNetworkRun(const std::string &text, int buttons, const std::string &title);
const std::string &NetworkRunVerdict();
void ClearNetworkRunVerdict();

// Minimal spanning tree.
void InitMSTOutputScreen();
void MSTStep();
// The "Starting Node" list: starts the tree again from the chosen node.
void MSTStartNodeChosen();

// Shortest routes: the screen part that Dijkstra's and Floyd's methods share.
void InitShortestRouteOutputScreen();
void ShowDijkstraOutput();
void DijkstraStep();
void ShowFloydOutput();
void ShowFloydArrays();
void ShowFloydRoute();
// The "From node" and "To node" lists and the label that lists every route.
void FloydFromNodeChosen();
void FloydToNodeChosen();
void FloydListAllRoutes();

// Maximal flow.
void InitMaxFlowOutputScreen();
void ShowMaxFlowOutput();
void ShowMaxFlowIteration();

} // namespace quon
