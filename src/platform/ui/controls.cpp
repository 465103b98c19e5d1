#include "platform/ui/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QAbstractItemView>
#include <QTimer>
#include <cctype>

#include "platform/screen.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/retained_surface.h"

namespace quon {

namespace {

// Widgets that call back into their control; the control clears `owner` when it goes.
struct Owned {
  Control *owner = nullptr;
};

// Tells the form which control took the focus.
class FocusWatch : public QObject {
public:
  explicit FocusWatch(Control *c) : QObject(c->Widget()), c_(c) {}
  void Detach() { c_ = nullptr; }

protected:
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::FocusIn && c_) c_->OwnerForm().NoteFocus(c_);
    return false;
  }

private:
  Control *c_;
};

std::string Shown(const std::string &caption) {
  return MenuItem::ShownText(caption);
}

} // namespace

void RingFocus(QWidget &w, const QColor &back, int inset) {
  QPainter p(&w);
  const bool dark = back.lightness() < 128;
  const QRect ring = w.rect().adjusted(inset, inset, -1 - inset, -1 - inset);
  p.setPen(QPen(dark ? Qt::black : Qt::white, 1, Qt::SolidLine));
  p.drawRect(ring);
  p.setPen(QPen(dark ? Qt::white : Qt::black, 1, Qt::DotLine));
  p.drawRect(ring);
}

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(Container &parent, std::string name) : name_(std::move(name)), parent_(parent) {
  parent_.children_.push_back(this);
}

Control::~Control() {
  auto &v = parent_.children_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  if (OwnerForm().ActiveControl() == this) OwnerForm().NoteFocus(nullptr);
  if (widget_) {
    widget_->disconnect();
    if (auto *o = dynamic_cast<Owned *>(widget_)) o->owner = nullptr;
    for (QObject *child : widget_->children())
      if (auto *w = dynamic_cast<FocusWatch *>(child)) w->Detach();
  }
}

void Control::Attach(QWidget *widget) {
  widget_ = widget;
  if (auto *o = dynamic_cast<Owned *>(widget_)) o->owner = this;
  widget_->installEventFilter(new FocusWatch(this));
  ApplyFont();
  Move(left_, top_, width_, height_);
  widget_->setVisible(visible_);
}

void Control::Move(int left, int top, int width, int height) {
  bool sized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  if (widget_) widget_->setGeometry(ToPixels(left_), ToPixels(top_), ToPixels(width_), ToPixels(height_));
  if (sized) Resized();
}

void Control::SetVisible(bool on) {
  visible_ = on;
  if (widget_) widget_->setVisible(on);
}

void Control::SetEnabled(bool on) {
  // Disabled while it has the focus, a control hands it on to the next live one in the Tab
  // order, where it shows; the screen itself holds it only when no control can take it.
  if (!on && widget_ && widget_->isEnabled() && OwnerForm().Window()) {
    auto focusIn = [this] {
      QWidget *fw = widget_->window()->focusWidget();
      return fw && (fw == widget_ || widget_->isAncestorOf(fw)) ? fw : nullptr;
    };
    QWidget *fw = focusIn();
    for (int moves = 0; fw && moves < 64 && OwnerForm().MoveFocus(true); ++moves) {
      QWidget *now = focusIn();
      if (now == fw) break; // none but itself takes it
      fw = now;
    }
  }
  enabled_ = on;
  if (widget_) widget_->setEnabled(on);
}

void Control::ZOrder(int position) {
  if (!widget_) return;
  if (position == 0)
    widget_->raise();
  else
    widget_->lower();
}

