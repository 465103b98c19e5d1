// The grid control: a GridStore (all cell, selection, merge and geometry members, see
// platform/grid_store.h) shown in a widget that paints only the visible cells, keeps the fixed
// rows and columns in place while scrolling, and reports clicks with the cell under the mouse.
//
//   Grid outputGrid{*this, "outputGrid"};
//   outputGrid.SetCols(5); outputGrid.SetRows(3);
//   outputGrid.SetRow(1); outputGrid.SetCol(2); outputGrid.SetCellBackColor(kCyan);
//   outputGrid.Click = [this] { outputGrid_Click(); };   // MouseRow / MouseCol tell the cell
//
// Engines that read a grid take it as GridStore&. A click on a fixed cell selects its whole
// column (fixed row) or row (fixed column), as the grid-editing commands expect; a double-click
// is preceded by a click; Scroll follows every change of TopRow or LeftCol.
#pragma once

#include <functional>

#include "platform/grid_store.h"
#include "platform/ui/controls.h"

namespace quon {

class Grid : public Control, public GridStore {
public:
  Grid(Container &parent, std::string name);
  ~Grid() override;

  // The font and colours of a grid are those of its cells (the store's settings).
  using Control::FontBold;
  using Control::FontName;
  using Control::FontSize;
  void SetFontName(const std::string &name);
  void SetFontSize(double points);
  void SetFontBold(bool on);
  using GridStore::BackColor;
  using GridStore::ForeColor;
  void SetBackColor(Rgb c);
  void SetForeColor(Rgb c);

  // Output grids set this: a column grows to the widest text it holds in its cells' fonts (a
  // cell merged across columns counts over its span), so that no result is shown cut. Rows a
  // cell source makes count as they come into view. Columns never narrow on their own, and a
  // column hidden at width 0 stays hidden.
  bool WidenToText = false;
  // Grows the columns to the texts of the kept rows at once, for a builder that sizes the
  // control to its columns.
  void WidenColumnsToText();

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> Scroll;

  // The thickness of a scroll bar in twips: what a grid needs beside its cells for one.
  int ScrollBarTwips() const;

  // As the user's mouse on a cell: MouseRow/MouseCol, the selection, then the events.
  void PerformClick(int row, int col);
  void PerformDblClick(int row, int col);

private:
  friend class GridWidget;
  void Resized() override;
  void PressCell(int row, int col);
  void DragTo(int row, int col);
  void ScheduleUpdate(bool structural);
  int ColumnsWidth() const;
  int ColumnRoom() const;    // twips across the control that columns can fill
  bool growPending_ = false; // columns grew while painting a grid that showed them all
  bool updatePending_ = false;
  bool structuralPending_ = false;
};

} // namespace quon
