// The program's roads between screens: the input screen, and each model class through the
// shell's screens. A new class is one more line here.
#include "games/ui/game_roads.h"
#include "input/ui/input_screen_roads.h"
#include "integer/ui/integer_roads.h"
#include "linear/ui/linear_roads.h"
#include "network/ui/network_roads.h"
#include "project/ui/project_roads.h"
#include "queue/ui/queue_roads.h"
#include "shell/ui/model_roads.h"
#include "transport/ui/transport_roads.h"

namespace quon {

void RegisterAllModelRoads() {
  RegisterInputScreen();
  RegisterLinearRoads();
  RegisterTransportRoads();
  RegisterIntegerRoads();
  RegisterQueueRoads();
  RegisterNetworkRoads();
  RegisterProjectRoads();
  RegisterGameRoads();
}

} // namespace quon
