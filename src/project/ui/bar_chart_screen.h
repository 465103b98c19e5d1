// The project's part of the graph screen: the CPM bar chart with its schedule grid and the
// schedule experiment.
#pragma once

#include "linear/ui/scr_lp_graf.h"

namespace quon {

GraphScreenHooks ProjectGraphScreenHooks();

// Shows the graph screen over the output screen, which stays loaded under it.
void ShowBarChartScreen();

} // namespace quon
