// The Save As dialog takes a typed name as it stands or refuses it; it never saves under a
// part of it. Neither file dialog reads a file to name its type.
#include <QAbstractFileIconProvider>
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

// Both dialogs open with the keyboard in the name box, also when the screen below becomes the
// active window after the dialog came up (the Open dialog comes up with the input screen): a
// name typed at once lands in the box.
TEST(FileDialogs, ANameTypedAtOnceLandsInTheNameBox) {
  FileDialogRequest r;
  r.filter = "Text|*.txt";
  r.initialDir = std::filesystem::temp_directory_path().string();
  QWidget screen;
  auto *box = new QLineEdit(&screen);
  screen.show();
  box->setFocus();
  for (bool save : {false, true})
    for (bool screenActivatedLate : {false, true}) {
      r.title = save ? "Save As" : "Open";
      std::unique_ptr<QFileDialog> made = save ? MakeSaveFileDialog(r) : MakeOpenFileDialog(r);
      QFileDialog *dialog = made.release();
      dialog->setParent(&screen, dialog->windowFlags());
      dialog->setOption(QFileDialog::DontUseNativeDialog);
      if (screenActivatedLate) QTimer::singleShot(20, &screen, [&screen] { screen.activateWindow(); });
      QString typed;
      QTimer::singleShot(150, dialog, [dialog, &typed] {
        for (QChar c : QString("plan")) {
          QWidget *to = QApplication::focusWidget();
          if (!to) continue;
          QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
          QApplication::sendEvent(to, &press);
        }
        if (auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit")) typed = edit->text();
        dialog->reject();
      });
      dialog->exec();
      EXPECT_EQ(typed.toStdString(), "plan") << r.title << (screenActivatedLate ? " (screen activated late)" : "");
      EXPECT_TRUE(box->text().isEmpty());
      delete dialog;
    }
}

} // namespace
} // namespace quon
