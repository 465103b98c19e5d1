#include "queue/ui/queue_roads.h"

#include "shell/ui/model_roads.h"

namespace quon {

void RegisterQueueRoads() {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::Solve; };
  // Probabilities and waiting times want more decimals than the other outputs.
  r.proposedDigitsD = "5";
  RegisterModelRoads(ModelClassCode::Queueing, std::move(r));
}

} // namespace quon
