#include "input/cell_editor.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "input/cell_rules.h"
#include "input/input_grid.h"
#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

namespace {

bool IsLinearOrInteger() {
  return g.ModelClass == ModelClassCode::LinearProgramming || g.ModelClass == ModelClassCode::IntegerProgramming;
}
bool IsLetter(int16 key, char lower) {
  return key == lower || key == lower - 'a' + 'A';
}
bool Contains(std::string_view s, char c) {
  return s.find(c) != std::string_view::npos;
}
bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The typed number in the number pattern, unless the pattern would round it: a value is kept
// as typed, so a fraction finer than the pattern shows all its digits.
std::string InPattern(std::string_view text, std::string_view pattern) {
  const double v = Val(text);
  std::string shown = Format(v, pattern);
  return Val(shown) == v ? shown : NumText(v);
}
std::string InPattern(std::string_view text) {
  return InPattern(text, NumberFormatString());
}

// The editor goes there unless it is a heading cell closed to it.
void MoveUnlessClosed(InputPort &ui, const GridStore &grid, int16 row, int16 col) {
  if (IsEditableCell(grid, 2, row, col) > 0) return;
  PlaceCellEditor(ui, row, col);
}

// Moves the editor on; false when it cannot (the end of the grid).
bool Forward(InputPort &ui, GridStore &grid, int16 r, int16 c) {
  const int16 cls = g.ModelClass;
  const int rows = grid.Rows(), cols = grid.Cols();
  if ((IsLinearOrInteger() || cls == ModelClassCode::Transportation || cls == ModelClassCode::Networks) && IsEditableCell(grid, 1, r, c) != 0) {
    if (r == rows - 1) return false;
    PlaceCellEditor(ui, r + 1, 1);
    return true;
  }
  if (cls == ModelClassCode::ProjectPlanning && c == 1) {
    g.FinalIteration = 0;
    PlaceCellEditor(ui, r, 2);
    return true;
  }
  if (cls == ModelClassCode::ProjectPlanning && c == 2) {
    if (g.FinalIteration == 0) {
      PlaceCellEditor(ui, r, 3);
    } else {
      g.FinalIteration = 0;
      PlaceCellEditor(ui, r, 2);
    }
    return true;
  }
  if (c == cols - 1) {
    if (cls == ModelClassCode::ProjectPlanning) {
      if (r + 1 > rows - 1) {
        grid.SetRows(r + 2);
        grid.SetTextMatrix(r + 1, 0, Trim(Str(r + 1)));
      }
      PlaceCellEditor(ui, r + 1, 1);
      return true;
    }
    if (r == rows - 1) return false;
    if (cls == ModelClassCode::Transportation && r == rows - 2) {
      PlaceCellEditor(ui, r + 1, 2);
      return true;
    }
    if (cls == ModelClassCode::Networks) {
      const bool symmetric = ui.SymmetricTicked();
      if (r == rows - 2 && symmetric) return false;
      if (!symmetric)
        PlaceCellEditor(ui, r + 1, r + 1 == 2 ? 3 : 2);
      else
        PlaceCellEditor(ui, r + 1, r + 2);
      return true;
    }
    PlaceCellEditor(ui, r + 1, 1);
    return true;
  }
  if (cls == ModelClassCode::Networks && c + 1 == r) {
    if (c + 1 == cols - 1) return false;
    PlaceCellEditor(ui, r, c + 2);
    return true;
  }
  PlaceCellEditor(ui, r, c + 1);
  return true;
}

// No cell before (r, c), in reading order, is open to the editor.
bool IsFirstOpenCell(const GridStore &grid, int16 r, int16 c) {
  for (int16 row = 1; row <= r; ++row)
    for (int16 col = 1; col < (row == r ? c : grid.Cols()); ++col)
      if (IsEditableCell(grid, 2, row, col) == 0) return false;
  return true;
}

void Back(InputPort &ui, GridStore &grid, int16 r, int16 c) {
  const int16 cls = g.ModelClass;
  if (c == 1) {
    if (r >= 2 && IsEditableCell(grid, 2, r - 1, 1) == 0)
      PlaceCellEditor(ui, r - 1, 1);
    else
      ui.Beep();
    return;
  }
  if (cls == ModelClassCode::Networks && r == c - 1) {
    MoveUnlessClosed(ui, grid, r, c - 2);
    return;
  }
  if (cls == ModelClassCode::Transportation && c == 2 && (r == 1 || r == grid.Rows() - 1)) return;
  MoveUnlessClosed(ui, grid, r, c - 1);
}

void Up(InputPort &ui, GridStore &grid, int16 r, int16 c) {
  const int16 cls = g.ModelClass;
  const int cols = grid.Cols();
  if (r == 1) return;
  if (IsLinearOrInteger() && r == 3 && c >= cols - 2) return;
  if ((cls == ModelClassCode::Transportation || cls == ModelClassCode::Networks) && r == 2 && (c == 1 || c == cols - 1)) return;
  PlaceCellEditor(ui, r - 1, c);
}

void Down(InputPort &ui, GridStore &grid, int16 r, int16 c) {
  const int16 cls = g.ModelClass;
  const int rows = grid.Rows(), cols = grid.Cols();
  if (r == rows - 1) return;
  if (cls == ModelClassCode::ProjectPlanning) {
    PlaceCellEditor(ui, r + 1, c);
    return;
  }
  if (IsLinearOrInteger() && r == g.MRows + 2 && c >= cols - 2) return;
  if (cls == ModelClassCode::Transportation && r == rows - 2 && (c == 1 || c == cols - 1)) {
    PlaceCellEditor(ui, r + 1, 2);
    return;
  }
  if (cls == ModelClassCode::Networks && r + 1 == c) {
    if (r == 1)
      PlaceCellEditor(ui, 2, 3);
    else if (g.SymmetricNet == 0)
      PlaceCellEditor(ui, r + 1, 2);
    else if (c != cols - 1)
      PlaceCellEditor(ui, r + 1, c + 1);
    return;
  }
  PlaceCellEditor(ui, r + 1, c);
}

// Every change the editor makes to a cell marks the problem as changed, to be offered for saving.
void ChangeCell(GridStore &grid, int row, int col, const std::string &text) {
  if (grid.TextMatrix(row, col) == text) return;
  grid.SetTextMatrix(row, col, text);
  g.DataChanged = 1;
}

// Backspace and the characters of a number.
bool EditsNumber(int16 key) {
  return key == 8 || (key > 0 && key < 128 && Contains("0123456789.-", static_cast<char>(key)));
}

CellSheet SheetOf(const GridStore &grid) {
  return {g.ModelClass, grid.Rows(), grid.Cols(),
          [&grid](int row, int col) { return grid.TextMatrix(row, col); }};
}

void ShowRefusal(InputPort &ui, const InputMessage &m) {
  if (m.beep) ui.Beep();
  ui.Message(m.text, m.title,
             msg::Icon(m.style) == msg::Information ? InputMsgIcon::Information : InputMsgIcon::Critical);
}

// A key the cell refuses is dropped, and only it: the text typed before it and the caret stay
// as they were, so that the keys typed after it run on from there.
void RefuseKey(InputPort &ui) { ui.Beep(); }
void RefuseKey(InputPort &ui, const std::string &text, const std::string &title, InputMsgIcon icon) {
  ui.Beep();
  ui.Message(text, title, icon);
}

// The checks every class shares once its own rules have let a character through.
void GeneralFilter(InputPort &ui, GridStore &grid, int16 &key) {
  if (key == '.' && TakesWholeNumber(SheetOf(grid), g.CurRow, g.CurCol)) {
    key = 0;
    ShowRefusal(ui, WholeNumberRefusal());
    return;
  }
  const std::string text = ui.EditorText();
  if ((key == '.' && Contains(text, '.') && g.EditorFlag != 1) || (key == '+' && g.EditorFlag != 1)) {
    key = 0;
    RefuseKey(ui);
    return;
  }
  if (key == '-') {
    if (g.ModelClass == ModelClassCode::Networks || g.ModelClass == ModelClassCode::ProjectPlanning) {
      key = 0;
      RefuseKey(ui);
      return;
    }
    if (g.EditorFlag == 0 && (ui.EditorSelStart() != 0 || Contains(text, '-'))) {
      key = 0;
      RefuseKey(ui);
      return;
    }
  }
  if (EditsNumber(key)) {
    const bool nodeCell = g.ModelClass == ModelClassCode::ProjectPlanning && (g.CurCol == 1 || g.CurCol == 2);
    ChangeCell(grid, g.CurRow, g.CurCol, nodeCell ? NumText(Val(text)) : InPattern(text));
    g.EditorFlag = 0;
    return;
  }
  const int16 code = key;
  key = 0;
  g.EditorFlag = 0;
  // Tab, Enter and Esc are the editor's moves. The arrow keys move it too but never arrive
  // here as characters: 37 and 39 are then "%" and "'", refused aloud like every other.
  if (code != 9 && code != 13 && code != 27) {
    RefuseKey(ui);
    g.EditorFlag = 1;
  }
}

// A word one key put into the editor, and the letters of the word still to come: typing the
// rest of the word ("-infi", "<=") keeps it rather than each letter rewriting or refusing it.
struct TypedWord {
  int row = -1;
  int col = -1;
  std::string word;
  std::string rest;
};
TypedWord &LastWord() {
  static TypedWord last;
  return last;
}

void RememberWord(const std::string &word, int16 key) {
  TypedWord &w = LastWord();
  w.row = g.CurRow;
  w.col = g.CurCol;
  w.word = word;
  // The rest of the word after the letter typed ("nfinity" after the "i" of "-infinity").
  const char typed = static_cast<char>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key);
  const std::size_t at = word.find(typed);
  w.rest = at == std::string::npos ? "" : word.substr(at + 1);
}

