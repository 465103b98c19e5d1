#include "network/ui/network_roads.h"

#include "shell/mod1.h"
#include "shell/ui/model_roads.h"

namespace quon {

void RegisterNetworkRoads() {
  ModelRoads r;
  // The minimal spanning tree and maximal flow solve in one go; shortest routes offer a choice.
  r.solveMenuItem = [] {
    return g.NetSubModel == 1 || g.NetSubModel == 4 ? SolveMenuItem::Solve : SolveMenuItem::SolveShort;
  };
  r.inputStartCol = 2;
  RegisterModelRoads(ModelClassCode::Networks, std::move(r));
}

} // namespace quon
