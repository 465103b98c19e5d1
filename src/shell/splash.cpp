#include "shell/splash.h"

#include <cmath>
#include <numbers>

#include "platform/colors.h"

namespace quon {

const char *const kCreditLabelText = "Operations research, one step at a time";

const std::array<std::string, 7> kCreditLines = {
    "An interactive teaching tool for operations research",
    "Linear and integer programming, transportation and networks",
    "Project planning, queueing models and zero-sum games",
    "Every iteration shown, every pivot explained",
    "Version 1.00",
    "Enter a problem, pick a method, read each step",
    "Output on screen and on paper",
};

namespace {

constexpr Rgb kCreditPanel = RGB(192, 255, 255);

// Draws strokes in a letter cell whose corners are (x0, y0) and (x0 + cw, y0 + ch); all
// coordinates of the strokes are fractions of the cell.
class LetterPen {
public:
  LetterPen(Surface &s, double x0, double y0, double cw, double ch)
      : s_(s), x0_(x0), y0_(y0), cw_(cw), ch_(ch) {}

  void Stroke(double fx1, double fy1, double fx2, double fy2) {
    s_.Line(X(fx1), Y(fy1), X(fx2), Y(fy2), kCyan);
  }
  // Part of an ellipse centred on (fcx, fcy) with half-axes (frx, fry), from angle a1 to a2
  // (degrees, counter-clockwise from three o'clock), as a close row of pen-wide dots: short
  // straight strokes would show their square ends along the curve.
  void Arc(double fcx, double fcy, double frx, double fry, double a1, double a2) {
    constexpr int kSteps = 180;
    const double d = (a2 - a1) / kSteps * std::numbers::pi / 180;
    double a = a1 * std::numbers::pi / 180;
    for (int i = 0; i <= kSteps; ++i, a += d)
      s_.Point(X(fcx + frx * std::cos(a)), Y(fcy - fry * std::sin(a)), kCyan);
  }

private:
  double X(double f) const { return x0_ + f * cw_; }
  double Y(double f) const { return y0_ + f * ch_; }
  Surface &s_;
  double x0_, y0_, cw_, ch_;
};

void DrawLogo(Surface &s, double bx, double by, double bw, double bh) {
  // Four letter cells across the box, clear of the trade-mark label beside its top right
  // corner, with margins that keep the thick strokes inside the box.
  const double top = by + 0.2 * bh, ch = 0.6 * bh;
  const double cw = 0.13 * bw, step = 0.2 * bw;
  double x = bx + 0.12 * bw;

  LetterPen q(s, x, top, cw, ch);
  q.Arc(0.5, 0.5, 0.5, 0.5, 0, 360);
  q.Stroke(0.6, 0.7, 0.95, 1.05);
  x += step;

  LetterPen u(s, x, top, cw, ch);
  u.Stroke(0, 0, 0, 0.55);
  u.Stroke(1, 0, 1, 0.55);
  u.Arc(0.5, 0.55, 0.5, 0.45, 180, 360);
  x += step;

  LetterPen o(s, x, top, cw, ch);
  o.Arc(0.5, 0.5, 0.5, 0.5, 0, 360);
  x += step;

  LetterPen n(s, x, top, cw, ch);
  n.Stroke(0, 1, 0, 0);
  n.Stroke(0, 0, 1, 1);
  n.Stroke(1, 1, 1, 0);
}

} // namespace

int LogoStrokeWidth(double w) {
  return std::lround(w) == 12000 ? 21 : 25;
}

SplashPlacement DrawSplash(Surface &s, double w, double h, double labelWidth, double labelHeight,
                           double buttonHeight) {
  w = std::round(w);
  h = std::round(h);

  // The width in force: 1 on the first paint, the logo's width after it.
  s.Box(0.0135 * w, 0.0135 * h, 0.0135 * w + 0.976 * w, 0.0135 * h + 0.913 * h, kWhite);

  s.SetDrawWidth(2);
  const double bx = 0.16634 * w, by = 0.16 * h, bw = 0.66732 * w, bh = 0.43 * h;
  s.Box(bx, by, bx + bw, by + bh, kWhite);

  // Whole twips, as the credit label's own Left, so the two line up.
  const double px = std::floor((w - labelWidth) / 2), py = 0.6 * h;
  const double ph = 2 * labelHeight + 7 * s.TextHeight(kCreditLines[0]);
  s.FilledBox(px, py, px + labelWidth, py + ph, kCreditPanel);

  s.SetDrawWidth(LogoStrokeWidth(w));
  DrawLogo(s, bx, by, bw, bh);

  SplashPlacement at;
  s.SetCurrentY(0.599 * h);
  for (int i = 0; i < 4; ++i) {
    if (i == 1) s.SetCurrentY(s.CurrentY() + 2 * labelHeight);
    s.SetCurrentX((w - s.TextWidth(kCreditLines[i])) / 2);
    s.Print(kCreditLines[i]);
    if (i == 0) at.labelTop = s.CurrentY() + s.TextHeight(kCreditLines[0]);
  }
  for (int i = 4; i < 7; ++i) {
    s.SetCurrentX(1.01 * px);
    s.Print(kCreditLines[i]);
  }
  at.buttonTop = 0.6 * h + ph + buttonHeight;
  return at;
}

} // namespace quon
