// The white frame and blue model title at the top of every screen after the start-up screen,
// drawn on the screen's own surface.
#pragma once

#include "platform/surface.h"

namespace quon {

// Draws the frame on a screen of w x h twips and, unless TitleSuppress is 11 (which asks to
// skip the title once and is then cleared), the title of the current model class.
void DrawFrameAndTitle(Surface &s, double w, double h);

// The area inside the frame's line on a screen of w x h twips: what a screen may paint over
// without cutting the frame.
struct FrameInside {
  double left = 0, top = 0, right = 0, bottom = 0;
};
FrameInside ScreenFrameInside(double w, double h);

} // namespace quon
