// Screen services shared by every screen: the white frame and blue title, the heights of the
// input and output grids, the output screen's title label, unloading all screens but one, and
// entering a text box with its whole text selected.
#pragma once

#include <string>

#include "platform/ui/controls.h"
#include "platform/ui/forms.h"
#include "shell/mod1.h"

namespace quon {

// The white frame of a screen and, unless skipped once by TitleSuppress 11, the blue bold
// title of the current model class.
void DrawScreenFrameAndTitle(Form &form);

// Clears what the screen has drawn and has its paint handler draw the white frame again at
// once, so a screen drawn afresh is never left without its frame until the next resize.
void ClearToFrame(Form &form);

// Height for the output screen's grid that leaves room for its button frame: the frame's Top
// minus the grid's Top minus 0.9 of the frame's height. The output screen passes its
// `Frame1` and `outputGrid`.
int32 OutputGridHeight(const Control &buttonFrame, const Control &outputGrid);

// Top of the output screen's bottom button frame: 0.85 of the screen's height, or higher where
// the small screen would put the frame on the white frame's bottom line.
int32 BottomButtonFrameTop(const Control &buttonFrame);

// Top for an output grid that a button frame stands on: `factor` times the form's current
// print position, or lower where that would let the frame cover the heading printed above it.
int32 GridTopBelowHeading(Form &form, double factor, const Control &buttonFrame);

// Sizes, centres and shows the output screen's title label with the current model title. The
// output screen passes itself and its `Label20`.
void ShowOutputTitle(Form &outputScreen, Label &titleLabel);

// Unloads the loaded screens, oldest first, until one is left.
void UnloadAllForms();

// Gives the box the focus with its whole text selected, so typing replaces it.
void SelectAllText(TextBox &ctl);

// Unloads the loaded screen of this name, if any (screens that another screen may or may not
// have loaded).
void UnloadFormNamed(const std::string &name);

} // namespace quon
