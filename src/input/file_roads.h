// The Save and Open roads of problem files with their dialogs and questions. They wait for the
// user through the user services, so tests drive them with a script.
#pragma once

#include <string>

#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

enum class SaveOutcome { Saved, Cancelled, Failed };

// Save and Save As (mode 0 and 1 both ask for the name): the Save As dialog, the retry
// question when no name was given, then the file. A failed write is reported in a critical
// message; a cancelled dialog stays silent. FileName holds the name chosen, ProblemFileName
// the file once it is written.
SaveOutcome SaveProblemFile(int16 mode, const GridStore &grid, const std::string &title, int16 symmetric);

} // namespace quon
