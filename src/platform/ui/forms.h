// Forms: the screens of the program. A screen is a class derived from Form, with its controls
// and menus as members (placed in twips) and its handlers as overrides or std::function:
//
//   class Scr4 : public Form {
//   public:
//     Scr4() : Form("scr4") {
//       cmdDone.Move(840, 3360, 1935, 375);
//       cmdDone.SetCaption("Go To Output Screen");
//       cmdDone.Click = [this] { cmdDone_Click(); };
//     }
//     Button cmdDone{*this, "cmdDone"};
//     void Form_Load() override;      // also Form_Activate, Form_Paint, Form_Resize,
//     void Form_Paint() override;     // Form_Unload, Form_Click
//   };
//   inline Scr4 &scr4() { return FormInstance<Scr4>(); }
//
// FormInstance creates the one program-wide instance on first use and loads it (Form_Load
// runs); after Unload the next use creates and loads a fresh one, as the design state. Do not
// call a screen's own accessor from its constructor.
//
// Show: loads if needed, shows the form modeless as one top-level window the size of the
// logical screen, and raises Form_Resize (first showing) and Form_Activate at once; Form_Paint
// follows when the event loop runs (or at DoEvents), after the handler that showed it. What a
// handler draws on the form (the form is a Surface) stays until Clear.
// Unload(form) runs Form_Unload, takes the form out of the loaded forms and hides it; it is
// safe inside any handler: a form unloaded while a handler runs is freed only after the
// outermost handler has returned (see HandlerScope). When the last loaded form unloads the
// program ends.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/menu.h"
#include "platform/surface.h"
#include "platform/surface_core.h"
#include "platform/user_services.h"

class QPoint;
class QRect;
class QSize;
class QWidget;

namespace quon {

class Control;
class RetainedSurface;
class Form;

// Something that holds controls: a form or a frame.
class Container {
public:
  virtual ~Container() = default;
  virtual QWidget *ClientWidget() = 0;
  virtual Form &OwnerForm() = 0;
  const std::vector<Control *> &Children() const { return children_; }

private:
  friend class Control;
  std::vector<Control *> children_;
};

// Forwards the Surface calls to a retained canvas (forms and picture boxes).
class SurfaceForwarder : public Surface {
public:
  double CurrentX() const override { return Target().CurrentX(); }
  double CurrentY() const override { return Target().CurrentY(); }
  void SetCurrentX(double x) override { Target().SetCurrentX(x); }
  void SetCurrentY(double y) override { Target().SetCurrentY(y); }
  void SetFontName(const std::string &name) override { Target().SetFontName(name); }
  std::string FontName() const override { return Target().FontName(); }
  void SetFontSize(double points) override { Target().SetFontSize(points); }
  double FontSize() const override { return Target().FontSize(); }
  void SetFontBold(bool on) override { Target().SetFontBold(on); }
  bool FontBold() const override { return Target().FontBold(); }
  void SetFontUnderline(bool on) override { Target().SetFontUnderline(on); }
  bool FontUnderline() const override { return Target().FontUnderline(); }
  void SetForeColor(Rgb c) override { Target().SetForeColor(c); }
  Rgb ForeColor() const override { return Target().ForeColor(); }
  void SetDrawWidth(int pixels) override { Target().SetDrawWidth(pixels); }
  int DrawWidth() const override { return Target().DrawWidth(); }
  void Print(const std::string &text, bool newline = true) override { Target().Print(text, newline); }
  void Line(double x1, double y1, double x2, double y2, Rgb color) override {
    Target().Line(x1, y1, x2, y2, color);
  }
  void Box(double x1, double y1, double x2, double y2, Rgb color) override {
    Target().Box(x1, y1, x2, y2, color);
  }
  void FilledBox(double x1, double y1, double x2, double y2, Rgb color) override {
    Target().FilledBox(x1, y1, x2, y2, color);
  }
  void Point(double x, double y, Rgb color) override { Target().Point(x, y, color); }
  void Clear() override { Target().Clear(); }
  double TextWidth(const std::string &text) const override { return Target().TextWidth(text); }
  double TextHeight(const std::string &text) const override { return Target().TextHeight(text); }
  void ScaleSet(double left, double top, double width, double height) override {
    Target().ScaleSet(left, top, width, height);
  }
  void ScaleReset() override { Target().ScaleReset(); }
  double ScaleWidthTwips() const override { return Target().ScaleWidthTwips(); }
  double ScaleHeightTwips() const override { return Target().ScaleHeightTwips(); }

protected:
  virtual Surface &Target() const = 0;
};

class FormWindow;

class Form : public Container, public SurfaceForwarder {
public:
  explicit Form(std::string name);
  ~Form() override;
  Form(const Form &) = delete;
  Form &operator=(const Form &) = delete;

