#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/colors.h"
#include "platform/recording_surface.h"
#include "platform/values.h"
#include "project/bar_chart.h"
#include "project/project_fixture.h"
#include "project/project_schedule.h"
#include "support/chart_check.h"

namespace quon {
namespace {

// A non-critical B (earliest start 3, duration 2, free float 1, total float 3) whose end node
// starts the non-critical D and E (earliest start 6); A and F are critical, length 10.
const std::vector<test::ActivityRow> kExperiment = {
    {"1", "2", "A", "3"}, {"2", "3", "B", "2"}, {"1", "3", "C", "6"}, {"3", "6", "D", "2"},
    {"3", "5", "E", "1"}, {"2", "6", "F", "7"}, {"5", "6", "G", "1"}};

// The CPM run and the start columns, as the output screen's bar-chart option leaves them.
void Schedule(const std::vector<test::ActivityRow> &rows) {
  test::LoadProject(1, rows);
  ASSERT_FALSE(ComputeCPMSchedule());
  for (int r = 1; r <= g.ActivityCount; ++r) {
    const auto [i, j] = ActivityNodes(r);
    g.ActFloat(r, 3) = g.ActFloat(r, 0) = g.EarlyTime(i);
    g.ActFloat(r, 4) = g.LateTime(j);
  }
  for (int k = 1; k <= g.NodeCount; ++k)
    g.SchedStart(k) = g.EarlyTime(k);
}

// The blue bar of an activity drawn at height y (no user scale: chart units are the twips).
std::vector<std::pair<double, double>> BlueBarsAt(const RecordingSurface &s, double y) {
  std::vector<std::pair<double, double>> out;
  for (const RecordedOp &op : s.Ops())
    if (op.kind == DrawKind::Line && op.color == kBlue && op.y1 == y && op.y2 == y) out.emplace_back(op.x1, op.x2);
  return out;
}

TEST(BarChartScale, AxisEndsStepsAndHeights) {
  struct Case {
    double length;
    int activities;
    int16 min, max, step;
  };
  for (const Case c : {Case{7, 3, -1, 8, 1}, Case{4, 6, -1, 7, 1}, Case{10, 2, -1, 11, 1}, Case{11, 2, -1, 12, 1},
                       Case{25, 2, -2, 26, 2}, Case{10.5, 2, -1, 11, 1}, Case{30, 2, -3, 33, 3},
                       Case{134, 2, -10, 140, 10}, Case{87, 2, -9, 90, 9}}) {
    const BarChartAxis a = BarChartScale(c.length, c.activities);
    EXPECT_EQ(a.min, c.min) << c.length;
    EXPECT_EQ(a.max, c.max) << c.length;
    EXPECT_EQ(a.step, c.step) << c.length;
  }
  const double longer = BarHeightFactor(7, 3);
  EXPECT_EQ(BarHeight(1, 3, longer), 7);
  EXPECT_EQ(BarHeight(2, 3, longer), 5);
  EXPECT_EQ(BarHeight(3, 3, longer), 2);
  const double shorter = BarHeightFactor(4, 6);
  for (int r = 1; r <= 6; ++r)
    EXPECT_EQ(BarHeight(r, 6, shorter), 7 - r);
}

// Axis ends are 16-bit: a project of 50000 is drawn in tens, and every bar still lies inside
// the picture and on the page.
TEST(BarChartScale, ProjectsBeyondTheAxisEndsAreDrawnInLargerUnits) {
  const BarChartAxis a = BarChartScale(50000, 3);
  EXPECT_EQ(a.unit, 10);
  EXPECT_EQ(a.max, 5500);
  EXPECT_EQ(a.step, 500);
  EXPECT_EQ(BarChartScale(32000, 3).unit, 1);

  Schedule({{"1", "2", "A", "30000"}, {"2", "3", "B", "20000"}, {"1", "3", "C", "10000.5"}});
  const double side = 7680;
  RecordingSurface pic(side, side);
  SetBarChartScale(pic);
  DrawBarChart(pic);
  int lines = 0;
  for (const RecordedOp &op : pic.Ops())
    if (op.kind == DrawKind::Line) {
      ++lines;
      for (double v : {op.x1, op.x2, op.y1, op.y2}) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, side);
      }
    }
  EXPECT_EQ(lines, 5); // the axes, A and B in red, C's bar
  EXPECT_NE(pic.FindText(" 50000"), nullptr);

