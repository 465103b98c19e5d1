// The input grid's part of the input screen: the grid set-up around the grid's cells, the
// cell editor laid over the current cell, the grid's clicks and scroll, the editor's keys and
// the grid-editing help beside the header.
#include <algorithm>
#include <cmath>

#include "input/cell_editor.h"
#include "input/grid_edit.h"
#include "input/input_grid.h"
#include "input/problem_header.h"
#include "input/ui/scr2.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/user_services.h"
#include "platform/values.h"
#include "shell/ui/screen_helpers.h"

namespace quon {

namespace {

int Twips(double v) {
  return static_cast<int>(std::lround(v));
}

// Placements of the editor so far, and whether the key now down has placed it: the text box
// still applies an arrow key after its key-down handler, which would drop the selection of the
// cell just entered, so the key's release selects it again.
int placements = 0;
bool placedByKey = false;
// The cell the editor was last laid over, and the placement that a click on that very cell
// made: a click on the editor then puts the caret where it lands, while the first click on an
// editor that came there by a key or a road counts as the click on its cell.
int editorRow = -1, editorCol = -1;
int clickedPlacement = -1;

// The input procedures reach the screen's editor, boxes and menus through this.
class Scr2Port : public InputPort, public GridEditScreen {
public:
  explicit Scr2Port(Scr2 &s) : s_(s) {}

  void Beep() override { quon::Beep(); }
  void Message(const std::string &text, const std::string &title, InputMsgIcon icon) override {
    MsgBox(text, msg::OKOnly | (icon == InputMsgIcon::Critical ? msg::Critical : msg::Information), title);
  }
  void ShowEditorAt(int row, int col) override {
    Grid &grid = s_.grid1;
    // Before the grid is built there is no cell to cover (the symmetric box may be ticked first).
    if (row < 0 || col < 0 || row >= grid.Rows() || col >= grid.Cols()) return;
    grid.SetCol(col);
    grid.SetRow(row);
    // The editor lies over the cell, so the cell must be in view.
    grid.ShowCell(row, col);
    TextBox &bx = s_.BX0;
    bx.Move(grid.Left() + grid.CellLeft(), grid.Top() + grid.CellTop(), grid.CellWidth(), grid.CellHeight());
    bx.SetVisible(true);
    bx.SetText(grid.TextMatrix(row, col));
    SelectAllText(bx);
    ++placements;
    editorRow = row;
    editorCol = col;
  }
  void HideEditor() override { s_.BX0.SetVisible(false); }
  std::string EditorText() const override { return s_.BX0.Text(); }
  void SetEditorText(const std::string &text) override { s_.BX0.SetText(text); }
  int EditorSelStart() const override { return s_.BX0.SelStart(); }
  void SelectAllEditorText() override { SelectAllText(s_.BX0); }
  bool SymmetricTicked() const override { return s_.Check1.Value() == 1; }
  void SetNodeCountBox(int nodeCount, bool show) override {
    s_.BX2.SetText(NumText(nodeCount));
    if (show) {
      s_.BX2.SetVisible(true);
      s_.Label2.SetVisible(true);
    }
  }
  void HideSizeHint() override { s_.Label6.SetVisible(false); }
  void FocusHeader() override {
    for (TextBox *box : {&s_.BX3, &s_.BX2})
      if (box->Visible()) {
        SelectAllText(*box);
        return;
      }
    SelectAllText(s_.BX1);
  }
  void SetMenuEnabled(EditGridItem item, bool enabled) override { Item(item).SetEnabled(enabled); }

