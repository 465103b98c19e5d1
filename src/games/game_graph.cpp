#include "games/game_graph.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/values.h"
#include "shell/mod1.h"
#include "shell/print_helpers.h"

namespace quon {

namespace {

std::int32_t Round32(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

// The pens and colours of the two media.
struct Style {
  bool paper;
  Rgb hatch, axes, marks, lines;
  int hatchW, axesW, marksW, linesW, optimumW, guidesW;
};

Style StyleFor(const Surface &s, bool paper) {
  if (paper) {
    const Rgb c = s.ForeColor();
    return {true, c, c, c, c, 1, 2, 4, 4, 30, 10};
  }
  return {false, kYellow, kRed, kBlue, kRed, 2, 1, 2, 2, 10, 2};
}

void Text(Surface &s, double x, double y, const std::string &text) {
  s.SetCurrentX(x);
  s.SetCurrentY(y);
  s.Print(text);
}

// The tick marks and labels k/4 of the probability axis; the first pass on paper has no points.
void ProbabilityTicks(Surface &s, const GameGraphScale &sc, Rgb c, bool points) {
  for (int k = 0; k <= sc.xMax - 2; ++k) {
    if (points) s.Point(k, 0, c);
    Text(s, k, 0, Str(k / 4.0));
  }
}

} // namespace

std::int32_t LeadingDigitFloor32(std::int32_t n) {
  if (n <= 0) return 0;
  std::int32_t unit = 1;
  while (n / unit >= 10)
    unit *= 10;
  return (n / unit) * unit;
}

GameGraphScale GameScaleFor(const TwoRowGame &game) {
  GameGraphScale sc;
  float lo = 999999, hi = -999999;
  for (const std::vector<double> *row : {&game.a1, &game.a2})
    for (double v : *row) {
      const float a = static_cast<float>(v);
      if (a > hi) hi = a;
      if (a < lo) lo = a;
    }
  // Payoffs beyond a billion are drawn at that bound, so every axis end fits 32 bits.
  lo = std::clamp(lo, -1e9f, 1e9f);
  hi = std::clamp(hi, -1e9f, 1e9f);
  const float smallest = lo;
  const float margin = std::max(std::fabs(hi), std::fabs(lo)) > 10 ? 10.0f : 1.0f;
  lo = lo < 0 ? lo - margin : -margin;
  hi = hi > 0 ? hi + margin : margin;
  sc.yMin = static_cast<std::int32_t>(std::floor(lo)) - 1;
  sc.yMax = static_cast<std::int32_t>(std::floor(hi)) + 1;
  sc.step = 1;
  const std::int32_t s = std::max(std::abs(sc.yMax), std::abs(sc.yMin));
  if (s > 10) sc.step = std::max<std::int32_t>(1, LeadingDigitFloor32(Round32(s * 0.1)));
  const auto stepsBelow = [&](std::int32_t v) {
    return static_cast<std::int32_t>(std::floor(static_cast<float>(v) / static_cast<float>(sc.step)));
  };
  const std::int32_t yMin = (stepsBelow(sc.yMin) + 1) * sc.step;
  // One step up would leave the smallest payoff below the bottom, or put the x axis on it
  // with no room for its labels: round down instead.
  sc.yMin = static_cast<float>(yMin) > smallest || yMin >= 0 ? stepsBelow(sc.yMin) * sc.step : yMin;
  sc.yMax = (stepsBelow(sc.yMax) + 1) * sc.step;
  return sc;
}

PrintedGameFrame PrintedFrameFor(const GameGraphScale &s) {
  const double r = static_cast<double>(s.xMax) - s.xMin;
  const double h = static_cast<double>(s.yMax) - s.yMin;
  PrintedGameFrame p;
  p.left = Round32(s.xMin - 0.3 * r / 0.647);
  p.right = Round32(s.xMax + 0.053 * r / 0.647);
  p.bottom = Round32(s.yMin - 0.15 * h / 0.5);
  p.top = Round32(s.yMax + 0.35 * h / 0.5);
  return p;
}

void ApplyGameScale(Surface &s, const GameGraphScale &sc) {
  s.ScaleSet(sc.xMin, sc.yMax, static_cast<double>(sc.xMax) - sc.xMin, static_cast<double>(sc.yMin) - sc.yMax);
}

void DrawTwoRowGame(Surface &s, const TwoRowGame &game, const GameGraphScale &sc, bool paper, ChartLabels *apart) {
  const Style st = StyleFor(s, paper);
  const std::size_t n = std::min(game.a1.size(), game.a2.size());
  const double xStar = 4 * game.t;
  const double z = game.value;

  // Hatching under the lower envelope: at each t the first height at or below every line,
  // stepping down from the value by 0.02 (single precision, as the candidate heights are).
  // Where no payoff is negative the envelope stays above the x axis, and the hatching stops at
  // the axis: the room below it holds the probability labels.
  bool negative = false;
  for (std::size_t j = 0; j < n; ++j)
    negative = negative || static_cast<float>(game.a1[j]) < 0 || static_cast<float>(game.a2[j]) < 0;
  const double hatchBase = negative ? sc.yMin : std::max(0.0, static_cast<double>(sc.yMin));
  s.SetDrawWidth(st.hatchW);
  for (int k = 1; k <= 19; ++k) {
    const float t = 0.05f * static_cast<float>(k);
    float envelope = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const float a1 = static_cast<float>(game.a1[j]), a2 = static_cast<float>(game.a2[j]);
      const float at = a2 - (a2 - a1) * t;
      if (j == 0 || at < envelope) envelope = at;
    }
    float y = static_cast<float>(z);
    // Skip the heights that lie plainly above the envelope; the last few are stepped one by one.
    const float skip = std::floor((y - envelope) / 0.02f) - 2;
    if (skip > 0) y -= 0.02f * skip;
    while (y >= static_cast<float>(sc.yMin)) {
      bool below = true;
      for (std::size_t j = 0; j < n && below; ++j) {
        const float a1 = static_cast<float>(game.a1[j]), a2 = static_cast<float>(game.a2[j]);
        below = y + (a2 - a1) * t <= a2;
      }
      if (below) {
        if (y > hatchBase) s.Line(4 * t, hatchBase, 4 * t, y, st.hatch);
        break;
      }
      // Where single precision is coarser than the step, the next height down is the next
      // number below: the walk always moves.
      const float next = y - 0.02f;
      y = next < y ? next : std::nextafter(y, -INFINITY);
    }
  }

