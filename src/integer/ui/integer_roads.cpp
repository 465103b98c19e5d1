#include "integer/ui/integer_roads.h"

#include "integer/ui/ip_output.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"

namespace quon {

void RegisterIntegerRoads() {
  ModelRoads r;
  // Integer programs are solved from the output-format screen.
  r.solveMenuItem = [] { return SolveMenuItem::SolveIP; };
  r.usesSearchTree = true;
  r.outputRoad = [] {
    return std::function<void()>([] {
      Scr5 &f = scr5();
      f.Show();
      f.outputGrid.SetVisible(false);
      g.CurNodeId = 0;
      g.PickedNodeId = 0;
      InitIPOutputScreen();
    });
  };
  r.optionChanged = IPOptionChanged;
  r.gridClick = TreeNodeClick;
  r.branchGridClick = BranchGridClick;
  r.print = [] {
    if (g.OutputPageKind == 2) PrintIPOutput();
  };
  RegisterModelRoads(ModelClassCode::IntegerProgramming, std::move(r));
}

} // namespace quon
