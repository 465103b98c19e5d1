#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "project/project_fixture.h"
#include "project/project_schedule.h"

namespace quon {
namespace {

using test::kFourNodes;
using test::LoadProject;

std::vector<bool> CriticalActivities() {
  std::vector<bool> out;
  for (int r = 1; r <= g.ActivityCount; ++r)
    out.push_back(IsCriticalFloat(g.ActFloat(r, 1), ProjectLength()));
  return out;
}

TEST(CPMSchedule, FourNodeExampleTimesFloatsAndCriticalPath) {
  LoadProject(1, kFourNodes);
  EXPECT_FALSE(ComputeCPMSchedule());
  EXPECT_EQ(g.IterCount, 8);
  EXPECT_EQ(g.ProjStatus, 0);
  EXPECT_EQ(g.ArcDur(0, 0), 8);
  const float early[] = {0, 3, 2, 8}, late[] = {0, 4, 2, 8};
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(g.EarlyTime(k), early[k - 1]) << k;
    EXPECT_EQ(g.LateTime(k), late[k - 1]) << k;
  }
  const float total[] = {1, 0, 1, 0}, free[] = {0, 0, 1, 0};
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(g.ActFloat(r, 1), total[r - 1]) << r;
    EXPECT_EQ(g.ActFloat(r, 2), free[r - 1]) << r;
  }
  EXPECT_EQ(CriticalActivities(), (std::vector<bool>{false, true, false, true}));
}

TEST(CPMSchedule, IsolatedNodeIsSkippedAndKeepsNoTimes) {
  auto rows = kFourNodes;
  rows.push_back({"4", "6", "E", "0"}); // node 5 unused
  LoadProject(1, rows);
  ASSERT_EQ(g.EarlyTime(0), 1);
  EXPECT_FALSE(ComputeCPMSchedule());
  EXPECT_EQ(g.EarlyTime(5), -1);
  EXPECT_EQ(g.LateTime(5), -1);
  EXPECT_FALSE(EarlyLabelled(5));
  EXPECT_EQ(g.EarlyTime(6), 8);
  EXPECT_EQ(g.LateTime(1), 0);
  EXPECT_EQ(g.IterCount, 10);
}

