#include "platform/user_services.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/screen.h"

namespace quon {
namespace {

TEST(UserServices, ScriptAnswersEachWaitInOrderAndRecordsIt) {
  ScriptedServices script;
  script.AnswerMsgBox(msg::Cancel, "Do you wish to save data?")
      .AnswerSave("/tmp/p.txt")
      .AnswerOpen(std::nullopt);
  EXPECT_EQ(MsgBox("Do you wish to save data?", msg::YesNoCancel | msg::Question, "Save?"), msg::Cancel);
  FileDialogRequest save;
  save.title = "Save As";
  EXPECT_EQ(SaveFileDialog(save), std::optional<std::string>("/tmp/p.txt"));
  // A cancelled dialog is told apart from a choice.
  EXPECT_EQ(OpenFileDialog(FileDialogRequest{}), std::nullopt);
  Beep();
  EXPECT_TRUE(script.Done());
  ASSERT_EQ(script.Shown().size(), 4u);
  const ShownRecord &box = script.Shown()[0];
  EXPECT_EQ(box.title, "Save?");
  EXPECT_EQ(msg::Buttons(box.style), msg::YesNoCancel);
  EXPECT_EQ(msg::Icon(box.style), msg::Question);
  EXPECT_EQ(box.answer, msg::Cancel);
  EXPECT_EQ(script.Shown()[1].style, 1); // overwrite prompt asked for
  EXPECT_EQ(script.Beeps(), 1);
}

TEST(UserServices, ASavedNameWithoutExtensionGetsTheFiltersFirst) {
  ScriptedServices script;
  FileDialogRequest save; // "Text|*.txt"
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/tmp/game", "/tmp/game.txt"},
      {"/tmp/v1.2/game", "/tmp/v1.2/game.txt"},
      {"/tmp/game.dat", "/tmp/game.dat"},
      {"/tmp/game.txt", "/tmp/game.txt"},
      {"", ""}, // no name: the caller asks again
  };
  for (const auto &[typed, saved] : cases) {
    script.AnswerSave(typed);
    EXPECT_EQ(SaveFileDialog(save), std::optional<std::string>(saved)) << typed;
  }
  save.filter = "All|*.*";
  script.AnswerSave("/tmp/game");
  EXPECT_EQ(SaveFileDialog(save), std::optional<std::string>("/tmp/game"));
}

TEST(UserServices, AnUnscriptedWaitFailsAtOnce) {
  ScriptedServices script;
  EXPECT_THROW(MsgBox("Invalid problem size", msg::Critical, "Problem Size"), UnscriptedWait);
  // A wait of another kind than the script expects fails too, without using the answer.
  script.AnswerSave("/tmp/a.txt");
  EXPECT_THROW(MsgBox("x"), UnscriptedWait);
  EXPECT_EQ(script.Pending(), 1u);
  // An answer the box does not offer is a script error.
  ScriptedServices inner;
  inner.AnswerMsgBox(msg::Yes);
  EXPECT_THROW(MsgBox("only OK here"), UnscriptedWait);
}

TEST(UserServices, AFaultHandlerRecordsTheFailureAndTheWaitReturnsCancel) {
  ScriptedServices script;
  std::vector<std::string> faults;
  script.SetFaultHandler([&](const std::string &what) { faults.push_back(what); });
  EXPECT_EQ(MsgBox("Save?", msg::YesNoCancel), msg::Cancel);
  EXPECT_EQ(MsgBox("Retry?", msg::YesNo), msg::No);
  EXPECT_EQ(SaveFileDialog(FileDialogRequest{}), std::nullopt);
  EXPECT_EQ(faults.size(), 3u);
  // The way a test fails on it without hanging:
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedServices s;
        s.SetFaultHandler([](const std::string &what) { ADD_FAILURE() << what; });
        MsgBox("unexpected");
      },
      "unscripted message box");
}

TEST(UserServices, ScriptsRestoreWhatWasInstalledBefore) {
  UserServices *before = &Services();
  {
    ScriptedServices outer;
    {
      ScriptedServices inner;
      EXPECT_EQ(&Services(), &inner);
    }
    EXPECT_EQ(&Services(), &outer);
  }
  EXPECT_EQ(&Services(), before);
  // Without a script nobody answers, but the clipboard still works in memory.
  EXPECT_THROW(MsgBox("nobody"), UnscriptedWait);
  SetClipboardText("a\tb\rc");
  EXPECT_EQ(ClipboardText(), "a\tb\rc");
}

