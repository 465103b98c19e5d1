// The cell store of a grid control: texts and cell attributes by row and column, plus the
// grid-wide settings, the current cell and selection, merging and the geometry of cells in
// twips. Plain C++, so engines and tests read and fill grids without a widget; the on-screen
// grid (platform/ui/grid.h) is a view over one of these and adds position, events and the
// cell under the mouse.
//
// Use as the grid control is used: SetRows/SetCols, TextMatrix/SetTextMatrix; or make a cell
// current with SetRow/SetCol and set its text, colours, alignment and font with the Cell*
// setters; SetRowSel/SetColSel stretch the selection from the current cell for Clip.
// Setting Row or Col collapses the selection onto the current cell. Out-of-range cells throw
// IndexFault.
#pragma once

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"

namespace quon {

// Alignment codes of the grid control (vertically centred).
enum class CellAlign : int { Left = 1, Center = 4, Right = 7 };
inline constexpr int kAlignLeft = 1, kAlignCenter = 4, kAlignRight = 7;
// Default of a column: text left, numbers right.
inline constexpr int kAlignGeneral = 9;

struct CellAttr {
  Rgb back = 0xFFFFFF;
  Rgb fore = 0x000000;
  float fontSize = 0;       // 0: the grid's font size
  std::int8_t align = 0;    // 0: the column's alignment
  bool hasBack : 1 = false; // false: the grid's own back colour (fixed cells: the fixed colour)
  bool hasFore : 1 = false;
  bool bold : 1 = false;
  bool hasBold : 1 = false;
};

// How equal neighbouring texts merge into one cell.
enum class MergeMode : int { Never = 0, Free = 1, RestrictRows = 2, RestrictColumns = 3, FixedOnly = 4 };

enum class ScrollBarsMode : int { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

// A cell made on demand by a grid's cell source (see GridStore::SetCellSource).
struct SourcedCell {
  std::string text;
  CellAttr attr;
};

// Rows of a grid that the store does not keep: from `firstRow` on, a read of a cell asks
// `make` for the block of `blockRows` rows holding it (block 0 begins at `firstRow`), to be
// filled with blockRows x Cols() cells, row by row. Long runs of tableaus are kept as what
// makes them, not as millions of texts.
struct CellSource {
  int firstRow = 0;
  int blockRows = 1;
  std::function<void(int block, std::vector<SourcedCell> &cells)> make;
};

struct CellRange {
  int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
  bool operator==(const CellRange &) const = default;
};

class GridStore {
public:
  static constexpr int kDefaultColWidth = 960; // twips

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  // Growing keeps the cells, shrinking cuts them.
  void SetRows(int rows);
  void SetCols(int cols);

  std::string TextMatrix(int row, int col) const { return std::string(TextView(row, col)); }
  // The same text without a copy; valid until the cell changes.
  std::string_view TextView(int row, int col) const;
  void SetTextMatrix(int row, int col, std::string_view text);

  CellAttr &Attr(int row, int col);
  const CellAttr &Attr(int row, int col) const;

  int FixedRows = 1;
  int FixedCols = 1;
  std::vector<int> ColWidth;     // twips, one per column (-1: default)
  std::vector<int> ColAlignment; // CellAlign values, one per column (0: general)
  std::vector<int> RowHeight;    // twips, one per row (-1: default)

  // Tab-separated cells of a rectangle, rows joined by carriage returns.
  std::string ClipOf(int row1, int col1, int row2, int col2) const;
  // Writes a tab/CR block starting at (row, col), cutting what does not fit.
  void PasteClip(int row, int col, const std::string &clip);

  // Current cell and selection.
  int Row() const { return row_; }
  int Col() const { return col_; }
  int RowSel() const { return rowSel_; }
  int ColSel() const { return colSel_; }
  void SetRow(int row);
  void SetCol(int col);
  void SetRowSel(int row);
  void SetColSel(int col);
  CellRange Selection() const; // ordered corners
  // The current cell's text; the selection as a clip block (setting writes into the selection
  // only, cells without a counterpart keep their text).
  std::string Text() const { return TextMatrix(row_, col_); }
  void SetText(std::string_view text) { SetTextMatrix(row_, col_, text); }
  std::string Clip() const;
  void SetClip(const std::string &clip);
  // The selection's texts cell by cell, row by row: unlike the clip block, no text a cell
  // holds (a tab, a line break) can move another. Setting writes as SetClip does: only into
  // the selection, and cells without a counterpart keep their text.
  std::vector<std::vector<std::string>> ClipCells() const;
  void SetClipCells(const std::vector<std::vector<std::string>> &cells);

