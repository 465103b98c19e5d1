// The input grid of every model class: its shape, headings, default cells, widths and
// colours, the table of cells closed to the cell editor, and the small grid helpers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/grid_store.h"
#include "platform/surface.h"
#include "shell/mod1.h"

namespace quon {

// What the screen places around a freshly built grid.
struct InputGridSetUp {
  std::string Caption;
  int32 TotalWidth = 0; // twips of all columns
  bool ShowPayoffNote = false; // games: " (Payoff must be for Player A)"
  bool ShowSymmetricFrame = false; // networks
  bool SymmetricForced = false; // minimal spanning tree: ticked and disabled
};

// Builds the grid's cells for the current model class and sizes: counts, widths, alignments,
// colours, headings and (unless GridFromFile) the default texts. Nothing happens and nullopt
// comes back while GridReadyFlag is 1.
std::optional<InputGridSetUp> BuildInputGrid(GridStore &grid);

// The texts of every cell of a grid, by row, headings included.
using GridTexts = std::vector<std::vector<std::string>>;
GridTexts TextsOf(const GridStore &grid);

// Puts the data cells of `old` (a grid of the current model class built for other sizes) into
// `grid`, just built for the sizes now in force: every row and column keeps its meaning (a
// constraint, a bound or flag row, a variable, a relation, a right-hand side, a source, a
// supply, a demand, a node, a scenario), and only those past the new sizes are dropped.
void CarryDataCells(GridStore &grid, const GridTexts &old);

// Sets the program-wide sizes of the current model class as the grid holds them, as the size
// boxes and the grid set-up leave them once the grid is built.
void AdoptGridSizes(const GridStore &grid);

// Every column `width` twips and right-aligned, column 0 left; returns the total width.
int32 SetInputGridColumns(GridStore &grid, int32 &width);
// 1: the headings of row 0; 2: those of column 0; anything else: nothing.
void WriteInputGridHeadings(GridStore &grid, int16 which);
// Background colours of the constraint and bound rows of a linear or integer program.
void ColorInputGrid(GridStore &grid);

// Mode 2: 1 when (row, col) is closed to the editor. Mode 1: -1 when the cell right of it is
// closed, so the editor wraps to the next row. 0 otherwise.
int16 IsEditableCell(const GridStore &grid, int16 mode, int16 row, int16 col);

// Collapses the selection onto cell (1, 1) and gives that cell its colour.
void ResetInputGridSelection(GridStore &grid);

// The grid-editing instructions beside the grid, from X = HelpTextX, in the screen's font made
// smaller where needed to keep them inside the help frame of a screen so wide.
void ShowGridEditingHelp(Surface &screen, double screenWidthTwips, double screenHeightTwips);

// The value 0 in the input number format.
std::string ZeroText();

} // namespace quon
