#include "platform/ui/forms.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <map>

#include "platform/screen.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/qt_drawing.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/retained_surface.h"
#include "platform/user_services.h"

namespace quon {

QFont MakeFont(const std::string &name, double points, bool bold) {
  QFont f(FontFamilyFor(name));
  f.setPointSizeF(points > 0 ? points : 8.25);
  f.setBold(bold);
  return f;
}

int KeyCodeOf(const QKeyEvent &e) {
  int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return key::F1 + (k - Qt::Key_F1);
  switch (k) {
  case Qt::Key_Backspace:
    return key::Back;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return key::Tab;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return key::Return;
  case Qt::Key_Shift:
    return key::Shift;
  case Qt::Key_Control:
    return key::Control;
  case Qt::Key_Escape:
    return key::Escape;
  case Qt::Key_Space:
    return key::Space;
  case Qt::Key_PageUp:
    return key::PageUp;
  case Qt::Key_PageDown:
    return key::PageDown;
  case Qt::Key_End:
    return key::End;
  case Qt::Key_Home:
    return key::Home;
  case Qt::Key_Left:
    return key::Left;
  case Qt::Key_Up:
    return key::Up;
  case Qt::Key_Right:
    return key::Right;
  case Qt::Key_Down:
    return key::Down;
  case Qt::Key_Insert:
    return key::Insert;
  case Qt::Key_Delete:
    return key::Delete;
  case Qt::Key_Minus:
    return 189;
  case Qt::Key_Period:
    return 190;
  case Qt::Key_Alt:
    return 18;
  case Qt::Key_Pause:
    return 19;
  case Qt::Key_CapsLock:
    return 20;
  case Qt::Key_NumLock:
    return 144;
  case Qt::Key_ScrollLock:
    return 145;
  default:
    // Other printable characters have no key code of their own: "%", "&", "'" and "(" would
    // otherwise read as the arrow keys and move the focus or the cell editor.
    if (k > Qt::Key_Space && k < 0x7F) return 0;
    // Nor have the other keys without a character: the low byte of Alt, Num Lock or Scroll
    // Lock is End, Left or Up.
    if (k >= Qt::Key_Escape) return 0;
    return k & 0xFF;
  }
}

int ShiftStateOf(const QKeyEvent &e) {
  int s = 0;
  if (e.modifiers() & Qt::ShiftModifier || e.key() == Qt::Key_Backtab) s |= key::ShiftMask;
  if (e.modifiers() & Qt::ControlModifier) s |= key::CtrlMask;
  if (e.modifiers() & Qt::AltModifier) s |= key::AltMask;
  return s;
}

namespace {
// Set while a popup waits for its screen to become the active window: the activations the
// window system delivers meanwhile (of the screen being left) change no screen's state.
bool awaitingActivation = false;
} // namespace

// An item that does nothing when chosen (a menu's title line) is passed over by the arrow
// keys, so that a counted number of Downs lands on the item counted.
class HeadingSkipper : public QObject {
public:
  using QObject::QObject;

  static bool IsHeading(const QAction *a) {
    if (!a || a->isSeparator() || a->menu()) return false;
    const auto *item = static_cast<const MenuItem *>(a->data().value<void *>());
    return item && item->Items().empty() && !item->Click;
  }

protected:
  bool eventFilter(QObject *o, QEvent *e) override {
    if (e->type() != QEvent::KeyPress || busy_) return false;
    auto *k = static_cast<QKeyEvent *>(e);
    if (k->key() != Qt::Key_Down && k->key() != Qt::Key_Up) return false;
    auto *menu = static_cast<QMenu *>(o);
    busy_ = true;
    QKeyEvent first(QEvent::KeyPress, k->key(), k->modifiers());
    QApplication::sendEvent(menu, &first);
    for (qsizetype n = menu->actions().size(); n > 0 && IsHeading(menu->activeAction()); --n) {
      QKeyEvent again(QEvent::KeyPress, k->key(), k->modifiers());
      QApplication::sendEvent(menu, &again);
    }
    busy_ = false;
    return true;
  }

private:
  bool busy_ = false;
};

// The form's top-level window: the menu bar over the client area that holds the controls
// and shows the retained drawing.
class FormWindow : public QWidget {
public:
  explicit FormWindow(Form *form) : form_(form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The controls show the focus however it came to them, not only after a Tab.
    setAttribute(Qt::WA_KeyboardFocusChange);
    client_ = new Client(this);
    client_->setAutoFillBackground(true);
    bar_ = new QMenuBar(this);
    bar_->setNativeMenuBar(false);
    bar_->hide();
  }

