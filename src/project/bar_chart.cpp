#include "project/bar_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "linear/lp_graph_geometry.h"
#include "platform/colors.h"
#include "platform/values.h"
#include "project/project_schedule.h"
#include "project/project_tables.h"
#include "shell/helpers.h"
#include "shell/print_helpers.h"
#include "shell/print_job.h"

namespace quon {

namespace {

// Axis ends are 16-bit; the largest end the chart takes, which the zoom also respects.
constexpr double kLargestAxis = 32000;

// The power of ten that brings the longer of the project length and the activity count within
// the axis ends.
double TimeUnit(double projectLength, int activityCount) {
  const double longest = std::max(projectLength, static_cast<double>(activityCount));
  double unit = 1;
  while (std::isfinite(longest) && longest / unit > kLargestAxis && unit < 1e300)
    unit *= 10;
  return unit;
}

int16 Round16(double v) {
  return static_cast<int16>(std::nearbyint(std::clamp(v, -kLargestAxis, kLargestAxis)));
}

std::string Formatted(double v) { return Format(v, NumberFormatString()); }

// A number joined into a message: its shortest form after a blank, or after its minus sign.
std::string MessageNumber(double v) { return (v >= 0 ? " " : "") + NumText(v); }

std::string NodeText(int node) { return Trim(Str(node)); }

double CurrentFactor() { return BarHeightFactor(g.ArcDur(0, 0), g.ActivityCount); }

// Activity r's line at its height: red over the whole window when critical, otherwise the
// white float window with the blue bar at the activity's current start.
void DrawActivityLine(Surface &s, int r, double y) {
  if (IsCriticalActivity(r)) {
    s.SetForeColor(kRed);
    s.Line(g.ActFloat(r, 3), y, g.ActFloat(r, 4), y, kRed);
    return;
  }
  s.SetForeColor(kWhite);
  s.Line(g.ActFloat(r, 3), y, g.ActFloat(r, 4), y, kWhite);
  s.SetForeColor(kBlue);
  const double start = g.ActFloat(r, 0);
  s.Line(start, y, start + ActivityDuration(r), y, kBlue);
}

void RedrawActivity(Surface &s, int r) {
  DrawActivityLine(s, r, BarHeight(r, g.ActivityCount, CurrentFactor()));
}

void CutListEnd(std::string &text) { text.erase(text.size() >= 2 ? text.size() - 2 : 0); }

std::string NodePair(int r, const char *joint) {
  const auto [i, j] = ActivityNodes(r);
  return NodeText(i) + joint + NodeText(j);
}

} // namespace

BarChartAxis BarChartScale(double projectLength, int activityCount) {
  BarChartAxis a;
  a.unit = TimeUnit(projectLength, activityCount);
  const int16 longest = Round16(VarMax(projectLength, static_cast<double>(activityCount)) / a.unit);
  a.step = 1;
  if (longest > 10) a.step = std::max<int16>(1, LeadingDigitFloor(Round16(longest * 0.1)));
  a.min = static_cast<int16>(-a.step);
  a.max = Round16((Int(static_cast<double>(longest) / a.step) + 1) * a.step);
  return a;
}

double BarHeightFactor(double projectLength, int activityCount) {
  return activityCount > 0 && projectLength > activityCount ? projectLength / activityCount : 1.0;
}

int BarHeight(int r, int activityCount, double factor) {
  return static_cast<int>(std::nearbyint((activityCount + 1 - r) * factor));
}

double BarChartTimeUnit() { return TimeUnit(g.ArcDur(0, 0), g.ActivityCount); }

void ApplyBarChartScale(Surface &picture) {
  const double u = BarChartTimeUnit();
  picture.ScaleSet(u * g.GraphXMin, u * g.GraphYMax, u * (g.GraphXMax - g.GraphXMin), u * (g.GraphYMin - g.GraphYMax));
}

void SetBarChartScale(Surface &picture) {
  const BarChartAxis a = BarChartScale(g.ArcDur(0, 0), g.ActivityCount);
  g.GraphXMin = g.GraphYMin = a.min;
  g.GraphXMax = g.GraphYMax = a.max;
  g.GraphStep = a.step;
  ApplyBarChartScale(picture);
}

void DrawBarChart(Surface &s) {
  if (g.GraphStep <= 0) return;
  const double u = BarChartTimeUnit();
  s.SetDrawWidth(1);
  s.SetForeColor(kRed);
  s.Line(0, 0, u * g.GraphXMax, 0, kRed);
  s.Line(0, 0, 0, u * g.GraphYMax, kRed);
  s.SetForeColor(kBlue);
  s.SetDrawWidth(4);
  // A text that would run past the chart's right edge ends a little short of it instead, and
  // a text that would overlap one already drawn is left out: on a crowded chart the labels
  // are thinned, never drawn over one another or cut.
  const double right = u * g.GraphXMax;
  const double margin = 0.5 * s.TextWidth("0");
  struct Extent {
    double x1, x2, y1, y2;
  };
  std::vector<Extent> drawn;
  auto printApart = [&](double x, const std::string &text) {
    const double width = s.TextWidth(text), height = s.TextHeight(text);
    if (x <= right) x = std::min(x, right - margin - width);
    const double y = s.CurrentY();
    const Extent e{x, x + width, std::min(y, y + height), std::max(y, y + height)};
    // Lines of text one under the other only touch.
    const double touch = 0.01 * std::fabs(height);
    for (const Extent &d : drawn)
      if (e.x1 < d.x2 + margin && d.x1 < e.x2 + margin && e.y1 < d.y2 - touch && d.y1 < e.y2 - touch) return false;
    drawn.push_back(e);
    s.SetCurrentX(x);
    s.Print(text);
    return true;
  };
  for (int t = 0; t <= g.GraphXMax; t += g.GraphStep) {
    s.Point(u * t, 0, kBlue);
    s.SetCurrentY(0);
    printApart(u * t, Str(u * t));
  }
  s.SetCurrentX(u * (g.GraphXMax - 1.5 * g.GraphStep));
  s.SetCurrentY(0 + s.TextHeight("0"));
  printApart(u * (g.GraphXMax - 1.5 * g.GraphStep), "Time");
  const int n = g.ActivityCount;
  const double factor = CurrentFactor();
  for (int r = 1; r <= n; ++r) {
    const double y = BarHeight(r, n, factor);
    DrawActivityLine(s, r, y);
  }
  for (int r = 1; r <= n; ++r) {
    s.SetForeColor(kBlue);
    s.SetCurrentY(BarHeight(r, n, factor));
    printApart(g.ActFloat(r, 4), g.ActSymbol(r));
  }
}

std::vector<ScheduleRow> BarChartScheduleRows() {
  std::vector<ScheduleRow> rows;
  for (int r = 1; r <= g.ActivityCount; ++r) {
    const auto [i, j] = ActivityNodes(r);
    const ActivityFloat fl = ActivityFloats(r);
    ScheduleRow row;
    row.critical = IsCriticalActivity(r);
    row.cells = {NodePair(r, "-") + ": " + g.ActSymbol(r),
                 Formatted(ActivityDuration(r)),
                 Formatted(EarliestTime(i)),
                 Formatted(LatestTime(j)),
                 Formatted(fl.total),
                 Formatted(fl.free)};
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<double> StartDelays(int a) {
  std::vector<double> delays;
  const double total = g.ActFloat(a, 1);
  if (IsCriticalActivity(a) || !(total > 0)) return delays;
  if (!std::isfinite(total)) return {0.0};
  // A float of more whole units than a list can sensibly hold is offered in steps of a power
  // of ten: a list of millions of items would take the screen minutes to build.
  const double whole = std::floor(total);
  double step = 1;
  while (whole / step >= kMostStartChoices)
    step *= 10;
  const auto last = static_cast<long long>(whole / step);
  for (long long d = 0; d <= last; ++d)
    delays.push_back(static_cast<double>(d) * step);
  // A float beyond the last step is offered itself, the latest start there is; a last bit of
  // rounding past the whole part is not worth a choice of its own.
  if (total - delays.back() > ScheduleTolerance(ProjectLength()))
    delays.push_back(total);
  return delays;
}

std::vector<std::string> StartTimeChoices(int a) {
  std::vector<std::string> items;
  for (double d : StartDelays(a))
    items.push_back(NumText(DecimalSum(g.ActFloat(a, 3), -g.ActFloat(a, 0), d)));
  return items;
}

ExperimentTexts ApplyStartChoice(int a, double delay, Surface &picture) {
  ExperimentTexts out;
  if (IsCriticalActivity(a)) return out;
  const auto [from, to] = ActivityNodes(a);
  const double start = DecimalSum(delay, g.ActFloat(a, 3));
  g.SchedStart(from) = start;
  g.ActFloat(a, 0) = start;
  RedrawActivity(picture, a);

  const double shift = DecimalSum(g.ActFloat(a, 0), -g.ActFloat(a, 3));
  const double freeFloat = g.ActFloat(a, 2);
  std::string text = "ACTIVITY " + g.ActSymbol(a) + ":  START TIME = " + MessageNumber(start) +
                     ", DELAY relative to its EARLIEST START = " + MessageNumber(shift) +
                     ",  FREE FLOAT = " + MessageNumber(freeFloat) + ".";

  // Immediate successors start no earlier than the excess of the delay over the free float.
  const double push = VarMax(0.0, DecimalSum(delay, -freeFloat));
  const double finish = DecimalSum(ActivityDuration(a), g.ActFloat(a, 0));
  std::string pushed, names = "{";
  double lastStart = 0;
  bool anyPushed = false;
  for (int k = 1, n = g.ActivityCount; k <= n; ++k) {
    const auto [kFrom, kTo] = ActivityNodes(k);
    if (IsCriticalActivity(k) || kFrom != to) continue;
    const double sk = DecimalSum(g.ActFloat(k, 3), push);
    lastStart = sk;
    g.SchedStart(kFrom) = sk;
    if (sk > g.ActFloat(k, 0)) {
      if (DecimalSum(finish, -g.ActFloat(k, 0)) > 0) {
        anyPushed = true;
        pushed += g.ActSymbol(k) + ", ";
        names += g.ActSymbol(k) + ", ";
      }
      g.ActFloat(k, 0) = sk;
      RedrawActivity(picture, k);
    }
  }
  if (anyPushed) {
    CutListEnd(pushed);
    CutListEnd(names);
    names += "}";
    text += "   Because DELAY exceeds FREE FLOAT by" + MessageNumber(DecimalSum(shift, -freeFloat)) + ", succeeding activities {" +
            pushed + "} cannot start any earlier than time " + MessageNumber(lastStart) + ".";
    out.caution = " CAUTION: Activities following " + names +
                  ", if any, are not checked for possible delay.  This step is done manually by assigning zero "
                  "delay to " +
                  names + ".";
  }

  // Immediate predecessors that would still run at the new start end there instead.
  std::string pulled;
  for (int k = 1, n = g.ActivityCount; k <= n; ++k) {
    const auto [kFrom, kTo] = ActivityNodes(k);
    if (IsCriticalActivity(k) || kTo != from) continue;
    const double duration = ActivityDuration(k);
    if (DecimalSum(duration, g.ActFloat(k, 0)) > g.ActFloat(a, 0)) {
      const double sk = DecimalSum(g.ActFloat(a, 0), -duration);
      g.SchedStart(kFrom) = sk;
      g.ActFloat(k, 0) = sk;
      RedrawActivity(picture, k);
      pulled += g.ActSymbol(k) + ", ";
    }
  }
  if (!pulled.empty()) {
    CutListEnd(pulled);
    text += "   FINISH of preceding activities {" + pulled + "} must be moved back to time " +
            MessageNumber(g.ActFloat(a, 0)) + " (or earlier if possible).";
  }
  out.result = text;
  return out;
}

BarChartPaperFrame BarChartPrintFrame(const BarChartAxis &x, const BarChartAxis &y) {
  // The same frame as scaling each end by its share of the axis, without dividing by the
  // end's own length (which is zero for an axis that starts or ends at 0).
  const double width = x.max - x.min, height = y.max - y.min;
  BarChartPaperFrame f;
  f.left = Round16(x.min - (0.3 / 0.647) * width);
  f.right = Round16(x.max + (0.053 / 0.647) * width);
  f.bottom = Round16(y.min - 0.3 * height);
  f.top = Round16(y.max + 0.7 * height);
  return f;
}

bool PrintProjectOutput(PageSurface &p) {
  PrintPageHeading(p);
  bool ok = PrintProjectInputData(p);
  if (g.ProjMethod == 2 && g.OutputOption == 1) return ok;
  if (g.ProjMethod == 1) {
    p.NewPage();
    PrintCPMSchedule(p);
  } else {
    PrintPERTPaths(p);
  }
  EndTable(p);
  return p.EndDoc() && ok;
}

bool PrintBarChart(PageSurface &p) {
  p.ScaleReset();
  p.SetCurrentY(1200);
  g.MsgText = "PROJECT PLANNING - CPM BAR CHART";
  PrintSectionHeader(p);
  // Without a chart on screen there is no scale to print it in.
  if (g.GraphStep <= 0) return p.EndDoc();
  const BarChartAxis x{g.GraphXMin, g.GraphXMax, g.GraphStep};
  const BarChartAxis y{g.GraphYMin, g.GraphYMax, g.GraphStep};
  const BarChartPaperFrame f = BarChartPrintFrame(x, y);
  const double u = BarChartTimeUnit();
  const double left = u * (f.left + g.GraphXMin) / 2.0, top = u * f.top;
  const double width = u * (f.right - f.left), height = u * (f.bottom - f.top);
  p.ScaleSet(left, top, width, height);
  // Labels that would print over one another are left out: the axis numbers first, then the
  // activities' symbols, each after its float window, else before it.
  ChartLabels labels(p);
  labels.SetScale(left, top, width, height);
  const Rgb ink = p.ForeColor();
  p.SetFontSize(10);
  p.SetFontBold(false);
  p.SetDrawWidth(1);
  p.Line(u * g.GraphXMin, 0, u * g.GraphXMax, 0, ink);
  p.Line(0, u * g.GraphYMin, 0, u * g.GraphYMax, ink);
  p.SetDrawWidth(3);
  p.SetFontBold(true);
  for (int t = 0; t <= g.GraphXMax; t += g.GraphStep) {
    p.Point(u * t, 0, ink);
    labels.Print(p, {{u * t, 0}}, Str(u * t));
  }
  labels.Print(p, {{u * (g.GraphXMax - 0.5 * g.GraphStep), p.TextHeight("Time")}}, "Time");

  const int n = g.ActivityCount;
  const double factor = CurrentFactor();
  const double blank = p.TextWidth(" ");
  for (int r = 1; r <= n; ++r) {
    const double yr = BarHeight(r, n, factor);
    if (IsCriticalActivity(r)) {
      p.SetDrawWidth(8);
      p.Line(g.ActFloat(r, 3), yr, g.ActFloat(r, 4), yr, ink);
    } else {
      p.SetDrawWidth(1);
      p.Line(g.ActFloat(r, 3), yr, g.ActFloat(r, 4), yr, ink);
      p.SetDrawWidth(8);
      const double start = g.ActFloat(r, 0);
      p.Line(start, yr, start + ActivityDuration(r), yr, ink);
    }
  }
  for (int r = 1; r <= n; ++r) {
    const double yr = BarHeight(r, n, factor);
    const std::string symbol = g.ActSymbol(r);
    labels.Print(p, {{g.ActFloat(r, 4), yr}, {g.ActFloat(r, 3) - p.TextWidth(symbol) - blank, yr}}, symbol);
  }
  p.ScaleReset();
  return p.EndDoc();
}

bool PrintProjectOutput() {
  return RunPrintJob([](PageSurface &p) { return PrintProjectOutput(p); });
}

bool PrintProjectOutputAndBarChart() {
  return RunPrintJob([](PageSurface &p) {
    const bool data = PrintProjectOutput(p);
    return PrintBarChart(p) && data;
  });
}

} // namespace quon
