#include <algorithm>

#include "input/cell_editor.h"
#include "input/input_grid.h"
#include "platform/values.h"
#include "project/project_input.h"

namespace quon {

namespace {

// Node numbers index the project arrays; the editor and the check at SOLVE Menu refuse the
// same numbers.
constexpr int16 kMaxNodeNumber = kMaxProjectNode;

int16 ToInt16(double v) {
  v = std::clamp(v, -32768.0, 32767.0);
  return CInt(v).value_or(0);
}

int16 NodeIn(const GridStore &grid, int r, int c, int16 emptyValue) {
  const std::string text = grid.TextMatrix(r, c);
  if (text.empty()) return emptyValue;
  return ToInt16(Val(text));
}

void NodeError(InputPort &ui, const char *text, const char *title) {
  ui.Message(text, title, InputMsgIcon::Critical);
}

} // namespace

int16 LargestProjectNode(const GridStore &grid) {
  double largest = 0;
  for (int r = 1; r < grid.Rows(); ++r)
    for (int c = 1; c <= 2 && c < grid.Cols(); ++c) {
      // A number past the limit is refused by the row check and names no node.
      const double v = Val(grid.TextMatrix(r, c));
      if (v <= kMaxNodeNumber) largest = std::max(largest, v);
    }
  return ToInt16(largest);
}

int16 ValidateProjectNodes(InputPort &ui, GridStore &grid, int16 key) {
  const int16 r = g.CurRow;
  if (key == kNavDown) {
    int label = r;
    if (r == grid.Rows() - 1) {
      grid.SetRows(grid.Rows() + 1);
      label = r + 1;
    }
    if (grid.TextMatrix(label, 0).empty()) grid.SetTextMatrix(label, 0, Trim(Str(label)));
  }
  int16 from = NodeIn(grid, r, 1, -1);
  int16 to = NodeIn(grid, r, 2, -1);
  for (;;) {
    if (from > kMaxNodeNumber || to > kMaxNodeNumber) {
      NodeError(ui, "Node numbers cannot exceed 1000", "Node Numbering Error");
      PlaceCellEditor(ui, r, from > kMaxNodeNumber ? 1 : 2);
      return 1;
    }
    if (from > g.NodeCount || to > g.NodeCount) {
      g.NodeCount = std::max(from, to);
      ui.SetNodeCountBox(g.NodeCount, true);
    }
    if (from == 0 || to == 0) {
      NodeError(ui, "Node number must be >=1", "Node Numbering Error");
      if (from == 0) PlaceCellEditor(ui, r, 1);
      if (to == 0) PlaceCellEditor(ui, r, 2);
      return 1;
    }
    if (from == to) {
      ui.Beep();
      NodeError(ui, "FROM and TO nodes must be assigned distinct numbers", "Nodes Numbering Error");
      // Only a node cell takes the node number back; a symbol or duration keeps what was typed.
      if (g.CurCol == 1 || g.CurCol == 2)
        grid.SetTextMatrix(r, g.CurCol, from >= 0 ? Trim(Str(from)) : std::string());
      PlaceCellEditor(ui, r, 2);
      return 1;
    }
    bool restart = false, duplicate = false;
    const int last = key == kNavDown ? r : r - 1;
    for (int i = 1; i <= last; ++i) {
      if (key == kNavDown) {
        const int lastDuration = g.ProjMethod == 2 ? 6 : 4;
        for (int c = 4; c <= lastDuration && c < grid.Cols(); ++c)
          if (grid.TextMatrix(i, c).empty()) grid.SetTextMatrix(i, c, ZeroText());
        if (i == r) break;
      }
      const int16 a = NodeIn(grid, i, 1, 0), b = NodeIn(grid, i, 2, 0);
      if (a == 0 || b == 0) {
        from = a;
        to = b;
        restart = true;
        break;
      }
      if (a == from && b == to) {
        duplicate = true;
        break;
      }
    }
    if (restart) continue;
    if (duplicate) {
      if (g.FinalIteration == 1 && key != kNavDown) {
        PlaceCellEditor(ui, r, 2);
        g.FinalIteration = 2;
        return 0;
      }
      NodeError(ui, "Nodes defining this activity have already been assigned to another", "Node Numbering Error");
      g.FinalIteration = 1;
      grid.SetTextMatrix(r, 3, "");
      PlaceCellEditor(ui, r, 1);
      return 1;
    }
    if (g.ProjMethod == 2 && r >= 2) {
      const double a = Val(grid.TextMatrix(r - 1, 4)), m = Val(grid.TextMatrix(r - 1, 5)),
                   b = Val(grid.TextMatrix(r - 1, 6));
      if (!(a <= m && m <= b)) {
        NodeError(ui, "Duration data in preceding row must satisfy a <= m <= b", "Duration Error");
        grid.SetTextMatrix(r, g.CurCol, "");
        PlaceCellEditor(ui, r - 1, 4);
        return 1;
      }
    }
    return 0;
  }
}

} // namespace quon
