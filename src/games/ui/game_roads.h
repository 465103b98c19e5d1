// The roads of zero-sum games through the shell's screens.
#pragma once

namespace quon {

void RegisterGameRoads();

} // namespace quon
