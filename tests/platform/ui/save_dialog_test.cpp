// The Save As dialog takes a typed name as it stands or refuses it; it never saves under a
// part of it. Neither file dialog reads a file to name its type.
#include <QAbstractFileIconProvider>
#include <QAbstractItemView>
#include <QTest>
#include <QFileInfo>
#include <QApplication>
#include <QFileDialog>
#include <fstream>
#include <QLineEdit>
#include <QMessageBox>
#include <QKeyEvent>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/ui/desktop_services.h"

namespace quon {
namespace {

TEST(SaveDialog, ANameWithQuotesIsRefusedNotCut) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quon_save_dialog";
  std::filesystem::create_directories(dir);
  FileDialogRequest r;
  r.title = "Save As";
  r.filter = "Text|*.txt";
  r.initialDir = dir.string();
  r.overwritePrompt = true;
  std::unique_ptr<QFileDialog> dialog = MakeSaveFileDialog(r);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->show();
  auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
  ASSERT_NE(edit, nullptr);

  // The refusal is a message over the dialog; it is answered as soon as it shows.
  QString shown;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  answer.start(10);
  edit->setText("na \"me\" x.txt");
  QMetaObject::invokeMethod(dialog.get(), "accept");
  EXPECT_NE(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(shown.contains("double quote")) << shown.toStdString();

  edit->setText("plain name.txt");
  QMetaObject::invokeMethod(dialog.get(), "accept");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  ASSERT_EQ(dialog->selectedFiles().size(), 1);
  EXPECT_EQ(std::filesystem::path(dialog->selectedFiles().first().toStdString()).filename(),
            "plain name.txt");
  answer.stop();
  std::filesystem::remove_all(dir);
}

// A file whose content says PNG but whose name says nothing: the dialogs name it from the name
// alone. Reading content is what hangs a dialog on a file such as /proc/kmsg.
TEST(FileDialogs, NameTypesByFileNameOnly) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quon_icon_types";
  std::filesystem::create_directories(dir);
  const std::filesystem::path blob = dir / "status", text = dir / "plan.txt";
  std::ofstream(blob, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n", 8) << std::string(64, '\0');
  std::ofstream(text) << "3000\n";
  FileDialogRequest r;
  r.title = "Open";
  r.filter = "Text|*.txt";
  r.initialDir = dir.string();
  auto type = [](const QFileDialog &d, const std::filesystem::path &p) {
    return d.iconProvider()->type(QFileInfo(QString::fromStdString(p.string())));
  };
  for (bool save : {false, true}) {
    std::unique_ptr<QFileDialog> dialog = save ? MakeSaveFileDialog(r) : MakeOpenFileDialog(r);
    EXPECT_FALSE(type(*dialog, blob).contains("PNG", Qt::CaseInsensitive)) << type(*dialog, blob).toStdString();
    EXPECT_NE(type(*dialog, text), type(*dialog, blob));
    EXPECT_NE(type(*dialog, dir), type(*dialog, blob));
  }
  std::filesystem::remove_all(dir);
}

// Both dialogs take a path typed at once into the name box, wherever the keyboard was: on the
// name box as the dialog comes up, after the screen below became the active window after the
// dialog (the Open dialog comes up with the input screen), after a click that landed on the
// file list (a click meant for the button the dialog came up over) or a Tab away from the box.
// Return then gives the file typed, in an empty folder and in one holding problem files (keys
// left to the list's type-ahead went nowhere, or picked one of those files: tp_3x4.txt for "tp_3").
TEST(FileDialogs, APathTypedAtOnceIsTheFileChosen) {
  const std::filesystem::path root = std::filesystem::temp_directory_path() / "quon_typed_paths";
  std::filesystem::remove_all(root);
  for (const char *dir : {"empty", "problems", "elsewhere"})
    std::filesystem::create_directories(root / dir);
  for (const char *name : {"problems/tp_3x4.txt", "problems/tp_2x2.txt", "problems/lp.txt", "elsewhere/tp_3.txt"})
    std::ofstream(root / name) << "3000\n";
  FileDialogRequest r;
  r.filter = "Text|*.txt";
  QWidget screen;
  auto *box = new QLineEdit(&screen);
  screen.show();
  box->setFocus();
  enum class Keyboard { AtOnce, ScreenActivatedLate, ListClicked, Tabbed };
  for (bool save : {false, true})
    for (const char *folder : {"empty", "problems"})
      for (Keyboard was : {Keyboard::AtOnce, Keyboard::ScreenActivatedLate, Keyboard::ListClicked, Keyboard::Tabbed}) {
        SCOPED_TRACE(::testing::Message() << (save ? "Save As" : "Open") << " in " << folder << ", keyboard "
                                          << static_cast<int>(was));
        r.title = save ? "Save As" : "Open";
        r.initialDir = (root / folder).string();
        std::unique_ptr<QFileDialog> made = save ? MakeSaveFileDialog(r) : MakeOpenFileDialog(r);
        QFileDialog *dialog = made.release();
        dialog->setParent(&screen, dialog->windowFlags());
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        if (was == Keyboard::ScreenActivatedLate)
          QTimer::singleShot(20, &screen, [&screen] { screen.activateWindow(); });
        const QString path = QString::fromStdString((root / "elsewhere" / (save ? "tp_3 new.txt" : "tp_3.txt")).string());
        QTimer::singleShot(150, dialog, [dialog, was, &path] {
          if (was == Keyboard::ListClicked) {
            for (auto *view : dialog->findChildren<QAbstractItemView *>())
              if (view->isVisible() && (view->objectName() == "listView" || view->objectName() == "treeView"))
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(8, view->viewport()->height() - 8));
          } else if (was == Keyboard::Tabbed && QApplication::focusWidget()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
          }
          for (QChar c : path + "\r") {
            QWidget *to = QApplication::focusWidget();
            if (!to) continue;
            const int key = c == QChar('\r') ? int(Qt::Key_Return) : int(c.isLetter() ? c.toUpper().unicode() : c.unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, c == '\r' ? QString("\r") : QString(c));
            QApplication::sendEvent(to, &press);
          }
          // A dialog the keys did not answer is closed here, its name box as they left it.
          QTimer::singleShot(100, dialog, [dialog] {
            if (dialog->isVisible()) dialog->reject();
          });
        });
        const int result = dialog->exec();
        const QLineEdit *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
        EXPECT_EQ(result, QDialog::Accepted) << "name box: " << (edit ? edit->text().toStdString() : "");
        if (result == QDialog::Accepted) {
          ASSERT_EQ(dialog->selectedFiles().size(), 1);
          EXPECT_EQ(dialog->selectedFiles().first().toStdString(), path.toStdString());
        }
        EXPECT_TRUE(box->text().isEmpty());
        delete dialog;
      }
  std::filesystem::remove_all(root);
}

} // namespace
} // namespace quon
