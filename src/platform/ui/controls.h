// The controls of a form, placed and sized in twips inside their container (the form's client
// area or a frame). Declare them as members of the screen, naming the container:
//   Frame Frame1{*this, "Frame1"};
//   Button cmdDone{Frame1, "cmdDone"};
// and attach handlers: cmdDone.Click = [this] { cmdDone_Click(); };
// Events are std::function members named as the platform names them (Click, DblClick, KeyDown,
// KeyPress, KeyUp, Paint, Resize). Properties are Get/Set pairs. The Perform*/Type/PressKey
// members act as the user does, for tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/forms.h"

class QKeyEvent;
class QWidget;

namespace quon {

class Control {
public:
  Control(Container &parent, std::string name);
  virtual ~Control();
  Control(const Control &) = delete;
  Control &operator=(const Control &) = delete;

  const std::string &Name() const { return name_; }
  Container &Parent() const { return parent_; }
  Form &OwnerForm() const { return parent_.OwnerForm(); }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int twips) { Move(twips, top_, width_, height_); }
  void SetTop(int twips) { Move(left_, twips, width_, height_); }
  virtual void SetWidth(int twips) { Move(left_, top_, twips, height_); }
  virtual void SetHeight(int twips) { Move(left_, top_, width_, twips); }
  virtual void Move(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);

  // Stacking among the controls of its container: 0 brings it in front of them, 1 sends it
  // behind them. Controls declared later lie in front of earlier ones.
  void ZOrder(int position = 0);

  // Gives the control the keyboard focus (it takes it when its window is active).
  void SetFocus();
  bool HasFocus() const;

  const std::string &FontName() const { return fontName_; }
  double FontSize() const { return fontSize_; }
  bool FontBold() const { return fontBold_; }
  void SetFontName(const std::string &name);
  void SetFontSize(double points);
  void SetFontBold(bool on);

  Rgb BackColor() const { return backColor_; }
  Rgb ForeColor() const { return foreColor_; }
  void SetBackColor(Rgb c);
  void SetForeColor(Rgb c);

  QWidget *Widget() const { return widget_; }

protected:
  // Derived constructors create their widget (parented to Parent().ClientWidget()) and attach it.
  void Attach(QWidget *widget);
  void ApplyFont();
  void ApplyColors();
  virtual void Resized() {}

  std::string name_;
  Container &parent_;
  QWidget *widget_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 1215, height_ = 375;
  bool visible_ = true;
  bool enabled_ = true;
  std::string fontName_ = "MS Sans Serif";
  double fontSize_ = 8.25;
  bool fontBold_ = false;
  Rgb backColor_ = 0xF0F0F0;
  Rgb foreColor_ = 0x000000;
  bool colorsSet_ = false;
};

class Button : public Control {
public:
  Button(Container &parent, std::string name);
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  std::function<void()> Click;
  // As the user's click: only an enabled, visible button reacts.
  void PerformClick();
  // The screen's default button: Return in a text box that leaves its keys to the screen
  // presses it. Return or Space on a button with the focus presses that button.
  void SetDefault(bool on) { default_ = on; }
  bool IsDefault() const { return default_; }
  // Alt and this letter press the button wherever the focus is on its screen; the caption
  // underlines the letter's first occurrence. 0: none.
  void SetAccessKey(char letter);
  char AccessKey() const { return accessKey_; }

private:
  void ShowCaption();
  std::string caption_;
  bool default_ = false;
  char accessKey_ = 0;
};

// The enabled, visible default button among a container's controls, frames included.
Button *DefaultButtonIn(const Container &c);
// Presses the enabled, visible button whose access key `e` is (Alt and a letter or digit).
bool PressAccessKey(const Container &c, const QKeyEvent &e);

class Label : public Control {
public:
  Label(Container &parent, std::string name);
  // "&&" shows as "&"; a single "&" is not shown.
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  // 0 left, 1 right, 2 centre.
  void SetAlignment(int alignment);
  void SetTransparent(bool on);
  // Paints the label at once: a long handler shows its progress without running the event loop.
  void Refresh();
  std::function<void()> Click;
  std::function<void()> DblClick;
  void PerformClick();
  // A label that acts when clicked can be made a stop of the Tab order: it then shows the
  // focus, and Space or Return clicks it.
  void SetTakesFocus(bool on);

private:
  std::string caption_;
};

class Frame : public Control, public Container {
public:
  Frame(Container &parent, std::string name);
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  QWidget *ClientWidget() override { return widget_; }
  Form &OwnerForm() override { return Control::OwnerForm(); }

private:
  std::string caption_;
};

// Key codes of the key events (the platform's codes: letters and digits as their characters).
namespace key {
inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Escape = 27, Space = 32;
inline constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
                     Down = 40;
inline constexpr int Insert = 45, Delete = 46, F1 = 112;
// Shift states.
inline constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;
} // namespace key

class TextBox : public Control {
public:
  TextBox(Container &parent, std::string name);
  std::string Text() const;
  void SetText(const std::string &text);
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  // 0 left, 1 right, 2 centre.
  void SetAlignment(int alignment);

