#include <cmath>
#include <gtest/gtest.h>

#include "input/ui/scr2.h"
#include "shell/helpers.h"
#include "shell/splash.h"
#include "shell/ui/scr0.h"
#include "shell/ui/scr1.h"
#include "shell/ui/scr3.h"
#include "shell/ui/screen_helpers.h"
#include "support/screen_test.h"

namespace quon::testing {
namespace {

using Path = std::vector<std::string>;

// ---- Start-up screen ----

class StartUpTest : public ScreenTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(StartUpTest, SupportedScreenShowsTheSplashAndLeadsToTheMainMenu) {
  const auto [w, h] = GetParam();
  SetLogicalScreen(w, h);
  g = Mod1{};
  Scr1 &s = scr1();
  ASSERT_TRUE(s.Loaded());
  EXPECT_EQ(g.HalfScreenW, w == 12000 ? 6000 : 7680);
  EXPECT_EQ(g.PopupBaseY, w == 12000 ? 2727 : 3491);
  EXPECT_EQ(NumberFormatString(), "####0.00");
  EXPECT_EQ(s.Caption(), "QUON");
  EXPECT_EQ(s.LblVersion.Caption(), "  Windows\u00AE-version 1.00, June 2002");
  EXPECT_EQ(s.Label3.Caption(), kCreditLabelText);
  EXPECT_EQ(s.Label1.Left(), std::lround(0.7578125 * w));
  EXPECT_EQ(s.cmdClickHere.Left(), (w - 1815) / 2);
  EXPECT_EQ(s.Label3.Left(), (w - 7935) / 2);

  s.Show();
  Forms::DoEvents();
  ExpectFocusShown(s);
  // The paint puts the credit label below the first credit line and the button below the panel.
  EXPECT_GT(s.Label3.Top(), 0.599 * h);
  EXPECT_GT(s.cmdClickHere.Top(), s.Label3.Top() + s.Label3.Height());
  EXPECT_TRUE(script.MessageBoxes().empty());

  script.DismissPopup();
  s.cmdClickHere.PerformClick();
  EXPECT_FALSE(IsLoaded<Scr1>());
  ASSERT_TRUE(IsLoaded<Scr0>());
  EXPECT_EQ(Forms::Loaded().size(), 1u);
  EXPECT_EQ(ended, 0);
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].kind, ShownRecord::Kind::Popup);
}

INSTANTIATE_TEST_SUITE_P(BothSettings, StartUpTest,
                         ::testing::Values(std::pair{12000, 9000}, std::pair{15360, 11520}),
                         [](const ::testing::TestParamInfo<std::pair<int, int>> &info) {
                           return "Width" + std::to_string(info.param.first) + "Height" +
                                  std::to_string(info.param.second);
                         });

TEST_F(ScreenTest, OtherScreenWidthsEndTheProgramWithoutTheSplash) {
  for (auto [w, h] : {std::pair{19200, 14400}, std::pair{12015, 9000}, std::pair{11985, 9000}}) {
    Forms::Clear();
    ended = 0;
    script.ClearRecord();
    SetLogicalScreen(w, h);
    script.AnswerMsgBox(msg::OK);
    Scr1 &s = scr1();
    EXPECT_FALSE(s.Loaded()) << w;
    EXPECT_FALSE(s.Shown()) << w;
    EXPECT_EQ(ended, 1) << w;
    EXPECT_NE(Forms::Run(), 0) << "a refused start ends as a failure";
    EXPECT_TRUE(Forms::Loaded().empty());
    const auto boxes = script.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kScreenSettingMessage);
    EXPECT_EQ(boxes[0].title, "Screen Setting");
    EXPECT_EQ(boxes[0].style, msg::OKOnly | msg::Critical);
  }
  EXPECT_EQ(std::string(kScreenSettingMessage),
            "QUON is designed for screen settings 800x600 and (preferred)1024x786 only, and will not work "
            "properly with the present setting. QUON will be exited");
}

// ---- MAIN menu screen ----

class MainMenuTest : public ScreenTest {
protected:
  // Shows the MAIN menu screen, answering its popup with `choice` (empty: dismissed).
  Scr0 &ShowMainMenu(const Path &choice = {}) {
    script.ChoosePopup(choice);
    Scr0 &s = scr0();
    s.Show();
    Forms::DoEvents();
    return s;
  }
};

