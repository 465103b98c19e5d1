#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <QComboBox>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "platform/ui/desktop_services.h"

#include "test_form.h"

namespace quon::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(FormsTest, TextBoxKeysGoDownPressUpAndPressMayChangeOrDrop) {
  TestForm &f = frmTest();
  f.Show();
  Log().clear();
  f.Text1.Type("ax1");
  EXPECT_EQ(f.Text1.Text(), "A1"); // a raised to A, x dropped
  EXPECT_EQ(Log(), (Strings{"KeyDown 65", "KeyPress 97", "KeyUp 65", "KeyDown 88", "KeyPress 120", "KeyUp 88",
                            "KeyDown 49", "KeyPress 49", "KeyUp 49"}));
  // Enter and Tab reach all three events and are never inserted.
  Log().clear();
  f.Text1.PressKey(key::Return);
  EXPECT_EQ(Log(), (Strings{"KeyDown 13", "KeyPress 13", "KeyUp 13"}));
  EXPECT_EQ(f.Text1.Text(), "A1");
  // Backspace goes through KeyPress as 8 and deletes.
  f.Text1.PressKey(key::Back);
  EXPECT_EQ(f.Text1.Text(), "A");
  // Arrow keys have no character.
  Log().clear();
  f.Text1.PressKey(key::Left);
  EXPECT_EQ(Log(), (Strings{"KeyDown 37", "KeyUp 37"}));
}

TEST_F(FormsTest, TabMovesTheFocusOnlyWhereAHandlerSends) {
  TestForm &f = frmTest();
  f.Show();
  f.Text1.SetFocus();
  EXPECT_TRUE(f.Text1.HasFocus());
  f.Text1.PressKey(key::Tab);
  EXPECT_TRUE(f.Text1.HasFocus());
  f.tabTo = &f.Text2;
  f.Text1.PressKey(key::Tab);
  EXPECT_TRUE(f.Text2.HasFocus());
  EXPECT_EQ(f.ActiveControl(), &f.Text2);
  Log().clear();
  f.Text1.PressKey(key::Tab, key::ShiftMask);
  EXPECT_EQ(Log()[0], "KeyDown 9");
}

TEST_F(FormsTest, ABoxWithoutKeyHandlersLeavesTabAndReturnToTheScreen) {
  TestForm &f = frmTest();
  f.cmdDone.SetDefault(true);
  f.cmdInFrame.Click = [] { Log().push_back("cmdInFrame_Click"); };
  f.Show();
  f.Text2.SetFocus();
  f.Text2.PressKey(key::Tab);
  EXPECT_FALSE(f.Text2.HasFocus());
  f.Text2.SetFocus();
  Log().clear();
  f.Text2.PressKey(key::Return);
  EXPECT_EQ(Log(), (Strings{"cmdDone_Click"}));
  EXPECT_EQ(f.Text2.Text(), "");
  // A disabled default button is not pressed; Return on a button presses that button.
  f.cmdDone.SetEnabled(false);
  Log().clear();
  f.Text2.PressKey(key::Return);
  EXPECT_TRUE(Log().empty());
  f.cmdInFrame.SetFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(f.cmdInFrame.Widget(), &press);
  EXPECT_EQ(Log(), (Strings{"cmdInFrame_Click"}));
  // Return on a control that does not take it reaches the screen, which presses its default.
  f.cmdDone.SetEnabled(true);
  Log().clear();
  QKeyEvent onOption(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(f.Option1.Widget(), &onOption);
  EXPECT_EQ(Log(), (Strings{"cmdDone_Click"}));
}

TEST_F(FormsTest, AltKeysAreTheScreensAndKeysWithoutACharacterHaveTheirOwnCodes) {
  TestForm &f = frmTest();
  f.cmdDone.SetAccessKey('M');
  f.Show();
  EXPECT_EQ(f.cmdDone.Caption(), "MAIN Menu");
  Log().clear();
  // Alt and a letter press the button with that access key, or do nothing; the box never
  // sees them.
  f.Text1.PressKey('M', key::AltMask);
  f.Text1.PressKey('Q', key::AltMask);
  EXPECT_EQ(Log(), (Strings{"cmdDone_Click"}));
  EXPECT_EQ(f.Text1.Text(), "");
  // Caps Lock, Num Lock and Scroll Lock are not Home, Left and Up.
  for (auto [qtKey, code] : {std::pair{Qt::Key_CapsLock, 20}, {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145}}) {
    Log().clear();
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(f.Text1.Widget(), &press);
    EXPECT_EQ(Log(), (Strings{"KeyDown " + std::to_string(code)}));
  }
}

// The mark shows whatever the style painted under it: options and boxes on a blue screen are
// drawn in the style's grey, where a ring in the one colour chosen for blue would vanish; and a
// grid's current cell in white on bright green, where a ring in its text colour would.
TEST_F(FormsTest, EveryControlThatTakesTheFocusShowsIt) {
  // Brightness as the eye sees it: white on bright green is faint.
  auto Luma = [](QRgb p) { return (299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p)) / 1000; };
  TestForm &f = frmTest();
  f.Option1.SetBackColor(kBlue);
  f.Check1.SetBackColor(kBlue);
  f.grid1.SetRow(1);
  f.grid1.SetCol(1);
  f.grid1.SetCellBackColor(kGreen);
  f.grid1.SetCellForeColor(kWhite);
  f.Show();
  f.ClientWidget()->window()->activateWindow();
  Forms::DoEvents();
  for (Control *c :
       std::initializer_list<Control *>{&f.cmdDone, &f.Option1, &f.Check1, &f.Text2, &f.Combo1, &f.List1, &f.grid1}) {
    (c == &f.grid1 ? static_cast<Control &>(f.cmdDone) : f.grid1).SetFocus();
    Forms::DoEvents();
    const QImage without = c->Widget()->grab().toImage();
    c->SetFocus();
    Forms::DoEvents();
    ASSERT_TRUE(c->Widget()->hasFocus()) << c->Name();
    const QImage with = c->Widget()->grab().toImage();
    EXPECT_NE(with, without) << c->Name();
    if (c == &f.Text2) continue; // the style's own frame
    int contrast = 0;
    for (int y = 0; y < with.height(); ++y)
      for (int x = 0; x < with.width(); ++x)
        contrast = std::max(contrast, std::abs(Luma(with.pixel(x, y)) - Luma(without.pixel(x, y))));
    EXPECT_GT(contrast, 120) << c->Name();
  }
}