  // KeyDown and KeyUp get the key code and shift state; KeyPress gets the character code and
  // may change it, or drop the character by setting it to 0. In a box with a KeyDown or
  // KeyPress handler Tab and Enter reach these events and never move the focus by themselves;
  // a box without either handler leaves them to the screen: Tab moves to the next control and
  // Return presses the screen's default button.
  std::function<void(int &keyCode, int shift)> KeyDown;
  std::function<void(int &keyAscii)> KeyPress;
  std::function<void(int &keyCode, int shift)> KeyUp;
  std::function<void()> Change;
  std::function<void()> Click;
  std::function<void()> DblClick;
  // Text that reaches the box without passing KeyPress (pasted, dropped): the handler gets
  // the box's text as the paste made it and returns false to refuse it, which puts back the
  // text from before. Without a handler every paste is taken.
  std::function<bool(const std::string &text)> Pasted;

  // As the user types: every character of `text` as key down, press and up.
  void Type(const std::string &text);
  // One key as the user presses it (key code, shift state; `ascii` for keys with a character).
  void PressKey(int keyCode, int shift = 0);
  // As the user pastes `text` with Ctrl+V over the selection (through the system clipboard).
  void Paste(const std::string &text);
  void PerformClick();
  void PerformDblClick();

private:
  friend class TextBoxWidget;
};

// A text box for a message to read rather than type: several lines, wrapped at the box's
// width, a vertical scroll bar only when the text is taller than the box; the user can select
// and copy the text but not change it.
class ReadOnlyTextBox : public Control {
public:
  ReadOnlyTextBox(Container &parent, std::string name);
  const std::string &Text() const { return text_; }
  void SetText(const std::string &text);

private:
  std::string text_;
};

class OptionButton : public Control {
public:
  OptionButton(Container &parent, std::string name);
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  bool Value() const;
  // Selecting one deselects the others in the same container and raises Click.
  void SetValue(bool on);
  std::function<void()> Click;
  void PerformClick();

private:
  std::string caption_;
  bool inCode_ = false;
};

class CheckBox : public Control {
public:
  CheckBox(Container &parent, std::string name);
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  // 0 unticked, 1 ticked; a change raises Click.
  int Value() const;
  void SetValue(int value);
  std::function<void()> Click;
  void PerformClick();

private:
  std::string caption_;
  bool inCode_ = false;
};

// Combo box and list box share the item list: AddItem, RemoveItem, Clear, ListCount, List,
// ListIndex (setting it from code raises Click exactly as the user's choice does; -1 none).
class ListControl : public Control {
public:
  using Control::Control;
  void AddItem(const std::string &item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string &List(int index) const;
  int ListIndex() const { return index_; }
  void SetListIndex(int index);
  std::function<void()> Click;
  // The user picks item `index`.
  void PerformChoose(int index) { SetListIndex(index); }

protected:
  virtual void SyncItems() = 0;
  // Puts one item added to items_ at `index` into the widget (rebuilding the whole list for
  // every item would make a long list take minutes to fill).
  virtual void SyncInsert(int index) = 0;
  virtual void SyncIndex() = 0;
  std::vector<std::string> items_;
  int index_ = -1;
};

class ComboBox : public ListControl {
public:
  ComboBox(Container &parent, std::string name);
  // The chosen item's text, or the text set when no item is chosen.
  std::string Text() const;
  void SetText(const std::string &text);
  // Twips wide enough to show the widest item (and the text set) whole beside the drop-down
  // button, in the box's font.
  int WidthForItems() const;

private:
  void SyncItems() override;
  void SyncInsert(int index) override;
  void SyncIndex() override;
  std::string text_;
};

class ListBox : public ListControl {
public:
  ListBox(Container &parent, std::string name);
  std::string Text() const { return index_ >= 0 ? items_[static_cast<std::size_t>(index_)] : std::string(); }
  std::function<void()> DblClick;

private:
  void SyncItems() override;
  void SyncInsert(int index) override;
  void SyncIndex() override;
};

// A drawing area with retained drawing (it is a Surface: scale, lines, points, text, Clear).
// Resize is raised when its size changes, Paint after it is shown or resized and at Refresh.
class PictureBox : public Control, public SurfaceForwarder {
public:
  PictureBox(Container &parent, std::string name);
  ~PictureBox() override;
  std::function<void()> Paint;
  std::function<void()> Resize;
  std::function<void()> Click;
  // Mouse button (1 left, 2 right), shift state and position in the current scale.
  std::function<void(int button, int shift, double x, double y)> MouseDown;
  void Refresh();
  // Shows the drawing as it is now, without running any event (for animations that wait).
  void PaintNow();
  // Size of the drawing area in the current scale, and in twips.
  double ScaleWidth() const;
  double ScaleHeight() const;
  void PerformClick();
  RetainedSurface &Drawing() const { return *canvas_; }

  // Surface's user scale, remembered so that ScaleWidth and mouse positions follow it.
  void ScaleSet(double left, double top, double width, double height) override;
  void ScaleReset() override;

private:
  friend class PictureWidget;
  Surface &Target() const override;
  void Resized() override;
  void SchedulePaint();
  std::unique_ptr<RetainedSurface> canvas_;
  bool paintPending_ = false;
  bool scaled_ = false;
  double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
};

} // namespace quon
