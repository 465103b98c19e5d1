// The measures of a Poisson queue for one scenario: the state probabilities, their cumulative
// sums and the nine measures (arrival and service rates, effective arrival rate, lambda/mu,
// p0, Ls, Lq, Ws, Wq), for single, multiple and unlimited servers, finite or infinite system
// and source limits, and the pure-birth and pure-death models.
#pragma once

#include <string>

#include "shell/mod1.h"

namespace quon {

// The queueing model's own shared values, beside the scenario tables of the data module.
struct QueueState {
  int16 CurScen = 0;     // the scenario ComputeQueueMeasures works on
  int16 NPn = 0;         // rows of the probability table: n = 0 .. NPn - 1
  int16 SavedCtlPos = 0; // screen Y just below the output heading
};

extern QueueState gq;

// The value that stands for an unlimited server count, system limit or source limit.
inline constexpr int kQueueInfinite = 9999;

// Computes scenario gq.CurScen of QueueData into its row of QueueMeasures, QueuePn,
// QueueCumPn and gq.NPn. The measures are exact for the whole state space, however long; the
// probability table holds n = 0 .. at most MaxPnN and ends once the probabilities have passed
// their peak and fallen below 1E-05.
void ComputeQueueMeasures();

// The number of servers, system limit and source limit of scenario s as whole numbers.
int QueueServers(int s);
int QueueSystemLimit(int s);
int QueueSourceLimit(int s);

// The population of a pure-death scenario: the smaller positive finite limit of the two, an
// unlimited one counting as MaxPnN, and never more than MaxPnN.
int QueuePureDeathPopulation(int s);

// "(M/M/c):(GD/N/K)" for scenario s, with "infinity" for an unlimited system or source limit.
std::string QueueModelNotation(int s);

} // namespace quon
