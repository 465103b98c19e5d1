// The roads of the transportation model through the shell's screens.
#pragma once

namespace quon {

void RegisterTransportRoads();

} // namespace quon
