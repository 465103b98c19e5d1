#include "input/grid_edit.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "input/cell_editor.h"
#include "input/cell_rules.h"
#include "input/input_grid.h"
#include "platform/colors.h"

namespace quon {

namespace {

constexpr int kMaxSize = 100;

bool IsSquare() { return g.ModelClass == ModelClassCode::MatrixInversion || g.ModelClass == ModelClassCode::LinearEquations || g.ModelClass == ModelClassCode::Networks; }
bool IsLinearOrInteger() { return g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming; }
bool IsColumn() { return g.CurRow == 0 && g.CurCol > 0; }

void EnableItems(InputPort &ui, std::initializer_list<EditGridItem> items, bool on) {
  for (EditGridItem item : items) ui.SetMenuEnabled(item, on);
}

void CommandDone(InputPort &ui) {
  ui.SetMenuEnabled(EditGridItem::Undo, true);
  EnableItems(ui, {EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete, EditGridItem::Insert}, false);
}

// The first data cell: transportation and networks have a heading in cell (1, 1).
int16 FirstDataCol() { return (g.ModelClass == ModelClassCode::Transportation || g.ModelClass == ModelClassCode::Networks) ? 2 : 1; }

// A refused delete or insert: the grid stays as it was and there is nothing to undo.
void Refuse(InputPort &ui) {
  g.UndoRow = 0;
  g.UndoCol = 0;
  EnableItems(ui,
              {EditGridItem::Undo, EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete,
               EditGridItem::Insert},
              false);
  ui.Beep();
  PlaceCellEditor(ui, 1, FirstDataCol());
}

// The buffers follow the grid, whose rows or columns may hold more than 100 cells.
void Keep(BArray<std::string> &buf, int count) {
  if (buf.Size() == 0 || buf.UBound(1) < count) buf.ReDim(std::max(count, kMaxSize));
}
std::string Kept(const BArray<std::string> &buf, int k) {
  return buf.Size() > 0 && k <= buf.UBound(1) ? buf(k) : std::string();
}

void KeepRow(const GridStore &grid, BArray<std::string> &buf, int r) {
  Keep(buf, grid.Cols());
  for (int j = 1; j < grid.Cols(); ++j) buf(j) = grid.TextMatrix(r, j);
}
void KeepCol(const GridStore &grid, BArray<std::string> &buf, int c) {
  Keep(buf, grid.Rows());
  for (int i = 1; i < grid.Rows(); ++i) buf(i) = grid.TextMatrix(i, c);
}
// Transportation and networks carry a heading in cell (1, 1), which no paste overwrites.
bool IsCornerHeading(int r, int c) { return r == 1 && c == 1 && (g.ModelClass == ModelClassCode::Transportation || g.ModelClass == ModelClassCode::Networks); }

// The copied line as it goes onto line `index`. A network's line holds one node's distances:
// on another node's line the source's place and the target's swap, so that the diagonal stays
// empty and the distance between the two nodes carries over, and the target keeps its name.
BArray<std::string> LineToPaste(const GridStore &grid, bool column, int index) {
  BArray<std::string> line = g.CopyBuf;
  if (g.ModelClass != ModelClassCode::Networks) return line;
  const int count = column ? grid.Rows() : grid.Cols();
  Keep(line, count);
  line(1) = column ? grid.TextMatrix(1, index) : grid.TextMatrix(index, 1);
  const int source = g.CopiedLine;
  if (source >= 2 && source < count && source != index) std::swap(line(source), line(index));
  return line;
}

// Whether every cell of the line suits the cell of the chosen line it would go to (no names
// in number cells); the line's other cells are judged as the paste would leave them.
bool LineFits(const GridStore &grid, const BArray<std::string> &line, bool column, int index) {
  const int count = column ? grid.Rows() : grid.Cols();
  auto pasted = [&](int r, int c) { return column ? c == index : r == index; };
  const CellSheet sheet{g.ModelClass, grid.Rows(), grid.Cols(), [&](int r, int c) {
                          return pasted(r, c) && !IsCornerHeading(r, c) ? Kept(line, column ? r : c)
                                                                       : grid.TextMatrix(r, c);
                        }};
  for (int k = 1; k < count; ++k) {
    const int r = column ? k : index, c = column ? index : k;
    if (IsCornerHeading(r, c)) continue;
    if (RefuseCellText(sheet, r, c, Kept(line, k), CellOrigin::Filed)) return false;
  }
  return true;
}

void WriteRow(GridStore &grid, const BArray<std::string> &buf, int r) {
  for (int j = 1; j < grid.Cols(); ++j)
    if (!IsCornerHeading(r, j)) grid.SetTextMatrix(r, j, Kept(buf, j));
}
void WriteCol(GridStore &grid, const BArray<std::string> &buf, int c) {
  for (int i = 1; i < grid.Rows(); ++i)
    if (!IsCornerHeading(i, c)) grid.SetTextMatrix(i, c, Kept(buf, i));
}

void SetBack(GridStore &grid, int r, int c, Rgb color) {
  CellAttr &a = grid.Attr(r, c);
  a.back = color;
  a.hasBack = true;
}
void TransportCorners(GridStore &grid, Rgb color, bool lastRow) {
  const int r = grid.Rows() - 1, c = grid.Cols() - 1;
  if (lastRow) {
    SetBack(grid, r, 1, color);
    SetBack(grid, r, c, color);
  } else {
    SetBack(grid, 1, c, color);
    SetBack(grid, r, c, color);
  }
}

bool InGrid(const GridStore &grid) {
  return g.CurRow >= 0 && g.CurCol >= 0 && g.CurRow < grid.Rows() && g.CurCol < grid.Cols();
}

// The commands act on the row or column whose heading the user chose, never on a data cell
// (where the editor sits) or the corner.
bool HeadingChosen(const GridStore &grid) {
  return InGrid(grid) && (g.CurRow == 0) != (g.CurCol == 0);
}

// The rows and columns that carry a model's structure (names, objective, bounds, types,
// right-hand sides, supplies and demands, the fixed queueing and project columns) and the
// corner heading are not data: they are neither deleted nor have a line inserted at them.
bool IsStructural(const GridStore &grid) {
  const int r = g.CurRow, c = g.CurCol;
  if (r == 0 && c == 0) return true;
  if (!InGrid(grid)) return true;
  const bool column = IsColumn();
  const int k = column ? c : r;
  switch (g.ModelClass) {
  case 1:
  case 9:
    return false;
  case 2:
    return column && k > g.NVars;
  case 3:
  case 5:
    return column ? k > g.NVars : (k < 3 || k > g.MRows + 2);
  case 4:
    return k < 2 || k > (column ? grid.Cols() : grid.Rows()) - 2;
  case 7:
    return k < 2;
  case 6:
  case 8:
    return column;
  default:
    return true;
  }
}

// The size an insert raises, or 0 when it raises none.
int RaisedSize() {
  const bool column = IsColumn();
  switch (g.ModelClass) {
  case 1:
  case 2:
    return g.NVars;
  case 7:
    return g.NodeCount;
  case 3:
  case 5:
    return column ? g.NVars : g.MRows;
  case 4:
    return column ? g.TransDests : g.TransSources;
  case 6:
    return g.NScen;
  case 9:
    return column ? g.GameCols : g.GameRows;
  default:
    return 0;
  }
}

int16 Less(int16 &size) { return --size; }
int16 More(int16 &size) { return ++size; }

void ReDimQueueData() { g.QueueData.ReDim(std::max<int>(g.NScen, 0), 5); }

// Widths, total width and the grid's width and place after a column was added or removed.
void LayoutAfterColumnChange(GridEditScreen &screen, GridStore &grid, bool inserted) {
  const int cols = grid.Cols();
  const int32 w0 = grid.ColWidthOf(0), w1 = grid.ColWidthOf(1);
  int32 total = 0;
  if (IsLinearOrInteger()) {
    if (inserted) {
      grid.SetColWidth(cols - 2, w0);
      grid.SetColWidth(cols - 3, w1);
    } else {
      grid.SetColWidth(cols - 1, w1);
      grid.SetColWidth(cols - 2, w0);
    }
    total = (cols - 2) * w1 + 2 * w0;
  } else {
    total = cols * w1;
  }
  const int32 screenWidth = screen.ScreenWidthTwips();
  const int32 limit = static_cast<int32>(std::lround(0.9 * screenWidth));
  const int32 width = std::min(total, limit) + 310;
  screen.PlaceGrid(width, static_cast<int32>(std::lround((screenWidth - width) * 0.5)), total > limit);
}

// Whether the row or column can go at the model's minimum size (the pair on square models).
bool AtMinimum(const GridStore &grid, bool column) {
  switch (g.ModelClass) {
  case 1:
  case 2:
    return g.NVars <= 2;
  case 3:
  case 5:
    return column ? g.NVars <= 2 : g.MRows <= 1;
  case 4:
    return column ? g.TransDests <= 2 : g.TransSources <= 2;
  case 6:
    return g.NScen <= 1;
  case 7:
    return g.NodeCount <= 2;
  case 8:
    return grid.Rows() <= 2;
  case 9:
    return column ? g.GameCols <= 2 : g.GameRows <= 2;
  default:
    return true;
  }
}

// `pairTested`: the second half of a square model's pair, whose size was tested before its
// column went.
void DeleteLine(InputPort &ui, GridEditScreen &screen, GridStore &grid, bool pairTested) {
  const int r = g.CurRow, c = g.CurCol;
  if (r > 0 && c > 0) return;
  const bool column = IsColumn();
  if (!pairTested && AtMinimum(grid, column)) {
    Refuse(ui);
    return;
  }
  const int16 cls = g.ModelClass;
  if (cls == 6 && !column) {
    screen.SetSizeBox(2, Less(g.NScen));
    g.MRows = g.NScen;
    ReDimQueueData();
  }
  if (column) {
    g.UndoCol = static_cast<int16>(c);
    KeepCol(grid, g.UndoBufCol, c);
    for (int k = c + 1; k < grid.Cols(); ++k)
      for (int i = 1; i < grid.Rows(); ++i) grid.SetTextMatrix(i, k - 1, grid.TextMatrix(i, k));
    grid.SetCols(grid.Cols() - 1);
    switch (cls) {
    case 1:
    case 2:
    case 3:
    case 5:
      screen.SetSizeBox(2, Less(g.NVars));
      break;
    case 4:
      screen.SetSizeBox(3, Less(g.TransDests));
      TransportCorners(grid, kCyan, false);
      break;
    case 7:
      screen.SetSizeBox(2, Less(g.NodeCount));
      break;
    case 9:
      screen.SetSizeBox(3, Less(g.GameCols));
      break;
    default:
      break;
    }
    LayoutAfterColumnChange(screen, grid, false);
    g.GridCols = static_cast<int16>(grid.Cols());
    WriteInputGridHeadings(grid, 1);
  } else {
    g.UndoRow = static_cast<int16>(r);
    KeepRow(grid, g.UndoBufRow, r);
    for (int k = r + 1; k < grid.Rows(); ++k)
      for (int j = 1; j < grid.Cols(); ++j) grid.SetTextMatrix(k - 1, j, grid.TextMatrix(k, j));
    grid.SetRows(grid.Rows() - 1);
    switch (cls) {
    case 3:
    case 5:
      screen.SetSizeBox(3, Less(g.MRows));
      break;
    case 4:
      screen.SetSizeBox(2, Less(g.TransSources));
      TransportCorners(grid, kCyan, true);
      break;
    case 8:
      g.NodeCount = LargestProjectNode(grid);
      screen.SetSizeBox(2, g.NodeCount);
      break;
    case 9:
      screen.SetSizeBox(2, Less(g.GameRows));
      break;
    default:
      break;
    }
    g.GridRows = static_cast<int16>(grid.Rows());
    WriteInputGridHeadings(grid, 2);
  }
  if (IsLinearOrInteger()) ColorInputGrid(grid);
}

void FillNewColumn(GridStore &grid, int p) {
  const std::string z = ZeroText();
  const int rows = grid.Rows(), m = g.MRows;
  switch (g.ModelClass) {
  case 7:
    grid.SetTextMatrix(1, p, "");
    for (int i = 2; i < rows; ++i) grid.SetTextMatrix(i, p, g.NetSubModel == 4 ? z : "infinity");
    return;
  default:
    for (int i = 1; i < rows; ++i) grid.SetTextMatrix(i, p, z);
    break;
  }
  if (IsLinearOrInteger()) {
    grid.SetTextMatrix(1, p, "");
    grid.SetTextMatrix(m + 4, p, "infinity");
    grid.SetTextMatrix(m + 5, p, "n");
    if (g.ModelClass == ModelClassCode::IntegerProgramming) grid.SetTextMatrix(m + 6, p, "y");
  } else if (g.ModelClass == ModelClassCode::Transportation) {
    grid.SetTextMatrix(1, p, "");
    grid.SetTextMatrix(rows - 1, p, "");
  }
}

void FillNewRow(GridStore &grid, int p) {
  const std::string z = ZeroText();
  const int cols = grid.Cols();
  switch (g.ModelClass) {
  case 6:
    grid.SetTextMatrix(p, 1, z);
    grid.SetTextMatrix(p, 2, z);
    grid.SetTextMatrix(p, 3, "1");
    grid.SetTextMatrix(p, 4, "infinity");
    grid.SetTextMatrix(p, 5, "infinity");
    return;
  case 7:
    grid.SetTextMatrix(p, 1, "");
    for (int j = 2; j < cols; ++j) grid.SetTextMatrix(p, j, g.NetSubModel == 4 ? z : "infinity");
    grid.SetTextMatrix(p, p, "");
    return;
  case 8:
    for (int j = 1; j < cols; ++j) grid.SetTextMatrix(p, j, "");
    for (int i = p; i < grid.Rows(); ++i) grid.SetTextMatrix(i, 0, std::to_string(i));
    return;
  default:
    for (int j = 1; j < cols; ++j) grid.SetTextMatrix(p, j, z);
    break;
  }
  if (IsLinearOrInteger()) {
    grid.SetTextMatrix(p, g.NVars + 1, "<=");
    grid.ColAlignment[g.NVars + 1] = kAlignRight;
  } else if (g.ModelClass == ModelClassCode::Transportation) {
    grid.SetTextMatrix(p, 1, "");
    grid.SetTextMatrix(p, cols - 1, "");
  }
}

// Puts the deleted cells back after the line was inserted again at its former index.
void RestoreDeleted(GridStore &grid) {
  const int r = g.UndoRow, c = g.UndoCol;
  if (c > 0) WriteCol(grid, g.UndoBufCol, c);
  if (r > 0 && c == 0) WriteRow(grid, g.UndoBufRow, r);
  if (r > 0 && c > 0) {
    // The row was kept after its column had gone, so its cells past the column sit one earlier.
    for (int j = 1; j < grid.Cols(); ++j)
      if (j != c) grid.SetTextMatrix(r, j, Kept(g.UndoBufRow, j < c ? j : j - 1));
  }
}

// A command that changed the grid leaves its undo record: the problem then asks to be saved.
void MarkChangedByRecord() {
  if (g.UndoRow != 0 || g.UndoCol != 0) g.DataChanged = 1;
}

void SelectLine(int16 row, int16 col) {
  g.CurRow = row;
  g.CurCol = col;
}

} // namespace

void ResetGridEditing(InputPort &ui, const GridStore &grid) {
  const int cells = std::max({grid.Rows(), grid.Cols(), kMaxSize});
  g.CopyBuf.ReDim(cells);
  g.UndoBufRow.ReDim(cells);
  g.UndoBufCol.ReDim(cells);
  g.UndoRow = 0;
  g.UndoCol = 0;
  g.LastEditOp = 0;
  // A selection or copy of the former grid may lie outside this one.
  g.SelState = 0;
  EnableItems(ui,
              {EditGridItem::Undo, EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete,
               EditGridItem::Insert},
              false);
}

void CopyGridLine(InputPort &ui, GridStore &grid) {
  if (g.SelState == 0 || !HeadingChosen(grid)) {
    ui.Beep();
    return;
  }
  ui.SetMenuEnabled(EditGridItem::Paste, true);
  if (g.CurCol < grid.FixedCols) {
    g.SelState = 3;
    g.CopiedLine = g.CurRow;
    KeepRow(grid, g.CopyBuf, g.CurRow);
  } else {
    g.SelState = -3;
    g.CopiedLine = g.CurCol;
    KeepCol(grid, g.CopyBuf, g.CurCol);
  }
}

void PasteGridLine(InputPort &ui, GridEditScreen &screen, GridStore &grid) {
  // Only a pending copy can be pasted, and never over the corner heading.
  if (std::abs(g.SelState) != 3 || !HeadingChosen(grid)) {
    ui.Beep();
    return;
  }
  g.LastEditOp = 2;
  CommandDone(ui);
  const bool column = IsColumn();
  const int index = column ? g.CurCol : g.CurRow;
  const BArray<std::string> line = LineToPaste(grid, column, index);
  // A symmetric network's row and column of a node are one line: both take the paste.
  const bool partner = g.ModelClass == ModelClassCode::Networks && ui.SymmetricTicked();
  const bool mismatch = (g.SelState == -3 && g.CurCol == 0) || (g.SelState == 3 && g.CurRow == 0);
  if (mismatch) {
    ui.Beep();
    screen.Warn(kPasteMismatchMessage, "Warning");
    g.UndoRow = 0;
    g.UndoCol = 0;
  } else if (IsStructural(grid) || !LineFits(grid, line, column, index)) {
    // Names, bounds, relations and the like are not overwritten with another line's cells,
    // nor a line's numbers with texts it cannot hold.
    g.SelState = 0;
    Refuse(ui);
    return;
  } else {
    g.UndoCol = column || partner ? static_cast<int16>(index) : 0;
    g.UndoRow = !column || partner ? static_cast<int16>(index) : 0;
    if (g.UndoCol > 0) KeepCol(grid, g.UndoBufCol, index);
    if (g.UndoRow > 0) KeepRow(grid, g.UndoBufRow, index);
    if (column) WriteCol(grid, line, index);
    else WriteRow(grid, line, index);
    for (int k = 2; partner && k < grid.Rows(); ++k)
      grid.SetTextMatrix(column ? index : k, column ? k : index, Kept(line, k));
  }
  MarkChangedByRecord();
  if (column) PlaceCellEditor(ui, 1, g.CurCol);
  else PlaceCellEditor(ui, g.CurRow, 1);
  g.SelState = 0;
}

void DeleteGridLine(InputPort &ui, GridEditScreen &screen, GridStore &grid) {
  g.LastEditOp = 3;
  if (g.SelState == 0 || !HeadingChosen(grid)) {
    ui.Beep();
    return;
  }
  g.SelState = 0;
  CommandDone(ui);
  g.UndoRow = 0;
  g.UndoCol = 0;
  if (IsStructural(grid)) {
    Refuse(ui);
    return;
  }
  if (IsSquare()) {
    const int16 k = g.CurRow > 0 ? g.CurRow : g.CurCol;
    if (AtMinimum(grid, true)) {
      Refuse(ui);
      return;
    }
    SelectLine(0, k);
    DeleteLine(ui, screen, grid, true);
    SelectLine(k, 0);
    DeleteLine(ui, screen, grid, true);
  } else {
    DeleteLine(ui, screen, grid, false);
  }
  MarkChangedByRecord();
  PlaceCellEditor(ui, 1, FirstDataCol());
}

bool RoomToInsert() {
  return RaisedSize() < kMaxSize;
}

void DeleteGridRowCol(InputPort &ui, GridEditScreen &screen, GridStore &grid) {
  DeleteLine(ui, screen, grid, false);
}

void InsertGridLine(InputPort &ui, GridEditScreen &screen, GridStore &grid) {
  g.LastEditOp = 1;
  if (g.SelState == 0 || !HeadingChosen(grid)) {
    ui.Beep();
    return;
  }
  CommandDone(ui);
  g.GraphXMax = 0;
  g.UndoRow = 0;
  g.UndoCol = 0;
  if (IsStructural(grid) || RaisedSize() >= kMaxSize) {
    g.SelState = 0;
    Refuse(ui);
    return;
  }
  if (IsSquare()) {
    const int16 k = g.CurRow > 0 ? g.CurRow : g.CurCol;
    SelectLine(0, k);
    InsertGridRowCol(ui, screen, grid);
    SelectLine(k, 0);
    InsertGridRowCol(ui, screen, grid);
  } else {
    InsertGridRowCol(ui, screen, grid);
  }
  MarkChangedByRecord();
  const int p = g.GraphXMax;
  if (p < 0) PlaceCellEditor(ui, static_cast<int16>(-p), 1);
  else if (p > 0) PlaceCellEditor(ui, 1, static_cast<int16>(p));
  g.GraphXMax = 0;
  g.SelState = 0;
}

void InsertGridRowCol(InputPort & /*ui*/, GridEditScreen &screen, GridStore &grid) {
  const int r = g.CurRow, c = g.CurCol;
  if (r > 0 && c > 0) {
    g.SelState = 0;
    return;
  }
  const bool before = g.SelState == 2;
  const int16 cls = g.ModelClass;
  if (IsColumn()) {
    const int p = before ? c : c + 1;
    if (cls == 4) TransportCorners(grid, kBlue, false);
    grid.SetCols(grid.Cols() + 1);
    if (cls == 4) TransportCorners(grid, kCyan, false);
    switch (cls) {
    case 1:
    case 2:
    case 3:
    case 5:
      screen.SetSizeBox(2, More(g.NVars));
      break;
    case 4:
      screen.SetSizeBox(3, More(g.TransDests));
      break;
    case 7:
      screen.SetSizeBox(2, More(g.NodeCount));
      grid.ColAlignment[grid.Cols() - 1] = kAlignRight;
      grid.Attr(0, grid.Cols() - 1).align = kAlignCenter;
      break;
    case 9:
      screen.SetSizeBox(3, More(g.GameCols));
      break;
    default:
      break;
    }
    LayoutAfterColumnChange(screen, grid, true);
    g.UndoCol = static_cast<int16>(p);
    for (int k = grid.Cols() - 2; k >= p; --k)
      for (int i = 0; i < grid.Rows(); ++i) grid.SetTextMatrix(i, k + 1, grid.TextMatrix(i, k));
    FillNewColumn(grid, p);
    WriteInputGridHeadings(grid, 1);
    g.GraphXMax = static_cast<int16>(p);
  } else {
    const int p = before ? r : r + 1;
    if (cls == 4) TransportCorners(grid, kBlue, true);
    grid.SetRows(grid.Rows() + 1);
    if (cls == 4) TransportCorners(grid, kCyan, true);
    switch (cls) {
    case 3:
    case 5:
      screen.SetSizeBox(3, More(g.MRows));
      break;
    case 4:
      screen.SetSizeBox(2, More(g.TransSources));
      break;
    case 6:
      screen.SetSizeBox(2, More(g.NScen));
      g.MRows = g.NScen;
      ReDimQueueData();
      break;
    case 9:
      screen.SetSizeBox(2, More(g.GameRows));
      break;
    default:
      break;
    }
    g.UndoRow = static_cast<int16>(p);
    for (int k = grid.Rows() - 2; k >= p; --k)
      for (int j = 0; j < grid.Cols(); ++j) grid.SetTextMatrix(k + 1, j, grid.TextMatrix(k, j));
    FillNewRow(grid, p);
    WriteInputGridHeadings(grid, 2);
    g.GraphXMax = static_cast<int16>(-p);
  }
  g.GridRows = static_cast<int16>(grid.Rows());
  g.GridCols = static_cast<int16>(grid.Cols());
  if (IsLinearOrInteger()) ColorInputGrid(grid);
}

void UndoGridEdit(InputPort &ui, GridEditScreen &screen, GridStore &grid) {
  ui.SetMenuEnabled(EditGridItem::Undo, false);
  const int16 row = g.UndoRow, col = g.UndoCol;
  if (row == 0 && col == 0) return;
  // The record is used once, whatever follows.
  g.UndoRow = 0;
  g.UndoCol = 0;
  g.DataChanged = 1;
  switch (g.LastEditOp) {
  case 1:
    if (col > 0) {
      SelectLine(0, col);
      DeleteLine(ui, screen, grid, IsSquare());
    }
    if (row > 0) {
      SelectLine(row, 0);
      DeleteLine(ui, screen, grid, IsSquare());
    }
    break;
  case 2:
    if (col > 0) WriteCol(grid, g.UndoBufCol, col);
    if (row > 0) WriteRow(grid, g.UndoBufRow, row);
    break;
  case 3: {
    // Inserted before the line now at the former index, so the new line takes that index.
    const int16 sel = g.SelState;
    g.SelState = 2;
    if (col > 0) {
      SelectLine(0, col);
      InsertGridRowCol(ui, screen, grid);
    }
    if (row > 0) {
      SelectLine(row, 0);
      InsertGridRowCol(ui, screen, grid);
    }
    g.SelState = sel;
    g.UndoRow = row;
    g.UndoCol = col;
    RestoreDeleted(grid);
    // The node count follows the node numbers of the rows that came back.
    if (g.ModelClass == ModelClassCode::ProjectPlanning) {
      g.NodeCount = LargestProjectNode(grid);
      screen.SetSizeBox(2, g.NodeCount);
    }
    break;
  }
  default:
    break;
  }
  g.UndoRow = 0;
  g.UndoCol = 0;
  PlaceCellEditor(ui, 1, FirstDataCol());
}

} // namespace quon
