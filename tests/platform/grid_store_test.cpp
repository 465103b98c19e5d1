#include "platform/grid_store.h"

#include <gtest/gtest.h>

#include "platform/bounded_array.h"
#include "platform/colors.h"
#include "support/grid_text.h"

namespace quon {
namespace {

GridStore Filled(int rows, int cols) {
  GridStore g;
  g.SetCols(cols);
  g.SetRows(rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      g.SetTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
  return g;
}

TEST(GridStore, GrowingKeepsCellsAndShrinkingCutsThem) {
  GridStore g = Filled(3, 3);
  g.Attr(2, 2).hasBack = true;
  g.SetCols(5);
  g.SetRows(4);
  EXPECT_EQ(g.TextMatrix(2, 2), "2,2");
  EXPECT_TRUE(g.Attr(2, 2).hasBack);
  EXPECT_EQ(g.TextMatrix(3, 4), "");
  g.SetRows(2);
  g.SetCols(2);
  EXPECT_EQ(g.Rows(), 2);
  EXPECT_EQ(g.TextMatrix(1, 1), "1,1");
  EXPECT_THROW(g.TextMatrix(2, 0), IndexFault);
  // A cut cell comes back empty when the grid grows again.
  g.SetRows(3);
  EXPECT_EQ(g.TextMatrix(2, 2 - 1), "");
  EXPECT_THROW(g.SetRows(-1), IndexFault);
}

TEST(GridStore, ACopyHoldsItsOwnTexts) {
  GridStore a;
  a.SetRows(2);
  a.SetCols(2);
  a.SetTextMatrix(0, 0, "short");
  a.SetTextMatrix(1, 1, std::string(40, 'x')); // longer than a cell keeps inline
  GridStore b(a);
  a.SetTextMatrix(1, 1, "changed");
  EXPECT_EQ(b.TextMatrix(0, 0), "short");
  EXPECT_EQ(b.TextMatrix(1, 1), std::string(40, 'x'));
  EXPECT_EQ(b.TextMatrix(1, 0), "");
}

TEST(GridStore, CurrentCellAndSelection) {
  GridStore g = Filled(4, 4);
  g.SetRow(1);
  g.SetCol(1);
  g.SetRowSel(3);
  g.SetColSel(2);
  EXPECT_EQ(g.Clip(), "1,1\t1,2\r2,1\t2,2\r3,1\t3,2");
  // Setting Row or Col collapses the selection onto the current cell.
  g.SetRow(2);
  EXPECT_EQ(g.RowSel(), 2);
  EXPECT_EQ(g.ColSel(), 1);
  EXPECT_EQ(g.Clip(), "2,1");
  EXPECT_EQ(g.Text(), "2,1");
  // A selection stretched backwards reads in grid order.
  g.SetRow(3);
  g.SetCol(3);
  g.SetRowSel(2);
  g.SetColSel(2);
  EXPECT_EQ(g.Clip(), "2,2\t2,3\r3,2\t3,3");
  EXPECT_THROW(g.SetRow(4), IndexFault);
}

TEST(GridStore, SettingClipWritesOnlyIntoTheSelection) {
  GridStore g = Filled(4, 4);
  g.SetRow(0);
  g.SetCol(0);
  g.SetRowSel(1);
  g.SetColSel(1);
  // Text beyond the block is ignored; cells without a counterpart keep their text.
  g.SetClip("a\tb\tc\rd");
  EXPECT_EQ(g.TextMatrix(0, 0), "a");
  EXPECT_EQ(g.TextMatrix(0, 1), "b");
  EXPECT_EQ(g.TextMatrix(0, 2), "0,2");
  EXPECT_EQ(g.TextMatrix(1, 0), "d");
  EXPECT_EQ(g.TextMatrix(1, 1), "1,1");
  // The whole grid goes out and comes back unchanged, headings included.
  GridStore h = Filled(3, 3);
  h.SetTextMatrix(2, 0, "Maximize");
  std::string block = h.ClipOf(0, 0, 2, 2);
  GridStore back = Filled(3, 3);
  back.SetTextMatrix(1, 1, "");
  back.SetRow(0);
  back.SetCol(0);
  back.SetRowSel(2);
  back.SetColSel(2);
  back.SetClip(block);
  EXPECT_EQ(back.ClipOf(0, 0, 2, 2), block);
  // Empty cells survive the round trip.
  back.SetTextMatrix(1, 1, "");
  std::string withEmpty = back.Clip();
  back.SetTextMatrix(1, 1, "x");
  back.SetClip(withEmpty);
  EXPECT_EQ(back.TextMatrix(1, 1), "");
}

TEST(GridStore, CellLookFallsBackToGridAndColumn) {
  GridStore g = Filled(3, 3);
  g.BackColor = kBlue;
  g.ForeColor = kWhite;
  g.BackColorFixed = kGrey;
  EXPECT_EQ(g.BackOf(1, 1), kBlue);
  EXPECT_EQ(g.BackOf(0, 1), kGrey);
  g.SetRow(0);
  g.SetCol(1);
  g.SetCellBackColor(kCyan);
  g.SetCellForeColor(kBlue);
  EXPECT_EQ(g.BackOf(0, 1), kCyan);
  EXPECT_EQ(g.CellForeColor(), kBlue);
  g.ColAlignment[2] = kAlignRight;
  EXPECT_EQ(g.AlignOf(1, 2), kAlignRight);
  g.SetRow(1);
  g.SetCol(2);
  g.SetCellAlignment(kAlignCenter);
  EXPECT_EQ(g.CellAlignment(), kAlignCenter);
  // General alignment: numbers right, texts left.
  g.SetTextMatrix(2, 1, "12.50");
  g.SetTextMatrix(1, 1, "x1");
  EXPECT_EQ(g.AlignOf(2, 1), kAlignRight);
  EXPECT_EQ(g.AlignOf(1, 1), kAlignLeft);
  g.FontSize = 9;
  g.SetCellFontSize(7.5);
  g.SetCellFontBold(true);
  EXPECT_DOUBLE_EQ(g.FontSizeOf(1, 2), 7.5);
  EXPECT_DOUBLE_EQ(g.FontSizeOf(1, 1), 9);
  EXPECT_TRUE(g.BoldOf(1, 2));
  EXPECT_FALSE(g.BoldOf(1, 1));
}

TEST(GridStore, MergingJoinsEqualNeighboursOfMarkedRowsAndColumns) {
  GridStore g;
  g.SetCols(5);
  g.SetRows(6);
  g.FixedRows = 0;
  g.FixedCols = 0;
  for (int c = 1; c < 5; ++c)
    g.SetTextMatrix(2, c, "Iteration  1");
  g.SetTextMatrix(2, 0, "x");
  // Nothing merges until a mode is set and the row is marked.
  EXPECT_EQ(g.MergedRange(2, 2), (CellRange{2, 2, 2, 2}));
  g.MergeCells = MergeMode::RestrictRows;
  EXPECT_EQ(g.MergedRange(2, 2), (CellRange{2, 2, 2, 2}));
  g.SetMergeRow(2, true);
  EXPECT_EQ(g.MergedRange(2, 2), (CellRange{2, 1, 2, 4}));
  EXPECT_EQ(g.MergedRange(2, 0), (CellRange{2, 0, 2, 0}));
  // Restricted to rows: marked columns do not merge.
  g.SetTextMatrix(3, 2, "u1=0");
  g.SetTextMatrix(4, 2, "u1=0");
  g.SetMergeCol(2, true);
  EXPECT_EQ(g.MergedRange(3, 2), (CellRange{3, 2, 3, 2}));
  g.MergeCells = MergeMode::RestrictColumns;
  EXPECT_EQ(g.MergedRange(4, 2), (CellRange{3, 2, 4, 2}));
  EXPECT_EQ(g.MergedRange(2, 2), (CellRange{2, 2, 2, 2}));
  g.MergeCells = MergeMode::Free;
  EXPECT_EQ(g.MergedRange(2, 3), (CellRange{2, 1, 2, 4}));
  EXPECT_EQ(g.MergedRange(3, 2), (CellRange{3, 2, 4, 2}));
  EXPECT_THROW(g.SetMergeRow(6, true), IndexFault);
}

TEST(GridStore, MergingNeverJoinsFixedAndScrollingCells) {
  GridStore g;
  g.SetCols(4);
  g.SetRows(2);
  g.FixedCols = 1;
  for (int c = 0; c < 4; ++c)
    g.SetTextMatrix(1, c, "same");
  g.MergeCells = MergeMode::Free;
  g.SetMergeRow(1, true);
  EXPECT_EQ(g.MergedRange(1, 2), (CellRange{1, 1, 1, 3}));
  EXPECT_EQ(g.MergedRange(1, 0), (CellRange{1, 0, 1, 0}));
}

TEST(GridStore, CellGeometryFollowsWidthsHeightsAndScrolling) {
  GridStore g;
  g.SetCols(6);
  g.SetRows(30);
  g.BorderTwips = 15;
  g.SetColWidth(0, 1500);
  for (int c = 1; c < 6; ++c)
    g.SetColWidth(c, 1067); // shown as 71 pixels
  g.SetRowHeight(0, 300);
  for (int r = 1; r < 30; ++r)
    g.SetRowHeight(r, 240);
  g.SetViewSize(4000, 3000);
  g.SetRow(2);
  g.SetCol(3);
  EXPECT_EQ(g.CellWidth(), 1065);
  EXPECT_EQ(g.CellHeight(), 240);
  EXPECT_EQ(g.CellLeft(), 15 + 1500 + 2 * 1065);
  EXPECT_EQ(g.CellTop(), 15 + 300 + 240);
  // Scrolling moves scrollable cells but never the fixed ones.
  g.SetTopRow(2);
  g.SetLeftCol(3);
  EXPECT_EQ(g.CellLeft(), 15 + 1500);
  EXPECT_EQ(g.CellTop(), 15 + 300);
  g.SetRow(0);
  g.SetCol(0);
  EXPECT_EQ(g.CellLeft(), 15);
  EXPECT_EQ(g.CellTop(), 15);
  // Hit testing is the inverse.
  EXPECT_EQ(g.RowAt(0), 0);
  EXPECT_EQ(g.RowAt(300), 2);
  EXPECT_EQ(g.ColAt(1499), 0);
  EXPECT_EQ(g.ColAt(1500), 3);
  EXPECT_EQ(g.RowAt(-1), -1);
}

TEST(GridStore, ScrollPositionStaysWithinTheGrid) {
  GridStore g;
  g.SetCols(3);
  g.SetRows(100);
  for (int r = 0; r < 100; ++r)
    g.SetRowHeight(r, 300);
  g.SetViewSize(3000, 3000); // ten rows: one fixed and nine scrolling
  int scrolls = 0;
  g.OnScroll = [&] { ++scrolls; };
  g.SetTopRow(1000);
  EXPECT_EQ(g.TopRow(), 91);
  EXPECT_EQ(scrolls, 1);
  g.SetTopRow(-5);
  EXPECT_EQ(g.TopRow(), 1);
  g.SetTopRow(1); // no change, no event
  EXPECT_EQ(scrolls, 2);
  g.ShowCell(50, 1);
  EXPECT_EQ(g.TopRow(), 42);
  g.ShowCell(10, 1);
  EXPECT_EQ(g.TopRow(), 10);
  // Shrinking the grid pulls the scroll position back.
  g.SetRows(20);
  EXPECT_EQ(g.TopRow(), 10);
  g.SetRows(5);
  EXPECT_LE(g.TopRow(), 4);
  EXPECT_LE(g.Row(), 4);
}

// Rows in blocks opened by heading rows: at every scroll position the rows shown lie one under
// the other from the top (the fixed rows, the headings of the block in view, then the rows from
// TopRow), a point of each is found back in it, every row can be scrolled into view whole, the
// rows at the top have their own block's headings held above them to the last position (also
// with the next block's headings in view, or a last block cut short by the grid's end), without
// hiding a row the view has room for, and a block scrolled to shows from its headings down.
// Seeded layouts against a plain walk of the rows.
TEST(GridStore, BlockHeadingsStayInViewAtEveryScrollPosition) {
  unsigned seed = 7;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
  };
  for (int round = 0; round < 200; ++round) {
    GridStore g;
    g.SetCols(2);
    const int size = 2 + next(12), headings = 1 + next(std::min(3, size - 1)), fixed = next(2);
    g.SetRows(fixed + size * (1 + next(6)) + next(size));
    for (int r = 0; r < g.Rows(); ++r)
      g.SetRowHeight(r, 150 + 15 * next(20));
    g.FixedRows = fixed;
    g.BlockOf = [fixed, size, headings](int row) {
      return GridStore::RowBlock{fixed + (row - fixed) / size * size, headings};
    };
    g.SetViewSize(3000, 1500 + 15 * next(200));
    for (int top = fixed; top < g.Rows(); ++top) {
      g.SetTopRow(top);
      // The rows in view from the top of the view down, as the painter lays them out.
      std::vector<int> shown;
      for (int r = 0; r < fixed; ++r)
        shown.push_back(r);
      const GridStore::RowBlock held = g.PinnedRows();
      for (int r = held.first; r < held.first + held.headings; ++r)
        shown.push_back(r);
      for (int r = g.TopRow(); r < g.Rows(); ++r)
        shown.push_back(r);
      int y = 0;
      for (int r : shown) {
        if (y >= g.ViewHeight()) break;
        ASSERT_EQ(g.RowY(r), y) << "row " << r << " top " << g.TopRow();
        EXPECT_EQ(g.RowAt(y + g.RowHeightOf(r) / 2), r) << "row " << r << " top " << g.TopRow();
        y += g.RowHeightOf(r);
      }
      // The top rows' headings are held, and hide no row that could be seen.
      for (const std::string &fault : test::HeldHeadingFaults(g))
        ADD_FAILURE() << fault << " (round " << round << ")";
    }
    // A block brought into view shows from its own headings down: at the top of the view, or
    // with every row from there to the last in view.
    for (int first = fixed; first < g.Rows(); first += size) {
      g.SetTopRow(first);
      EXPECT_LE(g.TopRow(), first);
      if (g.TopRow() < first) {
        EXPECT_LE(g.RowY(g.Rows() - 1) + g.RowHeightOf(g.Rows() - 1), g.ViewHeight()) << "block " << first;
      }
    }
    // A row that fits under the fixed rows and its block's headings is brought into view whole.
    for (int r = fixed; r < g.Rows(); r += 1 + next(3)) {
      int above = 0;
      for (int k = 0; k < fixed; ++k)
        above += g.RowHeightOf(k);
      const GridStore::RowBlock held = g.PinnedRowsAt(r);
      for (int k = held.first; k < held.first + held.headings; ++k)
        above += g.RowHeightOf(k);
      g.ShowCell(r, 0);
      EXPECT_GE(g.RowY(r), 0) << "row " << r;
      if (above + g.RowHeightOf(r) <= g.ViewHeight()) {
        EXPECT_LE(g.RowY(r) + g.RowHeightOf(r), g.ViewHeight()) << "row " << r;
      }
    }
  }
  // An emptied grid has no blocks left for the next view.
  GridStore g;
  g.BlockOf = [](int) { return GridStore::RowBlock{0, 1}; };
  g.SetRows(3);
  g.SetRows(0);
  EXPECT_FALSE(g.BlockOf);
}

// Output views size a grid, then give it no fixed rows or columns: it must still show its first
// row and column, and a scrolled grid keeps how far it was scrolled.
TEST(GridStore, FewerFixedRowsAfterSizingKeepTheGridAtItsTop) {
  GridStore g;
  g.SetCols(30);
  g.SetRows(100);
  g.SetViewSize(3000, 3000);
  g.FixedRows = 0;
  g.FixedCols = 0;
  EXPECT_EQ(g.TopRow(), 0);
  EXPECT_EQ(g.LeftCol(), 0);
  EXPECT_EQ(g.RowY(0), 0);
  EXPECT_EQ(g.RowAt(0), 0);
  EXPECT_EQ(g.ColAt(0), 0);
  g.SetTopRow(5);
  g.FixedRows = 1;
  EXPECT_EQ(g.TopRow(), 6);
  EXPECT_EQ(g.RowY(0), 0);
}

TEST(GridStore, ResetGivesAFreshGridButKeepsItsObservers) {
  GridStore g = Filled(3, 3);
  int changes = 0;
  g.OnChange = [&](bool) { ++changes; };
  g.MergeCells = MergeMode::Free;
  g.Reset(2, 2);
  EXPECT_EQ(g.Rows(), 2);
  EXPECT_EQ(g.TextMatrix(1, 1), "");
  EXPECT_EQ(g.MergeCells, MergeMode::Never);
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_GT(changes, 0);
}

} // namespace
} // namespace quon

