// What the screen tests of the solve and output road use besides the screen-test fixture: a
// matrix problem as the input screen hands it over, and the texts drawn on a form.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "shell/screen_frame.h"
#include "shell/mod1.h"
#include "support/screen_test.h"

namespace quon::testing {

// Matrix inversion (class 1) or equations (class 2, right-hand sides as the last column) as
// "SOLVE Menu" leaves them: the rows in Tab and InvInput.
inline void MatrixInput(int modelClass, const std::vector<std::vector<double>> &rows) {
  g.ModelClass = static_cast<int16>(modelClass);
  const int n = static_cast<int>(rows.size());
  g.MRows = static_cast<int16>(n);
  g.NVars = g.MRows;
  ReDimProblemArrays(ArrayKind::Common);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= static_cast<int>(rows[i - 1].size()); ++j) {
      g.Tab(i, j) = rows[i - 1][j - 1];
      g.InvInput(i, j) = rows[i - 1][j - 1];
    }
}

// The texts drawn on a form since its last Clear, in order.
inline std::vector<std::string> DrawnTexts(const Form &form) {
  std::vector<std::string> out;
  for (const DrawOp &op : form.DrawnOps())
    if (op.kind == DrawKind::Text) out.push_back(op.text);
  return out;
}

inline bool Drawn(const Form &form, const std::string &text) {
  for (const std::string &t : DrawnTexts(form))
    if (t == text) return true;
  return false;
}

// Whether the screen's white frame is among what the form has drawn since its last Clear.
inline bool FrameDrawn(const Form &form) {
  for (const DrawOp &op : form.DrawnOps())
    if (op.kind == DrawKind::Box && op.color == kWhite && op.width == 18) return true;
  return false;
}

// The shown controls of a form, but those in `skip`, that reach onto the white frame's line.
inline std::vector<std::string> ControlsOnTheFrame(const Form &f, std::initializer_list<const Control *> skip = {}) {
  const double w = ScreenWidth(), h = ScreenHeight();
  const FrameInside in = ScreenFrameInside(w, h);
  const double line = in.left - 0.015 * w; // half the line's width
  std::vector<std::string> out;
  for (const Control *c : f.Children()) {
    if (!c->Visible() || std::find(skip.begin(), skip.end(), c) != skip.end()) continue;
    const double l = c->Left(), t = c->Top(), r = l + c->Width(), b = t + c->Height();
    const bool inside = l >= in.left && t >= in.top && r <= in.right && b <= in.bottom;
    const bool apart = r <= in.left - 2 * line || l >= in.right + 2 * line || b <= in.top - 2 * line ||
                       t >= in.bottom + 2 * line;
    if (!inside && !apart) out.push_back(c->Name());
  }
  return out;
}

// The shown controls of a form that cover a text the form has drawn, each with the text.
inline std::vector<std::string> ControlsOverDrawnTexts(const Form &f) {
  std::vector<std::string> out;
  for (const Control *c : f.Children()) {
    if (!c->Visible()) continue;
    const double l = c->Left(), t = c->Top(), r = l + c->Width(), b = t + c->Height();
    for (const DrawOp &op : f.DrawnOps())
      if (op.kind == DrawKind::Text && l < op.x2 && op.x1 < r && t < op.y2 && op.y1 < b)
        out.push_back(c->Name() + " over \"" + op.text + "\"");
  }
  return out;
}

} // namespace quon::testing
