#include "transport/transport_simplex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "linear/raw_matrix.h"
#include "shell/mod1.h"

namespace quon {

int TransPivotCap = 200000;

namespace {

// Costs are compared as they are held, in double precision: in single precision 16777217 and
// 16777216 were the same cost and the first of them in the search was taken.
constexpr double kNoCost = std::numeric_limits<double>::infinity();
// Ratios that agree to this relative precision are equal.
constexpr double kRatioTie = 1E-12;

int SourceOf(int cell) {
  return (cell - 1) / g.TransDests + 1;
}

int DestOf(int cell) {
  const int j = cell % g.TransDests;
  return j == 0 ? g.TransDests : j;
}

int CellOf(int i, int j) {
  return (i - 1) * g.TransDests + j;
}

// Working state of one run of a starting method.
class StartBuilder {
public:
  StartBuilder() : rowOut_(g.TransSources + 1, 0), colOut_(g.TransDests + 1, 0) {
    rowsLeft_ = g.TransSources;
    colsLeft_ = g.TransDests;
  }

  int Count() const { return p_; }

  void Allocate(int i, int j) {
    const double x = g.TransSupply(i) < g.TransDemand(j) ? g.TransSupply(i) : g.TransDemand(j);
    MakeBasic(i, j);
    g.TransDemand(j) -= x;
    g.TransSupply(i) -= x;
  }

  void NorthWestCorner() {
    const int m = g.TransSources;
    const int n = g.TransDests;
    // A staircase from (1,1) to (m,n): down when the source runs out, right otherwise. The last
    // source runs on to the last destination with zero-level cells even when trailing demands
    // are zero, so the basis always has m + n - 1 cells.
    int i = 1;
    int j = 1;
    while (true) {
      Allocate(i, j);
      if (i == m) {
        if (j == n) break;
        ++j;
      } else if (j == n || g.TransSupply(i) == 0) {
        ++i;
      } else {
        ++j;
      }
    }
  }

  void LeastCost() {
    while (true) {
      int bi = 0;
      int bj = 0;
      double best = kNoCost;
      for (int i = 1; i <= g.TransSources; ++i) {
        if (rowOut_[i]) continue;
        for (int j = 1; j <= g.TransDests; ++j) {
          if (colOut_[j]) continue;
          const double c = CostAt(i, j);
          if (bi == 0 || c < best) {
            best = c;
            bi = i;
            bj = j;
          }
        }
      }
      if (bi == 0) return;
      if (AllocateAndCross(bi, bj)) return;
    }
  }

  void Vogel() {
    const int m = g.TransSources;
    const int n = g.TransDests;
    while (p_ < g.MRows) {
      double bestPenalty = 0;
      int bi = 0;
      int bj = 0;
      // Rows first, then columns: a tie in penalty goes to the earlier line, and a penalty of 0
      // never wins.
      if (colsLeft_ > 1)
        for (int i = 1; i <= m; ++i)
          if (!rowOut_[i]) ConsiderLine(true, i, bestPenalty, bi, bj);
      if (rowsLeft_ > 1)
        for (int j = 1; j <= n; ++j)
          if (!colOut_[j]) ConsiderLine(false, j, bestPenalty, bi, bj);
      if (bi == 0) {
        // No positive penalty: the last remaining source and destination.
        for (int i = m; i >= 1 && bi == 0; --i)
          if (!rowOut_[i]) bi = i;
        for (int j = n; j >= 1 && bj == 0; --j)
          if (!colOut_[j]) bj = j;
        if (bi == 0 || bj == 0) return;
      }
      if (AllocateAndCross(bi, bj)) return;
    }
  }

private:
  static double CostAt(int i, int j) { return g.Cost(CellOf(i, j)); }

  // Cost of the k-th cell along a row (source `line`) or a column (destination `line`).
  static double LineCost(bool row, int line, int k) { return row ? CostAt(line, k) : CostAt(k, line); }

