#include "input/ui/solve_screen_link.h"

#include "shell/ui/scr3.h"

namespace quon {

void ShowSolveModifyScreen() { scr3().Show(); }

} // namespace quon
