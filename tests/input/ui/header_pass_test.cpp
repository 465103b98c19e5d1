// The header boxes never lose what the grid holds: passing through them leaves the grid as it
// is, a new size keeps every cell that still has a place, a refused size keeps the grid in
// view, and the title and sizes count as changes of the problem. Every class and sub-model.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "input/input_grid.h"
#include "input/problem_file.h"
#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

struct Variant {
  int cls, sub;
};
const Variant kVariants[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0},
                             {7, 0}, {7, 1}, {7, 4}, {8, 1}, {8, 2}, {9, 0}};

using Texts = GridTexts;
using Sizes = std::array<int16, 9>;
Sizes SizesNow() {
  return {g.NVars, g.MRows, g.TransSources, g.TransDests, g.NScen, g.NodeCount, g.GameRows, g.GameCols, g.ObjSense};
}

// The input screen as the MAIN menu opens it, the title and sizes typed (a project: the title
// confirmed and three activity rows).
Scr2 &Typed(const Variant &v, const std::string &first, const std::string &second) {
  g.ModelClass = static_cast<int16>(v.cls);
  g.NetSubModel = static_cast<int16>(v.cls == 7 ? v.sub : 0);
  g.ProjMethod = static_cast<int16>(v.cls == 8 ? v.sub : 1);
  Scr2 &s = scr2();
  s.Show();
  s.BX1.SetFocus();
  s.BX1.Type("Plan\r");
  if (v.cls == 8) s.grid1.SetRows(4);
  if (v.cls != 8) s.BX2.Type(first + "\r");
  if (HasSecondSize(v.cls)) s.BX3.Type(second + "\r");
  return s;
}

bool Open(const Grid &grid, int r, int c) {
  return IsEditableCell(grid, 2, static_cast<int16>(r), static_cast<int16>(c)) == 0 && !(g.ModelClass == 7 && r == c);
}

// Through the header from the title (or the first size box) with one confirming key.
void PassHeader(Scr2 &s, int key, bool fromTitle) {
  fromTitle = fromTitle || g.ModelClass == 8;
  TextBox &start = fromTitle ? s.BX1 : s.BX2;
  start.SetFocus();
  start.PressKey(key);
  if (g.ModelClass != 8 && fromTitle) s.BX2.PressKey(key);
  if (HasSecondSize(g.ModelClass)) s.BX3.PressKey(key);
}

void Confirm(Scr2 &s, const char *first, const char *second, int key) {
  s.BX2.SetText(first);
  s.BX2.PressKey(key);
  if (HasSecondSize(g.ModelClass)) {
    s.BX3.SetText(second);
    s.BX3.PressKey(key);
  }
}

// A row or column is known by its heading; the name row and column, which have none, by place.
std::string Key(const std::string &heading, int k) { return heading.empty() ? "#" + std::to_string(k) : heading; }

class HeaderPassTest : public ScreenTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(HeaderPassTest, HeaderKeysKeepTheGridAndNewSizesKeepItsCells) {
  const Variant v = GetParam();
  Scr2 &s = Typed(v, "3", "2");
  Grid &grid = s.grid1;
  for (int r = 1; r < grid.Rows(); ++r)
    for (int c = 1; c < grid.Cols(); ++c)
      if (Open(grid, r, c)) grid.SetTextMatrix(r, c, std::to_string(r) + "." + std::to_string(c));
  if (v.cls == 3 || v.cls == 5) grid.PerformClick(2, 0); // the user's own sense: Minimize
  const Texts typed = TextsOf(grid);
  const Sizes sizes = SizesNow();
  for (int k : {key::Tab, key::Return, key::Down})
    for (bool fromTitle : {true, false}) {
      g.DataChanged = 0;
      PassHeader(s, k, fromTitle);
      ASSERT_EQ(TextsOf(grid), typed) << k << fromTitle;
      EXPECT_EQ(SizesNow(), sizes) << k << fromTitle;
      EXPECT_EQ(g.DataChanged, 0);
      EXPECT_EQ(s.ActiveControl(), &s.BX0);
      EXPECT_EQ(g.CurRow * 100 + g.CurCol, v.cls == 4 || v.cls == 7 ? 102 : 101);
    }
  s.BX1.Type("X");
  EXPECT_EQ(g.DataChanged, 1);

