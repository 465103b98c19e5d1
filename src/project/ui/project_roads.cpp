#include "project/ui/project_roads.h"

#include "shell/ui/model_roads.h"

namespace quon {

void RegisterProjectRoads() {
  ModelRoads r;
  // Projects are solved from the output-format screen.
  r.solveMenuItem = [] { return SolveMenuItem::SolveIP; };
  RegisterModelRoads(ModelClassCode::ProjectPlanning, std::move(r));
}

} // namespace quon
