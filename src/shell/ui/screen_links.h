// The roads from the shell's screens to the input screen and the MAIN menu. The input screen
// belongs to the problem input, which registers these roads; the shell's screens reach it only
// through them.
#pragma once

#include <functional>

#include "shell/mod1.h"

namespace quon {

struct InputScreenRoads {
  // Loads the input screen (without showing it), so that the screen leaving for it may unload.
  std::function<void()> load;
  // "Go to Input Screen" of the MAIN menu: the input screen for a new problem.
  std::function<void()> showForNewProblem;
  // "Select Existing File": the Open dialog over the input screen until a file loads, the user
  // turns to a new problem, or goes back to the MAIN menu.
  std::function<void()> openExistingFile;
  // "View/Modify Input Data": the input screen rebuilt from what "SOLVE Menu" kept; true when
  // the input screen is then on display.
  std::function<bool()> returnToInput;
  // Puts the input screen's cell editor on a cell of its grid.
  std::function<void(int16 row, int16 col)> placeCellEditor;
  // "Exit QUON" of a later screen: the problem kept by "SOLVE Menu" is offered for saving as
  // the input screen's own exit offers it, then the program ends. Cancel leaves every screen
  // as it was; a save that does not happen leaves the input screen showing the problem.
  std::function<void()> exitAskingToSave;
};

void RegisterInputScreenRoads(InputScreenRoads roads);
const InputScreenRoads &InputScreen();

// The MAIN menu screen, which unloads every other screen when it is activated.
void ShowMainMenu();
// The same with its input-mode frame hidden until a model class is chosen again. The frame is
// hidden before the screen comes up, since its activation waits in the MAIN menu popup and a
// choice made there shows the frame again.
void ShowMainMenuWithoutInputMode();

// "View/Modify Input Data" from a later screen: true when the input screen is on display.
bool ReturnToInputScreen();

// Puts the input screen's cell editor on a cell of its grid.
void PlaceInputCellEditor(int16 row, int16 col);

// "Exit QUON" from a screen after the input: with the save question where a problem is held.
void ExitQuonFromLaterScreen();

} // namespace quon