  RecordingSurface paper;
  EXPECT_TRUE(PrintBarChart(paper));
  int bars = 0;
  for (const RecordedOp &op : paper.Ops())
    if (op.kind == DrawKind::Line && op.width == 8) {
      ++bars;
      EXPECT_GT(std::min(op.x1, op.x2), 0);
      EXPECT_LT(std::max(op.x1, op.x2), kPageWidthTwips);
    }
  EXPECT_EQ(bars, 3);
}

// A small chart and charts of 100 activities (a staircase with chords, and the long symbols of
// a chain with chords) in the pictures of both screens and on paper: every number and symbol
// stands clear of every line and dot and of each other, and every activity is named once,
// beside its line or in the list (on the screen, a note may count those the schedule holds).
TEST(BarChartScale, EveryBarIsNamedClearOfEveryLine) {
  std::vector<test::ActivityRow> stairs, chain;
  for (int k = 1; k <= 100; ++k) {
    stairs.push_back({std::to_string(k), std::to_string(k + 1), "A" + std::to_string(k), std::to_string(3 + k % 7)});
    if (k % 2 == 1) stairs.push_back({std::to_string(k), std::to_string(k + 2), "B" + std::to_string(k), "2"});
  }
  stairs.resize(100);
  // The staircase in fractional times: its list's windows have decimals.
  std::vector<test::ActivityRow> fractional = stairs;
  for (std::size_t k = 0; k < fractional.size(); ++k)
    fractional[k][3] += k % 3 == 0 ? ".03" : k % 3 == 1 ? ".4" : ".87";
  for (int i = 1; i <= 50; ++i)
    chain.push_back({std::to_string(i), std::to_string(i + 1), "Activity no. " + std::to_string(10 + i),
                     std::to_string(1 + i % 9)});
  for (int i = 1; i <= 49; ++i)
    chain.push_back({std::to_string(i), std::to_string(i + 2), "K" + std::to_string(i), std::to_string(1 + i % 5)});
  chain.push_back({"1", "51", "L", "7"});
  // A project of 12 whose axis ends at 13 on a picture where each step is narrow.
  const std::vector<test::ActivityRow> five = {
      {"1", "2", "A", "4"}, {"1", "3", "B", "5"}, {"2", "4", "C", "5"}, {"3", "4", "D", "3"}, {"4", "5", "E", "3"}};
  for (const std::vector<test::ActivityRow> *rows :
       {&kExperiment, &five, &std::as_const(stairs), &std::as_const(fractional), &std::as_const(chain)}) {
    Schedule(*rows);
    std::vector<std::string> names;
    for (int r = 1; r <= g.ActivityCount; ++r)
      names.push_back(g.ActSymbol(r));
    const std::string what = std::to_string(rows->size()) + " activities";
    // The axis from the project's length: every tick's time, the last one included.
    const BarChartAxis axis = BarChartScale(ProjectLength(), g.ActivityCount);
    const double factor = BarHeightFactor(ProjectLength(), g.ActivityCount);
    std::vector<test::ChartMark> paperNumbers;
    for (int t = 0; t <= axis.max; t += axis.step)
      paperNumbers.push_back({Str(axis.unit * t)});
    for (const double side : {6000.0, 7680.0}) {
      RecordingSurface pic(side, side);
      SetBarChartScale(pic);
      DrawBarChart(pic);
      // Time and height to twips of the picture.
      const auto X = [&](double v) { return (v / axis.unit - axis.min) / (axis.max - axis.min) * side; };
      const auto Y = [&](double v) { return (axis.max - v / axis.unit) / (axis.max - axis.min) * side; };
      std::vector<test::ChartMark> numbers, bars;
      for (int t = 0; t <= axis.max; t += axis.step)
        numbers.push_back({Str(axis.unit * t), X(axis.unit * t), Y(0), X(axis.unit * t), Y(0)});
      // The screen draws a critical activity's window and any other's bar only.
      for (int r = 1; r <= g.ActivityCount; ++r) {
        const double y = Y(BarHeight(r, g.ActivityCount, factor));
        const bool critical = IsCriticalActivity(r);
        const double from = critical ? g.ActFloat(r, 3) : g.ActFloat(r, 0);
        const double to = critical ? g.ActFloat(r, 4) : g.ActFloat(r, 0) + ActivityDuration(r);
        bars.push_back({g.ActSymbol(r), X(from), y, X(to), y});
      }
      EXPECT_NE(pic.FindText("Time"), nullptr) << side;
      // A listed window reads as the schedule beside the chart shows its times.
      const std::vector<ScheduleRow> schedule = BarChartScheduleRows();
      for (const RecordedOp &op : pic.Texts())
        for (int r = 1; r <= g.ActivityCount; ++r)
          if (op.text.rfind(g.ActSymbol(r) + ": ", 0) == 0) {
            const auto &cells = schedule[static_cast<std::size_t>(r - 1)].cells;
            EXPECT_EQ(op.text, g.ActSymbol(r) + ": " + Trim(cells[2]) + " - " + Trim(cells[3]));
          }
      test::ExpectChartReadable({pic.Ops().begin(), pic.Ops().end()}, names, kScreenTwipsPerPixel,
                                what + ", picture " + std::to_string(side), " more activities: see the schedule",
                                numbers, bars);
      if (rows->size() < 10) {
        EXPECT_NE(pic.FindText(names.back()), nullptr);
      }
    }
    RecordingSurface paper;
    ASSERT_TRUE(PrintBarChart(paper));
    std::vector<DrawOp> chart(paper.Ops().begin(), paper.Ops().end());
    test::ExpectChartReadable(chart, names, kPrinterTwipsPerPixel, what + " on paper", "", paperNumbers);
    // A crowded chart's rows start under the heading; a sparse one keeps a third of the page
    // above its top bar.
    double topBar = kPageHeightTwips;
    for (const DrawOp &op : chart)
      if (op.kind == DrawKind::Line && op.width == 8) topBar = std::min(topBar, op.y1);
    if (rows->size() < 10) {
      EXPECT_GT(topBar, 0.3 * kPageHeightTwips);
    } else {
      EXPECT_LT(topBar, 0.25 * kPageHeightTwips);
    }
  }
}

