#include "platform/ui/desktop_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMimeDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/ui/qt_support.h"

namespace quon {

namespace {

QWidget *DialogParent() {
  Form *f = Forms::Active();
  return f ? f->ClientWidget()->window() : QApplication::activeWindow();
}

// "Text|*.txt|All|*.*" as Qt writes it: "Text (*.txt);;All (*.*)".
QString QtFilter(const std::string &filter) {
  QStringList parts = Q(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    out << parts[i] + " (" + parts[i + 1].replace(';', ' ') + ")";
  return out.join(";;");
}

QString StartPath(const FileDialogRequest &r) {
  QString dir = Q(r.initialDir);
  if (dir.isEmpty() || !QDir(dir).exists()) dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::homePath();
  if (r.fileName.empty()) return dir;
  return dir + "/" + Q(r.fileName);
}

// The dialogs' icons and type names come from an entry's name alone. The toolkit's own
// provider reads a file's content to tell its type, on the program's one thread, and a read of
// some files never returns (/proc/kmsg waits for the next kernel message): a dialog that lists
// such a folder, or completes a name typed into it, would hang the program with the problem.
class NameOnlyIconProvider : public QFileIconProvider {
public:
  QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
  QIcon icon(const QFileInfo &info) const override {
    if (info.isRoot()) return QFileIconProvider::icon(Drive);
    return QFileIconProvider::icon(info.isDir() ? Folder : File);
  }
  QString type(const QFileInfo &info) const override {
    if (info.isRoot()) return QObject::tr("Drive");
    if (info.isDir()) return QObject::tr("Folder");
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(info.fileName());
    return types.isEmpty() ? QObject::tr("File") : types.first().comment();
  }
};

NameOnlyIconProvider &NameOnlyIcons() {
  static NameOnlyIconProvider provider;
  return provider;
}

// The Save As dialog reads a typed name holding double quotes as a list of quoted names and
// keeps the first ("na "me" x.txt" would save "me.txt"); such a name is refused in the dialog,
// which stays open for another.
class SaveDialog : public QFileDialog {
public:
  using QFileDialog::QFileDialog;
  void accept() override {
    const auto *edit = findChild<QLineEdit *>("fileNameEdit");
    if (edit && edit->text().contains('"')) {
      QMessageBox::warning(this, windowTitle(),
                           "The name " + edit->text() +
                               " holds a double quote (\"), which a file name typed here cannot hold.  "
                               "Choose a name without one.");
      return;
    }
    QFileDialog::accept();
  }
};

// A file dialog is there for a name to be typed: it opens with the keyboard in its name box,
// and keeps the keyboard while it is open. The Open dialog comes up as the input screen does,
// and the window system may make that screen the active window after the dialog; keys then
// went to the screen, which the dialog blocks, and a typed name went nowhere. A click or a Tab
// that leaves the keyboard on the dialog's file lists or buttons does not take typed text
// from the name box either: the lists' type-ahead would pick another file than the name typed
// ("tp_3" picking tp_3x4.txt), and Return open it. The lists keep their moving keys (arrows,
// Return, Space) and a click still picks a file into the name box.
class NameBoxKeepsKeyboard : public QObject {
public:
  explicit NameBoxKeepsKeyboard(QFileDialog *dialog) : QObject(dialog), dialog_(dialog) {
    dialog->installEventFilter(this);
    qApp->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *watched, QEvent *e) override {
    if (e->type() == QEvent::KeyPress && TakeText(watched, *static_cast<QKeyEvent *>(e))) return true;
    if (e->type() == QEvent::Show && watched == dialog_) {
      Focus();
      QTimer::singleShot(0, this, [this] { Focus(); });
    } else if (e->type() == QEvent::WindowActivate && watched != dialog_ && dialog_->isVisible() &&
               QApplication::activeModalWidget() == dialog_) {
      if (auto *w = qobject_cast<QWidget *>(watched); w && w->isWindow() && !dialog_->isAncestorOf(w))
        QTimer::singleShot(0, this, [this] {
          dialog_->raise();
          dialog_->activateWindow();
          Focus();
        });
    }
    return false;
  }

private:
  QLineEdit *NameBox() const { return dialog_->findChild<QLineEdit *>("fileNameEdit"); }

  void Focus() {
    QLineEdit *edit = NameBox();
    if (!edit || !dialog_->isVisible()) return;
    // Keys at the screen below reach the dialog again once it is the active window.
    if (QApplication::activeWindow() != dialog_) dialog_->activateWindow();
    if (!edit->hasFocus()) edit->setFocus(Qt::OtherFocusReason);
  }

  // A character typed at a part of the dialog that holds no text of its own goes to the name
  // box, and the keyboard with it.
  bool TakeText(QObject *watched, const QKeyEvent &k) {
    if (forwarding_ || QApplication::activeModalWidget() != dialog_ || QApplication::activePopupWidget())
      return false;
    auto *w = qobject_cast<QWidget *>(watched);
    QLineEdit *edit = NameBox();
    if (!w || !edit || !edit->isVisible() || w == edit || !dialog_->isAncestorOf(w) || w->isAncestorOf(edit))
      return false;
    // A box of text (a renamed entry's, an editable list's) keeps what is typed into it.
    for (QWidget *p = w; p && p != dialog_; p = p->parentWidget())
      if (qobject_cast<QLineEdit *>(p)) return false;
    const QString text = k.text();
    const Qt::KeyboardModifiers other =
        k.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (text.isEmpty() || other != Qt::NoModifier || !text.at(0).isPrint() || text.at(0).isSpace()) return false;
    edit->setFocus(Qt::OtherFocusReason);
    QKeyEvent copy(k.type(), k.key(), k.modifiers(), text, k.isAutoRepeat(), k.count());
    forwarding_ = true;
    QApplication::sendEvent(edit, &copy);
    forwarding_ = false;
    return true;
  }

  QFileDialog *dialog_;
  bool forwarding_ = false;
};

} // namespace

std::unique_ptr<QFileDialog> MakeOpenFileDialog(const FileDialogRequest &r) {
  auto dialog = std::make_unique<QFileDialog>(DialogParent(), Q(r.title), StartPath(r), QtFilter(r.filter));
  dialog->setIconProvider(&NameOnlyIcons());
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  new NameBoxKeepsKeyboard(dialog.get());
  return dialog;
}

std::unique_ptr<QFileDialog> MakeSaveFileDialog(const FileDialogRequest &r) {
  auto dialog = std::make_unique<SaveDialog>(DialogParent(), Q(r.title), StartPath(r), QtFilter(r.filter));
  dialog->setIconProvider(&NameOnlyIcons());
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  // The dialog adds the extension itself, so its overwrite prompt asks about the file that
  // is then written.
  dialog->setDefaultSuffix(Q(DefaultExtension(r.filter)));
  if (!r.overwritePrompt) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  new NameBoxKeepsKeyboard(dialog.get());
  return dialog;
}

void WidenToTitle(QMessageBox &box) {
  // The window manager cuts a title wider than its window: the box is made wide enough for the
  // title in the title bar's (bold) font beside the bar's icon and buttons.
  QFont font = box.font();
  font.setBold(true);
  const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + 160;
  if (auto *layout = qobject_cast<QGridLayout *>(box.layout()))
    layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), layout->rowCount(),
                    0, 1, layout->columnCount());
}

