#include "network/ui/network_roads.h"

#include "network/print_network_output.h"
#include "network/ui/network_output.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"

namespace quon {

void RegisterNetworkRoads() {
  ModelRoads r;
  // The minimal spanning tree and maximal flow solve in one go; shortest routes offer a choice.
  r.solveMenuItem = [] {
    return g.NetSubModel == 1 || g.NetSubModel == 4 ? SolveMenuItem::Solve : SolveMenuItem::SolveShort;
  };
  r.outputRoad = [] {
    return std::function<void()>([] {
      scr5().Show();
      NetworkGoToOutput();
    });
  };
  r.optionChanged = NetworkOptionChosen;
  r.nextIteration = NetworkNextIteration;
  r.allIterations = NetworkAllIterations;
  r.startNodeChosen = MSTStartNodeChosen;
  r.fromNodeChosen = FloydFromNodeChosen;
  r.toNodeChosen = FloydToNodeChosen;
  r.allRoutesClicked = FloydListAllRoutes;
  r.print = [] {
    if (g.OutputPageKind == 2) PrintNetworkOutput(scr5().outputGrid, NetworkRunVerdict());
  };
  r.inputStartCol = 2;
  RegisterModelRoads(ModelClassCode::Networks, std::move(r));
}

} // namespace quon
