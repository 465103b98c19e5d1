// What the network views share on the output screen: the saved layout position, the heading
// block above the grid and small cell writers.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/grid_store.h"
#include "shell/mod1.h"
#include "shell/ui/scr5.h"

namespace quon::net {

// The print Y just below the option list, kept by the screen set-up for the view builders.
int16 &SavedCtlPos();

// The pieces joined (a join that GCC's overlap check at -O3 does not misread).
std::string Cat(std::initializer_list<std::string_view> pieces);

// The number in the current output format.
std::string Fmt(double value);

// Cuts the grid to rows x cols, every cell empty and plain, no fixed cells, no merging, no
// cell source.
void ClearGrid(Grid &grid, int rows, int cols);
// Appends a row; its index.
int AddRow(GridStore &grid);
void Back(GridStore &grid, int row, int col, Rgb colour);
void Fore(GridStore &grid, int row, int col, Rgb colour);
void Align(GridStore &grid, int row, int col, int align);
// Text, its colour and its background.
void Put(GridStore &grid, int row, int col, std::string_view text, Rgb fore, Rgb back);

// The page heading in white "arial" 6, then bold 10 and a thin pen for the title block.
void PageHeading(Form &f);
// A rule across the screen at the print Y, 1200 twips in from either side.
void Rule(Form &f);
// Places a control at the given top, centred across the screen.
void PlaceCentred(Control &c, double top);
// The screen's title centred at the print Y.
void PrintCentred(Form &f, const std::string &text);

// Below the option list: the step buttons, a rule and the problem title. Returns the print Y
// below them.
double ViewHeading(Scr5 &f);
// The view's name ("ITERATIONS" for the last option of the list, else the given name) in
// Label1 at the print Y; returns the print Y below it. True in `iterations` for the last one.
double ViewName(Scr5 &f, double y, const std::string &summaryName, bool &iterations);

// A grid's border, both sides, and its vertical scroll bar, in twips: what the cell area is
// narrower than the grid.
inline constexpr int kGridBorderTwips = 30;
inline constexpr int kScrollBarTwips = 255;

// The grid's look in every network view: white bold "arial" 9 on blue.
void OutputGridLook(Grid &grid);

} // namespace quon::net
