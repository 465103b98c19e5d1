#include "linear/lp_resolve.h"

#include "linear/lp_model.h"
#include "linear/mod_lp_simplex.h"
#include "shell/dual_start.h"
#include "shell/mod1.h"

namespace quon {

namespace {

constexpr int16 kDualSimplex = 5;

} // namespace

void RestoreSavedLP() {
  RestoreLPModel();
  // The saved model carries the M of its build; a value typed since then stays in force.
  if (g.LPMethod != kDualSimplex)
    for (int j = 1; j <= g.NCols; ++j)
      if (g.ColNames(j).rfind('R', 0) == 0) g.Tab(2, j) = g.ObjSense * g.BigM;
  // The saved model is the form built on submission; the dual simplex needs it rewritten.
  if (g.LPMethod == kDualSimplex) ConvertToDualSimplexForm();
}

void ResolveSavedLP() {
  RestoreSavedLP();
  if (g.LPMethod == kDualSimplex)
    SolveLPDualSimplex();
  else
    SolveLP();
  g.FinalIteration = g.IterCount;
}

} // namespace quon
