#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "platform/ui/desktop_services.h"
#include "test_form.h"

namespace quon::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(FormsTest, LoadOnFirstUseThenActivateAndPaintAfterShow) {
  TestForm &f = frmTest();
  EXPECT_EQ(Log(), Strings{"Load"});
  EXPECT_TRUE(f.Loaded());
  EXPECT_EQ(&frmTest(), &f); // one program-wide instance
  f.Show();
  EXPECT_EQ(Log(), (Strings{"Load", "Resize", "Activate"}));
  Forms::DoEvents();
  auto paint = std::find(Log().begin(), Log().end(), "Paint");
  ASSERT_NE(paint, Log().end());
  EXPECT_GE(paint - Log().begin(), 3); // after Activate
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "Paint"), 1);
  // Showing it again neither loads nor activates it again.
  Log().clear();
  f.Show();
  Forms::DoEvents();
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "Load"), 0);
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "Activate"), 0);
}

TEST_F(FormsTest, FormFillsTheLogicalScreen) {
  SetLogicalScreen(12000, 9000);
  TestForm &f = frmTest();
  f.Show();
  EXPECT_EQ(f.Width(), 12000);
  QWidget *window = f.ClientWidget()->window();
  EXPECT_EQ(window->width(), 800);
  EXPECT_EQ(window->height(), 600);
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(f.Caption(), "QUON  ");
  EXPECT_EQ(window->windowTitle().toStdString(), "QUON  ");
  // The menu bar takes room above the client area.
  EXPECT_LT(f.ScaleHeight(), 9000);
  EXPECT_EQ(f.ScaleWidth(), 12000);
}

TEST_F(FormsTest, ControlsLieWhereTheirTwipsPutThem) {
  TestForm &f = frmTest();
  f.Show();
  EXPECT_EQ(f.Label1.Widget()->x(), 100);
  EXPECT_EQ(f.Label1.Widget()->y(), 20);
  EXPECT_EQ(f.cmdDone.Widget()->geometry(), QRect(100, 200, 105, 25));
  // Inside a frame, positions count from the frame's corner.
  EXPECT_EQ(f.Option2.Widget()->pos(), QPoint(16, 40));
  EXPECT_EQ(f.Option2.Widget()->mapTo(f.ClientWidget(), QPoint(0, 0)), QPoint(116, 100));
  // Moving at run time.
  f.cmdDone.Move(3000, 4500, 1500, 450);
  EXPECT_EQ(f.cmdDone.Widget()->geometry(), QRect(200, 300, 100, 30));
  EXPECT_EQ(f.cmdDone.Left(), 3000);
  f.cmdDone.SetWidth(3000);
  EXPECT_EQ(f.cmdDone.Widget()->width(), 200);
}

TEST_F(FormsTest, LaterControlsLieInFrontUnlessReordered) {
  TestForm &f = frmTest();
  f.Show();
  // An editor laid over the grid must be in front of it to be seen.
  f.Text2.Move(f.grid1.Left() + f.grid1.CellLeft(), f.grid1.Top() + f.grid1.CellTop(), 900, 240);
  QPoint inside = f.Text2.Widget()->geometry().center();
  EXPECT_EQ(f.ClientWidget()->childAt(inside),
            static_cast<QAbstractScrollArea *>(f.grid1.Widget())->viewport());
  f.Text2.ZOrder(0);
  EXPECT_EQ(f.ClientWidget()->childAt(inside), f.Text2.Widget());
  f.Text2.ZOrder(1);
  EXPECT_NE(f.ClientWidget()->childAt(inside), f.Text2.Widget());
}

TEST_F(FormsTest, VisibleAndEnabledAtRunTime) {
  TestForm &f = frmTest();
  f.Show();
  f.Frame1.SetVisible(false);
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_FALSE(f.cmdInFrame.Widget()->isVisible());
  EXPECT_TRUE(f.cmdInFrame.Visible()); // its own setting stays
  f.Frame1.SetVisible(true);
  EXPECT_TRUE(f.cmdInFrame.Widget()->isVisible());
  f.cmdDone.SetEnabled(false);
  f.cmdDone.PerformClick();
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "cmdDone_Click"), 0);
  f.cmdDone.SetEnabled(true);
  static_cast<QAbstractButton *>(f.cmdDone.Widget())->click(); // the real widget
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "cmdDone_Click"), 1);
}

TEST_F(FormsTest, UnloadInsideItsOwnHandlerIsSafeAndEndsTheProgramWhenLast) {
  TestForm &f = frmTest();
  f.Show();
  Forms::DoEvents();
  Log().clear();
  static_cast<QAbstractButton *>(f.cmdUnload.Widget())->click();
  EXPECT_EQ(Log(), (Strings{"cmdUnload_Click", "Unload", "after Unload"}));
  EXPECT_FALSE(f.Loaded());
  EXPECT_TRUE(Forms::Loaded().empty());
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(Forms::ProgramEnded());
  Forms::DoEvents(); // the old instance goes now
  // The next use makes a fresh instance in its design state.
  Log().clear();
  TestForm &again = frmTest();
  EXPECT_EQ(Log(), Strings{"Load"});
  EXPECT_EQ(again.Combo1.ListCount(), 0);
  EXPECT_FALSE(Forms::ProgramEnded());
}

