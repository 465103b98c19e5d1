#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "input/cell_editor.h"
#include "input/grid_edit.h"
#include "input/input_grid.h"

namespace quon {

namespace {

bool IsLinearOrInteger() { return g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming; }

void EnableItems(InputPort &ui, std::initializer_list<EditGridItem> items, bool on) {
  for (EditGridItem item : items) ui.SetMenuEnabled(item, on);
}

// A heading was clicked: the row or column is selected for the EditGrid commands, unless a
// copy is held, in which case only Paste is offered. Returns false in the latter case.
bool SelectHeading(InputPort &ui) {
  if (std::abs(g.SelState) == 3) {
    ui.SetMenuEnabled(EditGridItem::Paste, true);
    return false;
  }
  EnableItems(ui, {EditGridItem::Paste, EditGridItem::Undo}, false);
  EnableItems(ui, {EditGridItem::Delete, EditGridItem::Copy}, true);
  // At the largest size there is no room for another row or column, so Insert is not offered.
  ui.SetMenuEnabled(EditGridItem::Insert, RoomToInsert());
  ui.HideEditor();
  return true;
}

void EnterDataCell(InputPort &ui, int16 row, int16 col) {
  g.SelState = 0;
  EnableItems(ui,
              {EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete, EditGridItem::Insert,
               EditGridItem::Undo, EditGridItem::Save, EditGridItem::SaveAs},
              false);
  PlaceCellEditor(ui, row, col);
}

void SwitchSense(GridStore &grid) {
  if (g.SenseText.str() == "Minimize") {
    g.SenseText = "Maximize";
    g.ObjSense = -1;
  } else {
    g.SenseText = "Minimize";
    g.ObjSense = 1;
  }
  grid.SetTextMatrix(2, 0, g.SenseText.str());
}

// Where the editor goes from a closed cell: the first data cell of the class. Transportation
// and networks have their corner heading at (1, 1), so their first data cell is (1, 2).
int16 FirstDataCol() { return (g.ModelClass == ModelClassCode::Transportation || g.ModelClass == ModelClassCode::Networks) ? 2 : 1; }

} // namespace

void PlaceCellEditor(InputPort &ui, int16 row, int16 col) {
  // The editor and a selected heading never go together: once the editor is on a cell, no
  // row or column is chosen (nor a copy held) and the commands that need one are off.
  g.SelState = 0;
  EnableItems(ui, {EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete, EditGridItem::Insert}, false);
  g.EditorFlag2 = 0;
  ForgetTypedWord();
  g.CurRow = row;
  g.CurCol = col;
  ui.ShowEditorAt(row, col);
  g.EditorFlag = 1;
}

void GridClick(InputPort &ui, GridStore &grid, int16 row, int16 col) {
  g.CurRow = row;
  g.CurCol = col;
  ui.HideSizeHint();
  g.DataChanged = 1;
  const int16 cls = g.ModelClass;
  if ((cls == ModelClassCode::Queueing || cls == ModelClassCode::ProjectPlanning) && row == 0) {
    ui.Beep();
    PlaceCellEditor(ui, 1, 1);
    return;
  }
  if (cls == ModelClassCode::Networks && row == col) {
    // The corner (0, 0) is a heading like (1, 1); both send the editor to the first name cell.
    if (row <= 1) PlaceCellEditor(ui, 1, 2);
    else PlaceCellEditor(ui, row, row == grid.Rows() - 1 ? col - 1 : col + 1);
    return;
  }
  if (IsEditableCell(grid, 2, row, col) > 0) {
    if (IsLinearOrInteger()) {
      if (row == 2 && col == 0) {
        SwitchSense(grid);
        PlaceCellEditor(ui, 2, 1);
        return;
      }
      PlaceCellEditor(ui, 1, 1);
      ui.Beep();
      return;
    }
    if (cls == ModelClassCode::Transportation) {
      ui.Beep();
      PlaceCellEditor(ui, 1, 2);
      return;
    }
  }
  if (col < grid.FixedCols || row < grid.FixedRows) {
    if (SelectHeading(ui)) g.SelState = 1;
    return;
  }
  EnterDataCell(ui, row, col);
}

void GridDblClick(InputPort &ui, GridStore &grid, int16 row, int16 col) {
  g.CurRow = row;
  g.CurCol = col;
  if (g.ModelClass == ModelClassCode::ProjectPlanning) {
    if (row == 0) {
      ui.Beep();
      PlaceCellEditor(ui, 1, 1);
      return;
    }
    if (col == 3) {
      ui.Beep();
      PlaceCellEditor(ui, row, 1);
      return;
    }
  }
  if (IsEditableCell(grid, 2, row, col) > 0) {
    // The click before this double-click has already switched the sense once; the cell,
    // SenseText and ObjSense agree and stay so.
    const bool senseCell = IsLinearOrInteger() && row == 2 && col == 0;
    PlaceCellEditor(ui, 1, FirstDataCol());
    if (!senseCell) ui.Beep();
    return;
  }
  if (row == 0 || col == 0) {
    if (SelectHeading(ui)) g.SelState = 2;
    return;
  }
  EnterDataCell(ui, row, col);
  ui.SelectAllEditorText();
}

void PlaceEditorOnGrid(InputPort &ui, const GridStore &grid, int row, int col) {
  if (grid.Rows() <= grid.FixedRows || grid.Cols() <= grid.FixedCols) return;
  row = std::clamp(row, grid.FixedRows, grid.Rows() - 1);
  col = std::clamp(col, grid.FixedCols, grid.Cols() - 1);
  if (g.ModelClass == ModelClassCode::Networks && row == col && row > 1)
    col = row == grid.Cols() - 1 ? col - 1 : col + 1;
  if (IsEditableCell(grid, 2, static_cast<int16>(row), static_cast<int16>(col)) > 0 ||
      (g.ModelClass == ModelClassCode::Networks && row == col)) {
    row = 1;
    col = FirstDataCol();
  }
  PlaceCellEditor(ui, static_cast<int16>(row), static_cast<int16>(col));
}

bool EditorVisibleAfterScroll(int firstCol, int firstRow, double gridWidth, double col1Width, double gridHeight,
                              double editorHeight) {
  auto ratio = [](double a, double b) {
    const long den = std::lround(b);
    return den == 0 ? 0L : std::lround(a) / den;
  };
  if (firstCol != g.GridScrollPos) {
    g.GridScrollPos = static_cast<int16>(firstCol);
    const long k = ratio(gridWidth, col1Width);
    return firstCol == g.CurCol || firstCol == g.CurCol - k + 2;
  }
  const long k = ratio(gridHeight, editorHeight);
  return firstRow == g.CurRow || firstRow == g.CurRow - k + 2;
}

} // namespace quon
