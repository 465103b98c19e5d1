// Queueing scenarios as a successful input check leaves them, in the output format that the
// queueing road proposes (N 5, D 5).
#pragma once

#include <vector>

#include "queue/queue_measures.h"
#include "shell/mod1.h"

namespace quon::testing {

inline constexpr double kQueueInf = kQueueInfinite;

// One row per scenario: lambda, mu, servers, system limit, source limit.
inline void LoadQueueScenarios(const std::vector<std::vector<double>> &rows) {
  gq = QueueState{};
  g.ModelClass = ModelClassCode::Queueing;
  g.NumFormatType = 1;
  g.NumDigitsN = 5;
  g.NumDigitsD = 5;
  g.HeaderText[1] = "Bank tellers";
  g.NScen = static_cast<int16>(rows.size());
  g.QueueData.ReDim(g.NScen, 5);
  g.QueueMeasures.ReDim(g.NScen, 9);
  g.QueuePn.ReDim(MaxPnN + 1);
  g.QueueCumPn.ReDim(MaxPnN + 1);
  for (int i = 1; i <= g.NScen; ++i)
    for (int j = 1; j <= 5; ++j)
      g.QueueData(i, j) = rows[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
}

} // namespace quon::testing