namespace quon {
namespace {

TEST(GridStore, TextsOfAnyLengthSurviveCopiesMovesAndReshaping) {
  GridStore g;
  g.SetCols(3);
  g.SetRows(3);
  const std::string longText = "Critical activities highlighted in red";
  g.SetTextMatrix(0, 0, "123456789012345");  // the longest inline text
  g.SetTextMatrix(0, 1, "1234567890123456"); // the shortest on the heap
  g.SetTextMatrix(1, 1, longText);
  g.SetTextMatrix(2, 2, "");
  GridStore copy = g;
  g.SetTextMatrix(1, 1, "short");
  EXPECT_EQ(copy.TextMatrix(1, 1), longText);
  EXPECT_EQ(g.TextMatrix(1, 1), "short");
  copy.SetCols(5); // moves every cell
  EXPECT_EQ(copy.TextMatrix(0, 0), "123456789012345");
  EXPECT_EQ(copy.TextMatrix(0, 1), "1234567890123456");
  EXPECT_EQ(copy.TextMatrix(1, 1), longText);
  // A cell given its own text (or a part of it) keeps it.
  copy.SetTextMatrix(1, 1, copy.TextView(1, 1));
  EXPECT_EQ(copy.TextMatrix(1, 1), longText);
  copy.SetTextMatrix(1, 1, copy.TextView(1, 1).substr(0, 8));
  EXPECT_EQ(copy.TextMatrix(1, 1), "Critical");
  copy.SetTextMatrix(0, 0, copy.TextView(0, 0).substr(3));
  EXPECT_EQ(copy.TextMatrix(0, 0), "456789012345");
  GridStore moved = std::move(copy);
  EXPECT_EQ(moved.TextMatrix(0, 1), "1234567890123456");
}

TEST(GridStore, SourcedRowsAreMadeOnDemandAndWritesWinOverThem) {
  GridStore g = Filled(2, 3);
  int made = 0;
  // Blocks of 2 rows from row 1: the cell at (r, c) reads "b<block>:<row in block>,<c>".
  g.SetCellSource({1, 2, [&made](int block, std::vector<SourcedCell> &cells) {
                     ++made;
                     for (std::size_t i = 0; i < cells.size(); ++i) {
                       cells[i].text = "b" + std::to_string(block) + ":" + std::to_string(i / 3) + "," +
                                       std::to_string(i % 3);
                       cells[i].attr.back = kCyan;
                       cells[i].attr.hasBack = true;
                     }
                   }});
  EXPECT_EQ(g.TextMatrix(0, 2), "0,2"); // rows before the source keep their texts
  EXPECT_EQ(g.TextMatrix(1, 0), "b0:0,0");
  g.SetRows(200001);
  EXPECT_EQ(g.TextMatrix(200000, 1), "b99999:1,1");
  EXPECT_EQ(g.BackOf(200000, 1), kCyan);
  // A block read again comes from the kept ones; a forgotten one is made again.
  const int before = made;
  EXPECT_EQ(g.TextMatrix(199999, 2), "b99999:0,2");
  EXPECT_EQ(made, before);
  g.ForgetSourcedBlocks();
  EXPECT_EQ(g.TextMatrix(199999, 2), "b99999:0,2");
  EXPECT_EQ(made, before + 1);
  // Texts and looks set on sourced cells win; a new look keeps what the source gave.
  g.SetTextMatrix(5, 1, "mine");
  g.SetRow(5);
  g.SetCol(1);
  g.SetCellForeColor(kRed);
  g.ForgetSourcedBlocks();
  EXPECT_EQ(g.TextMatrix(5, 1), "mine");
  EXPECT_EQ(g.ForeOf(5, 1), kRed);
  EXPECT_EQ(g.BackOf(5, 1), kCyan);
  EXPECT_EQ(g.TextMatrix(5, 2), "b2:0,2");
  // Views of cells of two blocks stay valid together.
  std::string_view a = g.TextView(1, 0), b = g.TextView(150001, 0);
  EXPECT_EQ(std::string(a), "b0:0,0");
  EXPECT_EQ(std::string(b), "b75000:0,0");
  // Ending the source cuts the rows it served; rows added later are the store's, empty.
  g.SetCellSource({});
  EXPECT_FALSE(g.HasCellSource());
  EXPECT_EQ(g.Rows(), 1);
  EXPECT_EQ(g.TextMatrix(0, 2), "0,2");
  EXPECT_THROW(g.TextMatrix(1, 0), IndexFault);
  g.SetRows(3);
  EXPECT_EQ(g.TextMatrix(2, 1), "");
}

} // namespace
} // namespace quon
