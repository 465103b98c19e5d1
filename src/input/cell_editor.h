// The floating cell editor of the input grid: where clicks and keys put it, which characters
// each model class lets through, and how its text goes back into the cell.
#pragma once

#include "input/input_port.h"
#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// Key codes of the editor's key-down events.
inline constexpr int16 kKeyTab = 9, kKeyEnter = 13, kKeyEsc = 27, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39,
                       kKeyDown = 40;
// The normalised keys ValidateProjectNodes is given.
inline constexpr int16 kNavForward = 13, kNavBack = 27, kNavUp = 3838, kNavDown = 4040;

// Makes (row, col) the current cell (CurRow, CurCol) and lays the editor over it.
void PlaceCellEditor(InputPort &ui, int16 row, int16 col);

// Click and double-click on cell (row, col) of the grid.
void GridClick(InputPort &ui, GridStore &grid, int16 row, int16 col);
void GridDblClick(InputPort &ui, GridStore &grid, int16 row, int16 col);
// Puts the editor on (row, col), or, where the grid no longer has that cell (rows cut or the
// grid rebuilt under the editor) or it takes no data, on the nearest cell that does: the
// editor then always covers a cell that what is typed reaches.
void PlaceEditorOnGrid(InputPort &ui, const GridStore &grid, int row, int col);
// After a scroll: whether the editor still covers its cell. firstCol/firstRow are the first
// visible scrollable column and row; the sizes are twips.
bool EditorVisibleAfterScroll(int firstCol, int firstRow, double gridWidth, double col1Width, double gridHeight,
                              double editorHeight);

// The editor's three key handlers. keyAscii is set to 0 to drop the character.
void EditorKeyDown(InputPort &ui, GridStore &grid, int16 keyCode, bool shift);
void EditorKeyPress(InputPort &ui, GridStore &grid, int16 &keyAscii);
void EditorKeyUp(InputPort &ui, GridStore &grid);
// Forgets the word a key last put into the editor, so that its letters are judged afresh.
void ForgetTypedWord();
// Text pasted into the editor (it already holds it): taken when the current cell could hold
// it as typed, and then written back as a typed key would; otherwise refused with the cell's
// message (false: the editor's text from before goes back).
bool EditorPaste(InputPort &ui, GridStore &grid, const std::string &text);

// The row check of the project input; 1 when the row was refused (message shown, editor
// placed), 0 otherwise.
int16 ValidateProjectNodes(InputPort &ui, GridStore &grid, int16 key);
// The largest node number in the From and To columns of a project grid.
int16 LargestProjectNode(const GridStore &grid);

} // namespace quon
