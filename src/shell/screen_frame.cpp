#include "shell/screen_frame.h"

#include "platform/colors.h"
#include "shell/mod1.h"

namespace quon {

void DrawFrameAndTitle(Surface &s, double w, double h) {
  s.SetDrawWidth(18);
  const double left = 0.015 * w, top = 0.0135 * h;
  s.Box(left, top, left + 0.975 * w, top + 0.913 * h, kWhite);
  if (g.TitleSuppress == 11) {
    g.TitleSuppress = 0;
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