  Form *form() const { return form_; }

  // The screen holds the keyboard focus, no control: keys go to the screen's own handling.
  void HoldFocusOnScreen() {
    client_->setFocus(Qt::OtherFocusReason);
    if (form_) form_->NoteFocus(nullptr);
  }
  void Detach() { form_ = nullptr; }
  QWidget *client() const { return client_; }

  void FitToScreen() {
    setFixedSize(ToPixels(ScreenWidth()), ToPixels(ScreenHeight()));
    Layout();
  }

  int BarHeight() const { return bar_->isHidden() ? 0 : bar_->sizeHint().height(); }

  void Layout() {
    int h = BarHeight();
    bar_->setGeometry(0, 0, width(), h);
    client_->setGeometry(0, h, width(), height() - h);
    if (form_ && form_->canvas_) form_->canvas_->SetAreaPixels(client_->size());
  }

  void RebuildMenus() {
    rebuildPending_ = false;
    if (!form_) return;
    bar_->clear();
    bool any = false;
    for (MenuItem *top : form_->MenuBar().Items()) {
      if (!top->Visible()) continue;
      any = true;
      if (top->Items().empty()) {
        QAction *a = bar_->addAction(Q(top->Caption()));
        a->setEnabled(top->Enabled());
        MenuItem *item = top;
        QObject::connect(a, &QAction::triggered, a, [item] {
          HandlerScope handling;
          item->PerformClick();
        });
      } else {
        QMenu *m = bar_->addMenu(Q(top->Caption()));
        m->setEnabled(top->Enabled());
        FillQMenu(m, *top, true);
      }
    }
    bool wasVisible = !bar_->isHidden();
    bar_->setVisible(any);
    if (wasVisible != any) Layout();
  }

  void ScheduleMenus() {
    if (rebuildPending_) return;
    rebuildPending_ = true;
    QTimer::singleShot(0, this, [this] { RebuildMenus(); });
  }

  static void Fill(QMenu *menu, MenuItem &parent, bool connect) {
    menu->installEventFilter(new HeadingSkipper(menu));
    for (MenuItem *item : parent.Items()) {
      if (!item->Visible()) continue;
      if (item->IsSeparator()) {
        menu->addSeparator();
        continue;
      }
      if (!item->Items().empty()) {
        QMenu *sub = menu->addMenu(Q(item->Caption()));
        sub->setEnabled(item->Enabled());
        sub->menuAction()->setData(QVariant::fromValue(static_cast<void *>(item)));
        Fill(sub, *item, connect);
        continue;
      }
      QAction *a = menu->addAction(Q(item->Caption()));
      a->setEnabled(item->Enabled());
      a->setCheckable(item->Checked());
      a->setChecked(item->Checked());
      a->setData(QVariant::fromValue(static_cast<void *>(item)));
      if (item->Shortcut()) {
        // Shown in the menu; the key itself is handled by TryFormShortcut so that it wins over
        // the text boxes' own shortcuts.
        a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(item->Shortcut())));
        a->setShortcutContext(Qt::WidgetShortcut);
      }
      if (connect)
        QObject::connect(a, &QAction::triggered, a, [item] {
          HandlerScope handling;
          item->PerformClick();
        });
    }
  }