TEST_F(MainMenuTest, PopupItemsAndCaptions) {
  Scr0 &s = ShowMainMenu();
  struct Item {
    std::string name, caption;
    int depth;
  };
  const std::vector<Item> want = {
      {"mnuMmainMenu", "             MAIN", 1},
      {"spc1Menu", "-", 1},
      {"mnuLinearEq", "Line&ar Equations", 1},
      {"mnuMatrixInverse", "Matri&x Inversion", 2},
      {"mnuLinearEqSol", "&Linear Equations Solution", 2},
      {"mnuLP", "&Linear Programming", 1},
      {"mnuTansportation", "&Transportation model", 1},
      {"mnuIP", "&Integer programming", 1},
      {"mnuNetwork", "&Network models", 1},
      {"mnuSpanning", "&Minimal Spanning Tree", 2},
      {"mnuShortest", "&Shortest Route ", 2},
      {"mnuFlow", "Maximal &Flow", 2},
      {"mnuCriticalPath", "&Project Planning", 1},
      {"mnuCPM", "&CPM - Critical Path Method ", 2},
      {"mnuPERT", "&PERT - Program Evaluation &&  Review Technique", 2},
      {"mnuQue", "&Queuing analysis", 1},
      {"mnuZeroGame", "&Zero-Sum Games", 1},
      {"spc2Menu", "-", 1},
      {"mnuExitQuon", "&EXIT QUON", 1},
  };
  std::vector<Item> got;
  for (MenuItem *a : s.mnuXMainMenu.Items()) {
    got.push_back({a->Name(), a->Caption(), 1});
    for (MenuItem *b : a->Items())
      got.push_back({b->Name(), b->Caption(), 2});
  }
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].name, want[i].name);
    EXPECT_EQ(got[i].caption, want[i].caption) << want[i].name;
    EXPECT_EQ(got[i].depth, want[i].depth) << want[i].name;
  }
  EXPECT_EQ(MenuItem::ShownText(s.mnuXMainMenu.Caption()), "MainMenu");
  EXPECT_EQ(MenuItem::ShownText(s.mnuPERT.Caption()), "PERT - Program Evaluation &  Review Technique");
}

TEST_F(MainMenuTest, ActivationClearsTheOtherScreensAndTheProblemArraysAndPopsUpTheMenu) {
  g.MRows = 2;
  g.NVars = 2;
  ReDimProblemArrays(ArrayKind::Common);
  g.QueueData.ReDim(2, 5);
  g.QueueData(1, 1) = 4;
  scr1();
  ASSERT_EQ(Forms::Loaded().size(), 1u);

  Scr0 &s = ShowMainMenu();
  EXPECT_FALSE(IsLoaded<Scr1>());
  EXPECT_EQ(Forms::Loaded().size(), 1u);
  EXPECT_TRUE(g.Tab.Empty());
  EXPECT_EQ(g.QueueData(1, 1), 4);
  EXPECT_EQ(s.Caption(), "QUON  ");
  EXPECT_FALSE(s.FrameInputMode.Visible());
  EXPECT_FALSE(s.Frame1.Visible());
  EXPECT_EQ(g.InputMode, 1); // every paint makes a new problem the default
  EXPECT_EQ(g.TitleSuppress, 0);

  ASSERT_EQ(script.Shown().size(), 1u);
  const ShownRecord &popup = script.Shown()[0];
  EXPECT_EQ(popup.kind, ShownRecord::Kind::Popup);
  EXPECT_EQ(popup.place.x, 7680);
  EXPECT_EQ(popup.place.y, 3491);
  EXPECT_TRUE(popup.place.centreX);

  // The popup gone, the screen shows that it holds the keyboard.
  ExpectFocusShown(s);

  // A click on the screen pops it up again.
  script.ChoosePopup({"&Zero-Sum Games"});
  s.PerformClick();
  EXPECT_EQ(g.ModelClass, 9);
  EXPECT_EQ(script.Shown().size(), 2u);
  script.DismissPopup();
  s.Label6.PerformClick();
  EXPECT_EQ(script.Shown().size(), 3u);
}

