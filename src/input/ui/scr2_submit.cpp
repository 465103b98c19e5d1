// Leaving the input screen: "SOLVE Menu" submits the problem and moves on to the SOLVE/MODIFY
// screen; "MAIN Menu" and "Exit QUON" (buttons and File menu) go back or end the program; Save
// and Save As write the problem file. Every road that leaves offers to save first when the
// problem differs from the file last opened or saved, and a save that fails keeps the user on
// the input screen with the data as typed.
#include <string>

#include "input/file_roads.h"
#include "input/grid_clipboard.h"
#include "input/input_grid.h"
#include "input/problem_header.h"
#include "input/submit_input.h"
#include "input/ui/scr2.h"
#include "input/ui/solve_screen_link.h"
#include "linear/lp_model.h"
#include "platform/user_services.h"
#include "shell/ui/screen_links.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

// Shows a refusal of the input and sends the user to the cell it names; a refusal that names
// none leaves the editor on its cell, or on the nearest one where the check cut the grid (a
// project's trailing rows), so that what is typed next lands in a cell that is shown.
void Refuse(Scr2 &s, const InputMessage &m) {
  if (m.resetSelection) ResetInputGridSelection(s.grid1);
  s.HideEditorOffGrid();
  ShowInputMessage(m);
  if (m.HasCell())
    s.KeepEditorOnGrid(m.row, m.col);
  else
    s.KeepEditorOnGrid();
}

// "Do you wish to save data?" before leaving. True when the road goes on: No, or Yes with the
// problem saved. Cancel and a save that failed stay. A Save dialog cancelled after Yes stays
// too where the road drops the problem (leaving for the MAIN menu or ending the program);
// "SOLVE Menu" keeps the problem for the return to the input, so there it goes on.
// Wherever the user stays, the editor stands on its cell with the keyboard, whichever button
// or menu asked: what is typed next lands in the grid.
bool OfferToSave(Scr2 &s, bool withCancel, bool problemDropped) {
  const int answer = ShowInputMessage(SaveQuestion(withCancel));
  bool goesOn = answer != msg::Cancel;
  if (answer == msg::Yes) {
    const SaveOutcome saved = s.SaveProblemFile(0);
    goesOn = saved == SaveOutcome::Saved || (saved == SaveOutcome::Cancelled && !problemDropped);
  }
  if (!goesOn) s.KeepEditorOnGrid();
  return goesOn;
}

// Back to the MAIN menu screen, which unloads this one when it comes up.
void LeaveForMainMenu() {
  ShowMainMenuWithoutInputMode();
}

} // namespace

SaveOutcome Scr2::SaveProblemFile(int16 mode) {
  const int16 symmetric = static_cast<int16>(Check1.Value() == 1 ? 1 : 0);
  const SaveOutcome saved = quon::SaveProblemFile(mode, grid1, BX1.Text(), symmetric);
  if (saved == SaveOutcome::Saved) g.SavedProblem = ProblemContent(grid1, BX1.Text(), symmetric);
  return saved;
}

std::string Scr2::ProblemOnScreen() const {
  return ProblemContent(grid1, BX1.Text(), static_cast<int16>(Check1.Value() == 1 ? 1 : 0));
}

void Scr2::cmdDone_Click() {
  // A size box edited but not confirmed goes back to the size the grid holds: the problem
  // submitted and kept is the grid's.
  const SubmitHeader header = ConfirmedHeader(grid1, {BX1.Text(), BX2.Text(), BX3.Text()});
  if (BX2.Text() != header.size1 || (HasSecondSize(g.ModelClass) && BX3.Text() != header.size2)) {
    BX2.SetText(header.size1);
    if (HasSecondSize(g.ModelClass)) BX3.SetText(header.size2);
    grid1.SetVisible(true);
  }
  // Whether the problem changed is known before the readers write their own marks into the grid.
  const bool due = SaveQuestionDue();
  if (auto refusal = BeginSubmission(grid1, header)) {
    Refuse(*this, *refusal);
    return;
  }
  if (g.ModelClass == ModelClassCode::ProjectPlanning) BX2.SetText(std::to_string(g.NodeCount));
  // The clipboard block is the only copy of the input while the later screens are shown.
  GridClipboard("in", grid1, 0, 0, static_cast<int16>(grid1.Rows() - 1),
                static_cast<int16>(grid1.Cols() - 1));
  if (auto refusal = ConvertInput(grid1, header, BuildLPStandardForm)) {
    Refuse(*this, *refusal);
    return;
  }
  ResetInputGridSelection(grid1);
  if (due && !OfferToSave(*this, true, false)) return;
  // The later screens ask again unless the problem was saved here.
  g.KeptUnsaved = due && SaveQuestionDue();
  g.FileName.clear();
  // The next screen comes up before this one goes, so the program never runs out of screens;
  // with no screen to go to the input stays rather than the program ending. This one leaves
  // the screen first: the next opens its menu as it comes up, and waits there.
  Hide();
  ShowSolveModifyScreen();
  if (Forms::Loaded().size() > 1)
    Unload(*this);
  else
    Show();
}

void Scr2::cmdMainMenu_Click() {
  g.FileName.clear();
  if (SaveQuestionDue() && !OfferToSave(*this, true, true)) return;
  g.NumFormatType = 1;
  LeaveForMainMenu();
}

void Scr2::mainMenu_Click() {
  g.FileName.clear();
  if (SaveQuestionDue() && !OfferToSave(*this, false, true)) return;
  LeaveForMainMenu();
}

void Scr2::cmdExitQuon_Click() {
  if (SaveQuestionDue() && !OfferToSave(*this, true, true)) return;
  UnloadAllForms();
  Unload(*this);
}

void Scr2::ExitQUONMenu_Click() {
  cmdExitQuon_Click();
}

void Scr2::saveMenu_Click() {
  SaveProblemFile(0);
}

void Scr2::SaveAsMenu_Click() {
  SaveProblemFile(1);
}

} // namespace quon