  // The cheapest cell of a line among the lines across it not crossed out, skipping `skip`;
  // the first one on ties. From +infinity with an explicit none, so any cost can be chosen.
  int Cheapest(bool row, int line, int skip, double &cost) const {
    const std::vector<char> &across = row ? colOut_ : rowOut_;
    const int count = row ? g.TransDests : g.TransSources;
    int best = 0;
    cost = kNoCost;
    for (int k = 1; k <= count; ++k)
      if (!across[static_cast<std::size_t>(k)] && k != skip && (best == 0 || LineCost(row, line, k) < cost)) {
        cost = LineCost(row, line, k);
        best = k;
      }
    return best;
  }

  void ConsiderLine(bool row, int line, double &bestPenalty, int &bi, int &bj) const {
    double c1 = 0;
    double c2 = 0;
    const int k1 = Cheapest(row, line, 0, c1);
    if (k1 == 0 || Cheapest(row, line, k1, c2) == 0) return;
    const double penalty = c2 - c1;
    if (penalty > bestPenalty) {
      bestPenalty = penalty;
      bi = row ? line : k1;
      bj = row ? k1 : line;
    }
  }

  // Makes the rest of a line basic in ascending cost without moving any amount.
  void FinishAlong(bool row, int line) {
    std::vector<char> &across = row ? colOut_ : rowOut_;
    while (p_ < g.MRows) {
      double c = 0;
      const int k = Cheapest(row, line, 0, c);
      if (k == 0) break;
      across[static_cast<std::size_t>(k)] = 1;
      if (row)
        MakeBasic(line, k);
      else
        MakeBasic(k, line);
    }
  }

  void MakeBasic(int i, int j) {
    const int cell = CellOf(i, j);
    ++p_;
    g.BasisList(p_) = static_cast<int16>(cell);
    g.NonBasicMark(cell) = 0;
  }

  // Allocates (i, j) and crosses out a line; with one row or one column left, finishes the
  // basis along it without moving any amount. True when the method has ended.
  bool AllocateAndCross(int i, int j) {
    Allocate(i, j);
    if (rowsLeft_ == 1) {
      colOut_[static_cast<std::size_t>(j)] = 1;
      FinishAlong(true, i);
      return true;
    }
    if (colsLeft_ == 1) {
      rowOut_[static_cast<std::size_t>(i)] = 1;
      FinishAlong(false, j);
      return true;
    }
    if (g.TransSupply(i) == 0) {
      rowOut_[i] = 1;
      --rowsLeft_;
    } else {
      colOut_[j] = 1;
      --colsLeft_;
    }
    return false;
  }