void Control::SetFocus() {
  OwnerForm().NoteFocus(this);
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const {
  return OwnerForm().ActiveControl() == this;
}

void Control::SetFontName(const std::string &name) {
  fontName_ = name;
  ApplyFont();
}
void Control::SetFontSize(double points) {
  fontSize_ = points;
  ApplyFont();
}
void Control::SetFontBold(bool on) {
  fontBold_ = on;
  ApplyFont();
}

void Control::ApplyFont() {
  if (widget_) widget_->setFont(MakeFont(fontName_, fontSize_, fontBold_));
}

void Control::SetBackColor(Rgb c) {
  backColor_ = c;
  colorsSet_ = true;
  ApplyColors();
}
void Control::SetForeColor(Rgb c) {
  foreColor_ = c;
  colorsSet_ = true;
  ApplyColors();
}

void Control::ApplyColors() {
  if (!widget_ || !colorsSet_) return;
  QPalette pal = widget_->palette();
  QColor back = ToQColor(backColor_), fore = ToQColor(foreColor_);
  // Each kind of widget takes its colours from its own roles; setting only those keeps the
  // controls inside a coloured frame in their own colours.
  if (qobject_cast<QPushButton *>(widget_)) {
    pal.setColor(QPalette::Button, back);
    pal.setColor(QPalette::ButtonText, fore);
  } else if (qobject_cast<QLineEdit *>(widget_) || qobject_cast<QListWidget *>(widget_) ||
             qobject_cast<QComboBox *>(widget_) || qobject_cast<QPlainTextEdit *>(widget_)) {
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, fore);
    pal.setColor(QPalette::Button, back);
    pal.setColor(QPalette::ButtonText, fore);
  } else {
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
  }
  widget_->setPalette(pal);
  widget_->setAutoFillBackground(!qobject_cast<QPushButton *>(widget_));
}

// ---------------------------------------------------------------------------------------------
// Button

namespace {

// Return and Enter press a button with the focus, as Space does.
class ButtonWidget : public QPushButton {
public:
  using QPushButton::QPushButton;

protected:
  // The style's own focus mark, a tint of its border, is lost on the coloured screens: the
  // caption is ringed as well.
  void paintEvent(QPaintEvent *e) override {
    QPushButton::paintEvent(e);
    if (hasFocus()) RingFocus(*this, palette().color(QPalette::Button), 4);
  }
  bool event(QEvent *e) override {
    // The access key presses the button at once and leaves the focus where it was.
    if (e->type() == QEvent::Shortcut) {
      if (isEnabled() && isVisible()) click();
      return true;
    }
    return QPushButton::event(e);
  }
  void keyPressEvent(QKeyEvent *e) override {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat() &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      click();
      return;
    }
    QPushButton::keyPressEvent(e);
  }
};

} // namespace

Button *DefaultButtonIn(const Container &c) {
  for (Control *child : c.Children()) {
    if (!child->Visible() || !child->Enabled()) continue;
    if (auto *b = dynamic_cast<Button *>(child); b && b->IsDefault()) return b;
    if (auto *inner = dynamic_cast<const Container *>(child))
      if (Button *b = DefaultButtonIn(*inner)) return b;
  }
  return nullptr;
}

Button::Button(Container &parent, std::string name) : Control(parent, std::move(name)) {
  auto *b = new ButtonWidget(parent.ClientWidget());
  b->setFocusPolicy(Qt::StrongFocus);
  Attach(b);
  QObject::connect(b, &QPushButton::clicked, b, [this] {
    if (Click) Click();
  });
}

bool PressAccessKey(const Container &c, const QKeyEvent &e) {
  if ((e.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) != Qt::AltModifier) return false;
  const int k = e.key();
  if (!((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))) return false;
  for (Control *child : c.Children()) {
    if (!child->Visible() || !child->Enabled()) continue;
    if (auto *b = dynamic_cast<Button *>(child);
        b && std::toupper(static_cast<unsigned char>(b->AccessKey())) == k) {
      b->PerformClick();
      return true;
    }
    if (auto *inner = dynamic_cast<const Container *>(child))
      if (PressAccessKey(*inner, e)) return true;
  }
  return false;
}

void Button::SetCaption(const std::string &caption) {
  caption_ = caption;
  ShowCaption();
}

void Button::SetAccessKey(char letter) {
  accessKey_ = letter;
  ShowCaption();
}

void Button::ShowCaption() {
  QString shown = Q(caption_);
  shown.replace('&', "&&");
  if (accessKey_) {
    const auto at = shown.indexOf(QChar(accessKey_), 0, Qt::CaseInsensitive);
    if (at >= 0) shown.insert(at, '&');
  }
  static_cast<QPushButton *>(widget_)->setText(shown);
}

void Button::PerformClick() {
  if (!enabled_ || !visible_) return;
  HandlerScope handling;
  if (Click) Click();
}

// ---------------------------------------------------------------------------------------------
// Label