  // The cell the editor cannot leave: Tab or Enter selects its text for the next number.
  int r = grid.Rows() - 1, c = grid.Cols() - (v.cls == 3 || v.cls == 5 ? 3 : v.cls == 4 || v.cls == 7 ? 2 : 1);
  if (v.cls == 7 && v.sub == 1) std::tie(r, c) = std::pair(r - 1, c + 1); // symmetric
  if (v.cls == 8) return; // a project grows at its end, and has no size box
  s.PlaceCellEditor(static_cast<int16>(r), static_cast<int16>(c));
  s.BX0.Type("7\t");
  EXPECT_EQ(g.CurRow * 100 + g.CurCol, r * 100 + c);
  EXPECT_EQ(s.BX0.SelLength(), static_cast<int>(s.BX0.Text().size()));
  for (int i = 1; i < grid.Rows(); ++i) // back as typed (a symmetric network wrote the mirror too)
    for (int j = 1; j < grid.Cols(); ++j) grid.SetTextMatrix(i, j, typed[i][j]);

  // A size too large is refused naming the range that holds; the grid stays as it was.
  script.AnswerMsgBox(msg::OK, std::string("Problem size cannot exceed 100.  Re-enter a size from ") +
                                   (v.cls == 6 ? "1" : "2") + " to 100");
  s.BX2.SetText("101");
  s.BX2.PressKey(key::Return);
  EXPECT_TRUE(grid.Visible());
  EXPECT_EQ(TextsOf(grid), typed);
  EXPECT_EQ(SizesNow(), sizes);

  // One more of each size: every cell keeps its row and column by meaning, the new ones come
  // as a new grid has them; and back, the grid typed.
  g.DataChanged = 0;
  Confirm(s, "4", "3", key::Tab);
  EXPECT_EQ(g.DataChanged, 1);
  const GridShape grown = ShapeOf(v.cls, g.ProjMethod, {4, 3});
  ASSERT_EQ(grid.Rows() * 1000 + grid.Cols(), grown.rows * 1000 + grown.cols);
  const Texts now = TextsOf(grid);
  GridStore fresh;
  g.GridReadyFlag = 0;
  BuildInputGrid(fresh);
  std::map<std::string, int> oldRow, oldCol;
  for (int i = 1; i < static_cast<int>(typed.size()); ++i) oldRow[Key(typed[i][0], i)] = i;
  for (int j = 1; j < static_cast<int>(typed[0].size()); ++j) oldCol[Key(typed[0][j], j)] = j;
  for (int i = 1; i < grid.Rows(); ++i)
    for (int j = 1; j < grid.Cols(); ++j) {
      const auto a = oldRow.find(Key(now[i][0], i)), b = oldCol.find(Key(now[0][j], j));
      const bool old = a != oldRow.end() && b != oldCol.end();
      ASSERT_EQ(now[i][j], old ? typed[a->second][b->second] : fresh.TextMatrix(i, j)) << i << "," << j;
    }
  Confirm(s, "3", "2", key::Return);
  EXPECT_EQ(TextsOf(grid), typed);
  EXPECT_EQ(SizesNow(), sizes);
}

INSTANTIATE_TEST_SUITE_P(EveryClass, HeaderPassTest, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant> &info) {
                           return "Class" + std::to_string(info.param.cls) + "Sub" + std::to_string(info.param.sub);
                         });

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
    for (int step = 0; step < 10; ++step) {
      int r, c;
      do {
        r = 1 + static_cast<int>(rng() % (s.grid1.Rows() - 1));
        c = 1 + static_cast<int>(rng() % (s.grid1.Cols() - 1));
      } while (!Open(s.grid1, r, c));
      s.grid1.PerformClick(static_cast<int16>(r), static_cast<int16>(c));
      s.BX0.Type(std::to_string(rng() % 1000) + "\t");
      const Texts before = TextsOf(s.grid1);
      const Sizes sizes = SizesNow();
      PassHeader(s, keys[rng() % 3], rng() % 2);
      ASSERT_EQ(TextsOf(s.grid1), before) << "class " << v.cls << " round " << round << " step " << step;
      ASSERT_EQ(SizesNow(), sizes) << "class " << v.cls << " round " << round << " step " << step;
    }
  }
  EXPECT_TRUE(script.MessageBoxes().empty());
}

} // namespace
} // namespace quon::testing
