// The problem header of the input screen without the widgets: the size captions of each
// model class, the layout of the title and size boxes, the size check, and the drawing of the
// help-text frame.
#pragma once

#include <string>
#include <string_view>

#include "platform/surface.h"
#include "shell/mod1.h"

namespace quon {

// Largest size a header box accepts.
inline constexpr int MaxProblemSize = 100;

struct SizeCaptions {
  std::string first;  // Label2
  std::string second; // Label3
  bool firstShown = true;
  bool secondShown = false;
};
SizeCaptions SizeCaptionsFor(int modelClass);

// True for the classes with a second size box (linear and integer programs, transportation,
// games).
bool HasSecondSize(int modelClass);

struct Rect {
  double left = 0, top = 0, width = 0, height = 0;
};
struct HeaderLayout {
  Rect label1, bx1, label2, bx2, label3, bx3;
  double label6Left = 0, label6Top = 0;
};
// Lays out the header on a w x h screen. boxHeight is the "K" height x 1.2 rounded, and
// sizeBoxWidth the width of "AAAA", both in the screen's font.
HeaderLayout LayoutHeader(int modelClass, double w, double h, double boxHeight, double sizeBoxWidth);

// Why a size was refused, and where the focus goes.
struct SizeVerdict {
  bool accepted = true;
  bool tooLarge = false; // the size-limit refusal: grid and editor are hidden
  std::string message;
  std::string title;
  int focusBox = 0; // 2 or 3
};

// The size-limit message (title "Problem size") of size box 2 or 3: it names the range a size
// there may take (a first size from 2, a scenario count and a second size from 1).
std::string SizeLimitMessage(int box);

// The refusal of a size box (2 or 3) for a size that is no whole number of the range, as an
// invalid size is refused ("Invalid problem size"; for scenarios "Invalid nbr. of scenarios").
SizeVerdict InvalidSizeRefusal(int box);

// True when the text is empty or holds only the digits 0 to 9.
bool IsAllDigits(std::string_view text);

// Reads and checks the header sizes as confirmed in size box `which` (1 or 2), writing the
// shared sizes, header texts and (for queueing) the scenario array as the input screen does.
// A second confirmation checks the first size again by the same rules, so a first size that
// was typed but never confirmed cannot slip through. Project planning has no sizes: always
// accepted.
SizeVerdict CheckProblemSize(int which, std::string_view firstText, std::string_view secondText);

// Draws the frame beside the help text on a w x h screen and sets HelpTextX.
void DrawHelpFrame(Surface &s, double w, double h);
// Where DrawHelpFrame's box ends, without drawing it.
double HelpFrameBottom(Surface &s, double w, double h);

} // namespace quon