class LabelWidget : public QLabel, public Owned {
public:
  using QLabel::QLabel;

protected:
  void mouseReleaseEvent(QMouseEvent *e) override {
    auto *l = static_cast<Label *>(owner);
    if (!l || e->button() != Qt::LeftButton || !l->Click) return;
    // A label that passes its click on to the screen passes on where it was clicked, too.
    Form &form = l->OwnerForm();
    const QPoint at = mapTo(form.ClientWidget(), e->pos());
    form.HandleClickAt(Form::ClickPoint{static_cast<double>(ToTwips(at.x())), static_cast<double>(ToTwips(at.y()))},
                       [l] { l->Click(); });
  }
  void mouseDoubleClickEvent(QMouseEvent *) override {
    auto *l = static_cast<Label *>(owner);
    if (l && l->DblClick) l->DblClick();
  }
  void keyPressEvent(QKeyEvent *e) override {
    auto *l = static_cast<Label *>(owner);
    if (l && l->Click && (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
      l->Click();
      return;
    }
    QLabel::keyPressEvent(e);
  }
  void paintEvent(QPaintEvent *e) override {
    QLabel::paintEvent(e);
    if (hasFocus()) RingFocus(*this, palette().color(QPalette::Window), 1);
  }
};

Label::Label(Container &parent, std::string name) : Control(parent, std::move(name)) {
  auto *l = new LabelWidget(parent.ClientWidget());
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setTextFormat(Qt::PlainText);
  Attach(l);
  colorsSet_ = true;
  ApplyColors();
}

void Label::SetCaption(const std::string &caption) {
  caption_ = caption;
  static_cast<QLabel *>(widget_)->setText(Q(Shown(caption)));
}

void Label::SetAlignment(int alignment) {
  Qt::Alignment h = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  static_cast<QLabel *>(widget_)->setAlignment(h | Qt::AlignTop);
}

void Label::SetTransparent(bool on) {
  widget_->setAutoFillBackground(!on);
}

void Label::Refresh() {
  widget_->repaint();
}

void Label::SetTakesFocus(bool on) {
  widget_->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void Label::PerformClick() {
  HandlerScope handling;
  if (enabled_ && Click) Click();
}

// ---------------------------------------------------------------------------------------------
// Frame

Frame::Frame(Container &parent, std::string name) : Control(parent, std::move(name)) {
  auto *g = new QGroupBox(parent.ClientWidget());
  Attach(g);
  colorsSet_ = true;
  ApplyColors();
}

void Frame::SetCaption(const std::string &caption) {
  caption_ = caption;
  static_cast<QGroupBox *>(widget_)->setTitle(Q(Shown(caption)));
}

// ---------------------------------------------------------------------------------------------
// TextBox

class TextBoxWidget : public QLineEdit, public Owned {
public:
  explicit TextBoxWidget(QWidget *parent) : QLineEdit(parent) {
    // Every change but the user's own typing (pasting by key, menu, middle click or drop)
    // goes past the box's Pasted check; textEdited comes before textChanged, so `shown_`
    // still holds the text from before.
    QObject::connect(this, &QLineEdit::textEdited, this, [this] { CheckPaste(); });
    // The widget's own text, not the signal's: a refused paste's textChanged arrives after the
    // text from before is back.
    QObject::connect(this, &QLineEdit::textChanged, this, [this] { shown_ = text(); });
  }

protected:
  bool event(QEvent *e) override {
    // Tab is an ordinary key of the text box: its handlers decide where the focus goes.
    if (e->type() == QEvent::KeyPress) {
      auto *k = static_cast<QKeyEvent *>(e);
      if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
        keyPressEvent(k);
        return true;
      }
    }
    if (e->type() == QEvent::ShortcutOverride) {
      // Menu shortcuts of the form win over the text box's own (copy, paste, select all...).
      auto *k = static_cast<QKeyEvent *>(e);
      if ((k->modifiers() & Qt::ControlModifier) && k->key() >= Qt::Key_A && k->key() <= Qt::Key_Z) {
        Form *f = FormOf(this);
        if (f)
          for (MenuItem *top : f->MenuBar().Items())
            if (top->Visible() && top->FindShortcut(static_cast<char>(k->key()), true)) {
              e->accept(); // deliver as a key press, which keyPressEvent hands to the menu
              return true;
            }
      }
    }
    return QLineEdit::event(e);
  }

  void keyPressEvent(QKeyEvent *e) override {
    auto *box = static_cast<TextBox *>(owner);
    if (!box) return QLineEdit::keyPressEvent(e);
    // Typed keys have passed KeyPress; a paste key has not.
    const bool wasTyping = typing_;
    typing_ = !e->matches(QKeySequence::Paste);
    struct Restore {
      QPointer<TextBoxWidget> w;
      bool was;
      ~Restore() {
        if (w) w->typing_ = was;
      }
    } restore{this, wasTyping};
    Typed(box, e);
  }

private:
  void CheckPaste() {
    auto *box = static_cast<TextBox *>(owner);
    if (typing_ || !box || !box->Pasted) return;
    const QString before = shown_;
    QPointer<TextBoxWidget> self(this);
    if (box->Pasted(text().toStdString()) || !self) return;
    // The text from before comes back selected, so that what is typed after the refusal
    // replaces it.
    setText(before);
    selectAll();
  }

  static Control *ControlOf(const Container &c, const QWidget *w) {
    if (!w) return nullptr;
    for (Control *child : c.Children()) {
      if (child->Widget() == w) return child;
      if (auto *inner = dynamic_cast<const Container *>(child))
        if (Control *hit = ControlOf(*inner, w)) return hit;
    }
    return nullptr;
  }

  // Tab and Return in a box that leaves its keys to the screen.
  bool ScreenKey(TextBox *box, QKeyEvent *e) {
    if (box->KeyDown || box->KeyPress) return false;
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
      focusNextPrevChild(e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier));
      // The form learns of the move at once, even where its window is not the active one.
      if (Control *next = ControlOf(box->OwnerForm(), window()->focusWidget()); next && next != box)
        next->SetFocus();
      return true;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      if (Button *b = DefaultButtonIn(box->OwnerForm())) b->PerformClick();
      return true;
    }
    return false;
  }

  // Alt with a key is the screen's (an access key), never the box's key or text.
  static bool AltKey(const QKeyEvent &e) {
    return (e.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier;
  }

  void Typed(TextBox *box, QKeyEvent *e) {
    if (TryFormShortcut(this, *e)) return;
    if (AltKey(*e)) {
      e->ignore();
      return;
    }
    if (ScreenKey(box, e)) return;
    QPointer<TextBoxWidget> self(this);
    int code = KeyCodeOf(*e), shift = ShiftStateOf(*e);
    if (box->KeyDown) box->KeyDown(code, shift);
    if (!self || !owner) return;
    int ascii = 0;
    QString t = e->text();
    if (!t.isEmpty() && t[0].unicode() < 256 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
      ascii = t[0].unicode();
    if (code == key::Return) ascii = 13;
    if (code == key::Tab) ascii = 9;
    if (code == key::Back) ascii = 8;
    if (code == key::Escape) ascii = 27;
    if (ascii == 0) {
      QLineEdit::keyPressEvent(e);
      return;
    }
    int original = ascii;
    if (box->KeyPress) box->KeyPress(ascii);
    if (!self || !owner) return;
    if (ascii == 0 || ascii == 9 || ascii == 13 || ascii == 27) return;
    if (ascii == 8) {
      backspace();
      return;
    }
    if (ascii == original) {
      QLineEdit::keyPressEvent(e);
      return;
    }
    insert(QString(QChar(ascii)));
  }

  QString shown_;
  bool typing_ = false;

protected:
  void keyReleaseEvent(QKeyEvent *e) override {
    auto *box = static_cast<TextBox *>(owner);
    if (!box || e->isAutoRepeat() || AltKey(*e)) return QLineEdit::keyReleaseEvent(e);
    int code = KeyCodeOf(*e), shift = ShiftStateOf(*e);
    if (box->KeyUp) box->KeyUp(code, shift);
  }

  void mouseReleaseEvent(QMouseEvent *e) override {
    QPointer<TextBoxWidget> self(this);
    QLineEdit::mouseReleaseEvent(e);
    auto *box = static_cast<TextBox *>(owner);
    if (self && box && e->button() == Qt::LeftButton && box->Click) box->Click();
  }

  void mouseDoubleClickEvent(QMouseEvent *e) override {
    QPointer<TextBoxWidget> self(this);
    QLineEdit::mouseDoubleClickEvent(e);
    auto *box = static_cast<TextBox *>(owner);
    if (self && box && box->DblClick) box->DblClick();
  }
};

namespace {
QLineEdit *Edit(QWidget *w) {
  return static_cast<QLineEdit *>(w);
}

int QtKeyOf(int code, int shift, QString &text) {
  switch (code) {
  case key::Back:
    text = "\b";
    return Qt::Key_Backspace;
  case key::Tab:
    text = "\t";
    return (shift & key::ShiftMask) ? Qt::Key_Backtab : Qt::Key_Tab;
  case key::Return:
    text = "\r";
    return Qt::Key_Return;
  case key::Escape:
    text = QString(QChar(27));
    return Qt::Key_Escape;
  case key::Space:
    text = " ";
    return Qt::Key_Space;
  case key::PageUp:
    return Qt::Key_PageUp;
  case key::PageDown:
    return Qt::Key_PageDown;
  case key::End:
    return Qt::Key_End;
  case key::Home:
    return Qt::Key_Home;
  case key::Left:
    return Qt::Key_Left;
  case key::Up:
    return Qt::Key_Up;
  case key::Right:
    return Qt::Key_Right;
  case key::Down:
    return Qt::Key_Down;
  case key::Insert:
    return Qt::Key_Insert;
  case key::Delete:
    return Qt::Key_Delete;
  default:
    break;
  }
  if (code >= 'A' && code <= 'Z') {
    if (!(shift & key::CtrlMask)) text = QString(QChar((shift & key::ShiftMask) ? code : std::tolower(code)));
    return code;
  }
  if (code >= '0' && code <= '9') {
    text = QString(QChar(code));
    return code;
  }
  if (code >= key::F1 && code < key::F1 + 12) return Qt::Key_F1 + (code - key::F1);
  return code;
}

Qt::KeyboardModifiers ModifiersOf(int shift) {
  Qt::KeyboardModifiers m;
  if (shift & key::ShiftMask) m |= Qt::ShiftModifier;
  if (shift & key::CtrlMask) m |= Qt::ControlModifier;
  if (shift & key::AltMask) m |= Qt::AltModifier;
  return m;
}

void SendKey(QWidget *w, int qtKey, Qt::KeyboardModifiers mods, const QString &text) {
  QPointer<QWidget> target(w);
  QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
  QApplication::sendEvent(w, &press);
  if (!target) return;
  QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
  QApplication::sendEvent(w, &release);
}
} // namespace

TextBox::TextBox(Container &parent, std::string name) : Control(parent, std::move(name)) {
  width_ = 1215;
  height_ = 285;
  auto *e = new TextBoxWidget(parent.ClientWidget());
  Attach(e);
  QObject::connect(e, &QLineEdit::textChanged, e, [this] {
    if (Change) Change();
  });
}

std::string TextBox::Text() const {
  return Edit(widget_)->text().toStdString();
}
void TextBox::SetText(const std::string &text) {
  Edit(widget_)->setText(Q(text));
}

int TextBox::SelStart() const {
  QLineEdit *e = Edit(widget_);
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TextBox::SetSelStart(int start) {
  QLineEdit *e = Edit(widget_);
  int len = static_cast<int>(e->text().size());
  e->deselect();
  e->setCursorPosition(std::max(0, std::min(start, len)));
}

int TextBox::SelLength() const {
  return static_cast<int>(Edit(widget_)->selectedText().size());
}

void TextBox::SetSelLength(int length) {
  QLineEdit *e = Edit(widget_);
  int start = SelStart();
  int len = static_cast<int>(e->text().size());
  length = std::max(0, std::min(length, len - start));
  if (length == 0) {
    e->deselect();
    e->setCursorPosition(start);
  } else {
    e->setSelection(start, length);
  }
}

std::string TextBox::SelText() const {
  return Edit(widget_)->selectedText().toStdString();
}

void TextBox::SetAlignment(int alignment) {
  Edit(widget_)->setAlignment(alignment == 1   ? Qt::AlignRight
                              : alignment == 2 ? Qt::AlignHCenter
                                               : Qt::AlignLeft);
}

void TextBox::Type(const std::string &text) {
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    int qtKey = c == '\r' ? Qt::Key_Return : c == '\t' ? Qt::Key_Tab : std::toupper(c);
    Qt::KeyboardModifiers mods = std::isupper(c) ? Qt::ShiftModifier : Qt::NoModifier;
    SendKey(widget_, qtKey, mods, QString(QChar(c)));
  }
}

void TextBox::Paste(const std::string &text) {
  QGuiApplication::clipboard()->setText(Q(text));
  SendKey(widget_, Qt::Key_V, Qt::ControlModifier, QString());
}

void TextBox::PressKey(int keyCode, int shift) {
  QString text;
  int qtKey = QtKeyOf(keyCode, shift, text);
  SendKey(widget_, qtKey, ModifiersOf(shift), text);
}

void TextBox::PerformClick() {
  HandlerScope handling;
  if (enabled_ && Click) Click();
}
void TextBox::PerformDblClick() {
  HandlerScope handling;
  if (enabled_ && DblClick) DblClick();
}

// ---------------------------------------------------------------------------------------------
// ReadOnlyTextBox

ReadOnlyTextBox::ReadOnlyTextBox(Container &parent, std::string name) : Control(parent, std::move(name)) {
  auto *e = new QPlainTextEdit(parent.ClientWidget());
  e->setReadOnly(true);
  e->setTabChangesFocus(true);
  e->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  e->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  e->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Attach(e);
}

void ReadOnlyTextBox::SetText(const std::string &text) {
  text_ = text;
  static_cast<QPlainTextEdit *>(widget_)->setPlainText(Q(text));
}

// ---------------------------------------------------------------------------------------------
// OptionButton and CheckBox

namespace {

// The style marks the focus only around a caption, or not at all where the focus did not come
// by Tab: an option or box (whose caption is most often a label beside it) is ringed itself, a
// pixel inside its edge, which the label beside it or the next option may overlap.
template <class Base> class MarkWidget : public Base {
public:
  using Base::Base;

protected:
  void paintEvent(QPaintEvent *e) override {
    Base::paintEvent(e);
    if (this->hasFocus()) RingFocus(*this, this->palette().color(QPalette::Window), 1);
  }
};

} // namespace

OptionButton::OptionButton(Container &parent, std::string name) : Control(parent, std::move(name)) {
  width_ = 255;
  height_ = 255;
  auto *r = new MarkWidget<QRadioButton>(parent.ClientWidget());
  Attach(r);
  colorsSet_ = true;
  ApplyColors();
  QObject::connect(r, &QRadioButton::toggled, r, [this](bool on) {
    if (on && Click) Click();
  });
}

void OptionButton::SetCaption(const std::string &caption) {
  caption_ = caption;
  static_cast<QRadioButton *>(widget_)->setText(Q(caption));
}

bool OptionButton::Value() const {
  return static_cast<QRadioButton *>(widget_)->isChecked();
}

void OptionButton::SetValue(bool on) {
  auto *r = static_cast<QRadioButton *>(widget_);
  if (on) {
    r->setChecked(true); // toggled raises Click
  } else {
    // A lone option button cannot be unticked through the group's exclusivity.
    r->setAutoExclusive(false);
    r->setChecked(false);
    r->setAutoExclusive(true);
  }
}

void OptionButton::PerformClick() {
  if (!enabled_) return;
  HandlerScope handling;
  if (Value()) {
    if (Click) Click();
  } else {
    SetValue(true);
  }
}

CheckBox::CheckBox(Container &parent, std::string name) : Control(parent, std::move(name)) {
  auto *c = new MarkWidget<QCheckBox>(parent.ClientWidget());
  Attach(c);
  colorsSet_ = true;
  ApplyColors();
  QObject::connect(c, &QCheckBox::stateChanged, c, [this](int) {
    if (Click) Click();
  });
}

void CheckBox::SetCaption(const std::string &caption) {
  caption_ = caption;
  static_cast<QCheckBox *>(widget_)->setText(Q(caption));
}

int CheckBox::Value() const {
  auto s = static_cast<QCheckBox *>(widget_)->checkState();
  return s == Qt::Checked ? 1 : s == Qt::PartiallyChecked ? 2 : 0;
}

void CheckBox::SetValue(int value) {
  auto *c = static_cast<QCheckBox *>(widget_);
  if (value == 2) c->setTristate(true);
  c->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CheckBox::PerformClick() {
  HandlerScope handling;
  if (enabled_) SetValue(Value() == 1 ? 0 : 1);
}

// ---------------------------------------------------------------------------------------------
// Combo box and list box

void ListControl::AddItem(const std::string &item, int index) {
  if (index < 0 || index > ListCount()) index = ListCount();
  items_.insert(items_.begin() + index, item);
  if (index_ >= index) ++index_;
  SyncInsert(index);
}

void ListControl::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  items_.erase(items_.begin() + index);
  if (index_ == index)
    index_ = -1;
  else if (index_ > index)
    --index_;
  SyncItems();
}

void ListControl::Clear() {
  items_.clear();
  index_ = -1;
  SyncItems();
}

const std::string &ListControl::List(int index) const {
  static const std::string empty;
  return index >= 0 && index < ListCount() ? items_[static_cast<std::size_t>(index)] : empty;
}

void ListControl::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) index = -1;
  index_ = index;
  SyncIndex();
  HandlerScope handling;
  if (index_ >= 0 && Click) Click();
}

