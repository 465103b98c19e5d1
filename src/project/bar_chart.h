// The CPM bar chart on any surface (the graph screen's picture or a test's recording surface):
// its axis scale, the bars, the schedule rows beside it, and the schedule experiment that moves
// non-critical activities and their immediate neighbours.
//
// Every bar is drawn from its activity's current start, ActFloat(r, 0), so a repaint, a zoom
// and the paper all show the experiment as it stands.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "shell/mod1.h"

namespace quon {

// The square axis frame of the chart: x and y both run from -step to max. The axis ends are
// 16-bit, so a project too long for them is drawn in units of a power of ten: min, max and
// step count those units, `unit` is the time one of them stands for (1 up to a length of
// 32000), the surfaces are scaled in time and the tick labels read in time.
struct BarChartAxis {
  int16 min = 0, max = 0, step = 0;
  double unit = 1;
};
BarChartAxis BarChartScale(double projectLength, int activityCount);
// The time one axis unit stands for in the current project's chart.
double BarChartTimeUnit();
// The picture's user scale from the axis values (GraphXMin .. GraphYMax) in time: after the
// chart's own scale and after every zoom.
void ApplyBarChartScale(Surface &picture);

// Height of activity r's line: activity 1 on top, stretched to the project length when the
// project is longer than the activity count.
double BarHeightFactor(double projectLength, int activityCount);
int BarHeight(int r, int activityCount, double factor);

// Sets GraphXMin.. GraphStep from the current CPM run and the picture's user scale.
void SetBarChartScale(Surface &picture);

// Axes, ticks and every activity's line on the picture, in its current scale.
void DrawBarChart(Surface &picture);

// One schedule row per activity: "i-j: symbol", duration, earliest start, latest finish, total
// float and free float of the current run, formatted; critical rows are marked by
// IsCriticalActivity, as everywhere else.
struct ScheduleRow {
  std::array<std::string, 6> cells;
  bool critical = false;
};
std::vector<ScheduleRow> BarChartScheduleRows();

// The delays past its earliest start that activity a may take: every whole number up to its
// total float, then the total float itself when it is not whole. Empty for a critical activity.
// A float of kMostStartChoices whole units or more is offered in steps of the smallest power
// of ten that keeps the list below that many items, then the float itself.
inline constexpr double kMostStartChoices = 32767;
std::vector<double> StartDelays(int a);
// The start-time list's items for these delays: the shifts relative to the current start.
std::vector<std::string> StartTimeChoices(int a);
inline constexpr const char *kCriticalActivityText =
    "Selected activity is CRITICAL.  Its schedule cannot be modified.";

// Starts activity a at its earliest start + delay, pushes its non-critical successors later
// when the delay exceeds its free float, pulls its non-critical predecessors back when they
// would end after the new start, redraws the moved bars on the picture, and returns the two
// messages (the result, and the caution about activities further on).
struct ExperimentTexts {
  std::string result, caution;
};
ExperimentTexts ApplyStartChoice(int a, double delay, Surface &picture);

// Printing: the input data and, for CPM, the schedule (or the PERT path table); and the bar
// chart on a page of its own. Each ends its print jobs and returns the last end's result.
bool PrintProjectOutput(PageSurface &printer);
bool PrintBarChart(PageSurface &printer);
// Both as print jobs on the program's printer.
bool PrintProjectOutput();
bool PrintProjectOutputAndBarChart();

// The printed chart's frame in chart units: the axes take 0.647 of the page width with 0.3 of
// it to the left, and half the page height with 0.35 above.
struct BarChartPaperFrame {
  int16 left = 0, top = 0, right = 0, bottom = 0;
};
BarChartPaperFrame BarChartPrintFrame(const BarChartAxis &x, const BarChartAxis &y);

} // namespace quon
