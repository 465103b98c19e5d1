// The roads of integer programming through the shell's screens.
#pragma once

namespace quon {

void RegisterIntegerRoads();

} // namespace quon