namespace {

// Moves a cascading submenu, once the toolkit has placed it, to a place beside its parent
// clear of the controls of the screen beneath.
class SubmenuPlacer : public QObject {
public:
  SubmenuPlacer(QMenu *menu, Form *form) : QObject(menu), menu_(menu), form_(form) {}

protected:
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() != QEvent::Show || !form_) return false;
    auto *parent = qobject_cast<QMenu *>(menu_->parentWidget());
    if (!parent) return false;
    const QPoint at = form_->ClearSubmenuPlace(parent->geometry(), menu_->size(), menu_->pos());
    if (at != menu_->pos()) menu_->move(at);
    return false;
  }

private:
  QMenu *menu_;
  Form *form_;
};

// A question with Yes and No only has no answer that leaves things as they are: Escape and
// the window's close box, which would otherwise answer No, wait for Yes or No instead.
class AnswerRequired : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

class DesktopServices : public UserServices {
public:
  int MsgBox(const std::string &prompt, int style, const std::string &title) override {
    QMessageBox box(DialogParent());
    box.setWindowTitle(Q(title));
    box.setText(Q(prompt));
    switch (msg::Icon(style)) {
    case msg::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case msg::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case msg::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case msg::Information:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      box.setIcon(QMessageBox::NoIcon);
      break;
    }
    std::vector<int> answers = msg::AnswersOf(style);
    std::vector<QPushButton *> buttons;
    for (int a : answers) {
      // Each button answers to its first letter, with or without Alt.
      const char *text = a == msg::OK       ? "&OK"
                         : a == msg::Cancel ? "&Cancel"
                         : a == msg::Abort  ? "&Abort"
                         : a == msg::Retry  ? "&Retry"
                         : a == msg::Ignore ? "&Ignore"
                         : a == msg::Yes    ? "&Yes"
                                            : "&No";
      QMessageBox::ButtonRole role =
          a == msg::Cancel || a == msg::No ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
      buttons.push_back(box.addButton(QObject::tr(text), role));
    }
    std::size_t def = (style & msg::DefaultButton3) ? 2 : (style & msg::DefaultButton2) ? 1 : 0;
    if (def < buttons.size()) box.setDefaultButton(buttons[def]);
    int escape = msg::EscapeAnswer(style);
    for (std::size_t i = 0; i < answers.size(); ++i)
      if (answers[i] == escape) box.setEscapeButton(buttons[i]);
    WidenToTitle(box);
    AnswerRequired required;
    if (msg::Buttons(style) == msg::YesNo) box.installEventFilter(&required);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
      if (box.clickedButton() == buttons[i]) return answers[i];
    return escape;
  }

