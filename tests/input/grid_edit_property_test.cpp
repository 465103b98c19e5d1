#include <gtest/gtest.h>

#include <array>
#include <random>

#include "editor_fake.h"
#include "input/grid_edit.h"

namespace quon::test {
namespace {

using Cells = std::vector<std::vector<std::string>>;

class FakeEditScreen : public GridEditScreen {
public:
  int box2 = 0, box3 = 0;
  int warnings = 0;
  void SetSizeBox(int box, int value) override { (box == 3 ? box3 : box2) = value; }
  void Warn(const std::string &, const std::string &) override { ++warnings; }
  int32 ScreenWidthTwips() const override { return 15360; }
  void PlaceGrid(int32, int32, bool) override {}
};

Cells Snapshot(const GridStore &grid) {
  Cells out(grid.Rows());
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c) out[r].push_back(grid.TextMatrix(r, c));
  // The objective's sense is switched by a click, not by the commands.
  if ((g.ModelClass == 3 || g.ModelClass == 5) && grid.Rows() > 2) out[2][0].clear();
  return out;
}

// The data cells (below row 0, right of column 0) once row `row` and column `col` are taken
// out (0: none).
Cells DataWithout(const Cells &cells, int row, int col) {
  Cells out;
  for (int r = 1; r < static_cast<int>(cells.size()); ++r) {
    if (r == row) continue;
    std::vector<std::string> line;
    for (int c = 1; c < static_cast<int>(cells[r].size()); ++c)
      if (c != col) line.push_back(cells[r][c]);
    out.push_back(line);
  }
  return out;
}

using Sizes = std::array<int16, 8>;
Sizes SizesNow() {
  return {g.NVars, g.MRows, g.TransSources, g.TransDests, g.NScen, g.NodeCount, g.GameRows, g.GameCols};
}

struct Shape {
  int rows, cols, box2, box3;
};

// The grid's shape and the size boxes as each class's sizes give them.
Shape Expected() {
  switch (g.ModelClass) {
  case 1:
    return {g.NVars + 1, g.NVars + 1, g.NVars, 0};
  case 2:
    return {g.NVars + 1, g.NVars + 2, g.NVars, 0};
  case 3:
    return {g.MRows + 6, g.NVars + 3, g.NVars, g.MRows};
  case 5:
    return {g.MRows + 7, g.NVars + 3, g.NVars, g.MRows};
  case 4:
    return {g.TransSources + 3, g.TransDests + 3, g.TransSources, g.TransDests};
  case 6:
    return {g.NScen + 1, 6, g.NScen, 0};
  case 7:
    return {g.NodeCount + 2, g.NodeCount + 2, g.NodeCount, 0};
  default:
    return {g.GameRows + 1, g.GameCols + 1, g.GameRows, g.GameCols};
  }
}

void SetSizes(int cls, int a, int b, FakeEditScreen &boxes) {
  ResetProgram(cls);
  switch (cls) {
  case 1:
  case 2:
    g.NVars = static_cast<int16>(a);
    break;
  case 3:
  case 5:
    g.NVars = static_cast<int16>(a);
    g.MRows = static_cast<int16>(b);
    break;
  case 4:
    g.TransSources = static_cast<int16>(a);
    g.TransDests = static_cast<int16>(b);
    break;
  case 6:
    g.NScen = static_cast<int16>(a);
    break;
  case 7:
    g.NodeCount = static_cast<int16>(a);
    break;
  default:
    g.GameRows = static_cast<int16>(a);
    g.GameCols = static_cast<int16>(b);
    break;
  }
  const Shape e = Expected();
  boxes.box2 = e.box2;
  boxes.box3 = e.box3;
}

// Random selections and commands on grids of every class that has them: the grid always has
// the shape its sizes give, the boxes show the sizes, the headings are those the set-up would
// write, and an undo right after a command gives back the grid as it was before it.
TEST(GridEditProperty, RandomCommandsKeepTheGridWholeAndUndoRestoresIt) {
  std::mt19937 rng(20261209);
  const int classes[] = {1, 2, 3, 4, 5, 6, 7, 9};
  for (int round = 0; round < 160; ++round) {
    const int cls = classes[round % 8];
    FakeEditScreen boxes;
    SetSizes(cls, 2 + static_cast<int>(rng() % 4), 2 + static_cast<int>(rng() % 4), boxes);
    FakeInputScreen s;
    s.Build();
    ResetGridEditing(s, s.grid);
    // Distinct data, so that a misplaced cell shows.
    for (int r = 1; r < s.grid.Rows(); ++r)
      for (int c = 1; c < s.grid.Cols(); ++c)
        if (!s.grid.TextMatrix(r, c).empty() && s.grid.TextMatrix(r, c) != "infinity" && (r != 1 || c != 1 || cls == 3 || cls == 5))
          s.grid.SetTextMatrix(r, c, std::to_string(r * 100 + c));

    // The grid and sizes before the last command that can be undone.
    Cells undoTarget;
    Sizes undoSizes{};
    // The line the user sees chosen: a heading clicked that left the editor hidden. Any click
    // that shows the editor (a data cell, a closed heading, a network's diagonal) chooses none.
    int chosenRow = -1, chosenCol = -1;
    bool chosenBefore = false;
    for (int step = 0; step < 25; ++step) {
      int r, c;
      if (rng() % 3 == 0) { // anywhere: data cells, closed cells, the diagonal
        r = static_cast<int>(rng() % s.grid.Rows());
        c = static_cast<int>(rng() % s.grid.Cols());
      } else {
        const bool rowHeading = rng() % 2 == 0;
        r = rowHeading ? static_cast<int>(rng() % s.grid.Rows()) : 0;
        c = rowHeading ? 0 : static_cast<int>(rng() % s.grid.Cols());
      }
      const bool dbl = rng() % 3 == 0;
      if (dbl) s.DblClick(r, c);
      else s.Click(r, c);
      if (s.editorVisible) {
        chosenRow = chosenCol = -1;
      } else {
        // While a copy is held (Paste offered) a double-click does not make an insert go
        // before the line.
        chosenRow = r;
        chosenCol = c;
        chosenBefore = dbl && !s.menu[EditGridItem::Paste];
      }
      const Cells before = Snapshot(s.grid);
      const Sizes sizes = SizesNow();
      const unsigned command = rng() % 4;
      const EditGridItem items[] = {EditGridItem::Copy, EditGridItem::Paste, EditGridItem::Delete,
                                    EditGridItem::Insert};
      // As the menu offers them: a disabled item does nothing.
      const bool ran = s.menu[items[command]];
      if (ran) {
        if (command == 0) CopyGridLine(s, s.grid);
        else if (command == 1) PasteGridLine(s, boxes, s.grid);
        else if (command == 2) DeleteGridLine(s, boxes, s.grid);
        else InsertGridLine(s, boxes, s.grid);
      }
      if (ran && command > 0 && s.menu[EditGridItem::Undo]) {
        undoTarget = before;
        undoSizes = sizes;
      }
      const std::string where = "class " + std::to_string(cls) + " round " + std::to_string(round) + " step " +
                                std::to_string(step) + (dbl ? " double" : "") + " at " + std::to_string(r) + "," + std::to_string(c) + " command " + std::to_string(command) + " sel " +
                                std::to_string(g.CurRow) + "," + std::to_string(g.CurCol) + " op " +
                                std::to_string(g.LastEditOp);
      // Only the chosen line changed: overwritten by a paste, or taken out or put in (with its
      // partner of the same index on the square models).
      const Cells after = Snapshot(s.grid);
      if (ran && command > 0 && after != before) {
        ASSERT_GE(chosenRow, 0) << where << ": a command changed the grid with no line chosen";
        const bool square = cls == 1 || cls == 2 || cls == 7;
        const int k = chosenRow > 0 ? chosenRow : chosenCol;
        const int lineRow = chosenRow > 0 || square ? k : 0, lineCol = chosenCol > 0 || square ? k : 0;
        if (command == 1) {
          ASSERT_EQ(DataWithout(after, chosenRow, chosenCol), DataWithout(before, chosenRow, chosenCol)) << where;
        } else if (command == 2) {
          ASSERT_EQ(DataWithout(after, 0, 0), DataWithout(before, lineRow, lineCol)) << where;
        } else {
          const int p = chosenBefore ? 0 : 1;
          ASSERT_EQ(DataWithout(after, lineRow ? lineRow + p : 0, lineCol ? lineCol + p : 0),
                    DataWithout(before, 0, 0))
              << where;
        }
      }
      const Shape e = Expected();
      ASSERT_EQ(s.grid.Rows(), e.rows) << where;
      ASSERT_EQ(s.grid.Cols(), e.cols) << where;
      ASSERT_EQ(boxes.box2, e.box2) << where;
      ASSERT_EQ(boxes.box3, e.box3) << where;
      for (int k = 2; cls == 7 && k < s.grid.Rows(); ++k)
        ASSERT_EQ(s.grid.TextMatrix(k, k), "") << where << ": diagonal " << k;
      const Cells now = Snapshot(s.grid);
      WriteInputGridHeadings(s.grid, 1);
      WriteInputGridHeadings(s.grid, 2);
      ASSERT_EQ(Snapshot(s.grid), now) << where;

      if (s.menu[EditGridItem::Undo] && rng() % 2 == 0) {
        UndoGridEdit(s, boxes, s.grid);
        ASSERT_EQ(Snapshot(s.grid), undoTarget) << where;
        ASSERT_EQ(SizesNow(), undoSizes) << where;
        ASSERT_FALSE(s.menu[EditGridItem::Undo]);
      }
    }
  }
}

} // namespace
} // namespace quon::test