  // Axes.
  s.SetDrawWidth(st.axesW);
  s.Line(-1, 0, sc.xMax, 0, st.axes);
  s.Line(0, sc.yMin, 0, sc.yMax, st.axes);
  s.Line(4, sc.yMin, 4, sc.yMax, st.axes);

  s.SetDrawWidth(st.marksW);
  s.SetFontBold(true);
  s.SetForeColor(st.marks);
  ProbabilityTicks(s, sc, st.marks, !paper);
  Text(s, sc.xMax - 0.5, s.CurrentY() - sc.step / 12, "x");
  Text(s, -0.25, sc.yMax - 0.25 * sc.step, "v");
  if (apart) apart->Add(apart->TextBox(s, -0.25, sc.yMax - 0.25 * sc.step, "v"));

  // B's lines and their labels left of the value axis.
  s.SetDrawWidth(st.linesW);
  for (std::size_t j = 0; j < n; ++j)
    s.Line(0, game.a2[j], 4, game.a1[j], st.lines);
  const double w0 = s.TextWidth("2222"), h0 = s.TextHeight("22");
  // The columns of labels moved aside: as wide as the widest label and a blank.
  const double column = s.TextWidth("B" + std::to_string(n)) + s.TextWidth(" ");
  // On the screen a label that would cover one already drawn is left out: a crowded axis
  // shows the labels that can stand apart.
  std::vector<double> shownAt;
  for (std::size_t j = 0; j < n; ++j) {
    const std::string label = "B" + std::to_string(j + 1);
    const double w = paper ? s.TextWidth(label) : w0, h = paper ? s.TextHeight(label) : h0;
    // At the line's start, but inside the picture when a zoom has put that start above its
    // top: every strategy keeps its label. The chart's y runs upwards, so h is negative.
    const double a2 = std::max(std::min(game.a2[j], sc.yMax + h), static_cast<double>(sc.yMin));
    if (paper && apart) {
      for (int c = 0;; ++c) {
        const double x = -0.1 - w - c * column;
        const ChartLabels::Box box = apart->TextBox(s, x, a2 - h, label);
        if (box.left < 0) break;
        if (!apart->Free(box)) continue;
        apart->Add(box);
        s.Box(x, a2, x + w, a2 - h, st.marks);
        s.SetForeColor(st.marks);
        Text(s, x, a2 - h, label);
        break;
      }
      continue;
    }
    if (!paper) {
      if (std::any_of(shownAt.begin(), shownAt.end(), [&](double y) { return std::fabs(y - a2) < 0.99 * std::fabs(h); }))
        continue;
      shownAt.push_back(a2);
    }
    if (paper)
      s.Box(-0.1 - w, a2, -0.1, a2 - h, st.marks);
    else
      s.FilledBox(-0.1 - w, a2, -0.1, a2 - h, kYellow);
    s.SetForeColor(st.marks);
    Text(s, -0.1 - w, a2 - h, label);
  }

