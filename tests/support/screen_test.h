// Fixture of the screen tests: a 1024 x 768 logical screen, fresh program data with the
// start-up defaults, no screen loaded, and a script that fails the test on any wait it does
// not expect.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "shell/mod1.h"
#include "support/popup_cover.h"

namespace quon::testing {

// An event loop of its own, as a modal dialog or a popup runs while it waits: what waits in the
// event queue is delivered, and so is what that posts in turn (a screen painted behind the
// dialog may unload another, whose deletion is posted then).
inline void RunWaitLoop() {
  QEventLoop loop;
  int rounds = 0;
  std::function<void()> round = [&] {
    if (++rounds < 4)
      QTimer::singleShot(0, &loop, round);
    else
      loop.quit();
  };
  QTimer::singleShot(0, &loop, round);
  loop.exec();
}

class ScreenTest : public ::testing::Test {
protected:
  void SetUp() override {
    UseScreen(15360, 11520);
    Forms::Clear();
    ended = 0;
    Forms::SetProgramEndHandler([this] { ++ended; });
    script.SetFaultHandler([](const std::string &what) { ADD_FAILURE() << what; });
  }
  void TearDown() override {
    Forms::Clear();
    Forms::SetProgramEndHandler(nullptr);
    EXPECT_TRUE(script.Done()) << script.Pending() << " scripted answers unused";
  }
  // A logical screen of this size, with the data module as the start-up leaves it.
  void UseScreen(int w, int h) {
    SetLogicalScreen(w, h);
    g = Mod1{};
    InitGlobals(w, h);
  }

  // The screen's window becomes the active one, as the user sees it in front.
  static void BringToFront(Form &form) {
    form.ClientWidget()->window()->activateWindow();
    Forms::DoEvents();
  }
  // Where the keyboard is, the user sees from the moment the screen is in front: whatever holds
  // the focus, a control or the screen itself, draws a mark that goes when the focus leaves it.
  static void ExpectFocusShown(Form &form) {
    BringToFront(form);
    QWidget *window = form.ClientWidget()->window();
    QWidget *focus = window->focusWidget();
    ASSERT_NE(focus, nullptr);
    ASSERT_TRUE(focus->hasFocus());
    const QImage with = window->grab().toImage();
    focus->clearFocus();
    Forms::DoEvents();
    const QImage without = window->grab().toImage();
    focus->setFocus(Qt::OtherFocusReason);
    Forms::DoEvents();
    EXPECT_NE(with, without) << "no mark on " << focus->metaObject()->className() << " "
                             << focus->objectName().toStdString();
  }
  // Return as the user presses it with the screen in front: it goes to the control that has
  // the focus, or to the screen itself when none has it.
  static void PressReturn(Form &form) {
    BringToFront(form);
    QWidget *window = form.ClientWidget()->window();
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != window) target = window;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(target, &press);
    Forms::DoEvents();
  }

  // A click of the left mouse button at a point of a widget, in twips.
  static void ClickAt(QWidget *w, int xTwips, int yTwips) {
    const QPointF at(xTwips / 15, yTwips / 15);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(w, &e);
    }
  }

  // Every wait of the script runs an event loop before it is answered.
  void WaitsRunEventLoops() { script.SetWaitLoop(RunWaitLoop); }

  ScriptedServices script;
  int ended = 0;
};

} // namespace quon::testing
