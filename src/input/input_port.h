// What the input-grid procedures need of the input screen besides the grid's cells: the
// floating cell editor, beeps and messages, the node-count box and the EditGrid menu. The
// screen implements it over its controls; tests implement it over plain fields.
#pragma once

#include <string>

namespace quon {

enum class InputMsgIcon { Critical, Information };

enum class EditGridItem { Copy, Paste, Delete, Insert, Undo, Save, SaveAs };

class InputPort {
public:
  virtual ~InputPort() = default;

  virtual void Beep() = 0;
  // A message box with OK only.
  virtual void Message(const std::string &text, const std::string &title, InputMsgIcon icon) = 0;

  // Makes (row, col) the grid's current cell and lays the editor over it, shown and focused,
  // holding the cell's text with all of it selected.
  virtual void ShowEditorAt(int row, int col) = 0;
  virtual void HideEditor() = 0;
  virtual std::string EditorText() const = 0;
  virtual void SetEditorText(const std::string &text) = 0;
  // Caret position (start of the selection) in the editor.
  virtual int EditorSelStart() const = 0;
  virtual void SelectAllEditorText() = 0;

  // The tick of "Check here if network is symmetrical".
  virtual bool SymmetricTicked() const = 0;
  // The first size box of a project ("Max. Node Nbr."): its text, and whether it and its
  // label are to be shown.
  virtual void SetNodeCountBox(int nodeCount, bool show) = 0;
  // The hint under the size boxes.
  virtual void HideSizeHint() = 0;
  // The keys that lead back from the grid's first cell: the focus goes to the header's last
  // box in view (a size box, or the title), its text selected.
  virtual void FocusHeader() = 0;

  virtual void SetMenuEnabled(EditGridItem item, bool enabled) = 0;
};

} // namespace quon