namespace quon::test {
namespace {

TEST(GridEditProject, InsertRenumbersDeleteOfLastActivityBeepsUndoRestoresNodeCount) {
  ResetProgram(8);
  g.ProjMethod = 1;
  FakeInputScreen s;
  s.Build();
  FakeEditScreen boxes;
  ResetGridEditing(s, s.grid);
  ASSERT_EQ(s.grid.Rows(), 2);
  const std::vector<std::string> first{"1", "1", "2", "A", "3"};
  for (int c = 1; c < 5; ++c) s.grid.SetTextMatrix(1, c, first[c]);

  s.Click(1, 0);
  const int beeps = s.beeps;
  DeleteGridLine(s, boxes, s.grid);
  EXPECT_EQ(s.beeps, beeps + 1);
  EXPECT_EQ(s.grid.Rows(), 2);
  EXPECT_FALSE(s.menu[EditGridItem::Undo]);

  s.Click(1, 0);
  InsertGridLine(s, boxes, s.grid);
  s.Click(1, 0);
  InsertGridLine(s, boxes, s.grid);
  ASSERT_EQ(s.grid.Rows(), 4);
  for (int r = 1; r < 4; ++r) EXPECT_EQ(s.grid.TextMatrix(r, 0), std::to_string(r));
  s.grid.SetTextMatrix(2, 1, "2");
  s.grid.SetTextMatrix(2, 2, "7");
  s.grid.SetTextMatrix(3, 1, "2");
  s.grid.SetTextMatrix(3, 2, "3");

  // Deleting the row that names node 7 lowers the node count; Undo brings both back.
  s.Click(2, 0);
  DeleteGridLine(s, boxes, s.grid);
  ASSERT_EQ(s.grid.Rows(), 3);
  EXPECT_EQ(g.NodeCount, 3);
  EXPECT_EQ(boxes.box2, 3);
  EXPECT_EQ(s.grid.TextMatrix(2, 2), "3");
  UndoGridEdit(s, boxes, s.grid);
  ASSERT_EQ(s.grid.Rows(), 4);
  EXPECT_EQ(s.grid.TextMatrix(2, 2), "7");
  EXPECT_EQ(s.grid.TextMatrix(3, 0), "3");
  EXPECT_EQ(g.NodeCount, 7);
  EXPECT_EQ(boxes.box2, 7);
}

// A network's row (column) is a node's distances to (from) the others. Pasted onto another
// node's line, it makes that node the source's twin: the same distance to every third node,
// the distance between the two carried over, the diagonal empty and the node's name its own.
// With the symmetric box ticked the partner line follows, and one undo takes back both.
TEST(GridEditNetwork, PastedLineMakesTheTargetNodeTheSourcesTwin) {
  for (bool symmetric : {false, true})
    for (bool column : {false, true}) {
      ResetProgram(7);
      g.NodeCount = 4;
      FakeInputScreen s;
      s.symmetric = symmetric;
      s.Build();
      FakeEditScreen boxes;
      ResetGridEditing(s, s.grid);
      const int n = 4;
      // Node k (1..n) has row and column k + 1; d(i, j) is the cell (i + 1, j + 1).
      auto d = [&](int i, int j) { return s.grid.TextMatrix(i + 1, j + 1); };
      for (int i = 1; i <= n; ++i) {
        s.grid.SetTextMatrix(1, i + 1, std::string(1, static_cast<char>('A' + i - 1)));
        s.grid.SetTextMatrix(i + 1, 1, std::string(1, static_cast<char>('A' + i - 1)));
        for (int j = 1; j <= n; ++j)
          if (i != j) s.grid.SetTextMatrix(i + 1, j + 1, std::to_string(symmetric ? 10 * std::min(i, j) + std::max(i, j) : 10 * i + j));
      }
      const Cells before = Snapshot(s.grid);
      auto was = [&](int i, int j) { return before[i + 1][j + 1]; };
      const int from = 1, to = 3; // node A onto node C
      if (column) s.Click(0, from + 1);
      else s.Click(from + 1, 0);
      CopyGridLine(s, s.grid);
      if (column) s.Click(0, to + 1);
      else s.Click(to + 1, 0);
      PasteGridLine(s, boxes, s.grid);
      const std::string where = std::string(symmetric ? "symmetric " : "") + (column ? "column" : "row");
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
          std::string want = was(i, j);
          const bool outgoing = i == to && (!column || symmetric), incoming = j == to && (column || symmetric);
          if (i == j) want = "";
          else if (outgoing) want = j == from ? was(from, to) : was(from, j);
          else if (incoming) want = i == from ? was(to, from) : was(i, from);
          EXPECT_EQ(d(i, j), want) << where << " d(" << i << "," << j << ")";
        }
      EXPECT_EQ(s.grid.TextMatrix(1, to + 1), "C") << where;
      EXPECT_EQ(s.grid.TextMatrix(to + 1, 1), "C") << where;
      ASSERT_TRUE(s.menu[EditGridItem::Undo]) << where;
      UndoGridEdit(s, boxes, s.grid);
      EXPECT_EQ(Snapshot(s.grid), before) << where;
    }
}

} // namespace
} // namespace quon::test
