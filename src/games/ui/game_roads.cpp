#include "games/ui/game_roads.h"

#include "shell/ui/model_roads.h"

namespace quon {

void RegisterGameRoads() {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::SolveZeroGame; };
  RegisterModelRoads(ModelClassCode::Games, std::move(r));
}

} // namespace quon
