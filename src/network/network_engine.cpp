#include "network/network_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

namespace {

int Nodes() {
  return g.NodeCount;
}

double ArcValue(int i, int j) {
  return g.Cost((i - 1) * Nodes() + j);
}

// A sum beyond the range of a double becomes the largest double of its sign, so two huge
// numbers typed in cells still add up to a number.
double Finite(double v) {
  constexpr double top = std::numeric_limits<double>::max();
  return std::clamp(v, -top, top);
}

} // namespace

// ---- Minimal spanning tree ----

void StartSpanningTree() {
  const int n = Nodes();
  g.InTree.ReDim(n);
  if (g.TreeNodes.Empty() || g.TreeNodes.UBound() < n) g.TreeNodes.ReDim(n);
  g.TreeCount = 1;
  g.TreeNodes(1) = g.FromNode;
  g.InTree(g.FromNode) = 1;
  g.ZValue = 0;
}

std::optional<TreeArc> AddSpanningTreeArc() {
  if (g.TreeCount == 0) StartSpanningTree();
  const int n = Nodes();
  // Only an arc read as 999999 is absent; a longer one typed as a number is an arc.
  double minimum = kUnlimited;
  TreeArc best;
  for (int t = 1; t <= g.TreeCount; ++t) {
    const int i = g.TreeNodes(t);
    for (int j = 1; j <= n; ++j) {
      if (g.InTree(j) != 0) continue;
      const double a = ArcValue(i, j);
      if (a == kNoArc) continue;
      if (a <= minimum) {
        minimum = a;
        best = TreeArc{static_cast<int16>(i), static_cast<int16>(j), a};
      }
    }
  }
  if (std::isinf(minimum)) {
    g.TreeCount = 0;
    return std::nullopt;
  }
  g.ZValue = DecimalSum(g.ZValue, best.length);
  ++g.TreeCount;
  g.TreeNodes(g.TreeCount) = best.to;
  g.InTree(best.to) = 1;
  return best;
}

// ---- Dijkstra ----

void InitDijkstraLabels() {
  const int n = Nodes();
  g.CurrentNode = 1;
  g.DijkstraPred(1) = -1;
  g.DijkstraDist(1) = 0;
  // Unlabelled is a true infinity: a route as long as 999999 or longer is still a route.
  for (int j = 2; j <= n; ++j) {
    g.DijkstraDist(j) = kUnlimited;
    g.DijkstraPred(j) = static_cast<int16>(j);
  }
}

void DijkstraRelax() {
  const int n = Nodes();
  const int c = g.CurrentNode;
  for (int j = 1; j <= n; ++j) {
    const double a = ArcValue(c, j);
    if (a == kNoArc) continue;
    const double d = g.DijkstraDist(c);
    if (d + a - g.DijkstraDist(j) > DecimalSumReach(d, a)) continue;
    const double s = Finite(DecimalSum(d, a));
    if (s < g.DijkstraDist(j)) {
      g.DijkstraDist(j) = s;
      g.DijkstraPred(j) = static_cast<int16>(c);
    }
  }
}

bool DijkstraSelect() {
  const int n = Nodes();
  double best = kUnlimited;
  int found = 0;
  for (int j = 1; j <= n; ++j)
    if (g.DijkstraPred(j) > 0 && g.DijkstraDist(j) < best) {
      found = j;
      best = g.DijkstraDist(j);
    }
  if (found == 0) return false;
  g.CurrentNode = static_cast<int16>(found);
  g.DijkstraPred(found) = static_cast<int16>(-g.DijkstraPred(found));
  g.DijkstraDist(found) = best;
  return true;
}

void SolveDijkstra() {
  InitDijkstraLabels();
  for (int k = 1; k < Nodes(); ++k) {
    DijkstraRelax();
    DijkstraSelect();
  }
}

std::string DijkstraRouteText(int j) {
  if (j == 1) return " --";
  if (std::isinf(g.DijkstraDist(j))) return "";
  std::vector<int> back{j};
  // A route visits each node once; a longer walk has met a cycle of the predecessors.
  for (int p = std::abs(g.DijkstraPred(j)); p != 1; p = std::abs(g.DijkstraPred(p))) {
    if (static_cast<int>(back.size()) + 1 >= Nodes()) return "";
    back.push_back(p);
  }
  std::string route = " 1";
  for (auto it = back.rbegin(); it != back.rend(); ++it) {
    route.append(" - ");
    route.append(std::to_string(*it));
  }
  return route;
}

