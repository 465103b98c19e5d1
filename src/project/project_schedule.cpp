#include "project/project_schedule.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>

#include "platform/values.h"
#include "project/project_input.h"

namespace quon {

namespace {

struct Arc {
  int node = 0;
  double dur = 0;
};

// The state of one run. The labelling rule (lowest-numbered node whose neighbours on one side
// all carry times) is kept with counters and a min-heap of ready nodes instead of rescanning
// the node-by-node matrix for every label: the same order at a fraction of the work.
struct ProjectRun {
  int n = 0;
  std::vector<std::vector<Arc>> pred, succ; // ascending node numbers
  std::vector<char> active;                 // the node carries an activity
  std::vector<double> early, late;
  std::vector<char> earlyDone, lateDone;
  std::vector<int> predsLeft, succsLeft;
  std::priority_queue<int, std::vector<int>, std::greater<int>> readyForward, readyBackward;
  double length = 0;
};

ProjectRun run;

constexpr double kNoTime = std::numeric_limits<double>::infinity();

int NodeOf(double v) {
  return CInt(v).value_or(0);
}

bool ValidNode(int k) {
  return k >= 1 && k <= run.n;
}

// The network as lists, from the activity rows (each from/to pair occurs once).
void BuildRun() {
  run = ProjectRun{};
  const int n = g.NodeCount;
  run.n = n;
  run.pred.assign(n + 1, {});
  run.succ.assign(n + 1, {});
  run.active.assign(n + 1, 0);
  run.early.assign(n + 1, -1);
  run.late.assign(n + 1, -1);
  run.earlyDone.assign(n + 1, 0);
  run.lateDone.assign(n + 1, 0);
  for (int r = 1; r <= g.ActivityCount; ++r) {
    const auto [i, j] = ActivityNodes(r);
    if (!ValidNode(i) || !ValidNode(j)) continue;
    const double d = ActivityDuration(r);
    run.succ[i].push_back({j, d});
    run.pred[j].push_back({i, d});
    run.active[i] = run.active[j] = 1;
  }
  auto byNode = [](const Arc &a, const Arc &b) { return a.node < b.node; };
  run.predsLeft.assign(n + 1, 0);
  run.succsLeft.assign(n + 1, 0);
  for (int k = 1; k <= n; ++k) {
    std::sort(run.pred[k].begin(), run.pred[k].end(), byNode);
    std::sort(run.succ[k].begin(), run.succ[k].end(), byNode);
    run.predsLeft[k] = static_cast<int>(run.pred[k].size());
    run.succsLeft[k] = static_cast<int>(run.succ[k].size());
    if (!run.active[k]) continue;
    if (run.predsLeft[k] == 0) run.readyForward.push(k);
    if (run.succsLeft[k] == 0) run.readyBackward.push(k);
  }
}

void SetEarly(int k, double t) {
  run.early[k] = t;
  run.earlyDone[k] = 1;
  g.EarlyTime(k) = t;
  for (const Arc &a : run.succ[k])
    if (--run.predsLeft[a.node] == 0) run.readyForward.push(a.node);
}

void SetLate(int k, double t) {
  run.late[k] = t;
  run.lateDone[k] = 1;
  g.LateTime(k) = t;
  for (const Arc &a : run.pred[k])
    if (--run.succsLeft[a.node] == 0) run.readyBackward.push(a.node);
}

// The next ready node not yet labelled, or 0.
int PopReady(std::priority_queue<int, std::vector<int>, std::greater<int>> &ready,
             const std::vector<char> &done) {
  while (!ready.empty()) {
    const int k = ready.top();
    ready.pop();
    if (!done[k]) return k;
  }
  return 0;
}

LabelStep LabelNextForward() {
  const int j = PopReady(run.readyForward, run.earlyDone);
  if (j == 0) return {LabelStep::Kind::Loop, g.MRows, 0};
  // A node without predecessors starts at 0; only the start node is one after the input check.
  double best = run.pred[j].empty() ? 0 : -kNoTime;
  for (const Arc &a : run.pred[j])
    if (run.early[a.node] + a.dur - best >= -DecimalSumReach(run.early[a.node], a.dur))
      best = std::max(best, DecimalSum(run.early[a.node], a.dur));
  SetEarly(j, best);
  run.length = best;
  g.ArcDur(0, 0) = best;
  g.MRows = static_cast<int16>(j);
  return {LabelStep::Kind::Forward, j, best};
}

void ResetSharedTimes() {
  for (int k = 1; k <= g.NodeCount; ++k) {
    g.EarlyTime(k) = -1;
    if (!g.LateTime.Empty()) g.LateTime(k) = -1;
  }
}

} // namespace

double ActivityDuration(int r) {
  // The typed values belong to the activities last read; arrays filled otherwise use ArcDur.
  if (r >= 1 && projectDurations.mean.size() == static_cast<std::size_t>(g.ActivityCount) + 1)
    return projectDurations.mean[r];
  const auto [i, j] = ActivityNodes(r);
  return g.ArcDur(i, j);
}

int ForwardStepLimit() {
  return CInt(g.NodeCount + 1 - g.EarlyTime(0)).value_or(0);
}

std::pair<int, int> ActivityNodes(int r) {
  return {NodeOf(g.NetMatrix(r, 1)), NodeOf(g.NetMatrix(r, 2))};
}

LabelStep ForwardLabel() {
  const int step = static_cast<int>(g.IterCount);
  if (step <= 1 || run.n != g.NodeCount) {
    BuildRun();
    ResetSharedTimes();
  }
  if (step == 1) {
    const int k = PopReady(run.readyForward, run.earlyDone);
    if (k != 0) {
      SetEarly(k, 0);
      g.MRows = static_cast<int16>(k);
      return {LabelStep::Kind::Start, k, 0};
    }
  }
  if (step == ForwardStepLimit()) {
    const int k = PopReady(run.readyBackward, run.lateDone);
    if (k != 0) {
      SetLate(k, run.length);
      return {LabelStep::Kind::End, k, run.length};
    }
  }
  return LabelNextForward();
}

LabelStep BackwardLabel() {
  if (run.n != g.NodeCount) return {};
  const int i = PopReady(run.readyBackward, run.lateDone);
  if (i == 0) return {};
  double best = run.succ[i].empty() ? run.length : kNoTime;
  for (const Arc &a : run.succ[i])
    if (run.late[a.node] - a.dur - best <= DecimalSumReach(run.late[a.node], a.dur))
      best = std::min(best, DecimalSum(run.late[a.node], -a.dur));
  SetLate(i, best);
  return {LabelStep::Kind::Backward, i, best};
}

InputMessage LoopMessage(int lastLabelled, const std::string &title) {
  return CriticalMessage(
      "Loop detected.  Forward Pass cannot proceed past node " + std::to_string(lastLabelled), title);
}

std::optional<InputMessage> ForwardLabelOneNode() {
  g.ProjStatus = 0;
  const LabelStep s = ForwardLabel();
  if (s.kind == LabelStep::Kind::Loop) {
    g.ProjStatus = 2;
    return LoopMessage(s.node, "Input Data Error");
  }
  g.ProjStatus = 1;
  return std::nullopt;
}

void BackwardLabelOneNode() {
  g.ProjStatus = 0;
  BackwardLabel();
}

std::optional<InputMessage> ComputeCPMSchedule() {
  const int limit = ForwardStepLimit();
  for (;;) {
    ++g.IterCount;
    if (g.IterCount <= limit) {
      if (auto loop = ForwardLabelOneNode()) return loop;
      continue;
    }
    BackwardLabelOneNode();
    // m nodes take m forward steps, the end step and m - 1 backward steps: IterCount ends at 2m.
    if (g.IterCount / 2 >= limit - 1) break;
  }
  for (int r = 1; r <= g.ActivityCount; ++r)
    StoreActivityFloats(r);
  return std::nullopt;
}

std::optional<InputMessage> ComputeForwardPass() {
  BuildRun();
  const int n = run.n;
  g.ProjStatus = 0;
  int remaining = 0;
  for (int j = 1; j <= n; ++j)
    if (run.active[j]) ++remaining;
  for (int j = 1; j <= n; ++j) {
    if (g.ArcDur(0, j) != -1) continue;
    SetEarly(j, 0);
    g.PredPath(j, 1) = static_cast<int16>(j);
    g.PredPath(j, 0) = 1;
    g.ProjStatus = 1;
    if (run.active[j]) --remaining;
  }
  int lastChosen = 0; // the predecessor chosen as best most recently, for the loop message
  while (remaining > 0) {
    g.ProjStatus = 0;
    for (int j = 1; j <= n; ++j) {
      if (g.ArcDur(0, j) == -2 || !run.active[j]) continue;
      double best = -kNoTime;
      int p = 0;
      bool ready = true;
      for (const Arc &a : run.pred[j]) {
        if (!run.earlyDone[a.node]) {
          ready = false;
          break;
        }
        if (a.dur + run.early[a.node] - best < -DecimalSumReach(a.dur, run.early[a.node])) continue;
        const double t = DecimalSum(a.dur, run.early[a.node]);
        if (t > best) {
          // A path longer by rounding only is the same length: the lower-numbered one stays.
          if (p == 0 || t - best > ScheduleTolerance(best)) {
            p = a.node;
            lastChosen = p;
          }
          best = t;
        }
      }
      if (!ready || run.earlyDone[j] || p == 0) continue;
      SetEarly(j, best);
      const int len = g.PredPath(p, 0);
      for (int k = 1; k <= len; ++k)
        g.PredPath(j, k) = g.PredPath(p, k);
      g.PredPath(j, 0) = static_cast<int16>(len + 1);
      g.PredPath(j, len + 1) = static_cast<int16>(j);
      g.ProjStatus = 1;
      run.length = best;
      g.ArcDur(0, 0) = best;
      --remaining;
    }
    if (g.ProjStatus == 0) return LoopMessage(lastChosen, "Input Data Error");
  }
  return std::nullopt;
}

bool EarlyLabelled(int node) {
  return node >= 1 && node <= run.n && run.earlyDone[node];
}

bool LateLabelled(int node) {
  return node >= 1 && node <= run.n && run.lateDone[node];
}

double EarliestTime(int node) {
  return EarlyLabelled(node) ? run.early[node] : -1;
}

double LatestTime(int node) {
  return LateLabelled(node) ? run.late[node] : -1;
}

double ProjectLength() {
  return run.length;
}

double ScheduleTolerance(double projectLength) {
  // A sum of a hundred durations misses by some 1E-14 of its size; a real float, even one unit
  // in a project of billions, stays far above this.
  return 1e-12 * std::max(1.0, std::fabs(projectLength));
}

double CleanFloat(double value, double projectLength) {
  return std::fabs(value) <= ScheduleTolerance(projectLength) ? 0.0 : value;
}

bool IsCriticalFloat(double totalFloat, double projectLength) {
  return CleanFloat(totalFloat, projectLength) == 0;
}

ActivityFloat ActivityFloats(int r) {
  const auto [i, j] = ActivityNodes(r);
  if (!ValidNode(i) || !ValidNode(j)) return {};
  const double d = ActivityDuration(r);
  ActivityFloat f;
  f.total = CleanFloat(DecimalSum(LatestTime(j), -EarliestTime(i), -d), run.length);
  f.free = CleanFloat(DecimalSum(EarliestTime(j), -EarliestTime(i), -d), run.length);
  return f;
}

bool IsCriticalActivity(int r) {
  return IsCriticalFloat(ActivityFloats(r).total, run.length);
}

ActivityFloat StoreActivityFloats(int r) {
  const int count = g.ActivityCount;
  if (g.ActFloat.Dims() != 2 || g.ActFloat.LBound(1) > 1 || g.ActFloat.UBound(1) < count ||
      g.ActFloat.UBound(2) < 4)
    g.ActFloat.ReDimRange(1, std::max(count, 1), 0, 4);
  const ActivityFloat f = ActivityFloats(r);
  g.ActFloat(r, 1) = f.total;
  g.ActFloat(r, 2) = f.free;
  return f;
}

PertPath PertPathTo(int j) {
  PertPath path;
  const int len = g.PredPath(j, 0);
  double variance = 0;
  for (int k = 1; k <= len; ++k) {
    path.nodes.push_back(g.PredPath(j, k));
    if (k < len) variance = DecimalSum(variance, g.ArcVar(g.PredPath(j, k), g.PredPath(j, k + 1)));
  }
  path.mean = EarliestTime(j);
  path.stdDev = std::sqrt(variance);
  return path;
}

std::string PertPathText(const std::vector<int> &nodes) {
  std::string text;
  for (int k : nodes) {
    text += ' ';
    text += std::to_string(k);
    text += '-';
  }
  if (!text.empty()) text.pop_back();
  return text;
}

} // namespace quon
