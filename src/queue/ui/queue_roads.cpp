#include "queue/ui/queue_roads.h"

#include "queue/print_queue_output.h"
#include "queue/ui/queue_output.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"

namespace quon {

void RegisterQueueRoads() {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::Solve; };
  // Probabilities and waiting times want more decimals than the other outputs.
  r.proposedDigitsD = "5";
  r.outputRoad = [] {
    return std::function<void()>([] {
      scr5().Show();
      InitQueueOutputScreen();
    });
  };
  r.optionChanged = [] { ShowQueueScenarioOutput(); };
  r.print = [] {
    if (g.OutputPageKind == 2) PrintQueueOutput();
  };
  RegisterModelRoads(ModelClassCode::Queueing, std::move(r));
}

} // namespace quon
