// The engine side of "SOLVE Menu" on the input screen: the header texts are kept, the input
// is checked and converted for its model class by the class's own reader, and any refusal
// comes back as the message to show. The screen puts the grid on the clipboard between the
// two steps, asks the save question and moves on.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/input_message.h"
#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// The texts of the input screen's header boxes.
struct SubmitHeader {
  std::string title;
  std::string size1;
  std::string size2;
};

// The header that goes with the grid: a size text changed but not confirmed (or confirmed
// without the grid being built for it) goes back to the size the grid was built with, so the
// problem kept for the return to the input is the one the grid holds. Projects have no size.
SubmitHeader ConfirmedHeader(const GridStore &grid, SubmitHeader typed);

// First half: the title and first size text are kept; a project grid is trimmed to its
// activity rows and checked row by row (NodeCount then holds the largest node number, which
// the screen shows in its size box); every data cell must hold what a problem file may hold
// (a refusal names the cell); GridRows and GridCols keep the grid's size.
std::optional<InputMessage> BeginSubmission(GridStore &grid, const SubmitHeader &header);

// The standard-form conversion of linear and integer programs, supplied by the linear engine.
using LPConversion = void (*)(const GridStore &grid);

// Second half: the conversion or reading of the model class. On success the problem lives in
// the program-wide arrays and the grid's selection is to be reset (and for transportation the
// corner cell (1, 1) reads "S/D Name" again).
std::optional<InputMessage> ConvertInput(GridStore &grid, const SubmitHeader &header,
                                         LPConversion buildLP = nullptr);

// Matrix inversion and linear equations: the matrix (and right-hand sides) into Tab and
// InvInput, with the column names x1..xn.
void CopyMatrixInput(const GridStore &grid);

// The refusal that the LP conversion left in InputErrorIndex (k > 0: constraint k has only
// zero coefficients; k < 0: the bounds of variable -k cross), which is then cleared.
std::optional<InputMessage> TakeLPInputError();

// The one rule of every road that leaves the input screen or ends the program with a problem
// on hand ("SOLVE Menu", the buttons, the File menu, the window's close, their keys, the later
// screens' exits): "Do you wish to save data?" is due once a transportation, variable, node or
// scenario count has been entered (a project: once its grid was changed), and the problem
// differs from the one last saved or opened (SavedProblem): on the input screen its content
// now (InputProblemContent), on the later screens as "SOLVE Menu" left it (KeptUnsaved). A
// change typed back to what was saved counts as none. The counts stay while the problem is kept
// for the return to the input, so a reader clearing the change mark as it converts (SOLVE
// Menu then Cancel, a refusal, or No and a return) never passes for a save.
bool SaveQuestionDue();

// The content (ProblemContent) of the problem on the input screen while that screen holds one;
// set by the input screen.
void SetInputProblemContent(std::function<std::optional<std::string>()> content);

// The header boxes of the input screen as they were when the input was submitted.
struct KeptHeader {
  std::string title;      // BX1
  std::string size1;      // BX2
  std::string size2;      // BX3, for the classes with a second size
  bool size1Shown = true; // a project has no size box
};

// The data side of the return to the input screen: the input digit counts come back, no
// tableau is counted and no LP method chosen, and the sizes are read again from the size
// texts as typed (so a balanced transportation problem has its typed sizes again) into the
// counts of the model class, which loading the input screen cleared. The grid
// is then rebuilt at GridRows x GridCols and filled from the kept block.
KeptHeader RestoreInputState();

// "Do you wish to save data?", titled "Save?", with Yes, No and (unless from the File menu's
// "Main Menu") Cancel.
InputMessage SaveQuestion(bool withCancel = true);

} // namespace quon