// Every menu and popup of every screen is chosen by keys alone: each item it shows has an
// access key, and no two shown together share one. The SOLVE/MODIFY popup shows one "Solve
// Problem" item of its kinds at a time.
TEST_F(ScreenTest, EveryMenuItemHasAnAccessKeyOfItsOwn) {
  std::vector<std::string> faults;
  AccessKeyFaults(scr0().MenuBar(), "MAIN screen", faults);
  AccessKeyFaults(scr2().MenuBar(), "input screen", faults);
  Scr3 &s = scr3();
  const std::vector<MenuItem *> kinds{&s.mnuSolveLP, &s.mnuSolve, &s.mnuSolveTrans, &s.mnuSolveIP,
                                      &s.mnuSolveZeroGame, &s.mnuSolveShort};
  for (MenuItem *shown : kinds) {
    for (MenuItem *kind : kinds)
      kind->SetVisible(kind == shown);
    AccessKeyFaults(s.MenuBar(), "SOLVE/MODIFY " + shown->Name(), faults);
  }
  EXPECT_EQ(faults, std::vector<std::string>{});
}

TEST_F(MainMenuTest, LayoutFromTheScreenSize) {
  Scr0 &s = ShowMainMenu();
  EXPECT_EQ(s.FrameInputMode.Left(), (15360 - 3615) / 2);
  EXPECT_EQ(s.FrameInputMode.Top(), std::lround(0.4 * 11520 - 0.5 * 4095));
  EXPECT_EQ(s.Frame1.Left(), (15360 - 3735) / 2);
  EXPECT_EQ(s.Frame1.Top(), std::lround(s.FrameInputMode.Top() + 1.4 * 4095));
  EXPECT_EQ(s.Label6.Top(), std::lround(1.8 * s.FrameInputMode.Top()));
  EXPECT_EQ(s.Label6.Caption(), "Click screen to view popup MAIN menu");
  EXPECT_EQ(s.cmdDone.Caption(), "Go to Input Screen");
  EXPECT_EQ(s.NsText.Text(), "5");
  EXPECT_EQ(s.DsText.Text(), "2");
  EXPECT_TRUE(s.newProblemOption.Value());
  EXPECT_TRUE(s.nDecimalOption.Value());
}

TEST_F(MainMenuTest, EachModelItemSetsItsCodesAndShowsTheFrames) {
  struct Case {
    Path path;
    int cls, netSub, proj;
  };
  const Case cases[] = {
      {{"Linear Equations", "Matri&x Inversion"}, 1, -1, -1},
      {{"Linear Equations", "&Linear Equations Solution"}, 2, -1, -1},
      {{"&Linear Programming"}, 3, -1, -1},
      {{"&Transportation model"}, 4, -1, -1},
      {{"&Integer programming"}, 5, -1, -1},
      {{"Network models", "&Minimal Spanning Tree"}, 7, 1, -1},
      {{"Network models", "Shortest Route "}, 7, 0, -1},
      {{"Network models", "Maximal &Flow"}, 7, 4, -1},
      {{"Project Planning", "&CPM - Critical Path Method "}, 8, -1, 1},
      {{"Project Planning", "&PERT - Program Evaluation &&  Review Technique"}, 8, -1, 2},
      {{"&Queuing analysis"}, 6, -1, -1},
      {{"&Zero-Sum Games"}, 9, -1, -1},
  };
  for (const Case &c : cases) {
    Forms::Clear();
    g.NetSubModel = g.ProjMethod = -1;
    Scr0 &s = ShowMainMenu(c.path);
    EXPECT_EQ(g.ModelClass, c.cls) << c.path.back();
    EXPECT_EQ(g.NetSubModel, c.netSub) << c.path.back();
    EXPECT_EQ(g.ProjMethod, c.proj) << c.path.back();
    EXPECT_TRUE(s.FrameInputMode.Visible()) << c.path.back();
    EXPECT_TRUE(s.Frame1.Visible()) << c.path.back();
  }
}

TEST_F(MainMenuTest, DigitCountsReadWhenGoingToTheInputScreen) {
  struct Case {
    const char *n, *d;
    int wantN, wantD;
  };
  const Case cases[] = {
      {"0", "2", 1, 2}, {"-3", "2", 1, 2}, {"", "2", 1, 2},      {"2.5", "2", 2, 2},       {"3.5", "2", 4, 2},
      {"5", "", 5, 0},  {"5", "-3", 5, 0}, {"16", "99", 15, 15}, {"99999", "1e9", 15, 15}, {"abc", "x", 1, 0},
  };
  for (const Case &c : cases) {
    Forms::Clear();
    Scr0 &s = ShowMainMenu({"&Linear Programming"});
    s.NsText.SetText(c.n);
    s.DsText.SetText(c.d);
    s.cmdDone.PerformClick();
    EXPECT_EQ(g.NumDigitsN, c.wantN) << c.n;
    EXPECT_EQ(g.NumDigitsD, c.wantD) << c.d;
    EXPECT_EQ(g.NumDigitsNSaved, c.wantN) << c.n;
    EXPECT_EQ(g.NumDigitsDSaved, c.wantD) << c.d;
  }
  // N 5 with D left empty.
  Forms::Clear();
  Scr0 &s = ShowMainMenu({"&Linear Programming"});
  s.DsText.SetText("");
  s.cmdDone.PerformClick();
  EXPECT_EQ(NumberFormatString(), "####0.");
}