  std::vector<char> rowOut_, colOut_;
  int rowsLeft_ = 0, colsLeft_ = 0;
  int p_ = 0;
};

// The constraint column of a cell into BasisMat column p, without the copy to InvInput.
void WriteBasisColumn(int cell, int p) {
  const int order = g.MRows;
  for (int r = 0; r <= order; ++r)
    g.WorkCol(r) = 0;
  g.WorkCol(SourceOf(cell)) = 1;
  const int j = DestOf(cell);
  if (j < g.TransDests) g.WorkCol(g.TransSources + j) = 1;
  for (int r = 1; r <= order; ++r)
    g.BasisMat(r, p) = g.WorkCol(r);
}

void CopyBasisToInvInput() {
  const int order = g.MRows;
  RawMatrix basis(g.BasisMat, order, order);
  RawMatrix input(g.InvInput, order, order);
  for (int r = 1; r <= order; ++r)
    std::memcpy(input.Row(r) + 1, basis.Row(r) + 1, sizeof(double) * static_cast<std::size_t>(order));
}

} // namespace

bool InvertTransBasis() {
  const int m = g.TransSources;
  const int n = g.TransDests;
  const int order = g.MRows;
  const int root = m + n;
  // Nodes 1..m are the sources, m+1..m+n the destinations; the last destination is the root,
  // whose equation is the dropped one. Basis position p is the edge of cell BasisList(p).
  std::vector<int> head(static_cast<std::size_t>(root) + 1, 0),
      next(2 * static_cast<std::size_t>(order) + 2, 0), to(2 * static_cast<std::size_t>(order) + 2, 0),
      edge(2 * static_cast<std::size_t>(order) + 2, 0);
  int arcs = 0;
  auto link = [&](int a, int b, int p) {
    ++arcs;
    to[static_cast<std::size_t>(arcs)] = b;
    edge[static_cast<std::size_t>(arcs)] = p;
    next[static_cast<std::size_t>(arcs)] = head[static_cast<std::size_t>(a)];
    head[static_cast<std::size_t>(a)] = arcs;
  };
  for (int p = 1; p <= order; ++p) {
    const int cell = g.BasisList(p);
    if (cell < 1 || cell > g.NVars) {
      g.Determinant = 0;
      return false;
    }
    const int a = SourceOf(cell), b = m + DestOf(cell);
    link(a, b, p);
    link(b, a, p);
  }
  std::vector<int> parent(static_cast<std::size_t>(root) + 1, 0),
      parentEdge(static_cast<std::size_t>(root) + 1, 0);
  std::vector<int> stack{root};
  parent[static_cast<std::size_t>(root)] = root;
  int reached = 1;
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    for (int a = head[static_cast<std::size_t>(v)]; a != 0; a = next[static_cast<std::size_t>(a)]) {
      const int w = to[static_cast<std::size_t>(a)];
      if (parent[static_cast<std::size_t>(w)] != 0) continue;
      parent[static_cast<std::size_t>(w)] = v;
      parentEdge[static_cast<std::size_t>(w)] = edge[static_cast<std::size_t>(a)];
      ++reached;
      stack.push_back(w);
    }
  }
  // M edges reach all M + 1 nodes only when they form a spanning tree; otherwise the basis
  // matrix is singular.
  if (reached != root) {
    g.Determinant = 0;
    return false;
  }
  RawMatrix binv(g.BInv, order, order);
  for (int p = 1; p <= order; ++p)
    std::fill(binv.Row(p), binv.Row(p) + order + 1, 0.0);
  // Column r of the inverse: +1, -1, +1, ... along the tree path from node r to the root.
  for (int r = 1; r <= order; ++r) {
    double sign = 1;
    for (int v = r; v != root; v = parent[static_cast<std::size_t>(v)]) {
      binv(parentEdge[static_cast<std::size_t>(v)], r) = sign;
      sign = -sign;
    }
  }
  g.Determinant = 1;
  return true;
}

std::string TransOutcomeMessage(TransOutcome outcome) {
  switch (outcome) {
  case TransOutcome::SingularBasis:
    return "The basis matrix is singular (determinant 0); the transportation simplex cannot go on.";
  case TransOutcome::NoLeavingCell:
    return "No basic cell can leave the basis; the transportation simplex cannot go on.";
  case TransOutcome::NoFeasibleSolution:
    return "Problem has no feasible solution without the routes that cost \"infinity\".";
  case TransOutcome::PivotCapReached:
    return std::string("The transportation simplex stopped after ") + std::to_string(TransPivotCap) +
           " iterations without reaching the optimum.";
  default:
    return "";
  }
}

void TransSetBasisColumn(int cell, int position) {
  WriteBasisColumn(cell, position);
  CopyBasisToInvInput();
}

bool TransStartSolution() {
  // Without a source or a destination there is no basis to build.
  if (g.TransSources < 1 || g.TransDests < 1 || g.MRows < 1) {
    g.Determinant = 0;
    return false;
  }
  StartBuilder start;
  switch (g.TransStartMethod) {
  case 1:
    start.NorthWestCorner();
    break;
  case 2:
    start.LeastCost();
    break;
  case 3:
    start.Vogel();
    break;
  default:
    break;
  }
  const int order = g.MRows;
  for (int p = 1; p <= order; ++p) {
    g.CostB(p) = g.Cost(g.BasisList(p));
    WriteBasisColumn(g.BasisList(p), p);
  }
  CopyBasisToInvInput();
  return InvertTransBasis();
}

