// Scheduling of a project network read by ReadProjectInput: the CPM forward and backward
// passes with total and free floats, and the PERT forward pass with the longest path to every
// node.
//
// Event times are kept in double precision beside the single-precision shared arrays
// (EarlyTime, LateTime, ArcDur(0, 0), ActFloat), which receive rounded copies. Whether a node
// is labelled is kept apart from its time, so a time that happens to be -1 (negative
// durations are accepted as typed) is still a time. Every view that asks whether an activity
// is critical goes through IsCriticalActivity, which treats a double-precision float within
// the schedule's tolerance as zero: sums of decimal durations (0.1 + 0.2) differ from their
// total in the last bits, and a critical activity must not lose its colour to that (nor to
// the rounding of the single-precision copies).
//
// Use, CPM: the caller resets EarlyTime, LateTime, IterCount as for a fresh run, then either
// ComputeCPMSchedule() for the whole schedule, or one step at a time: ++IterCount, then
// ForwardLabel() while IterCount <= ForwardStepLimit(), BackwardLabel() afterwards.
// PERT: ComputeForwardPass().
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/input_message.h"
#include "shell/mod1.h"

namespace quon {

// What one labelling step did.
struct LabelStep {
  enum class Kind { Start, End, Forward, Backward, Loop, Nothing };
  Kind kind = Kind::Nothing;
  int node = 0;    // the node labelled; Loop: the node labelled last before the loop
  double time = 0; // its earliest (Start, Forward) or latest (End, Backward) time
};

// Number of forward steps: the nodes that carry an activity, plus the end step.
int ForwardStepLimit();

// One forward step of step number IterCount: step 1 labels the start node, step
// ForwardStepLimit() gives the end node its latest time (the project length), every other step
// labels the lowest-numbered unlabelled node whose predecessors all carry times. Writes
// EarlyTime / LateTime, ArcDur(0, 0) and MRows as it goes. Step 1 starts a fresh run.
LabelStep ForwardLabel();
// One backward step: the lowest-numbered node without a latest time whose successors all have
// one. Nothing when no node qualifies.
LabelStep BackwardLabel();

// The message of a forward step that can label no node; the title differs by caller.
InputMessage LoopMessage(int lastLabelled, const std::string &title);

// The engine's own steps: ProjStatus 1 when a node was labelled, 2 on a loop (with the message
// to show, titled "Input Data Error"); the backward step leaves ProjStatus 0.
std::optional<InputMessage> ForwardLabelOneNode();
void BackwardLabelOneNode();

// The whole CPM run from IterCount 0, then the floats of every activity into ActFloat columns 1
// and 2. ProjStatus 2 and the message on a loop.
std::optional<InputMessage> ComputeCPMSchedule();

// The PERT forward pass on the mean durations: earliest mean times and PredPath for every node.
// It runs until every node on an activity is labelled; a sweep that labels nothing reports the
// loop (ProjStatus 0 and the message).
std::optional<InputMessage> ComputeForwardPass();

// Double-precision times of the current run. Unlabelled nodes give -1, as the shared arrays.
bool EarlyLabelled(int node);
bool LateLabelled(int node);
double EarliestTime(int node);
double LatestTime(int node);
double ProjectLength();

// The shared tolerance of the schedule: floats (and PERT path ties) within 1E-12 x max(1,
// project length) of zero are zero.
double ScheduleTolerance(double projectLength);
double CleanFloat(double value, double projectLength);
bool IsCriticalFloat(double totalFloat, double projectLength);

// From and to nodes of activity r (input row r).
std::pair<int, int> ActivityNodes(int r);
// Duration (CPM) or mean duration (PERT) of activity r as typed, in double precision.
double ActivityDuration(int r);

struct ActivityFloat {
  double total = 0;
  double free = 0;
};
// Total and free float of activity r from the current run's times, cleaned.
ActivityFloat ActivityFloats(int r);
// The one critical verdict of activity r in the current run, on its double-precision total
// float: the step display, the bar chart, its schedule grid, the experiment and the printouts
// all ask this.
bool IsCriticalActivity(int r);
// Writes activity r's floats into ActFloat(r, 1) and (r, 2) (dimensioning ActFloat when the
// caller has not) and returns them.
ActivityFloat StoreActivityFloats(int r);

// The PERT longest path to node j from PredPath, its mean (the earliest mean time of j) and
// its standard deviation (square root of the summed variances along the path).
struct PertPath {
  std::vector<int> nodes;
  double mean = 0;
  double stdDev = 0;
};
PertPath PertPathTo(int j);
// " 1- 3- 4": every node after one blank, joined by "-".
std::string PertPathText(const std::vector<int> &nodes);

} // namespace quon
