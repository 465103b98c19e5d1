// The roads of project planning through the shell's screens.
#pragma once

namespace quon {

void RegisterProjectRoads();

} // namespace quon
