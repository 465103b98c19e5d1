#include "shell/ui/screen_links.h"

#include "shell/ui/scr0.h"

namespace quon {

namespace {

InputScreenRoads &Roads() {
  static InputScreenRoads roads;
  return roads;
}

} // namespace

void RegisterInputScreenRoads(InputScreenRoads roads) {
  Roads() = std::move(roads);
}

const InputScreenRoads &InputScreen() {
  return Roads();
}

void ShowMainMenu() {
  scr0().Show();
}

void ShowMainMenuWithoutInputMode() {
  // A MAIN menu screen still loaded would not come up afresh, so it goes first.
  UnloadForm<Scr0>();
  Scr0 &menu = scr0();
  menu.FrameInputMode.SetVisible(false);
  menu.Show();
}

bool ReturnToInputScreen() {
  return Roads().returnToInput && Roads().returnToInput();
}

void PlaceInputCellEditor(int16 row, int16 col) {
  if (Roads().placeCellEditor) Roads().placeCellEditor(row, col);
}

void ExitQuonFromLaterScreen() {
  if (Roads().exitAskingToSave) {
    Roads().exitAskingToSave();
    return;
  }
  Forms::UnloadAllButLast();
  if (!Forms::Loaded().empty()) Unload(*Forms::Loaded().front());
}

} // namespace quon