TEST(BarChartPrintFrame, DivisionFreeFrameMatchesTheSharesAndStaysFiniteAtZero) {
  const BarChartPaperFrame f = BarChartPrintFrame({-1, 8, 1}, {-1, 8, 1});
  EXPECT_EQ(f.left, -5); // -1 - 0.3/0.647 x 9
  EXPECT_EQ(f.right, 9); // 8 + 0.053/0.647 x 9
  EXPECT_EQ(f.bottom, -4);
  EXPECT_EQ(f.top, 14);
  // An axis from 0 would divide by zero in the per-end form.
  const BarChartPaperFrame z = BarChartPrintFrame({0, 10, 1}, {0, 10, 1});
  EXPECT_EQ(z.left, -5);
  EXPECT_EQ(z.bottom, -3);
  EXPECT_EQ(z.top, 17);
}

TEST(ScheduleExperiment, PushesSuccessorsPullsPredecessorsAndKeepsTheChartDrawn) {
  Schedule(kExperiment);
  RecordingSurface pic;
  EXPECT_TRUE(StartTimeChoices(1).empty()); // A is critical
  const ExperimentTexts none = ApplyStartChoice(1, 1, pic);
  EXPECT_EQ(none.result, "");
  EXPECT_EQ(g.ActFloat(1, 0), 0);
  EXPECT_EQ(StartTimeChoices(2), (std::vector<std::string>{"0", "1", "2", "3"}));

  // Delay B by 2: one time unit beyond its free float pushes D and E to 7.
  const ExperimentTexts b = ApplyStartChoice(2, 2, pic);
  EXPECT_EQ(b.result, "ACTIVITY B:  START TIME =  5, DELAY relative to its EARLIEST START =  2,  FREE FLOAT =  1."
                      "   Because DELAY exceeds FREE FLOAT by 1, succeeding activities {D, E} cannot start any "
                      "earlier than time  7.");
  EXPECT_EQ(b.caution, " CAUTION: Activities following {D, E}, if any, are not checked for possible delay.  This "
                       "step is done manually by assigning zero delay to {D, E}.");
  EXPECT_EQ(g.ActFloat(4, 0), 7);
  EXPECT_EQ(g.ActFloat(5, 0), 7);
  EXPECT_EQ(g.SchedStart(3), 7); // D and E share their from node
  EXPECT_EQ(StartTimeChoices(2), (std::vector<std::string>{"-2", "-1", "0", "1"}));

  // A smaller delay within the free float moves B alone; the pushed D and E stay.
  const ExperimentTexts back = ApplyStartChoice(2, 1, pic);
  EXPECT_EQ(back.result, "ACTIVITY B:  START TIME =  4, DELAY relative to its EARLIEST START =  1,  FREE FLOAT =  1.");
  EXPECT_EQ(back.caution, "");
  EXPECT_EQ(g.ActFloat(4, 0), 7);

  // Back to the full delay, then D started at its earliest start: B would still run at 6 and is
  // pulled back to end there.
  ApplyStartChoice(2, 2, pic);
  const ExperimentTexts d = ApplyStartChoice(4, 0, pic);
  EXPECT_EQ(d.result, "ACTIVITY D:  START TIME =  6, DELAY relative to its EARLIEST START =  0,  FREE FLOAT =  2."
                      "   FINISH of preceding activities {B} must be moved back to time  6 (or earlier if possible).");
  EXPECT_EQ(g.ActFloat(2, 0), 4);

  // A whole drawing (paint, zoom) shows every bar at its current start: B at 4, D at 6, E at 7.
  g.GraphXMin = g.GraphYMin = -1;
  g.GraphXMax = g.GraphYMax = 11;
  g.GraphStep = 1;
  RecordingSurface chart;
  DrawBarChart(chart);
  const double f = BarHeightFactor(10, 7);
  auto bar = [&](int r) { return BlueBarsAt(chart, BarHeight(r, 7, f)); };
  EXPECT_EQ(bar(2), (std::vector<std::pair<double, double>>{{4, 6}}));
  EXPECT_EQ(bar(4), (std::vector<std::pair<double, double>>{{6, 8}}));
  EXPECT_EQ(bar(5), (std::vector<std::pair<double, double>>{{7, 8}}));
  EXPECT_TRUE(bar(1).empty()); // critical: red only
}