TEST_F(FormsTest, MessageBoxButtonsAnswerToTheirLetters) {
  UserServices *scripted = InstallUserServices(nullptr);
  InstallDesktopServices();
  const struct {
    int style;
    char letter;
    int answer;
  } cases[] = {{msg::YesNo, 'n', msg::No},          {msg::YesNoCancel, 'y', msg::Yes},
               {msg::YesNoCancel, 'c', msg::Cancel}, {msg::OKCancel, 'o', msg::OK},
               {msg::RetryCancel, 'r', msg::Retry}};
  for (const auto &c : cases) {
    QTimer::singleShot(0, [letter = c.letter] {
      QWidget *box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (letter - 'a'), Qt::NoModifier, QString(QChar(letter)));
      QApplication::sendEvent(box, &press);
    });
    EXPECT_EQ(Services().MsgBox("Do you wish to save data?", c.style, "Save?"), c.answer) << c.letter;
  }
  // A question of Yes and No only stays up through Escape and its close box; with a Cancel,
  // Escape cancels.
  for (const auto &[style, answer] : {std::pair{msg::YesNo, msg::Yes}, {msg::YesNoCancel, msg::Cancel}}) {
    QTimer::singleShot(0, [] {
      QWidget *box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : box, &escape);
      QTimer::singleShot(0, [box] {
        if (QApplication::activeModalWidget() != box) return;
        box->close();
        QTimer::singleShot(0, [box] {
          if (QApplication::activeModalWidget() != box) return;
          QKeyEvent yes(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, "y");
          QApplication::sendEvent(box, &yes);
        });
      });
    });
    EXPECT_EQ(Services().MsgBox("Do you wish to save data?", style, "Save?"), answer) << style;
  }
  InstallUserServices(scripted);
}

TEST_F(FormsTest, SelectionStartAndLength) {
  TestForm &f = frmTest();
  f.Text1.SetText("100");
  f.Text1.SetFocus();
  f.Text1.SetSelStart(0);
  f.Text1.SetSelLength(static_cast<int>(f.Text1.Text().size()));
  EXPECT_EQ(f.Text1.SelText(), "100");
  EXPECT_EQ(f.Text1.SelLength(), 3);
  // Typing replaces the selection.
  f.Text1.Type("7");
  EXPECT_EQ(f.Text1.Text(), "7");
  f.Text1.SetSelStart(1);
  EXPECT_EQ(f.Text1.SelStart(), 1);
  EXPECT_EQ(f.Text1.SelLength(), 0);
  f.Text1.SetSelLength(10); // cut at the end of the text
  EXPECT_EQ(f.Text1.SelLength(), 0);
}

TEST_F(FormsTest, ClickAndDoubleClickOnATextBox) {
  TestForm &f = frmTest();
  f.Show();
  Forms::DoEvents();
  Log().clear();
  QWidget *w = f.Text1.Widget();
  QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
  QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
  QApplication::sendEvent(w, &dbl);
  QApplication::sendEvent(w, &release);
  EXPECT_EQ(Log(), (Strings{"Text1_Click", "Text1_DblClick", "Text1_Click"}));
}

