// A project as "SOLVE Menu" leaves it: the activity rows checked, the arrays dimensioned and
// read, start and finish checked.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/project_input.h"
#include "shell/mod1.h"
#include "support/grid_cells.h"

namespace quon::test {

// One activity: from, to, symbol, then the duration (CPM) or a, m, b (PERT), as typed.
using ActivityRow = std::vector<std::string>;

// A, B, C, D on 1-2, 1-3, 2-4, 3-4, lasting 3, 2, 4 and 6: B and D are critical, 8 in all.
inline const std::vector<ActivityRow> kFourNodes = {
    {"1", "2", "A", "3"}, {"1", "3", "B", "2"}, {"2", "4", "C", "4"}, {"3", "4", "D", "6"}};

// Reads the rows as the input screen hands them over; fails the test on any refusal.
inline void LoadProject(int method, const std::vector<ActivityRow> &rows) {
  g = Mod1{};
  g.ProjMethod = static_cast<int16>(method);
  GridStore grid = NumberedGrid(rows, method == 2 ? 7 : 5, 1); // one empty row below, as typed
  auto refusal = PrepareProjectGrid(grid);
  ASSERT_FALSE(refusal) << refusal->text;
  ReDimProblemArrays(ArrayKind::Projects, grid.Rows());
  refusal = ReadProjectInput(grid);
  ASSERT_FALSE(refusal) << refusal->text;
  refusal = CheckProjectStartFinish();
  ASSERT_FALSE(refusal) << refusal->text;
  // The output screen's option handler before a CPM run.
  g.IterCount = 0;
  if (method == 1) g.ActFloat.ReDimRange(1, g.ActivityCount, 0, 4);
}

} // namespace quon::test
