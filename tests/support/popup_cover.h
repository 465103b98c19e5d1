// Where a popup menu lies on its screen, probed as the user would meet it.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <cctype>
#include <map>
#include <string>
#include <vector>

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

// The letter after a single "&" (lower case), or 0 when the caption has none.
inline char AccessKeyOf(const std::string &caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    ++i;
  }
  return 0;
}

// The items below `menu` that the keyboard cannot choose by a letter: shown items without an
// access key and shown siblings sharing one, named by their path. A top-level item that is not
// shown is a popup's root: only what it holds is looked at. A heading (a lone item that does
// nothing) is not chosen by anyone.
inline void AccessKeyFaults(const MenuItem &menu, const std::string &path, std::vector<std::string> &faults) {
  std::map<char, std::string> taken;
  for (const MenuItem *item : menu.Items()) {
    if (!item->Visible() && menu.Parent()) continue;
    const std::string at = path + " > " + MenuItem::ShownText(item->Caption());
    if (item->Visible() && !item->IsSeparator() && (item->Click || !item->Items().empty())) {
      const char key = AccessKeyOf(item->Caption());
      if (!key)
        faults.push_back(at + ": no access key");
      else if (!taken.emplace(key, at).second)
        faults.push_back(at + ": same access key as " + taken[key]);
    }
    AccessKeyFaults(*item, at, faults);
  }
}

} // namespace quon::testing