// Whether the key is the next letter of the word just put: it is taken up silently.
bool ContinuesWord(const InputPort &ui, int16 key) {
  TypedWord &w = LastWord();
  const bool continues = !w.rest.empty() && w.row == g.CurRow && w.col == g.CurCol && ui.EditorText() == w.word &&
                         key > 0 && key < 128 &&
                         std::tolower(static_cast<unsigned char>(key)) == static_cast<unsigned char>(w.rest[0]);
  if (continues)
    w.rest.erase(0, 1);
  else
    w = TypedWord{};
  return continues;
}

// Replaces the editor's text with a word typed by one key.
void PutWord(InputPort &ui, int16 &key, const char *word) {
  ui.SetEditorText(word);
  RememberWord(word, key);
  g.BX0KeyState = 1;
  key = 0;
}

// A relation typed by one key; it stays as it is while the rest of it is typed.
void PutRelation(InputPort &ui, int16 key, const char *relation) {
  ui.SetEditorText(relation);
  RememberWord(relation, key);
}

void LinearKeyPress(InputPort &ui, GridStore &grid, int16 &key) {
  const int r = g.CurRow, c = g.CurCol, cols = grid.Cols(), m = g.MRows;
  if (c == cols - 2) {
    const int16 typed = key;
    key = 0;
    if (typed == '<')
      PutRelation(ui, typed, "<=");
    else if (typed == '=')
      PutRelation(ui, typed, "=");
    else if (typed == '>')
      PutRelation(ui, typed, ">=");
    else
      RefuseKey(ui);
    return;
  }
  if (c == cols - 1) {
    if (key == '-') {
      key = 0;
      RefuseKey(ui, "Negative RHS not permitted.  Re-enter", "Rihgt-hand Side", InputMsgIcon::Critical);
      return;
    }
    GeneralFilter(ui, grid, key);
    return;
  }
  if (r == 1) return;
  if (r == m + 3) {
    if (IsLetter(key, 'i')) {
      PutWord(ui, key, "-infinity");
      return;
    }
    if (grid.TextMatrix(m + 5, c) == "y") {
      if (key == '-') {
        g.EditorFlag2 = 1;
        return;
      }
      if (g.EditorFlag2 != 1) {
        key = 0;
        ui.SetEditorText("");
        ui.Beep();
        ui.Message("Unrestr'd var: Lower bound must be negative or -infinity.", "Unrestricted Status",
                   InputMsgIcon::Information);
        return;
      }
    } else if (key == '-') {
      key = 0;
      RefuseKey(ui, "Nonnegative var: Lower bound must be nonnegative.", "Unrestricted Status",
                InputMsgIcon::Information);
      return;
    }
    GeneralFilter(ui, grid, key);
    return;
  }
  if (r == m + 4) {
    if (IsLetter(key, 'i'))
      PutWord(ui, key, "infinity");
    else
      GeneralFilter(ui, grid, key);
    return;
  }
  const bool freeRow = r == m + 5;
  if (freeRow || (g.ModelClass == ModelClassCode::IntegerProgramming && r == m + 6)) {
    const int16 typed = key;
    key = 0;
    g.BX0KeyState = 1;
    const std::string lower = grid.TextMatrix(m + 3, c);
    if (IsLetter(typed, 'y')) {
      ui.SetEditorText("y");
      if (g.ModelClass == ModelClassCode::LinearProgramming && freeRow && lower != "-infinity" && Val(lower) >= 0)
        ChangeCell(grid, m + 3, c, "-infinity");
    } else if (IsLetter(typed, 'n')) {
      ui.SetEditorText("n");
      // Only the sign row bounds the variable; marking it continuous leaves its bound alone.
      if (freeRow && !lower.empty() && lower[0] == '-') ChangeCell(grid, m + 3, c, ZeroText());
    } else {
      g.BX0KeyState = 0;
      RefuseKey(ui);
    }
    return;
  }
  GeneralFilter(ui, grid, key);
}

