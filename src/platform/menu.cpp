#include "platform/menu.h"

#include <algorithm>
#include <cctype>

namespace quon {

MenuItem::MenuItem(MenuItem &parent, std::string name, std::string caption, char ctrlShortcut)
    : name_(std::move(name)), caption_(std::move(caption)),
      shortcut_(static_cast<char>(std::toupper(static_cast<unsigned char>(ctrlShortcut)))), parent_(&parent) {
  parent.items_.push_back(this);
  parent.Changed();
}

MenuItem::~MenuItem() {
  if (parent_) {
    auto &v = parent_->items_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  for (MenuItem *child : items_)
    child->parent_ = nullptr;
}

void MenuItem::SetCaption(const std::string &caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}
void MenuItem::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Changed();
}
void MenuItem::SetVisible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  Changed();
}
void MenuItem::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  Changed();
}

void MenuItem::PerformClick() {
  if (Click) Click();
}

std::string MenuItem::ShownText(const std::string &caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

MenuItem *MenuItem::FindShortcut(char letter, bool disabledToo) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  if (!visible_ || (!enabled_ && !disabledToo)) return nullptr;
  if (items_.empty()) return shortcut_ != 0 && shortcut_ == letter ? this : nullptr;
  for (MenuItem *child : items_)
    if (MenuItem *hit = child->FindShortcut(letter, disabledToo)) return hit;
  return nullptr;
}

MenuItem *MenuItem::Find(const std::string &name) {
  if (name_ == name) return this;
  for (MenuItem *child : items_)
    if (MenuItem *hit = child->Find(name)) return hit;
  return nullptr;
}

void MenuItem::Changed() {
  for (MenuItem *m = this; m; m = m->parent_)
    if (m->observer_) {
      m->observer_();
      return;
    }
}

} // namespace quon
