// The EditGrid commands: copy a whole row or column, paste it over another, insert a new one,
// delete one, and undo the last insert, paste or delete. The commands act on the heading that
// GridClick or GridDblClick selected (CurRow, CurCol, SelState) and keep the problem sizes, the
// size boxes, the headings, the widths and the special cells of each model class consistent.
#pragma once

#include <string>

#include "input/input_port.h"
#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// What the commands need of the screen beyond InputPort: the size boxes, the mismatch warning
// and the grid's width and place on the screen.
class GridEditScreen {
public:
  virtual ~GridEditScreen() = default;
  // Size box 2 (BX2) or 3 (BX3) shows `value`.
  virtual void SetSizeBox(int box, int value) = 0;
  // A warning with OK and Cancel and the exclamation icon; the answer does not matter.
  virtual void Warn(const std::string &text, const std::string &title) = 0;
  virtual int32 ScreenWidthTwips() const = 0;
  virtual void PlaceGrid(int32 width, int32 left, bool bothScrollBars) = 0;
};

inline constexpr const char *kPasteMismatchMessage = "Mismatch: Copy of Row(column) cannot be pasted on column(row)";

// The grid was set up afresh: the buffers are sized for it and emptied, the undo record and any
// pending copy are dropped and Undo and Paste are disabled.
void ResetGridEditing(InputPort &ui, const GridStore &grid);

void CopyGridLine(InputPort &ui, GridStore &grid);
void PasteGridLine(InputPort &ui, GridEditScreen &screen, GridStore &grid);
void DeleteGridLine(InputPort &ui, GridEditScreen &screen, GridStore &grid);
void InsertGridLine(InputPort &ui, GridEditScreen &screen, GridStore &grid);
void UndoGridEdit(InputPort &ui, GridEditScreen &screen, GridStore &grid);

// Whether a row or column can still be inserted at the heading chosen (CurRow, CurCol): the
// size it raises is below the largest size, 100.
bool RoomToInsert();

// Deletes the selected row or column (CurRow, CurCol). Refused at the model's minimum size.
void DeleteGridRowCol(InputPort &ui, GridEditScreen &screen, GridStore &grid);
// Inserts a row or column after the selected one (before it after a double-click) and leaves
// its signed position in GraphXMax (minus the row, plus the column).
void InsertGridRowCol(InputPort &ui, GridEditScreen &screen, GridStore &grid);

} // namespace quon