void TransBasicSolution() {
  const int order = g.MRows;
  RawMatrix binv(g.BInv, order, order);
  g.ZValue = 0;
  for (int p = 1; p <= order; ++p) {
    const double *row = binv.Row(p);
    double x = 0;
    for (int q = 1; q <= order; ++q)
      x += row[q] * g.InvInput(q, 0);
    g.XBasic(p) = x;
    g.ZValue += x * g.CostB(p);
  }
  // Position of each basic cell (the first one holding it).
  std::vector<int> pos(static_cast<std::size_t>(g.NVars) + 1, 0);
  for (int p = order; p >= 1; --p) {
    const int cell = g.BasisList(p);
    if (cell >= 1 && cell <= g.NVars) pos[static_cast<std::size_t>(cell)] = p;
  }
  for (int k = 1; k <= g.NVars; ++k) {
    const int p = pos[static_cast<std::size_t>(k)];
    g.XSol(k) = g.NonBasicMark(k) > 0 || p == 0 ? 0 : g.XBasic(p);
  }
}

namespace {

bool IsInfinityCell(int k) {
  return TransIsInfinityCost(g.Cost(k)) && g.Cost(k) > 0;
}

bool IsMinusInfinityCell(int k) {
  return TransIsInfinityCost(g.Cost(k)) && g.Cost(k) < 0;
}

bool AnyWordCost() {
  if (g.TransInfinity <= 0) return false;
  for (int k = 1; k <= g.NVars; ++k)
    if (TransIsInfinityCost(g.Cost(k))) return true;
  return false;
}

// A cost by what it is made of, as DualWords and RedCostWords hold them.
std::array<double, 3> CostWords(int k) {
  if (IsInfinityCell(k)) return {1, 0, 0};
  if (IsMinusInfinityCell(k)) return {0, -1, 0};
  return {0, 0, g.Cost(k)};
}

// Whether price `a` is above `b`: "infinity" outweighs any number of "-infinity", and a
// "-infinity" any finite sum.
bool Above(const std::array<double, 3> &a, const std::array<double, 3> &b) {
  if (a[0] != b[0]) return a[0] > b[0];
  if (a[1] != b[1]) return a[1] > b[1];
  return a[2] > b[2];
}

// Pricing while costs stand for the words: the multipliers and reduced costs are also taken
// apart into their word counts and finite rest, and the entering cell is the one that lowers
// the cost most in that order, so that no finite saving ever outweighs a word, whatever the
// numbers standing for them. The counts are whole numbers, exact in double precision.
void PriceWithWords(double tolerance) {
  const int order = g.MRows;
  const int m = g.TransSources;
  const int n = g.TransDests;
  RawMatrix binv(g.BInv, order, order);
  for (int i = 0; i <= order + 1; ++i)
    for (int t = 0; t <= 2; ++t)
      g.DualWords(i, t) = 0;
  for (int q = 1; q <= order; ++q) {
    const std::array<double, 3> c = CostWords(g.BasisList(q));
    const double *row = binv.Row(q);
    for (int i = 1; i <= order; ++i)
      if (row[i] != 0)
        for (int t = 0; t <= 2; ++t)
          g.DualWords(i, t) += c[static_cast<std::size_t>(t)] * row[i];
  }
  std::array<double, 3> best{0, 0, tolerance};
  int k = 0;
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j) {
      ++k;
      std::array<double, 3> rc{0, 0, 0};
      if (g.NonBasicMark(k) > 0) {
        const std::array<double, 3> c = CostWords(k);
        for (int t = 0; t <= 2; ++t) {
          const auto ut = static_cast<std::size_t>(t);
          rc[ut] = g.DualWords(i, t) - c[ut];
          if (j < n) rc[ut] += g.DualWords(m + j, t);
        }
        if (Above(rc, best)) {
          best = rc;
          g.Entering = static_cast<int16>(k);
        }
      }
      for (int t = 0; t <= 2; ++t)
        g.RedCostWords(k, t) = rc[static_cast<std::size_t>(t)];
    }
}

} // namespace

