// What the project views on the output screen share: the heading block above their grid and
// the return to the input screen after a loop.
#pragma once

#include <optional>
#include <string>

#include "shell/input_message.h"
#include "shell/ui/scr5.h"

namespace quon {

// The height below the screen title that InitProjectOutputScreen keeps for the later views.
extern int projectSavedCtlPos;

// The page start of a project view: screen text "arial" 10 bold white, the step and print
// buttons under the option list, a rule and "Title: " with the problem title, the view's title
// centred in Label1, and outputGrid reset to `rows` x `cols` below it in blue with white "arial"
// 9 bold text, shown. Returns the grid.
Grid &BeginProjectView(Scr5 &f, const std::string &title, int rows, int cols);

// Puts the grid at `width` twips, centred, with the height left above the exit buttons.
void PlaceProjectGrid(Scr5 &f, int width);

// Colours (and aligns) a cell without moving the grid's current cell.
void PaintCell(Grid &grid, int row, int col, std::optional<Rgb> fore, std::optional<Rgb> back = std::nullopt,
               std::optional<int> align = std::nullopt);

// A loop in the network: the message, then the input screen in place of the output screen.
void ReturnToInputAfterLoop(const InputMessage &message);

} // namespace quon