TEST_F(MainMenuTest, GoToInputScreenOpensTheInputWithTheFocusInTheTitle) {
  Scr0 &s = ShowMainMenu({"&Linear Programming"});
  s.nExpOption.PerformClick();
  EXPECT_EQ(g.NumFormatType, 2);
  s.NsText.SetText("3");
  s.DsText.SetText("1");
  g.OutputOption = 4;
  // By keyboard: Tab leaves the N box for the D box, Return there goes on.
  s.NsText.SetFocus();
  s.NsText.PressKey(key::Tab);
  ASSERT_EQ(s.ActiveControl(), &s.DsText);
  s.DsText.PressKey(key::Return);
  Forms::DoEvents();
  EXPECT_FALSE(IsLoaded<Scr0>());
  ASSERT_TRUE(IsLoaded<Scr2>());
  Scr2 &in = scr2();
  EXPECT_TRUE(in.Shown());
  EXPECT_EQ(in.ActiveControl(), &in.BX1);
  EXPECT_EQ(NumberFormatString(), "0.000e+0");
  EXPECT_EQ(g.NewProblemMark, 99);
  EXPECT_EQ(g.FromFileFlag, 0);
  EXPECT_EQ(g.OutputOption, 0);
  EXPECT_EQ(g.InputMode, 1);
  EXPECT_EQ(in.Label2.Caption(), "Nbr. of Variables:");
  EXPECT_EQ(ended, 0);
}

TEST_F(MainMenuTest, AfterMainMenuReturnGoesToTheInputScreen) {
  Scr0 &s = ShowMainMenu({"&Linear Programming"});
  BringToFront(s);
  // "MAIN Menu" pressed from the keyboard hides its own frame and pops the menu up again.
  s.cmdMainMenu.SetFocus();
  script.ChoosePopup({"&Linear Programming"});
  PressReturn(s);
  ASSERT_TRUE(s.Frame1.Visible());
  // The class chosen, Return takes the screen's default road, not the hidden button's.
  PressReturn(s);
  EXPECT_TRUE(IsLoaded<Scr2>());
  EXPECT_FALSE(IsLoaded<Scr0>());
  EXPECT_EQ(ended, 0);
}

TEST_F(MainMenuTest, ProjectsGetTheTitleHintOnTheInputScreen) {
  Scr0 &s = ShowMainMenu({"Project Planning", "&CPM - Critical Path Method "});
  s.cmdDone.PerformClick();
  EXPECT_EQ(scr2().Label6.Caption(), "Enter title then press RETURN or TAB to initialize input grid");
  EXPECT_TRUE(scr2().Label6.Visible());
}

TEST_F(MainMenuTest, EveryLoadStartsWithTheDecimalFormat) {
  g.NumFormatType = 2;
  Scr0 &s = ShowMainMenu();
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_TRUE(s.nDecimalOption.Value());
}

TEST_F(MainMenuTest, MainMenuButtonStartsTheScreenAfresh) {
  Scr0 &s = ShowMainMenu({"&Queuing analysis"});
  s.nExpOption.PerformClick();
  s.NsText.SetText("9");
  g.TableauCount = 3;
  script.DismissPopup();
  s.cmdMainMenu.PerformClick();
  Forms::DoEvents();
  EXPECT_EQ(ended, 0);
  ASSERT_TRUE(IsLoaded<Scr0>());
  Scr0 &again = scr0();
  EXPECT_EQ(g.TableauCount, 0);
  EXPECT_EQ(g.NumFormatType, 1);
  EXPECT_TRUE(again.nDecimalOption.Value());
  EXPECT_EQ(again.NsText.Text(), "5");
  EXPECT_FALSE(again.FrameInputMode.Visible());
  EXPECT_EQ(script.Shown().size(), 2u);
}