void TransportKeyPress(InputPort &ui, GridStore &grid, int16 &key) {
  const int r = g.CurRow, c = g.CurCol;
  if (r == 1 || c == 1) return;
  if (r == grid.Rows() - 1 || c == grid.Cols() - 1) {
    if (key == '-') {
      key = 0;
      RefuseKey(ui, "Negative Supply/Demand not permitted.", "Suppl/Demand", InputMsgIcon::Information);
      ui.SelectAllEditorText();
      return;
    }
  } else if (IsLetter(key, 'i')) {
    // A cell that holds "-infinity" keeps it: the "i" of the word is no reason to turn it round.
    const std::string text = ui.EditorText();
    PutWord(ui, key, text == "-" || text == "-infinity" ? "-infinity" : "infinity");
    return;
  }
  GeneralFilter(ui, grid, key);
}

std::string SupplyText(std::string_view text) {
  return Val(text) == 0 ? "0" : InPattern(text, "#######");
}

// A word the keys put into a number cell ("infinity", "-infinity"), as against a number being
// typed.
bool HoldsWord(std::string_view text) {
  return text.find_first_not_of("0123456789.- ") != std::string_view::npos;
}

void FilterByClass(InputPort &ui, GridStore &grid, int16 &keyAscii) {
  switch (g.ModelClass) {
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    LinearKeyPress(ui, grid, keyAscii);
    break;
  case ModelClassCode::Transportation:
    TransportKeyPress(ui, grid, keyAscii);
    break;
  case ModelClassCode::Queueing:
    if (IsLetter(keyAscii, 'i'))
      PutWord(ui, keyAscii, "infinity");
    else
      GeneralFilter(ui, grid, keyAscii);
    break;
  case ModelClassCode::Networks:
    if (g.CurRow == 1 || g.CurCol == 1) break;
    if (IsLetter(keyAscii, 'i')) {
      if (ui.EditorText() == "-") {
        keyAscii = 0;
        RefuseKey(ui);
      } else {
        PutWord(ui, keyAscii, "infinity");
      }
    } else {
      GeneralFilter(ui, grid, keyAscii);
    }
    break;
  case ModelClassCode::ProjectPlanning:
    if (g.CurCol != 3) GeneralFilter(ui, grid, keyAscii);
    break;
  default:
    GeneralFilter(ui, grid, keyAscii);
    break;
  }
}

} // namespace