class ComboWidget : public QComboBox, public Owned {
public:
  using QComboBox::QComboBox;
  // Pixels the box needs to show a text `textWidth` wide.
  int WidthFor(int textWidth) {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    return style()
        ->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(textWidth, fontMetrics().height()), this)
        .width();
  }

  // The list opens with an item highlighted: the chosen one, or the first while none is
  // chosen, so that the arrow keys start from a place the user sees.
  void showPopup() override {
    QComboBox::showPopup();
    if (currentIndex() < 0 && count() > 0 && view()) view()->setCurrentIndex(model()->index(0, modelColumn()));
  }

protected:
  void paintEvent(QPaintEvent *e) override {
    QComboBox::paintEvent(e);
    if (hasFocus()) RingFocus(*this, palette().color(QPalette::Button), 3);
  }
};

ComboBox::ComboBox(Container &parent, std::string name) : ListControl(parent, std::move(name)) {
  height_ = 315;
  auto *c = new ComboWidget(parent.ClientWidget());
  c->setEditable(false);
  Attach(c);
  QObject::connect(c, &QComboBox::activated, c, [this](int i) { SetListIndex(i); });
}

std::string ComboBox::Text() const {
  return index_ >= 0 ? items_[static_cast<std::size_t>(index_)] : text_;
}