protected:
  bool event(QEvent *e) override {
    if (e->type() == QEvent::WindowActivate) {
      if (QWidget *fw = focusWidget(); !fw || !fw->isVisible() || !fw->isEnabled()) HoldFocusOnScreen();
      if (form_ && form_->Loaded() && !awaitingActivation) Forms::SetActive(form_);
    }
    if (e->type() == QEvent::Close) {
      // The window stays unless the form's own road unloads it.
      e->ignore();
      if (form_ && form_->Loaded()) form_->Form_CloseRequest();
      return true;
    }
    return QWidget::event(e);
  }
  void resizeEvent(QResizeEvent *) override { Layout(); }
  // Qt gives a control the focus when the one holding it is hidden or disabled, and when the
  // window is activated with none: the first control in the Tab order, often a button that
  // leaves the screen, which Return would then press unseen. The screen itself holds the
  // focus instead; Tab from there goes to the first control.
  bool focusNextPrevChild(bool next) override {
    if (QWidget *fw = focusWidget(); fw && fw != client_ && (!fw->isVisible() || !fw->isEnabled())) {
      HoldFocusOnScreen();
      return true;
    }
    // A screen that sets its own Tab order goes by it.
    if (form_ && form_->Loaded() && form_->HasTabOrder() && form_->MoveFocus(next)) return true;
    return QWidget::focusNextPrevChild(next);
  }
  void keyPressEvent(QKeyEvent *e) override {
    if (TryFormShortcut(this, *e)) return;
    if (form_ && form_->Loaded() && PressAccessKey(*form_, *e)) return;
    // The menu key, or Shift+F10, is the click on the screen itself for the keyboard: a screen
    // whose popup was dismissed opens it again.
    if (form_ && form_->Loaded() && form_->FocusOnScreen() &&
        (e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier))) {
      form_->Form_Click();
      return;
    }
    // Return that no control took presses the screen's default button.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && form_ && form_->Loaded() &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
      if (Button *b = DefaultButtonIn(*form_)) {
        b->PerformClick();
        return;
      }
    QWidget::keyPressEvent(e);
  }

private:
  class Client : public QWidget {
  public:
    explicit Client(FormWindow *w) : QWidget(w), w_(w) {}

  protected:
    void paintEvent(QPaintEvent *) override {
      if (!w_->form_) return;
      {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(w_->form_->BackColor()));
        if (w_->form_->canvas_) w_->form_->canvas_->Replay(p, size());
      }
      // The screen that holds the keyboard itself, as it does when it comes up with no control
      // chosen for it, is marked as the controls are: keys go to it (Return to its default
      // button, Tab to its first control).
      if (hasFocus())
        for (int inset : {2, 3})
          RingFocus(*this, ToQColor(w_->form_->BackColor()), inset);
    }
    void mouseReleaseEvent(QMouseEvent *e) override {
      // A click that a control or a frame let through is not a click on the screen: the menu
      // it opens could lie over the button the user is about to press.
      if (childAt(e->position().toPoint())) return;
      if (e->button() == Qt::LeftButton && w_->form_ && w_->form_->Loaded() && rect().contains(e->pos())) {
        Form *f = w_->form_;
        f->HandleClickAt(Form::ClickPoint{static_cast<double>(ToTwips(e->pos().x())),
                                          static_cast<double>(ToTwips(e->pos().y()))},
                         [f] { f->Form_Click(); });
      }
    }
    void resizeEvent(QResizeEvent *) override {
      if (w_->form_ && w_->form_->canvas_) w_->form_->canvas_->SetAreaPixels(size());
      if (w_->form_ && w_->form_->everShown_) {
        w_->form_->Form_Resize();
        w_->form_->SchedulePaint();
      }
    }

  private:
    FormWindow *w_;
  };

  Form *form_;
  Client *client_;
  QMenuBar *bar_;
  bool rebuildPending_ = false;
};

void FillQMenu(QMenu *menu, MenuItem &parent, bool connectClicks) {
  FormWindow::Fill(menu, parent, connectClicks);
}

QPoint FormClientToGlobal(Form &form, double xTwips, double yTwips) {
  return form.ClientWidget()->mapToGlobal(QPoint(ToPixels(xTwips), ToPixels(yTwips)));
}

