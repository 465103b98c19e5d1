#include "transport/ui/transport_roads.h"

#include <string>

#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "transport/ui/trans_output.h"

namespace quon {

void RegisterTransportRoads() {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::SolveTrans; };
  r.solveFinalDirect = ShowTransFinalSolution;
  r.iterationsDirect = ShowTransIterations;
  r.outputScreenLoad = [] {
    // The multiplier that "Initialize u or v" can set to zero: any u or v.
    Scr5 &s = scr5();
    for (int i = 1; i <= g.TransSources; ++i)
      s.Combo5.AddItem("u" + std::to_string(i) + "=0");
    for (int j = 1; j <= g.TransDests; ++j)
      s.Combo5.AddItem("v" + std::to_string(j) + "=0");
    s.Combo5.SetText("u1=0");
  };
  r.optionChanged = [] { TransOutputOptionChosen(g.OutputOption); };
  r.nextIteration = TransNextIteration;
  r.allIterations = TransAllIterations;
  r.multiplierChosen = [] { TransChooseZeroMultiplier(scr5().Combo5.ListIndex()); };
  r.gridClick = [] {
    const Scr5 &s = scr5();
    TransLoopCellClick(s.outputGrid.MouseRow, s.outputGrid.MouseCol);
  };
  r.print = [] { PrintTransOutput(); };
  r.inputStartCol = 2;
  RegisterModelRoads(ModelClassCode::Transportation, std::move(r));
}

} // namespace quon