void ComboBox::SetText(const std::string &text) {
  text_ = text;
  for (int i = 0; i < ListCount(); ++i)
    if (items_[static_cast<std::size_t>(i)] == text) {
      index_ = i;
      SyncIndex();
      return;
    }
  index_ = -1;
  SyncIndex();
}

int ComboBox::WidthForItems() const {
  auto *c = static_cast<ComboWidget *>(widget_);
  const QFontMetrics fm = c->fontMetrics();
  int widest = fm.horizontalAdvance(Q(text_));
  for (const auto &s : items_)
    widest = std::max(widest, fm.horizontalAdvance(Q(s)));
  return ToTwips(c->WidthFor(widest) + 2);
}

void ComboBox::SyncItems() {
  auto *c = static_cast<QComboBox *>(widget_);
  QSignalBlocker block(c);
  c->clear();
  for (const auto &s : items_)
    c->addItem(Q(s));
  SyncIndex();
}

void ComboBox::SyncInsert(int index) {
  auto *c = static_cast<QComboBox *>(widget_);
  QSignalBlocker block(c);
  c->insertItem(index, Q(items_[static_cast<std::size_t>(index)]));
  SyncIndex();
}

void ComboBox::SyncIndex() {
  auto *c = static_cast<QComboBox *>(widget_);
  QSignalBlocker block(c);
  c->setPlaceholderText(Q(text_));
  c->setCurrentIndex(index_);
}

