// The cell store of a grid control: texts and cell attributes by row and column, plus the
// grid-wide settings. Plain C++, so engines and tests read and fill grids without a widget;
// the on-screen grid is a view over one of these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace quon {

enum class CellAlign : int { Left = 1, Center = 4, Right = 7 };

struct CellAttr {
  Rgb back = 0xFFFFFF;
  Rgb fore = 0x000000;
  bool hasBack = false; // false: the grid's own back colour (fixed cells: the fixed colour)
  bool hasFore = false;
  int align = 0;       // 0: the column's alignment
  double fontSize = 0; // 0: the grid's font size
  bool bold = false;
  bool hasBold = false;
};

class GridStore {
public:
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  // Growing keeps the cells, shrinking cuts them.
  void SetRows(int rows);
  void SetCols(int cols);

  const std::string &TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const std::string &text);

  CellAttr &Attr(int row, int col);
  const CellAttr &Attr(int row, int col) const;

  int FixedRows = 1;
  int FixedCols = 1;
  std::vector<int> ColWidth;     // twips, one per column (-1: default)
  std::vector<int> ColAlignment; // CellAlign values, one per column
  std::vector<int> RowHeight;    // twips, one per row (-1: default)

  // Tab-separated cells of a rectangle, rows joined by carriage returns.
  std::string ClipOf(int row1, int col1, int row2, int col2) const;
  // Writes a tab/CR block starting at (row, col), cutting what does not fit.
  void PasteClip(int row, int col, const std::string &clip);

private:
  void CheckCell(int row, int col) const;
  int rows_ = 0;
  int cols_ = 0;
  std::vector<std::string> text_;
  std::vector<CellAttr> attr_;
};

} // namespace quon
