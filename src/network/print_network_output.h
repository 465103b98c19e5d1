// The printed network output: the original arc values as one print document, then the result
// of the current sub-model and view (spanning tree, Dijkstra's or Floyd's routes, maximal
// flow; summary or iterations) as a second one, read from the output grid as it stands.
#pragma once

#include <string>

#include "platform/grid_store.h"
#include "platform/surface.h"

namespace quon {

// Prints on the program's printer; a job that cannot be completed is reported and nothing of it
// is printed. Returns whether the job went out. The result closes with `verdict`, how the run
// of steps shown ended, when there is one.
bool PrintNetworkOutput(const GridStore &outputGrid, const std::string &verdict = {});
// The same on a given print job, which it ends twice (data, then result); the result is
// whether both ends succeeded. The step arrays the iterations continue from are left as they
// were: the displayed matrices are reloaded into copies.
bool PrintNetworkOutput(PageSurface &printer, const GridStore &outputGrid, const std::string &verdict = {});

} // namespace quon