class ListWidget : public QListWidget, public Owned {
public:
  using QListWidget::QListWidget;

protected:
  void paintEvent(QPaintEvent *e) override {
    QListWidget::paintEvent(e);
    if (hasFocus()) RingFocus(*viewport(), palette().color(QPalette::Base), 1);
  }
};

ListBox::ListBox(Container &parent, std::string name) : ListControl(parent, std::move(name)) {
  height_ = 1035;
  auto *l = new ListWidget(parent.ClientWidget());
  Attach(l);
  QObject::connect(l, &QListWidget::itemClicked, l,
                   [this, l](QListWidgetItem *item) { SetListIndex(l->row(item)); });
  QObject::connect(l, &QListWidget::itemDoubleClicked, l, [this] {
    if (DblClick) DblClick();
  });
}

void ListBox::SyncItems() {
  auto *l = static_cast<QListWidget *>(widget_);
  QSignalBlocker block(l);
  l->clear();
  for (const auto &s : items_)
    l->addItem(Q(s));
  SyncIndex();
}

void ListBox::SyncInsert(int index) {
  auto *l = static_cast<QListWidget *>(widget_);
  QSignalBlocker block(l);
  l->insertItem(index, Q(items_[static_cast<std::size_t>(index)]));
  SyncIndex();
}

