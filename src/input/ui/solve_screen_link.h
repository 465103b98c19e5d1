// The screen that "SOLVE Menu" leads to. The SOLVE/MODIFY screen belongs to the shell; the
// input screen reaches it only through this call.
#pragma once

namespace quon {

// Shows the SOLVE/MODIFY screen (loading it first when needed).
void ShowSolveModifyScreen();

} // namespace quon