TEST(ScheduleExperiment, ChoicesStopAtTheTotalFloat) {
  Schedule({{"1", "3", "A", "6"}, {"1", "2", "B", "2.5"}, {"2", "3", "C", "1"}});
  EXPECT_EQ(StartTimeChoices(2), (std::vector<std::string>{"0", "1", "2", "2.5"}));
  Schedule({{"1", "3", "A", "6"}, {"1", "2", "B", "4.6"}, {"2", "3", "C", "1"}});
  EXPECT_EQ(StartTimeChoices(2), (std::vector<std::string>{"0", "0.4"}));
  // Moved to its latest start, the list reads back to the earliest.
  RecordingSurface pic;
  ApplyStartChoice(2, StartDelays(2).back(), pic);
  EXPECT_EQ(StartTimeChoices(2), (std::vector<std::string>{"-0.4", "0"}));
  // A float of millions of units comes in coarser steps, ending at the float itself.
  for (const auto &[length, step] : std::vector<std::pair<const char *, float>>{
           {"32767.5", 10}, {"2000000", 100}, {"30000000000", 1e6f}}) {
    Schedule({{"1", "3", "A", length}, {"1", "2", "B", "0"}, {"2", "3", "C", "0"}});
    const double total = g.ActFloat(2, 1);
    const std::vector<double> delays = StartDelays(2);
    ASSERT_LE(delays.size(), kMostStartChoices + 1) << length;
    EXPECT_TRUE(std::is_sorted(delays.begin(), delays.end())) << length;
    EXPECT_EQ(delays.front(), 0) << length;
    EXPECT_EQ(delays.back(), total) << length;
    EXPECT_EQ(delays[1], step) << length;
  }
}