TEST(CPMSchedule, StepsLabelTheLowestReadyNodeFirst) {
  LoadProject(1, {{"1", "3", "A", "1"}, {"3", "2", "B", "1"}, {"2", "4", "C", "1"}});
  ASSERT_EQ(ForwardStepLimit(), 5);
  std::vector<int> forward, backward;
  for (g.IterCount = 1; g.IterCount <= 5; ++g.IterCount)
    forward.push_back(ForwardLabel().node);
  for (; g.IterCount <= 8; ++g.IterCount)
    backward.push_back(BackwardLabel().node);
  EXPECT_EQ(forward, (std::vector<int>{1, 3, 2, 4, 4}));
  EXPECT_EQ(backward, (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(BackwardLabel().kind, LabelStep::Kind::Nothing);
}

// Sums of decimal durations miss their total in the last bits; the parallel paths below are
// exactly equal in decimal, so every activity is critical.
TEST(CPMSchedule, DecimalDurationsOnEqualPathsAreAllCritical) {
  LoadProject(1, {{"1", "2", "A", "0.1"}, {"2", "3", "B", "0.2"}, {"1", "3", "C", "0.3"},
                  {"3", "4", "D", "1.1"}, {"3", "5", "E", "0.35"}, {"5", "4", "F", "0.75"}});
  EXPECT_FALSE(ComputeCPMSchedule());
  EXPECT_EQ(CriticalActivities(), std::vector<bool>(6, true));
  for (int r = 1; r <= 6; ++r) {
    EXPECT_EQ(g.ActFloat(r, 1), 0) << r;
    EXPECT_EQ(g.ActFloat(r, 2), 0) << r;
  }
  EXPECT_NEAR(ProjectLength(), 1.4, 1e-12);
  // The tolerance scales with the project's length.
  EXPECT_TRUE(IsCriticalFloat(5e-10, 1000));
  EXPECT_FALSE(IsCriticalFloat(5e-9, 1000));
  EXPECT_FALSE(IsCriticalFloat(1e-11, 0.5));
}

// Whole durations in the billions add up exactly: a path one unit shorter has a float of one,
// and the longer path is the PERT path.
TEST(CPMSchedule, AFloatOfOneUnitInAVeryLongProjectIsAFloat) {
  LoadProject(1, {{"1", "2", "A", "5000000000"}, {"1", "3", "B", "4999999999"}, {"3", "2", "C", "0"}});
  EXPECT_FALSE(ComputeCPMSchedule());
  EXPECT_EQ(CriticalActivities(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(ActivityFloats(2).total, 1);
  EXPECT_EQ(ActivityFloats(3).free, 1);
  LoadProject(2, {{"1", "3", "A", "4999999999", "4999999999", "4999999999"},
                  {"1", "2", "B", "5000000000", "5000000000", "5000000000"},
                  {"2", "3", "C", "0", "0", "0"}});
  EXPECT_FALSE(ComputeForwardPass());
  EXPECT_EQ(PertPathTo(3).nodes, (std::vector<int>{1, 2, 3}));
}

struct LoopCase {
  const char *where;
  std::vector<test::ActivityRow> rows;
  int cpmNode;  // the node labelled last before the CPM pass stops
  int pertNode; // the predecessor chosen last by the PERT pass
};

std::vector<test::ActivityRow> WithDurations(std::vector<std::vector<std::string>> arcs, bool pert) {
  std::vector<test::ActivityRow> rows;
  for (auto &a : arcs) {
    test::ActivityRow row{a[0], a[1], "X"};
    for (const char *d : pert ? std::vector<const char *>{"1", "2", "3"} : std::vector<const char *>{"2"})
      row.push_back(d);
    rows.push_back(row);
  }
  return rows;
}

TEST(ProjectLoops, EveryForwardPassReportsTheLoopWhereverItLies) {
  const std::vector<std::pair<const char *, std::vector<std::vector<std::string>>>> nets = {
      {"right after the start", {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "2"}, {"3", "5"}}},
      {"in the middle", {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5", "3"}, {"4", "6"}}},
      {"before the end", {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5", "3"}, {"5", "6"}}},
      {"off the road to the end", {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "2"}, {"1", "5"}}},
      {"behind a high-numbered start", {{"5", "1"}, {"1", "2"}, {"2", "3"}, {"3", "1"}, {"3", "4"}}},
  };
  const int cpmNode[] = {1, 2, 2, 5, 5};
  // The PERT pass names the predecessor it chose last: none at all behind the high start.
  const int pertNode[] = {1, 2, 2, 1, 0};
  for (std::size_t c = 0; c < nets.size(); ++c) {
    SCOPED_TRACE(nets[c].first);
    LoadProject(1, WithDurations(nets[c].second, false));
    auto msg = ComputeCPMSchedule();
    ASSERT_TRUE(msg);
    EXPECT_EQ(msg->text,
              "Loop detected.  Forward Pass cannot proceed past node " + std::to_string(cpmNode[c]));
    EXPECT_EQ(msg->title, "Input Data Error");
    EXPECT_EQ(g.ProjStatus, 2);

    LoadProject(2, WithDurations(nets[c].second, true));
    msg = ComputeForwardPass();
    ASSERT_TRUE(msg);
    EXPECT_EQ(msg->text,
              "Loop detected.  Forward Pass cannot proceed past node " + std::to_string(pertNode[c]));
    EXPECT_EQ(msg->title, "Input Data Error");
    EXPECT_EQ(g.ProjStatus, 0);
  }
}

TEST(PERTPass, ExampleMeansPathsAndDeviations) {
  LoadProject(
      2, {{"1", "2", "A", "1", "2", "3"}, {"2", "3", "B", "2", "5", "8"}, {"1", "3", "C", "1", "4", "13"}});
  EXPECT_FALSE(ComputeForwardPass());
  EXPECT_EQ(g.ProjStatus, 1);
  EXPECT_FLOAT_EQ(g.ArcVar(1, 3), 4.0f);
  const PertPath to3 = PertPathTo(3);
  EXPECT_EQ(to3.nodes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(PertPathText(to3.nodes), " 1- 2- 3");
  EXPECT_DOUBLE_EQ(to3.mean, 7);
  EXPECT_NEAR(to3.stdDev, std::sqrt(40.0 / 36), 1e-6);
  const PertPath to2 = PertPathTo(2);
  EXPECT_EQ(to2.nodes, (std::vector<int>{1, 2}));
  EXPECT_DOUBLE_EQ(to2.mean, 2);
  EXPECT_NEAR(to2.stdDev, 1.0 / 3, 1e-6);
  EXPECT_EQ(g.ArcDur(0, 0), 7);
}

TEST(PERTPass, EqualMeansKeepTheLowerNumberedPredecessorDespiteRounding) {
  // Through node 2: 0.8 + 0; through node 3: 0.7 + 0.1, a hair longer in binary.
  LoadProject(2, {{"1", "2", "A", "0.8", "0.8", "0.8"}, {"2", "4", "B", "0", "0", "0"},
                  {"1", "3", "C", "0.7", "0.7", "0.7"}, {"3", "4", "D", "0.1", "0.1", "0.1"}});
  ASSERT_GT(ActivityDuration(3) + ActivityDuration(4), ActivityDuration(1) + ActivityDuration(2));
  EXPECT_FALSE(ComputeForwardPass());
  EXPECT_EQ(PertPathTo(4).nodes, (std::vector<int>{1, 2, 4}));
  // A start node numbered above the others still heads every path.
  LoadProject(2, {{"3", "1", "A", "1", "1", "1"}, {"1", "2", "B", "1", "1", "1"}});
  EXPECT_FALSE(ComputeForwardPass());
  EXPECT_EQ(PertPathTo(2).nodes, (std::vector<int>{3, 1, 2}));
}

} // namespace
} // namespace quon
