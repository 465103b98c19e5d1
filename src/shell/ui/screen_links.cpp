#include "shell/ui/screen_links.h"

#include "input/ui/scr2.h"
#include "shell/ui/scr0.h"

namespace quon {

void ShowMainMenu() {
  scr0().Show();
}

void PlaceInputCellEditor(int16 row, int16 col) {
  scr2().PlaceCellEditor(row, col);
}

} // namespace quon
