// A stand-in for the input screen around the grid's cell store: a text box with a caret and
// a selection, a log of beeps, messages and editor moves, and the EditGrid menu states.
// Keys go through the same three handlers, in the order a text box delivers them.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "input/cell_editor.h"
#include "input/input_grid.h"
#include "shell/mod1.h"

namespace quon::test {

struct ShownMessage {
  std::string text, title;
  InputMsgIcon icon;
  bool operator==(const ShownMessage &) const = default;
  friend std::ostream &operator<<(std::ostream &os, const ShownMessage &m) {
    return os << '"' << m.text << "\" / \"" << m.title << "\" / " << static_cast<int>(m.icon);
  }
};

class FakeInputScreen : public InputPort {
public:
  GridStore grid;
  std::string text;
  int selStart = 0, selLength = 0;
  bool editorVisible = false;
  int editorRow = -1, editorCol = -1;
  int beeps = 0;
  std::vector<ShownMessage> messages;
  bool symmetric = false;
  int nodeBox = -1;
  bool nodeBoxShown = false;
  bool hintHidden = false;
  std::map<EditGridItem, bool> menu;

  int headerFocused = 0;
  void FocusHeader() override { ++headerFocused; }
  void Beep() override { ++beeps; }
  void Message(const std::string &t, const std::string &title, InputMsgIcon icon) override {
    messages.push_back({t, title, icon});
  }
  void ShowEditorAt(int row, int col) override {
    editorVisible = true;
    editorRow = row;
    editorCol = col;
    grid.SetCol(col);
    grid.SetRow(row);
    text = grid.TextMatrix(row, col);
    SelectAllEditorText();
  }
  void HideEditor() override { editorVisible = false; }
  std::string EditorText() const override { return text; }
  void SetEditorText(const std::string &t) override {
    text = t;
    selStart = static_cast<int>(t.size());
    selLength = 0;
  }
  int EditorSelStart() const override { return selStart; }
  void SelectAllEditorText() override {
    selStart = 0;
    selLength = static_cast<int>(text.size());
  }
  bool SymmetricTicked() const override { return symmetric; }
  void SetNodeCountBox(int n, bool show) override {
    nodeBox = n;
    if (show) nodeBoxShown = true;
  }
  void HideSizeHint() override { hintHidden = true; }
  void SetMenuEnabled(EditGridItem item, bool on) override { menu[item] = on; }

  // Builds the grid for the current model class and sizes and puts the editor on (row, col).
  void Build(int row = 1, int col = 1) {
    g.GridReadyFlag = 0;
    BuildInputGrid(grid);
    PlaceCellEditor(*this, static_cast<int16>(row), static_cast<int16>(col));
  }

  // Types characters as a text box would: key press (which may drop or change the
  // character), the text change, then key up.
  void Type(const std::string &chars) {
    for (char ch : chars) {
      int16 key = static_cast<int16>(ch);
      EditorKeyPress(*this, grid, key);
      if (key == 8) {
        if (selLength > 0) {
          text.erase(selStart, selLength);
        } else if (selStart > 0) {
          text.erase(selStart - 1, 1);
          --selStart;
        }
        selLength = 0;
      } else if (key != 0) {
        text.replace(selStart, selLength, 1, static_cast<char>(key));
        ++selStart;
        selLength = 0;
      }
      EditorKeyUp(*this, grid);
    }
  }
  // A navigation key: key down, the key press a text box delivers for Enter, Tab and Esc,
  // key up.
  void Press(int16 keyCode, bool shift = false) {
    EditorKeyDown(*this, grid, keyCode, shift);
    if (keyCode == kKeyEnter || keyCode == kKeyTab || keyCode == kKeyEsc) {
      int16 key = keyCode;
      EditorKeyPress(*this, grid, key);
    }
    EditorKeyUp(*this, grid);
  }
  void Click(int row, int col) { GridClick(*this, grid, static_cast<int16>(row), static_cast<int16>(col)); }
  void DblClick(int row, int col) {
    Click(row, col);
    GridDblClick(*this, grid, static_cast<int16>(row), static_cast<int16>(col));
  }
  std::string Cell(int row, int col) const { return grid.TextMatrix(row, col); }
  void At(int row, int col) { PlaceCellEditor(*this, static_cast<int16>(row), static_cast<int16>(col)); }
  // Places the editor on (row, col), types the keys and returns what the cell then holds.
  std::string Put(int row, int col, const std::string &keys) {
    At(row, col);
    Type(keys);
    return Cell(row, col);
  }
  std::pair<int, int> At() const { return {editorRow, editorCol}; }
  std::string LastMessage() const { return messages.empty() ? "" : messages.back().text; }
};

// A clean program state with the start-up defaults and the given model class.
void ResetProgram(int modelClass);

} // namespace quon::test