Form *FormOf(QWidget *w) {
  if (!w) return nullptr;
  auto *fw = dynamic_cast<FormWindow *>(w->window());
  return fw ? fw->form() : nullptr;
}

bool TryFormShortcut(QWidget *w, const QKeyEvent &e) {
  if (!(e.modifiers() & Qt::ControlModifier) || (e.modifiers() & Qt::AltModifier)) return false;
  if (e.key() < Qt::Key_A || e.key() > Qt::Key_Z) return false;
  Form *f = FormOf(w);
  if (!f || !f->Loaded()) return false;
  for (MenuItem *top : f->MenuBar().Items()) {
    if (!top->Visible() || !top->Enabled()) continue;
    if (MenuItem *item = top->FindShortcut(static_cast<char>(e.key()))) {
      item->PerformClick();
      return true;
    }
  }
  // The shortcut of an item that is off is refused: it must not fall through to the focused
  // control's own key (Ctrl+U and Ctrl+D would edit a text box's text).
  for (MenuItem *top : f->MenuBar().Items())
    if (top->Visible() && top->FindShortcut(static_cast<char>(e.key()), true)) {
      Beep();
      return true;
    }
  return false;
}

namespace {

struct Registry {
  std::vector<Form *> loaded;
  std::map<std::type_index, std::unique_ptr<Form>> instances;
  Form *active = nullptr;
  bool ended = false;
  int exitStatus = 0;
  std::function<void()> endHandler;
  // Handlers running (HandlerScope), and the forms unloaded meanwhile, freed when none runs.
  int handlersRunning = 0;
  std::vector<std::unique_ptr<Form>> unloaded;
};

Registry &R() {
  static Registry r;
  return r;
}

// Keeps an unloaded form alive until control returns to the event loop: the widget code that
// delivered the last handler's event may still be on the stack.
class FormHolder : public QObject {
public:
  explicit FormHolder(std::unique_ptr<Form> f) : form_(std::move(f)) {}

private:
  std::unique_ptr<Form> form_;
};

void FreeUnloadedForms() {
  std::vector<std::unique_ptr<Form>> forms = std::move(R().unloaded);
  R().unloaded.clear();
  for (auto &f : forms)
    (new FormHolder(std::move(f)))->deleteLater();
}

} // namespace

HandlerScope::HandlerScope() {
  ++R().handlersRunning;
}

HandlerScope::~HandlerScope() {
  if (--R().handlersRunning == 0 && !R().unloaded.empty()) FreeUnloadedForms();
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event) {
  HandlerScope handling;
  return QApplication::notify(receiver, event);
}

Form::Form(std::string name) : name_(std::move(name)) {
  window_ = new FormWindow(this);
  window_->setWindowTitle(Q(caption_));
  canvas_ = std::make_unique<RetainedSurface>();
  QWidget *client = window_->client();
  canvas_->SetInvalidate([client] { client->update(); });
  window_->FitToScreen();
  menuBar_.SetObserver([this] {
    if (window_) window_->ScheduleMenus();
  });
}

Form::~Form() {
  menuBar_.SetObserver(nullptr);
  if (Forms::Active() == this) R().active = nullptr;
  if (window_) {
    window_->Detach();
    delete window_;
  }
}

const std::vector<DrawOp> &Form::DrawnOps() const { return canvas_->Ops(); }

Surface &Form::Target() const {
  return *canvas_;
}
QWidget *Form::ClientWidget() {
  return window_->client();
}
void Form::Hide() {
  if (loaded_) window_->hide();
}

bool Form::Shown() const {
  return loaded_ && window_->isVisible();
}

void Form::Load() {
  if (loaded_) return;
  HandlerScope handling;
  loaded_ = true;
  Forms::Loading(*this);
  window_->RebuildMenus();
  Form_Load();
}

