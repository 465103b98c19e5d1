// The return to the input screen from the later screens: the screen is rebuilt from what
// "SOLVE Menu" kept (the header texts, the grid's size and the grid block).
#include "input/grid_clipboard.h"
#include "input/input_grid.h"
#include "input/problem_header.h"
#include "input/submit_input.h"
#include "input/ui/scr2.h"

namespace quon {

void ModifyInputData() {
  // Loading the screen clears the sizes and the problem last saved, so they are restored after it.
  const std::string saved = g.SavedProblem;
  const bool unsaved = g.KeptUnsaved;
  Scr2 &input = scr2();
  const KeptHeader kept = RestoreInputState();
  input.grid1.SetRows(g.GridRows);
  input.grid1.SetCols(g.GridCols);
  input.Show();
  input.cmdDone.SetEnabled(true);

  input.ShowTitle(kept.title);
  input.BX2.SetText(kept.size1);
  if (HasSecondSize(g.ModelClass)) input.BX3.SetText(kept.size2);
  if (!kept.size1Shown) {
    input.BX2.SetVisible(false);
    input.Label2.SetVisible(false);
    input.Label6.SetVisible(false);
  }

  g.GridReadyFlag = 0;
  g.GridFromFile = 1;
  input.InitInputGrid();
  g.GridFromFile = 0;
  GridClipboard("out", input.grid1, 0, 0, static_cast<int16>(input.grid1.Rows() - 1),
                static_cast<int16>(input.grid1.Cols() - 1));
  if (g.ModelClass == ModelClassCode::Networks) input.Check1.SetValue(g.SymmetricNet);
  ResetInputGridSelection(input.grid1);
  // A problem saved or opened and not changed since comes back as saved, the marks its reader
  // wrote into the kept grid included.
  g.SavedProblem = saved;
  g.KeptUnsaved = unsaved;
  if (!saved.empty() && !unsaved) g.SavedProblem = input.ProblemOnScreen();
  input.ShowGridEditingHelp();
}

} // namespace quon