TEST_F(FormsTest, LabelsShowDoubledAmpersandsOnce) {
  TestForm &f = frmTest();
  EXPECT_EQ(static_cast<QLabel *>(f.Label1.Widget())->text().toStdString(), "B&B search");
  EXPECT_EQ(f.Label1.Caption(), "B&&B search");
  f.Label1.PerformClick();
  EXPECT_EQ(Log().back(), "Label1_Click");
}

TEST_F(FormsTest, OptionButtonsAreExclusiveInTheirFrameAndClickWhenChosen) {
  TestForm &f = frmTest();
  Log().clear();
  f.Option1.SetValue(true);
  EXPECT_EQ(Log(), Strings{"Option1_Click"});
  f.Option2.PerformClick();
  EXPECT_TRUE(f.Option2.Value());
  EXPECT_FALSE(f.Option1.Value());
  EXPECT_EQ(Log().back(), "Option2_Click");
  f.Option2.SetValue(false);
  EXPECT_FALSE(f.Option2.Value());
}

TEST_F(FormsTest, CheckBoxValueAndClick) {
  TestForm &f = frmTest();
  Log().clear();
  EXPECT_EQ(f.Check1.Value(), 0);
  f.Check1.SetValue(1);
  EXPECT_EQ(f.Check1.Value(), 1);
  EXPECT_EQ(Log(), Strings{"Check1_Click"});
  f.Check1.SetEnabled(false);
  f.Check1.PerformClick();
  EXPECT_EQ(f.Check1.Value(), 1);
  f.Check1.SetEnabled(true);
  f.Check1.PerformClick();
  EXPECT_EQ(f.Check1.Value(), 0);
}

TEST_F(FormsTest, SettingAListIndexFromCodeRaisesItsClick) {
  TestForm &f = frmTest();
  f.Combo1.AddItem("Output summary");
  f.Combo1.AddItem("Iterations");
  EXPECT_EQ(f.Combo1.ListCount(), 2);
  EXPECT_EQ(f.Combo1.ListIndex(), -1);
  EXPECT_EQ(f.Combo1.Text(), "            ?");
  Log().clear();
  f.Combo1.SetListIndex(1);
  EXPECT_EQ(Log(), Strings{"Combo1_Click 1"});
  EXPECT_EQ(f.Combo1.Text(), "Iterations");
  // The user's choice raises the same event.
  auto *combo = static_cast<QComboBox *>(f.Combo1.Widget());
  emit combo->activated(0);
  EXPECT_EQ(Log().back(), "Combo1_Click 0");
  EXPECT_EQ(combo->currentIndex(), 0);
  // Removing the chosen item leaves no choice; clearing empties the list.
  f.Combo1.RemoveItem(0);
  EXPECT_EQ(f.Combo1.ListIndex(), -1);
  EXPECT_EQ(f.Combo1.List(0), "Iterations");
  f.Combo1.Clear();
  EXPECT_EQ(f.Combo1.ListCount(), 0);
  f.Combo1.SetListIndex(3); // out of range: no choice, no click
  EXPECT_EQ(f.Combo1.ListIndex(), -1);
  // Text of an item chooses it without a click.
  f.Combo1.AddItem("u1=0");
  f.Combo1.AddItem("v1=0");
  Log().clear();
  f.Combo1.SetText("u1=0");
  EXPECT_EQ(f.Combo1.ListIndex(), 0);
  EXPECT_TRUE(Log().empty());
  f.List1.AddItem("N1");
  f.List1.AddItem("N2");
  f.List1.AddItem("N0", 0);
  f.List1.SetListIndex(2);
  EXPECT_EQ(Log().back(), "List1_Click N2");
}

TEST_F(FormsTest, PictureBoxResizesPaintsAndDrawsInItsScale) {
  TestForm &f = frmTest();
  f.Show();
  Forms::DoEvents();
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "pic_Paint"), 1);
  EXPECT_DOUBLE_EQ(f.picGraph.ScaleWidth(), 10);
  EXPECT_DOUBLE_EQ(f.picGraph.ScaleHeight(), -10);
  QImage shot = f.picGraph.Widget()->grab().toImage();
  // y grows upwards: (5, 5) is the middle, the line runs from bottom left to top right.
  EXPECT_EQ(shot.pixelColor(150, 100), QColor(Qt::green));
  EXPECT_EQ(shot.pixelColor(30, 180), QColor(Qt::red));
  Log().clear();
  f.picGraph.Move(8400, 300, 6000, 3000);
  Forms::DoEvents();
  EXPECT_EQ(Log(), (Strings{"pic_Resize", "pic_Paint"}));
}

} // namespace
} // namespace quon::testing