  // The current cell's look.
  Rgb CellBackColor() const;
  void SetCellBackColor(Rgb c);
  Rgb CellForeColor() const;
  void SetCellForeColor(Rgb c);
  int CellAlignment() const;
  void SetCellAlignment(int align);
  double CellFontSize() const;
  void SetCellFontSize(double points);
  bool CellFontBold() const;
  void SetCellFontBold(bool on);

  // Resolved look of any cell.
  Rgb BackOf(int row, int col) const;
  Rgb ForeOf(int row, int col) const;
  int AlignOf(int row, int col) const; // 1, 4 or 7
  double FontSizeOf(int row, int col) const;
  bool BoldOf(int row, int col) const;
  bool IsFixed(int row, int col) const { return row < FixedRows || col < FixedCols; }

  // Grid-wide look.
  Rgb BackColor = 0xFFFFFF;
  Rgb ForeColor = 0x000000;
  Rgb BackColorFixed = 0xC0C0C0;
  Rgb ForeColorFixed = 0x000000;
  Rgb BackColorBkg = 0x808080; // the area beyond the last cells
  Rgb GridColor = 0xC0C0C0;
  Rgb GridColorFixed = 0x000000;
  int GridLines = 1; // 0 none, 1 flat, 2 inset, 3 raised
  std::string FontName = "MS Sans Serif";
  double FontSize = 8.25;
  bool FontBold = false;
  ScrollBarsMode ScrollBars = ScrollBarsMode::Both;

  // Merging.
  MergeMode MergeCells = MergeMode::Never;
  bool MergeRow(int row) const;
  void SetMergeRow(int row, bool on);
  bool MergeCol(int col) const;
  void SetMergeCol(int col, bool on);
  // The rectangle of cells shown as one with (row, col): the cell itself when nothing merges.
  CellRange MergedRange(int row, int col) const;

  // Sizes in twips.
  int ColWidthOf(int col) const;
  void SetColWidth(int col, int twips);
  int RowHeightOf(int row) const;
  void SetRowHeight(int row, int twips);
  int DefaultRowHeight() const;

  // Scrolling: the first scrollable row and column shown.
  int TopRow() const { return std::min(FixedRows, rows_) + rowsScrolled_; }
  void SetTopRow(int row);
  int LeftCol() const { return std::min(FixedCols, cols_) + colsScrolled_; }
  void SetLeftCol(int col);
  // The cell area's size in twips (the widget tells it); used for the visible range.
  void SetViewSize(int widthTwips, int heightTwips);
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  // Scrolls as little as possible so that the cell is visible.
  void ShowCell(int row, int col);
  // The cell at a point of the cell area (twips from its top-left corner); -1 when none.
  int RowAt(int yTwips) const;
  int ColAt(int xTwips) const;
  // The largest TopRow/LeftCol that still fills the view.
  int MaxTopRow() const;
  int MaxLeftCol() const;

  // Rows that come in blocks, each opened by heading rows (a title, column headings): while the
  // rows of a block scroll through the view, its headings stay in place under the fixed rows,
  // above the rows from TopRow on, at every position to the last.
  // BlockOf tells, for a scrollable row, its block's first row and heading-row count; empty
  // (also once the grid is emptied of rows) when the rows have no blocks.
  struct RowBlock {
    int first = 0, headings = 0;
  };
  std::function<RowBlock(int row)> BlockOf;
  // The heading rows held under the fixed rows at the present scroll position (first, count).
  RowBlock PinnedRows() const;
  RowBlock PinnedRowsAt(int topRow) const;
  bool IsPinned(int row) const {
    const RowBlock p = PinnedRows();
    return row >= p.first && row < p.first + p.headings;
  }