TEST_F(FormsTest, LoadedFormsOldestFirstAndUnloadingAllButOne) {
  frmOther();
  TestForm &t = frmTest();
  ASSERT_EQ(Forms::Loaded().size(), 2u);
  EXPECT_EQ(Forms::Loaded()[0]->Name(), "frmOther");
  EXPECT_EQ(Forms::Loaded()[1]->Name(), "frmTest");
  UnloadForm<OtherForm>();
  UnloadForm<OtherForm>(); // not loaded: nothing happens, nothing is created
  EXPECT_FALSE(IsLoaded<OtherForm>());
  frmOther();
  Forms::UnloadAllButLast();
  ASSERT_EQ(Forms::Loaded().size(), 1u);
  EXPECT_EQ(Forms::Loaded()[0], &frmOther());
  EXPECT_FALSE(t.Loaded());
  EXPECT_EQ(ended, 0);
  Forms::UnloadAllButLast(); // only one: nothing
  EXPECT_EQ(Forms::Loaded().size(), 1u);
}

TEST_F(FormsTest, ShowingAnotherFormActivatesIt) {
  frmTest().Show();
  frmOther().Show();
  EXPECT_EQ(Forms::Active(), &frmOther());
  Log().clear();
  frmTest().Show();
  EXPECT_EQ(Log(), Strings{"Activate"});
}

TEST_F(FormsTest, RetainedDrawingStaysUntilCleared) {
  TestForm &f = frmTest();
  f.Show();
  Forms::DoEvents();
  QImage shot = f.ClientWidget()->grab().toImage();
  // The white frame of the paint handler at (0.015 W, 0.0135 H) = pixel (15, 10).
  EXPECT_EQ(shot.pixelColor(15, 40), QColor(Qt::white));
  EXPECT_EQ(shot.pixelColor(5, 40), QColor(Qt::blue));
  f.Clear();
  shot = f.ClientWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(15, 40), QColor(Qt::blue));
  // Refresh raises Paint again.
  Log().clear();
  f.Refresh();
  EXPECT_EQ(Log(), Strings{"Paint"});
  EXPECT_GT(f.TextWidth("Title: "), 0);
  EXPECT_GT(f.TextHeight("K"), 0);
}

TEST_F(FormsTest, ClickOnTheFormPopsUpItsMenu) {
  TestForm &f = frmTest();
  f.Show();
  script.ChoosePopup({"Network models", "Maximal Flow"}).DismissPopup();
  f.PerformClick();
  f.PerformClick();
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "mnuPick_Click"), 1);
  ASSERT_EQ(script.Shown().size(), 2u);
  // The hidden item is not shown; the invisible top-level menu pops up all the same.
  EXPECT_EQ(script.Shown()[0].text, "             MAIN\n-\nNetwork models\n  Maximal Flow\n");
  // Asked for at (7680, 3491), it would lie over the grid: it opens beside it.
  EXPECT_EQ(CoveredBy(f, f.mnuPopup, PopupPlace{7680, 3491, true}), "QAbstractScrollArea");
  EXPECT_EQ(CoveredBy(f, f.mnuPopup, script.Shown()[0].place), "");
  EXPECT_NEAR(script.Shown()[0].place.y, 3491, 3000);
  // A click opens it where it landed, when that is clear.
  script.DismissPopup();
  f.PerformClick(300, 8000);
  EXPECT_EQ(script.Shown()[2].place.x, 300);
  EXPECT_EQ(script.Shown()[2].place.y, 8000);
  EXPECT_FALSE(script.Shown()[2].place.centreX);
}

// In the real popup the arrow keys pass over the title line: the first Down highlights the
// first item that does something, and a count of Downs lands where it was counted.
TEST_F(FormsTest, ArrowKeysPassOverAPopupsTitleLine) {
  TestForm &f = frmTest();
  f.Show();
  InstallDesktopServices();
  std::vector<std::string> highlighted;
  auto press = [](QWidget *w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  };
  QTimer::singleShot(100, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu) return;
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down}) {
      press(menu, key);
      highlighted.push_back(menu->activeAction() ? menu->activeAction()->text().toStdString() : "");
    }
    menu->close();
  });
  f.PerformClick();
  InstallUserServices(&script);
  EXPECT_EQ(highlighted, (std::vector<std::string>{"Network models", "Network models", "Network models"}));
  EXPECT_TRUE(Log().empty() || Log().back() != "mnuPick_Click");
}

