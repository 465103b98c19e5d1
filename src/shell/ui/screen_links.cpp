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

bool ReturnToInputScreen() {
  return Roads().returnToInput && Roads().returnToInput();
}

void PlaceInputCellEditor(int16 row, int16 col) {
  if (Roads().placeCellEditor) Roads().placeCellEditor(row, col);
}

} // namespace quon