TEST_F(MainMenuTest, ExitEndsTheProgram) {
  scr1();
  Scr0 &s = ShowMainMenu({"&Linear Programming"});
  s.cmdExitQuon.PerformClick();
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(Forms::Loaded().empty());

  Forms::Clear();
  ended = 0;
  ShowMainMenu({"&EXIT QUON"});
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(Forms::Loaded().empty());
}

TEST_F(MainMenuTest, CancelledFileDialogLeavesAnEmptyNewProblem) {
  for (int cls : {3, 8}) {
    Forms::Clear();
    Scr0 &s =
        ShowMainMenu(cls == 3 ? Path{"&Linear Programming"}
                              : Path{"Project Planning", "&PERT - Program Evaluation &&  Review Technique"});
    g.NVars = 4;
    script.AnswerOpen(std::nullopt);
    s.existingFileOption.PerformClick();
    Forms::DoEvents();
    EXPECT_FALSE(IsLoaded<Scr0>());
    ASSERT_TRUE(IsLoaded<Scr2>());
    Scr2 &in = scr2();
    EXPECT_TRUE(in.Shown());
    EXPECT_EQ(g.InputMode, 1);
    EXPECT_EQ(g.NewProblemMark, 99);
    EXPECT_EQ(g.FromFileFlag, 1);
    EXPECT_EQ(g.NVars, 0);
    EXPECT_TRUE(in.Frame1.Visible());
    EXPECT_FALSE(in.cmdDone.Enabled());
    EXPECT_EQ(in.BX2.Visible(), cls != 8);
    EXPECT_EQ(in.Label2.Visible(), cls != 8);
    EXPECT_EQ(ended, 0);
  }
}

// ---- Screen helpers ----

TEST_F(ScreenTest, UnloadAllFormsKeepsTheNewest) {
  scr1();
  UnloadAllForms();
  EXPECT_TRUE(IsLoaded<Scr1>());
  g.ModelClass = ModelClassCode::LinearProgramming;
  scr2();
  scr0();
  UnloadAllForms();
  ASSERT_EQ(Forms::Loaded().size(), 1u);
  EXPECT_TRUE(IsLoaded<Scr0>());
  EXPECT_EQ(ended, 0);
}

TEST_F(ScreenTest, SelectAllTextFocusesTheBoxWithItsWholeText) {
  g.ModelClass = ModelClassCode::LinearProgramming;
  Scr2 &in = scr2();
  in.Show();
  in.BX2.SetText("100");
  SelectAllText(in.BX2);
  EXPECT_EQ(in.ActiveControl(), &in.BX2);
  EXPECT_EQ(in.BX2.SelStart(), 0);
  EXPECT_EQ(in.BX2.SelLength(), 3);
}

TEST_F(ScreenTest, GridHeightsLeaveRoomForTheButtonFrame) {
  g.ModelClass = ModelClassCode::LinearProgramming;
  Scr2 &in = scr2();
  in.Label7.Move(0, 2304, 4000, 300);
  in.Frame1.Move(0, 9504, 5205, 495);
  EXPECT_EQ(in.InputGridHeight(), std::lround(9504 - std::lround(1.02 * 300 + 2304) - 0.75 * 495));
  g.ModelClass = ModelClassCode::Networks;
  in.Frame2.Move(0, 2700, 4335, 375);
  EXPECT_EQ(in.InputGridHeight(), std::lround(9504 - std::lround(1.02 * 375 + 2700) - 0.75 * 495));

  EXPECT_EQ(OutputGridHeight(in.Frame1, in.Label7), std::lround(9504 - 2304 - 0.9 * 495));
}

TEST_F(ScreenTest, OutputTitleLabelIsCentredAtTheTop) {
  g.ModelClass = ModelClassCode::Transportation;
  Scr2 &any = scr2();
  ShowOutputTitle(any, any.Label8);
  const int width = 130 * 20; // "TRANSPORTATION MODEL"
  EXPECT_EQ(any.Label8.Caption(), "TRANSPORTATION MODEL");
  EXPECT_EQ(any.Label8.Width(), width);
  EXPECT_EQ(any.Label8.Left(), (15360 - width) / 2);
  EXPECT_EQ(any.Label8.Top(), std::lround(0.0033 * 11520));
  EXPECT_TRUE(any.Label8.Visible());
}

} // namespace
} // namespace quon::testing