// ---- Floyd ----

void InitFloyd() {
  const int n = Nodes();
  ReDimProblemArrays(ArrayKind::Floyd);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      // No arc is no route yet; every other value, however large, is a length.
      const double a = ArcValue(i, j);
      g.NetMatrix(i, j) = a == kNoArc ? kUnlimited : a;
      g.NetMatrix2(i, j) = static_cast<int16>(j);
    }
}

void FloydStep() {
  const int n = Nodes();
  const int k = static_cast<int>(g.IterCount);
  g.ChangedCells.ReDimRange(1, 2, 0, n * n);
  int count = 0;
  const int base = (k - 1) * (n + 2) + 1;
  for (int i = 1; i <= n; ++i) {
    if (i == k) continue;
    const double dik = g.NetMatrix(i, k);
    if (std::isinf(dik)) continue;
    for (int j = 1; j <= n; ++j) {
      if (j == i || j == k) continue;
      const double dkj = g.NetMatrix(k, j);
      if (std::isinf(dkj)) continue;
      if (dik + dkj - g.NetMatrix(i, j) > DecimalSumReach(dik, dkj)) continue;
      g.Determinant = Finite(DecimalSum(dik, dkj));
      const double s = g.Determinant;
      if (s < g.NetMatrix(i, j)) {
        g.NetMatrix(i, j) = s;
        g.NetMatrix2(i, j) = static_cast<int16>(k);
        ++count;
        g.ChangedCells(1, 0) = static_cast<int16>(count);
        g.ChangedCells(1, count) = static_cast<int16>(base + i);
        g.ChangedCells(2, count) = static_cast<int16>(j);
      }
    }
  }
}

void SolveFloyd() {
  for (g.IterCount = 1; g.IterCount <= Nodes(); ++g.IterCount)
    FloydStep();
}

std::vector<int> FloydRouteNodes(int f, int t) {
  const int n = Nodes();
  std::vector<int> route{f, t};
  // Positions before p are already direct arcs, so an insertion only needs p to stay.
  std::size_t p = 0;
  while (p + 1 < route.size()) {
    const int a = route[p], b = route[p + 1];
    const int via = g.NetMatrix2(a, b);
    if (via == b) {
      ++p;
      continue;
    }
    if (static_cast<int>(route.size()) >= n) return {};
    route.insert(route.begin() + static_cast<std::ptrdiff_t>(p) + 1, via);
  }
  return route;
}

std::string FloydRouteText(const std::vector<int> &nodes) {
  std::string text;
  for (std::size_t m = 0; m < nodes.size(); ++m) {
    if (m > 0) text.push_back('-');
    text.append(m == 0 ? std::to_string(nodes[m]) : Str(nodes[m]));
  }
  return text;
}

// ---- Maximal flow ----

namespace {

// The net flow sent over each ordered pair of nodes with an unlimited residual, (i, j) at
// (i - 1) * n + j - 1: what that residual, which no flow lowers, no longer tells.
std::vector<double> &NetFlows() {
  static std::vector<double> flows;
  return flows;
}

double &NetFlow(int i, int j) {
  const auto n = static_cast<std::size_t>(Nodes());
  std::vector<double> &flows = NetFlows();
  if (flows.size() != n * n) flows.assign(n * n, 0.0);
  return flows[static_cast<std::size_t>(i - 1) * n + static_cast<std::size_t>(j - 1)];
}

} // namespace

void InitMaxFlow() {
  const int n = Nodes();
  ReDimProblemArrays(ArrayKind::MaxFlow);
  NetFlows().assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      const double c = ArcValue(i, j);
      g.LPData(i, j) = c;
      // An empty cell is no arc: nothing to send, but flow sent the other way may come back.
      g.NetMatrix(i, j) = c == -kNoArc ? 0.0 : c == kNoArc ? kUnlimited : c;
    }
}

bool MaxFlowUnbounded() {
  return std::isinf(g.NetMatrix(1, 0));
}