void ForgetTypedWord() {
  LastWord() = TypedWord{};
}

void EditorKeyDown(InputPort &ui, GridStore &grid, int16 keyCode, bool shift) {
  int16 nav;
  if ((keyCode == kKeyTab && shift) || keyCode == kKeyLeft || keyCode == kKeyEsc)
    nav = kNavBack;
  else if (keyCode == kKeyRight || keyCode == kKeyEnter)
    nav = kNavForward;
  else if (keyCode == kKeyTab)
    nav = kKeyTab;
  else if (keyCode == kKeyUp)
    nav = kNavUp;
  else if (keyCode == kKeyDown)
    nav = kNavDown;
  else
    return;

  const int16 r = g.CurRow, c = g.CurCol;
  // Back from the first cell, or up from the first row, leads out of the grid to the header.
  const bool toHeader = (nav == kNavUp && r == 1) || (nav == kNavBack && IsFirstOpenCell(grid, r, c));
  if (g.ModelClass == ModelClassCode::ProjectPlanning) {
    g.NodeCount = LargestProjectNode(grid);
    ui.SetNodeCountBox(g.NodeCount, false);
    // Tab lets the user pass an unfinished row; every other move checks it first.
    if (nav != kKeyTab && !toHeader && ValidateProjectNodes(ui, grid, nav) == 1) return;
  }
  if (toHeader) {
    ui.FocusHeader();
    return;
  }
  switch (nav) {
  case kNavBack:
    Back(ui, grid, r, c);
    break;
  case kNavUp:
    Up(ui, grid, r, c);
    break;
  case kNavDown:
    Down(ui, grid, r, c);
    break;
  default:
    // A Tab or Enter that cannot move on leaves the cell's text selected, so the next number
    // typed replaces it instead of running on from it.
    if (!Forward(ui, grid, r, c) && (keyCode == kKeyTab || keyCode == kKeyEnter)) ui.SelectAllEditorText();
    break;
  }
}