  void SetSizeBox(int box, int value) override { (box == 3 ? s_.BX3 : s_.BX2).SetText(NumText(value)); }
  void Warn(const std::string &text, const std::string &title) override {
    MsgBox(text, msg::OKCancel | msg::Exclamation, title);
  }
  int32 ScreenWidthTwips() const override { return ScreenWidth(); }
  void PlaceGrid(int32 width, int32 left, bool bothScrollBars) override {
    Grid &grid = s_.grid1;
    grid.ScrollBars = bothScrollBars ? ScrollBarsMode::Both : ScrollBarsMode::Vertical;
    grid.Move(left, grid.Top(), width, grid.Height());
  }

private:
  MenuItem &Item(EditGridItem item) {
    switch (item) {
    case EditGridItem::Copy:
      return s_.mnuCopyMenu;
    case EditGridItem::Paste:
      return s_.mnuPasteMenu;
    case EditGridItem::Delete:
      return s_.mnuDeleteMenu;
    case EditGridItem::Insert:
      return s_.mnuInsertMenu;
    case EditGridItem::Undo:
      return s_.mnuUndo;
    case EditGridItem::Save:
      return s_.saveMenu;
    case EditGridItem::SaveAs:
      break;
    }
    return s_.SaveAsMenu;
  }
  Scr2 &s_;
};

} // namespace

void Scr2::WireInputGrid() {
  editorRow = editorCol = clickedPlacement = -1;
  // Data cells are blue with white figures; the headings keep the grid's fixed colours.
  grid1.SetBackColor(kBlue);
  grid1.SetForeColor(kWhite);
  grid1.ScrollBars = ScrollBarsMode::Both;
  grid1.Click = [this] { grid1_Click(); };
  grid1.DblClick = [this] { grid1_DblClick(); };
  grid1.Scroll = [this] { grid1_Scroll(); };
  BX0.Click = [this] { BX0_Click(); };
  BX0.DblClick = [this] { BX0_DblClick(); };
  BX0.KeyDown = [this](int &k, int s) { BX0_KeyDown(k, s); };
  BX0.KeyPress = [this](int &k) { BX0_KeyPress(k); };
  BX0.KeyUp = [this](int &k, int s) { BX0_KeyUp(k, s); };
  BX0.Pasted = [this](const std::string &text) {
    Scr2Port port(*this);
    return EditorPaste(port, grid1, text);
  };
}

void Scr2::InitInputGrid() {
  if (g.GridReadyFlag == 1) return;
  const int w = ScreenWidth(), h = ScreenHeight();
  if (g.FromFileFlag == 0) ShowGridEditingHelp();
  Frame1.SetLeft(Twips((w - Frame1.Width()) * 0.5));
  cmdDone.SetEnabled(true);
  SetFontName("arial");
  SetFontSize(9);
  SetFontBold(true);

  const std::optional<InputGridSetUp> s = BuildInputGrid(grid1);
  if (!s) return;
  gridBuilt_ = true;
  // A column is never narrower than the texts the set-up wrote into it ("Node Name", a default
  // number in a long scientific format), in the grid's own type, which is the screen's now.
  int32 totalWidth = s->TotalWidth;
  for (int c = 1; c < grid1.Cols(); ++c) {
    if (grid1.ColWidthOf(c) == 0) continue;
    int32 need = 0;
    for (int r = 0; r < grid1.Rows(); ++r)
      if (!grid1.TextMatrix(r, c).empty())
        need = std::max<int32>(need, static_cast<int32>(std::lround(TextWidth(grid1.TextMatrix(r, c)))) + 105);
    if (need > grid1.ColWidthOf(c)) {
      totalWidth += need - grid1.ColWidthOf(c);
      grid1.SetColWidth(c, need);
    }
  }

  // On the small screen the help of a linear or integer program reaches down to the caption:
  // the caption then stands just below the help frame's line.
  Label7.SetTop(Twips(std::max(0.2 * h, HelpFrameBottom(*this, w, h) + 45)));
  Label7.SetWidth(Twips(1.13 * TextWidth(s->Caption)));
  Label7.SetLeft(Twips(w - Label7.Width()) / 2);
  Label7.SetCaption(s->Caption);
  Label7.SetVisible(true);
  const Control *above = &Label7;
  if (s->ShowPayoffNote) {
    Label8.SetVisible(true);
    Label8.SetTop(Label7.Top() + Label7.Height());
    Label8.SetLeft(Twips(w - Label8.Width()) / 2);
    above = &Label8;
  }
  if (s->ShowSymmetricFrame) {
    Frame2.SetTop(Twips(Label7.Top() + 1.05 * Label7.Height()));
    Frame2.SetLeft(Twips((w - Frame2.Width()) * 0.5));
    Frame2.SetVisible(true);
    if (s->SymmetricForced) {
      Check1.SetValue(1);
      Check1.SetEnabled(false);
    }
    above = &Frame2;
  }
  Frame1.SetTop(Twips(0.825 * h));

  const int width =
      static_cast<int>(std::min<int32>(totalWidth, static_cast<int32>(std::lround(0.9 * w)))) + 310;
  grid1.Move(Twips((w - width) * 0.5), Twips(above->Top() + 1.05 * above->Height()), width,
             InputGridHeight());
  Frame1.SetVisible(true);
  grid1.SetVisible(true);
  Scr2Port port(*this);
  ResetGridEditing(port, grid1);
}

// Height for the input grid: from below the control above it (the network frame for networks,
// the caption label otherwise) down to the button frame.
int32 Scr2::InputGridHeight() const {
  // A game's grid stands below the payoff note, so it measures from there.
  const Control &above = g.ModelClass == ModelClassCode::Networks ? static_cast<const Control &>(Frame2)
                         : g.ModelClass == ModelClassCode::Games  ? static_cast<const Control &>(Label8)
                                                                   : Label7;
  const double t = std::lround(1.02 * above.Height() + above.Top());
  return static_cast<int32>(std::lround(Frame1.Top() - t - 0.75 * Frame1.Height()));
}

void Scr2::PlaceCellEditor(int16 row, int16 col) {
  Scr2Port port(*this);
  quon::PlaceCellEditor(port, row, col);
}

void Scr2::ShowGridEditingHelp() {
  // Several roads ask for the help (the grid set-up, the opened file, the return to the
  // input); it stays drawn, so a second copy would only overprint it.
  if (helpShown_) return;
  helpShown_ = true;
  // Printed in white like the frame drawn around it, in the grid set-up's font whichever
  // road comes first.
  SetForeColor(kWhite);
  SetFontName("arial");
  SetFontSize(9);
  SetFontBold(true);
  quon::ShowGridEditingHelp(*this, ScreenWidth(), ScreenHeight());
}

void Scr2::grid1_Click() {
  Scr2Port port(*this);
  const int before = placements;
  GridClick(port, grid1, static_cast<int16>(grid1.MouseRow), static_cast<int16>(grid1.MouseCol));
  if (placements != before && editorRow == grid1.MouseRow && editorCol == grid1.MouseCol)
    clickedPlacement = placements;
}

void Scr2::grid1_DblClick() {
  Scr2Port port(*this);
  const int before = placements;
  GridDblClick(port, grid1, static_cast<int16>(grid1.MouseRow), static_cast<int16>(grid1.MouseCol));
  if (placements != before && editorRow == grid1.MouseRow && editorCol == grid1.MouseCol)
    clickedPlacement = placements;
}

// The editor covers its cell, so the mouse that meets it meets the cell: the second click of
// a double-click on a cell lands on the editor the first click brought there, and the
// toolkit's text box would select only the word under it ("50" of "12.50").
void Scr2::BX0_Click() {
  if (!BX0.Visible() || editorRow < 0 || clickedPlacement == placements) return;
  Scr2Port port(*this);
  GridClick(port, grid1, static_cast<int16>(editorRow), static_cast<int16>(editorCol));
  clickedPlacement = placements;
}

void Scr2::BX0_DblClick() {
  if (!BX0.Visible() || editorRow < 0) return;
  Scr2Port port(*this);
  GridDblClick(port, grid1, static_cast<int16>(editorRow), static_cast<int16>(editorCol));
  clickedPlacement = placements;
}

void Scr2::HideEditorOffGrid() {
  if (editorRow >= grid1.Rows() || editorCol >= grid1.Cols()) BX0.SetVisible(false);
}

void Scr2::KeepEditorOnGrid(int row, int col) {
  if (row < 0 || col < 0) {
    row = editorRow < 0 ? 1 : editorRow;
    col = editorCol < 0 ? 1 : editorCol;
  }
  Scr2Port port(*this);
  PlaceEditorOnGrid(port, grid1, row, col);
}

void Scr2::grid1_Scroll() {
  const bool stays = EditorVisibleAfterScroll(grid1.LeftCol(), grid1.TopRow(), grid1.Width(),
                                              grid1.ColWidthOf(1), grid1.Height(), BX0.Height());
  if (!stays) BX0.SetVisible(false);
}

void Scr2::mnuUndo_Click() {
  Scr2Port port(*this);
  UndoGridEdit(port, port, grid1);
}

void Scr2::mnuCopyMenu_Click() {
  Scr2Port port(*this);
  CopyGridLine(port, grid1);
}

void Scr2::mnuPasteMenu_Click() {
  Scr2Port port(*this);
  PasteGridLine(port, port, grid1);
}

void Scr2::mnuDeleteMenu_Click() {
  Scr2Port port(*this);
  DeleteGridLine(port, port, grid1);
}

void Scr2::mnuInsertMenu_Click() {
  Scr2Port port(*this);
  InsertGridLine(port, port, grid1);
}

void Scr2::BX0_KeyDown(int &keyCode, int shift) {
  Scr2Port port(*this);
  const int before = placements;
  EditorKeyDown(port, grid1, static_cast<int16>(keyCode), (shift & key::ShiftMask) != 0);
  placedByKey = placements != before;
}

void Scr2::BX0_KeyPress(int &keyAscii) {
  Scr2Port port(*this);
  int16 k = static_cast<int16>(std::clamp(keyAscii, -32768, 32767));
  EditorKeyPress(port, grid1, k);
  keyAscii = k;
}

void Scr2::BX0_KeyUp(int & /*keyCode*/, int /*shift*/) {
  Scr2Port port(*this);
  EditorKeyUp(port, grid1);
  if (placedByKey && BX0.Visible()) SelectAllText(BX0);
  placedByKey = false;
}

} // namespace quon
