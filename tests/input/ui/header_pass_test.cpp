// The header boxes of the input screen never lose what the grid holds: passing through the
// title and size boxes leaves the grid as it is, a new size keeps every cell that still has a
// place, a refused size keeps the grid in view, and every change of the problem (title and
// sizes included) is offered for saving. Run for every model class and sub-model.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "input/input_grid.h"
#include "input/problem_file.h"
#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "platform/ui/controls.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

struct Variant {
  int cls;
  int sub;
};

using Texts = std::vector<std::vector<std::string>>;
using Sizes = std::array<int16, 9>;

Sizes SizesNow() {
  return {g.NVars, g.MRows, g.TransSources, g.TransDests, g.NScen, g.NodeCount, g.GameRows, g.GameCols, g.ObjSense};
}

// Opens the input screen of a class as the MAIN menu does and types the title and sizes (or,
// for a project, confirms the title and gives the grid three activity rows).
Scr2 &Typed(const Variant &v, const std::string &first, const std::string &second) {
  g.ModelClass = static_cast<int16>(v.cls);
  g.NetSubModel = static_cast<int16>(v.cls == 7 ? v.sub : 0);
  g.ProjMethod = static_cast<int16>(v.cls == 8 ? v.sub : 1);
  Scr2 &s = scr2();
  s.Show();
  Forms::DoEvents();
  s.BX1.SetFocus();
  s.BX1.Type("Plan\r");
  if (v.cls == 8) {
    s.grid1.SetRows(4);
  } else {
    s.BX2.Type(first + "\r");
    if (HasSecondSize(v.cls)) s.BX3.Type(second + "\r");
  }
  return s;
}

bool Open(const Grid &grid, int r, int c) {
  return IsEditableCell(grid, 2, static_cast<int16>(r), static_cast<int16>(c)) == 0 &&
         !(g.ModelClass == 7 && r == c);
}

// Distinct texts in every cell open to the editor, so a lost or moved cell shows.
void Mark(Grid &grid) {
  for (int r = 1; r < grid.Rows(); ++r)
    for (int c = 1; c < grid.Cols(); ++c)
      if (Open(grid, r, c)) grid.SetTextMatrix(r, c, std::to_string(r) + "." + std::to_string(c));
}

// A row or column is known by its heading (row 0, column 0); one without a heading (the name
// row and column) by its place.
std::string RowKey(const Texts &t, int r) { return t[r][0].empty() ? "#" + std::to_string(r) : t[r][0]; }
std::string ColKey(const Texts &t, int c) { return t[0][c].empty() ? "#" + std::to_string(c) : t[0][c]; }

// Every data cell of `now` holds what the cell of the same row and column headings held in
// `before`, or, for a row or column that is new, what a new grid of these sizes holds.
void ExpectCarried(const Texts &before, const Texts &now, const Texts &fresh, const std::string &where) {
  std::map<std::string, int> oldRow, oldCol;
  for (int r = 1; r < static_cast<int>(before.size()); ++r) oldRow[RowKey(before, r)] = r;
  for (int c = 1; c < static_cast<int>(before[0].size()); ++c) oldCol[ColKey(before, c)] = c;
  for (int r = 1; r < static_cast<int>(now.size()); ++r)
    for (int c = 1; c < static_cast<int>(now[r].size()); ++c) {
      const auto orow = oldRow.find(RowKey(now, r)), ocol = oldCol.find(ColKey(now, c));
      const std::string want = orow != oldRow.end() && ocol != oldCol.end() ? before[orow->second][ocol->second]
                                                                           : fresh[r][c];
      ASSERT_EQ(now[r][c], want) << where << " cell " << r << "," << c;
    }
}

class HeaderPassTest : public ScreenTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(HeaderPassTest, HeaderKeysKeepTheGridAndNewSizesKeepItsCells) {
  const Variant v = GetParam();
  Scr2 &s = Typed(v, "3", "2");
  Grid &grid = s.grid1;
  ASSERT_TRUE(grid.Visible());
  Mark(grid);
  if (v.cls == 3 || v.cls == 5) grid.PerformClick(2, 0); // the user's own sense: Minimize
  const Texts typed = TextsOf(grid);
  const Sizes sizes = SizesNow();
  const int firstCol = (v.cls == 4 || v.cls == 7) ? 2 : 1;

  // Through the title and every size box with each confirming key, from a click or the title.
  for (int k : {key::Tab, key::Return, key::Down}) {
    for (bool fromTitle : {true, false}) {
      g.DataChanged = 0;
      TextBox &start = fromTitle || v.cls == 8 ? s.BX1 : s.BX2;
      start.PerformClick();
      start.SetFocus();
      start.PressKey(k);
      if (v.cls != 8 && fromTitle) s.BX2.PressKey(k);
      if (HasSecondSize(v.cls)) s.BX3.PressKey(k);
      const std::string where = "key " + std::to_string(k) + (fromTitle ? " from the title" : "");
      ASSERT_EQ(TextsOf(grid), typed) << where;
      EXPECT_EQ(SizesNow(), sizes) << where;
      EXPECT_EQ(g.DataChanged, 0) << where;
      EXPECT_EQ(s.ActiveControl(), &s.BX0) << where;
      EXPECT_EQ(g.CurRow, 1) << where;
      EXPECT_EQ(g.CurCol, firstCol) << where;
    }
  }
  // The title is part of the problem.
  s.BX1.SetFocus();
  s.BX1.Type("X");
  EXPECT_EQ(g.DataChanged, 1);
  if (v.cls == 8) return; // a project has no size box