TEST(ProjectPrinting, CPMDataScheduleAndChartOnPaper) {
  Schedule(kExperiment);
  g.HeaderText[1] = "Demo";
  g.OutputOption = 1;
  RecordingSurface paper;
  EXPECT_TRUE(PrintProjectOutput(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  ASSERT_NE(paper.FindText("PROJECT PLANNING - CPM SCHEDULE"), nullptr);
  const RecordedOp *critical = paper.FindText("c 1-2");
  const RecordedOp *plain = paper.FindText("2-3");
  ASSERT_NE(critical, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(critical->x1, 1200);
  EXPECT_GT(plain->x1, 1200);
  EXPECT_EQ(critical->page, 2);

  // Seven activities: rows 1 to 5, then a wider gap before row 6.
  std::vector<double> ys;
  for (const RecordedOp &op : paper.Texts())
    if (op.page == 1 && op.x1 == 1200 && op.text.size() == 5 && op.text[1] == ' ') ys.push_back(op.y1);
  ASSERT_EQ(ys.size(), 7u);
  EXPECT_GT(ys[5] - ys[4], ys[4] - ys[3]);
  EXPECT_DOUBLE_EQ(ys[6] - ys[5], ys[4] - ys[3]);

  // The chart after an experiment shows the moved bar, the schedule its earliest start.
  RecordingSurface pic;
  ApplyStartChoice(2, 2, pic);
  const BarChartAxis a = BarChartScale(10, 7);
  g.GraphXMin = g.GraphYMin = a.min;
  g.GraphXMax = g.GraphYMax = a.max;
  g.GraphStep = a.step;
  paper.Reset();
  EXPECT_TRUE(PrintBarChart(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  ASSERT_NE(paper.FindText("PROJECT PLANNING - CPM BAR CHART"), nullptr);
  ASSERT_NE(paper.FindText("Time"), nullptr);
  int thick = 0;
  for (const RecordedOp &op : paper.Ops())
    if (op.kind == DrawKind::Line && op.width == 8) ++thick;
  EXPECT_EQ(thick, 7); // one thick line per activity: critical window or bar
}

TEST(ProjectPrinting, PERTPathTableKeepsEveryNodeWithAPath) {
  // The start node is 2, so node 1 is an inner node.
  test::LoadProject(2, {{"2", "1", "A", "1", "2", "3"}, {"1", "3", "B", "2", "3", "4"}, {"2", "3", "C", "1", "1", "1"}});
  ASSERT_FALSE(ComputeForwardPass());
  g.HeaderText[1] = "Demo";
  g.OutputOption = 2;
  RecordingSurface paper;
  EXPECT_TRUE(PrintProjectOutput(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 2);
  std::vector<std::string> nodes;
  for (const RecordedOp &op : paper.Texts())
    if (op.document == 2 && op.x1 == 1200 && op.text.size() == 1) nodes.push_back(op.text);
  // The start node has no path; node 1 is printed.
  EXPECT_EQ(nodes, (std::vector<std::string>{"1", "3"}));

  g.OutputOption = 1;
  paper.Reset();
  EXPECT_TRUE(PrintProjectOutput(paper));
  EXPECT_EQ(paper.DocumentsEnded(), 1);
  EXPECT_NE(paper.FindText("PROJECT PLANNING - PERT MEAN AND VARIANCE"), nullptr);
}

} // namespace
} // namespace quon