void Form::Show() {
  if (!loaded_) {
    // Unloaded forms come back through their accessor; a stale reference shows nothing.
    return;
  }
  HandlerScope handling;
  window_->FitToScreen();
  window_->RebuildMenus();
  // A screen that gave no control the focus opens with the focus on itself.
  if (!window_->focusWidget()) window_->HoldFocusOnScreen();
  bool first = !everShown_;
  window_->show();                                      // its pending resize is the first Resize below
  if (QGuiApplication::platformName() != "offscreen") { // it cannot raise and says so
    window_->raise();
    window_->activateWindow();
  }
  everShown_ = true;
  if (first) Form_Resize();
  if (!loaded_) return;
  // The first paint is queued before the activation, whose handler may open a menu and wait:
  // the form is painted under that menu instead of after it.
  if (first) SchedulePaint();
  if (Forms::Active() != this) Forms::SetActive(this);
}

void Form::SchedulePaint() {
  if (paintPending_) return;
  paintPending_ = true;
  QTimer::singleShot(0, window_, [this] {
    if (paintPending_) RaisePaint();
  });
}

void Form::RaisePaint() {
  paintPending_ = false;
  if (loaded_ && everShown_) Form_Paint();
}

void Form::Form_CloseRequest() {
  Unload(*this);
}

void Form::Refresh() {
  HandlerScope handling;
  window_->client()->update();
  RaisePaint();
}

void Form::SetCaption(const std::string &caption) {
  caption_ = caption;
  window_->setWindowTitle(Q(caption));
}

void Form::SetBackColor(Rgb c) {
  backColor_ = c;
  window_->client()->update();
}

int Form::Width() const {
  return ScreenWidth();
}
int Form::Height() const {
  return ScreenHeight();
}
int Form::ScaleWidth() const {
  return ToTwips(window_->client()->width());
}
int Form::ScaleHeight() const {
  return ToTwips(window_->client()->height());
}

void Form::PopupMenu(MenuItem &menu, double x, double y, bool centreX) {
  HandlerScope handling;
  // A popup that opens as its screen comes up holds the keyboard while the window system gives
  // that screen the focus, and Qt then never learns of it: no control would take or show the
  // focus. The popup waits a moment for the screen to become the active window.
  if (window_->isVisible() && !window_->isActiveWindow() && QGuiApplication::platformName() != "offscreen") {
    QElapsedTimer waited;
    waited.start();
    awaitingActivation = true;
    while (!window_->isActiveWindow() && waited.elapsed() < 500)
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    awaitingActivation = false;
  }
  if (MenuItem *chosen = Services().ChoosePopup(menu, ClearPlaceFor(menu, PopupPlace{x, y, centreX})))
    chosen->PerformClick();
}

namespace {
Control *ControlOf(const Container &c, QWidget *w) {
  for (Control *child : c.Children()) {
    if (child->Widget() == w) return child;
    if (auto *frame = dynamic_cast<Frame *>(child))
      if (Control *hit = ControlOf(*frame, w)) return hit;
  }
  return nullptr;
}
} // namespace

void Form::SetTabOrder(const std::vector<Control *> &order) {
  tabOrder_ = order;
}

std::vector<QWidget *> Form::TabSequence() const {
  std::vector<QWidget *> seq;
  for (Control *c : tabOrder_)
    if (c && c->Widget()) seq.push_back(c->Widget());
  QWidget *client = window_->client();
  for (QWidget *w = client->nextInFocusChain(); w && w != client; w = w->nextInFocusChain())
    if (client->isAncestorOf(w) && std::find(seq.begin(), seq.end(), w) == seq.end()) seq.push_back(w);
  return seq;
}

bool Form::TakesTab(QWidget *w) const {
  return w && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window_) && w->isEnabled() &&
         ControlOf(*this, w);
}

