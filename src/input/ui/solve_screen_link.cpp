#include "input/ui/solve_screen_link.h"

namespace quon {

// Until the SOLVE/MODIFY screen exists there is nothing to show.
void ShowSolveModifyScreen() {}

} // namespace quon