void TransPricing() {
  const int order = g.MRows;
  const int m = g.TransSources;
  const int n = g.TransDests;
  RawMatrix binv(g.BInv, order, order);
  std::vector<double> duals(static_cast<std::size_t>(order) + 1, 0.0);
  // cB times the inverse, each multiplier summed over the positions in order.
  for (int q = 1; q <= order; ++q) {
    const double c = g.CostB(q);
    const double *row = binv.Row(q);
    for (int i = 1; i <= order; ++i)
      duals[static_cast<std::size_t>(i)] += c * row[i];
  }
  for (int i = 1; i <= order; ++i)
    g.Duals(i) = duals[static_cast<std::size_t>(i)];

  g.Entering = 0;
  // A cell enters only when it lowers the cost by more than rounding noise: without this,
  // fractional costs leave reduced costs of 1E-17 that enter and cycle for ever. The noise of a
  // multiplier grows with the costs summed along the basis, so with costs of 1E11 and cents
  // (a few units in the last place of 1E12) it passes 1E-8 and the run cycled to the pivot cap.
  // Costs standing for the words are priced apart and add no noise.
  double largestCost = 0;
  bool words = false;
  const double standIn = g.TransInfinity > 0 ? g.TransInfinity : std::numeric_limits<double>::infinity();
  for (int c = 1; c <= g.NVars; ++c) {
    const double a = std::fabs(g.Cost(c));
    if (a >= standIn)
      words = true;
    else
      largestCost = std::max(largestCost, a);
  }
  double best = std::max(kTransTolerance, 4 * std::numeric_limits<double>::epsilon() * order * largestCost);
  if (words) PriceWithWords(best);
  int k = 0;
  for (int i = 1; i <= m; ++i) {
    const double u = g.Duals(i);
    for (int j = 1; j <= n; ++j) {
      ++k;
      double rc = 0;
      if (g.NonBasicMark(k) > 0) {
        rc = u - g.Cost(k);
        if (j < n) rc += g.Duals(m + j);
        if (!words && rc > best) {
          best = rc;
          g.Entering = static_cast<int16>(k);
        }
      }
      g.RedCost(k) = rc;
    }
  }
  if (g.Entering > 0) g.NonBasicMark(g.Entering) = 0;
}

bool TransRatioTest() {
  const int order = g.MRows;
  const int m = g.TransSources;
  const int n = g.TransDests;
  // From +infinity, so shipments of any size can leave. Ratios are compared in double
  // precision, as the amounts are kept: in single precision shipments of 16777217 and 16777216
  // tied, the larger could leave first and the other went negative. Ratios that differ only by
  // the rounding of typed fractions (0.1 + 0.2 against 0.3) still tie, and the lowest position
  // wins.
  double smallest = std::numeric_limits<double>::infinity();
  g.Leaving = 0;
  g.LeavingRow = 0;
  const int i = SourceOf(g.Entering);
  const int j = DestOf(g.Entering);
  for (int k = 1; k <= g.NVars; ++k)
    if (g.NonBasicMark(k) < 0) g.NonBasicMark(k) = 0;
  for (int p = 1; p <= order; ++p) {
    double alpha = g.BInv(p, i);
    if (j < n) alpha += g.BInv(p, m + j);
    g.AlphaCol(p) = alpha;
    if (alpha != 0) g.NonBasicMark(g.BasisList(p)) = -1;
    if (alpha > kTransTolerance) {
      const double ratio = g.XBasic(p) / alpha;
      if (g.LeavingRow == 0 || (ratio < smallest && !(smallest - ratio <= kRatioTie * std::fabs(smallest)))) {
        smallest = ratio;
        g.LeavingRow = static_cast<int16>(p);
        g.Leaving = g.BasisList(p);
      }
    }
  }
  if (g.LeavingRow == 0) return false;
  g.NonBasicMark(g.Leaving) = g.Leaving;
  g.BasisList(g.LeavingRow) = g.Entering;
  g.CostB(g.LeavingRow) = g.Cost(g.Entering);
  return true;
}