bool Form::MoveFocus(bool next) {
  const std::vector<QWidget *> seq = TabSequence();
  const auto n = static_cast<std::ptrdiff_t>(seq.size());
  if (n == 0) return false;
  QWidget *fw = window_->focusWidget();
  // Where the focus is: its own control, or the control holding the part that has it (a
  // list's box, a grid's cells), never the frame around it.
  std::ptrdiff_t at = -1;
  for (std::ptrdiff_t i = 0; i < n && at < 0; ++i)
    if (seq[static_cast<std::size_t>(i)] == fw) at = i;
  for (std::ptrdiff_t i = 0; i < n && at < 0; ++i) {
    QWidget *w = seq[static_cast<std::size_t>(i)];
    if (fw && w->isAncestorOf(fw) && (w->focusPolicy() & Qt::TabFocus)) at = i;
  }
  for (std::ptrdiff_t k = 1; k <= n; ++k) {
    std::ptrdiff_t i = at < 0 ? (next ? k - 1 : n - k) : ((at + (next ? k : -k)) % n + n) % n;
    QWidget *w = seq[static_cast<std::size_t>(i)];
    if (!TakesTab(w)) continue;
    ControlOf(*this, w)->SetFocus();
    return true;
  }
  return false;
}

bool Form::FocusOnScreen() const {
  QWidget *fw = window_->focusWidget();
  return !fw || fw == window_->client() || fw == window_;
}

void Form::PopupMenuAtClick(MenuItem &menu, double x, double y, bool centreX) {
  if (click_)
    PopupMenu(menu, click_->x, click_->y, false);
  else
    PopupMenu(menu, x, y, centreX);
}

void Form::HandleClickAt(std::optional<ClickPoint> at, const std::function<void()> &handler) {
  // The handler may unload the form; the scope keeps it in memory until after the last line.
  HandlerScope handling;
  const std::optional<ClickPoint> outer = click_;
  click_ = at;
  handler();
  click_ = outer;
}

namespace {

// The places, in pixels of the form's client area, of the visible controls that act when
// clicked or typed into; labels and frames do not (a frame's controls do).
// The part of the client area on the desktop's screen (the toolkit moves a menu that would
// reach past the screen's edge, perhaps over a control).
QRect ShownArea(QWidget *client) {
  QRect area = client->rect();
  if (QGuiApplication::platformName() == "offscreen") return area;
  if (QScreen *screen = client->screen()) {
    const QRect avail = screen->availableGeometry();
    area &= QRect(client->mapFromGlobal(avail.topLeft()), avail.size());
  }
  return area;
}

void CollectActiveControls(const Container &c, QWidget *client, std::vector<QRect> &out) {
  for (Control *child : c.Children()) {
    QWidget *w = child->Widget();
    if (!w || !w->isVisibleTo(client)) continue;
    if (auto *frame = dynamic_cast<Frame *>(child)) {
      CollectActiveControls(*frame, client, out);
      continue;
    }
    if (dynamic_cast<Label *>(child)) continue;
    out.emplace_back(w->mapTo(client, QPoint(0, 0)), w->size());
  }
}

} // namespace

QPoint Form::ClearSubmenuPlace(const QRect &parentMenu, const QSize &size, const QPoint &want) {
  QWidget *client = ClientWidget();
  std::vector<QRect> taken;
  CollectActiveControls(*this, client, taken);
  const QPoint origin = client->mapToGlobal(QPoint(0, 0));
  const QRect area = ShownArea(client).translated(origin);
  auto clear = [&](const QRect &r) {
    if (!area.contains(r)) return false;
    for (QRect t : taken)
      if (r.intersects(t.translated(origin))) return false;
    return true;
  };
  if (clear(QRect(want, size))) return want;
  std::optional<QPoint> best;
  long long bestDistance = 0;
  for (int x : {parentMenu.right() + 1, parentMenu.left() - size.width()})
    for (int y = area.top(); y + size.height() <= area.bottom() + 1; y += 4) {
      const QPoint p(x, y);
      const long long dx = x - want.x(), dy = y - want.y();
      const long long d = dx * dx + dy * dy;
      if ((best && d >= bestDistance) || !clear(QRect(p, size))) continue;
      best = p;
      bestDistance = d;
    }
  return best ? *best : want;
}