  const std::string &Name() const { return name_; }

  // Events, in the platform's order: Load (at first use), Resize and Activate (at Show),
  // Paint (after the showing handler returns, after a resize, and at Refresh); Unload.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Paint() {}
  virtual void Form_Resize() {}
  virtual void Form_Unload() {}
  virtual void Form_Click() {}
  // The window manager's close (title-bar button, Alt+F4). By default the form unloads; a
  // screen with an exit button goes that button's way instead, questions included.
  virtual void Form_CloseRequest();

  void Show();
  // Takes the form off the screen; it stays loaded.
  void Hide();
  bool Loaded() const { return loaded_; }
  bool Shown() const;
  // Raises Form_Paint now.
  void Refresh();

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  Rgb BackColor() const { return backColor_; }
  void SetBackColor(Rgb c);
  // The form's size in twips (the logical screen) and its client area below the menu bar.
  int Width() const;
  int Height() const;
  int ScaleWidth() const;
  int ScaleHeight() const;

  // The menu bar's root: declare the menus as MenuItems under it (platform/menu.h).
  MenuItem &MenuBar() { return menuBar_; }
  // Pops up the visible items below `menu` at (x, y) twips of the client area (centred
  // horizontally on x when asked) and waits; a chosen item's Click runs before this returns.
  // A menu that would lie over a control of the screen (or reach past the screen's edge)
  // opens at the nearest place clear of them instead: the user's next click, aimed at a
  // button, must not land on an item that leaves the screen or ends the program.
  void PopupMenu(MenuItem &menu, double x, double y, bool centreX = false);
  // The same from a click handler: at the point clicked when a click on the screen (or on a
  // label that passes its clicks on) raised it, otherwise at (x, y).
  void PopupMenuAtClick(MenuItem &menu, double x, double y, bool centreX = false);
  // Where the menu would open for (x, y): the place asked for when it is clear, else the
  // nearest clear top-left corner (twips of the client area).
  PopupPlace ClearPlaceFor(MenuItem &menu, const PopupPlace &asked);

  // Where a cascading submenu of `size` pixels opens beside its parent menu (both on the
  // desktop) clear of the screen's controls: on the side and at the height nearest to `want`.
  // `want` itself when no such place exists.
  QPoint ClearSubmenuPlace(const QRect &parentMenu, const QSize &size, const QPoint &want);

  // The point of the click being handled (twips of the client area); none when the handler
  // was not raised by a click of the mouse.
  struct ClickPoint {
    double x = 0;
    double y = 0;
  };
  std::optional<ClickPoint> CurrentClick() const { return click_; }
  // Marks the click being handled by the handler that runs meanwhile.
  void HandleClickAt(std::optional<ClickPoint> at, const std::function<void()> &handler);

  // Tab goes from the screen to these controls first, in this order; the others follow in
  // the order they were declared.
  void SetTabOrder(const std::vector<Control *> &order);
  // True while the screen itself holds the focus (no control has it).
  bool FocusOnScreen() const;
  bool HasTabOrder() const { return !tabOrder_.empty(); }
  // Tab (next) or Shift+Tab from the control with the focus, in the Tab order; false when no
  // control can take it.
  bool MoveFocus(bool next);

