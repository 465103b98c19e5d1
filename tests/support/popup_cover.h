// Where a popup menu lies on its screen, probed as the user would meet it.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <string>

#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/ui/qt_support.h"

namespace quon::testing {

// What a popup of `menu` opened at `place` would lie over: the first control found under it
// (probed every few pixels; labels, frames and the screen itself do not count), or an empty
// text when it lies clear of them and inside the screen.
inline std::string CoveredBy(Form &form, MenuItem &menu, const PopupPlace &place) {
  QMenu probe;
  FillQMenu(&probe, menu, false);
  const QSize size = probe.sizeHint();
  QWidget *client = form.ClientWidget();
  const int left = ToPixels(place.x) - (place.centreX ? size.width() / 2 : 0);
  const int top = ToPixels(place.y);
  if (left < 0 || top < 0 || left + size.width() > client->width() || top + size.height() > client->height())
    return "the screen's edge";
  for (int y = top; y < top + size.height(); y += 3)
    for (int x = left; x < left + size.width(); x += 3) {
      QWidget *w = client->childAt(x, y);
      if (w && !qobject_cast<QLabel *>(w) && !qobject_cast<QGroupBox *>(w)) return w->metaObject()->className();
    }
  return "";
}

} // namespace quon::testing