  // The optimum and its guides to the axes.
  s.SetDrawWidth(st.optimumW);
  s.Point(xStar, z, st.marks);
  s.SetDrawWidth(st.guidesW);
  const double range = static_cast<double>(sc.yMax) - sc.yMin;
  double d = std::min(std::abs(sc.yMax), std::abs(sc.yMin)) < 3 ? 0.05 : sc.step / 4.0;
  // A dot spacing below a two-thousandth of the axis draws nothing more to the eye, only longer.
  d = std::max(d, range / 2000);
  if (std::fabs(z) > 0.01) {
    const double dir = z < 0 ? -1 : 1;
    for (double y = 0; y * dir <= z * dir; y += dir * d)
      s.Point(xStar, y, st.marks);
  }
  if (paper || sc.step / 10.0 < std::fabs(z))
    for (int k = 0;; ++k) {
      const double t = 0.02 + 0.03 * k;
      if (t > game.t) break;
      s.Point(4 * t, z, st.marks);
    }

  // Tick labels again, on top; then the value axis.
  s.SetDrawWidth(st.guidesW);
  ProbabilityTicks(s, sc, st.marks, true);
  // The numbers hang below their marks; the lowest one stands above its mark instead, inside
  // the picture. Where a step is lower than two numbers, the one above the lowest is left out
  // rather than printed over it.
  const bool crowded =
      static_cast<double>(sc.step) < 2 * std::abs(s.TextHeight(Str(static_cast<double>(sc.yMin))));
  for (std::int64_t y = sc.yMin; y <= sc.yMax; y += sc.step) {
    const double at = static_cast<double>(y);
    const std::string number = Str(at);
    const double textAt = y == sc.yMin ? at - s.TextHeight(number) : at;
    s.Point(0, at, st.marks);
    s.Point(4, at, st.marks);
    if (crowded && y == sc.yMin + sc.step) continue;
    Text(s, 0, textAt, number);
    Text(s, 4, textAt, number);
  }
}

TwoRowGame CurrentTwoRowGame() {
  TwoRowGame game;
  for (int j = 1; j <= g.GameCols; ++j) {
    game.a1.push_back(g.ArcMatrix(1, j));
    game.a2.push_back(g.ArcMatrix(2, j));
  }
  game.t = g.XSol(2);
  game.value = g.ZValue;
  return game;
}

GameGraphScale &CurrentGameScale() {
  static GameGraphScale scale;
  return scale;
}

} // namespace quon
