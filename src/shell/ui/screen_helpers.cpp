#include "shell/ui/screen_helpers.h"

#include <algorithm>
#include <cmath>

#include "platform/screen.h"
#include "shell/screen_frame.h"

namespace quon {

void DrawScreenFrameAndTitle(Form &form) {
  DrawFrameAndTitle(form, ScreenWidth(), ScreenHeight());
}

void ClearToFrame(Form &form) {
  form.Clear();
  form.Refresh();
}

int32 OutputGridHeight(const Control &buttonFrame, const Control &outputGrid) {
  return static_cast<int32>(std::lround(buttonFrame.Top() - outputGrid.Top() - 0.9 * buttonFrame.Height()));
}

int32 BottomButtonFrameTop(const Control &buttonFrame) {
  const double h = ScreenHeight();
  const double lowest = std::floor(ScreenFrameInside(ScreenWidth(), h).bottom) - buttonFrame.Height();
  return static_cast<int32>(std::min(std::lround(0.85 * h), std::lround(lowest)));
}

int32 GridTopBelowHeading(Form &form, double factor, const Control &buttonFrame) {
  const double y = form.CurrentY();
  return static_cast<int32>(std::lround(std::max(factor * y, y + 1.05 * buttonFrame.Height())));
}

void ShowOutputTitle(Form &outputScreen, Label &titleLabel) {
  const int cls = g.ModelClass;
  const std::string title = cls >= 0 && cls < static_cast<int>(g.ModelTitle.size()) ? g.ModelTitle[cls] : "";
  const int width = 130 * static_cast<int>(title.size());
  const int height = static_cast<int>(std::lround(1.03 * outputScreen.TextHeight(title)));
  titleLabel.Move((ScreenWidth() - width) / 2, static_cast<int>(std::lround(0.0033 * ScreenHeight())), width,
                  height);
  titleLabel.SetCaption(title);
  titleLabel.SetVisible(true);
}

void UnloadAllForms() {
  Forms::UnloadAllButLast();
}

void SelectAllText(TextBox &ctl) {
  ctl.SetFocus();
  ctl.SetSelStart(0);
  ctl.SetSelLength(static_cast<int>(ctl.Text().size()));
}

void UnloadFormNamed(const std::string &name) {
  for (Form *f : Forms::Loaded())
    if (f->Name() == name) {
      Unload(*f);
      return;
    }
}

} // namespace quon
