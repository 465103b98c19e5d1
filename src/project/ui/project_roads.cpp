#include "project/ui/project_roads.h"

#include "project/bar_chart.h"
#include "project/ui/bar_chart_screen.h"
#include "project/ui/project_output.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"

namespace quon {

void RegisterProjectRoads() {
  ModelRoads r;
  // Projects are solved from the output-format screen.
  r.solveMenuItem = [] { return SolveMenuItem::SolveIP; };
  r.outputRoad = [] {
    return std::function<void()>([] {
      Scr5 &s = scr5();
      s.Show();
      s.Frame4.SetVisible(false);
      s.outputGrid.SetVisible(false);
      InitProjectOutputScreen();
    });
  };
  // The bar chart that option 1 of CPM asks for comes with the graph screen.
  r.optionChanged = [] {
    if (SelectProjectOutputOption()) ShowBarChartScreen();
  };
  r.print = [] { PrintProjectOutput(); };
  r.nextIteration = ProjectNextStep;
  r.allIterations = ProjectAllSteps;
  RegisterModelRoads(ModelClassCode::ProjectPlanning, std::move(r));
  RegisterGraphScreenHooks(ModelClassCode::ProjectPlanning, ProjectGraphScreenHooks());
}

} // namespace quon