  // The control that has (or will have, when the window is activated) the keyboard focus.
  Control *ActiveControl() const { return focus_; }
  // Controls report here when they take the focus.
  void NoteFocus(Control *c) { focus_ = c; }

  // A click on the form itself, as the user's: at a point (twips of the client area), or
  // without one.
  void PerformClick() { Form_Click(); }
  void PerformClick(double x, double y) { HandleClickAt(ClickPoint{x, y}, [this] { Form_Click(); }); }
  // What has been drawn on the form since the last Clear, in twips (tests read the texts).
  const std::vector<DrawOp> &DrawnOps() const;

  QWidget *ClientWidget() override;
  Form &OwnerForm() override { return *this; }
  FormWindow *Window() const { return window_; }

  // Puts the form among the loaded forms and runs Form_Load (FormInstance calls it).
  void Load();

private:
  friend class Forms;
  friend class FormWindow;
  friend void Unload(Form &form);
  Surface &Target() const override;
  void RaisePaint();
  void SchedulePaint();

  std::string name_;
  std::string caption_;
  Rgb backColor_ = 0x8080C0;
  bool loaded_ = false;
  bool everShown_ = false;
  bool paintPending_ = false;
  MenuItem menuBar_;
  FormWindow *window_ = nullptr;
  std::unique_ptr<RetainedSurface> canvas_;
  Control *focus_ = nullptr;
  std::optional<ClickPoint> click_;
  std::vector<Control *> tabOrder_;
  std::vector<QWidget *> TabSequence() const;
  bool TakesTab(QWidget *w) const;
};

void Unload(Form &form);

// Marks a handler running. Every event the application delivers runs inside one (Application),
// and so does every handler the platform raises itself (clicks, popup choices, load, show,
// unload, the Perform* members). A form unloaded meanwhile stays in memory until the outermost
// scope closes and control is back in the event loop: a modal dialog or message box that a
// handler opens after an unload runs an event loop of its own, which must not free the screen
// (or the control) whose handler is still on the stack.
class HandlerScope {
public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope &) = delete;
  HandlerScope &operator=(const HandlerScope &) = delete;
};

// The loaded forms and the instances of the screens.
class Forms {
public:
  // Loaded forms, oldest first.
  static const std::vector<Form *> &Loaded();
  // Unloads the oldest loaded form while more than one is loaded.
  static void UnloadAllButLast();
  static Form *Active();

  // Ends the program when the last form unloads: by default quits the application's event
  // loop. Run() shows nothing itself: it runs the event loop unless the program already ended.
  static void SetProgramEndHandler(std::function<void()> handler);
  static bool ProgramEnded();
  static int Run();
  // The program's exit status: 0 unless a screen ends it as a failure (a refused start).
  static void SetExitStatus(int status);
  static int ExitStatus();

  // Delivers what waits in the event queue: deferred paints, events, deferred deletions.
  static void DoEvents();
  // For tests: drops every form at once (no events) and clears the ended flag.
  static void Clear();

  static Form *Find(std::type_index type);
  static void Adopt(std::type_index type, std::unique_ptr<Form> form);

private:
  friend class Form;
  friend class FormWindow;
  friend void Unload(Form &form);
  static void Loading(Form &form);
  static void Unloading(Form &form);
  static void SetActive(Form *form);
};

template <class T> T &FormInstance() {
  if (Form *f = Forms::Find(typeid(T))) return static_cast<T &>(*f);
  auto made = std::make_unique<T>();
  T &ref = *made;
  Forms::Adopt(typeid(T), std::move(made));
  ref.Load();
  return ref;
}

template <class T> bool IsLoaded() {
  Form *f = Forms::Find(typeid(T));
  return f && f->Loaded();
}

// Unloads the screen if it is loaded; a no-op otherwise (it does not create it).
template <class T> void UnloadForm() {
  if (Form *f = Forms::Find(typeid(T))) Unload(*f);
}

} // namespace quon
