// The Save and Open roads of problem files with their dialogs and questions. They wait for the
// user through the user services, so tests drive them with a script.
#pragma once

#include <string>

#include "input/problem_file.h"

#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

enum class SaveOutcome { Saved, Cancelled, Failed };

// Save and Save As (mode 0 and 1 both ask for the name): the Save As dialog, the retry
// question when no name was given, then the file. A failed write is reported in a critical
// message; a cancelled dialog stays silent. FileName holds the name chosen, ProblemFileName
// the file once it is written.
SaveOutcome SaveProblemFile(int16 mode, const GridStore &grid, const std::string &title, int16 symmetric);

enum class OpenOutcome { Loaded, Cancelled, BackToMainMenu };

struct OpenRoad {
  OpenOutcome outcome = OpenOutcome::Cancelled;
  ProblemFile file; // when Loaded: read and checked whole, nothing applied yet
};

// The choosing half of opening a problem file: the Open dialog, the model-class check of the
// file with its retry question, and the check of every value. A file that is not a valid
// problem file is reported in a critical message and ends the road as a cancelled dialog does
// (InputMode -1: an empty new problem). BackToMainMenu: the mismatch question was answered
// No. On Loaded, FileName and ProblemFileName name the file; the caller then applies it
// (ApplyProblemFile), builds the grid and fills it (FillGridFromFile).
OpenRoad ChooseProblemFile();

} // namespace quon
