// Menu items of menu bars and popup menus, as plain data with a click handler.
//
// Use: a form owns a root item (Form::MenuBar()); declare the menus as members of the screen,
// each naming its parent, in display order:
//   MenuItem fileMenu{MenuBar(), "fileMenu", "&File"};
//   MenuItem saveMenu{fileMenu, "saveMenu", "&Save", 'S'};   // Ctrl+S
//   MenuItem spc1Menu{fileMenu, "spc1Menu", "-"};             // a separator
// and set `saveMenu.Click = [this] { saveMenu_Click(); };`. "&" marks the access key and "&&"
// shows one ampersand. A top-level item that is not visible stays out of the menu bar but can
// still be popped up with Form::PopupMenu. Items never own each other; each must outlive the
// menus it is shown in (members of the same screen do).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quon {

class MenuItem {
public:
  // A root: the menu bar of a form, or a free-standing popup.
  MenuItem() = default;
  MenuItem(MenuItem &parent, std::string name, std::string caption, char ctrlShortcut = 0);
  ~MenuItem();
  MenuItem(const MenuItem &) = delete;
  MenuItem &operator=(const MenuItem &) = delete;

  const std::string &Name() const { return name_; }
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  // Ctrl plus this letter chooses the item (0: none); upper case is kept.
  char Shortcut() const { return shortcut_; }
  bool IsSeparator() const { return caption_ == "-"; }

  MenuItem *Parent() const { return parent_; }
  const std::vector<MenuItem *> &Items() const { return items_; }

  // Runs the click handler (if any) as a user's choice does.
  void PerformClick();
  std::function<void()> Click;

  // The caption as shown: access-key marks removed, "&&" as "&".
  static std::string ShownText(const std::string &caption);

  // Finds the enabled, visible leaf with this shortcut letter below this item; nullptr if none.
  // With `disabledToo`, also a visible leaf that is disabled (or below a disabled item).
  MenuItem *FindShortcut(char letter, bool disabledToo = false);
  // Finds an item by its name below this item (depth first); nullptr if none.
  MenuItem *Find(const std::string &name);

  // Called whenever this item or one below it changes (the Qt menus rebuild from it).
  void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
  void Changed();
  std::string name_;
  std::string caption_;
  char shortcut_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  MenuItem *parent_ = nullptr;
  std::vector<MenuItem *> items_;
  std::function<void()> observer_;
};

} // namespace quon