PopupPlace Form::ClearPlaceFor(MenuItem &menu, const PopupPlace &asked) {
  QMenu probe;
  FillQMenu(&probe, menu, false);
  if (probe.isEmpty()) return asked;
  const QSize size = probe.sizeHint();
  QWidget *client = ClientWidget();
  const QRect area = ShownArea(client);
  std::vector<QRect> taken;
  CollectActiveControls(*this, client, taken);
  auto clear = [&](QPoint topLeft) {
    const QRect r(topLeft, size);
    if (!area.contains(r)) return false;
    for (const QRect &t : taken)
      if (r.intersects(t)) return false;
    return true;
  };
  const QPoint want(ToPixels(asked.x) - (asked.centreX ? size.width() / 2 : 0), ToPixels(asked.y));
  if (clear(want)) return asked;
  // The nearest clear corner, searched on a fine lattice of the client area.
  const int step = 4;
  std::optional<QPoint> best;
  long long bestDistance = 0;
  for (int y = area.top(); y + size.height() <= area.bottom() + 1; y += step)
    for (int x = area.left(); x + size.width() <= area.right() + 1; x += step) {
      const QPoint p(x, y);
      const long long dx = x - want.x(), dy = y - want.y();
      const long long d = dx * dx + dy * dy;
      if (best && d >= bestDistance) continue;
      if (!clear(p)) continue;
      best = p;
      bestDistance = d;
    }
  // With no clear place at all the menu opens where it was asked for.
  if (!best) return asked;
  return PopupPlace{static_cast<double>(ToTwips(best->x())), static_cast<double>(ToTwips(best->y())), false};
}

void Unload(Form &form) {
  if (!form.loaded_) return;
  HandlerScope handling;
  form.Form_Unload();
  if (!form.loaded_) return;
  Forms::Unloading(form);
}

void Forms::Loading(Form &form) {
  R().loaded.push_back(&form);
  R().ended = false;
}

void Forms::Unloading(Form &form) {
  Registry &r = R();
  form.loaded_ = false;
  form.paintPending_ = false;
  r.loaded.erase(std::remove(r.loaded.begin(), r.loaded.end(), &form), r.loaded.end());
  if (r.active == &form) r.active = nullptr;
  form.window_->hide();
  for (auto it = r.instances.begin(); it != r.instances.end(); ++it)
    if (it->second.get() == &form) {
      r.unloaded.push_back(std::move(it->second));
      r.instances.erase(it);
      break;
    }
  if (r.handlersRunning == 0) FreeUnloadedForms();
  if (r.loaded.empty()) {
    r.ended = true;
    if (r.endHandler)
      r.endHandler();
    else if (QCoreApplication::instance())
      QCoreApplication::exit(r.exitStatus);
  }
}

void Forms::SetActive(Form *form) {
  Registry &r = R();
  if (r.active == form) return;
  r.active = form;
  if (form && form->loaded_) form->Form_Activate();
}

const std::vector<Form *> &Forms::Loaded() {
  return R().loaded;
}

void Forms::UnloadAllButLast() {
  while (R().loaded.size() > 1)
    Unload(*R().loaded.front());
}

Form *Forms::Active() {
  return R().active;
}

void Forms::SetProgramEndHandler(std::function<void()> handler) {
  R().endHandler = std::move(handler);
}
bool Forms::ProgramEnded() {
  return R().ended;
}

int Forms::Run() {
  if (R().ended || R().loaded.empty()) return R().exitStatus;
  return QApplication::exec();
}

void Forms::SetExitStatus(int status) {
  R().exitStatus = status;
}
int Forms::ExitStatus() {
  return R().exitStatus;
}

void Forms::DoEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void Forms::Clear() {
  Registry &r = R();
  r.loaded.clear();
  r.active = nullptr;
  for (auto &[type, form] : r.instances)
    form->loaded_ = false;
  r.instances.clear();
  r.unloaded.clear();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  r.ended = false;
  r.exitStatus = 0;
}

Form *Forms::Find(std::type_index type) {
  auto it = R().instances.find(type);
  return it == R().instances.end() ? nullptr : it->second.get();
}

void Forms::Adopt(std::type_index type, std::unique_ptr<Form> form) {
  R().instances[type] = std::move(form);
}

} // namespace quon