// A submenu that would cascade over a control opens on the other side of its parent, or at
// another height beside it.
TEST_F(FormsTest, ASubmenuCascadesClearOfTheControls) {
  TestForm &f = frmTest();
  f.Show();
  InstallDesktopServices();
  QRect parent, sub;
  std::string covered = "not shown";
  QTimer::singleShot(100, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu) return;
    for (int key : {Qt::Key_Down, Qt::Key_Right}) {
      QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(menu, &e);
    }
    Forms::DoEvents();
    parent = menu->geometry();
    if (auto *open = qobject_cast<QMenu *>(QApplication::activePopupWidget()); open && open != menu) {
      sub = open->geometry();
      covered.clear();
      QWidget *client = f.ClientWidget();
      for (int y = sub.top(); y <= sub.bottom() && covered.empty(); y += 3)
        for (int x = sub.left(); x <= sub.right() && covered.empty(); x += 3) {
          QWidget *w = client->childAt(client->mapFromGlobal(QPoint(x, y)));
          if (w && !qobject_cast<QLabel *>(w) && !qobject_cast<QGroupBox *>(w)) covered = w->metaObject()->className();
        }
      open->close();
    }
    menu->close();
  });
  // Just left of the grid, whose top row the submenu would otherwise cover.
  f.PerformClick(300, 3600);
  InstallUserServices(&script);
  EXPECT_EQ(covered, "");
  EXPECT_FALSE(sub.intersects(parent));
}

TEST_F(FormsTest, MessageBoxScriptInsideAHandler) {
  TestForm &f = frmTest();
  f.cmdDone.Click = [] {
    int answer = MsgBox("Do you wish to save data?", msg::YesNoCancel | msg::Question, "Save?");
    if (answer == msg::Yes) {
      FileDialogRequest r;
      r.title = "Save As";
      auto path = SaveFileDialog(r);
      Log().push_back(path ? *path : "cancelled");
    }
  };
  script.AnswerMsgBox(msg::Yes, "Do you wish to save data?").AnswerSave("/tmp/lp.txt");
  script.AnswerMsgBox(msg::Yes).AnswerSave(std::nullopt);
  f.cmdDone.PerformClick();
  f.cmdDone.PerformClick();
  EXPECT_EQ(Log().back(), "cancelled");
  EXPECT_EQ(Log()[Log().size() - 2], "/tmp/lp.txt");
  EXPECT_EQ(script.MessageBoxes().size(), 2u);
}

TEST_F(FormsTest, MenuShortcutWinsOverTheTextBoxsOwn) {
  TestForm &f = frmTest();
  f.Show();
  f.Text1.SetText("abc");
  f.Text1.SetFocus();
  Log().clear();
  // Ctrl+C copies in a text box; here it is the EditGrid menu's Copy.
  f.Text1.PressKey('C', key::CtrlMask);
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "mnuCopy_Click"), 1);
  f.mnuCopy.SetEnabled(false);
  f.Text1.PressKey('C', key::CtrlMask);
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "mnuCopy_Click"), 1);
  // From a button the key reaches the form.
  f.cmdDone.SetFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
  QApplication::sendEvent(f.cmdDone.Widget(), &press);
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "mnuSave_Click"), 1);
}

} // namespace
} // namespace quon::testing

namespace quon::testing {
namespace {

// With QUON_SCREENSHOT set, saves the test form as shown (run under a real display server to
// see the platform's own drawing).
TEST_F(FormsTest, ScreenshotOfTheTestForm) {
  TestForm &f = frmTest();
  f.Combo1.AddItem("Output summary");
  f.Combo1.AddItem("Iterations");
  f.List1.AddItem("Scenario1");
  f.List1.AddItem("Comparative Analysis");
  f.Text1.SetText("####0.00");
  f.Option1.SetValue(true);
  Grid &g = f.grid1;
  g.SetColWidth(0, 1500);
  g.SetBackColor(kBlue);
  g.SetForeColor(kWhite);
  g.SetFontName("arial");
  g.SetFontSize(9);
  g.SetFontBold(true);
  for (int c = 1; c < g.Cols(); ++c) {
    g.SetRow(0);
    g.SetCol(c);
    g.SetText("x" + std::to_string(c));
    g.SetCellAlignment(kAlignCenter);
  }
  for (int r = 1; r < g.Rows(); ++r) {
    g.SetTextMatrix(r, 0, "Constr " + std::to_string(r));
    for (int c = 1; c < g.Cols(); ++c)
      g.SetTextMatrix(r, c, std::to_string(r * c) + ".00");
  }
  g.SetRow(2);
  g.SetCol(2);
  g.SetCellBackColor(kGreen);
  g.SetCellForeColor(kBlack);
  f.Show();
  Forms::DoEvents();
  QImage shot = f.ClientWidget()->window()->grab().toImage();
  EXPECT_EQ(shot.width(), 1024);
  if (const char *path = std::getenv("QUON_SCREENSHOT")) {
    EXPECT_TRUE(shot.save(path));
  }
}

} // namespace
} // namespace quon::testing
