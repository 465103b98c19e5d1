#include "project/project_input.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "platform/values.h"

namespace quon {

ProjectDurations projectDurations;

namespace {

int DataColumns() {
  return g.ProjMethod == 2 ? 6 : 4;
}

// A cell holds something when it has a non-zero number or any text that is not a zero number
// (an activity symbol, or a word where a number belongs): such rows are never cut.
bool CellHoldsSomething(const std::string &text) {
  if (Val(text) != 0) return true;
  for (char ch : text)
    if (std::string_view(" 0.+-eE").find(ch) == std::string_view::npos) return true;
  return false;
}

bool RowHoldsSomething(const GridStore &grid, int r, int lastCol) {
  for (int c = 1; c <= lastCol; ++c)
    if (CellHoldsSomething(grid.TextMatrix(r, c))) return true;
  return false;
}

InputMessage MissingProjectData() {
  InputMessage m = CriticalMessage("Meaningless or missing project data", "Input Data Error");
  m.resetSelection = true;
  return m;
}

std::string NodeList(const std::vector<int> &nodes) {
  std::string s;
  for (int k : nodes)
    s += std::to_string(k) + ", ";
  return s.substr(0, s.size() - 2) + ")";
}

// The refusal of one activity row, or nothing when the row is sound. `seen` holds the node
// pairs of the rows above it.
std::optional<InputMessage> CheckActivityRow(const GridStore &grid, int r,
                                             const std::set<std::pair<double, double>> &seen) {
  const double f = Val(grid.TextMatrix(r, 1));
  const double t = Val(grid.TextMatrix(r, 2));
  if (f < 1 || t < 1)
    return CriticalMessage("Node number must be >=1", "Node Numbering Error", r, t < 1 ? 2 : 1);
  if (f != std::floor(f) || t != std::floor(t))
    return CriticalMessage("Node numbers must be whole numbers", "Node Numbering Error", r,
                           f != std::floor(f) ? 1 : 2);
  if (f > kMaxProjectNode || t > kMaxProjectNode)
    return CriticalMessage("Node numbers cannot exceed 1000", "Node Numbering Error", r,
                           f > kMaxProjectNode ? 1 : 2);
  if (f == t) {
    InputMessage m =
        CriticalMessage("FROM and TO nodes must be assigned distinct numbers", "Nodes Numbering Error", r, 2);
    m.beep = true;
    return m;
  }
  if (seen.count({f, t}))
    return CriticalMessage("Nodes defining this activity have already been assigned to another",
                           "Node Numbering Error", r, 1);
  if (g.ProjMethod == 2) {
    const double a = Val(grid.TextMatrix(r, 4));
    const double m = Val(grid.TextMatrix(r, 5));
    const double b = Val(grid.TextMatrix(r, 6));
    if (!(a <= m && m <= b))
      return CriticalMessage("Duration data in preceding row must satisfy a <= m <= b", "Duration Error", r,
                             4);
  }
  // A duration (or a) below zero means nothing in a schedule, and -1 is the arrays' mark for
  // "no activity": such a row would silently vanish from the network.
  if (Val(grid.TextMatrix(r, 4)) < 0)
    return CriticalMessage("Duration data in preceding row must not be negative", "Duration Error", r, 4);
  return std::nullopt;
}

} // namespace

std::optional<InputMessage> PrepareProjectGrid(GridStore &grid) {
  // The activities decide, not the grid's size: a single activity is a project whether or not
  // empty rows trail it (the return to the input screen rebuilds the grid without them).
  const int lastCol = std::min(DataColumns(), grid.Cols() - 1);
  int last = 0;
  for (int r = grid.Rows() - 1; r >= 1 && last == 0; --r)
    if (RowHoldsSomething(grid, r, lastCol)) last = r;
  if (last == 0) return MissingProjectData();

  g.ActivityCount = static_cast<int16>(last);
  grid.SetRows(last + 1);

  std::set<std::pair<double, double>> seen;
  double largest = 0;
  for (int r = 1; r <= last; ++r) {
    if (auto refusal = CheckActivityRow(grid, r, seen)) return refusal;
    const double f = Val(grid.TextMatrix(r, 1));
    const double t = Val(grid.TextMatrix(r, 2));
    seen.insert({f, t});
    largest = std::max({largest, f, t});
  }
  g.NodeCount = static_cast<int16>(largest);
  return std::nullopt;
}

std::optional<InputMessage> ReadProjectInput(const GridStore &grid) {
  const int cols = DataColumns();
  const int n = g.NodeCount;
  const bool pert = g.ProjMethod == 2;
  for (int k = 1; k <= n; ++k) {
    g.EarlyTime(k) = -1;
    if (!pert) g.LateTime(k) = -1;
  }
  g.EarlyTime(0) = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      g.ArcDur(i, j) = -1;

  for (int r = 1; r <= g.ActivityCount; ++r)
    for (int c = 1; c <= cols; ++c) {
      if (c == 3)
        g.ActSymbol(r) = grid.TextMatrix(r, c);
      else
        g.NetMatrix(r, c) = Val(grid.TextMatrix(r, c));
    }

  projectDurations.mean.assign(g.ActivityCount + 1, 0);
  for (int r = 1; r <= g.ActivityCount; ++r) {
    if (pert) {
      const double a = Val(grid.TextMatrix(r, 4));
      const double m = Val(grid.TextMatrix(r, 5));
      const double b = Val(grid.TextMatrix(r, 6));
      projectDurations.mean[r] = (a + 4 * m + b) / 6;
    } else {
      projectDurations.mean[r] = Val(grid.TextMatrix(r, 4));
    }
  }

  for (int r = 1; r <= g.ActivityCount; ++r) {
    const int i = CInt(g.NetMatrix(r, 1)).value_or(0);
    const int j = CInt(g.NetMatrix(r, 2)).value_or(0);
    if (i < 1 || i > n || j < 1 || j > n) {
      // Rows reach here checked; this only guards the arrays against an unchecked grid.
      g.ProjStatus = 0;
      return CriticalMessage("Node number must be >=1", "Node Numbering Error", r, 1);
    }
    if (pert) {
      const double a = g.NetMatrix(r, 4);
      const double m = g.NetMatrix(r, 5);
      const double b = g.NetMatrix(r, 6);
      g.ArcDur(i, j) = (a + 4 * m + b) / 6;
      const double spread = b - a;
      g.ArcVar(i, j) = spread * spread / 36.0;
    } else {
      g.ArcDur(i, j) = g.NetMatrix(r, 4);
    }
    g.ProjStatus = 1;
    if (g.ArcDur(j, i) != -1) {
      InputMessage m = CriticalMessage("Closed loop detected between nodes " + std::to_string(i) + " and " +
                                           std::to_string(j),
                                       "Network Error", r, 1);
      // The editor goes to the activity that closes the loop.
      m.resetSelection = true;
      g.ProjStatus = 0;
      return m;
    }
  }

  for (int i = 1; i <= n; ++i) {
    bool leaves = false;
    bool enters = false;
    for (int j = 1; j <= n; ++j) {
      if (g.ArcDur(i, j) != -1) leaves = true;
      if (g.ArcDur(j, i) != -1) enters = true;
    }
    if (leaves) continue;
    if (enters) {
      g.ArcDur(i, 0) = -1;
    } else {
      g.ArcDur(0, i) = -2;
      g.ArcDur(i, 0) = -2;
      g.EarlyTime(0) += 1;
    }
  }
  for (int j = 1; j <= n; ++j) {
    if (g.ArcDur(0, j) != 0) continue;
    bool enters = false;
    bool leaves = false;
    for (int i = 1; i <= n; ++i) {
      if (g.ArcDur(i, j) != -1) enters = true;
      if (g.ArcDur(j, i) != -1) leaves = true;
    }
    if (!enters && leaves) g.ArcDur(0, j) = -1;
  }
  return std::nullopt;
}

std::optional<InputMessage> CheckProjectStartFinish() {
  std::vector<int> starts;
  std::vector<int> finishes;
  for (int k = 1; k <= g.NodeCount; ++k) {
    if (g.ArcDur(0, k) == -1) starts.push_back(k);
    if (g.ArcDur(k, 0) == -1) finishes.push_back(k);
  }
  std::string startText;
  if (starts.empty())
    startText = "No START node detected (every node has a predecessor, so the activities form a loop)";
  else if (starts.size() > 1)
    startText = "MULTIPLE START detected at nodes (" + NodeList(starts);
  std::string finishText;
  if (finishes.empty())
    finishText = "No FINISH node detected (every node has a successor, so the activities form a loop)";
  else if (finishes.size() > 1)
    finishText = "MULTIPLE FINISH detected at nodes (" + NodeList(finishes);
  if (startText.empty() && finishText.empty()) return std::nullopt;
  std::string text = startText;
  if (!startText.empty() && !finishText.empty()) text += " and ";
  text += finishText;
  InputMessage m = CriticalMessage(text, "Input Data Error");
  m.resetSelection = true;
  return m;
}

} // namespace quon
