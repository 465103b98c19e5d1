#include "games/game_graph.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/values.h"
#include "platform/surface_core.h"
#include "shell/helpers.h"
#include "shell/mod1.h"

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

void DrawTwoRowGame(Surface &s, const TwoRowGame &game, const GameGraphScale &sc, bool paper) {
  const double height = static_cast<double>(sc.yMin) - sc.yMax;
  DrawTwoRowGame(s, game, sc, paper, static_cast<double>(sc.xMax) - sc.xMin, height,
                 {static_cast<double>(sc.xMin), static_cast<double>(sc.yMin), static_cast<double>(sc.xMax),
                  static_cast<double>(sc.yMax)});
}

void DrawTwoRowGame(Surface &s, const TwoRowGame &game, const GameGraphScale &sc, bool paper, double scaleWidth,
                    double scaleHeight, const ChartRoom::Box &inside) {
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
  const double tpp = paper ? kPrinterTwipsPerPixel : kScreenTwipsPerPixel;
  ChartRoom room(s, scaleWidth, scaleHeight, tpp, inside, paper ? 2 * tpp : tpp);
  s.SetDrawWidth(st.hatchW);
  for (int k = 1; k <= 19; ++k) {
    const float t = 0.05f * static_cast<float>(k);
    float envelope = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const float a1 = static_cast<float>(game.a1[j]), a2 = static_cast<float>(game.a2[j]);
      const float at = a2 - (a2 - a1) * t;
      if (j == 0 || at < envelope) envelope = at;
    }
    // Beyond the drawn bound of a billion single precision cannot step, nor even hold the
    // payoffs: the hatching there reaches the envelope as drawn, cut at the frame.
    double exact = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const double at = game.a2[j] - (game.a2[j] - game.a1[j]) * static_cast<double>(t);
      if (j == 0 || at < exact) exact = at;
    }
    if (std::fabs(exact) > 1e9 || std::fabs(z) > 1e9) {
      const double top = std::min(exact, static_cast<double>(sc.yMax));
      if (top > hatchBase) room.Line(s, 4 * t, hatchBase, 4 * t, top, st.hatch);
      continue;
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
        if (y > hatchBase) room.Line(s, 4 * t, hatchBase, 4 * t, y, st.hatch);
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
  room.Line(s, -1, 0, sc.xMax, 0, st.axes);
  room.Line(s, 0, sc.yMin, 0, sc.yMax, st.axes);
  room.Line(s, 4, sc.yMin, 4, sc.yMax, st.axes);

  // B's lines.
  s.SetDrawWidth(st.linesW);
  for (std::size_t j = 0; j < n; ++j)
    room.Line(s, 0, game.a2[j], 4, game.a1[j], st.lines);

  // The optimum and its guides to the axes.
  s.SetDrawWidth(st.optimumW);
  room.Point(s, xStar, z, st.marks);
  s.SetDrawWidth(st.guidesW);
  const double range = static_cast<double>(sc.yMax) - sc.yMin;
  double d = std::min(std::abs(sc.yMax), std::abs(sc.yMin)) < 3 ? 0.05 : sc.step / 4.0;
  // A dot spacing below a two-thousandth of the axis draws nothing more to the eye, only longer.
  d = std::max(d, range / 2000);
  if (std::fabs(z) > 0.01) {
    // The guide ends where the value axis does: a value beyond a billion is drawn at that
    // bound, and counting the dots keeps the steps from stalling on a huge value.
    const double dir = z < 0 ? -1 : 1;
    const double end = dir > 0 ? std::min(z, static_cast<double>(sc.yMax)) : std::max(z, static_cast<double>(sc.yMin));
    const long dots = static_cast<long>(std::floor(end * dir / d));
    for (long k = 0; k <= dots; ++k)
      room.Point(s, xStar, dir * d * static_cast<double>(k), st.marks);
  }
  if (paper || sc.step / 10.0 < std::fabs(z))
    for (int k = 0;; ++k) {
      const double t = 0.02 + 0.03 * k;
      if (t > game.t) break;
      room.Point(s, 4 * t, z, st.marks);
    }

  // The marks of both axes, then their numbers where no line runs through them: the values
  // outside the two value axes, level with their marks (else just under or over them), the
  // probabilities under the x axis (else over it).
  s.SetDrawWidth(st.guidesW);
  s.SetFontBold(true);
  s.SetForeColor(st.marks);
  for (int k = 0; k <= sc.xMax - 2; ++k)
    room.Point(s, k, 0, st.marks);
  for (std::int64_t y = sc.yMin; y <= sc.yMax; y += sc.step) {
    room.Point(s, 0, static_cast<double>(y), st.marks);
    room.Point(s, 4, static_cast<double>(y), st.marks);
  }
  // Clear of the marks' dots by a pen's width more than the room's gap.
  const double clear = (0.5 * st.guidesW + 3) * tpp;
  const double clearX = clear * room.UnitX(), clearY = clear * room.UnitY();
  const double h = s.TextHeight("B1");
  // Every number of both axes stands: the values first, as their places are fixed, then the
  // probabilities, then the axes' names where room is left.
  double numbers = 0; // the widest value number
  for (std::int64_t y = sc.yMin; y <= sc.yMax; y += sc.step) {
    const double at = static_cast<double>(y);
    const std::string number = Str(at);
    const double w = s.TextWidth(number);
    numbers = std::max(numbers, w);
    for (const double side : {-1.0, 1.0}) {
      // Level with the mark (the x axis runs through the level of 0: above it, as under it
      // stand the probabilities), else under or over it, else as much further out again
      // where the optimum's dot stands on the axis.
      std::vector<ChartRoom::Place> places;
      for (const double out : {0.0, 0.5 * w, w + 2 * std::fabs(clearX)}) {
        const double x = side < 0 ? -clearX - w - out : 4 + clearX + out;
        if (y != 0) places.push_back({x, at - h / 2});
        places.push_back({x, at - h - clearY});
        places.push_back({x, at + clearY});
      }
      room.PrintAxisNumber(s, places, number);
    }
  }
  for (int k = 0; k <= sc.xMax - 2; ++k) {
    const std::string number = Str(k / 4.0);
    const double w = s.TextWidth(number);
    // Where lines cross the axis at every mark, under the picture's foot or at its top.
    room.PrintAxisNumber(s,
                         {{k + clearX, clearY},
                          {k + clearX, -h - clearY},
                          {k - clearX - w, clearY},
                          {k - clearX - w, -h - clearY},
                          {k + clearX, sc.yMin - h - clearY},
                          {k + clearX, sc.yMax + clearY}},
                         number);
  }
  room.Print(s, {{sc.xMax - 0.5, clearY - h}, {sc.xMax - 0.5, -h}, {sc.xMax - 0.5 - s.TextWidth("x"), clearY}}, "x");
  room.Print(s, {{-0.25, sc.yMax - 0.25 * sc.step}, {-0.25 - s.TextWidth("v"), sc.yMax - 0.25 * sc.step}}, "v");

  // B's names beside the value axes, outside their numbers: at a line's start when no other
  // line starts there, else at its end when no other ends there, in columns going outwards
  // where names at nearby heights need them. Equal lines share their ends: their names
  // spread over both. A name with no room is listed with its line's payoffs where the
  // picture has room, and a note counts any for which even that is lacking.
  s.SetDrawWidth(st.marksW);
  const double blank = s.TextWidth(" ");
  const double column = s.TextWidth("B" + std::to_string(n)) + 2 * blank;
  const double leftStart = -clearX - numbers - blank, rightStart = 4 + clearX + numbers + blank;
  const auto same = [](double a, double b) { return static_cast<float>(a) == static_cast<float>(b); };
  std::vector<std::string> listed;
  // Short enough for the band above the highest line of a crowded picture.
  const std::string note = " more: see A's expected payoffs";
  room.ReserveNote(s, static_cast<int>(n), inside.x1 + clearX, (inside.x2 - inside.x1) / 24, note);
  for (std::size_t j = 0; j < n; ++j) {
    bool startShared = false, endShared = false;
    for (std::size_t k = 0; k < n; ++k) {
      if (same(game.a1[k], game.a1[j]) && same(game.a2[k], game.a2[j])) continue;
      startShared = startShared || same(game.a2[k], game.a2[j]);
      endShared = endShared || same(game.a1[k], game.a1[j]);
    }
    const std::string label = "B" + std::to_string(j + 1);
    const double w = s.TextWidth(label);
    std::vector<ChartRoom::Place> places;
    for (int c = 0; leftStart - w - c * column >= inside.x1 || rightStart + c * column + w <= inside.x2; ++c)
      for (const int m : {0, -1, 1}) {
        if (!startShared) places.push_back({leftStart - w - c * column, game.a2[j] - h / 2 + m * h / 4});
        if (!endShared) places.push_back({rightStart + c * column, game.a1[j] - h / 2 + m * h / 4});
      }
    ChartRoom::Place at;
    if (!room.Take(s, places, label, at)) {
      listed.push_back(label + ":  " + Format(game.a2[j], NumberFormatString()) + " + " +
                       Format(game.a1[j] - game.a2[j], NumberFormatString()) + "x");
      continue;
    }
    const double x = at.first, top = at.second;
    if (paper)
      s.Box(x, top, x + w, top + h, st.marks);
    else
      s.FilledBox(x, top, x + w, top + h, kYellow);
    s.SetForeColor(st.marks);
    Text(s, x, top, label);
  }
  room.ReleaseNote();
  room.PrintListWithNote(s, listed, inside.x1 + clearX, 0, (inside.x2 - inside.x1) / 24, note);
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
