// The roads of the network models through the shell's screens.
#pragma once

namespace quon {

void RegisterNetworkRoads();

} // namespace quon
