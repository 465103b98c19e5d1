// The roads of the queueing models through the shell's screens.
#pragma once

namespace quon {

void RegisterQueueRoads();

} // namespace quon