void EditorKeyPress(InputPort &ui, GridStore &grid, int16 &keyAscii) {
  g.LastKeyAscii = keyAscii;
  // Esc has already moved the editor back on key down; as a character it would be judged by
  // the rules of the cell it landed on (a beep in a type column, a refusal in a lower bound).
  if (keyAscii == kKeyTab || keyAscii == kKeyEnter || keyAscii == kKeyEsc) {
    keyAscii = 0;
    return;
  }
  g.BX0KeyState = 0;
  if (ContinuesWord(ui, keyAscii)) {
    keyAscii = 0;
    return;
  }
  // A comma in a number cell is the decimal point of the desktops that write one.
  if (keyAscii == ',' && g.CurRow >= 1 && g.CurCol >= 1 && g.CurRow < grid.Rows() && g.CurCol < grid.Cols() &&
      TakesNumber(SheetOf(grid), g.CurRow, g.CurCol))
    keyAscii = '.';
  // A number typed over a word (wherever the caret was put in it) replaces the word; a key the
  // cell refuses leaves the word as it was.
  const std::string word = ui.EditorText();
  const bool overWord = g.CurRow >= 1 && g.CurCol >= 1 && g.CurRow < grid.Rows() && g.CurCol < grid.Cols() &&
                        TakesNumber(SheetOf(grid), g.CurRow, g.CurCol) && HoldsWord(word) && EditsNumber(keyAscii);
  if (overWord) ui.SetEditorText("");
  FilterByClass(ui, grid, keyAscii);
  if (overWord && keyAscii == 0 && g.BX0KeyState == 0) {
    ui.SetEditorText(word);
    ui.SelectAllEditorText();
  }
}

