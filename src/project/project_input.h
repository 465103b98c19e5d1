// Reading a project network (CPM or PERT activities) from the input grid, and the checks that
// "SOLVE Menu" runs on it before and after the read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/input_message.h"
#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// The activity durations as typed, in double precision, beside the single-precision shared
// arrays: the schedule sums them, and sums of singles (0.1 + 0.2 against 0.3) miss by more than
// any sensible tolerance. Index r = activity r (input row r); element 0 unused.
struct ProjectDurations {
  std::vector<double> mean; // CPM: the duration; PERT: (a + 4m + b) / 6
};
extern ProjectDurations projectDurations;

// Largest node number a project may use; larger numbers would size the node arrays past it.
inline constexpr int kMaxProjectNode = 1000;

// Prepares a project grid for reading: cuts the trailing rows that hold nothing, checks every
// activity row (whole node numbers from 1 to 1000, distinct from and to nodes, no repeated
// pair, a <= m <= b for PERT) and sets ActivityCount and NodeCount. A refusal comes back as
// the message to show, with the cell the editor goes to; the grid then keeps every text.
std::optional<InputMessage> PrepareProjectGrid(GridStore &grid);

// Reads activity rows 1 to ActivityCount into the project arrays (after ReDimProblemArrays
// kind 8) and marks start, end and isolated nodes. Two activities joining the same nodes in
// opposite directions are refused: ProjStatus is then 0 and the message comes back.
std::optional<InputMessage> ReadProjectInput(const GridStore &grid);

// After a successful read: a network needs exactly one start node and one finish node. The
// message lists the nodes when there are two or more, and says so when there is none.
std::optional<InputMessage> CheckProjectStartFinish();

} // namespace quon