  // A size too large is refused with the range that holds; the grid stays in view as it was.
  script.AnswerMsgBox(msg::OK);
  s.BX2.SetFocus();
  s.BX2.SetText("101");
  s.BX2.PressKey(key::Return);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].text,
            std::string("Problem size cannot exceed 100.  Re-enter a size from ") + (v.cls == 6 ? "1" : "2") + " to 100");
  script.ClearRecord();
  EXPECT_TRUE(grid.Visible());
  EXPECT_EQ(TextsOf(grid), typed);
  EXPECT_EQ(SizesNow(), sizes);

  // One more of each size: every cell keeps its place by meaning, the new lines as new.
  g.DataChanged = 0;
  s.BX2.SetText("4");
  s.BX2.PressKey(key::Tab);
  if (HasSecondSize(v.cls)) {
    s.BX3.SetText("3");
    s.BX3.PressKey(key::Tab);
  }
  EXPECT_EQ(g.DataChanged, 1);
  const GridShape grown = ShapeOf(v.cls, g.ProjMethod, {4, 3});
  ASSERT_EQ(grid.Rows(), grown.rows);
  ASSERT_EQ(grid.Cols(), grown.cols);
  GridStore fresh;
  g.GridReadyFlag = 0;
  BuildInputGrid(fresh);
  ExpectCarried(typed, TextsOf(grid), TextsOf(fresh), "grown");
  // And back: the grid is the one typed.
  s.BX2.SetText("3");
  s.BX2.PressKey(key::Return);
  if (HasSecondSize(v.cls)) {
    s.BX3.SetText("2");
    s.BX3.PressKey(key::Return);
  }
  EXPECT_EQ(TextsOf(grid), typed);
  EXPECT_EQ(SizesNow(), sizes);
}

// A Tab or Enter at the cell the editor cannot leave selects the cell's text, so the next
// number replaces it.
TEST_P(HeaderPassTest, TabThatCannotMoveSelectsTheCell) {
  const Variant v = GetParam();
  if (v.cls == 8) GTEST_SKIP() << "a project grid grows at its end";
  Scr2 &s = Typed(v, "3", "2");
  const int rows = s.grid1.Rows(), cols = s.grid1.Cols();
  int r = rows - 1, c = cols - 1;
  if (v.cls == 3 || v.cls == 5) c = cols - 3;
  if (v.cls == 4 || (v.cls == 7 && v.sub != 1)) c = cols - 2;
  if (v.cls == 7 && v.sub == 1) r = rows - 2;
  s.PlaceCellEditor(static_cast<int16>(r), static_cast<int16>(c));
  for (int k : {key::Tab, key::Return}) {
    s.BX0.Type("7");
    s.BX0.PressKey(k);
    EXPECT_EQ(g.CurRow, r);
    EXPECT_EQ(g.CurCol, c);
    EXPECT_EQ(s.BX0.SelStart(), 0) << k;
    EXPECT_EQ(s.BX0.SelLength(), static_cast<int>(s.BX0.Text().size())) << k;
  }
}

const Variant kVariants[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {7, 1}, {7, 4}, {8, 1}, {8, 2}, {9, 0}};

class HeaderTypingTest : public ScreenTest {};

// Seeded: numbers typed into random cells of every class, and between the cells passes through
// the title and size boxes with Tab, Return or Down; no pass changes a cell or a size.
TEST_F(HeaderTypingTest, PassesThroughTheHeaderBetweenTypedCellsChangeNothing) {
  std::mt19937 rng(20261209);
  const int keys[] = {key::Tab, key::Return, key::Down};
  for (int round = 0; round < 36; ++round) {
    Forms::Clear();
    UseScreen(15360, 11520);
    const Variant v = kVariants[round % 12];
    Scr2 &s = Typed(v, std::to_string(2 + rng() % 3), std::to_string(1 + rng() % 3));
    Grid &grid = s.grid1;
    for (int step = 0; step < 10; ++step) {
      int r, c;
      do {
        r = 1 + static_cast<int>(rng() % (grid.Rows() - 1));
        c = 1 + static_cast<int>(rng() % (grid.Cols() - 1));
      } while (!Open(grid, r, c));
      grid.PerformClick(static_cast<int16>(r), static_cast<int16>(c));
      s.BX0.Type(std::to_string(rng() % 1000) + "\t");
      if (rng() % 2) continue;
      const Texts before = TextsOf(grid);
      const Sizes sizes = SizesNow();
      const int k = keys[rng() % 3];
      const bool fromTitle = v.cls == 8 || rng() % 2;
      TextBox &start = fromTitle ? s.BX1 : s.BX2;
      start.SetFocus();
      start.PressKey(k);
      if (v.cls != 8 && fromTitle) s.BX2.PressKey(k);
      if (HasSecondSize(v.cls)) s.BX3.PressKey(k);
      ASSERT_EQ(TextsOf(grid), before) << "class " << v.cls << " round " << round << " step " << step << " key " << k;
      ASSERT_EQ(SizesNow(), sizes) << "class " << v.cls << " round " << round << " step " << step;
      ASSERT_TRUE(s.BX0.Visible());
    }
    ASSERT_TRUE(script.MessageBoxes().empty()) << script.MessageBoxes()[0].text;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryClass, HeaderPassTest,
                         ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant> &info) {
                           return "Class" + std::to_string(info.param.cls) + "Sub" + std::to_string(info.param.sub);
                         });

}  // namespace
}  // namespace quon::testing
