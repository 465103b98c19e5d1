#include "integer/ui/integer_roads.h"

#include "shell/ui/model_roads.h"

namespace quon {

void RegisterIntegerRoads() {
  ModelRoads r;
  // Integer programs are solved from the output-format screen.
  r.solveMenuItem = [] { return SolveMenuItem::SolveIP; };
  r.usesSearchTree = true;
  RegisterModelRoads(ModelClassCode::IntegerProgramming, std::move(r));
}

} // namespace quon
