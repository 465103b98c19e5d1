#include "games/ui/game_roads.h"

#include "games/game_output.h"
#include "games/ui/game_output_ui.h"
#include "linear/ui/scr_lp_graf.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"

namespace quon {

void RegisterGameRoads() {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::SolveZeroGame; };
  r.outputRoad = [] {
    RestorePayoffMatrix();
    if (g.GameMethod == 1)
      return std::function<void()>([] {
        ScrLPGraf &s = scrLPGraf();
        s.Show();
        DrawGameGraph(s);
      });
    if (g.GameMethod == 2)
      return std::function<void()>([] {
        scr5().Show();
        ShowGameOutputSummary();
      });
    return std::function<void()>();
  };
  r.print = [] {
    if (g.OutputPageKind == 2) PrintGameLPSolution();
  };
  RegisterModelRoads(ModelClassCode::Games, std::move(r));
  RegisterGraphScreenHooks(ModelClassCode::Games, GameGraphScreenHooks());
}

} // namespace quon
