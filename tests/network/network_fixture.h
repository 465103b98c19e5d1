// A network as "SOLVE Menu" hands it over: NodeCount, the arc values in Cost and ArcMatrix,
// node names; every cell not given is empty (999999, or -999999 for maximal flow).
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "shell/mod1.h"

namespace quon::testing {

struct Arc {
  int from, to;
  double value;
};

inline void LoadNetwork(int n, const std::vector<Arc> &arcs, int subModel = 2, bool symmetric = false,
                        const std::vector<std::string> &names = {}) {
  const double absent = subModel == 4 ? -999999.0 : 999999.0;
  g.NodeCount = static_cast<int16>(n);
  g.NetSubModel = static_cast<int16>(subModel);
  g.Infinity = 999999;
  ReDimProblemArrays(ArrayKind::Networks);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      g.Cost((i - 1) * n + j) = absent;
      g.ArcMatrix(i, j) = absent;
    }
    if (i <= static_cast<int>(names.size())) g.VarNames(i) = names[static_cast<std::size_t>(i - 1)];
  }
  auto put = [&](int i, int j, double v) {
    g.Cost((i - 1) * n + j) = v;
    g.ArcMatrix(i, j) = v;
  };
  for (const Arc &a : arcs) {
    put(a.from, a.to, a.value);
    if (symmetric) put(a.to, a.from, a.value);
  }
}

// The small network of the worked examples, symmetric: shortest route 1 - 3 - 2 - 4 of
// length 4 and a spanning tree of length 4.
inline std::vector<Arc> RouteExample() {
  return {{1, 2, 3}, {1, 3, 1}, {2, 3, 1}, {2, 4, 2}, {3, 4, 5}};
}

// Capacities of the maximal-flow example: 5 units in three breakthroughs.
inline std::vector<Arc> FlowExample() {
  return {{1, 2, 3}, {1, 3, 2}, {2, 3, 1}, {2, 4, 2}, {3, 4, 3}};
}

} // namespace quon::testing