  void Beep() override { QApplication::beep(); }

  std::optional<std::string> OpenFileDialog(const FileDialogRequest &r) override {
    std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(r);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog->selectedFiles().first();
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  }

  std::optional<std::string> SaveFileDialog(const FileDialogRequest &r) override {
    std::unique_ptr<QFileDialog> dialog = MakeSaveFileDialog(r);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog->selectedFiles().first();
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  }

  void SetClipboardText(const std::string &text) override {
    memory_ = text;
    if (QClipboard *c = QGuiApplication::clipboard()) c->setText(Q(text));
  }

  std::string ClipboardText() override {
    // The system's text wins: another program may have replaced it since.
    if (QClipboard *c = QGuiApplication::clipboard()) {
      QString t = c->text();
      if (!t.isNull() && !t.isEmpty()) return t.toStdString();
    }
    return memory_;
  }

  MenuItem *ChoosePopup(MenuItem &menu, const PopupPlace &place) override {
    Form *f = Forms::Active();
    QMenu popup(f ? f->ClientWidget() : nullptr);
    FillQMenu(&popup, menu, false);
    if (popup.isEmpty()) return nullptr;
    if (f)
      for (QMenu *sub : popup.findChildren<QMenu *>()) sub->installEventFilter(new SubmenuPlacer(sub, f));
    QPoint at = f ? FormClientToGlobal(*f, place.x, place.y) : QPoint(ToPixels(place.x), ToPixels(place.y));
    if (place.centreX) at.rx() -= popup.sizeHint().width() / 2;
    QAction *chosen = popup.exec(at);
    if (!chosen) return nullptr;
    return static_cast<MenuItem *>(chosen->data().value<void *>());
  }

private:
  std::string memory_;
};

} // namespace

void InstallDesktopServices() {
  static DesktopServices services;
  InstallUserServices(&services);
}

void ChooseLogicalScreenFromDesktop() {
  QScreen *s = QGuiApplication::primaryScreen();
  if (!s) return;
  QSize size = s->geometry().size();
  ScreenSize logical = LogicalScreenFor(size.width(), size.height());
  SetLogicalScreen(logical.widthTwips, logical.heightTwips);
}

} // namespace quon
