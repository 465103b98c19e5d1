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
#include "platform/surface_core.h"
#include "project/project_tables.h"
#include "shell/chart_room.h"
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
// blue bar at the activity's current start. Redrawn alone (a moved bar), the white float
// window goes first and wipes the bar's old place; on a whole chart, drawn on a clean
// picture, the room keeps what is drawn.
void DrawActivityLine(Surface &s, int r, double y, ChartRoom *room = nullptr) {
  if (IsCriticalActivity(r)) {
    s.SetForeColor(kRed);
    if (room)
      room->Line(s, g.ActFloat(r, 3), y, g.ActFloat(r, 4), y, kRed);
    else
      s.Line(g.ActFloat(r, 3), y, g.ActFloat(r, 4), y, kRed);
    return;
  }
  if (!room) {
    s.SetForeColor(kWhite);
    s.Line(g.ActFloat(r, 3), y, g.ActFloat(r, 4), y, kWhite);
  }
  s.SetForeColor(kBlue);
  const double start = g.ActFloat(r, 0);
  if (room)
    room->Line(s, start, y, start + ActivityDuration(r), y, kBlue);
  else
    s.Line(start, y, start + ActivityDuration(r), y, kBlue);
}

// The time axis's numbers under it, every one of them, "Time" below them `timeSteps` steps before the
// axis end, and every activity's symbol beside what is drawn of its line (the bar on the
// screen, the whole window on paper): after it, before it, or over or under its middle, as
// near as it stands clear of every line and label. Symbols that find no such place are
// listed with their windows, in the chosen number format, wherever the chart leaves room,
// and a note counts any for which even that is lacking.
void LabelAxisAndBars(Surface &s, ChartRoom &room, const ChartRoom::Box &inside, double timeSteps, double clear,
                      bool paper) {
  const double u = BarChartTimeUnit();
  // The numbers stand `clear` twips off the axes and their tick dots.
  const double down = clear * room.UnitY(), across = clear * room.UnitX();
  const double right = inside.x2 - across;
  const double numberH = s.TextHeight("0");
  for (int t = 0; t <= g.GraphXMax; t += g.GraphStep) {
    const std::string number = Str(u * t);
    const double w = s.TextWidth(number);
    // Each number ends just before its mark, as the last one must at the picture's end: they
    // stay apart as long as a step is wider than a number. Else after the mark, else in a
    // second row, else over the axis.
    const double leftOf = std::min(u * t - across, right) - w, second = 2 * down + numberH;
    room.PrintAxisNumber(s,
                         {{leftOf, down},
                          {u * t + across, down},
                          {leftOf, second},
                          {u * t + across, second},
                          {leftOf, -numberH - down},
                          {u * t + across, -numberH - down}},
                         number);
  }
  // "Time" under the numbers, else in their line at the axis's end, else above the end,
  // as near to it as the bars leave room.
  const double below = 2 * down + numberH;
  const double timeX = u * (g.GraphXMax - timeSteps * g.GraphStep), timeW = s.TextWidth("Time");
  std::vector<ChartRoom::Place> timePlaces{{timeX, below}, {right - timeW, below}, {right - timeW, down}};
  for (int k = 1; k <= 8; ++k)
    timePlaces.push_back({right - timeW, -k * numberH - down});
  room.Print(s, timePlaces, "Time");

  const int n = g.ActivityCount;
  const double factor = CurrentFactor();
  const double blank = s.TextWidth(" ");
  std::vector<std::string> listed;
  const std::string note = " more activities: see the schedule";
  room.ReserveNote(s, n, inside.x1 + across, (inside.x2 - inside.x1) / 24, note);
  for (int r = 1; r <= n; ++r) {
    const double y = BarHeight(r, n, factor);
    const std::string symbol = g.ActSymbol(r);
    const double start = g.ActFloat(r, 0), end = start + ActivityDuration(r);
    const bool window = paper || IsCriticalActivity(r);
    const double lo = window ? std::min(g.ActFloat(r, 3), start) : start;
    const double hi = window ? std::max(g.ActFloat(r, 4), end) : end;
    const double w = s.TextWidth(symbol), h = s.TextHeight(symbol);
    std::vector<ChartRoom::Place> places;
    // Quarter heights up (negative) or down from a symbol centred on the line.
    for (const int m : {0, -3, 3, -5, 5}) {
      const double top = y - h / 2 + m * h / 4;
      places.push_back({hi + blank, top});
      places.push_back({lo - blank - w, top});
      if (m != 0) places.push_back({(lo + hi - w) / 2, top});
    }
    if (!room.Print(s, places, symbol, w, h))
      listed.push_back(symbol + ": " + Trim(Formatted(g.ActFloat(r, 3))) + " - " + Trim(Formatted(g.ActFloat(r, 4))));
  }
  // The list in tidy columns where the chart leaves them room, else wherever it has some.
  double widest = 0;
  for (const std::string &text : listed)
    widest = std::max(widest, s.TextWidth(text));
  room.ReleaseNote();
  room.PrintListWithNote(s, listed, inside.x1 + across, widest + 3 * blank, (inside.x2 - inside.x1) / 24, note);
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
  const double width = u * (g.GraphXMax - g.GraphXMin), height = u * (g.GraphYMin - g.GraphYMax);
  // Labels stay whole inside the picture, a pixel clear of every line.
  const ChartRoom::Box inside{u * g.GraphXMin, u * g.GraphYMin, u * g.GraphXMax, u * g.GraphYMax};
  ChartRoom room(s, width, height, kScreenTwipsPerPixel, inside, kScreenTwipsPerPixel);
  s.SetDrawWidth(1);
  s.SetForeColor(kRed);
  room.Line(s, 0, 0, u * g.GraphXMax, 0, kRed);
  room.Line(s, 0, 0, 0, u * g.GraphYMax, kRed);
  s.SetForeColor(kBlue);
  s.SetDrawWidth(4);
  for (int t = 0; t <= g.GraphXMax; t += g.GraphStep)
    room.Point(s, u * t, 0, kBlue);
  const int n = g.ActivityCount;
  const double factor = CurrentFactor();
  for (int r = 1; r <= n; ++r)
    DrawActivityLine(s, r, BarHeight(r, n, factor), &room);
  s.SetForeColor(kBlue);
  LabelAxisAndBars(s, room, inside, 1.5, 4 * kScreenTwipsPerPixel, false);
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
  const double pageW = p.ScaleWidthTwips(), pageH = p.ScaleHeightTwips();
  const double left = u * (f.left + g.GraphXMin) / 2.0, width = u * (f.right - f.left);
  double top = u * f.top, height = u * (f.bottom - f.top);
  p.SetFontSize(10);
  p.SetFontBold(true);
  // Rows closer than two lines of their symbols take the page down from under the heading,
  // the axis staying where it is: the labels get the room the page has.
  const double headingFoot = p.CurrentY() + p.TextHeight("Time");
  const double rowTwips = CurrentFactor() * pageH / std::fabs(height);
  if (g.ActivityCount > 1 && rowTwips < 2 * p.TextHeight("A")) {
    const double bottomTwips = (u * g.GraphYMin - top) / height * pageH;
    const double chartTop = headingFoot + p.TextHeight("A");
    const double perTwip = u * (g.GraphYMin - g.GraphYMax) / (bottomTwips - chartTop);
    top = u * g.GraphYMax - perTwip * chartTop;
    height = perTwip * pageH;
  }
  p.ScaleSet(left, top, width, height);
  const double unitX = width / pageW, unitY = height / pageH;
  // Labels stay inside the page's printable margin, below the heading.
  const double margin = 360;
  const ChartRoom::Box inside{left + margin * unitX, top + headingFoot * unitY, left + (pageW - margin) * unitX,
                              top + (pageH - margin) * unitY};
  ChartRoom room(p, width, height, kPrinterTwipsPerPixel, inside, 2 * kPrinterTwipsPerPixel);
  const Rgb ink = p.ForeColor();
  p.SetFontBold(false);
  p.SetDrawWidth(1);
  room.Line(p, u * g.GraphXMin, 0, u * g.GraphXMax, 0, ink);
  room.Line(p, 0, u * g.GraphYMin, 0, u * g.GraphYMax, ink);
  p.SetDrawWidth(3);
  p.SetFontBold(true);
  for (int t = 0; t <= g.GraphXMax; t += g.GraphStep)
    room.Point(p, u * t, 0, ink);

  const int count = g.ActivityCount;
  const double factor = CurrentFactor();
  for (int r = 1; r <= count; ++r) {
    const double yr = BarHeight(r, count, factor);
    // The window keeps the bar's width in the room: the bar may stand anywhere in it.
    room.KeepLine(g.ActFloat(r, 3), yr, g.ActFloat(r, 4), yr, 8);
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
  p.SetForeColor(ink);
  LabelAxisAndBars(p, room, inside, 0.5, 6 * kPrinterTwipsPerPixel, true);
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
