// The start-up screen's splash: frame, logo box, credit panel, the product name in block
// letters and the credit lines, drawn on the start-up screen's surface.
#pragma once

#include <array>
#include <string>

#include "platform/surface.h"

namespace quon {

// Where the paint leaves the credit label and the "Click Here" button (twips).
struct SplashPlacement {
  double labelTop = 0;
  double buttonTop = 0;
};

// The credit label's text and the seven credit lines.
extern const char *const kCreditLabelText;
extern const std::array<std::string, 7> kCreditLines;

// One paint of the splash on a screen of w x h twips. The credit label and the button are
// given by their sizes; the outer frame is drawn in the line width in force, so a repaint
// draws it as wide as the logo strokes of the paint before.
SplashPlacement DrawSplash(Surface &s, double w, double h, double labelWidth, double labelHeight,
                           double buttonHeight);

// Line width of the logo strokes: 21 on an 800-pixel screen, 25 on a 1024-pixel one.
int LogoStrokeWidth(double w);

} // namespace quon