TEST(UserServices, PopupChoiceFollowsCaptionsThroughSubmenus) {
  MenuItem root;
  MenuItem title{root, "smMenu", "   SOLVE/MODIFY"};
  MenuItem sep{root, "spc1Menu", "-"};
  MenuItem solve{root, "mnuSolveLP", "&Solve Problem"};
  MenuItem algebraic{solve, "mnuAlgebraic", "Algebraic"};
  MenuItem final{algebraic, "mnuFinal", "&Final solution"};
  MenuItem iter{algebraic, "mnuIter", "&Iterations"};
  MenuItem graph{solve, "mnuGraph", "&Graphical"};
  MenuItem hidden{root, "mnuSolveTrans", "Solve &Problem"};
  title.SetEnabled(false);
  graph.SetEnabled(false);
  hidden.SetVisible(false);

  ScriptedServices script;
  script.ChoosePopup({"Solve Problem", "Algebraic", "&Final solution"}).DismissPopup();
  EXPECT_EQ(script.ChoosePopup(root, PopupPlace{7680, 2793, true}), &final);
  EXPECT_EQ(script.ChoosePopup(root, PopupPlace{}), nullptr);
  ASSERT_EQ(script.Shown().size(), 2u);
  EXPECT_EQ(script.Shown()[0].text, "   SOLVE/MODIFY (disabled)\n-\nSolve Problem\n  Algebraic\n"
                                    "    Final solution\n    Iterations\n  Graphical (disabled)\n");
  EXPECT_TRUE(script.Shown()[0].place.centreX);
  EXPECT_DOUBLE_EQ(script.Shown()[0].place.x, 7680);

  // Hidden and disabled items cannot be chosen; a submenu is not a choice.
  script.ChoosePopup({"Solve Problem", "Graphical"});
  EXPECT_THROW(script.ChoosePopup(root, PopupPlace{}), UnscriptedWait);
  script.ChoosePopup({"Solve Problem"});
  EXPECT_THROW(script.ChoosePopup(root, PopupPlace{}), UnscriptedWait);
}

TEST(MenuItem, CaptionsShortcutsAndChangeNotices) {
  MenuItem root;
  int notices = 0;
  root.SetObserver([&] { ++notices; });
  MenuItem file{root, "fileMenu", "&File"};
  MenuItem save{file, "saveMenu", "&Save", 's'};
  MenuItem pert{root, "mnuPERT", "&PERT - Program Evaluation &&  Review Technique"};
  EXPECT_EQ(MenuItem::ShownText(pert.Caption()), "PERT - Program Evaluation &  Review Technique");
  EXPECT_EQ(root.FindShortcut('S'), &save);
  save.SetEnabled(false);
  EXPECT_EQ(root.FindShortcut('s'), nullptr);
  save.SetEnabled(true);
  file.SetVisible(false);
  EXPECT_EQ(root.FindShortcut('S'), nullptr);
  EXPECT_EQ(root.Find("saveMenu"), &save);
  EXPECT_GE(notices, 5);
  int clicks = 0;
  save.Click = [&] { ++clicks; };
  save.PerformClick();
  EXPECT_EQ(clicks, 1);
}

TEST(Screen, LogicalScreenFromTheDesktopSize) {
  EXPECT_EQ(LogicalScreenFor(1920, 1080).widthTwips, 15360);
  EXPECT_EQ(LogicalScreenFor(1024, 768).heightTwips, 11520);
  EXPECT_EQ(LogicalScreenFor(1023, 768).widthTwips, 12000);
  EXPECT_EQ(LogicalScreenFor(1280, 700).heightTwips, 9000);
  EXPECT_EQ(LogicalScreenFor(640, 480).widthTwips, 9600);
  SetLogicalScreen(12000, 9000);
  EXPECT_EQ(ScreenWidth(), 12000);
  EXPECT_EQ(ScreenHeight(), 9000);
  SetLogicalScreen(15360, 11520);
  EXPECT_EQ(ToPixels(1500), 100);
  EXPECT_EQ(ToPixels(1067), 71);
}

} // namespace
} // namespace quon
