// The printed queueing output: the view chosen last on the output screen, one scenario with its
// measures and probability table, or the comparative analysis of all scenarios.
#pragma once

#include "platform/surface.h"

namespace quon {

// Prints on the program's printer; a job that cannot be completed is reported and nothing of it
// is printed. Returns whether the job went out.
bool PrintQueueOutput();
// The same on a given print job, ended at its last line; the result is the end's.
bool PrintQueueOutput(PageSurface &printer);
// The body under the heading, from PrintY on: what the last screen view computed.
void PrintQueueScenarioOutput(PageSurface &printer);

} // namespace quon