void MaxFlowStep() {
  const int n = Nodes();
  std::vector<char> labelled(static_cast<std::size_t>(n) + 1, 0);
  int i = 1;
  labelled[1] = 1;
  int k = 0;
  g.NetMatrix(0, 0) = 0;
  g.NetMatrix2(1, 0) = 0;
  // An unbounded total is final: no further breakthrough can add to it.
  if (MaxFlowUnbounded()) return;
  const double none = -kNoArc;
  while (true) {
    double best = none;
    int candidate = 0;
    for (int j = 1; j <= n; ++j) {
      const double r = g.NetMatrix(i, j);
      if (!labelled[static_cast<std::size_t>(j)] && r > 0 && r > best) {
        best = r;
        candidate = j;
      }
    }
    if (best != none) {
      ++k;
      g.NetMatrix(0, k) = best;
      g.NetMatrix2(1, k) = static_cast<int16>(i);
      g.NetMatrix2(2, k) = static_cast<int16>(candidate);
      i = candidate;
      labelled[static_cast<std::size_t>(i)] = 1;
    } else {
      if (i == 1) return;
      i = g.NetMatrix2(1, k);
      --k;
    }
    if (i == n) break;
  }
  g.NetMatrix2(1, 0) = static_cast<int16>(k);
  double f = kNoArc;
  double smallest = std::numeric_limits<double>::max();
  bool unlimited = true;
  for (int m = 1; m <= k; ++m) {
    f = VarMin(g.NetMatrix(0, m), f);
    smallest = std::min(smallest, g.NetMatrix(0, m));
    unlimited = unlimited && std::isinf(g.NetMatrix(0, m));
  }
  if (unlimited) {
    // Nothing on the path limits the flow: every arc of it and the total take it without end.
    g.NetMatrix(0, 0) = kUnlimited;
    g.NetMatrix(1, 0) = kUnlimited;
    for (int m = 1; m <= k; ++m) {
      const int a = g.NetMatrix2(1, m), b = g.NetMatrix2(2, m);
      g.NetMatrix(b, a) = kUnlimited;
      NetFlow(a, b) = kUnlimited;
      NetFlow(b, a) = -kUnlimited;
    }
    return;
  }
  double flow = f;
  // A pass sends at most 999999: where that is lost in the single-precision resolution of the
  // path's smallest residual (some 2^-24 of it), the same path would come back for tens of
  // millions of passes. Such a path takes its smallest residual whole.
  const auto single = static_cast<float>(std::min<double>(smallest, std::numeric_limits<float>::max()));
  if (static_cast<float>(static_cast<double>(single) - flow) == single) flow = smallest;
  g.NetMatrix(0, 0) = flow;
  g.NetMatrix(1, 0) = Finite(DecimalSum(g.NetMatrix(1, 0), flow));
  // An unlimited residual stays unlimited whatever is sent over it or back.
  auto change = [](double &residual, double by) {
    if (!std::isinf(residual)) residual = Finite(DecimalSum(residual, by));
  };
  for (int m = 1; m <= k; ++m) {
    const int a = g.NetMatrix2(1, m), b = g.NetMatrix2(2, m);
    // Only a pair with an unlimited residual needs its flow kept apart.
    if (std::isinf(g.NetMatrix(a, b)) || std::isinf(g.NetMatrix(b, a))) {
      NetFlow(a, b) = DecimalSum(NetFlow(a, b), flow);
      NetFlow(b, a) = DecimalSum(NetFlow(b, a), -flow);
    }
    change(g.NetMatrix(a, b), -flow);
    change(g.NetMatrix(b, a), flow);
  }
}

void SolveMaxFlow() {
  const int n = Nodes();
  g.IterCount = 0;
  do {
    MaxFlowStep();
    ++g.IterCount;
  } while (g.NetMatrix(0, 0) > 0 && !MaxFlowUnbounded());
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      if (i == j) continue;
      // An unlimited residual says nothing of the flow: the flow sent over the pair does.
      if (std::isinf(g.NetMatrix(i, j))) {
        g.NetMatrix(i, j) = VarMax(NetFlow(i, j), 0.0);
        continue;
      }
      const double c = ArcValue(i, j);
      g.NetMatrix(i, j) = Finite(VarMax(DecimalSum(c, -g.NetMatrix(i, j)), 0.0));
    }
}

} // namespace quon