bool TransPivot() {
  TransSetBasisColumn(g.Entering, g.LeavingRow);
  return InvertTransBasis();
}

namespace {

// Whether the current basis ships a positive amount on a cell whose cost stands for "infinity".
bool ShipsOnInfinityCell() {
  const double noise = TransShipmentNoise();
  for (int p = 1; p <= g.MRows; ++p)
    if (IsInfinityCell(g.BasisList(p)) && g.XBasic(p) > noise) return true;
  return false;
}

} // namespace

double TransShipmentNoise() {
  double total = 0;
  for (int i = 1; i <= g.TransSources; ++i)
    total += g.InvInput(i, 0);
  return 1E-12 * std::max(1.0, total);
}

bool TransHasWords() {
  return AnyWordCost();
}

bool TransIsInfinityCost(double cost) {
  return g.TransInfinity > 0 && std::fabs(cost) >= g.TransInfinity;
}

int TransSolutionInfinity() {
  const double noise = TransShipmentNoise();
  bool minus = false;
  for (int cell = 1; cell <= g.NVars; ++cell) {
    if (g.XSol(cell) <= noise) continue;
    if (IsInfinityCell(cell)) return 1;
    if (IsMinusInfinityCell(cell)) minus = true;
  }
  return minus ? -1 : 0;
}

void TransRestoreStart() {
  for (int i = 1; i <= g.TransSources; ++i)
    g.TransSupply(i) = g.InvInput(i, 0);
  for (int j = 1; j <= g.TransDests; ++j)
    g.TransDemand(j) = g.InvInput(g.TransSources + j, 0);
  for (int k = 1; k <= g.NVars; ++k) {
    g.NonBasicMark(k) = static_cast<int16>(k);
  }
}

TransOutcome TransPriceBasis() {
  TransBasicSolution();
  TransPricing();
  if (g.Entering != 0) return TransOutcome::Stepped;
  // Priced with the words outweighing every finite sum, a basis that still ships on an
  // "infinity" route has no solution without one.
  return ShipsOnInfinityCell() ? TransOutcome::NoFeasibleSolution : TransOutcome::Optimal;
}

TransOutcome SolveTransportation() {
  if (!TransStartSolution()) return TransOutcome::SingularBasis;
  g.IterCount = 1;
  int pivots = 0;
  TransOutcome outcome = TransOutcome::Optimal;
  while ((outcome = TransPriceBasis()) == TransOutcome::Stepped) {
    if (++pivots > TransPivotCap) {
      outcome = TransOutcome::PivotCapReached;
      break;
    }
    if (!TransRatioTest()) {
      outcome = TransOutcome::NoLeavingCell;
      break;
    }
    if (!TransPivot()) {
      outcome = TransOutcome::SingularBasis;
      break;
    }
    ++g.IterCount;
  }
  if (outcome != TransOutcome::Optimal) return outcome;
  const int order = g.MRows;
  g.ZValue = 0;
  for (int k = 1; k <= g.NVars; ++k) {
    g.XSol(k) = 0;
    if (g.NonBasicMark(k) > 0) continue;
    for (int p = 1; p <= order; ++p)
      if (g.BasisList(p) == k) {
        g.XSol(k) = g.XBasic(p);
        break;
      }
    g.ZValue += g.Cost(k) * g.XSol(k);
  }
  return TransOutcome::Optimal;
}

} // namespace quon
