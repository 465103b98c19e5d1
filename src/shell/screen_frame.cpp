#include "shell/screen_frame.h"

#include "platform/colors.h"
#include "shell/mod1.h"

namespace quon {

namespace {

// The frame's line: 18 pixels wide, centred on the box.
constexpr int kFrameLineWidth = 18;
constexpr double kHalfLineTwips = kFrameLineWidth * 15 / 2.0;

struct FrameBox {
  double left, top, right, bottom;
};

FrameBox ScreenFrameBox(double w, double h) {
  const double left = 0.015 * w, top = 0.0135 * h;
  return {left, top, left + 0.975 * w, top + 0.913 * h};
}

} // namespace

FrameInside ScreenFrameInside(double w, double h) {
  const FrameBox b = ScreenFrameBox(w, h);
  return {b.left + kHalfLineTwips, b.top + kHalfLineTwips, b.right - kHalfLineTwips, b.bottom - kHalfLineTwips};
}

void DrawFrameAndTitle(Surface &s, double w, double h) {
  s.SetDrawWidth(kFrameLineWidth);
  const FrameBox b = ScreenFrameBox(w, h);
  s.Box(b.left, b.top, b.right, b.bottom, kWhite);
  if (g.TitleSuppress == 11) {
    g.TitleSuppress = 0;
    // The frame's width is its own: whatever the screen draws next starts from a thin pen.
    s.SetDrawWidth(1);
    return;
  }
  s.SetDrawWidth(2);
  s.SetFontBold(true);
  s.SetFontSize(9);
  const int cls = g.ModelClass;
  g.TitleText = cls >= 0 && cls < static_cast<int>(g.ModelTitle.size()) ? g.ModelTitle[cls] : "";
  s.SetCurrentX((w - s.TextWidth(g.TitleText)) / 2);
  s.SetCurrentY(0.005 * h);
  s.SetForeColor(kBlue);
  s.Print(g.TitleText);
}

} // namespace quon
