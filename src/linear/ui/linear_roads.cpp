#include "linear/ui/linear_roads.h"

#include "linear/lp_resolve.h"
#include "linear/mod_inverse.h"
#include "linear/print_reports.h"
#include "linear/ui/inverse_output.h"
#include "linear/ui/lp_summary.h"
#include "linear/ui/scr_lp_graf.h"
#include "linear/ui/simplex_iterations.h"
#include "shell/mod1.h"
#include "shell/ui/model_roads.h"
#include "shell/ui/scr5.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

ModelRoads MatrixRoads(bool equations) {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::Solve; };
  r.solve = [equations] {
    // A singular system has no solution to compute; its output shows none.
    if (InvertMatrix() && equations) SolveByInverse();
  };
  r.outputRoad = [] {
    return std::function<void()>([] {
      scr5().Show();
      ShowInverseOutput();
    });
  };
  r.print = [] {
    if (g.OutputPageKind == 2) PrintInverseOutput();
  };
  return r;
}

ModelRoads LinearProgrammingRoads() {
  ModelRoads r;
  r.solveMenuItem = [] { return SolveMenuItem::SolveLP; };
  r.solveScreenLoad = [] {
    g.ZValue = 0;
    g.LBShiftSum = 0;
  };
  r.outputRoad = [] {
    if (g.OutputMode == 1 && g.LpSolveMode == 1)
      return std::function<void()>([] {
        scr5().Show();
        g.LPOutFlag = 0;
        ShowLPOutputSummary();
      });
    if (g.OutputMode == 2 && g.LPMethod >= 2 && g.LPMethod <= 5)
      return std::function<void()>([] {
        scr5().Show();
        ShowSimplexIterations();
      });
    if (g.OutputMode == 2 && g.LPMethod == 1) return std::function<void()>(ShowLPGraphOutput);
    return std::function<void()>();
  };
  r.optionChanged = [] {
    Scr5 &s = scr5();
    EndSimplexTableauView();
    if (g.OutputOption > 0) {
      ClearToFrame(s);
      s.outputGrid.SetCols(0);
      s.outputGrid.SetRows(0);
    }
    if (g.OutputOption == 1) {
      ResolveSavedLP();
      ShowLPOutputSummary();
    } else {
      RestoreSavedLP();
      if (g.OutputOption == 2) {
        if (g.LPMethod == 4) g.Phase = 1;
        ShowSimplexIterations();
      }
    }
  };
  r.nextIteration = [] { SimplexNextIteration(); };
  r.allIterations = [] { SimplexAllIterations(); };
  r.gridClick = [] { SimplexTableauClick(); };
  r.print = [] {
    if (g.OutputPageKind == 2) PrintLPOutputSummary();
    if (g.OutputPageKind == 1) PrintSimplexTableaus(scr5().outputGrid, SimplexRunVerdict());
  };
  return r;
}

} // namespace

void RegisterLinearRoads() {
  RegisterModelRoads(ModelClassCode::MatrixInversion, MatrixRoads(false));
  RegisterModelRoads(ModelClassCode::LinearEquations, MatrixRoads(true));
  RegisterModelRoads(ModelClassCode::LinearProgramming, LinearProgrammingRoads());
  RegisterGraphScreenHooks(ModelClassCode::LinearProgramming, LPGraphScreenHooks());
}

} // namespace quon
