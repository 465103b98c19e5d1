// The queueing output on the output screen: the option list of scenarios with the comparative
// analysis last, then for the chosen item the scenario's measures and probability table, or
// the measures of every scenario side by side.
#pragma once

namespace quon {

// The output builder of the queueing model: page heading, title and the option list. Nothing
// is shown below the list until an item is chosen.
void InitQueueOutputScreen();

// Computes and shows the item chosen in the option list (OutputOption): scenario 1..NScen, or
// the comparative analysis for the last item.
void ShowQueueScenarioOutput();

} // namespace quon