  // Position and size of the current cell in twips, from the grid control's top-left corner
  // (its border of BorderTwips included); a cell scrolled out of view lies where it would be.
  int CellLeft() const;
  int CellTop() const;
  int CellWidth() const { return ColWidthOf(col_); }
  int CellHeight() const { return RowHeightOf(row_); }
  int BorderTwips = 15;
  // X and Y of a column's or row's edge within the cell area, given the scroll position.
  int ColX(int col) const;
  int RowY(int row) const;

  // The cell under the mouse, as the widget last saw it.
  int MouseRow = 0;
  int MouseCol = 0;

  // Every change of cells, look, size or scroll position calls this (the widget repaints).
  // `structural` is true when counts, sizes or the scroll position changed.
  std::function<void(bool structural)> OnChange;
  // Called when TopRow or LeftCol changed.
  std::function<void()> OnScroll;

  // Clears cells, attributes and settings back to a fresh grid of the given size.
  void Reset(int rows, int cols);

  // Rows from source.firstRow on come from the source (their stored texts are dropped);
  // texts and looks set on them later are kept beside it and win over what it makes. An
  // empty `make` ends the source and cuts the rows it served. A few blocks are kept once made:
  // ForgetSourcedBlocks makes them again the next time they are read.
  void SetCellSource(CellSource source);
  bool HasCellSource() const { return static_cast<bool>(source_.make); }
  // Rows whose texts the store keeps (the rows before a cell source's first).
  int KeptRows() const { return StoredRows(); }
  void ForgetSourcedBlocks();

private:
  void CheckCell(int row, int col) const;
  void Changed(bool structural) const {
    if (OnChange) OnChange(structural);
  }
  void Clamp();
  int rows_ = 0;
  int cols_ = 0;
  // A cell's text in 16 bytes: up to 15 characters inline (every formatted number), longer
  // texts on the heap. Large tableaus hold millions of cells.
  class CellText {
  public:
    CellText() { b_[15] = 0; }
    // Starts empty before taking the other's text: Assign frees whatever this cell held.
    CellText(const CellText &o) : b_{} { Assign(o.View()); }
    CellText(CellText &&o) noexcept {
      std::memcpy(b_, o.b_, 16);
      o.b_[15] = 0;
    }
    CellText &operator=(const CellText &o) {
      if (this != &o) Assign(o.View());
      return *this;
    }
    CellText &operator=(CellText &&o) noexcept {
      if (this != &o) {
        Free();
        std::memcpy(b_, o.b_, 16);
        o.b_[15] = 0;
      }
      return *this;
    }
    ~CellText() { Free(); }
    std::string_view View() const;
    void Assign(std::string_view s);

  private:
    static constexpr unsigned char kHeap = 0xFF;
    void Free();
    alignas(8) unsigned char b_[16];
  };
  std::vector<CellText> text_;
  // Only cells with a look of their own have an entry (most of a large grid has none).
  std::unordered_map<std::size_t, CellAttr> attr_;
  void ReshapeAttr(int rows, int cols);
  // Rows the store keeps texts for; rows from here on belong to the cell source.
  int StoredRows() const { return source_.make ? std::min(rows_, std::max(0, source_.firstRow)) : rows_; }
  bool Sourced(int row) const { return source_.make && row >= source_.firstRow; }
  const SourcedCell &Made(int row, int col) const;
  CellSource source_;
  std::unordered_map<std::size_t, CellText> written_; // texts set on sourced rows
  // Blocks made, most recently read first; a view of one stays valid while another is read.
  mutable std::vector<std::pair<int, std::vector<SourcedCell>>> made_;
  std::vector<char> mergeRow_;
  std::vector<char> mergeCol_;
  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  // The scrollable rows and columns scrolled past, counted from the fixed ones: a grid whose
  // fixed rows or columns are changed after it was sized still shows its first ones.
  int rowsScrolled_ = 0, colsScrolled_ = 0;
  int viewWidth_ = 0, viewHeight_ = 0;
};

} // namespace quon