void ListBox::SyncIndex() {
  auto *l = static_cast<QListWidget *>(widget_);
  QSignalBlocker block(l);
  l->setCurrentRow(index_);
}

// ---------------------------------------------------------------------------------------------
// PictureBox

class PictureWidget : public QWidget, public Owned {
public:
  using QWidget::QWidget;

protected:
  void paintEvent(QPaintEvent *) override {
    auto *pb = static_cast<PictureBox *>(owner);
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (pb) pb->Drawing().Replay(p, size());
  }
  void mousePressEvent(QMouseEvent *e) override {
    auto *pb = static_cast<PictureBox *>(owner);
    if (!pb || !pb->MouseDown) return;
    int button = e->button() == Qt::RightButton ? 2 : e->button() == Qt::MiddleButton ? 4 : 1;
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier) shift |= key::ShiftMask;
    if (e->modifiers() & Qt::ControlModifier) shift |= key::CtrlMask;
    double tx = ToTwips(static_cast<int>(e->position().x()));
    double ty = ToTwips(static_cast<int>(e->position().y()));
    double x = tx, y = ty;
    if (pb->scaled_) {
      x = pb->scaleLeft_ + tx * pb->scaleWidth_ / std::max(1.0, pb->Drawing().ScaleWidthTwips());
      y = pb->scaleTop_ + ty * pb->scaleHeight_ / std::max(1.0, pb->Drawing().ScaleHeightTwips());
    }
    pb->MouseDown(button, shift, x, y);
  }
  void mouseReleaseEvent(QMouseEvent *e) override {
    auto *pb = static_cast<PictureBox *>(owner);
    if (pb && e->button() == Qt::LeftButton && pb->Click) pb->Click();
  }
  void showEvent(QShowEvent *) override {
    if (auto *pb = static_cast<PictureBox *>(owner)) pb->SchedulePaint();
  }
  void resizeEvent(QResizeEvent *) override {
    if (auto *pb = static_cast<PictureBox *>(owner)) pb->Drawing().SetAreaPixels(size());
  }
};

