// Opening a problem file into the input screen: the file is chosen and checked whole first
// (file_roads), and only a file that passed reaches the screen, which is then set up as if
// the user had typed the title and sizes and filled the grid.
#include "input/file_roads.h"
#include "input/problem_file.h"
#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "shell/ui/scr0.h"

namespace quon {

namespace {

// The header boxes and the sizes as the typed road leaves them, so that every later check
// (the save question on leaving among them) sees an opened problem as a typed one.
void PlaceHeader(Scr2 &input, const ProblemFile &file) {
  input.ShowTitle(file.title);
  input.BX2.SetText(g.HeaderText[2]);
  const bool second = HasSecondSize(g.ModelClass);
  if (second) input.BX3.SetText(g.HeaderText[3]);
  CheckProblemSize(1, input.BX2.Text(), input.BX3.Text());
  if (second) CheckProblemSize(2, input.BX2.Text(), input.BX3.Text());
  if (g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming) g.ObjSense = g.SenseText.str() == "Minimize" ? 1 : -1;
}

} // namespace

OpenOutcome OpenProblemFile() {
  OpenRoad road = ChooseProblemFile();
  if (road.outcome == OpenOutcome::BackToMainMenu) {
    // The MAIN menu screen unloads the input screen as it comes up.
    UnloadForm<Scr0>();
    scr0().Show();
    return road.outcome;
  }
  Scr2 &input = scr2();
  if (road.outcome == OpenOutcome::Cancelled) {
    if (g.ModelClass == ModelClassCode::ProjectPlanning) {
      input.Label2.SetVisible(false);
      input.BX2.SetVisible(false);
      input.Label6.SetVisible(true);
    }
    g.InputMode = -1;
    return road.outcome;
  }

  const ProblemFile &file = road.file;
  input.Show();
  input.SetCaption(OpenedCaption(g.FileName));
  ApplyProblemFile(file, g.ModelClass);
  PlaceHeader(input, file);

  // A project's grid keeps the row count the file gives; the other classes build theirs
  // from the sizes.
  const GridShape shape = ShapeForElected(file, g.ModelClass);
  input.grid1.SetRows(shape.rows);
  input.grid1.SetCols(shape.cols);
  g.GridReadyFlag = 0;
  g.GridFromFile = 1;
  input.InitInputGrid();
  g.GridFromFile = 0;
  FillGridFromFile(input.grid1, file, g.ModelClass);

  if (g.ModelClass == ModelClassCode::Networks) {
    input.Check1.SetValue(file.symmetric);
    g.SymmetricNet = file.symmetric;
    g.CurRow = 1;
    g.CurCol = 2;
    input.PlaceCellEditor(g.CurRow, g.CurCol);
  }
  input.saveMenu.SetEnabled(true);
  input.SaveAsMenu.SetEnabled(true);
  // Left unchanged, the problem needs no saving.
  g.SavedProblem = input.ProblemOnScreen();
  return road.outcome;
}

} // namespace quon
