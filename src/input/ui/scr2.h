// The input screen: the problem header (title and size boxes), the input grid with its
// floating cell editor, the button row and the File and EditGrid menus.
#pragma once

#include <string>

#include "input/file_roads.h"
#include "platform/menu.h"
#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "shell/mod1.h"

namespace quon {

class Scr2 : public Form {
public:
  Scr2();

  Label Label1{*this, "Label1"};
  TextBox BX1{*this, "BX1"};
  Label Label2{*this, "Label2"};
  TextBox BX2{*this, "BX2"};
  Label Label3{*this, "Label3"};
  TextBox BX3{*this, "BX3"};
  Label Label6{*this, "Label6"};
  Label Label7{*this, "Label7"};
  Label Label8{*this, "Label8"};
  Frame Frame2{*this, "Frame2"};
  CheckBox Check1{Frame2, "Check1"};
  Label Label4{Frame2, "Label4"};
  Frame Frame1{*this, "Frame1"};
  Button cmdDone{Frame1, "cmdDone"};
  Button cmdMainMenu{Frame1, "cmdMainMenu"};
  Button cmdExitQuon{Frame1, "cmdExitQuon"};
  Grid grid1{*this, "grid1"};
  TextBox BX0{*this, "BX0"};

  MenuItem fileMenu{MenuBar(), "fileMenu", "&File"};
  MenuItem saveMenu{fileMenu, "saveMenu", "&Save"};
  MenuItem SaveAsMenu{fileMenu, "SaveAsMenu", "Save &As"};
  MenuItem mainMenu{fileMenu, "mainMenu", "&Main Menu"};
  MenuItem ExitQUONMenu{fileMenu, "ExitQUONMenu", "E&xit QUON"};
  MenuItem editMenu{MenuBar(), "editMenu", "&EditGrid"};
  MenuItem mnuUndo{editMenu, "mnuUndo", "&Undo Last Insert, Paste, Or Delete" + std::string(30, ' '), 'U'};
  MenuItem mnuCopyMenu{editMenu, "mnuCopyMenu", "&Copy Column or Row" + std::string(40, ' '), 'C'};
  MenuItem mnuPasteMenu{editMenu, "mnuPasteMenu", "&Paste on Column or Row" + std::string(34, ' '), 'P'};
  MenuItem mnuDeleteMenu{editMenu, "mnuDeleteMenu", "&Delete Column or Row" + std::string(38, ' '), 'D'};
  MenuItem mnuInsertMenu{editMenu, "mnuInsertMenu", "&Insert column or Row" + std::string(39, ' '), 'I'};

  void Form_Load() override;
  // Closing the window goes the way of "Exit QUON".
  void Form_CloseRequest() override { cmdExitQuon_Click(); }
  void Form_Paint() override;

  void BX1_Click();
  void BX1_DblClick();
  void BX1_KeyDown(int &keyCode, int shift);
  void BX1_KeyPress(int &keyAscii);
  void BX2_Click();
  void BX2_DblClick();
  void BX2_KeyDown(int &keyCode, int shift);
  void BX2_KeyPress(int &keyAscii);
  void BX3_Click();
  void BX3_DblClick();
  void BX3_KeyDown(int &keyCode, int shift);
  void BX3_KeyPress(int &keyAscii);
  void Check1_Click();

  // Leaving the input screen: "SOLVE Menu", "MAIN Menu", "Exit QUON" and the File menu.
  void cmdDone_Click();
  void cmdMainMenu_Click();
  void cmdExitQuon_Click();
  void saveMenu_Click();
  void SaveAsMenu_Click();
  void ExitQUONMenu_Click();
  void mainMenu_Click();
  // Saves the problem on the screen through the Save As dialog (mode 0 Save, 1 Save As).
  SaveOutcome SaveProblemFile(int16 mode);
  // The problem as the save question compares it (ProblemContent).
  std::string ProblemOnScreen() const;

  // Checks the sizes confirmed in size box `which` (1 or 2; 1 also for a project's title) and,
  // once they are complete, builds the grid and puts the editor on its first data cell. A grid
  // already on the screen stays as it is for the same sizes; for others it is rebuilt with
  // every cell that still has a place kept.
  void ValidateProblemSize(int16 which);

  // Puts the problem's title into the title box; unlike the user's typing, no change.
  void ShowTitle(const std::string &title);

  // The input grid's part of the screen, built with the input grid: the grid set-up for the
  // current model class and sizes, the editor's placement over a cell, and the grid-editing
  // help beside the header.
  void InitInputGrid();
  void PlaceCellEditor(int16 row, int16 col);
  int32 InputGridHeight() const;
  void ShowGridEditingHelp();

  // The grid's click, double-click and scroll, and the cell editor's keys.
  void grid1_Click();
  void grid1_DblClick();
  void grid1_Scroll();
  // The EditGrid menu.
  void mnuUndo_Click();
  void mnuCopyMenu_Click();
  void mnuPasteMenu_Click();
  void mnuDeleteMenu_Click();
  void mnuInsertMenu_Click();
  // A click or double-click on the cell editor is one on the cell it covers.
  void BX0_Click();
  void BX0_DblClick();
  // After a refusal, or wherever the screen stays with the grid cut or rebuilt under the
  // editor: the editor goes to the cell named (row, col), or back onto the cell it stood on,
  // or the nearest one the grid still has, and takes the keyboard.
  void KeepEditorOnGrid(int row = -1, int col = -1);
  // The editor is hidden while the grid has no cell under it any more.
  void HideEditorOffGrid();
  void BX0_KeyDown(int &keyCode, int shift);
  void BX0_KeyPress(int &keyAscii);
  void BX0_KeyUp(int &keyCode, int shift);

private:
  // Colours of the grid and the handlers of the grid and the editor.
  void WireInputGrid();
  // The digit filter of a size box; `box` gets the focus back after a refused character.
  void SizeKeyPress(int &keyAscii, TextBox &box, bool selectAgain);
  // Keeps a size box to digits whatever reaches it (a paste does not pass the key filter).
  void GuardDigits(TextBox &box, std::string &lastGood);
  void RefuseTooLarge(TextBox &box, const std::string &message);
  // Escape in a size box: the box shows again the size in force (the grid's, or the size last
  // accepted before there is a grid), selected for typing over.
  void RestoreSizeInForce(TextBox &box);

  std::string bx2Good_, bx3Good_;
  std::string acceptedSize1_, acceptedSize2_;
  bool helpShown_ = false;
  // A grid has been built on this screen (typed sizes, an opened file, the return to the input).
  bool gridBuilt_ = false;
  bool showingTitle_ = false;
};

Scr2 &scr2();

// Opens a problem file chosen in the Open dialog into the input screen. Cancelled (InputMode
// -1) also after a file that is not a valid problem file; BackToMainMenu when the mismatch
// question was answered No: the MAIN menu screen is then shown and the input screen is gone.
OpenOutcome OpenProblemFile();

// Rebuilds the input screen with the problem as it was submitted.
void ModifyInputData();

} // namespace quon