PictureBox::PictureBox(Container &parent, std::string name) : Control(parent, std::move(name)) {
  width_ = 1215;
  height_ = 1215;
  auto *w = new PictureWidget(parent.ClientWidget());
  w->setAutoFillBackground(false);
  canvas_ = std::make_unique<RetainedSurface>();
  canvas_->SetInvalidate([w] { w->update(); });
  Attach(w);
}

PictureBox::~PictureBox() = default;

Surface &PictureBox::Target() const {
  return *canvas_;
}

void PictureBox::ScaleSet(double left, double top, double width, double height) {
  scaled_ = true;
  scaleLeft_ = left;
  scaleTop_ = top;
  scaleWidth_ = width;
  scaleHeight_ = height;
  canvas_->ScaleSet(left, top, width, height);
}

void PictureBox::ScaleReset() {
  scaled_ = false;
  canvas_->ScaleReset();
}

double PictureBox::ScaleWidth() const {
  return scaled_ ? scaleWidth_ : canvas_->ScaleWidthTwips();
}
double PictureBox::ScaleHeight() const {
  return scaled_ ? scaleHeight_ : canvas_->ScaleHeightTwips();
}

void PictureBox::Resized() {
  if (!canvas_) return;
  canvas_->SetAreaPixels(QSize(ToPixels(width_), ToPixels(height_)));
  if (Resize) Resize();
  SchedulePaint();
}

void PictureBox::SchedulePaint() {
  if (paintPending_ || !widget_) return;
  paintPending_ = true;
  QTimer::singleShot(0, widget_, [this] {
    if (!paintPending_) return;
    paintPending_ = false;
    if (OwnerForm().Loaded() && Paint) Paint();
  });
}

void PictureBox::Refresh() {
  paintPending_ = false;
  widget_->update();
  if (Paint) Paint();
}

void PictureBox::PaintNow() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

void PictureBox::PerformClick() {
  HandlerScope handling;
  if (enabled_ && Click) Click();
}

} // namespace quon