bool EditorPaste(InputPort &ui, GridStore &grid, const std::string &text) {
  const int16 r = g.CurRow, c = g.CurCol;
  if (r < 1 || r >= grid.Rows() || c < 1 || c >= grid.Cols()) return false;
  if (auto refusal = RefuseCellText(SheetOf(grid), r, c, text, CellOrigin::Typed)) {
    ShowRefusal(ui, *refusal);
    return false;
  }
  EditorKeyUp(ui, grid);
  return true;
}

void EditorKeyUp(InputPort &ui, GridStore &grid) {
  const std::string t = ui.EditorText();
  const int16 r = g.CurRow, c = g.CurCol;
  const int rows = grid.Rows(), cols = grid.Cols();
  if (r < 0 || r >= rows || c < 0 || c >= cols) return;
  // Keys alone can make a number beyond what a cell takes (a long run of digits): it is
  // refused rather than read into results that overflow.
  if (r >= 1 && c >= 1 && NumberTooLarge(SheetOf(grid), r, c, t)) {
    ui.SetEditorText("");
    ChangeCell(grid, r, c, "");
    InputMessage tooLarge = CriticalMessage("The number is too large.  Re-enter", "Input Data Error");
    tooLarge.beep = true;
    ShowRefusal(ui, tooLarge);
    return;
  }
  // Text that is neither a number (whole or being typed) nor a word of the cell is never read
  // as one: it is refused and the cell's value goes back into the editor.
  if (r >= 1 && c >= 1 && TakesNumber(SheetOf(grid), r, c) && HoldsWord(t) && t != "infinity" && t != "-infinity" &&
      !IsNumber(t)) {
    if (auto refusal = RefuseCellText(SheetOf(grid), r, c, t, CellOrigin::Typed)) {
      ShowRefusal(ui, *refusal);
      PlaceCellEditor(ui, r, c);
      return;
    }
  }
  std::string out;
  switch (g.ModelClass) {
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    if (c == cols - 2 || r >= g.MRows + 4 || r == 1 || t == "-infinity") {
      out = t;
      if (r == g.MRows + 4 && !EndsWith(t, "ty")) out = InPattern(t);
    } else {
      out = InPattern(t);
    }
    break;
  case ModelClassCode::Transportation:
    if (r == 1 || c == 1)
      out = t;
    else if (c == cols - 1 || r == rows - 1)
      out = SupplyText(t);
    else if (t == "infinity" || t == "-infinity")
      out = t;
    else
      out = InPattern(t);
    break;
  case ModelClassCode::Queueing:
    if (t == "infinity")
      out = t;
    else if (c <= 2)
      out = InPattern(t);
    else
      out = Format(Val(t), "#######");
    break;
  case ModelClassCode::Networks:
    if (r == 1) {
      out = t;
      ChangeCell(grid, c, 1, t);
    } else if (c == 1) {
      out = t;
      ChangeCell(grid, 1, r, t);
    } else if (r == c) {
      out = "";
    } else {
      out = t == "infinity" ? t : InPattern(t);
      if (ui.SymmetricTicked()) ChangeCell(grid, c, r, out);
    }
    break;
  case ModelClassCode::ProjectPlanning:
    if (c == 3)
      out = t;
    else if (c == 1 || c == 2)
      out = NumText(Val(t));
    else
      out = InPattern(t);
    break;
  default:
    out = InPattern(t);
    break;
  }
  ChangeCell(grid, r, c, out);

  if (g.BX0KeyState == 1) {
    // A word typed by one key is shown whole and selected, and the editor stays on its cell:
    // the next Tab or Enter moves on from there as from any other cell. The rest of the word
    // may still be typed.
    const TypedWord word = LastWord();
    PlaceCellEditor(ui, g.CurRow, g.CurCol);
    LastWord() = word;
    g.BX0KeyState = 0;
  }
}

} // namespace quon
